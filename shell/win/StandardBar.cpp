#include "shell/win/StandardBar.h"

#include "config/core/SettingsStore.h"
#include "framework/core/PromptText.h"
#include "framework/win/FrameWnd.h"
#include "resources/resource.h"

namespace {
const COLORREF kTransparent = RGB(0, 128, 128);  // teal

// Copies Shift JIS text into a wide buffer of `count` characters.
void ToWide(const std::string& text, wchar_t* out, int count) {
    if (count <= 0) return;
    const int n = ::MultiByteToWideChar(932, 0, text.c_str(), -1, out, count);
    if (n <= 0) out[0] = L'\0';
    out[count - 1] = L'\0';
}
}  // namespace

CStandardBar::~CStandardBar() {
    if (m_hWnd) {
        SendMessage(TB_SETIMAGELIST, 0, 0);
        SendMessage(TB_SETHOTIMAGELIST, 0, 0);
    }
    if (m_images) ::ImageList_Destroy(m_images);
    if (m_hotImages) ::ImageList_Destroy(m_hotImages);
}

bool CStandardBar::Create(HWND parent, UINT id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                        CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_ADJUSTABLE;
    if (!CreateEx(0, TOOLBARCLASSNAMEA, "標準のボタン", style, 0, 0, 200, kButtonHeight, parent, id)) return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    m_images = ::ImageList_LoadImageA(inst, MAKEINTRESOURCEA(IDB_TOOLBAR), 16, 0, kTransparent, IMAGE_BITMAP,
                                      LR_CREATEDIBSECTION);
    m_hotImages = ::ImageList_LoadImageA(inst, MAKEINTRESOURCEA(IDB_TOOLBAR_HOT), 16, 0, kTransparent,
                                         IMAGE_BITMAP, LR_CREATEDIBSECTION);
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hotImages));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
    return true;
}

TBBUTTON CStandardBar::ButtonOf(int entry) {
    TBBUTTON b = {};
    if (entry == shell::kToolSeparator || entry < 0 || entry >= static_cast<int>(shell::kToolButtonCount)) {
        b.fsStyle = BTNS_SEP;
        return b;
    }
    const shell::ToolButtonDef& def = shell::ToolButtonAt(static_cast<std::size_t>(entry));
    b.iBitmap = def.image;
    b.idCommand = static_cast<int>(def.command);
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    if (def.style == shell::ToolButtonStyle::DropDown) b.fsStyle = BTNS_DROPDOWN;
    if (def.style == shell::ToolButtonStyle::Check) b.fsStyle = BTNS_CHECK;
    b.dwData = static_cast<DWORD_PTR>(entry);
    b.iString = -1;
    return b;
}

void CStandardBar::SetArrangement(const shell::ToolArrangement& arrangement) {
    for (int n = static_cast<int>(SendMessage(TB_BUTTONCOUNT)); n > 0; --n) SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    for (int entry : arrangement) buttons.push_back(ButtonOf(entry));
    if (!buttons.empty())
        SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessage(TB_AUTOSIZE);
    if (changed) changed();
}

int CStandardBar::EntryAt(int position) const {
    TBBUTTON b = {};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&b)))
        return shell::kToolSeparator;
    if (b.fsStyle & BTNS_SEP) return shell::kToolSeparator;
    return shell::FindToolButton(static_cast<unsigned>(b.idCommand));
}

shell::ToolArrangement CStandardBar::Arrangement() const {
    shell::ToolArrangement a;
    const int n = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < n; ++i) a.push_back(EntryAt(i));
    return a;
}

void CStandardBar::LoadArrangement() {
    settings::SettingsStore* store = settings::Current();
    SetArrangement(store ? shell::LoadArrangement(*store) : shell::DefaultArrangement());
}

void CStandardBar::SaveArrangement() const {
    if (settings::SettingsStore* store = settings::Current()) shell::SaveArrangement(*store, Arrangement());
}

void CStandardBar::Customize() { SendMessage(TB_CUSTOMIZE); }

SIZE CStandardBar::IdealSize() const {
    SIZE size = {0, kButtonHeight};
    const int n = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < n; ++i) {
        RECT rc = {};
        if (SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc))) {
            if (rc.right > size.cx) size.cx = rc.right;
            if (rc.bottom - rc.top > size.cy) size.cy = rc.bottom - rc.top;
        }
    }
    return size;
}

std::vector<int> CStandardBar::HiddenButtons(int width) const {
    std::vector<int> hidden;
    const int n = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < n; ++i) {
        RECT rc = {};
        if (SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc)) && rc.right > width)
            hidden.push_back(i);
    }
    return hidden;
}

std::string CStandardBar::ButtonText(unsigned command) {
    return prompt::ToolTipPart(LoadResString(command));
}

void CStandardBar::ShowDropDown(const NMTOOLBARA* info) {
    HMENU menu = dropDownMenu ? dropDownMenu(static_cast<unsigned>(info->iItem)) : nullptr;
    CFrameWnd* frame = GetOwnerFrame();
    if (!menu || !frame) return;
    RECT rc = {};
    SendMessage(TB_GETRECT, static_cast<WPARAM>(info->iItem), reinterpret_cast<LPARAM>(&rc));
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    TPMPARAMS tpm = {sizeof tpm, rc};
    // The frame owns the popup: it sets the check marks and gets the command.
    ::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON, rc.left, rc.bottom,
                       frame->m_hWnd, &tpm);
}

bool CStandardBar::HandleNotify(NMHDR* header, LRESULT* result) {
    switch (header->code) {
        case TBN_DROPDOWN:
            ShowDropDown(reinterpret_cast<NMTOOLBARA*>(header));
            *result = TBDDRET_DEFAULT;
            return true;
        case TBN_QUERYINSERT:
        case TBN_QUERYDELETE:
            *result = TRUE;
            return true;
        case TBN_INITCUSTOMIZE:
            *result = TBNRF_HIDEHELP;
            return true;
        case TBN_GETBUTTONINFOA:
        case TBN_GETBUTTONINFOW: {
            auto* info = reinterpret_cast<NMTOOLBARA*>(header);
            if (info->iItem < 0 || info->iItem >= static_cast<int>(shell::kToolButtonCount)) {
                *result = FALSE;
                return true;
            }
            info->tbButton = ButtonOf(info->iItem);
            const std::string text = ButtonText(shell::ToolButtonAt(static_cast<std::size_t>(info->iItem)).command);
            if (header->code == TBN_GETBUTTONINFOW) {
                auto* w = reinterpret_cast<NMTOOLBARW*>(header);
                if (w->pszText) ToWide(text, w->pszText, w->cchText);
            } else if (info->pszText && info->cchText > 0) {
                lstrcpynA(info->pszText, text.c_str(), info->cchText);
            }
            *result = TRUE;
            return true;
        }
        case TBN_RESET:
            SetArrangement(shell::DefaultArrangement());
            *result = 0;
            return true;
        case TBN_TOOLBARCHANGE:
            SendMessage(TB_AUTOSIZE);
            if (changed) changed();
            *result = 0;
            return true;
        case TTN_GETDISPINFOA: {
            auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
            static std::string s_text;
            s_text = ButtonText(static_cast<unsigned>(header->idFrom));
            tip->lpszText = const_cast<char*>(s_text.c_str());
            *result = 0;
            return true;
        }
        case TTN_GETDISPINFOW: {
            auto* tip = reinterpret_cast<NMTTDISPINFOW*>(header);
            static wchar_t s_wide[80];
            ToWide(ButtonText(static_cast<unsigned>(header->idFrom)), s_wide, 80);
            tip->lpszText = s_wide;
            *result = 0;
            return true;
        }
        default:
            return false;
    }
}

void CStandardBar::OnUpdateCmdUI(CFrameWnd* target) {
    const int n = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < n; ++i) {
        TBBUTTON b = {};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b))) continue;
        if (b.fsStyle & BTNS_SEP) continue;
        CToolCmdUI ui(m_hWnd, static_cast<UINT>(b.idCommand));
        target->UpdateCommandState(static_cast<UINT>(b.idCommand), &ui);
    }
}
