// One context-menu handler object of BRDEXT.dll, driven through its COM interfaces as the shell
// drives it.
#include "extension_object.h"

namespace brindle::test {

CExtensionObject::CExtensionObject(const CBrdExtLibrary& library)
{
    if (FAILED(library.createInstance(IID_IContextMenu, reinterpret_cast<void**>(&m_menu))))
        return;
    m_menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&m_init));
}

CExtensionObject::~CExtensionObject()
{
    if (m_init)
        m_init->Release();
    if (m_menu)
        m_menu->Release();
}

HRESULT CExtensionObject::initialize(std::vector<std::wstring> names, EDropAnswer answer) const
{
    CHDropDataObject* data = CHDropDataObject::create(std::move(names), answer);
    const HRESULT result = m_init->Initialize(nullptr, data, nullptr);
    data->Release();
    return result;
}

HRESULT CExtensionObject::invoke(const char* verb) const
{
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.lpVerb = verb;
    info.nShow = SW_SHOWNORMAL;
    return m_menu->InvokeCommand(&info);
}

CPopupMenu::CPopupMenu() : m_menu(CreatePopupMenu())
{
    AppendMenuW(m_menu, MF_STRING, 1, L"&Open");
    AppendMenuW(m_menu, MF_STRING, 2, L"&Edit");
    AppendMenuW(m_menu, MF_STRING, 3, L"&Print");
}

CPopupMenu::~CPopupMenu()
{
    DestroyMenu(m_menu);
}

std::vector<SMenuItem> CPopupMenu::items() const
{
    std::vector<SMenuItem> items;
    const int count = GetMenuItemCount(m_menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 511;
        GetMenuItemInfoW(m_menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({separator, separator ? 0 : info.wID, separator ? L"" : text});
    }
    return items;
}

}  // namespace brindle::test
