// The real program hands documents to an external browser: a batch file
// that records its arguments and copies the file it is given stands in for
// the browser. A temporary file lies beside the document with its
// extension and the editor's bytes; the previous one is gone and none is
// left after exit; a folder with a space arrives as one argument. Methods 0
// and 1 save the document first (0 asks); F8 shows the internal browser and
// F9 turns the local server mapping off and on; file lists are saved with a
// read-only and an untitled tab and opened again.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
#include "resources/resource.h"

namespace {

std::vector<std::string> TempFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\pq*.shtml").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

TEST(PreviewE2E, ExternalBrowserGetsATemporaryFileAsOneArgument) {
    ASSERT_TRUE(e2e::ResetSettings());
    const std::string work = e2e::WorkDir() + "\\preview";
    const std::string folder = work + "\\pv dir";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::CreateDirectoryA(work.c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& old : TempFilesIn(folder)) ::DeleteFileA((folder + "\\" + old).c_str());
    const std::string log = work + "\\args.txt", copy = work + "\\copy.out", doc = folder + "\\page.shtml";
    ::DeleteFileA(log.c_str());
    ::DeleteFileA(copy.c_str());
    const std::string browser = work + "\\browser.bat";
    ASSERT_TRUE(e2e::WriteFileBytes(browser, "@echo off\r\necho [%1] [%2]>>\"" + log + "\"\r\ncopy /y %1 \"" + copy +
                                                 "\" >nul\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(doc, "<p>old</p>\r\n"));
    ASSERT_TRUE(e2e::WriteSettingString("Preview", "Path1", browser));
    ASSERT_TRUE(e2e::WriteSettingInt("Preview", "Method1", 2));

    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + doc + "\""));
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ASSERT_TRUE(app.Type("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title().find("[更新]") != std::string::npos; }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("F6"));
    std::string copied;
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(copy, &copied) && !copied.empty(); }, 15000));
    EXPECT_EQ(copied, "x<p>old</p>\r\n");
    std::vector<std::string> temps = TempFilesIn(folder);
    ASSERT_EQ(temps.size(), 1u);
    std::string args;
    ASSERT_TRUE(e2e::ReadFileBytes(log, &args));
    EXPECT_NE(args.find("] []"), std::string::npos) << args;  // one argument

    // The batch file's console may hold the keyboard now: the command goes by message.
    ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(ID_TOOL_NETSCAPE, 0), 0);
    ASSERT_TRUE(e2e::WaitFor([&] {
        std::string a;
        return e2e::ReadFileBytes(log, &a) && a.size() > args.size();
    }, 15000));
    const std::vector<std::string> next = TempFilesIn(folder);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_NE(next[0], temps[0]);

    ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    if (HWND box = app.WaitMessageBox(5000)) e2e::PressDialogButton(box, IDNO);
    EXPECT_EQ(app.WaitExit(20000), 0);
    EXPECT_TRUE(TempFilesIn(folder).empty());
}

void Command(const e2e::Program& app, UINT id) {
    ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// Waits for the message box with `text` and presses `button`.
void Answer(const e2e::Program& app, const std::string& text, int button) {
    HWND box = app.WaitMessageBox();
    ASSERT_NE(box, nullptr) << "no message box for: " << text;
    EXPECT_EQ(e2e::MessageBoxText(box), text);
    ASSERT_TRUE(e2e::PressDialogButton(box, button));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000));
}

TEST(PreviewE2E, MethodsZeroAndOneSaveBeforeTheBrowserGetsTheDocument) {
    ASSERT_TRUE(e2e::ResetSettings());
    const std::string work = e2e::WorkDir() + "\\methods";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::CreateDirectoryA(work.c_str(), nullptr);
    const std::string log = work + "\\args.txt", browser = work + "\\browser.bat", doc = work + "\\m.html";
    ASSERT_TRUE(e2e::WriteFileBytes(browser, "@echo off\r\necho [%1]>>\"" + log + "\"\r\n"));
    ASSERT_TRUE(e2e::WriteSettingString("Preview", "Path1", browser));
    struct Case {
        int method;
        int answer;  // to the save question; 0: no question
        bool saved;
    } cases[] = {{0, IDOK, true}, {0, IDCANCEL, false}, {1, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method * 10 + c.answer);
        ::DeleteFileA(log.c_str());
        ASSERT_TRUE(e2e::WriteFileBytes(doc, "<p>old</p>\r\n"));
        ASSERT_TRUE(e2e::WriteSettingInt("Preview", "Method1", c.method));
        e2e::Program app;
        ASSERT_TRUE(app.Start("\"" + doc + "\""));
        ASSERT_TRUE(app.Key("ctrl+Home"));
        ASSERT_TRUE(app.Type("x"));
        ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - m.html [更新]"; }, 5000)) << app.Title();
        Command(app, ID_TOOL_NETSCAPE);
        if (c.answer) Answer(app, "内容が変更されています。\n保存しますか？", c.answer);
        if (!c.saved) Answer(app, "保存しないとプレビューできません", IDOK);
        std::string bytes, args;
        if (c.saved) {
            ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(log, &args) && !args.empty(); }, 15000));
            EXPECT_NE(args.find("m.html"), std::string::npos) << args;  // the document itself
            EXPECT_EQ(app.Title(), "Pembroquil - m.html");
        } else {
            app.WaitIdle();
            EXPECT_FALSE(e2e::ReadFileBytes(log, &args));
            EXPECT_EQ(app.Title(), "Pembroquil - m.html [更新]");
        }
        ASSERT_TRUE(e2e::ReadFileBytes(doc, &bytes));
        EXPECT_EQ(bytes, c.saved ? "x<p>old</p>\r\n" : "<p>old</p>\r\n");
        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        if (HWND box = app.WaitMessageBox(3000)) e2e::PressDialogButton(box, IDNO);
        EXPECT_EQ(app.WaitExit(20000), 0);
    }
}

BOOL CALLBACK FindTagTree(HWND h, LPARAM found) {
    if (::GetDlgCtrlID(h) != 4005) return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

TEST(PreviewE2E, F8ShowsTheInternalBrowserAndF9TogglesTheLocalServer) {
    ASSERT_TRUE(e2e::ResetSettings());
    const std::string work = e2e::WorkDir() + "\\www";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::CreateDirectoryA(work.c_str(), nullptr);
    const std::string doc = work + "\\index.html";
    ASSERT_TRUE(e2e::WriteFileBytes(doc, "<p>page</p>\r\n"));
    ASSERT_TRUE(e2e::WriteSettingInt("Preview", "Localserver", 1));
    ASSERT_TRUE(e2e::WriteSettingString("Preview", "Replacepath", work + "\\"));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + doc + "\""));
    ASSERT_TRUE(app.Key("ctrl+Home"));
    EXPECT_EQ(app.TabImage(0), 0);
    // The tag pane (around the tag tree, control 4005) takes no input while a page shows.
    HWND tree = nullptr;
    ::EnumChildWindows(app.MainWindow(), &FindTagTree, reinterpret_cast<LPARAM>(&tree));
    ASSERT_NE(tree, nullptr);
    const auto tagsEnabled = [&] { return ::IsWindowEnabled(::GetParent(tree)) != FALSE; };
    EXPECT_TRUE(tagsEnabled());
    ASSERT_TRUE(app.Key("F8"));
    EXPECT_TRUE(e2e::WaitFor([&] { return app.TabImage(0) == 4; }, 10000)) << app.TabImage(0);  // mapped
    EXPECT_EQ(app.ShownEditor(), nullptr);
    EXPECT_EQ(app.StatusText(0), "レディ");
    EXPECT_FALSE(tagsEnabled());
    EXPECT_TRUE(app.Screenshot("preview-internal-browser"));
    Command(app, ID_BROWSER_LOCALSERVER);  // F9's command; the page may hold the keys now
    EXPECT_TRUE(e2e::WaitFor([&] { return app.TabImage(0) == 2; }, 10000)) << app.TabImage(0);
    Command(app, ID_TOOL_INNER_BROWSER);
    EXPECT_TRUE(e2e::WaitFor([&] { return app.ShownEditor() != nullptr; }, 10000));
    EXPECT_EQ(app.TabImage(0), 0);
    EXPECT_TRUE(tagsEnabled());
    EXPECT_EQ(app.Close(), 0);
    DWORD server = 1;
    ASSERT_TRUE(e2e::ReadSettingInt("Preview", "Localserver", &server));
    EXPECT_EQ(server, 0u);
}

// Fills the file name of the Open or Save dialog the program shows and
// presses OK.
void ChooseFile(const e2e::Program& app, const std::string& path) {
    HWND dialog = app.WaitMessageBox();
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    HWND field = ::GetDlgItem(dialog, 0x47C);
    if (HWND edit = field ? ::FindWindowExA(field, nullptr, "Edit", nullptr) : nullptr) field = edit;
    if (!field) field = ::GetDlgItem(dialog, 0x480);
    ASSERT_NE(field, nullptr);
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDOK));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog); }, 5000));
}

TEST(FileListE2E, ListsKeepReadOnlyTabsLeaveOutUntitledOnesAndNeverNest) {
    ASSERT_TRUE(e2e::ResetSettings());
    const std::string work = e2e::WorkDir() + "\\lists";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::CreateDirectoryA(work.c_str(), nullptr);
    const std::string a = work + "\\a.html", b = work + "\\b.css", nested = work + "\\other.PQL";
    const std::string first = work + "\\first.pql", saved = work + "\\saved.pql";
    ASSERT_TRUE(e2e::WriteFileBytes(a, "a\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(b, "b\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(first, "# filelist for Pembroquil\r\n1" + a + "\r\n0" + nested + "\r\n0" + b));
    ::DeleteFileA(saved.c_str());
    {
        e2e::Program app;
        ASSERT_TRUE(app.Start());
        Command(app, ID_FILE_OPEN_FILELIST);
        ChooseFile(app, first);
        Answer(app, nested + " はPembroquil専用ファイルリストです。\nファイルリストの中でファイルリストを開くことはできません。",
               IDOK);
        ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - b.css"; }, 5000)) << app.Title();
        Command(app, ID_FILE_NEW);
        ASSERT_TRUE(e2e::WaitFor([&] { return app.Title().find("無題") != std::string::npos; }, 5000));
        Command(app, ID_FILE_SAVE_FILELIST);
        ChooseFile(app, saved);
        std::string bytes;
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(saved, &bytes) && !bytes.empty(); }, 5000));
        EXPECT_EQ(bytes, "# filelist for Pembroquil\r\n1" + a + "\r\n0" + b);
        EXPECT_EQ(app.Close(), 0);
    }
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    Command(app, ID_FILE_OPEN_FILELIST);
    ChooseFile(app, saved);
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - b.css"; }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+Prior"));
    EXPECT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - a.html [上書き禁止]"; }, 5000)) << app.Title();
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
