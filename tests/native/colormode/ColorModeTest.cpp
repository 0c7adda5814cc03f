#include "editor/core/ColorMode.h"

#include <gtest/gtest.h>

#include <map>

#include "ColorTestUtil.h"
#include "config/core/SettingsStore.h"
#include "editor/core/ColorModeManager.h"

namespace {

using editor::ColorModeTable;
using settings::MemorySettingsBackend;
using settings::SettingsStore;

const editor::SystemColors kSys{0x000001, 0xFFFFFE, 0x000002, 0x000003};

TEST(ColorModeTableTest, AnEmptyStoreGivesTheThreeBuiltInModes) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    ColorModeTable table(kSys);
    table.Load(store);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Mode(0).name, "HTML");
    EXPECT_EQ(table.Mode(1).name, "CGI");
    EXPECT_EQ(table.Mode(2).name, "共通");
    EXPECT_EQ(table.Mode(0).ext, "html;htm;shtml;shtm;");
    EXPECT_EQ(table.Mode(1).ext, "pl;cgi;");
    EXPECT_EQ(table.Mode(0).keyfile1, "HTML element.kwd");
    EXPECT_EQ(table.Mode(0).keyfile2, "HTML attribute.kwd");
    EXPECT_EQ(table.Mode(1).keyfile1, "CGI.kwd");
    EXPECT_EQ(table.Mode(2).keyfile1, "");
    EXPECT_EQ(table.Mode(0).fontName, "ＭＳ ゴシック");
    EXPECT_EQ(table.Mode(0).fontSize, 11);
    EXPECT_EQ(table.Mode(0).modeColors[0], 0x800080u);
    EXPECT_EQ(table.Mode(0).modeColors[5], 0x4080D0u);
    EXPECT_EQ(table.Mode(1).modeColors[2], 0x4000C0u);
    EXPECT_EQ(table.Mode(0).colors.text, kSys.windowText);
    EXPECT_EQ(table.Mode(0).colors.background, kSys.window);
    EXPECT_EQ(table.Mode(0).colors.tabMark, 0xFFC0C0u);
    EXPECT_EQ(table.Mode(0).settings.tabSize, 4);
    EXPECT_EQ(table.Mode(0).settings.wheelLines, 3);
    EXPECT_EQ(editor::ModeSection(0), "CanvasEdit\\HTML");
    EXPECT_EQ(editor::ModeSection(2), "CanvasEdit\\Common");
    EXPECT_EQ(editor::ModeSection(4), "CanvasEdit\\User1");
}

TEST(ColorModeTableTest, SaveAndLoadRoundTripWithUserModes) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    ColorModeTable table(kSys);
    ASSERT_EQ(table.AddUserMode("テキスト"), 3);
    ASSERT_EQ(table.AddUserMode("ログ"), 4);
    table.Mode(3).ext = "txt;";
    table.Mode(3).headline = "■";
    table.Mode(3).lineComment = "//";
    table.Mode(3).keyfile1 = "表.kwd";
    table.Mode(4).modeColors[2] = 0x123456;
    table.Mode(0).settings.tabSize = 8;
    table.Mode(0).settings.rulerDisp = 0;
    table.Mode(0).colors.selectionBackground = 0x00AABB;
    table.Mode(1).fontName = "IPAゴシック";
    table.Mode(1).fontSize = 14;
    table.SetModeIndex(4);
    table.SetDetailIndex(2);
    ASSERT_TRUE(table.Save(store));

    EXPECT_EQ(store.ReadSettingInt("CanvasEdit", "UserModeNum", -1), 2);
    EXPECT_EQ(store.ReadSettingString("CanvasEdit", "UserModeName3", ""), "テキスト");
    EXPECT_EQ(store.ReadSettingString("CanvasEdit", "UserModeName0", ""), "HTML");
    EXPECT_EQ(store.ReadSettingInt("CanvasEdit\\HTML", "tabSize", 0), 8);
    EXPECT_EQ(store.ReadSettingInt("CanvasEdit\\HTML", "HTML entityColor", 0), 0x4080D0);
    EXPECT_EQ(store.ReadSettingString("CanvasEdit\\User0", "HeadlineStr", ""), "■");
    EXPECT_EQ(store.ReadSettingInt("CanvasEdit\\User1", "User hlineColor", 0), 0x123456);

    ColorModeTable back(kSys);
    back.Load(store);
    ASSERT_EQ(back.Count(), 5);
    EXPECT_EQ(back.Mode(3).name, "テキスト");
    EXPECT_EQ(back.Mode(3).kind, editor::ModeKind::User);
    EXPECT_EQ(back.Mode(3).ext, "txt;");
    EXPECT_EQ(back.Mode(3).headline, "■");
    EXPECT_EQ(back.Mode(3).lineComment, "//");
    EXPECT_EQ(back.Mode(3).keyfile1, "表.kwd");
    EXPECT_EQ(back.Mode(4).modeColors[2], 0x123456u);
    EXPECT_EQ(back.Mode(0).settings.tabSize, 8);
    EXPECT_EQ(back.Mode(0).settings.rulerDisp, 0);
    EXPECT_EQ(back.Mode(0).colors.selectionBackground, 0x00AABBu);
    EXPECT_EQ(back.Mode(1).fontName, "IPAゴシック");
    EXPECT_EQ(back.Mode(1).fontSize, 14);
    EXPECT_EQ(back.ModeIndex(), 4);
    EXPECT_EQ(back.DetailIndex(), 2);

    // Removing a user mode and saving leaves nothing of it behind.
    ASSERT_TRUE(back.RemoveMode(4));
    EXPECT_FALSE(back.RemoveMode(2));  // built-in modes stay
    ASSERT_TRUE(back.Save(store));
    EXPECT_FALSE(mem.HasSection("CanvasEdit\\User1"));
    EXPECT_FALSE(mem.HasValue("CanvasEdit", "UserModeName4"));
    EXPECT_EQ(store.ReadSettingInt("CanvasEdit", "ModeIndex", -1), 3);  // clamped to the modes left
}

TEST(ColorModeTableTest, StoredValuesAreNeverTrusted) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt("CanvasEdit", "UserModeNum", 99);
    store.WriteSettingInt("CanvasEdit", "ModeIndex", 500);
    store.WriteSettingInt("CanvasEdit", "DetailIndex", -7);
    store.WriteSettingInt("CanvasEdit\\HTML", "tabSize", 0);
    store.WriteSettingInt("CanvasEdit\\HTML", "lMarginWidth", 100000);
    store.WriteSettingInt("CanvasEdit\\HTML", "bRulerDisp", 7);
    store.WriteSettingInt("CanvasEdit\\HTML", "textColor", static_cast<std::int32_t>(0xFF123456u));
    store.WriteSettingInt("CanvasEdit\\HTML", "FontSize", -3);
    store.WriteSettingString("CanvasEdit\\HTML", "KeyfileName1", "..\\..\\secret.kwd");
    store.WriteSettingString("CanvasEdit\\HTML", "FontName", "");
    store.WriteSettingString("CanvasEdit\\CGI", "tabSize", "8");  // a string is no number
    store.WriteSettingInt("CanvasEdit\\CGI", "tabSize", 0);
    store.WriteSettingString("CanvasEdit\\CGI", "FontName", std::string(40, 'F'));
    ColorModeTable table(kSys);
    table.Load(store);
    EXPECT_EQ(table.Count(), editor::kMaxModes);
    EXPECT_EQ(table.ModeIndex(), editor::kMaxModes - 1);
    EXPECT_EQ(table.DetailIndex(), 0);
    const editor::ColorMode& html = table.Mode(0);
    EXPECT_EQ(html.settings.tabSize, 1);
    EXPECT_EQ(html.settings.marginWidth, 100);
    EXPECT_EQ(html.settings.rulerDisp, 1);
    EXPECT_EQ(html.colors.text, 0x123456u);
    EXPECT_EQ(html.fontSize, 1);
    EXPECT_EQ(html.keyfile1, "");
    EXPECT_EQ(html.fontName, "ＭＳ ゴシック");
    EXPECT_EQ(table.Mode(1).fontName.size(), 31u);
    EXPECT_FALSE(table.CanAddUserMode());
    EXPECT_EQ(table.AddUserMode("x"), -1);

    store.WriteSettingInt("CanvasEdit", "UserModeNum", -4);
    table.Load(store);
    EXPECT_EQ(table.Count(), 3);
}

TEST(ColorModeTableTest, ModeByExtension) {
    ColorModeTable table(kSys);
    EXPECT_EQ(table.ModeForExtension("HTM"), 0);   // x.HTM
    EXPECT_EQ(table.ModeForExtension("cgi"), 1);   // x.cgi
    EXPECT_EQ(table.ModeForExtension("PL"), 1);
    EXPECT_EQ(table.ModeForExtension("txt"), 2);   // x.txt
    EXPECT_EQ(table.ModeForExtension("html"), 0);  // untitled documents pass "html"
    EXPECT_EQ(table.ModeForExtension(""), 0);      // no extension: ";;" is in every list ending in ";"
    EXPECT_EQ(table.ModeForExtension("tm"), 2);
    EXPECT_EQ(table.ModeForExtension("shtm"), 0);
    const int user = table.AddUserMode("テキスト");
    table.Mode(user).ext = "txt;ソ";  // the last extension without its ";"
    EXPECT_EQ(table.ModeForExtension("TXT"), user);
    EXPECT_EQ(table.ModeForExtension("ソ"), user);
    EXPECT_EQ(table.ModeForExtension("\\"), 2);  // never found in the trail byte of ソ
}

TEST(ColorModeTableTest, ColourItemsOfEachKind) {
    ColorModeTable table(kSys);
    const int user = table.AddUserMode("u");
    EXPECT_EQ(editor::ColorItemCount(table.Mode(0)), 19);
    EXPECT_EQ(editor::ColorItemCount(table.Mode(1)), 16);
    EXPECT_EQ(editor::ColorItemCount(table.Mode(2)), 13);
    EXPECT_EQ(editor::ColorItemCount(table.Mode(user)), 16);
    EXPECT_STREQ(editor::ColorItemLabel(table.Mode(0), 0), "テキスト");
    EXPECT_STREQ(editor::ColorItemLabel(table.Mode(0), 13), "HTML Element [要素]");
    EXPECT_STREQ(editor::ColorItemLabel(table.Mode(user), 15), "User Headline [見出し]");
    editor::ColorMode& m = table.Mode(1);
    editor::SetColorItem(m, 13, 0x010203);
    EXPECT_EQ(m.modeColors[0], 0x010203u);
    EXPECT_EQ(editor::DefaultColorItem(m, 13, kSys), 0xFF0000u);
    editor::SetColorItem(m, 3, 0x445566);
    EXPECT_EQ(m.colors.selectionBackground, 0x445566u);
    EXPECT_EQ(editor::ColorItemSample(m, 2), std::make_pair(m.colors.selectedText, m.colors.selectionBackground));
    EXPECT_EQ(editor::ColorItemSample(m, 13), std::make_pair(editor::Color{0x010203}, m.colors.background));
}

// ---------------------------------------------------------------------------
// Selecting a mode for a document.

class MemoryKeywordFiles : public editor::IKeywordFileSource {
public:
    std::map<std::string, std::string> files;
    bool ReadKeywordFile(const std::string& name, std::string* bytes) override {
        auto it = files.find(name);
        if (it == files.end()) return false;
        *bytes = it->second;
        return true;
    }
};

class RecordingEditor : public editor::IColorModeEditor {
public:
    std::vector<std::string> calls;
    editor::ColorLineFn colorLine;
    editor::LineStateFn lineState;
    editor::WordFunctions words;
    editor::EditorSettings settings;
    std::string face;
    int size = 0;
    void SetColorFunctions(const editor::ColorLineFn& c, const editor::LineStateFn& l) override {
        calls.push_back("functions");
        colorLine = c;
        lineState = l;
    }
    void SetWordFunctions(const editor::WordFunctions& w) override {
        calls.push_back("words");
        words = w;
    }
    void SetColors(const editor::EditorColors&, bool redraw) override {
        calls.push_back(redraw ? "colors+redraw" : "colors");
    }
    void SetSettings(const editor::EditorSettings& s, bool redraw) override {
        calls.push_back(redraw ? "settings+redraw" : "settings");
        settings = s;
    }
    void SetFont(const std::string& f, int pt, bool, bool redraw) override {
        calls.push_back(redraw ? "font+redraw" : "font");
        face = f;
        size = pt;
    }
};

class SelectColorModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        files.files["HTML element.kwd"] = "a\r\ntable\r\n";
        files.files["HTML attribute.kwd"] = "href\r\n";
        files.files["CGI.kwd"] = "print\r\n";
        files.files["user.kwd"] = "int\r\n";
    }
    std::string Colour(const editor::ColorLineFn& fn, const std::string& text) {
        return colortest::Paint(fn, text);
    }
    MemoryKeywordFiles files;
    editor::ColorModeManager modes{files, kSys};
    RecordingEditor ed;
};

TEST_F(SelectColorModeTest, HtmlModeInstallsEverythingWithoutRepaint) {
    EXPECT_EQ(modes.SelectColorMode("HTM", ed), 0);
    EXPECT_EQ(modes.CurrentMode(), 0);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"functions", "words", "colors", "settings", "font"}));
    ASSERT_TRUE(ed.colorLine);
    ASSERT_TRUE(ed.lineState);
    ASSERT_TRUE(ed.words.next && ed.words.previous && ed.words.wordAt);
    EXPECT_EQ(ed.face, "ＭＳ ゴシック");
    EXPECT_EQ(ed.size, 11);
    EXPECT_TRUE(modes.Keywords1().Contains("table", 5));
    EXPECT_TRUE(modes.Keywords2().Contains("href", 4));
    // Colours are the HTML mode's own (element purple, delimiter blue).
    colortest::Line line("<a href=\"x\">");
    std::vector<editor::Color> colors(static_cast<std::size_t>(line.size()), 0);
    EXPECT_EQ(ed.colorLine(line.data(), line.size(), -1, colors.data()), 0);
    EXPECT_EQ(colors[0], 0xFF0000u);
    EXPECT_EQ(colors[1], 0x800080u);
    EXPECT_EQ(colors[3], 0x0000FFu);
    EXPECT_EQ(ed.lineState(line.data(), 2, -1), 1);
}

TEST_F(SelectColorModeTest, OtherModesAndUnknownExtensions) {
    EXPECT_EQ(modes.SelectColorMode("cgi", ed), 1);
    EXPECT_TRUE(ed.colorLine);
    ASSERT_TRUE(ed.lineState);  // CGI carries nothing across lines: every state is 0
    EXPECT_EQ(ed.lineState("'#", 2, -1), 0);
    EXPECT_FALSE(ed.words.next);  // and the default word functions
    EXPECT_TRUE(modes.Keywords1().Contains("print", 5));
    EXPECT_TRUE(modes.Keywords2().Empty());
    EXPECT_EQ(modes.SelectColorMode("txt", ed), 2);
    EXPECT_FALSE(ed.colorLine);  // no colouring
    EXPECT_TRUE(modes.Keywords1().Empty());
    EXPECT_EQ(modes.SelectColorMode("html", ed), 0);
}

TEST_F(SelectColorModeTest, UserModesColourWithTheirOwnMarkers) {
    const int user = modes.Table().AddUserMode("テキスト");
    editor::ColorMode& m = modes.Table().Mode(user);
    m.ext = "txt;";
    m.keyfile1 = "user.kwd";
    m.headline = "*";
    m.lineComment = "#";
    m.settings.tabSize = 8;
    EXPECT_EQ(modes.SelectColorMode("txt", ed), user);
    EXPECT_EQ(ed.settings.tabSize, 8);
    ASSERT_TRUE(ed.colorLine);
    colortest::Line line("int #x");
    std::vector<editor::Color> colors(static_cast<std::size_t>(line.size()), 0);
    ed.colorLine(line.data(), line.size(), -1, colors.data());
    EXPECT_EQ(colors, (std::vector<editor::Color>{0xFF0000, 0xFF0000, 0xFF0000, 0, 0x008000, 0x008000}));
}

TEST_F(SelectColorModeTest, AnEditorKeepsItsKeywordsWhenAnotherModeIsSelected) {
    modes.SelectColorMode("html", ed);
    RecordingEditor other;
    modes.SelectColorMode("pl", other);
    colortest::Line line("<table>");
    std::vector<editor::Color> colors(static_cast<std::size_t>(line.size()), 0);
    ed.colorLine(line.data(), line.size(), -1, colors.data());
    EXPECT_EQ(colors[1], 0x800080u);  // still the HTML element table
    modes.ReleaseKeywordTables();
    EXPECT_TRUE(modes.Keywords1().Empty());
    // A missing keyword file leaves its table empty, no failure.
    files.files.clear();
    EXPECT_EQ(modes.SelectColorMode("htm", ed), 0);
    EXPECT_TRUE(modes.Keywords1().Empty());
}

}  // namespace
