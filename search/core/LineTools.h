// Go to line and the insertion of a string at the head or the end of every
// line of a range. Line numbers are 1-based as the user types them.
#pragma once

#include <string>

#include "editor/core/EditorOps.h"

namespace search {

// The number typed into a line box: optional sign and decimal digits, read
// as far as they go; anything else reads as 0. Numbers beyond an int are
// held at INT_MIN or INT_MAX.
int ParseLineNumber(const std::string& text);

// Go to line n of L: n < L selects line n from its start to the next line's
// start (caret at its start); n >= L selects the last line from its end back
// to its start; n <= 0 puts the caret at the top. The view follows the caret.
void GoToLineNumber(editor::IEditorOps& ops, int n);

enum class InsertPlace { Head, End };

enum class InsertStatus {
    Done,
    ReadOnly,        // nothing changed
    StartAfterEnd,   // "開始行が終了行より大きいです\n設定しなおしてください"
    StartBelowOne,   // "開始行が1より小さいです\n設定しなおしてください"
    EndBeyondLast,   // "終了行が最大行より大きいです\n設定しなおしてください"
    Failed,          // "行頭末への文字列の挿入に失敗しました"
};

// The message for a status other than Done and ReadOnly ("" for those).
const char* InsertStatusMessage(InsertStatus status);

// The lines start ... end (1-based) with `text` before or after each, joined
// by the document's line end (CR for mode 1, LF for 2, CR LF otherwise); the
// end line's own line end is not part of it. Checks in this order: end <
// start, start < 1, end > line count. Failed when the size would overflow or
// memory runs out.
InsertStatus BuildLineInsertion(const editor::IEditorOps& ops, int start, int end, const std::string& text,
                                InsertPlace place, std::string* out);

// Builds the insertion and puts it over the range (from the end of the end
// line back to the start of the start line) as one undo step.
InsertStatus InsertAtLines(editor::IEditorOps& ops, int start, int end, const std::string& text, InsertPlace place);

}  // namespace search
