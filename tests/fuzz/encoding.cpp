// libFuzzer target: detection, the converters between SHIFT JIS, JIS, EUC
// and UTF-8, and the read and save pipelines over the real editor model.
// Beyond running to the end, every round trip the codes define must give
// its text back.
#include <cstdint>
#include <string>

#include "documents/core/CharCode.h"
#include "documents/core/TextCodec.h"
#include "documents/core/Utf8.h"
#include "editor/core/EditorModel.h"
#include "framework/core/Cp932.h"
#include "framework/core/Sjis.h"
#include "fuzz/FuzzCheck.h"

using namespace encoding;
using fuzzcheck::Check;
using fuzzcheck::Same;

namespace {

std::string Convert(bool (*convert)(CodeConverter&), const std::string& text, bool fullWidth,
                    std::size_t* unconvertible = nullptr) {
    CodeConverter conv(text.data(), text.size(), fullWidth);
    Check(convert(conv), "a converter failed without a limit");
    if (unconvertible) *unconvertible = conv.unconvertible;
    return conv.output;
}

// The characters of the input that JIS and EUC hold under their own codes:
// printable ASCII, TAB and line ends, and the pairs below the user-defined
// area that are characters (JIS X 0208, NEC row 13, NEC-selected IBM).
std::string HoldableText(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            if (c >= 0x20 || c == '\t' || c == '\r' || c == '\n') text += static_cast<char>(c);
            ++i;
        } else if (sjis::IsLeadByte(c) && c < 0xF0 && i + 1 < bytes.size() &&
                   cp932::PairToUnicode(c, static_cast<unsigned char>(bytes[i + 1])) != 0) {
            text.append(bytes, i, 2);
            i += 2;
        } else {
            ++i;
        }
    }
    return text;
}

void CheckDetection(const std::string& bytes) {
    const DetectedCode detected = DetectFileCode(bytes.data(), bytes.size());
    Check(detected.code == kCodeSjis || detected.code == kCodeJis || detected.code == kCodeEuc ||
              detected.code == kCodeUtf8,
          "detection gave no code of a file");
    Check(!detected.mark || detected.code == kCodeUtf8, "the UTF-8 mark gave another code");
    const int code = DetectCharCode(bytes.data(), bytes.size(), kCodeEuc);
    Check(code >= 0 && code <= kCodeUtf8 && code != kCodeAsLoaded, "DetectCharCode gave no code");
    const Declaration decl = FindDeclaration(bytes.data(), bytes.size());
    Check(!decl.found || (decl.offset <= bytes.size() && decl.length <= bytes.size() - decl.offset),
          "a declaration lies outside the text");
    for (int c : {kCodeSjis, kCodeJis, kCodeEuc, kCodeUtf8}) IsValidIn(c, bytes.data(), bytes.size());
}

void CheckConverters(const std::string& bytes) {
    // Any bytes at all run through every converter in both modes.
    for (bool fullWidth : {false, true}) {
        for (auto convert : {JisToSjis, EucToSjis, SjisToJis, SjisToEuc}) Convert(convert, bytes, fullWidth);
    }
    // A converter that reaches its output limit fails and says so.
    if (bytes.size() > 4) {
        CodeConverter conv(bytes.data(), bytes.size(), true);
        conv.outputLimit = 2;
        Check(!SjisToJis(conv), "a converter went past its output limit");
    }
    // SHIFT JIS -> JIS -> SHIFT JIS and -> EUC -> SHIFT JIS give the text back.
    const std::string text = HoldableText(bytes);
    std::size_t unconvertible = 0;
    const std::string jis = Convert(SjisToJis, text, true, &unconvertible);
    Check(unconvertible == 0, "a holdable character counted as unconvertible (JIS)");
    Same(Convert(JisToSjis, jis, false), text, "SHIFT JIS through JIS");
    const std::string euc = Convert(SjisToEuc, text, true, &unconvertible);
    Check(unconvertible == 0, "a holdable character counted as unconvertible (EUC)");
    Same(Convert(EucToSjis, euc, false), text, "SHIFT JIS through EUC");
}

// UTF-8 bytes of any kind through a page's table and back are the same
// bytes, unless the table ran out of codes.
void CheckUtf8(const std::string& bytes) {
    cp932::CharTable table;
    std::string text;
    std::size_t overflow = 0;
    Check(Utf8ToSjis(bytes.data(), bytes.size(), &table, &text, &overflow), "UTF-8 decode failed");
    Check(table.Size() <= cp932::kUserCodes, "the table holds more than the user-defined area");
    const std::size_t codes = CountTableCodes(text.data(), text.size(), table);
    Check((codes != 0) == cp932::HoldsTableCode(text.data(), text.size(), table), "table codes miscounted");
    if (overflow != 0) return;
    std::string back;
    std::size_t unconvertible = 0;
    Check(SjisToUtf8(text.data(), text.size(), &table, &back, &unconvertible), "UTF-8 encode failed");
    Same(back, bytes, "UTF-8 through the table");
    Check(unconvertible == 0, "decoded text holds bytes that are no character");
    // The same text written with references holds no table code.
    const std::string refs = WithReferences(text.data(), text.size(), table);
    Check(!cp932::HoldsTableCode(refs.data(), refs.size(), table), "a reference left a table code");
}

// Text of one page moved to another page's document keeps its characters.
void CheckRetable(const std::string& bytes) {
    const std::size_t half = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % (bytes.size());
    const std::string first = bytes.substr(0, half), second = bytes.substr(half);
    cp932::CharTable from, to;
    std::string text, other;
    std::size_t overflow = 0;
    Utf8ToSjis(first.data(), first.size(), &from, &text, &overflow);
    Utf8ToSjis(second.data(), second.size(), &to, &other, &overflow);
    std::string moved;
    const std::size_t lost = cp932::Retable(text.data(), text.size(), from, &to, &moved);
    if (lost != 0) return;
    const std::u16string was = cp932::SjisToUtf16(text.data(), text.size(), &from);
    const std::u16string now = cp932::SjisToUtf16(moved.data(), moved.size(), &to);
    Check(was == now, "text moved between tables changed its characters");
}

// A file read into the editor and saved as loaded is the same file, for
// the codes that read without changing a character (SHIFT JIS, UTF-8).
void CheckPipeline(const std::string& bytes) {
    LoadedText loaded;
    Check(DecodeFileBytes(bytes.data(), bytes.size(), &loaded), "decode failed");
    Check(loaded.table != nullptr, "a decoded file without a table");
    if (loaded.MustOpenReadOnly()) return;
    if (loaded.charCode != kCodeSjis && loaded.charCode != kCodeUtf8) return;
    if (loaded.charCode == kCodeSjis) Same(loaded.text, bytes, "SHIFT JIS read changed the bytes");
    editor::EditorModel model;
    Check(model.SetText(loaded.text.data(), loaded.text.size()), "SetText failed");
    EditorSaveSource source(model);
    DocCoding coding;
    coding.table = loaded.table.get();
    coding.mark = loaded.mark;
    SavedText saved;
    Check(PrepareSave(source, SaveSettings{kCodeAsLoaded, kReturnAsLoaded}, loaded.charCode, coding, &saved),
          "save failed");
    Same(saved.bytes, bytes, "a file saved as loaded changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckDetection(bytes);
    CheckConverters(bytes);
    CheckUtf8(bytes);
    CheckRetable(bytes);
    CheckPipeline(bytes);
    return 0;
}
