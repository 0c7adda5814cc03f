// Reading a file into the editor's text and saving it back: NUL bytes,
// characters without a SHIFT JIS form, the load code after a save, and
// failures that must never reach the file.
#include "EncodingTestUtil.h"
#include "FakeEditor.h"

#include "documents/core/TextCodec.h"
#include "editor/core/EditorModel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace enctest;
using encoding::DecodeFileBytes;
using encoding::LoadedText;
using encoding::PrepareSave;
using encoding::SavedText;

TEST(LoadPipelineTest, NulBytesAreKeptAndTheFileOpensReadOnly) {
    const std::string tail = "\xA4\xA2\xA4\xA4\n";  // あい in EUC after the NUL
    const std::string sjisFile = std::string("abc\0def\r\n", 9) + "漢字";
    const std::string eucFile = std::string("abc\0", 4) + tail;
    const std::string jisFile = std::string("\x1B$B\x24\x22\x1B(B\0x", 10);
    struct Case {
        std::string file, text;
        int code;
    } cases[] = {
        {sjisFile, sjisFile, encoding::kCodeSjis},
        {eucFile, std::string("abc\0", 4) + "あい\n", encoding::kCodeEuc},
        {jisFile, std::string("あ\0x", 4), encoding::kCodeJis},
    };
    for (const Case& c : cases) {
        LoadedText loaded;
        ASSERT_TRUE(DecodeFileBytes(c.file.data(), c.file.size(), &loaded));
        EXPECT_EQ(loaded.charCode, c.code);  // detected on the whole file, past the NUL
        EXPECT_EQ(Hex(loaded.text), Hex(c.text));
        EXPECT_EQ(loaded.nulCount, 1u);
        EXPECT_TRUE(loaded.MustOpenReadOnly());
        EXPECT_STREQ(loaded.ProblemMessage(), "\nにはNUL文字が含まれているため、上書き禁止で開きます。");
    }
}

TEST(LoadPipelineTest, CharactersWithoutShiftJisFormOpenReadOnly) {
    LoadedText loaded;
    const std::string file = "\xA4\xA2\x8F\xB0\xA1\xA4\xA4\n";  // あ, a JIS X 0212 kanji, い
    ASSERT_TRUE(DecodeFileBytes(file.data(), file.size(), &loaded));
    EXPECT_EQ(loaded.charCode, encoding::kCodeEuc);
    EXPECT_EQ(loaded.text, "あ〓い\n");
    EXPECT_EQ(loaded.unconvertible, 1u);
    EXPECT_TRUE(loaded.MustOpenReadOnly());
    EXPECT_STREQ(loaded.ProblemMessage(), "\nにはSHIFT JISにない文字が含まれているため、上書き禁止で開きます。");

    LoadedText plain;
    ASSERT_TRUE(DecodeFileBytes("abc\r\n", 5, &plain));
    EXPECT_FALSE(plain.MustOpenReadOnly());
    EXPECT_STREQ(plain.ProblemMessage(), "");
    EXPECT_EQ(plain.returnCode, encoding::kReturnCrLf);
}

TEST(LoadPipelineTest, ReadingNeverWidensHalfWidthKana) {
    LoadedText loaded;
    const std::string file = "\x1B(I\x36\x5E\x1B(B";
    ASSERT_TRUE(encoding::DecodeFileBytesAs(file.data(), file.size(), encoding::kCodeJis, &loaded));
    EXPECT_EQ(loaded.text, "\xB6\xDE");
    const std::string euc = "\x8E\xB6\x8E\xDE";
    ASSERT_TRUE(encoding::DecodeFileBytesAs(euc.data(), euc.size(), encoding::kCodeEuc, &loaded));
    EXPECT_EQ(loaded.text, "\xB6\xDE");
}

TEST(SavePipelineTest, WritesExactlyTheTextWithoutATerminatingNul) {
    const std::string text = std::string("a\0b\r\n", 5) + "あ";
    for (int code = 0; code <= 2; ++code) {
        FakeEditor editor(text);
        SavedText saved;
        ASSERT_TRUE(PrepareSave(editor, {code, 3}, 0, &saved));
        std::string expected;
        ASSERT_TRUE(encoding::EncodeText(text.data(), text.size(), code, &expected));
        EXPECT_EQ(Hex(saved.bytes), Hex(expected));
        // Nothing after the NUL is lost and nothing is added after the end.
        EXPECT_EQ(saved.bytes[1], '\0');
        EXPECT_NE(saved.bytes.back(), '\0');
    }
    FakeEditor editor(text);
    SavedText saved;
    ASSERT_TRUE(PrepareSave(editor, {0, 3}, 0, &saved));
    EXPECT_EQ(saved.bytes, text);
}

TEST(SavePipelineTest, SaveCodeAndLoadCode) {
    FakeEditor editor("ｶﾞｷ");
    SavedText saved;
    // SHIFT JIS keeps the half-width bytes; EUC widens them.
    ASSERT_TRUE(PrepareSave(editor, {0, 3}, encoding::kCodeEuc, &saved));
    EXPECT_EQ(saved.bytes, "\xB6\xDE\xB7");
    EXPECT_EQ(saved.charCode, encoding::kCodeSjis);
    ASSERT_TRUE(PrepareSave(editor, {3, 3}, encoding::kCodeEuc, &saved));
    EXPECT_EQ(saved.bytes, "\xA5\xAC\xA5\xAD");
    // Saving as JIS makes JIS the load code: a later save as loaded writes JIS.
    FakeEditor doc("漢");
    ASSERT_TRUE(PrepareSave(doc, {1, 3}, encoding::kCodeSjis, &saved));
    EXPECT_EQ(saved.charCode, encoding::kCodeJis);
    const int loadCode = saved.charCode;
    ASSERT_TRUE(PrepareSave(doc, {3, 3}, loadCode, &saved));
    EXPECT_EQ(saved.bytes, "\x1B$B\x34\x41\x1B(B");
    // A text ending in kanji ends the JIS file in ASCII mode.
    EXPECT_EQ(saved.bytes.substr(saved.bytes.size() - 3), "\x1B(B");
}

TEST(SavePipelineTest, AFailedConversionFailsTheSave) {
    std::string big;
    for (int i = 0; i < 1000; ++i) big += "a\xB6\xDE";  // 3000 bytes that need 9000 in JIS
    FakeEditor editor(big);
    SavedText saved;
    saved.bytes = "stale";
    EXPECT_FALSE(PrepareSave(editor, {1, 3}, 0, &saved, 8999));
    EXPECT_TRUE(saved.bytes.empty());  // nothing that could be written by mistake
    EXPECT_TRUE(PrepareSave(editor, {1, 3}, 0, &saved, 9000));
    EXPECT_EQ(saved.bytes.size(), 9000u);
    EXPECT_FALSE(PrepareSave(editor, {0, 3}, 0, &saved, 2999));
    EXPECT_TRUE(saved.bytes.empty());
    EXPECT_FALSE(PrepareSave(editor, {2, 3}, 0, &saved, 100));

    FakeEditor failing("abc");
    failing.failGetText = true;
    EXPECT_FALSE(PrepareSave(failing, {3, 3}, 0, &saved));
    EXPECT_TRUE(saved.bytes.empty());
}

TEST(SavePipelineTest, UnconvertibleCharactersAreCountedAndKept) {
    FakeEditor editor("\xF0\x40あ");  // a user-defined character, then あ
    SavedText saved;
    ASSERT_TRUE(PrepareSave(editor, {2, 3}, 0, &saved));
    EXPECT_EQ(saved.bytes, "\xF0\x40\xA4\xA2");
    EXPECT_EQ(saved.unconvertible, 1u);
}

// The editor's line ends change only once the file is written, and the
// bytes are those the editor then holds: a line ended by CR before an empty
// line ended by LF stays two line ends.
TEST(SavePipelineTest, TheEditorTakesTheLineEndsOnlyAfterTheWrite) {
    editor::EditorModel model;
    ASSERT_TRUE(model.SetText("a\rb\n"));
    model.SetSelectionOffsets(2, 3);
    ASSERT_TRUE(model.ReplaceSelection("", 0, false));
    std::string before;
    ASSERT_GE(model.GetText(before), 0);
    ASSERT_EQ(before, "a\r\n");
    encoding::EditorSaveSource source(model);
    SavedText saved;
    ASSERT_TRUE(PrepareSave(source, {0, encoding::kReturnLf}, 0, &saved));
    EXPECT_EQ(Hex(saved.bytes), Hex("a\n\n"));
    std::string text;
    model.GetText(text);
    EXPECT_EQ(text, before);
    EXPECT_EQ(model.LineEndMode(), encoding::kReturnCr);
    encoding::ApplySavedLineEnds(source, saved);
    model.GetText(text);
    EXPECT_EQ(Hex(text), Hex(saved.bytes));
    EXPECT_EQ(model.LineEndMode(), encoding::kReturnLf);
}

TEST(LineEndsTest, FirstKindCountsAndConversion) {
    EXPECT_EQ(encoding::FirstLineEnd("ab", 2), encoding::kReturnCrLf);
    EXPECT_EQ(encoding::FirstLineEnd("a\r\nb\n", 5), encoding::kReturnCrLf);
    EXPECT_EQ(encoding::FirstLineEnd("a\rb\n", 4), encoding::kReturnCr);
    EXPECT_EQ(encoding::FirstLineEnd("a\r", 2), encoding::kReturnCr);
    EXPECT_EQ(encoding::FirstLineEnd("a\n\r\n", 4), encoding::kReturnLf);
    const auto counts = encoding::CountLineEnds("a\r\r\nb\n\n\r", 8);
    EXPECT_EQ(counts.crlf, 1u);
    EXPECT_EQ(counts.cr, 2u);
    EXPECT_EQ(counts.lf, 2u);
    EXPECT_TRUE(counts.Mixed());
    EXPECT_FALSE(encoding::CountLineEnds("a\nb\n", 4).Mixed());
    std::string out;
    ASSERT_TRUE(encoding::ConvertLineEnds("a\r\r\nb\n\n\r", 8, encoding::kReturnCrLf, &out));
    EXPECT_EQ(out, "a\r\n\r\nb\r\n\r\n\r\n");
    out.clear();
    // A trail byte of a double-byte character is never taken for a line end.
    ASSERT_TRUE(encoding::ConvertLineEnds("表\r\nソ\r", 7, encoding::kReturnLf, &out));
    EXPECT_EQ(out, "表\nソ\n");
    EXPECT_STREQ(encoding::ReturnCodeBytes(1), "\r");
    EXPECT_EQ(encoding::ReturnCodeLength(0), 2);
    EXPECT_STREQ(encoding::ReturnCodeName(2), "LF");
    EXPECT_STREQ(encoding::CharCodeName(1), "JIS");
}

}  // namespace
