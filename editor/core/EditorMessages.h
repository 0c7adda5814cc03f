// The editor's private window messages 0x0414-0x041A, through which plug-in
// modules (which hold only the editor's window handle) read and replace the
// selection. The window procedure passes the raw parameters here.
//
// Buffers come from another module, so nothing is written past what the
// caller gave: a null buffer only returns the length; a non-zero wParam with
// 0x0415 and 0x0418 is taken as the buffer's size in bytes (the plug-ins
// pass 0 and size the buffer as length + 1 from 0x0416 or 0x0419).
#pragma once

#include <cstdint>

namespace editor {

class EditorModel;

constexpr unsigned kEditorReplaceSel = 0x0414;     // wParam addUndo, lParam text -> 0
constexpr unsigned kEditorGetSelText = 0x0415;     // lParam buffer -> length
constexpr unsigned kEditorGetSelLength = 0x0416;   // -> length
constexpr unsigned kEditorSetSel = 0x0417;         // wParam anchor, lParam caret -> 0
constexpr unsigned kEditorGetText = 0x0418;        // lParam buffer -> length
constexpr unsigned kEditorGetTextLength = 0x0419;  // -> length
constexpr unsigned kEditorGetSel = 0x041A;         // wParam int* start, lParam int* end -> 0

inline bool IsEditorMessage(unsigned message) {
    return message >= kEditorReplaceSel && message <= kEditorGetSel;
}

// The messages whose parameters are addresses: only a caller in the
// editor's own thread can give addresses of this process, so the window
// answers them only when sent from its thread and never when posted. The
// others carry numbers and are answered for everyone.
inline bool CarriesAddress(unsigned message) {
    return message == kEditorReplaceSel || message == kEditorGetSelText || message == kEditorGetText ||
           message == kEditorGetSel;
}

// Handles one of the messages; returns the message result (0 for any other
// message).
std::intptr_t HandleEditorMessage(EditorModel& editor, unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam);

}  // namespace editor
