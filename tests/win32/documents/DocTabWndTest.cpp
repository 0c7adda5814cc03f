// The document window in a test host: untitled tabs and their reuse, the
// same file opened twice, closing the last tab, moving tabs, saving with a
// backup, Save As through the dialog with the default extension, Save As
// onto a file another tab shows, and the title marks.
#include "support/RecordingMessageBoxes.h"
#include <gtest/gtest.h>

#include <deque>

#include "documents/win/DocTabWnd.h"
#include "editor/win/EditorDragDrop.h"
#include "e2e/E2E.h"
#include "framework/core/PathUtil.h"
#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "win32/support/TestHostWindow.h"

namespace {

struct Recorder : IDocTabHost {
    std::string title, path;
    int loadCode = -1, returnCode = -1;
    void DocumentShown(const std::string& t, const std::string& p, int code, int ret) override {
        title = t;
        path = p;
        loadCode = code;
        returnCode = ret;
    }
    void TitleChanged(const std::string& t) override { title = t; }
};

using Boxes = RecordingMessageBoxes;

struct Dialogs : IFileDialogService {
    std::deque<std::string> paths;
    std::vector<std::string> initials;
    INT_PTR Run(CFileDialog& dialog) override {
        initials.push_back(dialog.InitialName());
        if (paths.empty()) return IDCANCEL;
        dialog.SetResult(paths.front(), false);
        paths.pop_front();
        return IDOK;
    }
};

class DocTabWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = e2e::WorkDir() + "\\doctab";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        oldBoxes = SetMessageBoxService(&boxes);
        oldDialogs = SetFileDialogService(&dialogs);
        ASSERT_TRUE(host.Create("PqDocTabTestHost"));
        ASSERT_TRUE(docs.CreateDocWindow(host.m_hWnd, &recorder));
        docs.MoveWindow(0, 0, 600, 380);
    }
    void TearDown() override {
        if (docs.m_hWnd) docs.DestroyWindow();
        if (host.m_hWnd) host.DestroyWindow();
        SetMessageBoxService(oldBoxes);
        SetFileDialogService(oldDialogs);
    }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = folder + "\\" + name;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(e2e::WriteFileBytes(path, bytes));
        return path;
    }
    void Type(const std::string& text) { docs.GetEditor(-1)->Model().ReplaceSelection(text, true); }

    std::string folder;
    CTestHostWindow host;
    CDocTabWnd docs;
    Recorder recorder;
    Boxes boxes;
    Dialogs dialogs;
    IMessageBoxService* oldBoxes = nullptr;
    IFileDialogService* oldDialogs = nullptr;
};

TEST_F(DocTabWndTest, TheUntouchedUntitledTabIsReusedAndItsNumberComesBack) {
    ASSERT_EQ(docs.TabCount(), 1);
    EXPECT_EQ(docs.GetTabText(0), "無題1");
    EXPECT_EQ(recorder.title, "Pembroquil - 無題1");
    const std::string a = File("reuse.html", "abc\r\n");
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    EXPECT_EQ(docs.TabCount(), 1);
    EXPECT_EQ(docs.GetTabText(0), "reuse.html");
    EXPECT_EQ(recorder.title, "Pembroquil - reuse.html");
    EXPECT_TRUE(pathutil::EqualNoCase(recorder.path, a)) << recorder.path;
    docs.OnFileNew();
    EXPECT_EQ(docs.TabCount(), 2);
    EXPECT_EQ(docs.GetTabText(1), "無題1");
    docs.OnFileNew();
    EXPECT_EQ(docs.GetTabText(2), "無題2");
    // A modified untitled tab is not reused.
    Type("x");
    const std::string b = File("second.html", "b\n");
    ASSERT_EQ(docs.OpenDocFile(b, false, false), 1);
    EXPECT_EQ(docs.TabCount(), 4);
    EXPECT_EQ(recorder.returnCode, 2);  // LF
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DocTabWndTest, OpeningAnOpenFileInAnyCaseOnlySelectsItsTab) {
    const std::string a = File("same.html", "abc\r\n");
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    docs.OnFileNew();
    ASSERT_EQ(docs.SelectedIndex(), 1);
    std::string upper = a;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    ASSERT_EQ(docs.OpenDocFile(upper, false, false), 1);
    EXPECT_EQ(docs.TabCount(), 2);
    EXPECT_EQ(docs.SelectedIndex(), 0);
}

TEST_F(DocTabWndTest, ClosingTabsSelectsTheNeighbourAndTheLastLeavesAnUntitledTab) {
    docs.OnFileNew();
    docs.OnFileNew();
    ::SendMessageA(docs.TabStrip(), TCM_SETCURSEL, 2, 0);
    docs.ActivateTab(2);
    docs.OnFileClose();
    EXPECT_EQ(docs.TabCount(), 2);
    EXPECT_EQ(docs.SelectedIndex(), 1);
    docs.OnFileClose();
    docs.OnFileClose();
    EXPECT_EQ(docs.TabCount(), 1);
    EXPECT_EQ(docs.GetTabText(0), "無題4");
    EXPECT_EQ(recorder.title, "Pembroquil - 無題4");
}

TEST_F(DocTabWndTest, MovingATabTakesItsDocumentAlong) {
    docs.OnFileNew();
    docs.OnFileNew();
    CCanvasEdit* second = docs.GetEditor(1);
    docs.MoveTab(1, -1);
    EXPECT_EQ(docs.GetTabText(0), "無題1");
    EXPECT_EQ(docs.GetTabText(1), "無題3");
    EXPECT_EQ(docs.GetTabText(2), "無題2");
    EXPECT_EQ(docs.GetEditor(2), second);
    EXPECT_EQ(docs.SelectedIndex(), 2);
    EXPECT_EQ(docs.ActiveView(), second->m_hWnd);
}

TEST_F(DocTabWndTest, TitleMarksFollowTheModifiedState) {
    Type("あ");
    EXPECT_EQ(recorder.title, "Pembroquil - 無題1 [更新]");
    EXPECT_EQ(docs.GetTabImage(0), docs::kImageModified);
    docs.GetEditor(-1)->Model().Undo();
    EXPECT_EQ(recorder.title, "Pembroquil - 無題1");
    EXPECT_EQ(docs.GetTabImage(0), docs::kImagePlain);
}

TEST_F(DocTabWndTest, SaveKeepsABackupAndHoldsTheFileAgain) {
    docs::FileSettings s = docs.FileSettings();
    s.backup = 1;
    docs.SetFileSettings(s);
    const std::string a = File("backup.html", "old\r\n");
    ::DeleteFileA((a + ".bak").c_str());
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    Type("new ");
    docs.OnFileSave();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "new old\r\n");
    ASSERT_TRUE(e2e::ReadFileBytes(a + ".bak", &bytes));
    EXPECT_EQ(bytes, "old\r\n");
    EXPECT_EQ(recorder.title, "Pembroquil - backup.html");
    HANDLE h = ::CreateFileA(a.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DocTabWndTest, SavingAHiddenFileKeepsItHidden) {
    const std::string a = File("hidden.html", "old\r\n");
    ASSERT_TRUE(::SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    Type("new ");
    docs.OnFileSave();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "new old\r\n");
    const DWORD attributes = ::GetFileAttributesA(a.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(DocTabWndTest, SaveAsAddsTheDefaultExtensionAndAsksAboutThatName) {
    const std::string target = folder + "\\readme.html";
    File("readme.html", "keep");
    Type("text");
    dialogs.paths = {folder + "\\readme", folder + "\\readme"};
    boxes.answers = {IDNO, IDYES};
    docs.OnFileSaveAs();
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], target + " は既に存在します。\n上書きしますか？");
    EXPECT_EQ(dialogs.initials, (std::vector<std::string>{"無題1", folder + "\\readme"}));
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(target, &bytes));
    EXPECT_EQ(bytes, "text");
    EXPECT_EQ(docs.GetTabText(0), target);
    EXPECT_EQ(recorder.title, "Pembroquil - " + target);
}

TEST_F(DocTabWndTest, SaveAsOntoAFileAnotherTabShowsIsRefused) {
    const std::string a = File("shown.html", "shown\r\n");
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    docs.OnFileNew();
    Type("other");
    // The same file named through another folder is the same file.
    const std::string roundabout = folder + "\\..\\doctab\\shown.html";
    dialogs.paths = {roundabout, roundabout};
    docs.OnFileSaveAs();
    EXPECT_EQ(dialogs.initials.size(), 1u);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("別のタブで開かれている"), std::string::npos);
    EXPECT_EQ(docs.TabCount(), 2);
    EXPECT_EQ(docs.GetTabText(1), "無題1");
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "shown\r\n");
    EXPECT_EQ(recorder.title, "Pembroquil - 無題1 [更新]");
}

// The characters of a text as code page 932 reads them.
std::wstring Wide(const std::string& s) {
    std::wstring w(s.size() + 1, L'\0');
    const int n = ::MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), &w[0], static_cast<int>(w.size()));
    w.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return w;
}

TEST_F(DocTabWndTest, AnEucSaveOfIbmExtensionKanjiReadsBackAsTheSameCharacters) {
    const std::string kanji = "\xFA\xB1\xFB\xFC";  // 﨑 and 髙
    const std::string a = File("ibm.html", "事\r\n" + kanji + "\r\n");  // 事 makes it read as SHIFT JIS
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    Type("x");
    docs.SaveSettings() = {2, 3};  // EUC, line ends as loaded
    docs.OnFileSave();
    EXPECT_TRUE(boxes.texts.empty());  // nothing to ask: every character has a form
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "x\xBB\xF6\r\n\xF9\xF5\xFC\xE2\r\n");
    // Opened again it is EUC, and the same characters.
    docs.OnFileClose();
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    std::string text;
    docs.GetEditor(-1)->Model().GetText(text);
    EXPECT_EQ(Wide(text), Wide("x事\r\n" + kanji + "\r\n"));
    EXPECT_EQ(docs.GetLoadCode(-1), 2);
    EXPECT_FALSE(docs.GetEditor(-1)->Model().IsReadOnly());
}

TEST_F(DocTabWndTest, UnwritableCharactersAskFirstAndCancelLeavesFileAndLineEnds) {
    const std::string a = File("user.html", "\xF0\x40\r\nb\r\n");  // a user-defined character
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    Type("x");
    docs.SaveSettings() = {1, 2};  // JIS with LF
    docs.OnFileSave();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], a + "\nにはJISで保存できない文字が1個あります。このまま保存しますか？");
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "\xF0\x40\r\nb\r\n");
    editor::EditorModel& model = docs.GetEditor(-1)->Model();
    EXPECT_TRUE(model.IsModified());
    EXPECT_EQ(model.LineEndMode(), 0);  // still CRLF: the save did not happen
    std::string text;
    model.GetText(text);
    EXPECT_EQ(text, "x\xF0\x40\r\nb\r\n");
    boxes.answers = {IDOK};
    docs.OnFileSave();
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "x\xF0\x40\nb\n");
    EXPECT_FALSE(model.IsModified());
    EXPECT_EQ(model.LineEndMode(), 2);
}

TEST_F(DocTabWndTest, ADocumentWhosePathIsTheLongestSaves) {
    // Folders of 40 bytes down to a file whose full path is 255 bytes.
    std::string dir = folder;
    while (dir.size() + 41 + 7 <= 255) {
        dir += "\\" + std::string(40, 'd');
        ::CreateDirectoryA(dir.c_str(), nullptr);
    }
    const std::string name = std::string(255 - dir.size() - 1 - 5, 'n') + ".html";
    const std::string a = dir + "\\" + name;
    ASSERT_EQ(a.size(), 255u);
    ASSERT_TRUE(e2e::WriteFileBytes(a, "old\r\n"));
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    Type("new ");
    docs.OnFileSave();
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "new old\r\n");
    EXPECT_FALSE(docs.GetEditor(-1)->Model().IsModified());
}

TEST_F(DocTabWndTest, QueryCloseAllCountsACancelledSaveDialogAsCancel) {
    Type("unsaved");
    boxes.answers = {IDYES};  // then the save dialog is cancelled
    EXPECT_EQ(docs.QueryCloseAll(), 0);
    EXPECT_EQ(boxes.texts[0], "無題1 の内容が変更されています。\n保存しますか？");
    boxes.answers = {IDNO};
    EXPECT_EQ(docs.QueryCloseAll(), 1);
}

}  // namespace

namespace {

TEST_F(DocTabWndTest, TextDraggedOverATabSelectsItAndDropsIntoItsEditor) {
    docs.OnFileNew();
    ::SendMessageA(docs.TabStrip(), TCM_SETCURSEL, 0, 0);
    docs.ActivateTab(0);
    RECT second = {};
    ASSERT_TRUE(::SendMessageA(docs.TabStrip(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
    POINT at = {(second.left + second.right) / 2, (second.top + second.bottom) / 2};
    ::ClientToScreen(docs.TabStrip(), &at);
    CTabDropTarget target(docs);
    target.Register(docs.TabStrip());  // fails without OLE in this host; the strip is known either way
    const std::string dragged = "表の文字";
    IDataObject* object = CreateTextDataObject(dragged.data(), dragged.size());
    ASSERT_NE(object, nullptr);
    IDataObject& data = *object;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target.DragEnter(&data, 0, POINTL{at.x, at.y}, &effect), S_OK);
    // Text of another program is copied; a source that allows only a move
    // gets nothing.
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_MOVE;
    ASSERT_EQ(target.DragOver(0, POINTL{at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    // The tab is selected after a pause.
    target.OnSelectTimer();
    EXPECT_EQ(docs.SelectedIndex(), 1);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target.Drop(&data, MK_CONTROL, POINTL{at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    std::string text;
    docs.GetEditor(1)->Model().GetText(text);
    EXPECT_EQ(text, "表の文字");
    EXPECT_EQ(docs.GetTabImage(1), docs::kImageModified);
    // A read-only editor takes nothing.
    docs.GetEditor(1)->Model().SetReadOnly(true);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target.DragEnter(&data, 0, POINTL{at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target.DragLeave();
    target.Revoke();
    object->Release();
}

}  // namespace

namespace {

TEST_F(DocTabWndTest, NewDocumentsStartWithTheTemplateAndSaveAllSavesEveryTab) {
    const std::string templ = File("template.html", "<html>\r\n</html>\r\n");
    docs::FileSettings s = docs.FileSettings();
    s.useTemplate = 1;
    s.templatePath = templ;
    docs.SetFileSettings(s);
    docs.OnFileNew();
    std::string text;
    docs.GetEditor(-1)->Model().GetText(text);
    EXPECT_EQ(text, "<html>\r\n</html>\r\n");
    EXPECT_EQ(recorder.title, "Pembroquil - 無題2");  // unmodified
    // A missing template leaves the document empty without a message.
    s.templatePath = folder + "\\none.html";
    docs.SetFileSettings(s);
    docs.OnFileNew();
    docs.GetEditor(-1)->Model().GetText(text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(boxes.texts.empty());

    const std::string a = File("all-a.html", "a\r\n"), b = File("all-b.html", "b\r\n");
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    Type("1");
    ASSERT_EQ(docs.OpenDocFile(b, false, false), 1);
    Type("2");
    // The untitled tabs ask for names: the first is cancelled, the rest too.
    docs.OnFileSaveAll();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(a, &bytes));
    EXPECT_EQ(bytes, "1a\r\n");
    ASSERT_TRUE(e2e::ReadFileBytes(b, &bytes));
    EXPECT_EQ(bytes, "2b\r\n");
    EXPECT_EQ(docs.GetTabImage(3), docs::kImagePlain);
    EXPECT_EQ(docs.GetTabImage(4), docs::kImagePlain);
    EXPECT_EQ(dialogs.initials.size(), 3u);  // 無題1, 無題2, 無題3
}

}  // namespace

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(DocTabWndTest, DraggingATabBeyondTheLastMakesItTheLast) {
    docs.OnFileNew();
    docs.OnFileNew();
    HWND strip = docs.TabStrip();
    RECT second = {}, last = {};
    ASSERT_TRUE(::SendMessageA(strip, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
    ASSERT_TRUE(::SendMessageA(strip, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last)));
    const int y = (second.top + second.bottom) / 2;
    ::SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(second.left + 5, y));
    ::SendMessageA(strip, WM_MOUSEMOVE, MK_LBUTTON, At(last.right + 20, y));
    ::SendMessageA(strip, WM_LBUTTONUP, 0, At(last.right + 20, y));
    EXPECT_EQ(docs.GetTabText(2), "無題2");
    EXPECT_EQ(docs.SelectedIndex(), 2);
    // Released outside the strip: nothing moves.
    ::SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(second.left + 5, y));
    ::SendMessageA(strip, WM_MOUSEMOVE, MK_LBUTTON, At(second.left + 5, y + 300));
    ::SendMessageA(strip, WM_LBUTTONUP, 0, At(second.left + 5, y + 300));
    EXPECT_EQ(docs.GetTabText(0), "無題1");
    EXPECT_EQ(docs.GetTabText(1), "無題3");
    EXPECT_EQ(docs.GetTabText(2), "無題2");
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DocTabWndTest, ManyTabsShowTheScrollArrows) {
    for (int i = 0; i < 30; ++i) docs.OnFileNew();
    HWND updown = ::FindWindowExA(docs.TabStrip(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(updown, nullptr);
    EXPECT_TRUE(::IsWindowVisible(updown));
    EXPECT_EQ(docs.TabCount(), 31);
    EXPECT_EQ(docs.SelectedIndex(), 30);
}

TEST_F(DocTabWndTest, AFirstRunsColourModesTakeTheSystemsColours) {
    const editor::ColorModeTable& table = docs.ColorModes()->Table();
    for (int m = 0; m < table.Count(); ++m) {
        const editor::EditorColors& c = table.Mode(m).colors;
        EXPECT_EQ(c.text, ::GetSysColor(COLOR_WINDOWTEXT)) << m;
        EXPECT_EQ(c.background, ::GetSysColor(COLOR_WINDOW)) << m;
        EXPECT_EQ(c.selectedText, ::GetSysColor(COLOR_HIGHLIGHTTEXT)) << m;
        EXPECT_EQ(c.selectionBackground, ::GetSysColor(COLOR_HIGHLIGHT)) << m;
    }
}

}  // namespace
