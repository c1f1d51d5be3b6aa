// What the record editors share at the keyboard, driven as a user does on
// a shown, active dialog: Add and typing, Enter, Escape and the close box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
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
    const char* abandonQuestion;
    std::function<std::unique_ptr<RecordEditorDlg>(CBrinnowDoc&)> open;
};

const RecordEditorKind kRecordEditors[] = {
    {"Edit Ships", "New Ship", "Abandon Changes to ship?",
     [](CBrinnowDoc& doc) {
         return std::make_unique<CEditShipsDlg>(doc.m_nations, doc.m_armaments, doc.m_torpedoes,
                                                doc.m_ships, doc.m_squadrons, nullptr);
     }},
    {"Edit Squadrons", "New Squadron", "Abandon Changes to squadron?",
     [](CBrinnowDoc& doc) {
         return std::make_unique<CEditSquadronsDlg>(doc.m_nations, doc.m_ships, doc.m_squadrons,
                                                    doc.m_armaments, doc.m_torpedoes, "", nullptr);
     }},
    {"Edit Scenarios", "New Scenario", "Abandon Changes to Scenario?",
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
    QWidget* Driven() override { return dialog.get(); }
    // One record for each editor to show, all named "Lion": neutrals without
    // armaments, shown as near as they can be; the scenario has one force.
    void AddOneOfEach() {
        AddShip("Lion", 0);
        AddSquadron("Lion", 0);
        doc.m_scenarios.resize(1);
        doc.m_scenarios.Modify(0).m_strName = "Lion";
        doc.m_scenarios.Modify(0).m_forces.resize(1);
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

// Escape and the close box close an untouched editor at once, and ask
// before typing in it is thrown away, with No as the default.
TEST_F(RecordEditorKeys, EscapeAndTheCloseBoxAskOnlyWhenEditsWouldBeLost) {
    for (const RecordEditorKind& kind : kRecordEditors) {
        doc = CBrinnowDoc();
        Open(kind);  // with no record to show, nothing can be lost
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << kind.title;
        EXPECT_TRUE(messages.empty()) << kind.title;

        AddOneOfEach();
        Open(kind);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << kind.title;
        EXPECT_TRUE(messages.empty()) << kind.title;

        Open(kind);
        auto* name = Control<QLineEdit>("nameEdit");
        name->setFocus();
        QTest::keyClicks(name, "ess");
        answers = {IDNO};
        QTest::keyClick(name, Qt::Key_Escape);
        ASSERT_EQ(messages.size(), 1u) << kind.title;
        EXPECT_EQ(messages.back(), kind.abandonQuestion);
        EXPECT_TRUE(scripted.types.back() & MB_DEFBUTTON2) << kind.title;
        EXPECT_TRUE(dialog->isVisible()) << kind.title;
        answers = {IDYES};
        dialog->close();
        EXPECT_EQ(messages.size(), 2u) << kind.title;
        EXPECT_FALSE(dialog->isVisible()) << kind.title;
        messages.clear();
    }
    EXPECT_EQ(doc.m_scenarios[0].m_strName, "Lion");
    EXPECT_EQ(Notices(), 0);
}

// Enter presses the button that has the focus; from anywhere else it
// presses Close, which asks before a new record is dropped.
TEST_F(RecordEditorKeys, EnterPressesTheFocusedButtonElseClose) {
    for (const RecordEditorKind& kind : kRecordEditors) {
        doc = CBrinnowDoc();
        AddOneOfEach();
        Open(kind);
        auto* add = Control<QPushButton>("addButton");
        add->setFocus(Qt::TabFocusReason);
        QTest::keyClick(add, Qt::Key_Return);
        EXPECT_TRUE(dialog->IsAdding()) << kind.title;
        answers = {IDNO};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        EXPECT_EQ(messages, std::vector<std::string>{kind.abandonQuestion});
        auto* cancel = Control<QPushButton>("cancelButton");
        cancel->setFocus(Qt::TabFocusReason);
        QTest::keyClick(cancel, Qt::Key_Return);
        EXPECT_FALSE(dialog->IsAdding()) << kind.title;
        EXPECT_TRUE(dialog->isVisible()) << kind.title;
        QTest::mouseClick(Control<QLineEdit>("nameEdit"), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << kind.title;
        messages.clear();
    }
}

// Each list of available items with the list its Enter fills.
struct ListPair {
    int editor;  // in kRecordEditors
    const char* available;
    const char* chosen;
};

const ListPair kListPairs[] = {{1, "availableList", "memberList"},
                               {2, "availableSquadronsList", "selectedSquadronsList"},
                               {2, "availableShipsList", "selectedShipsList"}};

// Enter in a list of available items moves the chosen one across and
// leaves the dialog open; Delete in the chosen list takes it off again.
TEST_F(RecordEditorKeys, EnterMovesTheChosenItemAcrossAndDeleteTakesItOff) {
    for (const ListPair& pair : kListPairs) {
        doc = CBrinnowDoc();
        AddOneOfEach();
        Open(kRecordEditors[pair.editor]);
        auto* available = Control<QListWidget>(pair.available);
        const QPoint first = available->visualItemRect(available->item(0)).center();
        QTest::mouseClick(available->viewport(), Qt::LeftButton, {}, first);
        QTest::keyClick(available, Qt::Key_Return);
        auto* chosen = Control<QListWidget>(pair.chosen);
        EXPECT_EQ(chosen->count(), 1) << pair.available;
        EXPECT_TRUE(dialog->isVisible()) << pair.available;
        QTest::mouseClick(chosen->viewport(), Qt::LeftButton, {},
                          chosen->visualItemRect(chosen->item(0)).center());
        QTest::keyClick(chosen, Qt::Key_Delete);
        EXPECT_EQ(chosen->count(), 0) << pair.chosen;
        EXPECT_TRUE(messages.empty()) << pair.chosen;
    }
    // Backspace takes the chosen ship off a squadron's attachments.
    doc.m_squadrons.Modify(0).m_attachmentNames = {"Lion", "Lion"};
    Open(kRecordEditors[1]);
    auto* attachments = Control<QListWidget>("attachmentList");
    attachments->setFocus();
    attachments->setCurrentRow(1);
    QTest::keyClick(attachments, Qt::Key_Backspace);
    EXPECT_EQ(attachments->count(), 1);
}

// Add starts with the nation last chosen in any editor, not with Neutral.
TEST_F(RecordEditorKeys, AddStartsWithTheNationLastChosen) {
    const auto expectAddsStartAt = [this](int nation) {
        for (const RecordEditorKind& kind : kRecordEditors) {
            if (kind.newName == std::string("New Scenario")) continue;  // a scenario has no nation
            Open(kind);
            Click("addButton");
            EXPECT_EQ(Control<QComboBox>("nationCombo")->currentIndex(), nation) << kind.title;
            dialog->OnCancelAdd();
        }
    };
    expectAddsStartAt(0);
    Open(kRecordEditors[0]);
    Click("addButton");
    auto* nation = Control<QComboBox>("nationCombo");
    nation->setFocus();
    QTest::keyClick(nation, Qt::Key_Down);  // the user's choice, as "activated" reports it
    const int chosen = nation->currentIndex();
    const int nations = nation->count();
    ASSERT_GT(chosen, 0);
    expectAddsStartAt(chosen);
    // A nation chosen in a campaign of more nations than this one has.
    RememberChosenNation(nations);
    Open(kRecordEditors[0]);
    Click("addButton");
    EXPECT_EQ(Control<QComboBox>("nationCombo")->currentIndex(), 0);
}

}  // namespace
