// Finding and replacing text in one editor, forwards from the caret, line by
// line with the editor's own line search (Shift JIS aware, whole words by
// ASCII letters and digits). The search never goes backwards and never wraps
// around to the top.
#pragma once

#include <string>

#include "editor/core/EditorOps.h"

namespace search {

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// Searches from the caret (its line, from its column) and then from the start
// of every following line. A match is selected (anchor at its start, caret at
// its end), so the next call continues behind it. False when nothing was
// found (the caret stays) or without an editor or text.
bool FindNext(editor::IEditorOps* ops, const std::string& text, const FindOptions& options);

// True when the selection is itself a match: the search at the selection's
// start under these options finds exactly the selected range. The selection
// is left as it was.
bool SelectionIsMatch(editor::IEditorOps& ops, const std::string& text, const FindOptions& options);

// One press of the replace button: a selection that is a match is replaced
// by `replacement` (one undo step); then the next occurrence is searched.
struct ReplaceOneResult {
    bool replaced = false;
    bool found = false;  // the next occurrence is selected
};
ReplaceOneResult ReplaceOne(editor::IEditorOps* ops, const std::string& text, const std::string& replacement,
                            const FindOptions& options);

// Every occurrence from the start of the text, each replacement its own undo
// step, in one batch (one repaint at the end). The search goes on behind each
// inserted text, so a replacement that contains the find text does not loop.
struct ReplaceAllResult {
    int count = 0;          // replacements that changed the text
    bool readOnly = false;  // nothing was done: the document is read-only
    bool failed = false;    // a replacement failed; the count says how many went before it
};
ReplaceAllResult ReplaceAll(editor::IEditorOps* ops, const std::string& text, const std::string& replacement,
                            const FindOptions& options);

// The text a selection gives the find box: up to its first CR, then up to
// its first LF.
std::string FirstLineOf(const std::string& selected);

}  // namespace search
