// Colouring of CGI (Perl) scripts: keywords from one keyword table, quoted
// strings and comments. Nothing spans lines, so there is no line state.
#pragma once

#include <memory>

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

private:
    std::shared_ptr<const KeywordTable> m_keywords;
    CgiColors m_colors;
};

}  // namespace editor
