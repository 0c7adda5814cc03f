#include "shell/core/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using shell::CommandLineFile;
using shell::SplitCommandLine;
using Words = std::vector<std::string>;

TEST(CommandLineTest, ProgramNameAndFirstFile) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Pembroquil.exe\" C:\\a.html"),
              (Words{"C:\\Program Files\\Pembroquil.exe", "C:\\a.html"}));
    EXPECT_EQ(SplitCommandLine("Pembroquil.exe"), (Words{"Pembroquil.exe"}));
    EXPECT_EQ(CommandLineFile("Pembroquil.exe"), "");
    EXPECT_EQ(CommandLineFile("Pembroquil.exe   \"C:\\My Pages\\index.html\"  second"),
              "C:\\My Pages\\index.html");
    EXPECT_EQ(CommandLineFile(""), "");
}

TEST(CommandLineTest, TrailByteBackslashBeforeAQuoteIsPartOfTheCharacter) {
    // "C:\表" ends in 95 5C followed by the closing quote: the quote still
    // closes the word and the path keeps its character.
    EXPECT_EQ(CommandLineFile("p.exe \"C:\\表\" next"), "C:\\表");
    EXPECT_EQ(CommandLineFile("p.exe \"C:\\ソ\\ソ.html\""), "C:\\ソ\\ソ.html");
    EXPECT_EQ(CommandLineFile("\"C:\\表\\p.exe\" x"), "x");
    // A leading byte of 0x80 or above survives (the C runtime's copy loses it).
    EXPECT_EQ(CommandLineFile("p.exe 表示.html"), "表示.html");
}

TEST(CommandLineTest, BackslashAndQuoteRules) {
    EXPECT_EQ(SplitCommandLine("p a\\\\\"b c\" d"), (Words{"p", "a\\b c", "d"}));
    EXPECT_EQ(SplitCommandLine("p a\\\"b"), (Words{"p", "a\"b"}));
    EXPECT_EQ(SplitCommandLine("p C:\\dir\\ x"), (Words{"p", "C:\\dir\\", "x"}));
    EXPECT_EQ(SplitCommandLine("p \"a\"\"b\""), (Words{"p", "a\"b"}));
    EXPECT_EQ(SplitCommandLine("p \"unterminated arg"), (Words{"p", "unterminated arg"}));
    EXPECT_EQ(SplitCommandLine("p \"\""), (Words{"p", ""}));
}

}  // namespace
