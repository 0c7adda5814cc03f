// Character classes of code page 932 and the default word functions.
//
// Word movement and word selection group neighbouring characters of the same
// class. The classes are those the system's string-type service (CT_CTYPE1
// and CT_CTYPE3 under the Japanese locale) gives each one- or two-byte
// character, kept here as a table so that the core needs no platform call.
#pragma once

#include <cstddef>
#include <utility>

#include "editor/core/ColorFunctions.h"

namespace editor {

namespace charclass {
// Single-byte characters.
constexpr int kOther = 0;          // space, punctuation, underscore, control
constexpr int kLetter = 1;         // ASCII letter
constexpr int kDigit = 2;          // ASCII digit
constexpr int kHalfWidthKana = 4;  // half-width katakana
// Double-byte characters.
constexpr int kWideLetter = 8;
constexpr int kWideDigit = 16;
constexpr int kHiragana = 32;
constexpr int kKatakana = 64;
constexpr int kBothKana = 96;      // the prolonged sound mark
constexpr int kIdeograph = 128;
constexpr int kKashida = 256;
}  // namespace charclass

int SingleByteClass(unsigned char c);
int DoubleByteClass(unsigned char lead, unsigned char trail);
// Class of the character starting at pos in a line of `length` bytes.
int CharClassAt(const char* text, std::size_t length, std::size_t pos);

// Neighbours belong to one word when their classes are equal or share a kana bit.
inline bool SameWord(int a, int b) { return a == b || (a & b & charclass::kBothKana) != 0; }

// The default word functions over the bytes of one line (byte offsets):
// the start of the next word (the run at offset is skipped, then any run of
// class 0: spaces and punctuation; the line's length at its end);
int NextWordBoundary(const char* text, int length, int offset);
// the start of the word before offset (a run of class 0 just before offset
// goes with the word before it; 0 at the line start);
int PreviousWordBoundary(const char* text, int length, int offset);
// (start, end) of the word holding the character at offset (at the line end,
// the character before it).
std::pair<int, int> WordAt(const char* text, int length, int offset);
WordFunctions DefaultWordFunctions();

}  // namespace editor
