#include "shell/core/BandLayout.h"

#include <algorithm>
#include <string>

#include "config/core/SettingsStore.h"

namespace shell {

namespace {
constexpr char kSection[] = "Main";

const BandDef kBands[kBandCount] = {
    {BandKind::MenuBar, "MenuBar", 640, 0, true, false, 0, 4012},
    {BandKind::CloseButton, "MDIButton", 291, 1, false, false, 0, 4013},
    {BandKind::StandardBar, "StandardBar", 641, 2, true, true, 32787, 4009},
    {BandKind::AddressBar, "AddressBox", 129, 3, true, true, 32788, 4010},
};

std::string Name(const BandDef& def, const char* what) { return std::string(def.prefix) + what; }
}  // namespace

const BandDef& BandDefAt(std::size_t index) { return kBands[index < kBandCount ? index : 0]; }

BandState LoadBand(const settings::SettingsStore& store, const BandDef& def) {
    BandState s;
    s.style = store.ReadSettingInt(kSection, Name(def, "Style"), def.defaultStyle) & ~kBandHidden;
    s.index = store.ReadSettingInt(kSection, Name(def, "Index"), def.defaultIndex);
    s.cx = def.storesWidth ? store.ReadSettingInt(kSection, Name(def, "Cx"), 0) : 0;
    if (s.cx < 0) s.cx = 0;
    s.visible = def.storesDisplay ? store.ReadSettingInt(kSection, Name(def, "Disp"), 1) != 0 : true;
    return s;
}

void SaveBand(settings::SettingsStore& store, const BandDef& def, const BandState& state) {
    store.WriteSettingInt(kSection, Name(def, "Style"), state.style & ~kBandHidden);
    store.WriteSettingInt(kSection, Name(def, "Index"), state.index);
    if (def.storesWidth) store.WriteSettingInt(kSection, Name(def, "Cx"), state.cx);
    if (def.storesDisplay) store.WriteSettingInt(kSection, Name(def, "Disp"), state.visible ? 1 : 0);
}

int ToggledLockStyle(int style) {
    if (style & kBandFixedSize) return style;
    if (style & kBandGripperAlways) return (style & ~kBandGripperAlways) | kBandNoGripper;
    return (style & ~kBandNoGripper) | kBandGripperAlways;
}

std::vector<std::size_t> InsertionOrder(const std::vector<BandState>& states) {
    std::vector<std::size_t> order(states.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return states[a].index < states[b].index; });
    return order;
}

}  // namespace shell
