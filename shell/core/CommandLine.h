// The program's command line, as GetCommandLineA gives it: the program name
// followed by arguments; the first argument names a file to open.
#pragma once

#include <string>
#include <vector>

namespace shell {

// Splits a command line into its words by the rules of the C runtime:
// white space separates words outside double quotes; 2n backslashes before a
// quote stand for n backslashes and the quote opens or closes a quoted part;
// 2n+1 backslashes before a quote stand for n backslashes and a literal
// quote; other backslashes are literal. Shift JIS characters are taken whole,
// so the trail byte 0x5C of 表 or ソ is never a backslash. The first word is
// the program name, which ends at the first white space or at its closing
// quote (backslashes in it are always literal).
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The file named on the command line (the first argument), or empty.
std::string CommandLineFile(const std::string& commandLine);

}  // namespace shell
