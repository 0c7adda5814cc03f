#include "editor/core/CharClass.h"

#include <algorithm>

#include "framework/core/Sjis.h"

namespace editor {

namespace {

using namespace charclass;

// Classes of the well-formed double-byte codes (a lead byte and a trail byte
// 0x40-0x7E or 0x80-0xFC) as runs: each entry gives the class from its code up
// to the next entry's. Codes the system does not assign convert to the
// katakana middle dot and so take class 64, which is why the gaps between the
// rows of the code table are katakana runs.
struct Run {
    unsigned short code;
    short cls;
};
const Run kRuns[] = {
    {0x8140, 0},   {0x8145, 64},  {0x8146, 0},   {0x814A, 96},  {0x814C, 0},   {0x8152, 64},
    {0x8154, 32},  {0x8156, 0},   {0x8157, 128}, {0x8158, 8},   {0x8159, 128}, {0x815B, 96},
    {0x815C, 0},   {0x81AD, 64},  {0x81B8, 0},   {0x81C0, 64},  {0x81C8, 0},   {0x81CF, 64},
    {0x81DA, 0},   {0x81E9, 64},  {0x81F0, 8},   {0x81F1, 0},   {0x81F8, 64},  {0x81FC, 0},
    {0x8240, 64},  {0x824F, 16},  {0x8259, 64},  {0x8260, 8},   {0x827A, 64},  {0x8281, 8},
    {0x829B, 64},  {0x829F, 32},  {0x82F2, 64},  {0x839F, 8},   {0x83B7, 64},  {0x83BF, 8},
    {0x83D7, 64},  {0x8440, 8},   {0x8461, 64},  {0x8470, 8},   {0x8492, 64},  {0x849F, 0},
    {0x84BF, 64},  {0x8740, 0},   {0x8754, 8},   {0x875E, 64},  {0x875F, 0},   {0x8776, 64},
    {0x877E, 0},   {0x879D, 64},  {0x889F, 128}, {0x9873, 64},  {0x989F, 128}, {0xEAA5, 64},
    {0xED40, 128}, {0xEEED, 64},  {0xEEEF, 8},   {0xEEF9, 0},   {0xEF40, 64},  {0xF040, 0},
    {0xFA40, 8},   {0xFA54, 0},   {0xFA5C, 128}, {0xFC4C, 64},
};

int ClassAt(const char* text, int length, int pos) {
    return CharClassAt(text, static_cast<std::size_t>(length), static_cast<std::size_t>(pos));
}

int NextChar(const char* text, int length, int pos) {
    return static_cast<int>(sjis::Next(text, static_cast<std::size_t>(length), static_cast<std::size_t>(pos)));
}

int PreviousChar(const char* text, int length, int pos) {
    return static_cast<int>(sjis::Previous(text, static_cast<std::size_t>(length), static_cast<std::size_t>(pos)));
}

}  // namespace

int SingleByteClass(unsigned char c) {
    if (c >= 0xA5 && c <= 0xDF) return kHalfWidthKana;  // ･ (A5) and ｦ ... ﾟ; ｡｢｣､ are punctuation
    if (c >= '0' && c <= '9') return kDigit;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return kLetter;
    return kOther;
}

int DoubleByteClass(unsigned char lead, unsigned char trail) {
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return kKatakana;  // not a code: the middle dot
    const unsigned code = (static_cast<unsigned>(lead) << 8) | trail;
    if (code < kRuns[0].code) return kKatakana;
    const Run* r = std::upper_bound(std::begin(kRuns), std::end(kRuns), code,
                                    [](unsigned c, const Run& run) { return c < run.code; });
    return (r - 1)->cls;
}

int CharClassAt(const char* text, std::size_t length, std::size_t pos) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    if (sjis::CharLength(text, length, pos) == 2) return DoubleByteClass(c, static_cast<unsigned char>(text[pos + 1]));
    return SingleByteClass(c);
}

int NextWordBoundary(const char* text, int length, int offset) {
    if (!text || length <= 0) return 0;
    if (offset >= length) return length;
    const int start = static_cast<int>(sjis::BoundaryAtOrBefore(text, static_cast<std::size_t>(length),
                                                                static_cast<std::size_t>(std::max(0, offset))));
    // The run at offset.
    int cls = ClassAt(text, length, start);
    int i = NextChar(text, length, start);
    while (i < length) {
        const int c = ClassAt(text, length, i);
        if (!SameWord(cls, c)) break;
        cls = c;
        i = NextChar(text, length, i);
    }
    // Spaces and punctuation after it.
    while (i < length && ClassAt(text, length, i) == kOther) i = NextChar(text, length, i);
    return i;
}

int PreviousWordBoundary(const char* text, int length, int offset) {
    if (!text || offset <= 0 || length <= 0) return 0;
    offset = std::min(offset, length);
    // The character just before offset (a boundary inside a character counts
    // the character it cuts), then back over its word.
    int at = PreviousChar(text, length, offset);
    int cls = ClassAt(text, length, at);
    while (at > 0) {
        const int before = PreviousChar(text, length, at);
        const int c = ClassAt(text, length, before);
        // A run of spaces or punctuation before offset: go on with the word before it.
        if (!SameWord(cls, c) && cls != kOther) return at;
        cls = c;
        at = before;
    }
    return 0;
}

std::pair<int, int> WordAt(const char* text, int length, int offset) {
    if (!text || length <= 0) return {0, 0};
    offset = std::max(0, std::min(offset, length));
    // The character at offset, or the one before the line end.
    const int here = offset >= length ? PreviousChar(text, length, length)
                                      : static_cast<int>(sjis::BoundaryAtOrBefore(
                                            text, static_cast<std::size_t>(length), static_cast<std::size_t>(offset)));
    int first = here, last = here;
    while (first > 0) {
        const int before = PreviousChar(text, length, first);
        if (!SameWord(ClassAt(text, length, before), ClassAt(text, length, first))) break;
        first = before;
    }
    for (int next = NextChar(text, length, last); next < length; next = NextChar(text, length, last)) {
        if (!SameWord(ClassAt(text, length, last), ClassAt(text, length, next))) break;
        last = next;
    }
    return {first, NextChar(text, length, last)};
}

WordFunctions DefaultWordFunctions() {
    return WordFunctions{NextWordBoundary, PreviousWordBoundary, WordAt};
}

}  // namespace editor
