// The records of registered tags and the store's limits. A tag is one of
// three kinds (simple, interactive, plug-in); each kind keeps its own fixed
// record whose text fields are NUL-terminated Shift JIS, cut on a character
// boundary to fit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tags {

// 100 files of 100 tags: the command ids 10000 + 100 x file + tag.
constexpr int kMaxFiles = 100;
constexpr int kMaxTags = 100;
constexpr int kMaxAttributes = 15;
constexpr unsigned kFirstTagId = 10000;
constexpr unsigned kLastTagId = 19999;
// A tag file's name, as the file properties dialog limits it.
constexpr std::size_t kFileNameLimit = 127;

enum TagKindId : int { kSimpleKind = 0, kInteractiveKind = 1, kPluginKind = 2, kKindCount = 3 };

// The fields every kind has.
struct TagRecord {
    virtual ~TagRecord() = default;
    char Name[128] = {};
    char Comment[256] = {};
    std::int32_t bMenu = 0;
};

struct SimpleTagData : TagRecord {
    char Begin[512] = {};
    char End[512] = {};
    char Option[32] = {};
};

struct TagAttribute {
    char Attr[32] = {};
    char AttrCmmt[256] = {};
    char AttrInput[512] = {};
    std::uint8_t AttrKind = 0;  // 0 choices, 1 font name, 2 colour, 3 file path
};

struct InteractiveTagData : TagRecord {
    char Fact[32] = {};
    std::int32_t Closed = 0;
    std::vector<TagAttribute> Attributes;  // at most kMaxAttributes
};

struct PluginTagData : TagRecord {
    char File[128] = {};
    void* Module = nullptr;  // the loaded module, run time only
};

// One tag of a file. Kind 3 and above is a kind this program does not know:
// the entry has no record, is not shown and is written back as read.
struct TagEntry {
    std::int32_t kind = kSimpleKind;
    std::unique_ptr<TagRecord> record;
    unsigned commandId = 0;       // id from the last assignment (0: none yet)
    void* treeItem = nullptr;     // run time only
    bool Known() const { return kind >= 0 && kind < kKindCount; }
};

struct TagFile {
    std::string name;
    std::int32_t expand = 1;
    std::vector<TagEntry> tags;
    void* treeItem = nullptr;     // run time only
};

// Copies text into a fixed field, cut on a character boundary.
template <std::size_t N>
void SetField(char (&field)[N], const std::string& text);

}  // namespace tags

#include "framework/core/Sjis.h"

template <std::size_t N>
void tags::SetField(char (&field)[N], const std::string& text) {
    sjis::CopyToField(field, N, text);
}
