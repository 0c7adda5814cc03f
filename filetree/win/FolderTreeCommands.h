// The folder tree's commands in the command manager: while the tree has the
// focus it takes its keys and, with an item of the right kind selected, the
// commands of its context menu (Ctrl+O with a folder selected stays the
// frame's Open).
#pragma once

#include "config/win/CommandManager.h"
#include "filetree/win/FolderTreeCtrl.h"

void BindFolderTreeCommands(CommandManager& commands, filetree::CFolderTreeCtrl& tree);
