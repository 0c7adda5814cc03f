// Code page 932 and Unicode: which character each SHIFT JIS code reads as,
// and the code of a character when it has one that reads back as itself.
// Characters without such a code (NO-BREAK SPACE, ©, EM DASH, WAVE DASH
// U+301C which code page 932 folds into U+FF5E, characters beyond the
// Basic Multilingual Plane) travel inside SHIFT JIS text through a
// per-document CharTable: each gets a free code of the user-defined area
// F040-F9FC, and the table remembers which character the code stands for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace cp932 {

// The character a byte that is no lead byte reads as (ASCII, half-width
// katakana 0xA1-0xDF), or 0 for 0x80, 0xA0 and 0xFD-0xFF, which are no
// character. Byte 0 reads as U+0000.
char32_t SingleToUnicode(unsigned char c);
// The character a pair reads as, or 0 when the pair is no character.
char32_t PairToUnicode(unsigned char lead, unsigned char trail);
// The same as a table: 188 entries per lead (trails 0x40-0x7E, 0x80-0xFC),
// leads 0x81-0x9F then 0xE0-0xFC. For loops that convert much text.
const std::uint16_t* PairTable();
// The code of `c` whose reading is `c` again: a single byte (below 0x100)
// or lead * 256 + trail; among twins the one code page 932 writes (JIS
// X 0208 before NEC row 13 before the IBM extensions before their NEC-
// selected copies). -1 when there is none (U+301C, U+00A0, U+00A9...).
int FromUnicode(char32_t c);
// The same for every character of the Basic Multilingual Plane at once:
// 65 536 codes, 0 for none (and for U+0000).
const std::uint16_t* BmpCodes();

// The user-defined area: leads 0xF0-0xF9, 188 trails each.
constexpr std::size_t kUserCodes = 1880;
constexpr bool IsUserLead(unsigned char lead) { return lead >= 0xF0 && lead <= 0xF9; }
// Index 0-1879 of a user-defined code, or -1.
int UserIndex(unsigned code);
unsigned UserCode(std::size_t index);

// A raw byte that a text held where no character could be read travels in
// the table as U+DC80-U+DCFF (no character of its own can be a lone
// surrogate), so that it is written back as the byte it was.
constexpr char32_t kRawByteBase = 0xDC00;
constexpr bool IsRawByte(char32_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// The characters of one document that code page 932 cannot hold, each
// under a user-defined code that the document does not use for a
// character of its own. Entries are never removed while the document
// lives, so undo and re-inserted text keep their meaning.
class CharTable {
public:
    CharTable();
    bool Empty() const { return m_codes.empty(); }
    std::size_t Size() const { return m_codes.size(); }
    // The character `code` stands for, or 0 when it is no table code.
    char32_t CharOf(unsigned code) const;
    // The code standing for `c`, or 0.
    unsigned CodeOf(char32_t c) const;
    // The text uses `code` for its own private-use character: never given out.
    void Reserve(unsigned code);
    // The code for `c`, taking a free one when `c` has none yet; 0 when no
    // free code is left.
    unsigned Add(char32_t c);
    // Every entry, by code.
    std::vector<std::pair<unsigned, char32_t>> Entries() const;

private:
    std::vector<char32_t> m_chars;  // by user index; 0 when free
    std::vector<bool> m_reserved;
    std::unordered_map<char32_t, unsigned> m_codes;
    std::size_t m_next = 0;  // no free index lies below
};

// Appends the SHIFT JIS of `c`: its own code when it reads back as itself
// and is not taken by the table, otherwise its table code (added when new).
// A null table takes nothing. False (nothing appended) when `c` cannot be
// held.
bool AppendChar(char32_t c, CharTable* table, std::string* out);

// Value of ReadChar for bytes that are no character.
constexpr char32_t kNoChar = 0xFFFFFFFF;
// Reads the character at text[*pos] and steps past it; a table code reads as
// its character. Bytes that are no character give kNoChar (a lead byte
// without its trail steps one byte, an unassigned pair two).
char32_t ReadChar(const char* text, std::size_t length, std::size_t* pos, const CharTable* table);

// UTF-16 text (the clipboard's and the input method's) into SHIFT JIS;
// characters outside code page 932 go through the table. Returns how many
// characters could not be held (no table, a full table, lone surrogates).
std::size_t Utf16ToSjis(const char16_t* text, std::size_t length, CharTable* table, std::string* out);
// SHIFT JIS into UTF-16 with the table's characters; bytes that are no
// character become U+FFFD.
std::u16string SjisToUtf16(const char* text, std::size_t length, const CharTable* table);
// Text written under the codes of table `from` rewritten for table `to`
// (another document's): each table character takes its code in `to`, added
// when new; a private-use character of the text keeps its code unless `to`
// gives that code to something else. Every other byte is copied as it
// stands. Returns how many characters found no code in `to` (written as 〓).
std::size_t Retable(const char* text, std::size_t length, const CharTable& from, CharTable* to, std::string* out);
// Whether the text holds a code of the table.
bool HoldsTableCode(const char* text, std::size_t length, const CharTable& table);

}  // namespace cp932
