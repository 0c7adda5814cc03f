// Colouring of HTML: elements and attributes from two keyword tables,
// strings, comments, entities and delimiters, with a line state that carries
// open tags and comments from one line to the next.
#pragma once

#include <memory>
#include <vector>

#include "editor/core/ColorFunctions.h"
#include "editor/core/EditorSettings.h"
#include "editor/core/KeywordTable.h"

namespace editor {

// States at the end of a line.
enum HtmlState {
    kHtmlText = 0,      // between tags
    kHtmlStartTag = 1,  // inside a start tag or a "<!" declaration
    kHtmlEndTag = 2,    // inside an end tag
    kHtmlComment = 3,   // inside a comment
};

struct HtmlColors {
    Color element = 0x800080;
    Color attribute = 0x0000FF;
    Color comment = 0xC0C0C0;
    Color string = 0x808040;
    Color delimiter = 0xFF0000;
    Color entity = 0x4080D0;
};

class HtmlColorizer {
public:
    // Table 1 holds the element names, table 2 the attribute names; either
    // may be null (no keywords).
    HtmlColorizer(std::shared_ptr<const KeywordTable> elements, std::shared_ptr<const KeywordTable> attributes,
                  const HtmlColors& colors);

    // Colours one line; colors holds one entry per byte, pre-filled with the
    // text colour. prevState is the state of the line before (-1 for the
    // first line; anything unknown counts as text). Returns this line's state.
    int ColorLine(const char* line, int length, int prevState, Color* colors) const;
    // The state ColorLine would return, without colouring.
    int LineState(const char* line, int length, int prevState) const;
    // Colours a part of a line as ColorPartFn describes.
    int ColorPart(const char* line, int length, int prevState, const ColorResume* start, int from, int to,
                   Color* colors, std::vector<ColorResume>* resumes, int step) const;

private:
    // The bytes [from, to) of the output, laid at colors[0].
    struct Window {
        int from;
        int to;
    };
    template <bool Paint>
    int Scan(const char* line, int length, int state, Color* colors, Window window, const ColorResume* start,
             std::vector<ColorResume>* resumes, int step) const;

    std::shared_ptr<const KeywordTable> m_elements;
    std::shared_ptr<const KeywordTable> m_attributes;
    HtmlColors m_colors;
};

}  // namespace editor
