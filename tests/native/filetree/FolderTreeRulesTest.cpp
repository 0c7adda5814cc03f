#include "filetree/core/FolderTreeRules.h"

#include "config/core/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using filetree::FileShown;
using filetree::FilterFromText;

TEST(FolderTreeFilterTest, FilterFromText) {
    const struct { const char* text; const char* filter; } cases[] = {
        {"", ""},
        {"*", "*"},
        {"*.html", "*"},
        {"html", ";html;"},
        {";html;htm", ";html;htm;"},
        {"html;htm;", ";html;htm;"},
        {";txt;", ";txt;"},
    };
    for (const auto& c : cases) EXPECT_EQ(FilterFromText(c.text), c.filter) << c.text;
}

TEST(FolderTreeFilterTest, WhichFilesAFilterShows) {
    const std::string builtIn = FilterFromText(filetree::kBuiltInExtensions);
    const struct { const char* filter; const char* path; bool shown; } cases[] = {
        {builtIn.c_str(), "C:\\site\\index.html", true},
        {builtIn.c_str(), "C:\\site\\INDEX.HTM", true},
        {builtIn.c_str(), "C:\\site\\list.pql", true},
        {builtIn.c_str(), "C:\\site\\setup.exe", false},
        {builtIn.c_str(), "C:\\site\\README", false},
        {builtIn.c_str(), "C:\\site\\.", false},
        {builtIn.c_str(), "C:\\site\\..", false},
        {builtIn.c_str(), "C:\\a.html\\README", false},  // a dotted folder lends no extension
        {builtIn.c_str(), "C:\\site\\a.ht", false},       // part of an extension is none
        {builtIn.c_str(), "C:\\site\\a.tml", false},
        {"*", "C:\\site\\README", true},
        {"*", "C:\\site\\setup.exe", true},
        {"", "C:\\site\\index.html", false},
        {";Txt;", "C:\\表\\ソ.TXT", true},
        {";ソ;", "C:\\表\\a.ソ", true},
        {";\x83\x61;", "C:\\a.\x83\x41", false},  // ャ is not a case of ア
        {";html;", "C:\\a.x;html", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FileShown(c.filter, c.path), c.shown) << c.filter << " " << c.path;
}

TEST(FolderTreeWalkTest, FolderOnTheWayToTheTarget) {
    const struct { const char* folder; const char* target; bool on; } cases[] = {
        {"C:\\Program", "C:\\Program Files\\x\\", false},
        {"C:\\Program Files", "C:\\Program Files\\x\\", true},
        {"C:\\", "C:\\Program Files\\x\\", true},
        {"c:\\program files\\", "C:\\Program Files\\X", true},
        {"D:\\", "C:\\x\\", false},
        {"C:\\ソ", "C:\\ソ\\表\\", true},
        {"C:\\ソ", "C:\\ソース\\", false},
        {"C:\\x\\y", "C:\\x\\", false},
        {"", "C:\\x\\", false},
    };
    for (const auto& c : cases) EXPECT_EQ(filetree::IsFolderOnPath(c.folder, c.target), c.on) << c.folder;
}

struct Store {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
};

TEST(FolderTreeOptionsTest, DefaultsAndTheFilterTheyGive) {
    Store s;
    filetree::FolderTreeOptions o;
    o.Load(s.store);
    EXPECT_EQ(o.Get(), filetree::FolderTreeSettings());
    EXPECT_EQ(o.Get().extKinds, "html;htm;shtml;shtm;js;css;cgi;pl;txt;lzh;jpg;gif;pql");
    EXPECT_EQ(o.Filter(), ";html;htm;shtml;shtm;js;css;cgi;pl;txt;lzh;jpg;gif;pql;");
    EXPECT_TRUE(o.ShowHidden());
    EXPECT_EQ(o.StartTarget(), "");

    // The user's list counts only with ExtPoint 1.
    s.store.WriteSettingString("FolderTree", "ExtKinds", "txt");
    s.store.WriteSettingInt("FolderTree", "GhostDisp", 1);
    o.Load(s.store);
    EXPECT_EQ(o.Filter(), ";html;htm;shtml;shtm;js;css;cgi;pl;txt;lzh;jpg;gif;pql;");
    EXPECT_FALSE(o.ShowHidden());
    s.store.WriteSettingInt("FolderTree", "ExtPoint", 1);
    o.Load(s.store);
    EXPECT_EQ(o.Filter(), ";txt;");
}

TEST(FolderTreeOptionsTest, StartTargetByMethod) {
    Store s;
    s.store.WriteSettingString("FolderTree", "LastDirPath", "C:\\last\\ソ");
    s.store.WriteSettingString("FolderTree", "PointDirPath", "C:\\fixed\\");
    const struct { int point, method; const char* target; } cases[] = {
        {0, 0, ""}, {1, 0, "C:\\last\\ソ\\"}, {1, 1, "C:\\fixed\\"}, {1, 2, ""},
    };
    for (const auto& c : cases) {
        s.store.WriteSettingInt("FolderTree", "DirPoint", c.point);
        s.store.WriteSettingInt("FolderTree", "DirMethod", c.method);
        filetree::FolderTreeOptions o;
        o.Load(s.store);
        EXPECT_EQ(o.StartTarget(), c.target) << c.point << c.method;
    }
}

TEST(FolderTreeOptionsTest, OptionsAreWrittenOnlyAfterApplyTheLastFolderAlways) {
    Store s;
    filetree::FolderTreeOptions o;
    o.Load(s.store);
    o.Save(s.store, "C:\\表\\ソ");
    EXPECT_EQ(s.backend.ValueCount("FolderTree"), 1u);
    EXPECT_EQ(s.store.ReadSettingString("FolderTree", "LastDirPath", "?"), "C:\\表\\ソ\\");
    o.Save(s.store, "C:\\");
    EXPECT_EQ(s.store.ReadSettingString("FolderTree", "LastDirPath", "?"), "C:\\");
    o.Save(s.store, "");
    EXPECT_EQ(s.store.ReadSettingString("FolderTree", "LastDirPath", "?"), "");

    filetree::FolderTreeSettings n;
    n.extPoint = 1;
    n.extKinds = "txt";
    n.dirPoint = 1;
    n.dirMethod = 1;
    n.pointDirPath = "D:\\www";
    n.ghostDisp = 1;
    EXPECT_FALSE(o.Apply(n, false));
    EXPECT_TRUE(o.SettingsChanged());
    EXPECT_EQ(o.Filter(), ";txt;");
    o.Save(s.store, "D:\\www");
    EXPECT_EQ(s.backend.ValueCount("FolderTree"), 7u);
    filetree::FolderTreeOptions back;
    back.Load(s.store);
    EXPECT_EQ(back.Get(), n);
    EXPECT_EQ(back.StartTarget(), "D:\\www\\");
}

TEST(FolderTreeOptionsTest, TheTreeIsBuiltAgainOnlyWhenWhatItShowsChanged) {
    const filetree::FolderTreeSettings base;
    const struct {
        int extPoint;
        const char* kinds;
        int ghost;
        const char* pointDir;
        bool flag, rebuild;
    } cases[] = {
        {0, "html;htm;shtml;shtm;js;css;cgi;pl;txt;lzh;jpg;gif;pql", 0, "", true, false},  // touched, put back
        {1, "html;htm;shtml;shtm;js;css;cgi;pl;txt;lzh;jpg;gif;pql", 0, "", true, false},  // the same filter
        {0, "txt", 0, "", true, false},          // the user's list, not in use
        {1, "txt", 0, "", true, true},
        {1, "txt", 0, "", false, false},         // the page saw no change
        {0, "html", 1, "", true, true},          // hidden items left out
        {0, "html", 0, "C:\\www", true, false},  // the start folder alone
    };
    for (const auto& c : cases) {
        filetree::FolderTreeOptions o;
        filetree::FolderTreeSettings n = base;
        n.extPoint = c.extPoint;
        n.extKinds = c.kinds;
        n.ghostDisp = c.ghost;
        n.pointDirPath = c.pointDir;
        EXPECT_EQ(o.Apply(n, c.flag), c.rebuild) << c.extPoint << c.kinds << c.ghost << c.pointDir;
        EXPECT_TRUE(o.SettingsChanged());
    }
}

}  // namespace
