// Line ends of a text: CRLF, CR or LF, told apart as the editor's text store
// tells them apart (a CR immediately followed by LF is one CRLF).
#pragma once

#include <cstddef>
#include <string>

namespace encoding {

// ReturnCode: the kind of a line end. 3 exists only as a save setting.
enum : int { kReturnCrLf = 0, kReturnCr = 1, kReturnLf = 2, kReturnAsLoaded = 3 };

// The bytes of a line end of kind 0-2 ("\r\n", "\r", "\n") and their length.
const char* LineEndBytes(int code);
std::size_t LineEndLength(int code);

// The kind of the first line end of a text, or kReturnCrLf when it has none
// (the mode the editor takes when the text is set).
int FirstLineEnd(const char* text, std::size_t length);

// Counts of each kind of line end in a text.
struct LineEndCounts {
    std::size_t crlf = 0, cr = 0, lf = 0;
    bool Mixed() const { return (crlf != 0) + (cr != 0) + (lf != 0) > 1; }
};
LineEndCounts CountLineEnds(const char* text, std::size_t length);

// Replaces every line end of text by the line end of kind `code` (0-2),
// appending the result to *out. Returns false when memory runs out (*out is
// then unspecified).
bool ConvertLineEnds(const char* text, std::size_t length, int code, std::string* out);

}  // namespace encoding
