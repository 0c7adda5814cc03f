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
    return Scan(line, length, colors, 0, length, nullptr, nullptr, 0);
}

int UserColorizer::ColorPart(const char* line, int length, int, const ColorResume* start, int from, int to,
                             Color* colors, std::vector<ColorResume>* resumes, int step) const {
    if (to <= from) return 0;
    return Scan(line, length, colors, from, to, start, resumes, step);
}

// A resume place's state is whether the character before it was double-byte.
int UserColorizer::Scan(const char* line, int length, Color* colors, int from, int to, const ColorResume* start,
                        std::vector<ColorResume>* resumes, int step) const {
    if (length <= 0 || !line) return 0;
    auto paint = [colors, from, to](int a, int b, Color c) {
        a = std::max(a, from);
        b = std::min(b, to);
        if (colors && a < b) std::fill(colors + (a - from), colors + (b - from), c);
    };
    int i = 0;
    bool afterDoubleByte = false;
    if (start) {
        i = start->offset;
        afterDoubleByte = (start->state & 0x100) != 0;
    } else if (scan::MarkerAt(line, length, 0, m_headline)) {
        paint(0, length, m_colors.headline);
        return 0;
    }
    // Every place rests on the line not starting with the headline marker,
    // and a turn reads a keyword and the byte after it, or the comment marker.
    const int headline = static_cast<int>(m_headline.size());
    const int lookAhead = std::max(KeywordTable::kMaxLength, static_cast<int>(m_lineComment.size())) + 2;
    const bool keywords = m_keywords && !m_keywords->Empty();
    scan::ResumeTrail trail(resumes, step, i);
    while (i < length && i < to) {
        trail.At(i, afterDoubleByte ? 0x100 : 0, std::max(headline, i + lookAhead));
        if (scan::MarkerAt(line, length, i, m_lineComment)) {
            paint(i, length, m_colors.lineComment);
            break;
        }
        const int end =
            keywords ? MatchKeyword(*m_keywords, line, length, i, m_colors.keyword, nullptr, afterDoubleByte) : i;
        paint(i, end, m_colors.keyword);
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
