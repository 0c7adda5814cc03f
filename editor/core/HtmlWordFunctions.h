// Word movement and word selection of the HTML mode: tags and the text
// between them are the words, and a double click inside a quoted attribute
// value selects the value.
#pragma once

#include <utility>

#include "editor/core/ColorFunctions.h"

namespace editor {

// Next boundary after offset: the next '<' (its position) or '>' (just after
// it) from the caret, starting one further when the caret stands on '<'; the
// line end when there is none.
int HtmlNextWordBoundary(const char* text, int length, int offset);

// Previous boundary before offset: the nearest '<' (its position) or '>'
// (just after it) backwards; the line start when there is none. The search
// starts two bytes back when '>' is just before the caret and one back when
// the caret stands on '<' or '>', so the caret always moves.
int HtmlPreviousWordBoundary(const char* text, int length, int offset);

// The word at offset (a double click): inside a tag, between two double
// quotes (one on each side of the caret), the text between them; otherwise
// the whole segment around the caret, a tag from '<' to just after '>' or the
// text between two tags.
std::pair<int, int> HtmlWordAt(const char* text, int length, int offset);

// The three as the editor installs them.
WordFunctions HtmlWordFunctions();

}  // namespace editor
