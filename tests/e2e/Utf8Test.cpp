// UTF-8 pages in the real program: a page with characters code page 932
// cannot hold is edited and saved byte for byte, then saved as SHIFT JIS
// with references; a SHIFT JIS page is saved as UTF-8 from the menu with its
// charset declaration rewritten.
#include <gtest/gtest.h>

#include "documents/core/DocFlows.h"
#include "e2e/E2E.h"
#include "resources/resource.h"

namespace {

// NO-BREAK SPACE, ©, 〜 (U+301C) and 𠮷 in UTF-8, and 日本語 in UTF-8 and SHIFT JIS.
const std::string kPage = "<p>\xC2\xA0\xC2\xA9\xE3\x80\x9C\xF0\xA0\xAE\xB7</p>\r\n";
const std::string kNihongo = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

class Utf8E2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        folder = e2e::WorkDir() + "\\utf8";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    static void Command(const e2e::Program& app, UINT id) {
        ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    static void Answer(const e2e::Program& app, const std::string& text, int button) {
        HWND box = app.WaitMessageBox();
        ASSERT_NE(box, nullptr) << "no message box for: " << text;
        EXPECT_EQ(e2e::MessageBoxText(box), text);
        ASSERT_TRUE(e2e::PressDialogButton(box, button));
        ASSERT_TRUE(e2e::WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000));
    }
    std::string folder;
};

TEST_F(Utf8E2E, APageIsEditedAndSavedByteForByteThenAsShiftJisWithReferences) {
    const std::string path = folder + "\\page.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, kPage));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html"; }, 5000)) << app.Title();
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(2) == "UTF-8"; }, 3000)) << app.StatusText(2);
    // Keys right after the start can be lost while the window takes the
    // focus on a loaded machine: harmless keys and a pause go first.
    app.WaitIdle();
    ::Sleep(1000);
    ASSERT_TRUE(app.Key("ctrl+Home"));
    ASSERT_TRUE(app.Key("ctrl+Home"));
    for (const char* ch : {"日", "本", "語"}) ASSERT_TRUE(app.Type(ch));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html [更新]"; }, 5000)) << app.Title();
    app.Screenshot("utf8-page");
    ASSERT_TRUE(app.Key("ctrl+s"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html"; }, 5000)) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, kNihongo + kPage);

    // As SHIFT JIS: the four characters become references after the question.
    Command(app, ID_CODE_SJIS);
    ASSERT_TRUE(app.Type("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html [更新]"; }, 5000)) << app.Title();
    Command(app, ID_FILE_SAVE);
    Answer(app, docs::ReferencesQuestion(path, 4, "SJIS"), IDOK);
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - page.html"; }, 5000)) << app.Title();
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "\x93\xFA\x96\x7B\x8C\xEAx<p>&#xA0;&#xA9;&#x301C;&#x20BB7;</p>\r\n");
    EXPECT_EQ(app.Close(), 0);
}

TEST_F(Utf8E2E, AShiftJisPageSavedAsUtf8GetsItsDeclarationRewritten) {
    const std::string path = folder + "\\sjis.html";
    const std::string before = "<meta charset=\"Shift_JIS\">\r\n\x93\xFA\x96\x7B\x8C\xEA\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(path, before));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - sjis.html"; }, 5000)) << app.Title();
    Command(app, ID_CODE_UTF8);
    ASSERT_TRUE(app.Key("ctrl+End"));
    ASSERT_TRUE(app.Type("x"));
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - sjis.html [更新]"; }, 5000)) << app.Title();
    Command(app, ID_FILE_SAVE);
    Answer(app, docs::DeclarationQuestion(path, "Shift_JIS", "UTF-8"), IDYES);
    ASSERT_TRUE(e2e::WaitFor([&] { return app.Title() == "Pembroquil - sjis.html"; }, 5000)) << app.Title();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "<meta charset=\"UTF-8\">\r\n" + kNihongo + "\r\nx");
    EXPECT_TRUE(e2e::WaitFor([&] { return app.StatusText(2) == "UTF-8"; }, 3000)) << app.StatusText(2);
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
