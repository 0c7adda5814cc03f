// Menu mnemonics: the character after "&" in a menu text ("ファイル(&F)"),
// compared in upper case. Texts are Shift JIS and are read by character, so
// a trail byte is never taken for "&" or for a letter.
#pragma once

#include <string>
#include <vector>

namespace shell {

// The mnemonic of a text in upper case, or 0 when it has none ("&&" is a
// literal "&"; a double-byte character after "&" is no key's mnemonic).
char MnemonicOf(const std::string& text);

// The index of the first text whose mnemonic is `key` (compared in upper
// case), or -1.
int FindMnemonic(const std::vector<std::string>& texts, char key);

// The text as the menu bar draws it: "&&" becomes "&", a single "&" is dropped.
std::string WithoutAmpersands(const std::string& text);

}  // namespace shell
