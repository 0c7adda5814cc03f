#include "editor/win/EditorDragDrop.h"

#include <shlobj.h>

#include <cstring>

#include "editor/win/CanvasEdit.h"
#include "framework/win/ComObject.h"

namespace {

FORMATETC TextFormat() { return FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The data object of a drag from the editor: one CF_TEXT block.
class CTextDataObject : public CComObject<IDataObject> {
public:
    CTextDataObject(const char* text, std::size_t length) : m_text(text ? text : "", text ? length : 0) {}
    ~CTextDataObject() override = default;


    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium) return E_INVALIDARG;
        const HRESULT ok = QueryGetData(format);
        if (ok != S_OK) return ok;
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, m_text.size() + 1);
        if (!h) return E_OUTOFMEMORY;
        char* p = static_cast<char*>(::GlobalLock(h));
        if (!p) {
            ::GlobalFree(h);
            return E_OUTOFMEMORY;
        }
        if (!m_text.empty()) std::memcpy(p, m_text.data(), m_text.size());
        ::GlobalUnlock(h);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = h;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format) return E_INVALIDARG;
        if (format->cfFormat != CF_TEXT) return DV_E_FORMATETC;
        if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
        if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format = TextFormat();
        return ::SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::string m_text;
};

}  // namespace

bool ReadTextBlock(HGLOBAL block, std::string& out) {
    out.clear();
    if (!block) return false;
    const char* p = static_cast<const char*>(::GlobalLock(block));
    if (!p) return false;
    const SIZE_T size = ::GlobalSize(block);
    const void* nul = std::memchr(p, '\0', size);
    out.assign(p, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - p) : size);
    ::GlobalUnlock(block);
    return true;
}

bool DataObjectHasText(IDataObject* data) {
    if (!data) return false;
    FORMATETC format = TextFormat();
    return data->QueryGetData(&format) == S_OK;
}

bool ReadDataObjectText(IDataObject* data, std::string& out) {
    out.clear();
    if (!data) return false;
    FORMATETC format = TextFormat();
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) != S_OK) return false;
    const bool ok = medium.tymed == TYMED_HGLOBAL && ReadTextBlock(medium.hGlobal, out);
    ::ReleaseStgMedium(&medium);
    return ok;
}

IDataObject* CreateTextDataObject(const char* text, std::size_t length) {
    return new CTextDataObject(text, length);
}

// ---------------------------------------------------------------------------

HRESULT CEditorDropSource::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
        *out = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CEditorDropSource::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CEditorDropSource::Release() {
    const LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT CEditorDropSource::QueryContinueDrag(BOOL escape, DWORD keys) {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT CEditorDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// ---------------------------------------------------------------------------

HRESULT CEditorDropTarget::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CEditorDropTarget::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CEditorDropTarget::Release() {
    const LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

namespace {
POINT ToClient(HWND hwnd, POINTL pt) {
    POINT p = {pt.x, pt.y};
    ::ScreenToClient(hwnd, &p);
    return p;
}
}  // namespace

// Calls from the system's drag loop: no exception goes back into it; a drop
// that ran out of memory takes nothing.
HRESULT CEditorDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    try {
        *effect = m_edit ? m_edit->OleDragEnter(data, keys, ToClient(m_edit->m_hWnd, pt), *effect) : DROPEFFECT_NONE;
    } catch (...) {
        *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}

HRESULT CEditorDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    try {
        *effect = m_edit ? m_edit->OleDragOver(keys, ToClient(m_edit->m_hWnd, pt), *effect) : DROPEFFECT_NONE;
    } catch (...) {
        *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}

HRESULT CEditorDropTarget::DragLeave() {
    try {
        if (m_edit) m_edit->OleDragLeave();
    } catch (...) {
    }
    return S_OK;
}

HRESULT CEditorDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    try {
        *effect = m_edit ? m_edit->OleDrop(data, keys, ToClient(m_edit->m_hWnd, pt), *effect) : DROPEFFECT_NONE;
    } catch (...) {
        if (m_edit) m_edit->OleDragLeave();
        *effect = DROPEFFECT_NONE;
    }
    return S_OK;
}
