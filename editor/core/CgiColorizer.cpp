#include "editor/core/CgiColorizer.h"

#include <algorithm>

#include "editor/core/ColorScan.h"

namespace editor {

namespace {

// What a pass carries from one character to the next, besides whether the
// character before was double-byte (bit 0x100 of a resume place's state).
enum CgiScan { kCode = 0, kDoubleQuoted = 1, kSingleQuoted = 2, kSkipped = 3 };

// The furthest a turn reads past its own offset: a keyword and the byte
// after it.
constexpr int kLookAhead = KeywordTable::kMaxLength + 2;

}  // namespace

CgiColorizer::CgiColorizer(std::shared_ptr<const KeywordTable> keywords, const CgiColors& colors)
    : m_keywords(std::move(keywords)), m_colors(colors) {}

int CgiColorizer::ColorLine(const char* line, int length, int, Color* colors) const {
    return Scan(line, length, colors, 0, length, nullptr, nullptr, 0);
}

int CgiColorizer::ColorPart(const char* line, int length, int, const ColorResume* start, int from, int to,
                            Color* colors, std::vector<ColorResume>* resumes, int step) const {
    if (to <= from) return 0;
    return Scan(line, length, colors, from, to, start, resumes, step);
}

// Character by character, so a trail byte is never taken for '\\', a quote,
// '#' or the letter that starts a keyword. Strings and skipped variables are
// walked one character a turn, so a pass can be taken up inside them.
int CgiColorizer::Scan(const char* line, int length, Color* colors, int from, int to, const ColorResume* start,
                       std::vector<ColorResume>* resumes, int step) const {
    if (length <= 0 || !line) return 0;
    auto paint = [colors, from, to](int a, int b, Color c) {
        a = std::max(a, from);
        b = std::min(b, to);
        if (colors && a < b) std::fill(colors + (a - from), colors + (b - from), c);
    };
    int i = 0;
    int mode = kCode;
    bool afterDoubleByte = false;
    if (start) {
        i = start->offset;
        mode = start->state & 0xFF;
        afterDoubleByte = (start->state & 0x100) != 0;
    }
    scan::ResumeTrail trail(resumes, step, i);
    while (i < length && i < to) {
        trail.At(i, mode | (afterDoubleByte ? 0x100 : 0), i + kLookAhead);
        const int n = scan::CharLen(line, length, i);
        const char c = line[i];
        if (mode == kDoubleQuoted || mode == kSingleQuoted) {
            paint(i, i + n, m_colors.string);
            if (n == 1 && c == (mode == kDoubleQuoted ? '"' : '\'')) mode = kCode;
            i += n;
            afterDoubleByte = false;
            continue;
        }
        if (mode == kSkipped) {
            // The variable, pattern or escape is skipped up to and including
            // the next white space.
            if (scan::IsSpace(static_cast<unsigned char>(c))) mode = kCode;
            i += n;
            afterDoubleByte = false;
            continue;
        }
        if (n == 1 && (c == '!' || c == '$' || c == '%' || c == '/' || c == '\\')) {
            mode = kSkipped;
            ++i;
            afterDoubleByte = false;
            continue;
        }
        if (n == 1 && (c == '"' || c == '\'')) {
            paint(i, i + 1, m_colors.string);
            mode = c == '"' ? kDoubleQuoted : kSingleQuoted;
            ++i;
            afterDoubleByte = false;
            continue;
        }
        if (n == 1 && c == '#') {
            paint(i, length, m_colors.comment);
            break;
        }
        if (n == 1 && scan::IsAsciiAlpha(static_cast<unsigned char>(c))) {
            if (m_keywords) {
                const int end = MatchKeyword(*m_keywords, line, length, i, m_colors.keyword, nullptr, afterDoubleByte);
                paint(i, end, m_colors.keyword);
                i = end;
            }
            // The character right after a keyword (or the letter itself when
            // none matched) is passed over.
            if (i < length) {
                const int skip = scan::CharLen(line, length, i);
                afterDoubleByte = skip == 2;
                i += skip;
            }
            continue;
        }
        i += n;
        afterDoubleByte = n == 2;
    }
    return 0;
}

}  // namespace editor
