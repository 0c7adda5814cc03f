// Color.pqi: the colour picker plug-in. Loaded by the program from its
// Plugins folder; talks to the editor only through window messages.
//
// One dialog object lives as long as the module. Its window is modal (the
// run entry returns when it closes) or modeless (the run entry returns at
// once and the window stays until closed or until the end entry).
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/core/Decimal.h"
#include "plugins/PluginSupport.h"
#include "plugins/color/ColorResource.h"
#include "plugins/color/core/ColorCore.h"
#include "tags/core/ColorNameTable.h"

namespace {

HINSTANCE g_module = plugin::ThisModule();

// The editor's replace-selection message and the frame's "which editor is
// active" command.
constexpr UINT kEditorReplaceSel = 0x0414;
constexpr WPARAM kGetActiveEditorCommand = 1224;

const char kTitle[] = "カラー値取得 ver2.00";
const char kMessageTitle[] = "Pembroquil Plugin";
const char kSection[] = "Color";

// The module's small dialog framework: the object rides in the window's user
// data from WM_INITDIALOG on and receives the messages it handles.
class CPluginDialog {
public:
    CPluginDialog() = default;
    CPluginDialog(const CPluginDialog&) = delete;
    CPluginDialog& operator=(const CPluginDialog&) = delete;
    virtual ~CPluginDialog() = default;

    HWND Window() const { return m_hWnd; }

protected:
    virtual INT_PTR OnInit() { return TRUE; }
    virtual INT_PTR OnClose() { return 0; }
    virtual INT_PTR OnDestroy() { return 0; }
    virtual INT_PTR OnCommand(WPARAM, LPARAM) { return 0; }
    virtual INT_PTR OnVScroll(WPARAM, LPARAM) { return 0; }
    virtual INT_PTR OnCtlColorStatic(HDC, HWND) { return 0; }
    virtual INT_PTR OnDrawItem(const DRAWITEMSTRUCT*) { return 0; }
    virtual INT_PTR OnMeasureItem(MEASUREITEMSTRUCT*) { return 0; }
    virtual INT_PTR OnPaint() { return 0; }
    virtual INT_PTR OnInitMenuPopup(HMENU) { return 0; }

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        CPluginDialog* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<CPluginDialog*>(lParam);
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
            self->m_hWnd = hwnd;
            return self->OnInit();
        }
        self = reinterpret_cast<CPluginDialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self) return 0;
        switch (message) {
            case WM_CLOSE: return self->OnClose();
            case WM_DESTROY: {
                const INT_PTR r = self->OnDestroy();
                ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
                self->m_hWnd = nullptr;
                return r;
            }
            case WM_COMMAND: return self->OnCommand(wParam, lParam);
            case WM_VSCROLL: return self->OnVScroll(wParam, lParam);
            case WM_CTLCOLORSTATIC:
                return self->OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            case WM_DRAWITEM: return self->OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            case WM_MEASUREITEM: return self->OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            case WM_PAINT: return self->OnPaint();
            case WM_INITMENUPOPUP: return self->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            default: return 0;
        }
    }

    HWND m_hWnd = nullptr;
};

class CColorDialog : public CPluginDialog {
public:
    // Opens the window: modal (returns when it closes) or modeless.
    void Open(HWND owner, HWND editor);
    // Destroys a modeless window (saving the settings); the result of the
    // destruction, or 0 when there is no window.
    int Close();

protected:
    INT_PTR OnInit() override;
    INT_PTR OnClose() override;
    INT_PTR OnDestroy() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnVScroll(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnCtlColorStatic(HDC dc, HWND control) override;
    INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item) override;
    INT_PTR OnMeasureItem(MEASUREITEMSTRUCT* item) override;
    INT_PTR OnPaint() override;
    INT_PTR OnInitMenuPopup(HMENU menu) override;

private:
    void ReadSettings();
    void SaveSettings();
    void RecreateCombo();
    void FillList();
    void SetBars(std::uint32_t rgb);
    std::uint32_t BarsColor() const;
    void PutHexText();
    void RedrawPreview();
    void EditChanged();
    void Insert();
    void EndWindow();
    bool ChooseColorFor(std::uint32_t* rgb);

    HWND m_owner = nullptr;
    HWND m_editor = nullptr;
    std::string m_settingsPath = plugin::ModuleFolder(g_module) + "dialog.ini";
    colorplugin::ColorSettings m_settings;
    int m_modelessNext = 0;
    HFONT m_boldFont = nullptr;
    RECT m_previewRect = {};
    HWND m_combo = nullptr;
};

CColorDialog g_dialog;

// A modeless window lives in the host's message loop, which does not know it
// is a dialog. While it exists, a hook on this thread's messages gives its
// keys to the dialog manager (Tab, Enter, Esc and the mnemonics), so they
// work as in the modal window and never reach the host's shortcuts.
HHOOK g_keyHook = nullptr;

LRESULT CALLBACK DialogKeysHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        HWND dialog = g_dialog.Window();
        if (dialog && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
            (msg->hwnd == dialog || ::IsChild(dialog, msg->hwnd)) && ::IsDialogMessageA(dialog, msg)) {
            msg->message = WM_NULL;
            msg->wParam = 0;
            msg->lParam = 0;
        }
    }
    return ::CallNextHookEx(g_keyHook, code, wParam, lParam);
}

void HookDialogKeys(bool on) {
    if (on && !g_keyHook) {
        g_keyHook = ::SetWindowsHookExA(WH_GETMESSAGE, &DialogKeysHook, nullptr, ::GetCurrentThreadId());
    } else if (!on && g_keyHook) {
        ::UnhookWindowsHookEx(g_keyHook);
        g_keyHook = nullptr;
    }
}

void CColorDialog::Open(HWND owner, HWND editor) {
    m_settingsPath = plugin::ModuleFolder(g_module) + "Color.ini";
    ReadSettings();
    m_modelessNext = m_settings.modeless;
    m_owner = owner;
    m_editor = editor;
    if (m_settings.modeless) {
        HWND w = ::CreateDialogParamA(g_module, MAKEINTRESOURCEA(IDD_COLOR), owner, &DialogProc,
                                      reinterpret_cast<LPARAM>(this));
        if (w) {
            ::ShowWindow(w, SW_SHOW);
            HookDialogKeys(true);
        }
    } else {
        ::DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_COLOR), owner, &DialogProc, reinterpret_cast<LPARAM>(this));
    }
}

int CColorDialog::Close() {
    if (!m_hWnd) return 0;
    const int r = ::DestroyWindow(m_hWnd) ? 1 : 0;
    m_hWnd = nullptr;
    return r;
}

void CColorDialog::ReadSettings() {
    std::string v;
    colorplugin::ColorSettings raw;
    auto readInt = [&](const char* key) {
        return plugin::ReadIni(m_settingsPath, kSection, key, &v) ? decimal::ParseSaturated(v.c_str(), 0) : 0;
    };
    raw.backColor = static_cast<std::uint32_t>(readInt("BackColor"));
    raw.value = readInt("Value");
    raw.insertMethod = readInt("InsertMethod");
    raw.modeless = readInt("Modeless");
    if (plugin::ReadIni(m_settingsPath, kSection, "LastColor", &v)) raw.lastColor = v;
    m_settings = colorplugin::CheckedSettings(raw);
}

void CColorDialog::SaveSettings() {
    m_settings.lastColor = colorplugin::CutColorText(plugin::WindowText(m_combo));
    m_settings.modeless = m_modelessNext;
    plugin::WriteIni(m_settingsPath, kSection, "BackColor", std::to_string(m_settings.backColor));
    plugin::WriteIni(m_settingsPath, kSection, "Value", std::to_string(m_settings.value));
    plugin::WriteIni(m_settingsPath, kSection, "InsertMethod", std::to_string(m_settings.insertMethod));
    plugin::WriteIni(m_settingsPath, kSection, "LastColor", m_settings.lastColor);
    plugin::WriteIni(m_settingsPath, kSection, "Modeless", std::to_string(m_settings.modeless));
}

INT_PTR CColorDialog::OnInit() {
    ::SetWindowTextA(m_hWnd, kTitle);
    HICON icon = ::LoadIconA(g_module, MAKEINTRESOURCEA(IDI_COLOR));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    m_boldFont = plugin::CreateBoldGuiFont();
    for (int id : {IDC_COLOR_RED_LABEL, IDC_COLOR_GREEN_LABEL, IDC_COLOR_BLUE_LABEL})
        ::SendDlgItemMessageA(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(m_boldFont), FALSE);
    for (int id : {IDC_COLOR_RED, IDC_COLOR_GREEN, IDC_COLOR_BLUE}) {
        HWND bar = ::GetDlgItem(m_hWnd, id);
        ::SetScrollRange(bar, SB_CTL, 0, 255, FALSE);
        ::SetScrollPos(bar, SB_CTL, 128, TRUE);
    }
    m_previewRect = plugin::ControlRect(m_hWnd, IDC_COLOR_PREVIEW);
    RecreateCombo();
    FillList();
    if (!m_settings.lastColor.empty()) {
        ::SetWindowTextA(m_combo, m_settings.lastColor.c_str());
        EditChanged();
    }
    return TRUE;
}

// The combo box of the template cannot scroll its list; it is replaced by one
// of the same kind with a vertical scroll bar, in the same place and tab order.
void CColorDialog::RecreateCombo() {
    HWND old = ::GetDlgItem(m_hWnd, IDC_COLOR_COMBO);
    char className[64] = "COMBOBOX";
    ::GetClassNameA(old, className, sizeof className);
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(old, GWL_STYLE)) | WS_VSCROLL;
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongA(old, GWL_EXSTYLE));
    const RECT rc = plugin::ControlRect(m_hWnd, IDC_COLOR_COMBO);
    RECT dropped = {};
    ::SendMessageA(old, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    int height = dropped.bottom - dropped.top;
    if (height < rc.bottom - rc.top) height = rc.bottom - rc.top;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(old, WM_GETFONT, 0, 0));
    HWND before = ::GetWindow(old, GW_HWNDPREV);
    ::DestroyWindow(old);
    m_combo = ::CreateWindowExA(exStyle, className, "", style, rc.left, rc.top, rc.right - rc.left, height, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_COLOR_COMBO)), g_module, nullptr);
    ::SendMessageA(m_combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SetWindowPos(m_combo, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(m_combo, CB_LIMITTEXT, colorplugin::kMaxColorText + 1, 0);
}

void CColorDialog::FillList() {
    ::SendMessageA(m_combo, CB_RESETCONTENT, 0, 0);
    char hex[8];
    for (const tags::ColorName& c : tags::kColorNames) {
        const char* text = c.name;
        if (!m_settings.value) {
            tags::FormatHexColor(c.rgb, hex);
            text = hex;
        }
        ::SendMessageA(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void CColorDialog::SetBars(std::uint32_t rgb) {
    ::SetScrollPos(::GetDlgItem(m_hWnd, IDC_COLOR_RED), SB_CTL, static_cast<int>(tags::RedOf(rgb)), TRUE);
    ::SetScrollPos(::GetDlgItem(m_hWnd, IDC_COLOR_GREEN), SB_CTL, static_cast<int>(tags::GreenOf(rgb)), TRUE);
    ::SetScrollPos(::GetDlgItem(m_hWnd, IDC_COLOR_BLUE), SB_CTL, static_cast<int>(tags::BlueOf(rgb)), TRUE);
}

std::uint32_t CColorDialog::BarsColor() const {
    return tags::MakeRgb(static_cast<unsigned>(::GetScrollPos(::GetDlgItem(m_hWnd, IDC_COLOR_RED), SB_CTL)),
                         static_cast<unsigned>(::GetScrollPos(::GetDlgItem(m_hWnd, IDC_COLOR_GREEN), SB_CTL)),
                         static_cast<unsigned>(::GetScrollPos(::GetDlgItem(m_hWnd, IDC_COLOR_BLUE), SB_CTL)));
}

void CColorDialog::PutHexText() {
    char hex[8];
    tags::FormatHexColor(BarsColor(), hex);
    ::SetWindowTextA(m_combo, hex);
}

void CColorDialog::RedrawPreview() { ::InvalidateRect(m_hWnd, &m_previewRect, FALSE); }

void CColorDialog::EditChanged() {
    SetBars(colorplugin::ColorOfText(plugin::WindowText(m_combo)));
    RedrawPreview();
}

bool CColorDialog::ChooseColorFor(std::uint32_t* rgb) {
    static COLORREF custom[16];
    for (COLORREF& c : custom) c = RGB(255, 255, 255);
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = m_hWnd;
    cc.rgbResult = *rgb;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!::ChooseColorA(&cc)) return false;
    *rgb = cc.rgbResult & 0xFFFFFF;
    return true;
}

void CColorDialog::Insert() {
    const std::string text =
        colorplugin::TextToInsert(plugin::WindowText(m_combo), m_settings.insertMethod);
    // Ask the frame which editor is active now: the user may have switched
    // tabs, or closed them all. A frame that does not answer leaves 0.
    HWND editor = nullptr;
    ::SendMessageA(m_owner, WM_COMMAND, kGetActiveEditorCommand, reinterpret_cast<LPARAM>(&editor));
    m_editor = (editor && ::IsWindow(editor)) ? editor : nullptr;
    if (!m_editor) {
        ::MessageBoxA(m_hWnd, "挿入できません。", kMessageTitle, MB_OK | MB_ICONERROR);
        return;
    }
    ::SendMessageA(m_editor, kEditorReplaceSel, 1, reinterpret_cast<LPARAM>(text.c_str()));
    if (!m_settings.modeless) ::EndDialog(m_hWnd, 2);
}

void CColorDialog::EndWindow() {
    if (m_settings.modeless)
        ::DestroyWindow(m_hWnd);
    else
        ::EndDialog(m_hWnd, 2);
}

INT_PTR CColorDialog::OnClose() {
    EndWindow();
    return TRUE;
}

INT_PTR CColorDialog::OnDestroy() {
    HookDialogKeys(false);
    SaveSettings();
    if (m_boldFont) ::DeleteObject(m_boldFont);
    m_boldFont = nullptr;
    m_combo = nullptr;
    return 0;
}

INT_PTR CColorDialog::OnCommand(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (id) {
        case IDC_COLOR_COMBO:
            if (code == CBN_SELCHANGE) {
                const int i = static_cast<int>(::SendMessageA(m_combo, CB_GETCURSEL, 0, 0));
                if (i >= 0 && i < tags::kColorNameCount) SetBars(tags::kColorNames[i].rgb);
                RedrawPreview();
            } else if (code == CBN_EDITCHANGE) {
                EditChanged();
            }
            return TRUE;
        case IDC_COLOR_CHOOSE: {
            std::uint32_t rgb = 0;
            if (ChooseColorFor(&rgb)) {
                SetBars(rgb);
                PutHexText();
                RedrawPreview();
            }
            return TRUE;
        }
        case ID_COLOR_UPPER:
        case ID_COLOR_LOWER:
        case ID_COLOR_ASIS:
            m_settings.insertMethod = id - ID_COLOR_UPPER;
            return TRUE;
        case ID_COLOR_SHOWVALUES: {
            const std::string text = plugin::WindowText(m_combo);
            m_settings.value = 1 - m_settings.value;
            FillList();
            ::SetWindowTextA(m_combo, text.c_str());
            return TRUE;
        }
        case ID_COLOR_BACKCOLOR: {
            std::uint32_t rgb = m_settings.backColor;
            if (ChooseColorFor(&rgb)) {
                m_settings.backColor = rgb;
                RedrawPreview();
                ::InvalidateRect(m_combo, nullptr, TRUE);
            }
            return TRUE;
        }
        case ID_COLOR_MODELESS:
            m_modelessNext = 1 - m_modelessNext;
            ::MessageBoxA(m_hWnd, "本設定は次回以降の起動時から反映されます。", kMessageTitle, MB_OK | MB_ICONWARNING);
            return TRUE;
        case IDOK:
            Insert();
            return TRUE;
        case IDCANCEL:
        case ID_COLOR_EXIT:
            EndWindow();
            return TRUE;
        default: return 0;
    }
}

INT_PTR CColorDialog::OnVScroll(WPARAM wParam, LPARAM lParam) {
    HWND bar = reinterpret_cast<HWND>(lParam);
    if (!bar) return 0;
    int pos = ::GetScrollPos(bar, SB_CTL);
    switch (LOWORD(wParam)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= 16; break;
        case SB_PAGEDOWN: pos += 16; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: pos = static_cast<short>(HIWORD(wParam)); break;
        default: return TRUE;
    }
    if (pos < 0) pos = 0;
    if (pos > 255) pos = 255;
    ::SetScrollPos(bar, SB_CTL, pos, TRUE);
    PutHexText();
    RedrawPreview();
    return TRUE;
}

INT_PTR CColorDialog::OnCtlColorStatic(HDC dc, HWND control) {
    COLORREF color;
    switch (::GetDlgCtrlID(control)) {
        case IDC_COLOR_RED_LABEL: color = RGB(128, 0, 0); break;
        case IDC_COLOR_GREEN_LABEL: color = RGB(0, 128, 0); break;
        case IDC_COLOR_BLUE_LABEL: color = RGB(0, 0, 128); break;
        default: return 0;
    }
    ::SetTextColor(dc, color);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CColorDialog::OnMeasureItem(MEASUREITEMSTRUCT* item) {
    if (item->CtlID != IDC_COLOR_COMBO) return 0;
    item->itemHeight = static_cast<UINT>(plugin::ColorItemHeight(m_hWnd));
    return TRUE;
}

INT_PTR CColorDialog::OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_COLOR_COMBO) return 0;
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const COLORREF back = m_settings.backColor;
    HBRUSH backBrush = selected ? nullptr : ::CreateSolidBrush(back);
    ::FillRect(dc, &rc, selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : backBrush);
    if (backBrush) ::DeleteObject(backBrush);
    const int index = static_cast<int>(item->itemID);
    // Only the table's entries have a colour and a text.
    if (index < 0 || index >= tags::kColorNameCount) return TRUE;
    RECT swatch = {rc.left + 1, rc.top + 1, rc.left + 35, rc.bottom - 1};
    const bool disabled = !::IsWindowEnabled(m_combo);
    HBRUSH swatchBrush = disabled ? nullptr : ::CreateSolidBrush(tags::kColorNames[index].rgb);
    ::FillRect(dc, &swatch, disabled ? ::GetSysColorBrush(COLOR_BTNFACE) : swatchBrush);
    if (swatchBrush) ::DeleteObject(swatchBrush);

    char text[64] = {};
    if (::SendMessageA(m_combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < static_cast<LRESULT>(sizeof text))
        ::SendMessageA(m_combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    RECT textRect = {rc.left + 35 + 4, rc.top, rc.right, rc.bottom};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                : RGB(255 - GetRValue(back), 255 - GetGValue(back), 255 - GetBValue(back)));
    ::DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return TRUE;
}

INT_PTR CColorDialog::OnPaint() {
    PAINTSTRUCT ps;
    HDC screen = ::BeginPaint(m_hWnd, &ps);
    const int w = m_previewRect.right - m_previewRect.left;
    const int h = m_previewRect.bottom - m_previewRect.top;
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = mem ? ::CreateCompatibleBitmap(screen, w, h) : nullptr;
    HDC dc = screen;
    HGDIOBJ oldBitmap = nullptr;
    POINT origin = {m_previewRect.left, m_previewRect.top};
    if (bitmap) {
        oldBitmap = ::SelectObject(mem, bitmap);
        dc = mem;
        origin = {0, 0};
    }
    const COLORREF current = BarsColor();
    auto fill = [&](int l, int t, int r, int b, COLORREF c) {
        RECT box = {origin.x + l, origin.y + t, origin.x + r, origin.y + b};
        HBRUSH brush = ::CreateSolidBrush(c);
        ::FillRect(dc, &box, brush);
        ::DeleteObject(brush);
    };
    fill(0, 0, w, h, m_settings.backColor);
    RECT frame = {origin.x, origin.y, origin.x + w, origin.y + h};
    ::FrameRect(dc, &frame, ::GetSysColorBrush(COLOR_BTNSHADOW));
    fill(15, 15, w - 15, h - 15, current);
    fill(15, 70, w - 15, h - 35, m_settings.backColor);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, current);
    ::TextOutA(dc, origin.x + 15, origin.y + 75, kTitle, static_cast<int>(sizeof kTitle - 1));
    ::SelectObject(dc, oldFont);
    if (bitmap) {
        ::BitBlt(screen, m_previewRect.left, m_previewRect.top, w, h, mem, 0, 0, SRCCOPY);
        ::SelectObject(mem, oldBitmap);
        ::DeleteObject(bitmap);
    }
    if (mem) ::DeleteDC(mem);
    ::EndPaint(m_hWnd, &ps);
    return TRUE;
}

INT_PTR CColorDialog::OnInitMenuPopup(HMENU menu) {
    HMENU bar = ::GetMenu(m_hWnd);
    if (!bar || menu != ::GetSubMenu(bar, 1)) return 0;
    ::CheckMenuRadioItem(menu, 0, 2, static_cast<UINT>(m_settings.insertMethod), MF_BYPOSITION);
    ::CheckMenuItem(menu, ID_COLOR_SHOWVALUES, MF_BYCOMMAND | (m_settings.value == 0 ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(menu, ID_COLOR_MODELESS, MF_BYCOMMAND | (m_modelessNext == 1 ? MF_CHECKED : MF_UNCHECKED));
    return TRUE;
}

}  // namespace

extern "C" {

// Run entry: the main frame (owner of the window), the active editor, and a
// reserved 0. A modeless window that is already open is brought forward.
__declspec(dllexport) int __cdecl PembroquilPluginExecute(HWND frame, HWND editor, int reserved) {
    (void)reserved;
    if (g_dialog.Window()) {
        ::SetForegroundWindow(g_dialog.Window());
        return 1;
    }
    g_dialog.Open(frame, editor);
    return 1;
}

// End entry: called just before the module is unloaded. Closes a modeless
// window, which saves the settings.
__declspec(dllexport) int __cdecl PembroquilPluginConclusion(void) { return g_dialog.Close(); }

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(module);
    return TRUE;
}
