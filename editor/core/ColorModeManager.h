// Choosing a document's colour mode and putting it into its editor: the mode
// table, the current mode and the two keyword tables the colouring of the
// current mode reads.
#pragma once

#include <memory>
#include <string>

#include "editor/core/ColorFunctions.h"
#include "editor/core/ColorMode.h"
#include "editor/core/KeywordTable.h"

namespace editor {

// What a mode puts into an editor.
struct ModeInstallation {
    int modeIndex = kCommonMode;
    ColorLineFn colorLine;  // empty: the default colouring (nothing coloured)
    LineStateFn lineState;  // empty: no line-state function
    ColorPartFn colorPart;  // empty: a part of a line is coloured from the line's start
    WordFunctions words;    // empty members: the default word functions
    EditorColors colors{};
    EditorSettings settings;
    std::string fontName = kDefaultFontName;
    int fontSize = kDefaultFontSize;
};

// The operations of an editor control a mode needs; the window layer adapts
// its editor to this.
class IColorModeEditor {
public:
    virtual ~IColorModeEditor() = default;
    virtual void SetColorFunctions(const ColorLineFn& colorLine, const LineStateFn& lineState) = 0;
    // Colouring of a part of a line, taken up near the part (see ColorPartFn).
    virtual void SetColorPart(const ColorPartFn& colorPart) { (void)colorPart; }
    virtual void SetWordFunctions(const WordFunctions& words) = 0;
    virtual void SetColors(const EditorColors& colors, bool redraw) = 0;
    virtual void SetSettings(const EditorSettings& settings, bool redraw) = 0;
    virtual void SetFont(const std::string& faceName, int pointSize, bool bold, bool redraw) = 0;
};

// Installs the functions, then colours, settings and font, all without an
// immediate repaint (in that order, so the settings recompute the line states
// with the new functions).
void ApplyColorMode(const ModeInstallation& mode, IColorModeEditor& editor);

class ColorModeManager {
public:
    // Keyword files are read through `keywords`, which must outlive this.
    explicit ColorModeManager(IKeywordFileSource& keywords, const SystemColors& sys = SystemColors());

    ColorModeTable& Table() { return m_table; }
    const ColorModeTable& Table() const { return m_table; }

    // LoadColorModes / SaveColorModes (when the main frame is created and
    // destroyed).
    void Load(const settings::SettingsStore& store) { m_table.Load(store); }
    bool Save(settings::SettingsStore& store) const { return m_table.Save(store); }

    // Picks the mode for a file extension ("html" for an untitled document),
    // makes it the current mode, loads its keyword files and returns what to
    // install in the document's editor.
    ModeInstallation SelectColorMode(const std::string& extension);
    // The same, applied to the editor; returns the mode index.
    int SelectColorMode(const std::string& extension, IColorModeEditor& editor);

    // What mode `index` installs, with the keyword tables as they are now
    // (for tests and for re-applying the current mode).
    ModeInstallation InstallationFor(int index) const;

    int CurrentMode() const { return m_current; }
    const KeywordTable& Keywords1() const { return *m_keywords1; }
    const KeywordTable& Keywords2() const { return *m_keywords2; }

    // Empties both keyword tables (at program end). Editors that still hold
    // the colouring of a mode keep their own tables until they let go.
    void ReleaseKeywordTables();

private:
    ColorModeTable m_table;
    IKeywordFileSource* m_source;
    int m_current = kCommonMode;
    // Each selection loads fresh tables; the colouring functions installed
    // before keep the tables they were made with, so an editor that is not
    // the current one still colours with its own mode's keywords.
    std::shared_ptr<KeywordTable> m_keywords1;
    std::shared_ptr<KeywordTable> m_keywords2;
};

}  // namespace editor
