// The window's progress dialog, cancelled as a user cancels it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "desktop/printcommand.h"
#include "desktop/progressdialog.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "print/shipcardjob.h"
#include "tests/support/documentgenerator.h"

namespace {

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

TEST(ProgressDialog, CancelDuringAPrintToPdfKeepsTheOldFileAndLeavesNothingBehind) {
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
    RunOnPrinter(printer, [&doc](CDC& dc, Progress& progress) {
        ShipCardJob(doc).Print(dc, "Cards", progress);
    });

    EXPECT_TRUE(QRegularExpression("^Printing page \\d+ of \\d+$").match(user.label).hasMatch())
        << user.label.toStdString();
    EXPECT_EQ(user.bar, user.label);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(pdf, bytes, error));
    EXPECT_EQ(bytes, "the old PDF");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

// The dialog shows once the work has taken half a second, shows every
// stage's end at once, and stays up from the end of one stage (reading) to
// the start of the next (writing); a count past an int's range is shown in
// proportion.
TEST(ProgressDialog, ShowsAfterHalfASecondAndStaysUpFromOneStageToTheNext) {
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
}

// Work too short for the dialog shows the wait cursor for its length.
TEST(ProgressDialog, QuickWorkShowsTheWaitCursorWhileItRuns) {
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
