// What the window does so that no work is lost: a print preview that prints
// to a PDF, a file changed by another program, a file open in another
// window, and a recovery copy of unsaved changes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/brinnowview.h"
#include "app/mainframe.h"
#include "app/recoveryfile.h"
#include "desktop/printcommand.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/failingfilesystem.h"
#include "tests/support/scriptedanswers.h"

namespace {

using namespace std::chrono_literals;

// A process id that no process has.
constexpr long kEndedProcess = 99999999;

class WindowSafety : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath("state")));
        RecoveryKeeper::SetTiming(20ms, 100ms);
        frame = std::make_unique<CMainFrame>();
    }
    void TearDown() override {
        frame.reset();
        RecoveryKeeper::SetTiming(RecoveryKeeper::kDelay, RecoveryKeeper::kShortestGap);
    }
    QString Path(const char* name) const { return dir.filePath(name); }
    std::string Local(const char* name) const { return Path(name).toStdString(); }
    QString WriteCampaign(const char* name, int ships) const {
        CBrinnowDoc doc;
        GenerateDocument(doc, {ships, 2, 1, 1, 2, 3});
        EXPECT_TRUE(doc.OnSaveDocument(Local(name)));
        return Path(name);
    }
    std::string Bytes(const char* name) const {
        std::string bytes, error;
        ReadWholeFile(Local(name), bytes, error);
        return bytes;
    }
    void Edit(CMainFrame& window, const char* name) {
        window.History().Run("Edit Ships",
                             [&] { window.Document().m_ships.Modify(0).m_strName = name; });
    }
    bool SeenMessage(const std::string& part) const {
        for (const std::string& message : scripted.messages) {
            if (message.find(part) != std::string::npos) return true;
        }
        return false;
    }
    // The copy of this process's work, as a process that has ended would
    // have left it.
    static void AbandonCopies() {
        for (const QFileInfo& info : QDir(RecoveryFile::Folder()).entryInfoList(QDir::Files)) {
            std::string bytes, error;
            ReadWholeFile(info.filePath().toStdString(), bytes, error);
            const std::string owner = "owner " + std::to_string(ThisProcessId()) + " ";
            bytes.replace(bytes.find(owner), owner.size(),
                          "owner " + std::to_string(kEndedProcess) + " ");
            WriteFileSafely(info.filePath().toStdString(), bytes, error);
        }
    }
    static QStringList Copies() { return QDir(RecoveryFile::Folder()).entryList(QDir::Files); }

    QTemporaryDir dir;
    ScriptedAnswers scripted;
    std::unique_ptr<CMainFrame> frame;
};

// Answers whatever the preview's Print brings up, as a user would, for a
// few seconds at most.
void PressPrintInThePreview(int triesLeft = 100) {
    if (triesLeft == 0) return;
    QTimer::singleShot(50, [triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            for (QAction* action : preview->findChildren<QAction*>()) {
                if (action->text() == "Print") QTimer::singleShot(0, action, &QAction::trigger);
            }
        } else if (auto* print = qobject_cast<QPrintDialog*>(modal)) {
            print->accept();
            return;
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->button(QMessageBox::Yes)->click();
        }
        PressPrintInThePreview(triesLeft - 1);
    });
}

TEST_F(WindowSafety, ThePreviewsPrintWritesItsPdfThroughTheSafeWriter) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 4)));
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Local("fleet.pdf"), "the old PDF", error));
    QPrinter& printer = SharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    {
        const FailingFileSystem failing(FailingFileSystem::Call::Write, 1);
        PressPrintInThePreview();
        frame->View().FilePrintPreview();
    }
    ASSERT_EQ(printer.outputFileName(), Path("fleet.pdf"));
    EXPECT_TRUE(
        SeenMessage("Cannot write \"" + Local("fleet.pdf") + "\": No space left on device."));
    EXPECT_EQ(Bytes("fleet.pdf"), "the old PDF");
    PressPrintInThePreview();
    frame->View().FilePrintPreview();
    EXPECT_EQ(Bytes("fleet.pdf").substr(0, 5), "%PDF-");
}

TEST_F(WindowSafety, AChangeOnDiskIsToldAtOnceAndSaveNeverGoesOverIt) {
    const QString path = WriteCampaign("fleet.brn", 4);
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    Edit(*frame, "Mine");
    // The same bytes written again are no change.
    const std::string original = Bytes("fleet.brn");
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Local("fleet.brn"), original, error));
    QTest::qWait(600);
    EXPECT_FALSE(SeenMessage("changed by another program"));

    WriteCampaign("fleet.brn", 9);  // another program's version
    scripted.answers = {IDNO};
    EXPECT_TRUE(QTest::qWaitFor([&] { return SeenMessage("Load the version on disk?"); }, 5000));
    const std::string theirs = Bytes("fleet.brn");
    // Save asks, and Cancel (the default) leaves their version.
    EXPECT_FALSE(frame->OnFileSave());
    EXPECT_TRUE(SeenMessage("was changed by another program since it was opened or saved here"));
    EXPECT_EQ(Bytes("fleet.brn"), theirs);
    // Reload takes theirs, as a step that Undo takes back.
    scripted.choices = {0};
    EXPECT_FALSE(frame->OnFileSave());
    EXPECT_EQ(frame->Document().m_ships.size(), 9u);
    frame->History().Stack().undo();
    EXPECT_EQ(frame->Document().m_ships[0].m_strName, "Mine");
    // Overwrite saves this window's version.
    scripted.choices = {2};
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_NE(Bytes("fleet.brn"), theirs);
    const std::size_t asked = scripted.messages.size();
    Edit(*frame, "Again");
    EXPECT_TRUE(frame->OnFileSave());  // nothing changed on disk since: no question
    EXPECT_EQ(scripted.messages.size(), asked);
}

TEST_F(WindowSafety, AFileOpenInAnotherWindowIsToldAndAStaleLockTakenOver) {
    const QString path = WriteCampaign("fleet.brn", 4);
    const std::string lock = Local(".fleet.brn.lock");
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    const std::string mine = std::to_string(ThisProcessId()) + " " + ThisHostName() + "\n";
    EXPECT_EQ(Bytes(".fleet.brn.lock"), mine);
    ASSERT_TRUE(frame->OnFileNew());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(lock)));

    std::string error;
    // Process 1 is always there: another window holds the file.
    ASSERT_TRUE(WriteFileSafely(lock, "1 " + ThisHostName() + "\n", error));
    scripted.answers = {IDNO};
    EXPECT_FALSE(frame->OpenDocumentFile(path));
    EXPECT_TRUE(SeenMessage("is already open in Brinnow (process 1 on " + ThisHostName() + ")"));
    EXPECT_TRUE(frame->Document().GetPathName().empty());
    EXPECT_EQ(Bytes(".fleet.brn.lock"), "1 " + ThisHostName() + "\n");

    // A window that crashed left its lock behind.
    ASSERT_TRUE(
        WriteFileSafely(lock, std::to_string(kEndedProcess) + " " + ThisHostName() + "\n", error));
    const std::size_t asked = scripted.messages.size();
    EXPECT_TRUE(frame->OpenDocumentFile(path));
    EXPECT_EQ(scripted.messages.size(), asked);
    EXPECT_EQ(Bytes(".fleet.brn.lock"), mine);
    frame->close();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(lock)));
}

TEST_F(WindowSafety, UnsavedWorkIsKeptWhileItIsUnsavedAndOnlyThen) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 4)));
    EXPECT_TRUE(Copies().isEmpty());
    Edit(*frame, "Kept");
    EXPECT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, 5000));
    // Undone back to the saved state, nothing is left to keep.
    frame->History().Stack().undo();
    EXPECT_TRUE(Copies().isEmpty());
    Edit(*frame, "Kept");
    EXPECT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, 5000));
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_TRUE(Copies().isEmpty());
    Edit(*frame, "Dropped");
    frame->Recovery().WriteNow();
    EXPECT_EQ(Copies().size(), 1);
    scripted.answers = {IDNO};  // do not save: a clean exit drops the work
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(WindowSafety, WorkLeftByAnEndedWindowIsOfferedBackAsModified) {
    const QString path = WriteCampaign("fleet.brn", 4);
    const std::string saved = Bytes("fleet.brn");
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    Edit(*frame, "Recovered");
    frame->Recovery().WriteNow();
    frame.reset();  // as a crash leaves it: the copy stays
    AbandonCopies();
    ASSERT_EQ(Copies().size(), 1);

    // Keep for Later asks again next time; the file itself is untouched.
    frame = std::make_unique<CMainFrame>();
    scripted.choices = {1};
    EXPECT_FALSE(frame->OfferRecovery());
    EXPECT_TRUE(SeenMessage("the changes to \"" + Local("fleet.brn") + "\""));
    EXPECT_EQ(Copies().size(), 1);
    EXPECT_EQ(Bytes("fleet.brn"), saved);

    // Another program changed the file after the work was kept.
    WriteCampaign("fleet.brn", 7);
    const std::string theirs = Bytes("fleet.brn");
    EXPECT_TRUE(frame->OfferRecovery());  // Recover is the default
    EXPECT_TRUE(frame->Document().IsModified());
    EXPECT_EQ(frame->Document().GetPathName(), Local("fleet.brn"));
    EXPECT_EQ(frame->Document().m_ships[0].m_strName, "Recovered");
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
    EXPECT_EQ(Bytes("fleet.brn"), theirs);
    // This window keeps the work now, under its own name; Save asks first.
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_FALSE(frame->OnFileSave());
    EXPECT_TRUE(SeenMessage("was changed by another program since it was opened or saved here"));
    scripted.choices = {2};
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_TRUE(Copies().isEmpty());

    Edit(*frame, "Thrown away");
    frame->Recovery().WriteNow();
    frame.reset();
    AbandonCopies();
    frame = std::make_unique<CMainFrame>();
    scripted.choices = {2};
    EXPECT_FALSE(frame->OfferRecovery());
    EXPECT_TRUE(Copies().isEmpty());
}

}  // namespace
