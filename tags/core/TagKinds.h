// The kind handlers: one object per tag kind, and every operation on a tag
// goes through the handler of its kind. What a run needs from the program
// (the active editor, the dialogs, the plug-in modules) comes through
// ITagEnvironment, so the rules here are tested without windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tags/core/TagRecords.h"

namespace editor {
class IEditorOps;
}
namespace settings {
class SettingsStore;
}

namespace tags {

class TagLineReader;

// One row per kind, indexed by Kind.
struct KindRow {
    unsigned newCommand;   // the pane's "new tag of this kind" command
    int bitmap;            // two 16x16 images
    int cursor1, cursor2;  // drag cursors
};
extern const KindRow KindTable[kKindCount];

class ITagEnvironment {
public:
    virtual ~ITagEnvironment() = default;
    // The editor of the current document tab, or null.
    virtual editor::IEditorOps* ActiveEditor() = 0;
    virtual void FocusEditor() {}
    // The properties dialogs: 1 OK, 2 Cancel, 5 OK and open the key settings.
    virtual int SimpleProperties(SimpleTagData& record) { (void)record; return 2; }
    virtual int PluginProperties(PluginTagData& record) { (void)record; return 2; }
    virtual int InteractiveProperties(InteractiveTagData& record) { (void)record; return 2; }
    // The insertion dialog of an interactive tag with attributes: fills
    // values (one per attribute) and returns true, or false on Cancel.
    virtual bool AskTagValues(const InteractiveTagData& record, std::vector<std::string>* values) {
        (void)record;
        (void)values;
        return false;
    }
    // Loads the module when needed and calls its run entry.
    virtual void RunPlugin(PluginTagData& record) { (void)record; }
    // Calls the module's end entry and unloads it (Module becomes null).
    virtual void ReleasePlugin(PluginTagData& record) { record.Module = nullptr; }
};

class CTagKind {
public:
    virtual ~CTagKind() = default;
    virtual std::string SampleFileName() const { return {}; }
    virtual int SampleCount() const { return -1; }
    virtual std::unique_ptr<TagRecord> MakeSample(int i) const { (void)i; return nullptr; }
    virtual std::unique_ptr<TagRecord> Load(const settings::SettingsStore& store, const std::string& section,
                                            int j) const = 0;
    virtual void Save(settings::SettingsStore& store, const std::string& section, int j,
                      const TagRecord* record) const = 0;
    // Reads the tag's lines after its Kind line; a field past the end of the
    // file takes its default.
    virtual std::unique_ptr<TagRecord> Import(int j, TagLineReader& reader) const = 0;
    virtual void Export(int j, const TagRecord* record, std::string& out) const = 0;
    std::string GetName(const TagRecord* record) const { return record ? record->Name : ""; }
    void SetName(TagRecord* record, const std::string& text) const;
    int NameLimit() const { return 128; }
    std::string GetComment(const TagRecord* record) const { return record ? record->Comment : ""; }
    virtual int ImageIndex(const TagRecord* record) const { (void)record; return -1; }
    // Releases what the record holds besides its memory (a plug-in's module).
    virtual void Free(TagRecord* record) { (void)record; }
    virtual std::string BuildText(TagRecord* record) { (void)record; return {}; }
    virtual void AfterInsert(TagRecord* record) { (void)record; }
    virtual int Cursor(const TagRecord* record) const { (void)record; return 0; }
    void Execute(TagRecord* record);
    virtual std::unique_ptr<TagRecord> NewRecord() const { return nullptr; }
    virtual int Properties(TagRecord* record) { (void)record; return 2; }
    int KeySettingsResult() const { return 5; }
    bool InMenu(const TagRecord* record) const { return record && record->bMenu != 0; }

    // Set by the pane from KindTable; before that 255, 255, 0, 0.
    int image1 = 255, image2 = 255, cursor1 = 0, cursor2 = 0;
    ITagEnvironment* env = nullptr;

protected:
    editor::IEditorOps* Editor() const;
};

class CSimpleTagKind : public CTagKind {
public:
    std::string SampleFileName() const override { return "簡易タグサンプル"; }
    int SampleCount() const override { return 3; }
    std::unique_ptr<TagRecord> MakeSample(int i) const override;
    std::unique_ptr<TagRecord> Load(const settings::SettingsStore& store, const std::string& section,
                                    int j) const override;
    void Save(settings::SettingsStore& store, const std::string& section, int j,
              const TagRecord* record) const override;
    std::unique_ptr<TagRecord> Import(int j, TagLineReader& reader) const override;
    void Export(int j, const TagRecord* record, std::string& out) const override;
    int ImageIndex(const TagRecord* record) const override;
    std::string BuildText(TagRecord* record) override;
    void AfterInsert(TagRecord* record) override;
    int Cursor(const TagRecord* record) const override;
    std::unique_ptr<TagRecord> NewRecord() const override;
    int Properties(TagRecord* record) override;

    // Begin or End with "\n" made the line end of the document and "\t" a TAB.
    static std::string Expand(const std::string& text, const std::string& lineEnd);

private:
    long long m_selLength = 0;  // the selection wrapped by the last BuildText
};

class CInteractiveTagKind : public CTagKind {
public:
    std::string SampleFileName() const override { return "対話型タグサンプル"; }
    int SampleCount() const override { return 2; }
    std::unique_ptr<TagRecord> MakeSample(int i) const override;
    std::unique_ptr<TagRecord> Load(const settings::SettingsStore& store, const std::string& section,
                                    int j) const override;
    void Save(settings::SettingsStore& store, const std::string& section, int j,
              const TagRecord* record) const override;
    std::unique_ptr<TagRecord> Import(int j, TagLineReader& reader) const override;
    void Export(int j, const TagRecord* record, std::string& out) const override;
    int ImageIndex(const TagRecord* record) const override;
    int Cursor(const TagRecord* record) const override;
    std::unique_ptr<TagRecord> NewRecord() const override;
    // Inserts the tag at once when it has no attributes, else after the
    // insertion dialog (Cancel inserts nothing); the focus goes back to the
    // editor.
    void AfterInsert(TagRecord* record) override { Run(record); }
    void Run(TagRecord* record);
    int Properties(TagRecord* record) override;
};

class CPluginTagKind : public CTagKind {
public:
    std::string SampleFileName() const override { return "プラグインサンプル"; }
    int SampleCount() const override { return 2; }
    std::unique_ptr<TagRecord> MakeSample(int i) const override;
    std::unique_ptr<TagRecord> Load(const settings::SettingsStore& store, const std::string& section,
                                    int j) const override;
    void Save(settings::SettingsStore& store, const std::string& section, int j,
              const TagRecord* record) const override;
    std::unique_ptr<TagRecord> Import(int j, TagLineReader& reader) const override;
    void Export(int j, const TagRecord* record, std::string& out) const override;
    int ImageIndex(const TagRecord* record) const override { (void)record; return image1; }
    void Free(TagRecord* record) override;
    void AfterInsert(TagRecord* record) override;
    int Cursor(const TagRecord* record) const override { (void)record; return cursor2; }
    std::unique_ptr<TagRecord> NewRecord() const override;
    int Properties(TagRecord* record) override;
};

// The three handlers, indexed by Kind.
class TagKinds {
public:
    CTagKind* Of(int kind);
    const CTagKind* Of(int kind) const;
    void SetEnvironment(ITagEnvironment* env);

private:
    CSimpleTagKind m_simple;
    CInteractiveTagKind m_interactive;
    CPluginTagKind m_plugin;
};

// The message when a plug-in module cannot be loaded (the file's name first).
std::string PluginNotFoundMessage(const std::string& file);
// A plug-in's File is a relative path inside the plug-in folder: names
// separated by "\" or "/", none empty, "." or "..", and no ":" anywhere.
bool IsPluginFileNameAllowed(const std::string& file);

// The menu access character of the item at position i ("A" onwards), or 0
// past "~".
char AccessChar(int position);
// "%s(&%c)", or the label alone when the item has no access character.
std::string MenuLabel(const std::string& label, int position);

}  // namespace tags
