// The tag pane's drags: tags onto the editor (their text as CF_TEXT) and
// moves of tags and files inside the pane, through OLE drag and drop.
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>
#include <shlobj.h>

#include "editor/win/EditorDragDrop.h"
#include "framework/win/ComObject.h"
#include "resources/resource.h"
#include "tags/win/RegistTagTree.h"

namespace tagswin {

namespace {

// The data of a file's drag: no format at all, so no window but the pane
// takes it.
class CNoDataObject : public CComObject<IDataObject> {
public:
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        return ::SHCreateStdEnumFmtEtc(0, nullptr, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~CNoDataObject() override = default;
};

// Drops on release of the left button, cancels on Esc; the dragged item's
// own pointer while a target accepts.
class CTagDropSource : public CEditorDropSource {
public:
    explicit CTagDropSource(int cursor) : m_cursor(cursor) {}
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
        const int cursor = tags::DragCursor(m_cursor, effect);
        HCURSOR shape = cursor ? ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(cursor)) : nullptr;
        if (!shape) return DRAGDROP_S_USEDEFAULTCURSORS;
        ::SetCursor(shape);
        return S_OK;
    }

private:
    int m_cursor;
};

}  // namespace

// The pane's drop target: only drags the pane started itself.
class CRegistTagTree::CDropTarget : public CComObject<IDropTarget> {
public:
    explicit CDropTarget(CRegistTagTree* owner) : m_owner(owner) {}
    void Detach() { m_owner = nullptr; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL pt, DWORD* effect) override {
        return DragOver(0, pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        const DWORD allowed = *effect;
        *effect = Own() ? m_owner->PaneDragOver(m_owner->m_drag, Client(pt)) & allowed : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (m_owner) m_owner->PaneDragLeave();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        const bool moved = Own() && (*effect & DROPEFFECT_LINK) && m_owner->PaneDrop(m_owner->m_drag, Client(pt));
        if (m_owner) m_owner->PaneDragLeave();
        *effect = moved ? DROPEFFECT_LINK : DROPEFFECT_NONE;
        return S_OK;
    }

private:
    ~CDropTarget() override = default;
    bool Own() const { return m_owner && m_owner->m_dragging; }
    POINT Client(POINTL pt) const {
        POINT p = {pt.x, pt.y};
        ::ScreenToClient(m_owner->m_tree.m_hWnd, &p);
        return p;
    }
    CRegistTagTree* m_owner;
};

void CRegistTagTree::RegisterDropTarget() {
    m_dropTarget = new CDropTarget(this);
    if (FAILED(::RegisterDragDrop(m_tree.m_hWnd, m_dropTarget))) {
        m_dropTarget->Release();
        m_dropTarget = nullptr;
    }
}

void CRegistTagTree::RevokeDropTarget() {
    if (!m_dropTarget) return;
    ::RevokeDragDrop(m_tree.m_hWnd);
    m_dropTarget->Detach();
    m_dropTarget->Release();
    m_dropTarget = nullptr;
}

bool CRegistTagTree::TargetAt(POINT client, tags::PaneItem* target, HTREEITEM* item) const {
    TVHITTESTINFO hit = {};
    hit.pt = client;
    *item = TreeView_HitTest(m_tree.m_hWnd, &hit);
    return *item && Locate(*item, &target->file, &target->tag);
}

DWORD CRegistTagTree::PaneDragOver(tags::PaneItem dragged, POINT client) {
    HWND tree = m_tree.m_hWnd;
    RECT rc;
    ::GetClientRect(tree, &rc);
    const int scroll = tags::EdgeScroll(client.y, rc.bottom, static_cast<int>(TreeView_GetItemHeight(tree)));
    if (scroll) ::SendMessageA(tree, WM_VSCROLL, scroll < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    tags::PaneItem target;
    HTREEITEM item = nullptr;
    const bool found = TargetAt(client, &target, &item);
    const tags::DropPlan plan = tags::PlanDrop(m_store, dragged, found ? &target : nullptr);
    const bool itself = found && target.file == dragged.file && target.tag == dragged.tag;
    if (plan.move != tags::DropMove::None || itself) {
        TreeView_SelectDropTarget(tree, item);
    } else {
        PaneDragLeave();
    }
    return plan.move != tags::DropMove::None ? DROPEFFECT_LINK : DROPEFFECT_NONE;
}

void CRegistTagTree::PaneDragLeave() {
    HWND tree = m_tree.m_hWnd;
    HTREEITEM lit = TreeView_GetDropHilight(tree);
    TreeView_SelectDropTarget(tree, nullptr);
    // Some tree controls keep the item when asked for none: its mark goes.
    if (lit) TreeView_SetItemState(tree, lit, 0, TVIS_DROPHILITED);
}

bool CRegistTagTree::PaneDrop(tags::PaneItem dragged, POINT client) {
    tags::PaneItem target;
    HTREEITEM item = nullptr;
    const bool found = TargetAt(client, &target, &item);
    const tags::DropPlan plan = tags::PlanDrop(m_store, dragged, found ? &target : nullptr);
    PaneDragLeave();
    switch (plan.move) {
        case tags::DropMove::TagToFileEnd: return MoveTag(dragged.file, dragged.tag, plan.toFile, -1);
        case tags::DropMove::TagBefore: return MoveTag(dragged.file, dragged.tag, plan.toFile, plan.before);
        case tags::DropMove::FileBefore: return MoveTagFile(dragged.file, plan.before);
        case tags::DropMove::None: break;
    }
    return false;
}

IDataObject* CRegistTagTree::DragData(tags::PaneItem item) {
    if (item.tag < 0) return new CNoDataObject;
    tags::TagEntry* e = m_store.FindById(tags::TagId(item.file, item.tag));
    if (!e) return nullptr;
    const std::string text = m_kinds.Of(e->kind)->BuildText(e->record.get());
    return CreateTextDataObject(text.data(), text.size());
}

void CRegistTagTree::FinishDrag(tags::PaneItem item, DWORD effect) {
    if (item.tag < 0 || !tags::DropRunsTag(effect)) return;
    if (tags::TagEntry* e = m_store.FindById(tags::TagId(item.file, item.tag)))
        m_kinds.Of(e->kind)->AfterInsert(e->record.get());
}

int CRegistTagTree::DragCursorOf(tags::PaneItem item) const {
    if (item.tag < 0) return IDC_TAG_DRAG_FILE;
    const auto& files = m_store.Files();
    if (item.file < 0 || item.file >= static_cast<int>(files.size()) || item.tag >= static_cast<int>(files[static_cast<std::size_t>(item.file)].tags.size()))
        return 0;
    const tags::TagEntry& e = files[static_cast<std::size_t>(item.file)].tags[static_cast<std::size_t>(item.tag)];
    const tags::CTagKind* kind = m_kinds.Of(e.kind);
    const int cursor = kind ? kind->Cursor(e.record.get()) : 0;
    return cursor ? cursor : IDC_TAG_DRAG_TAG;
}

void CRegistTagTree::StartDrag(HTREEITEM item) {
    tags::PaneItem dragged;
    if (!Locate(item, &dragged.file, &dragged.tag)) return;
    IDataObject* data = DragData(dragged);
    if (!data) return;
    auto* source = new CTagDropSource(DragCursorOf(dragged));
    HWND tree = m_tree.m_hWnd;
    // No label editing while the drag lasts.
    const LONG_PTR style = ::GetWindowLongPtrA(tree, GWL_STYLE);
    ::SetWindowLongPtrA(tree, GWL_STYLE, style & ~static_cast<LONG_PTR>(TVS_EDITLABELS));
    m_dragging = true;
    m_drag = dragged;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    m_dragging = false;
    m_buttonDown = false;
    ::SetWindowLongPtrA(tree, GWL_STYLE, style);
    PaneDragLeave();
    source->Release();
    data->Release();
    if (hr == DRAGDROP_S_DROP) FinishDrag(dragged, effect);
}

}  // namespace tagswin
