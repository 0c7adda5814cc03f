// The real program driven by its keys: Ctrl+O opens a file through the Open
// dialog, Ctrl+S saves it, the File menu reached by Alt closes it; choosing
// "EUC" and "LF" in the File menu's save code and line-end submenus makes
// the next save write EUC with LF, and the choice is stored; the close
// button clicked with the mouse closes the shown document; the tool bar's
// save-code drop-down and its line-end button change the next save; the
// Help menu's about box opens from the keyboard.
#include <gtest/gtest.h>

#include "e2e/E2E.h"

#include <commctrl.h>

namespace {

class DocumentKeysE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\keys";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    static bool TitleIs(const e2e::Program& app, const std::string& title) { return app.Title() == title; }
    // The file name field of an Open or Save dialog.
    static HWND FileNameField(HWND dialog) {
        HWND combo = ::GetDlgItem(dialog, 0x47C);
        if (combo) {
            if (HWND edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
            return combo;
        }
        return ::GetDlgItem(dialog, 0x480);
    }
    static bool Writable(const std::string& path) {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(h);
        return true;
    }
    // A button's rectangle in screen coordinates, asked of the tool bar in the
    // program's own memory.
    static bool ToolButtonRect(const e2e::Program& app, HWND toolBar, UINT command, RECT* out) {
        HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                       app.ProcessId());
        if (!process) return false;
        void* remote = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        bool ok = false;
        if (remote && ::SendMessageA(toolBar, TB_GETRECT, command, reinterpret_cast<LPARAM>(remote))) {
            SIZE_T read = 0;
            ok = ::ReadProcessMemory(process, remote, out, sizeof(RECT), &read) && read == sizeof(RECT);
        }
        if (remote) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        ::CloseHandle(process);
        if (ok) ::MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(out), 2);
        return ok;
    }
    // Clicks a screen point, then moves the pointer off the window so that
    // no tool tip is left for the next photograph.
    static bool Click(int x, int y) {
        return e2e::RunHostProgram("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                                   " sleep 0.3 click 1 sleep 0.2 mousemove 1270 790") == 0;
    }
    static bool MenuOpen(const e2e::Program& app) {
        HWND h = e2e::FindProcessWindow(app.ProcessId(), "#32768");
        return h && ::IsWindowVisible(h);
    }
    std::string folder;
};

TEST_F(DocumentKeysE2E, CtrlOOpensCtrlSSavesAndTheFileMenuCloses) {
    const std::string path = folder + "\\keys.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "abc\r\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    // The first key after the start can be lost while the window takes the
    // focus: a harmless key goes first.
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ASSERT_TRUE(app.Key("ctrl+o"));
    HWND dialog = app.WaitMessageBox();
    ASSERT_NE(dialog, nullptr) << "no Open dialog";
    HWND field = FileNameField(dialog);
    ASSERT_NE(field, nullptr);
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - keys.html"); }, 10000)) << app.Title();
    EXPECT_FALSE(Writable(path)) << "the shown file is held";

    ASSERT_TRUE(app.Key("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - keys.html [更新]"); }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+s"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - keys.html"); }, 5000)) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "xabc\r\n");

    // "閉じる(&C)" of the File menu ("ファイル(&F)"), from the keyboard.
    ASSERT_TRUE(app.Key("alt f c"));
    EXPECT_TRUE(e2e::WaitFor([&] { return !TitleIs(app, "Pembroquil - keys.html"); }, 5000)) << app.Title();
    EXPECT_TRUE(e2e::WaitFor([&] { return Writable(path); }, 5000)) << "the closed file is let go";
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(DocumentKeysE2E, EucAndLfChosenInTheFileMenuAreWrittenAndStored) {
    const std::string path = folder + "\\euc-lf.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "\x95\x5C\x8E\xA6\r\nabc\r\n"));  // 表示, SHIFT JIS with CRLF
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - euc-lf.html"); }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+Home"));
    EXPECT_EQ(app.StatusText(2), "SJIS");
    EXPECT_EQ(app.StatusText(3), "CRLF");
    // "保存時の文字コード(&H)" > "EUC(&E)", "保存時の改行コード(&R)" > "LF(&L)".
    ASSERT_TRUE(app.Key("alt f h e"));
    ASSERT_TRUE(app.Key("alt f r l"));
    ASSERT_TRUE(app.Key("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - euc-lf.html [更新]"); }, 5000))
        << app.Title();
    ASSERT_TRUE(app.Key("ctrl+s"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - euc-lf.html"); }, 5000)) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "x\xC9\xBD\xBC\xA8\nabc\n");
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(2) == "EUC"; }, 3000)) << app.StatusText(2);
    EXPECT_EQ(app.StatusText(3), "LF");
    EXPECT_TRUE(app.Screenshot("commands-saved-euc-lf"));
    // The submenu shows the check mark on "EUC(&E)"; the Edit menu its states.
    ASSERT_TRUE(app.Key("alt f h"));
    EXPECT_TRUE(e2e::WaitFor([&] { return MenuOpen(app); }, 5000));
    EXPECT_TRUE(app.Screenshot("commands-save-code-menu"));
    ASSERT_TRUE(app.Key("Escape Escape Escape"));
    EXPECT_TRUE(e2e::WaitFor([&] { return !MenuOpen(app); }, 5000));
    ASSERT_TRUE(app.Key("shift+End alt e"));
    EXPECT_TRUE(e2e::WaitFor([&] { return MenuOpen(app); }, 5000));
    EXPECT_TRUE(app.Screenshot("commands-edit-menu"));
    ASSERT_TRUE(app.Key("Escape Escape"));
    EXPECT_TRUE(e2e::WaitFor([&] { return !MenuOpen(app); }, 5000));
    EXPECT_EQ(app.Close(), 0);
    DWORD code = 0, ret = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "SaveCode", &code));
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "SaveReturnCode", &ret));
    EXPECT_EQ(code, 2u);
    EXPECT_EQ(ret, 2u);
}

TEST_F(DocumentKeysE2E, TheCloseButtonClosesTheShownDocument) {
    const std::string path = folder + "\\button.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "<p>ok</p>\r\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - button.html"); }, 5000)) << app.Title();
    HWND button = app.FindChild("MDIButtonWindow32");
    ASSERT_NE(button, nullptr);
    RECT rc = {};
    ASSERT_TRUE(::GetWindowRect(button, &rc));
    ASSERT_TRUE(Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
    app.WaitIdle();
    EXPECT_TRUE(e2e::WaitFor([&] { return !TitleIs(app, "Pembroquil - button.html"); }, 5000)) << app.Title();
    EXPECT_TRUE(e2e::WaitFor([&] { return Writable(path); }, 5000)) << "the closed file is let go";
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(DocumentKeysE2E, TheToolBarsCodeDropDownAndLineEndButtonChangeTheSave) {
    const std::string path = folder + "\\toolbar.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "\x95\x5C\n"));  // 表, SHIFT JIS with LF
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - toolbar.html"); }, 5000)) << app.Title();
    HWND toolBar = app.FindChild("ToolbarWindow32");
    ASSERT_NE(toolBar, nullptr);
    RECT code = {}, ret = {};
    ASSERT_TRUE(ToolButtonRect(app, toolBar, 61204, &code));
    ASSERT_TRUE(ToolButtonRect(app, toolBar, 40068, &ret));
    // The arrow at the right end of the code button opens the save-code
    // submenu; "JIS(&J)" is chosen there.
    ASSERT_TRUE(Click(code.right - 4, (code.top + code.bottom) / 2));
    ASSERT_TRUE(e2e::WaitFor([&] { return MenuOpen(app); }, 5000));
    EXPECT_TRUE(app.Screenshot("commands-toolbar-code-dropdown"));
    ASSERT_TRUE(app.Key("j"));
    ASSERT_TRUE(e2e::WaitFor([&] { return !MenuOpen(app); }, 5000));
    // The line-end button itself cycles: as loaded, then CRLF.
    ASSERT_TRUE(Click(ret.left + 8, (ret.top + ret.bottom) / 2));
    app.WaitIdle();
    ASSERT_TRUE(app.Key("ctrl+End"));
    ASSERT_TRUE(app.Key("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - toolbar.html [更新]"); }, 5000))
        << app.Title();
    ASSERT_TRUE(app.Key("ctrl+s"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - toolbar.html"); }, 5000)) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "\x1B$BI=\x1B(B\r\nx");
    EXPECT_EQ(app.Close(), 0);
    DWORD saved = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "SaveCode", &saved));
    EXPECT_EQ(saved, 1u);
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "SaveReturnCode", &saved));
    EXPECT_EQ(saved, 0u);
}

TEST_F(DocumentKeysE2E, TheHelpMenuOpensTheAboutBox) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Key("ctrl+Home"));
    // "ヘルプ(&H)" > "バージョン情報(&A)".
    ASSERT_TRUE(app.Key("alt h a"));
    HWND about = app.WaitMessageBox();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(e2e::WindowText(about), "Pembroquilのバージョン情報");
    ASSERT_TRUE(e2e::PressDialogButton(about, IDOK));
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(about); }, 5000));
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
