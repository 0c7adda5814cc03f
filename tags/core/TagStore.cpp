#include "tags/core/TagStore.h"

#include <map>

#include "config/core/SettingsStore.h"
#include "framework/core/Sjis.h"
#include "tags/core/TagFileFormat.h"

namespace tags {

using settings::IndexedName;
using settings::SettingsStore;

namespace {

std::string FileSection(int i) { return settings::SubSectionName(kStoreSection, "File", i); }
std::string FileName(const std::string& name) { return sjis::CutAtBoundary(name, kFileNameLimit); }

}  // namespace

void TagStore::FreeEntry(TagEntry& entry) {
    if (CTagKind* kind = m_kinds.Of(entry.kind)) kind->Free(entry.record.get());
    entry.record.reset();
}

void TagStore::Clear() {
    for (TagFile& f : m_files)
        for (TagEntry& e : f.tags) FreeEntry(e);
    m_files.clear();
}

void TagStore::MakeSamples() {
    for (int k = 0; k < kKindCount; ++k) {
        const CTagKind* kind = m_kinds.Of(k);
        TagFile file;
        file.name = kind->SampleFileName();
        for (int i = 0; i < kind->SampleCount(); ++i) {
            TagEntry e;
            e.kind = k;
            e.record = kind->MakeSample(i);
            file.tags.push_back(std::move(e));
        }
        m_files.push_back(std::move(file));
    }
}

void TagStore::Load(const SettingsStore& store) {
    Clear();
    const std::int32_t count =
        settings::ReadListCount(store, kStoreSection, kMaxFiles, settings::ListDefault::BuiltIn);
    if (count == settings::kCountNeverStored) {
        MakeSamples();
    } else {
        for (int i = 0; i < count; ++i) {
            const std::string section = FileSection(i);
            TagFile file;
            file.name = FileName(store.ReadSettingString(section, "Name", ""));
            file.expand = settings::ReadSettingFlag(store, section, "Expand", 1);
            const int n = settings::ReadSettingClamped(store, section, "Count", 0, 0, kMaxTags);
            for (int j = 0; j < n; ++j) {
                TagEntry e;
                e.kind = store.ReadSettingInt(section, IndexedName("Kind", j), 0);
                if (const CTagKind* kind = m_kinds.Of(e.kind)) e.record = kind->Load(store, section, j);
                file.tags.push_back(std::move(e));
            }
            m_files.push_back(std::move(file));
        }
    }
    keyDisplay = settings::ReadSettingFlag(store, kStoreSection, kKeyDispName, 1) != 0;
    AssignIds();
}

void TagStore::Save(SettingsStore& store) const {
    const std::int32_t old = settings::Clamp(store.ReadSettingInt(kStoreSection, "Count", 0), 0, kMaxFiles);
    settings::DeleteSectionList(store, kStoreSection, "File", old);
    store.WriteSettingInt(kStoreSection, "Count", static_cast<std::int32_t>(m_files.size()));
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        const TagFile& file = m_files[i];
        const std::string section = FileSection(static_cast<int>(i));
        store.WriteSettingInt(section, "Count", static_cast<std::int32_t>(file.tags.size()));
        store.WriteSettingString(section, "Name", file.name);
        store.WriteSettingInt(section, "Expand", file.expand);
        for (std::size_t j = 0; j < file.tags.size(); ++j) {
            const TagEntry& e = file.tags[j];
            store.WriteSettingInt(section, IndexedName("Kind", static_cast<int>(j)), e.kind);
            if (const CTagKind* kind = m_kinds.Of(e.kind)) kind->Save(store, section, static_cast<int>(j), e.record.get());
        }
    }
    store.WriteSettingInt(kStoreSection, kKeyDispName, keyDisplay ? 1 : 0);
}

void TagStore::AssignIds() {
    for (std::size_t f = 0; f < m_files.size(); ++f)
        for (std::size_t t = 0; t < m_files[f].tags.size(); ++t)
            m_files[f].tags[t].commandId = TagId(static_cast<int>(f), static_cast<int>(t));
}

TagEntry* TagStore::FindById(unsigned id, int* file, int* tag) {
    if (!IsTagId(id)) return nullptr;
    const std::size_t f = (id - kFirstTagId) / 100, t = (id - kFirstTagId) % 100;
    if (f >= m_files.size() || t >= m_files[f].tags.size() || !m_files[f].tags[t].Known()) return nullptr;
    if (file) *file = static_cast<int>(f);
    if (tag) *tag = static_cast<int>(t);
    return &m_files[f].tags[t];
}

bool TagStore::RemapKeys(keys::KeyTable& table) const {
    std::map<unsigned, unsigned> moved;
    for (std::size_t f = 0; f < m_files.size(); ++f)
        for (std::size_t t = 0; t < m_files[f].tags.size(); ++t) {
            const unsigned old = m_files[f].tags[t].commandId;
            if (IsTagId(old)) moved[old] = TagId(static_cast<int>(f), static_cast<int>(t));
        }
    keys::KeyTable out;
    for (const keys::KeyBinding& b : table) {
        if (!IsTagId(b.command)) {
            out.push_back(b);
        } else if (auto it = moved.find(b.command); it != moved.end()) {
            keys::KeyBinding nb = b;
            nb.command = static_cast<std::uint16_t>(it->second);
            out.push_back(nb);
        }
    }
    if (out == table) return false;
    table.swap(out);
    return true;
}

std::string TagStore::Name(const TagEntry& entry) const {
    const CTagKind* kind = m_kinds.Of(entry.kind);
    return kind ? kind->GetName(entry.record.get()) : std::string();
}

std::string TagStore::Label(const TagEntry& entry, const keys::KeyTable& table) const {
    std::string label = Name(entry);
    if (keyDisplay) {
        if (const keys::KeyBinding* b = keys::FindByCommand(table, entry.commandId))
            label += "　[" + keys::BindingText(*b) + "]";
    }
    return label;
}

int TagStore::AddFile(const std::string& name) {
    if (m_files.size() >= static_cast<std::size_t>(kMaxFiles)) return -1;
    TagFile file;
    file.name = FileName(name);
    m_files.push_back(std::move(file));
    return static_cast<int>(m_files.size()) - 1;
}

int TagStore::AddTag(int file, int kind) {
    const CTagKind* k = m_kinds.Of(kind);
    if (!k || file < 0 || file >= static_cast<int>(m_files.size())) return -1;
    auto& list = m_files[static_cast<std::size_t>(file)].tags;
    if (list.size() >= static_cast<std::size_t>(kMaxTags)) return -1;
    TagEntry e;
    e.kind = kind;
    e.record = k->NewRecord();
    list.push_back(std::move(e));
    return static_cast<int>(list.size()) - 1;
}

void TagStore::RemoveFile(int file) {
    if (file < 0 || file >= static_cast<int>(m_files.size())) return;
    for (TagEntry& e : m_files[static_cast<std::size_t>(file)].tags) FreeEntry(e);
    m_files.erase(m_files.begin() + file);
}

void TagStore::DeleteTag(int file, int tag) {
    if (file < 0 || file >= static_cast<int>(m_files.size())) return;
    auto& list = m_files[static_cast<std::size_t>(file)].tags;
    if (tag < 0 || tag >= static_cast<int>(list.size())) return;
    FreeEntry(list[static_cast<std::size_t>(tag)]);
    list.erase(list.begin() + tag);
}

void TagStore::RenameFile(int file, const std::string& name) {
    if (file >= 0 && file < static_cast<int>(m_files.size())) m_files[static_cast<std::size_t>(file)].name = FileName(name);
}

bool TagStore::MoveTag(int file, int tag, int toFile, int before) {
    const int n = static_cast<int>(m_files.size());
    if (file < 0 || file >= n || toFile < 0 || toFile >= n) return false;
    auto& from = m_files[static_cast<std::size_t>(file)].tags;
    auto& to = m_files[static_cast<std::size_t>(toFile)].tags;
    if (tag < 0 || tag >= static_cast<int>(from.size())) return false;
    if (file != toFile && to.size() >= static_cast<std::size_t>(kMaxTags)) return false;
    if (before < 0 || before > static_cast<int>(to.size())) before = static_cast<int>(to.size());
    if (file == toFile && (before == tag || before == tag + 1)) return true;
    TagEntry e = std::move(from[static_cast<std::size_t>(tag)]);
    from.erase(from.begin() + tag);
    if (file == toFile && before > tag) --before;
    to.insert(to.begin() + before, std::move(e));
    return true;
}

bool TagStore::MoveTagFile(int file, int before) {
    const int n = static_cast<int>(m_files.size());
    if (file < 0 || file >= n) return false;
    if (before < 0 || before > n) before = n;
    if (before == file || before == file + 1) return true;
    TagFile f = std::move(m_files[static_cast<std::size_t>(file)]);
    m_files.erase(m_files.begin() + file);
    if (before > file) --before;
    m_files.insert(m_files.begin() + before, std::move(f));
    return true;
}

std::string TagStore::ExportText() const {
    std::string out = std::string(kTagFileHeader) + "\r\n";
    out += "[TagFileCount]\r\nCount=" + std::to_string(m_files.size()) + "\r\n\r\n";
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        const TagFile& file = m_files[i];
        std::string tagsText;
        int written = 0;
        for (const TagEntry& e : file.tags) {
            const CTagKind* kind = m_kinds.Of(e.kind);
            if (!kind) continue;
            PutLine(tagsText, "Kind", written, e.kind);
            kind->Export(written, e.record.get(), tagsText);
            ++written;
        }
        out += "[File" + std::to_string(i) + "]\r\n";
        out += "Name=" + OneLineValue(file.name, false) + "\r\n";
        out += "Expand=" + std::to_string(file.expand) + "\r\n";
        out += "Count=" + std::to_string(written) + "\r\n";
        out += tagsText + "\r\n";
    }
    return out;
}

ImportResult TagStore::Import(const std::string& bytes) {
    ImportResult result;
    TagLineReader reader(bytes);
    std::string line;
    if (!reader.ReadTagLine(line)) return result;
    const bool hasKinds = line == kTagFileHeader;
    if (hasKinds && !reader.ReadTagLine(line)) return result;
    std::int32_t fileCount = 0;
    if (line == "[TagFileCount]") {
        reader.ReadTagLine(line);
        fileCount = IntValue(line, "Count", 0);
    }
    bool atEnd = false;
    for (std::int32_t i = 0; i < fileCount && !atEnd; ++i) {
        if (!reader.ReadTagLine(line)) break;
        if (line != "[File" + std::to_string(i) + "]") continue;
        if (m_files.size() >= static_cast<std::size_t>(kMaxFiles)) {
            result.tooManyFiles = true;
            break;
        }
        TagFile file;
        reader.ReadTagLine(line);
        file.name = FileName(StrValue(line, "Name", ""));
        reader.ReadTagLine(line);
        file.expand = IntValue(line, "Expand", 0) != 0 ? 1 : 0;
        reader.ReadTagLine(line);
        const std::int32_t n = IntValue(line, "Count", 0);
        for (std::int32_t j = 0; j < n; ++j) {
            // A tag exists once its first line was read.
            TagEntry e;
            if (hasKinds) {
                if (!reader.ReadTagLine(line)) { atEnd = true; break; }
                e.kind = IntValue(line, IndexedName("Kind", j), 0);
            } else if (reader.AtEnd()) {
                atEnd = true;
                break;
            }
            if (const CTagKind* kind = m_kinds.Of(e.kind)) e.record = kind->Import(j, reader);
            if (file.tags.size() >= static_cast<std::size_t>(kMaxTags)) {
                result.tooManyTags = true;
                continue;  // read past and dropped
            }
            file.tags.push_back(std::move(e));
        }
        m_files.push_back(std::move(file));
        ++result.files;
    }
    if (result.files > 0) AssignIds();
    return result;
}

}  // namespace tags
