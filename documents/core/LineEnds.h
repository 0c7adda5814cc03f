// Line ends of a text: CRLF, CR or LF, told apart as the editor's text store
// tells them apart (a CR immediately followed by LF is one CRLF).
#pragma once

#include <cstddef>
#include <string>

#include "framework/core/ReturnCode.h"

namespace encoding {

// ReturnCode: the kind of a line end. 3 exists only as a save setting.
using lineend::kReturnCrLf;
using lineend::kReturnCr;
using lineend::kReturnLf;
using lineend::kReturnAsLoaded;
using lineend::ReturnCodeBytes;
using lineend::ReturnCodeLength;
using lineend::ReturnCodeName;
using lineend::FirstLineEnd;

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
