#include "documents/core/FileList.h"

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

namespace filelist {

std::string BuildList(const std::vector<Entry>& tabs) {
    std::string out = kHeader;
    for (const Entry& e : tabs) {
        if (e.path.empty()) continue;
        out += "\r\n";
        out += e.readOnly ? '1' : '0';
        out += e.path;
    }
    return out;
}

bool ParseList(const std::string& bytes, bool allReadOnly, std::vector<ReadEntry>* entries) {
    entries->clear();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.empty() || lines[0] != kHeader) return false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() < 2) continue;  // empty, or a flag without a path
        ReadEntry e;
        e.readOnly = allReadOnly || line[0] == '1';
        e.path = line.substr(1);
        if (e.path.size() > pathutil::kMaxPath) {
            e.kind = ReadEntry::Kind::TooLong;
        } else if (sjis::ToLowerAscii(pathutil::ExtensionOf(e.path)) == kExtension) {
            e.kind = ReadEntry::Kind::NestedList;
        }
        entries->push_back(e);
    }
    return true;
}

bool WriteList(const std::string& path, const std::string& bytes, docs::IDocFileSystem& fs,
               docs::IFlowPrompts& prompts) {
    const std::string temp = fs.TempPathFor(path);
    fileerr::Cause cause = temp.empty() ? fileerr::Cause::Generic : fs.WriteNew(temp, bytes);
    if (cause == fileerr::Cause::None) {
        cause = fs.Replace(path, temp);
    }
    if (cause != fileerr::Cause::None) {
        if (!temp.empty()) fs.Remove(temp);
        prompts.ShowError(fileerr::FullMessage(path, cause));
        return false;
    }
    return true;
}

}  // namespace filelist
