// The built-in key table, key names and texts, descriptions, the keyboard
// help's free keys and the stored form under "AcceleratorKey".
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "config/core/KeyTable.h"
#include "config/core/MenuCommandTable.h"
#include "config/core/SettingsStore.h"

using keys::KeyBinding;
using keys::KeyTable;

namespace {

std::vector<std::uint8_t> Record(const KeyBinding& b) {
    std::uint8_t bytes[keys::kRecordSize];
    keys::ToRecord(b, bytes);
    return std::vector<std::uint8_t>(bytes, bytes + keys::kRecordSize);
}

const KeyBinding* ByCommand(const KeyTable& t, unsigned cmd) { return keys::FindByCommand(t, cmd); }

TEST(KeyTableTest, BuiltInTableHoldsTheDefaultKeysInTableOrderThenTheBookmarks) {
    const KeyTable t = keys::BuildDefaultTable();
    // 30 default keys of the command table, then 20 bookmark keys.
    ASSERT_EQ(t.size(), 30u + 20u);
    EXPECT_EQ(t.front(), (KeyBinding{0x0B, 'N', 32777}));  // Ctrl+N new
    EXPECT_EQ(t[1], (KeyBinding{0x0B, 'O', 32779}));
    EXPECT_EQ(t[2], (KeyBinding{0x0B, 'S', 32781}));
    EXPECT_EQ(t[3], (KeyBinding{0x0B, 'Z', 32771}));      // first of the Edit menu
    // The keys-only category comes after the six menus.
    EXPECT_EQ(t[29], (KeyBinding{0x0B, 'R', 61207}));
    EXPECT_EQ(t[25], (KeyBinding{0x0B, 0x21, 61209}));    // Ctrl+PageUp previous tab
    // Bookmarks: Ctrl+Shift+n sets, Ctrl+n goes, interleaved from 0.
    EXPECT_EQ(t[30], (KeyBinding{0x0F, '0', 25000}));
    EXPECT_EQ(t[31], (KeyBinding{0x0B, '0', 25010}));
    EXPECT_EQ(t[30 + 6], (KeyBinding{0x0F, '3', 25003}));
    EXPECT_EQ(t[30 + 7], (KeyBinding{0x0B, '3', 25013}));
    EXPECT_EQ(t.back(), (KeyBinding{0x0B, '9', 25019}));

    // Flags as the defaults are stored: plain function keys 0x03, Alt 0x13,
    // Ctrl+Shift 0x0F, Shift 0x07.
    EXPECT_EQ(*ByCommand(t, 32827), (KeyBinding{0x03, 0x72, 32827}));  // F3 find next
    EXPECT_EQ(*ByCommand(t, 40073), (KeyBinding{0x13, 0x25, 40073}));  // Alt+Left
    EXPECT_EQ(*ByCommand(t, 32822), (KeyBinding{0x0F, 0x20, 32822}));  // Ctrl+Shift+Space
    EXPECT_EQ(*ByCommand(t, 32823), (KeyBinding{0x07, 0x20, 32823}));  // Shift+Space
    EXPECT_EQ(*ByCommand(t, 61205), (KeyBinding{0x13, 'D', 61205}));   // Alt+D
    EXPECT_EQ(*ByCommand(t, 32778), (KeyBinding{0x03, 0x70, 32778}));  // F1
    for (const KeyBinding& b : t) EXPECT_EQ(b.flags & 0x03, 0x03) << b.command;
}

TEST(KeyTableTest, RecordsAreTheSixBytesOfAnAcceleratorEntry) {
    EXPECT_EQ(Record({0x0B, 'N', 32777}), (std::vector<std::uint8_t>{0x0B, 0x00, 0x4E, 0x00, 0x09, 0x80}));
    EXPECT_EQ(Record({0x13, 0x25, 40073}), (std::vector<std::uint8_t>{0x13, 0x00, 0x25, 0x00, 0x89, 0x9C}));
    EXPECT_EQ(Record({0x0F, '3', 25003}), (std::vector<std::uint8_t>{0x0F, 0x00, 0x33, 0x00, 0xAB, 0x61}));

    KeyBinding b;
    const std::uint8_t good[] = {0x03, 0x00, 0x72, 0x00, 0x3B, 0x80};
    ASSERT_TRUE(keys::FromRecord(good, sizeof good, &b));
    EXPECT_EQ(b, (KeyBinding{0x03, 0x72, 32827}));
    // Not 6 bytes, no virtual-key flag, or key 0: not a binding.
    EXPECT_FALSE(keys::FromRecord(good, 5, &b));
    const std::uint8_t seven[] = {0x03, 0x00, 0x72, 0x00, 0x3B, 0x80, 0x00};
    EXPECT_FALSE(keys::FromRecord(seven, sizeof seven, &b));
    const std::uint8_t noVirt[] = {0x0A, 0x00, 0x4E, 0x00, 0x09, 0x80};
    EXPECT_FALSE(keys::FromRecord(noVirt, sizeof noVirt, &b));
    const std::uint8_t noKey[] = {0x0B, 0x00, 0x00, 0x00, 0x09, 0x80};
    EXPECT_FALSE(keys::FromRecord(noKey, sizeof noKey, &b));
}

TEST(KeyTableTest, FiftyEightKeyNamesInListOrder) {
    ASSERT_EQ(keys::kKeyNameCount, 58u);
    EXPECT_STREQ(keys::KeyNameAt(0).name, "F1");
    EXPECT_EQ(keys::KeyNameAt(11).key, 0x7B);
    EXPECT_STREQ(keys::KeyNameAt(12).name, "A");
    EXPECT_STREQ(keys::KeyNameAt(37).name, "Z");
    const char* const rest[] = {"Del", "Up", "Down", "Left", "Right", "Enter", "Space", "TAB", "PageDown", "PageUp"};
    const std::uint16_t restKeys[] = {0x2E, 0x26, 0x28, 0x25, 0x27, 0x0D, 0x20, 0x09, 0x22, 0x21};
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_STREQ(keys::KeyNameAt(38 + i).name, rest[i]);
        EXPECT_EQ(keys::KeyNameAt(38 + i).key, restKeys[i]);
    }
    EXPECT_STREQ(keys::KeyNameAt(48).name, "0");
    EXPECT_EQ(keys::KeyNameAt(57).key, '9');
    EXPECT_EQ(keys::FindKeyName("pagedown"), 46);
    EXPECT_EQ(keys::FindKeyName("tab"), 45);
    EXPECT_EQ(keys::FindKeyName("F13"), -1);
}

TEST(KeyTableTest, KeyTextsShowModifiersInFixedOrderAndTheFirstBinding) {
    KeyTable t = {{0x1F, 'K', 100}, {0x0B, 'L', 100}, {0x03, 0x2E, 101}, {0x03, 0xBA, 102}, {0x07, 0x22, 103}};
    EXPECT_EQ(keys::KeyText(100, t, false), "Ctrl+Alt+Shift+K");
    EXPECT_EQ(keys::KeyText(100, t, true), "\tCtrl+Alt+Shift+K");
    EXPECT_EQ(keys::KeyText(101, t, true), "\tDel");
    EXPECT_EQ(keys::KeyText(103, t, false), "Shift+PageDown");
    EXPECT_EQ(keys::KeyText(104, t, true), "");
    // A key without a name and without a printable character never puts a
    // lone Shift JIS lead or kana byte into a menu text.
    EXPECT_EQ(keys::KeyText(102, t, false), "0xBA");
}

TEST(KeyTableTest, DescriptionsComeFromPromptsTagCommentsAndBookmarkTexts) {
    auto strings = [](unsigned id) -> std::string {
        if (id == 32777) return "新しいファイルを作成します。\n新規作成";
        if (id == 1) return "表示\nします。\nヒント";  // 表 ends in 0x5C
        return std::string();
    };
    auto tags = [](unsigned id) { return id == 10203 ? std::string("太字にします") : std::string(); };
    EXPECT_EQ(keys::CommandDescription(32777, strings, tags), "新しいファイルを作成します。");
    EXPECT_EQ(keys::CommandDescription(1, strings, tags), "表示\nします。");
    EXPECT_EQ(keys::CommandDescription(10203, strings, tags), "太字にします");
    EXPECT_EQ(keys::CommandDescription(25003, strings, tags), "ブックマーク3を設定します。");
    EXPECT_EQ(keys::CommandDescription(25019, strings, tags), "ブックマーク9へ移動します。");
    EXPECT_EQ(keys::CommandDescription(25020, strings, tags), "ブックマークをすべて削除します。");
    EXPECT_EQ(keys::CommandDescription(40000, strings, tags), "");
}

TEST(KeyTableTest, FreeKeysOfTheHelpChoices) {
    ASSERT_EQ(keys::kHelpChoiceCount, 9u);
    EXPECT_STREQ(keys::HelpChoiceAt(2).label, "未登録キー  修飾子(Ctrl)");
    EXPECT_EQ(keys::HelpChoiceAt(5).modifiers, 0x1C);
    const KeyTable t = keys::BuildDefaultTable();
    const std::vector<std::string> ctrl = keys::FreeKeys(t, 2);
    auto has = [](const std::vector<std::string>& v, const char* s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    EXPECT_FALSE(has(ctrl, "Ctrl+N"));
    EXPECT_TRUE(has(ctrl, "Ctrl+B"));
    EXPECT_FALSE(has(ctrl, "Ctrl+3"));       // go to bookmark 3
    EXPECT_FALSE(has(ctrl, "Ctrl+PageUp"));
    EXPECT_TRUE(has(ctrl, "Ctrl+F1"));
    // Without modifiers F1-F9 are taken, F10-F12 and letters are free.
    const std::vector<std::string> plain = keys::FreeKeys(t, 1);
    EXPECT_FALSE(has(plain, "F1"));
    EXPECT_FALSE(has(plain, "F9"));
    EXPECT_TRUE(has(plain, "F10"));
    EXPECT_TRUE(has(plain, "A"));
    EXPECT_EQ(plain.size(), 58u - 9u);
    // Shift+Space is attribute assist; Ctrl+Shift+3 sets bookmark 3.
    EXPECT_FALSE(has(keys::FreeKeys(t, 8), "Shift+Space"));
    EXPECT_FALSE(has(keys::FreeKeys(t, 4), "Ctrl+Shift+3"));
    EXPECT_EQ(keys::FreeKeys(t, 3).size(), 58u);  // nothing uses Ctrl+Alt
    EXPECT_TRUE(keys::FreeKeys(t, 0).empty());
}

class KeyStoreTest : public ::testing::Test {
protected:
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    void WriteRecord(int i, const std::vector<std::uint8_t>& bytes) {
        store.WriteSettingBinary("AcceleratorKey", "acl" + std::to_string(i), bytes.data(), bytes.size());
    }
};

TEST_F(KeyStoreTest, NoStoredTableGivesTheBuiltInOneAndZeroGivesNoKeys) {
    EXPECT_EQ(keys::LoadKeyTable(store), keys::BuildDefaultTable());
    keys::SaveKeyTable(store, KeyTable());
    EXPECT_EQ(store.ReadSettingInt("AcceleratorKey", "Count", -1), 0);
    EXPECT_TRUE(keys::LoadKeyTable(store).empty());
    store.WriteSettingInt("AcceleratorKey", "Count", -7);
    EXPECT_TRUE(keys::LoadKeyTable(store).empty());
}

TEST_F(KeyStoreTest, SavedTableRoundTripsAndReplacesALongerOne) {
    keys::SaveKeyTable(store, keys::BuildDefaultTable());
    EXPECT_EQ(store.ReadSettingInt("AcceleratorKey", "Count", -1), 50);
    std::uint8_t bytes[8];
    std::size_t length = sizeof bytes;
    ASSERT_TRUE(store.ReadSettingBinary("AcceleratorKey", "acl0", bytes, &length));
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 6), Record({0x0B, 'N', 32777}));

    const KeyTable mine = {{0x0B, 'Q', 32786}, {0x13, 'W', 32787}};
    keys::SaveKeyTable(store, mine);
    EXPECT_EQ(keys::LoadKeyTable(store), mine);
    EXPECT_FALSE(backend.HasValue("AcceleratorKey", "acl2"));
    EXPECT_EQ(backend.ValueCount("AcceleratorKey"), 3u);
}

TEST_F(KeyStoreTest, BadRecordsAreSkippedAndTheCountIsClamped) {
    store.WriteSettingInt("AcceleratorKey", "Count", 7);
    WriteRecord(0, Record({0x0B, 'Q', 32786}));
    WriteRecord(1, {0x0B, 0x00, 'Q', 0x00, 0x09});               // 5 bytes
    WriteRecord(2, {0x0B, 0x00, 'Q', 0x00, 0x09, 0x80, 0x00});   // 7 bytes
    WriteRecord(3, Record({0x0A, 'Q', 32787}));                  // no virtual-key flag
    WriteRecord(4, Record({0x0B, 0, 32788}));                    // key 0
    store.WriteSettingInt("AcceleratorKey", "acl5", 1234);       // not raw bytes
    WriteRecord(6, Record({0x03, 0x79, 32796}));
    EXPECT_EQ(keys::LoadKeyTable(store), (KeyTable{{0x0B, 'Q', 32786}, {0x03, 0x79, 32796}}));

    // A damaged count does not make the program read for ever.
    store.WriteSettingInt("AcceleratorKey", "Count", 0x7FFFFFFF);
    EXPECT_EQ(keys::LoadKeyTable(store).size(), 2u);
}

TEST(MenuCommandTableTest, CategoriesSubmenusAndCommands) {
    ASSERT_EQ(commands::kCategoryCount, 7u);
    EXPECT_STREQ(commands::Category(0).label, "ファイル(&F)");
    EXPECT_STREQ(commands::Category(3).label, "登録タグ(&R)");
    EXPECT_EQ(commands::Category(3).count, 0u);
    EXPECT_STREQ(commands::Category(6).label, "メニュー以外(&E)");
    // Every submenu's items stay inside its category, none opens a submenu.
    for (std::size_t c = 0; c < commands::kCategoryCount; ++c) {
        const commands::MenuCategoryDef& cat = commands::Category(c);
        for (std::size_t i = 0; i < cat.count; ++i) {
            if (!commands::OpensSubmenu(cat.items[i])) continue;
            const std::size_t n = cat.items[i].command;
            ASSERT_LE(i + n, cat.count - 1) << cat.items[i].label;
            for (std::size_t k = 1; k <= n; ++k) EXPECT_FALSE(commands::OpensSubmenu(cat.items[i + k]));
        }
    }
    const commands::MenuItemDef* keymap = commands::FindItem(40067);
    ASSERT_NE(keymap, nullptr);
    EXPECT_STREQ(keymap->label, "キーボードマップ(&K)");
    EXPECT_EQ(commands::FindItem(4), nullptr);  // a submenu count is no command
    EXPECT_EQ(commands::FindItem(0), nullptr);
    std::vector<unsigned> all;
    for (std::size_t i = 0; i < commands::CommandCount(); ++i) all.push_back(commands::CommandAt(i));
    EXPECT_EQ(all.front(), 32777u);
    EXPECT_EQ(all.back(), 40068u);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "a command appears twice";
}

}  // namespace
