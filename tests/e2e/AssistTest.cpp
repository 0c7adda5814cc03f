// Input assist in the real program: the element list after "<" in an HTML
// document, attribute and value assist chained from the keys and the Edit
// menu, the variable list of a CGI file, and keys that go on as typing when
// no list can be shown.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
#include "editor/core/InputAssist.h"

namespace {

constexpr int kListId = 4011;

class AssistE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    }
    static LRESULT Length(HWND editor) { return ::SendMessageA(editor, 0x0419, 0, 0); }
    static HWND List(HWND editor) { return ::GetDlgItem(editor, kListId); }
    static std::vector<editor::assist::Entry> Shipped(const char* file, const char* section) {
        std::string bytes;
        e2e::ReadFileBytes(e2e::OutDir() + "\\Assist\\" + file, &bytes);
        return editor::assist::ProfileText(bytes).Entries(section);
    }
    static void CloseUnsaved(e2e::Program& app) {
        ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
        if (HWND box = app.WaitMessageBox(8000)) e2e::PressDialogButton(box, IDNO);
        EXPECT_EQ(app.WaitExit(20000), 0);
    }
};

TEST_F(AssistE2E, ElementListReplacesTheLessThanSignAndUndoBringsItBack) {
    const auto entries = Shipped("HTML.ast", "<");
    ASSERT_GT(entries.size(), 10u);
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(app.Key("less ctrl+shift+space"));
    ASSERT_TRUE(e2e::WaitFor([&] { return List(editor) != nullptr; }, 5000));
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(0) == entries[0].comment; }, 3000)) << app.StatusText(0);
    app.WaitIdle();
    app.Screenshot("assist-elements");
    ASSERT_TRUE(app.Key("Down Return"));
    EXPECT_TRUE(e2e::WaitFor([&] { return List(editor) == nullptr; }, 5000));
    EXPECT_TRUE(e2e::WaitFor([&] { return Length(editor) == static_cast<LRESULT>(entries[1].word.size()); }, 5000))
        << Length(editor);
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(0) == "\x83\x8c\x83\x66\x83\x42"; }, 3000));
    ASSERT_TRUE(app.Key("ctrl+z"));
    EXPECT_TRUE(e2e::WaitFor([&] { return Length(editor) == 1; }, 5000)) << Length(editor);
    CloseUnsaved(app);
}

TEST_F(AssistE2E, AttributeThenValueAssistFromTheEditMenu) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(app.Type("<a "));
    ASSERT_TRUE(e2e::WaitFor([&] { return Length(editor) == 3; }, 5000));
    ASSERT_TRUE(app.Key("shift+space"));
    ASSERT_TRUE(e2e::WaitFor([&] { return List(editor) != nullptr; }, 5000));
    // Shift+Space in the list moves up and opens no second list.
    ASSERT_TRUE(app.Key("Down Down shift+space"));
    app.WaitIdle();
    EXPECT_EQ(Length(editor), 3);
    // Type-ahead picks "href=".
    ASSERT_TRUE(app.Key("h Return"));
    EXPECT_TRUE(e2e::WaitFor([&] { return Length(editor) == 8; }, 5000)) << Length(editor);
    EXPECT_TRUE(e2e::WaitFor([&] { return List(editor) == nullptr; }, 5000));
    // Value assist has no key: the Edit menu.
    ASSERT_TRUE(app.Key("alt"));
    ASSERT_TRUE(app.Key("e"));
    ::Sleep(300);
    ASSERT_TRUE(app.Key("v"));
    EXPECT_TRUE(e2e::WaitFor([&] { return List(editor) != nullptr; }, 5000));
    app.WaitIdle();
    app.Screenshot("assist-values");
    const auto values = Shipped("HTML attribute.ast", "a::href");
    ASSERT_FALSE(values.empty());
    ASSERT_TRUE(app.Key("Return"));
    EXPECT_TRUE(e2e::WaitFor([&] { return List(editor) == nullptr; }, 5000));
    EXPECT_TRUE(e2e::WaitFor([&] { return Length(editor) == static_cast<LRESULT>(8 + values[0].word.size()); }, 5000))
        << Length(editor);
    CloseUnsaved(app);
}

TEST_F(AssistE2E, CgiFileOffersPerlVariables) {
    const std::string path = e2e::WorkDir() + "\\assist.cgi";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "#!/usr/bin/perl\r\n"));
    const auto entries = Shipped("CGI.ast", "$");
    ASSERT_FALSE(entries.empty());
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(app.Key("ctrl+End dollar ctrl+shift+space"));
    ASSERT_TRUE(e2e::WaitFor([&] { return List(editor) != nullptr; }, 5000));
    app.WaitIdle();
    app.Screenshot("assist-cgi");
    ASSERT_TRUE(app.Key("Return"));
    EXPECT_TRUE(e2e::WaitFor(
        [&] { return Length(editor) == static_cast<LRESULT>(17 + entries[0].word.size()); }, 5000))
        << Length(editor);
    CloseUnsaved(app);
}

}  // namespace
