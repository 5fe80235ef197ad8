// The class factory of the context-menu handler.
#include "shell_ext/windows/shell_ext_class_factory.h"

#include "shell_ext/windows/brdext_module.h"
#include "shell_ext/windows/shell_ext.h"

#include <new>

namespace brindle {

CShellExtClassFactory::CShellExtClassFactory()
{
    BrdExtObjectCount().increment();
}

CShellExtClassFactory::~CShellExtClassFactory()
{
    BrdExtObjectCount().decrement();
}

STDMETHODIMP CShellExtClassFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
        return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CShellExtClassFactory::AddRef()
{
    return static_cast<ULONG>(m_references.increment());
}

STDMETHODIMP_(ULONG) CShellExtClassFactory::Release()
{
    const auto count = m_references.decrement();
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CShellExtClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    auto* extension = new (std::nothrow) CShellExt;
    if (!extension)
        return E_OUTOFMEMORY;
    return BrdExtQueryNewObject(extension, riid, ppv);
}

STDMETHODIMP CShellExtClassFactory::LockServer(BOOL)
{
    return S_OK;
}

}  // namespace brindle
