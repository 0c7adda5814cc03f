// libFuzzer target: tag files imported into the registered-tag store. The
// store stays within its limits, and what it exports imports again as the
// same store.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "tags/core/TagKinds.h"
#include "tags/core/TagStore.h"

using fuzzcheck::Check;
using fuzzcheck::Same;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tags::TagKinds kinds;
    tags::TagStore store(kinds);
    const tags::ImportResult result = store.Import(bytes);
    Check(result.files >= 0 && static_cast<std::size_t>(result.files) == store.Files().size(),
          "the import counted other files than it added");
    Check(store.Files().size() <= static_cast<std::size_t>(tags::kMaxFiles), "more files than the limit");
    for (const tags::TagFile& file : store.Files()) {
        Check(file.tags.size() <= static_cast<std::size_t>(tags::kMaxTags), "more tags than the limit");
    }
    store.AssignIds();
    const std::string exported = store.ExportText();
    tags::TagStore again(kinds);
    again.Import(exported);
    Same(again.ExportText(), exported, "an exported store imports as another store");
    return 0;
}
