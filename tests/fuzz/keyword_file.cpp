// libFuzzer target: keyword files. The table read from a file holds exactly
// the file's lines, each cut to 24 bytes on a character boundary and
// compared without the case of ASCII letters; a match found on a line is one
// of those keywords. (The table folds every byte, trail bytes too: matches
// never start or run into a double-byte character, so that shows nowhere.)
#include <cstdint>
#include <set>
#include <string>

#include "editor/core/KeywordTable.h"
#include "framework/core/Sjis.h"
#include "fuzz/FuzzCheck.h"

using fuzzcheck::Check;

namespace {

std::string Folded(std::string s) {
    for (char& c : s) if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::set<std::string> ModelOf(const std::string& file) {
    std::set<std::string> words;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = start;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
        std::string word = file.substr(start, end - start);
        if (word.size() > editor::KeywordTable::kMaxLength) {
            word = sjis::CutAtBoundary(word, editor::KeywordTable::kMaxLength);
        }
        if (!word.empty()) words.insert(Folded(word));
        if (end + 1 < file.size() && file[end] == '\r' && file[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    // The file, then (after the first NUL) a line to match against.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string file = input.substr(0, nul);
    const std::string line = nul == std::string::npos ? file : input.substr(nul + 1);

    editor::KeywordTable table;
    editor::ParseKeywordText(file.data(), file.size(), &table);
    const std::set<std::string> words = ModelOf(file);
    int counts[editor::KeywordTable::kMaxLength + 1] = {};
    for (const std::string& w : words) {
        ++counts[w.size()];
        Check(table.Contains(w.data(), static_cast<int>(w.size())), "a keyword of the file is missing");
    }
    for (int n = 1; n <= editor::KeywordTable::kMaxLength; ++n) {
        Check(table.BucketSize(n) == counts[n], "a bucket holds another number of keywords than the file");
    }
    Check(table.Empty() == words.empty(), "Empty() disagrees with the keywords");

    const int length = static_cast<int>(line.size());
    bool afterDoubleByte = false;
    for (std::size_t i = 0; i < line.size(); i = sjis::Next(line.data(), line.size(), i)) {
        const int n = table.Match(line.data(), length, static_cast<int>(i), afterDoubleByte);
        Check(n >= 0 && i + static_cast<std::size_t>(n) <= line.size(), "a match runs past the line");
        if (n > 0) {
            Check(words.count(Folded(line.substr(i, static_cast<std::size_t>(n)))) == 1,
                  "a match that is no keyword");
        }
        afterDoubleByte = sjis::CharLength(line.data(), line.size(), i) == 2;
    }
    return 0;
}
