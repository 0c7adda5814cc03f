// Gradation.pqi: turns the selected text into gradient-coloured HTML. Loaded
// by the program from its Plugins folder; talks to the editor only through
// window messages.
//
// A modal dialog edits the current settings (text, font, size, weight,
// style, background and the begin, centre and end colours) with a live
// preview, keeps named presets in "Gradation.ini" beside the module, and
// inserts one coloured span per character.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "framework/core/Decimal.h"
#include "plugins/PluginSupport.h"
#include "plugins/gradation/GradationResource.h"
#include "plugins/gradation/core/GradationCore.h"
#include "tags/core/ColorNameTable.h"

namespace {

const HINSTANCE g_module = plugin::ThisModule();

constexpr UINT kEditorReplaceSel = 0x0414;
constexpr UINT kEditorGetSelText = 0x0415;
constexpr UINT kEditorGetSelLength = 0x0416;

const char kTitle[] = "グラデーション ver1.07";
const char kSection[] = "Gradation";
const char kOptionSection[] = "Option";

// The preview font never grows past this many pixels, whatever Size says.
constexpr int kMaxPreviewHeight = 2000;

// Custom colours of the colour dialog, kept while the module is loaded.
COLORREF g_customColors[16];

bool ChooseColorFor(HWND owner, std::uint32_t* rgb) {
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = 0;
    cc.lpCustColors = g_customColors;
    cc.Flags = CC_RGBINIT;
    if (!::ChooseColorA(&cc)) return false;
    *rgb = cc.rgbResult & 0xFFFFFF;
    return true;
}

// The preview: the static control 1013, subclassed. It keeps its own copy of
// its text, the four colours and the two-colour flag, and paints one colour
// per character until the text reaches its right edge.
class CPreview {
public:
    void Attach(HWND hwnd) {
        m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_oldProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPreview::Proc)));
    }
    void SetColors(std::uint32_t back, std::uint32_t begin, std::uint32_t center, std::uint32_t end) {
        m_back = back;
        m_begin = begin;
        m_center = center;
        m_end = end;
        Repaint();
    }
    void SetTwoColor(bool two) {
        m_twoColor = two;
        Repaint();
    }
    void SetFont(HFONT font) {
        m_font = font;
        Repaint();
    }
    void Repaint() {
        if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    std::uint32_t back() const { return m_back; }
    std::uint32_t begin() const { return m_begin; }
    std::uint32_t center() const { return m_center; }
    std::uint32_t end() const { return m_end; }
    bool twoColor() const { return m_twoColor; }
    const std::string& text() const { return m_text; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        CPreview* self = reinterpret_cast<CPreview*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        switch (message) {
            case WM_SETTEXT:
                self->m_text = gradation::Cut(lParam ? reinterpret_cast<const char*>(lParam) : "",
                                              gradation::kMaxText);
                self->Repaint();
                return TRUE;
            case WM_GETTEXTLENGTH: return static_cast<LRESULT>(self->m_text.size());
            case WM_GETTEXT: {
                if (wParam == 0 || !lParam) return 0;
                const std::size_t n = self->m_text.size() < wParam - 1 ? self->m_text.size() : wParam - 1;
                self->m_text.copy(reinterpret_cast<char*>(lParam), n);
                reinterpret_cast<char*>(lParam)[n] = '\0';
                return static_cast<LRESULT>(n);
            }
            case WM_ERASEBKGND: return TRUE;
            case WM_PAINT: self->Paint(); return 0;
            case WM_NCDESTROY: {
                WNDPROC old = self->m_oldProc;
                ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
                self->m_hWnd = nullptr;
                return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
            }
            default: return ::CallWindowProcA(self->m_oldProc, hwnd, message, wParam, lParam);
        }
    }

    void Paint() {
        PAINTSTRUCT ps;
        HDC screen = ::BeginPaint(m_hWnd, &ps);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        HDC mem = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = mem ? ::CreateCompatibleBitmap(screen, client.right, client.bottom) : nullptr;
        HGDIOBJ oldBitmap = bitmap ? ::SelectObject(mem, bitmap) : nullptr;
        HDC dc = bitmap ? mem : screen;
        DrawTo(dc, client);
        if (bitmap) {
            ::BitBlt(screen, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
            ::SelectObject(mem, oldBitmap);
            ::DeleteObject(bitmap);
        }
        if (mem) ::DeleteDC(mem);
        ::EndPaint(m_hWnd, &ps);
    }

    void DrawTo(HDC dc, const RECT& client) {
        HBRUSH back = ::CreateSolidBrush(m_back);
        ::FillRect(dc, &client, back);
        ::DeleteObject(back);
        const int n = gradation::CharCount(m_text);
        if (n == 0) return;
        HGDIOBJ oldFont = ::SelectObject(dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE sample = {};
        ::GetTextExtentPoint32A(dc, "aAjJ,_", 6, &sample);
        int x = 10;
        const int y = (client.bottom - sample.cy) / 2;
        ::SetBkMode(dc, TRANSPARENT);
        const std::vector<std::uint32_t> colors = gradation::CharColors(n, m_begin, m_center, m_end, m_twoColor);
        std::size_t pos = 0;
        for (std::uint32_t c : colors) {
            const std::size_t next = sjis::Next(m_text.data(), m_text.size(), pos);
            const int len = static_cast<int>(next - pos);
            SIZE size = {};
            ::GetTextExtentPoint32A(dc, m_text.data() + pos, len, &size);
            RECT clip = {x, y, x + 2 * size.cx, y + sample.cy};
            ::SetTextColor(dc, c);
            ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, m_text.data() + pos, static_cast<UINT>(len), nullptr);
            x += size.cx;
            pos = next;
            if (x > client.right) break;
        }
        ::SelectObject(dc, oldFont);
    }

    HWND m_hWnd = nullptr;
    WNDPROC m_oldProc = nullptr;
    std::string m_text;
    HFONT m_font = nullptr;
    std::uint32_t m_back = 0, m_begin = 0, m_center = 0, m_end = 0;
    bool m_twoColor = false;
};

// One colour group: three scroll bars, their labels and the colour list.
struct ColorGroup {
    int bars[3];
    int labels[3];
    int list;
};
const ColorGroup kGroups[3] = {
    {{IDC_GRAD_BEGIN_R, IDC_GRAD_BEGIN_G, IDC_GRAD_BEGIN_B},
     {IDC_GRAD_BEGIN_R_LABEL, IDC_GRAD_BEGIN_G_LABEL, IDC_GRAD_BEGIN_B_LABEL},
     IDC_GRAD_BEGIN_LIST},
    {{IDC_GRAD_CENTER_R, IDC_GRAD_CENTER_G, IDC_GRAD_CENTER_B},
     {IDC_GRAD_CENTER_R_LABEL, IDC_GRAD_CENTER_G_LABEL, IDC_GRAD_CENTER_B_LABEL},
     IDC_GRAD_CENTER_LIST},
    {{IDC_GRAD_END_R, IDC_GRAD_END_G, IDC_GRAD_END_B},
     {IDC_GRAD_END_R_LABEL, IDC_GRAD_END_G_LABEL, IDC_GRAD_END_B_LABEL},
     IDC_GRAD_END_LIST},
};
constexpr int kCenterGroup = 1;

// Items of a colour list: the colour dialog, the custom colour, the table.
constexpr int kChooseItem = 0;
constexpr int kCustomItem = 1;
constexpr int kFirstTableItem = 2;

class CGradationDialog {
public:
    CGradationDialog(HWND editor) : m_editor(editor) {}
    INT_PTR Run(HWND owner) {
        return ::DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_GRADATION), owner, &Proc,
                                 reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInit();
    void OnDestroy();
    bool OnCommand(int id, int code);
    void OnVScroll(HWND bar, int code, int thumb);
    void OnSize();
    INT_PTR OnCtlColorStatic(HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT* item);

    void FillFontList();
    void FillColorList(int list);
    void ReadSelectionText();
    void Apply(const gradation::Preset& p);
    void EnableCenter(bool enable);
    void SetGroupColor(int group, std::uint32_t rgb);
    std::uint32_t ListColor(int group);
    void ColorsToPreview();
    void UpdatePreviewFont();
    gradation::Preset CurrentSettings();
    std::string SelectedFace();
    int PreviewCharset(const std::string& face);
    void SavePreset();
    void DeletePreset();
    void SavePresets();
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

    HWND m_hWnd = nullptr;
    HWND m_editor;
    std::string m_settingsPath;
    std::vector<gradation::Preset> m_presets;
    gradation::Preset m_current;  // Str, Font and Size as last applied or chosen
    std::string m_face;           // the face the settings hold
    int m_listIndex[3] = {kCustomItem, kCustomItem, kCustomItem};
    CPreview m_preview;
    HFONT m_previewFont = nullptr;
    HFONT m_boldFont = nullptr;
    bool m_applying = false;
    // Layout kept when the dialog is resized.
    SIZE m_minSize = {};
    POINT m_okFromCorner = {}, m_cancelFromCorner = {};
    RECT m_previewMargins = {};
};

INT_PTR CALLBACK CGradationDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CGradationDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CGradationDialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
        self->m_hWnd = hwnd;
        self->OnInit();
        return FALSE;  // the focus is set
    }
    if (message == WM_MEASUREITEM) {  // sent while the colour lists are created
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mi->itemHeight = static_cast<UINT>(plugin::ColorItemHeight(hwnd));
        return TRUE;
    }
    self = reinterpret_cast<CGradationDialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return FALSE;
    switch (message) {
        case WM_COMMAND: return self->OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_VSCROLL:
            self->OnVScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return self->OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM: self->OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_GETMINMAXINFO: {
            auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
            if (self->m_minSize.cx) {
                mm->ptMinTrackSize.x = self->m_minSize.cx;
                mm->ptMinTrackSize.y = self->m_minSize.cy;
            }
            return TRUE;
        }
        case WM_SIZE: self->OnSize(); return TRUE;
        case WM_CLOSE: ::EndDialog(hwnd, 0); return TRUE;
        case WM_DESTROY: self->OnDestroy(); return TRUE;
        default: return FALSE;
    }
}

void CGradationDialog::OnInit() {
    ::SetWindowTextA(m_hWnd, kTitle);
    HICON icon = ::LoadIconA(g_module, MAKEINTRESOURCEA(IDI_GRADATION));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    m_preview.Attach(Item(IDC_GRAD_PREVIEW));
    m_boldFont = plugin::CreateBoldGuiFont();
    for (const ColorGroup& g : kGroups) {
        for (int id : g.labels) ::SendDlgItemMessageA(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(m_boldFont), 0);
        for (int id : g.bars) ::SetScrollRange(Item(id), SB_CTL, 0, 255, FALSE);
        FillColorList(g.list);
    }
    FillFontList();
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_SIZE, EM_LIMITTEXT, gradation::kMaxSize, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_TEXT, EM_LIMITTEXT, gradation::kMaxText, 0);

    m_settingsPath = plugin::ModuleFolder(g_module) + "Gradation.ini";
    const std::string path = m_settingsPath;
    m_presets = gradation::ReadPresets([&path](const std::string& key, std::string* value) {
        return plugin::ReadIni(path, kSection, key.c_str(), value);
    });
    for (const gradation::Preset& p : m_presets)
        ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.name.c_str()));

    m_current = gradation::InitialSettings();
    ReadSelectionText();
    Apply(m_current);
    std::string noChange;
    const int keep = plugin::ReadIni(m_settingsPath, kOptionSection, "NoChange", &noChange)
                         ? decimal::ParseSaturated(noChange.c_str(), 0)
                         : 0;
    ::CheckDlgButton(m_hWnd, IDC_GRAD_NOCHANGE, keep ? BST_CHECKED : BST_UNCHECKED);
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_TEXT, EM_SETSEL, 0, -1);
    ::SetFocus(Item(IDC_GRAD_TEXT));

    // The layout to keep: the smallest size is the first one.
    RECT win, client;
    ::GetWindowRect(m_hWnd, &win);
    m_minSize = {win.right - win.left, win.bottom - win.top};
    ::GetClientRect(m_hWnd, &client);
    const RECT ok = plugin::ControlRect(m_hWnd, IDOK);
    const RECT cancel = plugin::ControlRect(m_hWnd, IDCANCEL);
    const RECT preview = plugin::ControlRect(m_hWnd, IDC_GRAD_PREVIEW);
    m_okFromCorner = {client.right - ok.left, client.bottom - ok.top};
    m_cancelFromCorner = {client.right - cancel.left, client.bottom - cancel.top};
    m_previewMargins = {preview.left, preview.top, client.right - preview.right, client.bottom - preview.bottom};
}

// The selection's first line replaces the initial text. The buffer holds the
// length the editor reported and the NUL it adds.
void CGradationDialog::ReadSelectionText() {
    if (!m_editor || !::IsWindow(m_editor)) return;
    const LRESULT length = ::SendMessageA(m_editor, kEditorGetSelLength, 0, 0);
    if (length <= 0) return;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT got = ::SendMessageA(m_editor, kEditorGetSelText, 0, reinterpret_cast<LPARAM>(buffer.data()));
    if (got < 0 || got > length) got = length;
    m_current.str = gradation::FirstLine(buffer.data(), static_cast<std::size_t>(got));
}

namespace {
int CALLBACK AddFontFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    HWND list = reinterpret_cast<HWND>(lParam);
    if (::SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(lf->lfFaceName)) ==
        CB_ERR) {
        const LRESULT i = ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lf->lfFaceName));
        if (i >= 0) ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(i), lf->lfCharSet);
    }
    return 1;
}

int CALLBACK FaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

bool HasFace(HDC dc, const std::string& face, int charset) {
    LOGFONTA lf = {};
    lf.lfCharSet = static_cast<BYTE>(charset);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExA(dc, &lf, reinterpret_cast<FONTENUMPROCA>(&FaceFound), reinterpret_cast<LPARAM>(&found), 0);
    return found;
}
}  // namespace

void CGradationDialog::FillFontList() {
    HWND list = Item(IDC_GRAD_FONT);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    const int dialogCharset = ::GetTextCharset(dc);
    for (int charset : {dialogCharset, 255, 1}) {
        LOGFONTA lf = {};
        lf.lfCharSet = static_cast<BYTE>(charset);
        ::EnumFontFamiliesExA(dc, &lf, reinterpret_cast<FONTENUMPROCA>(&AddFontFace), reinterpret_cast<LPARAM>(list), 0);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
}

void CGradationDialog::FillColorList(int id) {
    HWND list = Item(id);
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("カラー値取得"));
    const LRESULT custom = ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(custom), 0);
    for (const tags::ColorName& c : tags::kColorNames) {
        const LRESULT i = ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.name));
        ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(i), c.rgb);
    }
}

int CGradationDialog::PreviewCharset(const std::string& face) {
    HDC dc = ::GetDC(m_hWnd);
    const int charset = gradation::CharsetForCodePage(::GetACP(), ::GetTextCharset(dc));
    int result = 0;
    if (HasFace(dc, face, charset))
        result = charset;
    else if (HasFace(dc, face, 255))
        result = 255;
    ::ReleaseDC(m_hWnd, dc);
    return result;
}

void CGradationDialog::UpdatePreviewFont() {
    const gradation::Preset p = CurrentSettings();
    int height = gradation::SizeValue(p.size);
    if (height > kMaxPreviewHeight) height = kMaxPreviewHeight;
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = p.bold ? FW_BOLD : FW_DONTCARE;
    lf.lfItalic = p.italic ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(PreviewCharset(p.font));
    p.font.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectA(&lf);
    if (!font) return;
    m_preview.SetFont(font);
    if (m_previewFont) ::DeleteObject(m_previewFont);
    m_previewFont = font;
}

std::string CGradationDialog::SelectedFace() {
    HWND list = Item(IDC_GRAD_FONT);
    LRESULT i = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (i < 0) i = 0;
    const LRESULT n = ::SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n <= 0) return std::string();
    std::string face(static_cast<std::size_t>(n) + 1, '\0');
    ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&face[0]));
    face.resize(static_cast<std::size_t>(n));
    return face;
}

gradation::Preset CGradationDialog::CurrentSettings() {
    gradation::Preset p;
    p.str = gradation::Cut(plugin::WindowText(Item(IDC_GRAD_TEXT)), gradation::kMaxText);
    p.font = gradation::Cut(m_face, gradation::kMaxFont);
    p.size = gradation::SizeDigits(plugin::WindowText(Item(IDC_GRAD_SIZE)));
    p.bold = ::IsDlgButtonChecked(m_hWnd, IDC_GRAD_BOLD) == BST_CHECKED;
    p.italic = ::IsDlgButtonChecked(m_hWnd, IDC_GRAD_ITALIC) == BST_CHECKED;
    p.back = m_preview.back();
    p.begin = m_preview.begin();
    p.center = m_preview.center();
    p.end = m_preview.end();
    p.twoColor = m_preview.twoColor() ? 1 : 0;
    return p;
}

void CGradationDialog::EnableCenter(bool enable) {
    const ColorGroup& g = kGroups[kCenterGroup];
    for (int id : g.bars) ::EnableWindow(Item(id), enable);
    for (int id : g.labels) ::EnableWindow(Item(id), enable);
    ::EnableWindow(Item(g.list), enable);
}

void CGradationDialog::SetGroupColor(int group, std::uint32_t rgb) {
    const ColorGroup& g = kGroups[group];
    ::SetScrollPos(Item(g.bars[0]), SB_CTL, static_cast<int>(tags::RedOf(rgb)), TRUE);
    ::SetScrollPos(Item(g.bars[1]), SB_CTL, static_cast<int>(tags::GreenOf(rgb)), TRUE);
    ::SetScrollPos(Item(g.bars[2]), SB_CTL, static_cast<int>(tags::BlueOf(rgb)), TRUE);
}

std::uint32_t CGradationDialog::ListColor(int group) {
    HWND list = Item(kGroups[group].list);
    LRESULT i = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (i < kCustomItem) i = kCustomItem;
    return static_cast<std::uint32_t>(::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) & 0xFFFFFF;
}

void CGradationDialog::ColorsToPreview() {
    m_preview.SetColors(m_preview.back(), ListColor(0), ListColor(1), ListColor(2));
}

void CGradationDialog::Apply(const gradation::Preset& p) {
    m_applying = true;
    HWND fonts = Item(IDC_GRAD_FONT);
    LRESULT i = ::SendMessageA(fonts, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(p.font.c_str()));
    if (i == CB_ERR) i = 0;
    ::SendMessageA(fonts, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    m_face = p.font;
    if (::IsDlgButtonChecked(m_hWnd, IDC_GRAD_NOCHANGE) != BST_CHECKED)
        ::SetDlgItemTextA(m_hWnd, IDC_GRAD_TEXT, gradation::Cut(p.str, gradation::kMaxText).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_GRAD_SIZE, gradation::SizeDigits(p.size).c_str());
    ::CheckDlgButton(m_hWnd, IDC_GRAD_BOLD, p.bold ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_GRAD_ITALIC, p.italic ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_GRAD_USE_CENTER, p.twoColor ? BST_UNCHECKED : BST_CHECKED);
    const std::uint32_t colors[3] = {p.begin & 0xFFFFFF, p.center & 0xFFFFFF, p.end & 0xFFFFFF};
    for (int g = 0; g < 3; ++g) {
        SetGroupColor(g, colors[g]);
        HWND list = Item(kGroups[g].list);
        ::SendMessageA(list, CB_SETITEMDATA, kCustomItem, colors[g]);
        ::SendMessageA(list, CB_SETCURSEL, kCustomItem, 0);
        m_listIndex[g] = kCustomItem;
        ::InvalidateRect(list, nullptr, TRUE);
    }
    EnableCenter(p.twoColor == 0);
    m_applying = false;
    UpdatePreviewFont();
    m_preview.SetTwoColor(p.twoColor != 0);
    m_preview.SetColors(p.back & 0xFFFFFF, colors[0], colors[1], colors[2]);
}

bool CGradationDialog::OnCommand(int id, int code) {
    switch (id) {
        case IDC_GRAD_TEXT:
            if (code == EN_CHANGE) {
                const std::string text = plugin::WindowText(Item(IDC_GRAD_TEXT));
                ::SetWindowTextA(Item(IDC_GRAD_PREVIEW), gradation::Cut(text, gradation::kMaxText).c_str());
            }
            return true;
        case IDC_GRAD_PRESETS:
            if (code == CBN_SELCHANGE) {
                const LRESULT i = ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_GETCURSEL, 0, 0);
                if (i >= 0 && static_cast<std::size_t>(i) < m_presets.size()) Apply(m_presets[static_cast<std::size_t>(i)]);
            }
            return true;
        case IDC_GRAD_FONT:
            if (code == CBN_SELCHANGE && ::SendMessageA(Item(IDC_GRAD_FONT), CB_GETCURSEL, 0, 0) >= 0) {
                m_face = SelectedFace();
                UpdatePreviewFont();
            }
            return true;
        case IDC_GRAD_SIZE:
            if (code == EN_CHANGE && !m_applying) UpdatePreviewFont();
            return true;
        case IDC_GRAD_BOLD:
        case IDC_GRAD_ITALIC:
            if (code == BN_CLICKED) UpdatePreviewFont();
            return true;
        case IDC_GRAD_BACKCOLOR: {
            std::uint32_t rgb = 0;
            if (ChooseColorFor(m_hWnd, &rgb))
                m_preview.SetColors(rgb, m_preview.begin(), m_preview.center(), m_preview.end());
            return true;
        }
        case IDC_GRAD_BEGIN_LIST:
        case IDC_GRAD_CENTER_LIST:
        case IDC_GRAD_END_LIST: {
            if (code != CBN_SELCHANGE) return true;
            const int g = id == IDC_GRAD_BEGIN_LIST ? 0 : id == IDC_GRAD_CENTER_LIST ? 1 : 2;
            HWND list = Item(id);
            LRESULT i = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
            if (i == kChooseItem) {
                std::uint32_t rgb = 0;
                if (ChooseColorFor(m_hWnd, &rgb)) {
                    ::SendMessageA(list, CB_SETITEMDATA, kCustomItem, rgb);
                    i = kCustomItem;
                } else {
                    i = m_listIndex[g];
                }
                ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            }
            if (i >= kCustomItem) m_listIndex[g] = static_cast<int>(i);
            SetGroupColor(g, ListColor(g));
            ColorsToPreview();
            return true;
        }
        case IDC_GRAD_USE_CENTER: {
            const bool use = ::IsDlgButtonChecked(m_hWnd, IDC_GRAD_USE_CENTER) == BST_CHECKED;
            EnableCenter(use);
            m_preview.SetTwoColor(!use);
            return true;
        }
        case IDC_GRAD_NOCHANGE:
            plugin::WriteIni(m_settingsPath, kOptionSection, "NoChange",
                             ::IsDlgButtonChecked(m_hWnd, IDC_GRAD_NOCHANGE) == BST_CHECKED ? "1" : "0");
            return true;
        case IDC_GRAD_SAVE: SavePreset(); return true;
        case IDC_GRAD_DELETE: DeletePreset(); return true;
        case IDOK: {
            // The HTML of the whole text from the settings as they are now.
            const std::string html = gradation::BuildHtml(CurrentSettings());
            if (m_editor && ::IsWindow(m_editor))
                ::SendMessageA(m_editor, kEditorReplaceSel, 1, reinterpret_cast<LPARAM>(html.c_str()));
            ::EndDialog(m_hWnd, 1);
            return true;
        }
        case IDCANCEL: ::EndDialog(m_hWnd, 2); return true;
        default: return false;
    }
}

void CGradationDialog::OnVScroll(HWND bar, int code, int thumb) {
    if (!bar) return;
    int pos = ::GetScrollPos(bar, SB_CTL);
    switch (code) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= 16; break;
        case SB_PAGEDOWN: pos += 16; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: pos = thumb; break;
        default: return;
    }
    if (pos < 0) pos = 0;
    if (pos > 255) pos = 255;
    ::SetScrollPos(bar, SB_CTL, pos, TRUE);
    const int id = ::GetDlgCtrlID(bar);
    for (int g = 0; g < 3; ++g) {
        const ColorGroup& group = kGroups[g];
        if (id != group.bars[0] && id != group.bars[1] && id != group.bars[2]) continue;
        const std::uint32_t rgb = tags::MakeRgb(static_cast<unsigned>(::GetScrollPos(Item(group.bars[0]), SB_CTL)),
                                                static_cast<unsigned>(::GetScrollPos(Item(group.bars[1]), SB_CTL)),
                                                static_cast<unsigned>(::GetScrollPos(Item(group.bars[2]), SB_CTL)));
        HWND list = Item(group.list);
        ::SendMessageA(list, CB_SETITEMDATA, kCustomItem, rgb);
        ::SendMessageA(list, CB_SETCURSEL, kCustomItem, 0);
        ::InvalidateRect(list, nullptr, TRUE);
        m_listIndex[g] = kCustomItem;
        ColorsToPreview();
    }
}

void CGradationDialog::OnSize() {
    if (!m_minSize.cx) return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::SetWindowPos(Item(IDOK), nullptr, client.right - m_okFromCorner.x, client.bottom - m_okFromCorner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(Item(IDCANCEL), nullptr, client.right - m_cancelFromCorner.x, client.bottom - m_cancelFromCorner.y,
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(Item(IDC_GRAD_PREVIEW), nullptr, m_previewMargins.left, m_previewMargins.top,
                   client.right - m_previewMargins.right - m_previewMargins.left,
                   client.bottom - m_previewMargins.bottom - m_previewMargins.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

INT_PTR CGradationDialog::OnCtlColorStatic(HDC dc, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    for (const ColorGroup& g : kGroups) {
        static const COLORREF kColors[3] = {RGB(128, 0, 0), RGB(0, 128, 0), RGB(0, 0, 128)};
        for (int k = 0; k < 3; ++k) {
            if (g.labels[k] != id) continue;
            ::SetTextColor(dc, ::IsWindowEnabled(control) ? kColors[k] : ::GetSysColor(COLOR_GRAYTEXT));
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    return FALSE;
}

void CGradationDialog::OnDrawItem(const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    RECT rc = item->rcItem;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    ::FillRect(dc, &rc, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    const int index = static_cast<int>(item->itemID);
    if (index < 0) return;
    if (index == kChooseItem) {
        char text[64] = {};
        ::SendMessageA(item->hwndItem, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        rc.left += 2;
        ::DrawTextA(dc, text, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    RECT swatch = {rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2};
    HBRUSH brush = disabled ? nullptr : ::CreateSolidBrush(static_cast<COLORREF>(item->itemData) & 0xFFFFFF);
    ::FillRect(dc, &swatch, disabled ? ::GetSysColorBrush(COLOR_BTNFACE) : brush);
    if (brush) ::DeleteObject(brush);
    ::FrameRect(dc, &swatch, ::GetSysColorBrush(COLOR_BTNSHADOW));
}

// Dialog 104: the name of a new preset. OK is enabled while the name is not empty.
INT_PTR CALLBACK SaveNameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
            ::SendDlgItemMessageA(hwnd, IDC_GRAD_SAVE_NAME, EM_LIMITTEXT, gradation::kMaxName, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_GRAD_SAVE_NAME && HIWORD(wParam) == EN_CHANGE) {
                ::EnableWindow(::GetDlgItem(hwnd, IDOK), ::GetWindowTextLengthA(::GetDlgItem(hwnd, IDC_GRAD_SAVE_NAME)) > 0);
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK) {
                auto* name = reinterpret_cast<std::string*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
                *name = gradation::Cut(plugin::WindowText(::GetDlgItem(hwnd, IDC_GRAD_SAVE_NAME)), gradation::kMaxName);
                if (name->empty()) return TRUE;
                ::EndDialog(hwnd, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(hwnd, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

void CGradationDialog::SavePreset() {
    std::string name;
    if (::DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_GRADATION_SAVE), m_hWnd, &SaveNameProc,
                          reinterpret_cast<LPARAM>(&name)) != IDOK)
        return;
    gradation::Preset p = CurrentSettings();
    p.name = name;
    m_presets.insert(m_presets.begin(), p);
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_SETCURSEL, 0, 0);
}

void CGradationDialog::DeletePreset() {
    const LRESULT i = ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_GETCURSEL, 0, 0);
    if (i < 0 || static_cast<std::size_t>(i) >= m_presets.size()) {
        ::MessageBoxA(m_hWnd, "削除したい項目を選択してください。", kTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    if (::MessageBoxA(m_hWnd, "選択されている項目を削除してもいいですか？", kTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_presets.erase(m_presets.begin() + i);
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_GRAD_PRESETS, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void CGradationDialog::SavePresets() {
    ::WritePrivateProfileStringA(kSection, nullptr, nullptr, m_settingsPath.c_str());
    for (const auto& kv : gradation::PresetEntries(m_presets))
        plugin::WriteIni(m_settingsPath, kSection, kv.first.c_str(), kv.second);
}

void CGradationDialog::OnDestroy() {
    SavePresets();
    m_preview.SetFont(nullptr);
    if (m_previewFont) ::DeleteObject(m_previewFont);
    if (m_boldFont) ::DeleteObject(m_boldFont);
    m_previewFont = m_boldFont = nullptr;
}

}  // namespace

extern "C" {

// Run entry: the main frame (owner of the dialog), the active editor (the
// insertion target), and a reserved 0. Returns when the dialog closes.
__declspec(dllexport) int __cdecl PembroquilPluginExecute(HWND frame, HWND editor, int reserved) {
    (void)reserved;
    CGradationDialog dialog(editor);
    dialog.Run(frame);
    return 1;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(module);
    return TRUE;
}
