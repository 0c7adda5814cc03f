// The program starts, shows its main window and ends cleanly.
#include <gtest/gtest.h>

#include "e2e/E2E.h"

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::DeleteSettings()); }
};

TEST_F(StartupTest, MainWindowShowsTitleAndReadyStatusAndClosesWithZero) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);

    char cls[64] = {};
    ::GetClassNameA(main, cls, sizeof cls);
    EXPECT_STREQ(cls, "PembroquilWClass");
    EXPECT_EQ(app.Title(), "Pembroquil");
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
