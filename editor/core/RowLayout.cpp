#include "editor/core/RowLayout.h"

#include <algorithm>
#include <climits>

#include "framework/core/Sjis.h"

namespace editor {

namespace {

// Lays out cells from byte i (at `column`) while `more` says so.
template <typename More>
void LayoutCells(const char* text, std::size_t size, int tabSize, std::size_t i, int column,
                 std::vector<RowCell>& cells, More more) {
    cells.clear();
    const int tab = std::max(1, tabSize);
    while (i < size && more(i, column)) {
        const int len = static_cast<int>(sjis::CharLength(text, size, i));
        const unsigned char c = static_cast<unsigned char>(text[i]);
        RowCell cell{static_cast<int>(i), len, column, len, CellKind::kText};
        if (c == '\t') {
            cell.kind = CellKind::kTab;
            cell.columns = tab - column % tab;
        } else if (c == ' ') {
            cell.kind = CellKind::kHalfSpace;
        } else if (len == 2 && c == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40) {
            cell.kind = CellKind::kFullSpace;
        }
        cells.push_back(cell);
        column += cell.columns;
        i += static_cast<std::size_t>(len);
    }
}

}  // namespace

void LayoutRow(const char* text, int length, int tabSize, std::vector<RowCell>& cells, int maxBytes) {
    cells.clear();
    if (!text || length <= 0) return;
    const std::size_t limit = static_cast<std::size_t>(std::max(0, std::min(length, maxBytes)));
    LayoutCells(text, static_cast<std::size_t>(length), tabSize, 0, 0, cells,
                [limit](std::size_t i, int) { return i < limit; });
}

void LayoutRowPart(const char* text, int length, int tabSize, int offset, int column, int endColumn,
                   std::vector<RowCell>& cells) {
    cells.clear();
    if (!text || length <= 0 || offset < 0 || offset >= length) return;
    LayoutCells(text, static_cast<std::size_t>(length), tabSize, static_cast<std::size_t>(offset), column, cells,
                [endColumn](std::size_t, int c) { return c < endColumn; });
}

bool PaintSelection::Covers(int column, int line) const {
    if (!active || line < start.line || line > end.line) return false;
    if (start.line == end.line) return start.column <= column && column < end.column;
    if (line == start.line) return column >= start.column;
    if (line == end.line) return column < end.column;
    return true;
}

bool PaintSelection::CoversLineEnd(int line) const { return active && line >= start.line && line < end.line; }

PaintSelection MakePaintSelection(TextPos caret, TextPos anchor) {
    PaintSelection s;
    if (anchor.column < 0) return s;
    s.active = true;
    const bool caretFirst = caret.line < anchor.line || (caret.line == anchor.line && caret.column < anchor.column);
    s.start = caretFirst ? caret : anchor;
    s.end = caretFirst ? anchor : caret;
    return s;
}

int DecimalDigits(long long n, int minimum) {
    int digits = 1;
    for (long long v = n < 0 ? -n : n; v >= 10; v /= 10) ++digits;
    return std::max(minimum, digits);
}

int GutterNumberColumn(long long number, int gutterDigits) { return gutterDigits - DecimalDigits(number) + 1; }

int RulerTickTop(int column) {
    if (column % 10 == 0) return 0;
    if (column % 5 == 0) return 5;
    return 9;
}

int WheelScrollLines(int delta, int wheelLines) {
    if (wheelLines <= 0) return 0;
    const long long lines = -static_cast<long long>(delta) * wheelLines / 120;
    return static_cast<int>(std::max<long long>(INT_MIN / 2, std::min<long long>(INT_MAX / 2, lines)));
}

int WheelAccumulator::Add(int delta, int wheelLines) {
    if (wheelLines <= 0) {
        m_rest = 0;
        return 0;
    }
    const long long step = static_cast<long long>(delta) * wheelLines;
    if ((step > 0 && m_rest < 0) || (step < 0 && m_rest > 0)) m_rest = 0;
    m_rest += step;
    const long long lines = -(m_rest / 120);
    m_rest %= 120;
    return static_cast<int>(std::max<long long>(INT_MIN / 2, std::min<long long>(INT_MAX / 2, lines)));
}

int CharsetForCodePage(int codePage, int fallback) {
    switch (codePage) {
        case 932: return 128;   // SHIFTJIS_CHARSET
        case 936: return 134;   // GB2312_CHARSET
        case 949: return 129;   // HANGUL_CHARSET
        case 950: return 136;   // CHINESEBIG5_CHARSET
        case 1250: return 238;  // EASTEUROPE_CHARSET
        case 1251: return 204;  // RUSSIAN_CHARSET
        case 1252: return 0;    // ANSI_CHARSET
        case 1253: return 161;  // GREEK_CHARSET
        case 1254: return 162;  // TURKISH_CHARSET
        case 1257: return 186;  // BALTIC_CHARSET
        default: return fallback;
    }
}

}  // namespace editor
