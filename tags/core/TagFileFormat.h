// Tag files "*.pqt": a text file in Shift JIS of "key=value" lines. The
// reader ends a line at LF, CR LF or a lone CR and skips empty lines; values
// are found by key anywhere in a line.
#pragma once

#include <cstdint>
#include <string>

namespace tags {

constexpr char kTagFileHeader[] = "#registtag for Pembroquil";
constexpr char kTagFileFilter[] = "登録タグ (*.pqt)|*.pqt||";
constexpr char kTagFileExtension[] = "pqt";
constexpr char kTagFileInitialName[] = "登録タグ";

// Reads the lines of a tag file held in memory.
class TagLineReader {
public:
    explicit TagLineReader(const std::string& bytes) : m_bytes(bytes) {}
    // The next non-empty line; false at the end of the file.
    bool ReadTagLine(std::string& line);
    // True when no non-empty line is left.
    bool AtEnd();

private:
    void SkipLineEnds();
    const std::string& m_bytes;
    std::size_t m_pos = 0;
};

// The value after the first "key=" in line, found character by character (a
// key never matches from a trail byte): a decimal number (leading blanks and a
// sign allowed, saturated to 32 bits; no digits give 0), or def without key.
std::int32_t IntValue(const std::string& line, const std::string& key, std::int32_t def);
// The same with the whole rest of the line as the value.
std::string StrValue(const std::string& line, const std::string& key, const std::string& def);

// A value as a tag file line can hold it: each line end (CR LF, CR or LF)
// becomes the two characters "\n" when asEscape, else one space.
std::string OneLineValue(const std::string& value, bool asEscape);

// "%s%d=%s\r\n" and friends: the lines of a tag with index j (and attribute k).
void PutLine(std::string& out, const char* key, int j, const std::string& value, bool asEscape = false);
void PutLine(std::string& out, const char* key, int j, std::int32_t value);
void PutLine(std::string& out, const char* key, int j, int k, const std::string& value);
void PutLine(std::string& out, const char* key, int j, int k, std::int32_t value);

}  // namespace tags
