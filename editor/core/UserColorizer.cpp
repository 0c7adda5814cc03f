#include "editor/core/UserColorizer.h"

#include <algorithm>

#include "editor/core/ColorScan.h"

namespace editor {

UserColorizer::UserColorizer(std::shared_ptr<const KeywordTable> keywords, const UserColors& colors,
                             std::string headline, std::string lineComment)
    : m_keywords(std::move(keywords)),
      m_colors(colors),
      m_headline(std::move(headline)),
      m_lineComment(std::move(lineComment)) {}

int UserColorizer::ColorLine(const char* line, int length, int, Color* colors) const {
    if (length <= 0 || !line) return 0;
    auto paint = [colors](int from, int to, Color c) {
        if (colors) std::fill(colors + from, colors + to, c);
    };
    if (scan::MarkerAt(line, length, 0, m_headline)) {
        paint(0, length, m_colors.headline);
        return 0;
    }
    const bool keywords = m_keywords && !m_keywords->Empty();
    int i = 0;
    bool afterDoubleByte = false;
    while (i < length) {
        if (scan::MarkerAt(line, length, i, m_lineComment)) {
            paint(i, length, m_colors.lineComment);
            break;
        }
        const int end =
            keywords ? MatchKeyword(*m_keywords, line, length, i, m_colors.keyword, colors, afterDoubleByte) : i;
        // After a keyword the character that follows it is passed over.
        if (end > i && end >= length) break;
        const int at = end > i ? end : i;
        const int n = scan::CharLen(line, length, at);
        afterDoubleByte = n == 2;
        i = at + n;
    }
    return 0;
}

}  // namespace editor
