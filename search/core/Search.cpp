#include "search/core/Search.h"

#include <cstring>

namespace search {

namespace {

// The first place of `needle` in `hay`, or null.
const char* FindBytes(const char* hay, std::size_t length, const char* needle, std::size_t m) {
    if (m > length) return nullptr;
    const char* end = hay + (length - m) + 1;
    for (const char* p = hay; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, needle[0], static_cast<std::size_t>(end - p)));
        if (!p) return nullptr;
        if (std::memcmp(p + 1, needle + 1, m - 1) == 0) return p;
    }
    return nullptr;
}

unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

// A quick test whether line n can hold the text at all: the bytes must occur
// in it (ignoring the case of every byte when the search does). A line that
// passes is then searched by the editor, which alone decides the match;
// this only skips lines where it could not find one.
bool MayHold(const editor::IEditorOps& ops, int n, const std::string& text, bool matchCase) {
    std::size_t length = 0;
    const char* line = ops.LineData(n, &length);
    if (!line) return true;  // no view of the bytes: let the editor search
    const std::size_t m = text.size();
    if (m > length) return false;
    if (matchCase) return FindBytes(line, length, text.data(), m) != nullptr;
    const unsigned char first = Fold(static_cast<unsigned char>(text[0]));
    const unsigned char other = (first >= 'a' && first <= 'z') ? static_cast<unsigned char>(first - 32) : first;
    const char* end = line + (length - m) + 1;  // candidates start before this
    for (const char* p = line; p < end;) {
        const char* a = static_cast<const char*>(std::memchr(p, first, static_cast<std::size_t>(end - p)));
        const char* b = other != first ? static_cast<const char*>(std::memchr(p, other, static_cast<std::size_t>((a ? a : end) - p)))
                                       : nullptr;
        const char* c = b ? b : a;
        if (!c) return false;
        std::size_t k = 1;
        while (k < m && Fold(static_cast<unsigned char>(c[k])) == Fold(static_cast<unsigned char>(text[k]))) ++k;
        if (k == m) return true;
        p = c + 1;
    }
    return false;
}

}  // namespace

bool FindNext(editor::IEditorOps* ops, const std::string& text, const FindOptions& options) {
    if (!ops || text.empty()) return false;
    const editor::TextPos caret = ops->Caret();
    int column = -1, line = caret.line;
    ops->GetSelection(nullptr, nullptr, &column, &line);
    const int count = ops->LineCount();
    if (MayHold(*ops, line, text, options.matchCase) &&
        ops->FindInLine(text, options.matchCase, options.wholeWord, column, line))
        return true;
    for (int n = line + 1; n < count; ++n) {
        if (!MayHold(*ops, n, text, options.matchCase)) continue;
        if (ops->FindInLine(text, options.matchCase, options.wholeWord, 0, n)) return true;
    }
    return false;
}

bool SelectionIsMatch(editor::IEditorOps& ops, const std::string& text, const FindOptions& options) {
    if (text.empty() || !ops.HasSelection()) return false;
    int anchorColumn = 0, anchorLine = 0, caretColumn = 0, caretLine = 0;
    ops.GetSelection(&anchorColumn, &anchorLine, &caretColumn, &caretLine);
    if (anchorLine != caretLine) return false;  // a match never spans lines
    long long start = 0, end = 0;
    ops.GetSelectionOffsets(&start, &end);
    const int startColumn = anchorColumn < caretColumn ? anchorColumn : caretColumn;
    bool match = false;
    if (ops.FindInLine(text, options.matchCase, options.wholeWord, startColumn, caretLine)) {
        long long s = 0, e = 0;
        ops.GetSelectionOffsets(&s, &e);
        match = s == start && e == end;
    }
    if (!match) {
        // Put the selection back as it was, with the caret at its own end.
        const int anchorOffset = ops.ColumnToOffset(anchorColumn, anchorLine, false);
        const int caretOffset = ops.ColumnToOffset(caretColumn, caretLine, false);
        ops.SetSelection(anchorOffset, anchorLine, caretOffset, caretLine);
    }
    return match;
}

ReplaceOneResult ReplaceOne(editor::IEditorOps* ops, const std::string& text, const std::string& replacement,
                            const FindOptions& options) {
    ReplaceOneResult r;
    if (!ops || text.empty()) return r;
    if (SelectionIsMatch(*ops, text, options)) r.replaced = ops->ReplaceSelection(replacement, true);
    r.found = FindNext(ops, text, options);
    return r;
}

ReplaceAllResult ReplaceAll(editor::IEditorOps* ops, const std::string& text, const std::string& replacement,
                            const FindOptions& options) {
    ReplaceAllResult r;
    if (!ops || text.empty()) return r;
    if (ops->IsReadOnly()) {
        r.readOnly = true;
        return r;
    }
    editor::EditBatch batch(*ops);
    ops->SetSelection(0, 0, 0, 0);
    while (FindNext(ops, text, options)) {
        if (!ops->ReplaceSelection(replacement, true)) {
            // An empty replacement of an empty match cannot happen (the text
            // is not empty), so no change means the edit failed.
            r.failed = true;
            break;
        }
        ++r.count;
    }
    return r;
}

std::string FirstLineOf(const std::string& selected) {
    std::string s = selected.substr(0, selected.find('\r'));
    return s.substr(0, s.find('\n'));
}

}  // namespace search
