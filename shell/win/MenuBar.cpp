#include "shell/win/MenuBar.h"

#include "framework/win/FrameWnd.h"
#include "shell/core/MenuMnemonic.h"

namespace {
constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotTimerMs = 100;
constexpr UINT WM_PQ_OPEN_POPUP = WM_APP + 0x310;  // wParam button, lParam by keyboard
constexpr int kButtonPadding = 14;
constexpr int kBarPadding = 8;

bool IsMnemonicKey(WPARAM vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }
bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

constexpr char CMenuBar::kClassName[];
CMenuBar* CMenuBar::s_tracking = nullptr;

UINT CMenuBar::WmGetMenu() {
    static const UINT id = ::RegisterWindowMessageA("CMenuBar::WM_GETMENU");
    return id;
}

UINT CMenuBar::MbSetMenuNull() {
    static const UINT id = ::RegisterWindowMessageA("CMenuBar::MB_SET_MENU_NULL");
    return id;
}

namespace {
UINT g_wmGetMenu = CMenuBar::WmGetMenu();
UINT g_mbSetMenuNull = CMenuBar::MbSetMenuNull();
}  // namespace

BEGIN_MESSAGE_MAP(CMenuBar, CControlBar)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
    ON_MESSAGE(WM_PQ_OPEN_POPUP, OnOpenMessage)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
    ON_REGISTERED_MESSAGE(g_wmGetMenu, OnGetMenu)
    ON_REGISTERED_MESSAGE(g_mbSetMenuNull, OnSetMenuNull)
END_MESSAGE_MAP()

CMenuBar::CMenuBar() = default;

CMenuBar::~CMenuBar() {
    if (CWinApp* app = CWinApp::Current()) app->RemovePreTranslateHandler(this);
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    if (s_tracking == this) s_tracking = nullptr;
    if (m_font) ::DeleteObject(m_font);
    if (m_fontVertical) ::DeleteObject(m_fontVertical);
}

bool CMenuBar::Create(HWND parent, UINT id, CFrameWnd* frame) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(wc)) return false;
    SetOwnerFrame(frame);
    CreateFonts();
    if (!CreateEx(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 100, m_height, parent, id))
        return false;
    return true;
}

void CMenuBar::CreateFonts() {
    if (m_font) ::DeleteObject(m_font);
    if (m_fontVertical) ::DeleteObject(m_fontVertical);
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    LOGFONTA lf = {};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
        lf = ncm.lfMenuFont;
    } else {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    }
    m_font = ::CreateFontIndirectA(&lf);
    lf.lfEscapement = lf.lfOrientation = 900;
    m_fontVertical = ::CreateFontIndirectA(&lf);
    // The height follows the font.
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, m_font);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    m_height = tm.tmHeight + kBarPadding;
}

HMENU CMenuBar::SetBarMenu(HMENU menu) {
    HMENU previous = m_menu;
    m_menu = menu;
    // Taking over the menu of a frame that still shows it as its window menu.
    if (CFrameWnd* frame = GetOwnerFrame()) {
        if (frame->m_hWnd && ::GetMenu(frame->m_hWnd) && m_hWnd) PostMessage(MbSetMenuNull());
    }
    Layout();
    return previous;
}

void CMenuBar::Layout() {
    m_buttons.clear();
    if (m_menu) {
        HDC dc = ::GetDC(m_hWnd);
        HGDIOBJ old = ::SelectObject(dc, m_font);
        for (int i = 0, n = ::GetMenuItemCount(m_menu); i < n; ++i) {
            char buf[256] = {};
            ::GetMenuStringA(m_menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
            Button b;
            b.text = buf;
            RECT rc = {0, 0, 0, 0};
            ::DrawTextA(dc, b.text.c_str(), -1, &rc, DT_SINGLELINE | DT_CALCRECT);
            b.width = rc.right - rc.left + kButtonPadding;
            m_buttons.push_back(b);
        }
        ::SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
    }
    if (m_hot >= ButtonCount()) m_hot = -1;
    if (m_hWnd) Invalidate();
}

int CMenuBar::IdealWidth() const {
    int w = 0;
    for (const Button& b : m_buttons) w += b.width;
    return w;
}

RECT CMenuBar::ButtonRect(int index) const {
    RECT rc = {0, 0, 0, m_height};
    if (index < 0 || index >= ButtonCount()) return rc;
    for (int i = 0; i < index; ++i) rc.left += m_buttons[static_cast<size_t>(i)].width;
    rc.right = rc.left + m_buttons[static_cast<size_t>(index)].width;
    if (m_hWnd) rc.bottom = GetClientRect().bottom;
    return rc;
}

int CMenuBar::FirstHiddenButton(int width) const {
    int right = 0;
    for (int i = 0; i < ButtonCount(); ++i) {
        right += m_buttons[static_cast<size_t>(i)].width;
        if (right > width) return i;
    }
    return ButtonCount();
}

int CMenuBar::HitTest(POINT pt) const {
    const RECT client = GetClientRect();
    if (pt.y < client.top || pt.y >= client.bottom) return -1;
    for (int i = 0; i < ButtonCount(); ++i) {
        const RECT rc = ButtonRect(i);
        if (pt.x >= rc.left && pt.x < rc.right && rc.right <= client.right) return i;
    }
    return -1;
}

void CMenuBar::SetHot(int index, State state) {
    if (index < 0) state = kNone;
    if (index == m_hot && state == m_state) return;
    m_hot = index;
    m_state = state;
    Invalidate();
    ::UpdateWindow(m_hWnd);
}

void CMenuBar::Leave() {
    SetHot(-1, kNone);
    m_altDown = false;
    m_f10Down = false;
}

LRESULT CMenuBar::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    const RECT client = GetClientRect();
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
    for (int i = 0; i < ButtonCount(); ++i) {
        RECT rc = ButtonRect(i);
        if (i == m_hot && m_state != kNone) {
            ::DrawEdge(dc, &rc, m_state == kPopupOpen ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            if (m_state == kPopupOpen) ::OffsetRect(&rc, 1, 1);
        }
        ::DrawTextA(dc, m_buttons[static_cast<size_t>(i)].text.c_str(), -1, &rc,
                    DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    ::SelectObject(dc, old);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CMenuBar::OnMouseMove(WPARAM, LPARAM lParam) {
    if (m_state == kPopupOpen) return 0;
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int hit = HitTest(pt);
    if (hit >= 0) {
        if (m_state != kHotByKeyboard) SetHot(hit, kHotByMouse);
        ::SetTimer(m_hWnd, kHotTimer, kHotTimerMs, nullptr);
    } else if (m_state == kHotByMouse) {
        SetHot(-1, kNone);
    }
    return 0;
}

LRESULT CMenuBar::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kHotTimer) return 0;
    POINT screen;
    ::GetCursorPos(&screen);
    POINT pt = screen;
    ::ScreenToClient(m_hWnd, &pt);
    if (::WindowFromPoint(screen) != m_hWnd || HitTest(pt) < 0) {
        if (m_state == kHotByMouse) SetHot(-1, kNone);
        ::KillTimer(m_hWnd, kHotTimer);
    }
    return 0;
}

LRESULT CMenuBar::OnLButtonDown(WPARAM, LPARAM lParam) {
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int hit = HitTest(pt);
    if (hit >= 0) OpenPopup(hit, false);
    return 0;
}

LRESULT CMenuBar::OnOpenMessage(WPARAM wParam, LPARAM lParam) {
    OpenPopup(static_cast<int>(wParam), lParam != 0);
    return 0;
}

LRESULT CMenuBar::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    m_selectedMenu = reinterpret_cast<HMENU>(lParam);
    m_selectedHasPopup = (HIWORD(wParam) & MF_POPUP) != 0 && HIWORD(wParam) != 0xFFFF;
    if (CFrameWnd* frame = GetOwnerFrame()) return frame->SendMessage(WM_MENUSELECT, wParam, lParam);
    return 0;
}

LRESULT CMenuBar::OnGetMenu(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_menu); }

LRESULT CMenuBar::OnSetMenuNull(WPARAM, LPARAM) {
    if (CFrameWnd* frame = GetOwnerFrame()) {
        if (frame->m_hWnd && ::GetMenu(frame->m_hWnd)) ::SetMenu(frame->m_hWnd, nullptr);
    }
    return 0;
}

LRESULT CMenuBar::OnSettingChange(WPARAM, LPARAM) {
    CreateFonts();
    Layout();
    return 0;
}

bool CMenuBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // The popups are owned by the bar; what the menu loop tells its owner
    // goes on to the frame (command states, prompts, owner-drawn items).
    switch (message) {
        case WM_INITMENUPOPUP:
        case WM_UNINITMENUPOPUP:
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_MENUCHAR:
            if (CFrameWnd* frame = GetOwnerFrame()) {
                *result = frame->SendMessage(message, wParam, lParam);
                return true;
            }
            break;
        default:
            break;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, result);
}

void CMenuBar::OpenPopup(int index, bool byKeyboard) {
    if (m_state == kPopupOpen || index < 0 || index >= ButtonCount()) return;
    RunPopups(index, byKeyboard);
}

void CMenuBar::RunPopups(int index, bool byKeyboard) {
    const int n = ButtonCount();
    UINT command = 0;
    while (index >= 0 && index < n && !command) {
        HMENU popup = ::GetSubMenu(m_menu, index);
        if (!popup) break;
        SetHot(index, kPopupOpen);
        m_next = -1;
        m_nextByKeyboard = false;
        m_openPopup = popup;
        m_selectedMenu = popup;
        m_selectedHasPopup = false;
        RECT rc = ButtonRect(index);
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        TPMPARAMS tpm = {};
        tpm.cbSize = sizeof tpm;
        tpm.rcExclude = rc;
        s_tracking = this;
        m_hook = ::SetWindowsHookExA(WH_MSGFILTER, &CMenuBar::MenuFilter, nullptr, ::GetCurrentThreadId());
        // Opened from the keyboard, the first item is highlighted.
        if (byKeyboard) PostMessage(WM_KEYDOWN, VK_DOWN, 0);
        command = static_cast<UINT>(::TrackPopupMenuEx(
            popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON | TPM_RETURNCMD, rc.left,
            rc.bottom, m_hWnd, &tpm));
        if (m_hook) ::UnhookWindowsHookEx(m_hook);
        m_hook = nullptr;
        s_tracking = nullptr;
        m_openPopup = nullptr;
        index = m_next;
        byKeyboard = m_nextByKeyboard;
    }
    Leave();
    if (command) {
        if (CFrameWnd* frame = GetOwnerFrame()) frame->PostMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
}

LRESULT CALLBACK CMenuBar::MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
    CMenuBar* bar = s_tracking;
    if (code == MSGF_MENU && bar && lParam) {
        if (bar->FilterMenuMessage(reinterpret_cast<MSG*>(lParam))) return 1;
    }
    return ::CallNextHookEx(bar ? bar->m_hook : nullptr, code, wParam, lParam);
}

bool CMenuBar::FilterMenuMessage(MSG* msg) {
    const int n = ButtonCount();
    if (n == 0) return false;
    switch (msg->message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN: {
            POINT pt = msg->pt;
            ::ScreenToClient(m_hWnd, &pt);
            const int hit = HitTest(pt);
            if (hit < 0) return false;
            if (msg->message == WM_LBUTTONDOWN && hit == m_hot) {
                m_next = -1;  // a click on the open button closes it
                ::EndMenu();
                return true;
            }
            if (msg->message == WM_MOUSEMOVE && hit != m_hot) {
                m_next = hit;
                m_nextByKeyboard = false;
                ::EndMenu();
                return true;
            }
            return false;
        }
        case WM_KEYDOWN:
            if (msg->wParam == VK_LEFT && m_selectedMenu == m_openPopup) {
                m_next = (m_hot + n - 1) % n;
                m_nextByKeyboard = true;
                ::EndMenu();
                return true;
            }
            if (msg->wParam == VK_RIGHT && !m_selectedHasPopup) {
                m_next = (m_hot + 1) % n;
                m_nextByKeyboard = true;
                ::EndMenu();
                return true;
            }
            return false;
        default:
            return false;
    }
}

bool CMenuBar::OpenByMnemonic(char key) {
    std::vector<std::string> texts;
    texts.reserve(m_buttons.size());
    for (const Button& b : m_buttons) texts.push_back(b.text);
    const int index = shell::FindMnemonic(texts, key);
    if (index < 0) return false;
    SetHot(index, kHotByKeyboard);
    PostMessage(WM_PQ_OPEN_POPUP, static_cast<WPARAM>(index), 1);
    return true;
}

bool CMenuBar::PreTranslate(MSG* msg) {
    if (!m_hWnd || !msg || !IsWindowVisible() || ButtonCount() == 0) return false;
    HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    if (msg->hwnd != root && !::IsChild(root, msg->hwnd)) return false;
    const WPARAM vk = msg->wParam;
    const int n = ButtonCount();
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (vk == VK_MENU) {
                if (!(msg->lParam & 0x40000000)) m_altDown = true;  // not a repeat
                return false;
            }
            if (vk == VK_SHIFT || vk == VK_CONTROL) return false;
            m_altDown = false;
            if (vk == VK_F10 && !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL)) {
                m_f10Down = true;
                return true;
            }
            m_f10Down = false;
            if (m_state == kHotByKeyboard) {
                switch (vk) {
                    case VK_LEFT:
                        SetHot((m_hot + n - 1) % n, kHotByKeyboard);
                        return true;
                    case VK_RIGHT:
                        SetHot((m_hot + 1) % n, kHotByKeyboard);
                        return true;
                    case VK_SPACE:
                    case VK_UP:
                    case VK_DOWN:
                        PostMessage(WM_PQ_OPEN_POPUP, static_cast<WPARAM>(m_hot), 1);
                        return true;
                    case VK_ESCAPE:
                        Leave();
                        return true;
                    default:
                        if (IsMnemonicKey(vk) && OpenByMnemonic(static_cast<char>(vk))) return true;
                        Leave();
                        return false;
                }
            }
            if (msg->message == WM_SYSKEYDOWN && IsMnemonicKey(vk) && KeyDown(VK_MENU))
                return OpenByMnemonic(static_cast<char>(vk));
            if (m_state == kHotByMouse) Leave();
            return false;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const bool altAlone = vk == VK_MENU && m_altDown;
            const bool f10 = vk == VK_F10 && m_f10Down;
            m_altDown = false;
            if (vk == VK_F10) m_f10Down = false;
            if (!altAlone && !f10) return false;
            if (m_state == kHotByKeyboard) Leave();
            else SetHot(0, kHotByKeyboard);
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            m_altDown = false;
            if (m_state == kHotByKeyboard && msg->hwnd != m_hWnd) Leave();
            return false;
        default:
            return false;
    }
}
