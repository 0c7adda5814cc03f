#include "editor/core/HtmlColorizer.h"

#include <algorithm>

#include "editor/core/ColorScan.h"

namespace editor {

namespace {

const KeywordTable& EmptyTable() {
    static const KeywordTable empty;
    return empty;
}

// Offset of the first single-byte character c at or after from, or length.
inline int FindSingle(const char* line, int length, int from, char c) {
    int k = from;
    while (k < length) {
        const int n = scan::CharLen(line, length, k);
        if (n == 1 && line[k] == c) return k;
        k += n;
    }
    return length;
}

}  // namespace

HtmlColorizer::HtmlColorizer(std::shared_ptr<const KeywordTable> elements,
                             std::shared_ptr<const KeywordTable> attributes, const HtmlColors& colors)
    : m_elements(std::move(elements)), m_attributes(std::move(attributes)), m_colors(colors) {}

int HtmlColorizer::ColorLine(const char* line, int length, int prevState, Color* colors) const {
    return Scan<true>(line, length, prevState, colors, Window{0, length}, nullptr, nullptr, 0);
}

int HtmlColorizer::LineState(const char* line, int length, int prevState) const {
    return Scan<false>(line, length, prevState, nullptr, Window{0, 0}, nullptr, nullptr, 0);
}

int HtmlColorizer::ColorPart(const char* line, int length, int prevState, const ColorResume* start, int from,
                             int to, Color* colors, std::vector<ColorResume>* resumes, int step) const {
    return Scan<true>(line, length, prevState, colors, Window{from, std::max(from, to)}, start, resumes, step);
}

// One pass over the line, character by character: a byte is only taken for
// '<', '>', '&', '"', '-' or a letter when it starts a character, so the trail
// byte of a double-byte character never changes the state, and every
// look-ahead stops at the line end.
//
// Everything the scan carries from one turn of its loop to the next is the
// offset, the state and whether the character before was double-byte: a
// pass can be taken up at the top of any turn from those three, which is
// what the resume places hold. Painting writes only inside the window, and a
// pass over a window ends at the first turn at or after its end.
template <bool Paint>
int HtmlColorizer::Scan(const char* line, int length, int state, Color* colors, Window window,
                        const ColorResume* start, std::vector<ColorResume>* resumes, int step) const {
    int i = 0;
    bool afterDoubleByte = false;  // the character before i is double-byte
    if (start) {
        i = start->offset;
        state = start->state & 0xFF;
        afterDoubleByte = (start->state & 0x100) != 0;
    }
    if (state < kHtmlText || state > kHtmlComment) state = kHtmlText;
    if (length <= 0 || !line) return state;
    const KeywordTable& elements = m_elements ? *m_elements : EmptyTable();
    const KeywordTable& attributes = m_attributes ? *m_attributes : EmptyTable();
    Color* const out = Paint ? colors : nullptr;
    auto paint = [out, window](int from, int to, Color c) {
        if (!Paint) return;
        from = std::max(from, window.from);
        to = std::min(to, window.to);
        if (from < to) std::fill(out + (from - window.from), out + (to - window.from), c);
    };
    auto keyword = [&paint, line, length](const KeywordTable& table, int at, Color c, bool afterDouble) {
        const int end = MatchKeyword(table, line, length, at, c, nullptr, afterDouble);
        paint(at, end, c);
        return end;
    };
    const HtmlColors& k = m_colors;
    const int stop = Paint ? window.to : length;
    scan::ResumeTrail trail(resumes, step, i);

    // The furthest byte a look-ahead that did not move the scan past it read;
    // the other look-aheads read at most kLookAhead bytes past the scan.
    constexpr int kLookAhead = 32;
    int reach = 0;
    while (i < length && i < stop) {
        trail.At(i, state | (afterDoubleByte ? 0x100 : 0), std::max(i, reach) + kLookAhead);
        const int n = scan::CharLen(line, length, i);
        const char c = line[i];
        if (state == kHtmlText) {
            if (n == 1 && c == '&') {
                // An entity runs to ';' unless white space or '<' comes first.
                int j = i + 1;
                while (j < length) {
                    const int nj = scan::CharLen(line, length, j);
                    if (nj == 1 && (scan::IsSpace(static_cast<unsigned char>(line[j])) || line[j] == '<' ||
                                    line[j] == ';'))
                        break;
                    j += nj;
                }
                if (j < length && line[j] == ';') {
                    paint(i, j + 1, k.entity);
                    i = j + 1;
                } else {
                    reach = std::max(reach, j + 1);
                    ++i;
                }
                afterDoubleByte = false;
                continue;
            }
            if (n == 1 && c == '<') {
                paint(i, i + 1, k.delimiter);
                if (i + 1 == length) return kHtmlStartTag;
                const char next = line[i + 1];
                if (next == '!') {
                    state = (i + 3 < length && line[i + 2] == '-' && line[i + 3] == '-') ? kHtmlComment
                                                                                         : kHtmlStartTag;
                    i += 1;  // the '!' is scanned in the new state
                    afterDoubleByte = false;
                    continue;
                }
                if (next == '/') {
                    paint(i + 1, i + 2, k.delimiter);
                    int j = i + 2;
                    while (j < length && scan::IsSpace(static_cast<unsigned char>(line[j]))) ++j;
                    if (j == length) return kHtmlEndTag;
                    j = keyword(elements, j, k.element, false);
                    const int close = FindSingle(line, length, j, '>');
                    if (close == length) {
                        paint(j, length, k.delimiter);
                        return kHtmlEndTag;
                    }
                    paint(j, close + 1, k.delimiter);
                    i = close + 1;
                    afterDoubleByte = false;
                    continue;
                }
                int j = i + 1;
                while (j < length && scan::IsSpace(static_cast<unsigned char>(line[j]))) ++j;
                if (j == length) return kHtmlStartTag;
                const int end = keyword(elements, j, k.element, false);
                if (end == j && j > i + 1) paint(i + 1, j, k.delimiter);
                state = kHtmlStartTag;
                i = end;
                afterDoubleByte = false;
                continue;
            }
            i += n;
            afterDoubleByte = n == 2;
            continue;
        }

        // Inside a tag or a comment.
        if (n == 1 && c == '&') {
            paint(i, i + 1, k.delimiter);
            ++i;
            afterDoubleByte = false;
            continue;
        }
        if (n == 1 && c == '<') {
            paint(i, i + 1, state == kHtmlComment ? k.comment : k.delimiter);
            ++i;
            afterDoubleByte = false;
            continue;
        }
        if (state == kHtmlStartTag) {
            if (n == 1 && c == '>') {
                paint(i, i + 1, k.delimiter);
                state = kHtmlText;
                ++i;
                afterDoubleByte = false;
                continue;
            }
            if (n == 1 && scan::IsAsciiAlpha(static_cast<unsigned char>(c))) {
                const int end = keyword(attributes, i, k.attribute, afterDoubleByte);
                if (end == i) {
                    paint(i, i + 1, k.delimiter);
                    ++i;
                } else {
                    i = end;
                }
                afterDoubleByte = false;
                continue;
            }
            if (n == 1 && c == '"') {
                // A string runs to the next double quote; a '>' inside it
                // does not end the tag.
                const int close = FindSingle(line, length, i + 1, '"');
                if (close == length) {
                    paint(i, length, k.string);
                    return kHtmlStartTag;
                }
                paint(i, close + 1, k.string);
                i = close + 1;
                afterDoubleByte = false;
                continue;
            }
            paint(i, i + n, k.delimiter);
            i += n;
            afterDoubleByte = n == 2;
            continue;
        }
        if (state == kHtmlEndTag) {
            paint(i, i + n, k.delimiter);
            if (n == 1 && c == '>') state = kHtmlText;
            i += n;
            afterDoubleByte = n == 2;
            continue;
        }
        // Comment: ends at "-->", whose hyphens stay comment and whose '>' is
        // a delimiter.
        if (n == 1 && c == '-' && i + 2 < length && line[i + 1] == '-' && line[i + 2] == '>') {
            paint(i, i + 2, k.comment);
            paint(i + 2, i + 3, k.delimiter);
            i += 3;
            state = kHtmlText;
            afterDoubleByte = false;
            continue;
        }
        paint(i, i + n, k.comment);
        i += n;
        afterDoubleByte = n == 2;
    }
    return state;
}

}  // namespace editor
