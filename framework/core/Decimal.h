// Decimal integers as settings files and edit boxes hold them.
#pragma once

namespace decimal {

// Optional blanks, an optional sign and digits; anything after the digits is
// ignored and the value saturates at the 32-bit limits. A null or empty text
// gives `fallback`; a text without digits gives 0.
int ParseSaturated(const char* text, int fallback);

}  // namespace decimal
