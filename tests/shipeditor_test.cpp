// "Edit Ships": saving, renaming and deleting a ship, and what that asks
// about the squadrons and scenario forces that name it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "editors/editships.h"
#include "tests/support/editorfixture.h"

namespace {

class ShipEditor : public Editor {
  protected:
    CEditShipsDlg& Open() { return *(dialog = ShipsDialog(doc)); }
    void AddShip(const char* name, int nation, double mainAF = 1) {
        VxShip ship = ShipNamed(name, nation);
        ship.m_nMainArmament = nation == 2 ? 11 : 0;
        ship.m_dMainAF[0] = mainAF;
        doc.m_ships.push_back(ship);
    }
    QWidget* Driven() override { return dialog.get(); }
    void Rename(const char* name) { TypeOver("nameEdit", name); }
    std::unique_ptr<CEditShipsDlg> dialog;
};

// Each caption stands before its field, "Notes" at the top of its box.
TEST_F(ShipEditor, EveryCaptionStandsBeforeItsField) {
    Open().show();
    for (const auto& [text, field] :
         {std::pair{"Name", "nameEdit"}, {"Identifier", "identifierEdit"}, {"Notes", "notesEdit"}})
        ExpectCaptionBefore(text, field);
    EXPECT_EQ(CaptionPlaced("Notes").top(), Placed("notesEdit").top());
}

// A new ship needs a name unique in its nation; new and renamed ships go in
// ship order and the counter follows.
TEST_F(ShipEditor, SavingANewShipNeedsANameUniqueInItsNation) {
    AddShip("Bbb", 1);
    AddShip("Ccc", 2);
    Open();
    dialog->OnAddOrSave();
    EXPECT_EQ(Control<QPushButton>("addButton")->text(), "S&ave");
    Type(dialog.get(), "nameEdit", "Bbb");
    Control<QComboBox>("nationCombo")->setCurrentIndex(2);
    dialog->OnNationChanged();
    dialog->OnAddOrSave();
    EXPECT_FALSE(dialog->IsAdding());
    ASSERT_EQ(doc.m_ships.size(), 3u);
    EXPECT_EQ(doc.m_ships[1].m_strName, "Bbb");
    EXPECT_EQ(doc.m_ships[1].m_nNation, 2);
    EXPECT_EQ(doc.m_ships[1].m_nMainArmament, 11);  // Germany's first gun
    EXPECT_EQ(dialog->Current(), 1);
    EXPECT_EQ(Counter(), "2 of 3");
    EXPECT_EQ(Notices(), 1);

    dialog->OnLast();
    Type(dialog.get(), "nameEdit", "Aa");
    dialog->OnNameLeft();
    EXPECT_EQ(doc.m_ships[1].m_strName, "Aa");
    EXPECT_EQ(doc.m_ships[2].m_strName, "Bbb");
    EXPECT_EQ(Counter(), "2 of 3");
    EXPECT_EQ(Notices(), 2);
}

TEST_F(ShipEditor, AMalformedNumberOrAnArmamentRuleStopsTheAction) {
    AddShip("A", 1);
    AddShip("B", 1);
    Open();
    Type(dialog.get(), "nameEdit", "Renamed");
    Type(dialog.get(), "secondaryAF2", "1.5x");
    dialog->OnNext();  // a move saves first
    EXPECT_EQ(messages.back(), "Please enter a number in \"Secondary Armament AF 2\".");
    EXPECT_EQ(dialog->Current(), 0);
    EXPECT_EQ(doc.m_ships[0].m_strName, "A");
    EXPECT_EQ(Control<QLineEdit>("secondaryAF2")->text(), "1.5x");
    Type(dialog.get(), "secondaryAF2", "");
    Type(dialog.get(), "turnSpeed3", "2.5");
    dialog->OnNext();
    EXPECT_EQ(messages.back(), "Please enter a whole number in \"Turn Speed 3\".");

    Type(dialog.get(), "turnSpeed3", "2");
    Type(dialog.get(), "mainAF1", "0");
    Type(dialog.get(), "secondaryAF1", "1");
    dialog->OnNext();
    EXPECT_EQ(messages.back(), "To have secondary armament, you must have main armament");
    EXPECT_EQ(doc.m_ships[0].m_dSecondaryAF[0], 0.0);

    VxArmament aircraft("Aircraft", 1, 1);
    aircraft.m_bGun = FALSE;
    const int at = doc.InsertArmament(aircraft);
    doc.m_ships.Modify(0).m_nMainArmament = at;
    Open();
    dialog->OnClose();
    EXPECT_EQ(messages.back().rfind("Aircraft Carriers have to have their aircraft specified as "
                                    "the secondary armament.",
                                    0),
              0u);
    EXPECT_FALSE(dialog->result() == QDialog::Accepted);
}

TEST_F(ShipEditor, DeletingAShipThatSquadronsNameSaysWhichWithNoAsTheDefault) {
    AddShip("Lion", 1);
    AddShip("Tiger", 1);
    AddShip("Lion", 2);  // a later twin, which no lookup by name finds
    AddShip("Hood", 1);
    AddSquadron("1st Battlecruiser Squadron", 1, {"Tiger"}).m_strFlagship = "Lion";
    AddSquadron("Grand Fleet Reserve", 1, {"Lion", "Lion"});
    AddSquadron("Battlecruisers", 1).m_strFlagship = "Hood";
    for (const char* name : {"A", "B", "C", "D", "E", "F"}) AddSquadron(name, 1, {"Hood"});
    AddSquadron("Scouts", 1, {}, {"Hood"});
    Open();
    // Shows the ship the button goes to and answers No to the question.
    const auto askDelete = [this](const char* move) {
        Click(move);
        answers = {IDNO};
        Click("deleteButton");
        return messages.back();
    };
    EXPECT_EQ(askDelete("firstButton"),
              "LION is the flagship of 1st Battlecruiser Squadron and a member of Grand Fleet "
              "Reserve. Delete it anyway?");
    EXPECT_TRUE(scripted.types.back() & MB_DEFBUTTON2);
    EXPECT_EQ(doc.m_ships.size(), 4u);
    EXPECT_EQ(askDelete("nextButton"),
              "TIGER is a member of 1st Battlecruiser Squadron. Delete it anyway?");
    EXPECT_EQ(askDelete("nextButton"), "Are you sure you want to delete this ship?");
    // The question names every role and counts what it leaves out.
    EXPECT_EQ(askDelete("lastButton"),
              "HOOD is the flagship of Battlecruisers, a member of A, B, C, D, E and 1 more, and "
              "attached to Scouts. Delete it anyway?");

    Click("firstButton");
    Click("deleteButton");  // Yes: the squadrons keep the name, which now finds the twin
    ASSERT_EQ(doc.m_ships.size(), 3u);
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "Lion");
}

TEST_F(ShipEditor, RenamingAShipThatSquadronsNameOffersToRenameItThere) {
    AddShip("Lion", 1);
    AddShip("Tiger", 1);
    AddShip("Lion", 2);
    AddSquadron("1st Battlecruiser Squadron", 1, {"Tiger", "Lion"}).m_strFlagship = "Lion";
    AddSquadron("Reserve", 1, {}, {"Lion"});
    AddSquadron("Scouts", 1).m_strFlagship = "Tiger";
    Open();
    Click("lastButton");
    Rename("Lion II");
    Click("firstButton");  // the twin was never what "Lion" found: nothing to ask
    EXPECT_TRUE(messages.empty());

    Rename("Leo");
    answers = {IDYES};
    Click("nextButton");  // moving on saves the rename
    // What Yes renames is OneCloseAfterARenameAsksOnceAndClosesWhateverTheAnswer's
    // and History.EveryEditorIsOneStepThatUndoesToTheSameBytes's.
    EXPECT_EQ(messages.back(), "Also rename it in the 2 squadrons that name it?");
    EXPECT_EQ(Notices(), 3);
}

// The question names the forces whose copies use the old name, with counts.
// What Yes renames is the core's (campaigncheck_test.cpp) and the history's
// (History.ARenameOfTheShipsCopiesInForcesIsPartOfTheShipEditorsOneStep).
TEST_F(ShipEditor, ARenameReachesTheCopiesInScenarioForcesAndTheQuestionCountsThem) {
    AddShip("Tiger", 1);
    AddSquadron("1st Battlecruiser Squadron", 1, {"Lion", "Tiger"});
    VxScenario dogger;
    dogger.m_strName = "Dogger Bank";
    dogger.m_forces.resize(2);
    dogger.m_forces[0].m_strName = "Battlecruiser Force";
    dogger.m_forces[0].m_squadrons = {doc.m_squadrons[0]};
    dogger.m_forces[0].m_ships = {ShipNamed("Tiger", 1), ShipNamed("Tiger", 2)};
    dogger.m_forces[1].m_ships = {ShipNamed("Tiger", 2)};
    doc.m_scenarios.push_back(dogger);
    Open();
    Rename("Tiger (1915)");
    answers = {IDNO};
    Click("closeButton");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "Its old name is used by 1 squadron and in 1 scenario force:\n"
              "Dogger Bank, Force 1 (Battlecruiser Force): 1 squadron, 1 single ship\n"
              "Also rename it in all of them?");
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships[0].m_strName, "Tiger");

    // Only forces: the question says so.
    doc.m_ships.Modify(0).m_strName = "Tiger";
    doc.m_squadrons.Modify(0).m_shipNames = {"Lion"};
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons.clear();
    doc.m_scenarios.Modify(0).m_forces[1].m_ships[0].m_nNation = 1;
    Open();
    Rename("Tiger (1916)");
    answers = {IDYES};
    Click("closeButton");
    EXPECT_EQ(messages.back(),
              "Its old name is used in 2 scenario forces:\n"
              "Dogger Bank, Force 1 (Battlecruiser Force): 1 single ship\n"
              "Dogger Bank, Force 2: 1 single ship\n"
              "Also rename it in all of them?");
    EXPECT_EQ(doc.m_scenarios[0].m_forces[1].m_ships[0].m_strName, "Tiger (1916)");
}

// Close pressed while the renamed name still has the focus: one question,
// whatever the answer, and the editor is closed.
TEST_F(ShipEditor, OneCloseAfterARenameAsksOnceAndClosesWhateverTheAnswer) {
    AddShip("Lion", 1);
    AddSquadron("1st Battlecruiser Squadron", 1, {"Lion"}).m_strFlagship = "Lion";
    for (const auto& [name, answer, squadronNames] :
         {std::tuple{"Leo", IDYES, "Leo"}, std::tuple{"Lion", IDNO, "Leo"}}) {
        Open().show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        Control<QLineEdit>("nameEdit")->setFocus(Qt::MouseFocusReason);
        Rename(name);
        answers = {answer};
        const std::size_t asked = messages.size();
        auto* close = Control<QAbstractButton>("closeButton");
        QTest::mousePress(close, Qt::LeftButton);
        // A box that opened on the press takes the release, as the screen does.
        if (messages.size() == asked) QTest::mouseRelease(close, Qt::LeftButton);
        EXPECT_EQ(messages.size(), asked + 1) << name;
        EXPECT_FALSE(dialog->isVisible()) << name;
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << name;
        EXPECT_EQ(doc.m_ships[0].m_strName, name);
        EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, squadronNames);
    }
}

// Copy and Find use "Select Ship"; changing the nation picks its armaments
// and moves the ship.
TEST_F(ShipEditor, CopyFindAndChangingTheNation) {
    AddShip("Alpha", 1, 3);
    AddShip("Bravo", 1);
    Open();
    OnNextDialog([](QDialog* select) {
        select->findChild<QListWidget*>("shipList")->setCurrentRow(0);  // "Alpha"
        select->accept();
    });
    dialog->OnCopy();
    EXPECT_TRUE(dialog->IsAdding());
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "New Ship");
    EXPECT_EQ(Control<QLineEdit>("mainAF1")->text(), "3");
    Type(dialog.get(), "nameEdit", "Alpha II");
    dialog->OnAddOrSave();
    ASSERT_EQ(doc.m_ships.size(), 3u);
    EXPECT_EQ(doc.m_ships[1].m_strName, "Alpha II");
    EXPECT_EQ(doc.m_ships[1].m_dMainAF[0], 3);

    OnNextDialog([](QDialog* select) {
        select->findChild<QListWidget*>("shipList")->setCurrentRow(2);  // "Bravo"
        select->accept();
    });
    dialog->OnFind();
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "Bravo");
    EXPECT_EQ(Counter(), "3 of 3");

    OnNextDialog([](QDialog* select) { select->reject(); });
    dialog->OnCopy();
    EXPECT_FALSE(dialog->IsAdding());
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "Bravo");

    Click("firstButton");
    auto* nation = Control<QComboBox>("nationCombo");
    nation->setCurrentIndex(0);  // Neutral has no armaments
    dialog->OnNationChanged();
    EXPECT_EQ(Control<QComboBox>("mainArmamentCombo")->count(), 0);
    nation->setCurrentIndex(2);
    dialog->OnNationChanged();
    EXPECT_EQ(Control<QComboBox>("mainArmamentCombo")->count(), 10);
    EXPECT_EQ(Control<QComboBox>("mainArmamentCombo")->itemText(0), "3.4 ");
    EXPECT_EQ(doc.m_ships[2].m_strName, "Alpha");
    EXPECT_EQ(Counter(), "3 of 3");
}

// Stepping through an editor and closing it changes no byte of texts that
// an edit box would not hand back as they came; edited texts are stored
// whole, with Windows line breaks.
TEST_F(ShipEditor, OpeningAndClosingChangesNothingAndEditedTextsAreStoredWhole) {
    for (const char* notes : {"lone\rCR, lone\nLF, no\xA0 break", "mixed\r\n\r\rend\n   "}) {
        AddShip(("Name\xA0 " + std::to_string(doc.m_ships.size()) + " ").c_str(), 1);
        doc.m_ships.Modify(doc.m_ships.size() - 1).m_strIdentifier = "id\xA0";
        doc.m_ships.Modify(doc.m_ships.size() - 1).m_strNotes = notes;
    }
    const std::string before = doc.SaveToBytes();
    Open();
    dialog->OnNext();
    EXPECT_EQ(dialog->Current(), 1);
    dialog->OnClose();
    EXPECT_TRUE(doc.SaveToBytes() == before);
    EXPECT_EQ(Notices(), 0);

    doc.m_ships.Modify(0).m_strName.assign(1 << 20, 'N');
    const std::string huge = doc.m_ships[0].m_strName;
    Open();
    Type(dialog.get(), "identifierEdit", QString(40000, 'I'));
    Control<QPlainTextEdit>("notesEdit")->setPlainText("line one\nline two");
    dialog->OnClose();
    EXPECT_TRUE(doc.m_ships[0].m_strName == huge);  // not cut to a line edit's default limit
    EXPECT_EQ(doc.m_ships[0].m_strIdentifier.size(), 40000u);
    EXPECT_EQ(doc.m_ships[0].m_strNotes, "line one\r\nline two");
    EXPECT_EQ(Notices(), 1);
}

}  // namespace
