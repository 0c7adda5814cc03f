// The registered tag pane in the real program: the samples of a first start,
// a tag run from the menu's command id, and the store written at exit and
// at the end of the session.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

class TagsE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetSettings()); }
};

HWND TagTree(const e2e::Program& app) {
    HWND tree = app.FindChild("SysTreeView32");
    return tree && ::GetDlgCtrlID(tree) == 4005 ? tree : nullptr;
}

LRESULT TextLength(HWND editor) { return ::SendMessageA(editor, 0x419, 0, 0); }

}  // namespace

TEST_F(TagsE2E, FirstStartShowsTheSamplesRunsATagAndKeepsTheStore) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND tree = TagTree(app);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), 10);  // three files, seven tags
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    const LRESULT before = TextLength(editor);
    ::PostMessageA(app.MainWindow(), WM_COMMAND, 10002, 0);  // "改行" from the 登録タグ menu
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == before + 6; }));
    EXPECT_TRUE(app.Screenshot("tags-pane"));
    ::PostMessageA(app.MainWindow(), WM_COMMAND, ID_EDIT_UNDO, 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == before; }));
    EXPECT_EQ(app.Close(), 0);

    DWORD count = 0;
    ASSERT_TRUE(e2e::ReadSettingInt("RegistTag", "Count", &count));
    EXPECT_EQ(count, 3u);
    std::string name;
    ASSERT_TRUE(e2e::ReadSettingString("RegistTag\\File2", "File1", &name));
    EXPECT_EQ(name, "Gradation.pqi");

    // The stored store is what the next start shows and writes back.
    ASSERT_TRUE(e2e::WriteSettingString("RegistTag\\File0", "Name", "自作"));
    ASSERT_TRUE(e2e::WriteSettingInt("RegistTag\\File0", "Count", 1));
    ASSERT_TRUE(app.Start());
    ASSERT_NE(TagTree(app), nullptr);
    EXPECT_EQ(::SendMessageA(TagTree(app), TVM_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(app.Close(), 0);
    ASSERT_TRUE(e2e::ReadSettingString("RegistTag\\File0", "Name", &name));
    EXPECT_EQ(name, "自作");
}

TEST_F(TagsE2E, TheStoreIsWrittenWhenTheSessionEnds) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    ::SendMessageA(app.MainWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(app.WaitExit(20000), 0);
    DWORD count = 0;
    ASSERT_TRUE(e2e::ReadSettingInt("RegistTag", "Count", &count));
    EXPECT_EQ(count, 3u);
}
