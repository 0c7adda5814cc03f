#include "tags/core/TagFileFormat.h"

#include <climits>

#include "config/core/SettingsStore.h"
#include "framework/core/Sjis.h"

namespace tags {

void TagLineReader::SkipLineEnds() {
    while (m_pos < m_bytes.size() && (m_bytes[m_pos] == '\r' || m_bytes[m_pos] == '\n')) ++m_pos;
}

bool TagLineReader::AtEnd() {
    SkipLineEnds();
    return m_pos >= m_bytes.size();
}

bool TagLineReader::ReadTagLine(std::string& line) {
    line.clear();
    if (AtEnd()) return false;
    std::size_t end = m_pos;
    while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n') ++end;
    line.assign(m_bytes, m_pos, end - m_pos);
    m_pos = end;
    return true;
}

namespace {

// Offset just past the first "key=" in line, or npos.
std::size_t ValueStart(const std::string& line, const std::string& key) {
    const std::string pattern = key + "=";
    for (std::size_t i = 0; i < line.size(); i = sjis::Next(line.data(), line.size(), i)) {
        if (line.compare(i, pattern.size(), pattern) == 0) return i + pattern.size();
    }
    return std::string::npos;
}

}  // namespace

std::int32_t IntValue(const std::string& line, const std::string& key, std::int32_t def) {
    std::size_t i = ValueStart(line, key);
    if (i == std::string::npos) return def;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    long long value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<std::int32_t>(value);
}

std::string StrValue(const std::string& line, const std::string& key, const std::string& def) {
    const std::size_t i = ValueStart(line, key);
    return i == std::string::npos ? def : line.substr(i);
}

std::string OneLineValue(const std::string& value, bool asEscape) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            out += asEscape ? "\\n" : " ";
        } else {
            out += value[i];
        }
    }
    return out;
}

void PutLine(std::string& out, const char* key, int j, const std::string& value, bool asEscape) {
    out += settings::IndexedName(key, j) + "=" + OneLineValue(value, asEscape) + "\r\n";
}
void PutLine(std::string& out, const char* key, int j, std::int32_t value) {
    out += settings::IndexedName(key, j) + "=" + std::to_string(value) + "\r\n";
}
void PutLine(std::string& out, const char* key, int j, int k, const std::string& value) {
    out += settings::IndexedName(key, j, k) + "=" + OneLineValue(value, false) + "\r\n";
}
void PutLine(std::string& out, const char* key, int j, int k, std::int32_t value) {
    out += settings::IndexedName(key, j, k) + "=" + std::to_string(value) + "\r\n";
}

}  // namespace tags
