// The colour picker's decisions, free of the window system: what colour a
// typed text means, how the text is inserted, and which settings read back
// from "Color.ini" are taken as they are.
#pragma once

#include <cstdint>
#include <string>

namespace colorplugin {

// Longest text of the colour box that is used (its edit holds 32 bytes).
constexpr std::size_t kMaxColorText = 31;

// How the text is inserted: upper-cased, lower-cased or as shown.
enum InsertMethod { kInsertUpper = 0, kInsertLower = 1, kInsertAsShown = 2 };

// The text cut to kMaxColorText bytes on a character boundary.
std::string CutColorText(const std::string& text);

// The colour a typed text stands for (0x00BBGGRR): "#" and exactly six more
// bytes read as hexadecimal (a byte that is no hex digit counts 0); a text
// starting with a letter is looked up among the colour names ignoring case;
// anything else, or a name that is not found, is black.
std::uint32_t ColorOfText(const std::string& text);

// The text as inserted by the method (an unknown method leaves it as is).
// Only single-byte letters change case.
std::string TextToInsert(const std::string& text, int method);

// The settings of "Color.ini", section "Color".
struct ColorSettings {
    std::uint32_t backColor = 0;  // preview and list background
    int value = 0;                // 1: the list shows names, 0: values
    int insertMethod = kInsertUpper;
    std::string lastColor;        // the colour box's text when last closed
    int modeless = 0;             // 1: the window is modeless
};

// Settings as read back, checked: colours keep their low 24 bits, Value and
// Modeless are 0 or 1 (non-zero is 1), an InsertMethod outside 0-2 is 0, and
// LastColor is cut to 31 bytes.
ColorSettings CheckedSettings(const ColorSettings& raw);

}  // namespace colorplugin
