// "Edit Scenarios" and "Select Scenario", driven offscreen through their
// controls: clicks, keys and the message-box hook.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "charts/comparewindow.h"
#include "desktop/filedialogs.h"
#include "desktop/htmlexportcommand.h"
#include "desktop/printcommand.h"
#include "editors/editscenarios.h"
#include "editors/forcepane.h"
#include "editors/forcetabbar.h"
#include "editors/selectscenario.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "tests/support/editorfixture.h"
#include "tests/support/recordingdc.h"

namespace {

VxForce Force(const char* name, int nation) {
    VxForce force;
    force.m_strName = name;
    force.m_nNation = nation;
    return force;
}

class ScenarioEditor : public Editor {
  protected:
    void TearDown() override {
        dialog.reset();
        SetFileChoiceHook({});
        SetPrintHook({});
        Editor::TearDown();
    }

    VxScenario& AddScenario(const char* name, std::initializer_list<VxForce> forces = {}) {
        VxScenario scenario;
        scenario.m_strName = name;
        for (const VxForce& force : forces) scenario.m_forces.push_back(force);
        doc.m_scenarios.push_back(scenario);
        return doc.m_scenarios.Modify(doc.m_scenarios.size() - 1);
    }

    CEditScenariosDlg& Open() {
        dialog = std::make_unique<CEditScenariosDlg>(doc, nullptr);
        dialog->show();
        return *dialog;
    }
    QWidget* Driven() override { return dialog.get(); }
    QPushButton* Button(const char* name) { return Control<QPushButton>(name); }
    ForceTabBar* Tabs() { return Control<ForceTabBar>("forceTabs"); }
    QStringList TabTexts() {
        QStringList texts;
        for (int i = 0; i < Tabs()->count(); ++i) texts << Tabs()->tabText(i);
        return texts;
    }
    void ClickTab(int index) {
        QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center());
    }
    QListWidget* List(const char* name) { return Control<QListWidget>(name); }
    void TypeNotes(const char* name, const QString& text) {
        QTest::keyClicks(Control<QPlainTextEdit>(name), text);
    }
    void ChooseNation(int index) {
        auto* combo = Control<QComboBox>("nationCombo");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    std::vector<std::string> ScenarioNames() {
        std::vector<std::string> names;
        for (const VxScenario& s : doc.m_scenarios) names.push_back(s.m_strName);
        return names;
    }

    std::unique_ptr<CEditScenariosDlg> dialog;
};

TEST_F(ScenarioEditor, AnEmptyDocumentLeavesOnlyAddShipsSquadronsAndClose) {
    Open();
    EXPECT_EQ(Tabs()->count(), 0);
    EXPECT_EQ(dialog->WorkingScenario().m_strName, "");
    QStringList captions;
    // The captions' words, whatever access keys they were given.
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        captions << QString(label->text()).remove('&');
    captions.sort();
    EXPECT_EQ(captions,
              QStringList({"Available Ships", "Available Squadrons", "Date", "Name", "Name",
                           "Nationality", "Notes", "Notes", "Selected Ships", "Selected Squadrons",
                           "Umpire", "Victory Conditions", "Weather"}));

    // Closing an empty editor changes nothing and asks nothing.
    Click("closeButton");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(doc.m_scenarios.empty());
    EXPECT_EQ(Notices(), 0);
}

// Saving refuses the default name and an existing one, keeping the input;
// what it stores goes in byte order and is shown.
TEST_F(ScenarioEditor, SaveNeedsAUniqueNameAndInsertsInByteOrder) {
    AddScenario("Bravo");
    AddScenario("Charlie");
    Open();
    Click("addButton");
    EXPECT_FALSE(Button("deleteButton")->isEnabled());
    EXPECT_FALSE(Button("findButton")->isEnabled());
    TypeOver("nameEdit", "Bravo");
    TypeOver("dateEdit", "1 June 1916");
    Click("addButton");
    ASSERT_EQ(messages, std::vector<std::string>{"Scenario already exists with this name!"});
    EXPECT_EQ(Control<QLineEdit>("dateEdit")->text(), "1 June 1916");  // the input is kept

    TypeOver("nameEdit", "Alpha");
    TypeOver("umpireEdit", "Jacky");
    Click("addButton");
    EXPECT_EQ(ScenarioNames(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(Counter(), "1 of 3");
    EXPECT_FALSE(dialog->IsAdding());
    EXPECT_EQ(doc.m_scenarios[0].m_strUmpire, "Jacky");
    EXPECT_EQ(doc.m_scenarios[0].m_strDate, "1 June 1916");
    EXPECT_EQ(Notices(), 1);

    // Letter case makes another name, and lower case sorts after every
    // capital; an empty name passes too.
    Click("addButton");
    TypeOver("nameEdit", "bravo");
    Click("addButton");
    EXPECT_EQ(ScenarioNames(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "bravo"}));
    EXPECT_EQ(Counter(), "4 of 4");
    Click("addButton");
    Control<QLineEdit>("nameEdit")->selectAll();
    QTest::keyClick(Control<QLineEdit>("nameEdit"), Qt::Key_Delete);
    Click("addButton");
    EXPECT_EQ(ScenarioNames(),
              (std::vector<std::string>{"", "Alpha", "Bravo", "Charlie", "bravo"}));
    EXPECT_EQ(messages.size(), 1u);
}

// A problem found by the campaign check opens the editor on its force.
TEST_F(ScenarioEditor, OpensOnTheForceAskedForAndAddNewForceKeepsTheEditsOfTheForceShown) {
    AddShip("Lion", 1);
    AddScenario("Dogger Bank", {Force("Raiders", 1)});
    AddScenario("Jutland", {Force("Battlecruisers", 1), Force("Grand Fleet", 1)});
    Open().ShowScenarioAt(1, 1);
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "Jutland");
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(dialog->CurrentForce(), 1);
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

TEST_F(ScenarioEditor, AvailableListsFollowTheNationSelectedListsDoNot) {
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

// An edit of a force alone is a change too, and work that Escape would lose.
TEST_F(ScenarioEditor, OnlyAChangeMarksTheDocumentModifiedOnNextAndEscapeAsksBeforeLosingIt) {
    AddScenario("A", {Force("Red", 1)});
    AddScenario("B");
    doc.m_scenarios.Modify(0).m_strWeather = "Mist\r\nClearing";
    Open();
    Click("nextButton");
    EXPECT_EQ(Counter(), "2 of 2");
    EXPECT_EQ(Notices(), 0);
    Click("previousButton");
    EXPECT_EQ(Notices(), 0);
    EXPECT_EQ(doc.m_scenarios[0].m_strWeather, "Mist\r\nClearing");

    TypeNotes("weatherEdit", "!");
    Click("nextButton");
    EXPECT_EQ(Notices(), 1);
    EXPECT_NE(doc.m_scenarios[0].m_strWeather, "Mist\r\nClearing");

    Click("firstButton");
    TypeNotes("forceNotesEdit", "x");
    Click("lastButton");
    EXPECT_EQ(Notices(), 2);
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_strNotes, "x");

    Click("firstButton");
    TypeOver("forceNameEdit", "Renamed");
    answers = {IDNO};
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(messages, std::vector<std::string>{"Abandon Changes to Scenario?"});
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_strName, "Red");
    EXPECT_EQ(Notices(), 2);
}

TEST_F(ScenarioEditor, SwitchingScenariosNeverStoresAForceAtAWrongIndex) {
    AddScenario("A", {Force("A1", 1), Force("A2", 1), Force("A3", 1)});
    AddScenario("B", {Force("B1", 2)});
    AddScenario("C");
    Open();
    ClickTab(2);
    Click("nextButton");
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Control<QLineEdit>("forceNameEdit")->text(), "B1");
    TypeOver("forceNameEdit", "B1 renamed");
    Click("nextButton");
    EXPECT_EQ(Tabs()->count(), 0);
    Click("firstButton");
    Click("lastButton");
    Click("addButton");
    EXPECT_EQ(Tabs()->count(), 0);
    Click("cancelButton");

    ASSERT_EQ(doc.m_scenarios[0].m_forces.size(), 3u);
    EXPECT_EQ(doc.m_scenarios[0].m_forces[2].m_strName, "A3");
    ASSERT_EQ(doc.m_scenarios[1].m_forces.size(), 1u);
    EXPECT_EQ(doc.m_scenarios[1].m_forces[0].m_strName, "B1 renamed");
    EXPECT_TRUE(doc.m_scenarios[2].m_forces.empty());

    // A new scenario begun on a third tab starts with no force and gets
    // only the one added.
    Click("firstButton");
    ClickTab(2);
    Click("addButton");
    Click("addForceButton");
    TypeOver("nameEdit", "D");
    Click("addButton");
    ASSERT_EQ(doc.m_scenarios.size(), 4u);
    EXPECT_EQ(doc.m_scenarios[3].m_forces.size(), 1u);
    EXPECT_EQ(doc.m_scenarios[0].m_forces.size(), 3u);
}

// The scenario's boxes line up with the force pane and with each other and
// grow with the dialog; the force pane takes three quarters of the height.
TEST_F(ScenarioEditor, TheBoxesLineUpAndGrowAndTheForcesTakeMostOfTheHeight) {
    AddScenario("Jutland", {Force("Battlecruisers", 1)});
    Open();
    const QRect small = Placed("notesEdit");
    dialog->resize(1200, 1000);
    QApplication::processEvents();
    const QRect victory = Placed("victoryConditionsEdit");
    const QRect notes = Placed("notesEdit");
    EXPECT_EQ(notes.top(), victory.top());
    EXPECT_EQ(notes.bottom(), victory.bottom());
    EXPECT_EQ(Placed("weatherEdit").bottom(), victory.bottom());
    EXPECT_NEAR(notes.width(), victory.width(), 2);
    EXPECT_GT(notes.width(), small.width());
    EXPECT_GT(notes.height(), small.height());

    const auto* forces = dialog->findChild<ForcePane*>();
    QLabel* name = nullptr;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text().remove('&') == "Name" && !forces->isAncestorOf(label)) name = label;
    }
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->mapTo(dialog.get(), QPoint()).x(), forces->x());
    const QWidget* boxes = Control<QLineEdit>("nameEdit")->parentWidget();
    EXPECT_NEAR(forces->height(), 3 * boxes->height(), 6);
}

TEST_F(ScenarioEditor, FindPicksTheScenarioOfTheChosenLine) {
    AddScenario("beta");
    AddScenario("Alpha");
    AddScenario("alpha");
    Open();
    OnNextDialog([](QDialog* select) {
        auto* list = select->findChild<QListWidget*>("scenarioList");
        // Sorted without regard to letter case, in document order on a tie.
        ASSERT_EQ(LinesOf(list), (QStringList{"Alpha", "alpha", "beta"}));
        ::DoubleClickLine(list, 1);
    });
    Click("findButton");
    EXPECT_EQ(Counter(), "3 of 3");
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "alpha");

    // OK without a line does nothing.
    CSelectScenarioDlg select(doc.m_scenarios, nullptr);
    select.findChild<QListWidget*>("scenarioList")->clearSelection();
    select.accept();
    EXPECT_EQ(select.m_nSelected, -1);
    EXPECT_EQ(select.result(), 0);
}

// HTML and Print commit first; HTML says where it wrote the page, Print
// warns first of names in squadron copies that match no ship.
TEST_F(ScenarioEditor, HtmlWritesThePageAndPrintWarnsThenPrintsAPageAndOnePerForce) {
    VxForce beatty = Force("Beatty", 1);
    beatty.m_squadrons.resize(1);
    beatty.m_squadrons[0].m_shipNames = {"Hood", "Lion"};
    AddShip("Lion", 1);
    AddScenario("Fleet/Action: 1914", {beatty, Force("Hipper", 2)});
    const QTemporaryDir folder;
    doc.SetPathName(folder.filePath("Jutland.brn").toStdString());
    FileChoice offered;
    SetFileChoiceHook([&](const FileChoice& choice) {
        offered = choice;
        return folder.filePath("page.htm");
    });
    std::string printed;
    RecordingDC printer;
    SetPrintHook([&](const std::string& name, const PrinterJob& job, bool preview) {
        EXPECT_FALSE(preview);
        printed = name;
        job(printer, Unwatched());
    });
    Open();
    TypeOver("umpireEdit", "Committed first");
    Click("htmlButton");
    EXPECT_EQ(offered.caption, "Save Scenario as HTML");
    EXPECT_EQ(offered.proposedPath, folder.filePath("Fleet_Action_ 1914.htm"));
    EXPECT_TRUE(QFile::exists(folder.filePath("page.htm")));
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.back().find("page.htm"), std::string::npos);
    EXPECT_EQ(doc.m_scenarios[0].m_strUmpire, "Committed first");
    // A folder that is not there: the message says what failed.
    SetFileChoiceHook([&](const FileChoice&) { return folder.filePath("missing/page.htm"); });
    Click("htmlButton");
    EXPECT_NE(messages.back().find("missing"), std::string::npos);

    TypeOver("dateEdit", "31 May 1916");
    answers = {IDNO};
    Click("printButton");
    EXPECT_EQ(messages.back(), "1 name in this scenario matches no ship: Hood. Print anyway?");
    EXPECT_EQ(printed, "");
    Click("printButton");
    EXPECT_EQ(printed, "Fleet/Action: 1914");
    EXPECT_EQ(doc.m_scenarios[0].m_strDate, "31 May 1916");
    EXPECT_EQ(Notices(), 2);  // the umpire for HTML, then the date
    EXPECT_EQ(printer.Find("StartPage").size(), 3u);
    EXPECT_TRUE(std::any_of(printer.log.begin(), printer.log.end(), [](const std::string& entry) {
        return entry.find("31 May 1916") != std::string::npos;
    }));
}

TEST_F(ScenarioEditor, HostileSizesKeepEveryByteAndStayResponsive) {
    const std::string huge(1 << 20, 'N');
    AddScenario(huge.c_str(), {Force(huge.c_str(), 1)});
    AddScenario("B");
    doc.m_scenarios.Modify(0).m_strNotes = std::string(1 << 20, 'n');
    // Just short enough to edit, and just too long.
    doc.m_scenarios.Modify(0).m_strUmpire = std::string(16384, 'u');
    doc.m_scenarios.Modify(0).m_strDate = std::string(16385, 'd');
    for (int i = 0; i < 3000; ++i) AddShip(("Ship " + std::to_string(i)).c_str(), 1);
    doc.m_ships.Modify(1500).m_strName = huge;
    doc.m_scenarios.Modify(0).m_forces[0].m_ships = doc.m_ships;
    Open();
    EXPECT_TRUE(Control<QPlainTextEdit>("notesEdit")->isReadOnly());
    EXPECT_TRUE(Control<QLineEdit>("nameEdit")->isReadOnly());
    EXPECT_FALSE(Control<QLineEdit>("umpireEdit")->isReadOnly());
    EXPECT_TRUE(Control<QLineEdit>("dateEdit")->isReadOnly());
    EXPECT_EQ(List("selectedShipsList")->count(), 3000);
    EXPECT_EQ(List("availableShipsList")->count(), 3000);
    // Browsing away and back changes nothing, though the boxes cannot hold
    // a megabyte name.
    Click("nextButton");
    Click("previousButton");
    EXPECT_EQ(Notices(), 0);
    EXPECT_EQ(doc.m_scenarios[0].m_strName, huge);
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_strName, huge);

    // The last line climbs to the top one exchange at a time.
    ClickLine("selectedShipsList", 2999);
    for (int i = 0; i < 2999; ++i) dialog->Forces().OnShipUp();
    EXPECT_EQ(List("selectedShipsList")->item(0)->text(), "Ship 2999");
    EXPECT_EQ(dialog->WorkingForce().m_ships[0].m_strName, "Ship 2999");
    EXPECT_EQ(dialog->WorkingForce().m_ships[1].m_strName, "Ship 0");
    Click("closeButton");
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships.size(), 3000u);
    EXPECT_EQ(doc.m_scenarios[0].m_strNotes.size(), std::size_t(1) << 20);
}

TEST_F(ScenarioEditor, ShipsAndSquadronsMadeInTheInnerEditorsAreOfferedAtOnce) {
    AddShip("Lion", 1);
    AddSquadron("1st BCS", 1);
    AddScenario("Dogger Bank", {Force("British", 1)});
    Open();
    OnNextDialog([this](QDialog* ships) {
        AddShip("Tiger", 1);
        ships->reject();
    });
    Click("shipsButton");
    EXPECT_EQ(Lines("availableShipsList"), QStringList({"Lion", "Tiger"}));
    OnNextDialog([this](QDialog* squadrons) {
        AddSquadron("2nd BCS", 1);
        AddShip("Princess Royal", 1);
        squadrons->reject();
    });
    Click("squadronsButton");
    EXPECT_EQ(Lines("availableSquadronsList"), QStringList({"1st BCS", "2nd BCS"}));
    EXPECT_EQ(Lines("availableShipsList"), QStringList({"Lion", "Tiger", "Princess Royal"}));
}

}  // namespace

TEST_F(ScenarioEditor, CompareOpensTheScenarioShownWithItsEditsInAWindowOfItsOwn) {
    AddShip("Lion", 1);
    VxForce beatty = Force("Beatty", 1);
    beatty.m_ships.push_back(doc.m_ships[0]);
    AddScenario("Dogger Bank", {beatty, Force("Hipper", 2)});
    Open();
    TypeOver("umpireEdit", "Committed first");
    Click("compareButton");
    auto* window = dialog->findChild<CompareWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowTitle(), "Compare Forces - Dogger Bank");
    EXPECT_EQ(window->TableView().model()->columnCount(), 2);
    EXPECT_EQ(doc.m_scenarios[0].m_strUmpire, "Committed first");
}
