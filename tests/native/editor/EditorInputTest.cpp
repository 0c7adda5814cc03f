// Caret navigation, mouse selection and the drag-and-drop decisions of one
// editor, on the fixture's window of 80 x 20 characters of 8 x 16 pixels.
#include <gtest/gtest.h>

#include <string>

#include "editor/core/EditorInput.h"
#include "editor/core/EditorMemory.h"
#include "native/editor/EditorTestSupport.h"

namespace {

using editor::DropEffect;
using editor::EditorInput;
using editor::EditorModel;
using editor::NavKey;
using editor::PressResult;
using editor::TextPos;
using editortest::Fixture;

std::string Lines(int count, const std::string& line) {
    std::string t;
    for (int k = 0; k < count; ++k) t += line + "\r\n";
    return t;
}

struct InputFixture : Fixture {
    EditorInput in{ed};
    // Client point of the left edge of a cell.
    int X(int column) const { return ed.Geometry().textLeft + (column - ed.FirstColumn()) * 8 + 1; }
    int Y(int line) const { return ed.Geometry().textTop + (line - ed.FirstLine()) * 16 + 1; }
    void Caret(int column, int line) { ed.SetCaretAndAnchor(TextPos{column, line}, TextPos{-1, line}); }
    int SnappedColumn() const { return ed.Store().SnapColumn(ed.Caret().column, ed.Caret().line, false); }
    // The caret as drawn lies inside the visible columns and lines.
    bool CaretInView() const {
        const editor::ViewGeometry g = ed.Geometry();
        const int s = SnappedColumn();
        return s >= ed.FirstColumn() && s < ed.FirstColumn() + g.visibleColumns && ed.Caret().line >= ed.FirstLine() &&
               ed.Caret().line < ed.FirstLine() + g.visibleLines;
    }
};

// --- Keys ----------------------------------------------------------------------

TEST(EditorInputTest, LeftAndRightStepByCharactersAndWrapAtLineEnds) {
    InputFixture f;
    f.ed.SetText("a\x82\xA0\tb\r\nxy");  // a, あ, tab to column 4, b
    f.Caret(0, 0);
    f.in.Key(NavKey::Right, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{1, 0}));
    f.in.Key(NavKey::Right, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{3, 0}));  // over the double-byte character
    f.in.Key(NavKey::Right, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{4, 0}));  // over the tab
    f.in.Key(NavKey::Right, false, false);
    f.in.Key(NavKey::Right, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 1}));  // the line end
    f.in.Key(NavKey::Left, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{5, 0}));
    f.in.Key(NavKey::Left, false, false);
    f.in.Key(NavKey::Left, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{3, 0}));
    f.in.Key(NavKey::Left, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{1, 0}));
    f.in.Key(NavKey::End, true, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{2, 1}));
    f.in.Key(NavKey::Right, false, false);  // the end of the text
    EXPECT_EQ(f.ed.Caret(), (TextPos{2, 1}));
    f.in.Key(NavKey::Home, true, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 0}));
    EXPECT_FALSE(f.in.Key(NavKey::Left, false, false));  // nothing changed
}

TEST(EditorInputTest, CtrlLeftAndRightMoveByWords) {
    InputFixture f;
    f.ed.SetText("abc def\x82\xA0\x82\xA2");
    f.Caret(0, 0);
    f.in.Key(NavKey::Right, true, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{4, 0}));
    f.in.Key(NavKey::Right, true, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{7, 0}));
    f.in.Key(NavKey::Left, true, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{4, 0}));
}

TEST(EditorInputTest, UpAndDownKeepTheColumnAcrossShorterLines) {
    InputFixture f;
    f.ed.SetText("0123456789\r\nab\r\n0123456789");
    f.Caret(8, 0);
    f.in.Key(NavKey::Down, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{8, 1}));  // kept beyond the short line
    EXPECT_EQ(f.SnappedColumn(), 2);           // drawn at its end
    f.in.Key(NavKey::Down, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{8, 2}));
    f.in.Key(NavKey::Up, false, false);
    f.in.Key(NavKey::Up, false, false);
    f.in.Key(NavKey::Up, false, false);  // above the first line: clamped
    EXPECT_EQ(f.ed.Caret(), (TextPos{8, 0}));
}

TEST(EditorInputTest, ShiftExtendsFromTheAnchorAndBackToItLeavesNoSelection) {
    InputFixture f;
    f.ed.SetText(Lines(10, "0123456789"));
    f.Caret(5, 3);
    f.in.Key(NavKey::Down, false, true);
    int ac, al, cc, cl;
    f.ed.GetSelection(&ac, &al, &cc, &cl);
    EXPECT_EQ(ac, 5);
    EXPECT_EQ(al, 3);
    EXPECT_EQ(cc, 5);
    EXPECT_EQ(cl, 4);
    f.in.Key(NavKey::Up, false, true);
    EXPECT_FALSE(f.ed.HasSelection());
    f.in.Key(NavKey::End, false, true);
    EXPECT_TRUE(f.ed.HasSelection());
    f.in.Key(NavKey::Escape, false, false);
    EXPECT_FALSE(f.ed.HasSelection());
    EXPECT_EQ(f.ed.Caret(), (TextPos{10, 3}));
}

TEST(EditorInputTest, CtrlUpDownScrollAndMoveTheCaretOnlyToKeepItInView) {
    InputFixture f;
    f.ed.SetText(Lines(100, "x"));
    f.Caret(0, 5);
    f.in.Key(NavKey::Down, true, false);
    EXPECT_EQ(f.ed.FirstLine(), 1);
    EXPECT_EQ(f.ed.Caret().line, 5);
    for (int k = 0; k < 5; ++k) f.in.Key(NavKey::Down, true, false);
    EXPECT_EQ(f.ed.FirstLine(), 6);
    EXPECT_EQ(f.ed.Caret().line, 6);  // dragged along by the top edge
    f.in.Key(NavKey::Up, true, false);
    EXPECT_EQ(f.ed.FirstLine(), 5);
    EXPECT_EQ(f.ed.Caret().line, 6);
}

TEST(EditorInputTest, PageKeysMoveCaretAndViewByAPage) {
    InputFixture f;
    f.ed.SetText(Lines(100, "x"));  // 101 lines, 20 visible
    f.Caret(0, 0);
    f.in.Key(NavKey::PageDown, false, false);
    EXPECT_EQ(f.ed.Caret().line, 20);
    EXPECT_EQ(f.ed.FirstLine(), 20);
    f.in.Key(NavKey::PageDown, true, false);
    EXPECT_EQ(f.ed.Caret().line, 39);
    f.in.Key(NavKey::PageUp, true, false);
    EXPECT_EQ(f.ed.Caret().line, 20);
    for (int k = 0; k < 10; ++k) f.in.Key(NavKey::PageDown, false, false);
    EXPECT_EQ(f.ed.Caret().line, 100);
    EXPECT_EQ(f.ed.FirstLine(), 81);
    f.in.Key(NavKey::PageUp, false, false);
    EXPECT_EQ(f.ed.Caret().line, 80);
    EXPECT_EQ(f.ed.FirstLine(), 61);
}

TEST(EditorInputTest, VerticalMovesAcrossShorterLinesKeepTheDrawnCaretInView) {
    InputFixture f;
    // Line 0 is long, line 1 ends at column 85: with the caret kept at 200
    // the view scrolls right for it, and line 1's end must still show.
    f.ed.SetText(std::string(300, 'a') + "\r\n" + std::string(85, 'b') + "\r\n" + std::string(300, 'c'));
    f.Caret(200, 0);
    f.ed.SetScrollPosition(0, 0);
    f.in.Key(NavKey::Down, false, false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{200, 1}));
    EXPECT_TRUE(f.CaretInView()) << "first column " << f.ed.FirstColumn();
    f.in.Key(NavKey::Down, false, false);
    EXPECT_TRUE(f.CaretInView()) << "first column " << f.ed.FirstColumn();
    f.in.Key(NavKey::Up, false, false);
    EXPECT_TRUE(f.CaretInView()) << "first column " << f.ed.FirstColumn();
    // From a scrolled view onto a line inside the view's left part.
    f.ed.SetText(std::string(300, 'a') + "\r\n" + std::string(60, 'b'));
    f.Caret(100, 0);
    f.ed.SetScrollPosition(50, 0);
    f.in.Key(NavKey::Down, false, false);
    EXPECT_TRUE(f.CaretInView()) << "first column " << f.ed.FirstColumn();
}

TEST(EditorInputTest, KeysAreIgnoredWhileADragIsOverTheWindow) {
    InputFixture f;
    f.ed.SetText("abc");
    f.ed.SetFlags(EditorModel::kDragOver, true);
    EXPECT_FALSE(f.in.Key(NavKey::Right, false, false));
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 0}));
}

// --- Mouse ---------------------------------------------------------------------

TEST(EditorInputTest, ClickPlacesTheCaretAndShiftClickExtends) {
    InputFixture f;
    f.ed.SetText("ab\x82\xA0z\r\nshort\r\nlast");
    EXPECT_EQ(f.in.ButtonDown(f.X(3), f.Y(0), false), PressResult::Select);
    EXPECT_EQ(f.ed.Caret(), (TextPos{2, 0}));  // inside あ: snapped down
    f.in.ButtonUp();
    f.in.ButtonDown(f.X(40), f.Y(1), true);
    EXPECT_EQ(f.ed.Caret(), (TextPos{40, 1}));  // beyond the line end: kept
    int ac, al, cc, cl;
    f.ed.GetSelection(&ac, &al, &cc, &cl);
    EXPECT_EQ(ac, 2);
    EXPECT_EQ(al, 0);
    EXPECT_EQ(cc, 5);
    f.in.ButtonUp();
    f.in.ButtonDown(f.X(1), f.Y(50), false);  // below the text: the last line
    EXPECT_EQ(f.ed.Caret(), (TextPos{1, 2}));
    EXPECT_FALSE(f.ed.HasSelection());
    f.in.ButtonUp();
    EXPECT_EQ(f.in.ButtonDown(f.X(1), 2, false), PressResult::Ignored);  // on the ruler
}

TEST(EditorInputTest, GutterClickSelectsTheLineWithTheCaretAfterIt) {
    InputFixture f;
    f.ed.SetText("one\r\ntwo\r\nthree");
    f.in.ButtonDown(5, f.Y(1), false);
    EXPECT_TRUE(f.ed.Flags() & EditorModel::kLineSelectPending);
    f.in.ButtonUp();
    EXPECT_EQ(f.ed.Anchor(), (TextPos{0, 1}));
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 2}));
    std::string sel;
    f.ed.GetSelectedText(sel);
    EXPECT_EQ(sel, "two\r\n");
    f.in.ButtonDown(5, f.Y(2), false);  // the last line: to its end
    f.in.ButtonUp();
    f.ed.GetSelectedText(sel);
    EXPECT_EQ(sel, "three");
    EXPECT_EQ(f.ed.Caret(), (TextPos{5, 2}));
}

TEST(EditorInputTest, DragSelectsAndAutoScrollsBelowTheWindow) {
    InputFixture f;
    f.ed.SetText(Lines(30, "line"));  // 31 lines, 20 visible
    f.in.ButtonDown(f.X(1), f.Y(2), false);
    EXPECT_FALSE(f.in.Move(f.X(3), f.Y(4)));
    EXPECT_EQ(f.ed.Anchor(), (TextPos{1, 2}));
    EXPECT_EQ(f.ed.Caret(), (TextPos{3, 4}));
    const int below = f.ed.Metrics().clientHeight + 10;
    EXPECT_TRUE(f.in.Move(f.X(3), below));
    EXPECT_EQ(f.ed.Caret().line, 19);  // the caret stays on the view's last line
    int rounds = 0;
    while (f.ed.FirstLine() < 11 && rounds < 20) {
        f.in.AutoScroll(f.X(3), below);
        ++rounds;
    }
    EXPECT_EQ(rounds, 6);  // two lines a round, then it stops at the end
    f.in.AutoScroll(f.X(3), below);
    EXPECT_EQ(f.ed.FirstLine(), 11);
    EXPECT_EQ(f.ed.Caret().line, 30);
    EXPECT_EQ(f.ed.Anchor(), (TextPos{1, 2}));
    f.in.ButtonUp();
    EXPECT_FALSE(f.ed.Flags() & EditorModel::kButtonDown);
    f.in.AutoScroll(f.X(3), below);  // after release a stray round does nothing
    EXPECT_EQ(f.ed.Caret().line, 30);
}

TEST(EditorInputTest, ClickOnTheFirstVisibleColumnScrollsLeftAndDragRightStopsAtTheLineEnd) {
    InputFixture f;
    f.ed.SetText(std::string(200, 'a') + "\r\n" + std::string(100, 'b'));
    f.ed.SetScrollPosition(100, 0);
    f.in.ButtonDown(f.X(100), f.Y(0), false);
    EXPECT_EQ(f.ed.Caret(), (TextPos{100, 0}));
    // client width / char width / 5 + 1 columns to the left of the caret
    const int w = f.ed.Metrics().clientWidth / 8;
    EXPECT_EQ(f.ed.FirstColumn(), 100 - (w / 5 + 1));
    const int right = f.ed.Metrics().clientWidth + 5;
    EXPECT_TRUE(f.in.Move(right, f.Y(0)));
    int rounds = 0;
    for (; rounds < 100; ++rounds) {
        const int before = f.ed.FirstColumn();
        f.in.AutoScroll(right, f.Y(0));
        if (f.ed.FirstColumn() == before) break;
    }
    EXPECT_LT(rounds, 100);
    EXPECT_GE(f.ed.FirstColumn() + 80, 200);  // the line's end came into view
    EXPECT_EQ(f.ed.Caret().line, 0);
    EXPECT_TRUE(f.CaretInView());
    f.in.ButtonUp();
}

TEST(EditorInputTest, DoubleClickSelectsTheWordAndIgnoresMovesUntilRelease) {
    InputFixture f;
    f.ed.SetText("foo   bar");
    f.in.ButtonDown(f.X(7), f.Y(0), false);
    f.in.ButtonUp();
    EXPECT_TRUE(f.in.DoubleClick(f.X(7), f.Y(0), false));
    EXPECT_EQ(f.ed.Anchor(), (TextPos{9, 0}));
    EXPECT_EQ(f.ed.Caret(), (TextPos{6, 0}));
    f.in.Move(f.X(1), f.Y(0));
    EXPECT_EQ(f.ed.Caret(), (TextPos{6, 0}));
    f.in.ButtonUp();
    EXPECT_TRUE(f.in.DoubleClick(f.X(4), f.Y(0), false));  // a run of spaces is a word
    std::string sel;
    f.ed.GetSelectedText(sel);
    EXPECT_EQ(sel, "   ");
}

TEST(EditorInputTest, PointerShapesAndPressesInTheSelection) {
    InputFixture f;
    f.ed.SetText("hello world");
    f.ed.SetSelectionOffsets(0, 5);
    EXPECT_EQ(f.in.PointerAt(f.X(2), f.Y(0)), EditorInput::Pointer::Arrow);
    EXPECT_EQ(f.in.PointerAt(f.X(7), f.Y(0)), EditorInput::Pointer::IBeam);
    EXPECT_EQ(f.in.PointerAt(3, f.Y(0)), EditorInput::Pointer::Gutter);
    EXPECT_EQ(f.in.ButtonDown(f.X(2), f.Y(0), false), PressResult::StartDrag);
    f.in.BeginDragSource(f.X(2), f.Y(0));
    f.in.EndDragSource(false);  // released without dragging: an ordinary click
    EXPECT_FALSE(f.ed.HasSelection());
    EXPECT_EQ(f.ed.Caret(), (TextPos{2, 0}));
    EXPECT_FALSE(f.ed.Flags() & EditorModel::kDragSource);
}

// --- Dropping --------------------------------------------------------------------

TEST(EditorInputTest, DropEffectsFollowSourceCtrlAndSettings) {
    InputFixture f;
    f.ed.SetText("abc");
    f.in.DragEnter(f.X(1), f.Y(0));
    EXPECT_TRUE(f.ed.Flags() & EditorModel::kDragOver);
    EXPECT_EQ(f.in.DragOver(f.X(1), f.Y(0), false, true), DropEffect::Copy);
    EXPECT_EQ(f.in.DragOver(f.X(1), f.Y(0), false, false), DropEffect::None);
    f.ed.SetFlags(EditorModel::kDragSource, true);
    EXPECT_EQ(f.in.DragOver(f.X(1), f.Y(0), false, true), DropEffect::Move);
    EXPECT_EQ(f.in.DragOver(f.X(1), f.Y(0), true, true), DropEffect::Copy);
    f.ed.SetReadOnly(true);
    EXPECT_EQ(f.in.DragOver(f.X(1), f.Y(0), false, true), DropEffect::None);
    f.in.DragLeave();
    EXPECT_FALSE(f.ed.Flags() & EditorModel::kDragOver);
}

TEST(EditorInputTest, ADropTakesOnlyAnEffectTheSourceAllows) {
    struct Case {
        DropEffect wanted;
        bool copy, move;
        DropEffect taken;
    };
    const Case cases[] = {
        {DropEffect::Move, true, true, DropEffect::Move},  {DropEffect::Move, true, false, DropEffect::Copy},
        {DropEffect::Move, false, true, DropEffect::Move}, {DropEffect::Move, false, false, DropEffect::None},
        {DropEffect::Copy, true, true, DropEffect::Copy},  {DropEffect::Copy, false, true, DropEffect::None},
        {DropEffect::None, true, true, DropEffect::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(editor::LimitDropEffect(c.wanted, c.copy, c.move), c.taken)
            << static_cast<int>(c.wanted) << c.copy << c.move;
}

TEST(EditorInputTest, MoveDropWithinTheLineUndoesInOneStep) {
    InputFixture f;
    f.ed.SetText("abc def ghi");
    f.ed.SetSelectionOffsets(0, 4);  // "abc "
    f.in.BeginDragSource(f.X(1), f.Y(0));
    f.in.DragEnter(f.X(8), f.Y(0));
    const DropEffect e = f.in.DragOver(f.X(8), f.Y(0), false, true);
    ASSERT_EQ(e, DropEffect::Move);
    const std::string text = "abc ";
    EXPECT_TRUE(f.in.Drop(&text, e));
    f.in.EndDragSource(true);
    EXPECT_EQ(f.Text(), "def abc ghi");
    std::string sel;
    f.ed.GetSelectedText(sel);
    EXPECT_EQ(sel, "abc ");
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "abc def ghi");
}

TEST(EditorInputTest, AMovedDropWhoseInsertionFailsStaysAStepOfItsOwn) {
    // Memory runs out at every point of a dragged move in turn.
    bool removedOnly = false;
    for (long n = 0; n < 16; ++n) {
        InputFixture f;
        f.ed.SetText("abc def ghi");
        f.ed.SetSelectionOffsets(0, 4);
        f.in.BeginDragSource(f.X(1), f.Y(0));
        f.in.DragEnter(f.X(8), f.Y(0));
        const DropEffect e = f.in.DragOver(f.X(8), f.Y(0), false, true);
        const std::string text = "abc ";
        editor::FailAllocationsAfter(n);
        f.in.Drop(&text, e);
        editor::FailAllocationsAfter(-1);
        f.in.EndDragSource(true);
        if (f.Text() == "def ghi") {
            removedOnly = true;
            f.Type("x");
            EXPECT_EQ(f.ed.Undo(), 1);
            EXPECT_EQ(f.Text(), "def ghi") << n;
        } else {
            EXPECT_TRUE(f.Text() == "abc def ghi" || f.Text() == "def abc ghi") << n << ": " << f.Text();
        }
    }
    EXPECT_TRUE(removedOnly);
}

TEST(EditorInputTest, DropOntoItsOwnSelectionChangesNothing) {
    InputFixture f;
    f.ed.SetText("abc def");
    f.ed.SetSelectionOffsets(0, 3);
    f.in.BeginDragSource(f.X(1), f.Y(0));
    f.in.DragEnter(f.X(2), f.Y(0));
    const std::string text = "abc";
    EXPECT_FALSE(f.in.Drop(&text, f.in.DragOver(f.X(2), f.Y(0), false, true)));
    EXPECT_EQ(f.Text(), "abc def");
    EXPECT_FALSE(f.ed.CanUndo());
}

TEST(EditorInputTest, ForeignDropCopiesAndReadOnlyIgnoresIt) {
    InputFixture f;
    f.ed.SetText("one\r\ntwo");
    f.in.DragEnter(f.X(30), f.Y(1));  // beyond the end of line 1
    const std::string text = "X\r\nY";
    EXPECT_TRUE(f.in.Drop(&text, f.in.DragOver(f.X(30), f.Y(1), false, true)));
    EXPECT_EQ(f.Text(), "one\r\ntwoX\r\nY");
    std::string sel;
    f.ed.GetSelectedText(sel);
    EXPECT_EQ(sel, text);
    f.ed.SetReadOnly(true);
    f.in.DragEnter(f.X(0), f.Y(0));
    EXPECT_FALSE(f.in.Drop(&text, DropEffect::Copy));
    EXPECT_EQ(f.Text(), "one\r\ntwoX\r\nY");
    f.ed.SetReadOnly(false);
    f.in.DragEnter(f.X(1), f.Y(0));
    EXPECT_FALSE(f.in.Drop(nullptr, DropEffect::Copy));  // no usable data: the caret goes there
    EXPECT_EQ(f.ed.Caret(), (TextPos{1, 0}));
    // Empty text is taken: the caret waits at the drop point, nothing to undo.
    const std::string empty;
    f.ed.SetSelectionOffsets(0, 2);
    f.in.DragEnter(f.X(2), f.Y(1));
    EXPECT_TRUE(f.in.Drop(&empty, f.in.DragOver(f.X(2), f.Y(1), false, true)));
    EXPECT_EQ(f.ed.Caret(), (TextPos{2, 1}));
    EXPECT_FALSE(f.ed.HasSelection());
    EXPECT_EQ(f.Text(), "one\r\ntwoX\r\nY");
}

TEST(EditorInputTest, DragNearTheBottomEdgeScrollsALineARound) {
    InputFixture f;
    f.ed.SetText(Lines(50, "x"));
    const int y = f.ed.Metrics().clientHeight - 2;
    EXPECT_TRUE(f.in.NearEdge(f.X(5), y));
    EXPECT_FALSE(f.in.NearEdge(f.X(5), f.Y(5)));
    EXPECT_TRUE(f.in.DragEdgeScroll(f.X(5), y));
    EXPECT_TRUE(f.in.DragEdgeScroll(f.X(5), y));
    EXPECT_EQ(f.ed.FirstLine(), 2);
    EXPECT_FALSE(f.in.DragEdgeScroll(f.X(5), f.Y(5)));
}

TEST(EditorInputTest, RightClickCancelsADragOverAndLeavesTheCaretAtTheDropPosition) {
    InputFixture f;
    f.ed.SetText("abcdef");
    f.ed.SetSelectionOffsets(0, 2);
    f.in.DragEnter(f.X(4), f.Y(0));
    f.in.CancelDragOver();
    EXPECT_FALSE(f.ed.Flags() & EditorModel::kDragOver);
    EXPECT_EQ(f.ed.Caret(), (TextPos{4, 0}));
    EXPECT_FALSE(f.ed.HasSelection());
}

// --- The pending lead byte ------------------------------------------------------

TEST(EditorInputTest, ALeadByteCompletesOnlyWithAValidTrailByte) {
    Fixture f;
    f.ed.SetText("ab");
    f.ed.SetSelection(2, 0, 2, 0);
    f.ed.TypeChar(0x82);
    f.ed.Backspace(false);  // Backspace drops the waiting lead byte: never 82 08
    EXPECT_FALSE(f.ed.HasPendingLead());
    EXPECT_EQ(f.Text(), "a");
    f.ed.TypeChar(0xA0);  // a half-width kana byte on its own, not joined to 82
    EXPECT_EQ(f.Text(), "a\xA0");
    f.ed.TypeChar(0x82);
    f.ed.TypeChar(0x7F);  // not a trail byte
    f.ed.TypeChar(0x82);
    f.ed.TypeChar(0xA0);
    EXPECT_EQ(f.Text(), "a\xA0\x82\xA0");
    f.ed.TypeChar(0x82);
    f.ed.DropPendingLead();  // focus lost
    f.ed.TypeChar('x');
    EXPECT_EQ(f.Text(), "a\xA0\x82\xA0x");
}

}  // namespace
