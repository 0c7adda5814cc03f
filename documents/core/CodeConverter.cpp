// The four converters between SHIFT JIS and JIS or EUC.
//
// Bytes that are not valid in the source encoding pass through unchanged, so
// nothing a file holds is dropped: unknown escape sequences, a SHIFT JIS lead
// byte followed by a byte below 0x40, stray high bytes in JIS, EUC bytes that
// do not form a pair. The end of the source writes out whatever is still
// pending (a first byte, a held kana, the bytes of an unfinished escape
// sequence) and, for JIS, returns to ASCII; no terminating NUL is written.
#include "documents/core/CharCode.h"

#include "documents/core/MemoryGuard.h"
#include "framework/core/Sjis.h"

#include <cstring>

namespace encoding {

namespace {

constexpr unsigned char kEsc = 0x1B;

// Full-width JIS X 0208 codes of 0xA0 (space) and the half-width katakana
// 0xA1-0xDF of JIS X 0201.
constexpr std::uint16_t kKanaTable[64] = {
    0x2121, 0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521,
    0x2523, 0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543,
    0x213C, 0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D,
    0x252F, 0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D,
    0x253F, 0x2541, 0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C,
    0x254D, 0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, 0x255E,
    0x255F, 0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569,
    0x256A, 0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C,
};

constexpr bool IsKanaByte(unsigned char c) { return c >= 0xA0 && c <= 0xDF; }

// The largest number of bytes one step of any converter writes (a held kana
// with its mode switch, an escape switch and the byte itself).
constexpr std::size_t kStepRoom = 16;
constexpr std::size_t kMaxLimit = static_cast<std::size_t>(-1) - kStepRoom;

// The output of a run: a cursor into conv.output's buffer, grown by doubling.
class Output {
public:
    explicit Output(CodeConverter& conv) : m_conv(conv), m_used(conv.output.size()) {
        m_conv.output.resize(m_conv.output.capacity());
        Point();
    }
    // Makes room for n more bytes.
    bool Room(std::size_t n) {
        if (static_cast<std::size_t>(m_end - m_pos) >= n) return true;
        return Grow(n);
    }
    void Put(unsigned char c) { *m_pos++ = static_cast<char>(c); }
    void Put2(unsigned pair) {
        m_pos[0] = static_cast<char>(pair >> 8);
        m_pos[1] = static_cast<char>(pair);
        m_pos += 2;
    }
    // Direct writing for the fast loops, after Room() for all they write.
    char* Cursor() const { return m_pos; }
    void SetCursor(char* pos) { m_pos = pos; }
    void Append(const unsigned char* bytes, std::size_t n) {
        std::memcpy(m_pos, bytes, n);
        m_pos += n;
    }
    // Ends the run: false when the output went past the limit.
    bool Finish() {
        const std::size_t length = static_cast<std::size_t>(m_pos - m_base);
        m_conv.output.resize(length);
        return length <= m_conv.outputLimit;
    }

private:
    void Point() {
        m_base = &m_conv.output[0];
        m_pos = m_base + m_used;
        m_end = m_base + m_conv.output.size();
    }
    bool Grow(std::size_t n) {
        m_used = static_cast<std::size_t>(m_pos - m_base);
        // The buffer may hold one step more than the limit, so that an output
        // of exactly the limit fits; Finish() checks the length itself.
        const std::size_t limit = m_conv.outputLimit + (m_conv.outputLimit < kMaxLimit ? kStepRoom : 0);
        if (m_used > m_conv.outputLimit || n > limit - m_used) return false;
        std::size_t size = m_conv.output.size();
        size = size < limit / 2 ? size * 2 : limit;
        if (size < m_used + n) size = m_used + n;
        if (size < 256 && limit >= 256) size = 256;
        m_conv.output.resize(size);  // may throw std::bad_alloc
        Point();
        return true;
    }

    CodeConverter& m_conv;
    std::size_t m_used;
    char* m_base = nullptr;
    char* m_pos = nullptr;
    char* m_end = nullptr;
};

// The SHIFT JIS pairs of all JIS X 0208 codes in memory order, indexed by
// (row - 0x21) * 94 + (cell - 0x21).
struct PairTable {
    unsigned char pair[94 * 94][2];
    PairTable() {
        for (unsigned row = 0x21; row <= 0x7E; ++row) {
            for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
                const unsigned sj = sjis::JisToSjisPair(row, cell);
                unsigned char* out = pair[(row - 0x21) * 94 + (cell - 0x21)];
                out[0] = static_cast<unsigned char>(sj >> 8);
                out[1] = static_cast<unsigned char>(sj);
            }
        }
    }
    const unsigned char* Of(unsigned row, unsigned cell) const { return pair[(row - 0x21) * 94 + (cell - 0x21)]; }
};

const PairTable& Pairs() {
    static const PairTable table;
    return table;
}

// The IBM extension area in runs whose twins follow each other in pair
// order (both sides step over trail 0x7F and from one lead to the next).
struct TwinRun {
    std::uint16_t first;
    std::uint16_t count;
    std::uint16_t twin;
};
constexpr TwinRun kTwinRuns[] = {
    {0xFA40, 10, 0xEEEF},   // ⅰ-ⅹ: NEC-selected
    {0xFA4A, 10, 0x8754},   // Ⅰ-Ⅹ: NEC row 13
    {0xFA54, 1, 0x81CA},    // ￢: JIS X 0208
    {0xFA55, 3, 0xEEFA},    // ￤ ＇ ＂: NEC-selected
    {0xFA58, 1, 0x878A},    // ㈱: NEC row 13
    {0xFA59, 1, 0x8782},    // №
    {0xFA5A, 1, 0x8784},    // ℡
    {0xFA5B, 1, 0x81E6},    // ∵: JIS X 0208
    {0xFA5C, 360, 0xED40},  // the kanji: NEC-selected
};

// Position of a pair among all pairs with a valid trail (188 per lead).
constexpr unsigned PairOrdinal(unsigned pair) {
    const unsigned trail = pair & 0xFF;
    return (pair >> 8) * 188 + trail - 0x40 - (trail > 0x7F ? 1 : 0);
}
constexpr unsigned PairAt(unsigned ordinal) {
    const unsigned lead = ordinal / 188, index = ordinal % 188;
    return lead << 8 | (index + 0x40 + (index >= 0x3F ? 1 : 0));
}

// The JIS X 0208 code of a pair, through its twin for an IBM extension
// character; 0 when neither has one.
unsigned PairToJis(unsigned char lead, unsigned char trail) {
    const unsigned jis = sjis::SjisPairToJis(lead, trail);
    if (jis != 0 || lead < 0xFA) return jis;
    const unsigned twin = IbmExtensionTwin(lead, trail);
    return twin ? sjis::SjisPairToJis(static_cast<unsigned char>(twin >> 8), static_cast<unsigned char>(twin)) : 0;
}

// Decoded bytes of one fast loop: at most this many input bytes at a time,
// and never more output than input.
constexpr std::size_t kBlock = 1 << 16;

// Copies ASCII and converts whole EUC pairs from s[*i] on, stopping at the
// first other byte or once *i reaches end; writes at p, returns the new p.
char* DecodeEucRun(const unsigned char* s, std::size_t n, std::size_t* i, std::size_t end, char* p) {
    const PairTable& table = Pairs();
    std::size_t k = *i;
    while (k < end) {
        const unsigned char c = s[k];
        if (c < 0x80) {
            std::uint64_t word;
            if (k + 8 <= end) {
                std::memcpy(&word, s + k, 8);
                if ((word & 0x8080808080808080ull) == 0) {
                    std::memcpy(p, &word, 8);
                    p += 8;
                    k += 8;
                    continue;
                }
            }
            *p++ = static_cast<char>(c);
            ++k;
            continue;
        }
        if (!IsEucByte(c) || k + 1 >= n || !IsEucByte(s[k + 1])) break;
        std::memcpy(p, table.Of(c & 0x7F, s[k + 1] & 0x7F), 2);
        p += 2;
        k += 2;
    }
    *i = k;
    return p;
}

// Length of the run of bytes from `from` on for which keep() holds.
template <typename Keep>
std::size_t RunLength(const unsigned char* s, std::size_t from, std::size_t n, Keep keep) {
    std::size_t i = from;
    while (i < n && keep(s[i])) ++i;
    return i - from;
}

// Copies the run of bytes below 0x80 that starts at *i and moves *i past it.
bool CopyAsciiRun(Output& out, const unsigned char* s, std::size_t* i, std::size_t n) {
    const std::size_t run = RunLength(s, *i, n, [](unsigned char c) { return c < 0x80; });
    if (!out.Room(run)) return false;
    out.Append(s + *i, run);
    *i += run;
    return true;
}

// Kana widening: a half-width kana is held back until the next byte shows
// whether a voiced or semi-voiced mark joins it. `write` receives the JIS
// X 0208 code of the full-width form.
template <typename Write>
class KanaWidener {
public:
    explicit KanaWidener(Write write) : m_write(write) {}
    void Kana(unsigned char c) {
        if (m_pending == 0) {
            m_pending = c;
            return;
        }
        const int voicing = KanaVoicing(m_pending, c);
        m_write(KanaToJis(m_pending) + static_cast<unsigned>(voicing));
        m_pending = voicing > 0 ? 0 : c;
    }
    void Flush() {
        if (m_pending == 0) return;
        m_write(KanaToJis(m_pending));
        m_pending = 0;
    }
    bool Pending() const { return m_pending != 0; }

private:
    Write m_write;
    unsigned char m_pending = 0;
};

template <typename Write>
KanaWidener<Write> MakeWidener(Write write) { return KanaWidener<Write>(write); }

// The mode an escape sequence ESC a b switches to, or -1 for one that is
// not known: "$B" and "$@" kanji, "(I" half-width katakana, "(B", "(J" and
// "(H" ASCII.
int EscapeMode(unsigned char a, unsigned char b) {
    if (a == '$') return b == 'B' || b == '@' ? 1 : -1;
    if (a == '(') return b == 'I' ? 2 : b == 'B' || b == 'J' || b == 'H' ? 0 : -1;
    return -1;
}

// Copies the bytes from s[*i] up to the next ESC or end; writes at p,
// returns the new p.
char* CopyUntilEscape(const unsigned char* s, std::size_t* i, std::size_t end, char* p) {
    const std::size_t k = *i;
    const void* esc = std::memchr(s + k, kEsc, end - k);
    const std::size_t stop = esc ? static_cast<std::size_t>(static_cast<const unsigned char*>(esc) - s) : end;
    std::memcpy(p, s + k, stop - k);
    *i = stop;
    return p + (stop - k);
}

bool RunJisToSjis(CodeConverter& conv) {
    Output out(conv);
    const unsigned char* s = conv.source;
    const std::size_t n = conv.length;
    auto kana = MakeWidener([&](unsigned jis) { out.Put2(sjis::JisToSjisPair(jis >> 8, jis & 0xFF)); });
    int mode = 0;           // 0 ASCII, 1 kanji, 2 half-width katakana
    int escape = 0;         // bytes of an escape sequence seen
    unsigned char escape2 = 0;
    unsigned char first = 0;  // pending first byte of a kanji
    std::size_t i = 0;
    while (i < n) {
        if (!out.Room(kStepRoom)) return false;
        const unsigned char b = s[i];
        if (escape == 1) {
            if (b == '$' || b == '(') {
                escape2 = b;
                escape = 2;
            } else if (b == kEsc) {
                out.Put(kEsc);  // the first ESC was no sequence; the second starts one
            } else {
                out.Put(kEsc);
                out.Put(b);
                escape = 0;
            }
            ++i;
            continue;
        }
        if (escape == 2) {
            escape = 0;
            const int next = EscapeMode(escape2, b);
            if (next >= 0) {
                mode = next;
            } else {
                out.Put(kEsc);
                out.Put(escape2);
                if (b == kEsc) escape = 1;
                else if (mode == 1 && sjis::IsJisByte(b)) first = b;
                else out.Put(b);
            }
            ++i;
            continue;
        }
        if (b == kEsc) {
            if (first) out.Put(first);
            first = 0;
            kana.Flush();
            // A whole known sequence at once; anything else byte by byte.
            const int next = i + 2 < n ? EscapeMode(s[i + 1], s[i + 2]) : -1;
            if (next >= 0) {
                mode = next;
                i += 3;
            } else {
                escape = 1;
                ++i;
            }
            continue;
        }
        if (mode == 0) {
            kana.Flush();
            const std::size_t end = i + (n - i < kBlock ? n - i : kBlock);
            if (!out.Room(end - i)) return false;
            out.SetCursor(CopyUntilEscape(s, &i, end, out.Cursor()));
            continue;
        }
        if (mode == 1) {
            kana.Flush();
            if (!sjis::IsJisByte(b)) {
                if (first) out.Put(first);
                first = 0;
                out.Put(b);
                ++i;
                continue;
            }
            if (!first) {
                // Whole pairs at once while both bytes are JIS bytes.
                const PairTable& table = Pairs();
                const std::size_t end = i + (n - i < kBlock ? n - i : kBlock);
                if (!out.Room(end - i + kStepRoom)) return false;
                char* p = out.Cursor();
                while (i < end && i + 1 < n && sjis::IsJisByte(s[i]) && sjis::IsJisByte(s[i + 1])) {
                    std::memcpy(p, table.Of(s[i], s[i + 1]), 2);
                    p += 2;
                    i += 2;
                }
                out.SetCursor(p);
                if (i < end && i + 1 >= n && sjis::IsJisByte(s[i])) first = s[i++];
                else if (i + 1 < n && sjis::IsJisByte(s[i]) && !sjis::IsJisByte(s[i + 1])) first = s[i++];
                continue;
            }
            out.Put2(sjis::JisToSjisPair(first, b));
            first = 0;
            ++i;
            continue;
        }
        // Half-width katakana.
        if (first) out.Put(first);
        first = 0;
        if (b >= 0x21 && b <= 0x5F) {
            const unsigned char k = static_cast<unsigned char>(b + 0x80);
            if (conv.fullWidth) kana.Kana(k);
            else out.Put(k);
        } else {
            kana.Flush();
            out.Put(b);
        }
        ++i;
    }
    if (!out.Room(kStepRoom)) return false;
    if (escape >= 1) out.Put(kEsc);
    if (escape == 2) out.Put(escape2);
    if (first) out.Put(first);
    kana.Flush();
    return out.Finish();
}

bool RunEucToSjis(CodeConverter& conv) {
    Output out(conv);
    const unsigned char* s = conv.source;
    const std::size_t n = conv.length;
    auto kana = MakeWidener([&](unsigned jis) { out.Put2(sjis::JisToSjisPair(jis >> 8, jis & 0xFF)); });
    std::size_t i = 0;
    while (i < n) {
        if (!kana.Pending()) {
            const std::size_t block = n - i < kBlock ? n - i : kBlock;
            if (!out.Room(block + kStepRoom)) return false;
            out.SetCursor(DecodeEucRun(s, n, &i, i + block, out.Cursor()));
            if (i >= n) break;
        }
        if (!out.Room(kStepRoom)) return false;
        const unsigned char b = s[i];
        if (b < 0x80 || (IsEucByte(b) && i + 1 < n && IsEucByte(s[i + 1]))) {
            kana.Flush();  // the fast loop takes it from here
            continue;
        }
        if (IsEucByte(b)) {
            kana.Flush();
            out.Put(b);  // a first byte without its second stands alone
            ++i;
            continue;
        }
        if (b == 0x8E && i + 1 < n && IsKanaByte(s[i + 1])) {
            if (conv.fullWidth) {
                kana.Kana(s[i + 1]);
            } else {
                out.Put(s[i + 1]);
            }
            i += 2;
            continue;
        }
        kana.Flush();
        if (b == 0x8F && i + 2 < n && IsEucByte(s[i + 1]) && IsEucByte(s[i + 2])) {
            out.Put(kGetaLead);
            out.Put(kGetaTrail);
            ++conv.unconvertible;
            i += 3;
            continue;
        }
        out.Put(b);  // a lone 0x8E or 0x8F, or a high byte that starts nothing
        ++i;
    }
    if (!out.Room(kStepRoom)) return false;
    kana.Flush();
    return out.Finish();
}

bool RunSjisToJis(CodeConverter& conv) {
    Output out(conv);
    const unsigned char* s = conv.source;
    const std::size_t n = conv.length;
    int mode = 0;
    auto toMode = [&](int m) {
        if (mode == m) return;
        out.Put(kEsc);
        out.Put(m == 1 ? '$' : '(');
        out.Put(m == 1 ? 'B' : m == 2 ? 'I' : 'B');
        mode = m;
    };
    auto kana = MakeWidener([&](unsigned jis) {
        toMode(1);
        out.Put2(jis);
    });
    std::size_t i = 0;
    while (i < n) {
        if (!out.Room(kStepRoom)) return false;
        const unsigned char b = s[i];
        if (sjis::IsLeadByte(b)) {
            kana.Flush();
            const unsigned char t = i + 1 < n ? s[i + 1] : 0;
            const unsigned jis = PairToJis(b, t);
            if (jis == 0) {
                // Not a character of JIS X 0208: its bytes go out as they are.
                toMode(0);
                out.Put(b);
                if (i + 1 < n) out.Put(t);
                if (t >= 0x40) ++conv.unconvertible;
                i += i + 1 < n ? 2 : 1;
                continue;
            }
            toMode(1);
            out.Put2(jis);
            i += 2;
            while (i + 1 < n && sjis::IsLeadByte(s[i])) {
                const unsigned next = PairToJis(s[i], s[i + 1]);
                if (next == 0) break;
                if (!out.Room(kStepRoom)) return false;
                out.Put2(next);
                i += 2;
            }
            continue;
        }
        if (IsKanaByte(b)) {
            if (conv.fullWidth) {
                kana.Kana(b);
            } else {
                toMode(2);
                out.Put(static_cast<unsigned char>(b - 0x80));
            }
            ++i;
            continue;
        }
        kana.Flush();
        toMode(0);
        if (b >= 0x80) {
            out.Put(b);  // 0x80 and 0xFD-0xFF stand alone
            ++i;
        } else if (!CopyAsciiRun(out, s, &i, n)) {
            return false;
        }
    }
    if (!out.Room(kStepRoom)) return false;
    kana.Flush();
    toMode(0);
    return out.Finish();
}

bool RunSjisToEuc(CodeConverter& conv) {
    Output out(conv);
    const unsigned char* s = conv.source;
    const std::size_t n = conv.length;
    auto kana = MakeWidener([&](unsigned jis) { out.Put2(jis | 0x8080); });
    std::size_t i = 0;
    while (i < n) {
        if (!out.Room(kStepRoom)) return false;
        const unsigned char b = s[i];
        if (b < 0x80) {
            kana.Flush();
            if (!CopyAsciiRun(out, s, &i, n)) return false;
            continue;
        }
        if (sjis::IsLeadByte(b)) {
            kana.Flush();
            while (i + 1 < n && sjis::IsLeadByte(s[i])) {
                const unsigned jis = PairToJis(s[i], s[i + 1]);
                if (jis == 0) break;
                if (!out.Room(kStepRoom)) return false;
                out.Put2(jis | 0x8080);
                i += 2;
            }
            if (i < n && sjis::IsLeadByte(s[i])) {
                // Not a character of JIS X 0208: its bytes go out as they are.
                out.Put(s[i]);
                if (i + 1 < n) {
                    out.Put(s[i + 1]);
                    if (s[i + 1] >= 0x40) ++conv.unconvertible;
                }
                i += i + 1 < n ? 2 : 1;
            }
            continue;
        }
        if (IsKanaByte(b)) {
            if (conv.fullWidth) {
                kana.Kana(b);
            } else {
                out.Put(0x8E);
                out.Put(b);
            }
            ++i;
            continue;
        }
        kana.Flush();
        out.Put(b);  // 0x80 and 0xFD-0xFF stand alone
        ++i;
    }
    if (!out.Room(kStepRoom)) return false;
    kana.Flush();
    return out.Finish();
}

}  // namespace

int KanaVoicing(unsigned char kana, unsigned char next) {
    const bool voiceable = (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE);
    if (next == 0xDE && voiceable) return 1;
    if (next == 0xDF && kana >= 0xCA && kana <= 0xCE) return 2;
    return 0;
}

unsigned IbmExtensionTwin(unsigned char lead, unsigned char trail) {
    if (lead < 0xFA || lead > 0xFC || !sjis::IsTrailByte(trail)) return 0;
    const unsigned ordinal = PairOrdinal(static_cast<unsigned>(lead) << 8 | trail);
    for (const TwinRun& run : kTwinRuns) {
        const unsigned first = PairOrdinal(run.first);
        if (ordinal >= first && ordinal < first + run.count) return PairAt(PairOrdinal(run.twin) + ordinal - first);
    }
    return 0;
}

unsigned KanaToJis(unsigned char kana) { return IsKanaByte(kana) ? kKanaTable[kana - 0xA0] : 0; }

bool JisToSjis(CodeConverter& conv) { return WithinMemory([&] { return RunJisToSjis(conv); }); }
bool EucToSjis(CodeConverter& conv) { return WithinMemory([&] { return RunEucToSjis(conv); }); }
bool SjisToJis(CodeConverter& conv) { return WithinMemory([&] { return RunSjisToJis(conv); }); }
bool SjisToEuc(CodeConverter& conv) { return WithinMemory([&] { return RunSjisToEuc(conv); }); }

}  // namespace encoding
