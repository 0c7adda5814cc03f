// The program starts, shows its main window and ends cleanly.
#include <gtest/gtest.h>

#include "e2e/E2E.h"

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetSettings()); }
};

TEST_F(StartupTest, MainWindowShowsTitleAndReadyStatusAndClosesWithZero) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);

    char cls[64] = {};
    ::GetClassNameA(main, cls, sizeof cls);
    EXPECT_STREQ(cls, "PembroquilWClass");
    // The first untitled document is shown.
    EXPECT_EQ(app.Title(), "Pembroquil - 無題1");
    EXPECT_EQ(app.StatusText(0), "レディ");
    // The window has no standard menu: the program draws its own.
    EXPECT_EQ(::GetMenu(main), nullptr);

    EXPECT_TRUE(app.Screenshot("startup-main-window"));
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace

namespace {

int CountMainWindows() {
    int count = 0;
    for (HWND h = ::FindWindowExA(nullptr, nullptr, "PembroquilWClass", nullptr); h;
         h = ::FindWindowExA(nullptr, h, "PembroquilWClass", nullptr))
        ++count;
    return count;
}

TEST_F(StartupTest, ASecondCopyEndsAndLeavesTheFirstRunning) {
    e2e::Program first;
    ASSERT_TRUE(first.Start());
    e2e::Program second;
    EXPECT_FALSE(second.Start("", 3000));  // it never shows a window of its own
    EXPECT_EQ(second.WaitExit(10000), 0);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(CountMainWindows(), 1);
    EXPECT_EQ(first.Close(), 0);
}

TEST_F(StartupTest, TwoCopiesStartedTogetherEndAsOne) {
    e2e::Program a, b;
    // Start both before either has a window.
    ASSERT_TRUE(a.Launch());
    ASSERT_TRUE(b.Launch());
    const int exitA = a.WaitExit(4000);
    const int exitB = b.WaitExit(4000);
    // Exactly one of them has ended, with 0; the other shows the window.
    EXPECT_TRUE((exitA == 0) != (exitB == 0)) << exitA << " " << exitB;
    EXPECT_EQ(CountMainWindows(), 1);
    e2e::Program& running = exitA == 0 ? b : a;
    ASSERT_TRUE(running.AttachWindow());
    EXPECT_EQ(running.Close(), 0);
}

}  // namespace

namespace {

TEST(FirstStartTest, EmptyRegistryShowsTheMigrationMessagesOnceAndWritesTheVersion) {
    ASSERT_TRUE(e2e::DeleteSettings());
    e2e::Program app;
    ASSERT_TRUE(app.Launch());
    const char* expected[] = {
        "Ver.Upに伴い、メニュー・ツールバー・アドレスバー位置情報を初期化しました",
        "Ver.Upに伴い、プラグインメニューを登録タグへ移動しました",
        "Ver.Upに伴い、分割バー位置および表示/非表示情報を初期化しました",
    };
    for (const char* text : expected) {
        HWND box = app.WaitMessageBox();
        ASSERT_NE(box, nullptr) << text;
        EXPECT_EQ(e2e::WindowText(box), "Pembroquil");
        EXPECT_EQ(e2e::MessageBoxText(box), text);
        ASSERT_TRUE(e2e::PressDialogButton(box, IDOK));
        e2e::WaitFor([&] { return !::IsWindow(box); }, 5000);
    }
    ASSERT_TRUE(app.AttachWindow());
    std::string version;
    EXPECT_TRUE(e2e::ReadSettingString("Main", "Version", &version));
    EXPECT_EQ(version, "2.06");
    EXPECT_EQ(app.Close(), 0);

    // The next start shows none of them.
    e2e::Program again;
    ASSERT_TRUE(again.Start());
    EXPECT_EQ(again.WaitMessageBox(1000), nullptr);
    EXPECT_EQ(again.Close(), 0);
}

}  // namespace
