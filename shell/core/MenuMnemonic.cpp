#include "shell/core/MenuMnemonic.h"

#include "framework/core/Sjis.h"

namespace shell {

namespace {
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

char MnemonicOf(const std::string& text) {
    const char* s = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; i = sjis::Next(s, n, i)) {
        if (s[i] != '&' || sjis::CharLength(s, n, i) != 1) continue;
        const std::size_t next = i + 1;
        if (next >= n) return 0;
        if (s[next] == '&') {  // "&&": a literal ampersand
            i = next;
            continue;
        }
        if (sjis::CharLength(s, n, next) != 1) return 0;
        return Upper(s[next]);
    }
    return 0;
}

int FindMnemonic(const std::vector<std::string>& texts, char key) {
    const char k = Upper(key);
    if (k == 0) return -1;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (MnemonicOf(texts[i]) == k) return static_cast<int>(i);
    }
    return -1;
}

std::string WithoutAmpersands(const std::string& text) {
    std::string out;
    const char* s = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const std::size_t len = sjis::CharLength(s, n, i);
        if (len == 1 && s[i] == '&') {
            if (i + 1 < n && s[i + 1] == '&') {
                out += '&';
                i += 2;
            } else {
                i += 1;
            }
            continue;
        }
        out.append(s + i, len);
        i += len;
    }
    return out;
}

}  // namespace shell
