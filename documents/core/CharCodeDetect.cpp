// Detection of the encoding of a file being read.
#include "documents/core/CharCode.h"

#include "documents/core/Utf8.h"
#include "framework/core/Sjis.h"

#include <cstring>

namespace encoding {

namespace {

constexpr unsigned char kEsc = 0x1B;

// Kanji common in Japanese text, one bit per JIS X 0208 code.
constexpr unsigned char kCommonKanji[] = {
#include "documents/core/CommonKanji.inc"
};

bool IsCommonKanji(unsigned row, unsigned cell) {
    const unsigned index = (row - 0x21) * 94 + (cell - 0x21);
    return (kCommonKanji[index / 8] >> (index % 8)) & 1;
}

bool HasJisEscape(const unsigned char* s, std::size_t n) {
    // Only an ESC with both of the bytes after it present is looked at.
    std::size_t i = 0;
    while (i + 2 < n) {
        const void* hit = std::memchr(s + i, kEsc, n - 2 - i);
        if (!hit) return false;
        const std::size_t k = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - s);
        const unsigned char a = s[k + 1], b = s[k + 2];
        if ((a == '$' && (b == 'B' || b == '@')) || (a == '(' && b == 'I')) return true;
        i = k + 1;
    }
    return false;
}

// How well a line reads as SHIFT JIS: 100, less 50 for each lead byte of
// 0xEB or above (rare characters) and for each byte 0xFD-0xFF (never part of
// a character), 0 when a lead byte lacks its trail byte.
int SjisScore(const unsigned char* s, std::size_t n) {
    int score = 100;
    std::size_t i = 0;
    while (i < n && score > 0) {
        const unsigned char c = s[i++];
        if (c >= 0xFD) {
            score -= 50;
        } else if (sjis::IsLeadByte(c)) {
            if (c >= 0xEB) score -= 50;
            if (i >= n || s[i] < 0x40 || s[i] > 0xFC) return 0;
            ++i;
        }
    }
    return score;
}

// How well a line reads as EUC: 100, or 0 when a two-byte character or a
// half-width kana (0x8E) lacks a valid second byte.
int EucScore(const unsigned char* s, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i++];
        if (c == 0x8E) {
            if (i >= n || s[i] < 0xA0 || s[i] > 0xDF) return 0;
            ++i;
        } else if (IsEucByte(c)) {
            if (i >= n || !IsEucByte(s[i])) return 0;
            ++i;
        }
    }
    return 100;
}

// Offset of the first byte of 0x80 or above, or n.
std::size_t FirstHighByte(const unsigned char* s, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080ull) break;
    }
    while (i < n && !(s[i] & 0x80)) ++i;
    return i;
}

bool HasHighByte(const unsigned char* s, std::size_t n) { return FirstHighByte(s, n) < n; }

// Evidence for ordinary Japanese in one reading of the bytes: characters of
// the kinds that make up Japanese prose, against characters of rows that are
// unassigned or seldom seen and against half-width katakana.
struct Reading {
    long kana = 0;      // hiragana, full-width katakana, the long vowel mark
    long kanji = 0;     // kanji of JIS levels 1 and 2
    long commonKanji = 0;  // of them, kanji common in Japanese text
    long common = 0;    // Japanese punctuation, full-width symbols, letters and digits
    long odd = 0;       // unassigned codes, Greek, Cyrillic, box drawing, JIS X 0212
    long halfKana = 0;  // half-width katakana
    long halfLetters = 0;  // of them, letters (not punctuation or marks)
    long pairs = 0;     // two-byte characters
    long misplaced = 0; // half-width marks, long vowels and small kana where a word cannot have them

    void Add(unsigned row, unsigned cell) {
        ++pairs;
        if (row == 0x24) {
            (cell <= 0x73 ? kana : odd) += 1;
        } else if (row == 0x25) {
            (cell <= 0x76 ? kana : odd) += 1;
        } else if (row == 0x21) {
            if (cell == 0x3C) ++kana;
            else ++common;
        } else if (row >= 0x30 && row <= 0x74) {
            if ((row == 0x4F && cell > 0x53) || (row == 0x74 && cell > 0x26)) {
                ++odd;
            } else {
                ++kanji;
                commonKanji += IsCommonKanji(row, cell);
            }
        } else if (row == 0x22 || row == 0x23) {
            ++common;
        } else {
            ++odd;
        }
    }
    // Ordinary Japanese has kana, and kana and kanji outweigh the oddities.
    // Kanji alone are no evidence: half-width katakana read as EUC pairs give
    // kanji too, but hardly ever kana.
    long Score() const {
        if (kana == 0) return 0;
        return 2 * kana + kanji - 2 * odd - halfKana;
    }
    // Half-width katakana as words have them: no two-byte characters among
    // them and every mark, long vowel and small kana after a kana it can follow.
    bool LooksLikeHalfWidthWords() const {
        return halfLetters > 0 && pairs == 0 && misplaced == 0 && odd == 0;
    }
};

Reading ReadAsEuc(const unsigned char* s, std::size_t n) {
    Reading r;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (IsEucByte(c) && i + 1 < n && IsEucByte(s[i + 1])) {
            r.Add(c & 0x7F, s[i + 1] & 0x7F);
            i += 2;
        } else if (c == 0x8E && i + 1 < n && s[i + 1] >= 0xA0 && s[i + 1] <= 0xDF) {
            ++r.halfKana;
            i += 2;
        } else if (c == 0x8F && i + 2 < n && IsEucByte(s[i + 1]) && IsEucByte(s[i + 2])) {
            ++r.odd;
            i += 3;
        } else {
            if (c & 0x80) ++r.odd;
            ++i;
        }
    }
    return r;
}

// Whether the half-width kana c can follow the byte prev inside a word.
bool CanFollow(unsigned char prev, unsigned char c) {
    const bool afterKana = prev >= 0xA6 && prev <= 0xDF;
    if (c == 0xDE) return KanaVoicing(prev, c) == 1 || prev == 0xB3;  // ｳﾞ is ヴ
    if (c == 0xDF) return KanaVoicing(prev, c) == 2;
    if (c == 0xB0) return afterKana && prev != 0xB0;
    if (c >= 0xA7 && c <= 0xAF) return afterKana && prev != 0xB0 && !(prev >= 0xA7 && prev <= 0xAF);
    return true;
}

Reading ReadAsSjis(const unsigned char* s, std::size_t n) {
    Reading r;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (sjis::IsLeadByte(c) && i + 1 < n) {
            const unsigned jis = sjis::SjisPairToJis(c, s[i + 1]);
            if (jis) r.Add(jis >> 8, jis & 0xFF);
            else ++r.odd;
            i += 2;
        } else {
            if (sjis::IsHalfWidthKana(c)) {
                ++r.halfKana;
                r.halfLetters += c >= 0xA6 && c <= 0xDD;
                const unsigned char prev = i > 0 ? s[i - 1] : 0;
                if (!CanFollow(prev, c)) ++r.misplaced;
            } else if (c & 0x80) {
                ++r.odd;
            }
            ++i;
        }
    }
    return r;
}

int ScoreCharCode(const char* bytes, std::size_t length, int fallback) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
    if (length < 2) return kCodeSjis;
    if (HasJisEscape(s, length)) return kCodeJis;

    // Lines of ASCII only score 100 both ways and decide nothing: start at
    // the line of the first byte that is not ASCII.
    const std::size_t high = FirstHighByte(s, length);
    if (high == length) return fallback;
    std::size_t start = high;
    while (start > 0 && s[start - 1] != '\n') --start;
    for (;;) {
        const void* lf = std::memchr(s + start, '\n', length - start);
        const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const unsigned char*>(lf) - s) : length;
        if (HasHighByte(s + start, end - start)) {
            const int sjisScore = SjisScore(s + start, end - start);
            const int eucScore = EucScore(s + start, end - start);
            if (sjisScore > eucScore) return kCodeSjis;
            if (eucScore > sjisScore) return kCodeEuc;
        }
        if (!lf || end + 1 >= length) break;
        start = end + 1;
    }

    // Every line reads equally well both ways: take the reading that gives
    // ordinary Japanese.
    const Reading eucReading = ReadAsEuc(s, length);
    const Reading sjisReading = ReadAsSjis(s, length);
    const long euc = eucReading.Score();
    const long sj = sjisReading.Score();
    if (euc > 0 && euc > sj) return kCodeEuc;
    if (sj > 0 && sj > euc) return kCodeSjis;
    // Kanji or punctuation without kana: EUC unless the other reading is
    // half-width words and some of the kanji are uncommon ones.
    const bool kanjiOrPunctuation =
        eucReading.kanji + eucReading.common > 0 && eucReading.odd == 0 && eucReading.halfKana == 0;
    const bool allCommon = eucReading.kanji > 0 && eucReading.commonKanji == eucReading.kanji;
    if (kanjiOrPunctuation && sjisReading.kana == 0 && (!sjisReading.LooksLikeHalfWidthWords() || allCommon)) {
        return kCodeEuc;
    }
    return fallback;
}

}  // namespace

DetectedCode DetectFileCode(const char* bytes, std::size_t length, int fallback) {
    DetectedCode d;
    if (HasUtf8Mark(bytes, length)) {
        d.code = kCodeUtf8;
        d.mark = true;
        return d;
    }
    const Declaration declared = FindDeclaration(bytes, length);
    if (declared.code >= 0 && IsValidIn(declared.code, bytes, length)) {
        d.code = declared.code;
        return d;
    }
    // Bytes valid UTF-8 throughout, with a sequence that only UTF-8 reads well.
    const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
    const std::size_t high = FirstHighByte(s, length);
    if (high + 1 < length && LooksLikeUtf8(bytes + high, length - high)) {
        d.code = kCodeUtf8;
        return d;
    }
    d.code = ScoreCharCode(bytes, length, fallback);
    return d;
}

int DetectCharCode(const char* bytes, std::size_t length, int fallback) {
    return DetectFileCode(bytes, length, fallback).code;
}

}  // namespace encoding
