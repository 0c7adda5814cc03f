// Long seeded random runs of the editor model against a plain byte string.
#include <gtest/gtest.h>

#include <chrono>

#include "native/editor/EditorDriver.h"

namespace {

void RunSeed(unsigned seed, long steps) {
    editortest::RandomChoices choices(seed);
    editortest::Differential run(choices);
    for (long i = 0; i < steps; ++i) {
        const std::string error = run.Step();
        ASSERT_EQ(error, "") << "seed " << seed;
    }
    ASSERT_EQ(run.UndoAllAndBack(), "") << "seed " << seed;
}

TEST(DifferentialTest, RandomEditsAgreeWithAByteString) {
    // 120 000 operations in all, over several seeds so that documents of
    // different shapes come up.
    for (unsigned seed = 1; seed <= 6; ++seed) RunSeed(seed, 20000);
}

}  // namespace
