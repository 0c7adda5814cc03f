// The main frame between runs: what exit writes, the files and the window
// placement of the last run coming back, the exit and log-off questions,
// a second start's file while a dialog is open, and the help file.
#include <gtest/gtest.h>

#include <thread>

#include "e2e/E2E.h"
#include "resources/resource.h"

namespace {

constexpr UINT kEditorGetSelLength = 0x0416;
constexpr UINT kEditorGetTextLength = 0x0419;

class FrameE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\frame";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::string PathOf(const std::string& name) const { return folder + "\\" + name; }
    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
    static void Command(const e2e::Program& app, UINT id) {
        ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    static bool WaitTitle(const e2e::Program& app, const std::string& title) {
        return e2e::WaitFor([&] { return app.Title() == title; }, 8000);
    }
    static DWORD Int(const std::string& section, const std::string& name) {
        DWORD v = 0xDEADBEEF;
        e2e::ReadSettingInt(section, name, &v);
        return v;
    }
    static std::string Str(const std::string& section, const std::string& name) {
        std::string v = "<missing>";
        e2e::ReadSettingString(section, name, &v);
        return v;
    }
    // A file of `lines` numbered lines.
    std::string MakeFile(const std::string& name, int lines) {
        std::string text;
        for (int i = 0; i < lines; ++i) text += "<p>line " + std::to_string(i) + "</p>\r\n";
        const std::string path = PathOf(name);
        EXPECT_TRUE(e2e::WriteFileBytes(path, text));
        return path;
    }
    std::string folder;
};

TEST_F(FrameE2E, LastOpenReopensTheFilesReadOnlyAsBeforeWithSelectionAndExitWritesThemBack) {
    const std::string a = MakeFile("first.html", 10);
    const std::string b = MakeFile("second.html", 80);
    const std::string missing = PathOf("gone.html");
    ::DeleteFileA(missing.c_str());
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "LastOpen", 1));
    const std::string h = "History\\Open";
    ASSERT_TRUE(e2e::WriteSettingInt(h, "Count", 3));
    ASSERT_TRUE(e2e::WriteSettingString(h, "Path0", a));
    ASSERT_TRUE(e2e::WriteSettingInt(h, "ReadOnly0", 1));
    ASSERT_TRUE(e2e::WriteSettingString(h, "Path1", missing));
    ASSERT_TRUE(e2e::WriteSettingString(h, "Path2", b));
    ASSERT_TRUE(e2e::WriteSettingInt(h, "Start2", 3));
    ASSERT_TRUE(e2e::WriteSettingInt(h, "End2", 7));
    ASSERT_TRUE(e2e::WriteSettingInt(h, "YPos2", 20));

    e2e::Program app;
    ASSERT_TRUE(app.Launch());
    // The missing file says why; the others still open.
    HWND box = app.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(e2e::MessageBoxText(box).find("gone.html"), std::string::npos) << e2e::MessageBoxText(box);
    ASSERT_TRUE(e2e::PressDialogButton(box, IDOK));
    ASSERT_TRUE(app.AttachWindow());
    // The last file is shown, with its selection and scroll position.
    ASSERT_TRUE(WaitTitle(app, "Pembroquil - second.html")) << app.Title();
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(::SendMessageA(editor, kEditorGetSelLength, 0, 0), 4);
    // (Wine keeps scroll bars in the owning process: the scroll position is
    // checked through what exit writes back below.)
    EXPECT_TRUE(::IsWindowEnabled(app.MainWindow()));
    EXPECT_TRUE(app.Screenshot("frame-restored-files"));
    // The first was read-only and is again.
    Command(app, ID_PREV_TAB);
    EXPECT_TRUE(WaitTitle(app, "Pembroquil - first.html [上書き禁止]")) << app.Title();
    // An untitled document is not remembered.
    Command(app, ID_FILE_NEW);
    EXPECT_TRUE(WaitTitle(app, "Pembroquil - 無題1")) << app.Title();
    EXPECT_EQ(app.Close(), 0);

    EXPECT_EQ(Int(h, "Count"), 2u);
    EXPECT_EQ(Str(h, "Path0"), a);
    EXPECT_EQ(Int(h, "ReadOnly0"), 1u);
    EXPECT_EQ(Str(h, "Path1"), b);
    EXPECT_EQ(Int(h, "ReadOnly1"), 0u);
    EXPECT_EQ(Int(h, "Start1"), 3u);
    EXPECT_EQ(Int(h, "End1"), 7u);
    EXPECT_EQ(Int(h, "YPos1"), 20u);
    EXPECT_FALSE(e2e::SettingExists(h, "Path2"));
    // The rest of the frame state.
    for (const char* name : {"x", "y", "nWidth", "nHeight"}) EXPECT_NE(Int("Main", name), 0xDEADBEEFu) << name;
    EXPECT_GT(static_cast<int>(Int("Main", "nWidth")), 0);
    EXPECT_EQ(Int("Main", "Zoomed"), 0u);
    EXPECT_EQ(Int("Main", "StatusBarDisp"), 1u);
    EXPECT_EQ(Int("Main", "LastOpen"), 1u);
    EXPECT_EQ(Int("Main", "LastSize"), 0u);
    EXPECT_EQ(Int("Main", "SplitShowMove"), 1u);
    EXPECT_NE(Int("Main\\SplitWnd", "Updown0"), 0xDEADBEEFu);

    // The written records bring the same files back.
    e2e::Program again;
    ASSERT_TRUE(again.Start());
    EXPECT_EQ(again.WaitMessageBox(500), nullptr);
    ASSERT_TRUE(WaitTitle(again, "Pembroquil - second.html")) << again.Title();
    EXPECT_EQ(::SendMessageA(again.ShownEditor(), kEditorGetSelLength, 0, 0), 4);
    EXPECT_EQ(again.Close(), 0);
}

TEST_F(FrameE2E, WithoutAReopenedFileTheFirstDocumentStartsWithTheTemplate) {
    const std::string text = "<html>\r\n<body>\r\n</body>\r\n</html>\r\n";
    const std::string templ = PathOf("template.html");
    ASSERT_TRUE(e2e::WriteFileBytes(templ, text));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "Template", 1));
    ASSERT_TRUE(e2e::WriteSettingString("Main", "TemplatePath", templ));
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Title(), "Pembroquil - 無題1");
    EXPECT_EQ(::SendMessageA(app.ShownEditor(), kEditorGetTextLength, 0, 0), static_cast<LRESULT>(text.size()));
    EXPECT_EQ(app.Close(), 0);  // unmodified: no question
}

TEST_F(FrameE2E, WithoutLastOpenNoFilesAreRememberedAndAHiddenStatusBarStaysHidden) {
    const std::string a = MakeFile("plain.html", 3);
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "StatusBarDisp", 0));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(a)));
    ASSERT_TRUE(WaitTitle(app, "Pembroquil - plain.html")) << app.Title();
    HWND bar = app.FindChild("msctls_statusbar32");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(::IsWindowVisible(bar));
    EXPECT_EQ(app.Close(), 0);
    EXPECT_FALSE(e2e::SettingExists("History\\Open", "Count"));
    EXPECT_FALSE(e2e::SettingExists("History\\Open", "Path0"));
    EXPECT_EQ(Int("Main", "StatusBarDisp"), 0u);
}

TEST_F(FrameE2E, LastSizeBringsThePlacementBackOnTheScreenAndAMaximisedFrameKeepsItsNormalRectangle) {
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "LastSize", 1));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "x", 100));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "y", 80));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "nWidth", 700));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "nHeight", 500));
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        RECT rc = {};
        ::GetWindowRect(app.MainWindow(), &rc);
        EXPECT_EQ(rc.left, 100);
        EXPECT_EQ(rc.top, 80);
        EXPECT_EQ(rc.right - rc.left, 700);
        EXPECT_EQ(rc.bottom - rc.top, 500);
        ::SetWindowPos(app.MainWindow(), nullptr, 120, 90, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
        app.WaitIdle();
        EXPECT_EQ(app.Close(), 0);
    }
    EXPECT_EQ(Int("Main", "x"), 120u);
    EXPECT_EQ(Int("Main", "y"), 90u);
    EXPECT_EQ(Int("Main", "nWidth"), 640u);
    EXPECT_EQ(Int("Main", "nHeight"), 480u);
    EXPECT_EQ(Int("Main", "LastSize"), 1u);

    // A rectangle left on a screen that is gone comes back onto this one.
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "x", static_cast<DWORD>(-30000)));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "y", 90000));
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "nWidth", 100000));
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        RECT rc = {};
        ::GetWindowRect(app.MainWindow(), &rc);
        EXPECT_GE(rc.left, 0);
        EXPECT_GE(rc.top, 0);
        EXPECT_LE(rc.right, ::GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(rc.bottom, ::GetSystemMetrics(SM_CYSCREEN));
        EXPECT_TRUE(app.Screenshot("frame-clamped-placement"));
        // Closed maximised: the normal rectangle stays as stored.
        ::SetWindowPos(app.MainWindow(), nullptr, 50, 40, 600, 450, SWP_NOZORDER | SWP_NOACTIVATE);
        app.WaitIdle();
        EXPECT_EQ(app.Close(), 0);
    }
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        ::ShowWindow(app.MainWindow(), SW_MAXIMIZE);
        ASSERT_TRUE(e2e::WaitFor([&] { return ::IsZoomed(app.MainWindow()) != FALSE; }, 5000));
        EXPECT_EQ(app.Close(), 0);
    }
    EXPECT_EQ(Int("Main", "Zoomed"), 1u);
    EXPECT_EQ(Int("Main", "x"), 50u);
    EXPECT_EQ(Int("Main", "nWidth"), 600u);
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(::IsZoomed(app.MainWindow()));
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(FrameE2E, CancelAtTheExitOrLogOffQuestionKeepsTheProgramAndTheSettings) {
    const std::string a = MakeFile("edited.html", 3);
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "LastOpen", 1));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(a)));
    ASSERT_TRUE(WaitTitle(app, "Pembroquil - edited.html")) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+End"));
    ASSERT_TRUE(app.Type("x"));
    ASSERT_TRUE(WaitTitle(app, "Pembroquil - edited.html [更新]")) << app.Title();
    app.WaitIdle();
    const std::string before = e2e::DumpSettings();

    ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    HWND box = app.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(e2e::PressDialogButton(box, IDCANCEL));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(box); }, 5000));
    app.WaitIdle();
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(e2e::DumpSettings(), before);

    // Log-off: the same question; Cancel refuses it.
    DWORD_PTR answer = 99;
    std::thread ask([&] {
        ::SendMessageTimeoutA(app.MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &answer);
    });
    box = app.WaitMessageBox();
    EXPECT_NE(box, nullptr);
    if (box) e2e::PressDialogButton(box, IDCANCEL);
    ask.join();
    EXPECT_EQ(answer, 0u);
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(e2e::DumpSettings(), before);

    // "No" lets the session end: the state is written and the program ends
    // with the file unchanged.
    answer = 99;
    std::thread ask2([&] {
        ::SendMessageTimeoutA(app.MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &answer);
    });
    box = app.WaitMessageBox();
    EXPECT_NE(box, nullptr);
    if (box) e2e::PressDialogButton(box, IDNO);
    ask2.join();
    EXPECT_EQ(answer, 1u);
    EXPECT_TRUE(app.Running());
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(app.MainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 20000, &ignored);
    EXPECT_EQ(app.WaitExit(10000), 0);
    EXPECT_EQ(Str("History\\Open", "Path0"), a);
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes.find('x'), std::string::npos);
}

TEST_F(FrameE2E, ASecondStartsFileWaitsForTheOpenDialogAndThenOpens) {
    const std::string a = MakeFile("handed.html", 3);
    e2e::Program first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(WaitTitle(first, "Pembroquil - 無題1"));
    // The about box is modal.
    Command(first, ID_APP_ABOUT_CMD);
    HWND about = first.WaitMessageBox();
    ASSERT_NE(about, nullptr);
    e2e::Program second;
    EXPECT_FALSE(second.Start(Quoted(a), 3000));
    EXPECT_EQ(second.WaitExit(10000), 0);
    // Nothing opens inside the dialog's loop.
    ::Sleep(800);
    EXPECT_EQ(first.Title(), "Pembroquil - 無題1");
    EXPECT_TRUE(::IsWindow(about));
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(about); }, 5000));
    EXPECT_TRUE(WaitTitle(first, "Pembroquil - handed.html")) << first.Title();
    EXPECT_EQ(first.Close(), 0);
}

TEST_F(FrameE2E, ASecondStartWaitsAsLongAsTheFirstShowsItsStartUpMessages) {
    const std::string a = MakeFile("waiting.html", 3);
    ASSERT_TRUE(e2e::DeleteSettings());
    e2e::Program first;
    ASSERT_TRUE(first.Launch());
    HWND box = first.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    // The first copy has no window yet and the user takes a while.
    e2e::Program second;
    ASSERT_TRUE(second.Launch(Quoted(a)));
    EXPECT_EQ(second.WaitExit(17000), -1);
    EXPECT_EQ(e2e::FindProcessWindow(second.ProcessId(), "PembroquilWClass"), nullptr);
    for (int i = 0; i < 3 && box; ++i) {
        ASSERT_TRUE(e2e::PressDialogButton(box, IDOK));
        e2e::WaitFor([&] { return !::IsWindow(box); }, 5000);
        box = i < 2 ? first.WaitMessageBox() : nullptr;
    }
    EXPECT_EQ(second.WaitExit(15000), 0);
    ASSERT_TRUE(first.AttachWindow());
    EXPECT_TRUE(WaitTitle(first, "Pembroquil - waiting.html")) << first.Title();
    EXPECT_EQ(first.Close(), 0);
}

BOOL CALLBACK FindHelpWindow(HWND h, LPARAM lp) {
    auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    if (pid == search->first && std::string(cls) == "HH Parent" && ::IsWindowVisible(h)) {
        search->second = h;
        return FALSE;
    }
    return TRUE;
}

TEST_F(FrameE2E, F1OpensTheHelpViewerOnTheBuiltFile) {
    std::string chm;
    ASSERT_TRUE(e2e::ReadFileBytes(e2e::OutDir() + "\\Pembroquil.chm", &chm));
    EXPECT_EQ(chm.substr(0, 4), "ITSF");
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.Key("F1"));
    std::pair<DWORD, HWND> search(app.ProcessId(), nullptr);
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            search.second = nullptr;
            ::EnumWindows(&FindHelpWindow, reinterpret_cast<LPARAM>(&search));
            return search.second != nullptr;
        },
        10000));
    if (search.second) {
        EXPECT_EQ(e2e::WindowText(search.second), "Pembroquil ヘルプ");
        EXPECT_TRUE(app.Screenshot("frame-help-viewer"));
    }
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
