#include "documents/core/OpenFlow.h"

#include "documents/core/TextCodec.h"
#include "framework/core/PathUtil.h"

namespace docs {

bool OpenInTab(IOpenTabs& tabs, IOpeningFile& file, const std::string& path, bool readOnly, bool noSelect,
               IFlowPrompts& prompts) {
    const std::vector<std::string> paths = tabs.Paths();
    const int open = FindPath(paths, path);
    if (open >= 0) {
        tabs.Show(open);
        return true;
    }
    if (!OpenDocumentFile(file, path, &readOnly, prompts)) return false;
    encoding::LoadedText loaded;
    {
        std::string bytes;
        if (!file.ReadAll(&bytes)) return false;
        if (!encoding::DecodeFileBytes(bytes.data(), bytes.size(), &loaded)) {
            prompts.ShowError(fileerr::FullMessage(path, Cause::OutOfMemory));
            return false;
        }
    }
    if (loaded.MustOpenReadOnly()) {
        readOnly = true;
        prompts.ShowError(path + loaded.ProblemMessage());
    }
    const std::string name = pathutil::FileNameOf(path);
    const int count = static_cast<int>(paths.size());
    if (count == 1 && ReusesSingleTab(1, !paths[0].empty(), tabs.FirstModified())) {
        tabs.TakeFirst(name);
    } else if (!tabs.AddLast(name, noSelect)) {
        return false;
    }
    tabs.TakeCoding(loaded.mark, loaded.table);
    if (!tabs.Fill(file, path, loaded.charCode, loaded.text, readOnly)) {
        // The tab keeps the file open but shows no text: a failure.
        prompts.ShowError(fileerr::FullMessage(path, Cause::OutOfMemory));
        tabs.ShowSelected();
        return false;
    }
    if (!noSelect) {
        tabs.ShowSelected();
    } else if (readOnly) {
        tabs.MarkLastReadOnly();
    }
    return true;
}

}  // namespace docs
