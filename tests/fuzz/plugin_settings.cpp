// libFuzzer target: the settings files of the two plug-ins, read as the
// system reads initialization files. What is read back keeps to its fields
// and limits, and reads the same once written again.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "editor/core/InputAssist.h"
#include "framework/core/Decimal.h"
#include "fuzz/FuzzCheck.h"
#include "plugins/color/core/ColorCore.h"
#include "plugins/gradation/core/GradationCore.h"

using fuzzcheck::Check;
using fuzzcheck::Same;

namespace {

std::string Flatten(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string out;
    for (const auto& kv : entries) out += kv.first + "=" + kv.second + "\n";
    return out;
}

void CheckGradation(const editor::assist::ProfileText& ini) {
    const std::vector<gradation::Preset> presets =
        gradation::ReadPresets([&ini](const std::string& key, std::string* value) {
            const std::string* found = ini.Find("Gradation", key);
            if (found) *value = *found;
            return found != nullptr;
        });
    Check(presets.size() <= static_cast<std::size_t>(gradation::kMaxPresets), "more presets than the limit");
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const gradation::Preset& p = presets[i];
        Check(p.name.size() <= gradation::kMaxName && p.str.size() <= gradation::kMaxText &&
                  p.font.size() <= gradation::kMaxFont && p.size.size() <= gradation::kMaxSize,
              "a preset field is longer than its field");
        Check((p.bold | p.italic | p.twoColor) <= 1 && p.bold >= 0 && p.italic >= 0 && p.twoColor >= 0,
              "a preset flag is not 0 or 1");
        Check(((p.back | p.begin | p.center | p.end) >> 24) == 0, "a preset colour beyond 24 bits");
        if (i < 4) gradation::BuildHtml(p);
    }
    // Written the way the plug-in writes them, they read back the same. (The
    // built-in presets are left out: this build's compiler keeps their
    // Japanese texts in UTF-8, not in the program's code page.)
    const std::string* count = ini.Find("Gradation", "Count");
    if (!count || decimal::ParseSaturated(count->c_str(), -1) < 0) return;
    const auto entries = gradation::PresetEntries(presets);
    std::map<std::string, std::string> written(entries.begin(), entries.end());
    const std::vector<gradation::Preset> again =
        gradation::ReadPresets([&written](const std::string& key, std::string* value) {
            const auto it = written.find(key);
            if (it == written.end()) return false;
            *value = it->second;
            return true;
        });
    Same(Flatten(gradation::PresetEntries(again)), Flatten(entries), "presets written and read again changed");
}

void CheckColor(const editor::assist::ProfileText& ini) {
    colorplugin::ColorSettings raw;
    auto readInt = [&ini](const char* key) {
        const std::string* v = ini.Find("Color", key);
        return v ? decimal::ParseSaturated(v->c_str(), 0) : 0;
    };
    raw.backColor = static_cast<std::uint32_t>(readInt("BackColor"));
    raw.value = readInt("Value");
    raw.insertMethod = readInt("InsertMethod");
    raw.modeless = readInt("Modeless");
    if (const std::string* v = ini.Find("Color", "LastColor")) raw.lastColor = *v;
    const colorplugin::ColorSettings checked = colorplugin::CheckedSettings(raw);
    Check((checked.backColor >> 24) == 0 && (checked.value == 0 || checked.value == 1) &&
              (checked.modeless == 0 || checked.modeless == 1) && checked.insertMethod >= 0 &&
              checked.insertMethod <= 2 && checked.lastColor.size() <= colorplugin::kMaxColorText,
          "checked colour settings out of their ranges");
    const colorplugin::ColorSettings twice = colorplugin::CheckedSettings(checked);
    Check(twice.backColor == checked.backColor && twice.value == checked.value &&
              twice.insertMethod == checked.insertMethod && twice.lastColor == checked.lastColor &&
              twice.modeless == checked.modeless,
          "checking checked settings changed them");
    colorplugin::ColorOfText(checked.lastColor);
    for (int method = 0; method < 4; ++method) {
        Check(colorplugin::TextToInsert(checked.lastColor, method).size() == checked.lastColor.size(),
              "inserting a colour text changed its length");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    const editor::assist::ProfileText ini(std::string(reinterpret_cast<const char*>(data), size));
    CheckGradation(ini);
    CheckColor(ini);
    return 0;
}
