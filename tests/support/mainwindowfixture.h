#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/brinnowview.h"
#include "app/mainframe.h"
#include "desktop/filedialogs.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/scriptedanswers.h"

// Keys pressed on a window's cards; only the active window's commands take
// them.
inline void Press(CMainFrame& frame, const QKeySequence& keys) {
    frame.activateWindow();
    QApplication::setActiveWindow(&frame);
    frame.View().setFocus();
    QTest::keySequence(&frame.View(), keys);
}

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

// Clicks Cancel of the first progress dialog that shows, after a look at it
// and at the window behind it.
class CancelWhenShown {
  public:
    explicit CancelWhenShown(std::function<void(QProgressDialog&)> look = {})
        : m_look(std::move(look)) {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { PressCancel(); });
        m_poll.start();
    }
    bool seen = false;

  private:
    void PressCancel() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QProgressDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            m_poll.stop();
            seen = true;
            if (m_look) m_look(*dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        }
    }
    std::function<void(QProgressDialog&)> m_look;
    QTimer m_poll;
};
