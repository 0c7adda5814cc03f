#include "shell/core/Migration.h"

namespace shell {

namespace {

using settings::IndexedName;
using settings::kMainSection;

// Band layout of the bar container, back to its defaults.
void ResetBarLayout(settings::SettingsStore& store) {
    static const struct {
        const char* name;
        int value;
    } kValues[] = {
        {"MenuBarCx", 0},        {"MenuBarStyle", 640},      {"MenuBarIndex", 0},       {"MDIButtonStyle", 291},
        {"MDIButtonIndex", 1},   {"StandardBarCx", 0},       {"StandardBarStyle", 641}, {"StandardBarIndex", 2},
        {"AddressBoxCx", 0},     {"AddressBoxStyle", 129},   {"AddressBoxIndex", 3},
    };
    for (const auto& v : kValues) store.WriteSettingInt(kMainSection, v.name, v.value);
}

// The plug-in list of old versions becomes a registered tag file "プラグイン"
// holding one plug-in tag per plug-in. When the tag store already holds all
// the files it can, the old list is left as it is; false then.
bool MovePluginsToTags(settings::SettingsStore& store) {
    // Counts come from old settings: keep them within what the tag store
    // can hold (100 files of 100 tags).
    const std::int32_t files = settings::Clamp(store.ReadSettingInt("RegistTag", "Count", 0), 0, 100);
    if (files >= 100) return false;
    const std::int32_t plugins = settings::Clamp(store.ReadSettingInt("Plugin", "Count", 0), 0, 100);
    if (plugins > 0) {
        const std::string file = settings::SubSectionName("RegistTag", "File", files);
        for (int i = 0; i < plugins; ++i) {
            store.WriteSettingString(file, IndexedName("Name", i),
                                     store.ReadSettingString("Plugin", IndexedName("Name", i), ""));
            store.WriteSettingString(file, IndexedName("File", i),
                                     store.ReadSettingString("Plugin", IndexedName("File", i), ""));
            store.WriteSettingInt(file, IndexedName("Kind", i), 2);
        }
        store.WriteSettingInt(file, "Count", plugins);
        store.WriteSettingString(file, "Name", "プラグイン");
        store.WriteSettingInt(file, "Expand", 1);
        store.WriteSettingInt("RegistTag", "Count", files + 1);
    }
    store.DeleteSettingSection("Plugin");
    return true;
}

void ResetSplitValues(settings::SettingsStore& store) {
    for (const char* name : {"FolderTreeDisp", "RegistTagDisp", "LeftSplitBarPos", "MainSplitBarPos"})
        store.DeleteSettingValue(kMainSection, name);
}

}  // namespace

std::vector<std::string> RunSettingsMigrations(settings::SettingsStore& store, int storedVersion) {
    std::vector<std::string> messages;
    if (storedVersion < kMigrateBarsBelow) {
        ResetBarLayout(store);
        messages.push_back("Ver.Upに伴い、メニュー・ツールバー・アドレスバー位置情報を初期化しました");
    }
    if (storedVersion < kMigratePluginsBelow) {
        if (MovePluginsToTags(store)) messages.push_back("Ver.Upに伴い、プラグインメニューを登録タグへ移動しました");
    }
    if (storedVersion < kMigrateSplitBelow) {
        ResetSplitValues(store);
        messages.push_back("Ver.Upに伴い、分割バー位置および表示/非表示情報を初期化しました");
    }
    return messages;
}

}  // namespace shell
