#include "editor/core/UndoHistory.h"

#include <exception>
#include <utility>

namespace editor {

void UndoHistory::Clear() {
    std::vector<UndoRecord>().swap(undo_);
    std::vector<UndoRecord>().swap(redo_);
    counter_ = 0;
    savePoint_ = 0;
    savePointValid_ = true;
}

bool UndoHistory::Push(UndoRecord record) {
    // The save point lay among the redo records being discarded: no sequence
    // of undo and redo leads back to it any more.
    if (savePoint_ > undo_.size()) savePointValid_ = false;
    redo_.clear();
    try {
        undo_.push_back(std::move(record));
    } catch (const std::exception&) {
        undo_.clear();
        savePointValid_ = false;
        return false;
    }
    ++counter_;
    return true;
}

bool UndoHistory::BelowTopUndoIsGrouped() const {
    return undo_.size() >= 2 && (undo_[undo_.size() - 2].flags & UndoRecord::kGroup);
}

bool UndoHistory::BelowTopRedoIsGrouped() const {
    return redo_.size() >= 2 && (redo_[redo_.size() - 2].flags & UndoRecord::kGroup);
}

bool UndoHistory::FinishUndo(UndoRecord inverse) {
    undo_.pop_back();
    --counter_;
    try {
        redo_.push_back(std::move(inverse));
    } catch (const std::exception&) {
        redo_.clear();  // the text is right; only redo is lost
        if (savePoint_ > undo_.size()) savePointValid_ = false;
        return false;
    }
    return true;
}

bool UndoHistory::FinishRedo(UndoRecord inverse) {
    redo_.pop_back();
    ++counter_;
    try {
        undo_.push_back(std::move(inverse));
    } catch (const std::exception&) {
        // The redone change cannot be undone: nothing older matches any more.
        undo_.clear();
        redo_.clear();
        savePointValid_ = false;
        return false;
    }
    return true;
}

void UndoHistory::MarkSavePoint() {
    counter_ = 0;
    savePoint_ = undo_.size();
    savePointValid_ = true;
}

}  // namespace editor
