// Round trips: every JIS X 0208 code through the converters and against the
// C library's iconv; every encoding and line end saved as loaded gives the
// file's bytes back; the manual-page corpus read and saved again unchanged.
#include "EncodingTestUtil.h"
#include "FakeEditor.h"
#include "support/JapaneseCorpus.h"

#include "documents/core/TextCodec.h"
#include "framework/core/Sjis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace enctest;
using encoding::SaveSettings;

// Every code of rows 0x21-0x7E: JIS X 0208 with the NEC special characters
// of row 13 and the NEC-selected IBM extensions of rows 89-92.
std::vector<unsigned> AllCodes() {
    std::vector<unsigned> codes;
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) codes.push_back(row << 8 | cell);
    }
    return codes;
}

std::string SjisOf(unsigned jis) {
    const unsigned pair = sjis::JisToSjisPair(jis >> 8, jis & 0xFF);
    return std::string{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)};
}

TEST(RoundTripTest, EveryJisCodeThroughJisAndEuc) {
    std::string all;
    for (unsigned jis : AllCodes()) {
        const std::string s = SjisOf(jis);
        ASSERT_TRUE(sjis::IsLeadByte(s[0]) && sjis::IsTrailByte(s[1])) << std::hex << jis;
        ASSERT_EQ(sjis::SjisPairToJis(s[0], s[1]), jis);
        const std::string jisText = SjisToJis(s);
        const std::string code{static_cast<char>(jis >> 8), static_cast<char>(jis & 0xFF)};
        ASSERT_EQ(jisText, "\x1B$B" + code + "\x1B(B");
        ASSERT_EQ(JisToSjis(jisText), s) << std::hex << jis;
        const std::string euc = SjisToEuc(s);
        const std::string eucCode{static_cast<char>((jis >> 8) | 0x80), static_cast<char>((jis & 0xFF) | 0x80)};
        ASSERT_EQ(euc, eucCode);
        ASSERT_EQ(EucToSjis(euc), s) << std::hex << jis;
        all += s;
        if ((jis & 0xFF) == 0x7E) all += "a\r\n";
    }
    EXPECT_EQ(JisToSjis(SjisToJis(all)), all);
    EXPECT_EQ(EucToSjis(SjisToEuc(all)), all);
    // No pair outside the codes has a JIS code.
    int pairs = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (sjis::SjisPairToJis(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail))) ++pairs;
        }
    }
    EXPECT_EQ(pairs, 94 * 94);
}

// The C library's conversion of one character, or "" when it has none.
std::string Iconv(const char* to, const char* from, const std::string& in) {
    std::string out;
    return corpus::Iconv(to, from, in, &out) ? out : "";
}

TEST(RoundTripTest, AgreesWithIconvOnJisX0208) {
    int compared = 0;
    for (unsigned jis : AllCodes()) {
        const std::string s = SjisOf(jis);
        const std::string euc = Iconv("EUC-JP", "SHIFT_JIS", s);
        if (euc.empty()) continue;  // not a character of JIS X 0208
        ++compared;
        EXPECT_EQ(Hex(SjisToEuc(s)), Hex(euc)) << std::hex << jis;
        EXPECT_EQ(Hex(SjisToJis(s)), Hex(Iconv("ISO-2022-JP", "SHIFT_JIS", s))) << std::hex << jis;
        EXPECT_EQ(Hex(EucToSjis(euc)), Hex(s));
    }
    EXPECT_GT(compared, 6800);  // JIS X 0208 has 6879 characters
}

// Every IBM extension character (0xFA40-0xFC4B) saved as EUC or JIS reads
// back as the same character of code page 932 (glibc's CP932 decides).
TEST(RoundTripTest, IbmExtensionCharactersReadBackAsThemselves) {
    int characters = 0;
    for (unsigned pair = 0xFA40; pair <= 0xFC4B; ++pair) {
        const unsigned char lead = static_cast<unsigned char>(pair >> 8), trail = static_cast<unsigned char>(pair);
        if (!sjis::IsTrailByte(trail)) continue;
        ++characters;
        const std::string s = {static_cast<char>(lead), static_cast<char>(trail)};
        const std::string wide = Iconv("UTF-16LE", "CP932", s);
        ASSERT_EQ(wide.size(), 2u) << Hex(s);
        for (int code : {encoding::kCodeJis, encoding::kCodeEuc}) {
            std::string file;
            std::size_t unconvertible = 9;
            ASSERT_TRUE(encoding::EncodeText(s.data(), s.size(), code, &file, &unconvertible));
            EXPECT_EQ(unconvertible, 0u) << Hex(s);
            encoding::LoadedText loaded;
            ASSERT_TRUE(encoding::DecodeFileBytesAs(file.data(), file.size(), code, &loaded));
            EXPECT_EQ(Hex(Iconv("UTF-16LE", "CP932", loaded.text)), Hex(wide)) << Hex(s) << " " << code;
        }
    }
    EXPECT_EQ(characters, 388);
}

// A text with kanji, kana, half-width-free symbols, NEC row 13, an empty
// line and a line ending inside kanji; `ends` gives each line's line end.
std::string SampleText(const std::vector<const char*>& ends) {
    const char* lines[] = {"<p>漢字とかなの文。</p>", "ＡＢＣ①②Ⅲ㈱", "", "abc ～ ￥ 表示", "最後は漢字"};
    std::string text;
    for (std::size_t i = 0; i < 5; ++i) {
        text += lines[i];
        if (i < ends.size()) text += ends[i];
    }
    return text;
}

struct LineEndCase {
    const char* name;
    std::vector<const char*> ends;
    int first;
};

TEST(RoundTripTest, EveryEncodingAndLineEndSavesByteIdentical) {
    const LineEndCase cases[] = {
        {"CRLF", {"\r\n", "\r\n", "\r\n", "\r\n", "\r\n"}, encoding::kReturnCrLf},
        {"CR", {"\r", "\r", "\r", "\r"}, encoding::kReturnCr},
        {"LF", {"\n", "\n", "\n", "\n", "\n"}, encoding::kReturnLf},
        {"mixed", {"\n", "\r\n", "\r", "\r\n"}, encoding::kReturnLf},
        {"none", {}, encoding::kReturnCrLf},
    };
    for (int code = 0; code <= 2; ++code) {
        for (const LineEndCase& c : cases) {
            SCOPED_TRACE(std::string(encoding::CharCodeName(code)) + " " + c.name);
            const std::string sjisText = SampleText(c.ends);
            std::string file;
            ASSERT_TRUE(encoding::EncodeText(sjisText.data(), sjisText.size(), code, &file));
            encoding::LoadedText loaded;
            ASSERT_TRUE(encoding::DecodeFileBytes(file.data(), file.size(), &loaded));
            EXPECT_EQ(loaded.charCode, code);
            EXPECT_EQ(loaded.returnCode, c.first);
            EXPECT_EQ(loaded.mixedLineEnds, std::string(c.name) == "mixed");
            EXPECT_EQ(loaded.text, sjisText);
            EXPECT_FALSE(loaded.MustOpenReadOnly());

            // As loaded, and with the concrete settings the file already has.
            std::vector<SaveSettings> settings = {{3, 3}, {code, 3}};
            if (std::string(c.name) != "mixed") settings.push_back({code, c.first});
            for (const SaveSettings& save : settings) {
                FakeEditor editor(loaded.text);
                encoding::SavedText saved;
                ASSERT_TRUE(encoding::PrepareSave(editor, save, loaded.charCode, &saved));
                EXPECT_EQ(Hex(saved.bytes), Hex(file)) << save.saveCode << " " << save.saveReturnCode;
                EXPECT_EQ(saved.charCode, code);
            }
        }
    }
}

TEST(RoundTripTest, ConcreteLineEndsRewriteEveryLine) {
    const std::string mixed = SampleText({"\n", "\r\n", "\r", "\r\n"});
    FakeEditor editor(mixed);
    encoding::SavedText saved;
    ASSERT_TRUE(encoding::PrepareSave(editor, {0, encoding::kReturnLf}, 0, &saved));
    EXPECT_EQ(saved.bytes, SampleText({"\n", "\n", "\n", "\n"}));
    // The editor keeps its line ends until the file is written: a save that
    // fails after this point leaves the document as it was.
    EXPECT_EQ(editor.modeChanges, 0);
    EXPECT_EQ(editor.text, mixed);
    encoding::ApplySavedLineEnds(editor, saved);
    EXPECT_EQ(editor.mode, encoding::kReturnLf);  // the document stays LF
    EXPECT_EQ(editor.text, saved.bytes);
    // As loaded leaves the editor alone.
    FakeEditor untouched(mixed);
    ASSERT_TRUE(encoding::PrepareSave(untouched, {0, 3}, 0, &saved));
    encoding::ApplySavedLineEnds(untouched, saved);
    EXPECT_EQ(untouched.modeChanges, 0);
    EXPECT_EQ(saved.bytes, mixed);
}

TEST(RoundTripTest, ManualPagesReadAndSaveUnchanged) {
    const corpus::Corpus c = corpus::Build(8, 0);
    ASSERT_TRUE(c.error.empty()) << c.error;
    for (int e = 0; e < corpus::kEncodings; ++e) {
        int files = 0;
        for (const corpus::Sample& s : c.sets[e]) {
            if (s.kind != corpus::kFile) continue;
            ++files;
            encoding::LoadedText loaded;
            ASSERT_TRUE(encoding::DecodeFileBytes(s.bytes.data(), s.bytes.size(), &loaded));
            ASSERT_EQ(loaded.charCode, e);
            if (loaded.unconvertible) {
                // JIS X 0212 characters of EUC: shown as 〓, so the file opens read-only.
                EXPECT_EQ(e, corpus::kEuc);
                EXPECT_TRUE(loaded.MustOpenReadOnly());
                continue;
            }
            FakeEditor editor(loaded.text);
            encoding::SavedText saved;
            ASSERT_TRUE(encoding::PrepareSave(editor, {3, 3}, loaded.charCode, &saved));
            EXPECT_TRUE(saved.bytes == s.bytes) << corpus::Name(e) << " file " << files;
        }
        EXPECT_GT(files, 100) << corpus::Name(e);
    }
}

}  // namespace

namespace {

// Deterministic pseudo-random bytes.
struct Random {
    std::uint32_t state;
    unsigned Next(unsigned bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

TEST(RoundTripTest, RandomTextsOfJisX0208CharactersAndAscii) {
    Random r{12345};
    const std::vector<unsigned> codes = AllCodes();
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const unsigned length = r.Next(200);
        for (unsigned k = 0; k < length; ++k) {
            const unsigned pick = r.Next(10);
            if (pick < 5) text += SjisOf(codes[r.Next(static_cast<unsigned>(codes.size()))]);
            else if (pick < 6) text += "\r\n";
            else if (pick < 7) text += '\n';
            else text += static_cast<char>(0x20 + r.Next(0x5F));  // printable ASCII
        }
        EXPECT_EQ(JisToSjis(SjisToJis(text)), text) << Hex(text);
        EXPECT_EQ(EucToSjis(SjisToEuc(text)), text) << Hex(text);
    }
}

TEST(RoundTripTest, ArbitraryBytesConvertWithoutLoss) {
    // Any bytes at all: every converter runs to the end (the sanitizers watch
    // the buffers) and the decoders lose no text.
    Random r{777};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const unsigned length = r.Next(64);
        for (unsigned k = 0; k < length; ++k) {
            const unsigned pick = r.Next(8);
            bytes += static_cast<char>(pick == 0 ? 0x1B : pick == 1 ? "$(BI@J"[r.Next(6)] : r.Next(256));
        }
        for (bool fullWidth : {false, true}) {
            for (auto convert : {encoding::JisToSjis, encoding::EucToSjis, encoding::SjisToJis, encoding::SjisToEuc}) {
                encoding::CodeConverter conv(bytes.data(), bytes.size(), fullWidth);
                ASSERT_TRUE(convert(conv));
            }
        }
        encoding::DetectCharCode(bytes.data(), bytes.size(), 0);
        // Decoders drop nothing but escape sequences (three bytes each) and
        // the 0x8E of EUC kana (two bytes become one).
        const std::size_t escapes = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\x1B'));
        EXPECT_GE(JisToSjis(bytes).size() + 3 * escapes, bytes.size()) << Hex(bytes);
        EXPECT_GE(2 * EucToSjis(bytes).size(), bytes.size()) << Hex(bytes);
    }
}

}  // namespace
