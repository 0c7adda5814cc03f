// The pick list of input assist: a list view (control id 4011) over the
// editor at its caret, filled from an assist file. Choosing an entry inserts
// its word into the editor as one undo step; the list goes away when it
// loses the focus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/core/InputAssist.h"

class CCanvasEdit;

class CAssistList {
public:
    static constexpr UINT kControlId = 4011;
    // Shows `status` texts: the selected entry's comment, then "レディ".
    using StatusFn = std::function<void(const std::string&)>;

    // Reads the section `section` of the file `path` and shows its entries
    // at the editor's caret. False (nothing shown) when the file or section
    // is missing or has no entries.
    static bool Show(CCanvasEdit& editor, editor::assist::Kind kind, const std::string& path,
                     const std::string& section, StatusFn status);
    // The same with entries already read (tests, measurements).
    static bool ShowEntries(CCanvasEdit& editor, editor::assist::Kind kind,
                            std::vector<editor::assist::Entry> entries, StatusFn status);

    // The open list of an editor window, or null.
    static HWND Find(HWND editor);

private:
    CAssistList(CCanvasEdit& editor, editor::assist::Kind kind, std::vector<editor::assist::Entry> entries,
                StatusFn status);
    bool Create();
    // The image strip `strip` (a bitmap resource of the program), or null.
    static HIMAGELIST Images(int strip);
    void Choose(int index);
    void Move(int delta);
    void Close();
    void Selected(int index);
    // Fills the word and image the list asks for.
    void DisplayInfo(LVITEMA& item) const;
    // The width of the widest word in the list's font.
    int WidestWord() const;
    // The row typed text selects (LVN_ODFINDITEM) searching from `from`, or -1.
    int FindWord(const char* text, UINT flags, int from) const;

    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK EditorProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    CCanvasEdit& m_editor;
    HWND m_editorWnd;
    editor::assist::Kind m_kind;
    std::vector<editor::assist::Entry> m_entries;
    StatusFn m_status;
    HWND m_list = nullptr;
    HIMAGELIST m_images = nullptr;
    int m_cells = 0;  // images in the strip
    bool m_closing = false;
};
