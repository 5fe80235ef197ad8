// BRDEXT.dll loaded by path, reached only through its two exports as the shell reaches it.
#pragma once

#include <string>

#include <windows.h>
#include <unknwn.h>

namespace brindle::test {

// The folder of the test driver, where the build puts BRDEXT.dll and the stub brd64.exe.
std::wstring DriverFolder();

class CBrdExtLibrary {
public:
    explicit CBrdExtLibrary(const std::wstring& path);
    CBrdExtLibrary(const CBrdExtLibrary&) = delete;
    CBrdExtLibrary& operator=(const CBrdExtLibrary&) = delete;
    ~CBrdExtLibrary();

    bool loaded() const { return m_getClassObject && m_canUnloadNow; }

    HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT canUnloadNow() const;

    // A new extension object made through a new class factory, which is released again.
    HRESULT createInstance(REFIID riid, void** ppv) const;

private:
    using GetClassObjectFn = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(__stdcall*)();

    HMODULE m_module = nullptr;
    GetClassObjectFn m_getClassObject = nullptr;
    CanUnloadNowFn m_canUnloadNow = nullptr;
};

// The library beside the driver, loaded once for the whole run.
const CBrdExtLibrary& DefaultBrdExt();

}  // namespace brindle::test
