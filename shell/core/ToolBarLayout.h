// The standard buttons: the tool bar's full set of 32 buttons and the
// arrangement the user chose, stored as value "ToolBar" of section "Main".
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace settings {
class SettingsStore;
}

namespace shell {

enum class ToolButtonStyle { Button, DropDown, Check };

struct ToolButtonDef {
    int image;                 // index into the tool bar bitmaps
    unsigned command;
    ToolButtonStyle style;
    bool shownByDefault;
    bool separatorBefore;      // in the default arrangement
};

constexpr std::size_t kToolButtonCount = 32;
const ToolButtonDef& ToolButtonAt(std::size_t index);
// The button of a command, or -1.
int FindToolButton(unsigned command);

// An arrangement: button indexes in bar order, kToolSeparator for a separator.
constexpr int kToolSeparator = -1;
using ToolArrangement = std::vector<int>;
ToolArrangement DefaultArrangement();

// The stored form: "PQTB", then one little-endian 16-bit entry per button
// (0xFFFF for a separator). Decoding keeps what is sound: unknown indexes
// and repeated buttons are dropped; a value of another form fails.
std::vector<std::uint8_t> EncodeArrangement(const ToolArrangement& arrangement);
bool DecodeArrangement(const std::uint8_t* bytes, std::size_t length, ToolArrangement* arrangement);

constexpr char kToolBarValue[] = "ToolBar";
// The stored arrangement, or the default one when none can be read.
ToolArrangement LoadArrangement(const settings::SettingsStore& store);
void SaveArrangement(settings::SettingsStore& store, const ToolArrangement& arrangement);

}  // namespace shell
