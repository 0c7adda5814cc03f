#include "config/core/SettingsStore.h"

#include <gtest/gtest.h>

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

}  // namespace
