// Undo, redo, groups and the modified flag.
#include <gtest/gtest.h>

#include "editor/core/EditorMemory.h"
#include "native/editor/EditorTestSupport.h"

namespace {

using editortest::Fixture;

TEST(UndoTest, EveryTypedCharacterIsOneStep) {
    Fixture f;
    f.Type("ab");
    f.Type("表");
    EXPECT_EQ(f.ed.History().UndoCount(), 3u);
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "ab");  // both bytes of the double-byte character
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "");
    EXPECT_EQ(f.ed.Undo(), 0);
    EXPECT_EQ(f.ed.Redo(), 1);
    EXPECT_EQ(f.Text(), "a");
    f.Type("x");  // a new change empties the redo stack
    EXPECT_FALSE(f.ed.CanRedo());
    EXPECT_EQ(f.ed.Redo(), 0);
    EXPECT_EQ(f.Text(), "ax");
}

TEST(UndoTest, UndoPutsTheCaretWhereTheSelectionWas) {
    Fixture f;
    f.ed.SetText("one two three");
    f.Select(4, 7);  // forwards
    f.ed.ReplaceSelection("2", true);
    f.ed.Undo();
    long long start, end;
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(f.Text(), "one two three");
    EXPECT_EQ(start, 7);  // re-inserted text selected forwards: caret after it
    f.Select(7, 4);       // backwards
    f.ed.ReplaceSelection("2", true);
    f.ed.Undo();
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 4);
}

TEST(UndoTest, AMoveDropUndoesAndRedoesAsOneStep) {
    Fixture f;
    f.ed.SetText("abc def ghi");
    f.Select(0, 4);  // "abc "
    const editor::TextStore& s = f.ed.Store();
    f.ed.MoveDrop(s.ToTextPos(s.PositionOf(8)));  // before "ghi"
    EXPECT_EQ(f.Text(), "def abc ghi");
    long long start, end;
    f.ed.GetSelectionOffsets(&start, &end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 8);
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "abc def ghi");
    EXPECT_FALSE(f.ed.CanUndo());
    EXPECT_EQ(f.ed.Redo(), 1);
    EXPECT_EQ(f.Text(), "def abc ghi");
    EXPECT_FALSE(f.ed.CanRedo());
    // A drop on the selection it came from changes nothing.
    f.Select(0, 3);
    f.ed.MoveDrop(s.ToTextPos(s.PositionOf(2)));
    EXPECT_EQ(f.Text(), "def abc ghi");
    EXPECT_EQ(f.ed.History().UndoCount(), 2u);
}

TEST(UndoTest, AMoveDropWhoseInsertionFailsIsNotJoinedToTheNextEdit) {
    // Memory runs out at every point of the move in turn: the text is either
    // unchanged, moved, or (insertion failed) without the moved text, and in
    // that last case the removal is a step of its own.
    bool removedOnly = false;
    for (long n = 0; n < 16; ++n) {
        Fixture f;
        f.ed.SetText("abc def ghi");
        f.Select(0, 4);
        const editor::TextStore& s = f.ed.Store();
        const editor::TextPos drop = s.ToTextPos(s.PositionOf(8));
        editor::FailAllocationsAfter(n);
        f.ed.MoveDrop(drop);
        editor::FailAllocationsAfter(-1);
        const std::string text = f.Text();
        if (text == "def ghi") {
            removedOnly = true;
            f.Type("x");
            EXPECT_EQ(f.ed.Undo(), 1);
            EXPECT_EQ(f.Text(), "def ghi") << n;
            EXPECT_EQ(f.ed.Undo(), 1);
            EXPECT_EQ(f.Text(), "abc def ghi") << n;
        } else {
            EXPECT_TRUE(text == "abc def ghi" || text == "def abc ghi") << n << ": " << text;
        }
    }
    EXPECT_TRUE(removedOnly);
}

TEST(UndoTest, UndoingToTheSavePointMakesTheDocumentUnmodified) {
    Fixture f;
    f.ed.SetText("text");
    EXPECT_FALSE(f.ed.IsModified());
    f.ed.SetModified(false);
    f.Type("x");
    EXPECT_TRUE(f.ed.IsModified());
    f.ed.Undo();
    EXPECT_FALSE(f.ed.IsModified());
    f.ed.Redo();
    EXPECT_TRUE(f.ed.IsModified());
    f.ed.SetModified(false);  // saved after the redo
    f.ed.Undo();
    EXPECT_TRUE(f.ed.IsModified());
    f.ed.Redo();
    EXPECT_FALSE(f.ed.IsModified());
}

TEST(UndoTest, TheSavePointIsGoneOnceItsRedoRecordsAreDiscarded) {
    Fixture f;
    f.Type("ab");
    f.ed.SetModified(false);  // saved "ab"
    f.ed.Undo();              // "a"
    f.Type("c");              // "ac": the records back to "ab" are gone
    EXPECT_EQ(f.Text(), "ac");
    EXPECT_TRUE(f.ed.IsModified());
    f.ed.Undo();  // "a"
    f.ed.Undo();  // ""
    EXPECT_TRUE(f.ed.IsModified());
    f.ed.Redo();
    f.ed.Redo();
    EXPECT_TRUE(f.ed.IsModified());
    // Marking the document modified by hand also leaves the save point.
    f.ed.SetModified(false);
    f.ed.SetModified(true);
    EXPECT_TRUE(f.ed.IsModified());
}

TEST(UndoTest, AChangeWithoutUndoDropsTheRecordsItInvalidates) {
    Fixture f;
    f.Type("abcdef");
    f.Select(0, -1);
    f.ed.ReplaceSelection("X", false);
    EXPECT_EQ(f.Text(), "X");
    EXPECT_FALSE(f.ed.CanUndo());
    EXPECT_EQ(f.ed.Undo(), 0);  // replaying the typed records would corrupt "X"
    EXPECT_EQ(f.Text(), "X");
    EXPECT_TRUE(f.ed.IsModified());
    f.Type("y");
    f.ed.Undo();
    EXPECT_EQ(f.Text(), "X");
    EXPECT_TRUE(f.ed.IsModified());  // "X" was never saved
}

TEST(UndoTest, UndoRestoresTheBytesWhateverTheTabSize) {
    Fixture f;
    f.ed.SetText("\t\tx\ty\r\nz");
    f.Select(2, 3);
    f.ed.ReplaceSelection("", true);  // deletes x at column 8 (tab size 4)
    f.Select(3, 4);
    f.ed.ReplaceSelection("QQ", true);
    editor::EditorSettings s = f.ed.Settings();
    s.tabSize = 8;
    f.ed.SetSettings(&s, false);
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "\t\tx\ty\r\nz");
    s.tabSize = 3;
    f.ed.SetSettings(&s, false);
    f.ed.Redo();
    f.ed.Redo();
    EXPECT_EQ(f.Text(), "\t\t\tQQ\r\nz");
}

TEST(UndoTest, ARecordThatJoinedALeadByteUndoesItsOwnBytes) {
    // Text that ends in a lead byte joins the byte after it into one
    // character; undo still removes exactly the inserted bytes.
    Fixture f;
    f.ed.SetText("ab");
    f.Select(1, 1);
    f.ed.ReplaceSelection("\x82", true);  // 82 62 is now one character
    EXPECT_EQ(f.Text(), "a\x82" "b");
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "ab");
    EXPECT_EQ(f.ed.Redo(), 1);
    EXPECT_EQ(f.Text(), "a\x82" "b");
}

TEST(UndoTest, AnUndoThatRunsOutOfMemoryChangesNothing) {
    Fixture f;
    f.ed.SetText("abc\r\ndef");
    f.Select(1, 6);
    f.ed.ReplaceSelection("", true);
    f.host.Forget();
    editor::FailAllocationsAfter(0);
    EXPECT_EQ(f.ed.Undo(), 0);
    editor::FailAllocationsAfter(-1);
    EXPECT_EQ(f.Text(), "aef");
    EXPECT_EQ(f.host.changed, 0);
    EXPECT_EQ(f.ed.Undo(), 1);
    EXPECT_EQ(f.Text(), "abc\r\ndef");
}

TEST(UndoTest, SetTextEmptiesTheHistory) {
    Fixture f;
    f.Type("abc");
    f.ed.Undo();
    f.ed.SetText("new");
    EXPECT_FALSE(f.ed.CanUndo());
    EXPECT_FALSE(f.ed.CanRedo());
    EXPECT_FALSE(f.ed.IsModified());
    EXPECT_EQ(f.ed.History().EditCounter(), 0);
}

}  // namespace
