// The real program's documents: files in each code and line end are opened,
// edited with typed Japanese and saved byte for byte with a backup of the
// old bytes; a file another program writes opens read-only; closing a
// modified tab asks and Cancel keeps it; a save into a folder that refuses
// new files leaves the original as it was and the tab modified.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
#include "resources/resource.h"

namespace {

constexpr char kEsc = '\x1B';

class DocumentsE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\docs";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::string PathOf(const std::string& name) const { return folder + "\\" + name; }
    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
    static bool TitleIs(const e2e::Program& app, const std::string& title) { return app.Title() == title; }
    static void Command(const e2e::Program& app, UINT id) {
        ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // Answers the message box that must come with `text` by pressing `button`.
    static void Answer(const e2e::Program& app, const std::string& text, int button) {
        HWND box = app.WaitMessageBox();
        ASSERT_NE(box, nullptr) << "no message box for: " << text;
        EXPECT_EQ(e2e::MessageBoxText(box), text);
        ASSERT_TRUE(e2e::PressDialogButton(box, button));
        ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000));
    }
    std::string folder;
};

TEST_F(DocumentsE2E, EachCodeAndLineEndIsSavedByteForByteWithABackup) {
    ASSERT_TRUE(e2e::WriteSettingInt("Main", "Backup", 1));
    struct Case {
        const char* name;
        std::string before;  // テスト, a line end, abc, a line end
        std::string after;   // with 日本 typed at the start
    } cases[] = {
        {"sjis-crlf.html", "\x83\x65\x83\x58\x83\x67\r\nabc\r\n",
         "\x93\xFA\x96\x7B\x83\x65\x83\x58\x83\x67\r\nabc\r\n"},
        {"jis-cr.html", std::string() + kEsc + "$B%F%9%H" + kEsc + "(B\rabc\r",
         std::string() + kEsc + "$BF|K\\%F%9%H" + kEsc + "(B\rabc\r"},
        {"euc-lf.html", "\xA4\xB3\xA4\xEC\xA4\xCF\xA5\xC6\xA5\xB9\xA5\xC8\nabc\n",
         "\xC6\xFC\xCB\xDC\xA4\xB3\xA4\xEC\xA4\xCF\xA5\xC6\xA5\xB9\xA5\xC8\nabc\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(c.name);
        ::DeleteFileA((path + ".bak").c_str());
        ASSERT_TRUE(e2e::WriteFileBytes(path, c.before));
        e2e::Program app;
        ASSERT_TRUE(app.Start(Quoted(path)));
        const std::string title = std::string("Pembroquil - ") + c.name;
        ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, title); }, 5000)) << app.Title();
        // The first key after the start can be lost on the virtual display
        // (the window is still taking the focus): a harmless key goes first.
        // One character per call: xdotool maps each character to a spare
        // key, and a character typed right after a remapping can be lost.
        ASSERT_TRUE(app.Key("ctrl+Home"));
        for (const char* ch : {"日", "本"}) ASSERT_TRUE(app.Type(ch));
        EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, title + " [更新]"); }, 5000)) << app.Title();
        ASSERT_TRUE(app.Key("ctrl+s"));
        EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, title); }, 5000)) << app.Title();
        std::string bytes, backup;
        ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
        EXPECT_EQ(bytes, c.after);
        ASSERT_TRUE(e2e::ReadFileBytes(path + ".bak", &backup));
        EXPECT_EQ(backup, c.before);
        // The file is held again, denying writes, and no temporary file is left.
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE);
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        WIN32_FIND_DATAA found;
        HANDLE find = ::FindFirstFileA((folder + "\\~*").c_str(), &found);
        EXPECT_EQ(find, INVALID_HANDLE_VALUE);
        if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
        EXPECT_EQ(app.Close(), 0);
    }
}

TEST_F(DocumentsE2E, AFileAnotherProgramWritesOpensReadOnly) {
    const std::string path = PathOf("held.html");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "<p>held</p>\r\n"));
    // This test program is the other program: it holds the file for writing.
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    e2e::Program app;
    ASSERT_TRUE(app.Launch(Quoted(path)));
    ASSERT_TRUE(app.AttachWindow());
    Answer(app, path + "\nは他のプロセスによって現在上書きが禁止されています。", IDOK);
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - held.html [上書き禁止]"); }, 5000))
        << app.Title();
    // Save refuses.
    Command(app, ID_FILE_SAVE);
    Answer(app, path + "\nは上書き禁止なので保存できません。", IDOK);
    ::CloseHandle(held);
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(DocumentsE2E, ClosingAModifiedTabAsksAndCancelKeepsIt) {
    const std::string path = PathOf("close.html");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "abc\r\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(path)));
    ASSERT_TRUE(app.Type("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - close.html [更新]"); }, 5000)) << app.Title();
    Command(app, ID_FILE_CLOSE);
    Answer(app, "close.htmlの内容が変更されています。\n保存しますか？", IDCANCEL);
    app.WaitIdle();
    EXPECT_EQ(app.Title(), "Pembroquil - close.html [更新]");
    // Closing the program asks again; Cancel keeps it running.
    ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    Answer(app, "close.html の内容が変更されています。\n保存しますか？", IDCANCEL);
    app.WaitIdle();
    EXPECT_TRUE(app.Running());
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "abc\r\n");
    // No: the tab closes unsaved and an untitled one takes its place.
    Command(app, ID_FILE_CLOSE);
    Answer(app, "close.htmlの内容が変更されています。\n保存しますか？", IDNO);
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - 無題1"); }, 5000)) << app.Title();
    EXPECT_EQ(app.Close(), 0);
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "abc\r\n");
}

TEST_F(DocumentsE2E, ASaveIntoAFolderThatRefusesNewFilesLeavesTheOriginal) {
    const std::string locked = folder + "\\locked";
    ::CreateDirectoryA(locked.c_str(), nullptr);
    const std::string path = locked + "\\keep.html";
    e2e::RunHostProgram("chattr -i '" + e2e::ToUnixPath(locked) + "'");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "original\r\n"));
    if (e2e::RunHostProgram("chattr +i '" + e2e::ToUnixPath(locked) + "'") != 0)
        GTEST_SKIP() << "the folder cannot be made to refuse new files here";
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(path)));
    ASSERT_TRUE(app.Type("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - keep.html [更新]"); }, 5000)) << app.Title();
    Command(app, ID_FILE_SAVE);
    HWND box = app.WaitMessageBox();
    ASSERT_NE(box, nullptr);
    const std::string text = e2e::MessageBoxText(box);
    EXPECT_EQ(text.rfind(path + "\n", 0), 0u) << text;
    e2e::PressDialogButton(box, IDOK);
    app.WaitIdle();
    EXPECT_EQ(app.Title(), "Pembroquil - keep.html [更新]");
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "original\r\n");
    EXPECT_TRUE(app.Screenshot("documents-save-refused"));
    e2e::RunHostProgram("chattr -i '" + e2e::ToUnixPath(locked) + "'");
    ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    Answer(app, "keep.html の内容が変更されています。\n保存しますか？", IDNO);
    EXPECT_NE(app.WaitExit(20000), -1);
}

TEST_F(DocumentsE2E, TwoTabsAreShownAndSwitched) {
    const std::string a = PathOf("first.html"), b = PathOf("second.css");
    ASSERT_TRUE(e2e::WriteFileBytes(a, "<p>一つ目</p>\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(b, "p { color: red; }\r\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(a)));
    // A second start hands its file to the running program.
    e2e::Program second;
    ASSERT_TRUE(second.Launch(Quoted(b)));
    EXPECT_NE(second.WaitExit(20000), -1);
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - second.css"); }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+Next"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - first.html"); }, 5000)) << app.Title();
    EXPECT_TRUE(app.Screenshot("documents-two-tabs"));
    // Enough new documents to need the strip's scroll arrows.
    for (int i = 0; i < 12; ++i) Command(app, ID_FILE_NEW);
    EXPECT_TRUE(e2e::WaitFor([&] { return TitleIs(app, "Pembroquil - 無題12"); }, 5000)) << app.Title();
    EXPECT_TRUE(app.Screenshot("documents-many-tabs"));
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
