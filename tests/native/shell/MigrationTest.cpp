#include "shell/core/Migration.h"

#include <gtest/gtest.h>

namespace {

using settings::MemorySettingsBackend;
using settings::SettingsStore;

TEST(MigrationTest, FirstStartRunsAllThreeOnceAndTheStampStopsThem) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    const int stored = settings::UpdateVersionStamp(store, "2.06");
    EXPECT_EQ(stored, 0);
    const auto messages = shell::RunSettingsMigrations(store, stored);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "Ver.Upに伴い、メニュー・ツールバー・アドレスバー位置情報を初期化しました");
    EXPECT_EQ(messages[1], "Ver.Upに伴い、プラグインメニューを登録タグへ移動しました");
    EXPECT_EQ(messages[2], "Ver.Upに伴い、分割バー位置および表示/非表示情報を初期化しました");
    EXPECT_EQ(store.ReadSettingString("Main", "Version", ""), "2.06");
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarStyle", 0), 641);
    EXPECT_EQ(store.ReadSettingInt("Main", "AddressBoxIndex", 0), 3);
    // No plug-in list: no tag file is made.
    EXPECT_EQ(store.ReadSettingInt("RegistTag", "Count", -1), -1);

    const int next = settings::UpdateVersionStamp(store, "2.06");
    EXPECT_EQ(next, 206);
    EXPECT_TRUE(shell::RunSettingsMigrations(store, next).empty());
}

TEST(MigrationTest, OldPluginListBecomesATagFileAfterTheExistingOnes) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt("RegistTag", "Count", 2);
    store.WriteSettingInt("Plugin", "Count", 2);
    store.WriteSettingString("Plugin", "Name0", "色");
    store.WriteSettingString("Plugin", "File0", "Color.pqi");
    store.WriteSettingString("Plugin", "Name1", "グラデーション");
    store.WriteSettingString("Plugin", "File1", "Gradation.pqi");
    store.WriteSettingInt("Main", "MenuBarStyle", 99);

    const auto messages = shell::RunSettingsMigrations(store, 180);  // bars stay, plug-ins and splits move
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(store.ReadSettingInt("Main", "MenuBarStyle", 0), 99);
    EXPECT_EQ(store.ReadSettingInt("RegistTag", "Count", 0), 3);
    const std::string file = "RegistTag\\File2";
    EXPECT_EQ(store.ReadSettingString(file, "Name", ""), "プラグイン");
    EXPECT_EQ(store.ReadSettingInt(file, "Count", 0), 2);
    EXPECT_EQ(store.ReadSettingInt(file, "Expand", 0), 1);
    EXPECT_EQ(store.ReadSettingString(file, "Name1", ""), "グラデーション");
    EXPECT_EQ(store.ReadSettingString(file, "File0", ""), "Color.pqi");
    EXPECT_EQ(store.ReadSettingInt(file, "Kind1", 0), 2);
    EXPECT_FALSE(mem.HasSection("Plugin"));
}

TEST(MigrationTest, OldPluginListStaysWhenTheTagStoreIsFull) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt("RegistTag", "Count", 100);
    store.WriteSettingString("RegistTag\\File99", "Name", "last");
    store.WriteSettingInt("Plugin", "Count", 1);
    store.WriteSettingString("Plugin", "File0", "Color.pqi");

    const auto messages = shell::RunSettingsMigrations(store, 180);
    EXPECT_EQ(messages.size(), 1u);  // only the split values
    EXPECT_EQ(store.ReadSettingInt("RegistTag", "Count", 0), 100);
    EXPECT_EQ(store.ReadSettingString("RegistTag\\File99", "Name", ""), "last");
    EXPECT_EQ(store.ReadSettingString("Plugin", "File0", ""), "Color.pqi");
}

TEST(MigrationTest, SplitValuesOfOldVersionsAreDeleted) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    for (const char* v : {"FolderTreeDisp", "RegistTagDisp", "LeftSplitBarPos", "MainSplitBarPos", "LastOpen"})
        store.WriteSettingInt("Main", v, 1);
    EXPECT_EQ(shell::RunSettingsMigrations(store, 205).size(), 1u);
    EXPECT_FALSE(mem.HasValue("Main", "MainSplitBarPos"));
    EXPECT_FALSE(mem.HasValue("Main", "FolderTreeDisp"));
    EXPECT_TRUE(mem.HasValue("Main", "LastOpen"));
}

}  // namespace
