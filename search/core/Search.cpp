#include "search/core/Search.h"

#include <cstring>

namespace search {

namespace {

// Byte tables: as they are, and ASCII letters folded to lower case.
struct FoldTables {
    unsigned char same[256];
    unsigned char lower[256];
    FoldTables() {
        for (int c = 0; c < 256; ++c) {
            same[c] = static_cast<unsigned char>(c);
            lower[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        }
    }
};
const FoldTables kFold;

// A quick test whether line n can hold the text at all: its bytes must occur
// in the line (ignoring the case of every byte when the search does). A line
// that passes is then searched by the editor, which alone decides the match;
// this only skips lines where it could not find one. Candidates are picked
// by their first and last byte, then compared whole.
bool MayHold(const editor::IEditorOps& ops, int n, const std::string& text, bool matchCase) {
    std::size_t length = 0;
    const char* data = ops.LineData(n, &length);
    if (!data) return true;  // no view of the bytes: let the editor search
    const std::size_t m = text.size();
    if (m > length) return false;
    if (matchCase) {
        // The last byte of the text is looked for first (memchr runs over
        // whole words at a time), then the rest is compared.
        const char lastByte = text[m - 1];
        const char* p = data + m - 1;
        const char* end = data + length;
        while (p < end) {
            p = static_cast<const char*>(std::memchr(p, lastByte, static_cast<std::size_t>(end - p)));
            if (!p) return false;
            if (std::memcmp(p - (m - 1), text.data(), m - 1) == 0) return true;
            ++p;
        }
        return false;
    }
    const unsigned char* fold = kFold.lower;
    const unsigned char* line = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* pat = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char first = fold[pat[0]], last = fold[pat[m - 1]];
    const std::size_t end = length - m;
    for (std::size_t i = 0; i <= end; ++i) {
        if (fold[line[i]] != first || fold[line[i + m - 1]] != last) continue;
        std::size_t k = 1;
        while (k + 1 < m && fold[line[i + k]] == fold[pat[k]]) ++k;
        if (k + 1 >= m) return true;
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
