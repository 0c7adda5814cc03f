// The editor window's painting, fonts, caret and scrolling: the ruler, the
// line-number gutter, the margin, the text with its colours, selection and
// marks; double-buffered repaint after edits; scrolling that moves pixels and
// repaints only what it uncovers.
#include "editor/win/CanvasEdit.h"

#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "editor/core/RowLayout.h"
#include "framework/core/Sjis.h"

namespace {

// Fills a rectangle with a solid colour.
void Fill(HDC dc, const RECT& rc, COLORREF color);
void DrawClipped(HDC dc, int x, int y, const RECT& clip, const char* text, COLORREF color);

}  // namespace

void CCanvasEdit::DrawTableCodes(HDC dc, const char* text, const std::vector<editor::RowCell>& cells,
                                 std::size_t from, std::size_t to, int left, int y, COLORREF back, COLORREF color,
                                 COLORREF mark) {
    const int cw = m_charWidth, lineHeight = m_model.Metrics().lineHeight;
    for (std::size_t j = from; j < to; ++j) {
        const editor::RowCell& m = cells[j];
        const unsigned char lead = static_cast<unsigned char>(text[m.offset]);
        if (m.length != 2 || !cp932::IsUserLead(lead)) continue;
        const char32_t c = m_charTable->CharOf(lead * 256u + static_cast<unsigned char>(text[m.offset + 1]));
        if (c == 0) continue;
        const int mx = left + m.column * cw;
        RECT cell = {mx, y, mx + m.columns * cw, y + lineHeight};
        Fill(dc, cell, back);
        if (c == 0xA0) {
            // NO-BREAK SPACE: the half-width space mark.
            RECT low = {mx, y + m_textHeight * 5 / 9, mx + cw, y + lineHeight};
            const int raised = y - m_textHeight / 12;
            DrawClipped(dc, mx - cw / 5, raised, low, "[", mark);
            DrawClipped(dc, mx + cw / 5, raised, low, "]", mark);
            continue;
        }
        const char32_t shown = cp932::IsRawByte(c) ? char32_t{0xFFFD} : c;
        WCHAR wide[2];
        UINT n = 1;
        if (shown >= 0x10000) {
            wide[0] = static_cast<WCHAR>(0xD800 + ((shown - 0x10000) >> 10));
            wide[1] = static_cast<WCHAR>(0xDC00 + ((shown - 0x10000) & 0x3FF));
            n = 2;
        } else {
            wide[0] = static_cast<WCHAR>(shown);
        }
        ::SetTextColor(dc, color);
        ::ExtTextOutW(dc, mx, y, ETO_CLIPPED, &cell, wide, n, nullptr);
    }
}

namespace {

// Fills a rectangle with a solid colour.
void Fill(HDC dc, const RECT& rc, COLORREF color) {
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

// Draws `text` at (x, y) in `color`, clipped to `clip`.
void DrawClipped(HDC dc, int x, int y, const RECT& clip, const char* text, COLORREF color) {
    ::SetTextColor(dc, color);
    ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, text, static_cast<UINT>(std::strlen(text)), nullptr);
}

struct FaceSearch {
    const char* face;
    bool found;
};

int CALLBACK MatchFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param) {
    FaceSearch* search = reinterpret_cast<FaceSearch*>(param);
    if (std::strcmp(lf->lfFaceName, search->face) == 0) {
        search->found = true;
        return 0;
    }
    return 1;
}

// True when a family named `face` exists in character set `charset`.
bool FaceExists(HDC dc, const std::string& face, BYTE charset) {
    LOGFONTA lf = {};
    lf.lfCharSet = charset;
    sjis::CopyToField(lf.lfFaceName, sizeof lf.lfFaceName, face);
    FaceSearch search{lf.lfFaceName, false};
    ::EnumFontFamiliesExA(dc, &lf, MatchFace, reinterpret_cast<LPARAM>(&search), 0);
    return search.found;
}

}  // namespace

// ---------------------------------------------------------------------------
// Fonts and measures

int CCanvasEdit::PreferredCharset() {
    char buffer[16] = {};
    int codePage = 0;
    if (::GetLocaleInfoA(MAKELCID(::GetUserDefaultLangID(), SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, buffer,
                         sizeof buffer) > 0)
        codePage = std::atoi(buffer);
    int fallback = ANSI_CHARSET;
    if (HDC dc = ::GetDC(m_hWnd)) {
        fallback = ::GetTextCharset(dc);
        ::ReleaseDC(m_hWnd, dc);
    }
    return editor::CharsetForCodePage(codePage, fallback);
}

bool CCanvasEdit::SetFont(const std::string& face, int pointSize, bool bold, bool redraw) {
    const BYTE preferred = static_cast<BYTE>(PreferredCharset());
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return false;
    // The requested family in the user's character set, else in any set, else
    // in the ANSI set: the last set tried is the one asked for.
    BYTE charset = preferred;
    if (!FaceExists(dc, face, charset)) {
        charset = DEFAULT_CHARSET;
        if (!FaceExists(dc, face, charset)) charset = ANSI_CHARSET;
    }
    LOGFONTA lf = {};
    POINT height = {0, static_cast<LONG>(::GetDeviceCaps(dc, LOGPIXELSY) * (pointSize + 0.5) / 72)};
    ::DPtoLP(dc, &height, 1);
    lf.lfHeight = -height.y;
    lf.lfWeight = bold ? FW_BOLD : 0;
    lf.lfCharSet = charset;
    sjis::CopyToField(lf.lfFaceName, sizeof lf.lfFaceName, face);
    HFONT font = ::CreateFontIndirectA(&lf);
    if (!font) {
        ::ReleaseDC(m_hWnd, dc);
        return false;
    }
    LOGFONTA plain = lf;
    plain.lfWeight = 0;
    if (m_font) ::DeleteObject(m_font);
    m_font = font;
    m_plainFont.Reset(::CreateFontIndirectA(&plain));
    if (!m_rulerFont.handle) {
        // Made once, from the first text font: later fonts keep this ruler.
        LOGFONTA ruler = lf;
        ruler.lfHeight = 10;
        m_rulerFont.Reset(::CreateFontIndirectA(&ruler));
    }
    GiveImeFont();

    HGDIOBJ old = ::SelectObject(dc, m_font);
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, "aAjJ,_", 6, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    m_charWidth = std::max<int>(1, size.cx / 6);
    m_textHeight = std::max<int>(1, size.cy);
    editor::ViewMetrics m = m_model.Metrics();
    m.lineHeight = m_textHeight + std::max(0, m_model.Settings().lineSpacing);
    m_model.SetViewMetrics(m);
    UpdateMetrics();
    UpdateScrollBars();
    if (redraw) {
        m_model.PlaceCaret();
        InvalidateAll();
    }
    return true;
}

// The client size and the character width; the line height stays as the
// last SetFont measured it.
void CCanvasEdit::UpdateMetrics() {
    RECT rc = GetClientRect();
    editor::ViewMetrics m = m_model.Metrics();
    m.clientWidth = rc.right;
    m.clientHeight = rc.bottom;
    m.charWidth = m_charWidth;
    m_model.SetViewMetrics(m);
}

void CCanvasEdit::GiveImeFont() {
    if (!m_hWnd || !m_font) return;
    LOGFONTA lf = {};
    if (!::GetObjectA(m_font, sizeof lf, &lf)) return;
    if (HIMC imc = ::ImmGetContext(m_hWnd)) {
        ::ImmSetCompositionFontA(imc, &lf);
        ::ImmReleaseContext(m_hWnd, imc);
    }
}

void CCanvasEdit::OnFocusGained() {
    GiveImeFont();
    m_caretWidth = 0;  // the caret was just created: PlaceCaret gives it its shape
}

LRESULT CCanvasEdit::OnSize(WPARAM, LPARAM) {
    UpdateMetrics();
    UpdateScrollBars();
    if (m_hasCaret) m_model.PlaceCaret();
    return 0;
}

// ---------------------------------------------------------------------------
// Painting

LRESULT CCanvasEdit::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    const RECT client = GetClientRect();
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    if ((m_model.Flags() & editor::EditorModel::kOffscreenPaint) && client.right > 0 && client.bottom > 0) {
        memory = ::CreateCompatibleDC(dc);
        bitmap = memory ? ::CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr;
        if (bitmap) {
            oldBitmap = ::SelectObject(memory, bitmap);
        } else if (memory) {
            ::DeleteDC(memory);
            memory = nullptr;
        }
    }
    PaintTo(memory ? memory : dc, ps.rcPaint);
    if (memory) {
        const RECT& r = ps.rcPaint;
        ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top, SRCCOPY);
        ::SelectObject(memory, oldBitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
    }
    m_model.SetFlags(editor::EditorModel::kOffscreenPaint, false);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

void CCanvasEdit::PaintTo(HDC dc, const RECT& rc) {
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    Fill(dc, rc, m_model.Colors().background);
    PaintLines(dc, rc);
    const editor::EditorSettings& s = m_model.Settings();
    if (s.lineNumDisp) PaintGutter(dc, rc);
    if (s.rulerDisp) PaintRuler(dc, rc);
    const editor::ViewGeometry g = m_model.Geometry();
    if (g.marginWidth > 0) {
        RECT margin = {g.gutterWidth, g.textTop, g.textLeft, m_model.Metrics().clientHeight};
        Fill(dc, margin, m_model.Colors().background);
    }
    ::SelectObject(dc, oldFont);
    ::SetBkMode(dc, oldMode);
}

void CCanvasEdit::PaintLines(HDC dc, const RECT& rc) {
    const editor::TextStore& store = m_model.Store();
    const editor::EditorSettings& s = m_model.Settings();
    const editor::EditorColors& colors = m_model.Colors();
    const editor::ViewGeometry g = m_model.Geometry();
    const int lineHeight = std::max(1, m_model.Metrics().lineHeight);
    const int cw = m_charWidth;
    const int textHeight = m_textHeight;

    editor::TextPos caret = m_model.Caret();
    caret.column = store.SnapColumn(caret.column, caret.line, false);
    const editor::PaintSelection sel = editor::MakePaintSelection(caret, m_model.Anchor());

    std::vector<editor::RowCell> cells;
    std::vector<editor::Color> shade;
    std::vector<INT> dx;
    const int count = m_model.LineCount();
    // Columns are counted from the first visible one, so that pixels stay
    // small on a line of any length; only the shown part of a line is laid
    // out and coloured.
    const int firstColumn = m_model.FirstColumn();
    const int left = g.textLeft;
    const int shownEnd = static_cast<int>(
        std::min<long long>(editor::kMaxColumn, static_cast<long long>(firstColumn) + g.visibleColumns + 2));
    for (int n = m_model.FirstLine(); n < count; ++n) {
        const int y = g.textTop + (n - m_model.FirstLine()) * lineHeight;
        if (y >= rc.bottom) break;
        const char* text = store.LineText(n);
        const int length = store.LineLength(n);
        int startOffset = 0, startColumn = 0;
        if (firstColumn > 0 && length > 0) {
            startOffset = store.ColumnToOffset(firstColumn, n, false);
            startColumn = store.OffsetToColumn(startOffset, n);
        }
        editor::LayoutRowPart(text, length, s.tabSize, startOffset, startColumn, shownEnd, cells);
        for (editor::RowCell& c : cells) c.column -= firstColumn;
        const int shownBytes = cells.empty() ? startOffset : cells.back().offset + cells.back().length;
        // The colouring runs on every painted line so that the states carried
        // to the next line stay right, also for lines above the invalid part.
        // shade[k] is the colour of byte startOffset + k.
        shade.assign(static_cast<std::size_t>(shownBytes - startOffset) + 1, colors.text);
        if (s.colorMode) m_model.ColorLinePart(n, startOffset, shownBytes, shade.data());
        if (y + lineHeight <= rc.top) continue;

        const bool whole = shownBytes >= length;
        int endColumn = cells.empty() ? std::max(-2, startColumn - firstColumn) : cells.back().column + cells.back().columns;
        bool pastRight = false;
        for (std::size_t k = 0; k < cells.size();) {
            const editor::RowCell& c = cells[k];
            const int x = left + c.column * cw;
            if (x >= rc.right) {
                pastRight = true;
                break;
            }
            const bool selected = sel.Covers(c.column + firstColumn, n);
            if (c.kind == editor::CellKind::kTab) {
                RECT cell = {x, y, x + c.columns * cw, y + lineHeight};
                if (x + c.columns * cw > rc.left) {
                    if (selected)
                        Fill(dc, cell, colors.selectionBackground);
                    else if (s.tabDisp)
                        DrawClipped(dc, x - cw, y, cell, "→", colors.tabMark);
                }
                ++k;
                continue;
            }
            // A run of characters of one colour and selection state, drawn
            // with one call; every character keeps its cell's width.
            const COLORREF color = selected ? colors.selectedText : shade[static_cast<std::size_t>(c.offset - startOffset)];
            std::size_t end = k + 1;
            while (end < cells.size()) {
                const editor::RowCell& d = cells[end];
                if (d.kind == editor::CellKind::kTab || left + d.column * cw >= rc.right) break;
                const bool dSelected = sel.Covers(d.column + firstColumn, n);
                if (dSelected != selected) break;
                if (!selected && shade[static_cast<std::size_t>(d.offset - startOffset)] != color) break;
                ++end;
            }
            const editor::RowCell& last = cells[end - 1];
            const int right = left + (last.column + last.columns) * cw;
            if (right > rc.left) {
                RECT clip = {x, y, right, y + lineHeight};
                if (selected) Fill(dc, clip, colors.selectionBackground);
                const int bytes = last.offset + last.length - c.offset;
                dx.assign(static_cast<std::size_t>(bytes), 0);
                for (std::size_t j = k; j < end; ++j)
                    dx[static_cast<std::size_t>(cells[j].offset - c.offset)] = cells[j].columns * cw;
                ::SetTextColor(dc, color);
                ::ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, text + c.offset, static_cast<UINT>(bytes), dx.data());
                if (m_charTable && !m_charTable->Empty()) {
                    DrawTableCodes(dc, text, cells, k, end, left, y, selected ? colors.selectionBackground : colors.background,
                                   color, colors.halfSpaceMark);
                }
                if (!selected) {
                    for (std::size_t j = k; j < end; ++j) {
                        const editor::RowCell& m = cells[j];
                        const int mx = left + m.column * cw;
                        if (m.kind == editor::CellKind::kFullSpace && s.fullSpaceDisp) {
                            RECT cell = {mx, y, mx + 2 * cw, y + lineHeight};
                            DrawClipped(dc, mx, y, cell, "□", colors.fullSpaceMark);
                        } else if (m.kind == editor::CellKind::kHalfSpace && s.halfSpaceDisp) {
                            // Only the lower corners of "[" and "]" show.
                            RECT cell = {mx, y + textHeight * 5 / 9, mx + cw, y + lineHeight};
                            const int raised = y - textHeight / 12;
                            DrawClipped(dc, mx - cw / 5, raised, cell, "[", colors.halfSpaceMark);
                            DrawClipped(dc, mx + cw / 5, raised, cell, "]", colors.halfSpaceMark);
                        }
                    }
                }
            }
            k = end;
        }
        // A line cut at the widest painted column shows no end mark: its end
        // lies beyond what is painted.
        if (pastRight || !whole) continue;
        const int x = left + endColumn * cw;
        if (x >= rc.right || x + cw <= rc.left) continue;
        if (n < count - 1) {
            if (sel.CoversLineEnd(n)) {
                RECT cell = {x, y, x + cw, y + lineHeight};
                Fill(dc, cell, colors.selectionBackground);
            } else if (s.crlfDisp) {
                RECT cell = {x, y + textHeight / 4, x + cw, y + lineHeight};
                switch (store.LineEnd(n)) {
                    case editor::kReturnCrLf:
                        DrawClipped(dc, x - cw / 2, y - textHeight / 6, cell, "↓", colors.lineEndMark);
                        break;
                    case editor::kReturnCr: DrawClipped(dc, x - cw, y, cell, "→", colors.lineEndMark); break;
                    default: DrawClipped(dc, x, y, cell, "←", colors.lineEndMark); break;
                }
            }
        } else if (s.eofDisp) {
            ::SetTextColor(dc, colors.eofMark);
            ::TextOutA(dc, x, y, "[EOF]", 5);
        }
    }
}

void CCanvasEdit::PaintGutter(HDC dc, const RECT& rc) {
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::EditorColors& colors = m_model.Colors();
    const int clientHeight = m_model.Metrics().clientHeight;
    const int lineHeight = std::max(1, m_model.Metrics().lineHeight);
    if (rc.left >= g.gutterWidth) return;
    RECT strip = {0, g.textTop, g.gutterWidth, clientHeight};
    Fill(dc, strip, colors.lineNumberBackground);
    HGDIOBJ oldFont = ::SelectObject(dc, m_plainFont.handle ? m_plainFont.handle : m_font);
    HPEN pen = ::CreatePen(PS_SOLID, 1, colors.lineNumber);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    const bool markCaret = m_model.Settings().lineNumSelDisp != 0;
    const int caretLine = m_model.Caret().line;
    char number[24];
    for (int n = m_model.FirstLine(); n < m_model.LineCount(); ++n) {
        const int y = g.textTop + (n - m_model.FirstLine()) * lineHeight;
        if (y >= rc.bottom || y >= clientHeight) break;
        if (y + lineHeight <= rc.top) continue;
        const long long value = static_cast<long long>(n) + 1;
        const int length = std::snprintf(number, sizeof number, "%4lld", value);
        const int x = editor::GutterNumberColumn(value, m_model.GutterDigits()) * m_charWidth;
        COLORREF color = colors.lineNumber;
        if (markCaret && n == caretLine) {
            RECT cell = {0, y, g.gutterWidth, y + lineHeight};
            Fill(dc, cell, colors.lineNumber);
            color = colors.lineNumberBackground;
        }
        ::SetTextColor(dc, color);
        ::TextOutA(dc, x, y, number, length);
        ::MoveToEx(dc, g.gutterWidth - 1, y, nullptr);
        ::LineTo(dc, g.gutterWidth - 1, y + lineHeight);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(dc, oldFont);
}

void CCanvasEdit::PaintRuler(HDC dc, const RECT& rc) {
    const editor::ViewGeometry g = m_model.Geometry();
    if (rc.top >= g.rulerHeight) return;
    const editor::EditorColors& colors = m_model.Colors();
    const int right = m_model.Metrics().clientWidth;
    RECT strip = {g.textLeft, 0, right, g.rulerHeight};
    Fill(dc, strip, colors.rulerBackground);
    HGDIOBJ oldFont = ::SelectObject(dc, m_rulerFont.handle ? m_rulerFont.handle : m_font);
    HPEN pen = ::CreatePen(PS_SOLID, 1, colors.ruler);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::SetTextColor(dc, colors.ruler);
    const int first = m_model.FirstColumn();
    char number[16];
    for (int column = first;; ++column) {
        const int x = g.textLeft + (column - first) * m_charWidth;
        if (x >= right || column >= editor::kMaxColumn) break;
        ::MoveToEx(dc, x, editor::RulerTickTop(column), nullptr);
        ::LineTo(dc, x, 12);
        if (editor::RulerNumbered(column)) {
            const int length = std::snprintf(number, sizeof number, "%d", column);
            ::TextOutA(dc, x + 2, -1, number, length);
        }
    }
    if (m_model.Settings().rulerSelDisp) {
        const editor::TextPos caret = m_model.Caret();
        const int column = m_model.Store().SnapColumn(caret.column, caret.line, false);
        const int x = g.textLeft + (column - first) * m_charWidth;
        if (x >= g.textLeft && x < right) {
            RECT cell = {x + 1, 0, x + m_charWidth, g.rulerHeight};
            Fill(dc, cell, colors.ruler);
        }
    }
    ::MoveToEx(dc, g.textLeft, 11, nullptr);
    ::LineTo(dc, right, 11);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(dc, oldFont);
}

// ---------------------------------------------------------------------------
// What the model asks: repaints, scrolling, scroll bars, the caret

void CCanvasEdit::InvalidateAll() {
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CCanvasEdit::InvalidateLines(int first, int last) {
    if (!m_hWnd) return;
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::ViewMetrics& m = m_model.Metrics();
    const int top = m_model.FirstLine();
    if (last != IEditorHost::kToBottom && (last < first || last < top)) return;
    const long long y1 = g.textTop + static_cast<long long>(std::max(first, top) - top) * m.lineHeight;
    const long long y2 = last == IEditorHost::kToBottom
                             ? m.clientHeight
                             : g.textTop + static_cast<long long>(last - top + 1) * m.lineHeight;
    if (y1 >= m.clientHeight) return;
    RECT rc = {0, static_cast<LONG>(y1), m.clientWidth, static_cast<LONG>(std::min<long long>(y2, m.clientHeight))};
    if (rc.bottom > rc.top) ::InvalidateRect(m_hWnd, &rc, TRUE);
}

void CCanvasEdit::ScrollRows(int top, int rows) {
    if (!m_hWnd) return;
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::ViewMetrics& m = m_model.Metrics();
    const int y = g.textTop + (std::max(top, m_model.FirstLine()) - m_model.FirstLine()) * m.lineHeight;
    if (y >= m.clientHeight) return;
    RECT area = {g.textLeft, y, m.clientWidth, m.clientHeight};
    ::ScrollWindowEx(m_hWnd, 0, rows * m.lineHeight, &area, &area, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    RECT gutter = {0, y, g.textLeft, m.clientHeight};
    ::InvalidateRect(m_hWnd, &gutter, TRUE);
}

void CCanvasEdit::ScrollView(int oldFirstColumn, int oldFirstLine) {
    if (!m_hWnd) return;
    const int columns = oldFirstColumn - m_model.FirstColumn();
    const int lines = oldFirstLine - m_model.FirstLine();
    if (columns == 0 && lines == 0) return;
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::ViewMetrics& m = m_model.Metrics();
    const long long dx = static_cast<long long>(columns) * m_charWidth;
    const long long dy = static_cast<long long>(lines) * m.lineHeight;
    const int width = m.clientWidth - g.textLeft, height = m.clientHeight - g.textTop;
    if (std::llabs(dx) < width && std::llabs(dy) < height) {
        RECT area = {g.textLeft, g.textTop, m.clientWidth, m.clientHeight};
        ::ScrollWindowEx(m_hWnd, static_cast<int>(dx), static_cast<int>(dy), &area, &area, nullptr, nullptr,
                         SW_INVALIDATE | SW_ERASE);
        if (lines != 0) {
            RECT gutter = {0, g.textTop, g.textLeft, m.clientHeight};
            ::ScrollWindowEx(m_hWnd, 0, static_cast<int>(dy), &gutter, &gutter, nullptr, nullptr,
                             SW_INVALIDATE | SW_ERASE);
        }
        if (columns != 0) {
            RECT ruler = {g.textLeft, 0, m.clientWidth, g.textTop};
            ::InvalidateRect(m_hWnd, &ruler, TRUE);
        }
    } else {
        InvalidateAll();
    }
}

namespace {

// Sets a scroll bar's range, page and position. Setting them redraws the bar
// at once, which costs more than many edits: an edit that leaves them as
// they are (most keystrokes) leaves the bar alone.
void SetScrollBar(HWND hwnd, int bar, int max, UINT page, int pos) {
    SCROLLINFO now = {};
    now.cbSize = sizeof now;
    now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (::GetScrollInfo(hwnd, bar, &now) && now.nMin == 0 && now.nMax == max && now.nPage == page && now.nPos == pos)
        return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = max;
    si.nPage = page;
    si.nPos = pos;
    ::SetScrollInfo(hwnd, bar, &si, TRUE);
}

}  // namespace

void CCanvasEdit::UpdateScrollBars() {
    if (!m_hWnd) return;
    const editor::ViewGeometry g = m_model.Geometry();
    // SCROLLINFO carries 32-bit positions: documents of more than 65 535
    // lines keep a working thumb.
    SetScrollBar(m_hWnd, SB_HORZ, m_model.ScrollColumns(), static_cast<UINT>(g.visibleColumns), m_model.FirstColumn());
    SetScrollBar(m_hWnd, SB_VERT, std::max(0, m_model.LineCount() - 1), static_cast<UINT>(g.visibleLines),
                 m_model.FirstLine());
}

void CCanvasEdit::InvalidateGutterLine(int line) {
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::ViewMetrics& m = m_model.Metrics();
    const long long y = g.textTop + static_cast<long long>(line - m_model.FirstLine()) * m.lineHeight;
    if (y + m.lineHeight <= g.textTop || y >= m.clientHeight || g.gutterWidth <= 0) return;
    RECT rc = {0, static_cast<LONG>(y), g.gutterWidth, static_cast<LONG>(y + m.lineHeight)};
    ::InvalidateRect(m_hWnd, &rc, TRUE);
}

void CCanvasEdit::InvalidateRulerCell(int x) {
    const editor::ViewGeometry g = m_model.Geometry();
    if (x < g.textLeft || x >= m_model.Metrics().clientWidth || g.rulerHeight <= 0) return;
    RECT rc = {x, 0, x + m_charWidth + 1, g.rulerHeight};
    ::InvalidateRect(m_hWnd, &rc, TRUE);
}

void CCanvasEdit::PlaceCaret(const editor::CaretNotice& notice) {
    if (!m_hWnd) return;
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::ViewMetrics& m = m_model.Metrics();
    const bool dragOver = (m_model.Flags() & editor::EditorModel::kDragOver) != 0;
    const long long lx = g.textLeft + static_cast<long long>(notice.column - m_model.FirstColumn()) * m_charWidth;
    const long long ly = g.textTop + static_cast<long long>(notice.line - m_model.FirstLine()) * m.lineHeight;
    const bool hidden = lx < g.textLeft || lx >= m.clientWidth || ly < g.textTop || ly >= m.clientHeight;
    const int x = hidden ? -256 : static_cast<int>(lx);
    const int y = hidden ? -256 : static_cast<int>(ly);
    if (m_hasCaret) {
        const int width = dragOver ? 1 : m_model.IsOverwrite() ? m_charWidth : 2;
        const int height = m_textHeight;
        if (width != m_caretWidth || height != m_caretHeight) {
            ::CreateCaret(m_hWnd, nullptr, width, height);
            m_caretWidth = width;
            m_caretHeight = height;
        }
        ::SetCaretPos(x, y);
        if (!hidden) {
            if (HIMC imc = ::ImmGetContext(m_hWnd)) {
                COMPOSITIONFORM form = {};
                form.dwStyle = CFS_POINT;
                form.ptCurrentPos.x = x;
                form.ptCurrentPos.y = y;
                ::ImmSetCompositionWindow(imc, &form);
                ::ImmReleaseContext(m_hWnd, imc);
            }
            ::ShowCaret(m_hWnd);
        }
    }
    const editor::EditorSettings& s = m_model.Settings();
    if (s.lineNumDisp && s.lineNumSelDisp && notice.line != notice.previousLine) {
        InvalidateGutterLine(notice.previousLine);
        InvalidateGutterLine(notice.line);
    }
    if (s.rulerDisp && s.rulerSelDisp && x != m_rulerCaretX) {
        InvalidateRulerCell(m_rulerCaretX);
        InvalidateRulerCell(x);
        if (!dragOver && !hidden) m_rulerCaretX = x;
    }
}

// ---------------------------------------------------------------------------
// Scroll bars and the wheel

LRESULT CCanvasEdit::OnVScroll(WPARAM wParam, LPARAM) {
    const int h = m_model.Geometry().visibleLines;
    const int step = std::max(1, m_model.Settings().vScrollStep);
    int line = m_model.FirstLine();
    switch (LOWORD(wParam)) {
        case SB_LINEUP: line -= step; break;
        case SB_LINEDOWN: line += step; break;
        case SB_PAGEUP: line -= h; break;
        case SB_PAGEDOWN: line += h; break;
        case SB_THUMBTRACK: {
            // The 32-bit position: the message's 16 bits wrap past 65 535 lines.
            SCROLLINFO si = {};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            if (!::GetScrollInfo(m_hWnd, SB_VERT, &si)) return 0;
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
    const int step = std::max(1, m_model.Settings().hScrollStep);
    int column = m_model.FirstColumn();
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: column -= step; break;
        case SB_LINERIGHT: column += step; break;
        case SB_PAGELEFT: column -= v; break;
        case SB_PAGERIGHT: column += v; break;
        case SB_THUMBTRACK: {
            SCROLLINFO si = {};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            column = ::GetScrollInfo(m_hWnd, SB_HORZ, &si) ? si.nTrackPos : HIWORD(wParam);
            break;
        }
        case SB_LEFT: column = 0; break;
        case SB_RIGHT: column = editor::kMaxColumn; break;
        default: return 0;
    }
    m_model.ScrollColumnTo(column);
    return 0;
}

LRESULT CCanvasEdit::OnMouseWheel(WPARAM wParam, LPARAM) {
    if (m_model.Flags() & editor::EditorModel::kDragOver) return 0;
    const int lines = m_wheel.Add(GET_WHEEL_DELTA_WPARAM(wParam), m_model.Settings().wheelLines);
    if (lines != 0) m_model.ScrollLineTo(m_model.FirstLine() + lines);
    return 0;
}
