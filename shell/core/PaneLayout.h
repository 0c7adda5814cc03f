// The rules by which the main frame's three nested split windows show a
// screen split layout: which panes have captions, and how the show flags of
// panes that hold a split window follow that split window's own panes.
#pragma once

#include "config/core/SplitPatterns.h"

namespace split {

// Caption text of a pane kind: "ファイル ツリー" for the folder tree,
// "登録タグ" for the registered tags; empty (no caption bar) for the others.
const char* PaneCaption(int kind);
inline bool PaneHasCaption(int kind) { return *PaneCaption(kind) != '\0'; }

// A pane holding a split window is shown exactly when that split window
// shows a pane (so a split window whose panes are all closed disappears and
// its sibling takes its place). Works bottom-up through the tree; the layout
// must have no faults.
void PropagateShown(SplitLayout* layout);

// The layout after showing or hiding the pane of one kind (1-5); the other
// panes keep their flags, then PropagateShown. A kind the layout does not
// place changes nothing.
SplitLayout WithPaneShown(const SplitLayout& layout, int kind, bool show);

// Whether the pane of a kind is placed and shown in a used split window.
bool IsKindShown(const SplitLayout& layout, int kind);

// What the split windows are set to for a stored or chosen layout: the
// valid layout (pattern 1 when it has a fault) with PropagateShown applied.
SplitLayout LayoutToApply(const SplitLayout& layout, LayoutFault* fault = nullptr);

}  // namespace split
