// libFuzzer target: the command line and the open request a second copy of
// the program sends. Arguments quoted as the C runtime expects split back
// into themselves; an open request gives its path back or is refused.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/Sjis.h"
#include "fuzz/FuzzCheck.h"
#include "shell/core/CommandLine.h"
#include "shell/core/FrameState.h"

using fuzzcheck::Check;
using fuzzcheck::Same;

namespace {

// The word as a well-formed SHIFT JIS text: a lead byte without its trail
// byte is left out (the splitter takes a lead byte and the next byte
// together, whatever that byte is).
std::string WellFormed(const std::string& word) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        if (!sjis::IsLeadByte(c)) {
            out += word[i];
        } else if (i + 1 < word.size() && sjis::IsTrailByte(word[i + 1])) {
            out.append(word, i, 2);
            ++i;
        }
    }
    return out;
}

// The word in double quotes by the C runtime's rules: backslashes before a
// quote or before the closing quote are doubled, a quote gets a backslash.
std::string Quoted(const std::string& word) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < word.size(); i = sjis::Next(word.data(), word.size(), i)) {
        const std::size_t n = sjis::CharLength(word.data(), word.size(), i);
        if (n == 1 && word[i] == '\\') {
            ++backslashes;
            out += '\\';
            continue;
        }
        if (n == 1 && word[i] == '"') out.append(backslashes + 1, '\\');
        backslashes = 0;
        out.append(word, i, n);
    }
    out.append(backslashes, '\\');
    return out + "\"";
}

void CheckCommandLine(const std::string& bytes) {
    const std::vector<std::string> raw = shell::SplitCommandLine(bytes);
    Same(shell::CommandLineFile(bytes), raw.size() > 1 ? raw[1] : std::string(), "the file is not the first argument");

    std::vector<std::string> words = {"C:\\Program Files\\\x95\x5C\\Pembroquil.exe"};
    std::string line = "\"" + words[0] + "\"";
    std::size_t start = 0;
    while (start <= bytes.size() && words.size() < 16) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos) end = bytes.size();
        words.push_back(WellFormed(bytes.substr(start, end - start)));
        line += (words.size() % 2 ? "\t" : " ") + Quoted(words.back());
        start = end + 1;
    }
    const std::vector<std::string> split = shell::SplitCommandLine(line);
    Check(split.size() == words.size(), "quoted arguments split into another number of words");
    for (std::size_t i = 0; i < words.size(); ++i) Same(split[i], words[i], "a quoted argument changed");
}

// A path a second start can send: no control character, and every lead
// byte followed by its trail byte.
bool SendablePath(const std::string& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || c == 0x7F) return false;
        if (!sjis::IsLeadByte(c)) continue;
        if (i + 1 >= path.size() || !sjis::IsTrailByte(path[i + 1])) return false;
        ++i;
    }
    return true;
}

void CheckOpenRequest(const std::string& bytes) {
    unsigned long id = shell::kOpenRequestId;
    std::string block = bytes;
    if (!bytes.empty() && bytes[0] == 'x') {  // now and then a foreign identifier
        id = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0;
        block = bytes.substr(std::min<std::size_t>(2, bytes.size()));
    }
    std::string path = "unchanged";
    const bool taken = shell::ParseOpenRequest(id, block.data(), block.size(), &path);
    const std::string expected = block.substr(0, block.find('\0'));
    const bool sendable = !expected.empty() && expected.size() < shell::kOpenRequestSize && SendablePath(expected);
    const bool sound = id == shell::kOpenRequestId && sendable;
    Check(taken == sound, "an open request taken or refused against its form");
    if (taken) Same(path, expected, "the path of an open request");
    // The block the second copy sends gives its path back.
    if (sendable) {
        std::vector<char> sent(shell::kOpenRequestSize, '\0');
        std::memcpy(sent.data(), expected.data(), expected.size());
        std::string got;
        Check(shell::ParseOpenRequest(shell::kOpenRequestId, sent.data(), sent.size(), &got), "a sent request refused");
        Same(got, expected, "the path of a sent request");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 16 * 1024) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckCommandLine(bytes);
    CheckOpenRequest(bytes);
    return 0;
}
