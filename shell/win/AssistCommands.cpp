#include "shell/win/AssistCommands.h"

#include "documents/win/DocTabWnd.h"
#include "editor/core/ColorMode.h"
#include "editor/win/AssistList.h"
#include "editor/win/CanvasEdit.h"
#include "framework/core/PathUtil.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"

using editor::assist::Kind;

bool ShowAssist(CDocTabWnd& docs, CFrameWnd& frame, Kind kind, bool fromKey) {
    CCanvasEdit* editor = docs.GetEditor(-1);
    if (!editor || !editor->m_hWnd || !::IsWindowVisible(editor->m_hWnd)) return false;
    if (fromKey && ::GetFocus() != editor->m_hWnd) return false;
    if (docs.GetPreviewShown(-1)) return false;
    const std::string section = editor::assist::SectionFor(kind, editor->Ops());
    if (section.empty()) return false;
    std::string inputFile;
    if (kind == Kind::Input) {
        // The live mode table decides, as it decides the colour mode.
        const std::string path = docs.GetPath(-1);
        const std::string extension = path.empty() ? std::string("html") : pathutil::ExtensionOf(path);
        std::string html, cgi;
        if (editor::ColorModeManager* modes = docs.ColorModes()) {
            html = modes->Table().Mode(editor::kHtmlMode).ext;
            cgi = modes->Table().Mode(editor::kCgiMode).ext;
        }
        inputFile = editor::assist::InputFileFor(extension, html, cgi);
    }
    const std::string file =
        pathutil::Join(pathutil::Join(ProgramFolder(), "Assist"), editor::assist::FileFor(kind, inputFile));
    CFrameWnd* f = &frame;
    return CAssistList::Show(*editor, kind, file, section, [f](const std::string& text) { f->SetMessageText(text); });
}

void BindAssistCommands(CommandManager& commands, CDocTabWnd& docs, CFrameWnd& frame) {
    static constexpr struct {
        UINT id;
        Kind kind;
    } kCommands[] = {{ID_EDIT_INPUT_ASSIST, Kind::Input},
                     {ID_EDIT_ATTR_ASSIST, Kind::Attribute},
                     {ID_EDIT_VALUE_ASSIST, Kind::Value}};
    CommandManager* cm = &commands;
    CDocTabWnd* d = &docs;
    CFrameWnd* f = &frame;
    for (const auto& c : kCommands) {
        const Kind kind = c.kind;
        commands.SetHandler(c.id, [cm, d, f, kind] {
            // Without a list the key keeps its ordinary meaning.
            if (!ShowAssist(*d, *f, kind, cm->CurrentCode() == 1)) cm->SetPassThroughOnce();
        });
    }
}
