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
