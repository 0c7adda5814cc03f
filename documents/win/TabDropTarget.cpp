#include "documents/win/TabDropTarget.h"

#include "documents/win/DocTabWnd.h"

bool CTabDropTarget::Register(HWND strip) {
    m_strip = strip;
    m_registered = SUCCEEDED(::RegisterDragDrop(strip, this));
    return m_registered;
}

void CTabDropTarget::Revoke() {
    if (m_registered && m_strip) ::RevokeDragDrop(m_strip);
    m_registered = false;
}

HRESULT CTabDropTarget::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

DWORD CTabDropTarget::EffectFor(DWORD keys, DWORD allowed) const {
    CCanvasEdit* editor = m_owner.GetEditor(-1);
    if (!m_hasText || !editor || m_owner.GetPreviewShown(-1)) return DROPEFFECT_NONE;
    const editor::IEditorOps& model = editor->Ops();
    if (model.IsReadOnly() || model.Settings().dragDropMode == 0) return DROPEFFECT_NONE;
    // The effect the editor itself reports: only its own drag within itself
    // moves, so text dropped here, from another program or another tab, is
    // copied. The shown editor's own text dropped on the strip would land on
    // itself: nothing to do.
    (void)keys;  // Ctrl copies, as everything else does
    if (CCanvasEdit::DragSourceEditor() == editor) return DROPEFFECT_NONE;
    return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT CTabDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    FORMATETC format = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    m_hasText = data && data->QueryGetData(&format) == S_OK;
    return DragOver(keys, pt, effect);
}

HRESULT CTabDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
    POINT client = {pt.x, pt.y};
    ::ScreenToClient(m_strip, &client);
    TCHITTESTINFO hit = {};
    hit.pt = client;
    const int tab = static_cast<int>(::SendMessageA(m_strip, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (m_hasText && tab >= 0 && tab != m_owner.SelectedIndex()) {
        if (tab != m_pendingTab) {
            m_pendingTab = tab;
            ::SetTimer(m_strip, kSelectTimer, kSelectDelay, nullptr);
        }
    }
    *effect = EffectFor(keys, *effect);
    return S_OK;
}

void CTabDropTarget::OnSelectTimer() {
    ::KillTimer(m_strip, kSelectTimer);
    const int tab = m_pendingTab;
    m_pendingTab = -1;
    if (tab < 0 || tab >= m_owner.TabCount() || tab == m_owner.SelectedIndex()) return;
    ::SendMessageA(m_strip, TCM_SETCURSEL, tab, 0);
    m_owner.ActivateTab(tab);
}

HRESULT CTabDropTarget::DragLeave() {
    ::KillTimer(m_strip, kSelectTimer);
    m_pendingTab = -1;
    m_hasText = false;
    return S_OK;
}

HRESULT CTabDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    DragOver(keys, pt, effect);
    ::KillTimer(m_strip, kSelectTimer);
    m_pendingTab = -1;
    CCanvasEdit* editor = m_owner.GetEditor(-1);
    if (*effect == DROPEFFECT_NONE || !editor || !data) {
        m_hasText = false;
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    FORMATETC format = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) != S_OK) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    if (const char* text = static_cast<const char*>(::GlobalLock(medium.hGlobal))) {
        // Read no further than the block, whatever its NUL.
        const SIZE_T size = ::GlobalSize(medium.hGlobal);
        SIZE_T length = 0;
        while (length < size && text[length] != '\0') ++length;
        // No exception goes back into the system's drag loop.
        try {
            editor->Ops().ReplaceSelection(text, length, true);
        } catch (...) {
            *effect = DROPEFFECT_NONE;
        }
        ::GlobalUnlock(medium.hGlobal);
    }
    ::ReleaseStgMedium(&medium);
    m_hasText = false;
    ::SetFocus(editor->m_hWnd);
    return S_OK;
}
