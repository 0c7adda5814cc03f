#include "plugins/gradation/core/GradationCore.h"

#include <cstdio>

#include "framework/core/Decimal.h"
#include "framework/core/Sjis.h"
#include "tags/core/ColorNameTable.h"

namespace gradation {

namespace {

constexpr std::uint32_t Hex(std::uint32_t rrggbb) { return tags::MakeRgb(rrggbb >> 16, rrggbb >> 8, rrggbb); }

Preset MakePreset(const char* name, const std::string& str, const char* font, const char* size, int bold, int italic,
                  std::uint32_t back, std::uint32_t begin, std::uint32_t center, std::uint32_t end, int twoColor) {
    Preset p;
    p.name = name;
    p.str = str;
    p.font = font;
    p.size = size;
    p.bold = bold;
    p.italic = italic;
    p.back = Hex(back);
    p.begin = Hex(begin);
    p.center = Hex(center);
    p.end = Hex(end);
    p.twoColor = twoColor;
    return p;
}

std::string Repeat(const char* s, int times) {
    std::string r;
    for (int i = 0; i < times; ++i) r += s;
    return r;
}

// One channel of step e of a pass from a to b over m steps.
unsigned Channel(unsigned a, unsigned b, int e, int m) {
    const int d = (static_cast<int>(a) - static_cast<int>(b)) / (m - 1);
    return static_cast<unsigned>(static_cast<int>(a) - e * d) & 0xFF;
}

std::uint32_t StepColor(std::uint32_t a, std::uint32_t b, int e, int m) {
    if (e == 0) return a;
    if (e == m - 1) return b;
    return tags::MakeRgb(Channel(tags::RedOf(a), tags::RedOf(b), e, m),
                         Channel(tags::GreenOf(a), tags::GreenOf(b), e, m),
                         Channel(tags::BlueOf(a), tags::BlueOf(b), e, m));
}

std::string Get(const IniReader& read, const std::string& key) {
    std::string v;
    return read(key, &v) ? v : std::string();
}

int GetInt(const IniReader& read, const std::string& key) { return decimal::ParseSaturated(Get(read, key).c_str(), 0); }

}  // namespace

std::vector<Preset> BuiltInPresets() {
    return {
        MakePreset("サンプル１", "*** Metallic Sample ***", "ＭＳ Ｐゴシック", "30", 1, 0, 0x000000, 0x404040, 0xffffff,
                   0x404040, 0),
        MakePreset("サンプル２", "Pembroquil is good!?", "Arial Black", "40", 1, 1, 0xffffff, 0x00a0a0, 0xffffff,
                   0xa0a000, 1),
        MakePreset("サンプル３", Repeat("★", 30), "ＭＳ Ｐゴシック", "15", 0, 0, 0x800000, 0xff8000, 0xc06000, 0x800000,
                   0),
        MakePreset("サンプル４", "Cool Cooler Coolest!!!", "Arial Black", "50", 0, 0, 0x8000ff, 0x000000, 0xffffff,
                   0x000000, 0),
    };
}

Preset InitialSettings() {
    return MakePreset("", "ぐらでーしょん作成ぷらぐいん♪", "ＭＳ Ｐゴシック", "30", 0, 0, 0x400000, 0xff8000, 0xffc080,
                      0x804000, 0);
}

std::string Cut(const std::string& text, std::size_t max) {
    return text.substr(0, sjis::CutLength(text.data(), text.size(), max));
}

std::string FirstLine(const char* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length) {
        const char c = text[i];
        if (c == '\t' || c == '\n' || c == '\r' || c == '\0') break;
        i = sjis::Next(text, length, i);
    }
    return Cut(std::string(text, i), kMaxText);
}

std::string SizeDigits(const std::string& size) {
    std::string digits;
    for (char c : size) {
        if (c >= '0' && c <= '9' && digits.size() < kMaxSize) digits += c;
    }
    return digits;
}

int SizeValue(const std::string& size) { return decimal::ParseSaturated(SizeDigits(size).c_str(), 0); }

int CharCount(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); i = sjis::Next(text.data(), text.size(), i)) ++n;
    return n;
}

std::vector<std::uint32_t> CharColors(int n, std::uint32_t begin, std::uint32_t center, std::uint32_t end,
                                      bool twoColor) {
    std::vector<std::uint32_t> colors;
    if (n <= 0) return colors;
    colors.reserve(static_cast<std::size_t>(n));
    if (twoColor) {
        for (int e = 0; e < n; ++e) colors.push_back(StepColor(begin, end, e, n));
        return colors;
    }
    const int f = (n + 1) / 2;  // n/2 rounded half up
    for (int e = 0; e < f; ++e) colors.push_back(StepColor(begin, center, e, f));
    const int m = n - f + 1;
    for (int e = 1; e < m; ++e) colors.push_back(StepColor(center, end, e, m));
    return colors;
}

std::string BuildHtml(const Preset& p) {
    char buf[160];
    std::string html = "<span style=\"font-family:" + Cut(p.font, kMaxFont);
    std::snprintf(buf, sizeof buf, "; font-size:%dpx; background-color:#%02x%02x%02x;", SizeValue(p.size),
                  tags::RedOf(p.back), tags::GreenOf(p.back), tags::BlueOf(p.back));
    html += buf;
    if (p.bold) html += " font-weight:bold;";
    if (p.italic) html += " font-style:italic;";
    html += "\">";
    const std::string text = Cut(p.str, kMaxText);
    const std::vector<std::uint32_t> colors = CharColors(CharCount(text), p.begin, p.center, p.end, p.twoColor != 0);
    std::size_t pos = 0;
    for (std::uint32_t c : colors) {
        const std::size_t next = sjis::Next(text.data(), text.size(), pos);
        std::snprintf(buf, sizeof buf, "<span style=\"color:#%02x%02x%02x;\">", tags::RedOf(c), tags::GreenOf(c),
                      tags::BlueOf(c));
        html += buf;
        html.append(text, pos, next - pos);
        html += "</span>";
        pos = next;
    }
    html += "</span>";
    return html;
}

int CharsetForCodePage(unsigned codePage, int displayCharset) {
    switch (codePage) {
        case 932: return 128;
        case 936: return 134;
        case 949: return 129;
        case 950: return 136;
        case 1250: return 238;
        case 1251: return 204;
        case 1253: return 161;
        case 1254: return 162;
        case 1257: return 186;
        default: return displayCharset;
    }
}

std::vector<Preset> ReadPresets(const IniReader& read) {
    std::string countText;
    const int count = read("Count", &countText) ? decimal::ParseSaturated(countText.c_str(), -1) : -1;
    if (count < 0) return BuiltInPresets();
    std::vector<Preset> presets;
    const int n = count < kMaxPresets ? count : kMaxPresets;
    for (int i = 0; i < n; ++i) {
        const std::string k = std::to_string(i);
        Preset p;
        p.name = Cut(Get(read, "Name" + k), kMaxName);
        p.str = Cut(Get(read, "Str" + k), kMaxText);
        p.font = Cut(Get(read, "Font" + k), kMaxFont);
        p.size = SizeDigits(Get(read, "Size" + k));
        p.bold = GetInt(read, "Bold" + k) != 0;
        p.italic = GetInt(read, "Italic" + k) != 0;
        p.back = static_cast<std::uint32_t>(GetInt(read, "BackColor" + k)) & 0xFFFFFF;
        p.begin = static_cast<std::uint32_t>(GetInt(read, "BeginColor" + k)) & 0xFFFFFF;
        p.center = static_cast<std::uint32_t>(GetInt(read, "CenterColor" + k)) & 0xFFFFFF;
        p.end = static_cast<std::uint32_t>(GetInt(read, "EndColor" + k)) & 0xFFFFFF;
        p.twoColor = GetInt(read, "TwoColor" + k) != 0;
        presets.push_back(p);
    }
    return presets;
}

std::vector<std::pair<std::string, std::string>> PresetEntries(const std::vector<Preset>& presets) {
    std::vector<std::pair<std::string, std::string>> out;
    out.emplace_back("Count", std::to_string(presets.size()));
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const Preset& p = presets[i];
        const std::string k = std::to_string(i);
        out.emplace_back("Name" + k, p.name);
        out.emplace_back("Str" + k, p.str);
        out.emplace_back("Font" + k, p.font);
        out.emplace_back("Size" + k, p.size);
        out.emplace_back("Bold" + k, std::to_string(p.bold));
        out.emplace_back("Italic" + k, std::to_string(p.italic));
        out.emplace_back("BackColor" + k, std::to_string(p.back));
        out.emplace_back("BeginColor" + k, std::to_string(p.begin));
        out.emplace_back("CenterColor" + k, std::to_string(p.center));
        out.emplace_back("EndColor" + k, std::to_string(p.end));
        out.emplace_back("TwoColor" + k, std::to_string(p.twoColor));
    }
    return out;
}

}  // namespace gradation
