// What the main window does so that no work is lost: a print preview that
// prints to a PDF, a file changed by another program, a file open in another
// window, a recovery copy of unsaved changes, and a cancelled long job.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "app/brinnowview.h"
#include "app/mainframe.h"
#include "desktop/printcommand.h"
#include "desktop/progressdialog.h"
#include "document/recoveryfile.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "print/shipcardjob.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/endedprocess.h"
#include "tests/support/failingfilesystem.h"
#include "tests/support/mainwindowfixture.h"

namespace {

using namespace std::chrono_literals;

class WindowSafety : public Shell {
  protected:
    void SetUp() override {
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath("state")));
        RecoveryKeeper::SetTiming(20ms, 100ms);
        Shell::SetUp();
    }
    void TearDown() override {
        Shell::TearDown();
        RecoveryKeeper::SetTiming(RecoveryKeeper::kDelay, RecoveryKeeper::kShortestGap);
    }
    void Edit(const char* name) {
        frame->History().Run("Edit Ships",
                             [&] { frame->Document().m_ships.Modify(0).m_strName = name; });
    }
    bool SeenMessage(const std::string& part) const {
        for (const std::string& message : scripted.messages) {
            if (message.find(part) != std::string::npos) return true;
        }
        return false;
    }
    // Ends the window as a crash does: its copy of the work stays, as a
    // process that has ended leaves it, for a new window to find.
    void Crash() {
        frame->Recovery().WriteNow();
        frame.reset();
        HandCopiesToAnEndedProcess();
        frame = std::make_unique<CMainFrame>();
    }
    static QStringList Copies() { return QDir(RecoveryFile::Folder()).entryList(QDir::Files); }
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
    Edit("Mine");
    // The same bytes written again are no change.
    const std::string original = Bytes("fleet.brn");
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Local("fleet.brn"), original, error));
    QTest::qWait(600);
    EXPECT_FALSE(SeenMessage("changed by another program"));

    WriteCampaign("fleet.brn", 9);  // another program's version
    scripted.answers = {IDNO};
    const auto loadQuestions = [&] {
        return std::count_if(messages.begin(), messages.end(), [](const std::string& message) {
            return message.find("Load the version on disk?") != std::string::npos;
        });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return loadQuestions() == 1; }, 5000));
    // A second, different version is told again.
    WriteCampaign("fleet.brn", 11);
    scripted.answers = {IDNO};
    EXPECT_TRUE(QTest::qWaitFor([&] { return loadQuestions() == 2; }, 5000));
    const std::string theirs = Bytes("fleet.brn");
    // Save asks, and Cancel (the default) leaves their version.
    EXPECT_FALSE(frame->OnFileSave());
    EXPECT_TRUE(SeenMessage("was changed by another program since it was opened or saved here"));
    EXPECT_EQ(Bytes("fleet.brn"), theirs);
    // Reload takes theirs, as a step that Undo takes back.
    scripted.choices = {0};
    EXPECT_FALSE(frame->OnFileSave());
    EXPECT_EQ(frame->Document().m_ships.size(), 11u);
    frame->History().Stack().undo();
    EXPECT_EQ(frame->Document().m_ships[0].m_strName, "Mine");
    // Overwrite saves this window's version.
    scripted.choices = {2};
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_NE(Bytes("fleet.brn"), theirs);
    const std::size_t asked = scripted.messages.size();
    Edit("Again");
    EXPECT_TRUE(frame->OnFileSave());  // nothing changed on disk since: no question
    EXPECT_EQ(scripted.messages.size(), asked);
}

TEST_F(WindowSafety, UnsavedWorkIsKeptWhileItIsUnsavedAndOnlyThen) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 4)));
    EXPECT_TRUE(Copies().isEmpty());
    Edit("Kept");
    EXPECT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, 5000));
    // Undone back to the saved state, nothing is left to keep.
    frame->History().Stack().undo();
    EXPECT_TRUE(Copies().isEmpty());
    Edit("Kept");
    EXPECT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, 5000));
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_TRUE(Copies().isEmpty());
    Edit("Dropped");
    frame->Recovery().WriteNow();
    EXPECT_EQ(Copies().size(), 1);
    scripted.answers = {IDNO};  // do not save: a clean exit drops the work and the lock
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path(".fleet.brn.lock")));
}

TEST_F(WindowSafety, WorkLeftByAnEndedWindowIsOfferedBackAsModified) {
    const QString path = WriteCampaign("fleet.brn", 4);
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    Edit("Recovered");
    Crash();
    ASSERT_EQ(Copies().size(), 1);

    // Another program changed the file after the work was kept.
    WriteCampaign("fleet.brn", 7);
    EXPECT_TRUE(frame->OfferRecovery());  // Recover is the default
    EXPECT_TRUE(SeenMessage("the changes to \"" + Local("fleet.brn") + "\""));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
    // This window keeps the work now, under its own name; Save asks first.
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_FALSE(frame->OnFileSave());
    scripted.choices = {2};
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_TRUE(Copies().isEmpty());

    // A copy whose header ends before its blank line is not offered.
    Edit("Cut short");
    Crash();
    ASSERT_EQ(Copies().size(), 1);
    QFile copy(QDir(RecoveryFile::Folder()).filePath(Copies().first()));
    ASSERT_TRUE(copy.open(QIODevice::ReadWrite));
    ASSERT_TRUE(copy.resize(copy.readAll().indexOf("\n\n") + 1));
    copy.close();
    const std::size_t told = messages.size();
    EXPECT_FALSE(frame->OfferRecovery());
    EXPECT_EQ(messages.size(), told);
}

// A logout or kill asks nothing and keeps the work at once, a moment after
// the edit, whatever the document is called; the copy is found again.
TEST_F(WindowSafety, AStopSignalKeepsTheWorkAtOnceWhateverTheDocumentsName) {
    RecoveryKeeper::SetTiming(1h, 1h);
    std::string longName;
    for (int i = 0; i < 120; ++i) longName += "\xC3\xA9";  // 240 bytes of "é"
    longName += ".brn";
    const QString path = WriteCampaign(longName.c_str(), 4);
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    Edit("Kept at once");
    const std::size_t asked = messages.size();
    frame->KeepWorkBeforeStop();
    EXPECT_EQ(messages.size(), asked);
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_LE(QFile::encodeName(Copies().first()).size(), 255);
    // Cut between characters, the name's start kept for the eye.
    EXPECT_TRUE(Copies().first().startsWith(QString(100, QChar(0xE9))))
        << Copies().first().toStdString();
    EXPECT_FALSE(Copies().first().contains(QChar::ReplacementCharacter));
    Crash();
    EXPECT_TRUE(frame->OfferRecovery());
    EXPECT_EQ(frame->Document().GetPathName(), path.toStdString());
    EXPECT_EQ(frame->Document().m_ships[0].m_strName, "Kept at once");
}

// What cannot be watched over is said: a folder that takes no lock file
// (once, as the campaign opens) and a file that a folder replaced.
TEST_F(WindowSafety, ALockThatCannotBeMadeAndAFileTurnedFolderAreSaid) {
    const QString path = WriteCampaign("fleet.brn", 4);
    // As a read-only folder answers, which the tests' root user never meets.
    struct ReadOnlyFolder : FileSystemCalls {
        int CreateNew(const std::string&) override {
            errno = EROFS;
            return -1;
        }
    } readOnly;
    FileSystemCalls* const real = FileSystemCalls::Replace(&readOnly);
    const bool opened = frame->OpenDocumentFile(path);
    FileSystemCalls::Replace(real);
    ASSERT_TRUE(opened);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(SeenMessage("no lock file can be made beside \"" + Local("fleet.brn") + "\"."));

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("fleet.brn"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.size() == 2; }, 5000));
    EXPECT_TRUE(SeenMessage("\"" + Local("fleet.brn") +
                            "\" was replaced by a folder or another thing that is not a file."));
}

// A cancel during a print to a PDF keeps the old file and leaves nothing
// behind.
TEST(ProgressDialog, CancelKeepsTheOldFileAndTheDialogShowsAfterHalfASecondUntilTheEnd) {
    CBrinnowDoc doc;
    GenerateDocument(doc, {3000, 2, 1, 1, 2});
    const QTemporaryDir dir;
    const std::string pdf = dir.filePath("cards.pdf").toStdString();
    std::string error;
    ASSERT_TRUE(WriteFileSafely(pdf, "the old PDF", error));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setDocName("Cards");
    QString label, bar;  // what the bar shows, in the label's words
    const CancelWhenShown user([&](QProgressDialog& dialog) {
        label = dialog.labelText();
        bar = QString("Printing page %1 of %2").arg(dialog.value()).arg(dialog.maximum());
    });
    RunOnPrinter(nullptr, "Printing Cards", printer, [&doc](CDC& dc, Progress& progress) {
        ShipCardJob(doc).Print(dc, "Cards", progress);
    });

    EXPECT_TRUE(QRegularExpression("^Printing page \\d+ of \\d+$").match(label).hasMatch())
        << label.toStdString();
    EXPECT_EQ(bar, label);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(pdf, bytes, error));
    EXPECT_EQ(bytes, "the old PDF");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);

    // The dialog shows once the work has taken half a second, shows every
    // stage's end at once, and stays up from the end of one stage (reading) to
    // the start of the next (writing); a count past an int's range is shown in
    // proportion. Work too short for it shows the wait cursor for its length.
    QWidget window;
    window.show();
    auto progress = std::make_unique<ProgressDialog>(&window, "Save");
    progress->Step(0, 2, "Bytes read:");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::qWait(600);
    progress->Step(1, 2, "Bytes read:");
    auto* dialog = window.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the pointer, for Cancel
    progress->Step(2, 2, "Bytes read:");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), "Bytes read: 2 of 2");
    EXPECT_EQ(dialog->value(), dialog->maximum());
    QTest::qWait(60);  // past the pause between two updates
    progress->Step(0, 3, "Records written:");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), "Records written: 0 of 3");

    constexpr std::int64_t kHuge = 10'000'000'000;
    QTest::qWait(60);
    progress->Step(kHuge / 2, kHuge, "Bytes read:");
    EXPECT_GT(dialog->maximum(), 1'000'000'000);
    EXPECT_NEAR(double(dialog->value()) / dialog->maximum(), 0.5, 0.01);
    progress.reset();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Work too short for the dialog shows the wait cursor for its length.
    Qt::CursorShape during = Qt::ArrowCursor;
    EXPECT_TRUE(RunWithProgress(nullptr, "Save", [&](Progress& progress) {
        progress.Step(0, 1, "Records written:");
        during = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                : Qt::ArrowCursor;
    }));
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
