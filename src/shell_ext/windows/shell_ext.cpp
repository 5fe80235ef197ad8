// The context-menu handler: adds "Compare Files" for one or two selected files and starts brd64.
#include "shell_ext/windows/shell_ext.h"

#include "shell_ext/shell_command.h"
#include "shell_ext/shell_menu_text.h"
#include "shell_ext/windows/brdext_module.h"
#include "shell_ext/windows/com_result.h"
#include "shell_ext/windows/menu_setting.h"
#include "shell_ext/windows/win_text.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include <shellapi.h>

namespace brindle {

namespace {

std::vector<std::u16string> dropNames(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::u16string> names;
    names.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // The whole name, however long: ShellTakeSelection skips the ones brd64 cannot take.
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        const UINT copied = DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        name.resize(copied);
        names.push_back(ToU16(name));
    }
    return names;
}

EShellItemKind fileKindOf(std::u16string_view path)
{
    const std::wstring name = ToWide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EShellItemKind::Unreadable;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EShellItemKind::Folder : EShellItemKind::File;
}

HRESULT lastErrorResult()
{
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// ShellExecuteW answers with a number of at most 32 when it could not start the program.
HRESULT shellExecuteResult(HINSTANCE answer)
{
    const auto code = reinterpret_cast<INT_PTR>(answer);
    if (code > 32)
        return S_OK;
    switch (code) {
    case SE_ERR_FNF:
    case SE_ERR_PNF:
    case SE_ERR_ACCESSDENIED:
    case SE_ERR_OOM:
        return HRESULT_FROM_WIN32(static_cast<DWORD>(code));
    default:
        return E_FAIL;
    }
}

}  // namespace

CShellExt::CShellExt()
{
    BrdExtObjectCount().increment();
}

CShellExt::~CShellExt()
{
    BrdExtObjectCount().decrement();
}

STDMETHODIMP CShellExt::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IShellExtInit) || IsEqualIID(riid, IID_IUnknown))
        *ppv = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(riid, IID_IContextMenu))
        *ppv = static_cast<IContextMenu*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CShellExt::AddRef()
{
    return static_cast<ULONG>(m_references.increment());
}

STDMETHODIMP_(ULONG) CShellExt::Release()
{
    const auto count = m_references.decrement();
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CShellExt::Initialize(PCIDLIST_ABSOLUTE, IDataObject* dataObject, HKEY)
{
    m_dataObject.reset(dataObject);
    // A failed Initialize leaves no earlier selection behind to be invoked.
    m_selection = {};
    if (!dataObject)
        return E_FAIL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(dataObject->GetData(&format, &medium)))
        return E_FAIL;
    const HRESULT result = takeSelection(medium);
    ReleaseStgMedium(&medium);
    return result;
}

HRESULT CShellExt::takeSelection(STGMEDIUM& medium)
{
    // A data object may answer with another medium than the one asked for.
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal)
        return E_FAIL;
    const std::vector<std::u16string> names = dropNames(static_cast<HDROP>(medium.hGlobal));
    const SShellInitOutcome outcome = ShellTakeSelection(names, fileKindOf);
    m_selection = outcome.selection;
    return ToHResult(outcome.result);
}

STDMETHODIMP CShellExt::QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT flags)
{
    const SShellQueryOutcome outcome = ShellQueryContextMenu(indexMenu, idCmdFirst, idCmdLast, flags);
    if (!outcome.insertion)
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    const SShellMenuInsertion& at = *outcome.insertion;
    const std::wstring text = ToWide(ShellMenuItemText(ReadShellMenuSetting()));
    if (!InsertMenuW(menu, at.separatorPosition, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr))
        return lastErrorResult();
    if (!InsertMenuW(menu, at.itemPosition, MF_BYPOSITION | MF_STRING, at.commandId, text.c_str())) {
        const HRESULT result = lastErrorResult();
        // No separator is left behind without its item.
        const int count = GetMenuItemCount(menu);
        const UINT separator = at.separatorPosition == kShellAppendPosition ? static_cast<UINT>(count - 1)
                                                                             : at.separatorPosition;
        DeleteMenu(menu, separator, MF_BYPOSITION);
        return result;
    }
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, outcome.count);
}

STDMETHODIMP CShellExt::InvokeCommand(CMINVOKECOMMANDINFO* info)
{
    if (!info)
        return E_INVALIDARG;
    const auto verb = reinterpret_cast<std::uintptr_t>(info->lpVerb);
    const SShellInvocation invocation = ShellInvokeCommand(verb, m_selection);
    if (!invocation.parameters)
        return ToHResult(invocation.result);
    const auto program = ShellProgramPath(ToU16(BrdExtModuleFileName()), u"brd64.exe", EShellPathStyle::Windows);
    if (!program)
        return E_FAIL;
    const std::wstring file = ToWide(*program);
    const std::wstring parameters = ToWide(*invocation.parameters);
    return shellExecuteResult(
        ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL));
}

STDMETHODIMP CShellExt::GetCommandString(UINT_PTR idCmd, UINT type, UINT*, CHAR* name, UINT cchMax)
{
    const std::u16string help = ShellHelpText(ReadShellMenuSetting());
    const SShellCommandString answer = ShellGetCommandString(idCmd, type, name ? cchMax : 0, help);
    if (answer.ansi) {
        std::memcpy(name, answer.ansi->c_str(), answer.ansi->size() + 1);
    } else if (answer.unicode) {
        const std::wstring text = ToWide(*answer.unicode);
        std::memcpy(name, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    return ToHResult(answer.result);
}

STDMETHODIMP CShellExt::HandleMenuMsg(UINT, WPARAM, LPARAM)
{
    return S_OK;
}

}  // namespace brindle
