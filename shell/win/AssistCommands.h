// The input assist commands (input, attribute and value assist): each opens
// the pick list over the selected tab's editor. From a key they act only
// while that editor has the focus; whenever they show no list, the key goes
// on as typed input (Shift+Space types a space).
#pragma once

#include "config/win/CommandManager.h"
#include "editor/core/InputAssist.h"

class CDocTabWnd;
class CFrameWnd;

void BindAssistCommands(CommandManager& commands, CDocTabWnd& docs, CFrameWnd& frame);

// Shows the list of `kind` for the selected document; false when it shows
// none. `fromKey` as the command manager reports it.
bool ShowAssist(CDocTabWnd& docs, CFrameWnd& frame, editor::assist::Kind kind, bool fromKey);
