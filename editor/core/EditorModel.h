// The editor model behind one "CanvasEdit" window: the text store with the
// caret, the selection and the scroll position, undo and redo, the settings,
// colours and installed functions, and every operation that changes or reads
// the text. The window layer turns messages into calls on this class and
// carries out what the model asks of it through `IEditorHost` (repainting,
// scrolling, placing the caret, notifying the parent); the clipboard comes in
// through `IClipboard`.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/core/ColorFunctions.h"
#include "editor/core/EditorOps.h"
#include "editor/core/EditorSettings.h"
#include "editor/core/TextStore.h"
#include "editor/core/UndoHistory.h"

namespace editor {

// Notification codes sent to the parent window (WM_COMMAND, high word).
constexpr int kNotifyCaretMoved = 0x0464;
constexpr int kNotifyChanged = 0x0465;
constexpr int kNotifyRightClick = 0x0466;

// The column limit: no column or scroll position goes beyond it. A line of
// any length that fits the text store stays below it.
constexpr int kMaxColumn = INT32_MAX;
// The horizontal scroll range: at least this many columns, else as far as
// the longest line reaches.
constexpr int kMinScrollColumns = 2048;

// What the caret notification carries: four 32-bit integers.
struct CaretNotice {
    std::int32_t column = 0;  // snapped to a character boundary
    std::int32_t line = 0;
    std::int32_t previousColumn = 0;
    std::int32_t previousLine = 0;
};

// What the model asks of its window. Lines are document line indexes; the
// window converts them to pixels with the scroll position it reads from the
// model at the time of the call. The default implementations do nothing.
class IEditorHost {
public:
    static constexpr int kToBottom = -1;

    virtual ~IEditorHost() = default;
    // Repaint the whole client area.
    virtual void InvalidateAll() {}
    // Repaint the rows of lines first ... last (kToBottom: to the bottom of
    // the window) over the gutter and the text area.
    virtual void InvalidateLines(int first, int last) { (void)first, (void)last; }
    // Move the text area from the row of line `top` to the bottom by `rows`
    // rows (negative: up) and repaint what is uncovered; the gutter from that
    // row down is repainted (its numbers do not move with the text). Only
    // asked when the distance is smaller than the height below that row.
    virtual void ScrollRows(int top, int rows) { (void)top, (void)rows; }
    // The first visible column or line changed from these values: scroll the
    // window contents to the model's new scroll position.
    virtual void ScrollView(int oldFirstColumn, int oldFirstLine) { (void)oldFirstColumn, (void)oldFirstLine; }
    // Set the scroll bars from LineCount, the scroll position and the geometry.
    virtual void UpdateScrollBars() {}
    // Show the caret at the snapped position (the previous one is given for
    // the caret-line and caret-column marks). Called after NotifyCaretMoved.
    virtual void PlaceCaret(const CaretNotice& notice) { (void)notice; }
    // Send the parent notification 0x0464 with the four values.
    virtual void NotifyCaretMoved(const CaretNotice& notice) { (void)notice; }
    // Send the parent notification 0x0465.
    virtual void NotifyChanged() {}
};

// The plain-text clipboard (CF_TEXT).
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool HasText() = 0;
    // The text up to its NUL; false when the clipboard holds none or cannot be read.
    virtual bool GetText(std::string& out) = 0;
    // Replaces the clipboard's contents; false when it cannot be opened or filled.
    virtual bool SetText(const char* text, std::size_t length) = 0;
};

// Measures of the window, given by the window layer (from WM_SIZE and the font).
struct ViewMetrics {
    int clientWidth = 640;
    int clientHeight = 480;
    int charWidth = 8;    // width of "aAjJ,_" / 6
    int lineHeight = 16;  // text height + line spacing, as of the last SetFont
};

// Layout derived from the metrics and the settings.
struct ViewGeometry {
    int gutterWidth;     // (digits + 1.5) x character width with line numbers, else 0
    int marginWidth;
    int rulerHeight;     // 12 with the ruler, else 0
    int textLeft;        // x0 = gutter + margin
    int textTop;         // y0 = ruler height
    int visibleColumns;  // at least 1
    int visibleLines;    // at least 1
};

class EditorModel : public IEditorOps {
public:
    // State flags.
    static constexpr std::uint32_t kOverwrite = 0x01;
    static constexpr std::uint32_t kModified = 0x02;
    static constexpr std::uint32_t kAutoScroll = 0x04;
    static constexpr std::uint32_t kButtonDown = 0x08;
    static constexpr std::uint32_t kIgnoreMove = 0x10;
    static constexpr std::uint32_t kDragOver = 0x20;
    static constexpr std::uint32_t kOffscreenPaint = 0x40;  // set by every edit
    static constexpr std::uint32_t kReadOnly = 0x80;
    static constexpr std::uint32_t kLineSelectPending = 0x100;
    static constexpr std::uint32_t kDragSource = 0x200;

    EditorModel();
    EditorModel(const EditorModel&) = delete;
    EditorModel& operator=(const EditorModel&) = delete;

    void SetHost(IEditorHost* host);
    void SetClipboard(IClipboard* clipboard) { clipboard_ = clipboard; }
    const TextStore& Store() const { return store_; }

    std::uint32_t Flags() const { return flags_; }
    void SetFlags(std::uint32_t bits, bool on) { flags_ = on ? (flags_ | bits) : (flags_ & ~bits); }

    // --- Whole text -------------------------------------------------------

    // One empty line, caret at the start, no selection, scroll position 0,
    // four gutter digits, no undo records, line-end mode CRLF, flags cleared.
    void Reset();
    // Frees all text and records, then Reset.
    void Clear();
    // Replaces everything with `length` bytes (NUL bytes are text like any
    // other): empties undo and redo, takes the document line-end mode from the
    // first line end, recomputes the line states, clears the read-only and
    // modified flags and sends the changed notification. False when memory ran
    // out (the text is then empty).
    bool SetText(const char* text, std::size_t length) override;
    using IEditorOps::SetText;
    // The whole text with each line's own line ends: the length, or -1 when
    // memory runs out.
    int GetText(std::string& out) const override;
    // Into a caller's buffer of `capacity` bytes: at most capacity - 1 bytes
    // (cut at a character boundary) and a NUL; returns the bytes written
    // without the NUL. A null buffer returns TextLength and writes nothing.
    long long GetText(char* buffer, std::size_t capacity) const;
    long long TextLength() const override { return store_.TextLength(); }
    int LineCount() const override { return store_.LineCount(); }
    int LineLength(int n) const override { return store_.LineLength(n); }
    // Line n's bytes (only those before the caret when n is the caret line and
    // wholeLine is false); returns the full line length, or -1 outside the text.
    int GetLine(int n, std::string& out, bool wholeLine) const override;
    int LineEndMode() const override { return store_.LineEndMode(); }
    int TabSize() const override { return store_.TabSize(); }
    int ColumnToOffset(int column, int n, bool roundUp) const override {
        return store_.ColumnToOffset(column, n, roundUp);
    }
    int OffsetToColumn(int offset, int n) const override { return store_.OffsetToColumn(offset, n); }
    // Every line end becomes `code`; returns the previous mode.
    int SetLineEndMode(int code) override;

    // --- The edit primitive -----------------------------------------------

    // Removes the text between anchor and caret (none when anchor.column is
    // -1), inserts `length` bytes at the start of the removed range and fills
    // *record (may be null) with the change's inverse; with caretToEnd the
    // caret ends after the inserted text. Does not push the record, set the
    // modified flag or notify the change. False (nothing changed) when memory
    // runs out. `text` must not point into this editor's own text.
    bool ReplaceRange(TextPos caret, TextPos anchor, const char* text, std::size_t length, bool caretToEnd,
                      UndoRecord* record);
    // The same in byte positions; anchor.offset -1 means no range.
    bool ReplaceBytes(BytePos caret, BytePos anchor, const char* text, std::size_t length, bool caretToEnd,
                      UndoRecord* record);

    // --- Undo -------------------------------------------------------------

    void PushUndo(UndoRecord record);
    // Undo or redo one step (a group as one); 1 on success, 0 when there is
    // nothing to do or memory ran out.
    int Undo() override;
    int Redo() override;
    bool CanUndo() const override { return history_.CanUndo(); }
    bool CanRedo() const override { return history_.CanRedo(); }
    const UndoHistory& History() const { return history_; }

    // --- Flags --------------------------------------------------------------

    // Clearing makes the current text the save point; setting it means the
    // text differs from the saved one, so undo cannot reach the save point.
    // Both send the changed notification.
    void SetModified(bool modified) override;
    // True unless the text is the one at the save point.
    bool IsModified() override;
    void SetReadOnly(bool readOnly) override { SetFlags(kReadOnly, readOnly); }
    bool IsReadOnly() const override { return (flags_ & kReadOnly) != 0; }
    bool IsOverwrite() const { return (flags_ & kOverwrite) != 0; }

    // --- Caret and selection ----------------------------------------------

    TextPos Caret() const override { return caret_; }
    TextPos Anchor() const { return anchor_; }
    // True when the anchor is set and lies on another character boundary
    // than the caret.
    bool HasSelection() const override;
    // The selection in byte positions, earlier end first; false without one.
    bool SelectionBytes(BytePos* start, BytePos* end) const;
    // Caret and anchor as they are (the caret column may lie beyond the end
    // of its line); nothing is repainted. For the window's navigation code.
    void SetCaretAndAnchor(TextPos caret, TextPos anchor);
    int GetCaretLine() const override { return caret_.line; }
    // Columns snapped down; without a selection *anchorColumn is -1 and
    // *anchorLine the caret line.
    void GetSelection(int* anchorColumn, int* anchorLine, int* caretColumn, int* caretLine) const override;
    // Byte positions, clamped into the text; offsets inside a double-byte
    // character are moved outwards (the earlier end down, the later up).
    void SetSelection(int anchorOffset, int anchorLine, int caretOffset, int caretLine) override;
    // Absolute byte offsets; (0, -1) selects everything with the caret at the
    // start. Offsets are clamped into the text and moved outwards off
    // double-byte characters and CR LF pairs. Nothing happens while the text
    // is one empty line.
    void SetSelectionOffsets(long long anchor, long long caret) override;
    void GetSelectionOffsets(long long* start, long long* end) const override;
    void GoToLine(int line) override { SetSelection(0, line, 0, line); }
    long long SelectionLength() const override;
    // The selected bytes: length (0 without a selection).
    int GetSelectedText(std::string& out) const override;
    // Into a caller's buffer as GetText(buffer, capacity); a null buffer
    // returns the selection's length.
    long long GetSelectedText(char* buffer, std::size_t capacity) const;

    // --- Programmatic editing ---------------------------------------------

    // Replaces the selection (or inserts at the caret); the caret ends after
    // the text. With addUndo the change is one undo step; without, it cannot
    // be undone and the older records are dropped (they would no longer match
    // the text). Ignored while read-only. True when the text changed.
    bool ReplaceSelection(const char* text, std::size_t length, bool addUndo) override;
    using IEditorOps::ReplaceSelection;
    int DeleteSelection() override;
    int Copy() override;
    int Cut() override;
    int Paste() override;
    int CanPaste() const override;
    // Searches line n from `column` (see TextStore::FindInLine) and selects
    // the match (anchor at its start, caret at its end); 1 when found.
    int FindInLine(const char* pattern, std::size_t length, bool matchCase, bool wholeWord, int column,
                   int n) override;
    using IEditorOps::FindInLine;
    const char* LineData(int n, std::size_t* length) const override;
    int LastLineWithEither(int n, char a, char b) const override { return store_.LastLineWithEither(n, a, b); }
    void BeginBatch() override;
    void EndBatch() override;
    bool InBatch() const { return batchDepth_ > 0; }

    // --- Keyboard editing ---------------------------------------------------

    // One character message: a lead byte waits for its trail byte; printable
    // ASCII, half-width katakana and tab are inserted (over the selection, or
    // over the next character in overwrite mode), one undo record each.
    void TypeChar(unsigned char c);
    // Forgets a lead byte still waiting for its trail byte (focus lost, or
    // another key came between them).
    void DropPendingLead() { pendingLead_ = 0; }
    bool HasPendingLead() const { return pendingLead_ != 0; }
    // Text committed by the input method: typed character by character, one
    // undo record each; a lead byte left over at its end is dropped.
    void TypeString(const char* text, std::size_t length);
    void Backspace(bool ctrl);
    void DeleteForward(bool ctrl);
    // Inserts the document's line end and, with automatic indentation, the
    // caret line's leading white space before the caret. In overwrite mode
    // on a line that is not the last, only moves the caret to the next line.
    void Enter();
    void ToggleOverwrite() { flags_ ^= kOverwrite; }

    // --- Dropping text --------------------------------------------------------

    // Inserts text at `at` with one undo record and selects it.
    void CopyDrop(TextPos at, const char* text, std::size_t length);
    // Moves the selection to `at` (the selection's own text): one undo step.
    // A drop inside the selection changes nothing.
    void MoveDrop(TextPos at);

    // --- View -------------------------------------------------------------------

    void SetViewMetrics(const ViewMetrics& metrics) { metrics_ = metrics; }
    const ViewMetrics& Metrics() const { return metrics_; }
    ViewGeometry Geometry() const;
    int GutterDigits() const { return gutterDigits_; }
    int FirstColumn() const { return firstColumn_; }
    int FirstLine() const { return firstLine_; }
    void GetScrollPosition(int* firstColumn, int* firstLine) const override;
    // The horizontal scroll range in columns: kMinScrollColumns, or the
    // longest line's length and one column for its end when that is more
    // (counted in bytes: every byte takes a column at least).
    int ScrollColumns() const;
    // Bytes of the longest line.
    int LongestLineLength() const;
    // Column clamped into 0 ... ScrollColumns - visible columns, line into
    // 0 ... LineCount - visible lines (both at least 0).
    void SetScrollPosition(int firstColumn, int firstLine) override;
    // The scroll bars' clamps: column 0 ... ScrollColumns - visible columns
    // + 1, line 0 ... LineCount - visible lines. Both scroll and place the caret.
    void ScrollColumnTo(int firstColumn);
    void ScrollLineTo(int firstLine);
    // Brings the caret into view (after navigation).
    void FollowCaret(bool textInserted);
    // Places the caret: the changed-caret notification, then the host's caret.
    void PlaceCaret();
    // Repaints the lines of the current selection.
    void InvalidateSelection();

    // --- Configuration ----------------------------------------------------------

    // The settings (null: the defaults) with their bounds; recomputes the line
    // states when colouring is on and a line-state function is installed;
    // places the caret; repaints everything when redraw is set.
    void SetSettings(const EditorSettings* settings, bool redraw);
    void GetSettings(EditorSettings* out, bool defaults) const;
    const EditorSettings& Settings() const override { return settings_; }
    void SetSystemColors(const SystemColors& colors) { system_ = colors; }
    // The colours (null: the defaults from the system colours).
    void SetColors(const EditorColors* colors, bool redraw);
    const EditorColors& Colors() const { return colors_; }
    // Empty functions restore the defaults.
    void SetWordFunctions(const WordFunctions& words);
    const WordFunctions& Words() const { return words_; }
    // An empty colouring function restores the default (colours nothing,
    // state 0); without a line-state function states are only computed while
    // painting. The part function is dropped (SetColorPart gives it again).
    void SetColorFunctions(ColorLineFn color, LineStateFn lineState);
    // Colours line n for painting and stores its state (when colour mode is on).
    int ColorLine(int n, Color* colors);
    // Colours the first `bytes` bytes of line n only (colors holds bytes + 1
    // entries, filled with the text colour); the line's state comes from the line-state function. Bytes
    // near the end of the part may be coloured as if the line ended there.
    // Without a line-state function the whole line is coloured.
    int ColorLinePart(int n, int bytes, Color* colors) { return ColorLinePart(n, 0, bytes, colors); }
    // Colours bytes [from, to) of line n into colors[0, to - from). With a
    // part function and a line-state function the pass starts at the last
    // resume place before `from` (places are kept for the last few long lines
    // coloured, every kColorResumeStep bytes, and an edit keeps those before
    // it), so its work is that of the part and the bytes just before it.
    int ColorLinePart(int n, int from, int to, Color* colors);
    // The part function (empty: parts are coloured from the line's start).
    void SetColorPart(ColorPartFn part);
    static constexpr int kColorResumeStep = 4096;
    static constexpr std::size_t kColorMarkedLines = 4;
    // Resume places held for line n (for tests).
    int ColorResumeCount(int n) const;
    // Recomputes the state of every line with the line-state function.
    void RecomputeAllStates();
    // The colouring state at the end of line n. With a line-state function
    // the states are valid up to a high-water mark and are computed forward
    // from it only as far as a query or painting needs them; an edit lowers
    // the mark only when it changes the state its lines end in.
    int LineState(int n);
    // Lines 0 ... StatesValid() - 1 hold states that are up to date.
    int StatesValid() const { return statesValid_; }

private:
    BytePos CaretBytes() const { return store_.ToBytePos(caret_); }
    BytePos AnchorBytes() const;
    // What one change of the text did, for repainting it.
    struct EditChange {
        int top = 0;  // the first line changed
        int linesAdded = 0;
        int linesRemoved = 0;
        bool inserted = false;       // bytes were inserted
        bool removed = false;        // a range was removed
        bool statesChanged = false;  // line states changed below the edited lines
    };
    // Changes the text, the caret and the line states, and fills *record (may
    // be null); of the window it only asks to repaint the old selection, which
    // must happen before its lines move. False (nothing changed) when memory
    // runs out.
    bool Replace(BytePos caret, BytePos anchor, const char* text, std::size_t length, bool caretToEnd,
                 UndoRecord* record, bool updateStates, bool exact, EditChange* change);
    // The one place where a change reaches the window: repaint, the view
    // follows the caret, gutter, scroll bars and caret.
    void ShowChange(const EditChange& change);
    // A user edit: the change shown, one undo record, modified, notified.
    bool Edit(BytePos caret, BytePos anchor, const char* text, std::size_t length, bool caretToEnd);
    // The text changed: the modified flag and the parent's notification.
    void TextChanged();
    bool ReplayTop(bool undo);
    // The states of the edited lines first ... lastEdited; validBelow is the
    // old mark moved with the lines. True when the lines below start in
    // another state than before.
    bool RecomputeStates(int first, int lastEdited, int endState, int validBelow);
    void ForgetStatesFrom(int line);
    // The state at the end of line k after a line that ends in `previous`.
    int ComputeLineState(int k, int previous);
    // The resume places of line n, started afresh when the line before ends
    // in another state than when they were found; null for a short line.
    struct ColorMarks {
        int line;
        int previousState;
        std::vector<ColorResume> resumes;
    };
    ColorMarks* ColorMarksOf(int n, int previousState);
    // An edit at `at` that removed `removed` lines after at.line and added `added`.
    void ColorMarksEdited(BytePos at, int removed, int added);
    void RowsMoved(int top, int rows);
    void UpdateGutterDigits();
    void SelectBytes(BytePos anchor, BytePos caret);
    void SelectInserted(long long start, long long end);
    long long CopyOut(BytePos from, BytePos to, char* buffer, std::size_t capacity) const;
    void AdjustView(bool textInserted);

    TextStore store_;
    UndoHistory history_;
    TextPos caret_;
    TextPos anchor_{-1, 0};
    CaretNotice placed_;  // the caret as last placed
    int firstColumn_ = 0;
    int firstLine_ = 0;
    int gutterDigits_ = 4;
    std::uint32_t flags_ = 0;
    unsigned char pendingLead_ = 0;
    ViewMetrics metrics_;
    EditorSettings settings_;
    SystemColors system_;
    EditorColors colors_;
    WordFunctions words_;
    ColorLineFn colorFn_;
    LineStateFn stateFn_;
    ColorPartFn colorPart_;
    std::vector<ColorMarks> colorMarks_;  // most recently used last
    int statesValid_ = 0;  // the high-water mark of the line states
    mutable int longest_ = 0;  // bytes of the longest line, when known
    mutable bool longestKnown_ = true;
    std::vector<Color> wholeLine_;  // colours of a whole line for ColorLinePart
    IEditorHost defaultHost_;
    IEditorHost* host_ = &defaultHost_;
    IEditorHost* batchHost_ = nullptr;  // the real host while a batch runs
    int batchDepth_ = 0;
    IClipboard* clipboard_ = nullptr;
};

}  // namespace editor
