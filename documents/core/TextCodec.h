// From the bytes of a file to the text of the editor and back: the two
// pipelines the document window runs when it reads and saves a file.
//
// Reading:  file bytes -> DecodeFileBytes -> LoadedText (SHIFT JIS text, the
//           detected code and line ends, and what the window must tell the
//           user) -> the editor's SetText, the entry's load code.
// Saving:   PrepareSave(editor, settings, load code) -> SavedText (the bytes
//           to write, the new load code and line-end mode) -> a temporary
//           file that replaces the original; only after the bytes are
//           written does the entry take the new load code and the editor
//           the new line ends.
// Both fail as a whole (memory) and then nothing must be written or shown.
#pragma once

#include "documents/core/CharCode.h"
#include "documents/core/LineEnds.h"
#include "documents/core/SaveSettings.h"
#include "framework/core/Cp932.h"

#include <cstddef>
#include <memory>
#include <string>

namespace editor {
class EditorModel;
}

namespace encoding {

// A file read into SHIFT JIS.
struct LoadedText {
    std::string text;             // every byte of the file, NUL bytes included
    int charCode = kCodeSjis;     // the detected code: the document's load code
    int returnCode = kReturnCrLf; // kind of the first line end (the editor's mode after SetText)
    bool mixedLineEnds = false;   // the file has more than one kind of line end
    std::size_t nulCount = 0;     // NUL bytes in the file
    std::size_t unconvertible = 0;  // characters without a SHIFT JIS form, shown as 〓
    bool mark = false;            // UTF-8 with the mark EF BB BF (not part of text)
    // The characters of a UTF-8 file that code page 932 cannot hold, under
    // the codes they have in text. Never null after a successful decode.
    std::shared_ptr<cp932::CharTable> table;
    std::size_t tableOverflow = 0;  // characters that found no free code, shown as 〓

    // A file with NUL bytes or with characters that have no SHIFT JIS form
    // or table code cannot be written back as it was: it opens read-only,
    // with ProblemMessage() after its path.
    bool MustOpenReadOnly() const { return nulCount != 0 || unconvertible != 0 || tableOverflow != 0; }
    // The message shown after the file's path, or "" when there is none.
    const char* ProblemMessage() const;
};

// Detects the code of the bytes and decodes them (half-width katakana stay
// half-width). Returns false when memory runs out.
bool DecodeFileBytes(const char* bytes, std::size_t length, LoadedText* out);
// The same with the code given (kCodeSjis, kCodeJis, kCodeEuc or kCodeUtf8) instead of detected.
bool DecodeFileBytesAs(const char* bytes, std::size_t length, int charCode, LoadedText* out);

// Encodes SHIFT JIS text as charCode 0-2 or 4 (half-width katakana become
// full-width for JIS and EUC), appending to *out. *unconvertible, when
// given, receives the number of characters that have no form in that code
// (written as their SHIFT JIS bytes). Returns false when memory runs out or
// the output would pass outputLimit.
bool EncodeText(const char* text, std::size_t length, int charCode, std::string* out,
                std::size_t* unconvertible = nullptr,
                std::size_t outputLimit = static_cast<std::size_t>(-1) / 2,
                const cp932::CharTable* table = nullptr);

// What a save needs from the document's editor.
class ISaveSource {
public:
    virtual ~ISaveSource() = default;
    // Sets the line-end mode of the document and of every line (0-2).
    virtual void SetLineEndMode(int returnCode) = 0;
    // The whole text without a terminating NUL (a NUL inside the text is
    // part of it). With returnCode 0-2 every line ends in that line end, as
    // the text will be once SetLineEndMode(returnCode) has run; otherwise
    // each line keeps its own. False when memory runs out.
    virtual bool GetText(int returnCode, std::string* text) = 0;
};

struct SavedText {
    std::string bytes;            // exactly the bytes the file gets
    int charCode = kCodeSjis;     // the code written: the document's load code after the write
    std::size_t unconvertible = 0;
    // The line-end mode the document takes once the bytes are on disk;
    // kReturnAsLoaded when the save keeps each line's own.
    int returnCode = kReturnAsLoaded;
    // Characters of the table that the code cannot hold (0 for UTF-8): the
    // save must not go on unless they are written as references.
    std::size_t foreign = 0;
};

// How a document's text is written beyond the save settings.
struct DocCoding {
    const cp932::CharTable* table = nullptr;  // the document's table, if any
    bool mark = false;        // the document was read as UTF-8 with the mark
    bool references = false;  // write table characters as numeric character references
};

// Takes the editor's text with the line ends of the save setting and
// encodes it in the code of the save setting (3: the load code). The
// editor is not changed: the line ends are applied to it by
// ApplySavedLineEnds once the file has been written, so a failed save
// leaves the document as it was. Returns false when the text cannot be
// taken or converted; the file must then not be touched.
bool PrepareSave(ISaveSource& source, const SaveSettings& save, int loadCode, SavedText* out,
                 std::size_t outputLimit = static_cast<std::size_t>(-1) / 2);
// The same for a document with a character table: UTF-8 writes its
// characters (and the mark when the document was read with one); any other
// code counts them in `foreign`, or writes them as references when asked.
bool PrepareSave(ISaveSource& source, const SaveSettings& save, int loadCode, const DocCoding& coding,
                 SavedText* out, std::size_t outputLimit = static_cast<std::size_t>(-1) / 2);
// After a successful write: a concrete line-end setting becomes the
// document's line-end mode and the end of every line.
void ApplySavedLineEnds(ISaveSource& source, const SavedText& saved);

// The editor's text store as a save sees it.
class EditorSaveSource : public ISaveSource {
public:
    explicit EditorSaveSource(editor::EditorModel& model) : m_model(model) {}
    void SetLineEndMode(int returnCode) override;
    bool GetText(int returnCode, std::string* text) override;

private:
    editor::EditorModel& m_model;
};

// The names of the codes and line ends as the tool and messages show them.
const char* CharCodeName(int charCode);      // "SJIS", "JIS", "EUC", "UTF-8"

}  // namespace encoding
