// IEditorOps: the narrow face of one editor that the other subsystems use
// (find and replace, the line tools, tags, plug-ins, bookmarks, input assist,
// the document window, the edit commands). It holds the operations on the
// text, the selection, undo and the clipboard, the scroll position and the
// state flags; of the configuration only the settings in force, to read.
// Nothing of painting or input.
// EditorModel implements it; callers take an `IEditorOps&` and include only
// this header, so they can be tested against a real model or a fake.
//
// Positions come in three forms: TextPos (display column, line), byte
// positions (byte offset in a line, line), and absolute byte offsets from the
// start of the text, in which every line end counts at its own length.
#pragma once

#include <cstddef>
#include <string>

#include "editor/core/EditorSettings.h"
#include "editor/core/TextStore.h"

namespace editor {

class IEditorOps {
public:
    virtual ~IEditorOps() = default;

    // --- Text ---------------------------------------------------------------
    // Replaces everything (NUL bytes are text like any other): empties undo
    // and redo, takes the line-end mode from the first line end, clears the
    // read-only and modified flags. False when memory ran out (the text is
    // then empty).
    virtual bool SetText(const char* text, std::size_t length) = 0;
    bool SetText(const std::string& text) { return SetText(text.data(), text.size()); }
    virtual long long TextLength() const = 0;
    // The whole text with each line's own line ends: the length, or -1 when
    // memory runs out.
    virtual int GetText(std::string& out) const = 0;
    virtual int LineCount() const = 0;
    virtual int LineLength(int n) const = 0;
    // Line n's bytes (only those before the caret when n is the caret line and
    // wholeLine is false); returns the full line length, or -1 outside the text.
    virtual int GetLine(int n, std::string& out, bool wholeLine) const = 0;
    // The document's line-end mode (ReturnCode).
    virtual int LineEndMode() const = 0;
    // Every line end becomes `code`; returns the previous mode.
    virtual int SetLineEndMode(int code) = 0;
    // Columns per tab stop, as the editor lays the text out.
    virtual int TabSize() const = 0;

    // --- Positions ----------------------------------------------------------
    // The byte offset of display column `column` in line n (inside a
    // double-byte character or a tab: its start, or its end with roundUp).
    virtual int ColumnToOffset(int column, int n, bool roundUp) const = 0;
    // The display column of byte offset `offset` in line n.
    virtual int OffsetToColumn(int offset, int n) const = 0;

    // --- Caret and selection ------------------------------------------------
    virtual TextPos Caret() const = 0;
    virtual int GetCaretLine() const = 0;
    virtual bool HasSelection() const = 0;
    // Columns snapped down; without a selection *anchorColumn is -1 and
    // *anchorLine the caret line.
    virtual void GetSelection(int* anchorColumn, int* anchorLine, int* caretColumn, int* caretLine) const = 0;
    // Byte positions, clamped into the text; the view follows the caret.
    virtual void SetSelection(int anchorOffset, int anchorLine, int caretOffset, int caretLine) = 0;
    // Absolute byte offsets; (0, -1) selects everything, caret at the start.
    virtual void SetSelectionOffsets(long long anchor, long long caret) = 0;
    // The selection's earlier and later end; both the caret without one.
    virtual void GetSelectionOffsets(long long* start, long long* end) const = 0;
    virtual long long SelectionLength() const = 0;
    // The selected bytes: their length (0 without a selection).
    virtual int GetSelectedText(std::string& out) const = 0;
    // The caret at the start of line n, no selection, the view on it.
    virtual void GoToLine(int line) = 0;

    // --- Changing the text --------------------------------------------------
    // Replaces the selection (or inserts at the caret); the caret ends after
    // the text. With addUndo the change is one undo step. Nothing happens
    // while read-only. True when the text was changed.
    virtual bool ReplaceSelection(const char* text, std::size_t length, bool addUndo) = 0;
    bool ReplaceSelection(const std::string& text, bool addUndo) {
        return ReplaceSelection(text.data(), text.size(), addUndo);
    }
    // Searches line n from display column `column` (Shift JIS aware, see
    // TextStore::FindInLine) and selects the match; 1 when found.
    virtual int FindInLine(const char* pattern, std::size_t length, bool matchCase, bool wholeWord, int column,
                           int n) = 0;
    int FindInLine(const std::string& pattern, bool matchCase, bool wholeWord, int column, int n) {
        return FindInLine(pattern.data(), pattern.size(), matchCase, wholeWord, column, n);
    }

    // The selection's removal, and the clipboard (1 on success, 0 when
    // read-only, without a selection or clipboard text, or out of memory).
    virtual int DeleteSelection() = 0;
    virtual int Cut() = 0;
    virtual int Copy() = 0;
    virtual int Paste() = 0;
    virtual int CanPaste() const = 0;
    // One undo or redo step (a group as one): 1 on success.
    virtual int Undo() = 0;
    virtual int Redo() = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;

    // --- View ---------------------------------------------------------------
    virtual void GetScrollPosition(int* firstColumn, int* firstLine) const = 0;
    // Clamped into the text; the window scrolls.
    virtual void SetScrollPosition(int firstColumn, int firstLine) = 0;
    // The display and behaviour options in force.
    virtual const EditorSettings& Settings() const = 0;

    // --- State --------------------------------------------------------------
    virtual bool IsReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    // True unless the text is the one at the save point.
    virtual bool IsModified() = 0;
    // Clearing makes the current text the save point; both notify the change.
    virtual void SetModified(bool modified) = 0;

    // --- Reading without copies and changing in bulk --------------------------
    // Line n's bytes in place (valid until the next change of the text), or
    // null outside the text or when the editor cannot lend them.
    virtual const char* LineData(int n, std::size_t* length) const {
        (void)n;
        if (length) *length = 0;
        return nullptr;
    }
    // The nearest line above line n that holds byte a or byte b, or -1; both
    // must be bytes that never trail a lead byte (below 0x40), such as '<'.
    virtual int LastLineWithEither(int n, char a, char b) const {
        std::string line;
        for (int k = n - 1; k >= 0; --k) {
            std::size_t length = 0;
            const char* p = LineData(k, &length);
            if (!p) {
                GetLine(k, line, true);
                p = line.data();
                length = line.size();
            }
            for (std::size_t i = 0; i < length; ++i)
                if (p[i] == a || p[i] == b) return k;
        }
        return -1;
    }
    // Between BeginBatch and EndBatch (they nest) changes do not repaint,
    // scroll, place the caret or notify one by one; the outermost EndBatch
    // repaints once, brings the caret into view, places it and notifies once.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
};

// BeginBatch ... EndBatch for a scope, so every path ends the batch.
class EditBatch {
public:
    explicit EditBatch(IEditorOps& ops) : ops_(ops) { ops_.BeginBatch(); }
    ~EditBatch() { ops_.EndBatch(); }
    EditBatch(const EditBatch&) = delete;
    EditBatch& operator=(const EditBatch&) = delete;

private:
    IEditorOps& ops_;
};

}  // namespace editor
