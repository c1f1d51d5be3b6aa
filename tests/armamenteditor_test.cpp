// "Edit Armaments" and "Edit Nations": the records ships are built from.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "editors/addarmament.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "tests/support/editorfixture.h"

namespace {

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

// Copy offers the chosen armament, the first of the list as any other,
// under a calibre still to be typed, and adds it as a new one.
TEST_F(ArmamentEditor, CopyAddsTheChosenArmamentUnderANewCalibre) {
    Open();
    ShowNation(1);
    SelectRow(0);
    dialog->UpdateButtons();
    const VxArmament original = doc.m_armaments[0];
    QString offeredCalibre;
    OnNextDialog([&](QDialog* add) {
        offeredCalibre = Child<QLineEdit>(add, "calibreEdit")->text();
        Type(add, "calibreEdit", "17.3");
        add->accept();
    });
    QTest::mouseClick(Child<QPushButton>(dialog.get(), "copyButton"), Qt::LeftButton);
    EXPECT_EQ(offeredCalibre, "0.0");
    VxArmament copy = original;
    copy.m_strCalibre = "17.3";
    ASSERT_EQ(doc.m_armaments.size(), 22u);
    EXPECT_TRUE(std::any_of(doc.m_armaments.begin(), doc.m_armaments.end(),
                            [&](const VxArmament& a) { return !a.IsDifferent(copy); }));
    EXPECT_EQ(doc.m_armaments[0].m_strCalibre, original.m_strCalibre);
}

TEST_F(ArmamentEditor, AircraftThenGunRestoresTheTypedValues) {
    CAddArmamentDlg add(VxArmament("0.0", 0, 1), doc.m_nations, true, nullptr);
    EXPECT_EQ(Child<QLineEdit>(&add, "nationEdit")->text(), "Great Britain");
    const char* const boxes[] = {"calibreEdit", "notesEdit", "afEdit"};
    const auto shown = [&] {
        QStringList texts;
        for (const char* box : boxes) texts << Child<QLineEdit>(&add, box)->text();
        return texts;
    };
    const QStringList typed = {"9.2", "Mk X", "1.5"};
    for (int i = 0; i < 3; ++i) Type(&add, boxes[i], typed[i]);
    Child<QRadioButton>(&add, "aircraftRadio")->click();
    EXPECT_EQ(shown(), (QStringList{"Aircraft", "", "0"}));
    Child<QRadioButton>(&add, "gunRadio")->click();
    EXPECT_EQ(shown(), typed);
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

TEST_F(Editor, NationsAreAddedAndEditedButNeverRemoved) {
    doc.m_nations.Modify(1).m_strNotes = "lone\nLF\xA0 ";  // comes back as it was
    CEditNationsDlg dialog(doc.m_nations, nullptr);
    auto* list = Child<QListWidget>(&dialog, "nationList");
    EXPECT_EQ(list->count(), 10);

    OnNextDialog([](QDialog* add) {
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
    OnNextDialog([](QDialog* edit) { edit->accept(); });
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

}  // namespace
