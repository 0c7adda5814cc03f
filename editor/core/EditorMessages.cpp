#include "editor/core/EditorMessages.h"

#include <climits>
#include <cstring>

#include "editor/core/EditorModel.h"

namespace editor {

namespace {

std::intptr_t Length(long long n) { return static_cast<std::intptr_t>(n > INT32_MAX ? INT32_MAX : n); }

// The buffer size the caller gave: wParam, or (when 0) the documented
// length + 1.
std::size_t Capacity(std::uintptr_t wParam, long long length) {
    return wParam ? static_cast<std::size_t>(wParam) : static_cast<std::size_t>(length) + 1;
}

}  // namespace

std::intptr_t HandleEditorMessage(EditorModel& editor, unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    switch (message) {
    case kEditorReplaceSel: {
        const char* text = reinterpret_cast<const char*>(lParam);
        if (text) editor.ReplaceSelection(text, std::strlen(text), wParam != 0);
        return 0;
    }
    case kEditorGetSelText: {
        char* buffer = reinterpret_cast<char*>(lParam);
        return Length(editor.GetSelectedText(buffer, Capacity(wParam, editor.SelectionLength())));
    }
    case kEditorGetSelLength:
        return Length(editor.SelectionLength());
    case kEditorSetSel:
        // Offsets are 32-bit signed on both sides of the call.
        editor.SetSelectionOffsets(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
        return 0;
    case kEditorGetText: {
        char* buffer = reinterpret_cast<char*>(lParam);
        return Length(editor.GetText(buffer, Capacity(wParam, editor.TextLength())));
    }
    case kEditorGetTextLength:
        return Length(editor.TextLength());
    case kEditorGetSel: {
        long long start = 0, end = 0;
        editor.GetSelectionOffsets(&start, &end);
        if (auto* p = reinterpret_cast<std::int32_t*>(wParam)) *p = static_cast<std::int32_t>(Length(start));
        if (auto* p = reinterpret_cast<std::int32_t*>(lParam)) *p = static_cast<std::int32_t>(Length(end));
        return 0;
    }
    default:
        return 0;
    }
}

}  // namespace editor
