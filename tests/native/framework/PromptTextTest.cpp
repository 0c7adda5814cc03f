// The prompt and tool-tip parts of a command's string-table text.
#include "framework/core/PromptText.h"

#include <gtest/gtest.h>

namespace {

TEST(PromptTextTest, TheLastLineBreakSeparatesPromptAndToolTip) {
    struct Case {
        const char* text;
        const char* prompt;
        const char* tip;
    };
    const Case cases[] = {
        {"新しいファイルを作成します。\n新規作成", "新しいファイルを作成します。", "新規作成"},
        {"only", "only", "only"},
        {"a\nb\nc", "a\nb", "c"},
        {"\n", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(prompt::PromptPart(c.text), c.prompt) << c.text;
        EXPECT_EQ(prompt::ToolTipPart(c.text), c.tip) << c.text;
    }
}

}  // namespace
