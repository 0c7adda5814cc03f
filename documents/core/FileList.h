// File lists (".pql"): a header line and one line per open file, a flag
// ("1" read-only, "0" otherwise) followed directly by the file's full path.
// Lines are separated by CR LF written before each entry, so the file ends
// without a line break.
#pragma once

#include <string>
#include <vector>

#include "documents/core/DocFlows.h"

namespace filelist {

constexpr char kHeader[] = "# filelist for Pembroquil";
constexpr char kExtension[] = "pql";
constexpr char kInitialName[] = "ファイルリスト";
constexpr char kFilter[] = "ファイルリスト (*.pql)|*.pql||";
constexpr char kOpenFailed[] = "Pembroquil専用ファイルリストのオープンに失敗しました。";
constexpr char kNotAList[] = " はPembroquil専用ファイルリストではありません。";
constexpr char kNestedList[] =
    " はPembroquil専用ファイルリストです。\nファイルリストの中でファイルリストを開くことはできません。";

struct Entry {
    std::string path;  // empty for an untitled tab (left out of the list)
    bool readOnly = false;
};

// The bytes of a list of the tabs in tab order.
std::string BuildList(const std::vector<Entry>& tabs);

// One line of a list as the reader sees it.
struct ReadEntry {
    enum class Kind { Open, NestedList, TooLong } kind = Kind::Open;
    std::string path;
    bool readOnly = false;
};

// Reads a list's bytes. False when the first line is not exactly the
// header. Empty lines and lines with an empty path are skipped; a ticked
// read-only box makes every entry read-only.
bool ParseList(const std::string& bytes, bool allReadOnly, std::vector<ReadEntry>* entries);

// Writes the list as saves write documents: into a new temporary file
// beside it, then put in place. On failure the standard file-error message
// is shown, the old list is intact and false is returned.
bool WriteList(const std::string& path, const std::string& bytes, docs::IDocFileSystem& fs,
               docs::IFlowPrompts& prompts);

}  // namespace filelist
