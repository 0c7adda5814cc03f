// The preview under Wine, which has no page renderer: the browser host's
// state (its window, the calls returning), a tab switching between editor
// and browser with its image, the temporary file beside the document, and
// the messages of the preview commands.
#include "support/RecordingMessageBoxes.h"
#include <gtest/gtest.h>

#include <deque>

#include "documents/win/DocTabWnd.h"
#include "documents/win/WebBrowser.h"
#include "e2e/E2E.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"
#include "win32/support/TestHostWindow.h"

namespace {

using Boxes = RecordingMessageBoxes;

struct Recorder : IDocTabHost {
    int documents = 0, previews = 0;
    void DocumentShown(const std::string&, const std::string&, int, int) override { ++documents; }
    void TitleChanged(const std::string&) override {}
    void PreviewShown(const std::string&) override { ++previews; }
};

class PreviewWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::OleInitialize(nullptr);
        folder = e2e::WorkDir() + "\\preview";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        oldBoxes = SetMessageBoxService(&boxes);
        ASSERT_TRUE(host.Create("PqPreviewTestHost"));
        ASSERT_TRUE(docs.CreateDocWindow(host.m_hWnd, &recorder));
        docs.MoveWindow(0, 0, 600, 380);
    }
    void TearDown() override {
        if (docs.m_hWnd) docs.DestroyWindow();
        if (host.m_hWnd) host.DestroyWindow();
        SetMessageBoxService(oldBoxes);
        ::OleUninitialize();
    }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = folder + "\\" + name;
        EXPECT_TRUE(e2e::WriteFileBytes(path, bytes));
        return path;
    }

    std::string folder;
    CTestHostWindow host;
    CDocTabWnd docs;
    Recorder recorder;
    Boxes boxes;
    IMessageBoxService* oldBoxes = nullptr;
};

TEST_F(PreviewWinTest, TheHostMakesTheControlAndItsCallsReturn) {
    CWebBrowser browser;
    ASSERT_TRUE(browser.Create(host.m_hWnd));
    ASSERT_TRUE(::IsWindow(browser.Window()));
    EXPECT_EQ(::GetDlgCtrlID(browser.Window()), static_cast<int>(CWebBrowser::kControlId));
    EXPECT_EQ(::GetParent(browser.Window()), host.m_hWnd);
    const std::string page = File("host.html", "<p>x</p>");
    EXPECT_TRUE(browser.Navigate(page));
    EXPECT_TRUE(browser.Navigate("about:blank"));
    EXPECT_EQ(browser.NavigateCount(), 2);
    browser.Refresh();
    browser.GoBack();
    browser.GoForward();
    const HWND window = browser.Window();
    browser.Destroy();
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(PreviewWinTest, TheInternalBrowserTogglesWithImageAndKeepsItsControl) {
    ::CreateDirectoryA((folder + "\\www").c_str(), nullptr);
    const std::string page = File("www\\sub.html", "<p>a</p>");
    ASSERT_EQ(docs.OpenDocFile(page, false, false), 1);
    docs.OnPreview(ID_TOOL_INNER_BROWSER);
    ASSERT_EQ(docs.GetPreviewShown(-1), 1) << (boxes.texts.empty() ? "" : boxes.texts[0]);
    CWebBrowser* browser = docs.GetBrowser(-1);
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(::IsWindowVisible(browser->Window()));
    EXPECT_EQ(docs.ActiveView(), browser->Window());
    EXPECT_EQ(docs.GetTabImage(0), 2);
    EXPECT_EQ(recorder.previews, 1);
    EXPECT_EQ(browser->NavigateCount(), 1);

    docs.OnPreview(ID_TOOL_INNER_BROWSER);
    EXPECT_EQ(docs.GetPreviewShown(-1), 0);
    EXPECT_FALSE(::IsWindowVisible(browser->Window()));
    EXPECT_EQ(docs.ActiveView(), docs.GetEditor(-1)->m_hWnd);
    EXPECT_EQ(docs.GetBrowser(-1), browser) << "the control lives until the tab closes";

    // Mapped through the local server: image 4 and a fresh navigation.
    preview::ServerBlock server = docs.PreviewSettings().server;
    server.localServer = 1;
    server.replacePath = folder + "\\www";
    docs.SetServerBlock(server);
    EXPECT_EQ(docs.GetNavigateOnShow(-1), 1);
    bool mapped = false;
    EXPECT_EQ(docs.PreviewAddress(&mapped), "http://localhost/sub.html");
    EXPECT_TRUE(mapped);
    docs.OnPreview(ID_TOOL_INNER_BROWSER);
    EXPECT_EQ(docs.GetTabImage(0), 4);
    EXPECT_EQ(browser->NavigateCount(), 2);
    docs.OnLocalServer();  // off: the shown tab navigates to the plain path
    EXPECT_EQ(docs.GetTabImage(0), 2);
    EXPECT_EQ(browser->NavigateCount(), 3);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(PreviewWinTest, TemporaryFileBesideTheDocumentOneAtATime) {
    const std::string doc = File("t.shtml", "old\r\n");
    ASSERT_EQ(docs.OpenDocFile(doc, false, false), 1);
    docs.GetEditor(-1)->Model().ReplaceSelection("表new", true);
    const std::string first = docs.MakeTempFile(-1);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.rfind(folder + "\\", 0), 0u) << first;
    EXPECT_EQ(first.substr(first.size() - 6), ".shtml");
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(first, &bytes));
    EXPECT_EQ(bytes, "表newold\r\n");
    const std::string second = docs.MakeTempFile(-1);
    EXPECT_NE(second, first);
    EXPECT_EQ(::GetFileAttributesA(first.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(second.c_str());  // already gone: no message
    docs.DestroyWindow();
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(PreviewWinTest, CommandMessages) {
    const std::string doc = File("m.html", "m\r\n");
    ASSERT_EQ(docs.OpenDocFile(doc, false, false), 1);
    // No browser program set.
    docs.OnPreview(ID_TOOL_IE);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], preview::kBadBrowserPath);
    // Method 0, modified, Cancel: refused, the editor stays.
    docs.GetEditor(-1)->Model().ReplaceSelection("x", true);
    docs.OnPreview(ID_TOOL_INNER_BROWSER);
    ASSERT_EQ(boxes.texts.size(), 3u);
    EXPECT_EQ(boxes.texts[1], preview::kAskSave);
    EXPECT_EQ(boxes.texts[2], preview::kRefusedSave);
    EXPECT_EQ(docs.GetPreviewShown(-1), 0);
    // OK saves, then previews.
    boxes.answers.push_back(IDOK);
    docs.OnPreview(ID_TOOL_INNER_BROWSER);
    EXPECT_EQ(docs.GetPreviewShown(-1), 1);
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(doc, &bytes));
    EXPECT_EQ(bytes, "xm\r\n");
    docs.OnPreview(0);
    EXPECT_EQ(boxes.texts.back(), preview::kNoBrowserInfo);
}

}  // namespace
