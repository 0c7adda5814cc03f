// The save settings: registry values with their defaults and clamping, the
// menu commands, the cycling commands and the check marks.
#include "documents/core/SaveSettings.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

using encoding::SaveSettings;
using settings::MemorySettingsBackend;
using settings::SettingsStore;

TEST(SaveSettingsTest, DefaultsAndClamping) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    SaveSettings s = encoding::ReadSaveSettings(store);
    EXPECT_EQ(s.saveCode, 3);
    EXPECT_EQ(s.saveReturnCode, 3);

    store.WriteSettingInt("Main", "SaveCode", 1);
    store.WriteSettingInt("Main", "SaveReturnCode", 2);
    s = encoding::ReadSaveSettings(store);
    EXPECT_EQ(s.saveCode, 1);
    EXPECT_EQ(s.saveReturnCode, 2);

    for (int bad : {-1, 4, 5, 99, -2147483647 - 1}) {
        store.WriteSettingInt("Main", "SaveCode", bad);
        store.WriteSettingInt("Main", "SaveReturnCode", bad);
        s = encoding::ReadSaveSettings(store);
        EXPECT_EQ(s.saveCode, bad == 4 ? 4 : 3) << bad;  // 4 is UTF-8
        EXPECT_EQ(s.saveReturnCode, 3) << bad;
    }
    store.WriteSettingString("Main", "SaveCode", "1");  // not a number: the default
    EXPECT_EQ(encoding::ReadSaveSettings(store).saveCode, 3);
}

TEST(SaveSettingsTest, WrittenValuesReadBack) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    EXPECT_TRUE(encoding::WriteSaveSettings(store, {2, 0}));
    EXPECT_EQ(store.ReadSettingInt("Main", "SaveCode", -1), 2);
    EXPECT_EQ(store.ReadSettingInt("Main", "SaveReturnCode", -1), 0);
    EXPECT_TRUE(encoding::WriteSaveSettings(store, {7, -3}));  // clamped on the way out too
    EXPECT_EQ(store.ReadSettingInt("Main", "SaveCode", -1), 3);
    EXPECT_EQ(store.ReadSettingInt("Main", "SaveReturnCode", -1), 3);
    mem.failWrites = true;
    EXPECT_FALSE(encoding::WriteSaveSettings(store, {0, 0}));
}

TEST(SaveSettingsTest, CommandsSetCycleAndCheck) {
    SaveSettings s{0, 0};
    // Five presses of the cycling command from 0: 1, 2, 3, 4 (UTF-8), 0.
    int seen[5];
    for (int& v : seen) {
        ASSERT_TRUE(encoding::ApplySaveCommand(ID_CODE_CYCLE, &s));
        v = s.saveCode;
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 2);
    EXPECT_EQ(seen[2], 3);
    EXPECT_EQ(seen[3], 4);
    EXPECT_EQ(seen[4], 0);
    EXPECT_EQ(s.saveReturnCode, 0);
    ASSERT_TRUE(encoding::ApplySaveCommand(ID_RETURN_CYCLE, &s));
    EXPECT_EQ(s.saveReturnCode, 1);

    const struct {
        int id, code, ret;
    } items[] = {
        {ID_CODE_AS_LOADED, 3, -1}, {ID_CODE_SJIS, 0, -1},      {ID_CODE_JIS, 1, -1},   {ID_CODE_EUC, 2, -1},
        {ID_CODE_UTF8, 4, -1},
        {ID_RETURN_AS_LOADED, -1, 3}, {ID_RETURN_CRLF, -1, 0}, {ID_RETURN_CR, -1, 1}, {ID_RETURN_LF, -1, 2},
    };
    for (const auto& item : items) {
        SaveSettings t{1, 1};
        ASSERT_TRUE(encoding::IsSaveCommand(item.id));
        ASSERT_TRUE(encoding::ApplySaveCommand(item.id, &t));
        EXPECT_EQ(t.saveCode, item.code >= 0 ? item.code : 1) << item.id;
        EXPECT_EQ(t.saveReturnCode, item.ret >= 0 ? item.ret : 1) << item.id;
        // Exactly the item of the current value of each group is checked.
        for (const auto& other : items) {
            const bool sameGroup = (other.code >= 0) == (item.code >= 0);
            const bool expected = sameGroup ? other.id == item.id : (other.code >= 0 ? other.code : other.ret) == 1;
            EXPECT_EQ(encoding::IsSaveCommandChecked(other.id, t), expected) << item.id << " " << other.id;
        }
    }
    SaveSettings t{0, 0};
    EXPECT_FALSE(encoding::IsSaveCommand(ID_FILE_SAVE));
    EXPECT_FALSE(encoding::ApplySaveCommand(ID_FILE_SAVE, &t));
    EXPECT_FALSE(encoding::IsSaveCommandChecked(ID_FILE_SAVE, t));
    EXPECT_FALSE(encoding::IsSaveCommandChecked(ID_CODE_CYCLE, t));
}

TEST(SaveSettingsTest, EffectiveSaveCode) {
    EXPECT_EQ(encoding::EffectiveSaveCode(3, 2), 2);
    EXPECT_EQ(encoding::EffectiveSaveCode(1, 2), 1);
    EXPECT_EQ(encoding::EffectiveSaveCode(3, 9), 0);  // a broken load code writes SHIFT JIS
    EXPECT_EQ(encoding::EffectiveSaveCode(-5, 1), 1);
    EXPECT_EQ(encoding::NextSaveReturnCode(3), 0);
    EXPECT_EQ(encoding::NextSaveCode(17), 4);  // a broken setting is as loaded; then UTF-8
}

}  // namespace
