// Colouring of user-defined modes: keywords from one keyword table, a
// headline marker that colours the whole line and a line-comment marker.
#pragma once

#include <memory>
#include <string>

#include "editor/core/EditorSettings.h"
#include "editor/core/KeywordTable.h"

namespace editor {

struct UserColors {
    Color keyword = 0xFF0000;
    Color lineComment = 0x008000;
    Color headline = 0x0000FF;
};

class UserColorizer {
public:
    // headline and lineComment are the markers (empty: none); they may be of
    // any length and are compared without regard to case.
    UserColorizer(std::shared_ptr<const KeywordTable> keywords, const UserColors& colors, std::string headline,
                  std::string lineComment);

    // Colours one line (colors pre-filled with the text colour); returns 0.
    int ColorLine(const char* line, int length, int prevState, Color* colors) const;

private:
    std::shared_ptr<const KeywordTable> m_keywords;
    UserColors m_colors;
    std::string m_headline;
    std::string m_lineComment;
};

}  // namespace editor
