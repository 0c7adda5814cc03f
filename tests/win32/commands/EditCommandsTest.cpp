// The commands bound to the document window: the Edit commands on a
// document with their enabling (undo, redo, selection, read-only, clipboard,
// an edit field with the focus), the save code and line-end items with
// their check marks, cycling and a save that follows them, and the pane
// toggles.
#include <gtest/gtest.h>

#include <string>

#include "config/core/MenuCommandTable.h"
#include "config/win/CommandManager.h"
#include "documents/win/DocTabWnd.h"
#include "e2e/E2E.h"
#include "editor/win/CanvasEdit.h"
#include "framework/win/FrameWnd.h"
#include "resources/resource.h"
#include "shell/win/EditCommands.h"
#include "shell/win/SplitPanes.h"
#include "win32/support/TestHostWindow.h"

namespace {

struct NoHost : IDocTabHost {
    void DocumentShown(const std::string&, const std::string&, int, int) override {}
    void TitleChanged(const std::string&) override {}
};

void EmptyClipboard() {
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

std::string ClipboardText() {
    std::string out;
    if (!::OpenClipboard(nullptr)) return "<cannot open>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(h))) {
            out = p;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return out;
}

class EditCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = e2e::WorkDir() + "\\editcmds";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(host.Create("PqEditCommandsTestHost"));
        ASSERT_TRUE(docs.CreateDocWindow(host.m_hWnd, &noHost));
        docs.MoveWindow(0, 0, 600, 380);
        BindEditCommands(commands, docs);
        BindSaveCodeCommands(commands, docs);
        EmptyClipboard();
    }
    void TearDown() override {
        if (docs.m_hWnd) docs.DestroyWindow();
        if (host.m_hWnd) host.DestroyWindow();
    }
    bool Enabled(UINT id) {
        CCmdUI ui;
        ui.m_bEnabled = false;
        EXPECT_TRUE(commands.RouteCommandState(id, &ui)) << id;
        return ui.m_bEnabled;
    }
    bool Checked(UINT id) {
        CCmdUI ui;
        EXPECT_TRUE(commands.RouteCommandState(id, &ui)) << id;
        return ui.m_bChecked;
    }
    void Run(UINT id) { EXPECT_TRUE(commands.RouteCommand(id, 0)) << id; }
    editor::EditorModel& Model() { return docs.GetEditor(-1)->Model(); }
    std::string Text() {
        std::string s;
        Model().GetText(s);
        return s;
    }

    std::string folder;
    CTestHostWindow host;
    CDocTabWnd docs;
    NoHost noHost;
    CommandManager commands;
};

TEST_F(EditCommandsTest, EditCommandsWorkOnTheSelectedDocumentAndFollowItsState) {
    // A new, empty document: only select all is enabled.
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));

    Model().ReplaceSelection(std::string("表示abc"), true);
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), "");
    EXPECT_TRUE(Enabled(ID_EDIT_REDO));
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Text(), "表示abc");

    Run(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(Model().HasSelection());
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DELETE}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    Run(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "表示abc");
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    Run(ID_EDIT_DELETE);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    Run(ID_EDIT_PASTE);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "表示abc表示abc");
    Run(ID_EDIT_SELECT_ALL);
    Run(ID_EDIT_CUT);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(ClipboardText(), "表示abc表示abc");
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), "表示abc表示abc");
}

TEST_F(EditCommandsTest, AReadOnlyDocumentGreysChangesAndItsKeysChangeNothing) {
    Model().ReplaceSelection(std::string("abc"), true);
    Run(ID_EDIT_SELECT_ALL);
    Run(ID_EDIT_COPY);
    Model().SetReadOnly(true);
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
    // A key still reaches the handler: it does nothing.
    Run(ID_EDIT_CUT);
    Run(ID_EDIT_DELETE);
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(ClipboardText(), "abc");
}

TEST_F(EditCommandsTest, AnEditFieldWithTheFocusTakesTheEditCommands) {
    HWND field = ::CreateWindowExA(0, "EDIT", "C:\\サイト\\index.html", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0,
                                   390, 300, 20, host.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(field, nullptr);
    Model().ReplaceSelection(std::string("editor"), true);
    ::SetFocus(field);
    ASSERT_EQ(::GetFocus(), field);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    Run(ID_EDIT_SELECT_ALL);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "C:\\サイト\\index.html");
    Run(ID_EDIT_DELETE);
    EXPECT_EQ(::GetWindowTextLengthA(field), 0);
    Run(ID_EDIT_PASTE);
    char buf[64] = {};
    ::GetWindowTextA(field, buf, sizeof buf);
    EXPECT_STREQ(buf, "C:\\サイト\\index.html");
    // The document was not touched.
    EXPECT_EQ(Text(), "editor");
    EXPECT_FALSE(Model().HasSelection());
    ::DestroyWindow(field);
    // An edit field of another window is not the frame's: the document acts.
    HWND other = ::CreateWindowExA(0, "EDIT", "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 60, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetFocus(other);
    Run(ID_EDIT_SELECT_ALL);
    Run(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "editor");
    ::DestroyWindow(other);
}

TEST_F(EditCommandsTest, SaveCodeItemsCarryTheCheckMarkCycleAndDriveTheSave) {
    // As loaded by default.
    EXPECT_TRUE(Checked(ID_CODE_AS_LOADED));
    EXPECT_TRUE(Checked(ID_RETURN_AS_LOADED));
    for (UINT id : {ID_CODE_SJIS, ID_CODE_JIS, ID_CODE_EUC, ID_CODE_UTF8, ID_RETURN_CRLF, ID_RETURN_CR, ID_RETURN_LF})
        EXPECT_FALSE(Checked(id)) << id;
    // The menu items themselves get the marks.
    ASSERT_TRUE(commands.BuildMenus());
    HMENU code = commands.FindSubmenu(0, "保存時の文字コード(&H)");
    ASSERT_NE(code, nullptr);
    Run(ID_CODE_EUC);
    for (int i = 0; i < ::GetMenuItemCount(code); ++i) {
        CMenuCmdUI ui(code, static_cast<UINT>(i));
        commands.RouteCommandState(::GetMenuItemID(code, i), &ui);
        const bool checked = (::GetMenuState(code, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
        EXPECT_EQ(checked, ::GetMenuItemID(code, i) == ID_CODE_EUC) << i;
    }
    // Cycling: EUC, as loaded, UTF-8, SHIFT JIS, JIS, EUC.
    const UINT codeOrder[] = {ID_CODE_AS_LOADED, ID_CODE_UTF8, ID_CODE_SJIS, ID_CODE_JIS, ID_CODE_EUC};
    for (UINT expected : codeOrder) {
        Run(ID_CODE_CYCLE);
        EXPECT_TRUE(Checked(expected)) << expected;
    }
    const UINT returnOrder[] = {ID_RETURN_CRLF, ID_RETURN_CR, ID_RETURN_LF, ID_RETURN_AS_LOADED};
    for (UINT expected : returnOrder) {
        Run(ID_RETURN_CYCLE);
        EXPECT_TRUE(Checked(expected)) << expected;
    }
    EXPECT_TRUE(Enabled(ID_CODE_CYCLE));
    EXPECT_TRUE(Enabled(ID_RETURN_CYCLE));

    // A SHIFT JIS file with CRLF saved with EUC and LF.
    const std::string path = folder + "\\euc-lf.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "\x95\x5C\x8E\xA6\r\nabc\r\n"));
    ASSERT_EQ(docs.OpenDocFile(path, false, false), 1);
    Run(ID_CODE_EUC);
    Run(ID_RETURN_LF);
    Model().ReplaceSelection(std::string("x"), true);
    docs.OnFileSave();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "x\xC9\xBD\xBC\xA8\nabc\n");
    EXPECT_EQ(docs.GetLoadCode(-1), 2);
    // Back to "as loaded": the document now keeps EUC, and its LF.
    Run(ID_CODE_AS_LOADED);
    Run(ID_RETURN_AS_LOADED);
    Model().ReplaceSelection(std::string("y"), true);
    docs.OnFileSave();
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "xy\xC9\xBD\xBC\xA8\nabc\n");
}

TEST_F(EditCommandsTest, PaneCommandsToggleThePanesAndShowTheirState) {
    CSplitPanes panes;
    ASSERT_TRUE(panes.Create(host.m_hWnd));
    CWnd folderPane, tagPane;
    for (CWnd* pane : {&folderPane, &tagPane})
        ASSERT_TRUE(pane->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, host.m_hWnd, 0));
    panes.SetPaneWindow(split::kPaneFolderTree, folderPane.m_hWnd);
    panes.SetPaneWindow(split::kPaneRegistTag, tagPane.m_hWnd);
    panes.SetPaneWindow(split::kPaneEditor, docs.m_hWnd);
    panes.ApplyPattern(split::DefaultLayout(), 600, 400);
    BindPaneCommands(commands, panes);
    for (UINT id : {ID_VIEW_FOLDER_TREE, ID_VIEW_REGIST_TAG}) {
        SCOPED_TRACE(id);
        HWND pane = id == ID_VIEW_FOLDER_TREE ? folderPane.m_hWnd : tagPane.m_hWnd;
        const bool before = panes.IsPaneShown(pane);
        EXPECT_EQ(Checked(id), before);
        Run(id);
        EXPECT_EQ(panes.IsPaneShown(pane), !before);
        EXPECT_EQ(Checked(id), !before);
        Run(id);
        EXPECT_EQ(panes.IsPaneShown(pane), before);
    }
    panes.Destroy();
}

}  // namespace
