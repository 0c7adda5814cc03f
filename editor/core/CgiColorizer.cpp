#include "editor/core/CgiColorizer.h"

#include <algorithm>

#include "editor/core/ColorScan.h"

namespace editor {

CgiColorizer::CgiColorizer(std::shared_ptr<const KeywordTable> keywords, const CgiColors& colors)
    : m_keywords(std::move(keywords)), m_colors(colors) {}

// Character by character, so a trail byte is never taken for '\\', a quote,
// '#' or the letter that starts a keyword.
int CgiColorizer::ColorLine(const char* line, int length, int, Color* colors) const {
    if (length <= 0 || !line) return 0;
    auto paint = [colors](int from, int to, Color c) {
        if (colors) std::fill(colors + from, colors + to, c);
    };
    int i = 0;
    bool afterDoubleByte = false;
    while (i < length) {
        const int n = scan::CharLen(line, length, i);
        const char c = line[i];
        if (n == 1 && (c == '!' || c == '$' || c == '%' || c == '/' || c == '\\')) {
            // The variable, pattern or escape that follows is skipped up to
            // and including the next white space.
            int k = i + 1;
            while (k < length && !scan::IsSpace(static_cast<unsigned char>(line[k])))
                k += scan::CharLen(line, length, k);
            i = k < length ? k + 1 : length;
            afterDoubleByte = false;
            continue;
        }
        if (n == 1 && (c == '"' || c == '\'')) {
            int k = i + 1;
            while (k < length) {
                const int nk = scan::CharLen(line, length, k);
                if (nk == 1 && line[k] == c) break;
                k += nk;
            }
            const int end = k < length ? k + 1 : length;
            paint(i, end, m_colors.string);
            i = end;
            afterDoubleByte = false;
            continue;
        }
        if (n == 1 && c == '#') {
            paint(i, length, m_colors.comment);
            break;
        }
        if (n == 1 && scan::IsAsciiAlpha(static_cast<unsigned char>(c))) {
            if (m_keywords) i = MatchKeyword(*m_keywords, line, length, i, m_colors.keyword, colors, afterDoubleByte);
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
