// Drags in the tag pane: what a drop of a tag or a tag file on an item of
// the pane does, when the pane scrolls under a drag, and what a drag of a
// tag onto another window means for the tag. The pane only turns mouse
// positions into items and plans into moves.
#pragma once

namespace tags {

class TagStore;

// An item of the pane: a tag file (tag -1) or a tag of it.
struct PaneItem {
    int file = -1;
    int tag = -1;
};

enum class DropMove {
    None,          // refused: nothing moves
    TagToFileEnd,  // the tag goes to the end of file `toFile`
    TagBefore,     // the tag goes just before tag `before` of file `toFile`
    FileBefore,    // the file goes just before file `before`
};

struct DropPlan {
    DropMove move = DropMove::None;
    int toFile = -1;
    int before = -1;
};

// A tag may be dropped on any file or tag, a file only on another file.
// Refused: no target, the dragged item itself, and a tag that would be the
// 101st of another file.
DropPlan PlanDrop(const TagStore& store, PaneItem dragged, const PaneItem* target);

// Under a drag within one item height of the top or bottom edge the tree
// scrolls a line: -1 up, 1 down, 0 not at all.
int EdgeScroll(int y, int clientHeight, int itemHeight);

// The effects a drag from the pane offers and targets answer, as the
// platform numbers them.
constexpr unsigned kDropCopy = 1;
constexpr unsigned kDropLink = 4;

// A tag's drag that ended on a window answering copy (the editor took its
// text) completes the run there; the pane's own moves answer link.
inline bool DropRunsTag(unsigned effect) { return (effect & kDropCopy) != 0; }

// The cursor a drag shows for the answer of the target under it: the kind's
// (or the file's) own while a target accepts, else 0 for the system's.
inline int DragCursor(int own, unsigned effect) { return (effect & (kDropCopy | kDropLink)) ? own : 0; }

}  // namespace tags
