#include "shell/core/CommandLine.h"

#include "framework/core/Sjis.h"

namespace shell {

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    const char* p = line.data();
    const std::size_t n = line.size();
    std::size_t i = 0;

    // The program name.
    std::string name;
    if (i < n && p[i] == '"') {
        ++i;
        while (i < n && p[i] != '"') {
            const std::size_t len = sjis::CharLength(p, n, i);
            name.append(p + i, len);
            i += len;
        }
        if (i < n) ++i;
    } else {
        while (i < n && !IsSpace(p[i])) {
            const std::size_t len = sjis::CharLength(p, n, i);
            name.append(p + i, len);
            i += len;
        }
    }
    words.push_back(name);

    for (;;) {
        while (i < n && IsSpace(p[i])) ++i;
        if (i >= n) break;
        std::string word;
        bool quoted = false;
        while (i < n && (quoted || !IsSpace(p[i]))) {
            if (p[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && p[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && p[i] == '"') {
                    word.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        word += '"';
                        ++i;
                    }
                } else {
                    word.append(slashes, '\\');
                }
                continue;
            }
            if (p[i] == '"') {
                // Inside quotes, "" stands for one literal quote.
                if (quoted && i + 1 < n && p[i + 1] == '"') {
                    word += '"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            const std::size_t len = sjis::CharLength(p, n, i);
            word.append(p + i, len);
            i += len;
        }
        words.push_back(word);
    }
    return words;
}

std::string CommandLineFile(const std::string& commandLine) {
    const std::vector<std::string> words = SplitCommandLine(commandLine);
    return words.size() >= 2 ? words[1] : std::string();
}

}  // namespace shell
