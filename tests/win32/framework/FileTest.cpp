// The file object's causes and messages, and the file dialog's filter.
#include <gtest/gtest.h>

#include <set>

#include "e2e/E2E.h"
#include "framework/win/File.h"
#include "framework/win/FileDialog.h"

namespace {

TEST(FileTest, FailuresCarryTheirCauseAndTheStandardMessage) {
    const std::string folder = e2e::WorkDir() + "\\filetest";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    CFile file;
    CFileError error;
    const std::string missing = folder + "\\missing.html";
    EXPECT_FALSE(file.Open(missing, CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(error.cause, fileerr::Cause::NotFound);
    EXPECT_EQ(error.Message(), missing + "\nが見つかりません。");
    EXPECT_FALSE(file.Open(folder + "\\no\\such\\x.html", CFile::modeRead, &error));
    EXPECT_EQ(error.cause, fileerr::Cause::BadPath);

    // A file held deny-write cannot be opened for writing: a sharing violation.
    const std::string path = folder + "\\held.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, "表示\r\n"));
    CFile holder;
    ASSERT_TRUE(holder.Open(path, CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_FALSE(file.Open(path, CFile::modeReadWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.cause, fileerr::Cause::SharingViolation);
    EXPECT_EQ(error.osError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // Reading alongside is allowed, and reads every byte.
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));
    std::string bytes;
    ASSERT_TRUE(file.ReadAll(&bytes));
    EXPECT_EQ(bytes, "表示\r\n");
    // Creating a file that exists fails without touching it.
    EXPECT_FALSE(file.Open(path, CFile::modeWrite | CFile::modeCreateNew, &error));
    EXPECT_NE(error.cause, fileerr::Cause::None);
    holder.Close();
    file.Close();
    ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "表示\r\n");
}

TEST(FileTest, EveryCauseHasItsOwnMessage) {
    EXPECT_EQ(CFileError::CauseOf(ERROR_DISK_FULL), fileerr::Cause::DiskFull);
    EXPECT_EQ(CFileError::CauseOf(ERROR_ACCESS_DENIED), fileerr::Cause::AccessDenied);
    EXPECT_EQ(CFileError::CauseOf(ERROR_LOCK_VIOLATION), fileerr::Cause::LockViolation);
    EXPECT_EQ(CFileError::CauseOf(12345), fileerr::Cause::Generic);
    std::set<std::string> texts;
    for (int c = static_cast<int>(fileerr::Cause::Generic); c <= static_cast<int>(fileerr::Cause::OutOfMemory); ++c)
        texts.insert(fileerr::Message(static_cast<fileerr::Cause>(c)));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(fileerr::Cause::OutOfMemory));
}

TEST(FileTest, TheFilterSplitsAtBarsButNotAtTrailBytes) {
    // ボ is 83 7B and | is 7C: a trail byte 7C would be a ポ-like pair (83 7C, ポ).
    const std::string f = FileDialogFilter("ポ (*.txt)|*.txt||");
    EXPECT_EQ(f, std::string("ポ (*.txt)\0*.txt\0\0\0\0", 20));
}

}  // namespace

namespace {

struct ChooseFile : IFileDialogService {
    INT_PTR Run(CFileDialog& dialog) override {
        dialog.SetResult("C:\\site\\img\\a.gif", false);
        return IDOK;
    }
};

TEST(FileTest, TheRelativePathDialogGivesThePathFromItsBase) {
    ChooseFile service;
    IFileDialogService* old = SetFileDialogService(&service);
    CFileDlgEx dialog("C:\\site\\docs\\", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    SetFileDialogService(old);
    EXPECT_EQ(dialog.RelativePath(), "..\\img\\a.gif");
    dialog.SetBasePath("");
    EXPECT_EQ(dialog.RelativePath(), "");
}

}  // namespace
