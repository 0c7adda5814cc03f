// The open, save and close flows of the document window against a disk, a
// document and a user made of data, through every failure path.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "documents/core/DocFlows.h"
#include "framework/core/Sjis.h"

namespace {

using docs::Answer;
using fileerr::Cause;

// Windows paths compare without regard to letter case.
struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const {
        return sjis::ToLowerAscii(a) < sjis::ToLowerAscii(b);
    }
};

// Files as bytes; a file the document holds cannot be replaced, as with the
// deny-write handle of the real program.
struct FakeDisk : docs::IDocFileSystem {
    std::map<std::string, std::string, NoCase> files;
    std::set<std::string, NoCase> held;            // held by the document
    std::set<std::string, NoCase> heldByOthers;    // held for writing by another program
    std::set<std::string, NoCase> lockedByOthers;  // held exclusively by another program
    Cause copyFails = Cause::None, writeFails = Cause::None, replaceFails = Cause::None;
    unsigned temps = 0;
    std::vector<std::string> log;

    bool Exists(const std::string& p) override { return files.count(p) != 0; }
    Cause Copy(const std::string& from, const std::string& to) override {
        log.push_back("copy " + to);
        if (copyFails != Cause::None) return copyFails;
        if (!files.count(from)) return Cause::NotFound;
        files[to] = files[from];
        return Cause::None;
    }
    std::string TempPathFor(const std::string& target) override { return docs::TempPathBeside(target, ++temps); }
    Cause WriteNew(const std::string& p, const std::string& bytes) override {
        log.push_back("write temp");
        if (files.count(p)) return Cause::AccessDenied;
        if (writeFails != Cause::None) {
            files[p] = bytes.substr(0, bytes.size() / 2);  // a partial temporary file
            return writeFails;
        }
        files[p] = bytes;
        return Cause::None;
    }
    Cause Replace(const std::string& target, const std::string& source) override {
        log.push_back("replace");
        if (held.count(target) || heldByOthers.count(target)) return Cause::SharingViolation;
        if (replaceFails != Cause::None) return replaceFails;
        files[target] = files[source];
        files.erase(source);
        return Cause::None;
    }
    void Remove(const std::string& p) override { files.erase(p); }
    std::map<std::string, std::string, NoCase> longNames;  // short or relative form -> full long path
    std::string FullPath(const std::string& p) override { return longNames.count(p) ? longNames[p] : p; }
    bool HasTempFiles() const {
        for (const auto& f : files)
            if (f.first.find("\\~") != std::string::npos) return true;
        return false;
    }
};

struct FakeDoc : docs::IFlowDoc {
    FakeDisk* disk;
    std::string path, tab = "無題1", text = "new text";
    bool readOnly = false, modified = true, prepareFails = false;
    int loadCode = 0, codeOnSave = 2;
    std::size_t unwritable = 0;
    std::string heldPath;
    bool heldDenyNone = false;
    Cause holdFails = Cause::None;
    int holdFailuresLeft = 0;

    explicit FakeDoc(FakeDisk* d) : disk(d) {}
    std::string Path() const override { return path; }
    std::string TabText() const override { return tab; }
    bool IsReadOnly() const override { return readOnly; }
    bool IsModified() const override { return modified; }
    bool PrepareBytes(std::string* bytes, int* code) override {
        if (prepareFails) return false;
        *bytes = text;
        *code = codeOnSave;
        return true;
    }
    std::size_t UnwritableCount() const override { return unwritable; }
    std::size_t foreign = 0;
    bool html = false;
    std::size_t ForeignCount() const override { return foreign; }
    bool OffersReferences() const override { return html; }
    int writes = -1;  // the code a save writes; -1: not told
    bool declarationAsked = false;
    int CodeToWrite() const override { return writes; }
    std::string TextHead() const override { return text; }
    bool ReplaceTextRange(std::size_t offset, std::size_t length, const std::string& t) override {
        text.replace(offset, length, t);
        return true;
    }
    bool DeclarationAsked() const override { return declarationAsked; }
    void SetDeclarationAsked() override { declarationAsked = true; }
    bool PrepareWithReferences(std::string* bytes, int* code) override {
        *bytes = text + " &#xA0;";
        *code = codeOnSave;
        return true;
    }
    void Saved(const std::string& p, int code, bool savedAs) override {
        path = p;
        loadCode = code;
        modified = false;
        if (savedAs) {
            tab = p;
            readOnly = false;
        }
    }
    void ReleaseFile() override {
        if (!heldPath.empty()) disk->held.erase(heldPath);
        heldPath.clear();
    }
    Cause HoldFile(const std::string& p, bool denyNone) override {
        if (holdFailuresLeft > 0) {
            --holdFailuresLeft;
            return holdFails;
        }
        if (!disk->files.count(p)) return Cause::NotFound;
        if (disk->lockedByOthers.count(p)) return Cause::SharingViolation;
        if (!denyNone && disk->heldByOthers.count(p)) return Cause::SharingViolation;
        ReleaseFile();
        heldPath = p;
        heldDenyNone = denyNone;
        if (!denyNone) disk->held.insert(p);
        return Cause::None;
    }
};

struct FakeUser : docs::IFlowPrompts {
    std::deque<std::string> names;  // save dialog answers; empty: Cancel
    std::deque<bool> overwrite;     // default No
    std::deque<Answer> answers;     // default Cancel
    std::deque<bool> confirms;      // OK/Cancel questions; default Cancel
    std::vector<std::string> initials, errors, asked, overwriteAsked, confirmAsked;

    bool ChooseSavePath(const std::string& initial, std::string* chosen) override {
        initials.push_back(initial);
        if (names.empty()) return false;
        *chosen = names.front();
        names.pop_front();
        return true;
    }
    bool ConfirmOverwrite(const std::string& p) override {
        overwriteAsked.push_back(p);
        if (overwrite.empty()) return false;
        const bool a = overwrite.front();
        overwrite.pop_front();
        return a;
    }
    void ShowError(const std::string& t) override { errors.push_back(t); }
    bool Confirm(const std::string& t) override {
        confirmAsked.push_back(t);
        if (confirms.empty()) return false;
        const bool a = confirms.front();
        confirms.pop_front();
        return a;
    }
    Answer Ask(const std::string& t) override {
        asked.push_back(t);
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class DocFlows : public ::testing::Test {
protected:
    void SetUp() override {
        disk.files["C:\\w\\a.htm"] = "old bytes";
        doc.path = "C:\\w\\a.htm";
        doc.tab = "a.htm";
        bool ro = false;
        ASSERT_TRUE(docs::OpenDocumentFile(doc, doc.path, &ro, user));
    }
    bool Save(bool overwrite, std::vector<std::string> others = {}) {
        return docs::SaveDocument(doc, overwrite, settings, others, disk, user);
    }
    FakeDisk disk;
    FakeDoc doc{&disk};
    FakeUser user;
    docs::FileSettings settings;
};

// --- Opening -------------------------------------------------------------

TEST_F(DocFlows, OpenHoldsTheFileDenyingWritesOrNothingWhenReadOnly) {
    EXPECT_EQ(doc.heldPath, "C:\\w\\a.htm");
    EXPECT_FALSE(doc.heldDenyNone);
    FakeDoc other(&disk);
    disk.files["C:\\w\\b.htm"] = "b";
    bool ro = true;
    ASSERT_TRUE(docs::OpenDocumentFile(other, "C:\\w\\b.htm", &ro, user));
    EXPECT_TRUE(other.heldDenyNone);
    EXPECT_TRUE(user.errors.empty());
}

TEST_F(DocFlows, AFileAnotherProgramWritesOpensReadOnlyAfterTheMessage) {
    disk.files["C:\\w\\b.htm"] = "b";
    disk.heldByOthers.insert("C:\\w\\b.htm");
    FakeDoc other(&disk);
    bool ro = false;
    ASSERT_TRUE(docs::OpenDocumentFile(other, "C:\\w\\b.htm", &ro, user));
    EXPECT_TRUE(ro);
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "C:\\w\\b.htm\nは他のプロセスによって現在上書きが禁止されています。");
}

TEST_F(DocFlows, ALockedFileDoesNotOpenEitherWay) {
    disk.files["C:\\w\\b.htm"] = "b";
    disk.lockedByOthers.insert("C:\\w\\b.htm");
    for (bool readOnly : {false, true}) {
        FakeDoc other(&disk);
        bool ro = readOnly;
        user.errors.clear();
        EXPECT_FALSE(docs::OpenDocumentFile(other, "C:\\w\\b.htm", &ro, user));
        ASSERT_EQ(user.errors.size(), 1u);
        EXPECT_EQ(user.errors[0], "C:\\w\\b.htm\nは他のプロセスによって現在アクセスが禁止されています。");
    }
}

TEST_F(DocFlows, OtherOpenFailuresShowTheStandardMessage) {
    FakeDoc other(&disk);
    bool ro = false;
    EXPECT_FALSE(docs::OpenDocumentFile(other, "C:\\w\\none.htm", &ro, user));
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "C:\\w\\none.htm\nが見つかりません。");
    // A sharing violation first, then another cause on the read-only retry.
    other.holdFails = Cause::SharingViolation;
    other.holdFailuresLeft = 1;
    disk.files["C:\\w\\gone.htm"] = "";
    disk.heldByOthers.insert("C:\\w\\gone.htm");
    disk.files.erase("C:\\w\\gone.htm");
    EXPECT_FALSE(docs::OpenDocumentFile(other, "C:\\w\\gone.htm", &ro, user));
    EXPECT_EQ(user.errors.back(), fileerr::FullMessage("C:\\w\\gone.htm", Cause::NotFound));
}

// --- Save ----------------------------------------------------------------

TEST_F(DocFlows, SaveWritesATemporaryFileThenReplacesAndHoldsTheFileAgain) {
    ASSERT_TRUE(Save(true));
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "new text");
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.loadCode, 2);
    EXPECT_EQ(doc.heldPath, "C:\\w\\a.htm");
    EXPECT_TRUE(disk.held.count("C:\\w\\a.htm"));
    EXPECT_FALSE(disk.HasTempFiles());
    EXPECT_EQ(disk.log, (std::vector<std::string>{"write temp", "replace"}));
    EXPECT_TRUE(user.errors.empty());
    EXPECT_TRUE(user.initials.empty());  // no dialog
}

TEST_F(DocFlows, BackupIsTakenFirstAndHoldsTheOldBytes) {
    settings.backup = 1;
    ASSERT_TRUE(Save(true));
    EXPECT_EQ(disk.files["C:\\w\\a.htm.bak"], "old bytes");
    EXPECT_EQ(disk.log.front(), "copy C:\\w\\a.htm.bak");
    settings.backupDirPoint = 1;
    settings.backupDir = "D:\\bak\\";
    doc.text = "third";
    ASSERT_TRUE(Save(true));
    EXPECT_EQ(disk.files["D:\\bak\\a.htm.bak"], "new text");
}

TEST_F(DocFlows, AFailedBackupIsReportedAndTheSaveGoesOn) {
    settings.backup = 1;
    disk.copyFails = Cause::AccessDenied;
    ASSERT_TRUE(Save(true));
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "C:\\w\\a.htm" + std::string(docs::kBackupFailed));
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "new text");
    // Backups into an empty backup folder cannot be made either.
    user.errors.clear();
    disk.copyFails = Cause::None;
    settings.backupDirPoint = 1;
    ASSERT_TRUE(Save(true));
    EXPECT_EQ(user.errors.size(), 1u);
}

TEST_F(DocFlows, AReadOnlyDocumentRefusesToSave) {
    doc.readOnly = true;
    EXPECT_FALSE(Save(true));
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "C:\\w\\a.htm\nは上書き禁止なので保存できません。");
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "old bytes");
    EXPECT_TRUE(doc.modified);
}

// Every failing step leaves the original untouched, the document modified
// and holding its file, no temporary file, one message, and failure.
TEST_F(DocFlows, EveryFailingStepOfASaveLeavesTheOriginalIntact) {
    struct Case {
        const char* name;
        std::function<void(FakeDisk&, FakeDoc&)> arrange;
        std::string message;
    } cases[] = {
        {"no memory", [](FakeDisk&, FakeDoc& d) { d.prepareFails = true; },
         fileerr::FullMessage("C:\\w\\a.htm", Cause::OutOfMemory)},
        {"disk full", [](FakeDisk& k, FakeDoc&) { k.writeFails = Cause::DiskFull; },
         "C:\\w\\a.htm\nへの書き込み中にディスクがいっぱいになりました。"},
        {"folder refuses", [](FakeDisk& k, FakeDoc&) { k.writeFails = Cause::AccessDenied; },
         "C:\\w\\a.htm\nへのアクセスが拒否されました。"},
        {"replace refused", [](FakeDisk& k, FakeDoc&) { k.replaceFails = Cause::AccessDenied; },
         fileerr::FullMessage("C:\\w\\a.htm", Cause::AccessDenied)},
        {"replace shared", [](FakeDisk& k, FakeDoc&) { k.replaceFails = Cause::SharingViolation; },
         fileerr::FullMessage("C:\\w\\a.htm", Cause::SharingViolation)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDisk d;
        d.files["C:\\w\\a.htm"] = "old bytes";
        FakeDoc x(&d);
        x.path = "C:\\w\\a.htm";
        FakeUser u;
        ASSERT_EQ(x.HoldFile(x.path, false), Cause::None);
        c.arrange(d, x);
        EXPECT_FALSE(docs::SaveDocument(x, true, settings, {}, d, u));
        EXPECT_EQ(d.files["C:\\w\\a.htm"], "old bytes");
        EXPECT_TRUE(x.modified);
        EXPECT_EQ(x.loadCode, 0);
        EXPECT_EQ(x.heldPath, "C:\\w\\a.htm");
        EXPECT_TRUE(d.held.count("C:\\w\\a.htm"));
        EXPECT_FALSE(d.HasTempFiles());
        ASSERT_EQ(u.errors.size(), 1u);
        EXPECT_EQ(u.errors[0], c.message);
    }
}

TEST_F(DocFlows, AFailedHoldAfterTheWriteIsReportedButTheSaveStands) {
    doc.holdFails = Cause::SharingViolation;
    doc.holdFailuresLeft = 1;
    EXPECT_TRUE(Save(true));
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "new text");
    EXPECT_FALSE(doc.modified);
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], fileerr::FullMessage("C:\\w\\a.htm", Cause::SharingViolation));
}

TEST_F(DocFlows, AFailedReplaceHoldsTheFileAgainWithItsSharingAndReportsAFailedHold) {
    // The hold after the failed replace fails too: both are told.
    disk.replaceFails = Cause::AccessDenied;
    doc.holdFails = Cause::SharingViolation;
    doc.holdFailuresLeft = 1;
    EXPECT_FALSE(Save(true));
    ASSERT_EQ(user.errors.size(), 2u);
    EXPECT_EQ(user.errors[0], fileerr::FullMessage("C:\\w\\a.htm", Cause::AccessDenied));
    EXPECT_EQ(user.errors[1], fileerr::FullMessage("C:\\w\\a.htm", Cause::SharingViolation));
    EXPECT_TRUE(doc.modified);

    // A read-only document saved as itself holds its file denying nothing again.
    FakeDoc ro(&disk);
    ro.path = "C:\\w\\ro.htm";
    ro.readOnly = true;
    disk.files[ro.path] = "ro bytes";
    ASSERT_EQ(ro.HoldFile(ro.path, true), Cause::None);
    user.names = {"C:\\w\\ro.htm"};
    EXPECT_FALSE(docs::SaveDocument(ro, false, settings, {}, disk, user));
    EXPECT_EQ(ro.heldPath, "C:\\w\\ro.htm");
    EXPECT_TRUE(ro.heldDenyNone);
    EXPECT_FALSE(disk.held.count(ro.path));
}

// Characters the code cannot hold are asked about before anything is
// touched: Cancel leaves file, backup and document as they were.
TEST_F(DocFlows, UnwritableCharactersAreAskedAboutBeforeAnythingIsWritten) {
    settings.backup = 1;
    doc.unwritable = 2;
    EXPECT_FALSE(Save(true));
    ASSERT_EQ(user.confirmAsked.size(), 1u);
    EXPECT_EQ(user.confirmAsked[0], "C:\\w\\a.htm\nにはEUCで保存できない文字が2個あります。このまま保存しますか？");
    EXPECT_EQ(user.confirmAsked[0], docs::UnwritableQuestion("C:\\w\\a.htm", 2, "EUC"));
    EXPECT_TRUE(disk.log.empty());
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "old bytes");
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(user.errors.empty());
    // Save As asks about the name chosen; Cancel ends it without the dialog again.
    user.names = {"C:\\w\\n.htm", "C:\\w\\m.htm"};
    EXPECT_FALSE(Save(false));
    EXPECT_EQ(user.confirmAsked.back(), docs::UnwritableQuestion("C:\\w\\n.htm", 2, "EUC"));
    EXPECT_EQ(user.initials.size(), 1u);
    EXPECT_FALSE(disk.files.count("C:\\w\\n.htm"));
    // OK writes.
    user.confirms = {true};
    EXPECT_TRUE(Save(true));
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "new text");
    EXPECT_FALSE(doc.modified);
}

// --- Save As ---------------------------------------------------------------

// Table characters in a code that cannot hold them: references when the
// document is HTML and the user agrees, else nothing is written; the
// document stays modified until a save succeeds.
TEST_F(DocFlows, TableCharactersAreReferencedOrTheSaveIsRefused) {
    const struct {
        bool html, agree, saved;
        std::string bytes, message;
    } cases[] = {
        {true, true, true, "new text &#xA0;", docs::ReferencesQuestion("C:\\w\\a.htm", 3, "EUC")},
        {true, false, false, "old bytes", docs::ReferencesQuestion("C:\\w\\a.htm", 3, "EUC")},
        {false, true, false, "old bytes", docs::ForeignRefusal("C:\\w\\a.htm", 3, "EUC")},
    };
    for (const auto& c : cases) {
        disk.files["C:\\w\\a.htm"] = "old bytes";
        doc.modified = true;
        doc.foreign = 3;
        doc.html = c.html;
        user.confirms = {c.agree};
        user.confirmAsked.clear();
        user.errors.clear();
        EXPECT_EQ(Save(true), c.saved);
        EXPECT_EQ(disk.files["C:\\w\\a.htm"], c.bytes);
        EXPECT_EQ(doc.modified, !c.saved);
        const auto& shown = c.html ? user.confirmAsked : user.errors;
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], c.message);
        EXPECT_FALSE(disk.HasTempFiles());
    }
    EXPECT_NE(docs::ForeignRefusal("p", 3, "EUC").find("UTF-8"), std::string::npos);
}

// A save in another code than the declaration names asks once whether to
// rewrite the name; Cancel saves nothing.
TEST_F(DocFlows, TheCharsetDeclarationIsOfferedForUpdateOnce) {
    const std::string page = "<meta charset=\"Shift_JIS\">x";
    const struct {
        int writes;
        Answer answer;
        bool asked, saved;
        std::string text;
    } cases[] = {
        {4, Answer::Yes, true, true, "<meta charset=\"UTF-8\">x"},
        {4, Answer::No, true, true, page},
        {1, Answer::Cancel, true, false, page},
        {0, Answer::Yes, false, true, page},  // the code it names
    };
    for (const auto& c : cases) {
        doc.text = page;
        doc.writes = c.writes;
        doc.declarationAsked = false;
        doc.modified = true;
        user.asked.clear();
        user.answers = {c.answer};
        EXPECT_EQ(Save(true), c.saved) << c.writes;
        EXPECT_EQ(doc.text, c.text) << c.writes;
        ASSERT_EQ(user.asked.size(), c.asked ? 1u : 0u) << c.writes;
        if (c.asked) {
            const std::string name = c.writes == 4 ? "UTF-8" : "ISO-2022-JP";
            EXPECT_EQ(user.asked[0], docs::DeclarationQuestion("C:\\w\\a.htm", "Shift_JIS", name));
        }
        // Asked once: the next save goes without the question.
        user.asked.clear();
        doc.modified = true;
        EXPECT_TRUE(Save(true));
        EXPECT_TRUE(user.asked.empty());
    }
}

TEST_F(DocFlows, SaveAsComparesTheFullLongPathWithTheOtherTabs) {
    disk.files["C:\\w\\b long.htm"] = "other tab";
    disk.longNames["C:\\w\\BLONG~1.HTM"] = "C:\\w\\b long.htm";
    user.names = {"C:\\w\\BLONG~1.HTM"};
    EXPECT_FALSE(Save(false, {"C:\\w\\b long.htm"}));
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "C:\\w\\b long.htm" + std::string(docs::kOpenInAnotherTab));
    EXPECT_EQ(disk.files["C:\\w\\b long.htm"], "other tab");
    // A name that is free is written and shown in its long form.
    disk.longNames["C:\\w\\sub\\..\\new.htm"] = "C:\\w\\new.htm";
    user.names = {"C:\\w\\sub\\..\\new.htm"};
    ASSERT_TRUE(Save(false, {"C:\\w\\b long.htm"}));
    EXPECT_EQ(doc.tab, "C:\\w\\new.htm");
    EXPECT_EQ(disk.files["C:\\w\\new.htm"], "new text");
}

TEST_F(DocFlows, SaveAsAddsTheDefaultExtensionAndMakesNoBackup) {
    settings.backup = 1;
    user.names = {"C:\\w\\readme"};
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(user.initials, (std::vector<std::string>{"C:\\w\\a.htm"}));
    EXPECT_EQ(disk.files["C:\\w\\readme.html"], "new text");
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "old bytes");
    EXPECT_FALSE(disk.files.count("C:\\w\\a.htm.bak"));
    EXPECT_EQ(doc.tab, "C:\\w\\readme.html");
    EXPECT_EQ(doc.heldPath, "C:\\w\\readme.html");
    EXPECT_FALSE(disk.held.count("C:\\w\\a.htm"));  // the old file is let go
    settings.defaultExt = "";
    user.names = {"C:\\w\\readme"};
    ASSERT_TRUE(Save(false));
    EXPECT_TRUE(disk.files.count("C:\\w\\readme"));
}

TEST_F(DocFlows, SaveAsAsksAboutTheNameReallyWritten) {
    disk.files["C:\\w\\readme.html"] = "keep me";
    // The dialog's name has no file, the name with the extension has one.
    user.names = {"C:\\w\\readme", "C:\\w\\readme", "C:\\w\\other"};
    user.overwrite = {false, true};
    ASSERT_TRUE(Save(false));
    EXPECT_EQ(user.overwriteAsked, (std::vector<std::string>{"C:\\w\\readme.html", "C:\\w\\readme.html"}));
    EXPECT_EQ(disk.files["C:\\w\\readme.html"], "new text");
    EXPECT_EQ(user.names.size(), 1u);  // the third name was never needed
    // The dialog comes back with the name last chosen.
    EXPECT_EQ(user.initials[1], "C:\\w\\readme");
}

TEST_F(DocFlows, SaveAsOntoItsOwnFileNeedsNoQuestionAndKeepsTheHandleRule) {
    user.names = {"c:\\W\\A.htm"};
    ASSERT_TRUE(Save(false));
    EXPECT_TRUE(user.overwriteAsked.empty());
    EXPECT_EQ(disk.files["C:\\w\\a.htm"], "new text");
}

TEST_F(DocFlows, SaveAsThePathOfAnotherTabIsRefusedOnce) {
    disk.files["C:\\w\\b.htm"] = "other tab";
    user.names = {"C:\\W\\B.HTM", "C:\\W\\B.HTM", "C:\\W\\B.HTM"};
    EXPECT_FALSE(Save(false, {"C:\\w\\b.htm"}));
    EXPECT_EQ(user.initials.size(), 1u);  // no loop back to the dialog
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "C:\\W\\B.HTM" + std::string(docs::kOpenInAnotherTab));
    EXPECT_EQ(disk.files["C:\\w\\b.htm"], "other tab");
    EXPECT_EQ(doc.path, "C:\\w\\a.htm");
    EXPECT_TRUE(doc.modified);
}

TEST_F(DocFlows, AFailedSaveAsShowsTheDialogAgainAndCancelEndsIt) {
    disk.writeFails = Cause::AccessDenied;
    user.names = {"C:\\ro\\x.htm"};
    EXPECT_FALSE(Save(false));
    EXPECT_EQ(user.initials.size(), 2u);
    EXPECT_EQ(user.errors.size(), 1u);
    EXPECT_FALSE(disk.files.count("C:\\ro\\x.htm"));
    EXPECT_FALSE(disk.HasTempFiles());
    EXPECT_EQ(doc.path, "C:\\w\\a.htm");
    EXPECT_EQ(doc.heldPath, "C:\\w\\a.htm");
    EXPECT_TRUE(doc.modified);
}

TEST_F(DocFlows, AnUntitledDocumentSavesThroughTheDialogWithItsTabText) {
    FakeDoc untitled(&disk);
    user.names = {"C:\\w\\new"};
    ASSERT_TRUE(docs::SaveDocument(untitled, true, settings, {}, disk, user));
    EXPECT_EQ(user.initials, (std::vector<std::string>{"無題1"}));
    EXPECT_EQ(untitled.tab, "C:\\w\\new.html");
    FakeDoc cancelled(&disk);
    EXPECT_FALSE(docs::SaveDocument(cancelled, true, settings, {}, disk, user));
    EXPECT_TRUE(cancelled.modified);
}

TEST_F(DocFlows, SaveAsOfAReadOnlyDocumentMakesItWritable) {
    doc.readOnly = true;
    user.names = {"C:\\w\\copy.htm"};
    ASSERT_TRUE(Save(false));
    EXPECT_FALSE(doc.readOnly);
}

// --- Closing -----------------------------------------------------------------

TEST_F(DocFlows, ClosingATabCountsAFailedOrCancelledSaveAsCancel) {
    int saves = 0;
    auto ok = [&] { ++saves; return true; };
    auto fails = [&] { ++saves; return false; };
    user.answers = {Answer::Cancel, Answer::No, Answer::Yes, Answer::Yes};
    EXPECT_FALSE(docs::QueryCloseDocument(doc, user, ok));
    EXPECT_TRUE(docs::QueryCloseDocument(doc, user, ok));
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(docs::QueryCloseDocument(doc, user, fails));
    EXPECT_TRUE(docs::QueryCloseDocument(doc, user, ok));
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(user.asked[0], "a.htmの内容が変更されています。\n保存しますか？");
    doc.modified = false;
    EXPECT_TRUE(docs::QueryCloseDocument(doc, user, fails));
    EXPECT_EQ(user.asked.size(), 4u);
}

TEST_F(DocFlows, ClosingTheProgramAsksEveryTabAndAnyFailureKeepsItRunning) {
    FakeDoc b(&disk), c(&disk), clean(&disk);
    b.tab = "b.htm";
    c.tab = "c.htm";
    clean.modified = false;
    const std::vector<docs::IFlowDoc*> all = {&doc, &clean, nullptr, &b, &c};
    const std::vector<std::string> texts = {"a.htm", "x", "lost", "b.htm", "c.htm"};
    std::vector<int> saved;
    auto save = [&](int i) {
        saved.push_back(i);
        return i != 3;  // b's save fails
    };
    user.answers = {Answer::Yes, Answer::Yes, Answer::No};
    EXPECT_FALSE(docs::QueryCloseAll(all, texts, user, save));
    EXPECT_EQ(saved, (std::vector<int>{0, 3}));
    ASSERT_EQ(user.asked.size(), 3u);
    EXPECT_EQ(user.asked[0], "a.htm の内容が変更されています。\n保存しますか？");
    ASSERT_EQ(user.errors.size(), 1u);
    EXPECT_EQ(user.errors[0], "lost" + std::string(docs::kExitUnknown));

    // A Cancel in the middle still asks the rest.
    user.asked.clear();
    saved.clear();
    user.answers = {Answer::Cancel, Answer::Yes, Answer::No};
    EXPECT_FALSE(docs::QueryCloseAll(all, texts, user, [&](int i) { saved.push_back(i); return true; }));
    EXPECT_EQ(user.asked.size(), 3u);
    EXPECT_EQ(saved, (std::vector<int>{3}));
    user.answers = {Answer::No, Answer::No, Answer::Yes};
    EXPECT_TRUE(docs::QueryCloseAll(all, texts, user, [](int) { return true; }));
}

}  // namespace
