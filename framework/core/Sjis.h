// Shift JIS (code page 932) character stepping.
//
// Every scan of program text or of a path goes through these helpers, so the
// rules of double-byte characters live in one place. A trail byte may be any
// byte from 0x40 to 0xFC, which overlaps ASCII letters, '\\' (0x5C), '|', '['
// and the lead-byte range itself, so text is always walked from a known
// character boundary, never byte by byte and never backwards without a start.
#pragma once

#include <cstddef>
#include <string>

namespace sjis {

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Bytes that may follow a lead byte in a well-formed pair: 0x40-0x7E, 0x80-0xFC.
constexpr bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}
inline bool IsTrailByte(char c) { return IsTrailByte(static_cast<unsigned char>(c)); }

// Half-width katakana and their punctuation: 0xA1-0xDF.
constexpr bool IsHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// JIS X 0208 codes (row byte * 256 + cell byte, each 0x21-0x7E) and their
// Shift JIS pairs, by the standard arithmetic. Every code of rows 0x21-0x7E
// has a pair (leads 0x81-0x9F and 0xE0-0xEF); a pair with a lead of 0xF0 or
// above, a trail of 0x7F or a trail outside 0x40-0xFC has no code.
constexpr bool IsJisByte(unsigned char c) { return c >= 0x21 && c <= 0x7E; }

// The Shift JIS pair of a JIS X 0208 code whose bytes are both IsJisByte:
// lead in the high byte, trail in the low byte.
constexpr unsigned JisToSjisPair(unsigned row, unsigned cell) {
    unsigned lead = ((row - 0x21) >> 1) + 0x81;
    if (lead > 0x9F) lead += 0x40;
    const unsigned trail = (row & 1) ? cell + (cell < 0x60 ? 0x1F : 0x20) : cell + 0x7E;
    return lead << 8 | trail;
}

// The JIS X 0208 code of a Shift JIS pair, or 0 when the pair has none.
constexpr unsigned SjisPairToJis(unsigned char lead, unsigned char trail) {
    if (!IsLeadByte(lead) || lead >= 0xF0 || !IsTrailByte(trail)) return 0;
    const unsigned l = lead < 0xA0 ? lead - 0x81u : lead - 0xC1u;
    if (trail >= 0x9F) return (l * 2 + 0x22) << 8 | (trail - 0x7Eu);
    return (l * 2 + 0x21) << 8 | (trail - (trail >= 0x80 ? 0x20u : 0x1Fu));
}

// Length of the character at text[pos] within a buffer of `length` bytes: 2
// when the byte is a lead byte and another byte follows inside the buffer
// (the rule of the system's CharNextA and of the editor: a lead byte that is
// the last byte of a line is a character of its own), otherwise 1.
inline std::size_t CharLength(const char* text, std::size_t length, std::size_t pos) {
    return (pos + 1 < length && IsLeadByte(text[pos])) ? 2 : 1;
}

// Offset of the character after the one at pos (never past length).
inline std::size_t Next(const char* text, std::size_t length, std::size_t pos) {
    if (pos >= length) return length;
    return pos + CharLength(text, length, pos);
}

// Offset of the character boundary at or before pos (looking back only over
// the lead bytes just before it).
std::size_t BoundaryAtOrBefore(const char* text, std::size_t length, std::size_t pos);

// Offset of the character boundary at or after pos.
std::size_t BoundaryAtOrAfter(const char* text, std::size_t length, std::size_t pos);

// True when pos is the start of a character (or the end of the buffer).
inline bool IsBoundary(const char* text, std::size_t length, std::size_t pos) {
    return BoundaryAtOrBefore(text, length, pos) == pos;
}

// Length of the longest start of text[0, length) that is at most max bytes,
// ends on a character boundary and does not end in a lead byte whose trail
// byte is missing: the length a text keeps when it is cut to fit a field.
std::size_t CutLength(const char* text, std::size_t length, std::size_t max);

// Offset of the character that ends at pos (the previous character), or 0.
std::size_t Previous(const char* text, std::size_t length, std::size_t pos);

// Offset of the last character equal to the single byte c in text[0, length),
// or npos. Only character starts are compared, so a trail byte 0x5C never
// counts as '\\'.
std::size_t FindLastChar(const char* text, std::size_t length, char c);

// Offset of the first character equal to c at or after `from`, or npos.
std::size_t FindChar(const char* text, std::size_t length, char c, std::size_t from = 0);

constexpr std::size_t npos = static_cast<std::size_t>(-1);

// std::string conveniences.
inline std::size_t FindLastChar(const std::string& s, char c) {
    return FindLastChar(s.data(), s.size(), c);
}
inline std::size_t FindChar(const std::string& s, char c, std::size_t from = 0) {
    return FindChar(s.data(), s.size(), c, from);
}

// Upper-cases single-byte ASCII letters only; both bytes of a double-byte
// character are left alone.
std::string ToUpperAscii(const std::string& s);
std::string ToLowerAscii(const std::string& s);

// The longest start of s of at most maxBytes bytes that ends on a character
// boundary: a double-byte character is never cut in half.
std::string CutAtBoundary(const std::string& s, std::size_t maxBytes);
// Copies text into a fixed field of `size` bytes (a face name's 32), cut on
// a character boundary and always terminated.
void CopyToField(char* field, std::size_t size, const std::string& text);

}  // namespace sjis
