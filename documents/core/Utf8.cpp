#include "documents/core/Utf8.h"

#include "documents/core/MemoryGuard.h"
#include "framework/core/Sjis.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace encoding {

namespace {

using Bytes = const unsigned char*;

// Length of the run of ASCII bytes at s[0..n).
std::size_t AsciiRun(Bytes s, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080ull) break;
    }
    while (i < n && s[i] < 0x80) ++i;
    return i;
}

constexpr bool IsCont(unsigned char c) { return (c & 0xC0) == 0x80; }

// The sequence at s[i]: its length and character, or length 0 when it is no
// UTF-8. *cut is set when the sequence is valid so far but the end cuts it.
std::size_t Sequence(Bytes s, std::size_t n, std::size_t i, char32_t* c, bool* cut) {
    const unsigned char b = s[i];
    std::size_t len;
    char32_t min;
    *cut = false;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, min = 0x80, *c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, min = 0x800, *c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, min = 0x10000, *c = b & 0x07;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k < len; ++k) {
        if (i + k >= n) {
            *cut = true;
            return 0;
        }
        if (!IsCont(s[i + k])) return 0;
        *c = (*c << 6) | (s[i + k] & 0x3F);
        // Overlong, surrogate and too-large forms show in the first two bytes.
        if (k == 1) {
            const char32_t top = *c << (6 * (len - 2));
            if (top < min || (top >= 0xD800 && top <= 0xDFFF) || top > 0x10FFFF) return 0;
        }
    }
    return len;
}

bool IsNameChar(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.' || c == ':';
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// Case-insensitive search for an ASCII word in s[from..to). The bytes may
// be in any of the codes, so this steps byte by byte: the words searched for
// begin with '<' or stand inside a tag found by its '<', and neither '<'
// nor '>' nor '?' can be the trail byte of a SHIFT JIS pair.
std::size_t FindWord(const char* s, std::size_t from, std::size_t to, const char* word) {
    const std::size_t w = std::strlen(word);
    for (std::size_t i = from; i + w <= to; ++i) {
        std::size_t k = 0;
        while (k < w && Lower(s[i + k]) == word[k]) ++k;
        if (k == w) return i;
    }
    return sjis::npos;
}

// After `key` at s[at]: optional spaces, '=', optional spaces and quote, then
// the name. Fills *d and returns true when a name stands there.
bool ReadValue(const char* s, std::size_t at, std::size_t to, Declaration* d) {
    std::size_t i = at;
    while (i < to && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    if (i >= to || s[i] != '=') return false;
    ++i;
    while (i < to && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    if (i < to && (s[i] == '"' || s[i] == '\'')) ++i;
    std::size_t e = i;
    while (e < to && IsNameChar(static_cast<unsigned char>(s[e]))) ++e;
    if (e == i) return false;
    d->found = true;
    d->offset = i;
    d->length = e - i;
    const std::string name = sjis::ToLowerAscii(std::string(s + i, e - i));
    if (name == "shift_jis" || name == "x-sjis" || name == "windows-31j") d->code = kCodeSjis;
    else if (name == "euc-jp") d->code = kCodeEuc;
    else if (name == "iso-2022-jp") d->code = kCodeJis;
    else if (name == "utf-8") d->code = kCodeUtf8;
    else d->code = -1;
    return true;
}

bool ValidSjis(Bytes s, std::size_t n) {
    for (std::size_t i = 0; i < n;) {
        i += AsciiRun(s + i, n - i);
        if (i >= n) break;
        const unsigned char c = s[i++];
        if (sjis::IsLeadByte(c)) {
            if (i >= n || !sjis::IsTrailByte(s[i])) return false;
            ++i;
        } else if (!sjis::IsHalfWidthKana(c)) {
            return false;
        }
    }
    return true;
}

bool ValidEuc(Bytes s, std::size_t n) {
    for (std::size_t i = 0; i < n;) {
        i += AsciiRun(s + i, n - i);
        if (i >= n) break;
        const unsigned char c = s[i++];
        if (c == 0x8E) {
            if (i >= n || s[i] < 0xA1 || s[i] > 0xDF) return false;
            ++i;
        } else if (c == 0x8F) {
            if (i + 1 >= n || !IsEucByte(s[i]) || !IsEucByte(s[i + 1])) return false;
            i += 2;
        } else if (IsEucByte(c)) {
            if (i >= n || !IsEucByte(s[i])) return false;
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

bool HasUtf8Mark(const char* bytes, std::size_t length) {
    return length >= 3 && std::memcmp(bytes, kUtf8Mark, 3) == 0;
}

namespace {

// 0: not UTF-8; 1: valid but every sequence also reads as half-width
// katakana (or there is none); 2: valid with evidence.
int Utf8Evidence(const char* bytes, std::size_t length) {
    Bytes s = reinterpret_cast<Bytes>(bytes);
    int result = 1;
    for (std::size_t i = 0; i < length;) {
        i += AsciiRun(s + i, length - i);
        if (i >= length) break;
        char32_t c;
        bool cut;
        const std::size_t len = Sequence(s, length, i, &c, &cut);
        if (len == 0) return cut ? result : 0;
        if (len > 2 || s[i + 1] < 0xA1) result = 2;
        i += len;
    }
    return result;
}

}  // namespace

bool IsValidUtf8(const char* bytes, std::size_t length) { return Utf8Evidence(bytes, length) != 0; }
bool LooksLikeUtf8(const char* bytes, std::size_t length) { return Utf8Evidence(bytes, length) == 2; }

bool IsValidIn(int code, const char* bytes, std::size_t length) {
    Bytes s = reinterpret_cast<Bytes>(bytes);
    switch (code) {
    case kCodeSjis: return ValidSjis(s, length);
    case kCodeJis: return AsciiRun(s, length) == length;
    case kCodeEuc: return ValidEuc(s, length);
    case kCodeUtf8: return IsValidUtf8(bytes, length);
    default: return false;
    }
}

Declaration FindDeclaration(const char* text, std::size_t length) {
    Declaration d;
    const std::size_t n = length < kDeclarationWindow ? length : kDeclarationWindow;
    std::size_t start = HasUtf8Mark(text, length) ? 3 : 0;
    if (n >= start + 5 && FindWord(text, start, start + 5, "<?xml") == start) {
        const std::size_t end = FindWord(text, start, n, "?>");
        const std::size_t to = end == sjis::npos ? n : end;
        const std::size_t key = FindWord(text, start, to, "encoding");
        if (key != sjis::npos && ReadValue(text, key + 8, to, &d)) return d;
    }
    for (std::size_t from = 0;;) {
        const std::size_t meta = FindWord(text, from, n, "<meta");
        if (meta == sjis::npos) break;
        const void* gt = std::memchr(text + meta, '>', n - meta);
        if (!gt) break;  // a tag cut by the window's end is not read
        const std::size_t to = static_cast<std::size_t>(static_cast<const char*>(gt) - text);
        for (std::size_t k = meta; (k = FindWord(text, k, to, "charset")) != sjis::npos; k += 7) {
            if (ReadValue(text, k + 7, to, &d)) return d;
        }
        from = to;
    }
    return Declaration();
}

const char* DeclarationName(int code) {
    switch (code) {
    case kCodeJis: return "ISO-2022-JP";
    case kCodeEuc: return "EUC-JP";
    case kCodeUtf8: return "UTF-8";
    default: return "Shift_JIS";
    }
}

namespace {

// Output written through a pointer into a string that grows when fewer
// than 8 bytes are left.
struct Writer {
    std::string* out;
    std::size_t base;
    char* o;
    char* end;
    Writer(std::string* s, std::size_t expected) : out(s), base(s->size()) {
        out->resize(base + expected + 16);
        o = &(*out)[base];
        end = &(*out)[0] + out->size();
    }
    void Room(std::size_t n) {
        if (static_cast<std::size_t>(end - o) >= n) return;
        const std::size_t at = static_cast<std::size_t>(o - &(*out)[0]);
        out->resize(out->size() + out->size() / 2 + n + 16);
        o = &(*out)[0] + at;
        end = &(*out)[0] + out->size();
    }
    void Finish() { out->resize(static_cast<std::size_t>(o - &(*out)[0])); }
};

}  // namespace

bool Utf8ToSjis(const char* bytes, std::size_t length, cp932::CharTable* table, std::string* out,
                std::size_t* overflow) {
    *overflow = 0;
    Bytes s = reinterpret_cast<Bytes>(bytes);
    // Private-use characters the text holds keep their codes: reserve them
    // before any code is given out. Their UTF-8 starts with 0xEE.
    for (const void* p = bytes; (p = std::memchr(p, 0xEE, length - static_cast<std::size_t>(static_cast<Bytes>(p) - s)));) {
        const std::size_t i = static_cast<std::size_t>(static_cast<Bytes>(p) - s);
        char32_t c;
        bool cut;
        if (Sequence(s, length, i, &c, &cut) == 3) {
            const int code = cp932::FromUnicode(c);
            if (code >= 0xF040) table->Reserve(static_cast<unsigned>(code));
        }
        p = s + i + 1;
        if (i + 1 >= length) break;
    }
    const std::uint16_t* codes = cp932::BmpCodes();
    return WithinMemory([&] {
        Writer w(out, length);
        std::string slow;
        for (std::size_t i = 0; i < length;) {
            w.Room(8);
            if (i + 8 <= length) {
                std::uint64_t word;
                std::memcpy(&word, s + i, 8);
                if (!(word & 0x8080808080808080ull)) {
                    std::memcpy(w.o, s + i, 8);
                    w.o += 8;
                    i += 8;
                    continue;
                }
            }
            const unsigned char b = s[i];
            if (b < 0x80) {
                *w.o++ = static_cast<char>(b);
                ++i;
                continue;
            }
            // The common case inline: a three-byte character of the plane.
            if (b >= 0xE0 && b <= 0xEF && i + 2 < length && IsCont(s[i + 1]) && IsCont(s[i + 2])) {
                const char32_t c = ((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
                if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
                    const unsigned code = codes[c];
                    if (code >= 0x8140 && code < 0xF040) {
                        w.o[0] = static_cast<char>(code >> 8);
                        w.o[1] = static_cast<char>(code & 0xFF);
                        w.o += 2;
                        i += 3;
                        continue;
                    }
                }
            }
            char32_t c;
            bool cut;
            std::size_t len = Sequence(s, length, i, &c, &cut);
            if (len == 0) {
                len = 1;
                c = cp932::kRawByteBase + s[i];
            }
            i += len;
            if (c < 0x10000) {
                const unsigned code = codes[c];
                if (code != 0 && code < 0x100) {
                    *w.o++ = static_cast<char>(code);
                    continue;
                }
            }
            slow.clear();
            if (!cp932::AppendChar(c, table, &slow)) {
                ++*overflow;
                slow = {static_cast<char>(kGetaLead), static_cast<char>(kGetaTrail)};
            }
            std::memcpy(w.o, slow.data(), slow.size());
            w.o += slow.size();
        }
        w.Finish();
        return true;
    });
}

bool SjisToUtf8(const char* text, std::size_t length, const cp932::CharTable* table, std::string* out,
                std::size_t* unconvertible, std::size_t outputLimit) {
    *unconvertible = 0;
    Bytes s = reinterpret_cast<Bytes>(text);
    const bool useTable = table && !table->Empty();
    const std::uint16_t* pairs = cp932::PairTable();
    const std::size_t base = out->size();
    const bool ok = WithinMemory([&] {
        Writer w(out, length + length / 2);
        for (std::size_t i = 0; i < length;) {
            w.Room(8);
            if (i + 8 <= length) {
                std::uint64_t word;
                std::memcpy(&word, s + i, 8);
                if (!(word & 0x8080808080808080ull)) {
                    std::memcpy(w.o, s + i, 8);
                    w.o += 8;
                    i += 8;
                    continue;
                }
            }
            const unsigned char b = s[i];
            char32_t c;
            if (b < 0x80) {
                *w.o++ = static_cast<char>(b);
                ++i;
                continue;
            } else if (sjis::IsHalfWidthKana(b)) {
                c = 0xFF61 + (b - 0xA1);
                ++i;
            } else if (sjis::IsLeadByte(b) && i + 1 < length && sjis::IsTrailByte(s[i + 1])) {
                const unsigned char t = s[i + 1];
                c = useTable && cp932::IsUserLead(b) ? table->CharOf(b * 256u + t) : 0;
                if (c == 0) {
                    const unsigned row = b < 0xA0 ? b - 0x81u : b - 0xE0u + 31;
                    const unsigned col = t < 0x7F ? t - 0x40u : t - 0x41u;
                    c = pairs[row * 188 + col];
                }
                i += 2;
            } else {
                c = 0;
                ++i;
            }
            if (c == 0) {
                ++*unconvertible;
                c = 0xFFFD;
            }
            if (cp932::IsRawByte(c)) {
                *w.o++ = static_cast<char>(c - cp932::kRawByteBase);
            } else if (c < 0x800) {
                w.o[0] = static_cast<char>(0xC0 | (c >> 6));
                w.o[1] = static_cast<char>(0x80 | (c & 0x3F));
                w.o += 2;
            } else if (c < 0x10000) {
                w.o[0] = static_cast<char>(0xE0 | (c >> 12));
                w.o[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                w.o[2] = static_cast<char>(0x80 | (c & 0x3F));
                w.o += 3;
            } else {
                w.o[0] = static_cast<char>(0xF0 | (c >> 18));
                w.o[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                w.o[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                w.o[3] = static_cast<char>(0x80 | (c & 0x3F));
                w.o += 4;
            }
        }
        w.Finish();
        return out->size() <= outputLimit;
    });
    if (!ok) out->resize(std::min(out->size(), base));
    return ok;
}

std::size_t CountTableCodes(const char* text, std::size_t length, const cp932::CharTable& table) {
    std::size_t count = 0;
    if (table.Empty()) return 0;
    for (std::size_t i = 0; i < length; i = sjis::Next(text, length, i)) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (cp932::IsUserLead(c) && i + 1 < length && table.CharOf(c * 256u + static_cast<unsigned char>(text[i + 1])))
            ++count;
    }
    return count;
}

std::string WithReferences(const char* text, std::size_t length, const cp932::CharTable& table) {
    std::string out;
    out.reserve(length);
    std::size_t done = 0;
    for (std::size_t i = 0; i < length; i = sjis::Next(text, length, i)) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!cp932::IsUserLead(c) || i + 1 >= length) continue;
        char32_t u = table.CharOf(c * 256u + static_cast<unsigned char>(text[i + 1]));
        if (u == 0) continue;
        if (cp932::IsRawByte(u)) u = 0xFFFD;
        char ref[16];
        std::snprintf(ref, sizeof ref, "&#x%X;", static_cast<unsigned>(u));
        out.append(text + done, i - done);
        out += ref;
        done = i + 2;
    }
    out.append(text + done, length - done);
    return out;
}

}  // namespace encoding
