#include "search/core/Conversions.h"

#include "framework/core/Sjis.h"

namespace search {

std::string TabsToSpaces(const std::string& text, int tabSize, int startColumn) {
    const long long t = tabSize > 0 ? tabSize : 1;
    long long column = startColumn > 0 ? startColumn : 0;
    std::string out;
    out.reserve(text.size());
    const char* s = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const std::size_t next = sjis::Next(s, n, i);
        const char c = s[i];
        if (c == '\t') {
            const long long spaces = t - column % t;
            out.append(static_cast<std::size_t>(spaces), ' ');
            column += spaces;
        } else {
            out.append(s + i, next - i);
            column = (c == '\r' || c == '\n') ? 0 : column + static_cast<long long>(next - i);
        }
        i = next;
    }
    return out;
}

namespace {

// Half-width 0xA1-0xDF to their JIS X 0208 Shift JIS pairs.
constexpr unsigned short kFullWidth[63] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // ﾙﾚﾛﾜﾝﾞﾟ
};

constexpr unsigned char kVoiced = 0xDE, kSemiVoiced = 0xDF;

// The full-width code of half-width c followed by mark m, or 0 when the
// pair does not merge.
unsigned Merged(unsigned char c, unsigned char m) {
    if (m == kVoiced) {
        if (c == 0xB3) return 0x8394;  // ｳﾞ: ヴ
        if ((c >= 0xB6 && c <= 0xC4) || (c >= 0xCA && c <= 0xCE)) return kFullWidth[c - 0xA1] + 1u;
    } else if (m == kSemiVoiced && c >= 0xCA && c <= 0xCE) {
        return kFullWidth[c - 0xA1] + 2u;
    }
    return 0;
}

void AppendPair(std::string& out, unsigned code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

}  // namespace

std::string HalfKanaToFull(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    const char* s = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const std::size_t next = sjis::Next(s, n, i);
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (next - i != 1 || !sjis::IsHalfWidthKana(c)) {
            out.append(s + i, next - i);
            i = next;
            continue;
        }
        if (next < n) {
            if (const unsigned merged = Merged(c, static_cast<unsigned char>(s[next]))) {
                AppendPair(out, merged);
                i = next + 1;
                continue;
            }
        }
        AppendPair(out, kFullWidth[c - 0xA1]);
        i = next;
    }
    return out;
}

std::string Convert(Conversion kind, const std::string& text, int tabSize, int startColumn) {
    switch (kind) {
        case Conversion::Upper: return sjis::ToUpperAscii(text);
        case Conversion::Lower: return sjis::ToLowerAscii(text);
        case Conversion::TabsToSpaces: return TabsToSpaces(text, tabSize, startColumn);
        case Conversion::KanaToFull: return HalfKanaToFull(text);
    }
    return text;
}

ConvertStatus ConvertSelection(editor::IEditorOps& ops, Conversion kind) {
    if (ops.IsReadOnly()) return ConvertStatus::ReadOnly;
    if (!ops.HasSelection()) return ConvertStatus::NoSelection;
    int anchorColumn = 0, anchorLine = 0, caretColumn = 0, caretLine = 0;
    ops.GetSelection(&anchorColumn, &anchorLine, &caretColumn, &caretLine);
    const bool anchorFirst = anchorLine < caretLine || (anchorLine == caretLine && anchorColumn < caretColumn);
    const int startColumn = anchorFirst ? anchorColumn : caretColumn;
    std::string selected;
    try {
        ops.GetSelectedText(selected);
        if (selected.empty()) return ConvertStatus::Failed;
        const std::string result = Convert(kind, selected, ops.TabSize(), startColumn);
        if (!ops.ReplaceSelection(result, true)) return ConvertStatus::Failed;
    } catch (const std::exception&) {
        return ConvertStatus::Failed;
    }
    return ConvertStatus::Done;
}

}  // namespace search
