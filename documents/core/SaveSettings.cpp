#include "documents/core/SaveSettings.h"

#include "documents/core/CharCode.h"
#include "documents/core/LineEnds.h"
#include "resources/resource.h"

namespace encoding {

namespace {

const char kSection[] = "Main";
const char kSaveCode[] = "SaveCode";
const char kSaveReturnCode[] = "SaveReturnCode";

int ClampSetting(int value) { return value >= 0 && value <= 3 ? value : 3; }
int ClampCode(int value) { return value >= 0 && value <= kCodeUtf8 ? value : kCodeAsLoaded; }

// The menu items that set a value, in the order of the values.
constexpr int kCodeItems[5] = {ID_CODE_SJIS, ID_CODE_JIS, ID_CODE_EUC, ID_CODE_AS_LOADED, ID_CODE_UTF8};
constexpr int kReturnItems[4] = {ID_RETURN_CRLF, ID_RETURN_CR, ID_RETURN_LF, ID_RETURN_AS_LOADED};

template <int N>
int ItemValue(const int (&items)[N], int commandId) {
    for (int v = 0; v < N; ++v) {
        if (items[v] == commandId) return v;
    }
    return -1;
}

}  // namespace

SaveSettings ReadSaveSettings(const settings::SettingsStore& store) {
    SaveSettings save;
    save.saveCode = ClampCode(store.ReadSettingInt(kSection, kSaveCode, kCodeAsLoaded));
    save.saveReturnCode = ClampSetting(store.ReadSettingInt(kSection, kSaveReturnCode, kReturnAsLoaded));
    return save;
}

bool WriteSaveSettings(settings::SettingsStore& store, const SaveSettings& save) {
    const bool code = store.WriteSettingInt(kSection, kSaveCode, ClampCode(save.saveCode));
    const bool ret = store.WriteSettingInt(kSection, kSaveReturnCode, ClampSetting(save.saveReturnCode));
    return code && ret;
}

int NextSaveCode(int code) { return (ClampCode(code) + 1) % 5; }
int NextSaveReturnCode(int code) { return (ClampSetting(code) + 1) % 4; }

bool IsSaveCommand(int commandId) {
    return commandId == ID_CODE_CYCLE || commandId == ID_RETURN_CYCLE || ItemValue(kCodeItems, commandId) >= 0 ||
           ItemValue(kReturnItems, commandId) >= 0;
}

bool ApplySaveCommand(int commandId, SaveSettings* save) {
    if (commandId == ID_CODE_CYCLE) {
        save->saveCode = NextSaveCode(save->saveCode);
    } else if (commandId == ID_RETURN_CYCLE) {
        save->saveReturnCode = NextSaveReturnCode(save->saveReturnCode);
    } else if (ItemValue(kCodeItems, commandId) >= 0) {
        save->saveCode = ItemValue(kCodeItems, commandId);
    } else if (ItemValue(kReturnItems, commandId) >= 0) {
        save->saveReturnCode = ItemValue(kReturnItems, commandId);
    } else {
        return false;
    }
    return true;
}

bool IsSaveCommandChecked(int commandId, const SaveSettings& save) {
    const int code = ItemValue(kCodeItems, commandId);
    if (code >= 0) return code == ClampCode(save.saveCode);
    const int ret = ItemValue(kReturnItems, commandId);
    return ret >= 0 && ret == ClampSetting(save.saveReturnCode);
}

int EffectiveSaveCode(int saveCode, int loadCode) {
    saveCode = ClampCode(saveCode);
    if (saveCode != kCodeAsLoaded) return saveCode;
    return loadCode >= 0 && loadCode <= kCodeUtf8 && loadCode != kCodeAsLoaded ? loadCode : kCodeSjis;
}

}  // namespace encoding
