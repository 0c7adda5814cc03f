#include "search/win/SearchTools.h"

#include <cstdio>

#include "editor/win/CanvasEdit.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace {

std::string NotFoundText(const std::string& text, const char* tail) { return "'" + text + "' " + tail; }

void Exclaim(HWND owner, const std::string& text) { PqMessageBox(owner, text, MB_OK | MB_ICONEXCLAMATION); }

// Keeps the editor disabled for a scope; on every way out it is enabled
// again and the focus goes back where it was.
class EditorDisabled {
public:
    explicit EditorDisabled(HWND editor) : m_editor(editor), m_focus(::GetFocus()) {
        if (m_editor) ::EnableWindow(m_editor, FALSE);
    }
    ~EditorDisabled() {
        if (!m_editor) return;
        ::EnableWindow(m_editor, TRUE);
        if (m_focus && ::IsWindow(m_focus)) ::SetFocus(m_focus);
    }
    EditorDisabled(const EditorDisabled&) = delete;
    EditorDisabled& operator=(const EditorDisabled&) = delete;

private:
    HWND m_editor;
    HWND m_focus;
};

void FocusControl(HWND dialog, int id) {
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, id)), TRUE);
}

}  // namespace

// ---------------------------------------------------------------------------
// The dialogs' shared behaviour

CSearchDialog::CSearchDialog(UINT templateId, CSearchTools& tools)
    : CDialog(templateId, static_cast<HWND>(nullptr)), m_tools(tools) {}

bool CSearchDialog::Show() {
    if (m_hWnd) {
        Refresh();
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::SetActiveWindow(m_hWnd);
        ::BringWindowToTop(m_hWnd);
        return true;
    }
    m_parent = m_tools.Owner();
    if (!CreateModeless()) return false;
    RECT owner = {}, self = {};
    if (m_parent) {
        ::GetWindowRect(m_parent, &owner);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
    }
    ::GetWindowRect(m_hWnd, &self);
    const int w = self.right - self.left, h = self.bottom - self.top;
    ::SetWindowPos(m_hWnd, nullptr, owner.left + (owner.right - owner.left - w) / 2,
                   owner.top + (owner.bottom - owner.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

std::string CSearchDialog::ItemText(int id) const {
    HWND item = GetDlgItem(id);
    const int n = ::GetWindowTextLengthA(item);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    const int got = ::GetWindowTextA(item, &s[0], n + 1);
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return s;
}

std::string CSearchDialog::ComboText(int id, bool fromList) const {
    HWND combo = GetDlgItem(id);
    if (fromList) {
        const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) {
            const LRESULT n = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
            if (n != CB_ERR) {
                std::string s(static_cast<std::size_t>(n) + 1, '\0');
                ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s[0]));
                s.resize(static_cast<std::size_t>(n));
                return s;
            }
        }
    }
    return ItemText(id);
}

void CSearchDialog::FillCombo(int id, const search::History& history, const std::string& text) {
    HWND combo = GetDlgItem(id);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& e : history.Entries())
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    ::SetWindowTextA(combo, text.c_str());
}

// ---------------------------------------------------------------------------
// 検索

BEGIN_MESSAGE_MAP(CFindDialog, CDialog)
    ON_CONTROL(CBN_EDITCHANGE, IDC_FIND_TEXT, OnTextChange)
    ON_CONTROL(CBN_SELCHANGE, IDC_FIND_TEXT, OnTextSelect)
    ON_COMMAND(IDC_FIND_WORD, OnOptions)
    ON_COMMAND(IDC_FIND_MATCH, OnOptions)
END_MESSAGE_MAP()

CFindDialog::CFindDialog(CSearchTools& tools) : CSearchDialog(IDD_FIND, tools) {}

bool CFindDialog::OnInitDialog() {
    const search::FindSettings& s = m_tools.Find();
    ::SendMessageA(GetDlgItem(IDC_FIND_TEXT), CB_LIMITTEXT, 0, 0);
    FillCombo(IDC_FIND_TEXT, s.history, m_tools.SelectionFindText());
    ::CheckDlgButton(m_hWnd, IDC_FIND_WORD, s.wholeWord ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_FIND_MATCH, s.matchCase ? BST_CHECKED : BST_UNCHECKED);
    OnTextChange();
    return true;
}

void CFindDialog::OnTextChange() { ::EnableWindow(GetDlgItem(IDOK), !ItemText(IDC_FIND_TEXT).empty()); }

void CFindDialog::OnTextSelect() {
    ::EnableWindow(GetDlgItem(IDOK), !ComboText(IDC_FIND_TEXT, true).empty());
}

void CFindDialog::OnOptions() {
    m_tools.Find().wholeWord = ::IsDlgButtonChecked(m_hWnd, IDC_FIND_WORD) == BST_CHECKED;
    m_tools.Find().matchCase = ::IsDlgButtonChecked(m_hWnd, IDC_FIND_MATCH) == BST_CHECKED;
}

void CFindDialog::OnOK() {
    const std::string text = ItemText(IDC_FIND_TEXT);
    if (text.empty()) return;
    search::FindSettings& s = m_tools.Find();
    s.history.Add(text);
    FillCombo(IDC_FIND_TEXT, s.history, text);
    if (!search::FindNext(m_tools.Ops(), text, {s.matchCase, s.wholeWord}))
        Exclaim(m_hWnd, NotFoundText(text, "の検索は終了しました。"));
    s.latestFindText = text;
    FocusControl(m_hWnd, IDC_FIND_TEXT);
}

// ---------------------------------------------------------------------------
// 置換

BEGIN_MESSAGE_MAP(CReplaceDialog, CDialog)
    ON_CONTROL(CBN_EDITCHANGE, IDC_FIND_TEXT, OnTextChange)
    ON_CONTROL(CBN_SELCHANGE, IDC_FIND_TEXT, OnTextSelect)
    ON_COMMAND(IDC_FIND_WORD, OnOptions)
    ON_COMMAND(IDC_FIND_MATCH, OnOptions)
    ON_COMMAND(IDC_REPLACE_ONE, OnReplace)
    ON_COMMAND(IDC_REPLACE_ALL, OnReplaceAll)
END_MESSAGE_MAP()

CReplaceDialog::CReplaceDialog(CSearchTools& tools) : CSearchDialog(IDD_REPLACE, tools) {}

bool CReplaceDialog::OnInitDialog() {
    const search::ReplaceSettings& s = m_tools.Replace();
    ::SendMessageA(GetDlgItem(IDC_FIND_TEXT), CB_LIMITTEXT, 0, 0);
    ::SendMessageA(GetDlgItem(IDC_REPLACE_TEXT), CB_LIMITTEXT, 0, 0);
    FillCombo(IDC_FIND_TEXT, s.findHistory, m_tools.SelectionFindText());
    FillCombo(IDC_REPLACE_TEXT, s.replaceHistory, "");
    ::CheckDlgButton(m_hWnd, IDC_FIND_WORD, s.wholeWord ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_FIND_MATCH, s.matchCase ? BST_CHECKED : BST_UNCHECKED);
    OnTextChange();
    return true;
}

void CReplaceDialog::EnableButtons(bool on) {
    for (int id : {IDOK, IDC_REPLACE_ONE, IDC_REPLACE_ALL}) ::EnableWindow(GetDlgItem(id), on);
}

void CReplaceDialog::OnTextChange() { EnableButtons(!ItemText(IDC_FIND_TEXT).empty()); }

void CReplaceDialog::OnTextSelect() { EnableButtons(!ComboText(IDC_FIND_TEXT, true).empty()); }

void CReplaceDialog::OnOptions() {
    m_tools.Replace().wholeWord = ::IsDlgButtonChecked(m_hWnd, IDC_FIND_WORD) == BST_CHECKED;
    m_tools.Replace().matchCase = ::IsDlgButtonChecked(m_hWnd, IDC_FIND_MATCH) == BST_CHECKED;
}

search::FindOptions CReplaceDialog::Options() const {
    return {m_tools.Replace().matchCase, m_tools.Replace().wholeWord};
}

void CReplaceDialog::OnOK() {
    const std::string text = ItemText(IDC_FIND_TEXT);
    if (text.empty()) return;
    search::ReplaceSettings& s = m_tools.Replace();
    s.findHistory.Add(text);
    FillCombo(IDC_FIND_TEXT, s.findHistory, text);
    if (!search::FindNext(m_tools.Ops(), text, Options()))
        Exclaim(m_hWnd, NotFoundText(text, "の検索は終了しました。"));
}

void CReplaceDialog::OnReplace() {
    const std::string text = ItemText(IDC_FIND_TEXT);
    if (text.empty()) return;
    const std::string replacement = ItemText(IDC_REPLACE_TEXT);
    search::ReplaceSettings& s = m_tools.Replace();
    editor::IEditorOps* ops = m_tools.Ops();
    if (ops && search::SelectionIsMatch(*ops, text, Options())) {
        s.replaceHistory.Add(replacement);
        FillCombo(IDC_REPLACE_TEXT, s.replaceHistory, replacement);
        ops->ReplaceSelection(replacement, true);
    }
    s.findHistory.Add(text);
    FillCombo(IDC_FIND_TEXT, s.findHistory, text);
    if (!search::FindNext(ops, text, Options())) Exclaim(m_hWnd, NotFoundText(text, "の置換は終了しました。"));
}

void CReplaceDialog::OnReplaceAll() {
    const std::string text = ItemText(IDC_FIND_TEXT);
    if (text.empty()) return;
    const std::string replacement = ItemText(IDC_REPLACE_TEXT);
    search::ReplaceSettings& s = m_tools.Replace();
    s.findHistory.Add(text);
    s.replaceHistory.Add(replacement);
    FillCombo(IDC_FIND_TEXT, s.findHistory, text);
    FillCombo(IDC_REPLACE_TEXT, s.replaceHistory, replacement);
    CCanvasEdit* edit = m_tools.Editor();
    search::ReplaceAllResult r;
    {
        EditorDisabled disabled(edit ? edit->m_hWnd : nullptr);
        r = search::ReplaceAll(m_tools.Ops(), text, replacement, Options());
    }
    if (r.readOnly) {
        ::MessageBeep(MB_OK);
        return;
    }
    if (r.count > 0 || r.failed) {
        char message[64];
        std::snprintf(message, sizeof message, "%d個の置換を行いました。", r.count);
        Exclaim(m_hWnd, message);
    } else {
        Exclaim(m_hWnd, NotFoundText(text, "は見つかりませんでした。"));
    }
}

// ---------------------------------------------------------------------------
// 指定行

BEGIN_MESSAGE_MAP(CGoToLineDialog, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_LINE_NUMBER, OnNumberChange)
END_MESSAGE_MAP()

CGoToLineDialog::CGoToLineDialog(CSearchTools& tools) : CSearchDialog(IDD_GOTO_LINE, tools) {}

bool CGoToLineDialog::OnInitDialog() {
    Refresh();
    const editor::IEditorOps* ops = m_tools.Ops();
    SetDlgItemTextA(m_hWnd, IDC_LINE_NUMBER, ops ? std::to_string(ops->GetCaretLine() + 1).c_str() : "");
    OnNumberChange();
    return true;
}

void CGoToLineDialog::Refresh() { SetWindowText(m_tools.TitleWithLines("指定行")); }

void CGoToLineDialog::OnNumberChange() { ::EnableWindow(GetDlgItem(IDOK), !ItemText(IDC_LINE_NUMBER).empty()); }

void CGoToLineDialog::OnOK() {
    const std::string number = ItemText(IDC_LINE_NUMBER);
    if (number.empty()) return;
    if (editor::IEditorOps* ops = m_tools.Ops()) search::GoToLineNumber(*ops, search::ParseLineNumber(number));
    FocusControl(m_hWnd, IDC_LINE_NUMBER);
}

// ---------------------------------------------------------------------------
// 行頭末に文字列を挿入

BEGIN_MESSAGE_MAP(CInsertStringDialog, CDialog)
    ON_COMMAND(IDC_INSERT_HEAD, OnHead)
    ON_COMMAND(IDC_INSERT_TAIL, OnEnd)
    ON_CONTROL(EN_CHANGE, IDC_INSERT_START, OnBoxChange)
    ON_CONTROL(EN_CHANGE, IDC_INSERT_END, OnBoxChange)
    ON_CONTROL(EN_CHANGE, IDC_INSERT_TEXT, OnBoxChange)
END_MESSAGE_MAP()

CInsertStringDialog::CInsertStringDialog(CSearchTools& tools) : CSearchDialog(IDD_INSERT_STRING, tools) {}

bool CInsertStringDialog::OnInitDialog() {
    Refresh();
    int first = 1, last = 1;
    if (const editor::IEditorOps* ops = m_tools.Ops()) {
        int anchorColumn = 0, anchorLine = 0, caretColumn = 0, caretLine = 0;
        ops->GetSelection(&anchorColumn, &anchorLine, &caretColumn, &caretLine);
        first = (anchorLine < caretLine ? anchorLine : caretLine) + 1;
        last = (anchorLine < caretLine ? caretLine : anchorLine) + 1;
    }
    SetDlgItemTextA(m_hWnd, IDC_INSERT_START, std::to_string(first).c_str());
    SetDlgItemTextA(m_hWnd, IDC_INSERT_END, std::to_string(last).c_str());
    SetDlgItemTextA(m_hWnd, IDC_INSERT_TEXT, m_tools.InsertString().c_str());
    OnBoxChange();
    return true;
}

void CInsertStringDialog::Refresh() { SetWindowText(m_tools.TitleWithLines("行頭末に文字列を挿入")); }

void CInsertStringDialog::OnBoxChange() {
    const bool on = !ItemText(IDC_INSERT_START).empty() && !ItemText(IDC_INSERT_END).empty() &&
                    !ItemText(IDC_INSERT_TEXT).empty();
    ::EnableWindow(GetDlgItem(IDC_INSERT_HEAD), on);
    ::EnableWindow(GetDlgItem(IDC_INSERT_TAIL), on);
}

void CInsertStringDialog::Insert(search::InsertPlace place) {
    editor::IEditorOps* ops = m_tools.Ops();
    if (!ops) return;
    const std::string text = ItemText(IDC_INSERT_TEXT);
    const search::InsertStatus status =
        search::InsertAtLines(*ops, search::ParseLineNumber(ItemText(IDC_INSERT_START)),
                              search::ParseLineNumber(ItemText(IDC_INSERT_END)), text, place);
    switch (status) {
        case search::InsertStatus::ReadOnly:
            ::MessageBeep(MB_OK);
            DestroyWindow();
            return;
        case search::InsertStatus::Done:
            m_tools.InsertString() = text;
            DestroyWindow();
            return;
        default: PqErrorBox(m_hWnd, search::InsertStatusMessage(status)); return;
    }
}

// ---------------------------------------------------------------------------
// The tools

CSearchTools::CSearchTools(HWND owner, std::function<CCanvasEdit*()> activeEditor)
    : m_owner(owner),
      m_activeEditor(std::move(activeEditor)),
      m_find(*this),
      m_replace(*this),
      m_goToLine(*this),
      m_insert(*this) {}

CSearchTools::~CSearchTools() {
    for (CDialog* d : {static_cast<CDialog*>(&m_find), static_cast<CDialog*>(&m_replace),
                       static_cast<CDialog*>(&m_goToLine), static_cast<CDialog*>(&m_insert)}) {
        if (d->m_hWnd) d->DestroyWindow();
    }
}

void CSearchTools::LoadSettings(const settings::SettingsStore& store) {
    m_findSettings = search::ReadFindSettings(store);
    m_replaceSettings = search::ReadReplaceSettings(store);
    m_insertString = search::ReadInsertString(store);
}

void CSearchTools::SaveSettings(settings::SettingsStore& store) const {
    // The histories are kept here as they change, so open dialogs lose nothing.
    search::WriteFindSettings(store, m_findSettings);
    search::WriteReplaceSettings(store, m_replaceSettings);
    search::WriteInsertString(store, m_insertString);
}

editor::IEditorOps* CSearchTools::Ops() const {
    CCanvasEdit* edit = Editor();
    return edit && edit->m_hWnd ? &edit->Ops() : nullptr;
}

std::string CSearchTools::TitleWithLines(const char* base) const {
    const editor::IEditorOps* ops = Ops();
    if (!ops) return std::string(base) + " 最大行数不明";
    char text[64];
    std::snprintf(text, sizeof text, " 最大%d行", ops->LineCount());
    return base + std::string(text);
}

std::string CSearchTools::SelectionFindText() const {
    const editor::IEditorOps* ops = Ops();
    if (!ops || !ops->HasSelection()) return "";
    std::string selected;
    ops->GetSelectedText(selected);
    return search::FirstLineOf(selected);
}

void CSearchTools::FindNextCommand() {
    const std::string& text = m_findSettings.latestFindText;
    if (text.empty()) {
        PqErrorBox(m_owner, "一度も検索していないので次を検索することができませんでした。");
        return;
    }
    if (!search::FindNext(Ops(), text, {m_findSettings.matchCase, m_findSettings.wholeWord}))
        Exclaim(m_owner, NotFoundText(text, "の検索は終了しました。"));
}

void CSearchTools::ConvertSelection(search::Conversion kind) {
    CCanvasEdit* edit = Editor();
    editor::IEditorOps* ops = Ops();
    if (!ops) return;
    const search::ConvertStatus status = search::ConvertSelection(*ops, kind);
    if (status == search::ConvertStatus::ReadOnly) {
        ::MessageBeep(MB_OK);
        return;
    }
    if (status == search::ConvertStatus::Done &&
        (kind == search::Conversion::TabsToSpaces || kind == search::Conversion::KanaToFull))
        ::SetFocus(edit->m_hWnd);
}
