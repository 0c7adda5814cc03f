// libFuzzer target: file lists. A list read, written again from its entries
// and read back gives the same entries (entries whose path holds a control
// character, which no file name can, are left out: a path ending in CR
// cannot survive a line end).
#include <cstdint>
#include <string>
#include <vector>

#include "documents/core/FileList.h"
#include "fuzz/FuzzCheck.h"

using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (bool allReadOnly : {false, true}) {
        std::vector<filelist::ReadEntry> entries;
        if (!filelist::ParseList(bytes, allReadOnly, &entries)) continue;
        std::vector<filelist::Entry> tabs;
        std::vector<filelist::ReadEntry> kept;
        for (const filelist::ReadEntry& e : entries) {
            Check(!e.path.empty(), "an entry without a path");
            Check(!allReadOnly || e.readOnly, "the read-only box left an entry writable");
            bool control = false;
            for (char c : e.path) control |= static_cast<unsigned char>(c) < 0x20;
            if (control) continue;
            tabs.push_back({e.path, e.readOnly});
            kept.push_back(e);
        }
        entries.swap(kept);
        std::vector<filelist::ReadEntry> back;
        Check(filelist::ParseList(filelist::BuildList(tabs), false, &back), "a written list does not read");
        Check(back.size() == entries.size(), "a written list reads with another number of entries");
        for (std::size_t i = 0; i < back.size(); ++i) {
            Check(back[i].path == entries[i].path && back[i].readOnly == entries[i].readOnly &&
                      back[i].kind == entries[i].kind,
                  "a written list reads as other entries");
        }
    }
    return 0;
}
