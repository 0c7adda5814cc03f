// The real program's options sheet from the Tools menu: the HTML text colour
// and the tab size reach the open editor at once and the next start; a
// keyword file made on the 強調 panel becomes HTML keyword file 1; the
// reopen-files box takes effect at the next start; the sheet reopens on the
// page it was closed on. Each page is photographed.
#include <gtest/gtest.h>

#include "e2e/E2E.h"

#include <commctrl.h>
#include <cstdlib>
#include "resources/resource.h"

namespace {

void Command(const e2e::Program& app, UINT id) { ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Notify(HWND dialog, int id, int code) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

struct DialogSearch {
    DWORD pid;
    int id;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindDialogWith(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<DialogSearch*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    if (owner == s->pid && h != s->except && ::IsWindowVisible(h) && ::GetDlgItem(h, s->id)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of the program other than `except`, holding control `id`.
HWND WaitDialogWith(const e2e::Program& app, int id, HWND except = nullptr) {
    DialogSearch s = {app.ProcessId(), id, except, nullptr};
    e2e::WaitFor([&] {
        ::EnumWindows(FindDialogWith, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    });
    return s.found;
}

// The panel of the editor page that holds control `id`.
HWND PanelWith(HWND page, int id) {
    for (HWND child = ::FindWindowExA(page, nullptr, "#32770", nullptr); child;
         child = ::FindWindowExA(page, child, "#32770", nullptr)) {
        if (::GetDlgItem(child, id)) return child;
    }
    return nullptr;
}

class OptionsE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\options";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    // Opens the sheet; the page shown.
    HWND OpenSheet(const e2e::Program& app, int index) {
        Command(app, ID_TOOL_OPTION);
        sheet = WaitDialogWith(app, IDOK);
        if (!sheet || e2e::WindowText(sheet) != "オプション") return nullptr;
        if (index >= 0) ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    bool CloseSheet(const e2e::Program& app, bool ok) {
        ::PostMessageA(sheet, ok ? PSM_PRESSBUTTON : WM_COMMAND, ok ? PSBTN_OK : IDCANCEL, 0);
        const bool closed = e2e::WaitFor([&] { return !::IsWindow(sheet); }, 5000);
        app.WaitIdle();
        return closed;
    }
    // The caret's left edge in the shown editor.
    static int CaretX(const e2e::Program& app) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        const DWORD thread = ::GetWindowThreadProcessId(app.MainWindow(), nullptr);
        return ::GetGUIThreadInfo(thread, &info) ? info.rcCaret.left : -1;
    }
    std::string folder;
    HWND sheet = nullptr;
};

TEST_F(OptionsE2E, TextColourAndTabSizeReachTheOpenEditorAndTheNextStart) {
    const std::string path = folder + "\\tabs.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "\tx\r\n"));
    ASSERT_TRUE(e2e::WriteSettingInt("CanvasEdit", "DetailIndex", 1));
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start("\"" + path + "\""));
        ASSERT_TRUE(app.Key("ctrl+Home"));
        ASSERT_TRUE(app.Key("End"));
        app.WaitIdle();
        const int before = CaretX(app);
        HWND page = OpenSheet(app, 0);
        ASSERT_NE(page, nullptr);
        HWND settingsPanel = PanelWith(page, IDC_OPT_TAB_SIZE);
        ASSERT_NE(settingsPanel, nullptr);
        ::SendMessageA(::GetDlgItem(settingsPanel, IDC_OPT_TAB_SIZE), CB_SETCURSEL, 7, 0);  // 8
        Notify(settingsPanel, IDC_OPT_TAB_SIZE, CBN_SELCHANGE);
        app.WaitIdle();
        EXPECT_TRUE(app.Screenshot("options-editor-settings"));

        // 書式 (shown, as stored): テキスト through the colour dialog.
        HWND format = PanelWith(page, IDC_OPT_COLOR);
        ASSERT_NE(format, nullptr);
        Notify(format, IDC_OPT_COLOR, BN_CLICKED);
        HWND colors = WaitDialogWith(app, 706, sheet);  // the red edit of the colour dialog
        ASSERT_NE(colors, nullptr);
        for (int id : {706, 707, 708}) ::SendMessageA(::GetDlgItem(colors, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(id == 708 ? "255" : "0"));
        app.WaitIdle();
        e2e::PressDialogButton(colors, IDOK);
        ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(colors); }, 5000));
        ASSERT_TRUE(CloseSheet(app, true));
        // The open editor took the tab size at once: the caret after the tab moved.
        EXPECT_TRUE(e2e::WaitFor([&] { return CaretX(app) > before; }, 3000)) << before << " " << CaretX(app);
        EXPECT_TRUE(app.Screenshot("options-editor-after"));
        EXPECT_EQ(app.Close(), 0);
    }
    DWORD value = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("CanvasEdit\\HTML", "tabSize", &value));
    EXPECT_EQ(value, 8u);
    EXPECT_TRUE(e2e::ReadSettingInt("CanvasEdit\\HTML", "textColor", &value));
    EXPECT_EQ(value, 0xFF0000u);  // blue as 0x00BBGGRR

    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ASSERT_TRUE(app.Key("End"));
    app.WaitIdle();
    const int wide = CaretX(app);
    EXPECT_TRUE(app.Screenshot("options-editor-restart"));
    EXPECT_EQ(app.Close(), 0);
    EXPECT_GT(wide, 0);
}

// Pixels of the shown editor near the HTML element colour (purple, 0x800080),
// read from the screen.
int ElementColouredPixels(const e2e::Program& app) {
    HWND editor = app.ShownEditor();
    RECT r = {};
    if (!editor || !::GetWindowRect(editor, &r)) return -1;
    HDC screen = ::GetDC(nullptr);
    int count = 0;
    for (int y = r.top; y < r.top + 40 && y < r.bottom; ++y) {
        for (int x = r.left; x < r.left + 200 && x < r.right; ++x) {
            const COLORREF c = ::GetPixel(screen, x, y);
            const int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
            if (red > 0x50 && blue > 0x50 && green < 0x40 && std::abs(red - blue) < 0x30) ++count;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return count;
}

TEST_F(OptionsE2E, ANewKeywordFileBecomesHtmlKeywordFileOne) {
    const std::string keywordFile = e2e::OutDir() + "\\Keyword\\e2eword.kwd";
    ASSERT_TRUE(e2e::WriteSettingInt("CanvasEdit", "DetailIndex", 2));
    ::DeleteFileA(keywordFile.c_str());
    const std::string zork = folder + "\\zork.html";
    ASSERT_TRUE(e2e::WriteFileBytes(zork, "<zork>\r\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + zork + "\""));
    app.WaitIdle();
    EXPECT_EQ(ElementColouredPixels(app), 0);  // not an element the shipped file knows
    HWND page = OpenSheet(app, 0);
    ASSERT_NE(page, nullptr);
    HWND emphasis = PanelWith(page, IDC_OPT_KEYFILE1_NEW);
    ASSERT_NE(emphasis, nullptr);
    Notify(emphasis, IDC_OPT_KEYFILE1_NEW, BN_CLICKED);
    HWND dlg = WaitDialogWith(app, IDC_KWD_NAME, sheet);
    ASSERT_NE(dlg, nullptr);
    ::SendMessageA(::GetDlgItem(dlg, IDC_KWD_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("e2eword"));
    ::SendMessageA(::GetDlgItem(dlg, IDC_KWD_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("zork\r\n"));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("options-keyword-dialog"));
    e2e::PressDialogButton(dlg, IDOK);
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dlg); }, 5000));
    ASSERT_TRUE(CloseSheet(app, true));
    // The open page shows the word as an element at once.
    EXPECT_TRUE(e2e::WaitFor([&] { return ElementColouredPixels(app) > 0; }, 3000));
    EXPECT_TRUE(app.Screenshot("options-keyword-coloured"));
    EXPECT_EQ(app.Close(), 0);
    std::string bytes;
    EXPECT_TRUE(e2e::ReadFileBytes(keywordFile, &bytes));
    EXPECT_EQ(bytes, "zork\r\n");
    std::string name;
    EXPECT_TRUE(e2e::ReadSettingString("CanvasEdit\\HTML", "KeyfileName1", &name));
    EXPECT_EQ(name, "e2eword.kwd");
    ::DeleteFileA(keywordFile.c_str());
}

TEST_F(OptionsE2E, ReopenBoxTakesEffectAndTheSheetReopensOnItsPage) {
    const std::string path = folder + "\\again.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "x\r\n"));
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start("\"" + path + "\""));
        for (int index = 1; index <= 4; ++index) {
            ASSERT_NE(OpenSheet(app, index), nullptr);
            app.WaitIdle();
            EXPECT_TRUE(app.Screenshot("options-page" + std::to_string(index)));
            ASSERT_TRUE(CloseSheet(app, false));
        }
        HWND page = OpenSheet(app, 5);
        ASSERT_NE(page, nullptr);
        ::SendMessageA(::GetDlgItem(page, IDC_OPT_LAST_OPEN), BM_SETCHECK, BST_CHECKED, 0);
        Notify(page, IDC_OPT_LAST_OPEN, BN_CLICKED);
        app.WaitIdle();
        EXPECT_TRUE(app.Screenshot("options-page5"));
        ASSERT_TRUE(CloseSheet(app, true));
        EXPECT_EQ(app.Close(), 0);
    }
    DWORD index = 0;
    EXPECT_TRUE(e2e::ReadSettingInt("Main", "OptionIndex", &index));
    EXPECT_EQ(index, 5u);
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - again.html"; }, 5000)) << app.Title();
    HWND page = OpenSheet(app, -1);
    ASSERT_NE(page, nullptr);
    EXPECT_NE(::GetDlgItem(page, IDC_OPT_LAST_OPEN), nullptr);  // the details page
    ASSERT_TRUE(CloseSheet(app, false));
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
