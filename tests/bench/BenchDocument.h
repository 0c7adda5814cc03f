// The generated document of the editor benchmarks: 1 000 000 lines of about
// 60 bytes of Shift JIS.
#pragma once

#include <cstring>
#include <random>
#include <string>

namespace {

// Lines of 0 to 120 bytes (60 on average): HTML-like ASCII words mixed with
// hiragana, katakana and kanji; CR LF line ends.
std::string Document(int lines, unsigned seed) {
    static const char* const words[] = {"<p>", "</p>", "<a href=\"x.html\">", "</a>", "class", "=", "\"main\"", " ",
                                        "text", "\t", "\x82\xA0\x82\xA2\x82\xA4",  // あいう
                                        "\x83\x41\x83\x43",                        // アイ
                                        "\x95\x5C\x8E\xA6",                        // 表示
                                        "\x8A\xBF\x8E\x9A", "1234", "&amp;"};
    std::mt19937 rng(seed);
    std::string doc;
    doc.reserve(static_cast<std::size_t>(lines) * 64);
    for (int k = 0; k < lines; ++k) {
        const std::size_t target = rng() % 121;
        std::size_t n = 0;
        while (n < target) {
            const char* w = words[rng() % (sizeof words / sizeof words[0])];
            doc += w;
            n += std::strlen(w);
        }
        doc += "\r\n";
    }
    return doc;
}

}  // namespace
