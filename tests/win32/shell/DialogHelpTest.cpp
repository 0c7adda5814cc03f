// F1 pressed in a dialog, as a person presses it on the display, opens the
// help file on that dialog's page. The viewer is replaced by a recorder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/E2E.h"
#include "resources/resource.h"
#include "shell/win/AboutDlg.h"
#include "shell/win/HelpCommands.h"

namespace {

// The about box, which presses F1 on itself once it is shown and closes a
// moment later.
class CAboutPressingF1 : public CAboutDlg {
public:
    CAboutPressingF1() : CAboutDlg(nullptr) {}
    bool OnInitDialog() override {
        CAboutDlg::OnInitDialog();
        ::SetTimer(m_hWnd, kPress, 500, nullptr);
        return true;
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_TIMER && wParam == kPress) {
            ::KillTimer(m_hWnd, kPress);
            pressed = e2e::RunHostProgram("xdotool windowfocus " + e2e::XWindowId(m_hWnd) + " sleep 0.3 key F1") == 0;
            ::SetTimer(m_hWnd, kClose, 1500, nullptr);
            return true;
        }
        if (message == WM_TIMER && wParam == kClose) {
            ::KillTimer(m_hWnd, kClose);
            EndDialog(IDCANCEL);
            return true;
        }
        return CAboutDlg::OnWndMsg(message, wParam, lParam, result);
    }
    bool pressed = false;

private:
    static constexpr UINT_PTR kPress = 1, kClose = 2;
};

TEST(DialogHelpTest, F1InADialogOpensItsPageOfTheHelpFile) {
    std::vector<std::string> opened;
    const HelpViewer previous = SetHelpViewer([&opened](const std::string& address) {
        opened.push_back(address);
        return ::GetDesktopWindow();
    });
    InstallDialogHelp();
    CAboutPressingF1 dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.pressed);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], HelpFilePath() + "::/menu_help.html#IDD_ABOUTBOX");
    // A dialog the help has no page for opens nothing.
    EXPECT_FALSE(ShowDialogHelp(0));
    EXPECT_EQ(opened.size(), 1u);
    SetHelpViewer(previous);
    CDialog::SetHelpHandler(nullptr);
}

}  // namespace
