// "Edit Scenarios" on a scenario's forces: the tabs, and the ships and
// squadrons chosen for each, driven through clicks and keys.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "editors/forcepane.h"
#include "tests/support/scenarioeditorfixture.h"

namespace {

// A problem found by the campaign check opens the editor on its force.
TEST_F(ScenarioEditor, OpensOnTheForceAskedForAndAddNewForceKeepsTheEditsOfTheForceShown) {
    AddShip("Lion", 1);
    AddScenario("Dogger Bank", {Force("Raiders", 1)});
    AddScenario("Jutland", {Force("Battlecruisers", 1), Force("Grand Fleet", 1)});
    Open().ShowScenarioAt(1, 1);
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "Jutland");
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Control<QLineEdit>("forceNameEdit")->text(), "Grand Fleet");
    TypeOver("forceNameEdit", "Main Body");
    TypeNotes("forceNotesEdit", "Late");
    DoubleClickLine("availableShipsList", 0);
    Click("addForceButton");
    EXPECT_EQ(TabTexts(), (QStringList{"Force 1", "Force 2", "Force 3"}));
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    EXPECT_EQ(Control<QLineEdit>("forceNameEdit")->text(), "");
    EXPECT_EQ(Control<QPlainTextEdit>("forceNotesEdit")->toPlainText(), "");
    EXPECT_EQ(Control<QComboBox>("nationCombo")->currentIndex(), 0);
    EXPECT_TRUE(Lines("selectedShipsList").isEmpty());
    EXPECT_TRUE(messages.empty());
    // Nothing reaches the document before the editor commits.
    EXPECT_EQ(doc.m_scenarios[1].m_forces.size(), 2u);

    ClickTab(1);
    EXPECT_EQ(Control<QLineEdit>("forceNameEdit")->text(), "Main Body");
    EXPECT_EQ(Control<QPlainTextEdit>("forceNotesEdit")->toPlainText(), "Late");
    EXPECT_EQ(Lines("selectedShipsList"), QStringList{"Lion"});
    Click("closeButton");
    const auto& stored = doc.m_scenarios[1].m_forces;
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].m_strName, "Battlecruisers");
    EXPECT_EQ(stored[1].m_strName, "Main Body");
    EXPECT_EQ(stored[1].m_strNotes, "Late");
    EXPECT_EQ(Notices(), 1);
}

TEST_F(ScenarioEditor, RemovingForceTwoOfThreeRenumbersTheTabs) {
    AddScenario("Dogger Bank", {Force("First", 1), Force("Second", 2), Force("Third", 3)});
    Open();
    TypeOver("umpireEdit", "typed before");
    ClickTab(1);
    answers = {IDNO};
    Click("removeForceButton");
    EXPECT_EQ(messages.back(), "Remove Force 2 with its squadrons and ships?");
    EXPECT_EQ(TabTexts(), (QStringList{"Force 1", "Force 2", "Force 3"}));
    Click("removeForceButton");
    EXPECT_EQ(TabTexts(), (QStringList{"Force 1", "Force 2"}));
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Control<QLineEdit>("forceNameEdit")->text(), "Third");

    // The last one goes next, then the first; the scenario keeps no force.
    Click("removeForceButton");
    EXPECT_EQ(TabTexts(), QStringList{"Force 1"});
    EXPECT_EQ(Control<QLineEdit>("forceNameEdit")->text(), "First");
    Click("removeForceButton");
    EXPECT_EQ(Tabs()->count(), 0);
    EXPECT_FALSE(Button("removeForceButton")->isEnabled());
    EXPECT_FALSE(Control<QLineEdit>("forceNameEdit")->isEnabled());
    EXPECT_TRUE(Button("addForceButton")->isEnabled());
    // With no force left, a removal asks nothing and changes nothing.
    const std::size_t asked = messages.size();
    dialog->Forces().OnRemoveForce();
    EXPECT_EQ(messages.size(), asked);
    EXPECT_EQ(Tabs()->count(), 0);
    Click("closeButton");
    EXPECT_TRUE(doc.m_scenarios[0].m_forces.empty());
    EXPECT_EQ(doc.m_scenarios[0].m_strUmpire, "typed before");
}

// Adding copies the record of the line chosen, asking first when its name
// is listed already.
TEST_F(ScenarioEditor, AddingCopiesTheLinesRecordAndAsksBeforeARepeat) {
    AddShip("Lion", 1);
    AddShip("LION", 1);
    AddShip("Twin", 1);
    AddShip("Twin", 2);
    doc.m_ships.Modify(3).m_strIdentifier = "nation two";
    AddSquadron("1st BCS", 1);
    AddScenario("Jutland", {Force("Beatty", 1), Force("Hipper", 2)});
    Open();
    ClickLine("availableShipsList", 0);
    Click("addShipButton");
    EXPECT_TRUE(messages.empty());
    Click("addShipButton");
    EXPECT_EQ(messages.back(), "This ship already in list. Continue?");
    EXPECT_EQ(Lines("selectedShipsList"), (QStringList{"Lion", "Lion"}));
    // Letter case does not make another name for the question.
    answers = {IDNO};
    DoubleClickLine("availableShipsList", 1);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(Lines("selectedShipsList"), (QStringList{"Lion", "Lion"}));
    EXPECT_EQ(dialog->WorkingForce().m_ships.size(), 2u);

    DoubleClickLine("availableSquadronsList", 0);
    answers = {IDYES};
    DoubleClickLine("availableSquadronsList", 0);
    EXPECT_EQ(messages.back(), "This Squadron already in list. Continue?");
    EXPECT_EQ(dialog->WorkingForce().m_squadrons.size(), 2u);

    // Removing takes the selected line and its copy.
    DoubleClickLine("selectedShipsList", 1);
    EXPECT_EQ(Lines("selectedShipsList"), QStringList{"Lion"});
    EXPECT_EQ(dialog->WorkingForce().m_ships.size(), 1u);

    // Of two ships of one name the line's own is copied, and it is a copy:
    // changing the document's ship later leaves the force alone.
    ClickTab(1);
    DoubleClickLine("availableShipsList", 0);
    doc.m_ships.Modify(3).m_strIdentifier = "changed";
    Click("closeButton");
    const auto& forces = doc.m_scenarios[0].m_forces;
    EXPECT_EQ(forces[0].m_ships.size(), 1u);
    EXPECT_EQ(forces[0].m_squadrons.size(), 2u);
    ASSERT_EQ(forces[1].m_ships.size(), 1u);
    EXPECT_EQ(forces[1].m_ships[0].m_strIdentifier, "nation two");
}

// The available lists follow the nation and what the inner editors make;
// the selected lists keep what they hold.
TEST_F(ScenarioEditor, AvailableListsFollowTheNationAndTheInnerEditorsSelectedListsDoNot) {
    AddShip("Lion", 1);
    AddShip("Seydlitz", 2);
    AddShip("Tiger", 1);
    AddSquadron("1st BCS", 1);
    AddSquadron("I SG", 2);
    AddScenario("Jutland", {Force("Lost", 99), Force("Negative", -5), Force("Beatty", 1)});
    Open();
    // A force of a nation the campaign does not hold shows none and offers nothing.
    for (int unknown : {0, 1}) {
        ClickTab(unknown);
        EXPECT_EQ(Control<QComboBox>("nationCombo")->currentIndex(), -1) << unknown;
        EXPECT_TRUE(Lines("availableShipsList").isEmpty()) << unknown;
    }
    ClickTab(2);
    EXPECT_EQ(Lines("availableShipsList"), (QStringList{"Lion", "Tiger"}));
    EXPECT_EQ(Lines("availableSquadronsList"), QStringList{"1st BCS"});
    DoubleClickLine("availableShipsList", 1);
    ChooseNation(2);
    EXPECT_EQ(Lines("availableShipsList"), QStringList{"Seydlitz"});
    EXPECT_EQ(Lines("availableSquadronsList"), QStringList{"I SG"});
    EXPECT_EQ(Lines("selectedShipsList"), QStringList{"Tiger"});
    EXPECT_EQ(dialog->WorkingForce().m_nNation, 2);
    // Nothing selected in the new list: ">" acts on nothing.
    Click("addShipButton");
    EXPECT_EQ(dialog->WorkingForce().m_ships.size(), 1u);

    // The keyboard moves through the nations as well.
    auto* combo = Control<QComboBox>("nationCombo");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(dialog->WorkingForce().m_nNation, 1);
    EXPECT_EQ(Lines("availableShipsList"), (QStringList{"Lion", "Tiger"}));

    // Ships and squadrons made in the inner editors are offered at once.
    OnNextDialog([this](QDialog* ships) {
        AddShip("Hood", 1);
        ships->reject();
    });
    Click("shipsButton");
    EXPECT_EQ(Lines("availableShipsList"), QStringList({"Lion", "Tiger", "Hood"}));
    OnNextDialog([this](QDialog* squadrons) {
        AddSquadron("2nd BCS", 1);
        AddShip("Princess Royal", 1);
        squadrons->reject();
    });
    Click("squadronsButton");
    EXPECT_EQ(Lines("availableSquadronsList"), QStringList({"1st BCS", "2nd BCS"}));
    EXPECT_EQ(Lines("availableShipsList"),
              QStringList({"Lion", "Tiger", "Hood", "Princess Royal"}));
}

TEST_F(ScenarioEditor, UpAndDnFollowTheSelectedLine) {
    for (const char* name : {"A", "B", "C"}) AddShip(name, 1);
    AddScenario("S", {Force("F", 1)});
    for (const VxShip& ship : doc.m_ships)
        doc.m_scenarios.Modify(0).m_forces[0].m_ships.push_back(ship);
    Open();
    // Arrow buttons are on while a force is shown; Up and Dn need a line.
    EXPECT_TRUE(Button("removeShipButton")->isEnabled());
    EXPECT_FALSE(Button("shipUpButton")->isEnabled());
    EXPECT_FALSE(Button("shipDownButton")->isEnabled());
    for (const auto& [row, up, down] :
         {std::tuple{0, false, true}, {1, true, true}, {2, true, false}}) {
        ClickLine("selectedShipsList", row);
        EXPECT_EQ(Button("shipUpButton")->isEnabled(), up) << row;
        EXPECT_EQ(Button("shipDownButton")->isEnabled(), down) << row;
    }

    Click("shipUpButton");
    EXPECT_EQ(Lines("selectedShipsList"), (QStringList{"A", "C", "B"}));
    EXPECT_EQ(List("selectedShipsList")->currentRow(), 1);
    Click("shipUpButton");
    EXPECT_EQ(Lines("selectedShipsList"), (QStringList{"C", "A", "B"}));
    EXPECT_FALSE(Button("shipUpButton")->isEnabled());
    // A single line can move neither way.
    Click("removeShipButton");
    ClickLine("selectedShipsList", 1);
    Click("removeShipButton");
    EXPECT_EQ(Lines("selectedShipsList"), QStringList{"A"});
    ClickLine("selectedShipsList", 0);
    EXPECT_FALSE(Button("shipUpButton")->isEnabled());
    EXPECT_FALSE(Button("shipDownButton")->isEnabled());
}

}  // namespace
