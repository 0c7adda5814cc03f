#include "shell/win/MainFrame.h"

#include <cstring>

#include "framework/core/AppInfo.h"
#include "config/win/CustomizeSheet.h"
#include "config/win/KeyHelpDialog.h"
#include "config/core/SettingsStore.h"
#include "documents/core/TextCodec.h"
#include "shell/core/FrameState.h"
#include "shell/win/BookmarkCommands.h"
#include "shell/win/EditCommands.h"
#include "search/win/SearchCommands.h"
#include "shell/win/HelpCommands.h"
#include "framework/win/ForeignMessages.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace {
constexpr int kStatusPanes = 4;  // prompt, caret position, load code, line end

// The question for the current editor writes its answer through lParam: a
// posted one carries an address nobody vouches for, and is dropped
// whichever loop takes it.
bool PostedEditorQuestion(const MSG& msg) {
    if (msg.message != WM_COMMAND || msg.wParam != CMainFrame::kActiveEditorCommand) return false;
    char cls[64] = {};
    return ::GetClassNameA(msg.hwnd, cls, sizeof cls) && std::strcmp(cls, appinfo::kMainWindowClass) == 0;
}

// The folder tree's view of the documents and the status bar.
class FolderTreeHost : public filetree::IFolderTreeHost {
public:
    FolderTreeHost(CDocTabWnd& docs, CStatusBar& status) : m_docs(docs), m_status(status) {}
    bool OpenFile(const std::string& path, bool readOnly) override {
        return m_docs.OpenDocFile(path, readOnly, false) == 1;
    }
    bool ReadTextFile(const std::string& path, std::string* text) override { return m_docs.ReadTextFile(path, text); }
    editor::IEditorOps* ActiveEditor() override {
        CCanvasEdit* e = m_docs.GetEditor(-1);
        return e ? &e->Ops() : nullptr;
    }
    HWND ActiveEditorWindow() override {
        CCanvasEdit* e = m_docs.GetEditor(-1);
        return e ? e->m_hWnd : nullptr;
    }
    std::string ActiveDocumentPath() override { return m_docs.GetPath(-1); }
    bool ActiveTabPreviews() override { return m_docs.GetPreviewShown(-1) != 0; }
    void FocusActiveView() override {
        if (HWND view = m_docs.ActiveView()) ::SetFocus(view);
        else if (HWND e = ActiveEditorWindow()) ::SetFocus(e);
    }
    void ShowPrompt(const std::string& text) override {
        if (m_status.m_hWnd) m_status.SetPaneText(0, text);
    }

private:
    CDocTabWnd& m_docs;
    CStatusBar& m_status;
};
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_MESSAGE(WM_CREATE, OnCreateMsg)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSessionMsg)
    ON_MESSAGE(WM_ENDSESSION, OnEndSessionMsg)
    ON_MESSAGE(WM_TIMER, OnTimerMsg)
    ON_MESSAGE(WM_DROPFILES, OnDropFilesMsg)
    ON_MESSAGE(WM_COPYDATA, OnCopyDataMsg)
    ON_MESSAGE(WM_SETFOCUS, OnFrameSetFocusMsg)
    ON_MESSAGE(kOpenPendingMessage, OnOpenPendingMsg)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_search(nullptr, [this] { return m_docs.GetEditor(-1); }) {}
CMainFrame::~CMainFrame() = default;

bool CMainFrame::RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = 0;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    wc.hCursor = nullptr;
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINFRAME);
    wc.lpszClassName = appinfo::kMainWindowClass;
    return RegisterWindowClass(wc);
}

namespace {

// The work area of the monitor nearest to a rectangle.
shell::Rect WorkAreaNear(const RECT& rc) {
    RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (HMONITOR monitor = ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST)) {
        if (::GetMonitorInfoA(monitor, &info)) work = info.rcWork;
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    }
    return shell::Rect{work.left, work.top, work.right, work.bottom};
}

}  // namespace

bool CMainFrame::Create() {
    const std::string text = LoadResString(IDR_MAINFRAME);
    const char* title = text.c_str();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const settings::SettingsStore* store = settings::Current();
    if (store) m_options = shell::ReadFrameOptions(*store);
    if (!store || !m_options.lastSize)
        return CreateFrame(appinfo::kMainWindowClass, title, style, WS_EX_ACCEPTFILES);

    // Defaults for missing values: three quarters of the work area.
    RECT primary = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    shell::FramePlacement current;
    current.rect = shell::Rect{primary.left + 40, primary.top + 30,
                               primary.left + 40 + (primary.right - primary.left) * 3 / 4,
                               primary.top + 30 + (primary.bottom - primary.top) * 3 / 4};
    const shell::FramePlacement stored = shell::ReadFramePlacement(*store, current);
    const RECT want = {stored.rect.left, stored.rect.top, stored.rect.right, stored.rect.bottom};
    const shell::Rect r = shell::ClampToWorkArea(stored.rect, WorkAreaNear(want));
    const RECT rc = {r.left, r.top, r.right, r.bottom};
    return CreateFrame(appinfo::kMainWindowClass, title, style, WS_EX_ACCEPTFILES, &rc);
}

void CMainFrame::RestoreWindow() {
    bool zoomed = false;
    if (m_options.lastSize) {
        if (const settings::SettingsStore* store = settings::Current())
            zoomed = store->ReadSettingInt("Main", "Zoomed", 0) == 1;
    }
    ShowWindow(zoomed ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ::UpdateWindow(m_hWnd);
}

void CMainFrame::FillPanes() {
    m_tagPane.LoadStore();
    m_folderTree.BuildOnce();
    if (m_bars.m_hWnd) m_bars.AddressBar().ShowIcons();
}

void CMainFrame::RestoreLastFiles() {
    const settings::SettingsStore* store = settings::Current();
    int reopened = 0;
    if (store && m_options.lastOpen) {
        ::EnableWindow(m_hWnd, FALSE);
        for (const shell::OpenFileRecord& record : shell::ReadOpenHistory(*store)) {
            // A file that cannot be opened has said why; the others still open.
            const int tabsBefore = m_docs.TabCount();
            if (m_docs.OpenDocFile(record.path, record.readOnly, true) != 1) continue;
            // A new tab is the last; a file already open (or the reused
            // untitled tab) is the selected one.
            const int index = m_docs.TabCount() > tabsBefore ? m_docs.TabCount() - 1 : m_docs.SelectedIndex();
            CCanvasEdit* editor = m_docs.GetEditor(index);
            if (!editor) continue;
            editor::IEditorOps& model = editor->Ops();
            const shell::OpenFileRecord r = shell::ClampRecordToText(record, model.TextLength(), model.LineCount());
            model.SetSelectionOffsets(r.start, r.end);
            model.SetScrollPosition(r.xPos, r.yPos);
            ++reopened;
        }
        if (reopened > 0) {
            const int last = m_docs.TabCount() - 1;
            ::SendMessageA(m_docs.TabStrip(), TCM_SETCURSEL, last, 0);
            m_docs.ActivateTab(last);
        }
        ::EnableWindow(m_hWnd, TRUE);
    }
    if (reopened == 0) m_docs.ApplyTemplate(0);
    m_docs.ActivateTab(-1);
    m_folderTree.GoToStartFolder();
}

void CMainFrame::SaveFrameState() {
    settings::SettingsStore* store = settings::Current();
    if (!store || !m_hWnd || m_stateSaved) return;
    m_stateSaved = true;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ::GetWindowPlacement(m_hWnd, &wp);
    const bool iconic = ::IsIconic(m_hWnd) != FALSE;
    const bool zoomed = ::IsZoomed(m_hWnd) || (iconic && (wp.flags & WPF_RESTORETOMAXIMIZED));
    if (!zoomed && !iconic) {
        const RECT rc = GetWindowRect();
        shell::WriteFramePlacement(*store, shell::FramePlacement{shell::Rect{rc.left, rc.top, rc.right, rc.bottom}, false});
    } else {
        // The last normal rectangle stays as it was stored.
        store->WriteSettingInt("Main", "Zoomed", zoomed ? 1 : 0);
    }
    store->DeleteSettingSection(shell::kOpenHistorySection);
    if (m_options.lastOpen) {
        std::vector<shell::OpenFileRecord> files;
        for (int i = 0; i < m_docs.TabCount(); ++i) {
            const std::string path = m_docs.GetPath(i);
            CCanvasEdit* editor = m_docs.GetEditor(i);
            if (path.empty() || !editor) continue;  // untitled documents are not remembered
            const editor::IEditorOps& model = editor->Ops();
            shell::OpenFileRecord r;
            r.path = path;
            r.readOnly = model.IsReadOnly();
            long long start = 0, end = 0;
            model.GetSelectionOffsets(&start, &end);
            r.start = static_cast<std::int32_t>(start);
            r.end = static_cast<std::int32_t>(end);
            int column = 0, line = 0;
            model.GetScrollPosition(&column, &line);
            r.xPos = column;
            r.yPos = line;
            files.push_back(r);
        }
        shell::WriteOpenHistory(*store, files);
    }
    m_panes.SaveLayout(*store);
    // The tag store is written once, at exit or when the session ends.
    m_tagPane.SaveStore();
    m_folderTree.SaveSettings();
    // The style bit, not IsWindowVisible: a minimised frame shows no child.
    m_options.statusBar =
        m_wndStatusBar.m_hWnd && (::GetWindowLongA(m_wndStatusBar.m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    shell::WriteFrameOptions(*store, m_options);
}

LRESULT CMainFrame::OnCreateMsg(WPARAM, LPARAM) {
    foreign::AddPostedAddressRule(&PostedEditorQuestion);
    // The program draws its own menu bar; the class menu is only a fallback.
    if (HMENU menu = ::GetMenu(m_hWnd)) {
        ::SetMenu(m_hWnd, nullptr);
        ::DestroyMenu(menu);
    }
    if (!m_wndStatusBar.Create(this, kStatusPanes)) {
        PqErrorBox(nullptr, "Pembroquilの起動に失敗しました。");
        return -1;
    }
    m_wndStatusBar.SetMinHeight(::GetSystemMetrics(SM_CYICON) / 2 + 2 * ::GetSystemMetrics(SM_CYEDGE));
    SetStatusBar(&m_wndStatusBar);
    if (!m_options.statusBar) m_wndStatusBar.ShowWindow(SW_HIDE);

    // Commands: the right-click menus, the bookmarks and the key table, then
    // the bars with the menus built from the command table. The menu bar's
    // key handler runs before the keys.
    m_commands.LoadRClickMenus();
    m_commands.LoadBookmarks();
    m_commands.LoadKeyTable();
    m_commands.SetTranslateWindow(m_hWnd);
    SetCommandRouter(&m_commands);
    if (!m_bars.Create(this, m_commands)) {
        PqErrorBox(nullptr, "Pembroquilの起動に失敗しました。");
        return -1;
    }
    if (!CreatePanes()) {
        PqErrorBox(nullptr, "Pembroquilの起動に失敗しました。");
        return -1;
    }
    m_search.SetOwner(m_hWnd);
    if (const settings::SettingsStore* store = settings::Current()) m_search.LoadSettings(*store);
    BindCommands();
    if (CWinApp* app = CWinApp::Current()) {
        app->AddPreTranslateHandler(&m_commands);
        app->AddIdleHandler(this);
    }
    ShowIdleMessage();
    return 0;
}

bool CMainFrame::CreatePanes() {
    if (!m_docs.CreateDocWindow(m_hWnd, this)) return false;
    m_folderTreeHost = std::make_unique<FolderTreeHost>(m_docs, m_wndStatusBar);
    // The folder tree and the tag store are filled once the frame shows.
    if (!m_folderTree.CreatePane(m_hWnd, m_folderTreeHost.get(), false)) return false;
    // Tag commands (ids 10000-19999) go to the pane, which owns the tag store.
    m_commands.SetTagCommands(&m_tagPane);
    if (!m_tagPane.Create(m_hWnd, this, false)) return false;
    if (!m_panes.Create(m_hWnd)) return false;
    m_panes.SetPaneWindow(split::kPaneFolderTree, m_folderTree.m_hWnd);
    m_panes.SetPaneWindow(split::kPaneRegistTag, m_tagPane.m_hWnd);
    m_panes.SetPaneWindow(split::kPaneEditor, m_docs.m_hWnd);
    RECT client = GetClientRect();
    if (const settings::SettingsStore* store = settings::Current()) {
        m_panes.LoadLayout(*store, client.right, client.bottom);
    } else {
        m_panes.ApplyPattern(split::DefaultLayout(), client.right, client.bottom);
    }
    SetClientWindow(&m_panes.Root());
    m_bars.AddressBar().openFile = [this](const std::string& path, bool readOnly) {
        return m_docs.OpenDocFile(path, readOnly, false) == 1;
    };
    m_docs.ActivateTab(-1);
    return true;
}

void CMainFrame::SetStatusPane(int pane, const std::string& text) {
    if (!m_wndStatusBar.m_hWnd) return;
    m_wndStatusBar.SetPaneText(pane, text);
    m_wndStatusBar.SetPaneWidth(pane, m_wndStatusBar.TextWidth(text));
}

void CMainFrame::DocumentShown(const std::string& title, const std::string& path, int loadCode, int returnCode) {
    SetWindowText(title);
    const bool mark = loadCode == encoding::kCodeUtf8 && m_docs.m_hWnd && m_docs.GetMark(-1);
    SetStatusPane(2, mark ? "UTF-8 BOM" : encoding::CharCodeName(loadCode));
    SetStatusPane(3, encoding::ReturnCodeName(returnCode));
    if (m_bars.m_hWnd) m_bars.AddressBar().ShowPath(path);
    // The tags have an editor to work on again.
    if (m_tagPane.m_hWnd) ::EnableWindow(m_tagPane.m_hWnd, TRUE);
    ShowCaretPosition();
}

void CMainFrame::ShowCaretPosition() {
    CCanvasEdit* shown = m_docs.m_hWnd ? m_docs.GetEditor(-1) : nullptr;
    if (!shown) return;
    int column = 0, line = 0;
    shown->Ops().GetSelection(nullptr, nullptr, &column, &line);
    // The pane fits the whole text: a pane measured without its last
    // characters would cut off "列".
    SetStatusPane(1, shell::CaretPositionText(line, column));
}

void CMainFrame::TitleChanged(const std::string& title) { SetWindowText(title); }

void CMainFrame::PreviewShown(const std::string& title) {
    SetWindowText(title);
    // No tag can run on a page: the tag tree is disabled until an editor shows.
    if (m_tagPane.m_hWnd) ::EnableWindow(m_tagPane.m_hWnd, FALSE);
    // The editor's panes go while a page is shown; DocumentShown brings them back.
    if (!m_wndStatusBar.m_hWnd) return;
    m_wndStatusBar.SetPaneText(0, "レディ");
    for (int pane = 1; pane < kStatusPanes; ++pane) {
        m_wndStatusBar.SetPaneText(pane, "");
        m_wndStatusBar.SetPaneWidth(pane, 0);
    }
}

bool CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == 0 && HIWORD(wParam) == editor::kNotifyCaretMoved) {
        // Only the shown editor's own notice counts (a notice sent from
        // outside has no notifying editor), and its caret is read from the
        // editor: the parameter's address is never followed.
        CCanvasEdit* shown = m_docs.GetEditor(-1);
        if (shown && CCanvasEdit::NotifyingEditor() == shown) ShowCaretPosition();
        return true;
    }
    if (LOWORD(wParam) == 0 && HIWORD(wParam) == editor::kNotifyChanged) {
        if (CCanvasEdit* editor = m_docs.GetEditor(-1)) SetStatusPane(3, encoding::ReturnCodeName(editor->Ops().LineEndMode()));
        return true;
    }
    if (LOWORD(wParam) == 0 && HIWORD(wParam) == editor::kNotifyRightClick) {
        CCanvasEdit* shown = m_docs.GetEditor(-1);
        if (shown && CCanvasEdit::NotifyingEditor() == shown) ShowEditorMenu();
        return true;
    }
    if (wParam == kActiveEditorCommand) {
        // A plug-in asks for the current editor: answered only to a send
        // from this thread with somewhere to put the answer.
        if (lParam && (::InSendMessageEx(nullptr) & ISMEX_SEND) == 0 &&
            !foreign::WasPosted(m_hWnd, WM_COMMAND, wParam, lParam)) {
            CCanvasEdit* editor = ActiveEditor();
            *reinterpret_cast<HWND*>(lParam) = editor ? editor->m_hWnd : nullptr;
        }
        return true;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::OnClose() {
    if (m_docs.m_hWnd && !m_docs.QueryCloseAll()) return;
    SaveFrameState();
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::OnQueryEndSessionMsg(WPARAM, LPARAM) {
    // Only the question: the session may still go on when another program
    // refuses, so the frame stays until the session really ends.
    return (!m_docs.m_hWnd || m_docs.QueryCloseAll()) ? TRUE : FALSE;
}

LRESULT CMainFrame::OnEndSessionMsg(WPARAM wParam, LPARAM) {
    if (!wParam) return 0;
    // The documents were offered for saving when the session asked.
    SaveFrameState();
    DestroyWindow();
    return 0;
}

LRESULT CMainFrame::OnDropFilesMsg(WPARAM wParam, LPARAM) {
    m_docs.DropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM wParam, LPARAM lParam) {
    foreign::RemovePostedAddressRule(&PostedEditorQuestion);
    if (CWinApp* app = CWinApp::Current()) {
        app->RemovePreTranslateHandler(&m_commands);
        app->RemoveIdleHandler(this);
    }
    ::KillTimer(m_hWnd, kOpenPendingTimer);
    m_bars.SaveState();
    m_commands.SetTagCommands(nullptr);
    m_commands.SaveKeyTable();
    m_commands.SaveBookmarks();
    m_commands.SaveRClickMenus();
    if (settings::SettingsStore* store = settings::Current()) m_search.SaveSettings(*store);
    SetCommandRouter(nullptr);
    return CFrameWnd::OnDestroyMsg(wParam, lParam);
}

int CMainFrame::TopBarsHeight() const {
    if (!m_bars.m_hWnd) return 0;
    return m_bars.LayoutHeight(GetClientRect().right) + m_bars.GapBelow();
}

void CMainFrame::LayoutTopBars(const RECT& area) {
    if (!m_bars.m_hWnd) return;
    const int height = area.bottom - area.top - m_bars.GapBelow();
    m_bars.MoveWindow(area.left, area.top, area.right - area.left, height > 0 ? height : 0);
}

bool CMainFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (m_bars.HandleRebarNotify(reinterpret_cast<NMHDR*>(lParam), result)) return true;
    return CFrameWnd::OnNotify(wParam, lParam, result);
}

std::string CMainFrame::GetMessageString(UINT id) const { return m_commands.CommandDescription(id); }

void CMainFrame::OnIdle() {
    UpdateControlBars();
    OpenPendingFiles();
}

void CMainFrame::OpenCustomizeSheet(unsigned pageMask, int keyCategory) {
    CCstmzSheet sheet(m_hWnd, m_commands, pageMask, keyCategory, this);
    sheet.Run();
}

CCanvasEdit* CMainFrame::ActiveEditor() {
    if (!m_docs.m_hWnd || m_docs.TabCount() == 0 || m_docs.GetPreviewShown(-1)) return nullptr;
    return m_docs.GetEditor(-1);
}

std::string CMainFrame::ActiveDocumentPath() {
    return m_docs.m_hWnd && m_docs.TabCount() > 0 ? m_docs.GetPath(-1) : std::string();
}

void CMainFrame::OpenKeySettings() { OpenCustomizeSheet(CCstmzSheet::kKeyboardPage, 3); }

void CMainFrame::FocusDocument() {
    if (!m_docs.m_hWnd || m_docs.TabCount() == 0) return;
    if (m_docs.GetPreviewShown(-1)) {
        if (CWebBrowser* browser = m_docs.GetBrowser(-1)) ::SetFocus(browser->FocusWindow() ? browser->FocusWindow() : browser->Window());
    } else if (CCanvasEdit* editor = m_docs.GetEditor(-1)) {
        ::SetFocus(editor->m_hWnd);
    }
}

bool CMainFrame::PreTranslateMessage(MSG* msg) {
    // The question for the current editor is answered to sends only: a
    // posted one carries an address nobody vouches for.
    if (msg->hwnd == m_hWnd && msg->message == WM_COMMAND && msg->wParam == kActiveEditorCommand) return true;
    return CFrameWnd::PreTranslateMessage(msg);
}

HMENU CMainFrame::BuildTabMenu() { return m_commands.BuildPopup(rclick::kTabMenu); }

HMENU CMainFrame::BuildEditorMenu(bool selection) {
    HMENU menu = m_commands.BuildPopup(selection ? rclick::kEditorSelectionMenu : rclick::kEditorMenu);
    commands::ITagCommands* tags = m_commands.TagCommands();
    const auto marked = tags ? tags->RightClickTags() : std::vector<std::pair<std::string, unsigned>>();
    if (!menu || marked.empty()) return menu;
    HMENU sub = ::CreatePopupMenu();
    for (const auto& tag : marked) ::AppendMenuA(sub, MF_STRING, tag.second, tag.first.c_str());
    ::InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), "登録タグ(&R)");
    ::InsertMenuA(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    return menu;
}

void CMainFrame::ShowEditorMenu() {
    CCanvasEdit* editor = m_docs.GetEditor(-1);
    if (!editor) return;
    HMENU menu = BuildEditorMenu(editor->Ops().HasSelection());
    if (!menu) return;
    POINT pt = {};
    ::GetCursorPos(&pt);
    // The frame owns the menu: it greys the items by the menu bar's rules.
    const UINT cmd = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
    if (cmd) SendMessage(WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
}

void CMainFrame::ApplySplitPattern(const split::SplitLayout& layout) {
    const RECT client = GetClientRect();
    m_panes.ApplyPattern(layout, client.right, client.bottom);
    RecalcLayout();
}

void CMainFrame::OpenKeyHelp() {
    KeyHelpDialog help(m_commands.CopyKeyTable(), &m_commands, m_hWnd);
    help.DoModal();
}

LRESULT CMainFrame::OnEraseBkgndMsg(WPARAM wParam, LPARAM) {
    // The panes cover the client area; whatever they leave shows the
    // application workspace colour.
    RECT rc = GetClientRect();
    ::FillRect(reinterpret_cast<HDC>(wParam), &rc, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    return 1;
}

void CMainFrame::OnAppExit() { PostMessage(WM_CLOSE); }

void CMainFrame::OnViewStatusBar() {
    m_wndStatusBar.ShowWindow(m_wndStatusBar.IsWindowVisible() ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* ui) {
    ui->Enable(true);
    ui->SetCheck(m_wndStatusBar.IsWindowVisible());
}

LRESULT CMainFrame::OnCopyDataMsg(WPARAM, LPARAM lParam) {
    // A second start hands over its file; anything else is ignored.
    const COPYDATASTRUCT* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::string path;
    if (!cds || !shell::ParseOpenRequest(static_cast<unsigned long>(cds->dwData), cds->lpData, cds->cbData, &path))
        return FALSE;
    // Opened once the sender has its answer, so that it never waits on a
    // message box of this program, and only by the program's own loop. The
    // timer keeps waking that loop while a dialog's loop runs instead.
    m_pendingOpen.push_back(path);
    PostMessage(kOpenPendingMessage);
    ::SetTimer(m_hWnd, kOpenPendingTimer, 250, nullptr);
    return TRUE;
}

LRESULT CMainFrame::OnOpenPendingMsg(WPARAM, LPARAM) {
    // Only wakes the loop: the files open when it is idle.
    return 0;
}

LRESULT CMainFrame::OnTimerMsg(WPARAM wParam, LPARAM lParam) {
    if (wParam != kOpenPendingTimer) return DefWindowProc(WM_TIMER, wParam, lParam);
    if (m_pendingOpen.empty()) ::KillTimer(m_hWnd, kOpenPendingTimer);
    else PostMessage(kOpenPendingMessage);
    return 0;
}

void CMainFrame::OpenPendingFiles() {
    // Not while the frame is disabled (a dialog it owns, or the files of the
    // last run being opened), nor from a message box of one of these files.
    if (m_pendingOpen.empty() || m_openingPending || !::IsWindowEnabled(m_hWnd)) return;
    m_openingPending = true;
    ::KillTimer(m_hWnd, kOpenPendingTimer);
    std::vector<std::string> paths;
    paths.swap(m_pendingOpen);
    for (const std::string& path : paths) m_docs.OpenDocFile(path, false, false);
    m_openingPending = false;
}

LRESULT CMainFrame::OnFrameSetFocusMsg(WPARAM wParam, LPARAM lParam) {
    // The keys go to the shown document.
    HWND view = m_docs.ActiveView();
    if (view && ::IsWindow(view) && ::IsWindowVisible(view)) {
        ::SetFocus(view);
        return 0;
    }
    return OnSetFocusMsg(wParam, lParam);
}
