// Opening a file into the document window: the order of the steps and the
// decisions between them, written against small interfaces so that every
// branch runs without windows or disks. The window supplies its tabs, the
// file being opened and the user's messages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "documents/core/DocFlows.h"
#include "framework/core/Cp932.h"

namespace docs {

// The file being opened, before it has a tab: held through IFlowDoc's
// HoldFile, then read.
class IOpeningFile : public IFlowDoc {
public:
    // Every byte of the held file; false when it cannot be read, after
    // saying why.
    virtual bool ReadAll(std::string* bytes) = 0;
};

// The tabs of the document window as opening sees them.
class IOpenTabs {
public:
    virtual ~IOpenTabs() = default;
    // The full paths of the tabs in tab order (empty for untitled ones).
    virtual std::vector<std::string> Paths() const = 0;
    // Selects and shows tab `index`.
    virtual void Show(int index) = 0;
    // Whether the first tab's text is modified.
    virtual bool FirstModified() const = 0;
    // The only tab, untitled and unmodified, takes the file: it gets the name.
    virtual void TakeFirst(const std::string& name) = 0;
    // A new last tab with the name (selected unless noSelect); false when it
    // cannot be made.
    virtual bool AddLast(const std::string& name, bool noSelect) = 0;
    // The tab that takes the file (the last) gets the held file, the path,
    // the load code and the text, then the read-only flag and no
    // modification. False when memory runs out for the text: the tab then
    // stays read-only and unmodified without text.
    virtual bool Fill(IOpeningFile& file, const std::string& path, int loadCode, const std::string& text,
                      bool readOnly) = 0;
    // Before Fill: a UTF-8 file's mark and the table of its characters that
    // code page 932 cannot hold (empty for the other codes).
    virtual void TakeCoding(bool mark, const std::shared_ptr<cp932::CharTable>& table) {
        (void)mark;
        (void)table;
    }
    // Shows the selected tab.
    virtual void ShowSelected() = 0;
    // The last tab, opened without being selected, shows the read-only image.
    virtual void MarkLastReadOnly() = 0;
};

// Opens the file at `path` (its full long form) in a tab. A file already
// open in a tab shows that tab. Otherwise the file is held (read-only when
// asked, or when another program writes it), read and decoded; a file that
// cannot be written back as it was opens read-only after a message. The only
// tab takes the file when it is untitled and unmodified; else a new tab is
// added. True when the file is open in a tab.
bool OpenInTab(IOpenTabs& tabs, IOpeningFile& file, const std::string& path, bool readOnly, bool noSelect,
               IFlowPrompts& prompts);

}  // namespace docs
