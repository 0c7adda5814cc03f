#include "framework/core/Cp932.h"

#include "framework/core/Sjis.h"

namespace cp932 {

namespace {

constexpr std::uint16_t kPairs[] = {
#include "framework/core/Cp932Table.inc"
};
constexpr std::size_t kTrails = 188;

int LeadRow(unsigned char lead) {
    if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
    if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 31;
    return -1;
}
int TrailColumn(unsigned char trail) {
    if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFC) return trail - 0x41;
    return -1;
}

// From each character of the Basic Multilingual Plane to its code (0: none).
struct Reverse {
    std::vector<std::uint16_t> codes;
    Reverse() : codes(0x10000, 0) {
        for (unsigned c = 1; c < 0x80; ++c) codes[c] = static_cast<std::uint16_t>(c);
        for (unsigned c = 0xA1; c <= 0xDF; ++c) codes[0xFF61 + c - 0xA1] = static_cast<std::uint16_t>(c);
        // First come wins: JIS X 0208, NEC row 13 and the IBM extensions in
        // code order; the NEC-selected copies (leads 0xED-0xEE) only for
        // characters nothing else holds.
        for (int pass = 0; pass < 2; ++pass) {
            for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
                const int row = LeadRow(static_cast<unsigned char>(lead));
                if (row < 0 || ((lead == 0xED || lead == 0xEE) != (pass == 1))) continue;
                for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                    const int col = TrailColumn(static_cast<unsigned char>(trail));
                    if (col < 0) continue;
                    const std::uint16_t u = kPairs[static_cast<std::size_t>(row) * kTrails + static_cast<std::size_t>(col)];
                    if (u != 0 && codes[u] == 0) codes[u] = static_cast<std::uint16_t>(lead * 256 + trail);
                }
            }
        }
    }
};

const Reverse& TheReverse() {
    static const Reverse r;
    return r;
}

void AppendUtf16(char32_t c, std::u16string* out) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
        c -= 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out->push_back(static_cast<char16_t>(c));
    }
}

}  // namespace

char32_t SingleToUnicode(unsigned char c) {
    if (c < 0x80) return c;
    if (c >= 0xA1 && c <= 0xDF) return 0xFF61 + (c - 0xA1);
    return 0;
}

char32_t PairToUnicode(unsigned char lead, unsigned char trail) {
    const int row = LeadRow(lead), col = TrailColumn(trail);
    if (row < 0 || col < 0) return 0;
    return kPairs[static_cast<std::size_t>(row) * kTrails + static_cast<std::size_t>(col)];
}

const std::uint16_t* PairTable() { return kPairs; }

const std::uint16_t* BmpCodes() { return TheReverse().codes.data(); }

int FromUnicode(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    if (c >= 0x10000) return -1;
    const std::uint16_t code = TheReverse().codes[c];
    return code ? code : -1;
}

int UserIndex(unsigned code) {
    const unsigned lead = code >> 8;
    if (code > 0xFFFF || !IsUserLead(static_cast<unsigned char>(lead))) return -1;
    const int col = TrailColumn(static_cast<unsigned char>(code & 0xFF));
    return col < 0 ? -1 : static_cast<int>((lead - 0xF0) * kTrails) + col;
}

unsigned UserCode(std::size_t index) {
    const unsigned lead = 0xF0 + static_cast<unsigned>(index / kTrails);
    const unsigned col = static_cast<unsigned>(index % kTrails);
    return lead * 256 + (col < 0x3F ? 0x40 + col : 0x41 + col);
}

CharTable::CharTable() : m_chars(kUserCodes, 0), m_reserved(kUserCodes, false) {}

char32_t CharTable::CharOf(unsigned code) const {
    if (m_codes.empty()) return 0;
    const int i = UserIndex(code);
    return i < 0 ? 0 : m_chars[static_cast<std::size_t>(i)];
}

unsigned CharTable::CodeOf(char32_t c) const {
    const auto it = m_codes.find(c);
    return it == m_codes.end() ? 0 : it->second;
}

void CharTable::Reserve(unsigned code) {
    const int i = UserIndex(code);
    if (i >= 0 && m_chars[static_cast<std::size_t>(i)] == 0) m_reserved[static_cast<std::size_t>(i)] = true;
}

unsigned CharTable::Add(char32_t c) {
    if (const unsigned code = CodeOf(c)) return code;
    while (m_next < kUserCodes && (m_chars[m_next] != 0 || m_reserved[m_next])) ++m_next;
    if (m_next == kUserCodes) return 0;
    const unsigned code = UserCode(m_next);
    m_chars[m_next] = c;
    m_codes.emplace(c, code);
    return code;
}

std::vector<std::pair<unsigned, char32_t>> CharTable::Entries() const {
    std::vector<std::pair<unsigned, char32_t>> entries;
    for (std::size_t i = 0; i < kUserCodes; ++i) {
        if (m_chars[i]) entries.emplace_back(UserCode(i), m_chars[i]);
    }
    return entries;
}

bool AppendChar(char32_t c, CharTable* table, std::string* out) {
    const int own = FromUnicode(c);
    if (own >= 0 && (own < 0x100 || !table || table->CharOf(static_cast<unsigned>(own)) == 0)) {
        if (own >= 0x100) out->push_back(static_cast<char>(own >> 8));
        out->push_back(static_cast<char>(own & 0xFF));
        return true;
    }
    const unsigned code = table ? table->Add(c) : 0;
    if (code == 0) return false;
    out->push_back(static_cast<char>(code >> 8));
    out->push_back(static_cast<char>(code & 0xFF));
    return true;
}

char32_t ReadChar(const char* text, std::size_t length, std::size_t* pos, const CharTable* table) {
    const unsigned char c = static_cast<unsigned char>(text[(*pos)++]);
    if (!sjis::IsLeadByte(c)) {
        const char32_t u = SingleToUnicode(c);
        return u || c == 0 ? u : kNoChar;
    }
    if (*pos >= length || !sjis::IsTrailByte(static_cast<unsigned char>(text[*pos]))) return kNoChar;
    const unsigned char t = static_cast<unsigned char>(text[(*pos)++]);
    if (table) {
        if (const char32_t u = table->CharOf(c * 256u + t)) return u;
    }
    const char32_t u = PairToUnicode(c, t);
    return u ? u : kNoChar;
}

std::size_t Utf16ToSjis(const char16_t* text, std::size_t length, CharTable* table, std::string* out) {
    std::size_t lost = 0;
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            ++lost;
            continue;
        }
        if (!AppendChar(c, table, out)) ++lost;
    }
    return lost;
}

std::u16string SjisToUtf16(const char* text, std::size_t length, const CharTable* table) {
    std::u16string out;
    out.reserve(length);
    for (std::size_t pos = 0; pos < length;) {
        const char32_t c = ReadChar(text, length, &pos, table);
        AppendUtf16(c == kNoChar || IsRawByte(c) ? char32_t{0xFFFD} : c, &out);
    }
    return out;
}

std::size_t Retable(const char* text, std::size_t length, const CharTable& from, CharTable* to, std::string* out) {
    std::size_t lost = 0;
    for (std::size_t pos = 0; pos < length;) {
        const std::size_t next = sjis::Next(text, length, pos);
        const unsigned char lead = static_cast<unsigned char>(text[pos]);
        if (next != pos + 2 || !IsUserLead(lead)) {
            out->append(text + pos, next - pos);
            pos = next;
            continue;
        }
        const unsigned char trail = static_cast<unsigned char>(text[pos + 1]);
        const unsigned code = lead * 256u + trail;
        const char32_t own = from.CharOf(code);
        if (own == 0 && (!to || to->CharOf(code) == 0)) {
            if (to) to->Reserve(code);
            out->append(text + pos, 2);
        } else if (!AppendChar(own ? own : PairToUnicode(lead, trail), to, out)) {
            out->append("\x81\xAC");
            ++lost;
        }
        pos = next;
    }
    return lost;
}

bool HoldsTableCode(const char* text, std::size_t length, const CharTable& table) {
    if (table.Empty()) return false;
    for (std::size_t pos = 0; pos < length; pos = sjis::Next(text, length, pos)) {
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        if (IsUserLead(c) && pos + 1 < length &&
            table.CharOf(c * 256u + static_cast<unsigned char>(text[pos + 1])) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace cp932
