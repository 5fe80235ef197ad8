// The class factory of the context-menu handler.
#pragma once

#include "shell_ext/shell_counter.h"

#include <windows.h>
#include <unknwn.h>

namespace brindle {

// Made by DllGetClassObject with no reference; destroyed when its last reference goes. Counts in
// the module's object count while it lives.
class CShellExtClassFactory final : public IClassFactory {
public:
    CShellExtClassFactory();
    CShellExtClassFactory(const CShellExtClassFactory&) = delete;
    CShellExtClassFactory& operator=(const CShellExtClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    // Changes nothing: the module's object count alone decides unloading.
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ~CShellExtClassFactory();

    CShellCounter m_references;
};

// Hands out the interface riid of object, which has no reference yet. When that fails the object
// is destroyed, so a refused interface never leaves an object alive that nobody can release.
template <typename T>
HRESULT BrdExtQueryNewObject(T* object, REFIID riid, void** ppv)
{
    object->AddRef();
    const HRESULT result = object->QueryInterface(riid, ppv);
    object->Release();
    return result;
}

}  // namespace brindle
