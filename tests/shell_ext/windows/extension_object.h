// One context-menu handler object of BRDEXT.dll, driven through its COM interfaces as the shell
// drives it.
#pragma once

#include "brdext_library.h"
#include "hdrop_data_object.h"

#include <string>
#include <vector>

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace brindle::test {

class CExtensionObject {
public:
    explicit CExtensionObject(const CBrdExtLibrary& library = DefaultBrdExt());
    CExtensionObject(const CExtensionObject&) = delete;
    CExtensionObject& operator=(const CExtensionObject&) = delete;
    ~CExtensionObject();

    bool made() const { return m_menu && m_init; }
    IContextMenu* menu() const { return m_menu; }
    IShellExtInit* init() const { return m_init; }

    // Initialize with a data object holding names (released again before returning).
    HRESULT initialize(std::vector<std::wstring> names, EDropAnswer answer = EDropAnswer::FileList) const;
    HRESULT invoke(const char* verb) const;
    HRESULT invokeOffset(UINT offset) const { return invoke(MAKEINTRESOURCEA(offset)); }

private:
    IContextMenu* m_menu = nullptr;
    IShellExtInit* m_init = nullptr;
};

struct SMenuItem {
    bool separator = false;
    UINT id = 0;
    std::wstring text;

    bool operator==(const SMenuItem&) const = default;
};

// A popup menu that already holds the shell's own items "Open", "Edit" and "Print" (ids 1 to 3).
class CPopupMenu {
public:
    CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;
    ~CPopupMenu();

    HMENU handle() const { return m_menu; }
    std::vector<SMenuItem> items() const;

private:
    HMENU m_menu = nullptr;
};

}  // namespace brindle::test
