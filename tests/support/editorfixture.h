#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "editors/lastnation.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "tests/support/modaldialog.h"
#include "tests/support/scriptedanswers.h"

// The ship and the squadron editor on a document's records.
inline std::unique_ptr<CEditShipsDlg> ShipsDialog(CBrinnowDoc& doc) {
    return std::make_unique<CEditShipsDlg>(doc.m_nations, doc.m_armaments, doc.m_torpedoes,
                                           doc.m_ships, doc.m_squadrons, doc.m_scenarios, nullptr);
}
inline std::unique_ptr<CEditSquadronsDlg> SquadronsDialog(CBrinnowDoc& doc) {
    return std::make_unique<CEditSquadronsDlg>(doc.m_nations, doc.m_ships, doc.m_squadrons,
                                               doc.m_scenarios, doc.m_armaments, doc.m_torpedoes,
                                               "", nullptr);
}

inline VxShip ShipNamed(const std::string& name, int nation = 0) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nNation = nation;
    return ship;
}

// A list's lines, top to bottom.
inline QStringList LinesOf(const QListWidget* list) {
    QStringList lines;
    for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
    return lines;
}

// Clicks a line as the mouse does, scrolling it into view first.
inline void ClickLine(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

inline void DoubleClickLine(QListWidget* list, int row) {
    ClickLine(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->item(row)).center());
}

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
        OnModalDialog<QDialog>([act](QDialog& dialog) { act(&dialog); });
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

    // The dialog a test drives: the helpers below find its controls by name.
    virtual QWidget* Driven() { return nullptr; }
    template <class T>
    T* Control(const char* name) {
        return Child<T>(Driven(), name);
    }
    void Click(const char* button) {
        QTest::mouseClick(Control<QAbstractButton>(button), Qt::LeftButton);
    }
    // Where a control lies in the dialog driven.
    QRect Placed(const QWidget* w) { return QRect(w->mapTo(Driven(), QPoint()), w->size()); }
    QRect Placed(const char* name) { return Placed(Control<QWidget>(name)); }
    // Where the first label showing text, its access key aside, lies.
    QRect CaptionPlaced(const char* text) {
        for (QLabel* label : Driven()->findChildren<QLabel*>()) {
            if (QString(label->text()).remove('&') == text) return Placed(label);
        }
        ADD_FAILURE() << text << " is not shown";
        return {};
    }
    // The caption stands just before the field it names, on its row.
    void ExpectCaptionBefore(const char* text, const char* field) {
        const QRect label = CaptionPlaced(text), edit = Placed(field);
        EXPECT_LE(label.right(), edit.left()) << text;
        EXPECT_TRUE(edit.top() <= label.center().y() && label.center().y() <= edit.bottom())
            << text;
    }
    QString Counter() { return Control<QLineEdit>("counterEdit")->text(); }
    // The named controls that can be used now, sorted.
    QStringList EnabledControls() {
        QStringList names;
        for (const QWidget* widget : Driven()->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (!name.isEmpty() && !name.startsWith("qt_") && widget->isEnabled()) names << name;
        }
        names.sort();
        return names;
    }
    // Types over what a box holds, as a user does: everything selected, then keys.
    void TypeOver(const char* box, const QString& text) {
        auto* field = Control<QLineEdit>(box);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QStringList Lines(const char* list) { return LinesOf(Control<QListWidget>(list)); }
    void ClickLine(const char* list, int row) { ::ClickLine(Control<QListWidget>(list), row); }
    void DoubleClickLine(const char* list, int row) {
        ::DoubleClickLine(Control<QListWidget>(list), row);
    }
    void AddShip(const std::string& name, int nation) {
        doc.m_ships.push_back(ShipNamed(name, nation));
    }
    VxSquadron& AddSquadron(const std::string& name, int nation, CStringArray members = {},
                            CStringArray attachments = {}) {
        VxSquadron squadron;
        squadron.m_strName = name;
        squadron.m_nNation = nation;
        squadron.m_shipNames = std::move(members);
        squadron.m_attachmentNames = std::move(attachments);
        doc.m_squadrons.push_back(squadron);
        return doc.m_squadrons.Modify(doc.m_squadrons.size() - 1);
    }

    CBrinnowDoc doc;
    NoticeCounter notices;
    ScriptedAnswers scripted;
    std::vector<std::string>& messages = scripted.messages;
    std::deque<int>& answers = scripted.answers;
};
