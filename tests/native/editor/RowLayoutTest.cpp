// The painted layout of a line: cells, marks, the selection, the gutter, the
// ruler, the wheel and the font's character set.
#include <gtest/gtest.h>

#include <climits>

#include <string>
#include <vector>

#include "editor/core/RowLayout.h"

namespace {

using editor::CellKind;
using editor::RowCell;

std::vector<RowCell> Layout(const std::string& text, int tab = 4, int maxBytes = 2048) {
    std::vector<RowCell> cells;
    editor::LayoutRow(text.data(), static_cast<int>(text.size()), tab, cells, maxBytes);
    return cells;
}

TEST(RowLayoutTest, CellsCarryColumnsAndMarkKinds) {
    // a, tab (to column 4), full-width space, 表 (its trail byte is '\'), space, x
    const auto cells = Layout("a\t　表 x");
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0].kind, CellKind::kText);
    EXPECT_EQ(cells[1].kind, CellKind::kTab);
    EXPECT_EQ(cells[1].column, 1);
    EXPECT_EQ(cells[1].columns, 3);
    EXPECT_EQ(cells[2].kind, CellKind::kFullSpace);
    EXPECT_EQ(cells[2].column, 4);
    EXPECT_EQ(cells[2].columns, 2);
    EXPECT_EQ(cells[3].kind, CellKind::kText);
    EXPECT_EQ(cells[3].offset, 4);
    EXPECT_EQ(cells[3].length, 2);
    EXPECT_EQ(cells[3].column, 6);
    EXPECT_EQ(cells[4].kind, CellKind::kHalfSpace);
    EXPECT_EQ(cells[5].column, 9);
    // A tab at a tab stop takes a whole stop; a tab size below 1 counts as 1.
    EXPECT_EQ(Layout("\t", 4)[0].columns, 4);
    EXPECT_EQ(Layout("ab\t", 0)[2].columns, 1);
}

TEST(RowLayoutTest, NoCellReachesPastTheLineOrTheWidestColumn) {
    // A lead byte as the last byte is a one-byte character of its own.
    const std::string lone = std::string("ab") + '\x82';
    const auto cells = Layout(lone);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[2].length, 1);
    EXPECT_EQ(cells[2].kind, CellKind::kText);
    // A "full-width space" lead byte without its trail is no full-width space.
    EXPECT_EQ(Layout(std::string("\x81"))[0].kind, CellKind::kText);

    // A line of 5000 bytes is laid out only up to its 2048th byte.
    const auto longLine = Layout(std::string(5000, 'x'));
    ASSERT_EQ(longLine.size(), 2048u);
    EXPECT_EQ(longLine.back().offset, 2047);
    // A double-byte character starting at the last painted byte stays whole.
    std::string mixed(2047, 'x');
    mixed += "表表";
    const auto cut = Layout(mixed);
    ASSERT_EQ(cut.size(), 2048u);
    EXPECT_EQ(cut.back().offset, 2047);
    EXPECT_EQ(cut.back().length, 2);
    EXPECT_TRUE(Layout("").empty());
}

TEST(RowLayoutTest, SelectionCoversCharactersAndLineEnds) {
    // Caret before the anchor is ordered first.
    const auto sel = editor::MakePaintSelection({3, 2}, {5, 1});
    ASSERT_TRUE(sel.active);
    EXPECT_EQ(sel.start.line, 1);
    EXPECT_FALSE(sel.Covers(4, 1));
    EXPECT_TRUE(sel.Covers(5, 1));
    EXPECT_TRUE(sel.Covers(100, 1));
    EXPECT_TRUE(sel.Covers(2, 2));
    EXPECT_FALSE(sel.Covers(3, 2));
    EXPECT_FALSE(sel.Covers(0, 0));
    EXPECT_TRUE(sel.CoversLineEnd(1));
    EXPECT_FALSE(sel.CoversLineEnd(2));
    EXPECT_FALSE(sel.CoversLineEnd(0));

    const auto one = editor::MakePaintSelection({2, 4}, {6, 4});
    EXPECT_TRUE(one.Covers(2, 4));
    EXPECT_TRUE(one.Covers(5, 4));
    EXPECT_FALSE(one.Covers(6, 4));
    EXPECT_FALSE(one.CoversLineEnd(4));
    // No anchor: nothing is selected.
    EXPECT_FALSE(editor::MakePaintSelection({2, 4}, {-1, 4}).Covers(2, 4));
}

TEST(RowLayoutTest, GutterNumbersStayRightAligned) {
    EXPECT_EQ(editor::DecimalDigits(7), 4);
    EXPECT_EQ(editor::DecimalDigits(9999), 4);
    EXPECT_EQ(editor::DecimalDigits(10000), 5);
    EXPECT_EQ(editor::DecimalDigits(1000000), 7);
    // In a gutter of 5 digits every number ends at column 6.
    EXPECT_EQ(editor::GutterNumberColumn(1, 5), 2);  // "   1" is 4 wide
    EXPECT_EQ(editor::GutterNumberColumn(10000, 5), 1);
    EXPECT_EQ(editor::GutterNumberColumn(9999, 4), 1);
}

TEST(RowLayoutTest, RulerTicks) {
    EXPECT_EQ(editor::RulerTickTop(0), 0);
    EXPECT_EQ(editor::RulerTickTop(30), 0);
    EXPECT_TRUE(editor::RulerNumbered(30));
    EXPECT_EQ(editor::RulerTickTop(35), 5);
    EXPECT_FALSE(editor::RulerNumbered(35));
    EXPECT_EQ(editor::RulerTickTop(37), 9);
}

TEST(RowLayoutTest, WheelScrollsByItsLinesWithoutDividingByZero) {
    EXPECT_EQ(editor::WheelScrollLines(120, 3), -3);
    EXPECT_EQ(editor::WheelScrollLines(-240, 3), 6);
    EXPECT_EQ(editor::WheelScrollLines(40, 3), -1);
    // More lines a notch than 120 used to divide by zero.
    EXPECT_EQ(editor::WheelScrollLines(120, 500), -500);
    EXPECT_EQ(editor::WheelScrollLines(120, 0), 0);
    EXPECT_EQ(editor::WheelScrollLines(-32768, 1 << 30) > 0, true);
}

TEST(RowLayoutTest, SmallWheelDeltasAddUpToLines) {
    struct Step {
        int delta, wheelLines, lines;
    };
    // A touchpad's 8s at 3 lines a notch: a line every fifth message; the
    // other way starts afresh; 0 lines a notch forgets what was left.
    const Step steps[] = {{8, 3, 0},    {8, 3, 0},   {8, 3, 0},  {8, 3, 0},  {8, 3, -1}, {30, 3, 0},
                          {-30, 3, 0},  {-30, 3, 1}, {-10, 3, 0}, {-10, 3, 1}, {120, 3, -3}, {100, 0, 0},
                          {20, 3, 0},   {-120, 1, 1}, {1, 500, -4}, {-32768, 1 << 30, INT_MAX / 2}};
    editor::WheelAccumulator wheel;
    int i = 0;
    for (const Step& s : steps) EXPECT_EQ(wheel.Add(s.delta, s.wheelLines), s.lines) << "step " << i++;
}

TEST(RowLayoutTest, CharsetFollowsTheAnsiCodePage) {
    EXPECT_EQ(editor::CharsetForCodePage(932, 1), 128);
    EXPECT_EQ(editor::CharsetForCodePage(936, 1), 134);
    EXPECT_EQ(editor::CharsetForCodePage(949, 1), 129);
    EXPECT_EQ(editor::CharsetForCodePage(950, 1), 136);
    EXPECT_EQ(editor::CharsetForCodePage(1250, 1), 238);
    EXPECT_EQ(editor::CharsetForCodePage(1251, 1), 204);
    EXPECT_EQ(editor::CharsetForCodePage(1252, 1), 0);
    EXPECT_EQ(editor::CharsetForCodePage(1253, 1), 161);
    EXPECT_EQ(editor::CharsetForCodePage(1254, 1), 162);
    EXPECT_EQ(editor::CharsetForCodePage(1257, 1), 186);
    EXPECT_EQ(editor::CharsetForCodePage(437, 77), 77);
    EXPECT_EQ(editor::CharsetForCodePage(0, 77), 77);
}

}  // namespace

namespace {

// The shown part of a line starting inside it matches the same cells of a
// layout from the line's start, whatever tabs and double-byte characters
// come before it.
TEST(RowLayoutTest, APartFromInsideALineMatchesTheWholeLayout) {
    const std::string line = std::string("ab\t表x\t　") + std::string(3000, 'y') + "\t漢z";
    const auto whole = Layout(line, 4, INT_MAX);
    struct Case {
        std::size_t firstCell;
        int endColumn;
    } const cases[] = {{0, 3}, {2, 6}, {3, 20}, {6, 3000}, {whole.size() - 3, INT_MAX}, {whole.size() - 1, 1}};
    for (const Case& c : cases) {
        const RowCell& from = whole[c.firstCell];
        std::vector<RowCell> part;
        editor::LayoutRowPart(line.data(), static_cast<int>(line.size()), 4, from.offset, from.column, c.endColumn,
                              part);
        std::size_t k = c.firstCell;
        for (const RowCell& cell : part) {
            ASSERT_LT(k, whole.size());
            EXPECT_EQ(cell.offset, whole[k].offset);
            EXPECT_EQ(cell.column, whole[k].column);
            EXPECT_EQ(cell.columns, whole[k].columns);
            EXPECT_EQ(cell.kind, whole[k].kind);
            ++k;
        }
        // It stops at the first cell at or after the end column, or the line's end.
        const bool atEnd = k == whole.size();
        EXPECT_TRUE(atEnd || whole[k].column >= c.endColumn) << c.firstCell;
        EXPECT_TRUE(part.empty() || part.back().column < c.endColumn) << c.firstCell;
    }
}

}  // namespace
