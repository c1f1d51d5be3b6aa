// The main window as its user meets it: menus, files, printing, the view,
// Tools > Check Campaign; what it does so that no work is lost: a print
// preview that prints to a PDF, a file changed by another program, a file
// open in another window, a recovery copy of unsaved changes, and a
// cancelled long job; and its cards as a desktop user sees and handles them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include "app/aboutdialog.h"
#include "app/brinnowview.h"
#include "app/campaigncheckwindow.h"
#include "app/chooseshipdialog.h"
#include "app/commandids.h"
#include "app/csvimportpreview.h"
#include "app/desktopidentity.h"
#include "app/findshipbar.h"
#include "app/mainframe.h"
#include "app/recordclipboard.h"
#include "desktop/filedialogs.h"
#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/nightcolours.h"
#include "desktop/printcommand.h"
#include "desktop/printoutput.h"
#include "desktop/progressdialog.h"
#include "document/recoveryfile.h"
#include "editors/editscenarios.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"
#include "platform/qpainterdc.h"
#include "platform/qtstrings.h"
#include "print/shipcardjob.h"
#include "tests/support/contextmenu.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/endedprocess.h"
#include "tests/support/failingfilesystem.h"
#include "tests/support/modaldialog.h"
#include "tests/support/screenmetricsdc.h"
#include "tests/support/scriptedanswers.h"

namespace {

// The main window with scripted answers: every question and refusal is
// recorded, and answered from a queue (Yes when it runs dry).
class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        SetFileChoiceHook([this](const FileChoice& choice) {
            choices.push_back(choice);
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
    std::string Local(const char* name) const { return Path(name).toStdString(); }
    QString WriteCampaign(const char* name, int ships = 30) const {
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
    std::vector<FileChoice> choices;
    QString proposed;  // by the last file dialog
};

// The menus hold their items in order. Every command has its keys, prompt
// and state; the editors and the view say what they do, the tool bar's
// buttons have pictures, and Cut and Copy differ.
TEST_F(Shell, MenusAndCommandsHaveTheirItemsKeysPromptsStatesHelpAndPictures) {
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
    EXPECT_EQ(Menu("&Tools")->actions().size(), 10);
    EXPECT_EQ(Menu("&Tools")->actions().at(0)->text(), "Check Ca&mpaign");
    EXPECT_EQ(Menu("&Tools")->actions().at(6)->text(), "&Import Ships from CSV...");
    EXPECT_EQ(Menu("&Tools")->actions().at(8)->text(), "C&ompare Forces...");
    EXPECT_EQ(Menu("&Tools")->actions().back()->text(), "&Play Scenario...");
    EXPECT_EQ(items("&Help"),
              (QStringList{"&Help Topics", "Open &Sample Campaign", "&About Brinnow..."}));

    for (const auto& [id, keys] : {std::pair{ID_FILE_NEW, "Ctrl+N"},
                                   {ID_FILE_OPEN, "Ctrl+O"},
                                   {ID_FILE_SAVE, "Ctrl+S"},
                                   {ID_FILE_PRINT, "Ctrl+P"},
                                   {ID_APP_EXIT, "Ctrl+Q"},
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
    for (int id :
         {ID_FILE_NEW, ID_FILE_PRINT, ID_TOOLS_PRINT_BLANK_FORM, ID_TOOLS_EXPORT_TEXT, ID_APP_ABOUT,
          ID_VIEW_STATUS_BAR, ID_EDIT_SQUADRONS, ID_EDIT_SCENARIOS, ID_TOOLS_PRINT_SELECTED}) {
        EXPECT_TRUE(frame->Action(id)->isEnabled()) << id;
    }
    for (int id : {ID_EDIT_NATIONS, ID_EDIT_ARMAMENTS, ID_EDIT_SHIPS, ID_EDIT_SQUADRONS,
                   ID_EDIT_SCENARIOS}) {
        EXPECT_FALSE(frame->Action(id)->whatsThis().isEmpty()) << id;
    }
    EXPECT_FALSE(frame->View().whatsThis().isEmpty());
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_COPY,
                   ID_EDIT_PASTE, ID_FILE_PRINT, ID_APP_ABOUT, ID_CONTEXT_HELP}) {
        const QIcon icon = frame->Action(id)->icon();
        EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << id;
        EXPECT_FALSE(icon.pixmap(32, 32).isNull()) << id;
    }
    EXPECT_NE(frame->Action(ID_EDIT_CUT)->icon().pixmap(16).toImage(),
              frame->Action(ID_EDIT_COPY)->icon().pixmap(16).toImage());

    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Brinnow");
    // The status bar starts shown; its command hides it and shows it again.
    QAction* toggle = frame->Action(ID_VIEW_STATUS_BAR);
    frame->show();
    for (const bool shown : {false, true}) {
        toggle->trigger();
        EXPECT_EQ(toggle->isChecked(), shown);
        EXPECT_EQ(frame->statusBar()->isVisible(), shown);
    }
}

// New and closing ask to save a changed campaign: Cancel keeps it, Yes saves
// it first unless Save As is cancelled, No throws the changes away.
TEST_F(Shell, NewAndCloseAskToSaveAChangedCampaignFirst) {
    EXPECT_FALSE(frame->Document().IsModified());
    frame->Document().m_ships.resize(3);
    Notice();
    answers = {IDCANCEL};
    EXPECT_FALSE(frame->OnFileNew());
    EXPECT_EQ(messages, std::vector<std::string>{"Save changes to Untitled?"});
    answers = {IDYES};  // and the user cancels the file dialog
    EXPECT_FALSE(frame->OnFileNew());
    EXPECT_EQ(frame->Document().m_ships.size(), 3u);
    answers = {IDCANCEL};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->Document().IsModified());

    chosenFile = Path("kept.brn");
    answers = {IDYES};
    EXPECT_TRUE(frame->OnFileNew());
    CBrinnowDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(chosenFile.toStdString()));
    EXPECT_EQ(saved.m_ships.size(), 3u);
    EXPECT_TRUE(frame->Document().m_ships.empty());

    Notice();
    answers = {IDNO};
    EXPECT_TRUE(frame->OnFileNew());
    EXPECT_FALSE(frame->Document().IsModified());
    Notice();
    answers = {IDNO};
    EXPECT_TRUE(frame->close());
}

TEST_F(Shell, OpenTheRecentFileListANameFromTheCommandLineAndTheSample) {
    for (const char* name : {"a.brn", "b.brn", "c.brn", "d.brn", "e.brn"}) {
        ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign(name)));
    }
    EXPECT_EQ(frame->RecentFiles(),
              (QStringList{Path("e.brn"), Path("d.brn"), Path("c.brn"), Path("b.brn")}));
    EXPECT_EQ(frame->windowTitle(), "e.brn[*] - Brinnow");
    ASSERT_TRUE(frame->OpenDocumentFile(Path("c.brn")));
    EXPECT_EQ(frame->RecentFiles(),
              (QStringList{Path("c.brn"), Path("e.brn"), Path("d.brn"), Path("b.brn")}));
    QStringList listed;
    for (const QAction* action : Menu("&File")->actions()) {
        if (action->text().endsWith(".brn")) listed << action->text();
    }
    EXPECT_EQ(listed, (QStringList{"&1 " + Path("c.brn"), "&2 " + Path("e.brn"),
                                   "&3 " + Path("d.brn"), "&4 " + Path("b.brn")}));

    // A new window reads the list back from the settings.
    CMainFrame second;
    EXPECT_EQ(second.RecentFiles(), frame->RecentFiles());

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

TEST_F(Shell, AFailedOpenOrSaveSaysWhyAndKeepsTheOpenCampaignAndTrailingBytesWarn) {
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
    // A failed save keeps the old file and the modified flag.
    chosenFile = Path("no/such/folder/x.brn");
    EXPECT_FALSE(frame->OnFileSaveAs());
    EXPECT_NE(messages.back().find("no/such/folder/x.brn"), std::string::npos);
    EXPECT_TRUE(frame->Document().IsModified());
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
    EXPECT_TRUE(frame->isWindowModified());

    // Bytes after the last list are read past with a warning.
    WriteFileSafely(Path("long.brn").toStdString(), whole + "xyz", error);
    answers = {IDNO};
    EXPECT_TRUE(frame->OpenDocumentFile(Path("long.brn")));
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_NE(messages[4].find("long.brn\" holds 3 bytes after its last scenario"),
              std::string::npos);
    EXPECT_EQ(frame->Document().m_ships.size(), 30u);
    // A Save As that succeeds names the new file in the title.
    chosenFile = Path("renamed.brn");
    EXPECT_TRUE(frame->OnFileSaveAs());
    EXPECT_EQ(frame->windowTitle(), "renamed.brn[*] - Brinnow");
}

TEST(Program, TakesItsMenuEntryAndIconsAnswersWithoutADisplayAndShowsItsVersion) {
    UseDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.brinnow.Brinnow");
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;

    // It answers --help and --version without a display.
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

    // The About box has sharp pictures and the build's version.
    for (const qreal ratio : {1.0, 2.0}) {
        const QPixmap ship = AboutDialog::ShipPicture(ratio);
        EXPECT_EQ(ship.size(), QSize(160, 72) * ratio);
        EXPECT_EQ(ship.deviceIndependentSize(), QSizeF(160, 72));
        EXPECT_EQ(AboutDialog::CompassPicture(ratio).size(), QSize(72, 72) * ratio);
    }
    AboutDialog about;
    const QString text = about.findChild<QLabel*>("aboutText")->text();
    EXPECT_TRUE(text.contains("Version " BRINNOW_VERSION));
    EXPECT_FALSE(text.contains("squadron"));
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
// The PDF carries the job's name as its title.
TEST_F(Shell, PrintingToAPdfProposesTheJobsNameBesideTheDocumentAndTitlesIt) {
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

    // The PDF carries the print job's name as its title.
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

// An empty campaign shows how to begin, and has nothing to print. The view
// scrolls by whole ships, and its keys go to the first and last; print jobs
// are named after the campaign.
TEST_F(Shell, AnEmptyCampaignShowsHowToBeginAndTheViewScrollsByWholeShips) {
    frame->resize(900, 600);
    frame->show();
    QApplication::processEvents();
    EXPECT_TRUE(frame->View().EmptyHint().contains("Edit > Ships"));
    const QImage shot = frame->View().viewport()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) dark += qGray(shot.pixel(x, y)) < 160;
    }
    EXPECT_GT(dark, 50);
    frame->View().FilePrint();
    EXPECT_EQ(messages, std::vector<std::string>{"The document has no ships to print."});
    EXPECT_EQ(frame->View().PrintJobName(), "Untitled");

    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("north sea.brn", 40)));
    EXPECT_TRUE(frame->View().EmptyHint().isEmpty());
    EXPECT_EQ(frame->View().PrintJobName(), "north sea");
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
    for (const auto& [key, modifier, top] : {std::tuple{Qt::Key_Home, Qt::NoModifier, 0},
                                             {Qt::Key_End, Qt::ControlModifier, 39},
                                             {Qt::Key_Home, Qt::ControlModifier, 0},
                                             {Qt::Key_End, Qt::NoModifier, 39}}) {
        QTest::keyClick(&view, key, modifier);
        EXPECT_EQ(view.TopShip(), top) << key << " " << modifier;
    }

    // With few ships that fit, the bar goes away.
    frame->Document().m_ships.resize(1);
    view.OnUpdate();
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view.TopShip(), 0);
}

// Zoom is clamped and remembered at once; the placement when the window
// closes. A first start takes about two thirds of the screen.
TEST_F(Shell, ZoomIsClampedAndZoomAndPlacementAreRemembered) {
    const QRect available = frame->screen()->availableGeometry();
    EXPECT_NEAR(frame->width(), available.width() * 2 / 3, 2);
    EXPECT_NEAR(frame->height(), available.height() * 2 / 3, 2);
    CBrinnowView& view = frame->View();
    view.SetZoom(2.0);
    frame->Action(ID_VIEW_ZOOM_IN)->trigger();
    EXPECT_DOUBLE_EQ(view.Zoom(), 2.5);
    for (int i = 0; i < 20; ++i) view.ZoomOut();
    EXPECT_DOUBLE_EQ(view.Zoom(), view.ActualSizeZoom());  // nothing smaller is offered
    for (int i = 0; i < 20; ++i) view.ZoomIn();
    EXPECT_DOUBLE_EQ(view.Zoom(), CBrinnowView::kMaxZoom);
    view.SetZoom(3.0);
    CMainFrame second;
    EXPECT_DOUBLE_EQ(second.View().Zoom(), 3.0);
    frame->setGeometry(100, 100, 500, 400);
    frame->show();
    QApplication::processEvents();
    ASSERT_TRUE(frame->close());
    CMainFrame third;
    EXPECT_EQ(third.geometry(), QRect(100, 100, 500, 400));
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

// Acts on the import's preview once it is open: the reading before it lets
// the window's events through, so a first look may still find none.
void OnCsvPreview(const std::function<void(CsvImportPreview&)>& act) {
    QTimer::singleShot(10, [act] {
        if (auto* preview = qobject_cast<CsvImportPreview*>(QApplication::activeModalWidget())) {
            act(*preview);
        } else {
            OnCsvPreview(act);
        }
    });
}

// Tools > Import Ships from CSV shows what would change first; Import makes
// it one step of the history, which Undo takes back byte for byte; the file
// on disk waits for Save. Cancel, a refused file and an unreadable one
// change nothing.
TEST_F(Shell, ImportShipsFromCsvPreviewsAndAppliesOneUndoableStep) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 5)));
    const std::string original = frame->Document().SaveToBytes();
    const CString name = frame->Document().m_ships[1].m_strName;
    std::string error;
    ASSERT_TRUE(
        WriteFileSafely(Local("ships.csv"), "Name,DF\n" + name + ",29.5\nFresh,2\n", error));
    ASSERT_TRUE(WriteFileSafely(Local("bad.csv"), "Name,DF\nFresh,2\nWorse,x\n", error));
    const auto preview = [](QStringList& shown, bool import) {
        OnCsvPreview([&shown, import](CsvImportPreview& dialog) {
            QTreeWidget* list = dialog.List();
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QTreeWidgetItem* group = list->topLevelItem(i);
                // Groups with ships open, except Unchanged.
                shown << (group->isExpanded() ? "v " : "> ") + group->text(0);
                for (int j = 0; j < group->childCount() && j < 3; ++j) {
                    shown << "  " + group->child(j)->text(0);
                    for (int k = 0; k < group->child(j)->childCount(); ++k) {
                        shown << "    " + group->child(j)->child(k)->text(0);
                    }
                }
            }
            shown << (dialog.ImportButton()->isEnabled() ? "Import" : "(no Import)");
            // Without the access key the dialog gives every label.
            shown.prepend(dialog.findChild<QLabel*>("summaryLabel")->text().remove('&'));
            QTest::mouseClick(
                import ? dialog.ImportButton() : dialog.findChild<QPushButton*>("cancelButton"),
                Qt::LeftButton);
        });
    };
    QStringList shown;
    chosenFile = Path("ships.csv");
    preview(shown, false);
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    const std::string df =
        BrinnowDialog::NumberText(frame->Document().m_ships[1].m_dDF).toStdString();
    EXPECT_EQ(shown.join("\n").toStdString(),
              "ships.csv: 1 ship added, 1 changed, 0 unchanged, 4 not in the file.\nv Added (1)\n  "
              "Fresh  (row 3)\nv Changed (1)\n  " +
                  name + "  (row 2)\n    DF: " + df + " \u2192 29.5\n> Unchanged (0)\nImport");
    EXPECT_EQ(frame->Document().SaveToBytes(), original);
    EXPECT_EQ(frame->History().Stack().count(), 0);

    shown.clear();
    preview(shown, true);
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    ASSERT_EQ(frame->Document().m_ships.size(), 6u);
    EXPECT_EQ(frame->Document().m_ships[1].m_dDF, 29.5);
    EXPECT_EQ(frame->Document().m_ships.back().m_strName, "Fresh");
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_EQ(Bytes("fleet.brn"), original);
    EXPECT_EQ(frame->Action(ID_EDIT_UNDO)->text(), "&Undo Import Ships from CSV");
    const std::string imported = frame->Document().SaveToBytes();
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), original);
    EXPECT_FALSE(frame->isWindowModified());
    frame->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), imported);
    EXPECT_EQ(frame->History().Stack().count(), 1);

    shown.clear();
    chosenFile = Path("bad.csv");
    preview(shown, false);
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    EXPECT_EQ(shown,
              (QStringList{"bad.csv cannot be imported, and nothing will change:", "v Refused (1)",
                           "  row 3, DF: expected a number, found x", "(no Import)"}));
    chosenFile = Path("missing.csv");
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("missing.csv"), std::string::npos) << messages[0];
    EXPECT_EQ(frame->Document().SaveToBytes(), imported);
    EXPECT_EQ(frame->History().Stack().count(), 1);
}

// A file with more refusals than the preview lists shows the first hundred,
// in row order, then says how many it left out.
TEST_F(Shell, ImportShipsFromCsvListsAHundredRefusalsThenCountsTheRest) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 2)));
    const std::string original = frame->Document().SaveToBytes();
    std::string csv = "Name,DF\n", error;
    for (int i = 1; i <= 103; ++i) csv += "Ship" + std::to_string(i) + ",x\n";
    ASSERT_TRUE(WriteFileSafely(Local("many.csv"), csv, error));
    QStringList refused;
    bool canImport = true;
    OnCsvPreview([&refused, &canImport](CsvImportPreview& dialog) {
        QTreeWidgetItem* group = dialog.List()->topLevelItem(0);
        refused << group->text(0);
        for (int j = 0; j < group->childCount(); ++j) refused << group->child(j)->text(0);
        canImport = dialog.ImportButton()->isEnabled();
        QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    chosenFile = Path("many.csv");
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    ASSERT_EQ(refused.size(), 1 + 100 + 1);
    EXPECT_EQ(refused.front(), "Refused (103)");
    EXPECT_EQ(refused[1], "row 2, DF: expected a number, found x");
    EXPECT_EQ(refused[100], "row 101, DF: expected a number, found x");
    EXPECT_EQ(refused.back(), "and 3 more");
    EXPECT_FALSE(canImport);
    EXPECT_EQ(frame->Document().SaveToBytes(), original);
}

TEST_F(Shell, CampaignJsonGoesOutAndComesBackAsANewUnsavedDocument) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 7)));
    const std::string original = frame->Document().SaveToBytes();
    // An unreadable file says where and changes nothing.
    std::string error;
    WriteFileSafely(Path("bad.json").toStdString(), "{\n  \"format\": 12\n}", error);
    chosenFile = Path("bad.json");
    EXPECT_FALSE(frame->OnFileImportJson());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("at line 2, column 13 ($.format)"), std::string::npos)
        << messages[0];
    EXPECT_TRUE(frame->Document().SaveToBytes() == original);
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");

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

// Open and Save As offer campaigns; Save As proposes a folder that exists,
// then the campaign's own file, then the folder last used. The caption's
// unsaved marker comes with a change and goes with a save.
TEST_F(Shell, OpenAndSaveAsOfferCampaignsInFoldersThatExistAndAddTheirExtension) {
    const OwnHome home;
    frame->show();
    Notice();
    EXPECT_TRUE(frame->isWindowModified());
    chosenFile = Path("plain");
    ASSERT_TRUE(frame->OnFileSave());
    EXPECT_EQ(proposed, home.Path("Untitled.brn"));
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->windowTitle(), "plain.brn[*] - Brinnow");
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].filter, "Brinnow campaigns (*.brn);;All files (*)");
    EXPECT_TRUE(QFileInfo::exists(Path("plain.brn")));
    EXPECT_FALSE(QFileInfo::exists(Path("plain")));

    // A name with an extension of its own keeps it.
    chosenFile = Path("fleet.dat");
    ASSERT_TRUE(frame->OnFileSaveAs());
    EXPECT_EQ(proposed, Path("plain.brn"));
    EXPECT_TRUE(QFileInfo::exists(Path("fleet.dat")));

    chosenFile.clear();
    ASSERT_TRUE(frame->OnFileNew());
    frame->OnFileSaveAs();
    EXPECT_EQ(proposed, Path("Untitled.brn"));
    EXPECT_FALSE(frame->OnFileOpen());
    EXPECT_EQ(choices[3].filter, choices[0].filter);
    EXPECT_TRUE(choices[3].defaultSuffix.isEmpty());
}

// Counts the mouse presses that reach a widget.
class PressCounter : public QObject {
  public:
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) ++presses;
        return false;
    }
};

TEST_F(Shell, TheManualStaysUsableWhileADialogIsOpen) {
    frame->show();
    HelpWindow* help = HelpWindow::Instance();
    PressCounter counter;
    help->viewport()->installEventFilter(&counter);
    bool helpShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog, Qt::Key_F1);
        QApplication::processEvents();
        helpShown = help->isVisible();
        // A click through the window system, which drops what a modal
        // dialog blocks.
        const QPoint inside = help->viewport()->mapTo(help->window(), QPoint(20, 20));
        QTest::mouseClick(help->window()->windowHandle(), Qt::LeftButton, {}, inside);
        QApplication::processEvents();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    frame->Action(ID_EDIT_NATIONS)->trigger();
    EXPECT_TRUE(helpShown);
    EXPECT_EQ(counter.presses, 1);
    // The dialog has gone; the manual is still open, on its own.
    QApplication::processEvents();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), nullptr);
    help->close();
}

// Tools > Check Campaign, driven with the mouse and keys.

VxShip Ship(const char* name, int nation) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nNation = nation;
    ship.m_dMainAF[0] = 2;
    return ship;
}

// A campaign with a squadron that names a missing ship and a force whose
// copy of a ship was taken before a refit, open in the main window with
// the check showing.
class CheckWindow : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        CBrinnowDoc doc;
        doc.m_ships = {Ship("Lion", 1), Ship("Tiger", 1)};
        VxSquadron squadron;
        squadron.m_strName = "1st BCS";
        squadron.m_nNation = 1;
        squadron.m_strFlagship = "Lion";
        squadron.m_shipNames = {"Tiger", "Hood"};
        VxSquadron scouts = squadron;
        scouts.m_strName = "Scouts";
        scouts.m_shipNames = {"Tiger"};
        doc.m_squadrons = {scouts, squadron};
        VxForce force;
        force.m_strName = "Battlecruiser Force";
        force.m_squadrons = {scouts};
        force.m_ships = {Ship("Lion", 1)};
        VxScenario scenario;
        scenario.m_strName = "Dogger Bank";
        scenario.m_forces = {force, force};
        doc.m_scenarios = {scenario};
        doc.m_ships.Modify(0).m_dDF = 9.5;  // a refit since the copies were taken
        ASSERT_TRUE(doc.OnSaveDocument(Local("fleet.brn")));
        ASSERT_TRUE(frame->OpenDocumentFile(Path("fleet.brn")));
        frame->Action(ID_TOOLS_CHECK_CAMPAIGN)->trigger();
        window = frame->findChild<CampaignCheckWindow*>();
        ASSERT_NE(window, nullptr);
        list = window->findChild<QTreeView*>("findingList");
    }
    std::vector<std::string> Problems() {
        QApplication::processEvents();  // the check after an edit waits for the events at hand
        std::vector<std::string> problems;
        for (const Finding& finding : window->Findings()) problems.push_back(finding.problem);
        return problems;
    }
    QString Summary() { return window->findChild<QLabel*>("summaryLabel")->text(); }
    QPushButton* Button(const char* name) { return window->findChild<QPushButton*>(name); }
    // Selects the finding with a click on its row.
    QRect Row(int row) {
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        return list->visualRect(index);
    }
    void ClickRow(int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Row(row).center());
    }
    // Acts on the modal editor once it is open, then closes it.
    template <class Dialog>
    static void OnEditor(std::function<void(Dialog&)> act) {
        OnModalDialog<Dialog>([act](Dialog& dialog) {
            act(dialog);
            dialog.reject();
        });
    }

    CampaignCheckWindow* window = nullptr;
    QTreeView* list = nullptr;
};

const char* const kStale = "ship \"Lion\" differs from the campaign's: DF";

TEST_F(CheckWindow, ListsTheFindingsAndChecksAgainAfterEveryEdit) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), "Check Campaign");
    EXPECT_EQ(Problems(),
              (std::vector<std::string>{"member \"Hood\" names no ship", kStale, kStale}));
    EXPECT_EQ(Summary(), "3 findings");
    QAbstractItemModelTester tester(list->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QAbstractItemModel& model = *list->model();
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Missing ship");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Squadron: 1st BCS");
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Problem");
    EXPECT_FALSE(model.headerData(3, Qt::Horizontal).isValid());
    EXPECT_FALSE(model.headerData(2, Qt::Horizontal, Qt::DecorationRole).isValid());
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);

    // Tiger becomes Hood in Edit Ships; the squadrons keep "Tiger" (No).
    scripted.answers = {IDNO};
    OnEditor<CEditShipsDlg>([](CEditShipsDlg& ships) {
        ships.OnLast();
        ships.findChild<QLineEdit*>("nameEdit")->setText("Hood");
        ships.OnClose();
    });
    frame->Action(ID_EDIT_SHIPS)->trigger();
    EXPECT_EQ(Problems(), (std::vector<std::string>{
                              "member \"Tiger\" names no ship", "member \"Tiger\" names no ship",
                              "squadron \"Scouts\": member \"Tiger\" names no ship", kStale,
                              "squadron \"Scouts\": member \"Tiger\" names no ship", kStale}));
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(Problems().size(), 3u);

    // Hidden, it does no work; shown again, it is up to date.
    QTest::mouseClick(Button("closeButton"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    frame->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(Problems().size(), 3u);
    frame->Action(ID_TOOLS_CHECK_CAMPAIGN)->trigger();
    EXPECT_EQ(Problems().size(), 6u);
    EXPECT_EQ(Summary(), "6 findings");

    // A clean campaign says so; F1 opens the check's section.
    scripted.answers = {IDNO};
    ASSERT_TRUE(frame->OnFileNew());
    EXPECT_TRUE(Problems().empty());
    EXPECT_EQ(Summary(), "No findings.");
    EXPECT_FALSE(Button("openButton")->isEnabled());
    HelpWindow::Instance()->ShowContext(HelpContext::kIndex);
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::Instance()->source().fragment(), "context-131");
    HelpWindow::Instance()->hide();
}

TEST_F(CheckWindow, DoubleClickOrEnterOpensTheEditorAtTheRecord) {
    int shown = -1;
    OnEditor<CEditSquadronsDlg>([&](CEditSquadronsDlg& squadrons) { shown = squadrons.Current(); });
    ClickRow(0);  // a double-click begins with a click
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, Row(0).center());
    EXPECT_EQ(shown, 1);  // 1st BCS, after Scouts

    ClickRow(2);
    int force = -1;
    OnEditor<CEditScenariosDlg>([&](CEditScenariosDlg& scenarios) {
        shown = scenarios.Current();
        force = scenarios.CurrentForce();
    });
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(force, 1);
    ClickRow(1);  // the first force's copy
    OnEditor<CEditScenariosDlg>(
        [&](CEditScenariosDlg& scenarios) { force = scenarios.CurrentForce(); });
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(force, 0);

    frame->Document().m_ships.push_back(Ship("Tiger", 2));
    window->CheckNow();
    ASSERT_EQ(Problems().front(),
              "same name as ship 2 (Great Britain), which lookups by name find first");
    ClickRow(0);
    OnEditor<CEditShipsDlg>([&](CEditShipsDlg& ships) { shown = ships.Current(); });
    QTest::mouseClick(Button("openButton"), Qt::LeftButton);
    EXPECT_EQ(shown, 2);
}

TEST_F(CheckWindow, RefreshFromCampaignShowsWhatChangesCountsWhatItLeavesOutAndIsOneStep) {
    ClickRow(0);
    EXPECT_FALSE(Button("refreshButton")->isEnabled());
    ClickRow(2);
    ASSERT_TRUE(Button("refreshButton")->isEnabled());
    const std::string before = frame->Document().SaveToBytes();
    scripted.answers = {IDNO};
    QTest::mouseClick(Button("refreshButton"), Qt::LeftButton);
    EXPECT_EQ(scripted.messages.back(),
              "Refresh 1 ship copy of Dogger Bank, Force 2 (Battlecruiser Force) from the "
              "campaign's ships?\n\nLion: DF");
    EXPECT_EQ(frame->Document().SaveToBytes(), before);

    QTest::mouseClick(Button("refreshButton"), Qt::LeftButton);
    EXPECT_EQ(Problems(), (std::vector<std::string>{"member \"Hood\" names no ship", kStale}));
    const CBrinnowDoc& doc = frame->Document();
    EXPECT_FALSE(doc.m_scenarios[0].m_forces[1].m_ships[0].IsDifferent(doc.m_ships[0]));
    EXPECT_TRUE(doc.m_scenarios[0].m_forces[0].m_ships[0].IsDifferent(doc.m_ships[0]));
    EXPECT_EQ(frame->History().Stack().count(), 1);
    EXPECT_EQ(frame->Action(ID_EDIT_UNDO)->text(), "&Undo Refresh from campaign");
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), before);

    // The question lists ten copies and counts the rest.
    for (const std::size_t copies : {10, 11}) {
        auto& ships = frame->Document().m_scenarios.Modify(0).m_forces[1].m_ships;
        ships.assign(copies, Ship("Lion", 1));
        window->CheckNow();
        ClickRow(int(Problems().size()) - 1);
        scripted.answers = {IDNO};
        QTest::mouseClick(Button("refreshButton"), Qt::LeftButton);
        const std::string question = scripted.messages.back();
        int listed = 0;
        for (std::size_t at = 0; (at = question.find("\nLion: DF", at)) != std::string::npos; ++at)
            ++listed;
        EXPECT_EQ(listed, 10) << copies;
        EXPECT_EQ(question.find("more") != std::string::npos, copies == 11) << copies;
    }
    EXPECT_EQ(scripted.messages.back().substr(scripted.messages.back().rfind('\n')),
              "\nand 1 more");
}

TEST_F(CheckWindow, ChooseShipNamesTheChosenShipWhereverTheMissingNameStandsAsOneStep) {
    // Tiger renamed, its squadrons and the forces' copies left behind.
    CBrinnowDoc& doc = frame->Document();
    doc.m_ships.Modify(1).m_strName = "Tiger (1915)";
    doc.m_scenarios.Modify(0).m_forces[0].m_ships.push_back(Ship("Tiger", 1));
    window->CheckNow();
    const std::string tiger = "member \"Tiger\" names no ship";
    const std::string copy = "squadron \"Scouts\": " + tiger;
    const std::string hood = "member \"Hood\" names no ship";
    ASSERT_EQ(Problems(),
              (std::vector<std::string>{tiger, tiger, hood, copy, kStale, copy, kStale}));
    ClickRow(4);
    EXPECT_FALSE(Button("chooseShipButton")->isEnabled());
    ClickRow(3);
    ASSERT_TRUE(Button("chooseShipButton")->isEnabled());
    const std::string before = doc.SaveToBytes();

    // The renamed ship comes first and is chosen; Escape changes nothing.
    QStringList offered;
    OnModalDialog<ChooseShipDialog>([&](ChooseShipDialog& dialog) {
        auto* ships = dialog.findChild<QListWidget*>("shipList");
        for (int i = 0; i < ships->count(); ++i) offered << ships->item(i)->text();
        EXPECT_EQ(ships->currentRow(), 0);
        QTest::keyClick(ships, Qt::Key_Escape);
    });
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{"Tiger (1915)", "Lion"}));
    EXPECT_EQ(doc.SaveToBytes(), before);

    // Enter takes it: every place renamed, the forces' copies too.
    OnModalDialog<ChooseShipDialog>([](ChooseShipDialog& dialog) {
        QTest::keyClick(dialog.findChild<QListWidget*>("shipList"), Qt::Key_Return);
    });
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(Problems(), (std::vector<std::string>{hood, kStale, kStale}));
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames, (CStringArray{"Tiger (1915)"}));
    EXPECT_EQ(doc.m_squadrons[1].m_shipNames, (CStringArray{"Tiger (1915)", "Hood"}));
    for (const VxForce& force : doc.m_scenarios[0].m_forces)
        EXPECT_EQ(force.m_squadrons[0].m_shipNames, (CStringArray{"Tiger (1915)"}));
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships[1].m_strName, "Tiger (1915)");
    const std::string after = doc.SaveToBytes();
    EXPECT_EQ(frame->History().Stack().count(), 1);
    EXPECT_EQ(frame->Action(ID_EDIT_UNDO)->text(), "&Undo Choose Ship");
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), before);
    EXPECT_EQ(Problems().size(), 7u);
    frame->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), after);

    // A double click takes the line clicked.
    ASSERT_EQ(Problems().front(), hood);
    ClickRow(0);
    OnModalDialog<ChooseShipDialog>([](ChooseShipDialog& dialog) {
        auto* ships = dialog.findChild<QListWidget*>("shipList");
        ASSERT_EQ(ships->item(0)->text(), "Lion");  // three letters from Hood
        const QPoint line = ships->visualItemRect(ships->item(1)).center();
        QTest::mouseClick(ships->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(ships->viewport(), Qt::LeftButton, {}, line);
    });
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(frame->Document().m_squadrons[1].m_shipNames,
              (CStringArray{"Tiger (1915)", "Tiger (1915)"}));
    EXPECT_EQ(Problems(), (std::vector<std::string>{kStale, kStale}));

    // A campaign without ships has none to offer, and says so.
    frame->History().Run("Edit Ships", [&] { frame->Document().m_ships.clear(); });
    ASSERT_EQ(Problems().front(), "flagship \"Lion\" names no ship");
    ClickRow(0);
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(scripted.messages.back(), "The campaign has no ship for \"Lion\" to name.");
}

// What the window does so that no work is lost.

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
    scripted.answers = {IDNO};  // do not save: a clean exit drops the work
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(WindowSafety, WorkLeftByAnEndedWindowIsOfferedBackAsModified) {
    const QString path = WriteCampaign("fleet.brn", 4);
    const std::string saved = Bytes("fleet.brn");
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    Edit("Recovered");
    Crash();
    ASSERT_EQ(Copies().size(), 1);

    // Keep for Later asks again next time; the file itself is untouched.
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
    scripted.choices = {2};
    EXPECT_TRUE(frame->OnFileSave());
    EXPECT_TRUE(Copies().isEmpty());

    Edit("Thrown away");
    Crash();
    scripted.choices = {2};
    EXPECT_FALSE(frame->OfferRecovery());
    EXPECT_TRUE(Copies().isEmpty());

    // A copy whose header ends before its blank line is not offered.
    ASSERT_TRUE(frame->OpenDocumentFile(path));
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
    EXPECT_EQ(messages[0],
              "Brinnow cannot tell whether another window has this campaign open: "
              "no lock file can be made beside \"" +
                  Local("fleet.brn") +
                  "\". Saving in two windows would overwrite the changes made in the "
                  "other.");
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    EXPECT_EQ(messages.size(), 1u);

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("fleet.brn"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.size() == 2; }, 5000));
    EXPECT_TRUE(SeenMessage("\"" + Local("fleet.brn") +
                            "\" was replaced by a folder or another thing that is not a file."));
}

// The window's progress dialog, cancelled as a user cancels it.

// Clicks Cancel of the first progress dialog that shows, keeping what it said.
class CancelWhenShown {
  public:
    CancelWhenShown() {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { PressCancel(); });
        m_poll.start();
    }
    QString label;
    QString bar;  // what the bar shows, in the label's words

  private:
    void PressCancel() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QProgressDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            label = dialog->labelText();
            bar = QString("Printing page %1 of %2").arg(dialog->value()).arg(dialog->maximum());
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            m_poll.stop();
        }
    }
    QTimer m_poll;
};

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
    const CancelWhenShown user;
    RunOnPrinter(nullptr, "Printing Cards", printer, [&doc](CDC& dc, Progress& progress) {
        ShipCardJob(doc).Print(dc, "Cards", progress);
    });

    EXPECT_TRUE(QRegularExpression("^Printing page \\d+ of \\d+$").match(user.label).hasMatch())
        << user.label.toStdString();
    EXPECT_EQ(user.bar, user.label);
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

// The main window's cards as a desktop user sees and handles them: drawn in
// device pixels, their lines thin and their figures clear of the rules at
// every zoom; found by typing, filtered, carried between two windows on the
// clipboard; and placement through a window manager.

// The cards at the screen's device pixel ratio: under QT_SCALE_FACTOR=2 the
// same card twice as sharp, its lines one device pixel wide.
class OnScreenCards : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        GenerateDocument(frame->Document(), {3, 2, 1, 1, 2, 3});
        frame->View().OnUpdate();
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    // The first run of dark pixels along a row, from x0 rightwards.
    static std::pair<int, int> DarkRun(const QImage& image, int x0, int y) {
        int x = x0;
        while (x < image.width() && qGray(image.pixel(x, y)) > 128) ++x;
        const int left = x;
        while (x < image.width() && qGray(image.pixel(x, y)) <= 128) ++x;
        return {left, x - left};
    }
};

TEST_F(OnScreenCards, NightColoursTurnTheCardsDarkAndKeepTheHighlight) {
    CBrinnowView& view = frame->View();
    view.SetCurrentShip(0);
    const auto shade = [&view] {
        const QImage image = view.viewport()->grab().toImage();
        double light = 0;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) light += qGray(image.pixel(x, y));
        }
        return light / ((image.height() + 3) / 4 * ((image.width() + 3) / 4)) / 255;
    };
    const auto highlight = [&view] { return view.viewport()->grab().toImage().pixelColor(4, 10); };
    const QColor dayHighlight = highlight();
    EXPECT_GT(shade(), 0.8);
    NightColours::Instance().Set(true);
    QApplication::processEvents();
    EXPECT_LT(shade(), 0.2);
    EXPECT_EQ(highlight(), view.palette().color(QPalette::Highlight));
    NightColours::Instance().Set(false);
    QApplication::processEvents();
    EXPECT_GT(shade(), 0.8);
    EXPECT_EQ(highlight(), dayHighlight);
}

TEST_F(OnScreenCards, LinesAreOneDevicePixelActualSizeIsThePrintedSizeAndWideCardsScroll) {
    CBrinnowView& view = frame->View();
    view.SetZoom(2);
    view.SetCurrentShip(-1);  // no highlight over the lines measured
    const QPixmap shot = view.viewport()->grab();
    const QImage image = shot.toImage();
    const double dpr = shot.devicePixelRatio();
    const double p = view.ScreenScale() * dpr;
    // The card's size in logical pixels follows the desktop's text size,
    // whatever the ratio: 42 mm at the zoom over its dots per inch.
    EXPECT_NEAR(view.ScreenScale(), view.logicalDpiX() / 25.4 * 2, 1e-9);
    const int margin = int(p * 10);
    // The card frame's left edge, just below its top rule.
    const auto [left, thickness] = DarkRun(image, 0, int(p * 7) + int(p * 1));
    EXPECT_EQ(left, margin);
    EXPECT_EQ(thickness, 1);
    // Its right edge, 42 mm further.
    const auto [right, rightThickness] = DarkRun(image, margin + int(p * 40), int(p * 8));
    EXPECT_NEAR(right - margin, p * 42, 2);
    EXPECT_LE(rightThickness, 2);

    frame->Action(ID_VIEW_ZOOM_RESET)->trigger();
    // The card's 42 mm measure 42 mm of the screen's physical size.
    const double pixelsPerMm = view.screen()->physicalDotsPerInchX() / 25.4;
    EXPECT_NEAR(view.ScreenScale() * 42, pixelsPerMm * 42, 0.5);

    // Wide cards scroll sideways.
    view.SetZoom(2);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    view.SetZoom(CBrinnowView::kMaxZoom);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QScrollBar* bar = view.horizontalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    // At the far right the notes' column ends inside the window.
    bar->setValue(bar->maximum());
    const QImage wide = view.viewport()->grab().toImage();
    EXPECT_EQ(wide.pixelColor(wide.width() - 1, wide.height() / 2), QColor(Qt::white));
    view.SetZoom(2);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

// The scales, in device pixels per millimetre, of every zoom the view
// offers: in and out as far as it goes from its first zoom and from Actual
// Size.
std::set<double> OfferedScales(CBrinnowView& view) {
    std::set<double> scales;
    const double dpr = view.viewport()->devicePixelRatioF();
    for (const double start : {view.Zoom(), view.ActualSizeZoom()}) {
        for (void (CBrinnowView::*step)() : {&CBrinnowView::ZoomIn, &CBrinnowView::ZoomOut}) {
            view.SetZoom(start);
            double before;
            do {
                before = view.Zoom();
                scales.insert(view.ScreenScale() * dpr);
                (view.*step)();
            } while (view.Zoom() != before);
        }
    }
    return scales;
}

// Ships whose cards write the widest figures into their boxes: halves with
// torpedo counts of both kinds, two-digit factors, speeds and AA rating,
// wing turrets, flotillas, an aeroplane carrier, a merchant; every name as
// long as a name may be.
std::vector<VxShip> WidestFigures(CBrinnowDoc& doc) {
    VxArmament aircraft("Aircraft", 1, 1);
    aircraft.m_bGun = FALSE;
    const int planes = doc.InsertArmament(aircraft);
    VxShip big;
    big.m_strName = std::string(29, 'W');
    big.m_nShipType = 7;
    big.m_nMainArmament = 8;
    big.m_nSecondaryArmament = 1;
    big.m_dMainAF = {0.5, 1.5, 10, 12.5};
    big.m_dSecondaryAF = {0.5, 1.5, 10, 2.5};
    big.m_nTorpedo = 1;
    big.m_nTorpedoAF = {2, 1, 12, 0};
    big.m_bWingTurrets = TRUE;
    big.m_nAARating = 24;
    big.m_nTurnSpeed = {28, 24, 20, 16, 12};
    std::vector<VxShip> ships(7, big);
    ships[1].m_nTorpedo = 0;  // 18-inch: ringed
    ships[2].m_nTorpedoAF = {0, 0, 0, 0};
    for (VxShip* flotilla : {&ships[3], &ships[4]}) {
        flotilla->m_nShipType = 11;
        flotilla->m_bFlotilla = TRUE;
        flotilla->m_nTorpedoAF = {10, 12, 1, 0};
    }
    ships[4].m_nTorpedo = 0;
    ships[5].m_nShipType = 10;
    ships[5].m_nSecondaryArmament = planes;
    ships[5].m_dSecondaryAF = {12, 0, 0, 0};
    ships[6].m_nShipType = 1;
    ships[6].m_dMainAF = {1.5, 0, 10, 0.5};
    return ships;
}

// A card's rules: its horizontal and vertical lines and the edges of its
// rectangles, as segments with both ends drawn.
struct Rule {
    int x1, y1, x2, y2;
};

std::vector<Rule> RulesOf(const RecordingDC& dc) {
    std::vector<Rule> rules;
    for (const std::string& entry : dc.log) {
        std::istringstream in(entry);
        std::string kind;
        int a = 0, b = 0, c = 0, d = 0;
        in >> kind >> a >> b >> c >> d;
        if (kind == "Line" && (a == c || b == d)) {
            rules.push_back({std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)});
        } else if (kind == "Rectangle") {
            rules.insert(rules.end(), {{a, b, c - 1, b},
                                       {a, d - 1, c - 1, d - 1},
                                       {a, b, a, d - 1},
                                       {c - 1, b, c - 1, d - 1}});
        }
    }
    return rules;
}

// The first rule that runs through the text's box, as "x1 y1 x2 y2", or "".
std::string CrossedRule(const ScreenMetricsDC::PlacedText& text, const std::vector<Rule>& rules) {
    for (const Rule& r : rules) {
        if (std::max(text.left, r.x1) <= std::min(text.right - 1, r.x2) &&
            std::max(text.top, r.y1) <= std::min(text.bottom - 1, r.y2)) {
            std::ostringstream out;
            out << r.x1 << " " << r.y1 << " " << r.x2 << " " << r.y2;
            return out.str();
        }
    }
    return {};
}

struct DrawnCard {
    std::vector<ScreenMetricsDC::PlacedText> texts;
    std::vector<Rule> rules;
};

DrawnCard Draw(const VxShip& ship, const CArray<VxArmament>& armaments, double p, bool screen) {
    ScreenMetricsDC dc(screen);
    ship.DrawCard(dc, p, 0, 0, armaments, 0, 0);
    return {dc.texts, RulesOf(dc)};
}

// A figure clear of the rules on paper stays clear of them on the screen,
// whatever the zoom: none is drawn over a box's edge or cut by it. A half
// factor with a 21-inch count, "0.5 (2 )", runs over its half box even on
// paper; the screen keeps it in as well.
TEST_F(OnScreenCards, FiguresClearOfTheRulesOnPaperAreClearAtEveryZoom) {
    const std::set<double> scales = OfferedScales(frame->View());
    CBrinnowDoc doc;
    const std::vector<VxShip> ships = WidestFigures(doc);
    for (std::size_t n = 0; n < ships.size(); ++n) {
        const VxShip& ship = ships[n];
        const DrawnCard paper = Draw(ship, doc.m_armaments, 23, false);
        for (const double p : scales) {
            const DrawnCard screen = Draw(ship, doc.m_armaments, p, true);
            ASSERT_EQ(screen.texts.size(), paper.texts.size());
            for (std::size_t i = 0; i < paper.texts.size(); ++i) {
                const bool bracketed = paper.texts[i].text.find(" (") != std::string::npos;
                if (!bracketed && !CrossedRule(paper.texts[i], paper.rules).empty()) continue;
                EXPECT_EQ(CrossedRule(screen.texts[i], screen.rules), "")
                    << '"' << screen.texts[i].text << "\" of ship " << n << " at " << p << " px/mm";
            }
        }
    }
}

// Outlines given for a 600-dpi printer stay thin on a coarse screen, so a
// wing-turret frame does not swallow the figure beside it.
TEST(ScreenPens, ThickPrinterPensDrawThinOnAScreen) {
    const auto widthDrawn = [](double scale, int penWidth) {
        QImage image(40, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.SetPenScale(scale);
        dc.SelectObject(CPen{penWidth, RGB(0, 0, 0)});
        dc.MoveTo(20, 0);
        dc.LineTo(20, 10);
        painter.end();
        int dark = 0;
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, 5)) < 128;
        return dark;
    };
    EXPECT_EQ(widthDrawn(1.0, 5), 5);
    EXPECT_EQ(widthDrawn(3 / 23.6, 5), 1);
    EXPECT_EQ(widthDrawn(15 / 23.6, 5), 3);
    EXPECT_EQ(widthDrawn(3 / 23.6, 1), 1);
    // A screen finer than the printer never thickens them; nonsense is 1.
    EXPECT_EQ(widthDrawn(4.0, 5), 5);
    EXPECT_EQ(widthDrawn(std::nan(""), 5), 5);
}

// Placement through a real window manager; run by scripts/window-check.sh.
TEST(OnScreenPlacement, SizePositionAndMaximisedStateComeBack) {
    if (qEnvironmentVariableIsEmpty("BRINNOW_ON_SCREEN")) {
        GTEST_SKIP() << "needs a window manager: scripts/window-check.sh";
    }
    QSettings().clear();
    // Shows a window and gives the window manager time to place it.
    const auto shown = [](CMainFrame& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);
    };
    QRect placed;
    {
        CMainFrame first;
        first.setGeometry(100, 100, 900, 700);
        shown(first);
        placed = first.geometry();
        ASSERT_TRUE(first.close());
    }
    {
        CMainFrame second;
        shown(second);
        EXPECT_EQ(second.geometry(), placed);
        second.showMaximized();
        QTest::qWait(300);
        ASSERT_TRUE(second.close());
    }
    CMainFrame third;
    shown(third);
    EXPECT_TRUE(third.isMaximized());
}

// A shown window on 40 ships, a few of them named for finding.
class FindShip : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        CBrinnowDoc& doc = frame->Document();
        GenerateDocument(doc, {40, 2, 1, 1, 2, 9});
        for (std::size_t i = 0; i < doc.m_ships.size(); ++i) {
            VxShip& ship = doc.m_ships.Modify(i);
            ship.m_strName = "Ship";
            ship.m_strIdentifier.clear();
            ship.m_strNotes.clear();
            ship.m_nNation = 1;
            ship.m_nShipType = 6;
        }
        doc.m_ships.Modify(3).m_strName = "HMS Warspite";
        doc.m_ships.Modify(17).m_strIdentifier = "warspite-2";
        doc.m_ships.Modify(17).m_nNation = 2;
        doc.m_ships.Modify(30).m_strNotes = "Sister of\r\nWARSPITE";
        doc.m_ships.Modify(30).m_nShipType = 7;
        frame->resize(900, 600);
        frame->show();
        frame->View().OnUpdate();
        QApplication::processEvents();
    }
    CBrinnowView& View() { return frame->View(); }
    QLineEdit* Field() { return frame->findChild<QLineEdit*>("findText"); }
    QString Count() { return frame->findChild<QLabel*>("shownCount")->text(); }
    void Type(const char* text) {
        frame->Action(ID_EDIT_FIND)->trigger();
        QTest::keyClicks(Field(), text);
    }
    void Choose(const char* filter, int index) {
        auto* combo = frame->findChild<QComboBox*>(filter);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void Step(int command, int expected) {
        frame->Action(command)->trigger();
        EXPECT_EQ(View().CurrentShip(), expected);
    }
    // A point a little inside the given card, counted from the top one.
    int CardY(int shown) {
        int y = 0;
        for (int card = 0; card < shown; ++card) {
            const int ship = View().ShipAt({10, y});
            while (y < 10000 && View().ShipAt({10, y}) == ship) ++y;
        }
        return y + 5;
    }
};

TEST_F(FindShip, TypingFindsTheFirstMatchInAnyFieldAndAnyCase) {
    Type("wars");
    EXPECT_EQ(View().CurrentShip(), 3);
    QTest::keyClicks(Field(), "pite-");
    EXPECT_EQ(View().CurrentShip(), 17);  // only the identifier holds "warspite-"
    QTest::keyClicks(Field(), "x");
    EXPECT_EQ(View().CurrentShip(), 17);  // no match: the highlight stays
    EXPECT_FALSE(Field()->styleSheet().isEmpty());
    // The field's own clear button takes the mistake's colours away too.
    Field()->findChild<QToolButton*>()->click();
    EXPECT_TRUE(Field()->text().isEmpty());
    EXPECT_TRUE(Field()->styleSheet().isEmpty());
    QTest::keyClicks(Field(), "sister");
    EXPECT_EQ(View().CurrentShip(), 30);
    EXPECT_EQ(Field()->placeholderText(), "Name, identifier or notes");

    // Ctrl+F puts the caret in the field with what it held selected, so that
    // typing replaces it.
    frame->View().setFocus();
    Type("warsp");
    EXPECT_EQ(frame->focusWidget(), Field());
    EXPECT_EQ(Field()->text(), "warsp");
    // A window whose listing was never updated offers every nation too.
    CMainFrame fresh;
    EXPECT_EQ(fresh.findChild<QComboBox*>("nationFilter")->itemText(0), "All nations");
}

TEST_F(FindShip, F3AndShiftF3StepAndWrapAndFiltersNarrowTheListing) {
    Type("WARSPITE");  // from ship 3
    Step(ID_EDIT_REPEAT, 17);
    Step(ID_EDIT_REPEAT, 30);
    Step(ID_EDIT_REPEAT, 3);
    Step(ID_EDIT_FIND_PREVIOUS, 30);
    Step(ID_EDIT_FIND_PREVIOUS, 17);
    EXPECT_EQ(frame->Action(ID_EDIT_REPEAT)->shortcut(), QKeySequence("F3"));
    EXPECT_EQ(frame->Action(ID_EDIT_FIND_PREVIOUS)->shortcut(), QKeySequence("Shift+F3"));
    EXPECT_EQ(frame->Action(ID_EDIT_FIND)->shortcut(), QKeySequence("Ctrl+F"));
    // The bar's own buttons step the same way.
    frame->findChild<QAction*>("findNext")->trigger();
    EXPECT_EQ(View().CurrentShip(), 30);
    frame->findChild<QAction*>("findPrevious")->trigger();
    EXPECT_EQ(View().CurrentShip(), 17);

    // Filters narrow the listing and the status bar counts; Ctrl+F selected
    // what the field held, for the typing below to replace.
    frame->Action(ID_EDIT_FIND)->trigger();
    EXPECT_EQ(Count(), "40 of 40 ships");
    Choose("nationFilter", 2);  // after "All nations": nation 1
    EXPECT_EQ(Count(), "39 of 40 ships");
    Choose("typeFilter", 8);  // after "All ship types": type 7, "BC"
    EXPECT_EQ(Count(), "1 of 40 ships");
    EXPECT_EQ(View().ShipAt({10, 5}), 30);
    QTest::keyClicks(Field(), "warspite");
    EXPECT_EQ(View().CurrentShip(), 30);
    Step(ID_EDIT_REPEAT, 30);  // the others are not shown
    Choose("typeFilter", 0);
    Choose("nationFilter", 3);
    EXPECT_EQ(Count(), "1 of 40 ships");
    EXPECT_EQ(View().ShipAt({10, 5}), 17);
    // Closing the bar shows every ship again.
    QTest::keyClick(Field(), Qt::Key_Escape);
    EXPECT_FALSE(frame->FindBar().isVisible());
    EXPECT_EQ(View().ShownCount(), 40u);
    EXPECT_FALSE(frame->findChild<QLabel*>("shownCount")->isVisible());
}

// Enter opens the highlighted ship, a double-click the one under the
// pointer; the view stays where it was. A found ship far down is scrolled to
// the top, one already in sight left where it is.
TEST_F(FindShip, DoubleClickOrEnterOpensEditShipsAtThatShipAndAFoundShipIsBroughtIntoSight) {
    int opened = -1;
    const auto openedAs = [&opened](const char* name) {
        OnModalDialog<CEditShipsDlg>([&opened, name](CEditShipsDlg& ships) {
            opened = ships.Current();
            ships.findChild<QLineEdit*>("nameEdit")->setText(name);
            ships.OnClose();
        });
    };
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, {40, CardY(2)});
    EXPECT_EQ(View().CurrentShip(), 2);
    openedAs("Ship");
    View().setFocus();
    QTest::keyClick(&View(), Qt::Key_Return);
    EXPECT_EQ(opened, 2);

    const int steps = frame->History().Stack().count();
    View().verticalScrollBar()->setValue(12);
    const int y = CardY(1);
    ASSERT_EQ(View().ShipAt({10, y}), 13);
    openedAs("Shipz");  // sorts after "Ship"
    QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, {40, y});
    EXPECT_EQ(opened, 13);
    EXPECT_EQ(frame->Document().m_ships[13].m_strName, "Shipz");
    EXPECT_EQ(View().TopShip(), 12);
    EXPECT_EQ(frame->History().Stack().count(), steps + 1);
    // Below the last card there is nothing to open.
    EXPECT_EQ(View().ShipAt({10, 100000}), -1);

    // A found ship far down is scrolled to the top.
    ASSERT_EQ(View().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    Type("sister");
    EXPECT_EQ(View().TopShip(), 30);
    // One already in sight leaves the window where it is.
    View().SetZoom(frame->View().MinimumZoom());
    ASSERT_EQ(View().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    View().verticalScrollBar()->setValue(2);
    ASSERT_GE(View().ShipAt({10, View().viewport()->height() - 1}), 4);
    Field()->clear();
    QTest::keyClicks(Field(), "warsp");
    EXPECT_EQ(View().CurrentShip(), 3);
    EXPECT_EQ(View().TopShip(), 2);
}

// Records carried between two windows on the clipboard, as a user does it:
// a click on a card, Ctrl+C, Ctrl+V in the other window, Undo; and what a
// right click on a card offers.

class Clipboard : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        QGuiApplication::clipboard()->clear();
        GenerateDocument(from.Document(), {6, 1, 1, 1, 2, 4});
        for (CMainFrame* frame : {&from, &to}) {
            frame->resize(800, 600);
            frame->show();
            frame->View().OnUpdate();
        }
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&to));
    }
    // Keys reach the commands of the window that is active.
    void Press(CMainFrame& frame, QKeySequence::StandardKey key) {
        frame.activateWindow();
        QApplication::setActiveWindow(&frame);
        frame.View().setFocus();
        QTest::keySequence(&frame.View(), QKeySequence(key));
    }
    bool Enabled(CMainFrame& frame, int command) { return frame.Action(command)->isEnabled(); }
    const VxShip* Named(CMainFrame& frame, const CString& name) {
        for (const VxShip& ship : frame.Document().m_ships)
            if (ship.m_strName == name) return &ship;
        return nullptr;
    }

    CMainFrame from, to;
    ScriptedAnswers scripted;
};

TEST_F(Clipboard, ACopiedCardIsPastedIntoAnotherWindowAsOneStep) {
    EXPECT_FALSE(Enabled(to, ID_EDIT_PASTE));
    QTest::mouseClick(from.View().viewport(), Qt::LeftButton, {}, {40, 5});
    ASSERT_EQ(from.View().CurrentShip(), 0);
    const VxShip copied = from.Document().m_ships[0];
    Press(from, QKeySequence::Copy);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(kRecordsMimeType));
    EXPECT_EQ(data->text(), ToQtLines(copied.GetTextLine(from.Document().m_nations,
                                                         from.Document().m_armaments)));
    const std::size_t before = to.Document().m_ships.size();
    Press(to, QKeySequence::Paste);
    ASSERT_NE(Named(to, copied.m_strName), nullptr);
    EXPECT_EQ(to.Document().m_ships.size(), before + 1);
    EXPECT_TRUE(to.isWindowModified());
    EXPECT_EQ(to.Action(ID_EDIT_UNDO)->text(), "&Undo Paste");
    EXPECT_EQ(from.History().Stack().count(), 0) << "copying changes nothing";

    // Pasting a changed ship of the same name asks; No keeps the window's.
    to.Document().m_ships.Modify(0).m_dDF = 77;
    scripted.answers = {IDNO};
    Press(to, QKeySequence::Paste);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_NE(scripted.messages[0].find("already exists. Replace it"), std::string::npos);
    EXPECT_EQ(to.History().Stack().count(), 1);

    to.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(Named(to, copied.m_strName), nullptr);
    EXPECT_FALSE(to.isWindowModified());

    // Cut takes the card away as a step of its own, and puts it on the clipboard.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(from.View().viewport(), Qt::LeftButton, {}, {40, 5});
    Press(from, QKeySequence::Cut);
    EXPECT_EQ(Named(from, copied.m_strName), nullptr);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(kRecordsMimeType));
    from.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_NE(Named(from, copied.m_strName), nullptr);
}

TEST_F(Clipboard, TextIsTakenOnlyWhenItIsRecordsAndARightClickOffersTheCardsCommands) {
    QGuiApplication::clipboard()->setText("Lion,13.5,4");
    EXPECT_FALSE(Enabled(to, ID_EDIT_PASTE));
    const std::string before = to.Document().SaveToBytes();
    QGuiApplication::clipboard()->setText("  {\"ships\": [");
    Press(to, QKeySequence::Paste);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].rfind("Nothing was pasted. \"clipboard\" cannot be imported", 0),
              0u)
        << scripted.messages[0];
    EXPECT_EQ(to.Document().SaveToBytes(), before);
    EXPECT_EQ(to.History().Stack().count(), 0);

    // A right click on a card offers its commands for that card.
    QWidget* cards = from.View().viewport();
    EXPECT_TRUE(RightClick(cards, {40, 100000}).isEmpty()) << "below the last card";
    EXPECT_EQ(from.View().CurrentShip(), -1);
    std::string printed;
    SetPrintHook([&](const std::string& name, const PrinterJob&, bool) { printed = name; });
    EXPECT_EQ(RightClick(cards, {40, 5}, "&Print This Ship..."),
              (QStringList{"&Edit Ship...", "&Find Ship...", "&Print This Ship...", "&Copy"}));
    SetPrintHook({});
    EXPECT_EQ(from.View().CurrentShip(), 0);
    EXPECT_EQ(printed, from.Document().m_ships[0].m_strName);
    RightClick(cards, {40, 5}, "&Copy");
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(kRecordsMimeType));
}

}  // namespace
