// The functions a colour mode installs in an editor: colouring of one line,
// the line state without colouring, and the word functions.
#pragma once

#include <functional>
#include <utility>

#include "editor/core/EditorSettings.h"

namespace editor {

// Colours one line. `colors` has one entry per byte of the line, filled with
// the text colour; `prevState` is the state at the end of the previous line
// (-1 for the first line). Returns the state at the end of this line.
using ColorLineFn = std::function<int(const char* line, int length, int prevState, Color* colors)>;

// The state at the end of a line, computed without colouring.
using LineStateFn = std::function<int(const char* line, int length, int prevState)>;

// Word functions over the bytes of one line. Offsets are byte offsets.
using NextWordFn = std::function<int(const char* text, int length, int offset)>;
using PreviousWordFn = std::function<int(const char* text, int length, int offset)>;
using WordAtFn = std::function<std::pair<int, int>(const char* text, int length, int offset)>;

struct WordFunctions {
    NextWordFn next;          // NextWordBoundary
    PreviousWordFn previous;  // PreviousWordBoundary
    WordAtFn wordAt;          // WordAt: (start, end) of the word at offset
};

}  // namespace editor
