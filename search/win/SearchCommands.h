// The commands of find and replace, the line tools and the conversions,
// bound in one place.
#pragma once

#include <functional>

#include "config/win/CommandManager.h"
#include "search/win/SearchTools.h"

// `enabled` answers the command-enabling rules of the selected tab; a key
// that reaches a greyed command does nothing.
void BindSearchCommands(CommandManager& commands, CSearchTools& tools, std::function<bool(UINT)> enabled);
