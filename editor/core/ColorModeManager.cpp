#include "editor/core/ColorModeManager.h"

#include "editor/core/CgiColorizer.h"
#include "editor/core/HtmlColorizer.h"
#include "editor/core/HtmlWordFunctions.h"
#include "editor/core/UserColorizer.h"

namespace editor {

namespace {
// The CGI and user colourings carry nothing from one line to the next: with
// this state every line is known without a scan, and a part of a long line
// is coloured from the resume place nearest to it.
int NoLineState(const char*, int, int) { return 0; }
}  // namespace

void ApplyColorMode(const ModeInstallation& mode, IColorModeEditor& editor) {
    editor.SetColorFunctions(mode.colorLine, mode.lineState);
    editor.SetColorPart(mode.colorPart);
    editor.SetWordFunctions(mode.words);
    editor.SetColors(mode.colors, false);
    editor.SetSettings(mode.settings, false);
    editor.SetFont(mode.fontName, mode.fontSize, false, false);
}

ColorModeManager::ColorModeManager(IKeywordFileSource& keywords, const SystemColors& sys)
    : m_table(sys),
      m_source(&keywords),
      m_keywords1(std::make_shared<KeywordTable>()),
      m_keywords2(std::make_shared<KeywordTable>()) {}

ModeInstallation ColorModeManager::SelectColorMode(const std::string& extension) {
    m_current = m_table.ModeForExtension(extension);
    const ColorMode& mode = m_table.Mode(m_current);
    auto t1 = std::make_shared<KeywordTable>();
    auto t2 = std::make_shared<KeywordTable>();
    LoadKeywordFile(*m_source, mode.keyfile1, t1.get());
    LoadKeywordFile(*m_source, mode.keyfile2, t2.get());
    m_keywords1 = std::move(t1);
    m_keywords2 = std::move(t2);
    return InstallationFor(m_current);
}

int ColorModeManager::SelectColorMode(const std::string& extension, IColorModeEditor& editor) {
    ApplyColorMode(SelectColorMode(extension), editor);
    return m_current;
}

ModeInstallation ColorModeManager::InstallationFor(int index) const {
    const ColorMode& mode = m_table.Mode(index);
    ModeInstallation out;
    out.modeIndex = index;
    out.colors = mode.colors;
    out.settings = mode.settings;
    out.settings.hScrollStep = 2;
    out.settings.vScrollStep = 1;
    out.settings.wheelLines = 3;
    out.fontName = mode.fontName;
    out.fontSize = mode.fontSize;

    std::shared_ptr<const KeywordTable> t1 = m_keywords1;
    std::shared_ptr<const KeywordTable> t2 = m_keywords2;
    switch (mode.kind) {
    case ModeKind::Html: {
        // The HTML colours are always those of the HTML mode.
        const Color* c = m_table.Mode(kHtmlMode).modeColors;
        auto html = std::make_shared<const HtmlColorizer>(t1, t2, HtmlColors{c[0], c[1], c[2], c[3], c[4], c[5]});
        out.colorLine = [html](const char* line, int length, int prev, Color* colors) {
            return html->ColorLine(line, length, prev, colors);
        };
        out.lineState = [html](const char* line, int length, int prev) { return html->LineState(line, length, prev); };
        out.colorPart = [html](const char* line, int length, int prev, const ColorResume* start, int from, int to,
                               Color* colors, std::vector<ColorResume>* resumes, int step) {
            return html->ColorPart(line, length, prev, start, from, to, colors, resumes, step);
        };
        out.words = HtmlWordFunctions();
        break;
    }
    case ModeKind::Cgi: {
        const Color* c = mode.modeColors;
        auto cgi = std::make_shared<const CgiColorizer>(t1, CgiColors{c[0], c[1], c[2]});
        out.colorLine = [cgi](const char* line, int length, int prev, Color* colors) {
            return cgi->ColorLine(line, length, prev, colors);
        };
        out.lineState = NoLineState;
        out.colorPart = [cgi](const char* line, int length, int prev, const ColorResume* start, int from, int to,
                              Color* colors, std::vector<ColorResume>* resumes, int step) {
            return cgi->ColorPart(line, length, prev, start, from, to, colors, resumes, step);
        };
        break;
    }
    case ModeKind::User: {
        const Color* c = mode.modeColors;
        auto user =
            std::make_shared<const UserColorizer>(t1, UserColors{c[0], c[1], c[2]}, mode.headline, mode.lineComment);
        out.colorLine = [user](const char* line, int length, int prev, Color* colors) {
            return user->ColorLine(line, length, prev, colors);
        };
        out.lineState = NoLineState;
        out.colorPart = [user](const char* line, int length, int prev, const ColorResume* start, int from, int to,
                               Color* colors, std::vector<ColorResume>* resumes, int step) {
            return user->ColorPart(line, length, prev, start, from, to, colors, resumes, step);
        };
        break;
    }
    case ModeKind::Common:
        break;
    }
    return out;
}

void ColorModeManager::ReleaseKeywordTables() {
    m_keywords1 = std::make_shared<KeywordTable>();
    m_keywords2 = std::make_shared<KeywordTable>();
}

}  // namespace editor
