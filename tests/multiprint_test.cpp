#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "print/multiprintjob.h"
#include "tests/support/recordingdc.h"

namespace {

// On the default surface p = 23: cells of 1012 x 506, four columns with a
// gap of 90, thirteen rows a page.
constexpr int kFirstColumn = 320;
constexpr int kColumnStep = 1102;

struct Card {
    int page, left, top;
    bool operator==(const Card&) const = default;
};

// The outer boxes of record cards (42 x 15 mm, at p = 23 unless told) with
// the page they are on.
std::vector<Card> Cards(const RecordingDC& dc, int width = 966, int height = 345) {
    std::vector<Card> cards;
    int page = 0;
    for (const std::string& entry : dc.log) {
        if (entry == "StartPage") ++page;
        if (entry.rfind("Rectangle ", 0) != 0) continue;
        std::istringstream in(entry.substr(10));
        int left, top, right, bottom;
        in >> left >> top >> right >> bottom;
        if (right - left == width && bottom - top == height)
            cards.push_back({page, left, top - height * 7 / 15});
    }
    return cards;
}

// Card names in print order (names are drawn upper case in the 2.2 mm font).
std::vector<std::string> CardNames(const RecordingDC& dc) {
    std::vector<std::string> names;
    for (const std::string& entry : dc.Find("TextOut")) {
        const std::size_t at = entry.find(" h=50 ");
        if (at != std::string::npos) names.push_back(entry.substr(at + 6));
    }
    return names;
}

int Pages(const RecordingDC& dc) { return static_cast<int>(dc.Find("StartPage").size()); }

VxShip Ship(const char* name, int nation, double attack = 0, double defense = 0, int type = 0) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nNation = nation;
    ship.m_dMainAF[0] = attack;
    ship.m_dDF = defense;
    ship.m_nShipType = type;
    return ship;
}

class MultiPrint : public ::testing::Test {
  protected:
    MultiPrint() {
        doc.m_ships = {Ship("Cc", 2, 3, 1, 5), Ship("Aa", 1, 2, 9, 3), Ship("Bb", 1, 3, 9, 3),
                       Ship("Dd", 1, 2, 5, 1), Ship("Ee", 2, 1, 7, 5)};
    }
    std::vector<std::string> Order(int mode, bool byNation) {
        MultiPrintSelection selection;
        selection.ships = {"Aa", "Bb", "Cc", "Dd", "Ee"};
        selection.sortMode = mode;
        selection.sortByNation = byNation;
        std::vector<std::string> names;
        for (const VxShip& ship : MultiPrintJob(doc, selection).OrderedShips())
            names.push_back(ship.m_strName);
        return names;
    }
    int Print(MultiPrintSelection selection) {
        return MultiPrintJob(doc, std::move(selection)).Print(dc);
    }
    CBrinnowDoc doc;
    RecordingDC dc;
};

using Names = std::vector<std::string>;

TEST_F(MultiPrint, OrderingInEveryModeWithAndWithoutTheNationOfDamagedRecordsAndOfTenThousand) {
    EXPECT_EQ(Order(kSortByName, false), (Names{"Aa", "Bb", "Cc", "Dd", "Ee"}));
    EXPECT_EQ(Order(kSortByName, true), (Names{"Aa", "Bb", "Dd", "Cc", "Ee"}));
    // Highest attack first, ties by name.
    EXPECT_EQ(Order(kSortByAttackFactor, false), (Names{"Bb", "Cc", "Aa", "Dd", "Ee"}));
    EXPECT_EQ(Order(kSortByAttackFactor, true), (Names{"Bb", "Aa", "Dd", "Cc", "Ee"}));
    EXPECT_EQ(Order(kSortByDefenseFactor, false), (Names{"Aa", "Bb", "Ee", "Dd", "Cc"}));
    EXPECT_EQ(Order(kSortByDefenseFactor, true), (Names{"Aa", "Bb", "Dd", "Ee", "Cc"}));
    // Lowest type first.
    EXPECT_EQ(Order(kSortByShipType, false), (Names{"Dd", "Aa", "Bb", "Cc", "Ee"}));
    EXPECT_EQ(Order(kSortByShipType, true), (Names{"Dd", "Aa", "Bb", "Cc", "Ee"}));
    // Names compare by unsigned bytes and case.
    EXPECT_TRUE(ShipPrintsBefore(Ship("Z", 0), Ship("a", 0), kSortByName, true));
    EXPECT_TRUE(ShipPrintsBefore(Ship("z", 0), Ship("\xE9", 0), kSortByName, true));
    EXPECT_FALSE(ShipPrintsBefore(Ship("a", 0), Ship("a", 0), kSortByName, true));
    EXPECT_TRUE(ShipPrintsBefore(Ship("b", 1), Ship("a", 2), kSortByName, true));
    EXPECT_FALSE(ShipPrintsBefore(Ship("b", 1), Ship("a", 2), kSortByName, false));
    // Damaged factors keep an order.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    doc.m_ships = {Ship("Aa", 0, nan, nan), Ship("Bb", 0, 1, -inf), Ship("Cc", 0, inf, 2),
                   Ship("Dd", 0, nan, 1), Ship("Ee", 0, -inf, nan)};
    EXPECT_EQ(Order(kSortByAttackFactor, true), (Names{"Cc", "Bb", "Ee", "Aa", "Dd"}));
    EXPECT_EQ(Order(kSortByDefenseFactor, true), (Names{"Cc", "Dd", "Bb", "Aa", "Ee"}));

    // Ten thousand selected ships stay linear.
    MultiPrintSelection selection;
    doc.m_ships.clear();
    for (int i = 0; i < 10000; ++i) {
        doc.m_ships.push_back(Ship(std::to_string(i).c_str(), i % 7, i % 13));
        selection.ships.push_back(doc.m_ships.back().m_strName);
    }
    selection.sortMode = kSortByAttackFactor;
    const std::vector<VxShip> ordered = MultiPrintJob(doc, selection).OrderedShips();
    ASSERT_EQ(ordered.size(), 10000u);
    for (std::size_t i = 1; i < ordered.size(); ++i)
        EXPECT_FALSE(ShipPrintsBefore(ordered[i], ordered[i - 1], kSortByAttackFactor, true));
    EXPECT_GT(MultiPrintJob(doc, selection).PageCount(dc), 190);
}

// The page count and a single page match the whole job.
TEST_F(MultiPrint, ANationNeverSharesARowOrLeavesABlankPage) {
    MultiPrintSelection selection;
    selection.ships = {"Aa", "Bb", "Cc", "Dd", "Ee"};
    EXPECT_EQ(Print(selection), 2);
    EXPECT_EQ(CardNames(dc), (Names{"AA", "BB", "DD", "CC", "EE"}));
    const std::vector<Card> cards = Cards(dc);
    EXPECT_EQ(cards[2], (Card{1, kFirstColumn + 2 * kColumnStep, 230}));
    EXPECT_EQ(cards[3], (Card{2, kFirstColumn, 230}));
    const MultiPrintJob job(doc, selection);
    RecordingDC counter, second;
    EXPECT_EQ(job.PageCount(counter), 2);
    EXPECT_TRUE(counter.log.empty());
    job.PrintPages(second, 2, 2);
    EXPECT_EQ(Pages(second), 1);
    EXPECT_FALSE(second.TextEntry("Page 2").empty());
    EXPECT_EQ(CardNames(second), (Names{"CC", "EE"}));

    // Nation 1 fills exactly thirteen rows: nation 2 follows on page 2, not 3,
    // and nothing after the last row makes an empty page.
    doc.m_ships.clear();
    selection.ships.clear();
    for (int i = 0; i < 52; ++i) {
        doc.m_ships.push_back(Ship(("s" + std::to_string(1000 + i)).c_str(), 1));
        selection.ships.push_back(doc.m_ships.back().m_strName);
    }
    doc.m_ships.push_back(Ship("t", 2));
    selection.ships.push_back("t");
    RecordingDC exact;
    EXPECT_EQ(MultiPrintJob(doc, selection).Print(exact), 2);
    EXPECT_EQ(Cards(exact).back(), (Card{2, kFirstColumn, 230}));
    EXPECT_EQ(Cards(exact)[51], (Card{1, kFirstColumn + 3 * kColumnStep, 230 + 12 * 506}));
    selection.ships.pop_back();
    RecordingDC full;
    EXPECT_EQ(MultiPrintJob(doc, selection).Print(full), 1);
}

TEST_F(MultiPrint, SquadronSheetsBreakBeforeTheOneThatDoesNotFitAndScenariosStartFresh) {
    VxSquadron small;
    small.m_strName = "Small";
    small.m_shipNames = {"Aa"};
    small.m_strNotes = "never printed here";
    VxSquadron tall = small;
    tall.m_strName = "Tall";
    tall.m_shipNames = CStringArray(120, "Aa");  // thirty rows: taller than a page
    doc.m_squadrons = {small, tall};
    VxScenario scenario;
    scenario.m_strName = "Bay";
    scenario.m_strNotes = "never printed here";
    scenario.m_forces.resize(1);
    scenario.m_forces[0].m_strNotes = "never printed here";
    doc.m_scenarios = {scenario};

    MultiPrintSelection selection;
    selection.squadrons = {"Small", "Tall"};
    selection.scenarios = {"Bay", "Bay"};
    const int pages = Print(selection);
    // Small on page 1, Tall from page 2 over three pages, each scenario on
    // two pages of its own.
    EXPECT_EQ(pages, 8);
    EXPECT_TRUE(dc.TextEntry("Notes").empty());
    EXPECT_TRUE(dc.TextEntry("never printed here").empty());
    std::vector<int> rowsPerPage(std::size_t(pages + 1));
    for (const Card& card : Cards(dc)) {
        EXPECT_LE(card.top + 506, 7016 - 115 - 230) << card.page;
        if (card.left == 230) ++rowsPerPage[std::size_t(card.page)];
    }
    EXPECT_EQ(rowsPerPage[1], 1);
    EXPECT_EQ(rowsPerPage[2] + rowsPerPage[3] + rowsPerPage[4], 30);
    EXPECT_EQ(dc.Find("TextOut 230 310 align=0 h=115 Bay").size(), 2u);
}

}  // namespace
