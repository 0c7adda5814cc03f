// When a command is enabled: the rules of the Edit, browser and other
// commands that depend on the selected tab (does it have an editor, does it
// show its browser, what its editor can do). Commands without a rule are
// always enabled once they have a handler.
#pragma once

namespace shell {

// What the selected tab offers, gathered when menus open or the tool bar is
// refreshed.
struct DocCommandState {
    bool hasEditor = false;      // the selected tab has an editor
    bool previewing = false;     // the selected tab shows its browser
    bool canUndo = false;        // the editor's undo list is not empty
    bool canRedo = false;        // its redo list is not empty
    bool hasSelection = false;   // a selection exists
    bool readOnly = false;       // the document is read-only
    bool clipboardText = false;  // the clipboard holds text
};

enum class CommandRule {
    Always,         // no condition
    Undo,           // editor, not previewing, something to undo
    Redo,           // editor, not previewing, something to redo
    Selection,      // editor, not previewing, a selection, writable
    Paste,          // editor, not previewing, text on the clipboard, writable
    Previewing,     // the selected tab shows its browser
    NotPreviewing,  // the selected tab does not show its browser
};

CommandRule RuleOf(unsigned command);
bool IsCommandEnabled(unsigned command, const DocCommandState& state);

}  // namespace shell
