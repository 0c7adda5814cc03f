// libFuzzer target: every record the program reads from its settings. The
// first byte picks a reader; every value the reader asks for is drawn from
// the rest of the input the first time (missing, of another kind, or any
// number or bytes). Then: lists stay within their counts, and the settings
// the program writes from what it read read back as the same settings
// (written again they give the same values).
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/core/Bookmarks.h"
#include "config/core/KeyTable.h"
#include "config/core/RClickMenus.h"
#include "config/core/SettingsStore.h"
#include "config/core/SplitPatterns.h"
#include "documents/core/DocRules.h"
#include "documents/core/Preview.h"
#include "documents/core/SaveSettings.h"
#include "editor/core/ColorMode.h"
#include "filetree/core/FolderTreeRules.h"
#include "fuzz/FuzzCheck.h"
#include "search/core/SearchHistory.h"
#include "shell/core/AddressHistory.h"
#include "shell/core/BandLayout.h"
#include "shell/core/FrameState.h"
#include "shell/core/ToolBarLayout.h"
#include "tags/core/TagStore.h"

using fuzzcheck::Check;
using settings::SettingsStore;

namespace {

// Settings with the kinds and the case rules of the registry. With a
// provider, a value read for the first time is drawn from it and kept.
class DrawnBackend : public settings::ISettingsBackend {
public:
    enum Kind { kInt, kString, kBinary };
    struct Value {
        Kind kind;
        std::int32_t number;
        std::string bytes;
        bool operator==(const Value& o) const { return kind == o.kind && number == o.number && bytes == o.bytes; }
    };
    using Sections = std::map<std::string, std::map<std::string, Value>>;

    explicit DrawnBackend(FuzzedDataProvider* draw = nullptr) : m_draw(draw) {}
    // Every value; a section without values is no difference a reader sees.
    Sections All() const {
        Sections all = m_sections;
        for (auto it = all.begin(); it != all.end();) it = it->second.empty() ? all.erase(it) : std::next(it);
        return all;
    }

    bool ReadInt(const std::string& section, const std::string& name, std::int32_t* value) override {
        const Value* v = Get(section, name, kInt);
        if (v) *value = v->number;
        return v != nullptr;
    }
    bool ReadString(const std::string& section, const std::string& name, std::string* value) override {
        const Value* v = Get(section, name, kString);
        if (v) *value = v->bytes;
        return v != nullptr;
    }
    bool ReadBinary(const std::string& section, const std::string& name, std::vector<std::uint8_t>* value) override {
        const Value* v = Get(section, name, kBinary);
        if (v) value->assign(v->bytes.begin(), v->bytes.end());
        return v != nullptr;
    }
    bool WriteInt(const std::string& section, const std::string& name, std::int32_t value) override {
        m_sections[Lower(section)][Lower(name)] = Value{kInt, value, std::string()};
        return true;
    }
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override {
        // The registry keeps a string up to its first NUL.
        m_sections[Lower(section)][Lower(name)] = Value{kString, 0, value.substr(0, value.find('\0'))};
        return true;
    }
    bool WriteBinary(const std::string& section, const std::string& name, const std::uint8_t* bytes,
                     std::size_t length) override {
        m_sections[Lower(section)][Lower(name)] = Value{kBinary, 0, std::string(bytes, bytes + length)};
        return true;
    }
    bool DeleteSection(const std::string& section) override {
        const std::string key = Lower(section), below = key + "\\";
        for (auto it = m_sections.begin(); it != m_sections.end();) {
            if (it->first == key || it->first.compare(0, below.size(), below) == 0) it = m_sections.erase(it);
            else ++it;
        }
        return true;
    }
    bool DeleteValue(const std::string& section, const std::string& name) override {
        const auto it = m_sections.find(Lower(section));
        if (it != m_sections.end()) it->second.erase(Lower(name));
        return true;
    }

private:
    static std::string Lower(std::string s) {
        for (char& c : s) if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    const Value* Get(const std::string& section, const std::string& name, Kind kind) {
        const std::string s = Lower(section), n = Lower(name);
        if (!m_draw && m_sections.count(s) == 0) return nullptr;  // reading creates nothing
        auto& values = m_sections[s];
        auto it = values.find(n);
        if (it == values.end() && m_draw && m_drawn.insert(s + '\n' + n).second) {
            Value v{kind, 0, std::string()};
            switch (m_draw->ConsumeIntegralInRange<int>(0, 7)) {
            case 0: return nullptr;  // missing
            case 1: v.kind = static_cast<Kind>((kind + 1 + m_draw->ConsumeIntegralInRange<int>(0, 1)) % 3); break;
            default: break;
            }
            if (v.kind == kInt) {
                static const std::int32_t kNumbers[] = {0, 1, -1, 2, 3, 5, 9, 10, 13, 20, 100, 256, 2048, 2049,
                                                        32767, 65535, INT_MIN, INT_MAX};
                v.number = m_draw->ConsumeBool() ? m_draw->PickValueInArray(kNumbers)
                                                 : m_draw->ConsumeIntegral<std::int32_t>();
            } else {
                v.bytes = m_draw->ConsumeRandomLengthString(600);
                if (v.kind == kString) v.bytes = v.bytes.substr(0, v.bytes.find('\0'));
            }
            it = values.emplace(n, v).first;
        }
        if (it == values.end() || it->second.kind != kind) return nullptr;
        return &it->second;
    }

    FuzzedDataProvider* m_draw;
    Sections m_sections;
    std::set<std::string> m_drawn;  // asked for once: never drawn again
};

// One record: reads what it reads into a fresh object and writes it.
struct Record {
    const char* name;
    std::function<void(SettingsStore& from, SettingsStore& to)> readAndWrite;
};

tags::TagKinds& Kinds() {
    static tags::TagKinds kinds;
    return kinds;
}

const std::vector<Record>& Records() {
    static const std::vector<Record> records = {
        {"key table", [](SettingsStore& from, SettingsStore& to) {
             const keys::KeyTable table = keys::LoadKeyTable(from);
             Check(table.size() <= static_cast<std::size_t>(keys::kMaxStoredCount) + 64, "key table past its count");
             keys::SaveKeyTable(to, table);
         }},
        {"split layout", [](SettingsStore& from, SettingsStore& to) {
             int bars[split::kSplitCount] = {};
             const split::SplitLayout layout = split::ReadSplitLayout(from, 800, 600, bars);
             split::ValidLayout(layout);
             Check(split::WriteSplitLayout(to, layout, bars), "split layout write failed");
             split::WriteSplitShowMove(to, split::ReadSplitShowMove(from));
         }},
        {"bands and tool bar", [](SettingsStore& from, SettingsStore& to) {
             for (std::size_t i = 0; i < shell::kBandCount; ++i) {
                 const shell::BandDef& def = shell::BandDefAt(i);
                 const shell::BandState state = shell::LoadBand(from, def);
                 Check((state.style & shell::kBandHidden) == 0, "a band's style brought the hidden bit");
                 shell::SaveBand(to, def, state);
             }
             const shell::ToolArrangement tools = shell::LoadArrangement(from);
             std::set<int> seen;
             for (int b : tools) {
                 Check(b == shell::kToolSeparator || (b >= 0 && b < static_cast<int>(shell::kToolButtonCount)),
                       "an unknown tool button");
                 Check(b == shell::kToolSeparator || seen.insert(b).second, "a tool button twice");
             }
             shell::SaveArrangement(to, tools);
         }},
        {"colour modes", [](SettingsStore& from, SettingsStore& to) {
             editor::ColorModeTable table;
             table.Load(from);
             Check(table.Count() >= 3 && table.Count() <= editor::kMaxModes, "mode count out of range");
             Check(table.Save(to), "colour modes write failed");
         }},
        {"registered tags", [](SettingsStore& from, SettingsStore& to) {
             tags::TagStore store(Kinds());
             store.Load(from);
             Check(store.Files().size() <= static_cast<std::size_t>(tags::kMaxFiles), "more tag files than the limit");
             for (const tags::TagFile& f : store.Files()) {
                 Check(f.tags.size() <= static_cast<std::size_t>(tags::kMaxTags), "more tags than the limit");
             }
             store.Save(to);
         }},
        {"bookmarks", [](SettingsStore& from, SettingsStore& to) {
             const bookmarks::BookmarkTable table = bookmarks::LoadBookmarks(from);
             for (const bookmarks::Bookmark& b : table) Check(b.line >= 0, "a negative bookmark line");
             bookmarks::SaveBookmarks(to, table);
         }},
        {"right-click menus", [](SettingsStore& from, SettingsStore& to) {
             const rclick::MenuLists lists = rclick::LoadMenus(from);
             for (const rclick::MenuList& list : lists) {
                 Check(list.size() <= static_cast<std::size_t>(rclick::kMaxEntries), "a menu past its count");
             }
             rclick::SaveMenus(to, lists);
         }},
        {"frame and open files", [](SettingsStore& from, SettingsStore& to) {
             const auto files = shell::ReadOpenHistory(from);
             Check(files.size() <= static_cast<std::size_t>(shell::kMaxOpenHistory), "open history past its count");
             shell::WriteOpenHistory(to, files);
             shell::WriteFramePlacement(to, shell::ReadFramePlacement(from, shell::FramePlacement()));
             shell::WriteFrameOptions(to, shell::ReadFrameOptions(from));
             shell::AddressHistory address;
             address.Load(from);
             Check(address.Paths().size() <= shell::AddressHistory::kMaxEntries, "address history past its count");
             address.Save(to);
         }},
        {"search, documents and folder tree", [](SettingsStore& from, SettingsStore& to) {
             const search::FindSettings find = search::ReadFindSettings(from);
             const search::ReplaceSettings replace = search::ReadReplaceSettings(from);
             Check(find.history.Entries().size() <= static_cast<std::size_t>(search::kHistoryMax) &&
                       replace.findHistory.Entries().size() <= static_cast<std::size_t>(search::kHistoryMax) &&
                       replace.replaceHistory.Entries().size() <= static_cast<std::size_t>(search::kHistoryMax),
                   "a search history past its count");
             search::WriteFindSettings(to, find);
             search::WriteReplaceSettings(to, replace);
             search::WriteInsertString(to, search::ReadInsertString(from));
             docs::WriteFileSettings(to, docs::ReadFileSettings(from));
             encoding::WriteSaveSettings(to, encoding::ReadSaveSettings(from));
             preview::WritePreviewSettings(to, preview::ReadPreviewSettings(from));
             filetree::FolderTreeOptions tree;
             tree.Load(from);
             tree.Save(to, "C:\\");
         }},
    };
    return records;
}

std::string Describe(const DrawnBackend::Sections& a, const DrawnBackend::Sections& b) {
    for (const auto& [section, values] : a) {
        const auto other = b.find(section);
        if (other == b.end()) return "section " + section + " only in the first";
        for (const auto& [name, value] : values) {
            const auto it = other->second.find(name);
            if (it == other->second.end()) return section + " / " + name + " only in the first";
            if (!(it->second == value)) return section + " / " + name + " differs";
        }
    }
    return "the second has more";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 64 * 1024) return 0;
    FuzzedDataProvider draw(data + 1, size - 1);
    const Record& record = Records()[data[0] % Records().size()];

    DrawnBackend drawn(&draw), first, second;
    SettingsStore drawnStore(drawn), firstStore(first), secondStore(second);
    record.readAndWrite(drawnStore, firstStore);
    record.readAndWrite(firstStore, secondStore);
    if (!(first.All() == second.All())) {
        std::fprintf(stderr, "%s: %s\n", record.name, Describe(first.All(), second.All()).c_str());
        fuzzcheck::Fail("settings written from what was read read back as other settings");
    }
    return 0;
}
