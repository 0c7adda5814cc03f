// The rules of previewing a document in a browser: the preview settings and
// their two option blocks, which browser a command means and how a document
// is made ready for it, the address the internal browser shows (with the
// local server mapping), the argument an external browser gets, and the one
// temporary file a preview may write.
#pragma once

#include <cstdint>
#include <string>

#include "config/core/SettingsStore.h"
#include "framework/core/FileError.h"

namespace preview {

constexpr char kSection[] = "Preview";
constexpr char kDefaultLocalAddress[] = "http://localhost/";
constexpr int kBrowserCount = 4;   // 0-2 external programs, 3 the internal browser
constexpr int kInternalBrowser = 3;

// Messages (error icon).
constexpr char kAskSave[] = "内容が変更されています。\n保存しますか？";
constexpr char kRefusedSave[] = "保存しないとプレビューできません";
constexpr char kNotSaved[] = "保存されていないのでプレビューできません";
constexpr char kBadBrowserPath[] =
    "指定されたブラウザのパスがおかしいか設定されていません\nオプションで設定してください";
constexpr char kTempCreateFailed[] = "テンポラリファイルの作成に失敗したため、プレビューできません";
constexpr char kTempDeleteFailed[] =
    "テンポラリファイルの削除に失敗しました\n申し訳ありませんが各自で削除してください\n\n場所：%s";
constexpr char kNoBrowserInfo[] = "ブラウザ情報の取得に失敗しました";
constexpr char kNoInternalBrowser[] = "内部ブラウザを作成できないため、プレビューできません";

// The options page "プレビュー".
struct BrowserBlock {
    std::string path[kBrowserCount];
    int method[kBrowserCount] = {0, 0, 0, 0};
    int tempPoint = 0;
    std::string tempPath;
};

// The options page "プレビュー2".
struct ServerBlock {
    int localServer = 0;
    std::string replacePath;
    std::string localAddress = kDefaultLocalAddress;
    int tabDblPreview = 0;
};

struct PreviewSettings {
    BrowserBlock browsers;
    ServerBlock server;
};

PreviewSettings ReadPreviewSettings(const settings::SettingsStore& store);
bool WritePreviewSettings(settings::SettingsStore& store, const PreviewSettings& s);

// The method of a browser as it acts: 1 and 2 as they are, anything else 0.
int EffectiveMethod(int method);

// The browser index of a preview command (0-3), or -1.
int BrowserIndexOf(int commandId);

// What must happen before a document can be previewed.
enum class Readiness {
    Ready,        // nothing to do
    Save,         // save it (untitled: the save dialog)
    AskThenSave,  // ask kAskSave; OK saves, Cancel stops with kRefusedSave
};
Readiness ReadinessFor(int method, bool modified, bool untitled);

// The local server address of a document path: Localaddress followed by
// the rest of the path after Replacepath, with every backslash character
// turned into "/". Maps only when the server is on and Replacepath is a
// non-empty prefix of the path (ASCII letters compared without case) that
// ends at a separator. Returns false (and leaves *address alone) otherwise.
bool MapToLocalServer(const std::string& path, const ServerBlock& server, std::string* address);

// The address the internal browser shows for a saved document (not under
// method 2): the mapped address, or the path itself. *mapped tells which.
std::string AddressFor(const std::string& path, const ServerBlock& server, bool* mapped);

// The one argument an external browser gets: the short path when the path
// has a space and the short form has none, else the path in double quotes.
std::string BrowserArgument(const std::string& path, const std::string& shortPath);

// --- Temporary files ------------------------------------------------------

// The folder a temporary file goes in (ending in a separator): TempPath when
// tempPoint is 1, the document's folder, or `untitledFolder` (the program's
// "Temp" folder) for an untitled document. Empty when there is none.
std::string TempFolderFor(const std::string& docPath, const BrowserBlock& b, const std::string& untitledFolder);

// The extension a temporary file takes: the document's, "html" when
// untitled or when its file name has none.
std::string TempExtensionFor(const std::string& docPath);

// The disk as the temporary files see it.
class ITempDisk {
public:
    virtual ~ITempDisk() = default;
    // Creates `path` only when it does not exist (AlreadyExists otherwise)
    // and writes every byte; a failed write leaves no file behind.
    enum class Create { Done, AlreadyExists, Failed };
    virtual Create CreateNew(const std::string& path, const std::string& bytes) = 0;
    // Deletes a file; a file already gone counts as deleted.
    virtual bool Remove(const std::string& path) = 0;
    // Makes sure a folder exists (creating it); false when it cannot.
    virtual bool EnsureFolder(const std::string& folder) = 0;
    // A number to start names from (time, process id).
    virtual std::uint32_t Seed() { return 0; }
};

// The one temporary file of a document window.
class TempFileKeeper {
public:
    // Deletes the current file (reporting through *failedPath when that
    // fails), then writes `bytes` to a new file in `folder` with `extension`.
    // Returns the new path, or empty when no file could be made.
    std::string Make(ITempDisk& disk, const std::string& folder, const std::string& extension,
                     const std::string& bytes, std::string* failedDelete);
    // Deletes the current file. False when it exists and cannot be deleted
    // (the path is forgotten either way: it is the user's to remove).
    bool Delete(ITempDisk& disk, std::string* failedPath);
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::uint32_t m_counter = 0;
};

// The delete-failure message for a path.
std::string TempDeleteMessage(const std::string& path);

}  // namespace preview
