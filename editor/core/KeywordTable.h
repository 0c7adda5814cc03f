// Keyword tables of the colour modes: keywords bucketed by their length in
// bytes (1 ... 24), matched without regard to the case of ASCII letters, and
// the keyword files (*.kwd) they are read from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/core/EditorSettings.h"

namespace editor {

class KeywordTable {
public:
    static constexpr int kMaxLength = 24;

    // Empties every bucket.
    void Clear();
    // Adds one keyword. Longer keywords are cut to their first 24 bytes
    // (never inside a double-byte character); an empty one adds nothing.
    void Add(const char* word, std::size_t length);
    void Add(const std::string& word) { Add(word.data(), word.size()); }

    bool Empty() const { return m_nonEmpty == 0; }
    // Number of keywords of length n (1 ... 24); duplicates count once.
    int BucketSize(int n) const;
    // Whether the n bytes at word equal a keyword of length n, ignoring case.
    bool Contains(const char* word, int n) const;

    // Length of the keyword that matches at line[i], or 0. Longest first: the
    // run of single-byte characters from i (ended by white space, a lead byte
    // or the line end) is tried at every length n it covers that has
    // keywords. The first length with an equal keyword decides: it counts only
    // if the character after it is no letter or digit and the character before
    // i is none either (a double-byte character before i is never one, whatever
    // its trail byte); if it does not count, shorter keywords are not tried.
    // `afterDoubleByte` tells whether the character before i is double-byte;
    // i must stand on a character boundary.
    int Match(const char* line, int length, int i, bool afterDoubleByte) const;

private:
    struct Bucket {
        std::vector<std::string> words;      // lower-cased, each once
        std::vector<std::uint32_t> slots;    // open addressing: word index + 1, 0 empty
    };
    static std::uint32_t HashStep(std::uint32_t h, unsigned char c) { return (h ^ c) * 16777619u; }
    static constexpr std::uint32_t kHashSeed = 2166136261u;
    bool Find(const Bucket& b, const unsigned char* lowered, int n, std::uint32_t hash) const;
    void Rehash(Bucket& b);

    Bucket m_buckets[kMaxLength];
    std::uint32_t m_nonEmpty = 0;  // bit n-1 set when bucket n has keywords
};

// Keyword match at a position: when a keyword matches at line[i], its bytes
// get `color` and the position after it is returned; otherwise i.
int MatchKeyword(const KeywordTable& table, const char* line, int length, int i, Color color, Color* colors,
                 bool afterDoubleByte);

// Fills a table from the bytes of a keyword file: one keyword per line (CR,
// LF or CRLF ends a line), each line cut to its first 24 bytes, empty lines
// skipped. The table is emptied first.
void ParseKeywordText(const char* bytes, std::size_t length, KeywordTable* table);

// Where keyword files come from: the "Keyword" folder under the program's
// folder in the program, anything in tests.
class IKeywordFileSource {
public:
    virtual ~IKeywordFileSource() = default;
    // The whole file of that name, or false when it cannot be read.
    virtual bool ReadKeywordFile(const std::string& name, std::string* bytes) = 0;
};

// Keyword files in programFolder + "Keyword" + separator + name; the
// separator is the one the program folder ends in.
class KeywordFolder : public IKeywordFileSource {
public:
    explicit KeywordFolder(std::string programFolder);
    bool ReadKeywordFile(const std::string& name, std::string* bytes) override;
    // Writes bytes as the whole file (created or truncated); false when the
    // name is no plain file name or the file cannot be written completely.
    bool WriteKeywordFile(const std::string& name, const std::string& bytes);
    std::string PathOf(const std::string& name) const;

private:
    std::string m_folder;  // ends in its separator
};

// Empties the table, then fills it from the named file; a missing name or a
// file that cannot be read leaves it empty.
void LoadKeywordFile(IKeywordFileSource& source, const std::string& name, KeywordTable* table);

// The name a keyword file is saved under: the typed name, with ".kwd"
// appended unless its extension already is "kwd" in any case ("tags" ->
// "tags.kwd", "list.KWD" stays).
std::string KeywordFileNameFor(const std::string& typed);

// A keyword file name as the mode table may hold it: a plain file name, no
// folder part. Names that would leave the keyword folder are not one.
bool IsPlainFileName(const std::string& name);

}  // namespace editor
