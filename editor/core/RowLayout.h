// Layout of what the editor window paints, in character cells: the cells of
// one line with their columns and marks, which cells the selection covers,
// the line-number gutter and the ruler ticks, the wheel and the font's
// character set. Pixels are left to the window; everything here is counted
// in columns, lines and bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/core/TextStore.h"

namespace editor {

// What a cell of a painted line holds.
enum class CellKind : std::uint8_t {
    kText,       // one character: one byte, or a lead byte with its trail byte
    kTab,        // a tab: up to the next tab stop
    kHalfSpace,  // 0x20
    kFullSpace,  // 0x81 0x40
};

struct RowCell {
    int offset;   // byte offset in the line
    int length;   // bytes: 1 or 2
    int column;   // first display column
    int columns;  // display columns it takes (a tab: to the next stop)
    CellKind kind;
};

// The cells of a line's bytes in display order. Only the first `maxBytes`
// bytes are laid out (a double-byte character that starts before that limit
// is kept whole); a lead byte that is the line's last byte is a character of
// its own, so no cell reaches past the line's end.
void LayoutRow(const char* text, int length, int tabSize, std::vector<RowCell>& cells, int maxBytes = 2048);
// The cells of the part of a line that is shown: from byte `offset`, a
// character boundary at display column `column`, up to the first cell that
// starts at or after `endColumn`. The work is that of the cells laid out.
void LayoutRowPart(const char* text, int length, int tabSize, int offset, int column, int endColumn,
                   std::vector<RowCell>& cells);

// The selection as painted: the earlier and the later of caret and anchor.
struct PaintSelection {
    bool active = false;
    TextPos start;
    TextPos end;
    // A character at (column, line) is selected when its line lies strictly
    // between the selection's lines, or on the start line at or after the
    // start column, or on the end line before the end column.
    bool Covers(int column, int line) const;
    // The line end after `line` is selected (the line is at or after the start
    // line and before the end line).
    bool CoversLineEnd(int line) const;
};
PaintSelection MakePaintSelection(TextPos caret, TextPos anchor);

// Decimal digits of n (at least `minimum`).
int DecimalDigits(long long n, int minimum = 4);
// The column at which the 1-based line number `number` starts in a gutter of
// `gutterDigits` digits: right-aligned, one column from the left edge.
int GutterNumberColumn(long long number, int gutterDigits);

// The ruler tick of a column: the y where its vertical line starts (0 for
// multiples of 10, which are also numbered; 5 for other multiples of 5; 9
// otherwise).
int RulerTickTop(int column);
inline bool RulerNumbered(int column) { return column % 10 == 0; }

// Lines the first visible line moves by for a wheel rotation of `delta` (120
// a notch, positive away from the user, which scrolls up): `wheelLines` per
// notch, any count (a count above 120 no longer divides 120 into nothing);
// 0 or below scrolls nothing.
int WheelScrollLines(int delta, int wheelLines);

// The wheel of one window: rotation that has not yet made a whole line is
// kept for the next message, so the small deltas of a touchpad (8 to 30 a
// message) scroll once they add up. A turn the other way starts afresh.
class WheelAccumulator {
public:
    // Lines to scroll for this message, as WheelScrollLines counts them.
    int Add(int delta, int wheelLines);

private:
    long long m_rest = 0;  // delta x lines per notch not yet scrolled
};

// The font character set for the ANSI code page of the user's language, or
// `fallback` (the device context's set) for any other code page.
int CharsetForCodePage(int codePage, int fallback);

}  // namespace editor
