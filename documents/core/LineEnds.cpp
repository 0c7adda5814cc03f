#include "documents/core/LineEnds.h"

#include "documents/core/MemoryGuard.h"

#include <cstring>

namespace encoding {

namespace {
// Offset of the next CR or LF at or after i, or length. A byte scan is
// exact here: CR and LF are never the lead or the trail byte of a SHIFT JIS
// character, and the editor splits lines the same way.
std::size_t NextBreak(const char* text, std::size_t length, std::size_t i) {
    for (; i < length; ++i) {
        if (text[i] == '\r' || text[i] == '\n') return i;
    }
    return length;
}
}  // namespace

LineEndCounts CountLineEnds(const char* text, std::size_t length) {
    LineEndCounts counts;
    for (std::size_t i = NextBreak(text, length, 0); i < length; i = NextBreak(text, length, i)) {
        if (text[i] == '\n') {
            ++counts.lf;
            ++i;
        } else if (i + 1 < length && text[i + 1] == '\n') {
            ++counts.crlf;
            i += 2;
        } else {
            ++counts.cr;
            ++i;
        }
    }
    return counts;
}

bool ConvertLineEnds(const char* text, std::size_t length, int code, std::string* out) {
    const char* end = ReturnCodeBytes(code);
    const std::size_t endLength = static_cast<std::size_t>(ReturnCodeLength(code));
    return WithinMemory([&] {
        out->reserve(out->size() + length + length / 16 + 16);
        std::size_t from = 0;
        for (std::size_t i = NextBreak(text, length, 0); i < length; i = NextBreak(text, length, i)) {
            out->append(text + from, i - from);
            out->append(end, endLength);
            i += (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') ? 2 : 1;
            from = i;
        }
        out->append(text + from, length - from);
        return true;
    });
}

}  // namespace encoding
