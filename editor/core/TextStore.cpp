#include "editor/core/TextStore.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <new>

#include "editor/core/EditorMemory.h"
#include "framework/core/Sjis.h"

namespace editor {

namespace {

// Lines of one insertion share a block when the lines between its first and
// its last line end hold at least this many bytes (a file being loaded, a
// large paste); smaller insertions give every line its own block.
constexpr std::size_t kSharedMinimum = 64 * 1024;

int ClampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

std::uintptr_t Address(const char* p) { return reinterpret_cast<std::uintptr_t>(p); }

// Width in columns and length in bytes of the character at text[i] when it
// starts at column c.
struct CharStep {
    long long width;
    std::size_t bytes;
};
inline CharStep StepAt(const char* text, std::size_t length, std::size_t i, long long c, int tabSize) {
    const unsigned char ch = static_cast<unsigned char>(text[i]);
    if (ch == '\t') return CharStep{tabSize * (c / tabSize + 1) - c, 1};
    if (i + 1 < length && sjis::IsLeadByte(ch)) return CharStep{2, 2};
    return CharStep{1, 1};
}

// The next CR or LF in [p, end), or end. `nextLf` caches the next LF found so
// that text with CR line ends only is not searched for LF again per line.
inline const char* FindLineEnd(const char* p, const char* end, const char*& nextLf) {
    if (!nextLf || (nextLf != end && nextLf < p)) {
        const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        nextLf = lf ? static_cast<const char*>(lf) : end;
    }
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(nextLf - p));
    return cr ? static_cast<const char*>(cr) : nextLf;
}

// Kind and length of the line end at p (p < end, *p is CR or LF).
inline int LineEndAt(const char* p, const char* end, int* kind) {
    if (*p == '\n') {
        *kind = kReturnLf;
        return 1;
    }
    if (p + 1 < end && p[1] == '\n') {
        *kind = kReturnCrLf;
        return 2;
    }
    *kind = kReturnCr;
    return 1;
}

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

TextStore::TextStore() { Reset(); }

TextStore::~TextStore() { FreeAll(); }

void TextStore::FreeAll() {
    marks_.clear();
    for (LineRecord& r : lines_) {
        if (!r.borrowed) Release(r.text);
    }
    for (SharedBlock& b : blocks_) Release(b.data);
    blocks_.clear();
    lines_.clear();
}

void TextStore::Reset() {
    FreeAll();
    std::vector<LineRecord>().swap(lines_);
    lines_.push_back(LineRecord{});
    lineBytes_ = 0;
    endBytes_ = ReturnCodeLength(kReturnCrLf);
    lineEndMode_ = kReturnCrLf;
}

int TextStore::LineLength(int n) const { return IsLine(n) ? lines_[static_cast<std::size_t>(n)].length : -1; }

void TextStore::SetLineEndModeOnly(int code) {
    if (code >= 0 && code < kReturnCodeCount) lineEndMode_ = code;
}

int TextStore::SetLineEndMode(int code) {
    const int previous = lineEndMode_;
    if (code < 0 || code >= kReturnCodeCount) return previous;
    lineEndMode_ = code;
    for (LineRecord& r : lines_) r.lineEnd = static_cast<std::uint8_t>(code);
    endBytes_ = static_cast<long long>(lines_.size()) * ReturnCodeLength(code);
    return previous;
}

// ---------------------------------------------------------------------------
// Columns

class TextStore::MarkWalk {
public:
    template <typename Before>
    MarkWalk(const TextStore& store, int n, Before before) : marks_(store.MarksOf(n)) {
        if (!marks_) return;
        const std::vector<ColumnMark>& v = marks_->marks;
        const auto after = std::partition_point(v.begin(), v.end(), before);
        const ColumnMark& m = after == v.begin() ? v.front() : after[-1];
        i = static_cast<std::size_t>(m.offset);
        c = m.column;
        next_ = v.size() * static_cast<std::size_t>(kMarkStep);
    }
    // The walk reached the character start i (before the line's end) at column c.
    void Pass(std::size_t at, long long column) {
        if (at < next_) return;
        try {
            marks_->marks.push_back(ColumnMark{static_cast<std::int32_t>(at), column});
            next_ += static_cast<std::size_t>(kMarkStep);
        } catch (const std::exception&) {
            next_ = SIZE_MAX;  // no more marks; the walk goes on
        }
    }

    std::size_t i = 0;
    long long c = 0;

private:
    LineMarks* marks_;
    std::size_t next_ = SIZE_MAX;
};

TextStore::LineMarks* TextStore::MarksOf(int n) const {
    if (Line(n).length < 2 * kMarkStep) return nullptr;
    for (std::size_t k = 0; k < marks_.size(); ++k) {
        if (marks_[k].line == n) {
            std::rotate(marks_.begin() + static_cast<std::ptrdiff_t>(k),
                        marks_.begin() + static_cast<std::ptrdiff_t>(k) + 1, marks_.end());
            return &marks_.back();
        }
    }
    try {
        if (marks_.size() >= kMarkedLines) marks_.erase(marks_.begin());
        marks_.push_back(LineMarks{n, {ColumnMark{0, 0}}});
    } catch (const std::exception&) {
        return nullptr;
    }
    return &marks_.back();
}

void TextStore::MarksEdited(BytePos at, int removed, int added) {
    for (auto it = marks_.begin(); it != marks_.end();) {
        if (it->line == at.line) {
            std::vector<ColumnMark>& v = it->marks;
            const auto keep = std::partition_point(v.begin() + 1, v.end(),
                                                   [at](const ColumnMark& m) { return m.offset < at.offset; });
            v.erase(keep, v.end());
        } else if (it->line > at.line && it->line <= at.line + removed) {
            it = marks_.erase(it);
            continue;
        } else if (it->line > at.line) {
            it->line += added - removed;
        }
        ++it;
    }
}

int TextStore::MarkCount(int n) const {
    for (const LineMarks& m : marks_) {
        if (m.line == n) return static_cast<int>(m.marks.size());
    }
    return 0;
}

void TextStore::SetTabSize(int size) {
    tabSize_ = size < 1 ? 1 : size;
    marks_.clear();
}

int TextStore::SnapColumn(int column, int n, bool roundUp) const {
    if (!IsLine(n)) return 0;
    const LineRecord& r = Line(n);
    const std::size_t length = static_cast<std::size_t>(r.length);
    MarkWalk w(*this, n, [column](const ColumnMark& m) { return m.column <= column; });
    long long c = w.c;
    for (std::size_t i = w.i; i < length;) {
        w.Pass(i, c);
        if (column <= c) return ClampToInt(c);
        const CharStep s = StepAt(r.text, length, i, c, tabSize_);
        if (column < c + s.width) return ClampToInt(roundUp ? c + s.width : c);
        c += s.width;
        i += s.bytes;
    }
    return ClampToInt(c);
}

int TextStore::ColumnToOffset(int column, int n, bool roundUp) const {
    if (!IsLine(n)) return 0;
    const LineRecord& r = Line(n);
    const std::size_t length = static_cast<std::size_t>(r.length);
    MarkWalk w(*this, n, [column](const ColumnMark& m) { return m.column <= column; });
    long long c = w.c;
    for (std::size_t i = w.i; i < length;) {
        w.Pass(i, c);
        if (column <= c) return static_cast<int>(i);
        const CharStep s = StepAt(r.text, length, i, c, tabSize_);
        if (column < c + s.width) return static_cast<int>(roundUp ? i + s.bytes : i);
        c += s.width;
        i += s.bytes;
    }
    return r.length;
}

int TextStore::OffsetToColumn(int offset, int n) const {
    if (!IsLine(n) || offset <= 0) return 0;
    const LineRecord& r = Line(n);
    const std::size_t length = static_cast<std::size_t>(r.length);
    const std::size_t end = std::min(static_cast<std::size_t>(offset), length);
    MarkWalk w(*this, n, [end](const ColumnMark& m) { return static_cast<std::size_t>(m.offset) <= end; });
    long long c = w.c;
    for (std::size_t i = w.i; i < end;) {
        w.Pass(i, c);
        // A lead byte just before `end` counts as one column.
        const CharStep s = StepAt(r.text, end, i, c, tabSize_);
        c += s.width;
        i += s.bytes;
    }
    return ClampToInt(c);
}

int TextStore::BytesToColumns(int byteCount, int n) const {
    if (!IsLine(n) || byteCount <= 0) return 0;
    const LineRecord& r = Line(n);
    const std::size_t end = std::min(static_cast<std::size_t>(byteCount), static_cast<std::size_t>(r.length));
    long long c = 0;
    for (std::size_t i = 0; i < end; ++i) {
        c = r.text[i] == '\t' ? tabSize_ * (c / tabSize_ + 1) : c + 1;
    }
    return ClampToInt(c);
}

int TextStore::BoundaryIn(int n, int offset, bool roundUp) const {
    if (!IsLine(n) || offset <= 0) return 0;
    const LineRecord& r = Line(n);
    if (offset >= r.length) return r.length;
    const std::size_t length = static_cast<std::size_t>(r.length);
    const std::size_t pos = static_cast<std::size_t>(offset);
    return static_cast<int>(roundUp ? sjis::BoundaryAtOrAfter(r.text, length, pos)
                                    : sjis::BoundaryAtOrBefore(r.text, length, pos));
}

BytePos TextStore::Clamp(BytePos p, bool roundUp) const {
    p.line = std::max(0, std::min(p.line, LineCount() - 1));
    p.offset = BoundaryIn(p.line, p.offset, roundUp);
    return p;
}

// ---------------------------------------------------------------------------
// Ranges

long long TextStore::RangeLength(BytePos a, BytePos b) const {
    if (b < a) std::swap(a, b);
    if (a.line == b.line) return b.offset - a.offset;
    long long n = Line(a.line).length - a.offset + ReturnCodeLength(Line(a.line).lineEnd);
    for (int k = a.line + 1; k < b.line; ++k) n += Line(k).length + ReturnCodeLength(Line(k).lineEnd);
    return n + b.offset;
}

void TextStore::CopyRange(BytePos a, BytePos b, char* buffer) const {
    if (b < a) std::swap(a, b);
    for (int k = a.line; k <= b.line; ++k) {
        const LineRecord& r = Line(k);
        const int from = k == a.line ? a.offset : 0;
        const int to = k == b.line ? b.offset : r.length;
        if (to > from) {
            std::memcpy(buffer, r.text + from, static_cast<std::size_t>(to - from));
            buffer += to - from;
        }
        if (k < b.line) {
            const int n = ReturnCodeLength(r.lineEnd);
            std::memcpy(buffer, ReturnCodeBytes(r.lineEnd), static_cast<std::size_t>(n));
            buffer += n;
        }
    }
}

bool TextStore::GetText(std::string& out) const {
    try {
        out.resize(static_cast<std::size_t>(TextLength()));
    } catch (const std::exception&) {
        std::string().swap(out);
        return false;
    }
    if (!out.empty()) CopyRange(BytePos{0, 0}, BytePos{Line(LineCount() - 1).length, LineCount() - 1}, &out[0]);
    return true;
}

long long TextStore::OffsetOf(BytePos p) const {
    p = Clamp(p);
    long long n = 0;
    for (int k = 0; k < p.line; ++k) n += Line(k).length + ReturnCodeLength(Line(k).lineEnd);
    return n + p.offset;
}

BytePos TextStore::PositionOf(long long offset, bool roundUp) const {
    if (offset < 0) offset = 0;
    const int last = LineCount() - 1;
    for (int k = 0; k < last; ++k) {
        const LineRecord& r = Line(k);
        if (offset <= r.length) return BytePos{BoundaryIn(k, static_cast<int>(offset), roundUp), k};
        offset -= r.length;
        const int e = ReturnCodeLength(r.lineEnd);
        if (offset < e) return roundUp ? BytePos{0, k + 1} : BytePos{r.length, k};
        offset -= e;
    }
    return BytePos{BoundaryIn(last, static_cast<int>(std::min<long long>(offset, Line(last).length)), roundUp), last};
}

// ---------------------------------------------------------------------------
// Line blocks

std::size_t TextStore::FindBlock(const char* p) const {
    auto it = std::upper_bound(blocks_.begin(), blocks_.end(), Address(p),
                               [](std::uintptr_t a, const SharedBlock& b) { return a < Address(b.data); });
    return static_cast<std::size_t>(it - blocks_.begin()) - 1;
}

void TextStore::DropText(LineRecord& r) {
    if (!r.text) return;
    if (r.borrowed) {
        const std::size_t i = FindBlock(r.text);
        SharedBlock& b = blocks_[i];
        b.liveBytes -= static_cast<std::size_t>(r.length);
        if (--b.liveLines == 0) {
            Release(b.data);
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    } else {
        Release(r.text);
    }
    r.text = nullptr;
    r.borrowed = 0;
}

void TextStore::CompactBlock(std::size_t index) {
    SharedBlock old = blocks_[index];
    char* data = static_cast<char*>(Allocate(old.liveBytes));
    if (!data) return;  // tried again after the next edit
    std::size_t used = 0;
    for (LineRecord& r : lines_) {
        if (r.borrowed && Address(r.text) >= Address(old.data) && Address(r.text) < Address(old.data) + old.size) {
            std::memcpy(data + used, r.text, static_cast<std::size_t>(r.length));
            r.text = data + used;
            used += static_cast<std::size_t>(r.length);
        }
    }
    Release(old.data);
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(index));
    SharedBlock b{data, used, used, old.liveLines};
    blocks_.insert(std::upper_bound(blocks_.begin(), blocks_.end(), b,
                                    [](const SharedBlock& x, const SharedBlock& y) {
                                        return Address(x.data) < Address(y.data);
                                    }),
                   b);
}

void TextStore::CompactWastefulBlocks() {
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        if (blocks_[i].liveBytes * 2 < blocks_[i].size) {
            CompactBlock(i);
            return;  // indices moved; one block per edit is enough
        }
    }
}

bool TextStore::SetHeadAndAppend(LineRecord& r, std::size_t head, const char* extra, std::size_t extraLength) {
    const std::size_t oldLength = static_cast<std::size_t>(r.length);
    const std::size_t newLength = head + extraLength;
    if (newLength == 0) {
        DropText(r);
    } else if (r.borrowed && newLength <= oldLength) {
        // The line's part of its shared block is its own: rewrite it in place.
        if (extraLength) std::memcpy(r.text + head, extra, extraLength);
        blocks_[FindBlock(r.text)].liveBytes -= oldLength - newLength;
    } else if (!r.borrowed && r.text) {
        char* p = static_cast<char*>(Reallocate(r.text, newLength));
        if (!p) {
            if (newLength > oldLength) return false;
            p = r.text;  // a block that could not shrink stays as it is
        }
        if (extraLength) std::memcpy(p + head, extra, extraLength);
        r.text = p;
    } else {
        char* p = static_cast<char*>(Allocate(newLength));
        if (!p) return false;
        if (head) std::memcpy(p, r.text, head);
        if (extraLength) std::memcpy(p + head, extra, extraLength);
        DropText(r);
        r.text = p;
    }
    lineBytes_ += static_cast<long long>(newLength) - static_cast<long long>(oldLength);
    r.length = static_cast<std::int32_t>(newLength);
    return true;
}

bool TextStore::InsertInLine(LineRecord& r, std::size_t offset, const char* bytes, std::size_t length) {
    const std::size_t oldLength = static_cast<std::size_t>(r.length);
    const std::size_t newLength = oldLength + length;
    if (newLength > static_cast<std::size_t>(INT32_MAX)) return false;
    if (!r.borrowed && r.text) {
        char* p = static_cast<char*>(Reallocate(r.text, newLength));
        if (!p) return false;
        std::memmove(p + offset + length, p + offset, oldLength - offset);
        std::memcpy(p + offset, bytes, length);
        r.text = p;
    } else {
        char* p = static_cast<char*>(Allocate(newLength));
        if (!p) return false;
        if (offset) std::memcpy(p, r.text, offset);
        std::memcpy(p + offset, bytes, length);
        if (oldLength > offset) std::memcpy(p + offset + length, r.text + offset, oldLength - offset);
        DropText(r);
        r.text = p;
    }
    lineBytes_ += static_cast<long long>(length);
    r.length = static_cast<std::int32_t>(newLength);
    return true;
}

void TextStore::EraseInLine(LineRecord& r, std::size_t from, std::size_t to) {
    const std::size_t oldLength = static_cast<std::size_t>(r.length);
    const std::size_t newLength = oldLength - (to - from);
    if (newLength == 0) {
        DropText(r);
    } else {
        std::memmove(r.text + from, r.text + to, oldLength - to);
        if (r.borrowed) {
            blocks_[FindBlock(r.text)].liveBytes -= to - from;
        } else if (char* p = static_cast<char*>(Reallocate(r.text, newLength))) {
            r.text = p;
        }
    }
    lineBytes_ -= static_cast<long long>(to - from);
    r.length = static_cast<std::int32_t>(newLength);
}

bool TextStore::ReserveLines(std::size_t more) {
    const std::size_t need = lines_.size() + more;
    if (need <= lines_.capacity()) return true;
    try {
        lines_.reserve(std::max(need, lines_.size() + lines_.size() / 2));
    } catch (const std::exception&) {
        try {
            lines_.reserve(need);
        } catch (const std::exception&) {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Edit primitives

bool TextStore::DeleteRange(BytePos p1, BytePos p2, int* linesRemoved) {
    if (linesRemoved) *linesRemoved = 0;
    if (!(p1 < p2)) return true;
    if (p1.line == p2.line) {
        EraseInLine(lines_[static_cast<std::size_t>(p1.line)], static_cast<std::size_t>(p1.offset),
                    static_cast<std::size_t>(p2.offset));
        MarksEdited(p1, 0, 0);
        CompactWastefulBlocks();
        return true;
    }
    LineRecord& first = lines_[static_cast<std::size_t>(p1.line)];
    const LineRecord& last = lines_[static_cast<std::size_t>(p2.line)];
    if (!SetHeadAndAppend(first, static_cast<std::size_t>(p1.offset), last.text ? last.text + p2.offset : nullptr,
                          static_cast<std::size_t>(last.length - p2.offset))) {
        return false;
    }
    endBytes_ += ReturnCodeLength(last.lineEnd) - ReturnCodeLength(first.lineEnd);
    first.lineEnd = last.lineEnd;
    for (int k = p1.line + 1; k <= p2.line; ++k) {
        LineRecord& r = lines_[static_cast<std::size_t>(k)];
        lineBytes_ -= r.length;
        endBytes_ -= ReturnCodeLength(r.lineEnd);
        DropText(r);
    }
    lines_.erase(lines_.begin() + p1.line + 1, lines_.begin() + p2.line + 1);
    if (lines_.capacity() > 4 * lines_.size() + 1024) {
        // Most lines are gone: give back the array's room (a failure keeps it).
        try {
            std::vector<LineRecord> smaller;
            smaller.reserve(2 * lines_.size());
            smaller.assign(lines_.begin(), lines_.end());
            lines_.swap(smaller);
        } catch (const std::exception&) {
        }
    }
    if (linesRemoved) *linesRemoved = p2.line - p1.line;
    MarksEdited(p1, p2.line - p1.line, 0);
    CompactWastefulBlocks();
    return true;
}

bool TextStore::InsertBytes(BytePos at, const char* bytes, std::size_t length, BytePos* end, int* linesAdded) {
    if (linesAdded) *linesAdded = 0;
    if (end) *end = at;
    if (!bytes || length == 0) return true;
    const char* const stop = bytes + length;
    const char* nextLf = nullptr;
    const char* firstEnd = FindLineEnd(bytes, stop, nextLf);
    const std::size_t n = static_cast<std::size_t>(at.line);

    if (firstEnd == stop) {
        if (!InsertInLine(lines_[n], static_cast<std::size_t>(at.offset), bytes, length)) return false;
        MarksEdited(at, 0, 0);
        if (end) *end = BytePos{at.offset + static_cast<int>(length), at.line};
        return true;
    }

    int firstKind = 0;
    const char* const middle = firstEnd + LineEndAt(firstEnd, stop, &firstKind);
    // The last line end: the inserted bytes after it start the last line.
    const char* lastLine = stop;
    while (lastLine > middle && lastLine[-1] != '\r' && lastLine[-1] != '\n') --lastLine;
    const std::size_t middleBytes = static_cast<std::size_t>(lastLine - middle);

    // Everything that can fail comes first, so that a failure leaves the
    // text as it was.
    const LineRecord& atLine = lines_[n];
    const std::size_t tailLength = static_cast<std::size_t>(atLine.length - at.offset);
    const std::size_t lastLength = static_cast<std::size_t>(stop - lastLine) + tailLength;
    if (lastLength > static_cast<std::size_t>(INT32_MAX)) return false;
    LineRecord last;
    last.length = static_cast<std::int32_t>(lastLength);
    last.lineEnd = atLine.lineEnd;
    if (lastLength) {
        last.text = static_cast<char*>(Allocate(lastLength));
        if (!last.text) return false;
        std::memcpy(last.text, lastLine, static_cast<std::size_t>(stop - lastLine));
        if (tailLength) std::memcpy(last.text + (stop - lastLine), atLine.text + at.offset, tailLength);
    }

    NewLines added;
    bool ok = true;
    try {
        BuildLines(middle, middleBytes, &added);
        added.lines.reserve(added.lines.size() + 1);
        if (!ReserveLines(added.lines.size() + 1)) throw std::bad_alloc();
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok || !SetHeadAndAppend(lines_[n], static_cast<std::size_t>(at.offset), bytes,
                                 static_cast<std::size_t>(firstEnd - bytes))) {
        ReleaseLines(added);
        Release(last.text);
        return false;
    }
    const long long addedBytes = added.bytes, addedEnds = added.ends;
    KeepSharedBlock(added);
    LineRecord& head = lines_[n];
    endBytes_ += ReturnCodeLength(firstKind) - ReturnCodeLength(head.lineEnd) + addedEnds +
                 ReturnCodeLength(last.lineEnd);
    head.lineEnd = static_cast<std::uint8_t>(firstKind);
    lineBytes_ += addedBytes + last.length;
    added.lines.push_back(last);  // capacity was reserved above
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(n) + 1, added.lines.begin(), added.lines.end());

    const int count = static_cast<int>(added.lines.size());
    if (linesAdded) *linesAdded = count;
    MarksEdited(at, 0, count);
    if (end) *end = BytePos{static_cast<int>(stop - lastLine), at.line + count};
    CompactWastefulBlocks();
    return true;
}

void TextStore::BuildLines(const char* from, std::size_t length, NewLines* out) {
    const char* source = from;
    if (length >= kSharedMinimum) {
        out->shared = static_cast<char*>(Allocate(length));
        if (!out->shared) throw std::bad_alloc();
        std::memcpy(out->shared, from, length);
        out->sharedSize = length;
        source = out->shared;
    }
    out->lines.reserve(out->lines.size() + length / 48 + 1);
    const char* p = source;
    const char* const sourceEnd = source + length;
    const char* lf = nullptr;
    while (p < sourceEnd) {
        const char* e = FindLineEnd(p, sourceEnd, lf);
        LineRecord r;
        int kind = 0;
        const int eol = LineEndAt(e, sourceEnd, &kind);
        r.length = static_cast<std::int32_t>(e - p);
        r.lineEnd = static_cast<std::uint8_t>(kind);
        if (r.length) {
            if (out->shared) {
                r.text = const_cast<char*>(p);
                r.borrowed = 1;
            } else {
                r.text = static_cast<char*>(Allocate(static_cast<std::size_t>(r.length)));
                if (!r.text) throw std::bad_alloc();
                std::memcpy(r.text, p, static_cast<std::size_t>(r.length));
            }
        }
        out->lines.push_back(r);
        out->bytes += r.length;
        out->ends += eol;
        p = e + eol;
    }
}

void TextStore::ReleaseLines(NewLines& built) {
    for (LineRecord& r : built.lines) {
        if (!r.borrowed) Release(r.text);
    }
    built.lines.clear();
    Release(built.shared);
    built.shared = nullptr;
}

void TextStore::KeepSharedBlock(NewLines& built) {
    if (!built.shared) return;
    std::size_t liveLines = 0, liveBytes = 0;
    for (const LineRecord& r : built.lines) {
        if (!r.borrowed) continue;
        ++liveLines;
        liveBytes += static_cast<std::size_t>(r.length);
    }
    if (liveLines) {
        SharedBlock b{built.shared, built.sharedSize, liveBytes, liveLines};
        blocks_.insert(std::upper_bound(blocks_.begin(), blocks_.end(), b,
                                        [](const SharedBlock& x, const SharedBlock& y) {
                                            return Address(x.data) < Address(y.data);
                                        }),
                       b);
    } else {
        Release(built.shared);
    }
    built.shared = nullptr;
}

bool TextStore::ReplaceRange(BytePos p1, BytePos p2, const char* bytes, std::size_t length, BytePos* end,
                             int* linesRemoved, int* linesAdded) {
    if (linesRemoved) *linesRemoved = 0;
    if (linesAdded) *linesAdded = 0;
    if (end) *end = p1;
    if (!(p1 < p2)) return InsertBytes(p1, bytes, length, end, linesAdded);
    if (!bytes || length == 0) return DeleteRange(p1, p2, linesRemoved);

    // Lines p1.line ... p2.line are replaced by new lines: the head of the
    // first, the inserted bytes, the tail of the last. Every block of the new
    // lines is made before the old ones are given up, so a failure changes
    // nothing and the replaced bytes are never lost.
    const LineRecord& first = lines_[static_cast<std::size_t>(p1.line)];
    const LineRecord& last = lines_[static_cast<std::size_t>(p2.line)];
    const std::size_t head = static_cast<std::size_t>(p1.offset);
    const std::size_t tail = static_cast<std::size_t>(last.length - p2.offset);
    const char* const stop = bytes + length;
    const char* nextLf = nullptr;
    const char* const firstEnd = FindLineEnd(bytes, stop, nextLf);

    NewLines built;
    auto joined = [](const char* a, std::size_t an, const char* b, std::size_t bn, const char* c, std::size_t cn) {
        LineRecord r;
        const std::size_t n = an + bn + cn;
        if (n > static_cast<std::size_t>(INT32_MAX)) throw std::bad_alloc();
        r.length = static_cast<std::int32_t>(n);
        if (n) {
            r.text = static_cast<char*>(Allocate(n));
            if (!r.text) throw std::bad_alloc();
            if (an) std::memcpy(r.text, a, an);
            if (bn) std::memcpy(r.text + an, b, bn);
            if (cn) std::memcpy(r.text + an + bn, c, cn);
        }
        return r;
    };
    const char* const tailText = last.text ? last.text + p2.offset : nullptr;
    BytePos after = p1;
    try {
        built.lines.reserve(1);
        if (firstEnd == stop) {
            LineRecord r = joined(first.text, head, bytes, length, tailText, tail);
            r.lineEnd = last.lineEnd;
            r.state = first.state;
            built.lines.push_back(r);
            after.offset = p1.offset + static_cast<int>(length);
        } else {
            int firstKind = 0;
            const char* const middle = firstEnd + LineEndAt(firstEnd, stop, &firstKind);
            const char* lastLine = stop;
            while (lastLine > middle && lastLine[-1] != '\r' && lastLine[-1] != '\n') --lastLine;
            LineRecord r = joined(first.text, head, bytes, static_cast<std::size_t>(firstEnd - bytes), nullptr, 0);
            r.lineEnd = static_cast<std::uint8_t>(firstKind);
            r.state = first.state;
            built.lines.push_back(r);
            BuildLines(middle, static_cast<std::size_t>(lastLine - middle), &built);
            built.lines.reserve(built.lines.size() + 1);
            const std::size_t lastLength = static_cast<std::size_t>(stop - lastLine);
            r = joined(lastLine, lastLength, tailText, tail, nullptr, 0);
            r.lineEnd = last.lineEnd;
            built.lines.push_back(r);
            after = BytePos{static_cast<int>(lastLength), p1.line + static_cast<int>(built.lines.size()) - 1};
        }
        if (!ReserveLines(built.lines.size())) throw std::bad_alloc();
    } catch (const std::exception&) {
        ReleaseLines(built);
        return false;
    }

    // Nothing below can fail.
    for (int k = p1.line; k <= p2.line; ++k) {
        LineRecord& r = lines_[static_cast<std::size_t>(k)];
        lineBytes_ -= r.length;
        endBytes_ -= ReturnCodeLength(r.lineEnd);
        DropText(r);
    }
    for (const LineRecord& r : built.lines) {
        lineBytes_ += r.length;
        endBytes_ += ReturnCodeLength(r.lineEnd);
    }
    lines_.erase(lines_.begin() + p1.line, lines_.begin() + p2.line + 1);
    lines_.insert(lines_.begin() + p1.line, built.lines.begin(), built.lines.end());
    KeepSharedBlock(built);
    if (linesRemoved) *linesRemoved = p2.line - p1.line;
    MarksEdited(p1, p2.line - p1.line, static_cast<int>(built.lines.size()) - 1);
    if (linesAdded) *linesAdded = static_cast<int>(built.lines.size()) - 1;
    if (end) *end = after;
    CompactWastefulBlocks();
    return true;
}

// ---------------------------------------------------------------------------
// Search

int TextStore::FindInLine(const char* pattern, std::size_t patternLength, bool matchCase, bool wholeWord, int from,
                          int n, int* matchEnd) const {
    if (!IsLine(n) || !pattern || patternLength == 0) return -1;
    const LineRecord& r = Line(n);
    const std::size_t length = static_cast<std::size_t>(r.length);
    if (patternLength > length) return -1;
    // The text is compared where it lies, character by character, from the
    // first character start at or after `from`: a search costs the part of
    // the line it walks.
    const char* t = r.text;
    const std::string pat = matchCase ? std::string(pattern, patternLength)
                                      : sjis::ToLowerAscii(std::string(pattern, patternLength));
    auto fold = [matchCase](char c) {
        return (!matchCase && c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
    };
    const std::size_t start = static_cast<std::size_t>(std::max(0, from));
    std::size_t i = start >= length ? length : sjis::BoundaryAtOrAfter(t, length, start);
    std::size_t previous = i > 0 ? sjis::Previous(t, length, i) : 0;
    for (; i + patternLength <= length; previous = i, i = sjis::Next(t, length, i)) {
        if (fold(t[i]) != pat[0] && t[i] != pat[0]) continue;
        const std::size_t e = i + patternLength;
        std::size_t j = i;
        bool same = true;
        while (same && j < e) {
            const std::size_t n = sjis::CharLength(t, length, j);
            if (j + n > e) {
                same = false;  // the match would end inside a double-byte character
            } else if (n == 1) {
                same = fold(t[j]) == pat[j - i];
            } else {
                same = t[j] == pat[j - i] && t[j + 1] == pat[j + 1 - i];
            }
            j += n;
        }
        if (!same) continue;
        if (wholeWord) {
            const bool alnumBefore =
                i > 0 && sjis::CharLength(t, length, previous) == 1 && IsAsciiAlnum(static_cast<unsigned char>(t[previous]));
            const bool alnumAfter =
                e < length && sjis::CharLength(t, length, e) == 1 && IsAsciiAlnum(static_cast<unsigned char>(t[e]));
            if (alnumBefore || alnumAfter) continue;
        }
        if (matchEnd) *matchEnd = static_cast<int>(e);
        return static_cast<int>(i);
    }
    return -1;
}

namespace {

// True when one of the n bytes at p is a or b. Eight bytes are tested at a
// time: a byte equal to a (or b) makes a zero byte in the word XOR a
// (b) repeated.
bool HoldsEither(const char* p, std::size_t n, unsigned char a, unsigned char b) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    const std::uint64_t wa = kOnes * a, wb = kOnes * b;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t xa = w ^ wa, xb = w ^ wb;
        if ((((xa - kOnes) & ~xa) | ((xb - kOnes) & ~xb)) & kHighs) return true;
    }
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c == a || c == b) return true;
    }
    return false;
}

}  // namespace

int TextStore::LastLineWithEither(int before, char a, char b) const {
    const unsigned char ua = static_cast<unsigned char>(a), ub = static_cast<unsigned char>(b);
    for (int k = std::min(before, LineCount()) - 1; k >= 0; --k) {
        const LineRecord& r = lines_[static_cast<std::size_t>(k)];
        if (r.length > 0 && HoldsEither(r.text, static_cast<std::size_t>(r.length), ua, ub)) return k;
    }
    return -1;
}

std::size_t TextStore::HeldBytes() const {
    std::size_t n = lines_.capacity() * sizeof(LineRecord) + blocks_.capacity() * sizeof(SharedBlock);
    for (const LineRecord& r : lines_) {
        if (!r.borrowed) n += static_cast<std::size_t>(r.length);
    }
    for (const SharedBlock& b : blocks_) n += b.size;
    return n;
}

}  // namespace editor
