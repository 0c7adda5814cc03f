// The Help menu's own commands: the help file and the about box.
#pragma once

#include <string>

#include "framework/win/Afx.h"

class CommandManager;

// The help file beside the program.
std::string HelpFilePath();
// Opens the HTML Help viewer on the help file's default topic, without an
// owner window. Returns the viewer's window (null when it could not open).
HWND OpenHelpTopics();
// Binds "トピックの検索(&H)" (32778) and "バージョン情報(&A)" (57664).
void RegisterHelpCommands(CommandManager& commands, HWND frame);
