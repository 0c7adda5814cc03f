// The conversions of the selected text: upper case, lower case, tabs to
// spaces and half-width katakana to full-width. Every one walks the text
// character by character, so the bytes of a double-byte character are never
// taken for letters, tabs or kana.
#pragma once

#include <string>

#include "editor/core/EditorOps.h"

namespace search {

enum class Conversion { Upper, Lower, TabsToSpaces, KanaToFull };

// Tabs become spaces up to the next multiple of tabSize; the column starts at
// startColumn and restarts at 0 after CR or LF; every other byte counts one
// column (a double-byte character two).
std::string TabsToSpaces(const std::string& text, int tabSize, int startColumn);

// Half-width katakana 0xA1-0xDF become their JIS X 0208 characters; ｳ, ｶ-ﾄ
// and ﾊ-ﾎ take a following voiced mark (ｳﾞ to ヴ), ﾊ-ﾎ a following
// semi-voiced mark, into one character. Any other byte, 0xA0 included, and
// every double-byte character stay as they are.
std::string HalfKanaToFull(const std::string& text);

std::string Convert(Conversion kind, const std::string& text, int tabSize, int startColumn);

enum class ConvertStatus { Done, ReadOnly, NoSelection, Failed };

// Converts the selection and puts the result in its place as one undo step;
// the caret ends behind it with nothing selected.
ConvertStatus ConvertSelection(editor::IEditorOps& ops, Conversion kind);

}  // namespace search
