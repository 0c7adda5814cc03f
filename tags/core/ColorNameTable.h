// The named colours offered by the colour lists of the tag dialogs and by
// the two delivered plug-ins. The order is part of the contract: a list item's
// index is its table index. The names are kept exactly as they have always
// been stored, odd spellings included, so documents and settings written with
// them keep meaning the same colours.
//
// This one source is compiled into the program and into each plug-in module.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tags {

struct ColorName {
    const char* name;    // lower-case ASCII
    std::uint32_t rgb;   // 0x00BBGGRR
};

constexpr int kColorNameCount = 147;
extern const ColorName kColorNames[kColorNameCount];

constexpr unsigned RedOf(std::uint32_t rgb) { return rgb & 0xFF; }
constexpr unsigned GreenOf(std::uint32_t rgb) { return (rgb >> 8) & 0xFF; }
constexpr unsigned BlueOf(std::uint32_t rgb) { return (rgb >> 16) & 0xFF; }
constexpr std::uint32_t MakeRgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16;
}

// The index of the entry whose name equals text[0, length) ignoring the case
// of ASCII letters (a whole-name match), or -1.
int FindColorName(const char* text, std::size_t length);

// "#rrggbb" in lower case, with its NUL (8 bytes).
void FormatHexColor(std::uint32_t rgb, char out[8]);

}  // namespace tags
