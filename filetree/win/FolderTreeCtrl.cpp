#include "filetree/win/FolderTreeCtrl.h"

#include <imm.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "config/core/SettingsStore.h"
#include "editor/core/EditorOps.h"
#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace filetree {

namespace {

constexpr char kPaneClass[] = "PqFolderTreePane";
constexpr UINT kLastShellVerbId = 0x7FFF;

// Each item's record: the parent folder (held), the item's identifiers
// relative to it and from the desktop.
}  // namespace

struct CFolderTreeCtrl::ItemRecord {
    IShellFolder* parent = nullptr;
    LPITEMIDLIST rel = nullptr;
    LPITEMIDLIST abs = nullptr;
    ~ItemRecord() {
        if (parent) parent->Release();
        ::CoTaskMemFree(rel);
        ::CoTaskMemFree(abs);
    }
};

namespace {

std::string PathOfList(LPCITEMIDLIST abs) {
    char buf[MAX_PATH] = {};
    if (!abs || !::SHGetPathFromIDListA(abs, buf)) return std::string();
    return buf;
}

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST rel) {
    STRRET ret = {};
    if (FAILED(folder->GetDisplayNameOf(rel, SHGDN_NORMAL, &ret))) return std::string();
    char buf[MAX_PATH] = {};
    if (FAILED(::StrRetToBufA(&ret, rel, buf, sizeof buf))) return std::string();
    return buf;
}

int IconOf(LPCITEMIDLIST abs, UINT extra) {
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(reinterpret_cast<LPCSTR>(abs), 0, &info, sizeof info,
                          SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra))
        return 0;
    return info.iIcon;
}

// The item's parsing name: the full path of a file-system item.
std::string ParsingName(IShellFolder* folder, LPCITEMIDLIST rel) {
    STRRET ret = {};
    if (FAILED(folder->GetDisplayNameOf(rel, SHGDN_FORPARSING, &ret))) return std::string();
    char buf[MAX_PATH] = {};
    if (FAILED(::StrRetToBufA(&ret, rel, buf, sizeof buf))) return std::string();
    return buf;
}

// Files whose icon is their own, not their type's.
bool HasOwnIcon(const std::string& ext) {
    return ext.empty() || ext == "exe" || ext == "ico" || ext == "lnk" || ext == "cur" || ext == "url";
}

LPITEMIDLIST Combine(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a) return ::ILClone(b);
    return ::ILCombine(a, b);
}

}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl() { m_tree.owner = this; }

CFolderTreeCtrl::~CFolderTreeCtrl() = default;

bool CFolderTreeCtrl::CreatePane(HWND parent, IFolderTreeHost* host, bool build) {
    m_host = host;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPaneClass;
    if (!RegisterWindowClass(wc)) return false;
    if (!CreateEx(0, kPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200, parent, 0))
        return false;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS;
    if (!m_tree.CreateEx(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, 0, 0, 200, 200, m_hWnd, kTreeControlId))
        return false;
    if (const settings::SettingsStore* store = settings::Current()) m_options.Load(*store);
    m_filter = m_options.Filter();
    m_showHidden = m_options.ShowHidden();
    if (build) Build();
    return true;
}

CFolderTreeCtrl::ItemRecord* CFolderTreeCtrl::Record(HTREEITEM item) const {
    if (!item) return nullptr;
    TVITEMA tv = {};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    if (!TreeView_GetItem(m_tree.m_hWnd, &tv)) return nullptr;
    return reinterpret_cast<ItemRecord*>(tv.lParam);
}

// The folder an item stands for (held by the caller), or null.
IShellFolder* CFolderTreeCtrl::FolderOf(HTREEITEM item) const {
    ItemRecord* r = Record(item);
    if (!r || !r->parent) return nullptr;
    if (item == m_root) {
        r->parent->AddRef();
        return r->parent;
    }
    IShellFolder* folder = nullptr;
    if (FAILED(r->parent->BindToObject(r->rel, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
        return nullptr;
    return folder;
}

void CFolderTreeCtrl::Build() {
    if (!m_tree.m_hWnd) return;
    if (!m_built) {
        // The shell's icon list, made the first time it is asked for.
        SHFILEINFOA info = {};
        const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        if (images) TreeView_SetImageList(m_tree.m_hWnd, images, TVSIL_NORMAL);
    }
    m_built = true;
    TreeView_DeleteAllItems(m_tree.m_hWnd);
    m_root = nullptr;
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop) return;
    LPITEMIDLIST self = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &self)) || !self) {
        desktop->Release();
        return;
    }
    auto* record = new ItemRecord;
    record->parent = desktop;  // the root enumerates this folder itself
    record->rel = self;
    record->abs = ::ILClone(self);
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(self), 0, &info, sizeof info,
                     SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    TVINSERTSTRUCTA ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = info.szDisplayName;
    ins.item.iImage = info.iIcon;
    ins.item.iSelectedImage = info.iIcon;
    ins.item.cChildren = 1;
    ins.item.lParam = reinterpret_cast<LPARAM>(record);
    m_root = TreeView_InsertItem(m_tree.m_hWnd, &ins);
    if (!m_root) {
        delete record;
        return;
    }
    TreeView_Expand(m_tree.m_hWnd, m_root, TVE_EXPAND);
    for (HTREEITEM child = TreeView_GetChild(m_tree.m_hWnd, m_root); child;
         child = TreeView_GetNextSibling(m_tree.m_hWnd, child)) {
        if (ItemPath(child).empty()) {
            TreeView_Expand(m_tree.m_hWnd, child, TVE_EXPAND);
            break;
        }
    }
    TreeView_SelectSetFirstVisible(m_tree.m_hWnd, m_root);
}

HTREEITEM CFolderTreeCtrl::InsertItem(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST parentAbs,
                                      LPITEMIDLIST rel) {
    SFGAOF attrs = SFGAO_FOLDER | SFGAO_GHOSTED | SFGAO_HIDDEN | SFGAO_SHARE;
    LPCITEMIDLIST one = rel;
    if (FAILED(folder->GetAttributesOf(1, &one, &attrs))) attrs = 0;
    const bool isFolder = (attrs & SFGAO_FOLDER) != 0;
    const bool ghosted = (attrs & (SFGAO_GHOSTED | SFGAO_HIDDEN)) != 0;
    if (ghosted && !m_showHidden) return nullptr;
    // The filter goes first: the name from the folder is cheap, the
    // absolute list and the icon are not.
    std::string path;
    if (!isFolder) {
        path = ParsingName(folder, rel);
        if (!FileShown(m_filter, path)) return nullptr;
    }
    LPITEMIDLIST abs = Combine(parentAbs, rel);
    if (!abs) return nullptr;
    const std::string name = DisplayName(folder, rel);
    auto* record = new ItemRecord;
    record->parent = folder;
    folder->AddRef();
    record->rel = ::ILClone(rel);
    record->abs = abs;
    if (!record->rel) {
        delete record;
        return nullptr;
    }
    int image = 0;
    const std::string ext = isFolder ? std::string() : sjis::ToLowerAscii(pathutil::ExtensionOf(path));
    if (HasOwnIcon(ext)) {
        image = IconOf(abs, 0);
    } else {
        // One look-up per file type and expansion.
        auto known = m_typeIcons.find(ext);
        if (known == m_typeIcons.end()) {
            SHFILEINFOA info = {};
            ::SHGetFileInfoA(("x." + ext).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                             SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
            known = m_typeIcons.emplace(ext, info.iIcon).first;
        }
        image = known->second;
    }
    TVINSERTSTRUCTA ins = {};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
    ins.item.pszText = const_cast<char*>(name.c_str());
    ins.item.iImage = image;
    ins.item.iSelectedImage = isFolder ? IconOf(abs, SHGFI_OPENICON) : image;
    ins.item.cChildren = isFolder ? 1 : 0;
    ins.item.lParam = reinterpret_cast<LPARAM>(record);
    ins.item.stateMask = TVIS_CUT | TVIS_OVERLAYMASK;
    ins.item.state = (ghosted ? TVIS_CUT : 0) | ((attrs & SFGAO_SHARE) ? INDEXTOOVERLAYMASK(1) : 0);
    HTREEITEM item = TreeView_InsertItem(m_tree.m_hWnd, &ins);
    if (!item) delete record;
    return item;
}

// The folder's own order of its items (column 0).
int CALLBACK CFolderTreeCtrl::CompareItems(LPARAM a, LPARAM b, LPARAM folder) {
    const auto* ra = reinterpret_cast<const ItemRecord*>(a);
    const auto* rb = reinterpret_cast<const ItemRecord*>(b);
    const HRESULT hr = reinterpret_cast<IShellFolder*>(folder)->CompareIDs(0, ra->rel, rb->rel);
    return FAILED(hr) ? 0 : static_cast<short>(HRESULT_CODE(hr));
}

void CFolderTreeCtrl::Expand(HTREEITEM item) {
    ItemRecord* record = Record(item);
    if (!record) return;
    m_currentFolder = PathOfList(record->abs);
    m_typeIcons.clear();
    IShellFolder* folder = FolderOf(item);
    HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
    ::SetCapture(m_tree.m_hWnd);
    int inserted = 0;
    if (folder) {
        IEnumIDList* list = nullptr;
        const SHCONTF what = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
        if (SUCCEEDED(folder->EnumObjects(m_tree.m_hWnd, what, &list)) && list) {
            // The root's children are relative to the desktop, whose own
            // absolute list is empty.
            LPCITEMIDLIST parentAbs = item == m_root ? nullptr : record->abs;
            LPITEMIDLIST rel = nullptr;
            ULONG got = 0;
            ::SendMessageA(m_tree.m_hWnd, WM_SETREDRAW, FALSE, 0);
            while (list->Next(1, &rel, &got) == S_OK && got == 1) {
                if (InsertItem(item, folder, parentAbs, rel)) ++inserted;
                ::CoTaskMemFree(rel);
                rel = nullptr;
            }
            list->Release();
            TVSORTCB sort = {};
            sort.hParent = item;
            sort.lpfnCompare = &CompareItems;
            sort.lParam = reinterpret_cast<LPARAM>(folder);
            TreeView_SortChildrenCB(m_tree.m_hWnd, &sort, FALSE);
            ::SendMessageA(m_tree.m_hWnd, WM_SETREDRAW, TRUE, 0);
        }
        folder->Release();
    }
    if (inserted == 0) {
        TVITEMA tv = {};
        tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
        tv.hItem = item;
        tv.cChildren = 0;
        TreeView_SetItem(m_tree.m_hWnd, &tv);
    }
    ::SetCursor(old ? old : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    ::ReleaseCapture();
}

void CFolderTreeCtrl::DeleteChildren(HTREEITEM item) {
    ::SendMessageA(m_tree.m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (HTREEITEM child = TreeView_GetChild(m_tree.m_hWnd, item); child;) {
        HTREEITEM next = TreeView_GetNextSibling(m_tree.m_hWnd, child);
        TreeView_DeleteItem(m_tree.m_hWnd, child);
        child = next;
    }
    // The control keeps the expanded state of an item without children.
    TVITEMA tv = {};
    tv.mask = TVIF_STATE | TVIF_HANDLE | TVIF_CHILDREN;
    tv.hItem = item;
    tv.stateMask = TVIS_EXPANDEDONCE | TVIS_EXPANDED;
    tv.state = 0;
    tv.cChildren = 1;
    TreeView_SetItem(m_tree.m_hWnd, &tv);
    ::SendMessageA(m_tree.m_hWnd, WM_SETREDRAW, TRUE, 0);
}

void CFolderTreeCtrl::Collapse(HTREEITEM item) {
    if (!item) return;
    TreeView_Expand(m_tree.m_hWnd, item, TVE_COLLAPSE);
    DeleteChildren(item);
}

bool CFolderTreeCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->hwndFrom != m_tree.m_hWnd) return CWnd::OnNotify(wParam, lParam, result);
    *result = 0;
    switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lParam);
        if (nm->action == TVE_EXPAND && !(nm->itemNew.state & TVIS_EXPANDED) &&
            !TreeView_GetChild(m_tree.m_hWnd, nm->itemNew.hItem))
            Expand(nm->itemNew.hItem);
        return true;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lParam);
        if (nm->action == TVE_COLLAPSE) DeleteChildren(nm->itemNew.hItem);
        return true;
    }
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lParam);
        delete reinterpret_cast<ItemRecord*>(nm->itemOld.lParam);
        return true;
    }
    case NM_DBLCLK: {
        TVHITTESTINFO hit = {};
        const DWORD pos = ::GetMessagePos();
        hit.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        ::ScreenToClient(m_tree.m_hWnd, &hit.pt);
        HTREEITEM item = TreeView_HitTest(m_tree.m_hWnd, &hit);
        if (item && (hit.flags & TVHT_ONITEM) && !IsFolderItem(item)) {
            TreeView_SelectItem(m_tree.m_hWnd, item);
            OpenSelected(::GetKeyState(VK_SHIFT) < 0);
            *result = 1;
        }
        return true;
    }
    case NM_RCLICK: {
        *result = 1;
        POINT pt;
        ::GetCursorPos(&pt);
        ShowContextMenu(pt);
        return true;
    }
    case NM_SETFOCUS: OnFocusChange(true); return true;
    case NM_KILLFOCUS: OnFocusChange(false); return true;
    default: return false;
    }
}

LRESULT CFolderTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (m_tree.m_hWnd) ::MoveWindow(m_tree.m_hWnd, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (m_tree.m_hWnd) ::SetFocus(m_tree.m_hWnd);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && RunCommand(LOWORD(wParam))) return 0;
        break;
    case WM_MENUSELECT: {
        const UINT id = LOWORD(wParam);
        if (!m_host) break;
        if (HIWORD(wParam) == 0xFFFF && lParam == 0) m_host->ShowPrompt(LoadResString(IDS_IDLEMESSAGE));
        else if (!(HIWORD(wParam) & MF_POPUP) && id > kLastShellVerbId) {
            const std::string text = LoadResString(id);
            m_host->ShowPrompt(text.substr(0, text.find('\n')));
        }
        break;
    }
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (m_shellMenu) {
            IContextMenu2* menu2 = nullptr;
            if (SUCCEEDED(m_shellMenu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&menu2)))) {
                menu2->HandleMenuMsg(message, wParam, lParam);
                menu2->Release();
            }
        }
        if (message != WM_INITMENUPOPUP) return TRUE;
        break;
    case WM_DESTROY:
        if (m_tree.m_hWnd) TreeView_DeleteAllItems(m_tree.m_hWnd);
        break;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CFolderTreeCtrl::CTreeView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            owner->Activate(false);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            if (owner->m_host) owner->m_host->FocusActiveView();
            return 0;
        }
        if (wParam == VK_SPACE) {
            HTREEITEM sel = TreeView_GetSelection(m_hWnd);
            HTREEITEM to = ::GetKeyState(VK_SHIFT) < 0 ? TreeView_GetPrevVisible(m_hWnd, sel)
                                                       : TreeView_GetNextVisible(m_hWnd, sel);
            if (!sel) to = TreeView_GetRoot(m_hWnd);
            if (to) TreeView_SelectItem(m_hWnd, to);
            return 0;
        }
        break;
    case WM_CHAR:
        // No incremental search on the keys the tree uses itself, and no beep.
        if (wParam == '\r' || wParam == 27 || wParam == ' ') return 0;
        break;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_RBUTTONDOWN: {
        TVHITTESTINFO hit = {};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (HTREEITEM item = TreeView_HitTest(m_hWnd, &hit)) TreeView_SelectItem(m_hWnd, item);
        ::SetFocus(m_hWnd);
        return 0;
    }
    case WM_RBUTTONUP: {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(m_hWnd, &pt);
        owner->ShowContextMenu(pt);
        return 0;
    }
    case WM_CONTEXTMENU:
        if (lParam == static_cast<LPARAM>(-1)) {
            RECT rc = {};
            HTREEITEM sel = TreeView_GetSelection(m_hWnd);
            if (sel) TreeView_GetItemRect(m_hWnd, sel, &rc, TRUE);
            POINT pt = {rc.left, rc.bottom};
            ::ClientToScreen(m_hWnd, &pt);
            owner->ShowContextMenu(pt);
        }
        return 0;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::string CFolderTreeCtrl::ItemPath(HTREEITEM item) const {
    ItemRecord* r = Record(item);
    return r ? PathOfList(r->abs) : std::string();
}

bool CFolderTreeCtrl::IsFolderItem(HTREEITEM item) const {
    if (item == m_root) return true;
    ItemRecord* r = Record(item);
    if (!r || !r->parent) return false;
    SFGAOF attrs = SFGAO_FOLDER;
    LPCITEMIDLIST one = r->rel;
    return SUCCEEDED(r->parent->GetAttributesOf(1, &one, &attrs)) && (attrs & SFGAO_FOLDER);
}

HTREEITEM CFolderTreeCtrl::Selected() const { return m_tree.m_hWnd ? TreeView_GetSelection(m_tree.m_hWnd) : nullptr; }

bool CFolderTreeCtrl::HasFocus() const { return m_tree.m_hWnd && ::GetFocus() == m_tree.m_hWnd; }

bool CFolderTreeCtrl::TakesCommand(UINT id) const {
    if (!HasFocus()) return false;
    HTREEITEM sel = Selected();
    switch (id) {
    case ID_FILE_OPEN:
    case ID_FOLDERTREE_OPEN_READONLY:
    case ID_FOLDERTREE_OPEN_TEMPLATE:
    case ID_FOLDERTREE_INSERT_RELPATH: return sel && !IsFolderItem(sel);
    case ID_FOLDERTREE_SHOW_ALL:
    case ID_FOLDERTREE_PROPERTIES: return sel != nullptr;
    default: return false;
    }
}

bool CFolderTreeCtrl::IsCommandEnabled(UINT id) const {
    HTREEITEM sel = Selected();
    switch (id) {
    case ID_FOLDERTREE_SHOW_ALL:
        return sel && IsFolderItem(sel) &&
               !(TreeView_GetItemState(m_tree.m_hWnd, sel, TVIS_EXPANDED) & TVIS_EXPANDED);
    case ID_FOLDERTREE_OPEN_TEMPLATE:
    case ID_FOLDERTREE_INSERT_RELPATH: return !(m_host && m_host->ActiveTabPreviews());
    default: return true;
    }
}

bool CFolderTreeCtrl::RunCommand(UINT id) {
    switch (id) {
    case ID_FILE_OPEN: OpenSelected(false); return true;
    case ID_FOLDERTREE_OPEN_READONLY: OpenSelected(true); return true;
    case ID_FOLDERTREE_OPEN_TEMPLATE: InsertTemplate(); return true;
    case ID_FOLDERTREE_INSERT_RELPATH: InsertRelativePath(); return true;
    case ID_FOLDERTREE_SHOW_ALL: ShowAllExtensions(); return true;
    case ID_FOLDERTREE_PROPERTIES: ShowProperties(); return true;
    default: return false;
    }
}

bool CFolderTreeCtrl::TakesKey(const MSG& msg) const {
    if (msg.hwnd != m_tree.m_hWnd || (msg.message != WM_KEYDOWN && msg.message != WM_CHAR)) return false;
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
    return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE || msg.wParam == VK_SPACE;
}

void CFolderTreeCtrl::Activate(bool readOnly) {
    HTREEITEM sel = Selected();
    if (!sel) return;
    if (IsFolderItem(sel)) TreeView_Expand(m_tree.m_hWnd, sel, TVE_TOGGLE);
    else OpenSelected(readOnly);
}

void CFolderTreeCtrl::OpenSelected(bool readOnly) {
    const std::string path = ItemPath(Selected());
    if (path.empty()) {
        PqErrorBox(m_hWnd, "ファイルパスの取得に失敗しました。");
        return;
    }
    if (m_host) m_host->OpenFile(path, readOnly);
}

void CFolderTreeCtrl::InsertTemplate() {
    editor::IEditorOps* ed = m_host ? m_host->ActiveEditor() : nullptr;
    if (!ed || ed->IsReadOnly()) {
        ::MessageBeep(MB_OK);
        return;
    }
    const std::string path = ItemPath(Selected());
    if (path.empty()) {
        PqErrorBox(m_hWnd, "ファイルパスの取得に失敗しました。");
        return;
    }
    std::string text;
    if (!m_host->ReadTextFile(path, &text)) {
        PqErrorBox(m_hWnd, path + " のオープンに失敗しました。");
        return;
    }
    ed->ReplaceSelection(text.data(), text.size(), true);
    if (HWND w = m_host->ActiveEditorWindow()) ::SetFocus(w);
}

void CFolderTreeCtrl::InsertRelativePath() {
    editor::IEditorOps* ed = m_host ? m_host->ActiveEditor() : nullptr;
    if (!ed || ed->IsReadOnly()) {
        ::MessageBeep(MB_OK);
        return;
    }
    const std::string document = m_host->ActiveDocumentPath();
    if (document.empty()) {
        PqErrorBox(m_hWnd, "一度も保存していないので相対パスが取得できません");
        return;
    }
    const std::string target = ItemPath(Selected());
    if (target.empty()) {
        PqErrorBox(m_hWnd, "ファイルパスの取得に失敗しました。");
        return;
    }
    const std::string rel = pathutil::ToForwardSlashes(pathutil::MakeRelativePath(pathutil::FolderOf(document), target));
    ed->ReplaceSelection(rel.data(), rel.size(), true);
    if (HWND w = m_host->ActiveEditorWindow()) ::SetFocus(w);
}

void CFolderTreeCtrl::ShowAllExtensions() {
    HTREEITEM sel = Selected();
    if (!sel) return;
    const std::string kept = m_filter;
    m_filter = "*";
    TreeView_Expand(m_tree.m_hWnd, sel, TVE_EXPAND);
    m_filter = kept;
}

void CFolderTreeCtrl::ShowProperties() {
    ItemRecord* r = Record(Selected());
    if (!r) return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = m_hWnd;
    info.lpVerb = "properties";
    info.lpIDList = r->abs;
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExA(&info);
}

void CFolderTreeCtrl::ShowContextMenu(POINT screen) {
    HTREEITEM item = Selected();
    if (!item) item = m_root;
    if (!item) return;
    HMENU loaded = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_PANE_MENUS));
    if (!loaded) return;
    HMENU tree = ::GetSubMenu(loaded, 1);
    HMENU popup = tree ? ::GetSubMenu(tree, IsFolderItem(item) ? 0 : 1) : nullptr;
    if (!popup) {
        ::DestroyMenu(loaded);
        return;
    }
    ItemRecord* r = Record(item);
    if (item != m_root && r && r->parent) {
        LPCITEMIDLIST one = r->rel;
        IContextMenu* menu = nullptr;
        if (SUCCEEDED(r->parent->GetUIObjectOf(m_hWnd, 1, &one, IID_IContextMenu, nullptr,
                                               reinterpret_cast<void**>(&menu))) && menu) {
            if (SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, kLastShellVerbId, CMF_VERBSONLY))) m_shellMenu = menu;
            else menu->Release();
        }
    }
    // Greying by the state now: the menu's own items.
    const UINT ownIds[] = {ID_FOLDERTREE_SHOW_ALL, ID_FOLDERTREE_OPEN_TEMPLATE, ID_FOLDERTREE_INSERT_RELPATH};
    for (UINT id : ownIds)
        ::EnableMenuItem(popup, id, MF_BYCOMMAND | (IsCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr));
    if (m_host) m_host->ShowPrompt(LoadResString(IDS_IDLEMESSAGE));
    bool taken = false;
    if (m_shellMenu) {
        if (chosen >= 1 && chosen <= kLastShellVerbId) {
            CMINVOKECOMMANDINFO invoke = {};
            invoke.cbSize = sizeof invoke;
            invoke.hwnd = m_hWnd;
            invoke.lpVerb = MAKEINTRESOURCEA(chosen - 1);
            invoke.nShow = SW_SHOWNORMAL;
            taken = SUCCEEDED(m_shellMenu->InvokeCommand(&invoke));
        }
        m_shellMenu->Release();
        m_shellMenu = nullptr;
    }
    ::DestroyMenu(loaded);
    if (!taken && chosen > kLastShellVerbId) RunCommand(chosen);
}

void CFolderTreeCtrl::OnFocusChange(bool gained) {
    HWND editor = m_host ? m_host->ActiveEditorWindow() : nullptr;
    if (!editor) return;
    HIMC imc = ::ImmGetContext(editor);
    if (!imc) return;
    if (gained) {
        if (::ImmGetOpenStatus(imc)) {
            ::ImmSetOpenStatus(imc, FALSE);
            m_imeWasOpen = true;
        }
    } else if (m_imeWasOpen) {
        ::ImmSetOpenStatus(imc, TRUE);
        m_imeWasOpen = false;
    }
    ::ImmReleaseContext(editor, imc);
}

HTREEITEM CFolderTreeCtrl::GoToFolder(const std::string& target) {
    if (!m_root || target.empty()) return nullptr;
    HTREEITEM last = nullptr;
    HTREEITEM level = TreeView_GetChild(m_tree.m_hWnd, m_root);
    bool matchedAtTop = false;
    for (HTREEITEM c = level; c; c = TreeView_GetNextSibling(m_tree.m_hWnd, c)) {
        if (IsFolderOnPath(ItemPath(c), target)) {
            matchedAtTop = true;
            break;
        }
    }
    if (!matchedAtTop) {
        for (HTREEITEM c = level; c; c = TreeView_GetNextSibling(m_tree.m_hWnd, c)) {
            if (ItemPath(c).empty()) {
                TreeView_Expand(m_tree.m_hWnd, c, TVE_EXPAND);
                level = TreeView_GetChild(m_tree.m_hWnd, c);
                break;
            }
        }
    }
    while (level) {
        HTREEITEM match = nullptr;
        for (HTREEITEM c = level; c; c = TreeView_GetNextSibling(m_tree.m_hWnd, c)) {
            if (IsFolderItem(c) && IsFolderOnPath(ItemPath(c), target)) {
                match = c;
                break;
            }
        }
        if (!match) break;
        TreeView_Expand(m_tree.m_hWnd, match, TVE_EXPAND);
        TreeView_EnsureVisible(m_tree.m_hWnd, match);
        last = match;
        level = TreeView_GetChild(m_tree.m_hWnd, match);
    }
    return last;
}

void CFolderTreeCtrl::GoToStartFolder() {
    BuildOnce();
    const std::string target = m_options.StartTarget();
    if (target.empty()) return;
    if (HTREEITEM last = GoToFolder(target)) {
        TreeView_SelectItem(m_tree.m_hWnd, last);
        TreeView_EnsureVisible(m_tree.m_hWnd, last);
    }
}

void CFolderTreeCtrl::ApplySettings(const FolderTreeSettings& settings, bool rebuild) {
    if (m_options.Apply(settings, rebuild)) {
        m_filter = m_options.Filter();
        m_showHidden = m_options.ShowHidden();
        // The folder the user was in is opened again, so that the new
        // filter shows there and the folder stored at close stays his.
        const std::string kept = m_currentFolder;
        Build();
        if (!kept.empty()) {
            if (HTREEITEM last = GoToFolder(LastDirPathForm(kept))) TreeView_SelectItem(m_tree.m_hWnd, last);
        }
    }
}

void CFolderTreeCtrl::SaveSettings() {
    if (settings::SettingsStore* store = settings::Current()) m_options.Save(*store, m_currentFolder);
}

}  // namespace filetree
