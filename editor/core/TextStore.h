// The text of one document: an array of line records, each holding its bytes
// (Shift JIS, never converted) and the kind of line end that follows it, so
// mixed line ends survive every edit.
//
// Positions come in two forms: `TextPos` in display columns (a tab advances
// to the next tab stop, a double-byte character is two columns) as the caret
// and the window see them, and `BytePos` (byte offset within a line, line) as
// edits and undo records use them. Every byte count between positions counts
// a line end at the length of that line's own line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/ReturnCode.h"

namespace editor {

// Line ends: 0 CRLF, 1 CR, 2 LF.
using lineend::ReturnCode;
using lineend::kReturnCrLf;
using lineend::kReturnCr;
using lineend::kReturnLf;
using lineend::kReturnCodeCount;
using lineend::ReturnCodeBytes;
using lineend::ReturnCodeLength;

// An editor position in display columns. An anchor column of -1 means that
// there is no selection.
struct TextPos {
    std::int32_t column = 0;
    std::int32_t line = 0;
};
inline bool operator==(TextPos a, TextPos b) { return a.column == b.column && a.line == b.line; }
inline bool operator!=(TextPos a, TextPos b) { return !(a == b); }

// A position as a byte offset within its line.
struct BytePos {
    std::int32_t offset = 0;
    std::int32_t line = 0;
};
inline bool operator==(BytePos a, BytePos b) { return a.offset == b.offset && a.line == b.line; }
inline bool operator!=(BytePos a, BytePos b) { return !(a == b); }
inline bool operator<(BytePos a, BytePos b) {
    return a.line < b.line || (a.line == b.line && a.offset < b.offset);
}

// One line. `text` holds exactly `length` bytes (no NUL, no line end); it is
// null when the line is empty. Most lines own their block; lines that came in
// with one large insertion borrow their bytes from a block shared by them
// (`borrowed`), which keeps loading a large file to one copy of its bytes.
struct LineRecord {
    char* text = nullptr;
    std::int32_t length = 0;
    std::int16_t state = 0;   // colouring state at the end of the line
    std::uint8_t lineEnd = 0; // ReturnCode of the line end after the line
    std::uint8_t borrowed = 0;
};

class TextStore {
public:
    TextStore();
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // Frees every line and leaves one empty line (state 0, CRLF); the
    // document line-end mode becomes CRLF.
    void Reset();

    int LineCount() const { return static_cast<int>(lines_.size()); }
    bool IsLine(int n) const { return n >= 0 && n < LineCount(); }
    // -1 for a line outside 0 ... LineCount - 1.
    int LineLength(int n) const;
    // The line's bytes (null for an empty line); n must be a line.
    const char* LineText(int n) const { return lines_[static_cast<std::size_t>(n)].text; }
    const LineRecord& Line(int n) const { return lines_[static_cast<std::size_t>(n)]; }
    int LineState(int n) const { return lines_[static_cast<std::size_t>(n)].state; }
    void SetLineState(int n, int state) { lines_[static_cast<std::size_t>(n)].state = static_cast<std::int16_t>(state); }
    int LineEnd(int n) const { return lines_[static_cast<std::size_t>(n)].lineEnd; }

    int TabSize() const { return tabSize_; }
    void SetTabSize(int size);

    // Document line-end mode: the kind of line end new lines get from Enter.
    int LineEndMode() const { return lineEndMode_; }
    void SetLineEndModeOnly(int code);
    // Sets the mode and the line end of every line; returns the previous mode.
    int SetLineEndMode(int code);

    // Column conversions within line n (a line outside the text counts as
    // empty). On a long line they walk from the nearest column mark before
    // the place asked for (marks are made as walks pass them, and an edit
    // drops those after its start), so their work is that of the part walked
    // since the last mark, not of the whole line.
    int SnapColumn(int column, int n, bool roundUp) const;
    int ColumnToOffset(int column, int n, bool roundUp) const;
    int OffsetToColumn(int offset, int n) const;
    int BytesToColumns(int byteCount, int n) const;
    TextPos ToTextPos(BytePos p) const { return TextPos{OffsetToColumn(p.offset, p.line), p.line}; }
    BytePos ToBytePos(TextPos p, bool roundUp = false) const {
        return BytePos{ColumnToOffset(p.column, p.line, roundUp), p.line};
    }

    // The position clamped into the text, its offset moved to the character
    // boundary at or before it (roundUp: at or after it).
    BytePos Clamp(BytePos p, bool roundUp = false) const;
    // Byte offset of the character boundary at or before (after) offset in line n.
    int BoundaryIn(int n, int offset, bool roundUp) const;

    // Whole text.
    long long TextLength() const { return lineBytes_ + endBytes_ - ReturnCodeLength(lines_.back().lineEnd); }
    // Bytes between two positions (either order), line ends as stored.
    long long RangeLength(BytePos a, BytePos b) const;
    // Copies those bytes into buffer (RangeLength bytes, no NUL).
    void CopyRange(BytePos a, BytePos b, char* buffer) const;
    // The whole text; false when memory runs out (out is then empty).
    bool GetText(std::string& out) const;
    // Absolute offset of a position, and the position of an absolute offset,
    // clamped into the text and moved to the character boundary at or before
    // it (roundUp: at or after it); an offset inside a CR LF gives the end of
    // its line (roundUp: the start of the next line).
    long long OffsetOf(BytePos p) const;
    BytePos PositionOf(long long offset, bool roundUp = false) const;

    // The edit primitives. Positions must be character boundaries inside the
    // text (see Clamp). Both change nothing and return false when memory runs
    // out.
    //
    // Removes the bytes from p1 to p2 (p1 not after p2): the first line keeps
    // its head, gets the last line's tail and the last line's line end.
    bool DeleteRange(BytePos p1, BytePos p2, int* linesRemoved = nullptr);
    // Inserts bytes at `at`. CR LF, a lone CR and LF end lines of kind 0, 1
    // and 2; the line end that followed `at` ends the last inserted line.
    // `end` receives the position just after the inserted bytes.
    bool InsertBytes(BytePos at, const char* bytes, std::size_t length, BytePos* end = nullptr,
                     int* linesAdded = nullptr);
    // Removes p1 ... p2 and inserts bytes in their place, as one change: when
    // memory runs out nothing is removed either.
    bool ReplaceRange(BytePos p1, BytePos p2, const char* bytes, std::size_t length, BytePos* end = nullptr,
                      int* linesRemoved = nullptr, int* linesAdded = nullptr);

    // Finds pattern in line n from byte offset `from` on. A match starts and
    // ends on character boundaries; without matchCase single-byte letters are
    // compared without regard to case; with wholeWord the characters on both
    // sides must not be single-byte letters or digits (a rejected match does not
    // end the search). Returns the match's start offset or -1; *matchEnd gets
    // its end.
    int FindInLine(const char* pattern, std::size_t patternLength, bool matchCase, bool wholeWord, int from,
                   int n, int* matchEnd) const;

    // The nearest line above line `before` (before - 1, before - 2, ...) that
    // holds byte a or byte b, or -1. Both must be bytes that never trail a
    // lead byte (below 0x40), so every byte found is a character of its own.
    int LastLineWithEither(int before, char a, char b) const;

    // Heap bytes held for the text (line blocks, shared blocks, line array),
    // as requested from the allocator.
    std::size_t HeldBytes() const;

    // Column marks are laid every kMarkStep bytes on lines of at least
    // 2 x kMarkStep bytes, for the last kMarkedLines such lines walked.
    static constexpr int kMarkStep = 4096;
    static constexpr std::size_t kMarkedLines = 8;
    // Marks held for line n (for tests).
    int MarkCount(int n) const;

private:
    // The first character start at or after k x kMarkStep on a line, and its column.
    struct ColumnMark {
        std::int32_t offset;
        long long column;
    };
    struct LineMarks {
        int line;
        std::vector<ColumnMark> marks;  // marks[0] is (0, 0)
    };
    // A walk along line n: it starts from the last mark that `before`
    // accepts and lays new marks as it passes their places.
    class MarkWalk;
    // The marks of line n, made (with its first mark) for a long line; null
    // for a short one or when memory runs out.
    LineMarks* MarksOf(int n) const;
    // An edit at `at` that removed `removed` lines after at.line and added
    // `added`: the marks after at.offset on that line are dropped, those of
    // removed lines too, and the lines below move.
    void MarksEdited(BytePos at, int removed, int added);

    struct SharedBlock {
        char* data;
        std::size_t size;
        std::size_t liveBytes;
        std::size_t liveLines;
    };

    // Lines made for an insertion before the text changes; a large run of
    // lines shares one block.
    struct NewLines {
        std::vector<LineRecord> lines;
        char* shared = nullptr;
        std::size_t sharedSize = 0;
        long long bytes = 0;  // line bytes of the lines from BuildLines
        long long ends = 0;   // their line-end bytes
    };
    // Appends the lines of `length` bytes that end in a line end each (the
    // last may not); throws std::bad_alloc when memory runs out.
    void BuildLines(const char* from, std::size_t length, NewLines* out);
    void ReleaseLines(NewLines& built);
    // The text now holds the built lines: their shared block joins the list.
    void KeepSharedBlock(NewLines& built);

    void FreeAll();
    // Gives up a line's bytes (its own block, or its share of a shared block).
    void DropText(LineRecord& r);
    std::size_t FindBlock(const char* p) const;
    void CompactBlock(std::size_t index);
    void CompactWastefulBlocks();
    // Line n becomes its first `head` bytes followed by `extra`; false (line
    // unchanged) when memory runs out. `extra` must not lie in line n.
    bool SetHeadAndAppend(LineRecord& r, std::size_t head, const char* extra, std::size_t extraLength);
    bool InsertInLine(LineRecord& r, std::size_t offset, const char* bytes, std::size_t length);
    void EraseInLine(LineRecord& r, std::size_t from, std::size_t to);
    bool ReserveLines(std::size_t more);

    std::vector<LineRecord> lines_;
    std::vector<SharedBlock> blocks_;  // sorted by address
    long long lineBytes_ = 0;          // sum of all line lengths
    long long endBytes_ = 0;           // sum of the line-end lengths of all lines
    int tabSize_ = 4;
    mutable std::vector<LineMarks> marks_;  // most recently used last
    int lineEndMode_ = kReturnCrLf;
};

}  // namespace editor
