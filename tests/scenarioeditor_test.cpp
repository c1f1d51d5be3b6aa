// "Edit Scenarios" and "Select Scenario" on the scenarios themselves: saving,
// browsing, layout, and the HTML, Print and Compare commands, driven offscreen
// through clicks, keys and the message-box hook.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "charts/comparewindow.h"
#include "desktop/filedialogs.h"
#include "desktop/printcommand.h"
#include "editors/forcepane.h"
#include "tests/support/recordingdc.h"
#include "tests/support/scenarioeditorfixture.h"

namespace {

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

// What saving stores goes in byte order and is shown; the refusals of a name
// are tested for every editor in editorkeyboard_test.cpp.
TEST_F(ScenarioEditor, SaveInsertsInByteOrderAndFindSortsWithoutRegardToCase) {
    AddScenario("Bravo");
    AddScenario("Charlie");
    Open();
    Click("addButton");
    EXPECT_FALSE(Button("deleteButton")->isEnabled());
    EXPECT_FALSE(Button("findButton")->isEnabled());
    TypeOver("dateEdit", "1 June 1916");
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
    EXPECT_TRUE(messages.empty());

    // Find's list sorts without regard to letter case, in document order on
    // a tie, and shows the scenario of the line chosen.
    OnNextDialog([](QDialog* select) {
        auto* list = select->findChild<QListWidget*>("scenarioList");
        ASSERT_EQ(LinesOf(list), (QStringList{"", "Alpha", "Bravo", "bravo", "Charlie"}));
        ::DoubleClickLine(list, 3);
    });
    Click("findButton");
    EXPECT_EQ(Counter(), "5 of 5");
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "bravo");
}

// An edit of a force alone is a change too, and work that Escape would lose.
// (That browsing alone changes nothing is HostileSizesKeepEveryByteAndStayResponsive's.)
TEST_F(ScenarioEditor, OnlyAChangeMarksTheDocumentModifiedOnNextAndEscapeAsksBeforeLosingIt) {
    AddScenario("A", {Force("Red", 1)});
    AddScenario("B");
    doc.m_scenarios.Modify(0).m_strWeather = "Mist\r\nClearing";
    Open();
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

// The scenario's boxes grow with the dialog.
TEST_F(ScenarioEditor, TheBoxesGrowWithTheDialogAndStandBesideTheirCaptions) {
    AddScenario("Jutland", {Force("Battlecruisers", 1)});
    Open();
    const QRect small = Placed("notesEdit"), smallVictory = Placed("victoryConditionsEdit");
    dialog->resize(1200, 1000);
    QApplication::processEvents();
    EXPECT_GT(Placed("notesEdit").width(), small.width());
    EXPECT_GT(Placed("notesEdit").height(), small.height());
    EXPECT_GT(Placed("victoryConditionsEdit").height(), smallVictory.height());

    // Each caption stands before its box; a force's two lists stand side by side.
    for (const auto& [text, field] :
         {std::pair{"Umpire", "umpireEdit"}, {"Date", "dateEdit"}, {"Weather", "weatherEdit"}})
        ExpectCaptionBefore(text, field);
    EXPECT_EQ(Placed("selectedShipsList").top(), Placed("availableShipsList").top());
    EXPECT_GT(Placed("selectedShipsList").left(), Placed("availableShipsList").right());
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

}  // namespace
