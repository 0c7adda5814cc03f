// What the command manager needs from the registered tags (the tag tree
// pane implements it): command ids 10000-19999 are its tags, 10000 + 100 x
// file index + tag index.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace commands {

struct TagMenuFile {
    std::string name;                 // the tag file's name
    std::vector<std::string> tags;    // its tags' names, in order
};

class ITagCommands {
public:
    virtual ~ITagCommands() = default;
    // Runs a registered tag; false when no tag has this id.
    virtual bool RunTagCommand(unsigned id) = 0;
    // Whether a tag command can run now.
    virtual bool IsTagCommandEnabled(unsigned id) { (void)id; return true; }
    // The tag's comment (its description on the key page and status bar).
    virtual std::string TagComment(unsigned id) = 0;
    // The tag files and tags, in tree order, for the "登録タグ(&R)" menu.
    virtual std::vector<TagMenuFile> TagMenu() = 0;
    // The key table changed: refresh the keys shown next to the tags.
    virtual void RefreshKeyDisplay() {}
    // The tags marked for the editor's right-click menu, in tree order:
    // their names and command ids. None unless a provider lists them.
    virtual std::vector<std::pair<std::string, unsigned>> RightClickTags() { return {}; }
};

// The command id of tag t of file f.
inline unsigned TagCommandId(unsigned file, unsigned tag) { return 10000 + 100 * file + tag; }

}  // namespace commands
