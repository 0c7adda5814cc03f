// Colouring of user-defined modes: keywords from one keyword table, a
// headline marker that colours the whole line and a line-comment marker.
// Nothing spans lines, so every line's state is 0.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/core/ColorFunctions.h"

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
    // Colours a part of a line as ColorPartFn describes; returns 0. A pass
    // that colours nothing ends at once: the line's state needs no scan.
    int ColorPart(const char* line, int length, int prevState, const ColorResume* start, int from, int to,
                  Color* colors, std::vector<ColorResume>* resumes, int step) const;

private:
    int Scan(const char* line, int length, Color* colors, int from, int to, const ColorResume* start,
             std::vector<ColorResume>* resumes, int step) const;

    std::shared_ptr<const KeywordTable> m_keywords;
    UserColors m_colors;
    std::string m_headline;
    std::string m_lineComment;
};

}  // namespace editor
