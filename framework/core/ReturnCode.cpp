#include "framework/core/ReturnCode.h"

#include <cstring>

namespace lineend {

namespace {
const char* const kBytes[kReturnCodeCount] = {"\r\n", "\r", "\n"};
const int kLengths[kReturnCodeCount] = {2, 1, 1};
const char* const kNames[kReturnCodeCount] = {"CRLF", "CR", "LF"};

int Clamp(int code) { return code >= 0 && code < kReturnCodeCount ? code : kReturnCrLf; }
}  // namespace

const char* ReturnCodeBytes(int code) { return kBytes[Clamp(code)]; }
int ReturnCodeLength(int code) { return kLengths[Clamp(code)]; }
const char* ReturnCodeName(int code) { return kNames[Clamp(code)]; }

int FirstLineEnd(const char* text, std::size_t length) {
    // CR and LF are never part of a double-byte character: a byte scan is exact.
    const void* lf = std::memchr(text, '\n', length);
    const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) : length;
    const void* cr = std::memchr(text, '\r', lfAt);
    if (cr) {
        const std::size_t i = static_cast<std::size_t>(static_cast<const char*>(cr) - text);
        return i + 1 < length && text[i + 1] == '\n' ? kReturnCrLf : kReturnCr;
    }
    return lfAt < length ? kReturnLf : kReturnCrLf;
}

}  // namespace lineend
