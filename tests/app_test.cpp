#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/desktopidentity.h"
#include "app/mainframe.h"
#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/printoutput.h"
#include "editors/editships.h"
#include "history/documentnotice.h"
#include "platform/filestore.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/failingfilesystem.h"
#include "tests/support/scriptedanswers.h"

namespace {

// The main window with scripted answers: every question and refusal is
// recorded, and answered from a queue (Yes when it runs dry).
class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        SetFileChoiceHook([this](const FileChoice& choice) {
            proposed = choice.proposedPath;
            return chosenFile;
        });
        frame = std::make_unique<CMainFrame>();
    }
    void TearDown() override {
        frame.reset();
        SetFileChoiceHook({});
    }
    QString Path(const char* name) const { return dir.filePath(name); }
    QString WriteCampaign(const char* name, int ships = 30) {
        CBrinnowDoc doc;
        GenerateDocument(doc, {ships, 2, 1, 1, 2, 3});
        EXPECT_TRUE(doc.OnSaveDocument(Path(name).toStdString()));
        return Path(name);
    }
    void Notice() {
        PostDocumentChangedNotice();
        QApplication::processEvents();
    }
    QMenu* Menu(const QString& title) const {
        for (QAction* action : frame->menuBar()->actions()) {
            if (action->text() == title) return action->menu();
        }
        return nullptr;
    }

    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame;
    ScriptedAnswers scripted;
    std::vector<std::string>& messages = scripted.messages;
    std::deque<int>& answers = scripted.answers;
    QString chosenFile;
    QString proposed;  // by the last file dialog
};

TEST_F(Shell, MenusHoldTheirItemsInOrder) {
    const auto items = [this](const QString& menu) {
        QStringList items;
        for (QAction* action : Menu(menu)->actions()) {
            if (action->isVisible()) items << (action->isSeparator() ? "-" : action->text());
        }
        return items;
    };
    EXPECT_EQ(items("&File"),
              (QStringList{"&New", "&Open...", "&Save", "Save &As...", "Revert &to Saved", "-",
                           "Export Campaign as &JSON...", "&Import Campaign from JSON...",
                           "Open &Game...", "-", "&Print...", "Print Pre&view", "P&rint Setup...",
                           "-", "Recent &File", "-", "E&xit"}));
    EXPECT_EQ(items("&Edit"),
              (QStringList{"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "-", "&Nations",
                           "&Armaments", "-", "S&hips", "S&quadrons", "Sc&enarios", "-",
                           "&Find Ship...", "Find Ne&xt", "Find Pre&vious"}));
    EXPECT_EQ(Menu("&Tools")->actions().size(), 8);
    EXPECT_EQ(Menu("&Tools")->actions().at(0)->text(), "Check Ca&mpaign");
    EXPECT_EQ(Menu("&Tools")->actions().back()->text(), "&Play Scenario...");
    EXPECT_EQ(items("&Help"),
              (QStringList{"&Help Topics", "Open &Sample Campaign", "&About Brinnow..."}));
}

TEST_F(Shell, ShortcutsPromptsAndEnabledStates) {
    for (const auto& [id, keys] : {std::pair{ID_FILE_NEW, "Ctrl+N"},
                                   {ID_FILE_OPEN, "Ctrl+O"},
                                   {ID_FILE_SAVE, "Ctrl+S"},
                                   {ID_FILE_PRINT, "Ctrl+P"},
                                   {ID_HELP, "F1"},
                                   {ID_CONTEXT_HELP, "Shift+F1"}}) {
        EXPECT_EQ(frame->Action(id)->shortcut(), QKeySequence(keys)) << keys;
    }
    EXPECT_EQ(frame->Action(ID_FILE_NEW)->statusTip(), "Create a new document");
    EXPECT_EQ(frame->Action(ID_FILE_NEW)->toolTip(), "New");
    EXPECT_EQ(frame->Action(ID_TOOLS_EXPORT_TEXT)->statusTip(),
              "Export ships to comma delimeted text file");
    EXPECT_EQ(frame->Action(ID_TOOLS_PRINT_SELECTED)->statusTip(),
              "Print Individual Ships, Squadrons, Scenarios");
    EXPECT_EQ(frame->Action(ID_EDIT_SQUADRONS)->statusTip(), "Edit Ship Squadrons");
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        EXPECT_FALSE(frame->Action(id)->isEnabled()) << id;
    }
    for (int id :
         {ID_FILE_NEW, ID_FILE_PRINT, ID_TOOLS_PRINT_BLANK_FORM, ID_TOOLS_EXPORT_TEXT, ID_APP_ABOUT,
          ID_VIEW_STATUS_BAR, ID_EDIT_SQUADRONS, ID_EDIT_SCENARIOS, ID_TOOLS_PRINT_SELECTED}) {
        EXPECT_TRUE(frame->Action(id)->isEnabled()) << id;
    }
}

TEST_F(Shell, CaptionAndStatusBarToggle) {
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Brinnow");
    QAction* toggle = frame->Action(ID_VIEW_STATUS_BAR);
    frame->show();
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(frame->statusBar()->isVisible());
    toggle->trigger();
    EXPECT_TRUE(frame->statusBar()->isVisible());
}

TEST_F(Shell, TheNoticeMarksTheDocumentModifiedAndNewAndCloseAsk) {
    EXPECT_FALSE(frame->Document().IsModified());
    Notice();
    EXPECT_TRUE(frame->Document().IsModified());

    answers = {IDCANCEL};
    EXPECT_FALSE(frame->OnFileNew());
    EXPECT_EQ(messages.back(), "Save changes to Untitled?");
    EXPECT_TRUE(frame->Document().IsModified());

    answers = {IDNO};
    EXPECT_TRUE(frame->OnFileNew());
    EXPECT_FALSE(frame->Document().IsModified());

    Notice();  // closing asks the same
    answers = {IDCANCEL};
    EXPECT_FALSE(frame->close());
    answers = {IDNO};
    EXPECT_TRUE(frame->close());
}

TEST_F(Shell, AnsweringYesSavesFirstUnlessSaveAsIsCancelled) {
    frame->Document().m_ships.resize(3);
    Notice();
    chosenFile.clear();  // the user cancels the file dialog
    answers = {IDYES};
    EXPECT_FALSE(frame->OnFileNew());
    EXPECT_EQ(messages, std::vector<std::string>{"Save changes to Untitled?"});
    EXPECT_TRUE(frame->Document().IsModified());
    EXPECT_EQ(frame->Document().m_ships.size(), 3u);
    answers = {IDYES};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->Document().IsModified());

    chosenFile = Path("kept.brn");
    answers = {IDYES};
    EXPECT_TRUE(frame->OnFileNew());
    CBrinnowDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(chosenFile.toStdString()));
    EXPECT_EQ(saved.m_ships.size(), 3u);
    EXPECT_TRUE(frame->Document().m_ships.empty());
}

TEST_F(Shell, OpenSaveAndTheRecentFileList) {
    for (const char* name : {"a.brn", "b.brn", "c.brn", "d.brn", "e.brn"}) {
        ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign(name)));
    }
    EXPECT_EQ(frame->RecentFiles(),
              (QStringList{Path("e.brn"), Path("d.brn"), Path("c.brn"), Path("b.brn")}));
    EXPECT_EQ(frame->windowTitle(), "e.brn[*] - Brinnow");
    ASSERT_TRUE(frame->OpenDocumentFile(Path("c.brn")));
    EXPECT_EQ(frame->RecentFiles().first(), Path("c.brn"));
    EXPECT_EQ(frame->RecentFiles().size(), CMainFrame::kRecentFiles);

    // A new window reads the list back from the settings.
    CMainFrame second;
    EXPECT_EQ(second.RecentFiles(), frame->RecentFiles());
}

TEST_F(Shell, AFailedOpenSaysWhyAndKeepsTheOpenCampaignAndTrailingBytesWarn) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 7)));
    frame->Document().m_ships.pop_back();
    Notice();
    std::string whole, error;
    ReadWholeFile(WriteCampaign("whole.brn").toStdString(), whole, error);
    WriteFileSafely(Path("cut.brn").toStdString(), whole.substr(0, whole.size() - 9), error);
    answers = {IDNO};  // do not save the changes first
    EXPECT_FALSE(frame->OpenDocumentFile(Path("cut.brn")));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("cut.brn\" is not a valid Brinnow document"), std::string::npos);
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
    EXPECT_EQ(frame->Document().m_ships.size(), 6u);
    EXPECT_TRUE(frame->Document().IsModified());
    EXPECT_EQ(frame->Document().GetPathName(), Path("fleet.brn").toStdString());
    EXPECT_FALSE(frame->RecentFiles().contains(Path("cut.brn")));

    // Bytes after the last list are read past with a warning.
    WriteFileSafely(Path("long.brn").toStdString(), whole + "xyz", error);
    answers = {IDNO};
    EXPECT_TRUE(frame->OpenDocumentFile(Path("long.brn")));
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_NE(messages[3].find("long.brn\" holds 3 bytes after its last scenario"),
              std::string::npos);
    EXPECT_EQ(frame->Document().m_ships.size(), 30u);
}

TEST_F(Shell, ANameFromTheCommandLineAndTheSampleOpenFromAnywhere) {
    // Started from a terminal, the name is relative to its folder; the recent
    // files must find the campaign again from anywhere.
    WriteCampaign("fleet.brn", 5);
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString expected = QDir::current().absoluteFilePath("fleet.brn");
    const bool opened = frame->OpenDocumentFile("fleet.brn");
    QDir::setCurrent(started);
    ASSERT_TRUE(opened);
    EXPECT_EQ(frame->RecentFiles().first(), expected);
    EXPECT_EQ(frame->Document().GetPathName(), expected.toStdString());

    frame->Action(ID_HELP_SAMPLE)->trigger();
    EXPECT_EQ(frame->windowTitle(), "campaign.brn[*] - Brinnow");
    EXPECT_EQ(frame->Document().m_squadrons.size(), 5u);
    EXPECT_EQ(frame->Document().m_scenarios.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST(Program, TakesItsMenuEntryAndItsIconInEverySize) {
    UseDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.brinnow.Brinnow");
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST(Program, AnswersHelpAndVersionWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    const auto run = [&](const QString& option) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(BRINNOW_APP, {option});
        EXPECT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 0) << option.toStdString();
        return QString(program.readAllStandardOutput());
    };
    EXPECT_EQ(run("--version"), "brinnow " BRINNOW_VERSION "\n");
    EXPECT_TRUE(run("--help").startsWith("Usage: brinnow [FILE]\n"));
}

TEST_F(Shell, PrintingToAPdfThatCannotBeWrittenSaysSo) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("cards.pdf"));
    {
        const FailingFileSystem failing(FailingFileSystem::Call::Write, 1);
        PrintOutput output(printer);
        ASSERT_TRUE(output.IsOpen());
        output.Dc().TextOut(10, 10, "x");
        EXPECT_FALSE(output.Finish());
        EXPECT_EQ(output.Error(), "Cannot write \"" + Path("cards.pdf").toStdString() +
                                      "\": No space left on device.");
    }
    EXPECT_FALSE(QFileInfo::exists(Path("cards.pdf")));
    PrintOutput output(printer);
    ASSERT_TRUE(output.IsOpen());
    EXPECT_TRUE(output.Finish());
    EXPECT_TRUE(QFileInfo::exists(Path("cards.pdf")));
}

// A home of the test's own, with or without a documents folder.
class OwnHome {
  public:
    OwnHome() : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", m_dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
    }
    ~OwnHome() {
        qputenv("HOME", m_home);
        if (m_config.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_config);
    }
    QString Path(const char* name) const { return m_dir.filePath(name); }

  private:
    QTemporaryDir m_dir;
    QByteArray m_home, m_config;
};

// Printing to a PDF file proposes the job's name beside the campaign, or in
// a folder that exists while the campaign has none; never for a paper printer.
TEST_F(Shell, PrintingToAPdfProposesTheJobsNameBesideTheDocument) {
    QPrinter printer(QPrinter::HighResolution);
    const QString campaign = Path("Jutland.brn");
    ProposePdfFile(printer, "Jutland", campaign.toStdString(), {});
    EXPECT_EQ(printer.outputFileName(), Path("Jutland.pdf"));
    {
        const OwnHome home;
        ProposePdfFile(printer, "Untitled", "", {});
        EXPECT_EQ(printer.outputFileName(), home.Path("Untitled.pdf"));
        ProposePdfFile(printer, "Jutland", home.Path("gone/Jutland.brn").toStdString(), {});
        EXPECT_EQ(printer.outputFileName(), home.Path("Jutland.pdf"));
        ASSERT_TRUE(QDir().mkpath(home.Path("Documents")));
        ProposePdfFile(printer, "Untitled", "", {});
        EXPECT_EQ(printer.outputFileName(), home.Path("Documents/Untitled.pdf"));
    }

    const QString hostile = QString(100000, QChar(0x20AC));
    for (const auto& [job, file] :
         {std::pair<QString, QString>{"1st BCS/2: \"Lion\"?", "1st BCS_2_ _Lion__"},
          {"a\\b|c*d<e>\tf", "a_b_c_d_e__f"},
          {"../..", "_"},
          {" ..", "Untitled"},
          {"", "Untitled"},
          {hostile, QString(80, QChar(0x20AC))}}) {
        ProposePdfFile(printer, job, campaign.toStdString(), {});
        EXPECT_EQ(printer.outputFileName(), dir.filePath(file + ".pdf"))
            << job.left(20).toStdString();
    }

    // Naming a file would turn a paper printer into a PDF writer.
    QPrinter paper(QPrinter::HighResolution);
    const QPrinter::OutputFormat format = paper.outputFormat();
    ProposePdfFile(paper, "Jutland", campaign.toStdString(), {"Office"});
    EXPECT_TRUE(paper.outputFileName().isEmpty());
    EXPECT_EQ(paper.outputFormat(), format);
    paper.setOutputFileName("/elsewhere/Old.pdf");  // until a file is chosen
    ProposePdfFile(paper, "Jutland", campaign.toStdString(), {"Office"});
    EXPECT_EQ(paper.outputFileName(), Path("Jutland.pdf"));
}

// A PDF carries the print job's name as its title.
TEST_F(Shell, APdfCarriesThePrintJobsNameAsItsTitle) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName("Jutland");
    printer.setOutputFileName(Path("Jutland.pdf"));
    PrintOutput output(printer);
    ASSERT_TRUE(output.Finish());
    QFile pdf(Path("Jutland.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    QStringEncoder utf16(QStringEncoder::Utf16BE);
    const QByteArray title = "/Title (\xfe\xff" + QByteArray(utf16("Jutland")) + ")";
    EXPECT_TRUE(pdf.readAll().contains(title));
}

TEST_F(Shell, PrintingADocumentWithoutShipsSaysThereIsNothingToPrint) {
    frame->View().FilePrint();
    EXPECT_EQ(messages, std::vector<std::string>{"The document has no ships to print."});
}

TEST_F(Shell, SaveAsOfAnUntitledCampaignProposesAFolderThatExists) {
    const OwnHome home;
    frame->OnFileSaveAs();
    EXPECT_EQ(proposed, home.Path("Untitled.brn"));
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn")));
    frame->OnFileSaveAs();
    EXPECT_EQ(proposed, Path("fleet.brn"));
    ASSERT_TRUE(frame->OnFileNew());
    frame->OnFileSaveAs();
    EXPECT_EQ(proposed, Path("Untitled.brn"));  // the folder last used
}

TEST_F(Shell, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn")));
    frame->Document().m_ships.clear();
    Notice();
    chosenFile = Path("no/such/folder/x.brn");
    EXPECT_FALSE(frame->OnFileSaveAs());
    EXPECT_NE(messages.back().find("no/such/folder/x.brn"), std::string::npos);
    EXPECT_TRUE(frame->Document().IsModified());
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
    EXPECT_TRUE(frame->isWindowModified());
}

TEST_F(Shell, TheViewScrollsByWholeShips) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("many.brn", 40)));
    frame->resize(900, 600);
    frame->show();
    QApplication::processEvents();
    CBrinnowView& view = frame->View();
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(bar->maximum(), 39);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.TopShip(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(view.TopShip(), 1 + bar->pageStep());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(view.TopShip(), 39);

    // With few ships that fit, the bar goes away.
    frame->Document().m_ships.resize(1);
    view.OnUpdate();
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view.TopShip(), 0);
}

TEST_F(Shell, ZoomIsClampedAndRemembered) {
    CBrinnowView& view = frame->View();
    view.SetZoom(2.0);
    frame->Action(ID_VIEW_ZOOM_IN)->trigger();
    EXPECT_DOUBLE_EQ(view.Zoom(), 2.5);
    for (int i = 0; i < 20; ++i) view.ZoomOut();
    EXPECT_DOUBLE_EQ(view.Zoom(), view.MinimumZoom());
    for (int i = 0; i < 20; ++i) view.ZoomIn();
    EXPECT_DOUBLE_EQ(view.Zoom(), CBrinnowView::kMaxZoom);
    frame->Action(ID_VIEW_ZOOM_RESET)->trigger();
    EXPECT_DOUBLE_EQ(view.Zoom(), view.ActualSizeZoom());
    view.SetZoom(3.0);
    CMainFrame second;
    EXPECT_DOUBLE_EQ(second.View().Zoom(), 3.0);
}

TEST_F(Shell, ExportShipsAsTextAndCsvWriteTheChosenFiles) {
    frame->View().ExportShipsAsText();  // no ships: nothing asked
    frame->View().ExportShipsAsCsv();
    EXPECT_TRUE(proposed.isEmpty());
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 5)));
    std::string text, csv, error;
    chosenFile = Path("ships.txt");
    frame->Action(ID_TOOLS_EXPORT_TEXT)->trigger();
    EXPECT_EQ(proposed, Path("fleet.txt"));  // beside the campaign, named after it
    ASSERT_TRUE(ReadWholeFile(chosenFile.toStdString(), text, error));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    chosenFile = Path("ships.csv");
    frame->Action(ID_TOOLS_EXPORT_CSV)->trigger();
    ASSERT_TRUE(ReadWholeFile(chosenFile.toStdString(), csv, error));
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFName,", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n') - 6, 5 * 3);  // notes hold two breaks each
}

TEST_F(Shell, EditorsThatChangeQuietlyStillMarkTheDocumentModified) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 3)));
    QTimer::singleShot(0, [] {
        auto* ships = qobject_cast<CEditShipsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(ships, nullptr);
        ships->OnDelete();
        ships->reject();
    });
    frame->Action(ID_EDIT_SHIPS)->trigger();
    EXPECT_EQ(frame->Document().m_ships.size(), 2u);
    EXPECT_TRUE(frame->Document().IsModified());
}

TEST_F(Shell, CampaignJsonGoesOutAndComesBackAsANewUnsavedDocument) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 7)));
    const std::string original = frame->Document().SaveToBytes();
    chosenFile = Path("fleet.json");
    frame->Action(ID_FILE_EXPORT_JSON)->trigger();
    frame->Document().m_ships.clear();
    Notice();

    answers = {IDCANCEL};
    EXPECT_FALSE(frame->OnFileImportJson());
    EXPECT_TRUE(frame->Document().m_ships.empty());

    answers = {IDNO};
    ASSERT_TRUE(frame->OnFileImportJson());
    EXPECT_EQ(messages.back(), "Save changes to fleet.brn?");
    EXPECT_EQ(frame->Document().SaveToBytes(), original);
    EXPECT_TRUE(frame->Document().GetPathName().empty());
    EXPECT_TRUE(frame->Document().IsModified());
    EXPECT_NE(frame->windowTitle().indexOf("Untitled"), -1);

    // Every way to another document leaves the imported one's "*" behind.
    const std::pair<std::function<bool()>, std::deque<int>> paths[] = {
        {[this] { return frame->OnFileNew(); }, {IDNO}},
        {[this] { return frame->OpenDocumentFile(Path("fleet.brn")); }, {IDNO}},
        {[this] { return frame->OnFileRevert(); }, {IDYES}},
        {[this] {
             return frame->OnFileImportJson() && frame->OpenDocumentFile(frame->RecentFiles()[0]);
         },
         {IDNO, IDNO}},
    };
    for (const auto& [path, replies] : paths) {
        answers = replies;
        frame->Document().m_ships.clear();
        Notice();
        ASSERT_TRUE(path());
        EXPECT_FALSE(frame->Document().IsModified());
        EXPECT_FALSE(frame->isWindowModified());
    }
}

TEST_F(Shell, AnUnreadableJsonFileSaysWhereAndChangesNothing) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 4)));
    const std::string before = frame->Document().SaveToBytes();
    std::string error;
    WriteFileSafely(Path("bad.json").toStdString(), "{\n  \"format\": 12\n}", error);
    chosenFile = Path("bad.json");
    EXPECT_FALSE(frame->OnFileImportJson());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("at line 2, column 13 ($.format)"), std::string::npos)
        << messages[0];
    EXPECT_TRUE(frame->Document().SaveToBytes() == before);
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
}

}  // namespace
