// UTF-8 pages: detection (the mark, valid bytes, declarations), the code
// page 932 round-trip rule, the character table, byte-identical saves and
// references in the other codes.
#include "documents/core/TextCodec.h"
#include "documents/core/Utf8.h"
#include "framework/core/Cp932.h"

#include "EncodingTestUtil.h"
#include "FakeEditor.h"
#include "support/JapaneseCorpus.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using encoding::kCodeEuc;
using encoding::kCodeJis;
using encoding::kCodeSjis;
using encoding::kCodeUtf8;
using enctest::Hex;

const std::string kNbsp = "\xC2\xA0", kCopy = "\xC2\xA9", kWave = "\xE3\x80\x9C", kYoshi = "\xF0\xA0\xAE\xB7";
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";

TEST(Utf8DetectTest, MarkValidityAndDeclarations) {
    const std::string pad(1100, ' ');
    const struct {
        std::string bytes;
        int code;
        bool mark;
    } cases[] = {
        {"\xEF\xBB\xBF" "abc", kCodeUtf8, true},
        {"\xEF\xBB\xBF", kCodeUtf8, true},
        {"<p>" + kNihongoUtf8 + "</p>", kCodeUtf8, false},
        {"a" + kNbsp + "b", kCodeUtf8, false},
        {kNihongoUtf8 + "\xE6\x97", kCodeUtf8, false},               // cut by the end of the file
        {kNihongoUtf8 + "\xE6\x97" + "a", kCodeSjis, false},          // cut in the middle
        {"ab\xC0\xAF" + kNihongoUtf8, kCodeSjis, false},              // overlong '/'
        {"ab\xE0\x80\xAF" + kNihongoUtf8, kCodeSjis, false},          // overlong, three bytes
        {"ab\xED\xA0\x80" + kNihongoUtf8, kCodeSjis, false},          // surrogate
        {"ab\xF4\x90\x80\x80" + kNihongoUtf8, kCodeSjis, false},      // above U+10FFFF
        {"\x82\xA0\x82\xA2", kCodeSjis, false},                       // あい in SHIFT JIS
        {"\xB4\xC1\xBB\xFA", kCodeEuc, false},                        // 漢字 in EUC
        {"plain ascii", kCodeSjis, false},
        {"\xCF\xB2\xC5\xBD", kCodeSjis, false},                       // ﾏｲﾅｽ, also valid UTF-8 (ϲŽ)
        {"\xCF\xB2\xC5\xBD" + kNbsp, kCodeUtf8, false},
        // Declarations, each name, in either case and quoting.
        {"<meta charset=\"UTF-8\">ascii", kCodeUtf8, false},
        {"<META CHARSET='utf-8'>", kCodeUtf8, false},
        {"<meta charset=Shift_JIS>" + kNihongoSjis, kCodeSjis, false},
        {"<meta charset=\"x-sjis\">" "\xB1\xB2", kCodeSjis, false},
        {"<meta charset=\"Windows-31J\">" "\xC3\xBD", kCodeSjis, false},  // ﾃｽ, also valid UTF-8
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\">\xC6\xFC", kCodeEuc, false},
        {"<meta http-equiv=Content-Type content=\"text/html;charset=ISO-2022-JP\">", kCodeJis, false},
        {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?>\xA4\xA2", kCodeEuc, false},
        {"<?xml version='1.0' encoding='utf-8'?><a/>", kCodeUtf8, false},
        // A declaration the bytes contradict is ignored, and so is one after byte 1024.
        {"<meta charset=\"Shift_JIS\">" + kNihongoUtf8 + "\xE6\x97", kCodeUtf8, false},
        {"<meta charset=\"utf-8\">" + kNihongoSjis, kCodeSjis, false},
        {"<meta charset=\"iso-2022-jp\">" + kNihongoSjis, kCodeSjis, false},
        {pad + "<meta charset=\"utf-8\">", kCodeSjis, false},
        {pad + "<meta charset=\"Shift_JIS\">" + kNbsp, kCodeUtf8, false},
        {"<meta charset=\"koi8-r\">" + kNihongoUtf8, kCodeUtf8, false},
    };
    for (const auto& c : cases) {
        const encoding::DetectedCode d = encoding::DetectFileCode(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(d.code, c.code) << Hex(c.bytes);
        EXPECT_EQ(d.mark, c.mark) << Hex(c.bytes);
    }
    // A byte that can start no sequence is no UTF-8 wherever it stands.
    for (const std::string& bad : {kNihongoUtf8 + "\x80", "a\xFF" + kNihongoUtf8, std::string("\xC1\xBF"),
                                   kNbsp + "\xF5\x80\x80"}) {
        EXPECT_FALSE(encoding::IsValidUtf8(bad.data(), bad.size())) << Hex(bad);
    }
    const std::string decl = "<meta content=\"text/html; charset=Shift_JIS\">";
    const encoding::Declaration d = encoding::FindDeclaration(decl.data(), decl.size());
    EXPECT_EQ(decl.substr(d.offset, d.length), "Shift_JIS");
}

// Every character code page 932 reads is written back with the code glibc's
// CP932 gives, when that code reads back as the character; every other
// character of the Basic Multilingual Plane has no code of its own.
TEST(Utf8RoundTripTest, OwnCodesAreExactlyThoseThatReadBack) {
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        std::string utf8, sjis, back;
        const char u[3] = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                           static_cast<char>(0x80 | (c & 0x3F))};
        utf8 = c < 0x80 ? std::string(1, static_cast<char>(c)) : c < 0x800 ? std::string{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))} : std::string(u, 3);
        int expected = -1;
        if (corpus::Iconv("CP932", "UTF-8", utf8, &sjis) && corpus::Iconv("UTF-8", "CP932", sjis, &back) &&
            back == utf8) {
            expected = sjis.size() == 1 ? static_cast<unsigned char>(sjis[0])
                                        : static_cast<unsigned char>(sjis[0]) * 256 + static_cast<unsigned char>(sjis[1]);
        }
        ASSERT_EQ(cp932::FromUnicode(c), expected) << std::hex << static_cast<unsigned>(c);
    }
    // The characters code page 932 folds into others have no code of their own.
    for (char32_t folded : {0x301C, 0x2016, 0x2212, 0x00A2, 0x00A3, 0x00AC, 0x00A0, 0x00A9})
        EXPECT_EQ(cp932::FromUnicode(folded), -1) << std::hex << static_cast<unsigned>(folded);
}

std::string Decode(const std::string& utf8, cp932::CharTable* table, std::size_t* overflow = nullptr) {
    std::string out;
    std::size_t full = 0;
    EXPECT_TRUE(encoding::Utf8ToSjis(utf8.data(), utf8.size(), table, &out, &full));
    if (overflow) *overflow = full;
    return out;
}
std::string Encode(const std::string& sjis, const cp932::CharTable& table) {
    std::string out;
    std::size_t bad = 0;
    EXPECT_TRUE(encoding::SjisToUtf8(sjis.data(), sjis.size(), &table, &out, &bad));
    EXPECT_EQ(bad, 0u);
    return out;
}

TEST(CharTableTest, FreeCodesOverflowAndEdits) {
    // Real private-use characters keep F040 and F041; the table takes F042 on.
    cp932::CharTable table;
    const std::string page = kNbsp + "\xEE\x80\x80" + kCopy + "\xEE\x80\x81" + kWave + kYoshi + kNbsp + "\\~";
    const std::string sjis = Decode(page, &table);
    EXPECT_EQ(Hex(sjis), "F0 42 F0 40 F0 43 F0 41 F0 44 F0 45 F0 42 5C 7E");
    EXPECT_EQ(table.Size(), 4u);
    EXPECT_EQ(Encode(sjis, table), page);

    // Deleting a table code and typing it back (as undo does) keeps its character.
    std::string edited = sjis.substr(2);
    edited.insert(8, kNihongoSjis);
    edited.insert(0, sjis.substr(0, 2));
    EXPECT_EQ(Encode(edited, table),
              kNbsp + "\xEE\x80\x80" + kCopy + "\xEE\x80\x81" + kWave + kNihongoUtf8 + kYoshi + kNbsp + "\\~");

    // 1 880 codes: one real private-use character leaves 1 879 for the table.
    std::string many = "\xEE\x80\x80";
    for (char32_t c = 0x10000; c < 0x10000 + 1880; ++c) {
        many += static_cast<char>(0xF0);
        many += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        many += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        many += static_cast<char>(0x80 | (c & 0x3F));
    }
    cp932::CharTable full;
    std::size_t overflow = 0;
    Decode(many, &full, &overflow);
    EXPECT_EQ(full.Size(), 1879u);
    EXPECT_EQ(overflow, 1u);
    encoding::LoadedText loaded;
    ASSERT_TRUE(encoding::DecodeFileBytes(many.data(), many.size(), &loaded));
    EXPECT_TRUE(loaded.MustOpenReadOnly());

    // Clipboard text: a character outside the plane goes through the table.
    cp932::CharTable clip;
    const std::u16string wide = u"a\u00A0\U00020BB7\u65E5";
    std::string in;
    EXPECT_EQ(cp932::Utf16ToSjis(wide.data(), wide.size(), &clip, &in), 0u);
    EXPECT_EQ(Hex(in), "61 F0 40 F0 41 93 FA");
    EXPECT_EQ(cp932::SjisToUtf16(in.data(), in.size(), &clip), wide);
}

TEST(CharTableTest, TextMovedToAnotherDocumentKeepsItsCharacters) {
    // A template page: real private-use U+E000 at F040, then NBSP, © and 𠮷
    // from F041 on; the IBM 0xFA40 and a 0x5C trail byte stay as they are.
    cp932::CharTable from;
    const std::string page = "\xEE\x80\x80" + kNbsp + kCopy + kYoshi + "\xE2\x85\xB0\xE8\xA1\xA8";
    const std::string text = Decode(page, &from);
    ASSERT_EQ(Hex(text), "F0 40 F0 41 F0 42 F0 43 FA 40 95 5C");
    // The target document already gave F040 to 𠮷 and F041 to ©.
    cp932::CharTable to;
    ASSERT_EQ(Hex(Decode(kYoshi + kCopy, &to)), "F0 40 F0 41");
    std::string out;
    EXPECT_EQ(cp932::Retable(text.data(), text.size(), from, &to, &out), 0u);
    EXPECT_EQ(cp932::SjisToUtf16(out.data(), out.size(), &to), cp932::SjisToUtf16(text.data(), text.size(), &from));
    EXPECT_EQ(Hex(out.substr(4)), "F0 41 F0 40 FA 40 95 5C");
    // A target without room writes 〓 and counts it.
    cp932::CharTable one;
    std::string some;
    for (char32_t c = 0x10000; c < 0x10000 + 1880; ++c) {
        const char16_t pair[2] = {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                                  static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
        cp932::Utf16ToSjis(pair, 2, &one, &some);
    }
    out.clear();
    EXPECT_EQ(cp932::Retable(text.data(), text.size(), from, &one, &out), 4u);
}

TEST(Utf8SaveTest, UntouchedPagesSaveByteForByte) {
    const std::string body = "<p>" + kNbsp + "&copy;" + kCopy + kWave + kYoshi + "\xEF\xBD\x9E" + kNihongoUtf8 +
                             "\xEF\xBD\xB1" "\\" + "</p>";
    for (const char* eol : {"\r\n", "\r", "\n"}) {
        for (bool mark : {false, true}) {
            const std::string file = (mark ? std::string(encoding::kUtf8Mark) : "") + body + eol + body + eol;
            encoding::LoadedText loaded;
            ASSERT_TRUE(encoding::DecodeFileBytes(file.data(), file.size(), &loaded));
            EXPECT_EQ(loaded.charCode, kCodeUtf8);
            EXPECT_EQ(loaded.mark, mark);
            EXPECT_FALSE(loaded.MustOpenReadOnly());
            enctest::FakeEditor editor(loaded.text);
            encoding::SavedText saved;
            encoding::DocCoding coding;
            coding.table = loaded.table.get();
            coding.mark = loaded.mark;
            ASSERT_TRUE(encoding::PrepareSave(editor, {3, 3}, loaded.charCode, coding, &saved));
            EXPECT_EQ(saved.bytes, file) << mark << Hex(eol);
            EXPECT_EQ(saved.foreign, 0u);
            // A SHIFT JIS document saved as UTF-8 gets no mark.
            ASSERT_TRUE(encoding::PrepareSave(editor, {kCodeUtf8, 3}, kCodeSjis, coding, &saved));
            EXPECT_EQ(saved.bytes.substr(0, 3), "<p>");
        }
    }
    // A cut sequence at the end, and a stray byte, go back as they were.
    const std::string odd = kNihongoUtf8 + "\xFF" + "x\xE6\x97";
    encoding::LoadedText loaded;
    ASSERT_TRUE(encoding::DecodeFileBytesAs(odd.data(), odd.size(), kCodeUtf8, &loaded));
    EXPECT_EQ(Encode(loaded.text, *loaded.table), odd);
}

TEST(Utf8SaveTest, OtherCodesCountOrReferenceTableCharacters) {
    const std::string page = "a" + kNbsp + kYoshi + "b" + kNihongoUtf8;
    encoding::LoadedText loaded;
    ASSERT_TRUE(encoding::DecodeFileBytes(page.data(), page.size(), &loaded));
    enctest::FakeEditor editor(loaded.text);
    encoding::DocCoding coding;
    coding.table = loaded.table.get();
    const struct {
        int code;
        bool references;
        std::size_t foreign;
        std::string bytes;
    } cases[] = {
        {kCodeSjis, false, 2, loaded.text},
        {kCodeSjis, true, 0, "a&#xA0;&#x20BB7;b" + kNihongoSjis},
        {kCodeEuc, true, 0, "a&#xA0;&#x20BB7;b\xC6\xFC\xCB\xDC\xB8\xEC"},
        {kCodeJis, true, 0, "a&#xA0;&#x20BB7;b\x1B$BF|K\\8l\x1B(B"},
        {kCodeUtf8, false, 0, page},
    };
    for (const auto& c : cases) {
        coding.references = c.references;
        encoding::SavedText saved;
        ASSERT_TRUE(encoding::PrepareSave(editor, {c.code, 3}, kCodeUtf8, coding, &saved));
        EXPECT_EQ(saved.foreign, c.foreign) << c.code;
        if (c.foreign == 0) {
            EXPECT_EQ(Hex(saved.bytes), Hex(c.bytes)) << c.code;
        }
    }
}

}  // namespace
