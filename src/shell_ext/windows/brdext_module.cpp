// BRDEXT.dll's entry point and exports, and what the module keeps for all its objects.
#include "shell_ext/windows/brdext_module.h"

#include "shell_ext/windows/brdext_clsid.h"
#include "shell_ext/windows/shell_ext_class_factory.h"

#include <new>

namespace brindle {

namespace {

HINSTANCE g_module = nullptr;

}  // namespace

void BrdExtSetModuleHandle(HINSTANCE module)
{
    g_module = module;
}

CShellCounter& BrdExtObjectCount()
{
    static CShellCounter count;
    return count;
}

std::wstring BrdExtModuleFileName()
{
    std::wstring name(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(g_module, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        // The name was cut to the buffer: a cut name would point into the wrong folder.
        name.resize(name.size() * 2);
    }
}

}  // namespace brindle

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        brindle::BrdExtSetModuleHandle(module);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, brindle::kBrdExtClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) brindle::CShellExtClassFactory;
    if (!factory)
        return E_OUTOFMEMORY;
    return brindle::BrdExtQueryNewObject(factory, riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return brindle::BrdExtObjectCount().value() == 0 ? S_OK : S_FALSE;
}
