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

#include "editors/accesskeys.h"
#include "editors/editscenarios.h"
#include "tests/support/editorfixture.h"

namespace {

struct RecordEditorKind {
    const char* title;
    const char* newName;
    const char* abandonQuestion;
    const char* deleteQuestion;
    // All that the editor offers with no record to show, sorted.
    const char* nothingShown;
    const char* noName;  // the refusal of the default name
    const char* taken;   // the refusal of a name in use
    std::function<std::unique_ptr<RecordEditorDlg>(CBrinnowDoc&)> open;
    std::function<std::size_t(const CBrinnowDoc&)> records;
};

const RecordEditorKind kRecordEditors[] = {
    {"Edit Ships", "New Ship", "Abandon Changes to ship?",
     "Are you sure you want to delete this ship?", "addButton closeButton",
     "You must supply a unique name for the ship!", "Ship already exists!",
     [](CBrinnowDoc& doc) { return ShipsDialog(doc); },
     [](const CBrinnowDoc& doc) { return doc.m_ships.size(); }},
    {"Edit Squadrons", "New Squadron", "Abandon Changes to squadron?",
     "Are you sure you want to delete this squadron?", "addButton closeButton shipsButton",
     "You must supply a unique name for this squadron!", "Squadron already exists with this name!",
     [](CBrinnowDoc& doc) { return SquadronsDialog(doc); },
     [](const CBrinnowDoc& doc) { return doc.m_squadrons.size(); }},
    {"Edit Scenarios", "New Scenario", "Abandon Changes to Scenario?",
     "Are you sure you want to delete this Scenario?",
     "addButton closeButton shipsButton squadronsButton",
     "You must supply a unique name for this Scenario!", "Scenario already exists with this name!",
     [](CBrinnowDoc& doc) { return std::make_unique<CEditScenariosDlg>(doc, nullptr); },
     [](const CBrinnowDoc& doc) { return doc.m_scenarios.size(); }},
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
    // One record for each editor to show, all of one name: by default neutrals
    // without armaments, shown as near as they can be; the scenario has one force.
    void AddOneOfEach(const char* name = "Lion", int nation = 0) {
        AddShip(name, nation);
        AddSquadron(name, nation);
        VxScenario scenario;
        scenario.m_strName = name;
        scenario.m_forces.resize(1);
        doc.m_scenarios.push_back(scenario);
    }

    std::unique_ptr<RecordEditorDlg> dialog;
};

// Escape and the close box close an untouched editor at once, and ask
// before typing in it is thrown away, with No as the default. Enter presses
// the button that has the focus; from anywhere else it presses Close, which
// asks before a new record is dropped.
TEST_F(RecordEditorKeys, EscapeTheCloseBoxAndEnterAskOnlyWhenEditsWouldBeLost) {
    for (const RecordEditorKind& kind : kRecordEditors) {
        doc = CBrinnowDoc();
        const int noticed = Notices();
        Open(kind);  // with no record to show, nothing can be lost
        EXPECT_EQ(EnabledControls().join(' '), kind.nothingShown) << kind.title;
        EXPECT_EQ(Counter(), "") << kind.title;
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
        // (Closing by Enter below may store a neutral ship as the form shows it.)
        EXPECT_EQ(Notices(), noticed) << kind.title;
        messages.clear();

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
    EXPECT_EQ(doc.m_scenarios[0].m_strName, "Lion");
}

// Add leaves the keys in the selected new name. Saving a new record refuses
// the default name and one in use, keeping the input; leaving it asks first.
// Deleting the last record, then the only one, leaves the editor as it opens
// on none, where closing stores nothing.
TEST_F(RecordEditorKeys, SavingAndLeavingANewRecordThenDeletingTheLastAndTheOnlyRecord) {
    for (const RecordEditorKind& kind : kRecordEditors) {
        SCOPED_TRACE(kind.title);
        doc = CBrinnowDoc();
        AddOneOfEach("A", 1);
        AddOneOfEach("B", 1);
        RememberChosenNation(1);  // which a new record then starts with
        const std::string before = doc.SaveToBytes();
        Open(kind);
        Click("addButton");
        EXPECT_EQ(Counter(), kind.newName);
        auto* name = Control<QLineEdit>("nameEdit");
        ASSERT_EQ(QApplication::focusWidget(), name);
        EXPECT_EQ(name->selectedText(), kind.newName);
        // A blank typed into the name must not press "Save" under the focus.
        QTest::keyClicks(QApplication::focusWidget(), "HMS Lion");
        EXPECT_EQ(name->text(), "HMS Lion");
        EXPECT_TRUE(dialog->IsAdding());
        EXPECT_TRUE(messages.empty()) << messages.front();
        TypeOver("nameEdit", kind.newName);
        Click("addButton");
        EXPECT_EQ(messages, std::vector<std::string>{kind.noName});
        TypeOver("nameEdit", "B");
        Click("addButton");
        EXPECT_EQ(messages.back(), kind.taken);
        EXPECT_TRUE(dialog->IsAdding());
        EXPECT_EQ(Counter(), kind.newName);
        EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "B");
        TypeOver("nameEdit", "Half done");
        answers = {IDNO};
        Click("nextButton");
        EXPECT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages.back(), "Do you want to throw away changes?");
        EXPECT_TRUE(dialog->IsAdding());
        EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "Half done");
        Click("lastButton");
        EXPECT_FALSE(dialog->IsAdding());
        EXPECT_EQ(Counter(), "2 of 2");
        EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "B");
        EXPECT_TRUE(doc.SaveToBytes() == before);
        Click("addButton");
        Click("cancelButton");
        EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "B");

        answers = {IDNO};
        Click("deleteButton");
        EXPECT_EQ(messages.back(), kind.deleteQuestion);
        EXPECT_EQ(kind.records(doc), 2u);
        Click("deleteButton");
        ASSERT_EQ(kind.records(doc), 1u);
        EXPECT_EQ(Counter(), "1 of 1");
        EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "A");
        EXPECT_FALSE(Control<QPushButton>("nextButton")->isEnabled());
        Click("deleteButton");
        EXPECT_EQ(kind.records(doc), 0u);
        EXPECT_EQ(Counter(), "");
        EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "");
        EXPECT_EQ(EnabledControls().join(' '), kind.nothingShown);

        // Closing while adding asks, and with Yes stores nothing.
        Click("addButton");
        EXPECT_EQ(QApplication::focusWidget(), Control<QLineEdit>("nameEdit"));
        Click("closeButton");
        EXPECT_EQ(messages.back(), kind.abandonQuestion);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(kind.records(doc), 0u);
        EXPECT_EQ(Notices(), 0);
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
        ClickLine(pair.available, 0);
        QTest::keyClick(Control<QListWidget>(pair.available), Qt::Key_Return);
        auto* chosen = Control<QListWidget>(pair.chosen);
        EXPECT_EQ(chosen->count(), 1) << pair.available;
        EXPECT_TRUE(dialog->isVisible()) << pair.available;
        ClickLine(pair.chosen, 0);
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

// "&&" is an ampersand shown, not a key; the key is the letter after a lone "&".
TEST(AccessKeys, AnAmpersandPairIsTextAndTheKeyFollowsALoneOne) {
    EXPECT_EQ(AccessKeyOf("e&xit"), QChar('X'));
    EXPECT_EQ(AccessKeyOf("Save && &Close"), QChar('C'));
    EXPECT_TRUE(AccessKeyOf("Fish && Chips").isNull());
    EXPECT_TRUE(AccessKeyOf("Ends with &").isNull());
}

}  // namespace
