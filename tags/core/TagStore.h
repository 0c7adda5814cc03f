// The registered tag store: tag files in display order, each with its tags.
// It is loaded from and saved to the settings under "RegistTag", exported to
// and imported from tag files, and edited by the tag pane. A tag is addressed
// by its command id 10000 + 100 x file index + tag index, reassigned after
// every change.
#pragma once

#include <string>
#include <vector>

#include "config/core/KeyTable.h"
#include "tags/core/TagKinds.h"
#include "tags/core/TagRecords.h"

namespace settings {
class SettingsStore;
}

namespace tags {

constexpr char kStoreSection[] = "RegistTag";
constexpr char kKeyDispName[] = "RegistTagKeyDisp";
constexpr char kNewFileName[] = "新しいファイル";
constexpr char kTooManyFilesMessage[] = "これ以上ファイルを作成することはできません";
constexpr char kTooManyTagsMessage[] = "このファイル内にこれ以上タグを作成することはできません";

inline unsigned TagId(int file, int tag) { return kFirstTagId + 100u * static_cast<unsigned>(file) + static_cast<unsigned>(tag); }
inline bool IsTagId(unsigned id) { return id >= kFirstTagId && id <= kLastTagId; }

struct ImportResult {
    int files = 0;              // files added to the store
    bool tooManyFiles = false;  // a file past the 100th was dropped
    bool tooManyTags = false;   // a tag past a file's 100th was dropped
};

class TagStore {
public:
    explicit TagStore(TagKinds& kinds) : m_kinds(kinds) {}
    ~TagStore() { Clear(); }
    TagStore(const TagStore&) = delete;
    TagStore& operator=(const TagStore&) = delete;

    std::vector<TagFile>& Files() { return m_files; }
    const std::vector<TagFile>& Files() const { return m_files; }
    TagKinds& Kinds() { return m_kinds; }
    bool keyDisplay = true;

    // Replaces the store by the stored one, or by the samples when the store
    // was never saved; ids are assigned.
    void Load(const settings::SettingsStore& store);
    void Save(settings::SettingsStore& store) const;
    void MakeSamples();
    // Frees every record (plug-ins release their modules) and empties the store.
    void Clear();

    // Gives every tag the id of its position.
    void AssignIds();
    // The tag with this id (known kinds only), or null.
    TagEntry* FindById(unsigned id, int* file = nullptr, int* tag = nullptr);
    // Moves the tag bindings of a key table to the tags' new positions, by
    // the ids the tags carry from the last assignment; bindings of ids that
    // name no tag are removed. Call before AssignIds. True when it changed.
    bool RemapKeys(keys::KeyTable& table) const;
    // The tree label of a tag: its Name, with "　[key]" when keys are shown
    // and one is bound to the tag.
    std::string Label(const TagEntry& entry, const keys::KeyTable& table) const;
    std::string Name(const TagEntry& entry) const;

    // Edits. A new file or tag past the limits is refused (-1).
    int AddFile(const std::string& name);
    int AddTag(int file, int kind);
    void RemoveFile(int file);
    void DeleteTag(int file, int tag);
    void RenameFile(int file, const std::string& name);
    // Moves a tag before tag `before` of file `toFile` (-1: to its end).
    // Refused when it would put a 101st tag into the file.
    bool MoveTag(int file, int tag, int toFile, int before);
    // Moves a file before file `before`.
    bool MoveTagFile(int file, int before);

    // The tag file text of the whole store.
    std::string ExportText() const;
    // Appends the files of a tag file's text (within the limits).
    ImportResult Import(const std::string& bytes);

private:
    void FreeEntry(TagEntry& entry);
    TagKinds& m_kinds;
    std::vector<TagFile> m_files;
};

}  // namespace tags
