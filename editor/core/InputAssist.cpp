#include "editor/core/InputAssist.h"

#include <cstdlib>

#include "editor/core/EditorOps.h"
#include "framework/core/Sjis.h"

namespace editor {
namespace assist {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNameByte(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '-'; }

// Character starts of s, in order.
std::vector<std::size_t> Starts(const std::string& s) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < s.size(); i = sjis::Next(s.data(), s.size(), i)) out.push_back(i);
    return out;
}

// Offset of the last single-byte character of s that is '<' or '>', or npos.
std::size_t LastAngle(const std::string& s) {
    const std::size_t lt = sjis::FindLastChar(s, '<');
    const std::size_t gt = sjis::FindLastChar(s, '>');
    if (lt == sjis::npos) return gt;
    if (gt == sjis::npos) return lt;
    return lt > gt ? lt : gt;
}

// The element name after the '<' at `lt` of line, or "".
std::string NameAfter(const std::string& line, std::size_t lt) {
    if (line.size() == 1) return "";
    std::size_t i = lt + 1;
    if (i < line.size() && line[i] == '/') return "";
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t from = i;
    while (i < line.size() && !IsBlank(line[i])) i = sjis::Next(line.data(), line.size(), i);
    const std::string name = line.substr(from, i - from);
    return sjis::CutAtBoundary(name, kMaxName);
}

std::string Lower(const std::string& s) { return sjis::ToLowerAscii(s); }

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Lines above the caret line of an editor, nearest first. Only a line
// holding '<' or '>' can end the upward scan, and neither byte is ever a
// trail byte, so the editor passes over the others where they lie.
std::function<bool(std::string&)> LinesAbove(const IEditorOps& ed) {
    int n = ed.GetCaretLine();
    return [&ed, n](std::string& out) mutable {
        n = n > 0 ? ed.LastLineWithEither(n, '<', '>') : -1;
        if (n < 0) return false;
        ed.GetLine(n, out, true);
        return true;
    };
}

std::string CaretLineText(const IEditorOps& ed) {
    std::string s;
    ed.GetLine(ed.GetCaretLine(), s, false);
    return s;
}

}  // namespace

// --- Contexts -------------------------------------------------------------------

std::string InputSection(const std::string& line) {
    if (line.empty()) return "";
    const std::size_t last = sjis::Previous(line.data(), line.size(), line.size());
    if (last + 1 != line.size() || sjis::IsLeadByte(line[last])) return "";
    return line.substr(last);
}

std::string ElementName(const std::string& caretLine, char lastByte,
                        const std::function<bool(std::string&)>& above) {
    if (caretLine.empty() || caretLine.back() != lastByte) return "";
    // The last byte must be a character of its own, not a trail byte.
    if (sjis::Previous(caretLine.data(), caretLine.size(), caretLine.size()) + 1 != caretLine.size()) return "";
    std::string line = caretLine;
    for (;;) {
        if (!line.empty()) {
            const std::size_t at = LastAngle(line);
            if (at != sjis::npos) return line[at] == '>' ? "" : NameAfter(line, at);
        }
        if (!above(line)) return "";
    }
}

std::string AttributeName(const std::string& line) {
    if (line.empty() || line.back() != '=') return "";
    const std::vector<std::size_t> st = Starts(line);
    if (st.back() + 1 != line.size()) return "";  // '=' as a trail byte
    // Back to the nearest letter.
    std::size_t k = st.size() - 1;
    for (;;) {
        if (k == 0) return "";
        --k;
        const char c = line[st[k]];
        if (c == '<' || c == '>') return "";
        if (IsLetter(c) && st[k + 1] == st[k] + 1) break;
    }
    // Back over the word to the blank before it.
    for (;;) {
        const char c = line[st[k]];
        if (c == '<' || c == '>') return "";
        if (IsBlank(c)) break;
        if (k == 0) return "";
        --k;
    }
    std::size_t i = st[k] + 1;
    const std::size_t from = i;
    while (i < line.size() && i - from < kMaxName && IsNameByte(line[i])) ++i;
    return line.substr(from, i - from);
}

std::string InputSection(const IEditorOps& ed) { return InputSection(CaretLineText(ed)); }

std::string AttributeSection(const IEditorOps& ed) {
    const std::string line = CaretLineText(ed);
    if (line.empty() || !IsBlank(line.back())) return "";
    return ElementName(line, line.back(), LinesAbove(ed));
}

std::string ValueSection(const IEditorOps& ed) {
    const std::string line = CaretLineText(ed);
    const std::string attribute = AttributeName(line);
    if (attribute.empty()) return "";
    const std::string element = ElementName(line, '=', LinesAbove(ed));
    if (element.empty()) return "";
    return element + "::" + attribute;
}

std::string SectionFor(Kind kind, const IEditorOps& ed) {
    switch (kind) {
    case Kind::Input: return InputSection(ed);
    case Kind::Attribute: return AttributeSection(ed);
    case Kind::Value: return ValueSection(ed);
    }
    return "";
}

bool TriggerRange(const std::string& line, long long caret, long long* start, long long* end) {
    *start = *end = caret;
    if (InputSection(line).empty()) return false;
    *start = caret - 1;
    return true;
}

// --- Assist files ---------------------------------------------------------------

void ProfileText::Parse(const std::string& bytes) {
    m_sections.clear();
    m_index.clear();
    Section* current = nullptr;
    bool skipping = true;  // keys before the first section, or of a duplicate section
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t eol = bytes.find('\n', pos);
        if (eol == std::string::npos) eol = bytes.size();
        std::string line = bytes.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (line.empty()) continue;
        if (line[0] == '[') {
            std::size_t close = sjis::FindChar(line, ']', 1);
            if (close == sjis::npos) close = line.size();
            const std::string name = Trim(line.substr(1, close - 1));
            const std::string key = Lower(name);
            if (m_index.count(key)) {
                skipping = true;
                current = nullptr;
                continue;
            }
            m_index[key] = m_sections.size();
            m_sections.push_back(Section{name, {}, {}});
            current = &m_sections.back();
            skipping = false;
            continue;
        }
        if (skipping || !current) continue;
        const std::size_t eq = sjis::FindChar(line, '=');
        if (eq == sjis::npos) continue;
        const std::string name = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        const std::string key = Lower(name);
        if (current->index.count(key)) continue;
        current->index[key] = current->keys.size();
        current->keys.emplace_back(name, value);
    }
}

const ProfileText::Section* ProfileText::FindSection(const std::string& name) const {
    const auto it = m_index.find(Lower(Trim(name)));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

bool ProfileText::HasSection(const std::string& section) const { return FindSection(section) != nullptr; }

const std::string* ProfileText::Find(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    const auto it = s->index.find(Lower(Trim(key)));
    return it == s->index.end() ? nullptr : &s->keys[it->second].second;
}

std::string ProfileText::Get(const std::string& section, const std::string& key) const {
    const std::string* v = Find(section, key);
    return v ? *v : std::string();
}

std::vector<std::string> ProfileText::Sections() const {
    std::vector<std::string> out;
    for (const Section& s : m_sections) out.push_back(s.name);
    return out;
}

std::vector<std::string> ProfileText::Keys(const std::string& section) const {
    std::vector<std::string> out;
    if (const Section* s = FindSection(section))
        for (const auto& kv : s->keys) out.push_back(kv.first);
    return out;
}

std::vector<Entry> ProfileText::Entries(const std::string& section) const {
    std::vector<Entry> out;
    if (!FindSection(section)) return out;
    for (int n = 0;; ++n) {
        const std::string num = std::to_string(n);
        const std::string* image = Find(section, "Image" + num);
        if (!image) break;
        const std::string word = Get(section, "Word" + num);
        if (word.empty()) break;
        const int img = ProfileInt(*image);
        if (word[0] == '@') {
            // A reference: the words of that section, one level deep (a word
            // starting with "@" there is taken as it stands).
            for (int k = 0;; ++k) {
                const std::string kn = std::to_string(k);
                const std::string w = Get(word, "Word" + kn);
                if (w.empty()) break;
                out.push_back(Entry{img, sjis::CutAtBoundary(w, kMaxWord),
                                    sjis::CutAtBoundary(Get(word, "Comment" + kn), kMaxComment)});
            }
            continue;
        }
        out.push_back(Entry{img, sjis::CutAtBoundary(word, kMaxWord),
                            sjis::CutAtBoundary(Get(section, "Comment" + num), kMaxComment)});
    }
    return out;
}

std::shared_ptr<const ProfileText> ProfileCache::Get(const std::string& path, Stamp stamp,
                                                     const std::function<bool(std::string&)>& read) {
    const std::string key = Lower(path);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].key != key) continue;
        Item item = std::move(m_items[i]);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
        if (item.stamp.size != stamp.size || item.stamp.writeTime != stamp.writeTime) break;
        m_items.push_back(std::move(item));
        return m_items.back().text;
    }
    std::string bytes;
    if (!read(bytes)) return nullptr;
    if (m_items.size() >= kFiles) m_items.erase(m_items.begin());
    m_items.push_back(Item{key, stamp, std::make_shared<const ProfileText>(bytes)});
    return m_items.back().text;
}

int ProfileInt(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && (IsBlank(value[i]) || value[i] == '\n' || value[i] == '\r')) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    long long v = 0;
    while (i < value.size() && value[i] >= '0' && value[i] <= '9') {
        v = v * 10 + (value[i++] - '0');
        if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
    }
    return static_cast<int>(negative ? -v : v);
}

// --- Which file -----------------------------------------------------------------

namespace {
bool InList(const std::string& key, const std::string& list) {
    const std::string hay = Lower(";" + list + ";");
    for (std::size_t i = 0; i + key.size() <= hay.size(); i = sjis::Next(hay.data(), hay.size(), i))
        if (hay.compare(i, key.size(), key) == 0) return true;
    return false;
}
}  // namespace

std::string InputFileFor(const std::string& extension, const std::string& htmlExt, const std::string& cgiExt) {
    const std::string key = Lower(";" + extension + ";");
    if (InList(key, htmlExt)) return "HTML.ast";
    if (InList(key, cgiExt)) return "CGI.ast";
    return "Common.ast";
}

std::string FileFor(Kind kind, const std::string& inputFile) {
    switch (kind) {
    case Kind::Attribute: return "HTML element.ast";
    case Kind::Value: return "HTML attribute.ast";
    case Kind::Input: break;
    }
    return inputFile;
}

// --- The pick list's size and place ---------------------------------------------

ListRect ListSize(int entries, const ListMetrics& m) {
    ListRect r;
    const int rows = entries < kMaxRows ? entries : kMaxRows;
    r.scrollBar = entries > kMaxRows;
    r.height = rows * m.rowHeight + 2 * m.edgeY + 6;
    r.width = m.rowWidth + 2 * m.edgeX + 2 + (r.scrollBar ? m.vScrollWidth : 0);
    return r;
}

ListRect PlaceList(ListRect r, int caretX, int caretY, int clientWidth, int clientHeight) {
    r.x = caretX;
    r.y = caretY;
    if (r.width < clientWidth && r.x + r.width > clientWidth) r.x = caretX - r.width;
    if (r.y + r.height > clientHeight) r.y = caretY - r.height;
    if (r.x < 0) r.x = 0;
    if (r.y < 0) r.y = 0;
    return r;
}

}  // namespace assist
}  // namespace editor
