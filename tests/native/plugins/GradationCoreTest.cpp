// The gradient text: colours of each character, the HTML byte for byte, the
// text taken from a selection, and the presets read back.
#include "plugins/gradation/core/GradationCore.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/core/Sjis.h"
#include "tags/core/ColorNameTable.h"

namespace {

using gradation::CharColors;
using gradation::Preset;
using tags::MakeRgb;

std::uint32_t Red(unsigned r) { return MakeRgb(r, 0, 0); }
const std::uint32_t kBlack = 0, kWhite = 0xFFFFFF, kBlue = MakeRgb(0, 0, 0xFF);

TEST(GradationCoreTest, ColourPasses) {
    const struct {
        const char* what;
        int n;
        std::uint32_t begin, center, end;
        bool two;
        std::vector<std::uint32_t> want;
    } cases[] = {
        {"two colours", 2, kBlack, kWhite, kBlue, true, {kBlack, kBlue}},
        {"three through the centre", 3, kBlack, kWhite, kBlack, false, {kBlack, kWhite, kBlack}},
        {"ten black to red", 10, kBlack, kWhite, Red(255), true,
         {kBlack, Red(28), Red(56), Red(84), Red(112), Red(140), Red(168), Red(196), Red(224), Red(255)}},
        {"one, two-colour", 1, Red(1), Red(2), Red(3), true, {Red(1)}},
        {"one, three-colour", 1, Red(1), Red(2), Red(3), false, {Red(1)}},
        {"two, three-colour", 2, Red(1), Red(2), Red(3), false, {Red(1), Red(3)}},
        {"five down and up", 5, Red(200), Red(0), Red(100), false, {Red(200), Red(100), Red(0), Red(50), Red(100)}},
        {"four, fraction toward zero", 4, Red(0), Red(0), Red(9), false, {Red(0), Red(0), Red(4), Red(9)}},
        {"none", 0, kBlack, kWhite, kBlack, false, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CharColors(c.n, c.begin, c.center, c.end, c.two), c.want) << c.what;
}

Preset Settings(const std::string& text, const std::string& size, int bold, int italic, bool two) {
    Preset p;
    p.str = text;
    p.font = "ＭＳ Ｐゴシック";
    p.size = size;
    p.bold = bold;
    p.italic = italic;
    p.back = MakeRgb(0x40, 0, 0);
    p.begin = kBlack;
    p.center = kWhite;
    p.end = kBlue;
    p.twoColor = two;
    return p;
}

TEST(GradationCoreTest, HtmlByteForByte) {
    const std::string head = "<span style=\"font-family:ＭＳ Ｐゴシック; font-size:";
    const struct {
        Preset p;
        std::string want;
    } cases[] = {
        {Settings("ab", "30", 0, 0, true),
         head + "30px; background-color:#400000;\"><span style=\"color:#000000;\">a</span>"
                "<span style=\"color:#0000ff;\">b</span></span>"},
        {Settings("表<", "", 1, 1, true),  // a pair is one span; markup is not escaped
         head + "0px; background-color:#400000; font-weight:bold; font-style:italic;\">"
                "<span style=\"color:#000000;\">\x95\x5C</span><span style=\"color:#0000ff;\"><</span></span>"},
        {Settings("", "12", 0, 1, false), head + "12px; background-color:#400000; font-style:italic;\"></span>"},
    };
    for (const auto& c : cases) EXPECT_EQ(gradation::BuildHtml(c.p), c.want);
}

TEST(GradationCoreTest, HtmlCoversTheWholeTextAndNoHalfCharacter) {
    // A long text: every character has its span, however wide the preview.
    Preset p = Settings(std::string(127, 'x') + "yyy", "30", 0, 0, true);
    std::string html = gradation::BuildHtml(p);
    std::size_t spans = 0;
    for (std::size_t i = html.find("<span style=\"color:"); i != std::string::npos;
         i = html.find("<span style=\"color:", i + 1))
        ++spans;
    EXPECT_EQ(spans, 127u);
    // A lone lead byte at the end never reaches the HTML.
    p.str = "a\x82";
    html = gradation::BuildHtml(p);
    EXPECT_EQ(html.substr(html.size() - 44), "<span style=\"color:#000000;\">a</span></span>");
}

TEST(GradationCoreTest, FirstLineOfTheSelection) {
    const struct {
        std::string sel;
        std::string want;
    } cases[] = {
        {"abc\tdef", "abc"},
        {"abc\r\ndef", "abc"},
        {"abc\ndef", "abc"},
        {"表\\ソ\rx", "表\\ソ"},            // trail bytes 0x5C are no stop
        {"\x82\x09x", "\x82\x09x"},          // a lead byte takes the next byte, as the system steps
        {std::string("ab\0cd", 5), "ab"},
        {std::string(126, 'a') + "表z", std::string(126, 'a')},
        {std::string(127, 'a') + "b", std::string(127, 'a')},
        {"ab\x82", "ab"},                    // a lone lead byte at the end is dropped
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(gradation::FirstLine(c.sel.data(), c.sel.size()), c.want) << c.sel;
}

TEST(GradationCoreTest, CutsAndSize) {
    EXPECT_EQ(gradation::Cut(std::string(62, 'n') + "名前", 63), std::string(62, 'n'));
    EXPECT_EQ(gradation::Cut(std::string(61, 'n') + "名前", 63), std::string(61, 'n') + "名");
    EXPECT_EQ(gradation::SizeDigits("1a2-3"), "123");
    EXPECT_EQ(gradation::SizeDigits("12345678901"), "123456789");
    EXPECT_EQ(gradation::SizeValue(""), 0);
    EXPECT_EQ(gradation::SizeValue("999999999"), 999999999);
    EXPECT_EQ(gradation::CharCount("a表b"), 3);
    EXPECT_EQ(gradation::CharsetForCodePage(932, 0), 128);
    EXPECT_EQ(gradation::CharsetForCodePage(1252, 7), 7);
    EXPECT_EQ(gradation::CharsetForCodePage(437, 7), 7);
}

gradation::IniReader Reader(const std::map<std::string, std::string>& ini) {
    return [&ini](const std::string& key, std::string* value) {
        auto it = ini.find(key);
        if (it == ini.end()) return false;
        *value = it->second;
        return true;
    };
}

TEST(GradationCoreTest, PresetsReadBackAreChecked) {
    // No Count, a negative one: the four built-in presets.
    for (const std::map<std::string, std::string>& ini :
         {std::map<std::string, std::string>{}, std::map<std::string, std::string>{{"Count", "-3"}}}) {
        const auto presets = gradation::ReadPresets(Reader(ini));
        ASSERT_EQ(presets.size(), 4u);
        EXPECT_EQ(presets[0].name, "サンプル１");
        EXPECT_EQ(presets[2].str.size(), 60u);  // thirty ★
        EXPECT_EQ(presets[1].twoColor, 1);
    }
    EXPECT_TRUE(gradation::ReadPresets(Reader({{"Count", "0"}})).empty());
    EXPECT_EQ(gradation::ReadPresets(Reader({{"Count", "5000"}})).size(), 1000u);

    const std::map<std::string, std::string> ini = {
        {"Count", "1"},           {"Name0", std::string(62, 'n') + "名"}, {"Str0", std::string(200, 's')},
        {"Font0", "Arial"},       {"Size0", "4x0000000000"},              {"Bold0", "7"},
        {"BackColor0", "-1"},     {"BeginColor0", "255"},                 {"TwoColor0", "1"},
    };
    const auto presets = gradation::ReadPresets(Reader(ini));
    ASSERT_EQ(presets.size(), 1u);
    const Preset& p = presets[0];
    EXPECT_EQ(p.name, std::string(62, 'n'));
    EXPECT_EQ(p.str, std::string(127, 's'));
    EXPECT_EQ(p.size, "400000000");
    EXPECT_EQ(p.bold, 1);
    EXPECT_EQ(p.italic, 0);
    EXPECT_EQ(p.back, 0xFFFFFFu);
    EXPECT_EQ(p.begin, MakeRgb(255, 0, 0));
    EXPECT_EQ(p.center, 0u);
    EXPECT_EQ(p.twoColor, 1);

    // What is written reads back the same.
    std::map<std::string, std::string> written;
    for (const auto& kv : gradation::PresetEntries(presets)) written[kv.first] = kv.second;
    EXPECT_EQ(written["Count"], "1");
    EXPECT_EQ(written["BackColor0"], "16777215");
    const auto again = gradation::ReadPresets(Reader(written));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(gradation::BuildHtml(again[0]), gradation::BuildHtml(p));
    EXPECT_EQ(again[0].name, p.name);
}

}  // namespace
