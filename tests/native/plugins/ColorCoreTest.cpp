// The colour picker's text rules and the checks of its settings read back.
#include "plugins/color/core/ColorCore.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/Decimal.h"
#include "tags/core/ColorNameTable.h"

namespace {

using colorplugin::ColorOfText;
using tags::MakeRgb;

TEST(ColorCoreTest, TypedTextGivesItsColor) {
    const struct {
        std::string text;
        std::uint32_t rgb;
    } cases[] = {
        {"#12ab", 0},                                // five bytes: black
        {"#12AB3C", MakeRgb(0x12, 0xAB, 0x3C)},
        {"#12ab3c", MakeRgb(0x12, 0xAB, 0x3C)},
        {"#12AB3C0", 0},                             // eight bytes
        {"#zz0G10", MakeRgb(0, 0, 0x10)},           // no hex digit counts 0
        {"Navy", MakeRgb(0, 0, 0x80)},
        {"navyblue", 0},
        {"GHOSTWHITE", MakeRgb(0x8f, 0x8f, 0xff)},
        {" navy", 0},                                // not a letter first
        {"\x82\x6D\x82\x81", 0},                     // full-width letters are no name
        {"aliceblue" + std::string(40, ' '), 0},     // cut at 31, trailing blanks kept
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorOfText(c.text), c.rgb) << c.text;
}

TEST(ColorCoreTest, InsertionChangesTheCaseOfSingleByteLettersOnly) {
    const std::string mixed = "#F0f8Ff\x83\x5C\x82\x81";  // ソ ａ
    EXPECT_EQ(colorplugin::TextToInsert(mixed, 0), "#F0F8FF\x83\x5C\x82\x81");
    EXPECT_EQ(colorplugin::TextToInsert(mixed, 1), "#f0f8ff\x83\x5C\x82\x81");
    EXPECT_EQ(colorplugin::TextToInsert(mixed, 2), mixed);
    // Cut at 31 bytes on a character boundary: a pair across the cut goes.
    const std::string longText = std::string(30, 'a') + "\x83\x41" + "b";
    EXPECT_EQ(colorplugin::TextToInsert(longText, 2), std::string(30, 'a'));
    EXPECT_EQ(colorplugin::CutColorText(std::string(29, 'a') + "\x83\x41zz"), std::string(29, 'a') + "\x83\x41");
}

TEST(ColorCoreTest, SettingsReadBackAreChecked) {
    const struct {
        std::uint32_t back;
        int value, method, modeless;
        std::uint32_t wantBack;
        int wantValue, wantMethod, wantModeless;
    } cases[] = {
        {0x00123456, 0, 0, 0, 0x00123456, 0, 0, 0},
        {0xFF123456, 1, 1, 1, 0x00123456, 1, 1, 1},
        {0xFFFFFFFF, 5, 2, -3, 0x00FFFFFF, 1, 2, 1},
        {0, -1, 3, 2, 0, 1, 0, 1},
        {0, 0, -1, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        colorplugin::ColorSettings raw;
        raw.backColor = c.back;
        raw.value = c.value;
        raw.insertMethod = c.method;
        raw.modeless = c.modeless;
        const colorplugin::ColorSettings s = colorplugin::CheckedSettings(raw);
        EXPECT_EQ(s.backColor, c.wantBack);
        EXPECT_EQ(s.value, c.wantValue);
        EXPECT_EQ(s.insertMethod, c.wantMethod);
        EXPECT_EQ(s.modeless, c.wantModeless);
    }
    colorplugin::ColorSettings raw;
    raw.lastColor = std::string(31, 'x') + "yz";
    EXPECT_EQ(colorplugin::CheckedSettings(raw).lastColor, std::string(31, 'x'));
    raw.lastColor = std::string(30, 'x') + "\x95\x5C";  // 表 across the cut
    EXPECT_EQ(colorplugin::CheckedSettings(raw).lastColor, std::string(30, 'x'));
}

TEST(ColorCoreTest, DecimalSettingsSaturate) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{nullptr, -7}, {"", -7},  {"12", 12},  {" -5", -5}, {"+9x", 9}, {"abc", 0},
                 {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"16777215", 16777215}};
    for (const auto& c : cases) EXPECT_EQ(decimal::ParseSaturated(c.text, -7), c.value) << (c.text ? c.text : "null");
}

}  // namespace
