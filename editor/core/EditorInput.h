// Caret navigation and mouse selection of one editor, and the decisions of
// dragging and dropping text, over the editor model. The window turns key,
// mouse, timer and OLE calls into calls here and does what the results ask
// (capture the mouse, start or stop the auto-scroll timer, run a drag).
//
// Points are client pixels; the model's metrics and scroll position turn
// them into positions.
#pragma once

#include <string>

#include "editor/core/EditorModel.h"

namespace editor {

enum class NavKey { Left, Right, Up, Down, Home, End, PageUp, PageDown, Escape };

// What a left-button press asks of the window.
enum class PressResult {
    Ignored,    // above the text (on the ruler)
    StartDrag,  // inside the selection with drag and drop on: run a drag
    Select,     // the caret moved: take the focus and capture the mouse
};

// Drop effects, as the OLE ones.
enum class DropEffect { None = 0, Copy = 1, Move = 2 };

// What a drop target may do with the effect it wants, given what the drag's
// source allows: a move the source does not allow becomes a copy where that
// is allowed; anything else not allowed is nothing.
DropEffect LimitDropEffect(DropEffect wanted, bool copyAllowed, bool moveAllowed);

// Where a point lies.
struct HitResult {
    TextPos pos;            // column snapped down inside the line, kept beyond it
    bool leftOfText;        // over the gutter or the margin
    bool aboveText;         // over the ruler
    bool outside;           // outside the text area (left, right, above, below)
};

class EditorInput {
public:
    explicit EditorInput(EditorModel& model) : m_(model) {}

    // The position under a client point, line clamped into the text.
    HitResult HitTest(int x, int y) const;

    // --- Keys -------------------------------------------------------------

    // One navigation key; false when nothing changed. Ignored (false) while
    // a drag is over the window, except Escape.
    bool Key(NavKey key, bool ctrl, bool shift);

    // --- Mouse ------------------------------------------------------------

    PressResult ButtonDown(int x, int y, bool shift);
    // A move with the button held; returns true while the pointer is
    // outside the text area (the window then runs the auto-scroll timer).
    bool Move(int x, int y);
    // One round of the auto-scroll timer with the pointer at (x, y).
    void AutoScroll(int x, int y);
    // The button was released, or the capture was lost.
    void ButtonUp();
    // A double click; true when a word was selected (the window captures
    // the mouse as for a click).
    bool DoubleClick(int x, int y, bool shift);
    // The pointer shape over a point when no button is held.
    enum class Pointer { Arrow, Gutter, IBeam };
    Pointer PointerAt(int x, int y) const;
    // True when the point lies on the selected text.
    bool InSelection(int x, int y) const;

    // --- Dragging text ----------------------------------------------------

    TextPos DropPosition() const { return drop_; }
    // A drag from this editor starts at the pressed point.
    void BeginDragSource(int x, int y);
    // The drag from this editor ended; `dropped` when something accepted it.
    void EndDragSource(bool dropped);
    // Data with text entered the window at (x, y).
    void DragEnter(int x, int y);
    // The effect to report; the drop caret follows the pointer.
    DropEffect DragOver(int x, int y, bool ctrl, bool hasText);
    // One round of the drag-over timer: scrolls near the edges; false when
    // the pointer is not near an edge (the window stops the timer).
    bool DragEdgeScroll(int x, int y);
    // Near an edge of the client area (where the drag-over timer runs).
    bool NearEdge(int x, int y) const;
    void DragLeave();
    // The drop of `text` (null: no usable data) with the effect last
    // returned by DragOver. Returns true when the drop was taken: the text
    // changed, or empty text from another window put the caret at the drop
    // point.
    bool Drop(const std::string* text, DropEffect effect);
    // A right click during a drag over the window: the drag is given up and
    // the caret goes back to the drop position without a selection.
    void CancelDragOver();

private:
    // Sets caret, anchor and scroll position; repaints and places the caret
    // only when something changed. Returns true when something changed.
    bool Apply(TextPos caret, TextPos anchor, int firstColumn, int firstLine);
    int LineEndColumn(int line) const;
    // Column scrolled to when a click lands at or left of the first column.
    int ClickColumn(int column) const;
    TextPos DropPointAt(int x, int y) const;

    EditorModel& m_;
    TextPos drop_{0, 0};
    int lineSelectLine_ = 0;
};

}  // namespace editor
