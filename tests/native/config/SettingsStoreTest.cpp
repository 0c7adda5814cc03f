#include "config/core/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using settings::MemorySettingsBackend;
using settings::SettingsStore;

TEST(MemorySettingsTest, ValuesReadBackOnlyAsTheirOwnKind) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    EXPECT_TRUE(store.WriteSettingInt("Main", "LastOpen", 1));
    EXPECT_TRUE(store.WriteSettingString("Main", "DefaultExt", "htm"));
    const unsigned char acl[6] = {0x0B, 0, 'N', 0, 0x29, 0x80};
    EXPECT_TRUE(store.WriteSettingBinary("AcceleratorKey", "acl0", acl, 6));

    EXPECT_EQ(store.ReadSettingInt("main", "lastopen", 0), 1);  // names ignore case
    EXPECT_EQ(store.ReadSettingString("Main", "DefaultExt", "html"), "htm");
    EXPECT_EQ(store.ReadSettingInt("Main", "DefaultExt", 7), 7);        // a string is no number
    EXPECT_EQ(store.ReadSettingString("Main", "LastOpen", "x"), "x");   // a number is no string
    unsigned char buf[6] = {};
    std::size_t len = sizeof buf;
    ASSERT_TRUE(store.ReadSettingBinary("AcceleratorKey", "acl0", buf, &len));
    EXPECT_EQ(len, 6u);
    EXPECT_EQ(buf[4], 0x29);
    len = 5;  // too small: fails
    EXPECT_FALSE(store.ReadSettingBinary("AcceleratorKey", "acl0", buf, &len));
}

TEST(MemorySettingsTest, DeletingASectionRemovesItsSubSections) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt("RegistTag", "Count", 2);
    store.WriteSettingString("RegistTag\\File0", "Name", "a");
    store.WriteSettingString("RegistTagX", "Name", "kept");
    EXPECT_TRUE(store.DeleteSettingSection("RegistTag"));
    EXPECT_FALSE(mem.HasSection("RegistTag\\File0"));
    EXPECT_EQ(store.ReadSettingString("RegistTagX", "Name", ""), "kept");
    // Reads create the section they look in, as the registry does.
    EXPECT_EQ(store.ReadSettingInt("History\\Find", "Count", 0), 0);
    EXPECT_TRUE(mem.HasSection("History\\Find"));
    EXPECT_TRUE(store.DeleteSettingValue("RegistTagX", "Name"));
    EXPECT_FALSE(store.DeleteSettingValue("RegistTagX", "Name"));
}

TEST(MemorySettingsTest, FailedWritesReportFalseAndChangeNothing) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt("Main", "x", 5);
    mem.failWrites = true;
    EXPECT_FALSE(store.WriteSettingInt("Main", "x", 6));
    EXPECT_FALSE(store.DeleteSettingSection("Main"));
    EXPECT_EQ(store.ReadSettingInt("Main", "x", 0), 5);
}

TEST(MemorySettingsTest, RawValuesReadAtTheirExactLengthOnly) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    const unsigned char four[4] = {1, 2, 3, 4};
    store.WriteSettingBinary("AcceleratorKey", "acl0", four, 4);
    unsigned char buf[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(store.ReadSettingBinaryExact("AcceleratorKey", "acl0", buf, 6));  // too short
    EXPECT_EQ(buf[0], 9);                                                            // untouched
    EXPECT_FALSE(store.ReadSettingBinaryExact("AcceleratorKey", "acl0", buf, 3));  // too long
    EXPECT_TRUE(store.ReadSettingBinaryExact("AcceleratorKey", "acl0", buf, 4));
    EXPECT_EQ(buf[3], 4);
    store.WriteSettingInt("AcceleratorKey", "acl1", 5);  // a number is no raw value
    EXPECT_FALSE(store.ReadSettingBinaryExact("AcceleratorKey", "acl1", buf, 4));
}

// ---------------------------------------------------------------------------
// List conventions

TEST(SettingsListTest, NamesFollowTheListFormats) {
    EXPECT_EQ(settings::IndexedName("Path", 0), "Path0");
    EXPECT_EQ(settings::IndexedName("Path", 12), "Path12");
    EXPECT_EQ(settings::IndexedName("WndShow", 0, 1), "WndShow0-1");
    EXPECT_EQ(settings::SubSectionName("RClickMenu", "Kind", 0), "RClickMenu\\Kind0");
    EXPECT_EQ(settings::SubSectionName("RegistTag", "File", 4), "RegistTag\\File4");
    EXPECT_EQ(settings::SubSectionName("Main", "SplitWnd"), "Main\\SplitWnd");
}

TEST(SettingsListTest, CountOfBuiltInListsAndHistories) {
    using settings::ListDefault;
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    // Never stored: -1 where a built-in list exists, 0 otherwise.
    EXPECT_EQ(settings::ReadListCount(store, "AcceleratorKey", 500, ListDefault::BuiltIn), -1);
    EXPECT_EQ(settings::ReadListCount(store, "History\\Find", 20, ListDefault::Empty), 0);
    // A stored 0 is an empty list, also where a built-in list exists.
    store.WriteSettingInt("AcceleratorKey", "Count", 0);
    EXPECT_EQ(settings::ReadListCount(store, "AcceleratorKey", 500, ListDefault::BuiltIn), 0);
    // Damaged counts: too large is clamped, negative is "never stored".
    store.WriteSettingInt("AcceleratorKey", "Count", 1 << 30);
    EXPECT_EQ(settings::ReadListCount(store, "AcceleratorKey", 500, ListDefault::BuiltIn), 500);
    store.WriteSettingInt("AcceleratorKey", "Count", -9);
    EXPECT_EQ(settings::ReadListCount(store, "AcceleratorKey", 500, ListDefault::BuiltIn), -1);
    store.WriteSettingInt("History\\Find", "Count", -9);
    EXPECT_EQ(settings::ReadListCount(store, "History\\Find", 20, ListDefault::Empty), 0);
    // A Count of the wrong kind reads as missing.
    store.WriteSettingString("RClickMenu\\Kind0", "Count", "3");
    EXPECT_EQ(settings::ReadListCount(store, "RClickMenu\\Kind0", 64, ListDefault::BuiltIn), -1);
    // Two counts in one section.
    store.WriteSettingInt("History\\Replace", "ReplaceCount", 2);
    EXPECT_EQ(settings::ReadListCount(store, "History\\Replace", 20, ListDefault::Empty, "ReplaceCount"), 2);
    EXPECT_EQ(settings::ReadListCount(store, "History\\Replace", 20, ListDefault::Empty, "FindCount"), 0);
}

TEST(SettingsListTest, WritingAListReplacesALongerOneWhole) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    ASSERT_TRUE(settings::WriteStringList(store, "History\\File", "Path", {"a", "b", "c", "d", "e"}));
    store.WriteSettingInt("History\\File", "Stray", 1);
    ASSERT_TRUE(settings::WriteStringList(store, "History\\File", "Path", {"x", "表", "z"}));
    EXPECT_EQ(mem.ValueCount("History\\File"), 4u);  // Count and Path0-2, nothing else
    EXPECT_EQ(store.ReadSettingInt("History\\File", "Count", 0), 3);
    EXPECT_FALSE(mem.HasValue("History\\File", "Path3"));
    EXPECT_FALSE(mem.HasValue("History\\File", "Path4"));
    EXPECT_EQ(settings::ReadStringList(store, "History\\File", "Path", 20),
              (std::vector<std::string>{"x", "表", "z"}));
    // Reading stops at the clamp; missing entries read as "".
    store.WriteSettingInt("History\\File", "Count", 5);
    EXPECT_EQ(settings::ReadStringList(store, "History\\File", "Path", 4),
              (std::vector<std::string>{"x", "表", "z", ""}));
    // Parallel values per entry.
    ASSERT_TRUE(settings::WriteList(store, "History\\Open", 2, [&](int i) {
        return store.WriteSettingString("History\\Open", settings::IndexedName("Path", i), "p") &&
               store.WriteSettingInt("History\\Open", settings::IndexedName("Start", i), i);
    }));
    EXPECT_EQ(mem.ValueCount("History\\Open"), 5u);
    mem.failWrites = true;
    EXPECT_FALSE(settings::WriteStringList(store, "History\\File", "Path", {"q"}));
}

TEST(SettingsListTest, SectionListsAreDeletedChildrenFirst) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt("RegistTag", "Count", 2);
    store.WriteSettingString("RegistTag\\File0", "Name", "a");
    store.WriteSettingString("RegistTag\\File1", "Name", "b");
    store.WriteSettingString("RegistTag\\File1\\Deep", "Name", "c");
    EXPECT_TRUE(settings::DeleteSectionList(store, "RegistTag", "File", 2));
    EXPECT_FALSE(mem.HasSection("RegistTag"));
    EXPECT_FALSE(mem.HasSection("RegistTag\\File1\\Deep"));
}

TEST(SettingsClampTest, CountsIndicesAndFlags) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    EXPECT_EQ(settings::Clamp(5, 0, 3), 3);
    EXPECT_EQ(settings::Clamp(-5, 0, 3), 0);
    EXPECT_EQ(settings::ClampIndex(7, 3), 2);
    EXPECT_EQ(settings::ClampIndex(-1, 3), 0);
    EXPECT_EQ(settings::ClampIndex(4, 0), 0);
    store.WriteSettingInt("Main", "OptionIndex", 77);
    EXPECT_EQ(settings::ReadSettingClamped(store, "Main", "OptionIndex", 0, 0, 5), 5);
    EXPECT_EQ(settings::ReadSettingClamped(store, "Main", "Missing", 9, 0, 5), 5);
    store.WriteSettingInt("Main", "Zoomed", -3);
    EXPECT_EQ(settings::ReadSettingFlag(store, "Main", "Zoomed", 0), 1);
    EXPECT_EQ(settings::ReadSettingFlag(store, "Main", "Missing", 0), 0);
}

// ---------------------------------------------------------------------------
// Version stamp

TEST(VersionStampTest, VersionTextsReadAsExactHundredths) {
    EXPECT_EQ(settings::ParseVersionNumber("2.05"), 205);
    EXPECT_EQ(settings::ParseVersionNumber("2.06"), 206);
    EXPECT_EQ(settings::ParseVersionNumber("1.76"), 176);
    EXPECT_EQ(settings::ParseVersionNumber("2.00"), 200);
    EXPECT_EQ(settings::ParseVersionNumber("0.00"), 0);
    EXPECT_EQ(settings::ParseVersionNumber("2"), 200);
    EXPECT_EQ(settings::ParseVersionNumber("2."), 200);
    EXPECT_EQ(settings::ParseVersionNumber("2.1"), 210);
    EXPECT_EQ(settings::ParseVersionNumber(".5"), 50);
    EXPECT_EQ(settings::ParseVersionNumber("2.069"), 206);  // cut to four characters
    EXPECT_EQ(settings::ParseVersionNumber("10.55"), 1050);
    EXPECT_EQ(settings::ParseVersionNumber("2.06 beta"), 206);
    // Bad text reads as 0.
    EXPECT_EQ(settings::ParseVersionNumber(""), 0);
    EXPECT_EQ(settings::ParseVersionNumber("abc"), 0);
    EXPECT_EQ(settings::ParseVersionNumber("."), 0);
    EXPECT_EQ(settings::ParseVersionNumber("-2.0"), 0);
    EXPECT_EQ(settings::ParseVersionNumber("版2.06"), 0);
    // Every a.bc reads as a*100 + bc, none one too low.
    for (int v = 0; v < 1000; ++v) {
        char text[16];
        std::snprintf(text, sizeof text, "%d.%02d", v / 100, v % 100);
        ASSERT_EQ(settings::ParseVersionNumber(text), v) << text;
    }
}

TEST(VersionStampTest, TheStampIsReadThenReplaced) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 0);  // a first start
    EXPECT_EQ(store.ReadSettingString("Main", "Version", ""), "2.06");
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 206);
    store.WriteSettingString("Main", "Version", "1.76");
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 176);
    store.WriteSettingInt("Main", "Version", 206);  // not a string: as if missing
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 0);
}

}  // namespace
