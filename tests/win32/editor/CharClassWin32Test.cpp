// The editor's Shift JIS character classes agree with the system's string
// types (CT_CTYPE1 and CT_CTYPE3) under the Japanese locale, for every single
// byte and every pair of a lead byte with any second byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "editor/core/CharClass.h"

namespace {

int SystemClassDouble(const char* s) {
    WORD c1[2] = {}, c3[2] = {};
    if (!::GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, s, 2, c1) ||
        !::GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE3, s, 2, c3))
        return -1;
    if (c3[0] & C3_KASHIDA) return 256;
    if (c3[0] & C3_IDEOGRAPH) return 128;
    if ((c3[0] & C3_KATAKANA) && (c3[0] & C3_HIRAGANA)) return 96;
    if (c3[0] & C3_KATAKANA) return 64;
    if (c3[0] & C3_HIRAGANA) return 32;
    if (c1[0] & C1_DIGIT) return 16;
    if (c1[0] & C1_ALPHA) return 8;
    return 0;
}

int SystemClassSingle(const char* s) {
    WORD c1 = 0, c3 = 0;
    if (!::GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, s, 1, &c1) ||
        !::GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE3, s, 1, &c3))
        return -1;
    if ((c3 & C3_KATAKANA) && (c3 & C3_HALFWIDTH)) return 4;
    if (c1 & C1_DIGIT) return 2;
    if (c1 & C1_ALPHA) return 1;
    return 0;
}

TEST(CharClassWin32Test, LocaleIsJapanese) { ASSERT_EQ(::GetACP(), 932u); }

TEST(CharClassWin32Test, EveryDoubleByteCodeHasTheSystemsClass) {
    int mismatches = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!::IsDBCSLeadByteEx(932, static_cast<BYTE>(lead))) continue;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const char s[3] = {static_cast<char>(lead), static_cast<char>(trail), 0};
            const int expected = SystemClassDouble(s);
            const int got = editor::CharClassAt(s, 2, 0);
            if (got != expected && ++mismatches <= 20) {
                ADD_FAILURE() << std::hex << "code " << lead << " " << trail << ": system " << expected << ", table "
                              << got;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(CharClassWin32Test, EverySingleByteHasTheSystemsClass) {
    for (int c = 0; c < 0x100; ++c) {
        // A lead byte counts as a single-byte character when it ends the line.
        const char s[2] = {static_cast<char>(c), 0};
        EXPECT_EQ(editor::CharClassAt(s, 1, 0), SystemClassSingle(s)) << std::hex << c;
    }
}

}  // namespace
