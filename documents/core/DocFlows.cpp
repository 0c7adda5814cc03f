#include "documents/core/DocFlows.h"

#include "documents/core/TextCodec.h"
#include "documents/core/Utf8.h"
#include "framework/core/PathUtil.h"

namespace docs {

namespace {

// Holds the saved file again, with the sharing of the document (deny-none
// when it is read-only). A failure is reported; the document goes on
// without its handle.
void HoldAgain(IFlowDoc& doc, const std::string& path, IFlowPrompts& prompts) {
    const Cause c = doc.HoldFile(path, doc.IsReadOnly());
    if (c != Cause::None) prompts.ShowError(fileerr::FullMessage(path, c));
}

// Writes `bytes` into a temporary file beside `target` and puts it in the
// place of target. With releaseOwn, the document's own open file is target:
// it is let go just before the replacement and taken again when that
// fails. On failure the user is told, nothing of the temporary file is left
// and target is as it was.
bool WriteReplacing(IFlowDoc& doc, const std::string& target, const std::string& bytes, bool releaseOwn,
                    IDocFileSystem& fs, IFlowPrompts& prompts) {
    const std::string temp = fs.TempPathFor(target);
    Cause c = temp.empty() ? Cause::BadPath : fs.WriteNew(temp, bytes);
    bool released = false;
    if (c == Cause::None) {
        if (releaseOwn) doc.ReleaseFile();
        released = releaseOwn;
        c = fs.Replace(target, temp);
        if (c == Cause::None) return true;
    }
    if (!temp.empty()) fs.Remove(temp);
    prompts.ShowError(fileerr::FullMessage(target, c));
    if (released) HoldAgain(doc, target, prompts);
    return false;
}

bool PrepareOrReport(IFlowDoc& doc, const std::string& path, std::string* bytes, int* code, IFlowPrompts& prompts) {
    if (doc.PrepareBytes(bytes, code)) return true;
    prompts.ShowError(fileerr::FullMessage(path.empty() ? doc.TabText() : path, Cause::OutOfMemory));
    return false;
}

bool Overwrite(IFlowDoc& doc, const FileSettings& settings, IDocFileSystem& fs, IFlowPrompts& prompts) {
    const std::string path = doc.Path();
    if (doc.IsReadOnly()) {
        prompts.ShowError(path + kReadOnlyCannotSave);
        return false;
    }
    if (!OfferDeclarationUpdate(doc, path, prompts)) return false;
    std::string bytes;
    int code = 0;
    if (!PrepareOrReport(doc, path, &bytes, &code, prompts)) return false;
    if (!ResolveForeign(doc, path, &bytes, &code, prompts)) return false;
    if (!ConfirmUnwritable(prompts, path, doc.UnwritableCount(), encoding::CharCodeName(code))) return false;
    if (settings.backup == 1) {
        const std::string backup = BackupPath(path, settings.backupDirPoint == 1, settings.backupDir);
        if (backup.empty() || fs.Copy(path, backup) != Cause::None) prompts.ShowError(path + kBackupFailed);
    }
    // A failed write has held the file again, or said why it could not.
    if (!WriteReplacing(doc, path, bytes, true, fs, prompts)) return false;
    doc.Saved(path, code, false);
    HoldAgain(doc, path, prompts);
    return true;
}

bool SaveAs(IFlowDoc& doc, const FileSettings& settings, const std::vector<std::string>& otherPaths,
            IDocFileSystem& fs, IFlowPrompts& prompts) {
    const std::string current = doc.Path();
    std::string initial = current.empty() ? doc.TabText() : current;
    std::string bytes;
    int code = 0;
    bool prepared = false;
    for (;;) {
        std::string chosen;
        if (!prompts.ChooseSavePath(initial, &chosen) || chosen.empty()) return false;
        initial = chosen;
        // The name really written, default extension included, in the form
        // the tabs hold their paths in, is the one that is checked and asked
        // about.
        const std::string target = fs.FullPath(WithDefaultExtension(chosen, settings.defaultExt));
        if (FindPath(otherPaths, target) >= 0) {
            // Another tab holds that file: writing it would leave two tabs
            // of one file, and the other tab's copy would be lost.
            prompts.ShowError(target + kOpenInAnotherTab);
            return false;
        }
        const bool own = !current.empty() && pathutil::EqualNoCase(target, current);
        if (!own && fs.Exists(target) && !prompts.ConfirmOverwrite(target)) continue;
        if (!prepared) {
            if (!OfferDeclarationUpdate(doc, target, prompts)) return false;
            if (!PrepareOrReport(doc, target, &bytes, &code, prompts)) return false;
            if (!ResolveForeign(doc, target, &bytes, &code, prompts)) return false;
            prepared = true;
        }
        if (!ConfirmUnwritable(prompts, target, doc.UnwritableCount(), encoding::CharCodeName(code))) return false;
        if (!WriteReplacing(doc, target, bytes, own, fs, prompts)) continue;  // the dialog again, for another name
        if (!own) doc.ReleaseFile();
        doc.Saved(target, code, true);
        HoldAgain(doc, target, prompts);
        return true;
    }
}

}  // namespace

std::string UnwritableQuestion(const std::string& path, std::size_t count, const std::string& codeName) {
    return path + "\nには" + codeName + "で保存できない文字が" + std::to_string(count) +
           "個あります。このまま保存しますか？";
}

bool ConfirmUnwritable(IFlowPrompts& prompts, const std::string& path, std::size_t count,
                       const std::string& codeName) {
    return count == 0 || prompts.Confirm(UnwritableQuestion(path, count, codeName));
}

std::string ReferencesQuestion(const std::string& path, std::size_t count, const std::string& codeName) {
    return path + "\nには" + codeName + "で保存できない文字が" + std::to_string(count) +
           "個あります。\nこれらの文字を数値文字参照（&#xA0; など）にして保存しますか？";
}

std::string ForeignRefusal(const std::string& path, std::size_t count, const std::string& codeName) {
    return path + "\nには" + codeName + "で保存できない文字が" + std::to_string(count) +
           "個あるため保存できません。\nUTF-8で保存してください。";
}

bool ResolveForeign(IFlowDoc& doc, const std::string& path, std::string* bytes, int* code, IFlowPrompts& prompts) {
    const std::size_t count = doc.ForeignCount();
    if (count == 0) return true;
    const std::string name = encoding::CharCodeName(*code);
    if (!doc.OffersReferences()) {
        prompts.ShowError(ForeignRefusal(path, count, name));
        return false;
    }
    if (!prompts.Confirm(ReferencesQuestion(path, count, name))) return false;
    if (doc.PrepareWithReferences(bytes, code)) return true;
    prompts.ShowError(fileerr::FullMessage(path, Cause::OutOfMemory));
    return false;
}

std::string DeclarationQuestion(const std::string& path, const std::string& declared, const std::string& written) {
    return path + "\nの文字コード宣言は " + declared + " ですが、" + written + " で保存します。\n宣言を " + written +
           " に書き換えますか？";
}

bool OfferDeclarationUpdate(IFlowDoc& doc, const std::string& path, IFlowPrompts& prompts) {
    const int code = doc.CodeToWrite();
    if (code < 0 || doc.DeclarationAsked()) return true;
    const std::string head = doc.TextHead();
    const encoding::Declaration d = encoding::FindDeclaration(head.data(), head.size());
    if (!d.found || d.code == code) return true;
    doc.SetDeclarationAsked();
    const std::string name = encoding::DeclarationName(code);
    switch (prompts.Ask(DeclarationQuestion(path.empty() ? doc.TabText() : path, head.substr(d.offset, d.length), name))) {
    case Answer::Yes: doc.ReplaceTextRange(d.offset, d.length, name); return true;
    case Answer::No: return true;
    case Answer::Cancel: break;
    }
    return false;
}

bool OpenDocumentFile(IFlowDoc& doc, const std::string& path, bool* readOnly, IFlowPrompts& prompts) {
    Cause c = doc.HoldFile(path, *readOnly);
    if (c == Cause::None) return true;
    if (c == Cause::SharingViolation) {
        if (*readOnly) {
            prompts.ShowError(path + kAccessForbidden);
            return false;
        }
        c = doc.HoldFile(path, true);
        if (c == Cause::None) {
            *readOnly = true;
            prompts.ShowError(path + kWriteForbidden);
            return true;
        }
        if (c == Cause::SharingViolation) {
            prompts.ShowError(path + kAccessForbidden);
            return false;
        }
    }
    prompts.ShowError(fileerr::FullMessage(path, c));
    return false;
}

bool SaveDocument(IFlowDoc& doc, bool overwrite, const FileSettings& settings,
                  const std::vector<std::string>& otherPaths, IDocFileSystem& fs, IFlowPrompts& prompts) {
    if (overwrite && !doc.Path().empty()) return Overwrite(doc, settings, fs, prompts);
    return SaveAs(doc, settings, otherPaths, fs, prompts);
}

bool QueryCloseDocument(IFlowDoc& doc, IFlowPrompts& prompts, const std::function<bool()>& save) {
    if (!doc.IsModified()) return true;
    switch (prompts.Ask(doc.TabText() + kCloseModified)) {
    case Answer::No: return true;
    case Answer::Yes: return save();
    case Answer::Cancel: break;
    }
    return false;
}

bool QueryCloseAll(const std::vector<IFlowDoc*>& docs, const std::vector<std::string>& tabTexts,
                   IFlowPrompts& prompts, const std::function<bool(int)>& save) {
    bool mayClose = true;
    for (std::size_t i = 0; i < docs.size(); ++i) {
        const std::string text = i < tabTexts.size() ? tabTexts[i] : std::string();
        if (!docs[i]) {
            prompts.ShowError(text + kExitUnknown);
            continue;
        }
        if (!docs[i]->IsModified()) continue;
        switch (prompts.Ask(text + kExitModified)) {
        case Answer::Yes:
            if (!save(static_cast<int>(i))) mayClose = false;
            break;
        case Answer::Cancel: mayClose = false; break;
        case Answer::No: break;
        }
    }
    return mayClose;
}

}  // namespace docs
