#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editors/lastnation.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "tests/support/scriptedanswers.h"

// Counts the document-changed notices that the editors post.
class NoticeCounter : public QObject {
  public:
    int count = 0;
    bool event(QEvent* event) override {
        if (event->type() == kDocumentChangedEvent) ++count;
        return QObject::event(event);
    }
};

// Every editor test answers the editors' questions from a queue (Yes when it
// runs dry) and keeps the texts it was shown.
class Editor : public ::testing::Test {
  protected:
    void SetUp() override {
        SetNoticeWindow(&notices);
        ForgetChosenNation();  // each test starts as the program does
    }
    void TearDown() override { SetNoticeWindow(nullptr); }
    int Notices() {
        QApplication::processEvents();
        return notices.count;
    }
    // Acts on the next modal dialog once it is open.
    static void OnNextDialog(std::function<void(QDialog*)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(dialog);
        });
    }
    template <class T>
    static T* Child(QWidget* dialog, const char* name) {
        T* child = dialog->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Type(QWidget* dialog, const char* name, const QString& text) {
        Child<QLineEdit>(dialog, name)->setText(text);
    }

    CBrinnowDoc doc;
    NoticeCounter notices;
    ScriptedAnswers scripted;
    std::vector<std::string>& messages = scripted.messages;
    std::deque<int>& answers = scripted.answers;
};
