// Records carried between two windows on the clipboard, as a user does it:
// a click on a card, Ctrl+C, Ctrl+V in the other window, Undo; and what a
// right click on a card offers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSettings>
#include <QTest>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/recordclipboard.h"
#include "desktop/printcommand.h"
#include "platform/qtstrings.h"
#include "tests/support/contextmenu.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/scriptedanswers.h"

namespace {

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
    EXPECT_FALSE(Enabled(from, ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(from, ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(to, ID_EDIT_PASTE));
    QTest::mouseClick(from.View().viewport(), Qt::LeftButton, {}, {40, 5});
    ASSERT_EQ(from.View().CurrentShip(), 0);
    EXPECT_TRUE(Enabled(from, ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(from, ID_EDIT_CUT));
    const VxShip copied = from.Document().m_ships[0];
    Press(from, QKeySequence::Copy);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(kRecordsMimeType));
    EXPECT_EQ(data->text(), ToQtLines(copied.GetTextLine(from.Document().m_nations,
                                                         from.Document().m_armaments)));
    EXPECT_TRUE(Enabled(to, ID_EDIT_PASTE));
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

TEST_F(Clipboard, TextIsTakenOnlyWhenItIsRecordsAndOtherwiseRefusedWithAMessage) {
    QGuiApplication::clipboard()->setText("Lion,13.5,4");
    EXPECT_FALSE(Enabled(to, ID_EDIT_PASTE));
    const std::string before = to.Document().SaveToBytes();
    QGuiApplication::clipboard()->setText("  {\"ships\": [");
    ASSERT_TRUE(Enabled(to, ID_EDIT_PASTE));
    Press(to, QKeySequence::Paste);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].rfind("Nothing was pasted. \"clipboard\" cannot be imported", 0),
              0u)
        << scripted.messages[0];
    EXPECT_EQ(to.Document().SaveToBytes(), before);
    EXPECT_EQ(to.History().Stack().count(), 0);
}

TEST_F(Clipboard, ARightClickOnACardOffersItsCommandsForThatCard) {
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
