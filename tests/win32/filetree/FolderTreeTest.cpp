// The folder tree on a test folder of known files, under the real shell
// namespace.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>
#include <ole2.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "config/core/SettingsStore.h"
#include "editor/core/EditorModel.h"
#include "filetree/win/FolderTreeCtrl.h"
#include "framework/core/PathUtil.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"
#include "win32/support/TestHostWindow.h"

namespace {

std::string TestFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return pathutil::Join(temp, "pq_foldertree\\");
}

void WriteFile(const std::string& path, const std::string& bytes, DWORD attrs = FILE_ATTRIBUTE_NORMAL) {
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attrs, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
}

struct FakeHost : filetree::IFolderTreeHost {
    std::vector<std::pair<std::string, bool>> opened;
    editor::EditorModel model;
    bool hasEditor = true;
    std::string documentPath;
    bool previews = false;
    HWND editorWindow = nullptr;
    std::string prompt;

    bool OpenFile(const std::string& path, bool readOnly) override {
        opened.emplace_back(path, readOnly);
        return true;
    }
    bool ReadTextFile(const std::string& path, std::string* text) override {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        char buf[4096];
        DWORD got = 0;
        ::ReadFile(h, buf, sizeof buf, &got, nullptr);
        ::CloseHandle(h);
        text->assign(buf, got);
        return true;
    }
    editor::IEditorOps* ActiveEditor() override { return hasEditor ? &model : nullptr; }
    HWND ActiveEditorWindow() override { return editorWindow; }
    std::string ActiveDocumentPath() override { return documentPath; }
    bool ActiveTabPreviews() override { return previews; }
    void FocusActiveView() override {}
    void ShowPrompt(const std::string& text) override { prompt = text; }
};

class FolderTreeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::OleInitialize(nullptr);
        const std::string dir = TestFolder();
        ::CreateDirectoryA(dir.c_str(), nullptr);
        ::CreateDirectoryA((dir + "ソフト").c_str(), nullptr);
        ::CreateDirectoryA((dir + "ソフト\\表").c_str(), nullptr);
        WriteFile(dir + "a.html", "<p>a</p>");
        WriteFile(dir + "B.HTM", "b");
        WriteFile(dir + "c.exe", "MZ");
        WriteFile(dir + "noext", "n");
        WriteFile(dir + "d.pql", "C:\\a.html\r\n");
        WriteFile(dir + "hidden.html", "h", FILE_ATTRIBUTE_HIDDEN);
        WriteFile(dir + "ソフト\\表\\t.txt", "x");
    }

    void SetUp() override {
        settings::SetCurrent(&store);
        ASSERT_TRUE(host.Create("PqFolderTreeTestHost", 400, 600));
        ASSERT_TRUE(tree.CreatePane(host.m_hWnd, &fake));
        tree.MoveWindow(0, 0, 400, 600);
    }
    void TearDown() override {
        tree.DestroyWindow();
        host.DestroyWindow();
        settings::SetCurrent(nullptr);
        ::DeleteFileA((TestFolder() + "added.html").c_str());
    }

    // The test folder's item, expanded.
    HTREEITEM Folder(const std::string& sub = std::string()) {
        HTREEITEM item = tree.GoToFolder(TestFolder() + sub);
        EXPECT_NE(item, nullptr);
        if (item) {
            EXPECT_TRUE(pathutil::EqualNoCase(pathutil::WithTrailingSeparator(tree.ItemPath(item)), TestFolder() + sub));
        }
        return item;
    }
    std::set<std::string> Names(HTREEITEM item) {
        std::set<std::string> names;
        for (HTREEITEM c = TreeView_GetChild(tree.Tree(), item); c; c = TreeView_GetNextSibling(tree.Tree(), c))
            names.insert(pathutil::FileNameOf(tree.ItemPath(c)));
        return names;
    }
    HTREEITEM Child(HTREEITEM item, const std::string& name) {
        for (HTREEITEM c = TreeView_GetChild(tree.Tree(), item); c; c = TreeView_GetNextSibling(tree.Tree(), c))
            if (pathutil::FileNameOf(tree.ItemPath(c)) == name) return c;
        return nullptr;
    }
    void Collapse(HTREEITEM item) { tree.Collapse(item); }
    void Expand(HTREEITEM item) { TreeView_Expand(tree.Tree(), item, TVE_EXPAND); }
    void Apply(int extPoint, const std::string& kinds, int ghost) {
        filetree::FolderTreeSettings s;
        s.extPoint = extPoint;
        s.extKinds = kinds;
        s.ghostDisp = ghost;
        tree.ApplySettings(s, true);
    }

    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    CTestHostWindow host;
    FakeHost fake;
    filetree::CFolderTreeCtrl tree;
};

TEST_F(FolderTreeTest, FiltersAndHiddenItems) {
    EXPECT_EQ(::GetDlgCtrlID(tree.Tree()), 4001);
    const struct {
        int extPoint;
        const char* kinds;
        int ghost;
        std::set<std::string> names;
    } cases[] = {
        {0, "exe", 0, {"a.html", "B.HTM", "d.pql", "hidden.html", "ソフト"}},
        {1, "exe", 0, {"c.exe", "ソフト"}},
        {1, "*", 0, {"a.html", "B.HTM", "c.exe", "noext", "d.pql", "hidden.html", "ソフト"}},
        {1, "", 0, {"ソフト"}},
        {0, "", 1, {"a.html", "B.HTM", "d.pql", "ソフト"}},
    };
    for (const auto& c : cases) {
        Apply(c.extPoint, c.kinds, c.ghost);
        HTREEITEM folder = Folder();
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(Names(folder), c.names) << c.extPoint << c.kinds << c.ghost;
        if (HTREEITEM hidden = Child(folder, "hidden.html")) {
            EXPECT_TRUE(TreeView_GetItemState(tree.Tree(), hidden, TVIS_CUT) & TVIS_CUT);
        }
    }
}

TEST_F(FolderTreeTest, NewOptionsRebuildOnlyForANewFilterAndKeepTheOpenFolder) {
    HTREEITEM folder = Folder("ソフト\\");
    ASSERT_NE(folder, nullptr);
    filetree::FolderTreeSettings same = tree.GetSettings();
    same.pointDirPath = "C:\\www";  // not shown by the tree
    tree.ApplySettings(same, true);
    EXPECT_EQ(tree.ItemPath(folder), TestFolder() + "ソフト");  // the same item, still there
    Apply(1, "*", 0);
    HTREEITEM open = tree.Selected();
    EXPECT_EQ(pathutil::WithTrailingSeparator(tree.ItemPath(open)), TestFolder() + "ソフト\\");
    EXPECT_TRUE(TreeView_GetItemState(tree.Tree(), open, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(pathutil::WithTrailingSeparator(tree.CurrentFolder()), TestFolder() + "ソフト\\");
}

TEST_F(FolderTreeTest, ReExpandingEnumeratesAfreshAndShowAllRestoresTheFilter) {
    HTREEITEM folder = Folder();
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(Child(folder, "added.html"), nullptr);
    WriteFile(TestFolder() + "added.html", "x");
    Collapse(folder);
    EXPECT_EQ(TreeView_GetChild(tree.Tree(), folder), nullptr);
    Expand(folder);
    EXPECT_NE(Child(folder, "added.html"), nullptr);

    Collapse(folder);
    TreeView_SelectItem(tree.Tree(), folder);
    EXPECT_TRUE(tree.IsCommandEnabled(ID_FOLDERTREE_SHOW_ALL));
    const std::string filter = tree.Filter();
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_SHOW_ALL));
    EXPECT_NE(Child(folder, "noext"), nullptr);
    EXPECT_NE(Child(folder, "c.exe"), nullptr);
    EXPECT_EQ(tree.Filter(), filter);
    EXPECT_FALSE(tree.IsCommandEnabled(ID_FOLDERTREE_SHOW_ALL));  // already expanded
    Collapse(folder);
    Expand(folder);
    EXPECT_EQ(Child(folder, "noext"), nullptr);
}

TEST_F(FolderTreeTest, WalksToAFolderNamedWithSo) {
    // A target that no longer exists stops at the last folder that does.
    HTREEITEM last = tree.GoToFolder(TestFolder() + "ソフト\\無い\\");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(pathutil::FileNameOf(tree.ItemPath(last)), "ソフト");
    EXPECT_EQ(pathutil::FileNameOf(tree.CurrentFolder()), "ソフト");
    // The last folder expanded is stored with its separator; the options,
    // never applied, are not written.
    tree.SaveSettings();
    EXPECT_EQ(store.ReadSettingString("FolderTree", "LastDirPath", ""), TestFolder() + "ソフト\\");
    EXPECT_FALSE(backend.HasValue("FolderTree", "ExtKinds"));

    HTREEITEM deep = Folder("ソフト\\表\\");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(Names(deep), std::set<std::string>{"t.txt"});
    tree.SaveSettings();
    EXPECT_EQ(store.ReadSettingString("FolderTree", "LastDirPath", ""), TestFolder() + "ソフト\\表\\");
}

TEST_F(FolderTreeTest, OpenTemplateAndRelativePath) {
    HTREEITEM folder = Folder();
    ASSERT_NE(folder, nullptr);
    TreeView_SelectItem(tree.Tree(), Child(folder, "a.html"));
    EXPECT_TRUE(tree.RunCommand(ID_FILE_OPEN));
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_OPEN_READONLY));
    ASSERT_EQ(fake.opened.size(), 2u);
    EXPECT_EQ(fake.opened[0], std::make_pair(TestFolder() + "a.html", false));
    EXPECT_EQ(fake.opened[1], std::make_pair(TestFolder() + "a.html", true));

    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_OPEN_TEMPLATE));
    std::string text;
    fake.model.GetText(text);
    EXPECT_EQ(text, "<p>a</p>");

    // Relative to a saved document in a folder named with ソ and 表.
    fake.documentPath = TestFolder() + "ソフト\\表\\page.html";
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_INSERT_RELPATH));
    fake.model.GetText(text);
    EXPECT_EQ(text, "<p>a</p>../../a.html");

    // A read-only editor takes nothing.
    fake.model.SetReadOnly(true);
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_OPEN_TEMPLATE));
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_INSERT_RELPATH));
    fake.model.GetText(text);
    EXPECT_EQ(text, "<p>a</p>../../a.html");
}

TEST_F(FolderTreeTest, GreyingAndRouting) {
    HTREEITEM folder = Folder();
    ASSERT_NE(folder, nullptr);
    HTREEITEM file = Child(folder, "a.html");
    TreeView_SelectItem(tree.Tree(), file);
    EXPECT_TRUE(tree.IsCommandEnabled(ID_FOLDERTREE_OPEN_TEMPLATE));
    fake.previews = true;
    EXPECT_FALSE(tree.IsCommandEnabled(ID_FOLDERTREE_OPEN_TEMPLATE));
    EXPECT_FALSE(tree.IsCommandEnabled(ID_FOLDERTREE_INSERT_RELPATH));
    EXPECT_TRUE(tree.IsCommandEnabled(ID_FOLDERTREE_OPEN_READONLY));

    // The tree takes the file commands only with the focus and a file.
    EXPECT_FALSE(tree.TakesCommand(ID_FILE_OPEN));
    ::SetFocus(tree.Tree());
    EXPECT_TRUE(tree.TakesCommand(ID_FILE_OPEN));
    EXPECT_TRUE(tree.TakesCommand(ID_FOLDERTREE_PROPERTIES));
    TreeView_SelectItem(tree.Tree(), folder);
    EXPECT_FALSE(tree.TakesCommand(ID_FILE_OPEN));
    EXPECT_FALSE(tree.TakesCommand(ID_FOLDERTREE_INSERT_RELPATH));
    EXPECT_TRUE(tree.TakesCommand(ID_FOLDERTREE_SHOW_ALL));
    EXPECT_FALSE(tree.TakesCommand(ID_FILE_SAVE));
}

struct RecordedBoxes : IMessageBoxService {
    std::vector<std::string> texts;
    UINT lastType = 0;
    int Show(HWND, const std::string& text, const std::string& title, UINT type) override {
        texts.push_back(title + ": " + text);
        lastType = type;
        return IDOK;
    }
};

TEST_F(FolderTreeTest, FailuresAreToldAndInsertNothing) {
    RecordedBoxes boxes;
    IMessageBoxService* old = SetMessageBoxService(&boxes);
    HTREEITEM folder = Folder();
    ASSERT_NE(folder, nullptr);
    TreeView_SelectItem(tree.Tree(), Child(folder, "a.html"));
    fake.documentPath.clear();
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_INSERT_RELPATH));
    // A file removed after the tree listed it.
    WriteFile(TestFolder() + "added.html", "x");
    Collapse(folder);
    Expand(folder);
    TreeView_SelectItem(tree.Tree(), Child(folder, "added.html"));
    ::DeleteFileA((TestFolder() + "added.html").c_str());
    EXPECT_TRUE(tree.RunCommand(ID_FOLDERTREE_OPEN_TEMPLATE));
    SetMessageBoxService(old);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "Pembroquil: 一度も保存していないので相対パスが取得できません");
    EXPECT_EQ(boxes.texts[1], "Pembroquil: " + TestFolder() + "added.html のオープンに失敗しました。");
    EXPECT_TRUE(boxes.lastType & MB_ICONERROR);
    std::string text;
    fake.model.GetText(text);
    EXPECT_EQ(text, "");
}

TEST_F(FolderTreeTest, TheEditorsInputMethodIsClosedWhileTheTreeHasTheFocus) {
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host.m_hWnd, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    fake.editorWindow = edit;
    HIMC imc = ::ImmGetContext(edit);
    if (!imc) GTEST_SKIP() << "no input context";
    ::SetFocus(edit);
    ::ImmSetOpenStatus(imc, TRUE);
    if (!::ImmGetOpenStatus(imc)) {
        ::ImmReleaseContext(edit, imc);
        GTEST_SKIP() << "the input method cannot be opened here";
    }
    ::SetFocus(tree.Tree());
    EXPECT_FALSE(::ImmGetOpenStatus(imc));
    ::SetFocus(edit);
    EXPECT_TRUE(::ImmGetOpenStatus(imc));
    // Closed by the user, it stays closed.
    ::ImmSetOpenStatus(imc, FALSE);
    ::SetFocus(tree.Tree());
    ::SetFocus(edit);
    EXPECT_FALSE(::ImmGetOpenStatus(imc));
    ::ImmReleaseContext(edit, imc);
    ::DestroyWindow(edit);
}

}  // namespace
