// Helpers of the encoding tests: run a converter on a byte string.
#pragma once

#include "documents/core/CharCode.h"

#include <string>

namespace enctest {

using Converter = bool (*)(encoding::CodeConverter&);

inline std::string Run(Converter convert, const std::string& in, bool fullWidth) {
    encoding::CodeConverter conv(in.data(), in.size(), fullWidth);
    if (!convert(conv)) return "<failed>";
    return conv.output;
}

inline std::string JisToSjis(const std::string& in, bool fullWidth = false) {
    return Run(encoding::JisToSjis, in, fullWidth);
}
inline std::string EucToSjis(const std::string& in, bool fullWidth = false) {
    return Run(encoding::EucToSjis, in, fullWidth);
}
inline std::string SjisToJis(const std::string& in, bool fullWidth = true) {
    return Run(encoding::SjisToJis, in, fullWidth);
}
inline std::string SjisToEuc(const std::string& in, bool fullWidth = true) {
    return Run(encoding::SjisToEuc, in, fullWidth);
}

inline int Detect(const std::string& in) { return encoding::DetectCharCode(in.data(), in.size(), 0); }

// Printable form of bytes for failure messages.
inline std::string Hex(const std::string& s) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

}  // namespace enctest
