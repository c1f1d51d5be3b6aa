// The main window as a new player meets it: the highlighted card taken by
// the commands from the start, and a print that keeps its window from edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QTest>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/recordclipboard.h"
#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/modaldialog.h"

namespace {

class MainWindow : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        QGuiApplication::clipboard()->clear();
        frame->resize(900, 560);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void Open(const DocumentShape& shape) {
        CBrinnowDoc doc;
        GenerateDocument(doc, shape);
        ASSERT_TRUE(doc.OnSaveDocument(Local("campaign.brn")));
        ASSERT_TRUE(frame->OpenDocumentFile(Path("campaign.brn")));
    }
    bool Enabled(int command) const { return frame->Action(command)->isEnabled(); }
};

}  // namespace

// While the campaign prints, the progress dialog belongs to the main window
// and keeps it from input, says what it prints, and the window's commands
// are greyed; they come back after.
TEST_F(MainWindow, PrintingKeepsTheWindowFromEditsUnderItsOwnProgressDialog) {
    Open({3000, 2, 1, 1, 2});
    OnModalDialog<QPrintDialog>([](QPrintDialog& print) { print.accept(); });
    const CancelWhenShown user([this](QProgressDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Printing campaign.brn");
        EXPECT_EQ(dialog.parentWidget(), frame.get());
        EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
        EXPECT_FALSE(Enabled(ID_EDIT_CUT));
        EXPECT_FALSE(frame->menuBar()->actions().first()->isEnabled());
        frame->View().setFocus();
        QTest::keyClick(&frame->View(), Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(frame->Document().m_ships.size(), 3000u) << "cut while printing";
    });
    frame->Action(ID_FILE_PRINT)->trigger();
    ASSERT_TRUE(user.seen);
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(frame->menuBar()->actions().first()->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(Path("campaign.pdf"))) << "cancelled";
}
