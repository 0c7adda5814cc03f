#include "shell/core/CommandState.h"

#include "config/core/MenuCommandTable.h"
#include "resources/resource.h"

namespace shell {

CommandRule RuleOf(unsigned command) {
    if (commands::IsTagCommand(command)) return CommandRule::NotPreviewing;
    switch (command) {
        case ID_EDIT_UNDO: return CommandRule::Undo;
        case ID_EDIT_REDO: return CommandRule::Redo;
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_DELETE:
        case ID_EDIT_UPPER:
        case ID_EDIT_LOWER:
        case ID_EDIT_TAB_TO_SPACE:
        case ID_EDIT_KANA_TO_ZENKAKU: return CommandRule::Selection;
        case ID_EDIT_PASTE: return CommandRule::Paste;
        case ID_BROWSER_RELOAD:
        case ID_BROWSER_BACK:
        case ID_BROWSER_FORWARD:
        case ID_BROWSER_REFRESH: return CommandRule::Previewing;
        case ID_EDIT_INPUT_ASSIST:
        case ID_EDIT_ATTR_ASSIST:
        case ID_EDIT_VALUE_ASSIST:
        case ID_EDIT_FIND_NEXT:
        case ID_EDIT_SELECT_ALL:
        case ID_EDIT_FIND:
        case ID_EDIT_REPLACE:
        case ID_TOOL_OTHER_BROWSER:
        case ID_TOOL_IE:
        case ID_TOOL_NETSCAPE:
        case ID_EDIT_INSERT_STRING:
        case ID_EDIT_GOTO_LINE: return CommandRule::NotPreviewing;
        default: return CommandRule::Always;
    }
}

bool IsCommandEnabled(unsigned command, const DocCommandState& s) {
    const bool editing = s.hasEditor && !s.previewing;
    switch (RuleOf(command)) {
        case CommandRule::Always: return true;
        case CommandRule::Undo: return editing && s.canUndo;
        case CommandRule::Redo: return editing && s.canRedo;
        case CommandRule::Selection: return editing && s.hasSelection && !s.readOnly;
        case CommandRule::Paste: return editing && s.clipboardText && !s.readOnly;
        case CommandRule::Previewing: return s.previewing;
        case CommandRule::NotPreviewing: return !s.previewing;
    }
    return true;
}

}  // namespace shell
