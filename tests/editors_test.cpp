#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <tuple>

#include "desktop/helpwindow.h"
#include "editors/addarmament.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "editors/editships.h"
#include "platform/programfiles.h"
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
    answers = {IDNO};
    Click("deleteButton");
    EXPECT_EQ(messages.back(),
              "LION is the flagship of 1st Battlecruiser Squadron and a member of Grand Fleet "
              "Reserve. Delete it anyway?");
    EXPECT_TRUE(scripted.types.back() & MB_DEFBUTTON2);
    EXPECT_EQ(doc.m_ships.size(), 4u);

    Click("nextButton");
    answers = {IDNO};
    Click("deleteButton");
    EXPECT_EQ(messages.back(),
              "TIGER is a member of 1st Battlecruiser Squadron. Delete it anyway?");
    Click("nextButton");
    answers = {IDNO};
    Click("deleteButton");
    EXPECT_EQ(messages.back(), "Are you sure you want to delete this ship?");
    // The question names every role and counts what it leaves out.
    Click("lastButton");
    answers = {IDNO};
    Click("deleteButton");
    EXPECT_EQ(messages.back(),
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
    EXPECT_EQ(messages.back(), "Also rename it in the 2 squadrons that name it?");
    EXPECT_EQ(doc.m_ships[0].m_strName, "Leo");
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "Leo");
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames, (CStringArray{"Tiger", "Leo"}));
    EXPECT_EQ(doc.m_squadrons[1].m_attachmentNames, CStringArray{"Leo"});
    EXPECT_EQ(doc.m_squadrons[2].m_strFlagship, "Tiger");

    Rename("Tyger");
    answers = {IDNO};
    Click("closeButton");
    EXPECT_EQ(messages.back(), "Also rename it in the 2 squadrons that name it?");
    EXPECT_EQ(doc.m_ships[1].m_strName, "Tyger");
    EXPECT_EQ(doc.m_squadrons[2].m_strFlagship, "Tiger");  // No leaves them, now missing
    EXPECT_EQ(Notices(), 4);
}

// The question names the forces whose copies use the old name, with counts,
// and Yes renames them too; a force's copy of another nation stays.
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

    // Only forces: the question says so; Yes renames the copies.
    doc.m_squadrons.Modify(0).m_shipNames = {"Lion"};
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons.clear();
    doc.m_scenarios.Modify(0).m_forces[0].m_ships[0].m_strName = "Tiger (1915)";
    doc.m_scenarios.Modify(0).m_forces[1].m_ships[0].m_nNation = 1;
    doc.m_scenarios.Modify(0).m_forces[1].m_ships[0].m_strName = "Tiger (1915)";
    Open();
    Rename("Tiger (1916)");
    answers = {IDYES};
    Click("closeButton");
    EXPECT_EQ(messages.back(),
              "Its old name is used in 2 scenario forces:\n"
              "Dogger Bank, Force 1 (Battlecruiser Force): 1 single ship\n"
              "Dogger Bank, Force 2: 1 single ship\n"
              "Also rename it in all of them?");
    const VxScenario& renamed = doc.m_scenarios[0];
    EXPECT_EQ(renamed.m_forces[0].m_ships[0].m_strName, "Tiger (1916)");
    EXPECT_EQ(renamed.m_forces[0].m_ships[1].m_strName, "Tiger");  // of another nation
    EXPECT_EQ(renamed.m_forces[1].m_ships[0].m_strName, "Tiger (1916)");
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
    EXPECT_EQ(doc.m_ships[2].m_nMainArmament, 11);
    EXPECT_EQ(Counter(), "3 of 3");
}

class ArmamentEditor : public Editor {
  protected:
    CEditArmamentsDlg& Open() {
        dialog = std::make_unique<CEditArmamentsDlg>(doc, nullptr);
        return *dialog;
    }
    void ShowNation(int nation) {
        Child<QComboBox>(dialog.get(), "nationCombo")->setCurrentIndex(nation);
        dialog->FillArmamentList();
        dialog->UpdateButtons();
    }
    QListWidget* List() { return Child<QListWidget>(dialog.get(), "armamentList"); }
    void SelectRow(int row) { List()->setCurrentRow(row); }
    // Fills "Add Armament" when it opens, then presses OK.
    static void AnswerArmament(const QString& calibre, const QString& af) {
        OnNextDialog([=](QDialog* add) {
            Type(add, "calibreEdit", calibre);
            Type(add, "afEdit", af);
            add->accept();
        });
    }
    // Types an AF into "Edit Armament" when it opens, then presses OK.
    static void AnswerAf(const char* af) {
        OnNextDialog([af](QDialog* edit) {
            Type(edit, "afEdit", af);
            edit->accept();
        });
    }
    void ShipsUsing(int armament) {
        doc.m_ships.resize(2);
        doc.m_ships.Modify(0).m_nMainArmament = armament;
        doc.m_ships.Modify(1).m_nMainArmament = armament - 1;
        VxScenario scenario;
        scenario.m_forces.resize(1);
        scenario.m_forces[0].m_ships = doc.m_ships;
        doc.m_scenarios.push_back(scenario);
    }
    std::unique_ptr<CEditArmamentsDlg> dialog;
};

// It opens on the first nation with only Add; a refused add and an edit
// that changes nothing post no notice. An added or removed armament moves
// the armament numbers of ships and their copies in forces.
TEST_F(ArmamentEditor, PostsOnlyWhatChangesAndAddingAndRemovingShiftShipsAndForceCopies) {
    ShipsUsing(7);
    Open();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(Child<QPushButton>(dialog.get(), "addButton")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog.get(), "editButton")->isEnabled());
    ShowNation(1);
    ASSERT_EQ(List()->count(), 11);
    EXPECT_EQ(List()->item(0)->text(), "3\t\t0.33");
    EXPECT_EQ(dialog->FirstRow(), 0);

    OnNextDialog([](QDialog* add) {
        // The calibre takes the keys, its "0.0" replaced by what is typed.
        ASSERT_EQ(add->focusWidget(), Child<QLineEdit>(add, "calibreEdit"));
        QTest::keyClicks(add->focusWidget(), "4.7");
        Type(add, "afEdit", "0.9");
        add->accept();
    });
    dialog->OnAdd();
    EXPECT_EQ(messages.back(), "Armament already exists!");
    EXPECT_EQ(doc.m_armaments.size(), 21u);

    SelectRow(3);
    OnNextDialog([](QDialog* edit) {
        EXPECT_EQ(edit->windowTitle(), "Edit Armament");
        EXPECT_FALSE(edit->findChild<QLineEdit*>("calibreEdit")->isEnabled());
        edit->accept();
    });
    dialog->OnEdit();
    EXPECT_EQ(Notices(), 0);
    SelectRow(3);
    AnswerAf("0.65");
    dialog->OnEdit();
    EXPECT_EQ(doc.m_armaments[3].m_dAF, 0.65);
    EXPECT_EQ(Notices(), 1);

    AnswerArmament("10", "1.8");
    dialog->OnAdd();
    ASSERT_EQ(doc.m_armaments.size(), 22u);
    EXPECT_EQ(doc.m_armaments[7].m_strCalibre, "10");
    EXPECT_EQ(doc.m_ships[0].m_nMainArmament, 8);
    EXPECT_EQ(doc.m_ships[1].m_nMainArmament, 6);
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships[0].m_nMainArmament, 8);
    EXPECT_EQ(List()->count(), 12);
    EXPECT_EQ(Notices(), 2);

    doc.m_ships.Modify(1).m_nMainArmament = 7;
    SelectRow(7);  // the "10"
    answers = {IDNO};
    dialog->OnRemove();
    EXPECT_EQ(doc.m_armaments.size(), 22u);
    dialog->OnRemove();
    EXPECT_EQ(messages.back(), "Are you sure you want to delete this Armament type?");
    EXPECT_EQ(doc.m_armaments.size(), 21u);
    EXPECT_EQ(doc.m_ships[0].m_nMainArmament, 7);  // was 8: "12"
    EXPECT_EQ(doc.m_ships[1].m_nMainArmament, 7);  // used the "10": now names "12"
    EXPECT_EQ(doc.m_armaments[7].m_strCalibre, "12");
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships[0].m_nMainArmament, 7);

    ShowNation(2);
    AnswerArmament("Aircraft", "0");
    dialog->OnAdd();
    EXPECT_EQ(doc.m_armaments[21].m_strCalibre, "Aircraft");  // after Germany's "15"
}

// One aircraft is allowed whichever row is edited; duplicate guns and a
// second aircraft are refused.
TEST_F(ArmamentEditor, EditRefusesDuplicateGunsAndASecondAircraft) {
    VxArmament aircraft("Aircraft", 0.5, 2);
    aircraft.m_bGun = FALSE;
    aircraft.m_strNotes = "Camel";
    doc.InsertArmament(aircraft);
    Open();
    ShowNation(2);
    const int aircraftRow = List()->count() - 1;
    for (const int row : {0, aircraftRow}) {
        SelectRow(row);
        AnswerAf("0.4");
        dialog->OnEdit();
        EXPECT_EQ(messages, std::vector<std::string>{}) << "row " << row;
        EXPECT_EQ(doc.m_armaments[std::size_t(11 + row)].m_dAF, 0.4) << "row " << row;
    }
    EXPECT_EQ(doc.m_armaments[std::size_t(11 + aircraftRow)].m_strCalibre, "Aircraft");

    aircraft.m_strNotes = "Pup";
    doc.InsertArmament(aircraft);
    ShowNation(2);
    SelectRow(0);
    AnswerAf("0.35");
    dialog->OnEdit();
    EXPECT_EQ(messages.back(), "Only allowed one aircraft weapon type per Nation! Cannot replace");
    EXPECT_EQ(doc.m_armaments[11].m_dAF, 0.4);

    doc.m_armaments.insert(doc.m_armaments.begin() + 1, doc.m_armaments[0]);  // two "3" guns
    ShowNation(1);
    SelectRow(0);
    OnNextDialog([](QDialog* edit) { edit->accept(); });
    dialog->OnEdit();
    EXPECT_EQ(messages.back(), "That Armament type already exists! Cannot replace");
}

TEST_F(ArmamentEditor, AircraftThenGunRestoresTheTypedValues) {
    CAddArmamentDlg add(VxArmament("0.0", 0, 1), doc.m_nations, true, nullptr);
    EXPECT_EQ(add.windowTitle(), "Add Armament");
    EXPECT_EQ(Child<QLineEdit>(&add, "nationEdit")->text(), "Great Britain");
    Type(&add, "calibreEdit", "9.2");
    Type(&add, "notesEdit", "Mk X");
    Type(&add, "afEdit", "1.5");
    Child<QRadioButton>(&add, "aircraftRadio")->click();
    EXPECT_EQ(Child<QLineEdit>(&add, "calibreEdit")->text(), "Aircraft");
    EXPECT_EQ(Child<QLineEdit>(&add, "notesEdit")->text(), "");
    EXPECT_EQ(Child<QLineEdit>(&add, "afEdit")->text(), "0");
    Child<QRadioButton>(&add, "gunRadio")->click();
    EXPECT_EQ(Child<QLineEdit>(&add, "calibreEdit")->text(), "9.2");
    EXPECT_EQ(Child<QLineEdit>(&add, "notesEdit")->text(), "Mk X");
    EXPECT_EQ(Child<QLineEdit>(&add, "afEdit")->text(), "1.5");
    Type(&add, "rangeBand9", "x");
    Type(&add, "afEdit", "one");
    add.accept();
    EXPECT_EQ(messages.back(), "Please enter a number in \"AF\".");
    EXPECT_NE(add.result(), QDialog::Accepted);
    Type(&add, "afEdit", "1.25");
    add.accept();
    EXPECT_EQ(add.Armament().m_dAF, 1.25);
    EXPECT_EQ(add.Armament().GetRangeBand(9), "x");
    EXPECT_TRUE(add.Armament().m_bGun);
}

TEST(Manual, HasASectionForEveryHelpContextOrSaysItCannotBeRead) {
    HelpWindow* help = HelpWindow::Instance();
    for (int context :
         {HelpContext::kNations, HelpContext::kArmaments, HelpContext::kShips,
          HelpContext::kSquadrons, HelpContext::kScenarios, HelpContext::kPrintSelection,
          HelpContext::kCampaignCheck, HelpContext::kCsvImport, HelpContext::kTable}) {
        help->ShowContext(context);
        EXPECT_EQ(help->source().fragment(), QString("context-%1").arg(context));
    }
    help->ShowContext(999);
    EXPECT_EQ(help->source().fragment(), "index");
    // It opens wholly on the screen, however small.
    EXPECT_TRUE(help->screen()->availableGeometry().contains(help->frameGeometry()));
    for (const char* described :
         {"Reading a ship record card", "Export Campaign as JSON", "Import Campaign from JSON",
          "Export Ships as CSV", "HTML briefing", "Edit > Copy", "Edit > Paste", "Play Scenario",
          "Print This Ship", "right-click"}) {
        EXPECT_TRUE(help->toPlainText().contains(described)) << described;
    }
    help->close();

    // A manual that cannot be read is reported instead of shown.
    ScriptedAnswers scripted;
    help->UseManual("/nowhere/brinnow.html");
    help->ShowContext(HelpContext::kShips);
    help->UseManual(QString::fromStdString(ProgramFiles::OfRunningProgram().Manual()));
    EXPECT_EQ(scripted.messages, std::vector<std::string>{"Cannot open the manual "
                                                          "\"/nowhere/brinnow.html\": No such "
                                                          "file or directory."});
    EXPECT_FALSE(help->isVisible());
}

TEST_F(Editor, NationsAreAddedAndEditedButNeverRemoved) {
    doc.m_nations.Modify(1).m_strNotes = "lone\nLF\xA0 ";  // comes back as it was
    CEditNationsDlg dialog(doc.m_nations, nullptr);
    auto* list = Child<QListWidget>(&dialog, "nationList");
    EXPECT_EQ(list->count(), 10);

    OnNextDialog([](QDialog* add) {
        EXPECT_EQ(add->windowTitle(), "Add Nation");
        ASSERT_EQ(add->focusWidget(), Child<QLineEdit>(add, "nameEdit"));
        QTest::keyClicks(add->focusWidget(), "Sweden");
        add->accept();
    });
    dialog.OnAdd();
    ASSERT_EQ(doc.m_nations.size(), 11u);
    EXPECT_EQ(doc.m_nations.back().m_strName, "Sweden");
    EXPECT_EQ(Notices(), 1);

    const std::string added = doc.SaveToBytes();
    list->setCurrentRow(1);
    OnNextDialog([](QDialog* edit) {
        EXPECT_EQ(edit->windowTitle(), "Edit Nation");
        edit->accept();
    });
    dialog.OnEdit();
    EXPECT_EQ(Notices(), 1);
    EXPECT_EQ(doc.SaveToBytes(), added);

    list->setCurrentRow(0);
    dialog.OnRemove();
    EXPECT_EQ(
        messages[0],
        "This is not recommended. Any other resources relying on ths Nation in this document "
        "will be destroyed as a result of this action. \r\nAre you sure you wish to do this?");
    EXPECT_EQ(messages[1], "Not yet implemented");
    EXPECT_EQ(doc.m_nations.size(), 11u);
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
