// The main window's cards as a desktop user handles them: found by typing,
// filtered, and carried between two windows on the clipboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/findshipbar.h"
#include "app/mainframe.h"
#include "app/recordclipboard.h"
#include "desktop/printcommand.h"
#include "editors/editships.h"
#include "model/brinnowdoc.h"
#include "platform/qtstrings.h"
#include "tests/support/contextmenu.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/modaldialog.h"
#include "tests/support/scriptedanswers.h"

namespace {

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
    EXPECT_EQ(Field()->placeholderText(), "Name, identifier or notes");
    // However narrow the window, the box keeps room for what it asks for.
    frame->resize(300, 600);
    QApplication::processEvents();
    EXPECT_GT(Field()->width(), Field()->fontMetrics().horizontalAdvance(Field()->placeholderText()));
    frame->resize(900, 600);

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
    // The wrapping at either end is ShipSearch's; the commands and the bar's
    // own buttons step each way.
    Type("WARSPITE");  // from ship 3
    Step(ID_EDIT_REPEAT, 17);
    Step(ID_EDIT_FIND_PREVIOUS, 3);
    EXPECT_EQ(frame->Action(ID_EDIT_REPEAT)->shortcut(), QKeySequence("F3"));
    EXPECT_EQ(frame->Action(ID_EDIT_FIND_PREVIOUS)->shortcut(), QKeySequence("Shift+F3"));
    EXPECT_EQ(frame->Action(ID_EDIT_FIND)->shortcut(), QKeySequence("Ctrl+F"));
    frame->findChild<QAction*>("findPrevious")->trigger();
    EXPECT_EQ(View().CurrentShip(), 30);
    frame->findChild<QAction*>("findNext")->trigger();
    EXPECT_EQ(View().CurrentShip(), 3);

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
