#include "framework/core/Decimal.h"

#include <climits>

namespace decimal {

int ParseSaturated(const char* text, int fallback) {
    if (!text || !*text) return fallback;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > kLimit) v = kLimit;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

}  // namespace decimal
