// A data object holding a CF_HDROP file list, as the shell hands one to a context-menu handler.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <objidl.h>

namespace brindle::test {

// How GetData answers; the hostile kinds check that Initialize never trusts the medium.
enum class EDropAnswer { FileList, Refuse, WrongMedium, NullGlobal };

// Reference counted like any COM object: made with one reference, destroyed at the last Release.
class CHDropDataObject final : public IDataObject {
public:
    static CHDropDataObject* create(std::vector<std::wstring> names, EDropAnswer answer = EDropAnswer::FileList);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** out) override;
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // References held by others than the creator: Initialize keeps one until the next call or
    // until the extension object goes.
    LONG references() const { return m_references; }
    int getDataCalls() const { return m_getDataCalls; }

private:
    CHDropDataObject(std::vector<std::wstring> names, EDropAnswer answer);
    ~CHDropDataObject() = default;

    HGLOBAL makeFileList() const;

    LONG m_references = 1;
    int m_getDataCalls = 0;
    std::vector<std::wstring> m_names;
    EDropAnswer m_answer;
};

}  // namespace brindle::test
