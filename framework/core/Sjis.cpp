#include "framework/core/Sjis.h"

#include <cstring>

namespace sjis {

// A byte that is not a lead byte always ends its character, so the byte
// after the last such byte before pos is a boundary; from there to pos only
// lead bytes follow, and they pair up. The work is that of the lead bytes
// just before pos, not of the text before them.
std::size_t BoundaryAtOrBefore(const char* text, std::size_t length, std::size_t pos) {
    if (pos >= length) return length;
    std::size_t start = pos;
    while (start > 0 && IsLeadByte(text[start - 1])) --start;
    // text[start, pos) are lead bytes: every second one starts a character.
    return ((pos - start) % 2 == 0) ? pos : pos - 1;
}

std::size_t CutLength(const char* text, std::size_t length, std::size_t max) {
    std::size_t i = 0;
    while (i < length) {
        const std::size_t next = i + CharLength(text, length, i);
        if (next > max) break;
        if (next == i + 1 && IsLeadByte(text[i])) break;  // a lead byte without its trail
        i = next;
    }
    return i;
}

std::size_t BoundaryAtOrAfter(const char* text, std::size_t length, std::size_t pos) {
    std::size_t b = BoundaryAtOrBefore(text, length, pos);
    return b == pos ? b : Next(text, length, b);
}

std::size_t Previous(const char* text, std::size_t length, std::size_t pos) {
    if (pos > length) pos = length;
    if (pos == 0) return 0;
    // The character that ends at pos starts at the boundary before pos - 1,
    // unless pos cuts a character: then that character is the one before.
    const std::size_t b = BoundaryAtOrBefore(text, length, pos);
    if (b < pos) return b;
    return BoundaryAtOrBefore(text, length, pos - 1);
}

std::size_t FindLastChar(const char* text, std::size_t length, char c) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < length; i += CharLength(text, length, i)) {
        if (text[i] == c && CharLength(text, length, i) == 1) found = i;
    }
    return found;
}

std::size_t FindChar(const char* text, std::size_t length, char c, std::size_t from) {
    for (std::size_t i = 0; i < length; i += CharLength(text, length, i)) {
        if (i >= from && text[i] == c && CharLength(text, length, i) == 1) return i;
    }
    return npos;
}

namespace {
template <char First, char Last, int Shift>
std::string MapAscii(const std::string& s) {
    std::string out = s;
    for (std::size_t i = 0; i < out.size();) {
        std::size_t n = CharLength(out.data(), out.size(), i);
        if (n == 1 && out[i] >= First && out[i] <= Last) out[i] = static_cast<char>(out[i] + Shift);
        i += n;
    }
    return out;
}
}  // namespace

std::string ToUpperAscii(const std::string& s) { return MapAscii<'a', 'z', 'A' - 'a'>(s); }
std::string ToLowerAscii(const std::string& s) { return MapAscii<'A', 'Z', 'a' - 'A'>(s); }

std::string CutAtBoundary(const std::string& s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    return s.substr(0, BoundaryAtOrBefore(s.data(), s.size(), maxBytes));
}

void CopyToField(char* field, std::size_t size, const std::string& text) {
    if (!field || size == 0) return;
    const std::string cut = CutAtBoundary(text.substr(0, text.find('\0')), size - 1);
    std::memcpy(field, cut.data(), cut.size());
    std::memset(field + cut.size(), 0, size - cut.size());
}

}  // namespace sjis
