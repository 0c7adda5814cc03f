// The main frame binds every command that can run to its handler: the menu
// bar's items, the keys-only commands and the tool bar's buttons reach them
// and show enabled; the commands still to come stay in the menus, greyed.
#include <gtest/gtest.h>


#include <cstring>
#include <set>

#include "config/core/MenuCommandTable.h"
#include "resources/resource.h"
#include "shell/core/ToolBarLayout.h"
#include "shell/win/MainFrame.h"
#include "win32/support/OtherThread.h"
#include "win32/support/TestHostWindow.h"

namespace {

// Commands whose subsystems are still to come: present, greyed.
const std::set<unsigned> kNotYetBound = {};

class MainFrameCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                                    ICC_USEREX_CLASSES | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(CMainFrame::RegisterFrameClass(::GetModuleHandleA(nullptr)));
        ASSERT_TRUE(frame.Create());
    }
    void TearDown() override {
        if (frame.m_hWnd) frame.DestroyWindow();
    }
    // Whether a handler answered for the command's state (bound through
    // the command manager or the frame's message map).
    bool Handled(unsigned id) {
        CCmdUI ui;
        frame.UpdateCommandState(id, &ui);
        return ui.m_bHandled;
    }
    bool Enabled(unsigned id) {
        CCmdUI ui;
        frame.UpdateCommandState(id, &ui);
        return ui.m_bEnabled;
    }
    CMainFrame frame;
};

TEST_F(MainFrameCommandsTest, EveryCommandThatCanRunIsBoundAndTheRestAreGreyed) {
    for (std::size_t i = 0; i < commands::CommandCount(); ++i) {
        const unsigned id = commands::CommandAt(i);
        if (id == 0) continue;  // the bookmark submenus
        SCOPED_TRACE(id);
        if (kNotYetBound.count(id)) {
            EXPECT_FALSE(Handled(id));
            EXPECT_FALSE(Enabled(id));
        } else {
            EXPECT_TRUE(Handled(id));
        }
    }
    // Every tool bar button's command is bound or greyed the same way.
    for (std::size_t i = 0; i < shell::kToolButtonCount; ++i) {
        const unsigned id = shell::ToolButtonAt(i).command;
        EXPECT_EQ(Handled(id), kNotYetBound.count(id) == 0) << id;
    }
    // On the first, empty document: what it cannot do yet is greyed.
    for (unsigned id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DELETE})
        EXPECT_FALSE(Enabled(id)) << id;
    for (unsigned id : {ID_FILE_NEW, ID_FILE_SAVE, ID_EDIT_SELECT_ALL, ID_CODE_CYCLE, ID_RETURN_LF,
                        ID_VIEW_FOLDER_TREE, ID_VIEW_STATUS_BAR, ID_HELP_TOPICS, ID_APP_ABOUT_CMD, ID_APP_EXIT_CMD})
        EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(MainFrameCommandsTest, SearchCommandsFollowTheSelectedTab) {
    CCanvasEdit* editor = frame.Documents().GetEditor(-1);
    ASSERT_NE(editor, nullptr);
    const unsigned dialogs[] = {ID_EDIT_FIND, ID_EDIT_FIND_NEXT, ID_EDIT_REPLACE, ID_EDIT_GOTO_LINE,
                                ID_EDIT_INSERT_STRING};
    const unsigned conversions[] = {ID_EDIT_UPPER, ID_EDIT_LOWER, ID_EDIT_TAB_TO_SPACE, ID_EDIT_KANA_TO_ZENKAKU};
    editor->Model().SetText("abc");
    for (unsigned id : conversions) EXPECT_FALSE(Enabled(id)) << id;  // no selection
    editor->Model().SetSelection(0, 0, 2, 0);
    for (unsigned id : conversions) EXPECT_TRUE(Enabled(id)) << id;
    for (unsigned id : dialogs) EXPECT_TRUE(Enabled(id)) << id;
    editor->Model().SetReadOnly(true);
    for (unsigned id : conversions) EXPECT_FALSE(Enabled(id)) << id;
    ::SendMessageA(frame.m_hWnd, WM_COMMAND, ID_EDIT_UPPER, 0);  // a key on a greyed command does nothing
    std::string text;
    editor->Model().GetText(text);
    EXPECT_EQ("abc", text);
    editor->Model().SetReadOnly(false);
    frame.Documents().SetPreviewShown(-1, 1);
    for (unsigned id : dialogs) EXPECT_FALSE(Enabled(id)) << id;
    for (unsigned id : conversions) EXPECT_FALSE(Enabled(id)) << id;
    frame.Documents().SetPreviewShown(-1, 0);
    ::SendMessageA(frame.m_hWnd, WM_COMMAND, ID_EDIT_UPPER, 0);
    editor->Model().GetText(text);
    EXPECT_EQ("ABc", text);
}

TEST_F(MainFrameCommandsTest, TheCaretPaneShowsItsWholeText) {
    CCanvasEdit* editor = frame.Documents().GetEditor(-1);
    ASSERT_NE(editor, nullptr);
    editor->Model().SetText(std::string(40, '\n') + "abcdefghij");
    editor->Model().SetSelection(7, 40, 7, 40);  // the caret notification
    HWND bar = frame.StatusBar().m_hWnd;
    char text[64] = {};
    ::SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, " 41行、8列 ");
    RECT pane = {};
    ASSERT_TRUE(::SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&pane)));
    HDC dc = ::GetDC(bar);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(bar, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(bar, dc);
    EXPECT_GE(pane.right - pane.left, size.cx);
}

TEST_F(MainFrameCommandsTest, TheCaretPaneFollowsOnlyTheShownEditor) {
    CCanvasEdit* editor = frame.Documents().GetEditor(-1);
    ASSERT_NE(editor, nullptr);
    editor->Model().SetText(std::string(4, '\n') + "abc");
    editor->Model().SetSelection(2, 4, 2, 4);
    HWND bar = frame.StatusBar().m_hWnd;
    auto pane = [bar] {
        char text[64] = {};
        ::SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    ASSERT_EQ(pane(), " 5行、3列 ");
    // The notice from another program (a bad address), from this thread but
    // not from an editor, and one from an editor that is not shown.
    const std::int32_t values[4] = {98, 98, 0, 0};
    testsupport::SendFromOtherThread(frame.m_hWnd, WM_COMMAND, MAKEWPARAM(0, 0x464), 0x10);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(0, 0x464), reinterpret_cast<LPARAM>(values));
    CTestHostWindow host;
    ASSERT_TRUE(host.Create("PqCaretPaneTestHost"));
    CCanvasEdit other;
    ASSERT_TRUE(other.Create(host.m_hWnd));
    ::SetParent(other.m_hWnd, frame.m_hWnd);
    other.Model().SetText(std::string(9, '\n'));
    other.Model().SetSelection(0, 9, 0, 9);
    EXPECT_EQ(pane(), " 5行、3列 ");
    other.DestroyWindow();
    // The shown editor's own notice reads its caret.
    editor->Model().SetSelection(0, 1, 0, 1);
    EXPECT_EQ(pane(), " 2行、1列 ");
}

}  // namespace
