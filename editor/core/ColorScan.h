// Byte classes for the colouring scanners: one table lookup tells white
// space, ASCII letters and digits, and the lead bytes of double-byte
// characters (taken from the Shift JIS helper, so the rule lives there).
#pragma once

#include <climits>
#include <exception>
#include <string>
#include <vector>

#include "editor/core/ColorFunctions.h"
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

// The resume places a colouring pass leaves behind it: one at the top of the
// first turn at or after each multiple of `step` bytes beyond the last place
// held. A pass taken up behind the last place adds nothing until it reaches
// that place again. Without room for a place the pass simply leaves no more.
class ResumeTrail {
public:
    ResumeTrail(std::vector<ColorResume>* resumes, int step, int startOffset) : m_resumes(resumes), m_step(step) {
        if (!resumes || step <= 0) return;
        if (resumes->empty()) {
            m_next = step;
        } else if (startOffset >= resumes->back().offset) {
            m_next = (resumes->back().offset / step + 1) * step;
        }
    }
    // Called at the top of every turn of the pass, with what it carries there.
    void At(int offset, int state, int horizon) {
        if (m_next == INT_MAX) {
            // Caught up with the last place held.
            if (m_resumes && m_step > 0 && !m_resumes->empty() && offset == m_resumes->back().offset)
                m_next = (offset / m_step + 1) * m_step;
            return;
        }
        if (offset < m_next || !m_resumes) return;
        try {
            m_resumes->push_back(ColorResume{offset, state, horizon});
            m_next = (offset / m_step + 1) * m_step;
        } catch (const std::exception&) {
            m_next = INT_MAX;
            m_resumes = nullptr;
        }
    }

private:
    std::vector<ColorResume>* m_resumes;
    int m_step;
    int m_next = INT_MAX;
};

}  // namespace scan
}  // namespace editor
