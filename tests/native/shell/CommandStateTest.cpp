// When commands of the selected tab are enabled: the undo, redo, selection,
// paste and browser rules, and the commands that only previewing greys.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "shell/core/CommandState.h"

namespace {

using shell::DocCommandState;
using shell::IsCommandEnabled;

DocCommandState Editing() {
    DocCommandState s;
    s.hasEditor = true;
    return s;
}

TEST(CommandStateTest, UndoAndRedoNeedAnEditorItsListsAndNoPreview) {
    DocCommandState s = Editing();
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_UNDO, s));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_REDO, s));
    s.canUndo = true;
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_UNDO, s));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_REDO, s));
    s.canRedo = true;
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_REDO, s));
    // Undo does not ask for a writable document.
    s.readOnly = true;
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_UNDO, s));
    s.previewing = true;
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_UNDO, s));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_REDO, s));
    s = DocCommandState();
    s.canUndo = s.canRedo = true;  // no editor at all
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_UNDO, s));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_REDO, s));
}

TEST(CommandStateTest, SelectionCommandsNeedAWritableSelection) {
    const unsigned ids[] = {ID_EDIT_CUT,   ID_EDIT_COPY,         ID_EDIT_DELETE,         ID_EDIT_UPPER,
                            ID_EDIT_LOWER, ID_EDIT_TAB_TO_SPACE, ID_EDIT_KANA_TO_ZENKAKU};
    for (unsigned id : ids) {
        SCOPED_TRACE(id);
        DocCommandState s = Editing();
        EXPECT_FALSE(IsCommandEnabled(id, s));
        s.hasSelection = true;
        EXPECT_TRUE(IsCommandEnabled(id, s));
        s.readOnly = true;
        EXPECT_FALSE(IsCommandEnabled(id, s));
        s.readOnly = false;
        s.previewing = true;
        EXPECT_FALSE(IsCommandEnabled(id, s));
        s.previewing = false;
        s.hasEditor = false;
        EXPECT_FALSE(IsCommandEnabled(id, s));
    }
}

TEST(CommandStateTest, PasteNeedsClipboardTextAndAWritableEditor) {
    DocCommandState s = Editing();
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_PASTE, s));
    s.clipboardText = true;
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_PASTE, s));
    s.hasSelection = false;  // no selection needed
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_PASTE, s));
    s.readOnly = true;
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_PASTE, s));
    s.readOnly = false;
    s.previewing = true;
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_PASTE, s));
}

TEST(CommandStateTest, BrowserCommandsOnlyWhilePreviewingOthersOnlyWhileNot) {
    DocCommandState s = Editing();
    for (unsigned id : {ID_BROWSER_RELOAD, ID_BROWSER_BACK, ID_BROWSER_FORWARD, ID_BROWSER_REFRESH})
        EXPECT_FALSE(IsCommandEnabled(id, s)) << id;
    const unsigned notPreviewing[] = {ID_EDIT_INPUT_ASSIST, ID_EDIT_ATTR_ASSIST, ID_EDIT_VALUE_ASSIST,
                                      ID_EDIT_FIND_NEXT,    ID_EDIT_SELECT_ALL,  ID_EDIT_FIND,
                                      ID_EDIT_REPLACE,      ID_TOOL_OTHER_BROWSER, ID_TOOL_IE,
                                      ID_TOOL_NETSCAPE,     ID_EDIT_INSERT_STRING, ID_EDIT_GOTO_LINE,
                                      10000u,               19999u};
    for (unsigned id : notPreviewing) EXPECT_TRUE(IsCommandEnabled(id, s)) << id;
    s.previewing = true;
    for (unsigned id : {ID_BROWSER_RELOAD, ID_BROWSER_BACK, ID_BROWSER_FORWARD, ID_BROWSER_REFRESH})
        EXPECT_TRUE(IsCommandEnabled(id, s)) << id;
    for (unsigned id : notPreviewing) EXPECT_FALSE(IsCommandEnabled(id, s)) << id;
    // Select all needs no editor state beyond not previewing.
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_SELECT_ALL, DocCommandState()));
}

TEST(CommandStateTest, FileViewAndSaveCodeCommandsAreAlwaysEnabled) {
    DocCommandState previewing;
    previewing.previewing = true;
    for (const DocCommandState& s : {DocCommandState(), previewing}) {
        for (unsigned id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_ALL,
                            ID_VIEW_STATUS_BAR, ID_VIEW_FOLDER_TREE, ID_CODE_EUC, ID_CODE_CYCLE, ID_RETURN_LF,
                            ID_RETURN_CYCLE, ID_TOOL_INNER_BROWSER, ID_BROWSER_LOCALSERVER, 25000})
            EXPECT_TRUE(IsCommandEnabled(id, s)) << id;
    }
}

}  // namespace
