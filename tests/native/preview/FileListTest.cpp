// File lists: the bytes written, the lines read back, and a write that
// fails leaving the old list in place.
#include <gtest/gtest.h>

#include <map>

#include "documents/core/DocRules.h"
#include "documents/core/FileList.h"

namespace {

using fileerr::Cause;

TEST(FileListWriter, Bytes) {
    EXPECT_EQ(filelist::BuildList({{"C:\\a.html", false}, {"C:\\表\\b.css", true}}),
              "# filelist for Pembroquil\r\n0C:\\a.html\r\n1C:\\表\\b.css");
    const std::string untitledOnly = filelist::BuildList({{"", false}, {"", true}});
    EXPECT_EQ(untitledOnly, "# filelist for Pembroquil");
    EXPECT_EQ(untitledOnly.size(), 25u);
}

TEST(FileListReader, HeaderLinesFlagsAndNestedLists) {
    std::vector<filelist::ReadEntry> e;
    for (const char* bad : {"", "# filelist for Pembroquil \r\n0C:\\a", "# filelist for Other\r\n0C:\\a",
                            "\r\n# filelist for Pembroquil"}) {
        EXPECT_FALSE(filelist::ParseList(bad, false, &e)) << bad;
    }
    const std::string longPath(300, 'x');
    const std::string text = "# filelist for Pembroquil\r\n0C:\\a.html\r\n\r\n1C:\\b.htm\n0C:\\c.PQL\r\n0\r\n0" +
                             longPath + "\r\n2C:\\d.txt";
    ASSERT_TRUE(filelist::ParseList(text, false, &e));
    using K = filelist::ReadEntry::Kind;
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].path, "C:\\a.html");
    EXPECT_FALSE(e[0].readOnly);
    EXPECT_EQ(e[1].path, "C:\\b.htm");
    EXPECT_TRUE(e[1].readOnly);
    EXPECT_EQ(e[2].kind, K::NestedList);
    EXPECT_EQ(e[3].kind, K::TooLong);
    EXPECT_EQ(e[4].kind, K::Open);
    EXPECT_FALSE(e[4].readOnly);

    ASSERT_TRUE(filelist::ParseList(text, true, &e));
    for (const auto& x : e) EXPECT_TRUE(x.readOnly);
    ASSERT_TRUE(filelist::ParseList("# filelist for Pembroquil", false, &e));
    EXPECT_TRUE(e.empty());
}

struct ListDisk : docs::IDocFileSystem {
    std::map<std::string, std::string> files;
    Cause writeFails = Cause::None, replaceFails = Cause::None;
    bool Exists(const std::string& p) override { return files.count(p) != 0; }
    Cause Copy(const std::string&, const std::string&) override { return Cause::Generic; }
    std::string TempPathFor(const std::string& t) override { return docs::TempPathBeside(t, 1); }
    Cause WriteNew(const std::string& p, const std::string& b) override {
        files[p] = b.substr(0, writeFails == Cause::None ? b.size() : 3);
        return writeFails;
    }
    Cause Replace(const std::string& t, const std::string& s) override {
        if (replaceFails != Cause::None) return replaceFails;
        files[t] = files[s];
        files.erase(s);
        return Cause::None;
    }
    void Remove(const std::string& p) override { files.erase(p); }
};

struct Shown : docs::IFlowPrompts {
    std::vector<std::string> errors;
    bool ChooseSavePath(const std::string&, std::string*) override { return false; }
    bool ConfirmOverwrite(const std::string&) override { return false; }
    void ShowError(const std::string& t) override { errors.push_back(t); }
    docs::Answer Ask(const std::string&) override { return docs::Answer::Cancel; }
};

TEST(FileListWrite, FailuresKeepTheOldList) {
    const std::string path = "C:\\lists\\w.pql";
    for (int step = 0; step < 3; ++step) {
        ListDisk disk;
        Shown shown;
        disk.files[path] = "old";
        if (step == 1) disk.writeFails = Cause::DiskFull;
        if (step == 2) disk.replaceFails = Cause::SharingViolation;
        const bool ok = filelist::WriteList(path, "new bytes", disk, shown);
        EXPECT_EQ(ok, step == 0);
        EXPECT_EQ(disk.files[path], step == 0 ? "new bytes" : "old");
        EXPECT_EQ(disk.files.size(), 1u) << "no temporary file left";
        EXPECT_EQ(shown.errors.size(), step == 0 ? 0u : 1u);
        if (step == 1) {
            EXPECT_EQ(shown.errors[0], fileerr::FullMessage(path, Cause::DiskFull));
        }
    }
}

}  // namespace
