#include "shell/win/CanvasPage.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdlib>

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"
#include "framework/win/File.h"
#include "framework/win/FileSystem.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace {

constexpr char kSample[] = "AaBbCcXxYyZz";
constexpr char kKeywordFailure[] = "キーワードファイルの作成/保存に失敗しました。";
constexpr UINT_PTR kPanelKeysId = 1;
constexpr int kNameLimit = 32;
constexpr int kMarkerLimit = 8;

KeywordDialogRunner& KeywordRunner() {
    static KeywordDialogRunner runner;
    return runner;
}
ModeNameRunner& NameRunner() {
    static ModeNameRunner runner;
    return runner;
}
ColorPicker& ColorPick() {
    static ColorPicker picker;
    return picker;
}

WORD Code(WPARAM wParam) { return HIWORD(wParam); }
int Id(WPARAM wParam) { return LOWORD(wParam); }

std::string WindowText(HWND item) {
    const int length = ::GetWindowTextLengthA(item);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(item, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

// Enter and Esc typed into a control of a panel stay with the control, so
// the sheet neither closes nor ends the panel.
LRESULT CALLBACK PanelKeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const bool enterOrEsc = wParam == VK_RETURN || wParam == VK_ESCAPE;
    if (message == WM_GETDLGCODE && lParam) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            return ::DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    if ((message == WM_KEYDOWN || message == WM_CHAR) && enterOrEsc) {
        // A dropped-down list still closes on them.
        if (::SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0) == TRUE) return ::DefSubclassProc(hwnd, message, wParam, lParam);
        if ((::GetWindowLongPtrA(hwnd, GWL_STYLE) & ES_MULTILINE) == 0) return 0;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

BOOL CALLBACK KeepKeysOf(HWND child, LPARAM) {
    ::SetWindowSubclass(child, PanelKeysProc, kPanelKeysId, 0);
    return TRUE;
}

// Keyword files on the disk, written through a temporary file beside them.
class KeywordDisk : public options::IKeywordDisk {
public:
    bool Exists(const std::string& path) override { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    bool Write(const std::string& path, const std::string& bytes) override {
        CFile file;
        if (!file.Open(path, CFile::modeWrite | CFile::modeCreate | CFile::shareExclusive)) return false;
        const bool ok = file.Write(bytes.data(), bytes.size()) && file.Flush();
        return file.Close() && ok;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return ReplaceKeepingAttributes(from, to, nullptr);
    }
    void Remove(const std::string& path) override { CurrentFileSystem().Delete(path); }
};

std::vector<std::string> KeywordFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "*.kwd").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        // "*.kwd" also finds longer extensions through their short names.
        if (sjis::ToLowerAscii(pathutil::ExtensionOf(data.cFileName)) != "kwd") continue;
        options::AddKeywordFileOnce(&names, data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    CFile file;
    return file.Open(path, CFile::modeRead | CFile::shareDenyNone) && file.ReadAll(bytes);
}

// Fixed-pitch families of one character set, noting which are bitmap fonts.
struct FontGather {
    std::vector<std::string>* families;
    std::vector<bool>* raster;
};

int CALLBACK CollectFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM lParam) {
    auto* g = reinterpret_cast<FontGather*>(lParam);
    if ((lf->lfPitchAndFamily & 0x03) != FIXED_PITCH || lf->lfFaceName[0] == '@') return 1;
    const std::string name = lf->lfFaceName;
    if (options::IndexOfFont(*g->families, name) >= 0) return 1;
    options::AddFontFamily(g->families, name);
    const int at = options::IndexOfFont(*g->families, name);
    g->raster->insert(g->raster->begin() + at, (type & RASTER_FONTTYPE) != 0);
    return 1;
}

struct SizeGather {
    std::vector<int>* sizes;
    int dpiY;
};

int CALLBACK CollectSize(const LOGFONTA*, const TEXTMETRICA* tm, DWORD, LPARAM lParam) {
    auto* g = reinterpret_cast<SizeGather*>(lParam);
    options::AddSize(g->sizes, options::BitmapPointSize(tm->tmHeight, tm->tmInternalLeading, g->dpiY));
    return 1;
}

}  // namespace

void SetKeywordDialogRunner(KeywordDialogRunner runner) { KeywordRunner() = std::move(runner); }
void SetModeNameRunner(ModeNameRunner runner) { NameRunner() = std::move(runner); }
void SetOptionColorPicker(ColorPicker picker) { ColorPick() = std::move(picker); }

// --- Panels --------------------------------------------------------------------

COptionPanel::COptionPanel(UINT templateId, CCanvasPage& page) : CDialog(templateId, static_cast<HWND>(nullptr)), m_page(page) {}

bool COptionPanel::Create(HWND parent) {
    m_parent = parent;
    if (!CreateModeless()) return false;
    ::EnumChildWindows(m_hWnd, KeepKeysOf, 0);
    return true;
}

editor::ColorMode& COptionPanel::Mode() { return m_page.Model().Mode(); }

void COptionPanel::Changed() {
    if (!m_filling) m_page.PanelChanged();
}

std::string COptionPanel::Text(int id) const { return WindowText(GetDlgItem(id)); }

// 設定
CSettingsPanel::CSettingsPanel(CCanvasPage& page) : COptionPanel(IDD_OPT_SETTINGS_PANEL, page) {}

bool CSettingsPanel::OnInitDialog() {
    HWND list = GetDlgItem(IDC_OPT_FLAGS);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT rc;
    ::GetClientRect(list, &rc);
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH;
    col.cx = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    m_filling = true;
    for (int row = 0; row < options::kDisplayFlagCount; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(options::DisplayFlagLabel(row));
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    HWND tabs = GetDlgItem(IDC_OPT_TAB_SIZE);
    for (int n = 1; n <= 8; ++n)
        ::SendMessageA(tabs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(n).c_str()));
    ::SendMessageA(GetDlgItem(IDC_OPT_MARGIN), EM_LIMITTEXT, 3, 0);
    ::SendMessageA(GetDlgItem(IDC_OPT_SPACING), EM_LIMITTEXT, 3, 0);
    m_filling = false;
    return true;
}

void CSettingsPanel::Fill() {
    m_filling = true;
    editor::ColorMode& mode = Mode();
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_EXT, mode.ext.c_str());
    Enable(IDC_OPT_EXT, options::ExtensionEditEnabled(mode.kind));
    HWND list = GetDlgItem(IDC_OPT_FLAGS);
    for (int row = 0; row < options::kDisplayFlagCount; ++row)
        ListView_SetCheckState(list, row, options::DisplayFlag(mode.settings, row) != 0);
    const int tab = mode.settings.tabSize;
    ::SendMessageA(GetDlgItem(IDC_OPT_TAB_SIZE), CB_SETCURSEL, tab >= 1 && tab <= 8 ? static_cast<WPARAM>(tab - 1) : static_cast<WPARAM>(-1), 0);
    ::SetDlgItemInt(m_hWnd, IDC_OPT_MARGIN, static_cast<UINT>(mode.settings.marginWidth), FALSE);
    ::SetDlgItemInt(m_hWnd, IDC_OPT_SPACING, static_cast<UINT>(mode.settings.lineSpacing), FALSE);
    m_filling = false;
}

void CSettingsPanel::SetRowChecked(int row, bool on) { ListView_SetCheckState(GetDlgItem(IDC_OPT_FLAGS), row, on); }

bool CSettingsPanel::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling) return COptionPanel::OnCommand(wParam, lParam);
    const int id = Id(wParam);
    if (id == IDC_OPT_EXT && Code(wParam) == EN_CHANGE) {
        Mode().ext = Text(id);
        Changed();
        return true;
    }
    if (id == IDC_OPT_TAB_SIZE && Code(wParam) == CBN_SELCHANGE) {
        const LRESULT sel = ::SendMessageA(GetDlgItem(id), CB_GETCURSEL, 0, 0);
        if (sel >= 0) Mode().settings.tabSize = static_cast<std::int32_t>(sel) + 1;
        Changed();
        return true;
    }
    if ((id == IDC_OPT_MARGIN || id == IDC_OPT_SPACING) && Code(wParam) == EN_CHANGE) {
        const std::string text = Text(id);
        const int value = options::ClampPercent(text);
        if (!text.empty() && text != std::to_string(value)) {
            m_filling = true;
            ::SetDlgItemInt(m_hWnd, id, static_cast<UINT>(value), FALSE);
            ::SendMessageA(GetDlgItem(id), EM_SETSEL, 32767, 32767);
            m_filling = false;
        }
        (id == IDC_OPT_MARGIN ? Mode().settings.marginWidth : Mode().settings.lineSpacing) = value;
        Changed();
        return true;
    }
    return COptionPanel::OnCommand(wParam, lParam);
}

bool CSettingsPanel::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_OPT_FLAGS && header->code == LVN_ITEMCHANGED && !m_filling) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) &&
            change->iItem >= 0 && change->iItem < options::kDisplayFlagCount &&
            (change->uOldState & LVIS_STATEIMAGEMASK) != 0) {
            const bool on = ListView_GetCheckState(header->hwndFrom, change->iItem) != 0;
            options::DisplayFlag(Mode().settings, change->iItem) = on ? 1 : 0;
            Changed();
        }
        *result = 0;
        return true;
    }
    return COptionPanel::OnNotify(wParam, lParam, result);
}

// 書式
BEGIN_MESSAGE_MAP(CFormatPanel, COptionPanel)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItemMsg)
END_MESSAGE_MAP()

CFormatPanel::CFormatPanel(CCanvasPage& page) : COptionPanel(IDD_OPT_FORMAT_PANEL, page) {}

bool CFormatPanel::OnInitDialog() {
    HDC dc = ::GetDC(nullptr);
    FontGather gather{&m_families, &m_raster};
    const BYTE sets[3] = {static_cast<BYTE>(::GetTextCharset(dc)), OEM_CHARSET, DEFAULT_CHARSET};
    for (BYTE set : sets) {
        LOGFONTA lf = {};
        lf.lfCharSet = set;
        ::EnumFontFamiliesExA(dc, &lf, reinterpret_cast<FONTENUMPROCA>(CollectFamily), reinterpret_cast<LPARAM>(&gather), 0);
    }
    ::ReleaseDC(nullptr, dc);
    HWND fonts = GetDlgItem(IDC_OPT_FONT);
    for (const std::string& f : m_families) ::SendMessageA(fonts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
    return true;
}

void CFormatPanel::FillSizes(const std::string& family) {
    m_sizes.clear();
    const int at = options::IndexOfFont(m_families, family);
    if (at >= 0 && m_raster[static_cast<std::size_t>(at)]) {
        HDC dc = ::GetDC(nullptr);
        SizeGather gather{&m_sizes, ::GetDeviceCaps(dc, LOGPIXELSY)};
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, family.c_str(), LF_FACESIZE);
        ::EnumFontFamiliesExA(dc, &lf, reinterpret_cast<FONTENUMPROCA>(CollectSize), reinterpret_cast<LPARAM>(&gather), 0);
        ::ReleaseDC(nullptr, dc);
    }
    if (m_sizes.empty()) m_sizes = options::StandardSizes();
    HWND sizes = GetDlgItem(IDC_OPT_SIZE);
    ::SendMessageA(sizes, CB_RESETCONTENT, 0, 0);
    for (int s : m_sizes) ::SendMessageA(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(s).c_str()));
    ::SendMessageA(sizes, CB_SETCURSEL, static_cast<WPARAM>(options::IndexOfSize(m_sizes, Mode().fontSize)), 0);
}

void CFormatPanel::Fill() {
    m_filling = true;
    editor::ColorMode& mode = Mode();
    ::SendMessageA(GetDlgItem(IDC_OPT_FONT), CB_SETCURSEL, static_cast<WPARAM>(options::IndexOfFont(m_families, mode.fontName)), 0);
    FillSizes(mode.fontName);
    HWND items = GetDlgItem(IDC_OPT_COLORS);
    ::SendMessageA(items, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < editor::ColorItemCount(mode); ++i)
        ::SendMessageA(items, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(editor::ColorItemLabel(mode, i)));
    ::SendMessageA(items, LB_SETCURSEL, 0, 0);
    m_filling = false;
    ::InvalidateRect(GetDlgItem(IDC_OPT_SAMPLE), nullptr, TRUE);
}

int CFormatPanel::SelectedItem() const {
    return static_cast<int>(::SendMessageA(GetDlgItem(IDC_OPT_COLORS), LB_GETCURSEL, 0, 0));
}

void CFormatPanel::SelectItem(int item) {
    ::SendMessageA(GetDlgItem(IDC_OPT_COLORS), LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    ::InvalidateRect(GetDlgItem(IDC_OPT_SAMPLE), nullptr, TRUE);
}

void CFormatPanel::SetItemColor(COLORREF color) {
    const int item = SelectedItem();
    if (item < 0) return;
    editor::SetColorItem(Mode(), item, color);
    Changed();
    ::InvalidateRect(GetDlgItem(IDC_OPT_SAMPLE), nullptr, TRUE);
}

void CFormatPanel::PickFont(int index) {
    if (index < 0 || index >= static_cast<int>(m_families.size())) return;
    ::SendMessageA(GetDlgItem(IDC_OPT_FONT), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Mode().fontName = m_families[static_cast<std::size_t>(index)];
    FillSizes(Mode().fontName);
    Changed();
    ::InvalidateRect(GetDlgItem(IDC_OPT_SAMPLE), nullptr, TRUE);
}

bool CFormatPanel::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling) return COptionPanel::OnCommand(wParam, lParam);
    const int id = Id(wParam);
    HWND sample = GetDlgItem(IDC_OPT_SAMPLE);
    if (id == IDC_OPT_FONT && Code(wParam) == CBN_SELCHANGE) {
        PickFont(static_cast<int>(::SendMessageA(GetDlgItem(id), CB_GETCURSEL, 0, 0)));
        return true;
    }
    if (id == IDC_OPT_SIZE && Code(wParam) == CBN_SELCHANGE) {
        const LRESULT sel = ::SendMessageA(GetDlgItem(id), CB_GETCURSEL, 0, 0);
        if (sel >= 0 && sel < static_cast<LRESULT>(m_sizes.size())) Mode().fontSize = m_sizes[static_cast<std::size_t>(sel)];
        Changed();
        ::InvalidateRect(sample, nullptr, TRUE);
        return true;
    }
    if (id == IDC_OPT_COLORS && Code(wParam) == LBN_SELCHANGE) {
        ::InvalidateRect(sample, nullptr, TRUE);
        return true;
    }
    if (Code(wParam) == BN_CLICKED) {
        const int item = SelectedItem();
        switch (id) {
            case IDC_OPT_COLOR: {
                if (item < 0) return true;
                COLORREF color = editor::ColorItem(Mode(), item);
                bool chosen = false;
                if (ColorPick()) {
                    chosen = ColorPick()(m_hWnd, &color);
                } else {
                    static COLORREF custom[16] = {};
                    CHOOSECOLORA cc = {};
                    cc.lStructSize = sizeof cc;
                    cc.hwndOwner = m_hWnd;
                    cc.rgbResult = color;
                    cc.lpCustColors = custom;
                    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
                    chosen = ::ChooseColorA(&cc) != FALSE;
                    color = cc.rgbResult;
                }
                if (chosen) SetItemColor(color);
                return true;
            }
            case IDC_OPT_RESET:
                m_page.Model().ResetColor(item);
                Changed();
                ::InvalidateRect(sample, nullptr, TRUE);
                return true;
            case IDC_OPT_RESET_ALL:
                if (PqQuestionBox(m_hWnd, "本当にすべての色をデフォルト色にもどしてもいいですか？") == IDOK) {
                    m_page.Model().ResetAllColors();
                    Changed();
                    ::InvalidateRect(sample, nullptr, TRUE);
                }
                return true;
            default: break;
        }
    }
    return COptionPanel::OnCommand(wParam, lParam);
}

LRESULT CFormatPanel::OnDrawItemMsg(WPARAM, LPARAM lParam) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!dis) return FALSE;
    if (dis->CtlID == IDC_OPT_SAMPLE) {
        DrawSample(*dis);
        return TRUE;
    }
    if (dis->CtlID != IDC_OPT_FONT) return FALSE;
    // The font list: each family's name in the dialog's font.
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    ::FillRect(dis->hDC, &dis->rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (dis->itemID != static_cast<UINT>(-1) && dis->itemID < m_families.size()) {
        const std::string& name = m_families[dis->itemID];
        ::SetBkMode(dis->hDC, TRANSPARENT);
        ::SetTextColor(dis->hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT rc = dis->rcItem;
        rc.left += 2;
        ::DrawTextA(dis->hDC, name.c_str(), static_cast<int>(name.size()), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (dis->itemState & ODS_FOCUS) ::DrawFocusRect(dis->hDC, &dis->rcItem);
    return TRUE;
}

void CFormatPanel::DrawSample(const DRAWITEMSTRUCT& dis) {
    const editor::ColorMode& mode = Mode();
    const int item = SelectedItem() < 0 ? 0 : SelectedItem();
    const std::pair<editor::Color, editor::Color> pair = editor::ColorItemSample(mode, item);
    RECT rc = dis.rcItem;
    HBRUSH back = ::CreateSolidBrush(pair.second);
    ::FillRect(dis.hDC, &rc, back);
    ::DeleteObject(back);
    ::FrameRect(dis.hDC, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(mode.fontSize, ::GetDeviceCaps(dis.hDC, LOGPIXELSY), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, mode.fontName.c_str(), LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dis.hDC, font);
    ::SetBkMode(dis.hDC, TRANSPARENT);
    ::SetTextColor(dis.hDC, pair.first);
    ::InflateRect(&rc, -1, -1);
    ::IntersectClipRect(dis.hDC, rc.left, rc.top, rc.right, rc.bottom);
    ::DrawTextA(dis.hDC, kSample, static_cast<int>(sizeof kSample - 1), &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(dis.hDC, old);
    ::DeleteObject(font);
}

// 強調
CEmphasisPanel::CEmphasisPanel(CCanvasPage& page) : COptionPanel(IDD_OPT_EMPHASIS_PANEL, page) {}

bool CEmphasisPanel::OnInitDialog() {
    const std::vector<std::string> names = KeywordFiles(m_page.KeywordFolder());
    m_names[0] = names;
    m_names[1] = names;
    ::SendMessageA(GetDlgItem(IDC_OPT_HEADLINE), EM_LIMITTEXT, kMarkerLimit, 0);
    ::SendMessageA(GetDlgItem(IDC_OPT_LCOMMENT), EM_LIMITTEXT, kMarkerLimit, 0);
    FillList(0);
    FillList(1);
    return true;
}

void CEmphasisPanel::FillList(int which) {
    HWND list = GetDlgItem(which == 0 ? IDC_OPT_KEYFILE1 : IDC_OPT_KEYFILE2);
    ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& n : m_names[which]) ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
}

void CEmphasisPanel::Fill() {
    m_filling = true;
    editor::ColorMode& mode = Mode();
    ::SendMessageA(GetDlgItem(IDC_OPT_KEYFILE1), CB_SETCURSEL,
                   static_cast<WPARAM>(options::FindKeywordFile(m_names[0], mode.keyfile1)), 0);
    ::SendMessageA(GetDlgItem(IDC_OPT_KEYFILE2), CB_SETCURSEL,
                   static_cast<WPARAM>(options::FindKeywordFile(m_names[1], mode.keyfile2)), 0);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_HEADLINE, mode.headline.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_LCOMMENT, mode.lineComment.c_str());
    m_filling = false;
    UpdateEnabling();
}

void CEmphasisPanel::UpdateEnabling() {
    const options::EmphasisEnabling e = options::EmphasisFor(Mode().kind);
    const bool chosen1 = ::SendMessageA(GetDlgItem(IDC_OPT_KEYFILE1), CB_GETCURSEL, 0, 0) >= 0;
    const bool chosen2 = ::SendMessageA(GetDlgItem(IDC_OPT_KEYFILE2), CB_GETCURSEL, 0, 0) >= 0;
    Enable(IDC_OPT_KEYFILE1, e.keyfile1);
    Enable(IDC_OPT_KEYFILE1_NEW, e.keyfile1);
    Enable(IDC_OPT_KEYFILE1_EDIT, e.keyfile1 && chosen1);
    Enable(IDC_OPT_KEYFILE2, e.keyfile2);
    Enable(IDC_OPT_KEYFILE2_NEW, e.keyfile2);
    Enable(IDC_OPT_KEYFILE2_EDIT, e.keyfile2 && chosen2);
    Enable(IDC_OPT_HEADLINE, e.markers);
    Enable(IDC_OPT_LCOMMENT, e.markers);
}

void CEmphasisPanel::NewOrEdit(int which, bool edit) {
    HWND list = GetDlgItem(which == 0 ? IDC_OPT_KEYFILE1 : IDC_OPT_KEYFILE2);
    std::string editName;
    if (edit) {
        const LRESULT sel = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
        if (sel < 0 || sel >= static_cast<LRESULT>(m_names[which].size())) return;
        editName = m_names[which][static_cast<std::size_t>(sel)];
    }
    CKeywordFileDlg dlg(m_hWnd, m_page.KeywordFolder(), editName);
    const INT_PTR r = KeywordRunner() ? KeywordRunner()(dlg) : dlg.DoModal();
    if (r != IDOK || edit) return;
    const int at = options::AddKeywordFileOnce(&m_names[which], dlg.FileName());
    FillList(which);
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    (which == 0 ? Mode().keyfile1 : Mode().keyfile2) = dlg.FileName();
    UpdateEnabling();
    Changed();
}

bool CEmphasisPanel::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling) return COptionPanel::OnCommand(wParam, lParam);
    const int id = Id(wParam);
    if ((id == IDC_OPT_KEYFILE1 || id == IDC_OPT_KEYFILE2) && Code(wParam) == CBN_SELCHANGE) {
        const int which = id == IDC_OPT_KEYFILE1 ? 0 : 1;
        const LRESULT sel = ::SendMessageA(GetDlgItem(id), CB_GETCURSEL, 0, 0);
        if (sel >= 0 && sel < static_cast<LRESULT>(m_names[which].size()))
            (which == 0 ? Mode().keyfile1 : Mode().keyfile2) = m_names[which][static_cast<std::size_t>(sel)];
        UpdateEnabling();
        Changed();
        return true;
    }
    if ((id == IDC_OPT_HEADLINE || id == IDC_OPT_LCOMMENT) && Code(wParam) == EN_CHANGE) {
        (id == IDC_OPT_HEADLINE ? Mode().headline : Mode().lineComment) = Text(id);
        Changed();
        return true;
    }
    if (Code(wParam) == BN_CLICKED) {
        switch (id) {
            case IDC_OPT_KEYFILE1_NEW: NewOrEdit(0, false); return true;
            case IDC_OPT_KEYFILE1_EDIT: NewOrEdit(0, true); return true;
            case IDC_OPT_KEYFILE2_NEW: NewOrEdit(1, false); return true;
            case IDC_OPT_KEYFILE2_EDIT: NewOrEdit(1, true); return true;
            default: break;
        }
    }
    return COptionPanel::OnCommand(wParam, lParam);
}

// --- Dialogs ---------------------------------------------------------------------

CModeNameDlg::CModeNameDlg(HWND parent) : CDialog(IDD_OPT_MODE_NAME, parent) {}

bool CModeNameDlg::OnInitDialog() {
    ::SendMessageA(GetDlgItem(IDC_OPT_MODE_NAME), EM_LIMITTEXT, kNameLimit, 0);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_MODE_NAME, "ユーザー定義");
    return true;
}

bool CModeNameDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Id(wParam) == IDC_OPT_MODE_NAME && Code(wParam) == EN_CHANGE) {
        ::EnableWindow(GetDlgItem(IDOK), ::GetWindowTextLengthA(GetDlgItem(IDC_OPT_MODE_NAME)) > 0);
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CModeNameDlg::OnOK() {
    name = WindowText(GetDlgItem(IDC_OPT_MODE_NAME));
    if (name.empty()) return;
    EndDialog(IDOK);
}

CKeywordFileDlg::CKeywordFileDlg(HWND parent, std::string folder, std::string editName)
    : CDialog(IDD_KEYWORD_FILE, parent), m_folder(std::move(folder)), m_editName(std::move(editName)) {}

bool CKeywordFileDlg::OnInitDialog() {
    HWND name = GetDlgItem(IDC_KWD_NAME);
    ::SendMessageA(name, EM_LIMITTEXT, options::kKeywordNameMax, 0);
    if (!m_editName.empty()) {
        ::SetWindowTextA(name, m_editName.c_str());
        ::SendMessageA(name, EM_SETREADONLY, TRUE, 0);
        ::SetDlgItemTextA(m_hWnd, IDOK, "更新(&R)");
        std::string bytes;
        if (ReadWholeFile(m_folder + m_editName, &bytes))
            ::SetDlgItemTextA(m_hWnd, IDC_KWD_TEXT, options::KeywordTextForEdit(bytes).c_str());
    }
    UpdateEnabling();
    return true;
}

void CKeywordFileDlg::UpdateEnabling() {
    const bool named = ::GetWindowTextLengthA(GetDlgItem(IDC_KWD_NAME)) > 0;
    ::EnableWindow(GetDlgItem(IDC_KWD_TEXT), named);
    ::EnableWindow(GetDlgItem(IDOK), named);
}

bool CKeywordFileDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Id(wParam) == IDC_KWD_NAME && Code(wParam) == EN_CHANGE) {
        UpdateEnabling();
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CKeywordFileDlg::OnOK() {
    std::string fileName = m_editName;
    if (fileName.empty() && !options::KeywordFileName(WindowText(GetDlgItem(IDC_KWD_NAME)), &fileName)) {
        PqErrorBox(m_hWnd, kKeywordFailure);
        return;
    }
    KeywordDisk disk;
    const std::string target = m_folder + fileName;
    if (m_editName.empty() && disk.Exists(target) &&
        PqFileMessageBox(m_hWnd, target, " は既にあります。\n置き換えてもよろしいですか？", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (!disk.Exists(m_folder)) CurrentFileSystem().CreateFolder(m_folder);
    if (!options::WriteKeywordFile(disk, m_folder, fileName, WindowText(GetDlgItem(IDC_KWD_TEXT)))) {
        PqErrorBox(m_hWnd, kKeywordFailure);
        return;
    }
    m_fileName = fileName;
    EndDialog(IDOK);
}

// --- The page ----------------------------------------------------------------------

CCanvasPage::CCanvasPage()
    : COptionPage(IDD_OPT_CANVAS_PAGE), m_settings(*this), m_format(*this), m_emphasis(*this) {}

CCanvasPage::~CCanvasPage() = default;

bool CCanvasPage::OnInitDialog() {
    m_model = std::make_unique<options::CanvasPageModel>(Owner().ColorModes());
    HWND tab = GetDlgItem(IDC_OPT_DETAIL_TAB);
    const char* tabs[editor::kDetailTabs] = {"設定", "書式", "強調"};
    for (int i = 0; i < editor::kDetailTabs; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabs[i]);
        ::SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    RECT area;
    ::GetWindowRect(tab, &area);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    for (COptionPanel* panel : {static_cast<COptionPanel*>(&m_settings), static_cast<COptionPanel*>(&m_format),
                                static_cast<COptionPanel*>(&m_emphasis)}) {
        if (!panel->Create(m_hWnd)) return true;
        ::SetWindowPos(panel->m_hWnd, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                       SWP_NOACTIVATE);
    }
    FillModes();
    ShowTab(m_model->Tab());
    Refill();
    return true;
}

void CCanvasPage::FillModes() {
    HWND list = GetDlgItem(IDC_OPT_MODE);
    ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_model->Count(); ++i)
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_model->Mode(i).name.c_str()));
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(m_model->Selected()), 0);
}

void CCanvasPage::Refill() {
    m_settings.Fill();
    m_format.Fill();
    m_emphasis.Fill();
    UpdateButtons();
}

void CCanvasPage::UpdateButtons() {
    Enable(IDC_OPT_MODE_ADD, m_model->CanAdd());
    Enable(IDC_OPT_MODE_DELETE, m_model->CanRemove());
}

void CCanvasPage::ChooseMode(int index) {
    m_model->Select(index);
    ::SendMessageA(GetDlgItem(IDC_OPT_MODE), CB_SETCURSEL, static_cast<WPARAM>(m_model->Selected()), 0);
    Refill();
}

void CCanvasPage::ShowTab(int tab) {
    m_model->SetTab(tab);
    TabCtrl_SetCurSel(GetDlgItem(IDC_OPT_DETAIL_TAB), m_model->Tab());
    const HWND panels[3] = {m_settings.m_hWnd, m_format.m_hWnd, m_emphasis.m_hWnd};
    for (int i = 0; i < 3; ++i) ::ShowWindow(panels[i], i == m_model->Tab() ? SW_SHOW : SW_HIDE);
}

void CCanvasPage::AddMode() {
    if (!m_model->CanAdd()) return;
    CModeNameDlg dlg(m_hWnd);
    const INT_PTR r = NameRunner() ? NameRunner()(dlg) : dlg.DoModal();
    if (r != IDOK || !m_model->Add(dlg.name)) return;
    FillModes();
    ShowTab(0);
    Refill();
    SetModified(true);
}

void CCanvasPage::DeleteMode() {
    if (!m_model->CanRemove()) return;
    const std::string question = "[" + m_model->Mode().name + "] を削除してもよろしいですか？";
    if (PqQuestionBox(m_hWnd, question) != IDOK) return;
    m_model->RemoveSelected();
    FillModes();
    Refill();
    SetModified(true);
}

bool CCanvasPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = Id(wParam);
    if (id == IDC_OPT_MODE && Code(wParam) == CBN_SELCHANGE) {
        ChooseMode(static_cast<int>(::SendMessageA(GetDlgItem(id), CB_GETCURSEL, 0, 0)));
        return true;
    }
    if (Code(wParam) == BN_CLICKED && id == IDC_OPT_MODE_ADD) {
        AddMode();
        return true;
    }
    if (Code(wParam) == BN_CLICKED && id == IDC_OPT_MODE_DELETE) {
        DeleteMode();
        return true;
    }
    return COptionPage::OnCommand(wParam, lParam);
}

bool CCanvasPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_OPT_DETAIL_TAB && header->code == TCN_SELCHANGE) {
        ShowTab(TabCtrl_GetCurSel(header->hwndFrom));
        *result = 0;
        return true;
    }
    return COptionPage::OnNotify(wParam, lParam, result);
}

bool CCanvasPage::OnApply() {
    const options::CanvasPageResult r = m_model->Result();
    Owner().SetColorModes(r.modes);
    Owner().SetLastShown(r.modeIndex, r.detailIndex);
    OptionSheet()->SetRefresh();
    return true;
}

void CCanvasPage::OnReset() {
    if (m_model) Owner().SetLastShown(m_model->Selected(), m_model->Tab());
}
