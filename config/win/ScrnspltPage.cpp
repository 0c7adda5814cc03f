#include "config/win/ScrnspltPage.h"

#include "resources/resource.h"

namespace {
constexpr char kMiniTitle[] = "ぺんぶろくいる";
// The labels' controls, by pane kind 3, 4, 5.
constexpr int kLabelIds[3] = {IDC_SCRNSPLT_TREE, IDC_SCRNSPLT_TAGS, IDC_SCRNSPLT_EDITOR};
}  // namespace

BEGIN_MESSAGE_MAP(CMiniLabel, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaintMsg)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
END_MESSAGE_MAP()

LRESULT CMiniLabel::OnPaintMsg(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc = GetClientRect();
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
    ::DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    const std::string text = GetWindowText();
    ::TextOutA(dc, 10, 10, text.c_str(), static_cast<int>(text.size()));
    ::SelectObject(dc, old);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

BEGIN_MESSAGE_MAP(CScrnspltPage, CPropertyPage)
    ON_CONTROL(CBN_SELCHANGE, IDC_SCRNSPLT_PATTERN, OnPatternChange)
    ON_MESSAGE(WM_PAINT, OnPaintMsg)
END_MESSAGE_MAP()

CScrnspltPage::CScrnspltPage(split::ISplitLayoutHost& host)
    : CPropertyPage(IDD_SCRNSPLT_PAGE), m_host(host), m_model(host.CurrentLayout()) {}

bool CScrnspltPage::OnInitDialog() {
    m_model = split::SplitPageModel(m_host.CurrentLayout());
    HWND patterns = GetDlgItem(IDC_SCRNSPLT_PATTERN);
    for (int n = 1; n <= split::kPatternCount; ++n)
        ::SendMessageA(patterns, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(split::PatternName(n).c_str()));
    ::SendMessageA(patterns, CB_SETCURSEL, static_cast<WPARAM>(m_model.Pattern() - 1), 0);

    HWND placeholder = GetDlgItem(IDC_SCRNSPLT_PLACEHOLDER);
    ::GetWindowRect(placeholder, &m_preview);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_preview), 2);
    ::ShowWindow(placeholder, SW_HIDE);
    const RECT inner = {m_preview.left + 4, m_preview.top + 24, m_preview.right - 4, m_preview.bottom - 4};
    for (int i = split::kSplitCount - 1; i >= 0; --i) {
        if (!m_mini[i].Create(m_hWnd, 0, inner, WS_CHILD | (i == 0 ? WS_VISIBLE : 0))) return true;
        m_mini[i].SetCaptions(false, false);
        m_mini[i].SetBarMovable(false);
    }
    for (int k = 0; k < 3; ++k) m_labels[k].SubclassDlgItem(static_cast<UINT>(kLabelIds[k]), this);
    // A layout that matches no pattern shows pattern 1.
    ShowPattern(m_model.Pattern() == 0 ? 1 : m_model.Pattern());
    return true;
}

HWND CScrnspltPage::Label(int kind) const {
    return kind >= split::kPaneFolderTree && kind <= split::kPaneEditor ? m_labels[kind - split::kPaneFolderTree].m_hWnd
                                                                       : nullptr;
}

int CScrnspltPage::SelectedPattern() const {
    const LRESULT sel = ::SendMessageA(GetDlgItem(IDC_SCRNSPLT_PATTERN), CB_GETCURSEL, 0, 0);
    return sel < 0 ? 0 : static_cast<int>(sel) + 1;
}

void CScrnspltPage::ChoosePattern(int number) {
    ::SendMessageA(GetDlgItem(IDC_SCRNSPLT_PATTERN), CB_SETCURSEL, static_cast<WPARAM>(number - 1), 0);
    OnPatternChange();
}

void CScrnspltPage::OnPatternChange() {
    const int number = SelectedPattern();
    if (number == 0) return;
    m_model.Choose(number);
    ShowPattern(number);
    SetModified(true);
}

void CScrnspltPage::ShowPattern(int number) {
    const split::SplitLayout& layout = split::Pattern(number);
    const RECT inner = m_mini[0].GetClientRect();
    int bars[split::kSplitCount];
    split::DefaultBarPositions(layout, inner.right, inner.bottom, bars);
    auto windowOf = [this](int kind) -> HWND {
        if (kind == split::kPaneSplit1 || kind == split::kPaneSplit2) return m_mini[kind].m_hWnd;
        return Label(kind);
    };
    // The inner windows first, so that the outer one lays them out last.
    for (int i = split::kSplitCount - 1; i >= 0; --i) {
        const split::SplitRecord& r = layout.split[i];
        CSplitWnd& s = m_mini[i];
        s.SetPanes(windowOf(r.kind[0]), windowOf(r.kind[1]), r.Stacked(), false);
        s.ShowPanes(r.Shown(0), r.Shown(1));
        s.SetBarPos(r.Shown(0) && r.Shown(1) ? bars[i] : 0);
        s.RecalcLayout();
    }
    m_mini[0].RecalcLayout();
    ::InvalidateRect(m_mini[0].m_hWnd, nullptr, TRUE);
}

LRESULT CScrnspltPage::OnPaintMsg(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT edge = m_preview;
    ::DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    RECT band = {m_preview.left + 4, m_preview.top + 4, m_preview.right - 4, m_preview.top + 20};
    ::FillRect(dc, &band, ::GetSysColorBrush(COLOR_ACTIVECAPTION));
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_CAPTIONTEXT));
    ::TextOutA(dc, band.left + 2, band.top + 2, kMiniTitle, static_cast<int>(sizeof kMiniTitle - 1));
    ::SelectObject(dc, old);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

bool CScrnspltPage::OnApply() {
    if (const int number = m_model.PatternToApply()) m_host.ApplySplitPattern(split::Pattern(number));
    return true;
}
