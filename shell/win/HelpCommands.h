// The Help menu's own commands: the help file and the about box, and the
// dialogs' F1.
#pragma once

#include <functional>
#include <string>

#include "framework/win/Afx.h"

class CommandManager;

// The help file beside the program.
std::string HelpFilePath();
// Opens the HTML Help viewer on the help file's default topic, without an
// owner window. Returns the viewer's window (null when it could not open).
HWND OpenHelpTopics();
// Opens the viewer on the page of the dialog made from the template; false
// when the help has no page for it or the viewer did not open.
bool ShowDialogHelp(UINT templateId);
// Makes F1 and the Help buttons of every dialog open the dialog's page.
void InstallDialogHelp();

// What opens an address in the help viewer ("file.chm" or
// "file.chm::/page.html#anchor"); the system's HTML Help unless replaced.
// Returns the viewer's window. Tests replace it; returns the one replaced.
using HelpViewer = std::function<HWND(const std::string& address)>;
HelpViewer SetHelpViewer(HelpViewer viewer);

// Binds "トピックの検索(&H)" (32778) and "バージョン情報(&A)" (57664).
void RegisterHelpCommands(CommandManager& commands, HWND frame);
