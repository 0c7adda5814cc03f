// The real program hands documents to an external browser: a batch file
// that records its arguments and copies the file it is given stands in for
// the browser. A temporary file lies beside the document with its
// extension and the editor's bytes; the previous one is gone and none is
// left after exit; a folder with a space arrives as one argument.
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

}  // namespace
