// The open document's life without a window: what each command does to the
// document, its file, its lock, its recovery copy and the recent files, with
// every question answered by the test.
#include "document/documentmanager.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <chrono>
#include <deque>

#include "document/recoveryfile.h"
#include "interchange/campaignjsonexport.h"
#include "platform/filestore.h"
#include "platform/filesystemcalls.h"
#include "platform/processidentity.h"
#include "platform/progress.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/endedprocess.h"

using namespace std::chrono_literals;

namespace {

// Answers from queues (Yes, and each choice's default, when they run dry)
// and keeps every text asked or told.
class AnsweringQuestions : public DocumentQuestions {
  public:
    Answer SaveChanges(const QString& q) override { return Next(q, saveAnswers, Answer::Yes); }
    bool Agree(const QString& q) override { return Next(q, yesNo, true); }
    bool Override(const QString& q) override { return Next(q, yesNo, true); }
    int Choose(const QString&, const QString& q, const QStringList&, int whenNone) override {
        return Next(q, choices, whenNone);
    }
    void Tell(const QString& text, Tone tone) override {
        told.push_back(text);
        tones.push_back(tone);
    }
    QString SaveAsPath(const QString& title, const QString& file,
                       const QString& lastUsed) override {
        saveAsOffered = {title, file, lastUsed};
        return saveAsPath;
    }
    bool RunWithProgress(const QString&, const std::function<void(Progress&)>& work) override {
        if (cancelWork) return false;
        NoProgress progress;
        work(progress);
        return true;
    }

    std::deque<Answer> saveAnswers;
    std::deque<bool> yesNo;
    std::deque<int> choices;
    QString saveAsPath;
    bool cancelWork = false;
    QStringList saveAsOffered, asked, told;
    std::vector<Tone> tones;

  private:
    // Keeps the question and takes the next answer.
    template <class T>
    T Next(const QString& question, std::deque<T>& queue, T whenEmpty) {
        asked.push_back(question);
        if (queue.empty()) return whenEmpty;
        const T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

class Documents : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath("state")));
        QSettings().clear();
        docs = std::make_unique<DocumentManager>(questions);
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString WriteCampaign(const QString& name, int ships = 5) const {
        CBrinnowDoc doc;
        GenerateDocument(doc, {ships, 2, 1, 1, 2, 3});
        EXPECT_TRUE(doc.OnSaveDocument(Path(name).toStdString()));
        return Path(name);
    }
    std::string Bytes(const QString& name) const {
        std::string bytes, error;
        ReadWholeFile(Path(name).toStdString(), bytes, error);
        return bytes;
    }
    void Edit(const char* name) {
        docs->History().Run("Edit Ships",
                            [&] { docs->Document().m_ships.Modify(0).m_strName = name; });
    }
    std::string FirstShip() { return docs->Document().m_ships[0].m_strName; }
    static QStringList Copies() { return QDir(RecoveryFile::Folder()).entryList(QDir::Files); }
    // The manager goes as a crashed window goes: its copy of the work stays,
    // owned by a process that has ended, and a new manager starts.
    void Crash() {
        docs->KeepWorkBeforeStop();
        docs.reset();
        HandCopiesToAnEndedProcess();
        docs = std::make_unique<DocumentManager>(questions);
    }

    QTemporaryDir dir;
    AnsweringQuestions questions;
    std::unique_ptr<DocumentManager> docs;
};

// A save that fails keeps everything as it was; one that succeeds moves the
// name, the lock and the top of the recent files to the new file.
TEST_F(Documents, SaveAsKeepsTheOldFileNameAndLockUntilTheNewFileIsWritten) {
    ASSERT_TRUE(docs->Open(WriteCampaign("fleet.brn")));
    const std::string before = Bytes("fleet.brn");
    Edit("Changed");
    QSignalSpy saved(docs.get(), &DocumentManager::documentSaved);

    questions.saveAsPath = Path("no/such/folder/x.brn");
    EXPECT_FALSE(docs->SaveAs());
    ASSERT_EQ(questions.told.size(), 1);
    EXPECT_TRUE(questions.told[0].contains("no/such/folder/x.brn"));
    EXPECT_EQ(questions.tones[0], DocumentQuestions::Tone::Warning);
    EXPECT_EQ(docs->Document().GetPathName(), Path("fleet.brn").toStdString());
    EXPECT_TRUE(docs->Document().IsModified());
    EXPECT_EQ(Bytes("fleet.brn"), before);
    EXPECT_TRUE(QFileInfo::exists(Path(".fleet.brn.lock")));
    EXPECT_EQ(docs->RecentFiles(), QStringList{Path("fleet.brn")});
    EXPECT_EQ(saved.count(), 0);

    // Save As starts from the document's own file.
    EXPECT_EQ(questions.saveAsOffered,
              (QStringList{"fleet.brn", Path("fleet.brn"), Path("fleet.brn")}));
    questions.saveAsPath = Path("renamed.brn");
    EXPECT_TRUE(docs->SaveAs());
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(docs->Document().GetPathName(), Path("renamed.brn").toStdString());
    EXPECT_FALSE(docs->Document().IsModified());
    EXPECT_EQ(Bytes("fleet.brn"), before);
    EXPECT_FALSE(QFileInfo::exists(Path(".fleet.brn.lock")));
    EXPECT_TRUE(QFileInfo::exists(Path(".renamed.brn.lock")));
    EXPECT_EQ(docs->RecentFiles(), (QStringList{Path("renamed.brn"), Path("fleet.brn")}));
    // Undo after the save takes the document away from the saved file.
    docs->History().Stack().undo();
    EXPECT_TRUE(docs->Document().IsModified());
    docs->History().Stack().redo();
    EXPECT_FALSE(docs->Document().IsModified());

    // A cancelled save, or a cancelled choice of name, writes nothing.
    Edit("Again");
    questions.cancelWork = true;
    EXPECT_FALSE(docs->Save());
    EXPECT_TRUE(docs->Document().IsModified());
    questions.cancelWork = false;
    questions.saveAsPath.clear();
    EXPECT_FALSE(docs->SaveAs());
    EXPECT_TRUE(docs->Document().IsModified());
    EXPECT_EQ(questions.told.size(), 1);
}

// Before a changed document goes: Cancel keeps it, No drops the changes,
// Yes saves them first and goes on only when the save did.
TEST_F(Documents, ChangesAreSavedDroppedOrKeptAsAnsweredBeforeTheDocumentGoes) {
    ASSERT_TRUE(docs->Open(WriteCampaign("fleet.brn")));
    Edit("Mine");
    QSignalSpy replaced(docs.get(), &DocumentManager::documentReplaced);
    questions.saveAnswers = {DocumentQuestions::Answer::Cancel, DocumentQuestions::Answer::Cancel};
    EXPECT_FALSE(docs->New());
    EXPECT_EQ(questions.asked, QStringList{"Save changes to fleet.brn?"});
    EXPECT_FALSE(docs->Close());
    EXPECT_EQ(FirstShip(), "Mine");
    EXPECT_EQ(replaced.count(), 0);

    questions.saveAnswers = {DocumentQuestions::Answer::Yes};
    EXPECT_TRUE(docs->New());
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_FALSE(docs->History().Stack().canUndo());
    CBrinnowDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(Path("fleet.brn").toStdString()));
    EXPECT_EQ(saved.m_ships[0].m_strName, "Mine");
    EXPECT_TRUE(docs->Document().GetPathName().empty());
    EXPECT_FALSE(QFileInfo::exists(Path(".fleet.brn.lock")));

    // Yes, but no file is chosen to save it in: the document stays. An
    // untitled document is offered under its title, beside the file used
    // last; its Save is Save As.
    docs->History().Run("Edit Ships", [&] { docs->Document().m_ships.resize(3); });
    questions.saveAnswers = {DocumentQuestions::Answer::Yes};
    questions.saveAsPath.clear();
    EXPECT_FALSE(docs->Open(Path("fleet.brn")));
    EXPECT_EQ(docs->Document().m_ships.size(), 3u);
    EXPECT_EQ(questions.saveAsOffered, (QStringList{"Untitled", "", Path("fleet.brn")}));
    questions.saveAsPath = Path("new.brn");
    EXPECT_TRUE(docs->Save());
    ASSERT_TRUE(saved.OnOpenDocument(Path("new.brn").toStdString()));
    EXPECT_EQ(saved.m_ships.size(), 3u);

    Edit("Dropped");
    questions.saveAnswers = {DocumentQuestions::Answer::No};
    EXPECT_TRUE(docs->Close());
}

// Revert asks; No keeps the edits, Yes loads the file as one step that
// Undo takes back.
TEST_F(Documents, RevertAsksAndIsOneUndoableStep) {
    EXPECT_FALSE(docs->Revert());  // no file to go back to, and no question
    EXPECT_TRUE(questions.asked.isEmpty());
    ASSERT_TRUE(docs->Open(WriteCampaign("fleet.brn")));
    const std::string original = FirstShip();
    Edit("Mine");
    questions.yesNo = {false};
    EXPECT_FALSE(docs->Revert());
    EXPECT_EQ(questions.asked,
              QStringList{"Revert to the copy of fleet.brn saved on disk? Undo brings back the "
                          "changes."});
    EXPECT_EQ(FirstShip(), "Mine");
    EXPECT_TRUE(docs->Document().IsModified());

    EXPECT_TRUE(docs->Revert());
    EXPECT_EQ(FirstShip(), original);
    EXPECT_FALSE(docs->Document().IsModified());
    docs->History().Stack().undo();
    EXPECT_EQ(FirstShip(), "Mine");
    EXPECT_TRUE(docs->Document().IsModified());

    // A file gone bad meanwhile is said, and the edits stay.
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Path("fleet.brn").toStdString(), "not a campaign", error));
    EXPECT_FALSE(docs->Revert(false));
    ASSERT_EQ(questions.told.size(), 1);
    EXPECT_TRUE(questions.told[0].contains("fleet.brn"));
    EXPECT_EQ(FirstShip(), "Mine");
}

// A file another window holds is opened, or saved over, only on Yes; a
// folder that takes no lock is said once, as information.
TEST_F(Documents, AFileLockedElsewhereIsTakenOnlyOnYes) {
    const QString path = WriteCampaign("fleet.brn");
    const std::string before = Bytes("fleet.brn");
    const std::string holder = "1 " + ThisHostName() + "\n";
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Path(".fleet.brn.lock").toStdString(), holder, error));
    questions.yesNo = {false};
    EXPECT_FALSE(docs->Open(path));
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].startsWith("\"" + path +
                                              "\" is already open in Brinnow (process 1 on " +
                                              QString::fromStdString(ThisHostName()) + ")."));
    EXPECT_TRUE(docs->Document().GetPathName().empty());
    EXPECT_TRUE(docs->RecentFiles().isEmpty());

    docs->Document().m_ships.resize(1);
    questions.saveAsPath = path;
    questions.yesNo = {false};
    EXPECT_FALSE(docs->SaveAs());
    EXPECT_TRUE(questions.asked.back().contains("is open in Brinnow (process 1 on"));
    EXPECT_TRUE(questions.asked.back().contains("Save over it anyway?"));
    EXPECT_EQ(Bytes("fleet.brn"), before);

    questions.saveAnswers = {DocumentQuestions::Answer::No};
    const auto toldBefore = questions.told.size();
    EXPECT_TRUE(docs->Open(path));  // Yes, open it here as well
    EXPECT_EQ(questions.told.size(), toldBefore) << "another window's lock is a lock";
    EXPECT_EQ(docs->Document().GetPathName(), path.toStdString());
    EXPECT_EQ(Bytes(".fleet.brn.lock"), holder);

    struct ReadOnlyFolder : FileSystemCalls {
        int CreateNew(const std::string&) override {
            errno = EROFS;
            return -1;
        }
    } readOnly;
    const QString other = WriteCampaign("other.brn");
    FileSystemCalls* const real = FileSystemCalls::Replace(&readOnly);
    const bool opened = docs->Open(other);
    FileSystemCalls::Replace(real);
    ASSERT_TRUE(opened);
    ASSERT_FALSE(questions.told.isEmpty());
    EXPECT_TRUE(questions.told.back().startsWith("Brinnow cannot tell whether another window"));
    EXPECT_EQ(questions.tones.back(), DocumentQuestions::Tone::Information);
}

// What another program does to the file is told; a new version is loaded
// on Yes, as a step Undo takes back.
TEST_F(Documents, WhatAnotherProgramDidToTheFileIsToldAndItsVersionLoadedOnYes) {
    ASSERT_TRUE(docs->Open(WriteCampaign("fleet.brn")));
    Edit("Mine");
    WriteCampaign("fleet.brn", 8);
    questions.yesNo = {false};
    emit docs->DiskFile().changedOnDisk(DiskFileWatch::Disk::Changed);
    EXPECT_TRUE(questions.asked.back().endsWith(
        "fleet.brn\" was changed by another program. Load the version on disk? Undo brings "
        "back the one shown here."));
    EXPECT_EQ(FirstShip(), "Mine");
    emit docs->DiskFile().changedOnDisk(DiskFileWatch::Disk::Changed);
    EXPECT_EQ(docs->Document().m_ships.size(), 8u);
    docs->History().Stack().undo();
    EXPECT_EQ(FirstShip(), "Mine");

    emit docs->DiskFile().changedOnDisk(DiskFileWatch::Disk::Missing);
    emit docs->DiskFile().changedOnDisk(DiskFileWatch::Disk::NotAFile);
    ASSERT_EQ(questions.told.size(), 2);
    EXPECT_EQ(questions.told[0], "\"" + Path("fleet.brn") +
                                     "\" was deleted or moved by another program. Save writes "
                                     "it again.");
    EXPECT_TRUE(questions.told[1].contains("was replaced by a folder"));
    EXPECT_EQ(FirstShip(), "Mine");

    // Save then asks before it goes over their version: Reload takes theirs.
    WriteCampaign("fleet.brn", 9);
    const std::string theirs = Bytes("fleet.brn");
    questions.choices = {0};
    EXPECT_FALSE(docs->Save());
    EXPECT_TRUE(questions.asked.back().contains("since it was opened or saved here"));
    EXPECT_EQ(docs->Document().m_ships.size(), 9u);
    EXPECT_EQ(Bytes("fleet.brn"), theirs);
}

// Work left by a window that ended is offered: Keep for Later leaves the
// copy, Discard removes it, Recover opens it modified under its own name.
TEST_F(Documents, WorkLeftByAnEndedWindowIsOfferedAndTaken) {
    const QString path = WriteCampaign("fleet.brn");
    const std::string saved = Bytes("fleet.brn");
    ASSERT_TRUE(docs->Open(path));
    Edit("Recovered");
    Crash();
    ASSERT_EQ(Copies().size(), 1);

    questions.choices = {1};  // Keep for Later
    EXPECT_FALSE(docs->OfferRecovery());
    EXPECT_TRUE(questions.asked.back().startsWith("Brinnow ended without saving the changes to \"" +
                                                  path + "\"."));
    EXPECT_EQ(Copies().size(), 1);

    // A changed document here is asked about first; Cancel keeps both.
    docs->History().Run("Edit Ships", [&] { docs->Document().m_ships.resize(1); });
    questions.saveAnswers = {DocumentQuestions::Answer::Cancel};
    EXPECT_FALSE(docs->OfferRecovery());
    EXPECT_EQ(docs->Document().m_ships.size(), 1u);
    EXPECT_EQ(Copies().size(), 1);

    QSignalSpy replaced(docs.get(), &DocumentManager::documentReplaced);
    questions.saveAnswers = {DocumentQuestions::Answer::No};
    EXPECT_TRUE(docs->OfferRecovery());
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(docs->Document().GetPathName(), path.toStdString());
    EXPECT_EQ(FirstShip(), "Recovered");
    EXPECT_TRUE(docs->Document().IsModified());
    EXPECT_EQ(Bytes("fleet.brn"), saved);
    EXPECT_TRUE(QFileInfo::exists(Path(".fleet.brn.lock")));
    // The work is this manager's to keep now, in one copy.
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_EQ(docs->Recovery().Copy()->Path(), QDir(RecoveryFile::Folder()).filePath(Copies()[0]));

    Crash();
    questions.choices = {2};  // Discard
    EXPECT_FALSE(docs->OfferRecovery());
    EXPECT_TRUE(Copies().isEmpty());

    // A copy of another format is left alone, asking nothing.
    ASSERT_TRUE(docs->Open(path));
    Edit("Later format");
    Crash();
    ASSERT_EQ(Copies().size(), 1);
    const std::string copy = QDir(RecoveryFile::Folder()).filePath(Copies()[0]).toStdString();
    std::string bytes, error;
    ASSERT_TRUE(ReadWholeFile(copy, bytes, error));
    bytes.replace(bytes.find("copy 1"), 6, "copy 2");
    ASSERT_TRUE(WriteFileSafely(copy, bytes, error));
    const qsizetype asked = questions.asked.size();
    EXPECT_FALSE(docs->OfferRecovery());
    EXPECT_EQ(questions.asked.size(), asked);
    EXPECT_EQ(Copies().size(), 1);
}

// The recent files: the latest first, each once, four at most, absolute,
// kept for the next start; a file that fails to open leaves the list.
TEST_F(Documents, RecentFilesKeepTheLatestFourOnceEachForTheNextStart) {
    for (const char* name : {"a.brn", "b.brn", "c.brn", "d.brn", "e.brn"})
        ASSERT_TRUE(docs->Open(WriteCampaign(name)));
    EXPECT_EQ(docs->RecentFiles(),
              (QStringList{Path("e.brn"), Path("d.brn"), Path("c.brn"), Path("b.brn")}));
    QSignalSpy changed(docs.get(), &DocumentManager::recentFilesChanged);
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const bool opened = docs->Open("c.brn");
    QDir::setCurrent(started);
    ASSERT_TRUE(opened);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(docs->RecentFiles(),
              (QStringList{Path("c.brn"), Path("e.brn"), Path("d.brn"), Path("b.brn")}));

    std::string error;
    ASSERT_TRUE(WriteFileSafely(Path("d.brn").toStdString(), "damaged", error));
    EXPECT_FALSE(docs->Open(Path("d.brn")));
    EXPECT_EQ(docs->RecentFiles(), (QStringList{Path("c.brn"), Path("e.brn"), Path("b.brn")}));
    EXPECT_EQ(docs->Document().GetPathName(), Path("c.brn").toStdString());

    // At most four come back, whatever else the settings hold.
    QSettings().setValue("Recent File List/File5", Path("a.brn"));
    AnsweringQuestions nextStart;
    EXPECT_EQ(DocumentManager(nextStart).RecentFiles(), docs->RecentFiles());

    // A cancelled open changes nothing.
    questions.cancelWork = true;
    EXPECT_FALSE(docs->Open(Path("e.brn")));
    EXPECT_EQ(docs->RecentFiles().first(), Path("c.brn"));
    EXPECT_EQ(docs->Document().GetPathName(), Path("c.brn").toStdString());
}

// A campaign read from JSON opens as a new, unsaved document; one that
// cannot be read is said before anything is asked.
TEST_F(Documents, AJsonCampaignOpensUnsavedAndABadOneAsksNothing) {
    ASSERT_TRUE(docs->Open(WriteCampaign("fleet.brn")));
    Edit("Mine");
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Path("bad.json").toStdString(), "{", error));
    EXPECT_FALSE(docs->ImportJson(Path("bad.json")));
    EXPECT_TRUE(questions.asked.isEmpty());
    ASSERT_EQ(questions.told.size(), 1);
    EXPECT_EQ(FirstShip(), "Mine");

    CBrinnowDoc campaign;
    GenerateDocument(campaign, {7, 2, 1, 1, 2, 3});
    ASSERT_TRUE(ExportCampaignJson(campaign, Path("good.json").toStdString(), error));
    questions.saveAnswers = {DocumentQuestions::Answer::No};
    EXPECT_TRUE(docs->ImportJson(Path("good.json")));
    EXPECT_EQ(questions.asked, QStringList{"Save changes to fleet.brn?"});
    EXPECT_EQ(docs->Document().m_ships.size(), 7u);
    EXPECT_TRUE(docs->Document().IsModified());
    EXPECT_TRUE(docs->Document().GetPathName().empty());
    EXPECT_FALSE(QFileInfo::exists(Path(".fleet.brn.lock")));
    EXPECT_FALSE(docs->History().Stack().canUndo());
}

}  // namespace
