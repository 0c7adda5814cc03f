#include "shell/core/OptionRules.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(OptionRulesTest, KeywordFileNames) {
    struct Case {
        const char* typed;
        const char* name;  // null: refused
    } const cases[] = {
        {"tags", "tags.kwd"},
        {"list.KWD", "list.KWD"},
        {"表", "表.kwd"},          // 95 5C: the trail byte is no separator
        {"ソフト.kwd", "ソフト.kwd"},
        {"a.txt", "a.txt.kwd"},
        {"", nullptr},
        {"..\\x", nullptr},
        {"a/b", nullptr},
        {"c:x", nullptr},
        {"a*b", nullptr},
        {"a?b", nullptr},
        {"a\"b", nullptr},
        {"a<b", nullptr},
        {"a>b", nullptr},
        {"a|b", nullptr},
        {"a..b", nullptr},
        {"nul", nullptr},
        {"nul.kwd", nullptr},
        {"NUL.txt", nullptr},
        {"COM1.kwd", nullptr},
        {"lpt9", nullptr},
        {"con", nullptr},
        {"Aux.kwd", nullptr},
        {"prn", nullptr},
        {"com10", "com10.kwd"},
        {"console", "console.kwd"},
        {"1234567890123456789012345678", "1234567890123456789012345678.kwd"},  // 28 bytes
        {"12345678901234567890123456789", nullptr},                           // 29 bytes
    };
    for (const Case& c : cases) {
        std::string name = "unchanged";
        const bool ok = options::KeywordFileName(c.typed, &name);
        EXPECT_EQ(ok, c.name != nullptr) << c.typed;
        EXPECT_EQ(name, c.name ? c.name : "unchanged") << c.typed;
    }
}

TEST(OptionRulesTest, DefaultExtensionsAndExtensionLists) {
    const std::map<std::string, bool> ext = {{"html", true}, {"", true},     {"表", true},   {".html", false},
                                             {"h\\t", false}, {"h/t", false}, {"h:t", false}, {"h*", false},
                                             {"h?", false},   {"h\"", false}, {"<h", false},  {"h>", false},
                                             {"h|t", false}};
    for (const auto& [text, accepted] : ext) EXPECT_EQ(options::DefaultExtensionAccepted(text), accepted) << text;

    const std::map<std::string, std::string> lists = {
        {"", ""}, {"html", "html;"}, {"html;cgi", "html;cgi;"}, {"html;", "html;"}, {"表", "表;"}};
    for (const auto& [text, out] : lists) EXPECT_EQ(options::ExtensionListOnOk(text), out) << text;
}

TEST(OptionRulesTest, PercentClampsAndStartPage) {
    const std::map<std::string, int> clamps = {
        {"", 0}, {"0", 0}, {"42", 42}, {"100", 100}, {"101", 100}, {"150", 100}, {"99999999999999999999", 100}};
    for (const auto& [text, value] : clamps) EXPECT_EQ(options::ClampPercent(text), value) << text;

    EXPECT_EQ(options::StartPage(3, 6), 3);
    EXPECT_EQ(options::StartPage(6, 6), 0);
    EXPECT_EQ(options::StartPage(-1, 6), 0);
}

TEST(OptionRulesTest, LabelsKeywordListsAndEditText) {
    EXPECT_EQ(options::BrowserLabel("Internet Explorer(&I)"), "Internet Explorer");
    EXPECT_EQ(options::BrowserLabel("指定ブラウザ (&B)"), "指定ブラウザ");
    EXPECT_EQ(options::BrowserLabel("a(b)(&C)"), "a(b)");
    EXPECT_EQ(options::BrowserLabel("plain"), "plain");

    std::vector<std::string> names = {"CGI.kwd", "HTML attribute.kwd", "HTML element.kwd"};
    EXPECT_EQ(options::FindKeywordFile(names, "HTML element.kwd"), 2);
    EXPECT_EQ(options::FindKeywordFile(names, "html ELEMENT.KWD"), 2);
    EXPECT_EQ(options::FindKeywordFile(names, "HTML"), -1);  // no prefix match
    EXPECT_EQ(options::FindKeywordFile(names, ""), -1);
    EXPECT_EQ(options::AddKeywordFileOnce(&names, "Perl.kwd"), 3);
    EXPECT_EQ(options::AddKeywordFileOnce(&names, "Perl.kwd"), 3);
    EXPECT_EQ(names.size(), 4u);

    EXPECT_EQ(options::KeywordTextForEdit("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(options::KeywordTextForEdit("表\n"), "表\r\n");
}

class FakeKeywordDisk : public options::IKeywordDisk {
public:
    std::map<std::string, std::string> files;
    bool failWrite = false;
    bool failReplace = false;
    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    bool Write(const std::string& path, const std::string& bytes) override {
        if (failWrite) return false;
        files[path] = bytes;
        return true;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        if (failReplace) return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void Remove(const std::string& path) override { files.erase(path); }
};

TEST(OptionRulesTest, KeywordFilesReplaceTheOldOneOnlyWhenWritten) {
    FakeKeywordDisk disk;
    disk.files["K\\a.kwd"] = "old";
    EXPECT_TRUE(options::WriteKeywordFile(disk, "K\\", "a.kwd", "new"));
    EXPECT_EQ(disk.files, (std::map<std::string, std::string>{{"K\\a.kwd", "new"}}));
    for (bool* fault : {&disk.failWrite, &disk.failReplace}) {
        *fault = true;
        EXPECT_FALSE(options::WriteKeywordFile(disk, "K\\", "a.kwd", "lost"));
        EXPECT_EQ(disk.files, (std::map<std::string, std::string>{{"K\\a.kwd", "new"}}));
        *fault = false;
    }
}

TEST(OptionRulesTest, FontsAndSizes) {
    std::vector<std::string> families;
    for (const char* f : {"ＭＳ ゴシック", "Courier", "ＭＳ ゴシック", "Terminal", "Courier"})
        options::AddFontFamily(&families, f);
    EXPECT_EQ(families, (std::vector<std::string>{"Courier", "Terminal", "ＭＳ ゴシック"}));
    EXPECT_EQ(options::IndexOfFont(families, "Terminal"), 1);
    EXPECT_EQ(options::IndexOfFont(families, "Not installed"), -1);

    // A 16-pixel cell with 2 of leading at 96 dpi is 10.5 points: 11.
    EXPECT_EQ(options::BitmapPointSize(16, 2, 96), 11);
    EXPECT_EQ(options::BitmapPointSize(12, 0, 96), 9);
    EXPECT_EQ(options::BitmapPointSize(12, 0, 0), 0);
    std::vector<int> sizes;
    for (int s : {12, 9, 12, 11}) options::AddSize(&sizes, s);
    EXPECT_EQ(sizes, (std::vector<int>{9, 11, 12}));
    EXPECT_EQ(options::IndexOfSize(options::StandardSizes(), 11), 3);
    EXPECT_EQ(options::IndexOfSize(options::StandardSizes(), 13), -1);
}

TEST(OptionRulesTest, AddingAndDeletingModes) {
    editor::ColorModeTable table;
    table.SetModeIndex(1);
    table.SetDetailIndex(2);
    options::CanvasPageModel page(table);
    EXPECT_EQ(page.Selected(), 1);
    EXPECT_EQ(page.Tab(), 2);
    for (int m = 0; m < editor::kBuiltInModes; ++m) {
        page.Select(m);
        EXPECT_FALSE(page.CanRemove()) << m;
        EXPECT_FALSE(page.RemoveSelected()) << m;
    }
    EXPECT_FALSE(page.Add(""));
    while (page.CanAdd()) ASSERT_TRUE(page.Add("ユーザー定義"));
    EXPECT_EQ(page.Count(), editor::kMaxModes);
    EXPECT_FALSE(page.Add("x"));
    EXPECT_EQ(page.Selected(), editor::kMaxModes - 1);
    EXPECT_EQ(page.Tab(), 0);
    EXPECT_EQ(page.Mode().fontName, "ＭＳ ゴシック");
    EXPECT_EQ(page.Mode().fontSize, 11);
    EXPECT_TRUE(page.Mode().ext.empty() && page.Mode().keyfile1.empty());

    page.Select(3);
    page.Mode().name = "third";
    page.Select(4);
    page.Mode().name = "fourth";
    page.Select(3);
    ASSERT_TRUE(page.RemoveSelected());  // the next one takes its place
    EXPECT_EQ(page.Selected(), 3);
    EXPECT_EQ(page.Mode().name, "fourth");
    page.Select(page.Count() - 1);
    ASSERT_TRUE(page.RemoveSelected());  // the last: the previous one
    EXPECT_EQ(page.Selected(), page.Count() - 1);

    const options::CanvasPageResult r = page.Result();
    EXPECT_EQ(r.modes.size(), static_cast<std::size_t>(editor::kMaxModes - 2));
    EXPECT_EQ(r.modeIndex, page.Selected());
    EXPECT_EQ(table.Count(), editor::kBuiltInModes);  // the owner's table is untouched
}

TEST(OptionRulesTest, ColoursResetToTheirDefaults) {
    editor::ColorModeTable table;
    options::CanvasPageModel page(table);
    page.Select(editor::kHtmlMode);
    const editor::Color element = editor::ColorItem(page.Mode(), editor::kCommonColorItems);
    for (int item = 0; item < editor::ColorItemCount(page.Mode()); ++item)
        editor::SetColorItem(page.Mode(), item, 0x123456);
    page.ResetColor(editor::kCommonColorItems);
    EXPECT_EQ(editor::ColorItem(page.Mode(), editor::kCommonColorItems), element);
    EXPECT_EQ(editor::ColorItem(page.Mode(), 0), 0x123456u);
    page.ResetAllColors();
    EXPECT_EQ(page.Mode().colors.text, table.Mode(0).colors.text);
}

TEST(OptionRulesTest, EnablingRules) {
    using editor::ModeKind;
    struct Mode {
        ModeKind kind;
        bool ext, k1, k2, markers;
    } const modes[] = {{ModeKind::Html, true, true, true, false},
                       {ModeKind::Cgi, true, true, false, false},
                       {ModeKind::Common, false, false, false, false},
                       {ModeKind::User, true, true, false, true}};
    for (const Mode& m : modes) {
        const options::EmphasisEnabling e = options::EmphasisFor(m.kind);
        EXPECT_EQ(options::ExtensionEditEnabled(m.kind), m.ext);
        EXPECT_EQ(e.keyfile1, m.k1);
        EXPECT_EQ(e.keyfile2, m.k2);
        EXPECT_EQ(e.markers, m.markers);
    }

    preview::BrowserBlock block;
    EXPECT_TRUE(options::WebPageEnablingFor(block, 2).path);
    EXPECT_FALSE(options::WebPageEnablingFor(block, preview::kInternalBrowser).path);
    EXPECT_FALSE(options::WebPageEnablingFor(block, 0).folder);
    block.tempPoint = 1;
    EXPECT_TRUE(options::WebPageEnablingFor(block, 0).folder);

    struct File {
        int backup, dirPoint, useTemplate;
        bool dirBox, dir, templ;
    } const files[] = {{0, 1, 0, false, false, false}, {1, 0, 1, true, false, true}, {1, 1, 0, true, true, false}};
    for (const File& f : files) {
        docs::FileSettings s;
        s.backup = f.backup;
        s.backupDirPoint = f.dirPoint;
        s.useTemplate = f.useTemplate;
        const options::FilePageEnabling e = options::FilePageEnablingFor(s);
        EXPECT_EQ(e.backupDirPoint, f.dirBox);
        EXPECT_EQ(e.backupDir, f.dir);
        EXPECT_EQ(e.templatePath, f.templ);
    }

    struct Folder {
        int dirPoint, dirMethod, extPoint;
        bool radios, folder, ext;
    } const folders[] = {{0, 1, 0, false, false, false}, {1, 0, 1, true, false, true}, {1, 1, 0, true, true, false}};
    for (const Folder& f : folders) {
        filetree::FolderTreeSettings s;
        s.dirPoint = f.dirPoint;
        s.dirMethod = f.dirMethod;
        s.extPoint = f.extPoint;
        const options::FolderPageEnabling e = options::FolderPageEnablingFor(s);
        EXPECT_EQ(e.radios, f.radios);
        EXPECT_EQ(e.folder, f.folder);
        EXPECT_EQ(e.extensions, f.ext);
    }
}

TEST(OptionRulesTest, DisplayFlagRowsWriteTheirOwnField) {
    editor::EditorSettings s;
    std::int32_t* seen[options::kDisplayFlagCount];
    for (int row = 0; row < options::kDisplayFlagCount; ++row) {
        seen[row] = &options::DisplayFlag(s, row);
        for (int before = 0; before < row; ++before) EXPECT_NE(seen[before], seen[row]) << row;
    }
    options::DisplayFlag(s, 0) = 0;
    EXPECT_EQ(s.dragDropMode, 0);
    options::DisplayFlag(s, 11) = 0;
    EXPECT_EQ(s.fullSpaceDisp, 0);
    EXPECT_STREQ(options::DisplayFlagLabel(9), "EOFマークを表示する");
}

}  // namespace
