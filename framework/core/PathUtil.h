// Path helpers shared by every subsystem. Paths are Shift JIS byte strings and
// are scanned by character, so the trail byte 0x5C of characters such as
// 表 (95 5C) or ソ (83 5C) is never taken for a separator.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace pathutil {

// Longest path the program builds or accepts, in bytes, without the NUL.
constexpr std::size_t kMaxPath = 259;

// True for '\\' and '/' standing as characters of their own.
bool IsSeparatorAt(const std::string& path, std::size_t pos);

// Offset just after the last separator of the path, or 0 when it has none
// (a drive prefix "C:" also ends the folder part).
std::size_t FileNameOffset(const std::string& path);

// The folder part of a path, ending in its separator ("C:\\表\\" for
// "C:\\表\\ソ.html"); empty when the path names no folder.
std::string FolderOf(const std::string& path);

// The file name part of a path (after the last separator).
std::string FileNameOf(const std::string& path);

// The extension of a path: the text after the last '.' of its file name, or
// empty. A '.' inside a folder name does not count ("C:\\a.b\\file" has none).
std::string ExtensionOf(const std::string& path);

// The path with a separator added when it does not already end in one.
std::string WithTrailingSeparator(const std::string& folder);

// Joins a folder and a relative name with exactly one separator between them.
std::string Join(const std::string& folder, const std::string& name);

// Splits a path into its components: the root ("C:\\", "\\\\server\\share\\",
// or "" for a relative path) and the names between separators.
struct SplitPath {
    std::string root;
    std::vector<std::string> names;
};
SplitPath Split(const std::string& path);

// Builds the long form of a path component by component. `longName` is given
// the path built so far (root plus the long names before it) joined with the
// next component as it stands, and returns that component's long name, or an
// empty string when it cannot be found (the component is then kept as
// written). Returns an empty string when the result would be longer than
// kMaxPath bytes or the path is empty.
using LongNameLookup = std::function<std::string(const std::string& pathSoFar)>;
std::string LongPathName(const std::string& path, const LongNameLookup& longName);

// The path of `target` relative to the folder `base`, with backslashes
// ("..\\img\\a.gif" for base "C:\\site\\docs" and target
// "C:\\site\\img\\a.gif"). One trailing separator of each is ignored;
// the two compare character by character, single-byte letters without regard
// to case, and share the part up to their last common backslash (all of one
// when the other continues it with a backslash). Each backslash of the rest
// of base adds "..\\". Empty when either is empty; the target as given when
// the two have different roots (another drive or share), which have no
// relative form.
std::string MakeRelativePath(const std::string& base, const std::string& target);

// The path with every backslash that stands as a character turned into "/"
// (the trail byte of ソ, 83 5C, stays): the form of a link in a page.
std::string ToForwardSlashes(const std::string& path);

// Case-insensitive comparison of two paths: single-byte letters fold, bytes
// of double-byte characters compare exactly.
bool EqualNoCase(const std::string& a, const std::string& b);

// The name of a temporary file in the folder of `path`, distinct for each
// attempt: a save writes it completely and then puts it in place. It is
// never longer than `path` ("~pq0001.tmp", or "~" and hex digits for a
// shorter file name); empty when no such name differs from path.
std::string TempPathBeside(const std::string& path, unsigned attempt);

}  // namespace pathutil
