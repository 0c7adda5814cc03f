// Input assist: the contexts of the three assist commands, the assist files
// (*.ast) they read, which file a document uses, and the pick list's size
// and place. Everything here is portable; editor/win/AssistList shows it.
//
// An assist file has the form of an initialization file. Entry n of a
// section is `Image`n (icon index), `Word`n (the text inserted) and
// `Comment`n (the status-bar text). A word that begins with "@" names a
// section whose words are added in its place, with the referring entry's
// icon.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace editor {

class IEditorOps;

namespace assist {

enum class Kind { Input, Attribute, Value };

// Longest word and comment kept (bytes, cut on a character boundary), and
// longest element or attribute name taken from the text.
constexpr std::size_t kMaxWord = 63;
constexpr std::size_t kMaxComment = 127;
constexpr std::size_t kMaxName = 32;

// Image strips (bitmap resources) and their cell counts.
constexpr int kInputStrip = 212;
constexpr int kInputStripCells = 8;
constexpr int kAttributeStrip = 210;
constexpr int kAttributeStripCells = 5;

// --- Contexts -------------------------------------------------------------------

// Input assist: the last character of the caret line before the caret when it
// is a single byte (walked by character from the line start), else "".
std::string InputSection(const std::string& lineBeforeCaret);

// The element name of the start tag the caret is in, "" when there is none.
// `caretLine` is the caret line's text before the caret, which must end with
// `lastByte` (a blank for attribute assist, "=" for value assist); `above`
// gives the lines above the caret, nearest first, and returns false when
// there are no more.
std::string ElementName(const std::string& caretLine, char lastByte,
                        const std::function<bool(std::string&)>& above);

// Attribute assist: the element name; value assist: element "::" attribute.
std::string AttributeSection(const IEditorOps& ed);
std::string ValueSection(const IEditorOps& ed);
std::string InputSection(const IEditorOps& ed);
std::string SectionFor(Kind kind, const IEditorOps& ed);

// The attribute name before the "=" that ends the caret line's text, or "".
std::string AttributeName(const std::string& caretLine);

// Input assist's replacement: the trigger character just before the caret,
// as absolute offsets [*start, *end). False (and the caret as both ends) when
// the caret is at a line start or the character before it is not a single
// byte: then nothing before the caret may be taken.
bool TriggerRange(const std::string& lineBeforeCaret, long long caretOffset, long long* start, long long* end);

// --- Assist files ---------------------------------------------------------------

struct Entry {
    int image = 0;
    std::string word;
    std::string comment;
};

// An initialization file read the way the system's private-profile functions
// read it: section and key names without case, the first of duplicates wins,
// blanks around names and values trimmed, one pair of enclosing quotes
// removed, lines without "=" ignored, CR LF or LF line ends.
class ProfileText {
public:
    ProfileText() = default;
    explicit ProfileText(const std::string& bytes) { Parse(bytes); }
    void Parse(const std::string& bytes);

    bool HasSection(const std::string& section) const;
    // The value, or nullptr when the key is missing.
    const std::string* Find(const std::string& section, const std::string& key) const;
    std::string Get(const std::string& section, const std::string& key) const;
    // Section names in file order (first spelling), and a section's keys.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;

    // The entries of a section, references resolved one level deep.
    std::vector<Entry> Entries(const std::string& section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;  // in file order
        std::map<std::string, std::size_t> index;               // lower-case key -> keys[i]
    };
    const Section* FindSection(const std::string& name) const;
    std::vector<Section> m_sections;
    std::map<std::string, std::size_t> m_index;  // lower-case name -> m_sections[i]
};

// The assist files read last, parsed, each kept while its size and
// last-write time stay those it was read with: a command checks the file
// and reads it again only when it has changed.
class ProfileCache {
public:
    struct Stamp {
        unsigned long long size = 0;
        unsigned long long writeTime = 0;
    };
    static constexpr std::size_t kFiles = 8;
    // The file's text, read with `read` (false: it cannot be read, and
    // nullptr is returned) unless the cache holds it with this stamp. Paths
    // are compared without regard to ASCII case.
    std::shared_ptr<const ProfileText> Get(const std::string& path, Stamp stamp,
                                           const std::function<bool(std::string&)>& read);

private:
    struct Item {
        std::string key;
        Stamp stamp;
        std::shared_ptr<const ProfileText> text;
    };
    std::vector<Item> m_items;  // most recently used last
};

// The integer of a value as GetPrivateProfileInt reads it (blanks, a sign,
// decimal digits; 0 without digits).
int ProfileInt(const std::string& value);

// --- Which file -----------------------------------------------------------------

// The file of input assist for a document extension ("html" for an untitled
// document), given the HTML and CGI modes' extension lists in force.
std::string InputFileFor(const std::string& extension, const std::string& htmlExt, const std::string& cgiExt);
// The file a command reads ("HTML element.ast", "HTML attribute.ast" or the
// input file above).
std::string FileFor(Kind kind, const std::string& inputFile);

// --- The pick list's size and place ---------------------------------------------

struct ListMetrics {
    int rowHeight = 0;
    int rowWidth = 0;  // the widest entry with its icon
    int edgeX = 0, edgeY = 0;
    int vScrollWidth = 0;
};
struct ListRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool scrollBar = false;
};
constexpr int kMaxRows = 10;

// Size for `entries` rows; placed at the caret's top-left, moved left of the
// caret or above it near the editor's right or bottom edge, never above or
// left of the editor's client area.
ListRect ListSize(int entries, const ListMetrics& m);
ListRect PlaceList(ListRect r, int caretX, int caretY, int clientWidth, int clientHeight);

}  // namespace assist
}  // namespace editor
