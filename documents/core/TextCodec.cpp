#include "documents/core/TextCodec.h"

#include "documents/core/MemoryGuard.h"
#include "framework/core/ReturnCode.h"
#include "editor/core/EditorModel.h"
#include "framework/core/ReturnCode.h"

#include <cstring>

namespace encoding {

namespace {

// Decoding grows the text by at most a little (a lone byte of JIS stays one
// byte, a pair stays a pair); reserving the input's size avoids regrowth.
bool Decode(const char* bytes, std::size_t length, int charCode, std::string* text, std::size_t* unconvertible) {
    if (charCode != kCodeJis && charCode != kCodeEuc) {
        *unconvertible = 0;
        return WithinMemory([&] {
            text->assign(bytes, length);
            return true;
        });
    }
    CodeConverter conv(bytes, length, false);
    if (!WithinMemory([&] {
            conv.output.reserve(length + 16);
            return true;
        }))
        return false;
    const bool ok = charCode == kCodeJis ? JisToSjis(conv) : EucToSjis(conv);
    if (!ok) return false;
    text->swap(conv.output);
    *unconvertible = conv.unconvertible;
    return true;
}

std::size_t CountNul(const char* bytes, std::size_t length) {
    std::size_t count = 0;
    for (const char* p = bytes; (p = static_cast<const char*>(std::memchr(p, 0, length - (p - bytes)))) != nullptr;) {
        ++count;
        if (++p == bytes + length) break;
    }
    return count;
}

}  // namespace

const char* LoadedText::ProblemMessage() const {
    if (nulCount != 0) return "\nにはNUL文字が含まれているため、上書き禁止で開きます。";
    if (unconvertible != 0) return "\nにはSHIFT JISにない文字が含まれているため、上書き禁止で開きます。";
    return "";
}

bool DecodeFileBytesAs(const char* bytes, std::size_t length, int charCode, LoadedText* out) {
    if (charCode != kCodeJis && charCode != kCodeEuc) charCode = kCodeSjis;
    if (!Decode(bytes, length, charCode, &out->text, &out->unconvertible)) {
        out->text.clear();
        return false;
    }
    out->charCode = charCode;
    out->returnCode = FirstLineEnd(out->text.data(), out->text.size());
    out->mixedLineEnds = CountLineEnds(out->text.data(), out->text.size()).Mixed();
    out->nulCount = CountNul(bytes, length);
    return true;
}

bool DecodeFileBytes(const char* bytes, std::size_t length, LoadedText* out) {
    return DecodeFileBytesAs(bytes, length, DetectCharCode(bytes, length, kCodeSjis), out);
}

bool EncodeText(const char* text, std::size_t length, int charCode, std::string* out, std::size_t* unconvertible,
                std::size_t outputLimit) {
    if (unconvertible) *unconvertible = 0;
    if (charCode != kCodeJis && charCode != kCodeEuc) {
        if (out->size() > outputLimit || length > outputLimit - out->size()) return false;
        return WithinMemory([&] {
            out->append(text, length);
            return true;
        });
    }
    CodeConverter conv(text, length, true);
    conv.outputLimit = outputLimit;
    conv.output.swap(*out);
    // When the guess cannot be reserved, growing step by step may still succeed.
    WithinMemory([&] {
        conv.output.reserve(conv.output.size() + length + length / 8 + 16);
        return true;
    });
    const bool ok = charCode == kCodeJis ? SjisToJis(conv) : SjisToEuc(conv);
    conv.output.swap(*out);
    if (unconvertible) *unconvertible = conv.unconvertible;
    return ok;
}

bool PrepareSave(ISaveSource& source, const SaveSettings& save, int loadCode, SavedText* out,
                 std::size_t outputLimit) {
    out->bytes.clear();
    out->unconvertible = 0;
    const int returnCode = save.saveReturnCode >= kReturnCrLf && save.saveReturnCode <= kReturnLf
                               ? save.saveReturnCode
                               : kReturnAsLoaded;
    out->returnCode = returnCode;
    std::string text;
    if (!source.GetText(returnCode, &text)) return false;
    const int code = EffectiveSaveCode(save.saveCode, loadCode);
    if (!EncodeText(text.data(), text.size(), code, &out->bytes, &out->unconvertible, outputLimit)) {
        out->bytes.clear();
        return false;
    }
    out->charCode = code;
    return true;
}

void ApplySavedLineEnds(ISaveSource& source, const SavedText& saved) {
    if (saved.returnCode >= kReturnCrLf && saved.returnCode <= kReturnLf) source.SetLineEndMode(saved.returnCode);
}

void EditorSaveSource::SetLineEndMode(int returnCode) { m_model.SetLineEndMode(returnCode); }

bool EditorSaveSource::GetText(int returnCode, std::string* text) {
    if (returnCode < kReturnCrLf || returnCode > kReturnLf) return m_model.GetText(*text) >= 0;
    // Line by line, as the store will hold them once every line end is set:
    // the text's own line-end bytes could pair up differently (a line ended
    // by CR before an empty line ended by LF reads as one CR LF).
    const editor::TextStore& store = m_model.Store();
    const char* end = lineend::ReturnCodeBytes(returnCode);
    const std::size_t endLength = static_cast<std::size_t>(lineend::ReturnCodeLength(returnCode));
    const int last = store.LineCount() - 1;
    text->clear();
    const bool ok = WithinMemory([&] {
        text->reserve(static_cast<std::size_t>(store.TextLength()) + static_cast<std::size_t>(last) * endLength);
        for (int n = 0; n <= last; ++n) {
            const int length = store.LineLength(n);
            if (length > 0) text->append(store.LineText(n), static_cast<std::size_t>(length));
            if (n < last) text->append(end, endLength);
        }
        return true;
    });
    if (!ok) std::string().swap(*text);
    return ok;
}

const char* CharCodeName(int charCode) {
    switch (charCode) {
    case kCodeJis: return "JIS";
    case kCodeEuc: return "EUC";
    default: return "SJIS";
    }
}

}  // namespace encoding
