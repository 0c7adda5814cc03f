// Text encodings of files: which of SHIFT JIS, JIS (ISO-2022-JP, the 7-bit
// escape-sequence form) and EUC a file is in, and the converters between
// them. The editor holds every document as SHIFT JIS; files are decoded into
// it when read and encoded from it when written. Every converter is one
// forward pass with a small state and grows its output as it goes, so no
// input is ever cut short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace encoding {

// CharCode: the encoding of a file. 3 exists only as a save setting.
enum : int { kCodeSjis = 0, kCodeJis = 1, kCodeEuc = 2, kCodeAsLoaded = 3, kCodeUtf8 = 4 };

// The code of a file and whether it starts with the UTF-8 mark (EF BB BF).
struct DetectedCode {
    int code = kCodeSjis;
    bool mark = false;
};

// The encoding of a file's bytes: the UTF-8 mark means UTF-8; otherwise a
// charset declared in the first 1024 bytes decides when the bytes are valid
// in that code; otherwise bytes that are valid UTF-8 throughout and hold a
// sequence that does not also read as half-width katakana are UTF-8. Everything else goes through DetectCharCode's
// scoring, unchanged.
DetectedCode DetectFileCode(const char* bytes, std::size_t length, int fallback = kCodeSjis);

// The encoding of a file's bytes: kCodeJis when an escape sequence ESC "$B",
// ESC "$@" or ESC "(I" occurs anywhere, otherwise the first line whose bytes
// read better as SHIFT JIS or as EUC decides. When every line reads equally
// well both ways, the reading that gives ordinary Japanese (kana and kanji
// rather than runs of half-width katakana) wins; when neither does, the
// result is `fallback`. A source of fewer than two bytes is SHIFT JIS. UTF-8
// is recognised first, as DetectFileCode does (kCodeUtf8).
int DetectCharCode(const char* bytes, std::size_t length, int fallback = kCodeSjis);

// How much to add to the full-width code of the half-width katakana `kana`
// (0xA1-0xDF) when `next` follows it: 1 for the voiced mark 0xDE after カ-ト
// and ハ-ホ, 2 for the semi-voiced mark 0xDF after ハ-ホ, otherwise 0.
int KanaVoicing(unsigned char kana, unsigned char next);

// The JIS X 0208 code of the full-width form of a byte 0xA0-0xDF (0xA0 is
// the full-width space), or 0 for any other byte.
unsigned KanaToJis(unsigned char kana);

// One conversion run over one whole text. The converters append to `output`
// (which the caller may have reserved or may leave empty) and never write
// past `outputLimit` bytes: reaching the limit, or running out of memory,
// fails the run. A failed run leaves `output` in an unspecified state and
// must not be used.
struct CodeConverter {
    CodeConverter(const char* source, std::size_t length, bool fullWidth)
        : source(reinterpret_cast<const unsigned char*>(source)), length(length), fullWidth(fullWidth) {}

    const unsigned char* source;
    std::size_t length;
    // Convert half-width katakana to full-width katakana, joining a voiced or
    // semi-voiced mark with the kana before it (ｶﾞ becomes ガ). Off when
    // reading, on when writing JIS or EUC.
    bool fullWidth;
    std::string output;
    std::size_t outputLimit = static_cast<std::size_t>(-1) / 2;
    // Characters of the source that have no form in the target encoding:
    // SHIFT JIS pairs without a JIS X 0208 code (the user-defined area, leads
    // 0xF0-0xF9, and pairs with a bad trail byte), which are written as their
    // two bytes unchanged, and EUC three-byte characters (0x8F prefix, JIS X
    // 0212), which become the geta mark 〓. IBM extension characters are not
    // counted: they are written through their twins (IbmExtensionTwin).
    std::size_t unconvertible = 0;
};

// Code page 932 reads some characters from two or three pairs. The IBM
// extension pairs (0xFA40-0xFC4B) have no JIS X 0208 code, but each has a
// twin that code page 932 reads as the same character and that JIS and EUC
// can hold: its JIS X 0208 pair (￢ 0xFA54 -> 0x81CA, ∵ 0xFA5B -> 0x81E6),
// its NEC row-13 pair (Ⅰ-Ⅹ, №, ℡, ㈱) or its NEC-selected IBM extension
// pair (leads 0xED-0xEE), chosen in that order, as code page 932 itself
// writes them. Returns the twin (lead * 256 + trail), or 0 for a pair
// outside the IBM extension area.
unsigned IbmExtensionTwin(unsigned char lead, unsigned char trail);

// Each returns true when the whole source was converted, false when the
// output could not grow (memory or outputLimit).
bool JisToSjis(CodeConverter& conv);
bool EucToSjis(CodeConverter& conv);
bool SjisToJis(CodeConverter& conv);
bool SjisToEuc(CodeConverter& conv);

// The bytes of an EUC two-byte character (both lie in 0xA1-0xFE).
constexpr bool IsEucByte(unsigned char c) { return c >= 0xA1 && c <= 0xFE; }

// The SHIFT JIS geta mark 〓, written for characters that have no SHIFT JIS form.
constexpr unsigned char kGetaLead = 0x81, kGetaTrail = 0xAC;

}  // namespace encoding
