// The bookmark commands: set bookmark n (25000 + n) at the selected tab's
// file and caret line, go to bookmark n (25010 + n), delete all (25020).
#pragma once

#include "config/win/CommandManager.h"

class CDocTabWnd;

void BindBookmarkCommands(CommandManager& commands, CDocTabWnd& docs, HWND owner);

void SetBookmark(CommandManager& commands, CDocTabWnd& docs, HWND owner, int n);
void GoToBookmark(CommandManager& commands, CDocTabWnd& docs, HWND owner, int n);
void DeleteAllBookmarks(CommandManager& commands, HWND owner);
