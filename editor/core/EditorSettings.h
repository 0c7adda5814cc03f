// The configuration records of one editor control, stored per colour mode.
#pragma once

#include <cstdint>

namespace editor {

// Display and behaviour options, eighteen 32-bit fields in this order.
struct EditorSettings {
    std::int32_t colorMode = 1;       // colour with the mode's colouring function
    std::int32_t indentMode = 1;      // Enter repeats the caret line's leading white space
    std::int32_t dragDropMode = 1;    // selected text can be dragged and dropped
    std::int32_t tabSize = 4;         // columns per tab stop (at least 1)
    std::int32_t hScrollStep = 2;     // columns per horizontal line scroll (not stored)
    std::int32_t vScrollStep = 1;     // lines per vertical line scroll (not stored)
    std::int32_t wheelLines = 3;      // lines per wheel notch (not stored)
    std::int32_t marginWidth = 10;    // pixels between line numbers and text (at least 0)
    std::int32_t lineSpacing = 0;     // extra pixels of line height (at least 0)
    std::int32_t eofDisp = 1;         // end-of-text mark
    std::int32_t tabDisp = 1;         // tab mark
    std::int32_t halfSpaceDisp = 1;   // half-width space mark
    std::int32_t fullSpaceDisp = 1;   // full-width space mark
    std::int32_t crlfDisp = 1;        // line-end marks
    std::int32_t lineNumDisp = 1;     // line-number gutter
    std::int32_t lineNumSelDisp = 1;  // caret line marked in the gutter
    std::int32_t rulerDisp = 1;       // column ruler
    std::int32_t rulerSelDisp = 1;    // caret column marked on the ruler
};
static_assert(sizeof(EditorSettings) == 18 * sizeof(std::int32_t), "EditorSettings has 18 fields");

// The settings with their lower bounds applied: a tab size below 1 and scroll
// steps or wheel lines of 0 or below become 1; a negative margin or line
// spacing becomes 0.
inline EditorSettings BoundedEditorSettings(EditorSettings s) {
    if (s.tabSize < 1) s.tabSize = 1;
    if (s.hScrollStep < 1) s.hScrollStep = 1;
    if (s.vScrollStep < 1) s.vScrollStep = 1;
    if (s.wheelLines < 1) s.wheelLines = 1;
    if (s.marginWidth < 0) s.marginWidth = 0;
    if (s.lineSpacing < 0) s.lineSpacing = 0;
    return s;
}

// A colour as the system's COLORREF: 0x00BBGGRR.
using Color = std::uint32_t;
constexpr Color Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// The system colours some defaults take (the Win32 layer fills them from
// GetSysColor; tests use fixed values).
struct SystemColors {
    Color windowText = 0x000000;
    Color window = 0xFFFFFF;
    Color highlightText = 0xFFFFFF;
    Color highlight = 0x800000;
};

// Thirteen colours in this order.
struct EditorColors {
    Color text;
    Color background;
    Color selectedText;
    Color selectionBackground;
    Color tabMark;
    Color halfSpaceMark;
    Color fullSpaceMark;
    Color lineEndMark;
    Color eofMark;
    Color lineNumber;
    Color lineNumberBackground;
    Color ruler;
    Color rulerBackground;
};
static_assert(sizeof(EditorColors) == 13 * sizeof(Color), "EditorColors has 13 colours");

inline EditorColors DefaultEditorColors(const SystemColors& sys) {
    return EditorColors{sys.windowText, sys.window,   sys.highlightText, sys.highlight, 0xFFC0C0,
                        0xFFC0C0,       0xFFC0C0,     0x008000,          0x008000,      sys.windowText,
                        sys.window,     sys.windowText, sys.window};
}

}  // namespace editor
