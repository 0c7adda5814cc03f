#include "editor/core/KeywordTable.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "editor/core/ColorScan.h"
#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

namespace editor {

void KeywordTable::Clear() {
    for (Bucket& b : m_buckets) {
        b.words.clear();
        b.slots.clear();
    }
    m_nonEmpty = 0;
}

int KeywordTable::BucketSize(int n) const {
    return n >= 1 && n <= kMaxLength ? static_cast<int>(m_buckets[n - 1].words.size()) : 0;
}

bool KeywordTable::Find(const Bucket& b, const unsigned char* lowered, int n, std::uint32_t hash) const {
    if (b.slots.empty()) return false;
    const std::uint32_t mask = static_cast<std::uint32_t>(b.slots.size() - 1);
    for (std::uint32_t s = hash & mask;; s = (s + 1) & mask) {
        const std::uint32_t slot = b.slots[s];
        if (slot == 0) return false;
        if (std::memcmp(b.words[slot - 1].data(), lowered, static_cast<std::size_t>(n)) == 0) return true;
    }
}

void KeywordTable::Rehash(Bucket& b) {
    std::size_t size = 8;
    while (size < b.words.size() * 2) size *= 2;
    b.slots.assign(size, 0);
    const std::uint32_t mask = static_cast<std::uint32_t>(size - 1);
    for (std::size_t w = 0; w < b.words.size(); ++w) {
        std::uint32_t h = kHashSeed;
        for (char c : b.words[w]) h = HashStep(h, static_cast<unsigned char>(c));
        std::uint32_t s = h & mask;
        while (b.slots[s] != 0) s = (s + 1) & mask;
        b.slots[s] = static_cast<std::uint32_t>(w + 1);
    }
}

void KeywordTable::Add(const char* word, std::size_t length) {
    std::size_t n = std::min<std::size_t>(length, kMaxLength);
    if (n < length) n = sjis::BoundaryAtOrBefore(word, length, n);  // cut, never inside a character
    if (n == 0) return;
    unsigned char lowered[kMaxLength];
    std::uint32_t h = kHashSeed;
    for (std::size_t k = 0; k < n; ++k) {
        lowered[k] = scan::FoldAscii(static_cast<unsigned char>(word[k]));
        h = HashStep(h, lowered[k]);
    }
    Bucket& b = m_buckets[n - 1];
    if (Find(b, lowered, static_cast<int>(n), h)) return;
    b.words.emplace_back(reinterpret_cast<const char*>(lowered), n);
    if (b.words.size() * 2 > b.slots.size()) {
        Rehash(b);
    } else {
        const std::uint32_t mask = static_cast<std::uint32_t>(b.slots.size() - 1);
        std::uint32_t s = h & mask;
        while (b.slots[s] != 0) s = (s + 1) & mask;
        b.slots[s] = static_cast<std::uint32_t>(b.words.size());
    }
    m_nonEmpty |= 1u << (n - 1);
}

bool KeywordTable::Contains(const char* word, int n) const {
    if (n < 1 || n > kMaxLength) return false;
    unsigned char lowered[kMaxLength];
    std::uint32_t h = kHashSeed;
    for (int k = 0; k < n; ++k) {
        lowered[k] = scan::FoldAscii(static_cast<unsigned char>(word[k]));
        h = HashStep(h, lowered[k]);
    }
    return Find(m_buckets[n - 1], lowered, n, h);
}

int KeywordTable::Match(const char* line, int length, int i, bool afterDoubleByte) const {
    if (m_nonEmpty == 0 || i < 0 || i >= length) return 0;
    // A letter or digit just before i makes every match fail, whichever
    // keyword would be equal, so that is decided first.
    if (i > 0 && !afterDoubleByte && scan::IsAsciiAlnum(static_cast<unsigned char>(line[i - 1]))) return 0;
    // The run of bytes a keyword may cover, lower-cased, with the hash of
    // every prefix.
    unsigned char lowered[kMaxLength];
    std::uint32_t hash[kMaxLength + 1];
    hash[0] = kHashSeed;
    const int limit = std::min(length - i, static_cast<int>(kMaxLength));
    int run = 0;
    while (run < limit) {
        const unsigned char c = static_cast<unsigned char>(line[i + run]);
        if (scan::IsSpace(c) || sjis::IsLeadByte(c)) break;
        lowered[run] = scan::FoldAscii(c);
        hash[run + 1] = HashStep(hash[run], lowered[run]);
        ++run;
    }
    const std::uint32_t candidates = m_nonEmpty & ((run >= 32 ? 0u : (1u << run)) - 1u);
    for (int n = run; n >= 1; --n) {
        if (!(candidates & (1u << (n - 1)))) continue;
        if (!Find(m_buckets[n - 1], lowered, n, hash[n])) continue;
        const bool endOk = i + n >= length || !scan::IsAsciiAlnum(static_cast<unsigned char>(line[i + n]));
        return endOk ? n : 0;
    }
    return 0;
}

int MatchKeyword(const KeywordTable& table, const char* line, int length, int i, Color color, Color* colors,
                 bool afterDoubleByte) {
    const int n = table.Match(line, length, i, afterDoubleByte);
    if (n == 0) return i;
    if (colors) std::fill(colors + i, colors + i + n, color);
    return i + n;
}

void ParseKeywordText(const char* bytes, std::size_t length, KeywordTable* table) {
    table->Clear();
    std::size_t start = 0;
    while (start < length) {
        std::size_t end = start;
        while (end < length && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        table->Add(bytes + start, end - start);  // cut to 24 bytes; empty lines add nothing
        if (end < length && bytes[end] == '\r' && end + 1 < length && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

KeywordFolder::KeywordFolder(std::string programFolder) {
    // '/' is never a trail byte, so the last byte tells which separator the
    // folder uses.
    const bool slash = !programFolder.empty() && programFolder.back() == '/';
    m_folder = (slash ? programFolder : pathutil::WithTrailingSeparator(programFolder)) + "Keyword" +
               (slash ? '/' : '\\');
}

std::string KeywordFolder::PathOf(const std::string& name) const { return m_folder + name; }

bool KeywordFolder::ReadKeywordFile(const std::string& name, std::string* bytes) {
    std::ifstream in(PathOf(name), std::ios::binary);
    if (!in) return false;
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) return false;
    *bytes = buf.str();
    return true;
}

bool KeywordFolder::WriteKeywordFile(const std::string& name, const std::string& bytes) {
    if (!IsPlainFileName(name)) return false;
    std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::string KeywordFileNameFor(const std::string& typed) {
    if (sjis::ToLowerAscii(pathutil::ExtensionOf(typed)) == "kwd") return typed;
    return typed + ".kwd";
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (std::size_t i = 0; i < name.size(); i = sjis::Next(name.data(), name.size(), i)) {
        if (sjis::CharLength(name.data(), name.size(), i) == 2) continue;
        const char c = name[i];
        if (c == '\\' || c == '/' || c == ':' || c == '\0') return false;
    }
    return true;
}

void LoadKeywordFile(IKeywordFileSource& source, const std::string& name, KeywordTable* table) {
    table->Clear();
    if (!IsPlainFileName(name)) return;
    std::string bytes;
    if (!source.ReadKeywordFile(name, &bytes)) return;
    ParseKeywordText(bytes.data(), bytes.size(), table);
}

}  // namespace editor
