// The commands that work on the selected document and on the panes: the
// Edit menu (undo, redo, cut, copy, paste, delete, select all), the save
// code and line-end items with their cycling commands and check marks, and
// the View menu's pane toggles and the keys that focus a pane.
#pragma once

#include "config/win/CommandManager.h"
#include "shell/core/CommandState.h"

class CDocTabWnd;
class CSplitPanes;

// What the selected tab offers now (editor, preview, undo, selection,
// read-only, clipboard).
shell::DocCommandState GatherDocState(CDocTabWnd& docs);

// The File commands and the tab keys go to the document window.
void BindFileCommands(CommandManager& commands, CDocTabWnd& docs);
// The Edit commands act on the selected tab's editor; while the focus is in
// an edit field of the frame (the address bar) they act on that field.
void BindEditCommands(CommandManager& commands, CDocTabWnd& docs);
// The save code and line-end commands change the document window's save
// settings; the current items carry the check mark.
void BindSaveCodeCommands(CommandManager& commands, CDocTabWnd& docs);
// Show or hide the folder tree and tag panes, and focus them.
void BindPaneCommands(CommandManager& commands, CSplitPanes& panes);
