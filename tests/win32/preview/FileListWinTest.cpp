// File lists in the document window: a list saved with a read-only and an
// untitled tab, reopened with its flags; a ticked read-only box; a nested
// list and a missing file among the entries; a file that is not a list.
#include "support/RecordingMessageBoxes.h"
#include <gtest/gtest.h>

#include <deque>

#include "documents/win/DocTabWnd.h"
#include "e2e/E2E.h"
#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "win32/support/TestHostWindow.h"

namespace {

using Boxes = RecordingMessageBoxes;

struct Dialogs : IFileDialogService {
    struct Answer {
        std::string path;
        bool readOnly;
    };
    std::deque<Answer> answers;
    std::vector<std::string> initials;
    INT_PTR Run(CFileDialog& dialog) override {
        initials.push_back(dialog.InitialName());
        if (answers.empty()) return IDCANCEL;
        dialog.SetResult(answers.front().path, answers.front().readOnly);
        answers.pop_front();
        return IDOK;
    }
};

class FileListWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = e2e::WorkDir() + "\\filelist";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        oldBoxes = SetMessageBoxService(&boxes);
        oldDialogs = SetFileDialogService(&dialogs);
        ASSERT_TRUE(host.Create("PqFileListTestHost"));
        ASSERT_TRUE(docs.CreateDocWindow(host.m_hWnd, nullptr));
    }
    void TearDown() override {
        if (docs.m_hWnd) docs.DestroyWindow();
        if (host.m_hWnd) host.DestroyWindow();
        SetMessageBoxService(oldBoxes);
        SetFileDialogService(oldDialogs);
    }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = folder + "\\" + name;
        EXPECT_TRUE(e2e::WriteFileBytes(path, bytes));
        return path;
    }
    bool ReadOnlyAt(int i) { return docs.GetEditor(i)->Ops().IsReadOnly(); }

    std::string folder;
    CTestHostWindow host;
    CDocTabWnd docs;
    Boxes boxes;
    Dialogs dialogs;
    IMessageBoxService* oldBoxes = nullptr;
    IFileDialogService* oldDialogs = nullptr;
};

TEST_F(FileListWinTest, SavedListHoldsFilesWithFlagsAndReopens) {
    const std::string a = File("a.html", "a\r\n"), b = File("b.css", "b\r\n");
    ASSERT_EQ(docs.OpenDocFile(a, false, false), 1);
    ASSERT_EQ(docs.OpenDocFile(b, true, false), 1);
    docs.OnFileNew();  // untitled: left out
    const std::string list = folder + "\\set.pql";
    dialogs.answers.push_back({list, false});
    ASSERT_EQ(docs.SaveFileList(), 1);
    EXPECT_EQ(dialogs.initials.back(), "ファイルリスト");
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(list, &bytes));
    EXPECT_EQ(bytes, "# filelist for Pembroquil\r\n0" + docs.GetPath(0) + "\r\n1" + docs.GetPath(1));

    // Reopened in a fresh window: the flags come back; cancelling does nothing.
    docs.DestroyWindow();
    ASSERT_TRUE(docs.CreateDocWindow(host.m_hWnd, nullptr));
    EXPECT_EQ(docs.OpenFileList(), 0);
    dialogs.answers.push_back({list, false});
    ASSERT_EQ(docs.OpenFileList(), 1);
    ASSERT_EQ(docs.TabCount(), 2);  // the untouched untitled tab was reused
    EXPECT_EQ(dialogs.initials.back(), "*.pql");
    EXPECT_FALSE(ReadOnlyAt(0));
    EXPECT_TRUE(ReadOnlyAt(1));
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(FileListWinTest, BadEntriesNeverStopTheRestAndTickedBoxMeansReadOnly) {
    const std::string a = File("c.html", "c\r\n");
    const std::string nested = folder + "\\inner.PQL";
    const std::string list = File("mixed.pql", "# filelist for Pembroquil\r\n0" + nested + "\r\n\r\n0" + folder +
                                                   "\\missing.html\r\n0" + a);
    dialogs.answers.push_back({list, true});
    ASSERT_EQ(docs.OpenFileList(), 1);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], nested + " はPembroquil専用ファイルリストです。\nファイルリストの中でファイルリストを開くことはできません。");
    EXPECT_EQ(docs.TabCount(), 1);
    EXPECT_EQ(docs.GetTabText(0), "c.html");
    EXPECT_TRUE(ReadOnlyAt(0));

    const std::string other = File("other.pql", "# filelist for Other\r\n0" + a);
    dialogs.answers.push_back({other, false});
    EXPECT_EQ(docs.OpenFileList(), 0);
    EXPECT_EQ(boxes.texts.back(), other + " はPembroquil専用ファイルリストではありません。");
}

TEST_F(FileListWinTest, FailedWriteKeepsTheOldList) {
    const std::string list = File("held.pql", "old");
    HANDLE holder = ::CreateFileA(list.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    dialogs.answers.push_back({list, false});
    EXPECT_EQ(docs.SaveFileList(), 0);
    ::CloseHandle(holder);
    EXPECT_EQ(boxes.texts.size(), 1u);
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(list, &bytes));
    EXPECT_EQ(bytes, "old");
}

}  // namespace
