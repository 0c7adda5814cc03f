// What the libFuzzer targets share: a failed invariant prints what differs
// and aborts, so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzcheck {

inline std::string Hex(const std::string& s, std::size_t max = 96) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < s.size() && i < max; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (i) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    if (s.size() > max) out += " ...";
    return out;
}

[[noreturn]] inline void Fail(const char* what, const std::string& got = std::string(),
                              const std::string& expected = std::string()) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    if (!got.empty() || !expected.empty()) {
        std::fprintf(stderr, "  got:      %s\n  expected: %s\n", Hex(got).c_str(), Hex(expected).c_str());
    }
    std::abort();
}

inline void Check(bool ok, const char* what) {
    if (!ok) Fail(what);
}

inline void Same(const std::string& got, const std::string& expected, const char* what) {
    if (got != expected) Fail(what, got, expected);
}

}  // namespace fuzzcheck
