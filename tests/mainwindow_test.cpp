// The main window as a new player meets it: the highlighted card taken by
// the commands from the start, a print that keeps its window from edits,
// and Check Campaign's records readable whole.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "app/brinnowview.h"
#include "app/campaigncheckwindow.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/recordclipboard.h"
#include "editors/editships.h"
#include "model/brinnowdoc.h"
#include "platform/qtstrings.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/modaldialog.h"
#include "tests/support/scriptedanswers.h"

namespace {

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        QGuiApplication::clipboard()->clear();
        frame = std::make_unique<CMainFrame>();
        frame->resize(900, 560);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void Open(CBrinnowDoc& doc) {
        const QString path = dir.filePath("campaign.brn");
        ASSERT_TRUE(doc.OnSaveDocument(path.toStdString()));
        ASSERT_TRUE(frame->OpenDocumentFile(path));
    }
    bool Enabled(int command) const { return frame->Action(command)->isEnabled(); }
    void Press(const QKeySequence& keys) {
        QApplication::setActiveWindow(frame.get());
        frame->View().setFocus();
        QTest::keySequence(&frame->View(), keys);
    }

    QTemporaryDir dir;
    ScriptedAnswers scripted;
    std::unique_ptr<CMainFrame> frame;
};

// What the window shows of a progress dialog and of itself while it is up;
// presses Cancel once seen.
struct WhileWorking {
    WhileWorking(CMainFrame& frame) : frame(frame) {
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [this] { Look(); });
        poll.start();
    }
    void Look() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QProgressDialog*>(window);
            if (!dialog || !dialog->isVisible()) continue;
            poll.stop();
            seen = true;
            title = dialog->windowTitle();
            parent = dialog->parentWidget();
            modality = dialog->windowModality();
            cut = frame.Action(ID_EDIT_CUT)->isEnabled();
            menus = frame.menuBar()->actions().first()->isEnabled();
            const std::size_t ships = frame.Document().m_ships.size();
            frame.View().setFocus();
            QTest::keyClick(&frame.View(), Qt::Key_X, Qt::ControlModifier);
            cutWhilePrinting = frame.Document().m_ships.size() != ships;
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        }
    }

    CMainFrame& frame;
    QTimer poll;
    bool seen = false;
    QString title;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    bool cut = true;
    bool menus = true;
    bool cutWhilePrinting = true;
};

}  // namespace

// The highlighted card is the current one as soon as the campaign shows:
// Copy, Enter (Edit) and Cut take it without a click; a campaign without
// ships has none.
TEST_F(MainWindow, TheHighlightedCardIsTheCurrentOneFromTheStart) {
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)) << "a new campaign has no ships";
    CBrinnowDoc doc;
    GenerateDocument(doc, {6, 1, 1, 1, 2, 4});
    Open(doc);
    EXPECT_EQ(frame->View().CurrentShip(), 0);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    Press(QKeySequence::Copy);
    ASSERT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(kRecordsMimeType));
    const CBrinnowDoc& shown = frame->Document();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              ToQtLines(shown.m_ships[0].GetTextLine(shown.m_nations, shown.m_armaments)));

    int opened = -1;
    OnModalDialog<CEditShipsDlg>([&opened](CEditShipsDlg& ships) {
        opened = ships.Current();
        ships.reject();
    });
    Press(QKeySequence(Qt::Key_Return));
    EXPECT_EQ(opened, 0);

    // Cutting the last ship leaves the one before it current.
    frame->View().SetCurrentShip(5);
    Press(QKeySequence::Cut);
    EXPECT_EQ(frame->View().CurrentShip(), 4);
    Press(QKeySequence::Cut);
    EXPECT_EQ(frame->Document().m_ships.size(), 4u);
    EXPECT_EQ(frame->View().CurrentShip(), 3);
    // With the last ship cut there is none to take.
    for (int ship = 0; ship < 4; ++ship) Press(QKeySequence::Cut);
    EXPECT_TRUE(frame->Document().m_ships.empty());
    EXPECT_EQ(frame->View().CurrentShip(), -1);
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
}

// While the campaign prints, the progress dialog belongs to the main window
// and keeps it from input, says what it prints, and the window's commands
// are greyed; they come back after.
TEST_F(MainWindow, PrintingKeepsTheWindowFromEditsUnderItsOwnProgressDialog) {
    CBrinnowDoc doc;
    GenerateDocument(doc, {3000, 2, 1, 1, 2});
    Open(doc);
    OnModalDialog<QPrintDialog>([](QPrintDialog& print) { print.accept(); });
    const WhileWorking seen(*frame);
    frame->Action(ID_FILE_PRINT)->trigger();

    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, "Printing campaign.brn");
    EXPECT_EQ(seen.parent, frame.get());
    EXPECT_EQ(seen.modality, Qt::WindowModal);
    EXPECT_FALSE(seen.cut);
    EXPECT_FALSE(seen.menus);
    EXPECT_FALSE(seen.cutWhilePrinting);
    EXPECT_EQ(frame->Document().m_ships.size(), 3000u);
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(frame->menuBar()->actions().first()->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("campaign.pdf"))) << "cancelled";
}

// A force's whole name shows in its column, on a small screen too.
TEST_F(MainWindow, CheckCampaignShowsEveryRecordWhole) {
    CBrinnowDoc doc;
    doc.OnNewDocument();
    VxSquadron squadron;
    squadron.m_strName = "1st Battlecruiser Squadron";
    squadron.m_strFlagship = "Lion";
    VxForce force;
    force.m_strName = "Battlecruiser Force";
    force.m_squadrons = {squadron};
    VxScenario scenario;
    scenario.m_strName = "Dogger Bank";
    scenario.m_forces = {force};
    doc.m_scenarios = {scenario};
    doc.m_squadrons = {squadron};
    Open(doc);
    frame->Action(ID_TOOLS_CHECK_CAMPAIGN)->trigger();
    auto* window = frame->findChild<CampaignCheckWindow*>();
    ASSERT_NE(window, nullptr);
    window->resize(QSize(1024, 576 - 30).boundedTo(window->size()));
    QApplication::processEvents();
    auto* list = window->findChild<QTreeView*>("findingList");
    const QAbstractItemModel& model = *list->model();
    bool force_shown = false;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString record = model.index(row, 1).data().toString();
        force_shown |= record == "Force: Dogger Bank, Force 1 (Battlecruiser Force)";
        EXPECT_LE(list->fontMetrics().horizontalAdvance(record) + 6, list->columnWidth(1))
            << record.toStdString();
    }
    EXPECT_TRUE(force_shown);
    EXPECT_LE(window->width(), 1024);
}
