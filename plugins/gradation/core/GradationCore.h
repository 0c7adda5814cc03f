// The gradient-text generator's decisions, free of the window system: the
// colour of every character, the HTML inserted, the text taken from the
// selection, and the presets of "Gradation.ini".
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace gradation {

// Field sizes of a preset, without the NUL.
constexpr std::size_t kMaxName = 63;
constexpr std::size_t kMaxText = 127;
constexpr std::size_t kMaxFont = 63;
constexpr std::size_t kMaxSize = 9;
// At most this many presets are read back.
constexpr int kMaxPresets = 1000;

// One named set of settings; also the dialog's current settings.
struct Preset {
    std::string name;
    std::string str;   // the text to colour
    std::string font;  // face name
    std::string size;  // pixels, decimal digits
    int bold = 0;
    int italic = 0;
    std::uint32_t back = 0;  // 0x00BBGGRR
    std::uint32_t begin = 0;
    std::uint32_t center = 0;
    std::uint32_t end = 0;
    int twoColor = 0;  // 1: begin to end without the centre colour
};

// The four presets offered while the settings file holds none.
std::vector<Preset> BuiltInPresets();
// The settings the dialog starts with (no name).
Preset InitialSettings();

// `text` cut to at most `max` bytes on a character boundary, without a lead
// byte whose trail byte is missing at its end.
std::string Cut(const std::string& text, std::size_t max);

// The first line of a selection: the bytes before the first TAB, LF, CR or
// NUL character, cut to kMaxText.
std::string FirstLine(const char* text, std::size_t length);

// Size as the edit keeps it: its digits only, at most kMaxSize of them.
std::string SizeDigits(const std::string& size);
// The pixel size of a Size text (0 when it has no digits; saturating).
int SizeValue(const std::string& size);

// The number of characters of a text (a double-byte pair is one).
int CharCount(const std::string& text);

// The colour of each of n characters: begin to end directly when twoColor,
// else begin to centre over the first half (rounded up) and on to end.
std::vector<std::uint32_t> CharColors(int n, std::uint32_t begin, std::uint32_t center, std::uint32_t end,
                                      bool twoColor);

// The HTML of the whole text: an outer span with the font, size, background,
// weight and style, and one coloured span per character.
std::string BuildHtml(const Preset& p);

// The character set of the preview font for the user's ANSI code page, before
// checking that a font of that set has the face: `displayCharset` for 1252
// and code pages without a set of their own.
int CharsetForCodePage(unsigned codePage, int displayCharset);

// Settings file access by key of section "Gradation": true and the value when
// the key is present.
using IniReader = std::function<bool(const std::string& key, std::string* value)>;

// The presets read back: the built-in ones while "Count" is absent or
// negative; at most kMaxPresets; texts cut to their fields, Size to its
// digits, colours to their low 24 bits, flags 0 or 1.
std::vector<Preset> ReadPresets(const IniReader& read);

// The keys and values that store `presets` ("Count" first), in writing order.
std::vector<std::pair<std::string, std::string>> PresetEntries(const std::vector<Preset>& presets);

}  // namespace gradation
