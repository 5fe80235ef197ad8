// The context-menu handler: adds "Compare Files" for one or two selected files and starts brd64.
#pragma once

#include "shell_ext/shell_counter.h"
#include "shell_ext/shell_selection.h"
#include "shell_ext/windows/com_ref.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace brindle {

// IContextMenu is the primary interface (laid out as IContextMenu2, whose HandleMenuMsg the shell
// never calls since QueryInterface does not hand IContextMenu2 out); IShellExtInit is the second
// part of the same object and answers for IUnknown. Each object keeps the selection of its own
// Initialize, so shell windows on different threads never see each other's files.
class CShellExt final : public IContextMenu2, public IShellExtInit {
public:
    CShellExt();
    CShellExt(const CShellExt&) = delete;
    CShellExt& operator=(const CShellExt&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* name, UINT cchMax) override;
    STDMETHODIMP HandleMenuMsg(UINT message, WPARAM wParam, LPARAM lParam) override;

    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* dataObject, HKEY progIdKey) override;

private:
    ~CShellExt();

    HRESULT takeSelection(STGMEDIUM& medium);

    CShellCounter m_references;
    CComRef<IDataObject> m_dataObject;
    SShellSelection m_selection;
};

}  // namespace brindle
