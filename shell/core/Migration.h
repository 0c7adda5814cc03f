// One-time changes to settings left by older versions of the program, run at
// start-up after the version stamp was read and replaced.
#pragma once

#include <string>
#include <vector>

#include "config/core/SettingsStore.h"

namespace shell {

// Thresholds: settings written by a version below each are changed once.
constexpr int kMigrateBarsBelow = 176;
constexpr int kMigratePluginsBelow = 200;
constexpr int kMigrateSplitBelow = 206;

// Runs the migrations for settings last written by `storedVersion` (the
// stamp's number, 0 when there was none) and returns the messages to show,
// in order, one per migration that ran.
std::vector<std::string> RunSettingsMigrations(settings::SettingsStore& store, int storedVersion);

}  // namespace shell
