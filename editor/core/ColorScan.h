// Byte classes for the colouring scanners: one table lookup tells white
// space, ASCII letters and digits, and the lead bytes of double-byte
// characters (taken from the Shift JIS helper, so the rule lives there).
#pragma once

#include <string>

#include "framework/core/Sjis.h"

namespace editor {
namespace scan {

enum : unsigned char { kSpace = 1, kAlpha = 2, kDigit = 4, kLead = 8 };

struct ByteClasses {
    unsigned char of[256];
    constexpr ByteClasses() : of() {
        for (int c = 0; c < 256; ++c) {
            unsigned char k = 0;
            if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') k |= kSpace;
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) k |= kAlpha;
            if (c >= '0' && c <= '9') k |= kDigit;
            if (sjis::IsLeadByte(static_cast<unsigned char>(c))) k |= kLead;
            of[c] = k;
        }
    }
};
inline constexpr ByteClasses kClasses{};

inline bool IsSpace(unsigned char c) { return kClasses.of[c] & kSpace; }
inline bool IsAsciiAlpha(unsigned char c) { return kClasses.of[c] & kAlpha; }
inline bool IsAsciiAlnum(unsigned char c) { return kClasses.of[c] & (kAlpha | kDigit); }
inline unsigned char FoldAscii(unsigned char c) { return (kClasses.of[c] & kAlpha) ? (c | 0x20) : c; }
inline bool IsLead(char c) { return kClasses.of[static_cast<unsigned char>(c)] & kLead; }

// Length of the character at pos (1 or 2), by the editor's rule: a lead byte
// followed by another byte of the line starts a double-byte character.
inline int CharLen(const char* line, int length, int pos) {
    return (pos + 1 < length && IsLead(line[pos])) ? 2 : 1;
}

// Compares the marker with the text at pos without regard to the case of
// single-byte letters, character by character: the text must hold the whole
// marker (never read past length) and its characters must line up with the
// marker's, so a trail byte never pairs with a marker's single byte.
inline bool MarkerAt(const char* line, int length, int pos, const std::string& marker) {
    const int m = static_cast<int>(marker.size());
    if (m == 0 || pos < 0 || length - pos < m) return false;
    for (int k = 0; k < m;) {
        const int nm = CharLen(marker.data(), m, k);
        const int nt = CharLen(line, length, pos + k);
        if (nm != nt) return false;
        if (nm == 2) {
            if (marker[k] != line[pos + k] || marker[k + 1] != line[pos + k + 1]) return false;
        } else if (FoldAscii(static_cast<unsigned char>(marker[k])) !=
                   FoldAscii(static_cast<unsigned char>(line[pos + k]))) {
            return false;
        }
        k += nm;
    }
    return true;
}

}  // namespace scan
}  // namespace editor
