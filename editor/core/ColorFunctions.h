// The functions a colour mode installs in an editor: colouring of one line,
// the line state without colouring, and the word functions.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "editor/core/EditorSettings.h"

namespace editor {

// Colours one line. `colors` has one entry per byte of the line, filled with
// the text colour; `prevState` is the state at the end of the previous line
// (-1 for the first line). Returns the state at the end of this line.
using ColorLineFn = std::function<int(const char* line, int length, int prevState, Color* colors)>;

// The state at the end of a line, computed without colouring.
using LineStateFn = std::function<int(const char* line, int length, int prevState)>;

// A place inside a line where a colouring pass can be taken up again: the
// offset of a character start and the scanner's state there, as the
// colouring function packs it. The place holds while the bytes before
// `horizon` stay as they were (the scan looked ahead that far to reach it).
struct ColorResume {
    int offset = 0;
    int state = 0;
    int horizon = 0;
};

// Colours bytes [from, to) of a line into colors[0, to - from) (filled with
// the text colour), exactly as ColorLineFn colours them in the whole line.
// The pass starts at `start` (null: the line's start with `prevState`), a
// place a pass over the same line reported before, at or before `from`.
// With `resumes` it appends the places it passes beyond the last one held,
// one at or after each multiple of `step` bytes. Returns the state where
// the pass stopped: with `to` at the line's length, the line's state.
using ColorPartFn = std::function<int(const char* line, int length, int prevState, const ColorResume* start,
                                       int from, int to, Color* colors, std::vector<ColorResume>* resumes, int step)>;

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
