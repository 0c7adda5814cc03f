// The editor operations: text, selection, editing keys, clipboard, settings,
// what the window is asked to do, line states and the plug-in messages.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "editor/core/EditorMemory.h"
#include "editor/core/EditorMessages.h"
#include "native/editor/EditorTestSupport.h"

namespace {

using editor::EditorModel;
using editor::TextPos;
using editortest::Fixture;
using Call = editortest::RecordingHost::Call;

std::string Lines(int count, const char* line = "line") {
    std::string t;
    for (int k = 0; k < count; ++k) t += std::string(line) + "\r\n";
    return t;
}

// --- Whole text ------------------------------------------------------------------

TEST(EditorModelTest, SetTextKeepsNulBytesAndTakesTheFirstLineEnd) {
    Fixture f;
    f.ed.SetReadOnly(true);
    f.ed.SetModified(true);
    f.host.Forget();
    const std::string text("a\0b\rc\r\n", 7);
    f.ed.SetText(text.data(), text.size());
    EXPECT_EQ(f.Text(), text);
    EXPECT_EQ(f.ed.TextLength(), 7);
    EXPECT_EQ(f.ed.LineEndMode(), editor::kReturnCr);
    EXPECT_FALSE(f.ed.IsReadOnly());
    EXPECT_FALSE(f.ed.IsModified());
    EXPECT_EQ(f.host.changed, 1);
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 0}));
    f.ed.SetText("no line end");
    EXPECT_EQ(f.ed.LineEndMode(), editor::kReturnCrLf);
    f.ed.SetText("x\ny\r\n");
    EXPECT_EQ(f.ed.LineEndMode(), editor::kReturnLf);
}

TEST(EditorModelTest, GetLineAndBuffersNeverWritePastTheirEnd) {
    Fixture f;
    f.ed.SetText("abc\r\n\x82\xA0\x82\xA2xyz");
    std::string line;
    EXPECT_EQ(f.ed.GetLine(1, line, true), 7);
    EXPECT_EQ(line, "\x82\xA0\x82\xA2xyz");
    f.ed.SetSelection(4, 1, 4, 1);
    EXPECT_EQ(f.ed.GetLine(1, line, false), 7);  // the caret line: only the bytes before the caret
    EXPECT_EQ(line, "\x82\xA0\x82\xA2");
    EXPECT_EQ(f.ed.GetLine(2, line, true), -1);

    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(f.ed.GetText(buffer, 7), 5);  // "abc\r\n" and no half of あ
    EXPECT_STREQ(buffer, "abc\r\n");
    EXPECT_EQ(f.ed.GetText(nullptr, 0), 12);
    EXPECT_EQ(f.ed.GetText(buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'a');
}

// --- Selection --------------------------------------------------------------------

TEST(EditorModelTest, SelectionOffsetsAreClampedAndMovedOffCharactersAndLineEnds) {
    Fixture f;
    f.ed.SetText("abc");
    f.Select(0, -1);
    long long start, end;
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 3);
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 0}));
    EXPECT_EQ(f.ed.FirstLine(), 0);
    f.Select(1, 99);
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(end, 3);

    f.ed.SetText("\x82\xA0\x82\xA2\r\ncd");  // あい CR LF cd
    f.Select(1, 3);                         // both inside characters: widened outwards
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 4);
    f.Select(5, 0);  // between CR and LF: the whole line end is selected
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(end, 6);
    f.Select(5, 8);
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 4);
    f.Select(3, 3);  // equal: no selection, caret on the boundary before
    EXPECT_FALSE(f.ed.HasSelection());
    EXPECT_EQ(f.ed.Caret(), (TextPos{2, 0}));
    // A replace through such offsets never splits a character or a CR LF.
    f.Select(3, 5);
    f.ed.ReplaceSelection("-", true);
    EXPECT_EQ(f.Text(), "\x82\xA0-cd");

    f.ed.SetText("");
    f.Select(0, -1);  // one empty line: nothing happens
    EXPECT_FALSE(f.ed.HasSelection());
}

TEST(EditorModelTest, SetSelectionClampsBytePositionsAndGetSelectionSnapsColumns) {
    Fixture f;
    f.ed.SetText("a\tb\r\n\x82\xA0x");
    f.ed.SetSelection(99, -3, 1, 1);  // anchor clamped to the end of line 0, caret inside あ
    int ac, al, cc, cl;
    f.ed.GetSelection(&ac, &al, &cc, &cl);
    EXPECT_EQ(ac, 5);
    EXPECT_EQ(al, 0);
    EXPECT_EQ(cc, 2);  // the later end moved up past あ
    EXPECT_EQ(cl, 1);
    f.ed.GoToLine(7);
    f.ed.GetSelection(&ac, &al, &cc, &cl);
    EXPECT_EQ(ac, -1);
    EXPECT_EQ(al, 1);
    EXPECT_EQ(cc, 0);
    EXPECT_EQ(cl, 1);
}

TEST(EditorModelTest, ReplaceSelectionFollowsReadOnlyAndUndoRules) {
    Fixture f;
    f.ed.SetText("hello world");
    f.Select(5, 11);
    f.host.Forget();
    f.ed.ReplaceSelection("", true);  // an empty text deletes the selection
    EXPECT_EQ(f.Text(), "hello");
    EXPECT_EQ(f.ed.History().UndoCount(), 1u);
    EXPECT_TRUE(f.ed.IsModified());
    EXPECT_EQ(f.host.changed, 1);
    f.ed.SetReadOnly(true);
    f.ed.ReplaceSelection("x", true);
    f.Type("y");
    f.ed.Backspace(false);
    f.ed.Enter();
    EXPECT_EQ(f.ed.Paste(), 0);
    EXPECT_EQ(f.ed.Cut(), 0);
    EXPECT_EQ(f.Text(), "hello");
    f.ed.SetReadOnly(false);
    f.ed.ReplaceSelection("!", true);
    EXPECT_EQ(f.Text(), "hello!");
    EXPECT_EQ(f.ed.Caret(), (TextPos{6, 0}));
}

TEST(EditorModelTest, FindInLineSelectsTheMatch) {
    Fixture f;
    f.ed.SetText("one\r\nTwo two");
    EXPECT_EQ(f.ed.FindInLine("two", false, false, 0, 1), 1);
    long long start, end;
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 8);
    EXPECT_EQ(f.ed.Caret(), (TextPos{3, 1}));
    EXPECT_EQ(f.ed.FindInLine("two", true, false, 3, 1), 1);
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 9);
    EXPECT_EQ(f.ed.FindInLine("two", true, false, 0, 0), 0);
    EXPECT_EQ(f.ed.FindInLine("two", true, false, 0, 9), 0);
}

// --- Editing keys -------------------------------------------------------------

TEST(EditorModelTest, TypingInOverwriteModeReplacesWholeCharacters) {
    Fixture f;
    f.ed.SetText("\x82\xA0z");
    f.ed.ToggleOverwrite();
    f.Type("x");
    EXPECT_EQ(f.Text(), "xz");
    f.Type("yw");  // at the line end it appends
    EXPECT_EQ(f.Text(), "xyw");
    f.ed.TypeChar(0x82);
    f.ed.TypeChar('\r');  // not a trail byte: the lead byte is dropped, CR is not typed
    f.ed.TypeChar(0x1B);
    EXPECT_EQ(f.Text(), "xyw");
}

TEST(EditorModelTest, BackspaceAndDeleteJoinLinesWhateverTheirLineEnd) {
    Fixture f;
    f.ed.SetText("l0\r\nl1\nl2\rl3\r\nl4\rl5");
    f.ed.SetSelection(0, 5, 0, 5);
    f.ed.Backspace(false);
    EXPECT_EQ(f.Text(), "l0\r\nl1\nl2\rl3\r\nl4l5");
    f.ed.SetSelection(2, 2, 2, 2);
    f.ed.DeleteForward(false);
    EXPECT_EQ(f.Text(), "l0\r\nl1\nl2l3\r\nl4l5");
    f.ed.SetText("ab \x82\xA0x");
    f.ed.SetSelection(5, 0, 5, 0);
    f.ed.Backspace(false);  // a double-byte character is one
    EXPECT_EQ(f.Text(), "ab x");
    f.ed.Backspace(true);  // to the previous word boundary
    EXPECT_EQ(f.Text(), "x");
    f.ed.SetSelection(0, 0, 0, 0);
    f.ed.Backspace(false);  // at the very start: nothing
    f.ed.SetSelection(1, 0, 1, 0);
    f.ed.DeleteForward(false);  // at the very end: nothing
    EXPECT_EQ(f.Text(), "x");
    EXPECT_EQ(f.ed.History().UndoCount(), 2u);
}

TEST(EditorModelTest, EnterUsesTheDocumentsLineEndAndCopiesLeadingWhiteSpace) {
    Fixture f;
    f.ed.SetText("\x81\x40\tword\nnext");  // full-width space, tab, word; LF document
    f.ed.SetSelection(7, 0, 7, 0);
    f.ed.Enter();
    EXPECT_EQ(f.Text(), "\x81\x40\tword\n\x81\x40\t\nnext");
    f.ed.SetLineEndMode(editor::kReturnCrLf);
    f.ed.SetSelection(2, 0, 2, 0);  // inside the white space: only what is before the caret
    f.ed.Enter();
    EXPECT_EQ(f.Text(), "\x81\x40\r\n\x81\x40\tword\r\n\x81\x40\t\r\nnext");
    editor::EditorSettings s = f.ed.Settings();
    s.indentMode = 0;
    f.ed.SetSettings(&s, false);
    f.ed.SetSelection(0, 2, 0, 2);
    f.ed.ToggleOverwrite();
    f.ed.Enter();  // overwrite mode on a line that is not the last: the caret moves only
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 3}));
    f.ed.Enter();  // the last line: a line end is inserted
    EXPECT_EQ(f.Text(), "\x81\x40\r\n\x81\x40\tword\r\n\x81\x40\t\r\n\r\nnext");
}

TEST(EditorModelTest, EnterInOverwriteModeScrollsTheViewAndItsBars) {
    Fixture f;
    f.ed.SetText(Lines(50));
    f.ed.ToggleOverwrite();
    f.ed.SetSelection(2, 19, 2, 19);  // the last visible row
    f.host.Forget();
    f.ed.Enter();
    EXPECT_EQ(f.ed.Caret(), (TextPos{0, 20}));
    EXPECT_EQ(f.ed.FirstLine(), 1);
    EXPECT_TRUE(f.host.Has({"view", 0, 0}));
    EXPECT_TRUE(f.host.HasKind("bars"));
}

TEST(EditorModelTest, AReplaceThatRunsOutOfMemoryKeepsTheReplacedText) {
    // Memory runs out at every allocation of the replace in turn: the text is
    // either as it was or fully replaced, never without the replaced range,
    // whether the change is recorded for undo or not, and for a paste.
    const std::string big = Lines(9000, "a longer line of text");
    struct Case {
        const char* name;
        std::string insert;
        long long from, to;
    };
    const Case cases[] = {
        {"one line", "xy", 2, 5},
        {"lines", "1\r\n2\n3", 2, 13},
        {"large", big, 4, 12},
    };
    const std::string original = "abcdef\r\nghijkl\r\nmnop";
    for (const Case& c : cases) {
        const std::string replaced = original.substr(0, static_cast<std::size_t>(c.from)) + c.insert +
                                     original.substr(static_cast<std::size_t>(c.to));
        for (int way = 0; way < 3; ++way) {
            bool done = false;
            for (long n = 0; n < 40 && !done; ++n) {
                Fixture f;
                f.ed.SetText(original);
                f.Select(c.from, c.to);
                f.clipboard.SetText(c.insert.data(), c.insert.size());
                editor::FailAllocationsAfter(n);
                if (way == 2) {
                    f.ed.Paste();
                } else {
                    f.ed.ReplaceSelection(c.insert, way == 0);
                }
                editor::FailAllocationsAfter(-1);
                const std::string text = f.Text();
                done = text == replaced;
                ASSERT_TRUE(done || text == original) << c.name << " way " << way << " n " << n;
                if (done && way != 1) {
                    EXPECT_EQ(f.ed.Undo(), 1);
                    EXPECT_EQ(f.Text(), original) << c.name;
                }
            }
            EXPECT_TRUE(done) << c.name << " way " << way;
        }
    }
}

// --- Clipboard and drops --------------------------------------------------------

TEST(EditorModelTest, CopyCutAndPasteGoThroughTheClipboard) {
    Fixture f;
    f.ed.SetText("abc def");
    EXPECT_EQ(f.ed.Copy(), 0);  // no selection
    f.Select(0, 4);
    EXPECT_EQ(f.ed.Cut(), 1);
    EXPECT_EQ(f.clipboard.text, "abc ");
    EXPECT_EQ(f.Text(), "def");
    f.clipboard.text = std::string("x\r\ny\0ignored", 12);
    EXPECT_EQ(f.ed.CanPaste(), 1);
    EXPECT_EQ(f.ed.Paste(), 1);
    EXPECT_EQ(f.Text(), "x\r\nydef");
    EXPECT_EQ(f.ed.Caret(), (TextPos{1, 1}));
    f.clipboard.fail = true;
    f.Select(0, 2);
    EXPECT_EQ(f.ed.Cut(), 0);  // the clipboard cannot be filled: nothing is deleted
    EXPECT_EQ(f.ed.Paste(), 0);
    EXPECT_EQ(f.Text(), "x\r\nydef");
    f.ed.Undo();
    f.ed.Undo();
    EXPECT_EQ(f.Text(), "abc def");
}

TEST(EditorModelTest, CopyDropInsertsAndSelectsTheText) {
    Fixture f;
    f.ed.SetText("ab\r\ncd");
    f.ed.CopyDrop(TextPos{1, 1}, "XY", 2);
    EXPECT_EQ(f.Text(), "ab\r\ncXYd");
    long long start, end;
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 7);
    f.ed.Undo();
    EXPECT_EQ(f.Text(), "ab\r\ncd");
}

// --- Settings and colours -----------------------------------------------------------

TEST(EditorModelTest, SettingsTakeTheirBoundsAndDefaults) {
    Fixture f;
    editor::EditorSettings s;
    s.tabSize = 0;
    s.hScrollStep = -2;
    s.vScrollStep = 0;
    s.wheelLines = 0;
    s.marginWidth = -5;
    s.lineSpacing = -1;
    s.lineNumDisp = 0;
    s.rulerDisp = 0;
    f.ed.SetSettings(&s, false);
    const editor::EditorSettings& got = f.ed.Settings();
    EXPECT_EQ(got.tabSize, 1);
    EXPECT_EQ(got.hScrollStep, 1);
    EXPECT_EQ(got.vScrollStep, 1);
    EXPECT_EQ(got.wheelLines, 1);
    EXPECT_EQ(got.marginWidth, 0);
    EXPECT_EQ(got.lineSpacing, 0);
    EXPECT_EQ(f.ed.Geometry().gutterWidth, 0);
    EXPECT_EQ(f.ed.Geometry().rulerHeight, 0);
    EXPECT_FALSE(f.host.HasKind("all"));  // no redraw asked
    f.ed.SetSettings(nullptr, true);
    EXPECT_TRUE(f.host.HasKind("all"));
    EXPECT_EQ(f.ed.Settings().tabSize, 4);
    EXPECT_EQ(f.ed.Geometry().gutterWidth, 44);  // (4 + 1.5) x 8
    EXPECT_EQ(f.ed.Geometry().rulerHeight, 12);
    editor::EditorSettings d;
    f.ed.GetSettings(&d, true);
    EXPECT_EQ(d.marginWidth, 10);

    editor::SystemColors sys;
    sys.windowText = 0x111111;
    f.ed.SetSystemColors(sys);
    f.ed.SetColors(nullptr, false);
    EXPECT_EQ(f.ed.Colors().text, 0x111111u);
    EXPECT_EQ(f.ed.Colors().tabMark, 0xFFC0C0u);
}

TEST(EditorModelTest, ScrollPositionIsClamped) {
    Fixture f;
    f.ed.SetText(Lines(100));
    f.ed.SetScrollPosition(5000, 5000);
    int column, line;
    f.ed.GetScrollPosition(&column, &line);
    EXPECT_EQ(column, editor::kMinScrollColumns - 80);
    EXPECT_EQ(line, 101 - 20);
    f.ed.SetScrollPosition(-4, -4);
    f.ed.GetScrollPosition(&column, &line);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(line, 0);
    f.ed.ScrollColumnTo(5000);
    EXPECT_EQ(f.ed.FirstColumn(), editor::kMinScrollColumns - 80 + 1);
    f.ed.GoToLine(60);
    EXPECT_EQ(f.ed.FirstLine(), 60 - 20 + 1);
}

// The horizontal range follows the longest line through edits, undo and the
// loss of that line.
TEST(EditorModelTest, TheHorizontalRangeFollowsTheLongestLine) {
    Fixture f;
    const std::string wide(10000, 'x');
    f.ed.SetText("a\r\n" + wide + "\r\nb");
    struct Step {
        const char* what;
        std::function<void()> act;
        int columns;
    } const steps[] = {
        {"set", [] {}, 10001},
        {"typed on the long line", [&] { f.ed.SetSelection(5, 1, 5, 1), f.Type("yy"); }, 10003},
        {"undone", [&] { f.ed.Undo(); }, 10002},  // one record per character
        {"line removed", [&] { f.ed.SetSelection(0, 1, 0, 2), f.ed.ReplaceSelection("", true); }, 2048},
        {"undone again", [&] { f.ed.Undo(); }, 10002},
        {"short text", [&] { f.ed.SetText("abc"); }, 2048},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(f.ed.ScrollColumns(), s.columns) << s.what;
        f.ed.SetScrollPosition(editor::kMaxColumn, 0);
        EXPECT_EQ(f.ed.FirstColumn(), s.columns - 80) << s.what;
    }
}

// --- What the window is asked to do -----------------------------------------------

TEST(EditorModelTest, EditsAskForRepaintsAndScrollsOfTheRowsBelow) {
    Fixture f;
    f.ed.SetText(Lines(10));
    f.ed.SetSelection(2, 3, 2, 3);
    f.host.Forget();
    f.Type("x");
    EXPECT_EQ(f.host.calls, (std::vector<Call>{{"lines", 3, 3}, {"bars"}}));
    ASSERT_EQ(f.host.carets.size(), 1u);
    EXPECT_EQ(f.host.carets[0].column, 3);
    EXPECT_EQ(f.host.carets[0].previousColumn, 2);
    EXPECT_EQ(f.host.changed, 1);

    f.host.Forget();
    f.ed.ReplaceSelection("1\r\n2\r\n", true);  // two lines added below line 3
    EXPECT_TRUE(f.host.Has({"rows", 4, 2}));
    EXPECT_TRUE(f.host.Has({"lines", 3, 5}));

    f.host.Forget();
    f.ed.SetSelection(0, 1, 0, 4);  // three lines removed
    f.ed.ReplaceSelection("", true);
    EXPECT_TRUE(f.host.Has({"rows", 2, -3}));
    EXPECT_TRUE(f.host.Has({"lines", 1, 1}));

    f.host.Forget();
    f.ed.SetSelection(0, 1, 0, 0);
    f.ed.ReplaceSelection(Lines(30), true);  // more than the window shows: everything
    EXPECT_TRUE(f.host.HasKind("all"));
    EXPECT_FALSE(f.host.HasKind("rows"));
}

TEST(EditorModelTest, TheViewFollowsTheCaret) {
    Fixture f;
    f.ed.SetText(std::string(300, 'a') + "\r\n" + Lines(50));
    f.ed.SetSelection(200, 0, 200, 0);
    EXPECT_EQ(f.ed.FirstColumn(), 200 - 80 + 1 + 16);  // right of the view: v / 5 beyond
    f.ed.SetSelection(100, 0, 100, 0);
    EXPECT_EQ(f.ed.FirstColumn(), 100 - 16);  // left of the view: v / 5 before
    f.ed.SetSelection(50, 0, 50, 0);
    f.host.Forget();
    f.ed.SetSelection(50, 0, 10, 0);
    f.ed.ReplaceSelection("", true);
    EXPECT_EQ(f.ed.FirstColumn(), 0);
    f.ed.SetScrollPosition(40, 0);
    f.ed.ReplaceSelection("b", true);  // inserted left of the view: the caret column becomes the first
    EXPECT_EQ(f.ed.FirstColumn(), 11);
    f.ed.SetSelection(0, 45, 0, 45);
    EXPECT_EQ(f.ed.FirstLine(), 45 - 20 + 1);
    EXPECT_TRUE(f.host.HasKind("view"));
}

TEST(EditorModelTest, GutterGrowsAtTenThousandLines) {
    Fixture f;
    f.ed.SetText(Lines(9998));  // 9999 lines
    EXPECT_EQ(f.ed.GutterDigits(), 4);
    f.host.Forget();
    f.ed.SetSelection(0, 0, 0, 0);
    f.ed.Enter();
    EXPECT_EQ(f.ed.GutterDigits(), 5);
    EXPECT_EQ(f.ed.Geometry().gutterWidth, 52);  // 6.5 character widths
    EXPECT_TRUE(f.host.HasKind("all"));
    f.ed.Undo();
    EXPECT_EQ(f.ed.GutterDigits(), 4);
}

// --- Line states --------------------------------------------------------------------

// Lines in a comment carry state 3 from "<!--" to "-->".
int CommentState(const char* line, int length, int previous) {
    const std::string s(line ? line : "", static_cast<std::size_t>(length));
    int state = previous == 3 ? 3 : 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (state == 0 && s.compare(i, 4, "<!--") == 0) state = 3;
        if (state == 3 && s.compare(i, 3, "-->") == 0) state = 0;
    }
    return state;
}

void ExpectStatesAsFromTheTop(EditorModel& ed) {
    int previous = -1;
    for (int k = 0; k < ed.LineCount(); ++k) {
        previous = CommentState(ed.Store().LineText(k), ed.LineLength(k), previous);
        ASSERT_EQ(ed.LineState(k), previous) << "line " << k;
    }
}

TEST(EditorModelTest, LineStatesAreRecomputedUntilALineEndsAsBefore) {
    Fixture f;
    f.ed.SetColorFunctions(nullptr, CommentState);
    f.ed.SetText("x\r\n<!--\r\ny\r\nz\r\n-->\r\nw\r\nv");
    ExpectStatesAsFromTheTop(f.ed);
    // Removing from the start of line 0 to the end of line 2 leaves a line
    // in state 0 again, like line 0 before; but line 3 followed a line in
    // state 3 and must be recomputed.
    f.ed.SetSelection(0, 0, 1, 2);
    f.host.Forget();
    f.ed.ReplaceSelection("", true);
    EXPECT_EQ(f.Text(), "\r\nz\r\n-->\r\nw\r\nv");
    ExpectStatesAsFromTheTop(f.ed);
    EXPECT_TRUE(f.host.Has({"lines", 0, editor::IEditorHost::kToBottom}));
    f.ed.Undo();
    ExpectStatesAsFromTheTop(f.ed);
    // An insertion whose first line keeps its state but whose later lines
    // open a comment.
    f.ed.SetSelection(0, 6, 0, 6);
    f.ed.ReplaceSelection("a\r\n<!--b\r\n", true);
    ExpectStatesAsFromTheTop(f.ed);
    EXPECT_EQ(f.ed.LineState(8), 3);
    // Typing that changes nothing below repaints the one line.
    f.ed.SetSelection(0, 1, 0, 1);
    f.host.Forget();
    f.Type("q");
    EXPECT_TRUE(f.host.Has({"lines", 1, 1}));
    ExpectStatesAsFromTheTop(f.ed);
}

// Line states are computed forward only as far as they are asked for: a
// state-changing edit at the top computes its own lines, whatever the length
// of the text below.
TEST(EditorModelTest, LineStatesAreComputedOnlyAsFarAsAsked) {
    static int calls;
    Fixture f;
    f.ed.SetColorFunctions(nullptr, [](const char* l, int n, int p) { return ++calls, CommentState(l, n, p); });
    std::string text;
    for (int k = 0; k < 5000; ++k) text += "line\r\n";
    f.ed.SetText(text + "-->\r\nend");
    calls = 0;
    EXPECT_EQ(f.ed.LineState(4000), 0);
    EXPECT_EQ(calls, 4001);
    struct Step {
        int line;
        const char* typed;
        int callsAtMost;  // line-state calls for the edit
        int validAfter;   // the high-water mark after it
    } const steps[] = {
        {0, "<!--", 5, 1},       // opens a comment: the lines below are to be computed again
        {3000, "x", 3001, 3001}, // reached through the lines above, then ends as before
        {10, "y", 1, 3001},      // ends as before: the mark stays
        {0, "--", 2, 3001},      // "--<!--" still opens it: the mark stays
    };
    for (const Step& s : steps) {
        f.ed.SetSelection(0, s.line, 0, s.line);
        calls = 0;
        f.Type(s.typed);
        EXPECT_LE(calls, s.callsAtMost) << s.typed;
        EXPECT_EQ(f.ed.StatesValid(), s.validAfter) << s.typed;
    }
    ExpectStatesAsFromTheTop(f.ed);
    EXPECT_EQ(f.ed.LineState(5000), 0);  // closed by "-->"
    EXPECT_EQ(f.ed.LineState(4999), 3);
}

TEST(EditorModelTest, ColorLineStoresTheStateForPainting) {
    Fixture f;
    f.ed.SetText("<!--\r\nx");
    f.ed.SetColorFunctions(
        [](const char* line, int length, int previous, editor::Color* colors) {
            for (int i = 0; i < length; ++i) colors[i] = 0xFF;
            return CommentState(line, length, previous);
        },
        nullptr);
    editor::Color colors[4] = {};
    EXPECT_EQ(f.ed.ColorLine(0, colors), 3);
    EXPECT_EQ(colors[3], 0xFFu);
    EXPECT_EQ(f.ed.ColorLine(1, colors), 3);
    f.ed.SetColorFunctions(nullptr, nullptr);  // the default colours nothing
    colors[0] = 7;
    EXPECT_EQ(f.ed.ColorLine(1, colors), 0);
    EXPECT_EQ(colors[0], 7u);
}

// --- Plug-in messages ----------------------------------------------------------------

std::intptr_t Send(EditorModel& ed, unsigned message, std::uintptr_t w, std::intptr_t l) {
    return editor::HandleEditorMessage(ed, message, w, l);
}
template <typename T>
std::intptr_t Address(T* p) {
    return reinterpret_cast<std::intptr_t>(p);
}

TEST(EditorModelTest, PluginMessagesReadAndReplaceTheSelection) {
    Fixture f;
    f.ed.SetText("abc \x82\xA0\x82\xA2 def");
    EXPECT_EQ(Send(f.ed, editor::kEditorGetSelLength, 0, 0), 0);
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Send(f.ed, editor::kEditorGetSelText, 0, Address(buffer)), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');

    Send(f.ed, editor::kEditorSetSel, 4, 8);
    EXPECT_EQ(Send(f.ed, editor::kEditorGetSelLength, 0, 0), 4);
    EXPECT_EQ(Send(f.ed, editor::kEditorGetSelText, 0, 0), 4);  // a null buffer: the length only
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Send(f.ed, editor::kEditorGetSelText, 4, Address(buffer)), 2);  // room for 3 bytes and the NUL
    EXPECT_STREQ(buffer, "\x82\xA0");
    EXPECT_EQ(buffer[4], '#');
    std::int32_t start = -1, end = -1;
    Send(f.ed, editor::kEditorGetSel, reinterpret_cast<std::uintptr_t>(&start), Address(&end));
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 8);
    Send(f.ed, editor::kEditorGetSel, 0, 0);  // null pointers are skipped

    EXPECT_EQ(Send(f.ed, editor::kEditorReplaceSel, 1, Address("<b>")), 0);
    EXPECT_EQ(f.Text(), "abc <b> def");
    EXPECT_EQ(f.ed.History().UndoCount(), 1u);
    Send(f.ed, editor::kEditorReplaceSel, 1, 0);  // no text: nothing happens
    EXPECT_EQ(f.Text(), "abc <b> def");
    f.ed.SetReadOnly(true);
    EXPECT_EQ(Send(f.ed, editor::kEditorReplaceSel, 1, Address("x")), 0);
    EXPECT_EQ(f.Text(), "abc <b> def");

    EXPECT_EQ(Send(f.ed, editor::kEditorGetTextLength, 0, 0), 11);
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Send(f.ed, editor::kEditorGetText, 0, Address(buffer)), 11);
    EXPECT_STREQ(buffer, "abc <b> def");
    EXPECT_EQ(Send(f.ed, editor::kEditorGetText, 4, Address(buffer)), 3);
    EXPECT_STREQ(buffer, "abc");
    Send(f.ed, editor::kEditorSetSel, 0, static_cast<std::intptr_t>(-1));
    Send(f.ed, editor::kEditorGetSel, reinterpret_cast<std::uintptr_t>(&start), Address(&end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 11);
    EXPECT_EQ(Send(f.ed, 0x0413, 0, 0), 0);
}

}  // namespace
