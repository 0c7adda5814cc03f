// The real program's find and replace and line tools: すべて置換 on a
// Japanese page with its count message, the saved bytes and one Ctrl+Z per
// replacement; F3 after a restart with the stored find text; insertion at the
// head of LF lines; a screenshot of each dialog.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
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
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    if (owner == s->pid && std::string(cls) == "#32770" && ::IsWindowVisible(h) && e2e::WindowText(h) == *s->title) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A shown dialog of the program with this title, waiting for it.
HWND WaitDialog(const e2e::Program& app, const std::string& title, DWORD timeoutMs = 10000) {
    HWND found = nullptr;
    e2e::WaitFor(
        [&] {
            TitledSearch s = {app.ProcessId(), &title, nullptr};
            ::EnumWindows(&MatchTitled, reinterpret_cast<LPARAM>(&s));
            found = s.found;
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// The text of a control of the program (WM_GETTEXT: GetWindowText reads
// only the caption of another process's window).
std::string ControlText(HWND control) {
    char buffer[256] = {};
    ::SendMessageA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

class SearchE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\search";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
    static void Command(const e2e::Program& app, UINT id) {
        ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // Reads the message box titled "Pembroquil" and presses OK.
    static std::string AnswerBox(const e2e::Program& app) {
        HWND box = WaitDialog(app, "Pembroquil");
        if (!box) return "<no message box>";
        const std::string text = e2e::MessageBoxText(box);
        e2e::PressDialogButton(box, IDOK);
        e2e::WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000);
        return text;
    }
    static bool Save(const e2e::Program& app, const std::string& title) {
        Command(app, ID_FILE_SAVE);
        return e2e::WaitFor([&] { return app.Title() == title; }, 5000);
    }
    std::string folder;
};

TEST_F(SearchE2E, ReplaceAllOnAJapanesePageIsUndoneOneReplacementAtATime) {
    const std::string path = folder + "\\replace.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "<p>表示</p>\r\n<p>表示と表\\</p>\r\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(path)));
    const std::string title = "Pembroquil - replace.html";
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == title; }, 5000)) << app.Title();
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(app.Key("ctrl+Home"));  // the first key after the start can be lost
    app.WaitIdle();
    ::SendMessageA(editor, 0x0417, 3, 7);  // select 表示: the find text comes from the selection
    ASSERT_TRUE(app.Key("ctrl+h"));
    HWND dialog = WaitDialog(app, "置換");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ("表示", ControlText(::GetDlgItem(dialog, IDC_FIND_TEXT)));
    ::SendMessageA(::GetDlgItem(dialog, IDC_REPLACE_TEXT), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(static_cast<const char*>("説明")));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("search-replace"));
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDC_REPLACE_ALL));
    EXPECT_EQ("2個の置換を行いました。", AnswerBox(app));
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDCANCEL));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog); }, 5000));
    ASSERT_TRUE(Save(app, title));
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ("<p>説明</p>\r\n<p>説明と表\\</p>\r\n", bytes);
    ASSERT_TRUE(app.Key("ctrl+z"));  // the last replacement only
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == title + " [更新]"; }, 5000)) << app.Title();
    ASSERT_TRUE(Save(app, title));
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ("<p>説明</p>\r\n<p>表示と表\\</p>\r\n", bytes);
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(SearchE2E, FindNextAfterARestartUsesTheStoredText) {
    const std::string path = folder + "\\findnext.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "first\r\nsecond abc\r\n"));
    ASSERT_TRUE(e2e::WriteSettingString("History\\Find", "LatestFindText", "abc"));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(path)));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - findnext.html"; }, 5000)) << app.Title();
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ASSERT_TRUE(app.Key("F3"));
    // The match is selected with the caret at its end: line 2, column 11.
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(1) == " 2行、11列 "; }, 5000)) << app.StatusText(1);
    ASSERT_TRUE(app.Key("F3"));
    EXPECT_EQ("'abc' の検索は終了しました。", AnswerBox(app));
    // The find dialog shows its history and options; photographed.
    Command(app, ID_EDIT_FIND);
    HWND find = WaitDialog(app, "検索");
    ASSERT_NE(find, nullptr);
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("search-find"));
    e2e::PressDialogButton(find, IDCANCEL);
    Command(app, ID_EDIT_GOTO_LINE);
    HWND go = WaitDialog(app, "指定行 最大3行");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ("2", ControlText(::GetDlgItem(go, IDC_LINE_NUMBER)));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("search-goto-line"));
    e2e::PressDialogButton(go, IDCANCEL);
    EXPECT_EQ(app.Close(), 0);
    std::string latest;
    EXPECT_TRUE(e2e::ReadSettingString("History\\Find", "LatestFindText", &latest));
    EXPECT_EQ("abc", latest);
}

TEST_F(SearchE2E, InsertAtTheHeadOfLfLines) {
    const std::string path = folder + "\\insert.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "a\nb\nc\n"));
    e2e::Program app;
    ASSERT_TRUE(app.Start(Quoted(path)));
    const std::string title = "Pembroquil - insert.html";
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == title; }, 5000)) << app.Title();
    Command(app, ID_EDIT_INSERT_STRING);
    HWND dialog = WaitDialog(app, "行頭末に文字列を挿入 最大4行");
    ASSERT_NE(dialog, nullptr);
    for (auto [id, text] : {std::pair<int, const char*>{IDC_INSERT_START, "1"}, {IDC_INSERT_END, "3"},
                            {IDC_INSERT_TEXT, "＞ "}})
        ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    app.WaitIdle();
    EXPECT_TRUE(app.Screenshot("search-insert-string"));
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDC_INSERT_HEAD));
    ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog); }, 5000));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == title + " [更新]"; }, 5000)) << app.Title();
    ASSERT_TRUE(Save(app, title));
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ("＞ a\n＞ b\n＞ c\n", bytes);
    EXPECT_EQ(app.Close(), 0);
    std::string stored;
    EXPECT_TRUE(e2e::ReadSettingString("Main", "InsertString", &stored));
    EXPECT_EQ("＞ ", stored);
}

}  // namespace
