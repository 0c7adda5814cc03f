// libFuzzer target: the differential driver of the editor model, its choices
// taken from the input. A difference from the byte-string model aborts.
#include <cstdio>
#include <cstdlib>

#include "native/editor/EditorDriver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    editortest::DataChoices choices(data, size);
    editortest::Differential run(choices);
    while (!choices.Exhausted()) {
        const std::string error = run.Step();
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
    }
    const std::string error = run.UndoAllAndBack();
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
    return 0;
}
