#include "shell/win/MainFrame.h"

#include "framework/core/AppInfo.h"
#include "config/win/CustomizeSheet.h"
#include "config/win/KeyHelpDialog.h"
#include "config/core/SettingsStore.h"
#include "documents/core/TextCodec.h"
#include "shell/core/FrameState.h"
#include "shell/win/EditCommands.h"
#include "shell/win/HelpCommands.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace {
constexpr int kStatusPanes = 4;  // prompt, caret position, load code, line end
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_MESSAGE(WM_CREATE, OnCreateMsg)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSessionMsg)
    ON_MESSAGE(WM_DROPFILES, OnDropFilesMsg)
    ON_MESSAGE(WM_COPYDATA, OnCopyDataMsg)
    ON_MESSAGE(WM_SETFOCUS, OnFrameSetFocusMsg)
    ON_MESSAGE(kOpenPendingMessage, OnOpenPendingMsg)
    ON_COMMAND(ID_APP_EXIT_CMD, OnAppExit)
    ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateViewStatusBar)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;
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

bool CMainFrame::Create() {
    return CreateFrame(appinfo::kMainWindowClass, LoadResString(IDR_MAINFRAME).c_str(),
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_ACCEPTFILES);
}

LRESULT CMainFrame::OnCreateMsg(WPARAM, LPARAM) {
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

    // Commands: the key table, then the bars with the menus built from the
    // command table. The menu bar's key handler runs before the keys.
    m_commands.LoadKeyTable();
    m_commands.SetTranslateWindow(m_hWnd);
    SetCommandRouter(&m_commands);
    m_commands.SetHandler(ID_TOOL_CUSTOMIZE, [this] { OpenCustomizeSheet(CCstmzSheet::kAllPages, 0); });
    m_commands.SetHandler(ID_HELP_KEYMAP, [this] { OpenKeyHelp(); });
    if (!m_bars.Create(this, m_commands)) {
        PqErrorBox(nullptr, "Pembroquilの起動に失敗しました。");
        return -1;
    }
    if (!CreatePanes()) {
        PqErrorBox(nullptr, "Pembroquilの起動に失敗しました。");
        return -1;
    }
    BindFileCommands();
    BindEditCommands(m_commands, m_docs);
    BindSaveCodeCommands(m_commands, m_docs);
    BindPaneCommands(m_commands, m_panes);
    RegisterHelpCommands(m_commands, m_hWnd);
    if (CWinApp* app = CWinApp::Current()) {
        app->AddPreTranslateHandler(&m_commands);
        app->AddIdleHandler(this);
    }
    ShowIdleMessage();
    return 0;
}

bool CMainFrame::CreatePanes() {
    if (!m_docs.CreateDocWindow(m_hWnd, this)) return false;
    const RECT rc = {0, 0, 200, 200};
    for (CWnd* pane : {&m_folderPane, &m_tagPane}) {
        if (!pane->CreateEx(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom,
                            m_hWnd, 0))
            return false;
    }
    if (!m_panes.Create(m_hWnd)) return false;
    m_panes.SetPaneWindow(split::kPaneFolderTree, m_folderPane.m_hWnd);
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

void CMainFrame::BindFileCommands() {
    m_commands.SetHandler(ID_FILE_NEW, [this] { m_docs.OnFileNew(); });
    m_commands.SetHandler(ID_FILE_OPEN, [this] { m_docs.OnFileOpen(); });
    m_commands.SetHandler(ID_FILE_CLOSE, [this] { m_docs.OnFileClose(); });
    m_commands.SetHandler(ID_FILE_SAVE, [this] { m_docs.OnFileSave(); });
    m_commands.SetHandler(ID_FILE_SAVE_AS, [this] { m_docs.OnFileSaveAs(); });
    m_commands.SetHandler(ID_FILE_SAVE_ALL, [this] { m_docs.OnFileSaveAll(); });
    m_commands.SetHandler(ID_NEXT_TAB, [this] { m_docs.OnNextTab(); });
    m_commands.SetHandler(ID_PREV_TAB, [this] { m_docs.OnPrevTab(); });
}

void CMainFrame::SetStatusPane(int pane, const std::string& text) {
    if (!m_wndStatusBar.m_hWnd) return;
    m_wndStatusBar.SetPaneText(pane, text);
    m_wndStatusBar.SetPaneWidth(pane, m_wndStatusBar.TextWidth(text));
}

void CMainFrame::DocumentShown(const std::string& title, const std::string& path, int loadCode, int returnCode) {
    SetWindowText(title);
    SetStatusPane(2, encoding::CharCodeName(loadCode));
    SetStatusPane(3, encoding::ReturnCodeName(returnCode));
    if (m_bars.m_hWnd) m_bars.AddressBar().ShowPath(path);
}

void CMainFrame::TitleChanged(const std::string& title) { SetWindowText(title); }

bool CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == 0 && lParam != 0 && HIWORD(wParam) == editor::kNotifyCaretMoved) {
        // The editor's caret: column, line (from 0).
        const std::int32_t* values = reinterpret_cast<const std::int32_t*>(lParam);
        const std::string s = shell::CaretPositionText(values[1], values[0]);
        m_wndStatusBar.SetPaneText(1, s);
        m_wndStatusBar.SetPaneWidth(1, m_wndStatusBar.TextWidth(shell::CaretPositionMeasureText(s)));
        return true;
    }
    if (LOWORD(wParam) == 0 && HIWORD(wParam) == editor::kNotifyChanged) {
        if (CCanvasEdit* editor = m_docs.GetEditor(-1)) SetStatusPane(3, encoding::ReturnCodeName(editor->Model().LineEndMode()));
        return true;
    }
    if (LOWORD(wParam) == 0 && HIWORD(wParam) == editor::kNotifyRightClick) return true;
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::OnClose() {
    if (m_docs.m_hWnd && !m_docs.QueryCloseAll()) return;
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::OnQueryEndSessionMsg(WPARAM, LPARAM) {
    return (!m_docs.m_hWnd || m_docs.QueryCloseAll()) ? TRUE : FALSE;
}

LRESULT CMainFrame::OnDropFilesMsg(WPARAM wParam, LPARAM) {
    m_docs.DropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM wParam, LPARAM lParam) {
    if (CWinApp* app = CWinApp::Current()) {
        app->RemovePreTranslateHandler(&m_commands);
        app->RemoveIdleHandler(this);
    }
    if (settings::SettingsStore* store = settings::Current()) m_panes.SaveLayout(*store);
    m_bars.SaveState();
    m_commands.SaveKeyTable();
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

void CMainFrame::OnIdle() { UpdateControlBars(); }

void CMainFrame::OpenCustomizeSheet(unsigned pageMask, int keyCategory) {
    CCstmzSheet sheet(m_hWnd, m_commands, pageMask, keyCategory);
    sheet.Run();
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
    // message box of this program.
    m_pendingOpen.push_back(path);
    PostMessage(kOpenPendingMessage);
    return TRUE;
}

LRESULT CMainFrame::OnOpenPendingMsg(WPARAM, LPARAM) {
    std::vector<std::string> paths;
    paths.swap(m_pendingOpen);
    for (const std::string& path : paths) m_docs.OpenDocFile(path, false, false);
    return 0;
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
