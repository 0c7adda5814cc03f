#include "config/core/Bookmarks.h"

#include "config/core/SettingsStore.h"
#include "framework/core/Sjis.h"

namespace bookmarks {

const char kSection[] = "BookMark";
const char kNeverSavedMessage[] = "一度も保存されていないのでブックマークに設定できません";
const char kNotSetMessage[] = "設定されていないので移動できません";
const char kDeleteAllQuestion[] = "本当にすべてのブックマークを削除してもよろしいですか？";
const char kDeleteAllLabel[] = "すべて設定削除(&D)";

BookmarkTable LoadBookmarks(const settings::SettingsStore& store) {
    BookmarkTable table;
    for (int n = 0; n < kSlotCount; ++n) {
        table[n].path = store.ReadSettingString(kSection, settings::IndexedName("Path", n), "");
        const std::int32_t line = store.ReadSettingInt(kSection, settings::IndexedName("Line", n), 0);
        table[n].line = line < 0 ? 0 : line;
    }
    return table;
}

void SaveBookmarks(settings::SettingsStore& store, const BookmarkTable& table) {
    store.DeleteSettingSection(kSection);
    for (int n = 0; n < kSlotCount; ++n) {
        if (!table[n].IsSet()) continue;
        store.WriteSettingString(kSection, settings::IndexedName("Path", n), table[n].path);
        store.WriteSettingInt(kSection, settings::IndexedName("Line", n), table[n].line);
    }
}

std::string EscapeMenuAmpersands(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t next = sjis::Next(text.data(), text.size(), i);
        out.append(text, i, next - i);
        if (next - i == 1 && text[i] == '&') out += '&';
        i = next;
    }
    return out;
}

std::string MenuText(const Bookmark& slot, int n, bool setMenu, const std::string& keyText) {
    const std::string mnemonic = "(&" + std::to_string(n) + ")";
    std::string text;
    if (slot.IsSet()) {
        // 64-bit: the last line number shows without wrapping.
        const long long shown = static_cast<long long>(slot.line < 0 ? 0 : slot.line) + 1;
        text = EscapeMenuAmpersands(slot.path) + "：" + std::to_string(shown) + "行目" + mnemonic;
    } else {
        text = (setMenu ? "（未設定）" : "（移動不可）") + mnemonic;
    }
    return text + keyText;
}

}  // namespace bookmarks
