// The bands of the bar container and their stored layout (section "Main"):
// style bits, width, position and, for the bands the View menu toggles,
// whether they are shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace settings {
class SettingsStore;
}

namespace shell {

// Band style bits of the platform's rebar.
constexpr int kBandBreak = 0x01;
constexpr int kBandFixedSize = 0x02;
constexpr int kBandHidden = 0x08;
constexpr int kBandFixedBmp = 0x20;
constexpr int kBandGripperAlways = 0x80;
constexpr int kBandNoGripper = 0x100;
constexpr int kBandUseChevron = 0x200;

enum class BandKind { MenuBar = 0, CloseButton = 1, StandardBar = 2, AddressBar = 3 };
constexpr std::size_t kBandCount = 4;

struct BandDef {
    BandKind kind;
    const char* prefix;        // value names: prefix + "Style", "Cx", "Disp", "Index"
    int defaultStyle;
    int defaultIndex;
    bool storesWidth;
    bool storesDisplay;
    unsigned toggleCommand;    // View menu command, 0 for none
    unsigned childId;
};
const BandDef& BandDefAt(std::size_t index);

struct BandState {
    int style = 0;
    int cx = 0;
    int index = 0;
    bool visible = true;
};

// Reads a band's state; a stored style never brings the hidden bit along
// (whether a band shows is its own value).
BandState LoadBand(const settings::SettingsStore& store, const BandDef& def);
// Writes a band's state; the hidden bit of the rebar's style is not stored.
void SaveBand(settings::SettingsStore& store, const BandDef& def, const BandState& state);

// Lock or unlock: a band that is not of fixed size and always shows its
// gripper now never shows one, and the other way round.
int ToggledLockStyle(int style);

// The band modules in the order they are inserted: by stored position, ties
// in module order.
std::vector<std::size_t> InsertionOrder(const std::vector<BandState>& states);

// Gap between the bar container and the panes below it.
inline int GapBelowBars(int firstBandStyle) { return (firstBandStyle & kBandGripperAlways) ? 7 : 4; }

}  // namespace shell
