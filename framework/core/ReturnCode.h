// Line ends as the whole program names them (`ReturnCode`): the editor's text
// store, the encodings of files and the status bar share these.
#pragma once

#include <cstddef>

namespace lineend {

// 0 CRLF, 1 CR, 2 LF; 3 (as loaded) only as a save setting.
enum ReturnCode : int { kReturnCrLf = 0, kReturnCr = 1, kReturnLf = 2, kReturnAsLoaded = 3 };
constexpr int kReturnCodeCount = 3;

// The bytes of a line end ("\r\n", "\r", "\n") and their length; a code
// outside 0-2 counts as CRLF.
const char* ReturnCodeBytes(int code);
int ReturnCodeLength(int code);
// "CRLF", "CR", "LF" (CRLF for a code outside 0-2).
const char* ReturnCodeName(int code);

// The kind of the first line end of a text (a CR directly followed by LF is
// one CRLF), or CRLF when it has none: the mode a document takes from its text.
int FirstLineEnd(const char* text, std::size_t length);

}  // namespace lineend
