// UTF-8 files: recognising them (the mark, a declared charset, valid bytes)
// and converting them to and from the editor's SHIFT JIS. Characters that
// code page 932 cannot hold travel through the document's character table
// (framework/core/Cp932.h), so that a page saved back as UTF-8 is the same
// bytes wherever it was not edited.
#pragma once

#include "documents/core/CharCode.h"
#include "framework/core/Cp932.h"

#include <cstddef>
#include <string>

namespace encoding {

// Whether the bytes start with the UTF-8 mark EF BB BF.
bool HasUtf8Mark(const char* bytes, std::size_t length);
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Whether the bytes are UTF-8 throughout: no overlong forms, no surrogates,
// nothing above U+10FFFF; a sequence cut only by the end counts as valid.
bool IsValidUtf8(const char* bytes, std::size_t length);
// Valid UTF-8 throughout that holds at least one whole sequence that is
// not also two half-width katakana in SHIFT JIS (a lead 0xC2-0xDF before a
// byte 0xA1-0xBF reads as ﾏｲ and the like there): the evidence detection
// takes for UTF-8.
bool LooksLikeUtf8(const char* bytes, std::size_t length);
// Whether the bytes are well formed in `code` (0 SJIS, 1 JIS, 2 EUC, 4 UTF-8).
bool IsValidIn(int code, const char* bytes, std::size_t length);

// A charset named by `<meta charset=...>`, the content of `<meta
// http-equiv="Content-Type" ...>` or `<?xml ... encoding="..."?>` in the
// first 1024 bytes.
struct Declaration {
    bool found = false;
    int code = -1;            // the code it names, or -1 for a name we do not know
    std::size_t offset = 0;   // where the name stands
    std::size_t length = 0;
};
constexpr std::size_t kDeclarationWindow = 1024;
Declaration FindDeclaration(const char* text, std::size_t length);
// The name a declaration gets for a code: "Shift_JIS", "ISO-2022-JP", "EUC-JP", "UTF-8".
const char* DeclarationName(int code);

// Decodes UTF-8 (without its mark) into SHIFT JIS, appending to *out.
// Characters without a code of their own get table codes; codes of the
// user-defined area that the text holds as its own characters are reserved
// first. Bytes that are no UTF-8 enter the table as raw bytes. *overflow
// receives how many characters found no free code (written as the geta
// mark). False when memory runs out.
bool Utf8ToSjis(const char* bytes, std::size_t length, cp932::CharTable* table, std::string* out,
                std::size_t* overflow);
// Encodes SHIFT JIS as UTF-8 with the table's characters, appending to
// *out. *unconvertible receives how many bytes were no character (written
// as U+FFFD). False when memory runs out or the output would pass outputLimit.
bool SjisToUtf8(const char* text, std::size_t length, const cp932::CharTable* table, std::string* out,
                std::size_t* unconvertible, std::size_t outputLimit = static_cast<std::size_t>(-1) / 2);

// How many characters of the text are table codes.
std::size_t CountTableCodes(const char* text, std::size_t length, const cp932::CharTable& table);
// The text with every table code written as a numeric character reference
// (&#xA0;, &#x20BB7;), which a browser shows as the same character.
std::string WithReferences(const char* text, std::size_t length, const cp932::CharTable& table);

}  // namespace encoding
