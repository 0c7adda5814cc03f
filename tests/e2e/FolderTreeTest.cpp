// The real program's folder tree: it opens at the start folder the settings
// name and stores the folder last opened at exit; a double click opens a
// file (read-only with Shift); a relative path goes into a saved document;
// the context menu is photographed. The tree lives in the other process, so
// its items are read through a buffer allocated there.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "e2e/E2E.h"
#include "resources/resource.h"

namespace {

// The folder tree of a running program, read from this process.
class RemoteTree {
public:
    explicit RemoteTree(const e2e::Program& app) {
        ::EnumChildWindows(app.MainWindow(), &FindTree, reinterpret_cast<LPARAM>(&m_tree));
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, app.ProcessId());
        if (m_process) m_buffer = ::VirtualAllocEx(m_process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteTree() {
        if (m_buffer) ::VirtualFreeEx(m_process, m_buffer, 0, MEM_RELEASE);
        if (m_process) ::CloseHandle(m_process);
    }
    bool Ready() const { return m_tree && m_buffer; }
    HWND Window() const { return m_tree; }
    HTREEITEM Next(HTREEITEM item, UINT how) const {
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageA(m_tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
    bool Expanded(HTREEITEM item) const {
        return ::SendMessageA(m_tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    std::string Text(HTREEITEM item) const {
        auto* remote = static_cast<char*>(m_buffer);
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = remote + 1024;
        tv.cchTextMax = 1024;
        char text[1024] = {};
        SIZE_T done = 0;
        if (!::WriteProcessMemory(m_process, remote, &tv, sizeof tv, &done) ||
            !::SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) ||
            !::ReadProcessMemory(m_process, remote + 1024, text, sizeof text - 1, &done))
            return std::string();
        return text;
    }
    // The child of `parent` shown as `name`.
    HTREEITEM Child(HTREEITEM parent, const std::string& name) const {
        for (HTREEITEM c = Next(parent, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            if (Text(c) == name) return c;
        return nullptr;
    }
    // The middle of the item's label, on the screen.
    bool Centre(HTREEITEM item, POINT* pt) const {
        RECT rc = {};
        SIZE_T done = 0;
        // The item goes in, where the rectangle comes out.
        if (!::WriteProcessMemory(m_process, m_buffer, &item, sizeof item, &done) ||
            !::SendMessageA(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(m_buffer)) ||
            !::ReadProcessMemory(m_process, m_buffer, &rc, sizeof rc, &done))
            return false;
        *pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        return ::ClientToScreen(m_tree, pt) != FALSE;
    }

private:
    static BOOL CALLBACK FindTree(HWND h, LPARAM lp) {
        if (::GetDlgCtrlID(h) != 4001) return TRUE;
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    HWND m_tree = nullptr;
    HANDLE m_process = nullptr;
    void* m_buffer = nullptr;
};

void Command(const e2e::Program& app, UINT id) {
    ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// Clicks (count times) at a point of the screen, with a key held.
bool Click(const POINT& pt, const std::string& button, const std::string& held = std::string()) {
    std::string cmd = "xdotool mousemove " + std::to_string(pt.x) + " " + std::to_string(pt.y) + " sleep 0.2 ";
    if (!held.empty()) cmd += "keydown " + held + " ";
    cmd += "click --repeat " + button + " --delay 60 1";
    if (!held.empty()) cmd += " keyup " + held;
    return e2e::RunHostProgram(cmd) == 0;
}

class FolderTreeE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\ftree\\";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ::CreateDirectoryA((folder + "ソフト").c_str(), nullptr);
        ::CreateDirectoryA((folder + "ソフト\\表").c_str(), nullptr);
        ASSERT_TRUE(e2e::WriteFileBytes(folder + "ソフト\\a.html", "<p>a</p>\r\n"));
        ASSERT_TRUE(e2e::WriteFileBytes(folder + "ソフト\\表\\page.html", "<p>page</p>\r\n"));
    }
    // Starts the program at a fixed start folder and waits for the tree to
    // show it selected.
    void StartAt(e2e::Program& app, const std::string& start, const std::string& arguments = std::string()) {
        ASSERT_TRUE(e2e::WriteSettingInt("FolderTree", "DirPoint", 1));
        ASSERT_TRUE(e2e::WriteSettingInt("FolderTree", "DirMethod", 1));
        ASSERT_TRUE(e2e::WriteSettingString("FolderTree", "PointDirPath", start));
        ASSERT_TRUE(app.Start(arguments));
    }
    std::string folder;
};

TEST_F(FolderTreeE2E, OpensAtTheStartFolderAndStoresTheLastFolderAtExit) {
    const struct {
        int method;
        std::string point, last, selected, stored;
    } cases[] = {
        {1, folder + "ソフト", "", "ソフト", folder + "ソフト\\"},
        {0, "", folder + "ソフト\\表\\", "表", folder + "ソフト\\表\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        ASSERT_TRUE(e2e::ResetSettings());
        ASSERT_TRUE(e2e::WriteSettingInt("FolderTree", "DirPoint", 1));
        ASSERT_TRUE(e2e::WriteSettingInt("FolderTree", "DirMethod", c.method));
        ASSERT_TRUE(e2e::WriteSettingString("FolderTree", "PointDirPath", c.point));
        ASSERT_TRUE(e2e::WriteSettingString("FolderTree", "LastDirPath", c.last));
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        RemoteTree tree(app);
        ASSERT_TRUE(tree.Ready());
        HTREEITEM sel = tree.Selected();
        EXPECT_EQ(tree.Text(sel), c.selected);
        EXPECT_TRUE(tree.Expanded(sel));
        EXPECT_EQ(app.Close(), 0);
        std::string stored;
        ASSERT_TRUE(e2e::ReadSettingString("FolderTree", "LastDirPath", &stored));
        EXPECT_EQ(stored, c.stored);
        // The options were not changed in this run: they are left as they were.
        EXPECT_FALSE(e2e::SettingExists("FolderTree", "ExtKinds"));
        EXPECT_FALSE(e2e::SettingExists("FolderTree", "GhostDisp"));
    }
}

TEST_F(FolderTreeE2E, DoubleClickOpensAFileAndShiftOpensItReadOnly) {
    e2e::Program app;
    StartAt(app, folder + "ソフト");
    RemoteTree tree(app);
    ASSERT_TRUE(tree.Ready());
    HTREEITEM file = tree.Child(tree.Selected(), "a.html");
    ASSERT_NE(file, nullptr);
    POINT pt = {};
    ASSERT_TRUE(tree.Centre(file, &pt));
    ASSERT_TRUE(Click(pt, "2"));
    EXPECT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - a.html"; }, 5000)) << app.Title();
    Command(app, ID_FILE_CLOSE);
    EXPECT_TRUE(e2e::WaitFor([&] { return app.Title() != "Pembroquil - a.html"; }, 5000)) << app.Title();
    ASSERT_TRUE(Click(pt, "2", "shift"));
    EXPECT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - a.html [上書き禁止]"; }, 5000)) << app.Title();
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(FolderTreeE2E, ARelativePathGoesIntoASavedDocumentFromTheContextMenu) {
    const std::string page = folder + "ソフト\\表\\page.html";
    e2e::Program app;
    StartAt(app, folder + "ソフト", "\"" + page + "\"");
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html"; }, 5000)) << app.Title();
    RemoteTree tree(app);
    ASSERT_TRUE(tree.Ready());
    HTREEITEM file = tree.Child(tree.Selected(), "a.html");
    ASSERT_NE(file, nullptr);
    POINT pt = {};
    ASSERT_TRUE(tree.Centre(file, &pt));
    // The right button selects the file and shows its menu.
    ASSERT_TRUE(Click(pt, "1") && e2e::RunHostProgram("xdotool click 3") == 0);
    HWND menu = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] { return (menu = e2e::FindProcessWindow(app.ProcessId(), "#32768")) != nullptr; }, 5000));
    EXPECT_TRUE(app.Screenshot("foldertree-context-menu"));
    ASSERT_TRUE(app.Key("Escape"));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindowVisible(menu); }, 5000));
    // The file stays selected in the focused tree, which takes the command.
    EXPECT_EQ(tree.Selected(), file);
    Command(app, ID_FOLDERTREE_INSERT_RELPATH);
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html [更新]"; }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+s"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html"; }, 5000)) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(page, &bytes));
    EXPECT_EQ(bytes, "../a.html<p>page</p>\r\n");
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
