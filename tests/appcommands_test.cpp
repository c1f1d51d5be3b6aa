// The main window's commands beyond opening and saving: printing to a PDF,
// the empty campaign, zoom, the exports and imports, its file dialogs and
// the manual beside a dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <deque>
#include <functional>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/csvimportpreview.h"
#include "app/mainframe.h"
#include "desktop/helpwindow.h"
#include "desktop/printcommand.h"
#include "desktop/printoutput.h"
#include "platform/cdc.h"
#include "platform/filestore.h"
#include "tests/support/mainwindowfixture.h"

namespace {

// A home of the test's own, with or without a documents folder.
struct OwnHome {
    OwnHome() {
        qputenv("HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    }
    ~OwnHome() {
        qputenv("HOME", home);
        config.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
    }
    QString Path(const char* name) const { return dir.filePath(name); }

    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir dir;
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

    // Each job prints every page under its own name, whatever the last one chose.
    SharedPrinter().setFromTo(2, 3);
    QPrinter& next = PrinterForJob("Dogger Bank", campaign.toStdString());
    EXPECT_EQ(std::pair(next.fromPage(), next.toPage()), std::pair(0, 0));
    EXPECT_EQ(next.docName(), "Dogger Bank");

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

    // A preview draws on its printer; a finished job is over.
    QPrinter preview(QPrinter::HighResolution);
    preview.setOutputFileName(Path("preview.pdf"));
    PrintOutput shown(preview, PrintOutput::Use::Preview);
    ASSERT_TRUE(shown.IsOpen());
    shown.Dc().TextOut(10, 10, "Shown");
    EXPECT_TRUE(shown.Finish());
    EXPECT_FALSE(shown.IsOpen());
    EXPECT_FALSE(shown.Finish());
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

// The exports and Open Game ask for a file beside the campaign; an export
// writes the file chosen, and a cancelled Open Game opens nothing.
TEST_F(Shell, ExportsAndOpenGameAskForFilesBesideTheCampaign) {
    frame->View().ExportShipsAsText();  // no ships: nothing asked
    frame->View().ExportShipsAsCsv();
    EXPECT_TRUE(choices.empty());
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 5)));
    chosenFile = Path("ships.txt");
    frame->Action(ID_TOOLS_EXPORT_TEXT)->trigger();
    EXPECT_EQ(proposed, Path("fleet.txt"));  // named after the campaign
    const std::string text = Bytes("ships.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    chosenFile = Path("ships.csv");
    frame->Action(ID_TOOLS_EXPORT_CSV)->trigger();
    const std::string csv = Bytes("ships.csv");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBFName,", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n') - 6, 5 * 3);  // notes hold two breaks each

    chosenFile.clear();
    frame->Action(ID_FILE_OPEN_GAME)->trigger();
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[2].kind, FileChoice::Open);
    EXPECT_EQ(choices[2].caption, "Open Game");
    EXPECT_TRUE(choices[2].filter.startsWith("Brinnow Games (*.game.json)"));
    EXPECT_EQ(QFileInfo(choices[2].proposedPath).absolutePath(),
              QFileInfo(Path("fleet.brn")).absolutePath());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
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
                for (int j = 0; j < group->childCount(); ++j) {
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
    // More refusals than the preview lists: the first hundred, in row order,
    // then how many it left out.
    std::string many = "Name,DF\n";
    for (int i = 1; i <= 103; ++i) many += "Ship" + std::to_string(i) + ",x\n";
    ASSERT_TRUE(WriteFileSafely(Local("many.csv"), many, error));
    shown.clear();
    chosenFile = Path("many.csv");
    preview(shown, false);
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    ASSERT_EQ(shown.size(), 1 + 1 + 100 + 1 + 1);
    EXPECT_EQ(shown[1], "v Refused (103)");
    EXPECT_EQ(shown[2], "  row 2, DF: expected a number, found x");
    EXPECT_EQ(shown[101], "  row 101, DF: expected a number, found x");
    EXPECT_EQ(shown[102], "  and 3 more");
    EXPECT_EQ(shown.back(), "(no Import)");

    chosenFile = Path("missing.csv");
    frame->Action(ID_TOOLS_IMPORT_CSV)->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("missing.csv"), std::string::npos) << messages[0];
    EXPECT_EQ(frame->Document().SaveToBytes(), imported);
    EXPECT_EQ(frame->History().Stack().count(), 1);
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
    bool helpBroughtForward = false;
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
        // Back to the dialog, and F1 again: the manual, already open, comes forward.
        dialog->activateWindow();
        QApplication::processEvents();
        QTest::keyClick(dialog, Qt::Key_F1);
        QApplication::processEvents();
        helpBroughtForward = QApplication::activeWindow() == help->window();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    frame->Action(ID_EDIT_NATIONS)->trigger();
    EXPECT_TRUE(helpShown);
    EXPECT_TRUE(helpBroughtForward);
    EXPECT_EQ(counter.presses, 1);
    // The dialog has gone; the manual is still open, on its own.
    QApplication::processEvents();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), nullptr);
    help->close();
}

}  // namespace
