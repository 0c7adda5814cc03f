// The real program's menu bar, keys and bars: Alt then F opens the File
// menu, a stored key assignment is in force after a restart, a hidden tool
// bar stays hidden, and the frame with all its bars is photographed.
#include <gtest/gtest.h>

#include "e2e/E2E.h"

namespace {

constexpr char kKeys[] = "AcceleratorKey";

class CommandsE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetSettings()); }

    static bool WriteRaw(const std::string& section, const std::string& name, const BYTE* data, DWORD size) {
        HKEY key = nullptr;
        const std::string path = std::string(e2e::kSettingsKey) + "\\" + section;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return false;
        const LONG rc = ::RegSetValueExA(key, name.c_str(), 0, REG_NONE, data, size);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }
    static bool ReadRaw(const std::string& section, const std::string& name, std::string* bytes) {
        HKEY key = nullptr;
        const std::string path = std::string(e2e::kSettingsKey) + "\\" + section;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        char buf[64];
        DWORD size = sizeof buf, type = 0;
        const LONG rc = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
        ::RegCloseKey(key);
        if (rc != ERROR_SUCCESS) return false;
        bytes->assign(buf, size);
        return true;
    }
    static bool Visible(HWND h) { return h && ::IsWindowVisible(h); }
    static HWND PopupMenu(const e2e::Program& app) {
        HWND h = e2e::FindProcessWindow(app.ProcessId(), "#32768");
        return Visible(h) ? h : nullptr;
    }
};

TEST_F(CommandsE2E, AltThenFOpensTheFileMenu) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.FindChild("MenuBarWindow32"), nullptr);
    EXPECT_EQ(PopupMenu(app), nullptr);
    ASSERT_TRUE(app.Key("alt"));
    ASSERT_TRUE(app.Key("f"));
    EXPECT_TRUE(e2e::WaitFor([&] { return PopupMenu(app) != nullptr; }, 5000));
    // The prompt of the highlighted first item shows in the status bar.
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(0) == "新しいファイルを作成します。"; }, 3000))
        << app.StatusText(0);
    EXPECT_TRUE(app.Screenshot("commands-file-menu"));
    ASSERT_TRUE(app.Key("Escape"));
    EXPECT_TRUE(e2e::WaitFor([&] { return PopupMenu(app) == nullptr; }, 5000));
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(CommandsE2E, AStoredKeyAssignmentIsInForceAfterARestart) {
    // Ctrl+Q shows or hides the status bar (command 32786).
    const BYTE ctrlQ[6] = {0x0B, 0x00, 'Q', 0x00, 0x12, 0x80};
    ASSERT_TRUE(e2e::WriteSettingInt(kKeys, "Count", 1));
    ASSERT_TRUE(WriteRaw(kKeys, "acl0", ctrlQ, sizeof ctrlQ));
    for (int run = 0; run < 2; ++run) {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        HWND status = app.FindChild("msctls_statusbar32");
        ASSERT_TRUE(Visible(status));
        ASSERT_TRUE(app.Key("ctrl+q"));
        EXPECT_TRUE(e2e::WaitFor([&] { return !Visible(status); }, 5000)) << "run " << run;
        ASSERT_TRUE(app.Key("ctrl+q"));
        EXPECT_TRUE(e2e::WaitFor([&] { return Visible(status); }, 5000)) << "run " << run;
        EXPECT_EQ(app.Close(), 0);
        // The table is written back at shut-down as it was.
        DWORD count = 0;
        EXPECT_TRUE(e2e::ReadSettingInt(kKeys, "Count", &count));
        EXPECT_EQ(count, 1u);
        std::string bytes;
        EXPECT_TRUE(ReadRaw(kKeys, "acl0", &bytes));
        EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(ctrlQ), sizeof ctrlQ));
    }
}

TEST_F(CommandsE2E, HidingTheToolBarSurvivesARestart) {
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        HWND tool = app.FindChild("ToolbarWindow32");
        ASSERT_TRUE(Visible(tool));
        ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(32787, 0), 0);
        EXPECT_TRUE(e2e::WaitFor([&] { return !Visible(tool); }, 5000));
        EXPECT_EQ(app.Close(), 0);
    }
    DWORD shown = 1, style = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "StandardBarDisp", &shown));
    EXPECT_EQ(shown, 0u);
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "StandardBarStyle", &style));
    EXPECT_EQ(style & 0x08, 0u) << "the hidden bit is not stored";
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        HWND tool = app.FindChild("ToolbarWindow32");
        ASSERT_NE(tool, nullptr);
        EXPECT_FALSE(Visible(tool));
        EXPECT_TRUE(Visible(app.FindChild("ComboBoxEx32")));
        EXPECT_EQ(app.Close(), 0);
    }
}

TEST_F(CommandsE2E, FrameShowsMenuBarToolBarAddressBarAndStatusBar) {
    ASSERT_TRUE(e2e::WriteSettingInt("History\\File", "Count", 2));
    ASSERT_TRUE(e2e::WriteSettingString("History\\File", "Path0", "C:\\サイト\\index.html"));
    ASSERT_TRUE(e2e::WriteSettingString("History\\File", "Path1", "C:\\サイト\\style.css"));
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND rebar = app.FindChild("ReBarWindow32");
    ASSERT_NE(rebar, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(rebar), 4008);
    const char* const classes[] = {"MenuBarWindow32", "MDIButtonWindow32", "ToolbarWindow32", "ComboBoxEx32",
                                   "msctls_statusbar32"};
    for (const char* cls : classes) EXPECT_TRUE(Visible(app.FindChild(cls))) << cls;
    EXPECT_EQ(::GetDlgCtrlID(app.FindChild("MenuBarWindow32")), 4012);
    EXPECT_EQ(::GetDlgCtrlID(app.FindChild("ToolbarWindow32")), 4009);
    EXPECT_EQ(::SendMessageA(app.FindChild("ComboBoxEx32"), CB_GETCOUNT, 0, 0), 2);
    // The bars sit at the top, the status bar at the bottom.
    RECT bars = {}, status = {}, frame = {};
    ::GetWindowRect(rebar, &bars);
    ::GetWindowRect(app.FindChild("msctls_statusbar32"), &status);
    ::GetClientRect(app.MainWindow(), &frame);
    POINT origin = {0, 0};
    ::ClientToScreen(app.MainWindow(), &origin);
    EXPECT_EQ(bars.top, origin.y);
    EXPECT_EQ(status.bottom, origin.y + frame.bottom);
    EXPECT_TRUE(app.Screenshot("commands-frame"));
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(CommandsE2E, ADamagedHistoryStartsAtOnceAndShiftSpaceTypesASpace) {
    // A damaged count of the address history: start-up reads 20 entries at
    // most, not 2^31.
    ASSERT_TRUE(e2e::WriteSettingInt("History\\File", "Count", 0x7FFFFFFF));
    e2e::Program app;
    const DWORD started = ::GetTickCount();
    ASSERT_TRUE(app.Start());
    EXPECT_LT(::GetTickCount() - started, 15000u);
    HWND combo = app.FindChild("ComboBoxEx32");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);

    // Attribute assist finds no tag before the caret, so Shift+Space types a
    // space, in the editor and in the address bar.
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(app.Key("a shift+space b"));
    EXPECT_TRUE(e2e::WaitFor([&] { return ::SendMessageA(editor, 0x0419, 0, 0) == 3; }, 5000))
        << ::SendMessageA(editor, 0x0419, 0, 0);
    ASSERT_TRUE(app.Key("alt+d x shift+space y"));
    HWND edit = ::FindWindowExA(::FindWindowExA(combo, nullptr, "ComboBox", nullptr), nullptr, "Edit", nullptr);
    if (!edit) edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    // WM_GETTEXT is carried across processes; the edit's text is its own.
    auto text = [edit] {
        char buf[64] = {};
        ::SendMessageA(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return std::string(buf);
    };
    EXPECT_TRUE(e2e::WaitFor([&] { return text() == "x y"; }, 5000)) << text();
    ASSERT_TRUE(app.Key("Escape"));
    // The untitled document asks about saving at the end: answered "No".
    ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    if (HWND box = app.WaitMessageBox(8000)) e2e::PressDialogButton(box, IDNO);
    EXPECT_EQ(app.WaitExit(20000), 0);
}

}  // namespace
