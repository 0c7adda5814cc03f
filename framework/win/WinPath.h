// Win32 side of the shared path helpers and the version text.
#pragma once

#include <string>

#include "framework/win/Afx.h"

// Folder of the running program (or of `module`), ending in a separator.
std::string ProgramFolder(HMODULE module = nullptr);

// Long form of an existing path, component by component; empty when it
// would exceed 259 bytes.
std::string LongPathOf(const std::string& path);

// The full, long form of a path as documents are compared and shown by it:
// made absolute from the current folder, then each existing component in its
// long form. Empty when the path is empty, cannot be made absolute or its
// long form would exceed 259 bytes.
std::string FullPathOf(const std::string& path);

// A text of the program's version resource ("FileVersion", "LegalCopyright",
// ...), read from the Japanese block; empty when it cannot be read.
std::string VersionText(const std::string& key, HMODULE module = nullptr);

// The folder chooser titled "フォルダを選択してください"; the chosen folder,
// or false on Cancel.
bool ChooseFolder(HWND owner, std::string* folder);
