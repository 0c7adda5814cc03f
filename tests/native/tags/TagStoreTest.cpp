// The tag store: samples, settings, tag files, ids and key bindings.
#include <gtest/gtest.h>

#include "config/core/SettingsStore.h"
#include "tags/core/TagFileFormat.h"
#include "tags/core/TagStore.h"

using settings::MemorySettingsBackend;
using settings::SettingsStore;
using namespace tags;

namespace {

SimpleTagData& Simple(TagEntry& e) { return static_cast<SimpleTagData&>(*e.record); }
InteractiveTagData& Interactive(TagEntry& e) { return static_cast<InteractiveTagData&>(*e.record); }
PluginTagData& Plugin(TagEntry& e) { return static_cast<PluginTagData&>(*e.record); }

// A store with one tag of every kind, attributes, Shift JIS whose trail bytes
// are 0x5C and a kind this program does not know.
void FillWorked(TagStore& s) {
    s.AddFile("表ソ");
    s.AddTag(0, kSimpleKind);
    SimpleTagData& t = Simple(s.Files()[0].tags[0]);
    SetField(t.Name, "太字");
    SetField(t.Begin, "<b a=\"表\">");
    SetField(t.End, "</b>\\n");
    SetField(t.Option, "+2");
    t.bMenu = 1;
    TagEntry unknown;
    unknown.kind = 7;
    s.Files()[0].tags.push_back(std::move(unknown));
    s.AddTag(0, kInteractiveKind);
    InteractiveTagData& i = Interactive(s.Files()[0].tags[2]);
    i.Closed = 1;
    i.Attributes.resize(2);
    SetField(i.Attributes[0].Attr, "size");
    SetField(i.Attributes[0].AttrInput, "1;2");
    i.Attributes[1].AttrKind = 3;
    s.AddTag(0, kPluginKind);
    SetField(Plugin(s.Files()[0].tags[3]).File, "sub\\ソ.pqi");
    s.Files()[0].expand = 0;
}

}  // namespace

TEST(TagStoreTest, FirstRunGivesTheSamplesAndNewRecordsTheirDefaults) {
    MemorySettingsBackend mem;
    SettingsStore settingsStore(mem);
    TagKinds kinds;
    TagStore s(kinds);
    s.Load(settingsStore);
    ASSERT_EQ(s.Files().size(), 3u);
    const struct { const char* name; std::size_t tags; } files[] = {
        {"簡易タグサンプル", 3}, {"対話型タグサンプル", 2}, {"プラグインサンプル", 2}};
    for (std::size_t f = 0; f < 3; ++f) {
        EXPECT_EQ(s.Files()[f].name, files[f].name);
        EXPECT_EQ(s.Files()[f].tags.size(), files[f].tags);
        EXPECT_EQ(s.Files()[f].expand, 1);
    }
    EXPECT_STREQ(Simple(s.Files()[0].tags[1]).Begin, "<script language=\"JavaScript\">\\n<!--\\n");
    EXPECT_STREQ(Simple(s.Files()[0].tags[2]).Option, "");
    EXPECT_EQ(Interactive(s.Files()[1].tags[0]).Attributes.size(), 3u);
    EXPECT_EQ(Interactive(s.Files()[1].tags[1]).Attributes[0].AttrKind, 3);
    EXPECT_STREQ(Plugin(s.Files()[2].tags[1]).File, "Gradation.pqi");
    EXPECT_EQ(s.Files()[2].tags[1].commandId, 10201u);
    EXPECT_TRUE(s.keyDisplay);

    const auto simple = kinds.Of(kSimpleKind)->NewRecord();
    const auto& sr = static_cast<const SimpleTagData&>(*simple);
    EXPECT_STREQ(sr.Name, "新しい簡易タグ");
    EXPECT_STREQ(sr.Begin, "<newtag>");
    EXPECT_STREQ(sr.Option, "between");
    EXPECT_STREQ(kinds.Of(kInteractiveKind)->NewRecord()->Name, "新しい対話型タグ");
    const auto plugin = kinds.Of(kPluginKind)->NewRecord();
    EXPECT_STREQ(static_cast<const PluginTagData&>(*plugin).File, "***.pqi");
    EXPECT_STREQ(plugin->Comment, "プラグインの説明をここに記載してください");
}

TEST(TagStoreTest, EveryKindGoesThroughTheSettingsAndBack) {
    MemorySettingsBackend mem;
    SettingsStore settingsStore(mem);
    TagKinds kinds;
    TagStore s(kinds);
    FillWorked(s);
    s.keyDisplay = false;
    s.Save(settingsStore);
    EXPECT_EQ(settingsStore.ReadSettingInt("RegistTag\\File0", "Kind1", 0), 7);
    EXPECT_EQ(settingsStore.ReadSettingString("RegistTag\\File0", "Name1", "none"), "none");

    TagStore back(kinds);
    back.Load(settingsStore);
    EXPECT_EQ(back.ExportText(), s.ExportText());
    EXPECT_FALSE(back.keyDisplay);
    EXPECT_EQ(back.Files()[0].tags[1].kind, 7);
    EXPECT_EQ(Simple(back.Files()[0].tags[0]).bMenu, 1);

    // A store saved empty stays empty; an older, longer store leaves nothing.
    TagStore none(kinds);
    none.Save(settingsStore);
    EXPECT_FALSE(mem.HasSection("RegistTag\\File0"));
    back.Load(settingsStore);
    EXPECT_TRUE(back.Files().empty());
}

TEST(TagStoreTest, DamagedSettingsAreClampedAndCut) {
    MemorySettingsBackend mem;
    SettingsStore st(mem);
    const std::string f0 = "RegistTag\\File0";
    st.WriteSettingInt("RegistTag", "Count", 5000);
    st.WriteSettingString(f0, "Name", std::string(126, 'a') + "表表");  // 130 bytes
    st.WriteSettingInt(f0, "Count", 1000);
    st.WriteSettingInt(f0, "Kind0", 1);
    st.WriteSettingInt(f0, "AttrNum0", 99);
    st.WriteSettingInt(f0, "Closed0", 7);
    st.WriteSettingInt(f0, "bMenu0", -1);
    st.WriteSettingInt(f0, "AttrKind0-0", 9);
    st.WriteSettingInt(f0, "AttrKind0-1", 2);
    st.WriteSettingString(f0, "Fact0", std::string(30, 'x') + "ソ");  // 32 bytes
    st.WriteSettingInt("RegistTag\\File1", "Count", -4);
    TagKinds kinds;
    TagStore s(kinds);
    s.Load(st);
    ASSERT_EQ(s.Files().size(), 100u);
    EXPECT_EQ(s.Files()[0].name, std::string(126, 'a'));
    EXPECT_EQ(s.Files()[0].tags.size(), 100u);
    EXPECT_TRUE(s.Files()[1].tags.empty());
    InteractiveTagData& i = Interactive(s.Files()[0].tags[0]);
    EXPECT_EQ(i.Attributes.size(), 15u);
    EXPECT_EQ(i.Closed, 1);
    EXPECT_EQ(i.bMenu, 1);
    EXPECT_EQ(i.Attributes[0].AttrKind, 0);
    EXPECT_EQ(i.Attributes[1].AttrKind, 2);
    EXPECT_EQ(std::string(i.Fact), std::string(30, 'x'));
}

TEST(TagStoreTest, ExportWritesTheLayoutByteForByteAndImportsBackWhole) {
    TagKinds kinds;
    TagStore s(kinds);
    FillWorked(s);
    SetField(Simple(s.Files()[0].tags[0]).Comment, "一行目\r\n二行目");
    const std::string expected =
        "#registtag for Pembroquil\r\n[TagFileCount]\r\nCount=1\r\n\r\n"
        "[File0]\r\nName=表ソ\r\nExpand=0\r\nCount=3\r\n"
        "Kind0=0\r\nName0=太字\r\nBegin0=<b a=\"表\">\r\nEnd0=</b>\\n\r\nComment0=一行目 二行目\r\nOption0=+2\r\n"
        "Kind1=1\r\nName1=新しい対話型タグ\r\nFact1=newtag\r\nComment1=タグの説明をここに記載してください\r\n"
        "Closed1=1\r\nAttrNum1=2\r\nAttr1-0=size\r\nAttrCmmt1-0=\r\nAttrInput1-0=1;2\r\nAttrKind1-0=0\r\n"
        "Attr1-1=\r\nAttrCmmt1-1=\r\nAttrInput1-1=\r\nAttrKind1-1=3\r\n"
        "Kind2=2\r\nName2=新しいプラグイン\r\nFile2=sub\\ソ.pqi\r\nComment2=プラグインの説明をここに記載してください\r\n"
        "\r\n";
    EXPECT_EQ(s.ExportText(), expected);

    // A line end in Begin is kept as the escape.
    SetField(Simple(s.Files()[0].tags[0]).Begin, "a\rb\nc");
    EXPECT_NE(s.ExportText().find("Begin0=a\\nb\\nc\r\n"), std::string::npos);

    TagStore back(kinds);
    EXPECT_EQ(back.Import(expected).files, 1);
    ASSERT_EQ(back.Files()[0].tags.size(), 3u);
    EXPECT_EQ(Simple(back.Files()[0].tags[0]).bMenu, 0);
    EXPECT_EQ(back.ExportText(), expected);
}

TEST(TagStoreTest, ImportReadsBothLayoutsAndSurvivesHostileFiles) {
    const std::string older = "[TagFileCount]\nCount=1\n[File0]\nName=古い\nExpand=1\nCount=1\n"
                              "Name0=b\nBegin0=<a href=x>\nEnd0=</a>\nComment0=c\nOption0=select\n";
    const std::string begin600 = std::string(510, 'a') + "表" + std::string(88, 'b');
    const struct {
        const char* what;
        std::string text;
        int files;
        std::vector<std::size_t> tags;  // per imported file
        bool tooManyTags;
    } cases[] = {
        {"older layout", older, 1, {1}, false},
        {"cr only", "#registtag for Pembroquil\r[TagFileCount]\rCount=1\r[File0]\rName=n\rExpand=1\rCount=2\r"
                    "Kind0=2\rName0=p\rFile0=x.pqi\rComment0=c\r",
         1, {1}, false},
        {"negative counts", "[TagFileCount]\nCount=-5\n[File0]\n", 0, {}, false},
        {"overflowing count", "[TagFileCount]\nCount=99999999999999999999\n[File0]\nName=a\nExpand=0\nCount=-9\n",
         1, {0}, false},
        {"end inside a tag", "#registtag for Pembroquil\n[TagFileCount]\nCount=1\n[File0]\nName=a\nExpand=0\n"
                             "Count=9\nKind0=0\nName0=t\nBegin0=x\n",
         1, {1}, false},
        {"end inside attributes", "#registtag for Pembroquil\n[TagFileCount]\nCount=1\n[File0]\nName=a\nExpand=0\n"
                                  "Count=1\nKind0=1\nName0=i\nFact0=f\nComment0=\nClosed0=1\nAttrNum0=900\n"
                                  "Attr0-0=x\nAttrCmmt0-0=y\nAttrInput0-0=\nAttrKind0-0=2\nAttr0-1=z\n",
         1, {1}, false},
        {"long begin", "[TagFileCount]\nCount=1\n[File0]\nName=a\nExpand=0\nCount=1\nName0=t\nBegin0=" + begin600 + "\n",
         1, {1}, false},
        {"file line out of order", "[TagFileCount]\nCount=2\n[File1]\n[File1]\nName=a\nExpand=1\nCount=0\n", 1, {0}, false},
    };
    for (const auto& c : cases) {
        TagKinds kinds;
        TagStore s(kinds);
        const ImportResult r = s.Import(c.text);
        EXPECT_EQ(r.files, c.files) << c.what;
        ASSERT_EQ(s.Files().size(), c.tags.size()) << c.what;
        for (std::size_t f = 0; f < c.tags.size(); ++f) EXPECT_EQ(s.Files()[f].tags.size(), c.tags[f]) << c.what;
        EXPECT_EQ(r.tooManyTags, c.tooManyTags) << c.what;
        EXPECT_FALSE(r.tooManyFiles) << c.what;
    }

    TagKinds kinds;
    TagStore s(kinds);
    s.Import(older);
    EXPECT_STREQ(Simple(s.Files()[0].tags[0]).Begin, "<a href=x>");
    s.Clear();
    s.Import(cases[5].text);
    const InteractiveTagData& i = Interactive(s.Files()[0].tags[0]);
    ASSERT_EQ(i.Attributes.size(), 2u);
    EXPECT_STREQ(i.Attributes[0].AttrCmmt, "y");
    EXPECT_STREQ(i.Attributes[1].Attr, "z");
    s.Clear();
    s.Import(cases[6].text);
    EXPECT_EQ(std::string(Simple(s.Files()[0].tags[0]).Begin), std::string(510, 'a'));

    // With the header but no Kind lines each Name line is read as a Kind
    // line: kind 0, every later field one line off.
    s.Clear();
    s.Import("#registtag for Pembroquil\n" + older);
    EXPECT_EQ(s.Files()[0].tags[0].kind, 0);
    EXPECT_STREQ(Simple(s.Files()[0].tags[0]).Name, "");
}

TEST(TagStoreTest, ImportKeepsTheLimitsAndSaysSoOnlyForWhatWasThere) {
    TagKinds kinds;
    TagStore s(kinds);
    std::string big = "[TagFileCount]\nCount=3\n[File0]\nName=a\nExpand=1\nCount=102\n";
    for (int j = 0; j < 102; ++j)
        for (const char* key : {"Name", "Begin", "End", "Comment", "Option"}) big += key + std::to_string(j) + "=t\n";
    ImportResult r = s.Import(big);
    EXPECT_EQ(r.files, 1);
    EXPECT_TRUE(r.tooManyTags);
    EXPECT_EQ(s.Files()[0].tags.size(), 100u);

    for (int i = 1; i < 99; ++i) s.AddFile("f");
    r = s.Import("[TagFileCount]\nCount=3\n[File0]\nName=a\nExpand=1\nCount=0\n[File1]\nName=b\nExpand=1\nCount=0\n");
    EXPECT_EQ(r.files, 1);
    EXPECT_TRUE(r.tooManyFiles);
    EXPECT_EQ(s.Files().size(), 100u);
    EXPECT_EQ(s.AddFile("x"), -1);
    EXPECT_EQ(s.AddTag(0, kSimpleKind), -1);
    // A count that only claims more shows nothing.
    s.RemoveFile(99);
    r = s.Import("[TagFileCount]\nCount=500\n[File0]\nName=a\nExpand=1\nCount=5000\n");
    EXPECT_FALSE(r.tooManyFiles || r.tooManyTags);
}

TEST(TagStoreTest, KeysFollowTheirTagsThroughMovesAndDeletes) {
    TagKinds kinds;
    TagStore s(kinds);
    s.AddFile("a");
    s.AddFile("b");
    for (int i = 0; i < 2; ++i) s.AddTag(0, kSimpleKind);
    for (int i = 0; i < 2; ++i) s.AddTag(1, kSimpleKind);
    s.AssignIds();
    keys::KeyTable table = {{0x01, 'B', 10000}, {0x01, 'C', 10001}, {0x01, 'D', 10101}, {0x01, 'E', 100},
                            {0x01, 'F', 10100}};
    // The first tag of file 0 onto the second tag of file 1: before it.
    ASSERT_TRUE(s.MoveTag(0, 0, 1, 1));
    EXPECT_TRUE(s.RemapKeys(table));
    s.AssignIds();
    const keys::KeyTable moved = {{0x01, 'B', 10101}, {0x01, 'C', 10000}, {0x01, 'D', 10102}, {0x01, 'E', 100},
                                  {0x01, 'F', 10100}};
    EXPECT_EQ(table, moved);
    // Deleting a tag drops its key; the tags after it move up with theirs.
    s.DeleteTag(1, 0);
    s.RemapKeys(table);
    s.AssignIds();
    const keys::KeyTable deleted = {{0x01, 'B', 10100}, {0x01, 'C', 10000}, {0x01, 'D', 10101}, {0x01, 'E', 100}};
    EXPECT_EQ(table, deleted);

    SetField(s.Files()[0].tags[0].record->Name, "改行");
    const keys::KeyBinding ctrlB{0x09, 'B', 10000};
    EXPECT_EQ(s.Label(s.Files()[0].tags[0], {ctrlB}), "改行　[" + keys::BindingText(ctrlB) + "]");
    s.keyDisplay = false;
    EXPECT_EQ(s.Label(s.Files()[0].tags[0], {ctrlB}), "改行");

    // A 101st tag is never moved into a file; files move before their target.
    for (int i = 0; i < 99; ++i) s.AddTag(0, kSimpleKind);
    EXPECT_FALSE(s.MoveTag(1, 0, 0, -1));
    EXPECT_EQ(s.Files()[1].tags.size(), 2u);
    EXPECT_TRUE(s.MoveTagFile(1, 0));
    EXPECT_EQ(s.Files()[0].name, "b");
    s.AssignIds();
    int f = -1, t = -1;
    EXPECT_NE(s.FindById(10001, &f, &t), nullptr);
    EXPECT_EQ(f * 100 + t, 1);
    EXPECT_EQ(s.FindById(10002), nullptr);
    EXPECT_EQ(s.FindById(9999), nullptr);
}

TEST(TagFileFormatTest, ValuesAreFoundByCharacterAndSaturate) {
    const struct {
        const char* line;
        const char* key;
        std::int32_t number;
        const char* text;
    } cases[] = {
        {"Begin0=<a href=x>", "Begin0", 0, "<a href=x>"},
        {"Count=  -12x", "Count", -12, "  -12x"},
        {"Count=99999999999", "Count", 2147483647, "99999999999"},
        {"Count=-99999999999", "Count", -2147483647 - 1, "-99999999999"},
        {"Name1=a", "Name10", 7, "none"},
        {"ソName0=x", "\\Name0", 7, "none"},        // 0x5C is the trail byte of ソ
        {"ソ\\Name0=x", "\\Name0", 0, "x"},
        {"Count=", "Count", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntValue(c.line, c.key, 7), c.number) << c.line;
        EXPECT_EQ(StrValue(c.line, c.key, "none"), c.text) << c.line;
    }
}
