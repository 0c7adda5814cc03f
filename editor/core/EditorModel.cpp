#include "editor/core/EditorModel.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

#include "editor/core/CharClass.h"
#include "editor/core/EditorMemory.h"
#include "framework/core/Sjis.h"

namespace editor {

namespace {

int DefaultColorLine(const char*, int, int, Color*) { return 0; }

int ClampToInt(long long v) { return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v)); }

bool IsTypable(unsigned char c) { return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xDF) || c == '\t'; }

}  // namespace

EditorModel::EditorModel()
    : colors_(DefaultEditorColors(system_)), words_(DefaultWordFunctions()), colorFn_(DefaultColorLine) {
    Reset();
}

void EditorModel::SetHost(IEditorHost* host) {
    IEditorHost* h = host ? host : &defaultHost_;
    if (batchDepth_ > 0) {
        batchHost_ = h;
    } else {
        host_ = h;
    }
}

// ---------------------------------------------------------------------------
// Whole text

void EditorModel::Reset() {
    store_.Reset();
    colorMarks_.clear();
    store_.SetTabSize(settings_.tabSize);
    history_.Clear();
    caret_ = TextPos{0, 0};
    anchor_ = TextPos{-1, 0};
    placed_ = CaretNotice{};
    firstColumn_ = 0;
    firstLine_ = 0;
    gutterDigits_ = 4;
    flags_ = 0;
    pendingLead_ = 0;
    statesValid_ = 0;
    longest_ = 0;
    longestKnown_ = true;
}

void EditorModel::Clear() { Reset(); }

bool EditorModel::SetText(const char* text, std::size_t length) {
    Clear();
    bool ok = true;
    if (text && length) {
        store_.SetLineEndModeOnly(lineend::FirstLineEnd(text, length));
        EditChange change;
        ok = Replace(BytePos{0, 0}, BytePos{-1, 0}, text, length, false, nullptr, false, false, &change);
        if (ok) ShowChange(change);
        if (!ok) Clear();
    }
    ForgetStatesFrom(0);
    host_->InvalidateAll();
    host_->UpdateScrollBars();
    PlaceCaret();
    host_->NotifyChanged();
    return ok;
}

int EditorModel::GetText(std::string& out) const {
    if (!store_.GetText(out)) return -1;
    return ClampToInt(static_cast<long long>(out.size()));
}

long long EditorModel::CopyOut(BytePos from, BytePos to, char* buffer, std::size_t capacity) const {
    const long long length = store_.RangeLength(from, to);
    if (!buffer) return length;
    if (capacity == 0) return 0;
    if (static_cast<unsigned long long>(length) < capacity) {
        store_.CopyRange(from, to, buffer);
        buffer[length] = '\0';
        return length;
    }
    // Too small: as much as fits, ending on a character boundary.
    std::size_t n = capacity - 1;
    std::string text;
    try {
        text.resize(static_cast<std::size_t>(length));
    } catch (const std::exception&) {
        buffer[0] = '\0';
        return 0;
    }
    store_.CopyRange(from, to, &text[0]);
    n = sjis::BoundaryAtOrBefore(text.data(), text.size(), n);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<long long>(n);
}

long long EditorModel::GetText(char* buffer, std::size_t capacity) const {
    const int last = LineCount() - 1;
    return CopyOut(BytePos{0, 0}, BytePos{LineLength(last), last}, buffer, capacity);
}

int EditorModel::GetLine(int n, std::string& out, bool wholeLine) const {
    out.clear();
    if (!store_.IsLine(n)) return -1;
    const int length = store_.LineLength(n);
    int copied = length;
    if (n == caret_.line && !wholeLine) copied = store_.ColumnToOffset(caret_.column, n, false);
    if (copied > 0) out.assign(store_.LineText(n), static_cast<std::size_t>(copied));
    return length;
}

int EditorModel::SetLineEndMode(int code) {
    const int previous = store_.SetLineEndMode(code);
    host_->InvalidateAll();
    return previous;
}

// ---------------------------------------------------------------------------
// The edit primitive

bool EditorModel::ReplaceRange(TextPos caret, TextPos anchor, const char* text, std::size_t length,
                               bool caretToEnd, UndoRecord* record) {
    const BytePos a = anchor.column == -1 ? BytePos{-1, anchor.line} : store_.ToBytePos(anchor);
    return ReplaceBytes(store_.ToBytePos(caret), a, text, length, caretToEnd, record);
}

bool EditorModel::ReplaceBytes(BytePos caret, BytePos anchor, const char* text, std::size_t length,
                               bool caretToEnd, UndoRecord* record) {
    EditChange change;
    if (!Replace(caret, anchor, text, length, caretToEnd, record, true, false, &change)) return false;
    ShowChange(change);
    return true;
}

bool EditorModel::Replace(BytePos caret, BytePos anchor, const char* text, std::size_t length, bool caretToEnd,
                          UndoRecord* record, bool updateStates, bool exact, EditChange* change) {
    // Positions are moved onto character boundaries, except those of undo
    // records: they name exact bytes (an inserted lead byte may have joined
    // the byte after it).
    auto clamp = [&](BytePos p) {
        if (!exact) return store_.Clamp(p);
        p.line = std::max(0, std::min(p.line, LineCount() - 1));
        p.offset = std::max(0, std::min(p.offset, store_.LineLength(p.line)));
        return p;
    };
    caret = clamp(caret);
    const bool hasAnchor = anchor.offset != -1;
    if (hasAnchor) anchor = clamp(anchor);
    const bool hasRange = hasAnchor && anchor != caret;
    const bool hasText = text && length;
    const BytePos p1 = hasRange && anchor < caret ? anchor : caret;
    const BytePos p2 = hasRange && caret < anchor ? anchor : caret;

    // The removed bytes go into the undo record: they are copied before the
    // change, which replaces the range and inserts the text as one step of
    // the store (a failure changes nothing).
    std::unique_ptr<char[], BlockDeleter> removed;
    long long removedLength = 0;
    if (hasRange) {
        removedLength = store_.RangeLength(p1, p2);
        if (removedLength > INT32_MAX) return false;
        if (record) {
            removed.reset(static_cast<char*>(Allocate(static_cast<std::size_t>(removedLength))));
            if (!removed) return false;
            store_.CopyRange(p1, p2, removed.get());
        }
    }

    EditChange c;
    c.top = p1.line;
    // The old selection is repainted, while its lines are still where they
    // were, when it is not the range replaced here.
    BytePos s1, s2;
    if (SelectionBytes(&s1, &s2) && (s1 != p1 || s2 != p2)) host_->InvalidateLines(s1.line, s2.line);

    // The states of the replaced lines are needed to tell whether the lines
    // below start as they did: they are brought up to date first.
    const bool trackStates = updateStates && stateFn_;
    const int endState = trackStates ? LineState(p2.line) : 0;
    const int oldValid = statesValid_;
    int replacedLongest = 0;
    for (int k = p1.line; k <= p2.line; ++k) replacedLongest = std::max(replacedLongest, store_.LineLength(k));
    BytePos end = p1;
    if (!store_.ReplaceRange(p1, hasRange ? p2 : p1, hasText ? text : nullptr, hasText ? length : 0, &end,
                             &c.linesRemoved, &c.linesAdded)) {
        return false;
    }
    flags_ |= kOffscreenPaint;
    ColorMarksEdited(p1, c.linesRemoved, c.linesAdded);
    // The longest line: one of the new lines, or still the old one unless
    // that was among the replaced lines (then it is looked for when asked).
    int addedLongest = 0;
    for (int k = p1.line; k <= p1.line + c.linesAdded; ++k) addedLongest = std::max(addedLongest, store_.LineLength(k));
    if (addedLongest >= longest_) {
        longest_ = addedLongest;
    } else if (replacedLongest >= longest_) {
        longestKnown_ = false;
    }

    if (record) {
        *record = UndoRecord{};
        if (hasRange) {
            record->removed = std::move(removed);
            record->removedLength = static_cast<std::int32_t>(removedLength);
            if (anchor < caret) record->flags |= UndoRecord::kForward;
        }
        const bool inserted = end != p1;
        const BytePos after = inserted && caretToEnd ? end : p1;
        const BytePos other = inserted && caretToEnd ? p1 : end;
        record->afterOffset = after.offset;
        record->afterLine = after.line;
        record->otherOffset = inserted ? other.offset : -1;
        record->otherLine = inserted ? other.line : after.line;
    }
    caret_ = store_.ToTextPos(caretToEnd ? end : p1);
    anchor_ = TextPos{-1, caret_.line};
    c.inserted = hasText;
    c.removed = hasRange;
    if (trackStates) {
        const int validBelow = oldValid + c.linesAdded - c.linesRemoved;
        c.statesChanged = RecomputeStates(c.top, c.top + c.linesAdded, endState, validBelow);
    } else {
        ForgetStatesFrom(c.top);
    }
    if (change) *change = c;
    return true;
}

void EditorModel::ShowChange(const EditChange& c) {
    // The edited lines, and everything below when the line states changed
    // further down; the rows below move by the lines added or removed.
    const int top = c.top;
    if (c.linesAdded != c.linesRemoved)
        RowsMoved(top + 1 + std::min(c.linesAdded, c.linesRemoved), c.linesAdded - c.linesRemoved);
    host_->InvalidateLines(top, c.statesChanged ? IEditorHost::kToBottom : top + c.linesAdded);
    FollowCaret(c.inserted);
    UpdateGutterDigits();
    host_->UpdateScrollBars();
    PlaceCaret();
}

bool EditorModel::Edit(BytePos caret, BytePos anchor, const char* text, std::size_t length, bool caretToEnd) {
    UndoRecord record;
    EditChange change;
    if (!Replace(caret, anchor, text, length, caretToEnd, &record, true, false, &change)) return false;
    ShowChange(change);
    if (record.removed || record.otherOffset != -1) PushUndo(std::move(record));
    TextChanged();
    return true;
}

void EditorModel::TextChanged() {
    flags_ |= kModified;
    host_->NotifyChanged();
}

bool EditorModel::RecomputeStates(int first, int lastEdited, int endState, int validBelow) {
    // Only the edited lines are computed now. When the last of them ends in
    // the state it ended in before, the lines below start as they did and
    // keep their states; otherwise their states are computed again when
    // something asks for them (painting, a query).
    int previous = first > 0 ? store_.LineState(first - 1) : -1;
    for (int k = first; k <= lastEdited; ++k) {
        previous = ComputeLineState(k, previous);
        store_.SetLineState(k, previous);
    }
    const int count = store_.LineCount();
    if (previous == static_cast<std::int16_t>(endState)) {
        statesValid_ = std::max(lastEdited + 1, std::min(validBelow, count));
        return false;
    }
    statesValid_ = lastEdited + 1;
    return count - 1 > lastEdited;
}

int EditorModel::LineState(int n) {
    if (!store_.IsLine(n)) return 0;
    if (stateFn_ && n >= statesValid_) {
        int previous = statesValid_ > 0 ? store_.LineState(statesValid_ - 1) : -1;
        for (int k = statesValid_; k <= n; ++k) {
            previous = ComputeLineState(k, previous);
            store_.SetLineState(k, previous);
        }
        statesValid_ = n + 1;
    }
    return store_.LineState(n);
}

int EditorModel::ComputeLineState(int k, int previous) {
    const char* text = store_.LineText(k);
    const int length = store_.LineLength(k);
    // A long line whose resume places are held is scanned from the last of
    // them: an edit near the end of a long line costs what lies after it.
    if (colorPart_) {
        for (ColorMarks& m : colorMarks_) {
            if (m.line != k || m.previousState != previous || m.resumes.empty()) continue;
            const ColorResume start = m.resumes.back();
            return static_cast<std::int16_t>(
                colorPart_(text, length, previous, &start, length, length, nullptr, &m.resumes, kColorResumeStep));
        }
    }
    return static_cast<std::int16_t>(stateFn_(text, length, previous));
}

void EditorModel::ForgetStatesFrom(int line) { statesValid_ = std::max(0, std::min(statesValid_, line)); }

void EditorModel::RecomputeAllStates() {
    ForgetStatesFrom(0);
    LineState(store_.LineCount() - 1);
}

void EditorModel::RowsMoved(int top, int rows) {
    const ViewGeometry g = Geometry();
    const int lineHeight = std::max(1, metrics_.lineHeight);
    if (top < firstLine_) top = firstLine_;
    const int y = g.textTop + (top - firstLine_) * lineHeight;
    if (y >= metrics_.clientHeight) return;  // nothing visible moves
    const long long distance = static_cast<long long>(rows < 0 ? -rows : rows) * lineHeight;
    if (distance < metrics_.clientHeight - y) {
        host_->ScrollRows(top, rows);
    } else {
        host_->InvalidateAll();
    }
}

void EditorModel::UpdateGutterDigits() {
    if (!settings_.lineNumDisp) return;
    int digits = 1;
    for (int n = LineCount(); n >= 10; n /= 10) ++digits;
    digits = std::max(4, digits);
    if (digits != gutterDigits_) {
        gutterDigits_ = digits;
        host_->InvalidateAll();
    }
}

// ---------------------------------------------------------------------------
// Undo

void EditorModel::PushUndo(UndoRecord record) { history_.Push(std::move(record)); }

bool EditorModel::ReplayTop(bool undo) {
    const bool grouped = undo ? history_.BelowTopUndoIsGrouped() : history_.BelowTopRedoIsGrouped();
    UndoRecord& r = undo ? history_.TopUndo() : history_.TopRedo();
    UndoRecord inverse;
    EditChange change;
    if (!Replace(BytePos{r.afterOffset, r.afterLine}, BytePos{r.otherOffset, r.otherLine}, r.removed.get(),
                 static_cast<std::size_t>(r.removedLength), (r.flags & UndoRecord::kForward) != 0, &inverse, true,
                 true, &change)) {
        return false;
    }
    ShowChange(change);
    if (grouped) inverse.flags |= UndoRecord::kGroup;
    if (undo) {
        history_.FinishUndo(std::move(inverse));
    } else {
        history_.FinishRedo(std::move(inverse));
    }
    TextChanged();
    return grouped;
}

int EditorModel::Undo() {
    if (!history_.CanUndo()) return 0;
    InvalidateSelection();
    flags_ |= kOffscreenPaint;
    while (history_.CanUndo()) {
        const std::size_t before = history_.UndoCount();
        const bool more = ReplayTop(true);
        if (history_.UndoCount() == before) return 0;  // the replay failed
        if (!more) break;
    }
    return 1;
}

int EditorModel::Redo() {
    if (!history_.CanRedo()) return 0;
    InvalidateSelection();
    flags_ |= kOffscreenPaint;
    while (history_.CanRedo()) {
        const std::size_t before = history_.RedoCount();
        const bool more = ReplayTop(false);
        if (history_.RedoCount() == before) return 0;
        if (!more) break;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Flags

void EditorModel::SetModified(bool modified) {
    if (modified) {
        flags_ |= kModified;
        history_.LoseSavePoint();
    } else {
        flags_ &= ~kModified;
        history_.MarkSavePoint();
    }
    host_->NotifyChanged();
}

bool EditorModel::IsModified() {
    if (history_.AtSavePoint()) flags_ &= ~kModified;
    return (flags_ & kModified) != 0;
}

// ---------------------------------------------------------------------------
// Caret and selection

BytePos EditorModel::AnchorBytes() const {
    return anchor_.column == -1 ? BytePos{-1, anchor_.line} : store_.ToBytePos(anchor_);
}

bool EditorModel::HasSelection() const {
    if (anchor_.column == -1) return false;
    return store_.ToBytePos(anchor_) != CaretBytes();
}

bool EditorModel::SelectionBytes(BytePos* start, BytePos* end) const {
    const BytePos c = CaretBytes();
    if (!HasSelection()) {
        *start = *end = c;
        return false;
    }
    const BytePos a = store_.ToBytePos(anchor_);
    *start = a < c ? a : c;
    *end = a < c ? c : a;
    return true;
}

void EditorModel::SetCaretAndAnchor(TextPos caret, TextPos anchor) {
    caret.line = std::max(0, std::min(caret.line, LineCount() - 1));
    caret.column = std::max(0, caret.column);
    if (anchor.column != -1) {
        anchor.line = std::max(0, std::min(anchor.line, LineCount() - 1));
        anchor.column = std::max(0, anchor.column);
    } else {
        anchor.line = caret.line;
    }
    caret_ = caret;
    anchor_ = anchor;
}

void EditorModel::GetSelection(int* anchorColumn, int* anchorLine, int* caretColumn, int* caretLine) const {
    const int column = store_.SnapColumn(caret_.column, caret_.line, false);
    if (caretColumn) *caretColumn = column;
    if (caretLine) *caretLine = caret_.line;
    const bool has = HasSelection();
    if (anchorColumn) *anchorColumn = has ? store_.SnapColumn(anchor_.column, anchor_.line, false) : -1;
    if (anchorLine) *anchorLine = has ? anchor_.line : caret_.line;
}

void EditorModel::InvalidateSelection() {
    BytePos s1, s2;
    if (SelectionBytes(&s1, &s2)) host_->InvalidateLines(s1.line, s2.line);
}

void EditorModel::SelectBytes(BytePos anchor, BytePos caret) {
    InvalidateSelection();
    caret_ = store_.ToTextPos(caret);
    anchor_ = anchor == caret ? TextPos{-1, caret.line} : store_.ToTextPos(anchor);
    FollowCaret(false);
    InvalidateSelection();
    PlaceCaret();
}

void EditorModel::SetSelection(int anchorOffset, int anchorLine, int caretOffset, int caretLine) {
    BytePos a{anchorOffset, anchorLine}, c{caretOffset, caretLine};
    a.line = std::max(0, std::min(a.line, LineCount() - 1));
    c.line = std::max(0, std::min(c.line, LineCount() - 1));
    const bool anchorFirst = a < c, caretFirst = c < a;
    a = store_.Clamp(a, caretFirst);
    c = store_.Clamp(c, anchorFirst);
    SelectBytes(a, c);
}

void EditorModel::SetSelectionOffsets(long long anchor, long long caret) {
    if (LineCount() == 1 && LineLength(0) == 0) return;
    const long long length = TextLength();
    if (anchor == 0 && caret == -1) {
        anchor = length;
        caret = 0;
    }
    anchor = std::max(0LL, std::min(anchor, length));
    caret = std::max(0LL, std::min(caret, length));
    const bool anchorFirst = anchor < caret;
    SelectBytes(store_.PositionOf(anchor, !anchorFirst && anchor != caret),
                store_.PositionOf(caret, anchorFirst));
}

void EditorModel::GetSelectionOffsets(long long* start, long long* end) const {
    BytePos s1, s2;
    SelectionBytes(&s1, &s2);
    if (start) *start = store_.OffsetOf(s1);
    if (end) *end = store_.OffsetOf(s2);
}

long long EditorModel::SelectionLength() const {
    BytePos s1, s2;
    return SelectionBytes(&s1, &s2) ? store_.RangeLength(s1, s2) : 0;
}

int EditorModel::GetSelectedText(std::string& out) const {
    out.clear();
    BytePos s1, s2;
    if (!SelectionBytes(&s1, &s2)) return 0;
    try {
        out.resize(static_cast<std::size_t>(store_.RangeLength(s1, s2)));
    } catch (const std::exception&) {
        out.clear();
        return 0;
    }
    store_.CopyRange(s1, s2, &out[0]);
    return ClampToInt(static_cast<long long>(out.size()));
}

long long EditorModel::GetSelectedText(char* buffer, std::size_t capacity) const {
    BytePos s1, s2;
    SelectionBytes(&s1, &s2);  // without a selection both are the caret: ""
    return CopyOut(s1, s2, buffer, capacity);
}

// ---------------------------------------------------------------------------
// Programmatic editing

bool EditorModel::ReplaceSelection(const char* text, std::size_t length, bool addUndo) {
    if (IsReadOnly()) return false;
    UndoRecord record;
    EditChange change;
    if (!Replace(CaretBytes(), AnchorBytes(), text, length, true, addUndo ? &record : nullptr, true, false, &change))
        return false;
    ShowChange(change);
    const bool changed = change.inserted || change.removed;
    if (addUndo) {
        if (changed) PushUndo(std::move(record));
    } else if (changed) {
        // The older records describe a text that no longer exists.
        history_.Clear();
        history_.LoseSavePoint();
    }
    TextChanged();
    return changed;
}

int EditorModel::DeleteSelection() {
    if (IsReadOnly() || !HasSelection()) return 0;
    if (!Edit(CaretBytes(), AnchorBytes(), nullptr, 0, false)) return 0;
    return 1;
}

int EditorModel::Copy() {
    if (!HasSelection() || !clipboard_) return 0;
    std::string text;
    GetSelectedText(text);
    if (text.empty()) return 0;  // out of memory
    return clipboard_->SetText(text.data(), text.size()) ? 1 : 0;
}

int EditorModel::Cut() {
    if (IsReadOnly()) return 0;
    if (!Copy()) return 0;
    return DeleteSelection();
}

int EditorModel::Paste() {
    if (IsReadOnly() || !clipboard_ || !clipboard_->HasText()) return 0;
    std::string text;
    if (!clipboard_->GetText(text)) return 0;
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    if (!Edit(CaretBytes(), AnchorBytes(), text.data(), text.size(), true)) return 0;
    return 1;
}

int EditorModel::CanPaste() const { return clipboard_ && clipboard_->HasText() ? 1 : 0; }

int EditorModel::FindInLine(const char* pattern, std::size_t length, bool matchCase, bool wholeWord, int column,
                            int n) {
    if (!store_.IsLine(n)) return 0;
    int end = 0;
    const int start = store_.FindInLine(pattern, length, matchCase, wholeWord,
                                        store_.ColumnToOffset(column, n, false), n, &end);
    if (start < 0) return 0;
    SelectBytes(BytePos{start, n}, BytePos{end, n});
    return 1;
}

const char* EditorModel::LineData(int n, std::size_t* length) const {
    if (!store_.IsLine(n)) {
        if (length) *length = 0;
        return nullptr;
    }
    const LineRecord& r = store_.Line(n);
    if (length) *length = static_cast<std::size_t>(r.length);
    return r.text ? r.text : "";
}

void EditorModel::BeginBatch() {
    if (batchDepth_++ > 0) return;
    batchHost_ = host_;
    host_ = &defaultHost_;  // does nothing
}

void EditorModel::EndBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    host_ = batchHost_ ? batchHost_ : &defaultHost_;
    batchHost_ = nullptr;
    UpdateGutterDigits();
    AdjustView(false);
    host_->InvalidateAll();
    host_->UpdateScrollBars();
    PlaceCaret();
    host_->NotifyChanged();
}

// ---------------------------------------------------------------------------
// Keyboard editing

void EditorModel::TypeChar(unsigned char c) {
    const unsigned char lead = pendingLead_;
    pendingLead_ = 0;
    if (IsReadOnly() || (flags_ & kDragOver)) return;
    char bytes[2];
    std::size_t n = 0;
    if (lead && sjis::IsTrailByte(c)) {
        bytes[n++] = static_cast<char>(lead);
        bytes[n++] = static_cast<char>(c);
    } else if (sjis::IsLeadByte(c)) {
        pendingLead_ = c;
        return;
    } else if (IsTypable(c)) {
        bytes[n++] = static_cast<char>(c);
    } else {
        return;
    }
    const BytePos caret = CaretBytes();
    BytePos anchor = AnchorBytes();
    if ((flags_ & kOverwrite) && !HasSelection()) {
        const int length = store_.LineLength(caret.line);
        anchor = BytePos{-1, caret.line};
        if (caret.offset < length) {
            anchor = BytePos{static_cast<int>(sjis::Next(store_.LineText(caret.line), static_cast<std::size_t>(length),
                                                         static_cast<std::size_t>(caret.offset))),
                             caret.line};
        }
    }
    if (!Edit(caret, anchor, bytes, n, true)) return;
}

void EditorModel::TypeString(const char* text, std::size_t length) {
    for (std::size_t i = 0; text && i < length; ++i) TypeChar(static_cast<unsigned char>(text[i]));
    pendingLead_ = 0;
}

void EditorModel::Backspace(bool ctrl) {
    pendingLead_ = 0;
    if (IsReadOnly()) return;
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    const BytePos caret = CaretBytes();
    BytePos anchor;
    if (caret.offset == 0) {
        if (caret.line == 0) return;
        anchor = BytePos{store_.LineLength(caret.line - 1), caret.line - 1};
    } else {
        const char* text = store_.LineText(caret.line);
        const int length = store_.LineLength(caret.line);
        anchor.line = caret.line;
        anchor.offset = ctrl ? words_.previous(text, length, caret.offset)
                             : static_cast<int>(sjis::Previous(text, static_cast<std::size_t>(length),
                                                               static_cast<std::size_t>(caret.offset)));
    }
    if (!Edit(caret, anchor, nullptr, 0, false)) return;
}

void EditorModel::DeleteForward(bool ctrl) {
    pendingLead_ = 0;
    if (IsReadOnly()) return;
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    const BytePos caret = CaretBytes();
    const int length = store_.LineLength(caret.line);
    BytePos anchor;
    if (caret.offset < length) {
        const char* text = store_.LineText(caret.line);
        anchor.line = caret.line;
        anchor.offset = ctrl ? words_.next(text, length, caret.offset)
                             : static_cast<int>(sjis::Next(text, static_cast<std::size_t>(length),
                                                           static_cast<std::size_t>(caret.offset)));
    } else if (caret.line + 1 < LineCount()) {
        anchor = BytePos{0, caret.line + 1};
    } else {
        return;
    }
    if (!Edit(caret, anchor, nullptr, 0, false)) return;
}

void EditorModel::Enter() {
    pendingLead_ = 0;
    if (IsReadOnly()) return;
    if ((flags_ & kOverwrite) && caret_.line + 1 < LineCount()) {
        InvalidateSelection();
        caret_ = TextPos{0, caret_.line + 1};
        anchor_ = TextPos{-1, caret_.line};
        FollowCaret(false);
        PlaceCaret();
        return;
    }
    const BytePos caret = CaretBytes();
    std::string text = ReturnCodeBytes(LineEndMode());
    if (settings_.indentMode) {
        const char* line = store_.LineText(caret.line);
        int i = 0;
        while (i < caret.offset) {
            if (line[i] == ' ' || line[i] == '\t') {
                ++i;
            } else if (i + 1 < caret.offset && line[i] == '\x81' && line[i + 1] == '\x40') {
                i += 2;  // full-width space
            } else {
                break;
            }
        }
        text.append(line ? line : "", static_cast<std::size_t>(i));
    }
    if (!Edit(caret, AnchorBytes(), text.data(), text.size(), true)) return;
}

// ---------------------------------------------------------------------------
// Dropping text

void EditorModel::SelectInserted(long long start, long long end) {
    SelectBytes(store_.PositionOf(start), store_.PositionOf(end));
}

void EditorModel::CopyDrop(TextPos at, const char* text, std::size_t length) {
    if (IsReadOnly()) return;
    InvalidateSelection();
    SetCaretAndAnchor(at, TextPos{-1, at.line});
    const BytePos p = store_.Clamp(CaretBytes());
    const long long start = store_.OffsetOf(p);
    if (!Edit(p, BytePos{-1, p.line}, text, length, true)) return;
    SelectInserted(start, store_.OffsetOf(CaretBytes()));
}

void EditorModel::MoveDrop(TextPos at) {
    if (IsReadOnly()) return;
    BytePos s1, s2;
    std::string text;
    if (!SelectionBytes(&s1, &s2)) return;
    const BytePos drop = store_.Clamp(store_.ToBytePos(at));
    if (!(drop < s1) && !(s2 < drop)) return;  // inside the selection
    if (GetSelectedText(text) == 0) return;
    long long dropOffset = store_.OffsetOf(drop);
    const long long selectionStart = store_.OffsetOf(s1);
    UndoRecord removal;
    EditChange change;
    if (!Replace(CaretBytes(), AnchorBytes(), nullptr, 0, false, &removal, true, false, &change)) return;
    ShowChange(change);
    removal.flags |= UndoRecord::kGroup;
    PushUndo(std::move(removal));
    if (dropOffset > selectionStart) dropOffset -= static_cast<long long>(text.size());
    const BytePos p = store_.PositionOf(dropOffset);
    if (!Edit(p, BytePos{-1, p.line}, text.data(), text.size(), true)) {
        // The removal alone stays as one step: its group bit would join it
        // to whatever edit comes next.
        if (history_.CanUndo()) history_.TopUndo().flags &= ~UndoRecord::kGroup;
        TextChanged();
        return;
    }
    SelectInserted(store_.OffsetOf(p), store_.OffsetOf(CaretBytes()));
}

// ---------------------------------------------------------------------------
// View

ViewGeometry EditorModel::Geometry() const {
    ViewGeometry g{};
    const int charWidth = std::max(1, metrics_.charWidth);
    const int lineHeight = std::max(1, metrics_.lineHeight);
    g.gutterWidth = settings_.lineNumDisp ? (2 * gutterDigits_ + 3) * charWidth / 2 : 0;
    g.marginWidth = settings_.marginWidth;
    g.rulerHeight = settings_.rulerDisp ? 12 : 0;
    g.textLeft = g.gutterWidth + g.marginWidth;
    g.textTop = g.rulerHeight;
    g.visibleColumns = std::max(1, (metrics_.clientWidth - g.textLeft) / charWidth);
    g.visibleLines = std::max(1, (metrics_.clientHeight - g.textTop) / lineHeight);
    return g;
}

void EditorModel::GetScrollPosition(int* firstColumn, int* firstLine) const {
    if (firstColumn) *firstColumn = firstColumn_;
    if (firstLine) *firstLine = firstLine_;
}

int EditorModel::LongestLineLength() const {
    if (!longestKnown_) {
        longest_ = 0;
        for (int k = 0; k < store_.LineCount(); ++k) longest_ = std::max(longest_, store_.LineLength(k));
        longestKnown_ = true;
    }
    return longest_;
}

int EditorModel::ScrollColumns() const {
    const long long widest = static_cast<long long>(LongestLineLength()) + 1;
    return static_cast<int>(std::min<long long>(kMaxColumn, std::max<long long>(kMinScrollColumns, widest)));
}

void EditorModel::SetScrollPosition(int firstColumn, int firstLine) {
    const ViewGeometry g = Geometry();
    const int oldColumn = firstColumn_, oldLine = firstLine_;
    firstColumn_ = std::max(0, std::min(firstColumn, ScrollColumns() - g.visibleColumns));
    firstLine_ = std::max(0, std::min(firstLine, LineCount() - g.visibleLines));
    if (firstColumn_ != oldColumn || firstLine_ != oldLine) host_->ScrollView(oldColumn, oldLine);
    host_->UpdateScrollBars();
    PlaceCaret();
}

void EditorModel::ScrollColumnTo(int firstColumn) {
    const ViewGeometry g = Geometry();
    const int oldColumn = firstColumn_;
    firstColumn_ = std::max(0, std::min(firstColumn, ScrollColumns() - g.visibleColumns + 1));
    if (firstColumn_ != oldColumn) host_->ScrollView(oldColumn, firstLine_);
    host_->UpdateScrollBars();
    PlaceCaret();
}

void EditorModel::ScrollLineTo(int firstLine) {
    const ViewGeometry g = Geometry();
    const int oldLine = firstLine_;
    firstLine_ = std::max(0, std::min(firstLine, LineCount() - g.visibleLines));
    if (firstLine_ != oldLine) host_->ScrollView(firstColumn_, oldLine);
    host_->UpdateScrollBars();
    PlaceCaret();
}

void EditorModel::FollowCaret(bool textInserted) {
    const int oldColumn = firstColumn_, oldLine = firstLine_;
    AdjustView(textInserted);
    if (firstColumn_ != oldColumn || firstLine_ != oldLine) {
        host_->ScrollView(oldColumn, oldLine);
        host_->UpdateScrollBars();
    }
}

void EditorModel::AdjustView(bool textInserted) {
    const ViewGeometry g = Geometry();
    const int v = g.visibleColumns, h = g.visibleLines;
    const int column = caret_.column;
    if (column < firstColumn_) {
        firstColumn_ = textInserted ? column : column - v / 5;
    } else if (column > firstColumn_ + v - 1) {
        firstColumn_ = column - v + 1 + v / 5;
    }
    firstColumn_ = std::max(0, firstColumn_);
    if (caret_.line < firstLine_) {
        firstLine_ = caret_.line;
    } else if (caret_.line > firstLine_ + h - 1) {
        firstLine_ = caret_.line - h + 1;
    }
    firstLine_ = std::max(0, std::min(firstLine_, LineCount() - h));
}

void EditorModel::PlaceCaret() {
    CaretNotice notice;
    notice.column = store_.SnapColumn(caret_.column, caret_.line, false);
    notice.line = caret_.line;
    notice.previousColumn = placed_.column;
    notice.previousLine = placed_.line;
    placed_ = notice;
    host_->NotifyCaretMoved(notice);
    host_->PlaceCaret(notice);
}

// ---------------------------------------------------------------------------
// Configuration

void EditorModel::SetSettings(const EditorSettings* settings, bool redraw) {
    const EditorSettings next = BoundedEditorSettings(settings ? *settings : EditorSettings{});
    if (next.tabSize != settings_.tabSize) {
        // The caret and the anchor stay on their bytes.
        const BytePos caret = CaretBytes();
        const BytePos anchor = AnchorBytes();
        store_.SetTabSize(next.tabSize);
        caret_ = store_.ToTextPos(caret);
        if (anchor.offset != -1) anchor_ = store_.ToTextPos(anchor);
    }
    settings_ = next;
    UpdateGutterDigits();
    if (settings_.colorMode && stateFn_) ForgetStatesFrom(0);
    host_->UpdateScrollBars();
    PlaceCaret();
    if (redraw) host_->InvalidateAll();
}

void EditorModel::GetSettings(EditorSettings* out, bool defaults) const {
    if (out) *out = defaults ? EditorSettings{} : settings_;
}

void EditorModel::SetColors(const EditorColors* colors, bool redraw) {
    colors_ = colors ? *colors : DefaultEditorColors(system_);
    if (redraw) host_->InvalidateAll();
}

void EditorModel::SetWordFunctions(const WordFunctions& words) {
    const WordFunctions defaults = DefaultWordFunctions();
    words_.next = words.next ? words.next : defaults.next;
    words_.previous = words.previous ? words.previous : defaults.previous;
    words_.wordAt = words.wordAt ? words.wordAt : defaults.wordAt;
}

void EditorModel::SetColorFunctions(ColorLineFn color, LineStateFn lineState) {
    colorFn_ = color ? std::move(color) : ColorLineFn(DefaultColorLine);
    stateFn_ = std::move(lineState);
    // A part function belongs to the colouring it was given with.
    colorPart_ = nullptr;
    colorMarks_.clear();
    ForgetStatesFrom(0);
}

int EditorModel::ColorLine(int n, Color* colors) {
    if (!store_.IsLine(n)) return 0;
    if (!settings_.colorMode) return LineState(n);
    const int previous = n > 0 ? LineState(n - 1) : -1;
    const int state = colorFn_(store_.LineText(n), store_.LineLength(n), previous, colors);
    store_.SetLineState(n, state);
    if (stateFn_ && statesValid_ == n) statesValid_ = n + 1;
    return store_.LineState(n);
}

int EditorModel::ColorLinePart(int n, int from, int to, Color* colors) {
    if (!store_.IsLine(n)) return 0;
    const int length = store_.LineLength(n);
    to = std::max(0, std::min(to, length));
    from = std::max(0, std::min(from, to));
    if (from == 0 && to == length) return ColorLine(n, colors);
    if (!settings_.colorMode) return LineState(n);
    const int previous = n > 0 ? LineState(n - 1) : -1;
    const char* text = store_.LineText(n);
    if (stateFn_ && colorPart_) {
        ColorResume start;
        bool resume = false;
        std::vector<ColorResume>* resumes = nullptr;
        if (ColorMarks* m = ColorMarksOf(n, previous)) {
            resumes = &m->resumes;
            const auto after = std::partition_point(resumes->begin(), resumes->end(),
                                                    [from](const ColorResume& r) { return r.offset <= from; });
            if (after != resumes->begin()) {
                start = after[-1];  // a copy: the pass may add places
                resume = true;
            }
        }
        colorPart_(text, length, previous, resume ? &start : nullptr, from, to, colors, resumes, kColorResumeStep);
        return LineState(n);
    }
    if (stateFn_ && from == 0) {
        colorFn_(text, to, previous, colors);
        return LineState(n);
    }
    // The line is coloured from its start: its first `to` bytes when a
    // line-state function gives its state, else the whole line, whose
    // colouring gives it its state.
    int state = 0;
    if (stateFn_) {
        wholeLine_.assign(static_cast<std::size_t>(to) + 1, colors_.text);
        colorFn_(text, to, previous, wholeLine_.data());
        state = LineState(n);
    } else {
        wholeLine_.assign(static_cast<std::size_t>(length) + 1, colors_.text);
        state = ColorLine(n, wholeLine_.data());
    }
    std::copy(wholeLine_.begin() + from, wholeLine_.begin() + to, colors);
    return state;
}

void EditorModel::SetColorPart(ColorPartFn part) {
    colorPart_ = std::move(part);
    colorMarks_.clear();
}

EditorModel::ColorMarks* EditorModel::ColorMarksOf(int n, int previousState) {
    if (store_.LineLength(n) < 2 * kColorResumeStep) return nullptr;
    for (std::size_t k = 0; k < colorMarks_.size(); ++k) {
        if (colorMarks_[k].line != n) continue;
        std::rotate(colorMarks_.begin() + static_cast<std::ptrdiff_t>(k),
                    colorMarks_.begin() + static_cast<std::ptrdiff_t>(k) + 1, colorMarks_.end());
        ColorMarks& m = colorMarks_.back();
        if (m.previousState != previousState) {
            m.previousState = previousState;
            m.resumes.clear();
        }
        return &m;
    }
    try {
        if (colorMarks_.size() >= kColorMarkedLines) colorMarks_.erase(colorMarks_.begin());
        colorMarks_.push_back(ColorMarks{n, previousState, {}});
    } catch (const std::exception&) {
        return nullptr;
    }
    return &colorMarks_.back();
}

void EditorModel::ColorMarksEdited(BytePos at, int removed, int added) {
    for (auto it = colorMarks_.begin(); it != colorMarks_.end();) {
        if (it->line == at.line) {
            std::vector<ColorResume>& v = it->resumes;
            v.erase(std::partition_point(v.begin(), v.end(),
                                         [at](const ColorResume& r) { return r.horizon <= at.offset; }),
                    v.end());
        } else if (it->line > at.line && it->line <= at.line + removed) {
            it = colorMarks_.erase(it);
            continue;
        } else if (it->line > at.line) {
            it->line += added - removed;
        }
        ++it;
    }
}

int EditorModel::ColorResumeCount(int n) const {
    for (const ColorMarks& m : colorMarks_) {
        if (m.line == n) return static_cast<int>(m.resumes.size());
    }
    return 0;
}

}  // namespace editor
