// Colouring of CGI (Perl) scripts: keywords from one keyword table, quoted
// strings and comments. Nothing spans lines, so every line's state is 0.
#pragma once

#include <memory>
#include <vector>

#include "editor/core/ColorFunctions.h"
#include "editor/core/EditorSettings.h"
#include "editor/core/KeywordTable.h"

namespace editor {

struct CgiColors {
    Color keyword = 0xFF0000;
    Color comment = 0x008000;
    Color string = 0x4000C0;
};

class CgiColorizer {
public:
    CgiColorizer(std::shared_ptr<const KeywordTable> keywords, const CgiColors& colors);

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
    CgiColors m_colors;
};

}  // namespace editor
