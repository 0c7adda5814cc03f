#include "shell/core/ToolBarLayout.h"

#include "config/core/SettingsStore.h"

namespace shell {

namespace {
using S = ToolButtonStyle;
constexpr bool Y = true, N = false;

const ToolButtonDef kButtons[kToolButtonCount] = {
    {0, 32777, S::Button, Y, N},   {1, 32779, S::Button, Y, N},    {2, 32780, S::Button, N, N},
    {3, 32781, S::Button, Y, N},   {4, 32782, S::Button, N, N},    {5, 32783, S::Button, Y, N},
    {6, 61204, S::DropDown, Y, Y}, {7, 40068, S::DropDown, Y, N},  {28, 32832, S::Button, N, N},
    {29, 32830, S::Button, N, N},  {8, 32771, S::Button, Y, Y},    {9, 32772, S::Button, Y, N},
    {10, 32773, S::Button, Y, N},  {11, 32774, S::Button, Y, N},   {12, 32775, S::Button, Y, N},
    {13, 40011, S::Button, N, N},  {14, 40027, S::Button, N, N},   {15, 40034, S::Button, N, N},
    {16, 40035, S::Button, N, N},  {17, 40066, S::Button, N, N},   {18, 40064, S::Button, N, N},
    {19, 40032, S::Button, N, N},  {20, 40033, S::Button, N, N},   {21, 40063, S::Button, N, N},
    {30, 32829, S::Button, N, N},  {22, 32789, S::Check, Y, Y},    {23, 32790, S::Check, Y, N},
    {31, 32839, S::Check, Y, N},   {24, 40046, S::Button, Y, Y},   {25, 40047, S::Button, Y, N},
    {26, 40045, S::Button, N, N},  {27, 32803, S::Check, Y, N},
};

constexpr std::uint8_t kMagic[4] = {'P', 'Q', 'T', 'B'};
constexpr char kSection[] = "Main";
// Entries of an arrangement that are stored and read back (separators may
// repeat, buttons may not).
constexpr std::size_t kMaxEntries = 512;
constexpr std::size_t kMaxStoredBytes = sizeof kMagic + 2 * kMaxEntries;
}  // namespace

const ToolButtonDef& ToolButtonAt(std::size_t index) { return kButtons[index < kToolButtonCount ? index : 0]; }

int FindToolButton(unsigned command) {
    for (std::size_t i = 0; i < kToolButtonCount; ++i) {
        if (kButtons[i].command == command) return static_cast<int>(i);
    }
    return -1;
}

ToolArrangement DefaultArrangement() {
    ToolArrangement a;
    for (std::size_t i = 0; i < kToolButtonCount; ++i) {
        if (!kButtons[i].shownByDefault) continue;
        if (kButtons[i].separatorBefore) a.push_back(kToolSeparator);
        a.push_back(static_cast<int>(i));
    }
    return a;
}

std::vector<std::uint8_t> EncodeArrangement(const ToolArrangement& arrangement) {
    std::vector<std::uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
    for (int entry : arrangement) {
        if (bytes.size() >= kMaxStoredBytes) break;
        const auto v = static_cast<std::uint16_t>(entry == kToolSeparator ? 0xFFFF : entry);
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return bytes;
}

bool DecodeArrangement(const std::uint8_t* bytes, std::size_t length, ToolArrangement* arrangement) {
    if (!bytes || length < sizeof kMagic || (length - sizeof kMagic) % 2 != 0) return false;
    for (std::size_t i = 0; i < sizeof kMagic; ++i) {
        if (bytes[i] != kMagic[i]) return false;
    }
    ToolArrangement a;
    bool seen[kToolButtonCount] = {};
    for (std::size_t i = sizeof kMagic; i + 1 < length; i += 2) {
        const unsigned v = bytes[i] | (bytes[i + 1] << 8);
        if (v == 0xFFFF) {
            a.push_back(kToolSeparator);
        } else if (v < kToolButtonCount && !seen[v]) {
            seen[v] = true;
            a.push_back(static_cast<int>(v));
        }
    }
    *arrangement = a;
    return true;
}

ToolArrangement LoadArrangement(const settings::SettingsStore& store) {
    std::uint8_t bytes[kMaxStoredBytes];
    std::size_t length = sizeof bytes;
    ToolArrangement a;
    if (store.ReadSettingBinary(kSection, kToolBarValue, bytes, &length) && DecodeArrangement(bytes, length, &a))
        return a;
    return DefaultArrangement();
}

void SaveArrangement(settings::SettingsStore& store, const ToolArrangement& arrangement) {
    const std::vector<std::uint8_t> bytes = EncodeArrangement(arrangement);
    store.WriteSettingBinary(kSection, kToolBarValue, bytes.data(), bytes.size());
}

}  // namespace shell
