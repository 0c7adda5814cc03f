// The document window's own commands beyond the file commands of the shell:
// the file lists and the preview in browsers.
#pragma once

#include "config/win/CommandManager.h"
#include "documents/win/DocTabWnd.h"

void BindFileListCommands(CommandManager& commands, CDocTabWnd& docs);
void BindPreviewCommands(CommandManager& commands, CDocTabWnd& docs);
