// A data object holding a CF_HDROP file list, as the shell hands one to a context-menu handler.
#include "hdrop_data_object.h"

#include <cstring>

#include <shlobj.h>

namespace brindle::test {

CHDropDataObject* CHDropDataObject::create(std::vector<std::wstring> names, EDropAnswer answer)
{
    return new CHDropDataObject(std::move(names), answer);
}

CHDropDataObject::CHDropDataObject(std::vector<std::wstring> names, EDropAnswer answer)
    : m_names(std::move(names)), m_answer(answer)
{
}

STDMETHODIMP CHDropDataObject::QueryInterface(REFIID riid, void** ppv)
{
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject))
        return E_NOINTERFACE;
    *ppv = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CHDropDataObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) CHDropDataObject::Release()
{
    const LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

// DROPFILES followed by the wide names, each with its terminator, and one more terminator.
HGLOBAL CHDropDataObject::makeFileList() const
{
    std::wstring packed;
    for (const std::wstring& name : m_names) {
        packed += name;
        packed.push_back(L'\0');
    }
    packed.push_back(L'\0');
    const SIZE_T bytes = sizeof(DROPFILES) + packed.size() * sizeof(wchar_t);
    HGLOBAL global = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(global));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), packed.data(), packed.size() * sizeof(wchar_t));
    GlobalUnlock(global);
    return global;
}

STDMETHODIMP CHDropDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    ++m_getDataCalls;
    if (m_answer == EDropAnswer::Refuse || format->cfFormat != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0)
        return DV_E_FORMATETC;
    *medium = STGMEDIUM{};
    if (m_answer == EDropAnswer::WrongMedium) {
        medium->tymed = TYMED_NULL;
        return S_OK;
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = m_answer == EDropAnswer::NullGlobal ? nullptr : makeFileList();
    return S_OK;
}

STDMETHODIMP CHDropDataObject::QueryGetData(FORMATETC* format)
{
    return format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP CHDropDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CHDropDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** out)
{
    *out = nullptr;
    return E_NOTIMPL;
}

}  // namespace brindle::test
