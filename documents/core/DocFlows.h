// The file flows of the document window, written against small interfaces
// so that every failure can be driven without windows or disks: opening a
// file with its sharing rules, saving (backup, then a complete temporary
// file that replaces the original), Save As, and the questions before a tab
// or the program closes.
//
// A save never truncates the file it replaces: the new bytes go into a
// temporary file in the same folder, which is flushed and closed and only
// then put in place of the original. When any step fails the original file
// is untouched, the document stays modified, the user is told, and the save
// reports failure.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "documents/core/DocRules.h"
#include "framework/core/FileError.h"

namespace docs {

using fileerr::Cause;

// Message texts (after the path where they name a file).
constexpr char kAccessForbidden[] = "\nは他のプロセスによって現在アクセスが禁止されています。";
constexpr char kWriteForbidden[] = "\nは他のプロセスによって現在上書きが禁止されています。";
constexpr char kReadOnlyCannotSave[] = "\nは上書き禁止なので保存できません。";
constexpr char kBackupFailed[] = "のバックアップファイル作成に失敗しました。";
constexpr char kOpenInAnotherTab[] = "\nは別のタブで開かれているため、この名前では保存できません。";
constexpr char kAlreadyExists[] = " は既に存在します。\n上書きしますか？";
constexpr char kCloseModified[] = "の内容が変更されています。\n保存しますか？";
constexpr char kExitModified[] = " の内容が変更されています。\n保存しますか？";
constexpr char kExitUnknown[] = " の更新有無が判断できません。\n申し訳ありませんが更新なしとして処理します。";

// The disk as the flows see it.
class IDocFileSystem {
public:
    virtual ~IDocFileSystem() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Copies a file, replacing `to`.
    virtual Cause Copy(const std::string& from, const std::string& to) = 0;
    // A name for a new temporary file in the folder of `target`.
    virtual std::string TempPathFor(const std::string& target) = 0;
    // Creates `path` (which must not exist), writes every byte, flushes and
    // closes it.
    virtual Cause WriteNew(const std::string& path, const std::string& bytes) = 0;
    // Puts `source` in the place of `target` (which may exist).
    virtual Cause Replace(const std::string& target, const std::string& source) = 0;
    virtual void Remove(const std::string& path) = 0;
    // The full long form of a path, as the tabs hold the paths of their
    // files (a disk without short names or relative paths keeps it as is).
    virtual std::string FullPath(const std::string& path) { return path; }
};

// One document as the flows see it.
class IFlowDoc {
public:
    virtual ~IFlowDoc() = default;
    virtual std::string Path() const = 0;  // full path; empty for an untitled document
    virtual std::string TabText() const = 0;
    virtual bool IsReadOnly() const = 0;
    virtual bool IsModified() const = 0;
    // The bytes a save writes and the code they are in; false when memory
    // runs out.
    virtual bool PrepareBytes(std::string* bytes, int* charCode) = 0;
    // How many characters of the bytes last prepared have no form in their
    // code (they are written as they are).
    virtual std::size_t UnwritableCount() const { return 0; }
    // How many characters of the document's table the code of the bytes
    // last prepared cannot hold (0 for UTF-8, or with no such characters).
    virtual std::size_t ForeignCount() const { return 0; }
    // Whether those characters may be written as numeric character
    // references instead (a document in the HTML colour mode).
    virtual bool OffersReferences() const { return false; }
    // Prepares the bytes again with those characters written as references;
    // false when memory runs out.
    virtual bool PrepareWithReferences(std::string*, int*) { return false; }
    // The code a save will write (-1: unknown; the declaration is then left alone).
    virtual int CodeToWrite() const { return -1; }
    // The start of the text, at least its first 1024 bytes when it has them.
    virtual std::string TextHead() const { return std::string(); }
    // Replaces bytes [offset, offset + length) of the text, as one undo step.
    virtual bool ReplaceTextRange(std::size_t, std::size_t, const std::string&) { return false; }
    // The declaration question is asked once per document.
    virtual bool DeclarationAsked() const { return true; }
    virtual void SetDeclarationAsked() {}
    // The bytes are on disk under `path`: the document takes the path (a
    // Save As also takes it as tab text and becomes writable), the code as
    // its load code, and is no longer modified.
    virtual void Saved(const std::string& path, int charCode, bool savedAs) = 0;
    // Closes the document's open file (letting others write or replace it).
    virtual void ReleaseFile() = 0;
    // Opens `path` for reading and keeps it open, denying others writing
    // (denying nothing when denyNone is set).
    virtual Cause HoldFile(const std::string& path, bool denyNone) = 0;
};

enum class Answer { Yes, No, Cancel };

// What the flows ask and tell the user.
class IFlowPrompts {
public:
    virtual ~IFlowPrompts() = default;
    // The save dialog; false on Cancel.
    virtual bool ChooseSavePath(const std::string& initialName, std::string* chosen) = 0;
    // Yes/No about replacing an existing file.
    virtual bool ConfirmOverwrite(const std::string& path) = 0;
    // An error message (error icon).
    virtual void ShowError(const std::string& text) = 0;
    // A Yes/No/Cancel question (question icon).
    virtual Answer Ask(const std::string& text) = 0;
    // An OK/Cancel question (question icon); true on OK. A user who cannot
    // be asked answers Cancel.
    virtual bool Confirm(const std::string&) { return false; }
};

// The question before a save writes characters that its code cannot hold:
// the path, then how many characters `codeName` ("JIS", "EUC") cannot
// write.
std::string UnwritableQuestion(const std::string& path, std::size_t count, const std::string& codeName);
// Asks that question when count is not 0. True when the save may go on:
// nothing to ask, or OK (the characters are written as they are); on
// Cancel nothing must be written.
bool ConfirmUnwritable(IFlowPrompts& prompts, const std::string& path, std::size_t count,
                       const std::string& codeName);

// The question before a save in a code that cannot hold the table's
// characters, offering references, and the refusal where none are offered.
std::string ReferencesQuestion(const std::string& path, std::size_t count, const std::string& codeName);
std::string ForeignRefusal(const std::string& path, std::size_t count, const std::string& codeName);
// Settles those characters before anything is written: nothing to do; or
// OK to the question, and *bytes are prepared again with references; or
// the refusal. True when the save may go on with *bytes.
bool ResolveForeign(IFlowDoc& doc, const std::string& path, std::string* bytes, int* code, IFlowPrompts& prompts);

// Before a save in another code than the text's charset declaration names:
// asks once per document whether to rewrite the name. Yes rewrites it (one
// undo step), No leaves it; both go on with the save. False on Cancel.
std::string DeclarationQuestion(const std::string& path, const std::string& declared, const std::string& written);
bool OfferDeclarationUpdate(IFlowDoc& doc, const std::string& path, IFlowPrompts& prompts);

// Opens a file for a tab: deny-write, or deny-none when read-only is
// asked. A file another program holds for writing opens read-only after a
// message (*readOnly becomes true). False, after the message, when it
// cannot be opened.
bool OpenDocumentFile(IFlowDoc& doc, const std::string& path, bool* readOnly, IFlowPrompts& prompts);

// Writes the document. overwrite: Save (an untitled document still asks
// for a name); otherwise Save As, whose target is compared in its full long
// form with otherPaths, the paths of the other tabs. Characters the code
// cannot hold are asked about before anything is written. True when the
// file was written.
bool SaveDocument(IFlowDoc& doc, bool overwrite, const FileSettings& settings,
                  const std::vector<std::string>& otherPaths, IDocFileSystem& fs, IFlowPrompts& prompts);

// Closing one tab: a modified document asks Yes/No/Cancel; Yes saves
// (through `save`). True when the tab may close: No, an unmodified
// document, or a save that succeeded. Cancel and a failed or cancelled
// save keep it.
bool QueryCloseDocument(IFlowDoc& doc, IFlowPrompts& prompts, const std::function<bool()>& save);

// Closing the program: every modified document is asked about in order
// (null: a tab whose state is unknown, reported and treated as unmodified);
// Yes saves through save(index). True when the program may close: any
// Cancel, failed or cancelled save makes it false, yet the remaining
// documents are still asked.
bool QueryCloseAll(const std::vector<IFlowDoc*>& docs, const std::vector<std::string>& tabTexts,
                   IFlowPrompts& prompts, const std::function<bool(int)>& save);

}  // namespace docs
