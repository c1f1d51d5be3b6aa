// What the record editors share at the keyboard, driven as a user does on
// a shown, active dialog: Add and typing, Enter, Escape and the close box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "editors/editscenarios.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "tests/support/editorfixture.h"

namespace {

struct RecordEditorKind {
    const char* title;
    const char* newName;
    std::function<std::unique_ptr<RecordEditorDlg>(CBrinnowDoc&)> open;
};

const RecordEditorKind kRecordEditors[] = {
    {"Edit Ships", "New Ship",
     [](CBrinnowDoc& doc) {
         return std::make_unique<CEditShipsDlg>(doc.m_nations, doc.m_armaments, doc.m_torpedoes,
                                                doc.m_ships, doc.m_squadrons, nullptr);
     }},
    {"Edit Squadrons", "New Squadron",
     [](CBrinnowDoc& doc) {
         return std::make_unique<CEditSquadronsDlg>(doc.m_nations, doc.m_ships, doc.m_squadrons,
                                                    doc.m_armaments, doc.m_torpedoes, "", nullptr);
     }},
    {"Edit Scenarios", "New Scenario",
     [](CBrinnowDoc& doc) { return std::make_unique<CEditScenariosDlg>(doc, nullptr); }},
};

class RecordEditorKeys : public Editor {
  protected:
    void TearDown() override {
        dialog.reset();
        Editor::TearDown();
    }
    RecordEditorDlg& Open(const RecordEditorKind& kind) {
        dialog = kind.open(doc);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get())) << kind.title;
        return *dialog;
    }
    template <class T>
    T* Control(const char* name) {
        return Child<T>(dialog.get(), name);
    }
    void Click(const char* button) {
        QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
    }

    std::unique_ptr<RecordEditorDlg> dialog;
};

TEST_F(RecordEditorKeys, AddLeavesTheKeysInTheSelectedNewName) {
    for (const RecordEditorKind& kind : kRecordEditors) {
        Open(kind);
        Click("addButton");
        auto* name = Control<QLineEdit>("nameEdit");
        ASSERT_EQ(QApplication::focusWidget(), name) << kind.title;
        EXPECT_EQ(name->selectedText(), kind.newName) << kind.title;
        // A blank typed into the name must not press "Save" under the focus.
        QTest::keyClicks(QApplication::focusWidget(), "HMS Lion");
        EXPECT_EQ(name->text(), "HMS Lion") << kind.title;
        EXPECT_TRUE(dialog->IsAdding()) << kind.title;
        EXPECT_TRUE(messages.empty()) << kind.title << ": " << messages.front();
    }
}

}  // namespace
