// Undo and redo: the records of reversible changes, the two stacks, the edit
// counter and the save point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/core/EditorMemory.h"

namespace editor {

// One reversible change, filled by the edit primitive. Positions are byte
// positions (offset within the line, line), so a record restores the same
// bytes whatever the tab size is when it is replayed.
struct UndoRecord {
    static constexpr std::uint32_t kForward = 0x01;  // removed text was selected anchor-first
    static constexpr std::uint32_t kGroup = 0x20;    // undone together with the record pushed after it

    std::unique_ptr<char[], BlockDeleter> removed;  // the bytes the change removed, or null
    std::int32_t removedLength = 0;
    std::int32_t afterOffset = 0;  // caret after the change
    std::int32_t afterLine = 0;
    std::int32_t otherOffset = -1;  // other end of the inserted text; -1: nothing inserted
    std::int32_t otherLine = 0;
    std::uint32_t flags = 0;
};

class UndoHistory {
public:
    // Empties both stacks; the empty history is the save point.
    void Clear();

    // Appends a record and discards the redo stack. False when memory ran out;
    // the history is then emptied (its records would no longer match the text).
    bool Push(UndoRecord record);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }

    // For replaying: the top records, and moving a replayed record's inverse
    // onto the other stack (which is not emptied).
    UndoRecord& TopUndo() { return undo_.back(); }
    UndoRecord& TopRedo() { return redo_.back(); }
    // The group bit of the record below the top.
    bool BelowTopUndoIsGrouped() const;
    bool BelowTopRedoIsGrouped() const;
    bool FinishUndo(UndoRecord inverse);  // pops the undo top, pushes inverse on redo
    bool FinishRedo(UndoRecord inverse);  // pops the redo top, pushes inverse on undo

    // Changes since the save point: +1 per pushed record and per redone one,
    // -1 per undone one.
    int EditCounter() const { return counter_; }

    // The current text becomes the save point (after saving).
    void MarkSavePoint();
    // The save point cannot be reached again (a change that cannot be undone).
    void LoseSavePoint() { savePointValid_ = false; }
    // True while the text is the one of the save point.
    bool AtSavePoint() const { return savePointValid_ && savePoint_ == undo_.size(); }

private:
    std::vector<UndoRecord> undo_;
    std::vector<UndoRecord> redo_;
    int counter_ = 0;
    std::size_t savePoint_ = 0;  // undo depth at the save point
    bool savePointValid_ = true;
};

}  // namespace editor
