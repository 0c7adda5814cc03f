// Differential driver of the editor model: random operations (replace,
// typing, deleting, undo, redo, selection by offsets, line-end changes, tab
// size changes, moving text) applied both to an EditorModel and to a plain
// byte string, compared after every step. Used by the seeded test and by the
// libFuzzer target (which feeds the choices from its input).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor/core/EditorModel.h"
#include "framework/core/Sjis.h"

namespace editortest {

// Where the driver's choices come from.
class ChoiceSource {
public:
    virtual ~ChoiceSource() = default;
    // A number in 0 ... bound - 1 (bound > 0).
    virtual unsigned Next(unsigned bound) = 0;
    virtual bool Exhausted() const { return false; }
};

class RandomChoices : public ChoiceSource {
public:
    explicit RandomChoices(unsigned seed) : rng_(seed) {}
    unsigned Next(unsigned bound) override { return static_cast<unsigned>(rng_() % bound); }

private:
    std::mt19937 rng_;
};

class DataChoices : public ChoiceSource {
public:
    DataChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned Next(unsigned bound) override {
        if (pos_ >= size_) return 0;
        unsigned v = data_[pos_++];
        if (bound > 256 && pos_ < size_) v = (v << 8) | data_[pos_++];
        return v % bound;
    }
    bool Exhausted() const override { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A host that checks that every request names lines of the text.
class CheckingHost : public editor::IEditorHost {
public:
    const editor::EditorModel* model = nullptr;
    std::string error;

    void InvalidateLines(int first, int last) override {
        if (first < 0 || first >= model->LineCount() || (last != kToBottom && (last < first || last >= model->LineCount())))
            Fail("InvalidateLines", first, last);
    }
    void ScrollRows(int top, int rows) override {
        if (top < 0 || rows == 0) Fail("ScrollRows", top, rows);
    }
    void PlaceCaret(const editor::CaretNotice& n) override {
        if (n.line < 0 || n.line >= model->LineCount() || n.column < 0) Fail("PlaceCaret", n.column, n.line);
    }

private:
    void Fail(const char* what, int a, int b) {
        if (error.empty()) error = std::string(what) + " " + std::to_string(a) + " " + std::to_string(b);
    }
};

class Differential {
public:
    explicit Differential(ChoiceSource& choices) : in_(choices) {
        host_.model = &ed_;
        ed_.SetHost(&host_);
        editor::ViewMetrics m;
        m.clientWidth = 400;
        m.clientHeight = 200;
        ed_.SetViewMetrics(m);
        NewDocument();
    }

    editor::EditorModel& Editor() { return ed_; }
    const std::string& Text() const { return text_; }
    long steps() const { return steps_; }

    // One operation and the checks; returns a description of the first
    // difference, or "" when editor and model agree.
    std::string Step() {
        ++steps_;
        const unsigned op = in_.Next(100);
        std::string what;
        if (op < 22) {
            what = SelectOffsets();
        } else if (op < 44) {
            what = ReplaceSelection();
        } else if (op < 56) {
            what = TypeChar();
        } else if (op < 62) {
            what = Backspace();
        } else if (op < 68) {
            what = DeleteForward();
        } else if (op < 72) {
            what = Enter();
        } else if (op < 82) {
            what = UndoOrRedo(true);
        } else if (op < 88) {
            what = UndoOrRedo(false);
        } else if (op < 90) {
            what = LineEndMode();
        } else if (op < 92) {
            what = TabSize();
        } else if (op < 94) {
            what = MoveDrop();
        } else if (op < 95) {
            ed_.ToggleOverwrite();
            overwrite_ = !overwrite_;
            what = "overwrite";
        } else if (op < 96) {
            ed_.SetModified(false);
            saved_ = text_;
            what = "save point";
        } else if (op < 97) {
            NewDocument();
            what = "new document";
        } else {
            return UndoAllAndBack();
        }
        return Check(what);
    }

    // Undoes everything: the text must be the one the history started from
    // (when no line-end change came between); then redoes back to where it was.
    std::string UndoAllAndBack() {
        const std::string before = text_;
        const std::size_t redoBefore = redo_.size();
        int n = 0;
        while (ed_.Undo()) {
            if (!ModelReplay(true)) return "editor undid more than the model";
            ++n;
            std::string e = Check("undo all");
            if (!e.empty()) return e;
        }
        if (!undo_.empty()) return "editor stopped undoing early";
        if (baseValid_ && text_ != base_) return "undo to the start did not give the original bytes";
        while (redo_.size() > redoBefore) {
            if (!ed_.Redo()) return "editor stopped redoing early";
            ModelReplay(false);
            std::string e = Check("redo all");
            if (!e.empty()) return e;
        }
        if (text_ != before) return "redo all did not give the text back";
        (void)n;
        return "";
    }

private:
    struct Pos {
        long long offset;  // within the line
        int line;
    };
    struct Entry {
        Pos after{};
        Pos other{};
        bool hasOther = false;
        std::string removed;
        bool forward = false;
        bool group = false;
    };
    struct LineInfo {
        long long start, length;
        int endLength;
    };

    // --- the plain model ----------------------------------------------------

    std::vector<LineInfo> Lines() const {
        std::vector<LineInfo> lines;
        long long start = 0;
        const long long n = static_cast<long long>(text_.size());
        for (long long i = 0; i < n; ++i) {
            if (text_[i] == '\r' || text_[i] == '\n') {
                const int e = (text_[i] == '\r' && i + 1 < n && text_[i + 1] == '\n') ? 2 : 1;
                lines.push_back(LineInfo{start, i - start, e});
                i += e - 1;
                start = i + 1;
            }
        }
        lines.push_back(LineInfo{start, n - start, 0});
        return lines;
    }
    // The character boundary at or before (after) offset.
    long long Snap(long long offset, bool up) const {
        const std::vector<LineInfo> lines = Lines();
        offset = std::max(0LL, std::min(offset, static_cast<long long>(text_.size())));
        for (const LineInfo& l : lines) {
            if (offset > l.start + l.length) {
                if (offset < l.start + l.length + l.endLength) return up ? l.start + l.length + l.endLength : l.start + l.length;
                continue;
            }
            const std::size_t in = static_cast<std::size_t>(offset - l.start);
            const char* p = text_.data() + l.start;
            const std::size_t len = static_cast<std::size_t>(l.length);
            return l.start + static_cast<long long>(up ? sjis::BoundaryAtOrAfter(p, len, in) : sjis::BoundaryAtOrBefore(p, len, in));
        }
        return static_cast<long long>(text_.size());
    }
    Pos ToPos(long long offset) const {
        const std::vector<LineInfo> lines = Lines();
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (offset <= lines[k].start + lines[k].length) return Pos{offset - lines[k].start, static_cast<int>(k)};
        }
        return Pos{lines.back().length, static_cast<int>(lines.size() - 1)};
    }
    long long ToOffset(Pos p) const {
        const std::vector<LineInfo> lines = Lines();
        const LineInfo& l = lines[std::min<std::size_t>(static_cast<std::size_t>(p.line), lines.size() - 1)];
        return l.start + std::min(p.offset, l.length);
    }
    int LineOf(long long offset) const { return ToPos(offset).line; }

    bool HasSel() const { return anchor_ >= 0 && anchor_ != caret_; }
    long long SelStart() const { return HasSel() ? std::min(anchor_, caret_) : caret_; }
    long long SelEnd() const { return HasSel() ? std::max(anchor_, caret_) : caret_; }

    // Replaces [caret, anchor] with ins and returns the inverse entry (as the
    // edit primitive describes it).
    Entry ModelReplace(long long caret, long long anchor, const std::string& ins, bool caretToEnd) {
        const bool range = anchor >= 0 && anchor != caret;
        const long long p1 = range ? std::min(caret, anchor) : caret;
        const long long p2 = range ? std::max(caret, anchor) : caret;
        Entry e;
        e.removed = text_.substr(static_cast<std::size_t>(p1), static_cast<std::size_t>(p2 - p1));
        e.forward = range && anchor < caret;
        text_.replace(static_cast<std::size_t>(p1), static_cast<std::size_t>(p2 - p1), ins);
        const long long end = p1 + static_cast<long long>(ins.size());
        const bool inserted = !ins.empty();
        // The record names exact bytes; the caret, a column, stands on a
        // character boundary (an inserted lead byte may join the next byte).
        e.after = ToPos(inserted && caretToEnd ? end : p1);
        caret_ = Snap(inserted && caretToEnd ? end : p1, false);
        anchor_ = -1;
        e.hasOther = inserted;
        e.other = ToPos(inserted && caretToEnd ? p1 : end);
        return e;
    }
    void Push(Entry e) {
        if (e.removed.empty() && !e.hasOther) return;
        undo_.push_back(std::move(e));
        redo_.clear();
    }
    // Replays the top entry of one stack onto the other, with its group.
    bool ModelReplay(bool undo) {
        std::vector<Entry>& from = undo ? undo_ : redo_;
        std::vector<Entry>& to = undo ? redo_ : undo_;
        if (from.empty()) return false;
        for (;;) {
            const bool grouped = from.size() >= 2 && from[from.size() - 2].group;
            Entry r = std::move(from.back());
            from.pop_back();
            const long long caret = ToOffset(r.after);
            const long long anchor = r.hasOther ? ToOffset(r.other) : -1;
            Entry inverse = ModelReplace(caret, anchor, r.removed, r.forward);
            inverse.group = grouped;
            to.push_back(std::move(inverse));
            if (!grouped || from.empty()) return true;
        }
    }

    // --- operations -------------------------------------------------------------

    // Texts mix CR LF with one lone kind per document (`lone_`, CR or LF): a
    // line ending in a lone CR followed by an empty line ending in a lone LF
    // is two lines in the editor but reads back as one CR LF, which a byte
    // string cannot tell apart.
    std::string RandomText() {
        static const char* const pieces[] = {"a", "Z", "0", " ", "\t", "\r\n", "\r", "\x82\xA0", "\x95\x5C",
                                             "\x83\x41", "\x81\x40", "\xB1", "\x82", "xy", "\r\n\r\n", "\x81\x5B", "A"};
        const unsigned kinds = sizeof pieces / sizeof pieces[0];
        unsigned count = in_.Next(8);
        if (in_.Next(40) == 0) count = 60 + in_.Next(200);
        std::string s;
        for (unsigned i = 0; i < count; ++i) {
            const char* piece = pieces[in_.Next(kinds)];
            s += (piece[0] == '\r' && piece[1] == '\0') ? editor::ReturnCodeBytes(lone_) : piece;
        }
        if (in_.Next(30) == 0) s.push_back('\0');  // a NUL byte is text like any other
        return s;
    }

    void NewDocument() {
        lone_ = in_.Next(2) ? editor::kReturnCr : editor::kReturnLf;
        std::string doc;
        const unsigned lines = in_.Next(12);
        for (unsigned i = 0; i < lines; ++i) doc += RandomText() + (i % 2 == 0 ? "\r\n" : editor::ReturnCodeBytes(lone_));
        doc += RandomText();
        ed_.SetText(doc);
        text_ = doc;
        mode_ = 0;
        for (std::size_t i = 0; i < doc.size(); ++i) {
            if (doc[i] == '\n') { mode_ = 2; break; }
            if (doc[i] == '\r') { mode_ = (i + 1 < doc.size() && doc[i + 1] == '\n') ? 0 : 1; break; }
        }
        caret_ = 0;
        anchor_ = -1;
        overwrite_ = false;
        undo_.clear();
        redo_.clear();
        base_ = saved_ = text_;
        baseValid_ = true;
    }

    std::string SelectOffsets() {
        const long long len = static_cast<long long>(text_.size());
        long long a = static_cast<long long>(in_.Next(static_cast<unsigned>(len + 3))) - 1;
        long long c = static_cast<long long>(in_.Next(static_cast<unsigned>(len + 3))) - 1;
        if (in_.Next(10) == 0) { a = 0; c = -1; }
        ed_.SetSelectionOffsets(a, c);
        if (text_.empty()) return "select offsets (empty)";
        if (a == 0 && c == -1) { a = len; c = 0; }
        a = std::max(0LL, std::min(a, len));
        c = std::max(0LL, std::min(c, len));
        const long long sa = Snap(a, a > c), sc = Snap(c, c > a);
        caret_ = sc;
        anchor_ = sa == sc ? -1 : sa;
        return "select offsets " + std::to_string(a) + " " + std::to_string(c);
    }

    std::string ReplaceSelection() {
        const std::string ins = in_.Next(4) == 0 ? std::string() : RandomText();
        const bool addUndo = in_.Next(12) != 0;
        ed_.ReplaceSelection(ins, addUndo);
        const bool changed = HasSel() || !ins.empty();
        Entry e = ModelReplace(caret_, HasSel() ? anchor_ : -1, ins, true);
        if (addUndo) {
            Push(std::move(e));
        } else if (changed) {
            undo_.clear();
            redo_.clear();
            base_ = text_;
            baseValid_ = true;
        }
        return "replace selection (" + std::to_string(ins.size()) + " bytes" + (addUndo ? ")" : ", no undo)");
    }

    std::string TypeChar() {
        static const unsigned char singles[] = {'a', 'Q', '7', ' ', '\t', 0xB1, 0xDF, 0x7E, '\r', 0x08, 0x1B, 0x80, 0xFD};
        std::string typed;
        if (in_.Next(3) == 0) {
            const unsigned char lead = in_.Next(2) ? 0x82 : 0x95;
            const unsigned char trail = in_.Next(8) == 0 ? 'q' - 0x40 : (in_.Next(2) ? 0xA0 : 0x5C);
            ed_.TypeChar(lead);
            ed_.TypeChar(trail);
            if (sjis::IsTrailByte(trail)) {
                typed = {static_cast<char>(lead), static_cast<char>(trail)};
            } else {
                typed = std::string(1, static_cast<char>(trail));  // the lead byte is dropped
            }
        } else {
            const unsigned char c = singles[in_.Next(sizeof singles)];
            ed_.TypeChar(c);
            if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xDF) || c == '\t') typed = std::string(1, static_cast<char>(c));
        }
        if (typed.empty()) return "type (ignored)";
        long long anchor = HasSel() ? anchor_ : -1;
        if (overwrite_ && !HasSel()) {
            const LineInfo l = Lines()[static_cast<std::size_t>(LineOf(caret_))];
            if (caret_ < l.start + l.length) {
                anchor = l.start + static_cast<long long>(sjis::Next(text_.data() + l.start, static_cast<std::size_t>(l.length),
                                                                     static_cast<std::size_t>(caret_ - l.start)));
            }
        }
        Push(ModelReplace(caret_, anchor, typed, true));
        return "type " + std::to_string(typed.size());
    }

    std::string Backspace() {
        ed_.Backspace(false);
        if (HasSel()) {
            Push(ModelReplace(caret_, anchor_, "", false));
            return "backspace (selection)";
        }
        const std::vector<LineInfo> lines = Lines();
        const LineInfo& l = lines[static_cast<std::size_t>(LineOf(caret_))];
        if (caret_ == 0) return "backspace at start";
        long long anchor;
        if (caret_ == l.start) {
            const LineInfo& p = lines[static_cast<std::size_t>(LineOf(caret_) - 1)];
            anchor = p.start + p.length;
        } else {
            anchor = l.start + static_cast<long long>(sjis::Previous(text_.data() + l.start, static_cast<std::size_t>(l.length),
                                                                     static_cast<std::size_t>(caret_ - l.start)));
        }
        Push(ModelReplace(caret_, anchor, "", false));
        return "backspace";
    }

    std::string DeleteForward() {
        ed_.DeleteForward(false);
        if (HasSel()) {
            Push(ModelReplace(caret_, anchor_, "", false));
            return "delete (selection)";
        }
        const std::vector<LineInfo> lines = Lines();
        const int line = LineOf(caret_);
        const LineInfo& l = lines[static_cast<std::size_t>(line)];
        long long anchor;
        if (caret_ < l.start + l.length) {
            anchor = l.start + static_cast<long long>(sjis::Next(text_.data() + l.start, static_cast<std::size_t>(l.length),
                                                                 static_cast<std::size_t>(caret_ - l.start)));
        } else if (static_cast<std::size_t>(line) + 1 < lines.size()) {
            anchor = lines[static_cast<std::size_t>(line) + 1].start;
        } else {
            return "delete at end";
        }
        Push(ModelReplace(caret_, anchor, "", false));
        return "delete";
    }

    std::string Enter() {
        ed_.Enter();
        const std::vector<LineInfo> lines = Lines();
        const int line = LineOf(caret_);
        if (overwrite_ && static_cast<std::size_t>(line) + 1 < lines.size()) {
            caret_ = lines[static_cast<std::size_t>(line) + 1].start;
            anchor_ = -1;
            return "enter (overwrite)";
        }
        std::string ins = editor::ReturnCodeBytes(mode_);
        const LineInfo& l = lines[static_cast<std::size_t>(line)];
        for (long long i = l.start; i < caret_;) {
            if (text_[i] == ' ' || text_[i] == '\t') {
                ins += text_[i++];
            } else if (i + 1 < caret_ && text_[i] == '\x81' && text_[i + 1] == '\x40') {
                ins += "\x81\x40";
                i += 2;
            } else {
                break;
            }
        }
        Push(ModelReplace(caret_, HasSel() ? anchor_ : -1, ins, true));
        return "enter";
    }

    std::string UndoOrRedo(bool undo) {
        const int result = undo ? ed_.Undo() : ed_.Redo();
        const bool expected = undo ? !undo_.empty() : !redo_.empty();
        if (result != (expected ? 1 : 0)) return undo ? "undo result" : "redo result";
        if (expected) ModelReplay(undo);
        return undo ? "undo" : "redo";
    }

    std::string LineEndMode() {
        // Within the document's family (CR LF and its lone kind), since undo
        // puts back line ends of the kind they had.
        const int code = in_.Next(2) ? editor::kReturnCrLf : lone_;
        const int previous = ed_.SetLineEndMode(code);
        if (previous != mode_) return "SetLineEndMode returned " + std::to_string(previous);
        const long long caretLine = LineOf(caret_), caretIn = caret_ - Lines()[static_cast<std::size_t>(caretLine)].start;
        const long long anchorLine = anchor_ >= 0 ? LineOf(anchor_) : 0;
        const long long anchorIn = anchor_ >= 0 ? anchor_ - Lines()[static_cast<std::size_t>(anchorLine)].start : 0;
        std::string out;
        for (std::size_t i = 0; i < text_.size(); ++i) {
            if (text_[i] == '\r' || text_[i] == '\n') {
                if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++i;
                out += editor::ReturnCodeBytes(code);
            } else {
                out += text_[i];
            }
        }
        text_ = out;
        mode_ = code;
        baseValid_ = false;  // undo now puts back line ends of the old kind
        // As when saving: the line ends are set, the file written, the
        // document marked unmodified.
        ed_.SetModified(false);
        saved_ = out;
        caret_ = ToOffset(Pos{caretIn, static_cast<int>(caretLine)});
        if (anchor_ >= 0) anchor_ = ToOffset(Pos{anchorIn, static_cast<int>(anchorLine)});
        return "line ends " + std::to_string(code);
    }

    std::string TabSize() {
        editor::EditorSettings s = ed_.Settings();
        s.tabSize = static_cast<int>(in_.Next(9));  // 0 is taken as 1
        ed_.SetSettings(&s, false);
        return "tab size " + std::to_string(s.tabSize);
    }

    std::string MoveDrop() {
        const long long len = static_cast<long long>(text_.size());
        const long long at = static_cast<long long>(in_.Next(static_cast<unsigned>(len + 1)));
        const editor::TextStore& store = ed_.Store();
        ed_.MoveDrop(store.ToTextPos(store.PositionOf(at)));
        if (!HasSel()) return "move drop without selection";
        const long long drop = Snap(at, false);
        const long long s = SelStart(), e = SelEnd();
        if (drop >= s && drop <= e) return "move drop inside";
        const std::string moved = text_.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
        Entry removal = ModelReplace(caret_, anchor_, "", false);
        removal.group = true;
        Push(std::move(removal));
        const long long target = Snap(drop > s ? drop - static_cast<long long>(moved.size()) : drop, false);
        Push(ModelReplace(target, -1, moved, true));
        // Selected after the insertion, on the boundaries the text has then.
        const long long start = Snap(target, false);
        const long long end = Snap(target + static_cast<long long>(moved.size()), false);
        caret_ = end;
        anchor_ = end == start ? -1 : start;
        return "move drop";
    }

    // --- the comparison -----------------------------------------------------------

    std::string Check(const std::string& what) {
        std::ostringstream e;
        std::string got;
        if (!host_.error.empty()) e << "host: " << host_.error;
        if (ed_.GetText(got) != static_cast<int>(text_.size()) || got != text_) e << "text differs";
        if (ed_.TextLength() != static_cast<long long>(text_.size())) e << "TextLength " << ed_.TextLength();
        if (ed_.LineCount() != static_cast<int>(Lines().size())) e << "LineCount " << ed_.LineCount();
        long long start = -2, end = -2;
        ed_.GetSelectionOffsets(&start, &end);
        if (start != SelStart() || end != SelEnd()) e << "selection " << start << "-" << end;
        const editor::TextStore& store = ed_.Store();
        const long long caret = store.OffsetOf(store.ToBytePos(ed_.Caret()));
        if (caret != caret_) e << "caret " << caret;
        if (!ed_.IsModified() && text_ != saved_) e << "unmodified but differs from the saved text";
        if (steps_ % 64 == 0) {
            std::vector<char> buffer(text_.size() + 1, '\x7F');
            if (ed_.GetText(buffer.data(), buffer.size()) != static_cast<long long>(text_.size()) ||
                std::string(buffer.data(), text_.size()) != text_ || buffer.back() != '\0')
                e << "GetText into a buffer";
        }
        if (e.tellp() == 0) return "";
        std::ostringstream m;
        m << "step " << steps_ << " (" << what << "): " << e.str() << "\n  expected [" << Escape(text_) << "] caret "
          << caret_ << " anchor " << anchor_ << "\n  got      [" << Escape(got) << "]";
        return m.str();
    }

    static std::string Escape(const std::string& s) {
        std::string out;
        for (unsigned char c : s) {
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            }
        }
        return out;
    }

    ChoiceSource& in_;
    editor::EditorModel ed_;
    CheckingHost host_;
    std::string text_;
    std::string base_;   // the text the undo history starts from
    bool baseValid_ = true;
    std::string saved_;  // the text at the last save point
    int mode_ = 0;
    int lone_ = editor::kReturnLf;  // the lone line end of this document
    long long caret_ = 0;
    long long anchor_ = -1;
    bool overwrite_ = false;
    std::vector<Entry> undo_, redo_;
    long steps_ = 0;
};

}  // namespace editortest
