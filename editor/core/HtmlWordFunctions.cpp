#include "editor/core/HtmlWordFunctions.h"

#include <algorithm>

#include "framework/core/Sjis.h"

namespace editor {

namespace {

// The single-byte character at pos, or 0 when pos is outside the line or
// starts a double-byte character.
inline char CharAt(const char* text, int length, int pos) {
    if (pos < 0 || pos >= length) return 0;
    return sjis::CharLength(text, static_cast<std::size_t>(length), static_cast<std::size_t>(pos)) == 1 ? text[pos]
                                                                                                         : 0;
}

inline int Next(const char* text, int length, int pos) {
    return static_cast<int>(sjis::Next(text, static_cast<std::size_t>(length), static_cast<std::size_t>(pos)));
}

// The offset clamped into the line and moved back to a character start.
int Snap(const char* text, int length, int offset) {
    if (!text || length <= 0) return 0;
    offset = std::max(0, std::min(offset, length));
    return static_cast<int>(
        sjis::BoundaryAtOrBefore(text, static_cast<std::size_t>(length), static_cast<std::size_t>(offset)));
}

inline bool IsTagMark(char c) { return c == '<' || c == '>'; }

inline int Previous(const char* text, int length, int pos) {
    return static_cast<int>(sjis::Previous(text, static_cast<std::size_t>(length), static_cast<std::size_t>(pos)));
}

}  // namespace

int HtmlNextWordBoundary(const char* text, int length, int offset) {
    int p = Snap(text, length, offset);
    if (p >= length) return std::max(length, 0);
    if (CharAt(text, length, p) == '<') ++p;
    for (; p < length; p = Next(text, length, p)) {
        const char c = CharAt(text, length, p);
        if (c == '<') return p;
        if (c == '>') return p + 1;
    }
    return length;
}

int HtmlPreviousWordBoundary(const char* text, int length, int offset) {
    const int caret = Snap(text, length, offset);
    if (caret == 0) return 0;
    const int before = static_cast<int>(
        sjis::Previous(text, static_cast<std::size_t>(length), static_cast<std::size_t>(caret)));
    int start = caret;  // the last position that may hold the boundary mark
    if (CharAt(text, length, before) == '>')
        start = before - 1;
    else if (IsTagMark(CharAt(text, length, caret)))
        start = before;
    // The nearest tag mark at or before `start`, looking back from it.
    if (start < 0) return 0;
    for (int p = start >= length ? Previous(text, length, length) : Snap(text, length, start);; p = Previous(text, length, p)) {
        const char c = CharAt(text, length, p);
        if (c == '<') return p;
        if (c == '>') return p + 1;
        if (p == 0) return 0;
    }
}

std::pair<int, int> HtmlWordAt(const char* text, int length, int offset) {
    if (!text || length <= 0) return {0, 0};
    int caret = Snap(text, length, offset);
    if (caret >= length)
        caret = static_cast<int>(sjis::Previous(text, static_cast<std::size_t>(length), static_cast<std::size_t>(length)));
    const char here = CharAt(text, length, caret);

    // Backwards: the nearest tag mark before the caret (or the '<' the caret
    // stands on) and the nearest quote between it and the caret.
    int back = -1, leftQuote = -1;
    char backMark = 0;
    for (int p = caret; p > 0;) {
        p = Previous(text, length, p);
        const char c = CharAt(text, length, p);
        if (IsTagMark(c)) {
            back = p;
            backMark = c;
            break;
        }
        if (c == '"' && leftQuote < 0) leftQuote = p;
    }
    if (here == '<') {
        back = caret;
        backMark = '<';
        leftQuote = -1;
    }
    // Forwards: the next tag mark from the caret (the '>' the caret stands on
    // counts) and the nearest quote before it.
    int forth = -1, rightQuote = -1;
    char forthMark = 0;
    for (int p = here == '<' ? Next(text, length, caret) : caret; p < length; p = Next(text, length, p)) {
        const char c = CharAt(text, length, p);
        if (IsTagMark(c)) {
            forth = p;
            forthMark = c;
            break;
        }
        if (c == '"' && rightQuote < 0) rightQuote = p;
    }

    if (backMark == '<' && forthMark == '>' && leftQuote >= 0 && rightQuote >= 0) return {leftQuote + 1, rightQuote};
    const int start = back < 0 ? 0 : backMark == '<' ? back : back + 1;
    const int end = forth < 0 ? length : forthMark == '>' ? forth + 1 : forth;
    return {start, end};
}

WordFunctions HtmlWordFunctions() {
    return WordFunctions{HtmlNextWordBoundary, HtmlPreviousWordBoundary, HtmlWordAt};
}

}  // namespace editor
