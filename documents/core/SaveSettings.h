// The two save settings of the document window: the encoding and the line
// ends a saved file gets, each either a concrete kind or "as loaded" (3).
// Persisted as "SaveCode" and "SaveReturnCode" of section "Main"; changed by
// the File menu's save-code and line-end commands.
#pragma once

#include "config/core/SettingsStore.h"

namespace encoding {

struct SaveSettings {
    int saveCode = 3;        // CharCode 0-2, or 3: the code the file was read in
    int saveReturnCode = 3;  // ReturnCode 0-2, or 3: each line keeps its own line end
};

// Reads both values; a missing value, or one outside 0-3, reads as 3.
SaveSettings ReadSaveSettings(const settings::SettingsStore& store);
bool WriteSaveSettings(settings::SettingsStore& store, const SaveSettings& save);

// The cycling commands: 0, 1, 2, 3 and round to 0 for line ends; for codes
// also 4 (UTF-8) before the round.
int NextSaveCode(int code);
int NextSaveReturnCode(int code);

// True when commandId is one of the save-code or line-end commands (the four
// code items and their cycling command, the four line-end items and theirs).
bool IsSaveCommand(int commandId);
// Carries out such a command on *save; returns false for any other command.
bool ApplySaveCommand(int commandId, SaveSettings* save);
// Whether the menu item of commandId carries the check mark: exactly the item
// of the current code and the item of the current line end do.
bool IsSaveCommandChecked(int commandId, const SaveSettings& save);

// The code a save writes: the save setting, or the load code for 3.
int EffectiveSaveCode(int saveCode, int loadCode);

}  // namespace encoding
