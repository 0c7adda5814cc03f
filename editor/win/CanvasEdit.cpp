#include "editor/win/CanvasEdit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "editor/core/EditorMessages.h"
#include "editor/win/EditorDragDrop.h"
#include "framework/core/Sjis.h"

const char CCanvasEdit::kClassName[] = "CanvasEdit";

BEGIN_MESSAGE_MAP(CCanvasEdit, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_CHAR, OnChar)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
    ON_MESSAGE(WM_IME_COMPOSITION, OnImeComposition)
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
END_MESSAGE_MAP()

namespace {
editor::SystemColors CurrentSystemColors() {
    editor::SystemColors c;
    c.windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    c.window = ::GetSysColor(COLOR_WINDOW);
    c.highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    c.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    return c;
}
}  // namespace

CCanvasEdit::CCanvasEdit() = default;

CCanvasEdit::~CCanvasEdit() {
    if (m_font) ::DeleteObject(m_font);
}

bool CCanvasEdit::RegisterClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kClassName;
    return RegisterWindowClass(wc);
}

bool CCanvasEdit::Create(HWND parent, UINT id, const RECT* rc) {
    if (!RegisterClass()) return false;
    RECT r = rc ? *rc : RECT{0, 0, 100, 100};
    return CreateEx(WS_EX_CLIENTEDGE, kClassName, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, r.left,
                    r.top, r.right - r.left, r.bottom - r.top, parent, id);
}

CCanvasEdit* CCanvasEdit::FromEditorHandle(HWND hwnd) {
    char cls[32] = {};
    if (!hwnd || !::GetClassNameA(hwnd, cls, sizeof cls) || std::strcmp(cls, kClassName) != 0) return nullptr;
    return static_cast<CCanvasEdit*>(CWnd::FromHandle(hwnd));
}

LRESULT CCanvasEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (editor::IsEditorMessage(message))
        return static_cast<LRESULT>(editor::HandleEditorMessage(m_model, message, wParam, lParam));
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CCanvasEdit::OnCreate(WPARAM, LPARAM) {
    m_model.SetSystemColors(CurrentSystemColors());
    m_model.SetHost(this);
    InitInput();
    m_model.Reset();
    SetFont("ＭＳ ゴシック", 11, false, false);
    m_model.SetSettings(nullptr, false);
    m_model.SetColors(nullptr, false);
    return 0;
}

LRESULT CCanvasEdit::OnDestroy(WPARAM, LPARAM) {
    DoneInput();
    m_model.SetHost(nullptr);
    m_model.Clear();
    return 0;
}

bool CCanvasEdit::SetFont(const std::string& face, int pointSize, bool bold, bool redraw) {
    HDC dc = ::GetDC(m_hWnd);
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(pointSize * 2 + 1, ::GetDeviceCaps(dc, LOGPIXELSY), 144);
    lf.lfWeight = bold ? FW_BOLD : 0;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectA(&lf);
    if (!font) {
        ::ReleaseDC(m_hWnd, dc);
        return false;
    }
    if (m_font) ::DeleteObject(m_font);
    m_font = font;
    HGDIOBJ old = ::SelectObject(dc, m_font);
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, "aAjJ,_", 6, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    m_charWidth = std::max<int>(1, size.cx / 6);
    m_textHeight = std::max<int>(1, size.cy);
    UpdateMetrics();
    if (redraw) {
        m_model.PlaceCaret();
        InvalidateAll();
    }
    return true;
}

void CCanvasEdit::UpdateMetrics() {
    RECT rc = GetClientRect();
    editor::ViewMetrics m;
    m.clientWidth = rc.right;
    m.clientHeight = rc.bottom;
    m.charWidth = m_charWidth;
    m.lineHeight = m_textHeight + std::max(0, m_model.Settings().lineSpacing);
    m_model.SetViewMetrics(m);
}

LRESULT CCanvasEdit::OnSize(WPARAM, LPARAM) {
    UpdateMetrics();
    UpdateScrollBars();
    return 0;
}

LRESULT CCanvasEdit::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::EditorColors& colors = m_model.Colors();
    HBRUSH back = ::CreateSolidBrush(colors.background);
    ::FillRect(dc, &ps.rcPaint, back);
    ::DeleteObject(back);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    const int lineHeight = m_model.Metrics().lineHeight;
    const int tab = std::max(1, m_model.Settings().tabSize);
    std::string line;
    for (int n = m_model.FirstLine(), row = 0; n < m_model.LineCount(); ++n, ++row) {
        const int y = g.textTop + row * lineHeight;
        if (y > ps.rcPaint.bottom) break;
        m_model.GetLine(n, line, true);
        std::vector<editor::Color> shade(line.size() + 1, colors.text);
        if (m_model.Settings().colorMode) m_model.ColorLine(n, shade.data());
        int column = 0;
        for (std::size_t i = 0; i < line.size() && column < editor::kMaxColumn;) {
            const std::size_t len = sjis::CharLength(line.data(), line.size(), i);
            const int x = g.textLeft + (column - m_model.FirstColumn()) * m_charWidth;
            if (line[i] == '\t') {
                column = tab * (column / tab + 1);
            } else {
                ::SetTextColor(dc, shade[i]);
                ::TextOutA(dc, x, y, line.data() + i, static_cast<int>(len));
                column += static_cast<int>(len);
            }
            i += len;
        }
    }
    ::SelectObject(dc, oldFont);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CCanvasEdit::OnSetFocus(WPARAM, LPARAM) {
    ::CreateCaret(m_hWnd, nullptr, 2, m_textHeight);
    m_hasCaret = true;
    m_model.PlaceCaret();
    return 0;
}

LRESULT CCanvasEdit::OnKillFocus(WPARAM, LPARAM) {
    m_model.DropPendingLead();
    ::DestroyCaret();
    m_hasCaret = false;
    return 0;
}

LRESULT CCanvasEdit::OnVScroll(WPARAM wParam, LPARAM) {
    const int h = m_model.Geometry().visibleLines;
    int line = m_model.FirstLine();
    switch (LOWORD(wParam)) {
        case SB_LINEUP: line -= 1; break;
        case SB_LINEDOWN: line += 1; break;
        case SB_PAGEUP: line -= h; break;
        case SB_PAGEDOWN: line += h; break;
        case SB_THUMBTRACK: {
            SCROLLINFO si = {};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            ::GetScrollInfo(m_hWnd, SB_VERT, &si);
            line = si.nTrackPos;
            break;
        }
        case SB_TOP: line = 0; break;
        case SB_BOTTOM: line = m_model.LineCount(); break;
        default: return 0;
    }
    m_model.ScrollLineTo(line);
    return 0;
}

LRESULT CCanvasEdit::OnHScroll(WPARAM wParam, LPARAM) {
    const int v = m_model.Geometry().visibleColumns;
    int column = m_model.FirstColumn();
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: column -= 2; break;
        case SB_LINERIGHT: column += 2; break;
        case SB_PAGELEFT: column -= v; break;
        case SB_PAGERIGHT: column += v; break;
        case SB_THUMBTRACK: column = HIWORD(wParam); break;
        case SB_LEFT: column = 0; break;
        case SB_RIGHT: column = editor::kMaxColumn; break;
        default: return 0;
    }
    m_model.ScrollColumnTo(column);
    return 0;
}

LRESULT CCanvasEdit::OnMouseWheel(WPARAM wParam, LPARAM) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    m_model.ScrollLineTo(m_model.FirstLine() - delta / 40);
    return 0;
}

void CCanvasEdit::InvalidateAll() {
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CCanvasEdit::InvalidateLines(int, int) { InvalidateAll(); }

void CCanvasEdit::ScrollRows(int, int) { InvalidateAll(); }

void CCanvasEdit::ScrollView(int, int) { InvalidateAll(); }

void CCanvasEdit::UpdateScrollBars() {
    if (!m_hWnd) return;
    const editor::ViewGeometry g = m_model.Geometry();
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, editor::kMaxColumn,
                     static_cast<UINT>(g.visibleColumns), m_model.FirstColumn(), 0};
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = std::max(0, m_model.LineCount() - 1);
    si.nPage = static_cast<UINT>(g.visibleLines);
    si.nPos = m_model.FirstLine();
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CCanvasEdit::PlaceCaret(const editor::CaretNotice& notice) {
    if (!m_hasCaret) return;
    const editor::ViewGeometry g = m_model.Geometry();
    const int x = g.textLeft + (notice.column - m_model.FirstColumn()) * m_charWidth;
    const int y = g.textTop + (notice.line - m_model.FirstLine()) * m_model.Metrics().lineHeight;
    ::SetCaretPos(x, y);
    ::ShowCaret(m_hWnd);
}

void CCanvasEdit::NotifyCaretMoved(const editor::CaretNotice& notice) {
    std::int32_t values[4] = {notice.column, notice.line, notice.previousColumn, notice.previousLine};
    Notify(editor::kNotifyCaretMoved, reinterpret_cast<LPARAM>(values));
}

void CCanvasEdit::NotifyChanged() { Notify(editor::kNotifyChanged, 0); }

void CCanvasEdit::Notify(int code, LPARAM lParam) {
    if (!m_hWnd) return;
    HWND parent = GetParent();
    if (parent) ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(0, code), lParam);
}

bool CWinClipboard::HasText() { return ::IsClipboardFormatAvailable(CF_TEXT) != 0; }

bool CWinClipboard::GetText(std::string& out) {
    if (!::OpenClipboard(m_owner)) return false;
    bool ok = false;
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) ok = ReadTextBlock(h, out);
    ::CloseClipboard();
    return ok;
}

bool CWinClipboard::SetText(const char* text, std::size_t length) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!h) return false;
    char* p = static_cast<char*>(::GlobalLock(h));
    if (!p) {
        ::GlobalFree(h);
        return false;
    }
    if (length) std::memcpy(p, text, length);
    p[length] = '\0';
    ::GlobalUnlock(h);
    if (!::OpenClipboard(m_owner)) {
        ::GlobalFree(h);
        return false;
    }
    ::EmptyClipboard();
    const bool ok = ::SetClipboardData(CF_TEXT, h) != nullptr;
    ::CloseClipboard();
    if (!ok) ::GlobalFree(h);
    return ok;
}
