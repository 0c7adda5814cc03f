#include "tags/core/ColorNameTable.h"

namespace tags {

namespace {
constexpr std::uint32_t Hex(std::uint32_t rrggbb) {
    return MakeRgb(rrggbb >> 16, rrggbb >> 8, rrggbb);
}
}  // namespace

const ColorName kColorNames[kColorNameCount] = {
    {"aliceblue", Hex(0xf0f8ff)},
    {"antiquewhite", Hex(0xfaebd7)},
    {"aqua", Hex(0x00ffff)},
    {"aquamarine", Hex(0x7fffd4)},
    {"azure", Hex(0xf0ffff)},
    {"beige", Hex(0xf5f5dc)},
    {"bisque", Hex(0xffe4c4)},
    {"black", Hex(0x000000)},
    {"blanchedalmond", Hex(0xffebcd)},
    {"blue", Hex(0x0000ff)},
    {"blueviolet", Hex(0x8a2be2)},
    {"brass", Hex(0xb5a642)},
    {"brown", Hex(0xa52a2a)},
    {"burlywood", Hex(0xdeb887)},
    {"cadetblue", Hex(0x5f9ea0)},
    {"chartreuse", Hex(0x7fff00)},
    {"chocolate", Hex(0xd2691e)},
    {"coolcopper", Hex(0xd98719)},
    {"copper", Hex(0xb87333)},
    {"coral", Hex(0xff7f50)},
    {"cornflowerblue", Hex(0x42426f)},
    {"cornflower", Hex(0x6495ed)},
    {"cornsilk", Hex(0xfff8dc)},
    {"crimson", Hex(0xdc143c)},
    {"cyan", Hex(0x00ffff)},
    {"darkblue", Hex(0x00008b)},
    {"darkbrown", Hex(0x5c4033)},
    {"darkcyan", Hex(0x008b8b)},
    {"darkgoldenrod", Hex(0xb8860b)},
    {"darkgray", Hex(0xa9a9a9)},
    {"darkgreen", Hex(0x006400)},
    {"darkkhaki", Hex(0xbdb76b)},
    {"darkmagenta", Hex(0x8b008b)},
    {"darkolivegreen", Hex(0x556b2f)},
    {"darkorange", Hex(0xff8c00)},
    {"darkorchid", Hex(0x9932cc)},
    {"darkred", Hex(0x8b0000)},
    {"darksalmon", Hex(0xe9967a)},
    {"darkseagreen", Hex(0x8fbc8b)},
    {"darkslateblue", Hex(0x483d8b)},
    {"darkslategray", Hex(0x2f4f4f)},
    {"darkturquoise", Hex(0x00ced1)},
    {"darkviolet", Hex(0x9400d3)},
    {"deeppink", Hex(0xff1493)},
    {"deepskyblue", Hex(0x00bfff)},
    {"dimgray", Hex(0x696969)},
    {"dodgerblue", Hex(0x1e90ff)},
    {"feldsper", Hex(0xd19275)},
    {"firebrick", Hex(0xb22222)},
    {"floralwhite", Hex(0xfffaf0)},
    {"forestgreen", Hex(0x228b22)},
    {"fuchsia", Hex(0xff00ff)},
    {"gainsboro", Hex(0xdcdcdc)},
    {"ghostwhite", Hex(0x8f8fff)},
    {"gold", Hex(0xffd700)},
    {"goldenrod", Hex(0xdaa520)},
    {"gray", Hex(0x808080)},
    {"green", Hex(0x008000)},
    {"greenyellow", Hex(0xadff2f)},
    {"honeydew", Hex(0xf0fff0)},
    {"hotpink", Hex(0xff69b4)},
    {"indianred", Hex(0xcd5c5c)},
    {"indigo", Hex(0x4b0082)},
    {"ivory", Hex(0xfffff0)},
    {"khaki", Hex(0xf0e68c)},
    {"lavender", Hex(0xe6e6fa)},
    {"lavenderblush", Hex(0xfff0f5)},
    {"lawngreen", Hex(0x7cfc00)},
    {"lemonchiffon", Hex(0xfffacd)},
    {"lightblue", Hex(0xadd8e6)},
    {"lightcoral", Hex(0xf08080)},
    {"lightcyan", Hex(0xe0ffff)},
    {"lightgoldenrodyellow", Hex(0xfafad2)},
    {"lightgreen", Hex(0x90ee90)},
    {"lightgrey", Hex(0xd3d3d3)},
    {"lightpink", Hex(0xffb6c1)},
    {"lightsalmon", Hex(0xffa07a)},
    {"lightseagreen", Hex(0x20b2aa)},
    {"lightskyblue", Hex(0x87cefa)},
    {"lightslategray", Hex(0x778899)},
    {"lightsteelblue", Hex(0xb0c4de)},
    {"lightyellow", Hex(0xffffe0)},
    {"lime", Hex(0x00ff00)},
    {"limegreen", Hex(0x32cd32)},
    {"linen", Hex(0xfaf0e6)},
    {"magenta", Hex(0xff00ff)},
    {"maroon", Hex(0x800000)},
    {"mediumaquamarine", Hex(0x66cdaa)},
    {"mediumblue", Hex(0x0000cd)},
    {"mediumorchid", Hex(0xba55d3)},
    {"mediumpurple", Hex(0x9370db)},
    {"mediumseagreen", Hex(0x3cb371)},
    {"mediumsateblue", Hex(0x7b68ee)},
    {"mediumspringgreen", Hex(0x00fa9a)},
    {"mediumturquoise", Hex(0x48d1cc)},
    {"mediumvioletred", Hex(0xc71585)},
    {"midnightblue", Hex(0x191970)},
    {"mintcream", Hex(0xf5fffa)},
    {"mistyrose", Hex(0xffe4e1)},
    {"moccasin", Hex(0xffe4b5)},
    {"navajowhite", Hex(0xffdead)},
    {"navy", Hex(0x000080)},
    {"oldlace", Hex(0xfdf5e6)},
    {"olive", Hex(0x808000)},
    {"olivedrab", Hex(0x6b8e23)},
    {"orange", Hex(0xffa500)},
    {"orangered", Hex(0xff4500)},
    {"orchid", Hex(0xda70d6)},
    {"palegoldenrod", Hex(0xeee8aa)},
    {"paregreen", Hex(0x98fb98)},
    {"pareturquoise", Hex(0xafeeee)},
    {"palevioletred", Hex(0xdb7093)},
    {"papayawhip", Hex(0xffefd5)},
    {"peachpuff", Hex(0xffdab9)},
    {"peru", Hex(0xcd853f)},
    {"pink", Hex(0xffc0cb)},
    {"plum", Hex(0xdda0dd)},
    {"powderblue", Hex(0xb0e0e6)},
    {"purple", Hex(0x800080)},
    {"red", Hex(0xff0000)},
    {"richblue", Hex(0x5959ab)},
    {"rosybrown", Hex(0xbc8f8f)},
    {"royalblue", Hex(0x4169e1)},
    {"saddlebrown", Hex(0x8b4513)},
    {"salmon", Hex(0xfa8072)},
    {"sandybrown", Hex(0xf4a460)},
    {"seagreen", Hex(0x2e8b57)},
    {"seashell", Hex(0xfff5ee)},
    {"sienna", Hex(0xa0522d)},
    {"silver", Hex(0xc0c0c0)},
    {"skyblue", Hex(0x87ceeb)},
    {"slateblue", Hex(0x6a5acd)},
    {"slategray", Hex(0x708090)},
    {"snow", Hex(0xfffafa)},
    {"springgreen", Hex(0x00ff7f)},
    {"steelblue", Hex(0x4682b4)},
    {"tan", Hex(0xd2b48c)},
    {"teal", Hex(0x008080)},
    {"thistle", Hex(0xd8bfd8)},
    {"tomato", Hex(0xff6347)},
    {"turquoise", Hex(0x40e0d0)},
    {"violet", Hex(0xee82ee)},
    {"wheat", Hex(0xf5deb3)},
    {"white", Hex(0xffffff)},
    {"whitesmoke", Hex(0xf5f5f5)},
    {"yellow", Hex(0xffff00)},
    {"yellowgreen", Hex(0x9acd32)},
};

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

int FindColorName(const char* text, std::size_t length) {
    for (int i = 0; i < kColorNameCount; ++i) {
        const char* name = kColorNames[i].name;
        std::size_t k = 0;
        while (k < length && name[k] && LowerAscii(text[k]) == name[k]) ++k;
        if (k == length && name[k] == '\0') return i;
    }
    return -1;
}

void FormatHexColor(std::uint32_t rgb, char out[8]) {
    static const char kDigits[] = "0123456789abcdef";
    const unsigned channels[3] = {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)};
    out[0] = '#';
    for (int i = 0; i < 3; ++i) {
        out[1 + 2 * i] = kDigits[channels[i] >> 4];
        out[2 + 2 * i] = kDigits[channels[i] & 15];
    }
    out[7] = '\0';
}

}  // namespace tags
