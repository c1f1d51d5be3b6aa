#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/desktopidentity.h"
#include "app/mainframe.h"
#include "desktop/filedialogs.h"
#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/printoutput.h"
#include "history/documentnotice.h"
#include "platform/filestore.h"
#include "tests/support/documentgenerator.h"
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
    std::vector<FileChoice> choices;
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

// Every command has its keys, prompt and state; the editors and the view say
// what they do, the tool bar's buttons have pictures, and Cut and Copy differ.
TEST_F(Shell, CommandsHaveKeysPromptsStatesHelpAndPictures) {
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
    EXPECT_TRUE(frame->Document().IsModified());
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

TEST_F(Shell, OpenSaveAndTheRecentFileList) {
    for (const char* name : {"a.brn", "b.brn", "c.brn", "d.brn", "e.brn"}) {
        ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign(name)));
    }
    EXPECT_EQ(frame->RecentFiles(),
              (QStringList{Path("e.brn"), Path("d.brn"), Path("c.brn"), Path("b.brn")}));
    EXPECT_EQ(frame->windowTitle(), "e.brn[*] - Brinnow");
    ASSERT_TRUE(frame->OpenDocumentFile(Path("c.brn")));
    EXPECT_EQ(frame->RecentFiles(),
              (QStringList{Path("c.brn"), Path("e.brn"), Path("d.brn"), Path("b.brn")}));

    // A new window reads the list back from the settings.
    CMainFrame second;
    EXPECT_EQ(second.RecentFiles(), frame->RecentFiles());
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

// The view scrolls by whole ships, and its keys go to the first and last;
// print jobs are named after the campaign.
TEST_F(Shell, TheViewScrollsByWholeShips) {
    EXPECT_EQ(frame->View().PrintJobName(), "Untitled");
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("north sea.brn", 40)));
    EXPECT_EQ(frame->View().PrintJobName(), "north sea");
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
    frame->Action(ID_VIEW_ZOOM_RESET)->trigger();
    EXPECT_DOUBLE_EQ(view.Zoom(), view.ActualSizeZoom());
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

// An empty campaign shows how to begin, and has nothing to print.
TEST_F(Shell, AnEmptyCampaignShowsHowToBegin) {
    frame->resize(800, 600);
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

    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("one.brn", 1)));
    EXPECT_TRUE(frame->View().EmptyHint().isEmpty());
}

}  // namespace
