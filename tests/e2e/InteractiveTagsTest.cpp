// Interactive tags in the real program: the "<font>タグ" sample run on a
// selection with values chosen step by step, and a tag edited in its
// properties dialog from the pane's menu, kept across a restart.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
#include "resources/resource.h"
#include "tags/core/ColorNameTable.h"

#include <commctrl.h>

namespace {

class InteractiveTagsE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\itags";
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    // The program's dialog with this title, waited for.
    static HWND WaitDialog(const e2e::Program& app, const std::string& title) {
        HWND found = nullptr;
        e2e::WaitFor([&] {
            found = e2e::FindProcessWindow(app.ProcessId(), "#32770");
            return found && e2e::WindowText(found) == title;
        });
        return found && e2e::WindowText(found) == title ? found : nullptr;
    }
    static void Choose(HWND dialog, int id, int index) {
        HWND combo = ::GetDlgItem(dialog, id);
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    // A control's text read through WM_GETTEXT, which crosses processes.
    static std::string Text(HWND dialog, int id) {
        char text[512] = {};
        ::SendMessageA(::GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string folder;
};

}  // namespace

TEST_F(InteractiveTagsE2E, TheFontSampleWrapsTheSelectionWithTheChosenValues) {
    const std::string path = folder + "\\font.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "abc"));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ::PostMessageA(app.MainWindow(), WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    ::PostMessageA(app.MainWindow(), WM_COMMAND, 10100, 0);  // "<font>タグ", the first interactive sample
    HWND dialog = WaitDialog(app, "<font>の挿入");
    ASSERT_NE(dialog, nullptr);
    HWND combo = ::GetDlgItem(dialog, IDC_TAG_INSERT_VALUE);
    EXPECT_TRUE(e2e::WaitFor([&] { return ::SendMessageA(combo, CB_GETCOUNT, 0, 0) == 7; }));
    Choose(dialog, IDC_TAG_INSERT_VALUE, 4);  // "7;6;5;4;3;2;1": 3
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitFor([&] { return ::SendMessageA(combo, CB_GETCOUNT, 0, 0) == tags::kColorNameCount; }));
    const int red = tags::FindColorName("red", 3);
    ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageA(combo, CB_SETCURSEL, 20, 0);
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("itags-insert-colours"));
    ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Choose(dialog, IDC_TAG_INSERT_VALUE, red);
    EXPECT_EQ(Text(dialog, IDC_TAG_INSERT_PREVIEW),
              "<font size=\"3\" color=\"#ff0000\"></font>");
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitFor([&] { return Text(dialog, IDOK) == "挿入(&I)"; }));
    EXPECT_GT(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);  // the installed faces; left empty
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - font.html [更新]"; })) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+s"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - font.html"; })) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "<font size=\"3\" color=\"#ff0000\">abc</font>");
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(InteractiveTagsE2E, PropertiesEditedFromThePaneAreKeptAcrossARestart) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND tree = app.FindChild("SysTreeView32");
    ASSERT_NE(tree, nullptr);
    // The second file's second tag, "<a>タグ".
    const auto next = [&](LPARAM item, WPARAM how) {
        return static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, how, item));
    };
    const LPARAM file = next(next(0, TVGN_ROOT), TVGN_NEXT);
    const LPARAM tag = next(next(file, TVGN_CHILD), TVGN_NEXT);
    ASSERT_NE(tag, 0);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, tag);
    ::PostMessageA(tree, WM_RBUTTONUP, 0, 0);
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FindProcessWindow(app.ProcessId(), "#32768") != nullptr; }));
    // The menu's loop reads the keys of its thread: Up reaches the last
    // item, "プロパティ(&P)", and Return runs it.
    ::PostMessageA(tree, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
    HWND dialog = WaitDialog(app, "対話型タグプロパティ");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(e2e::WaitFor([&] { return Text(dialog, IDC_ITAG_FACT) == "a"; })) << Text(dialog, IDC_ITAG_FACT);
    ::SendMessageA(::GetDlgItem(dialog, IDC_ITAG_FACT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("img"));
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITAG_NEW, BN_CLICKED), 0);
    ::SendMessageA(::GetDlgItem(dialog, IDC_ITAG_ATTR), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alt"));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("itags-properties"));
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog); }));
    EXPECT_EQ(app.Close(), 0);

    const auto stored = [] {
        std::string fact, attr;
        DWORD count = 0;
        e2e::ReadSettingString("RegistTag\\File1", "Fact1", &fact);
        e2e::ReadSettingString("RegistTag\\File1", "Attr1-2", &attr);
        e2e::ReadSettingInt("RegistTag\\File1", "AttrNum1", &count);
        return fact + " " + attr + " " + std::to_string(count);
    };
    EXPECT_EQ(stored(), "img alt 3");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Close(), 0);
    EXPECT_EQ(stored(), "img alt 3");
}
