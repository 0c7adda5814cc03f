// The real program's bookmarks, right-click menus and Customize sheet: a
// bookmark survives a restart and Ctrl+3 brings its line back from another
// tab; Cancel at delete-all keeps it; the editor's menu as edited on the
// page after a restart (photographed); pattern 13 and the page the sheet
// reopens on.
#include <gtest/gtest.h>

#include "e2e/E2E.h"

#include <commctrl.h>
#include "resources/resource.h"

namespace {

struct TitledSearch {
    DWORD pid;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchTitled(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<TitledSearch*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    if (owner == s->pid && ::IsWindowVisible(h) && e2e::WindowText(h) == *s->title) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND WaitWindow(const e2e::Program& app, const std::string& title) {
    HWND found = nullptr;
    e2e::WaitFor([&] {
        TitledSearch s = {app.ProcessId(), &title, nullptr};
        ::EnumWindows(&MatchTitled, reinterpret_cast<LPARAM>(&s));
        found = s.found;
        return found != nullptr;
    });
    return found;
}

void Command(const e2e::Program& app, UINT id) { ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// A control's notification to its dialog, as the user's change sends it.
void Notify(HWND dialog, int id, int code) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Opens the Customize sheet on page `index`; its page window.
HWND OpenSheetPage(const e2e::Program& app, int index, HWND* sheet) {
    Command(app, ID_TOOL_CUSTOMIZE);
    *sheet = WaitWindow(app, "カスタマイズ");
    if (!*sheet) return nullptr;
    ::SendMessageA(*sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(::SendMessageA(*sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

class CustomizeE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\customize";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::string folder;
};

TEST_F(CustomizeE2E, ABookmarkSurvivesARestartAndCancelAtDeleteAllKeepsIt) {
    const std::string path = folder + "\\marked.html";
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(path, text));
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start("\"" + path + "\""));
        ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - marked.html"; }, 5000)) << app.Title();
        ASSERT_TRUE(app.Key("ctrl+Home"));  // the first key after the start can be lost
        ::SendMessageA(app.ShownEditor(), 0x0417, 119 * 6, 119 * 6);
        ASSERT_TRUE(e2e::WaitFor([&] { return app.StatusText(1) == " 120行、1列 "; }, 5000)) << app.StatusText(1);
        ASSERT_TRUE(app.Key("ctrl+shift+3"));
        EXPECT_EQ(app.Close(), 0);
    }
    DWORD line = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("BookMark", "Line3", &line));
    EXPECT_EQ(line, 119u);
    EXPECT_FALSE(e2e::SettingExists("BookMark", "Path0"));

    e2e::Program app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ASSERT_TRUE(app.Key("ctrl+n"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title().find("無題") != std::string::npos; }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+3"));
    EXPECT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - marked.html"; }, 5000)) << app.Title();
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(1) == " 120行、1列 "; }, 5000)) << app.StatusText(1);

    Command(app, 25020);
    HWND box = WaitWindow(app, "Pembroquil");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(box), "本当にすべてのブックマークを削除してもよろしいですか？");
    e2e::PressDialogButton(box, IDCANCEL);
    EXPECT_EQ(app.Close(), 0);
    std::string stored;
    EXPECT_TRUE(e2e::ReadSettingString("BookMark", "Path3", &stored));
    EXPECT_NE(stored.find("marked.html"), std::string::npos) << stored;
}

TEST_F(CustomizeE2E, TheEditorsMenuAsEditedOnThePageAfterARestart) {
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        HWND sheet = nullptr;
        HWND page = OpenSheetPage(app, 1, &sheet);
        ASSERT_NE(page, nullptr);
        // Kind 1 without its first entry (元に戻す).
        ::SendMessageA(::GetDlgItem(page, IDC_RCMENU_KIND), CB_SETCURSEL, 1, 0);
        Notify(page, IDC_RCMENU_KIND, CBN_SELCHANGE);
        ::SendMessageA(::GetDlgItem(page, IDC_RCMENU_MENU), LB_SETCURSEL, 0, 0);
        Notify(page, IDC_RCMENU_MENU, LBN_SELCHANGE);
        Notify(page, IDC_RCMENU_DELETE, BN_CLICKED);
        app.WaitIdle();
        EXPECT_TRUE(app.Screenshot("customize-rclick-page"));
        ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(sheet); }, 5000));
        EXPECT_EQ(app.Close(), 0);
    }
    DWORD count = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("RClickMenu\\Kind1", "Count", &count));
    EXPECT_EQ(count, 9u);
    std::string first;
    EXPECT_TRUE(e2e::ReadSettingString("RClickMenu\\Kind1", "Name0", &first));
    EXPECT_EQ(first, "やり直し(&R)");
    EXPECT_TRUE(e2e::ReadSettingInt("RClickMenu\\Kind0", "Count", &count));
    EXPECT_EQ(count, 2u);

    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    RECT rc = {};
    ::GetWindowRect(editor, &rc);
    const std::string id = e2e::XWindowId(app.MainWindow());
    RECT frame = {};
    ::GetWindowRect(app.MainWindow(), &frame);
    const int x = (rc.left + rc.right) / 2 - frame.left, y = (rc.top + rc.bottom) / 2 - frame.top;
    ASSERT_EQ(e2e::RunHostProgram("xdotool mousemove --window " + id + " " + std::to_string(x) + " " +
                                  std::to_string(y) + " click 3"),
              0);
    HWND popup = nullptr;
    EXPECT_TRUE(e2e::WaitFor([&] {
        popup = e2e::FindProcessWindow(app.ProcessId(), "#32768");
        return popup && ::IsWindowVisible(popup);
    }, 5000));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("customize-editor-menu"));
    ASSERT_TRUE(app.Key("Escape"));
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(CustomizeE2E, PatternThirteenIsStoredAndTheSheetReopensOnItsPage) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND sheet = nullptr;
    HWND page = OpenSheetPage(app, 2, &sheet);
    ASSERT_NE(page, nullptr);
    ::SendMessageA(::GetDlgItem(page, IDC_SCRNSPLT_PATTERN), CB_SETCURSEL, 12, 0);
    Notify(page, IDC_SCRNSPLT_PATTERN, CBN_SELCHANGE);
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("customize-split-page"));
    ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(sheet); }, 5000));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("customize-pattern13"));
    // Reopened: the screen split page is the one shown.
    Command(app, ID_TOOL_CUSTOMIZE);
    sheet = WaitWindow(app, "カスタマイズ");
    ASSERT_NE(sheet, nullptr);
    page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    EXPECT_NE(::GetDlgItem(page, IDC_SCRNSPLT_PATTERN), nullptr);
    ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(sheet); }, 5000));
    EXPECT_EQ(app.Close(), 0);
    // Pattern 13: T | (R | E).
    const char* section = "Main\\SplitWnd";
    DWORD v = 9;
    for (auto [name, want] : {std::pair<const char*, DWORD>{"Updown0", 0}, {"WndKind1-0", 3}, {"WndKind2-0", 4},
                              {"WndKind2-1", 5}, {"Updown2", 0}}) {
        EXPECT_TRUE(e2e::ReadSettingInt(section, name, &v)) << name;
        EXPECT_EQ(v, want) << name;
    }
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "CstmzIndex", &v));
    EXPECT_EQ(v, 2u);
}

}  // namespace
