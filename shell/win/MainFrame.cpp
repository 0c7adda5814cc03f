#include "shell/win/MainFrame.h"

#include "framework/core/AppInfo.h"
#include "config/win/CustomizeSheet.h"
#include "config/win/KeyHelpDialog.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace {
constexpr int kStatusPanes = 4;  // prompt, caret position, load code, line end
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_MESSAGE(WM_CREATE, OnCreateMsg)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
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
    if (CWinApp* app = CWinApp::Current()) {
        app->AddPreTranslateHandler(&m_commands);
        app->AddIdleHandler(this);
    }
    ShowIdleMessage();
    return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM wParam, LPARAM lParam) {
    if (CWinApp* app = CWinApp::Current()) {
        app->RemovePreTranslateHandler(&m_commands);
        app->RemoveIdleHandler(this);
    }
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
