// A corpus of Japanese prose in SHIFT JIS, EUC and JIS, built from the
// Japanese manual pages of the machine (Debian package manpages-ja, UTF-8,
// gzip'd, under /usr/share/man/ja): each page is decompressed with zcat and
// converted with the C library's iconv into CP932, EUC-JP and ISO-2022-JP;
// a page or line that does not convert into an encoding is left out of it.
// Besides whole files, each page gives short single lines: its title (the
// description of its NAME section), its section headings and a few sentences.
// Used by the detection test and the benchmark.
#pragma once

#include <dirent.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <set>
#include <vector>

#include "documents/core/CharCode.h"

namespace corpus {

enum Encoding { kSjis = 0, kJis = 1, kEuc = 2 };  // as the detection numbers them
constexpr int kEncodings = 3;
inline const char* IconvName(int e) { return e == kSjis ? "CP932" : e == kJis ? "ISO-2022-JP" : "EUC-JP"; }
inline const char* Name(int e) { return e == kSjis ? "SJIS" : e == kJis ? "JIS" : "EUC"; }

// kHalfWidth: distinct katakana words of the pages written in half-width
// katakana, only in SHIFT JIS (the other encodings are written full-width).
enum Kind { kFile = 0, kTitle = 1, kSentence = 2, kHeading = 3, kHalfWidth = 4 };
constexpr int kKinds = 5;
inline const char* KindName(int k) {
    return k == kFile ? "whole files" : k == kTitle ? "titles" : k == kSentence ? "sentences"
           : k == kHeading ? "headings" : "half-width";
}

struct Sample {
    int kind;
    std::string bytes;  // in the encoding of the set it belongs to
    std::size_t page;   // index of the page it comes from
};

struct Corpus {
    std::vector<Sample> sets[kEncodings];
    std::vector<Sample> utf8;  // the pages and lines as they are, in UTF-8
    std::size_t pages = 0;
    std::string error;  // why nothing could be built
};

inline const char* kManDir = "/usr/share/man/ja";

// Converts bytes with the C library's iconv. A character without a form in
// the target fails the conversion, or, when `skipped` is given, is skipped
// one byte at a time and counted there.
inline bool Iconv(const char* to, const char* from, const std::string& in, std::string* out,
                  std::size_t* skipped = nullptr) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out->assign(in.size() * 3 + 64, '\0');
    char* ip = const_cast<char*>(in.data());
    std::size_t il = in.size();
    char* op = &(*out)[0];
    std::size_t ol = out->size();
    bool ok = true;
    if (skipped) *skipped = 0;
    while (il > 0 && ok) {
        if (iconv(cd, &ip, &il, &op, &ol) != static_cast<std::size_t>(-1)) break;
        ok = skipped && (errno == EILSEQ || errno == EINVAL);
        if (ok) {
            ++ip;
            --il;
            ++*skipped;
        }
    }
    ok = ok && iconv(cd, nullptr, nullptr, &op, &ol) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) return false;
    out->resize(out->size() - ol);
    return true;
}

// Converts UTF-8 text into a corpus encoding; false when a character has no form there.
inline bool Convert(const std::string& utf8, int encoding, std::string* out) {
    return Iconv(IconvName(encoding), "UTF-8", utf8, out);
}

inline bool HasNonAscii(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

inline std::string ReadCommand(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

// Every page file, sorted.
inline std::vector<std::string> PageFiles() {
    std::vector<std::string> files;
    DIR* top = opendir(kManDir);
    if (!top) return files;
    while (dirent* d = readdir(top)) {
        if (std::strncmp(d->d_name, "man", 3) != 0) continue;
        const std::string dir = std::string(kManDir) + "/" + d->d_name;
        if (DIR* sub = opendir(dir.c_str())) {
            while (dirent* f = readdir(sub)) {
                const std::string name = f->d_name;
                if (name.size() > 3 && name.compare(name.size() - 3, 3, ".gz") == 0) files.push_back(dir + "/" + name);
            }
            closedir(sub);
        }
    }
    closedir(top);
    std::sort(files.begin(), files.end());
    return files;
}

inline std::string Trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return s.substr(a, b - a);
}

// Short lines of a page (UTF-8): its title, headings and up to `sentences` sentences.
inline void ShortLines(const std::string& page, int sentences, std::vector<std::pair<int, std::string>>* out) {
    std::vector<std::string> lines;
    for (std::size_t a = 0; a < page.size();) {
        std::size_t b = page.find('\n', a);
        if (b == std::string::npos) b = page.size();
        lines.push_back(page.substr(a, b - a));
        a = b + 1;
    }
    bool title = false;
    int taken = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.compare(0, 4, ".SH ") == 0) {
            std::string heading = Trim(line.substr(4));
            if (!heading.empty() && heading[0] == '"') heading = heading.substr(1, heading.find('"', 1) - 1);
            if (HasNonAscii(heading)) out->push_back({kHeading, heading});
            if (!title && i + 1 < lines.size()) {
                const std::size_t dash = lines[i + 1].find("\\- ");
                if (dash != std::string::npos && HasNonAscii(lines[i + 1])) {
                    out->push_back({kTitle, Trim(lines[i + 1].substr(dash + 3))});
                    title = true;
                }
            }
            continue;
        }
        if (taken >= sentences || line.empty() || line[0] == '.' || line[0] == '\\') continue;
        const char kStop[] = "\xE3\x80\x82";  // 。 in UTF-8 (narrow literals are compiled to SHIFT JIS)
        const std::size_t stop = line.find(kStop);
        if (stop == std::string::npos || stop < 6) continue;
        const std::string sentence = Trim(line.substr(0, stop + std::strlen(kStop)));
        if (HasNonAscii(sentence) && sentence.size() <= 120) {
            out->push_back({kSentence, sentence});
            ++taken;
        }
    }
}

// The runs of full-width katakana (four bytes or more) of SHIFT JIS text,
// written with half-width katakana as old SHIFT JIS texts have them.
inline std::vector<std::string> HalfWidthWords(const std::string& sjis) {
    // The half-width kana (and mark) of each full-width code of rows 0x21 and 0x25.
    std::string halfOf[0x80][2];
    for (int k = 0xA6; k <= 0xDD; ++k) {
        const unsigned jis = encoding::KanaToJis(static_cast<unsigned char>(k));
        if ((jis >> 8) != 0x25) continue;
        halfOf[jis & 0x7F][0] = std::string(1, static_cast<char>(k));
        for (int v = 1; v <= 2; ++v) {
            if (encoding::KanaVoicing(static_cast<unsigned char>(k), v == 1 ? 0xDE : 0xDF) == v) {
                halfOf[(jis + v) & 0x7F][0] = std::string(1, static_cast<char>(k)) + static_cast<char>(0xDD + v);
            }
        }
    }
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i + 1 < sjis.size(); ++i) {
        const unsigned char a = sjis[i], b = sjis[i + 1];
        std::string half;
        if (a == 0x81 && b == 0x5B) half = "\xB0";  // ー
        else if (a == 0x83 && b >= 0x40 && b <= 0x96) {
            const unsigned cell = b < 0x80 ? b - 0x1F : b - 0x20;  // row 0x25
            half = halfOf[cell][0];
        }
        if (!half.empty()) {
            word += half;
            ++i;
            continue;
        }
        if (word.size() >= 4) words.push_back(word);
        word.clear();
        if (a >= 0x81) ++i;
    }
    return words;
}

// Builds the corpus from every `step`-th page (step 1: all pages).
inline Corpus Build(std::size_t step, int sentencesPerPage = 3) {
    Corpus c;
    const std::vector<std::string> files = PageFiles();
    if (files.empty()) {
        c.error = std::string("no manual pages under ") + kManDir + " (package manpages-ja)";
        return c;
    }
    for (std::size_t i = 0; i < files.size(); i += step) {
        const std::string page = ReadCommand("zcat -- '" + files[i] + "' 2>/dev/null");
        if (!HasNonAscii(page)) continue;
        ++c.pages;
        std::vector<std::pair<int, std::string>> lines;
        ShortLines(page, sentencesPerPage, &lines);
        c.utf8.push_back({kFile, page, c.pages - 1});
        for (const auto& line : lines) c.utf8.push_back({line.first, line.second, c.pages - 1});
        for (int e = 0; e < kEncodings; ++e) {
            std::string bytes;
            if (Convert(page, e, &bytes)) c.sets[e].push_back({kFile, bytes, c.pages - 1});
            for (const auto& line : lines) {
                if (Convert(line.second, e, &bytes)) c.sets[e].push_back({line.first, bytes, c.pages - 1});
            }
        }
    }
    std::set<std::string> seen;
    std::vector<Sample> words;
    for (const Sample& s : c.sets[kSjis]) {
        if (s.kind != kFile) continue;
        for (const std::string& w : HalfWidthWords(s.bytes)) {
            if (seen.insert(w).second) words.push_back({kHalfWidth, w, s.page});
        }
    }
    c.sets[kSjis].insert(c.sets[kSjis].end(), words.begin(), words.end());
    if (c.pages == 0) c.error = "no page could be read (zcat)";
    return c;
}

}  // namespace corpus
