// Helpers of the colouring tests: lines held in buffers of exactly their
// length (so AddressSanitizer catches any read past the line end) and colour
// arrays spelt as one letter per byte.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/core/EditorSettings.h"
#include "editor/core/KeywordTable.h"

namespace colortest {

using editor::Color;

constexpr Color kText = 0x111111;
// Distinct colours with the letter each is spelt as.
constexpr Color kE = 0x000001, kA = 0x000002, kC = 0x000003, kS = 0x000004, kD = 0x000005, kN = 0x000006,
                kK = 0x000007, kL = 0x000008, kH = 0x000009;

inline char Letter(Color c) {
    static const std::map<Color, char> letters = {{kText, '.'}, {kE, 'E'}, {kA, 'A'}, {kC, 'C'}, {kS, 'S'},
                                                  {kD, 'D'},    {kN, 'N'}, {kK, 'K'}, {kL, 'L'}, {kH, 'H'}};
    auto it = letters.find(c);
    return it == letters.end() ? '?' : it->second;
}

// A line in a heap block of exactly its size.
class Line {
public:
    explicit Line(const std::string& s) : m_size(static_cast<int>(s.size())), m_bytes(new char[s.size() ? s.size() : 1]) {
        std::copy(s.begin(), s.end(), m_bytes.get());
    }
    const char* data() const { return m_bytes.get(); }
    int size() const { return m_size; }

private:
    int m_size;
    std::unique_ptr<char[]> m_bytes;
};

// Colours `text` with fn (a colouring function) and spells the result.
template <typename Fn>
std::string Paint(const Fn& fn, const std::string& text, int prevState = -1, int* state = nullptr) {
    Line line(text);
    std::vector<Color> colors(static_cast<std::size_t>(line.size()) + 1, kText);
    colors.back() = 0xDEAD;  // a guard after the line
    const int s = fn(line.data(), line.size(), prevState, colors.data());
    if (state) *state = s;
    std::string out;
    for (int i = 0; i < line.size(); ++i) out += Letter(colors[static_cast<std::size_t>(i)]);
    if (colors.back() != 0xDEAD) out += "!overrun";
    return out;
}

inline std::shared_ptr<editor::KeywordTable> Table(std::initializer_list<const char*> words) {
    auto t = std::make_shared<editor::KeywordTable>();
    for (const char* w : words) t->Add(w);
    return t;
}

}  // namespace colortest
