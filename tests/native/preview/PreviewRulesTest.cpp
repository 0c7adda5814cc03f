// The preview rules: settings, which browser a command means, readiness,
// the local server mapping, the external browser argument and the one
// temporary file, driven through a disk made of data.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "documents/core/Preview.h"
#include "resources/resource.h"

namespace {

using preview::ServerBlock;

TEST(PreviewSettings, DefaultsRoundTripAndOddMethods) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    preview::PreviewSettings s = preview::ReadPreviewSettings(store);
    EXPECT_EQ(s.server.localAddress, "http://localhost/");
    EXPECT_EQ(s.server.tabDblPreview, 0);

    store.WriteSettingInt("Preview", "Method1", 7);
    store.WriteSettingInt("Preview", "Method2", 2);
    s = preview::ReadPreviewSettings(store);
    EXPECT_EQ(s.browsers.method[1], 0);
    EXPECT_EQ(s.browsers.method[2], 2);

    s.browsers.path[2] = "C:\\表\\b.exe";
    s.browsers.tempPoint = 1;
    s.browsers.tempPath = "D:\\tmp\\";
    s.server.localServer = 1;
    s.server.replacePath = "C:\\www\\";
    s.server.tabDblPreview = 1;
    ASSERT_TRUE(preview::WritePreviewSettings(store, s));
    EXPECT_EQ(store.ReadSettingInt("Preview", "TabDblPreview", 0), 1);
    const preview::PreviewSettings back = preview::ReadPreviewSettings(store);
    EXPECT_EQ(back.browsers.path[2], s.browsers.path[2]);
    EXPECT_EQ(back.browsers.tempPath, "D:\\tmp\\");
    EXPECT_EQ(back.server.replacePath, "C:\\www\\");
    EXPECT_EQ(back.server.localServer, 1);
}

TEST(PreviewCommands, BrowserIndexAndReadiness) {
    EXPECT_EQ(preview::BrowserIndexOf(ID_TOOL_IE), 0);
    EXPECT_EQ(preview::BrowserIndexOf(ID_TOOL_NETSCAPE), 1);
    EXPECT_EQ(preview::BrowserIndexOf(ID_TOOL_OTHER_BROWSER), 2);
    EXPECT_EQ(preview::BrowserIndexOf(ID_TOOL_INNER_BROWSER), 3);
    EXPECT_EQ(preview::BrowserIndexOf(ID_BROWSER_BACK), -1);

    using R = preview::Readiness;
    struct Case { int method; bool modified, untitled; R want; };
    const Case cases[] = {
        {0, false, false, R::Ready}, {0, true, false, R::AskThenSave}, {0, false, true, R::Save},
        {0, true, true, R::AskThenSave}, {5, true, false, R::AskThenSave},
        {1, false, false, R::Ready}, {1, true, false, R::Save}, {1, false, true, R::Save},
        {2, true, true, R::Ready}, {2, false, false, R::Ready},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(preview::ReadinessFor(c.method, c.modified, c.untitled), c.want)
            << c.method << c.modified << c.untitled;
    }
}

TEST(PreviewAddress, LocalServerMapping) {
    struct Case { int on; const char* root; const char* path; const char* want; bool mapped; };
    const Case cases[] = {
        {1, "C:\\www\\", "C:\\www\\sub\\a.html", "http://localhost/sub/a.html", true},
        {0, "C:\\www\\", "C:\\www\\sub\\a.html", "C:\\www\\sub\\a.html", false},
        {1, "C:\\www\\", "D:\\other\\a.html", "D:\\other\\a.html", false},
        {1, "", "C:\\www\\a.html", "C:\\www\\a.html", false},
        {1, "C:\\www", "C:\\www\\a.html", "http://localhost/a.html", true},
        {1, "C:\\www", "C:\\www2\\a.html", "C:\\www2\\a.html", false},
        {1, "c:\\WWW\\", "C:\\www\\a.html", "http://localhost/a.html", true},
        // 表 (95 5C) and ソ (83 5C) keep their trail bytes; the root's 表 must
        // not match a different character's bytes.
        {1, "C:\\表\\", "C:\\表\\ソ\\a.html", "http://localhost/ソ/a.html", true},
        {1, "C:\\www\\", "C:\\wwwx\\www\\a.html", "C:\\wwwx\\www\\a.html", false},
        {1, "C:\\www\\", "", "", false},
    };
    for (const Case& c : cases) {
        ServerBlock server;
        server.localServer = c.on;
        server.replacePath = c.root;
        bool mapped = !c.mapped;
        EXPECT_EQ(preview::AddressFor(c.path, server, &mapped), c.want) << c.root << " " << c.path;
        EXPECT_EQ(mapped, c.mapped) << c.path;
    }
}

TEST(PreviewArgument, ShortPathOnlyWhenItHelps) {
    EXPECT_EQ(preview::BrowserArgument("C:\\a b\\x.html", "C:\\AB~1\\x.html"), "C:\\AB~1\\x.html");
    EXPECT_EQ(preview::BrowserArgument("C:\\a b\\x.html", ""), "\"C:\\a b\\x.html\"");
    EXPECT_EQ(preview::BrowserArgument("C:\\a b\\x.html", "C:\\a b\\x.html"), "\"C:\\a b\\x.html\"");
    EXPECT_EQ(preview::BrowserArgument("C:\\ab\\x.html", "C:\\ab\\x.html"), "\"C:\\ab\\x.html\"");
}

TEST(PreviewTempName, FolderAndExtension) {
    preview::BrowserBlock b;
    const std::string progTemp = "C:\\prog\\Temp\\";
    EXPECT_EQ(preview::TempFolderFor("C:\\site.v2\\a.htm", b, progTemp), "C:\\site.v2\\");
    EXPECT_EQ(preview::TempFolderFor("", b, progTemp), progTemp);
    b.tempPoint = 1;
    b.tempPath = "D:\\tmp";
    EXPECT_EQ(preview::TempFolderFor("C:\\site\\a.htm", b, progTemp), "D:\\tmp\\");
    b.tempPath = "D:\\tmp\\";
    EXPECT_EQ(preview::TempFolderFor("", b, progTemp), "D:\\tmp\\");
    b.tempPath = "";
    EXPECT_EQ(preview::TempFolderFor("C:\\site\\a.htm", b, progTemp), "");

    EXPECT_EQ(preview::TempExtensionFor("C:\\site\\a.shtml"), "shtml");
    EXPECT_EQ(preview::TempExtensionFor("C:\\site.v2\\readme"), "html");
    EXPECT_EQ(preview::TempExtensionFor(""), "html");
}

struct FakeTempDisk : preview::ITempDisk {
    std::map<std::string, std::string> files;
    std::set<std::string> undeletable;
    bool writeFails = false, folderFails = false;
    Create CreateNew(const std::string& p, const std::string& bytes) override {
        if (files.count(p)) return Create::AlreadyExists;
        if (writeFails) return Create::Failed;
        files[p] = bytes;
        return Create::Done;
    }
    bool Remove(const std::string& p) override {
        if (undeletable.count(p)) return false;
        files.erase(p);
        return true;
    }
    bool EnsureFolder(const std::string&) override { return !folderFails; }
};

TEST(PreviewTempFile, NewNamesOnlyOneAtATimeAndFailures) {
    FakeTempDisk disk;
    preview::TempFileKeeper keeper;
    std::string failed;
    // A user's file holding the first name is neither replaced nor deleted.
    disk.files["C:\\s\\pq00000000.htm"] = "user";
    const std::string first = keeper.Make(disk, "C:\\s\\", "htm", "one", &failed);
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, "C:\\s\\pq00000000.htm");
    EXPECT_EQ(first.substr(first.size() - 4), ".htm");
    EXPECT_EQ(disk.files[first], "one");

    const std::string second = keeper.Make(disk, "C:\\s\\", "htm", "two", &failed);
    EXPECT_EQ(disk.files.count(first), 0u);
    EXPECT_EQ(disk.files[second], "two");
    EXPECT_TRUE(failed.empty());

    // Already gone is no error.
    disk.files.erase(second);
    EXPECT_TRUE(keeper.Delete(disk, &failed));
    EXPECT_TRUE(keeper.Path().empty());

    // A write failure leaves no path; an empty folder makes nothing.
    disk.writeFails = true;
    EXPECT_EQ(keeper.Make(disk, "C:\\s\\", "htm", "x", &failed), "");
    EXPECT_TRUE(keeper.Path().empty());
    disk.writeFails = false;
    EXPECT_EQ(keeper.Make(disk, "", "htm", "x", &failed), "");
    disk.folderFails = true;
    EXPECT_EQ(keeper.Make(disk, "C:\\p\\Temp\\", "html", "x", &failed), "");
    disk.folderFails = false;

    // A file that cannot be deleted is reported once with its path.
    const std::string stuck = keeper.Make(disk, "C:\\s\\", "htm", "x", &failed);
    disk.undeletable.insert(stuck);
    EXPECT_FALSE(keeper.Delete(disk, &failed));
    EXPECT_EQ(failed, stuck);
    EXPECT_EQ(preview::TempDeleteMessage(stuck).find("\n\n場所：" + stuck) != std::string::npos, true);
    EXPECT_TRUE(disk.files.count("C:\\s\\pq00000000.htm"));
}

}  // namespace
