// libFuzzer target: assist files and the contexts the assist commands read
// from the text. Every key a file lists is found, entries keep to their
// lengths, and the contexts stay within the lines they are given.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/core/InputAssist.h"
#include "fuzz/FuzzCheck.h"

using namespace editor::assist;
using fuzzcheck::Check;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void CheckProfile(const std::string& bytes) {
    const ProfileText profile(bytes);
    for (const std::string& section : profile.Sections()) {
        Check(profile.HasSection(section), "a listed section is not found");
        for (const std::string& key : profile.Keys(section)) {
            const std::string* value = profile.Find(section, key);
            Check(value != nullptr, "a listed key is not found");
            Check(profile.Get(section, key) == *value, "Get and Find disagree");
            ProfileInt(*value);
        }
        for (const Entry& e : profile.Entries(section)) {
            Check(e.word.size() <= kMaxWord, "an entry's word is longer than kept");
            Check(e.comment.size() <= kMaxComment, "an entry's comment is longer than kept");
        }
    }
}

void CheckContexts(const std::string& bytes) {
    const std::vector<std::string> lines = Lines(bytes);
    // The commands look at the caret line and the lines above it; a few
    // hundred lines of context are plenty for the rules.
    for (std::size_t i = 0; i < lines.size() && i < 300; ++i) {
        const std::string& line = lines[i];
        const std::string input = InputSection(line);
        Check(input.size() <= 1, "the input section is more than one character");
        AttributeName(line);
        for (char last : {' ', '='}) {
            std::size_t above = i;
            const std::string name = ElementName(line + last, last, [&](std::string& out) {
                if (above == 0) return false;
                out = lines[--above];
                return true;
            });
            Check(name.size() <= kMaxName, "an element name longer than taken");
        }
        long long start = 0, end = 0;
        const long long caret = 1000;
        const bool taken = TriggerRange(line, caret, &start, &end);
        Check(end == caret && start <= end && end - start <= 1, "the trigger range is not the character before the caret");
        Check(taken || start == end, "an empty trigger range was taken");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckProfile(bytes);
    CheckContexts(bytes);
    return 0;
}
