#include "search/core/LineTools.h"

#include <climits>
#include <limits>
#include <new>

namespace search {

int ParseLineNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return static_cast<int>(-value < INT_MIN ? INT_MIN : -value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

void GoToLineNumber(editor::IEditorOps& ops, int n) {
    const int lines = ops.LineCount();
    if (n <= 0) {
        ops.SetSelection(0, 0, 0, 0);
    } else if (n < lines) {
        ops.SetSelection(0, n, 0, n - 1);
    } else {
        const int last = lines - 1;
        ops.SetSelection(ops.LineLength(last), last, 0, last);
    }
}

const char* InsertStatusMessage(InsertStatus status) {
    switch (status) {
        case InsertStatus::StartAfterEnd: return "開始行が終了行より大きいです\n設定しなおしてください";
        case InsertStatus::StartBelowOne: return "開始行が1より小さいです\n設定しなおしてください";
        case InsertStatus::EndBeyondLast: return "終了行が最大行より大きいです\n設定しなおしてください";
        case InsertStatus::Failed: return "行頭末への文字列の挿入に失敗しました";
        default: return "";
    }
}

InsertStatus BuildLineInsertion(const editor::IEditorOps& ops, int start, int end, const std::string& text,
                                InsertPlace place, std::string* out) {
    if (end < start) return InsertStatus::StartAfterEnd;
    if (start < 1) return InsertStatus::StartBelowOne;
    if (end > ops.LineCount()) return InsertStatus::EndBeyondLast;
    const int mode = ops.LineEndMode();
    const char* eol = mode == 1 ? "\r" : mode == 2 ? "\n" : "\r\n";
    const std::size_t eolLength = mode == 1 || mode == 2 ? 1 : 2;
    const std::size_t most = std::numeric_limits<std::size_t>::max();
    std::size_t size = 0;
    for (int n = start - 1; n < end; ++n) {
        const std::size_t add = static_cast<std::size_t>(ops.LineLength(n));
        const std::size_t extra = text.size() + (n + 1 < end ? eolLength : 0);
        if (add > most - extra || size > most - extra - add) return InsertStatus::Failed;
        size += add + extra;
    }
    try {
        out->clear();
        out->reserve(size);
        std::string line;
        for (int n = start - 1; n < end; ++n) {
            ops.GetLine(n, line, true);
            if (place == InsertPlace::Head) out->append(text);
            out->append(line);
            if (place == InsertPlace::End) out->append(text);
            if (n + 1 < end) out->append(eol, eolLength);
        }
    } catch (const std::exception&) {
        out->clear();
        return InsertStatus::Failed;
    }
    return InsertStatus::Done;
}

InsertStatus InsertAtLines(editor::IEditorOps& ops, int start, int end, const std::string& text, InsertPlace place) {
    if (ops.IsReadOnly()) return InsertStatus::ReadOnly;
    std::string result;
    const InsertStatus status = BuildLineInsertion(ops, start, end, text, place, &result);
    if (status != InsertStatus::Done) return status;
    ops.SetSelection(ops.LineLength(end - 1), end - 1, 0, start - 1);
    if (!ops.ReplaceSelection(result, true) && !result.empty()) return InsertStatus::Failed;
    return InsertStatus::Done;
}

}  // namespace search
