#include "framework/win/FrameWnd.h"

#include <algorithm>

#include "framework/core/PromptText.h"
#include "framework/win/App.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_MESSAGE(WM_SIZE, OnSizeMsg)
    ON_MESSAGE(WM_CLOSE, OnCloseMsg)
    ON_MESSAGE(WM_DESTROY, OnDestroyMsg)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusMsg)
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopupMsg)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMsg)
    ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoopMsg)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::CreateFrame(const char* className, const char* title, DWORD style, DWORD exStyle,
                            const RECT* rc, HWND parent, HMENU menu) {
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
    if (rc) {
        x = rc->left;
        y = rc->top;
        cx = rc->right - rc->left;
        cy = rc->bottom - rc->top;
    }
    return CreateEx(exStyle, className, title, style, x, y, cx, cy, parent,
                    reinterpret_cast<UINT_PTR>(menu));
}

void CFrameWnd::RecalcLayout() {
    if (!m_hWnd) return;
    RECT rc = GetClientRect();
    if (m_pStatusBar && m_pStatusBar->m_hWnd) {
        m_pStatusBar->Reposition();
        rc.bottom -= m_pStatusBar->Height();
    }
    const int top = TopBarsHeight();
    RECT bars = rc;
    bars.bottom = bars.top + top;
    LayoutTopBars(bars);
    rc.top += top;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    if (m_pClientWnd && m_pClientWnd->m_hWnd)
        m_pClientWnd->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

bool CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (m_pRouter) {
        if (code == CN_UPDATE_COMMAND_UI) {
            if (ui && m_pRouter->RouteCommandState(id, ui)) {
                ui->m_bHandled = true;
                return true;
            }
        } else if (m_pRouter->RouteCommand(id, code)) {
            return true;
        }
    }
    if (CWnd::OnCmdMsg(id, code, ui)) return true;
    if (CCmdTarget* target = GetActiveCommandTarget()) {
        if (target->OnCmdMsg(id, code, ui)) return true;
    }
    if (m_pRouter && (code == 0 || code == 1)) m_pRouter->CommandNotTaken(id, code);
    return false;
}

void CFrameWnd::UpdateCommandState(UINT id, CCmdUI* ui) {
    if (!ui) return;
    ui->m_nID = id;
    ui->m_bHandled = false;
    OnCmdMsg(id, CN_UPDATE_COMMAND_UI, ui);
    if (!ui->m_bHandled && m_bAutoMenuEnable) ui->Enable(false);
}

void CFrameWnd::AddControlBar(CControlBar* bar) {
    if (bar && std::find(m_controlBars.begin(), m_controlBars.end(), bar) == m_controlBars.end()) {
        m_controlBars.push_back(bar);
        bar->SetOwnerFrame(this);
    }
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) {
    m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), bar), m_controlBars.end());
}

void CFrameWnd::UpdateControlBars() {
    const std::vector<CControlBar*> bars = m_controlBars;
    for (CControlBar* bar : bars) {
        if (bar->m_hWnd && bar->IsWindowVisible()) bar->OnUpdateCmdUI(this);
    }
}

std::string CFrameWnd::GetMessageString(UINT id) const {
    return prompt::PromptPart(LoadResString(id));
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (m_pStatusBar && m_pStatusBar->m_hWnd) m_pStatusBar->SetPaneText(0, text);
}

void CFrameWnd::ShowIdleMessage() { SetMessageText(LoadResString(AFX_IDS_IDLEMESSAGE)); }

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::PostNcDestroy() {
    if (m_deleteOnDestroy) delete this;
}

LRESULT CFrameWnd::OnSizeMsg(WPARAM wParam, LPARAM) {
    if (wParam != SIZE_MINIMIZED) RecalcLayout();
    return 0;
}

LRESULT CFrameWnd::OnCloseMsg(WPARAM, LPARAM) {
    OnClose();
    return 0;
}

LRESULT CFrameWnd::OnDestroyMsg(WPARAM, LPARAM) {
    CWinApp* app = CWinApp::Current();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    return 0;
}

LRESULT CFrameWnd::OnSetFocusMsg(WPARAM, LPARAM) {
    if (m_pClientWnd && m_pClientWnd->m_hWnd) ::SetFocus(m_pClientWnd->m_hWnd);
    return 0;
}

LRESULT CFrameWnd::OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(lParam)) return DefWindowProc(WM_INITMENUPOPUP, wParam, lParam);  // system menu
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu || (info.fType & MFT_SEPARATOR) || info.wID == 0) continue;
        CMenuCmdUI ui(menu, static_cast<UINT>(i));
        UpdateCommandState(info.wID, &ui);
    }
    return 0;
}

LRESULT CFrameWnd::OnMenuSelectMsg(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {
        ShowIdleMessage();
    } else if (!(flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))) {
        SetMessageText(GetMessageString(LOWORD(wParam)));
    } else {
        SetMessageText(std::string());
    }
    return 0;
}

LRESULT CFrameWnd::OnExitMenuLoopMsg(WPARAM, LPARAM) {
    ShowIdleMessage();
    return 0;
}

void CMenuCmdUI::Enable(bool on) {
    CCmdUI::Enable(on);
    ::EnableMenuItem(m_menu, m_index, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CMenuCmdUI::SetCheck(bool on) {
    CCmdUI::SetCheck(on);
    ::CheckMenuItem(m_menu, m_index, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}
