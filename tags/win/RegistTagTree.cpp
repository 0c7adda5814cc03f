#include "tags/win/RegistTagTree.h"

#include <commctrl.h>
#include <imm.h>

#include <cstdlib>
#include <cstring>

#include "config/core/SettingsStore.h"
#include "config/win/CommandManager.h"
#include "editor/win/CanvasEdit.h"
#include "framework/core/FileError.h"
#include "framework/core/Sjis.h"
#include "framework/win/File.h"
#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"
#include "tags/core/TagFileFormat.h"
#include "tags/win/InteractiveTagDlgs.h"
#include "tags/win/TagDialogs.h"

namespace tagswin {

namespace {

constexpr char kPaneClass[] = "PqRegistTagPane";
constexpr int kFileImage = 0;
constexpr std::size_t kLabelLimit = 127;

HTREEITEM ItemOf(void* p) { return static_cast<HTREEITEM>(p); }

// Sets an item's label unless it already reads so. Wine's tree view measures
// every shown item again on each change of a label, so relabelling a full
// store item by item took minutes; an unchanged label costs only the read.
void SetItemText(HWND tree, HTREEITEM item, const std::string& text) {
    std::string current(text.size() + 2, '\0');
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = &current[0];
    tv.cchTextMax = static_cast<int>(current.size());
    if (::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) &&
        std::strlen(current.c_str()) == text.size() && current.compare(0, text.size(), text) == 0)
        return;
    tv.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

}  // namespace

CRegistTagTree::CRegistTagTree() : m_store(m_kinds) { m_kinds.SetEnvironment(this); }

CRegistTagTree::~CRegistTagTree() {
    m_store.Clear();
    if (m_images) ImageList_Destroy(m_images);
}

bool CRegistTagTree::Create(HWND parent, ITagPaneHost* host, bool load) {
    m_host = host;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPaneClass;
    if (!RegisterWindowClass(wc)) return false;
    if (!CreateEx(WS_EX_CLIENTEDGE, kPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 200, parent, 0))
        return false;
    m_tree.owner = this;
    const DWORD style = WS_CHILD | WS_VISIBLE | TVS_EDITLABELS | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS |
                        TVS_FULLROWSELECT | TVS_NONEVENHEIGHT;
    if (!m_tree.CreateEx(0, WC_TREEVIEWA, "", style, 0, 0, 200, 200, m_hWnd, IDC_REGIST_TAG_TREE)) return false;
    RegisterDropTarget();

    // Image 0 the tag file, then the two images of each kind.
    m_images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 7, 0);
    for (int id : {IDB_TAG_FILE, IDB_TAG_SIMPLE, IDB_TAG_INTERACTIVE, IDB_TAG_PLUGIN}) {
        HBITMAP bmp = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        if (bmp) {
            ImageList_AddMasked(m_images, bmp, RGB(255, 0, 255));
            ::DeleteObject(bmp);
        }
    }
    ::SendMessageA(m_tree.m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images));
    for (int k = 0; k < tags::kKindCount; ++k) {
        tags::CTagKind* kind = m_kinds.Of(k);
        kind->image1 = 1 + 2 * k;
        kind->image2 = 2 + 2 * k;
        kind->cursor1 = tags::KindTable[k].cursor1;
        kind->cursor2 = tags::KindTable[k].cursor2;
    }

    if (CWinApp* app = CWinApp::Current()) app->AddPreTranslateHandler(&m_pluginKeys);
    if (load) LoadStore();
    return true;
}

void CRegistTagTree::LoadStore() {
    if (m_loaded || !m_tree.m_hWnd) return;
    m_loaded = true;
    if (const settings::SettingsStore* store = settings::Current()) {
        m_store.Load(*store);
    } else {
        m_store.MakeSamples();
    }
    BuildItems();
    AfterChange(false);
}

void CRegistTagTree::SaveStore() {
    if (m_saved || !m_loaded) return;
    m_saved = true;
    if (settings::SettingsStore* store = settings::Current()) m_store.Save(*store);
}

// --- Items --------------------------------------------------------------------

void CRegistTagTree::BuildItems() {
    ::SendMessageA(m_tree.m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (std::size_t f = 0; f < m_store.Files().size(); ++f) InsertFileItem(static_cast<int>(f));
    if (HTREEITEM first = TreeView_GetRoot(m_tree.m_hWnd)) TreeView_EnsureVisible(m_tree.m_hWnd, first);
}

void CRegistTagTree::InsertFileItem(int f) {
    tags::TagFile& file = m_store.Files()[static_cast<std::size_t>(f)];
    TVINSERTSTRUCTA ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(file.name.c_str());
    ins.item.iImage = ins.item.iSelectedImage = kFileImage;
    ins.item.lParam = 0;
    file.treeItem = reinterpret_cast<HTREEITEM>(::SendMessageA(m_tree.m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    for (std::size_t t = 0; t < file.tags.size(); ++t) InsertTagItem(f, static_cast<int>(t), TVI_LAST);
    if (file.expand == 1) TreeView_Expand(m_tree.m_hWnd, ItemOf(file.treeItem), TVE_EXPAND);
}

HTREEITEM CRegistTagTree::InsertTagItem(int f, int t, HTREEITEM after) {
    tags::TagFile& file = m_store.Files()[static_cast<std::size_t>(f)];
    tags::TagEntry& e = file.tags[static_cast<std::size_t>(t)];
    const tags::CTagKind* kind = m_kinds.Of(e.kind);
    if (!kind) return nullptr;  // a kind this program does not know is not shown
    const std::string name = kind->GetName(e.record.get());
    TVINSERTSTRUCTA ins = {};
    ins.hParent = ItemOf(file.treeItem);
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(name.c_str());
    ins.item.iImage = ins.item.iSelectedImage = kind->ImageIndex(e.record.get());
    ins.item.lParam = 1;
    e.treeItem = reinterpret_cast<HTREEITEM>(::SendMessageA(m_tree.m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    return ItemOf(e.treeItem);
}

bool CRegistTagTree::Locate(HTREEITEM item, int* file, int* tag) const {
    if (!item) return false;
    const auto& files = m_store.Files();
    for (std::size_t f = 0; f < files.size(); ++f) {
        if (ItemOf(files[f].treeItem) == item) {
            *file = static_cast<int>(f);
            *tag = -1;
            return true;
        }
        for (std::size_t t = 0; t < files[f].tags.size(); ++t) {
            if (ItemOf(files[f].tags[t].treeItem) == item) {
                *file = static_cast<int>(f);
                *tag = static_cast<int>(t);
                return true;
            }
        }
    }
    return false;
}

bool CRegistTagTree::Selected(int* file, int* tag) const {
    return Locate(TreeView_GetSelection(m_tree.m_hWnd), file, tag);
}

void CRegistTagTree::Select(int file, int tag) {
    if (file < 0 || file >= static_cast<int>(m_store.Files().size())) return;
    const tags::TagFile& f = m_store.Files()[static_cast<std::size_t>(file)];
    void* item = f.treeItem;
    if (tag >= 0 && tag < static_cast<int>(f.tags.size())) item = f.tags[static_cast<std::size_t>(tag)].treeItem;
    TreeView_SelectItem(m_tree.m_hWnd, ItemOf(item));
}

std::string CRegistTagTree::ItemLabel(int file, int tag) const {
    if (file < 0 || file >= static_cast<int>(m_store.Files().size())) return {};
    const tags::TagFile& f = m_store.Files()[static_cast<std::size_t>(file)];
    void* item = tag < 0 ? f.treeItem : (tag < static_cast<int>(f.tags.size()) ? f.tags[static_cast<std::size_t>(tag)].treeItem : nullptr);
    if (!item) return {};
    char text[600] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = ItemOf(item);
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    ::SendMessageA(m_tree.m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

void CRegistTagTree::RefreshLabels() {
    m_store.AssignIds();
    const keys::KeyTable table = m_host && m_host->KeyCommands() ? m_host->KeyCommands()->CopyKeyTable() : keys::KeyTable();
    for (tags::TagFile& f : m_store.Files())
        for (tags::TagEntry& e : f.tags)
            if (e.treeItem) SetItemText(m_tree.m_hWnd, ItemOf(e.treeItem), m_store.Label(e, table));
}

void CRegistTagTree::RebuildTagMenu() {
    if (m_host && m_host->KeyCommands()) m_host->KeyCommands()->RebuildMenus(CommandManager::kRegisteredTagsMenu);
}

void CRegistTagTree::AfterChange(bool remapKeys) {
    if (remapKeys && m_host && m_host->KeyCommands()) {
        keys::KeyTable table = m_host->KeyCommands()->CopyKeyTable();
        if (m_store.RemapKeys(table)) m_host->KeyCommands()->InstallKeyTable(table);
    }
    RefreshLabels();
    RebuildTagMenu();
}

// --- Commands -------------------------------------------------------------------

bool CRegistTagTree::IsPaneCommandEnabled(UINT id) const {
    const bool hasItems = TreeView_GetRoot(m_tree.m_hWnd) != nullptr;
    int f = -1, t = -1;
    const bool selected = Selected(&f, &t);
    switch (id) {
        case ID_TAG_NEW_FILE:
        case ID_TAG_KEY_DISPLAY:
        case ID_TAG_IMPORT:
            return true;
        case ID_TAG_INSERT:
            return selected && t >= 0;
        case ID_TAG_PROPERTIES:
        case ID_TAG_NEW_SIMPLE:
        case ID_TAG_NEW_INTERACTIVE:
        case ID_TAG_NEW_PLUGIN:
        case ID_TAG_DELETE:
        case ID_TAG_RENAME:
        case ID_TAG_EXPORT:
            return hasItems;
        default:
            return false;
    }
}

void CRegistTagTree::RunPaneCommand(UINT id) {
    if (!IsPaneCommandEnabled(id)) return;
    switch (id) {
        case ID_TAG_INSERT: RunSelected(); break;
        case ID_TAG_NEW_FILE: NewFile(); break;
        case ID_TAG_DELETE: DeleteSelected(); break;
        case ID_TAG_RENAME:
            if (HTREEITEM item = TreeView_GetSelection(m_tree.m_hWnd)) {
                ::SetFocus(m_tree.m_hWnd);
                TreeView_EditLabel(m_tree.m_hWnd, item);
            }
            break;
        case ID_TAG_KEY_DISPLAY:
            m_store.keyDisplay = !m_store.keyDisplay;
            RefreshLabels();
            break;
        case ID_TAG_IMPORT: Import(); break;
        case ID_TAG_EXPORT: Export(); break;
        case ID_TAG_PROPERTIES: Properties(); break;
        default:
            for (int k = 0; k < tags::kKindCount; ++k)
                if (tags::KindTable[k].newCommand == id) NewTag(k);
            break;
    }
}

void CRegistTagTree::RunSelected() {
    int f = -1, t = -1;
    if (Selected(&f, &t) && t >= 0) RunTagCommand(tags::TagId(f, t), false);
}

void CRegistTagTree::NewFile() {
    const int f = m_store.AddFile(tags::kNewFileName);
    if (f < 0) {
        PqErrorBox(m_host ? m_host->FrameWindow() : m_hWnd, tags::kTooManyFilesMessage);
        return;
    }
    InsertFileItem(f);
    Select(f, -1);
    AfterChange(true);
    Properties();
}

void CRegistTagTree::NewTag(int kind) {
    int f = -1, t = -1;
    if (!Selected(&f, &t)) return;
    const int added = m_store.AddTag(f, kind);
    if (added < 0) {
        PqErrorBox(m_host ? m_host->FrameWindow() : m_hWnd, tags::kTooManyTagsMessage);
        return;
    }
    InsertTagItem(f, added, TVI_LAST);
    TreeView_Expand(m_tree.m_hWnd, ItemOf(m_store.Files()[static_cast<std::size_t>(f)].treeItem), TVE_EXPAND);
    Select(f, added);
    AfterChange(true);
    Properties();
}

void CRegistTagTree::DeleteSelected() {
    int f = -1, t = -1;
    if (!Selected(&f, &t)) return;
    tags::TagFile& file = m_store.Files()[static_cast<std::size_t>(f)];
    HTREEITEM item;
    if (t < 0) {
        if (!file.tags.empty() &&
            PqQuestionBox(m_host ? m_host->FrameWindow() : m_hWnd,
                          "'" + ItemLabel(f, -1) + "' にはタグが登録されています。\n削除してもよろしいですか？") != IDOK)
            return;
        item = ItemOf(file.treeItem);
        m_store.RemoveFile(f);
    } else {
        item = ItemOf(file.tags[static_cast<std::size_t>(t)].treeItem);
        m_store.DeleteTag(f, t);
    }
    if (item) TreeView_DeleteItem(m_tree.m_hWnd, item);
    AfterChange(true);
}

void CRegistTagTree::Properties() {
    int f = -1, t = -1;
    if (!Selected(&f, &t)) return;
    tags::TagFile& file = m_store.Files()[static_cast<std::size_t>(f)];
    HWND owner = m_host ? m_host->FrameWindow() : m_hWnd;
    if (t < 0) {
        std::string name = file.name;
        CFilePropDlg dialog(name, owner);
        if (dialog.DoModal() != IDOK) return;
        m_store.RenameFile(f, name);
        SetItemText(m_tree.m_hWnd, ItemOf(file.treeItem), file.name);
        AfterChange(true);
        return;
    }
    tags::TagEntry& e = file.tags[static_cast<std::size_t>(t)];
    tags::CTagKind* kind = m_kinds.Of(e.kind);
    if (!kind) return;
    const int result = kind->Properties(e.record.get());
    if (result != IDOK && result != kind->KeySettingsResult()) return;
    TVITEMA tv = {};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = ItemOf(e.treeItem);
    tv.iImage = tv.iSelectedImage = kind->ImageIndex(e.record.get());
    ::SendMessageA(m_tree.m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    AfterChange(true);
    if (result == kind->KeySettingsResult() && m_host) m_host->OpenKeySettings();
}

void CRegistTagTree::Import() {
    CFileDialog dialog(true, tags::kTagFileExtension, ProgramFolder() + tags::kTagFileInitialName,
                       OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, tags::kTagFileFilter, m_host ? m_host->FrameWindow() : m_hWnd);
    if (dialog.DoModal() == IDOK) ImportFrom(dialog.GetPathName());
}

void CRegistTagTree::Export() {
    CFileDialog dialog(false, tags::kTagFileExtension, ProgramFolder() + tags::kTagFileInitialName,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, tags::kTagFileFilter,
                       m_host ? m_host->FrameWindow() : m_hWnd);
    if (dialog.DoModal() == IDOK) ExportTo(dialog.GetPathName());
}

void CRegistTagTree::ImportFrom(const std::string& path) {
    HWND owner = m_host ? m_host->FrameWindow() : m_hWnd;
    CFile file;
    CFileError error;
    std::string bytes;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error) || !file.ReadAll(&bytes, &error)) {
        PqErrorBox(owner, fileerr::FullMessage(path, error.Failed() ? error.cause : fileerr::Cause::Generic));
        return;
    }
    file.Close();
    const std::size_t before = m_store.Files().size();
    const tags::ImportResult r = m_store.Import(bytes);
    for (std::size_t f = before; f < m_store.Files().size(); ++f) InsertFileItem(static_cast<int>(f));
    if (r.files > 0) AfterChange(false);
    if (r.tooManyFiles) PqErrorBox(owner, tags::kTooManyFilesMessage);
    if (r.tooManyTags) PqErrorBox(owner, tags::kTooManyTagsMessage);
}

bool CRegistTagTree::ExportTo(const std::string& path) {
    // The old file stays whole until every byte of the new one is on the disk.
    CFileError error;
    if (WriteFileReplacing(path, m_store.ExportText(), &error)) return true;
    PqErrorBox(m_host ? m_host->FrameWindow() : m_hWnd,
               fileerr::FullMessage(path, error.Failed() ? error.cause : fileerr::Cause::Generic));
    return false;
}

bool CRegistTagTree::MoveTag(int file, int tag, int toFile, int before) {
    const auto& files = m_store.Files();
    if (file < 0 || file >= static_cast<int>(files.size()) || tag < 0 ||
        tag >= static_cast<int>(files[static_cast<std::size_t>(file)].tags.size()))
        return false;
    const tags::TagRecord* moved = files[static_cast<std::size_t>(file)].tags[static_cast<std::size_t>(tag)].record.get();
    if (!moved || !m_store.MoveTag(file, tag, toFile, before)) return false;
    BuildItems();
    for (std::size_t f = 0; f < files.size(); ++f)
        for (std::size_t t = 0; t < files[f].tags.size(); ++t)
            if (files[f].tags[t].record.get() == moved) Select(static_cast<int>(f), static_cast<int>(t));
    AfterChange(true);
    return true;
}

bool CRegistTagTree::MoveTagFile(int file, int before) {
    const int n = static_cast<int>(m_store.Files().size());
    if (!m_store.MoveTagFile(file, before)) return false;
    if (before < 0 || before > n) before = n;
    BuildItems();
    Select(before > file ? before - 1 : before, -1);
    AfterChange(true);
    return true;
}

// --- What other parts of the program use ------------------------------------------

bool CRegistTagTree::RunTagCommand(unsigned id, bool fromKey) {
    tags::TagEntry* e = m_store.FindById(id);
    if (!e) {
        if (fromKey) PqErrorBox(m_host ? m_host->FrameWindow() : m_hWnd, kShortcutMessage);
        return fromKey;
    }
    m_kinds.Of(e->kind)->Execute(e->record.get());
    return true;
}

bool CRegistTagTree::IsTagCommandEnabled(unsigned id) { return m_store.FindById(id) != nullptr; }

std::string CRegistTagTree::TagComment(unsigned id) {
    tags::TagEntry* e = m_store.FindById(id);
    return e ? m_kinds.Of(e->kind)->GetComment(e->record.get()) : std::string();
}

std::vector<commands::TagMenuFile> CRegistTagTree::TagMenu() {
    std::vector<commands::TagMenuFile> menu;
    for (const tags::TagFile& f : m_store.Files()) {
        commands::TagMenuFile m;
        m.name = f.name;
        for (const tags::TagEntry& e : f.tags) {
            if (!e.Known()) continue;
            m.tags.push_back(m_store.Name(e));
            m.ids.push_back(e.commandId);
        }
        menu.push_back(std::move(m));
    }
    return menu;
}

std::vector<std::pair<std::string, unsigned>> CRegistTagTree::RightClickTags() {
    std::vector<std::pair<std::string, unsigned>> marked;
    int position = 0;
    for (const tags::TagFile& f : m_store.Files())
        for (const tags::TagEntry& e : f.tags)
            if (e.Known() && m_kinds.Of(e.kind)->InMenu(e.record.get()))
                marked.emplace_back(tags::MenuLabel(m_store.Name(e), position++), e.commandId);
    return marked;
}

HMENU CRegistTagTree::BuildTagMenu() {
    const std::vector<std::pair<std::string, unsigned>> marked = RightClickTags();
    if (marked.empty()) return nullptr;
    HMENU menu = ::CreatePopupMenu();
    for (const auto& tag : marked) ::AppendMenuA(menu, MF_STRING, tag.second, tag.first.c_str());
    return menu;
}

std::string CRegistTagTree::GetTagName(int file, int tag) {
    tags::TagEntry* e = m_store.FindById(tags::TagId(file, tag));
    return e ? m_store.Name(*e) : std::string();
}

std::string CRegistTagTree::GetTagComment(int file, int tag) { return TagComment(tags::TagId(file, tag)); }

editor::IEditorOps* CRegistTagTree::ActiveEditor() {
    CCanvasEdit* editor = m_host ? m_host->ActiveEditor() : nullptr;
    return editor ? &editor->Ops() : nullptr;
}

void CRegistTagTree::FocusEditor() {
    if (CCanvasEdit* editor = m_host ? m_host->ActiveEditor() : nullptr) ::SetFocus(editor->m_hWnd);
}

int CRegistTagTree::SimpleProperties(tags::SimpleTagData& record) {
    CSimpleTagDlg dialog(record, m_host ? m_host->FrameWindow() : m_hWnd);
    return static_cast<int>(dialog.DoModal());
}

int CRegistTagTree::PluginProperties(tags::PluginTagData& record) {
    CPluginDlg dialog(record, m_host ? m_host->FrameWindow() : m_hWnd);
    return static_cast<int>(dialog.DoModal());
}

int CRegistTagTree::InteractiveProperties(tags::InteractiveTagData& record) {
    CInteractiveTagDlg dialog(record, m_host ? m_host->FrameWindow() : m_hWnd);
    return static_cast<int>(dialog.DoModal());
}

bool CRegistTagTree::AskTagValues(const tags::InteractiveTagData& record, std::vector<std::string>* values) {
    const std::string base = tags::DocumentFolder(m_host ? m_host->ActiveDocumentPath() : std::string());
    CTagInsertDlg dialog(record, base, m_host ? m_host->FrameWindow() : m_hWnd);
    if (dialog.DoModal() != IDOK) return false;
    *values = dialog.Values();
    return true;
}

void CRegistTagTree::RunPlugin(tags::PluginTagData& record) {
    CCanvasEdit* editor = m_host ? m_host->ActiveEditor() : nullptr;
    tagswin::RunPlugin(record, m_host ? m_host->FrameWindow() : m_hWnd, editor ? editor->m_hWnd : nullptr);
}

void CRegistTagTree::ReleasePlugin(tags::PluginTagData& record) { tagswin::ReleasePlugin(record); }

// --- Messages ---------------------------------------------------------------------

void CRegistTagTree::ShowPrompt(int id) {
    if (!m_host) return;
    if (id < 0) {
        m_host->ShowPrompt("レディ");
    } else if (tags::IsTagId(static_cast<unsigned>(id))) {
        m_host->ShowPrompt(TagComment(static_cast<unsigned>(id)));
    } else {
        char text[512] = {};
        ::LoadStringA(::GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text);
        std::string prompt = text;
        m_host->ShowPrompt(prompt.substr(0, prompt.find('\n')));
    }
}

void CRegistTagTree::ShowContextMenu(POINT screen) {
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_PANE_MENUS));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu, 0);
    for (int i = 0, n = ::GetMenuItemCount(popup); i < n; ++i) {
        const UINT id = ::GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;
        ::EnableMenuItem(popup, id, MF_BYCOMMAND | (IsPaneCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(popup, id, MF_BYCOMMAND | (IsPaneCommandChecked(id) ? MF_CHECKED : MF_UNCHECKED));
    }
    const UINT cmd = static_cast<UINT>(
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, m_hWnd, nullptr));
    ::DestroyMenu(menu);
    ShowPrompt(-1);
    if (cmd) RunPaneCommand(cmd);
}

bool CRegistTagTree::OnTreeKey(UINT key) {
    HWND tree = m_tree.m_hWnd;
    int f = -1, t = -1;
    const bool selected = Selected(&f, &t);
    switch (key) {
        case VK_RETURN:
            if (selected && t >= 0) RunSelected();
            else if (selected) TreeView_Expand(tree, TreeView_GetSelection(tree), TVE_TOGGLE);
            return true;
        case VK_ESCAPE:
            if (m_host) m_host->FocusDocument();
            return true;
        case VK_SPACE: {
            HTREEITEM cur = TreeView_GetSelection(tree);
            const bool back = ::GetKeyState(VK_SHIFT) < 0;
            HTREEITEM next = cur ? (back ? TreeView_GetPrevVisible(tree, cur) : TreeView_GetNextVisible(tree, cur))
                                 : TreeView_GetRoot(tree);
            if (next) TreeView_SelectItem(tree, next);
            return true;
        }
        case VK_DELETE:
            DeleteSelected();
            return true;
        default:
            return false;
    }
}

bool CRegistTagTree::CTreeCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_KEYDOWN:
            if (owner->OnTreeKey(static_cast<UINT>(wParam))) {
                *result = 0;
                return true;
            }
            break;
        case WM_CHAR:
            // Enter, Escape and Space do their work on the key; no beep.
            if (wParam == '\r' || wParam == 0x1B || wParam == ' ') {
                *result = 0;
                return true;
            }
            break;
        case WM_LBUTTONDOWN: {
            TVHITTESTINFO hit = {};
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            owner->m_downItem = TreeView_HitTest(m_hWnd, &hit);
            owner->m_downPoint = hit.pt;
            owner->m_buttonDown = owner->m_downItem != nullptr;
            break;
        }
        case WM_LBUTTONUP:
            owner->m_buttonDown = false;
            break;
        case WM_MOUSEMOVE: {
            // A drag starts once the pointer leaves the system's drag
            // rectangle around the point where the button went down.
            const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (owner->m_buttonDown && (wParam & MK_LBUTTON) && !owner->m_dragging &&
                (std::abs(pt.x - owner->m_downPoint.x) > ::GetSystemMetrics(SM_CXDRAG) ||
                 std::abs(pt.y - owner->m_downPoint.y) > ::GetSystemMetrics(SM_CYDRAG))) {
                owner->m_buttonDown = false;
                owner->StartDrag(owner->m_downItem);
                *result = 0;
                return true;
            }
            if (!(wParam & MK_LBUTTON)) owner->m_buttonDown = false;
            break;
        }
        case WM_RBUTTONDOWN: {
            ::SetFocus(m_hWnd);
            TVHITTESTINFO hit = {};
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (HTREEITEM item = TreeView_HitTest(m_hWnd, &hit)) TreeView_SelectItem(m_hWnd, item);
            *result = 0;
            return true;
        }
        case WM_RBUTTONUP: {
            ::SetFocus(m_hWnd);
            if (!TreeView_GetSelection(m_hWnd))
                if (HTREEITEM first = TreeView_GetRoot(m_hWnd)) TreeView_SelectItem(m_hWnd, first);
            POINT pt;
            ::GetCursorPos(&pt);
            owner->ShowContextMenu(pt);
            *result = 0;
            return true;
        }
        default:
            break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

bool CRegistTagTree::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SIZE:
            if (m_tree.m_hWnd) ::MoveWindow(m_tree.m_hWnd, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            *result = 0;
            return true;
        case WM_SETFOCUS:
            if (m_tree.m_hWnd) ::SetFocus(m_tree.m_hWnd);
            *result = 0;
            return true;
        case WM_MENUSELECT:
            if (!(HIWORD(wParam) & MF_POPUP) && LOWORD(wParam)) ShowPrompt(LOWORD(wParam));
            *result = 0;
            return true;
        case WM_DESTROY:
            if (CWinApp* app = CWinApp::Current()) app->RemovePreTranslateHandler(&m_pluginKeys);
            RevokeDropTarget();
            m_store.Clear();  // plug-ins release their modules
            break;
        default:
            break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

bool CRegistTagTree::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr->hwndFrom != m_tree.m_hWnd) return CWnd::OnNotify(wParam, lParam, result);
    HWND tree = m_tree.m_hWnd;
    int f = -1, t = -1;
    switch (hdr->code) {
        case TVN_SELCHANGEDA: {
            const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(lParam);
            if (Locate(nm->itemNew.hItem, &f, &t))
                ShowPrompt(t < 0 ? -1 : static_cast<int>(tags::TagId(f, t)));
            *result = 0;
            return true;
        }
        case TVN_ITEMEXPANDEDA: {
            const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(lParam);
            if (Locate(nm->itemNew.hItem, &f, &t) && t < 0)
                m_store.Files()[static_cast<std::size_t>(f)].expand = (nm->action & TVE_EXPAND) ? 1 : 0;
            *result = 0;
            return true;
        }
        case NM_DBLCLK:
            if (Selected(&f, &t) && t >= 0) {
                RunSelected();
                *result = 1;  // a tag item does not toggle
            } else {
                *result = 0;
            }
            return true;
        case TVN_BEGINLABELEDITA: {
            const auto* nm = reinterpret_cast<const NMTVDISPINFOA*>(lParam);
            HWND edit = TreeView_GetEditControl(tree);
            if (Locate(nm->item.hItem, &f, &t) && edit) {
                ::SendMessageA(edit, EM_LIMITTEXT, kLabelLimit, 0);
                // A tag is edited without its key text.
                if (t >= 0) ::SetWindowTextA(edit, GetTagName(f, t).c_str());
            }
            *result = FALSE;
            return true;
        }
        case TVN_ENDLABELEDITA: {
            const auto* nm = reinterpret_cast<const NMTVDISPINFOA*>(lParam);
            *result = FALSE;
            if (!nm->item.pszText || !Locate(nm->item.hItem, &f, &t)) return true;
            const std::string text = sjis::CutAtBoundary(nm->item.pszText, kLabelLimit);
            tags::TagFile& file = m_store.Files()[static_cast<std::size_t>(f)];
            if (t < 0) {
                m_store.RenameFile(f, text);
                SetItemText(tree, ItemOf(file.treeItem), file.name);
                RebuildTagMenu();
            } else {
                tags::TagEntry& e = file.tags[static_cast<std::size_t>(t)];
                m_kinds.Of(e.kind)->SetName(e.record.get(), text);
                RefreshLabels();
                RebuildTagMenu();
            }
            return true;
        }
        case NM_SETFOCUS:
            if (CCanvasEdit* editor = m_host ? m_host->ActiveEditor() : nullptr) {
                if (HIMC imc = ::ImmGetContext(editor->m_hWnd)) {
                    if (::ImmGetOpenStatus(imc)) {
                        ::ImmSetOpenStatus(imc, FALSE);
                        m_imeClosed = true;
                    }
                    ::ImmReleaseContext(editor->m_hWnd, imc);
                }
            }
            *result = 0;
            return true;
        case NM_KILLFOCUS:
            if (m_imeClosed) {
                m_imeClosed = false;
                if (CCanvasEdit* editor = m_host ? m_host->ActiveEditor() : nullptr) {
                    if (HIMC imc = ::ImmGetContext(editor->m_hWnd)) {
                        ::ImmSetOpenStatus(imc, TRUE);
                        ::ImmReleaseContext(editor->m_hWnd, imc);
                    }
                }
            }
            ShowPrompt(-1);
            *result = 0;
            return true;
        default:
            return CWnd::OnNotify(wParam, lParam, result);
    }
}

}  // namespace tagswin
