#include "shell/win/BarContainer.h"

#include "config/core/SettingsStore.h"
#include "resources/resource.h"

namespace {
constexpr int kChevronMenuOffset = 12;

std::size_t Module(shell::BandKind kind) { return static_cast<std::size_t>(kind); }
const shell::BandDef& Def(shell::BandKind kind) { return shell::BandDefAt(Module(kind)); }

REBARBANDINFOA BandInfo(UINT mask) {
    REBARBANDINFOA info = {};
    info.cbSize = REBARBANDINFOA_V6_SIZE;
    info.fMask = mask;
    return info;
}
}  // namespace

BEGIN_MESSAGE_MAP(CBarContainer, CWnd)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
END_MESSAGE_MAP()

CBarContainer::~CBarContainer() {
    if (CWinApp* app = CWinApp::Current()) app->RemovePreTranslateHandler(&m_menuBar);
    if (m_frame) {
        m_frame->RemoveControlBar(&m_standardBar);
        m_frame->RemoveControlBar(&m_menuBar);
    }
    if (m_fallbackMenu) ::DestroyMenu(m_fallbackMenu);
}

bool CBarContainer::Create(CFrameWnd* frame, CommandManager& commands) {
    m_frame = frame;
    m_commands = &commands;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | RBS_BANDBORDERS |
                        RBS_VARHEIGHT | CCS_NODIVIDER | CCS_NOPARENTALIGN;
    if (!CreateEx(0, REBARCLASSNAMEA, "", style, 0, 0, 100, 60, frame->m_hWnd, kControlId)) return false;
    REBARINFO bar = {sizeof bar, 0, nullptr};
    SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&bar));

    if (!m_menuBar.Create(m_hWnd, Def(shell::BandKind::MenuBar).childId, frame) ||
        !m_closeButton.Create(m_hWnd, Def(shell::BandKind::CloseButton).childId, frame->m_hWnd) ||
        !m_standardBar.Create(m_hWnd, Def(shell::BandKind::StandardBar).childId) ||
        !m_addressBar.Create(m_hWnd, Def(shell::BandKind::AddressBar).childId))
        return false;
    frame->AddControlBar(&m_menuBar);
    frame->AddControlBar(&m_standardBar);

    // The menus of the command table, or the fallback menu of the resources.
    HMENU menu = commands.BuildMenus() ? commands.BarMenu() : nullptr;
    if (!menu) menu = m_fallbackMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_menuBar.SetBarMenu(menu);

    m_standardBar.dropDownMenu = [this](unsigned command) -> HMENU {
        if (!m_commands) return nullptr;
        if (command == ID_CODE_CYCLE) return m_commands->FindSubmenu(0, "保存時の文字コード(&H)");
        if (command == ID_RETURN_CYCLE) return m_commands->FindSubmenu(0, "保存時の改行コード(&R)");
        return nullptr;
    };
    m_standardBar.changed = [this] { UpdateBandSizes(); };
    m_standardBar.LoadArrangement();
    m_addressBar.LoadHistory();

    std::vector<shell::BandState> states;
    for (std::size_t i = 0; i < shell::kBandCount; ++i) {
        const settings::SettingsStore* store = settings::Current();
        states.push_back(store ? shell::LoadBand(*store, shell::BandDefAt(i))
                               : shell::BandState{shell::BandDefAt(i).defaultStyle, 0,
                                                  shell::BandDefAt(i).defaultIndex, true});
    }
    for (std::size_t i : shell::InsertionOrder(states)) InsertBand(shell::BandDefAt(i).kind, states[i]);

    if (CWinApp* app = CWinApp::Current()) app->AddPreTranslateHandler(&m_menuBar);
    return true;
}

HWND CBarContainer::ChildOf(shell::BandKind kind) const {
    switch (kind) {
        case shell::BandKind::MenuBar: return m_menuBar.m_hWnd;
        case shell::BandKind::CloseButton: return m_closeButton.m_hWnd;
        case shell::BandKind::StandardBar: return m_standardBar.m_hWnd;
        case shell::BandKind::AddressBar: return m_addressBar.m_hWnd;
    }
    return nullptr;
}

int CBarContainer::BandIndex(shell::BandKind kind) const {
    return static_cast<int>(SendMessage(RB_IDTOINDEX, Def(kind).childId));
}

void CBarContainer::InsertBand(shell::BandKind kind, const shell::BandState& state) {
    REBARBANDINFOA info = BandInfo(RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID |
                                   RBBIM_IDEALSIZE);
    info.fStyle = static_cast<UINT>(state.style & ~shell::kBandHidden);
    info.hwndChild = ChildOf(kind);
    info.wID = Def(kind).childId;
    info.cx = static_cast<UINT>(state.cx);
    switch (kind) {
        case shell::BandKind::MenuBar:
            info.cxMinChild = 0;
            info.cyMinChild = static_cast<UINT>(m_menuBar.BarHeight());
            info.cxIdeal = static_cast<UINT>(m_menuBar.IdealWidth());
            break;
        case shell::BandKind::CloseButton:
            info.cxMinChild = CCloseButton::kWidth;
            info.cyMinChild = CCloseButton::kHeight;
            info.cxIdeal = CCloseButton::kWidth;
            info.cx = CCloseButton::kWidth;
            break;
        case shell::BandKind::StandardBar: {
            const SIZE size = m_standardBar.IdealSize();
            info.cxMinChild = 0;
            info.cyMinChild = static_cast<UINT>(size.cy);
            info.cxIdeal = static_cast<UINT>(size.cx);
            break;
        }
        case shell::BandKind::AddressBar:
            info.fMask |= RBBIM_TEXT;
            info.lpText = const_cast<char*>("アドレス");
            info.cxMinChild = 100;
            info.cyMinChild = static_cast<UINT>(m_addressBar.BarHeight());
            info.cxIdeal = 400;
            break;
    }
    SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
    // Hidden through the rebar itself, which also hides the child window.
    if (!state.visible) SendMessage(RB_SHOWBAND, static_cast<WPARAM>(BandIndex(kind)), FALSE);
}

void CBarContainer::UpdateBandSizes() {
    const int index = BandIndex(shell::BandKind::StandardBar);
    if (index < 0) return;
    const SIZE size = m_standardBar.IdealSize();
    REBARBANDINFOA info = BandInfo(RBBIM_CHILDSIZE | RBBIM_IDEALSIZE);
    info.cxMinChild = 0;
    info.cyMinChild = static_cast<UINT>(size.cy);
    info.cxIdeal = static_cast<UINT>(size.cx);
    SendMessage(RB_SETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void CBarContainer::SaveState() const {
    settings::SettingsStore* store = settings::Current();
    if (!store || !m_hWnd) return;
    for (std::size_t i = 0; i < shell::kBandCount; ++i) {
        const shell::BandDef& def = shell::BandDefAt(i);
        const int index = BandIndex(def.kind);
        if (index < 0) continue;
        REBARBANDINFOA info = BandInfo(RBBIM_STYLE | RBBIM_SIZE);
        if (!SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) continue;
        shell::BandState state;
        state.style = static_cast<int>(info.fStyle);
        state.cx = static_cast<int>(info.cx);
        state.index = index;
        state.visible = !(info.fStyle & RBBS_HIDDEN);
        shell::SaveBand(*store, def, state);
    }
    m_standardBar.SaveArrangement();
    m_addressBar.SaveHistory();
}

int CBarContainer::LayoutHeight(int width) const {
    if (!m_hWnd) return 0;
    const RECT outer = GetWindowRect();
    if (outer.right - outer.left != width) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER |
                                                                                   SWP_NOACTIVATE);
    }
    const RECT w = GetWindowRect();
    const RECT c = GetClientRect();
    const int border = (w.bottom - w.top) - (c.bottom - c.top);
    return static_cast<int>(SendMessage(RB_GETBARHEIGHT)) + border;
}

int CBarContainer::BandStyle(shell::BandKind kind) const {
    const int index = BandIndex(kind);
    REBARBANDINFOA info = BandInfo(RBBIM_STYLE);
    if (index < 0 || !SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)))
        return 0;
    return static_cast<int>(info.fStyle);
}

int CBarContainer::GapBelow() const {
    REBARBANDINFOA info = BandInfo(RBBIM_STYLE);
    if (!SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info))) return shell::GapBelowBars(0);
    return shell::GapBelowBars(static_cast<int>(info.fStyle));
}

bool CBarContainer::IsLocked() const { return GapBelow() == shell::GapBelowBars(0); }

bool CBarContainer::IsBandVisible(shell::BandKind kind) const {
    return (BandStyle(kind) & RBBS_HIDDEN) == 0 && BandIndex(kind) >= 0;
}

void CBarContainer::ShowBand(shell::BandKind kind, bool show) {
    const int index = BandIndex(kind);
    if (index < 0) return;
    SendMessage(RB_SHOWBAND, static_cast<WPARAM>(index), show ? TRUE : FALSE);
    Relayout();
}

void CBarContainer::ToggleLock() {
    const int n = static_cast<int>(SendMessage(RB_GETBANDCOUNT));
    for (int i = 0; i < n; ++i) {
        REBARBANDINFOA info = BandInfo(RBBIM_STYLE);
        if (!SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info))) continue;
        info.fStyle = static_cast<UINT>(shell::ToggledLockStyle(static_cast<int>(info.fStyle)));
        SendMessage(RB_SETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
    Relayout();
}

void CBarContainer::Relayout() const {
    if (m_frame) m_frame->RecalcLayout();
}

void CBarContainer::BindCommands(CommandManager& commands) {
    using shell::BandKind;
    auto toggle = [this](BandKind kind) {
        return [this, kind] { ShowBand(kind, !IsBandVisible(kind)); };
    };
    auto checked = [this](BandKind kind) {
        return [this, kind](CCmdUI* ui) {
            ui->Enable(true);
            ui->SetCheck(IsBandVisible(kind));
        };
    };
    commands.SetHandler(ID_VIEW_STANDARD_BAR, toggle(BandKind::StandardBar), checked(BandKind::StandardBar));
    commands.SetHandler(ID_VIEW_ADDRESS_BAR, toggle(BandKind::AddressBar), checked(BandKind::AddressBar));
    commands.SetHandler(ID_VIEW_LOCK_BARS, [this] { ToggleLock(); }, [this](CCmdUI* ui) {
        ui->Enable(true);
        ui->SetCheck(IsLocked());
    });
    commands.SetHandler(ID_VIEW_CUSTOMIZE_BAR, [this] { m_standardBar.Customize(); });
    commands.SetHandler(ID_FOCUS_ADDRESS_BAR, [this] {
        if (IsBandVisible(shell::BandKind::AddressBar)) m_addressBar.FocusEdit();
    });
}

void CBarContainer::ShowBandMenu(POINT screen) {
    HMENU menu = m_commands ? m_commands->FindSubmenu(2, "ツール バー(&T)") : nullptr;
    if (!menu || !m_frame) return;
    ::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, m_frame->m_hWnd,
                       nullptr);
}

void CBarContainer::ShowChevronMenu(shell::BandKind kind, const RECT& chevron) {
    HWND child = ChildOf(kind);
    if (!child || !m_frame) return;
    RECT childRect = {};
    ::GetWindowRect(child, &childRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&childRect), 2);
    const int visible = chevron.left - childRect.left;
    HMENU menu = ::CreatePopupMenu();
    std::vector<HMENU> borrowed;  // submenus of other menus, removed before destroying
    if (kind == shell::BandKind::MenuBar) {
        HMENU bar = m_menuBar.GetBarMenu();
        for (int i = m_menuBar.FirstHiddenButton(visible); i < m_menuBar.ButtonCount(); ++i) {
            HMENU sub = ::GetSubMenu(bar, i);
            if (!sub) continue;
            ::AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), MenuItemText(bar, i).c_str());
            borrowed.push_back(sub);
        }
    } else if (kind == shell::BandKind::StandardBar) {
        for (int position : m_standardBar.HiddenButtons(visible)) {
            const int entry = m_standardBar.EntryAt(position);
            if (entry == shell::kToolSeparator) {
                if (::GetMenuItemCount(menu) > 0) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const unsigned command = shell::ToolButtonAt(static_cast<std::size_t>(entry)).command;
            if (HMENU sub = m_standardBar.dropDownMenu ? m_standardBar.dropDownMenu(command) : nullptr) {
                const char* label = command == ID_CODE_CYCLE ? "保存時の文字コード(&H)" : "保存時の改行コード(&R)";
                ::AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), label);
                borrowed.push_back(sub);
                continue;
            }
            char text[256] = {};
            if (!m_commands || !::GetMenuStringA(m_commands->BarMenu(), command, text, sizeof text, MF_BYCOMMAND))
                lstrcpynA(text, CStandardBar::ButtonText(command).c_str(), sizeof text);
            ::AppendMenuA(menu, MF_STRING, command, text);
        }
    }
    if (::GetMenuItemCount(menu) > 0) {
        POINT pt = {chevron.left - kChevronMenuOffset, chevron.bottom};
        ::ClientToScreen(m_hWnd, &pt);
        ::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pt.x, pt.y, m_frame->m_hWnd,
                           nullptr);
    }
    for (HMENU sub : borrowed) {
        for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
            if (::GetSubMenu(menu, i) == sub) ::RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
        }
    }
    ::DestroyMenu(menu);
}

bool CBarContainer::HandleRebarNotify(NMHDR* header, LRESULT* result) {
    if (!header || header->hwndFrom != m_hWnd) return false;
    switch (header->code) {
        case RBN_HEIGHTCHANGE:
            Relayout();
            *result = 0;
            return true;
        case RBN_CHEVRONPUSHED: {
            const auto* info = reinterpret_cast<NMREBARCHEVRON*>(header);
            for (std::size_t i = 0; i < shell::kBandCount; ++i) {
                if (shell::BandDefAt(i).childId == info->wID) ShowChevronMenu(shell::BandDefAt(i).kind, info->rc);
            }
            *result = 0;
            return true;
        }
        default:
            return false;
    }
}

bool CBarContainer::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from && from == m_addressBar.m_hWnd) return m_addressBar.HandleCommand(wParam, lParam);
    // Tool bar buttons: commands of the frame.
    if (from && from == m_standardBar.m_hWnd && m_frame) {
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        return true;
    }
    return false;
}

bool CBarContainer::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return false;
    const HWND tips = reinterpret_cast<HWND>(m_standardBar.SendMessage(TB_GETTOOLTIPS));
    if (header->hwndFrom == m_standardBar.m_hWnd || (tips && header->hwndFrom == tips)) {
        if (m_standardBar.HandleNotify(header, result)) return true;
    }
    if (header->code == NM_RCLICK && header->hwndFrom == m_standardBar.m_hWnd) {
        POINT pt;
        ::GetCursorPos(&pt);
        ShowBandMenu(pt);
        *result = TRUE;
        return true;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

LRESULT CBarContainer::OnContextMenu(WPARAM, LPARAM lParam) {
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        RECT rc = GetWindowRect();
        pt.x = rc.left;
        pt.y = rc.bottom;
    }
    ShowBandMenu(pt);
    return 0;
}
