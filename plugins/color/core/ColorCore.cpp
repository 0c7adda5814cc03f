#include "plugins/color/core/ColorCore.h"

#include "framework/core/Sjis.h"
#include "tags/core/ColorNameTable.h"

namespace colorplugin {

namespace {

unsigned HexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return 0;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::string CutColorText(const std::string& text) {
    return text.substr(0, sjis::CutLength(text.data(), text.size(), kMaxColorText));
}

std::uint32_t ColorOfText(const std::string& typed) {
    const std::string t = CutColorText(typed);
    if (t.size() == 7 && t[0] == '#') {
        return tags::MakeRgb(HexValue(t[1]) * 16 + HexValue(t[2]), HexValue(t[3]) * 16 + HexValue(t[4]),
                             HexValue(t[5]) * 16 + HexValue(t[6]));
    }
    if (!t.empty() && IsAsciiLetter(t[0])) {
        const int i = tags::FindColorName(t.data(), t.size());
        if (i >= 0) return tags::kColorNames[i].rgb;
    }
    return 0;
}

std::string TextToInsert(const std::string& text, int method) {
    const std::string t = CutColorText(text);
    if (method == kInsertUpper) return sjis::ToUpperAscii(t);
    if (method == kInsertLower) return sjis::ToLowerAscii(t);
    return t;
}

ColorSettings CheckedSettings(const ColorSettings& raw) {
    ColorSettings s = raw;
    s.backColor &= 0xFFFFFF;
    s.value = raw.value != 0 ? 1 : 0;
    s.modeless = raw.modeless != 0 ? 1 : 0;
    if (raw.insertMethod < 0 || raw.insertMethod > 2) s.insertMethod = kInsertUpper;
    s.lastColor = CutColorText(raw.lastColor);
    return s;
}

}  // namespace colorplugin
