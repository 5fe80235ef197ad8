// BRDEXT.dll loaded by path, reached only through its two exports as the shell reaches it.
#include "brdext_library.h"

#include "shell_ext/windows/brdext_clsid.h"

namespace brindle::test {

std::wstring DriverFolder()
{
    std::wstring name(32768, L'\0');
    name.resize(GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size())));
    return name.substr(0, name.find_last_of(L'\\'));
}

CBrdExtLibrary::CBrdExtLibrary(const std::wstring& path) : m_module(LoadLibraryW(path.c_str()))
{
    if (!m_module)
        return;
    m_getClassObject = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "DllGetClassObject")));
    m_canUnloadNow = reinterpret_cast<CanUnloadNowFn>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "DllCanUnloadNow")));
}

CBrdExtLibrary::~CBrdExtLibrary()
{
    if (m_module)
        FreeLibrary(m_module);
}

HRESULT CBrdExtLibrary::getClassObject(REFCLSID clsid, REFIID riid, void** ppv) const
{
    return m_getClassObject(clsid, riid, ppv);
}

HRESULT CBrdExtLibrary::canUnloadNow() const
{
    return m_canUnloadNow();
}

HRESULT CBrdExtLibrary::createInstance(REFIID riid, void** ppv) const
{
    IClassFactory* factory = nullptr;
    HRESULT result = getClassObject(kBrdExtClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(result))
        return result;
    result = factory->CreateInstance(nullptr, riid, ppv);
    factory->Release();
    return result;
}

const CBrdExtLibrary& DefaultBrdExt()
{
    static const CBrdExtLibrary library(DriverFolder() + L"\\BRDEXT.dll");
    return library;
}

}  // namespace brindle::test
