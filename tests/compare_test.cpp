#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "compare/comparechart.h"
#include "compare/comparejson.h"
#include "compare/comparesvg.h"
#include "compare/comparetable.h"
#include "compare/forcecomparison.h"
#include "tests/support/sampleship.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::size_t kBC = 7, kCL = 9;

VxShip Ship(const char* name, int type, double df, int speed, int aa) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nShipType = type;
    ship.m_dDF = df;
    ship.m_nTurnSpeed = {speed, 1, 1, 1, 1};
    ship.m_nAARating = aa;
    return ship;
}

VxSquadron Squadron(const char* flagship, CStringArray members, CStringArray attachments) {
    VxSquadron squadron;
    squadron.m_strFlagship = flagship;
    squadron.m_shipNames = std::move(members);
    squadron.m_attachmentNames = std::move(attachments);
    return squadron;
}

// North: squadron 1 names Lion as flagship and again as a member, Tiger as a
// member and an attachment, a Ghost no ship bears and Arethusa; squadron 2
// has Tiger as flagship; a single copy of Lion with a DF of its own.
// South is empty. Only the first of the two Lions of the list is looked up.
CBrinnowDoc Campaign() {
    CBrinnowDoc doc;
    doc.OnNewDocument();
    VxShip tiger = Ship("Tiger", int(kBC), 0.1, 30, 0);
    tiger.m_dMainAF = {0.1, 0.2, 0, 0};
    tiger.m_dSecondaryAF = {0, 5, 5, 5};  // no secondary: the card prints none of them
    tiger.m_nTorpedoAF = {0, 3, 3, 3};
    VxShip arethusa = Ship("Arethusa", int(kCL), 0.2, 30, 1);
    arethusa.m_dMainAF = {0.7, 0.5, 0.2, 0};
    VxShip otherLion = SampleLion();
    otherLion.m_dDF = 1000;
    doc.m_ships = {SampleLion(), tiger, arethusa, otherLion};

    VxForce north;
    north.m_strName = "North";
    north.m_squadrons.push_back(
        Squadron("Lion", {"Lion", "Tiger", "Ghost"}, {"Tiger", "Arethusa"}));
    north.m_squadrons.push_back(Squadron("Tiger", {}, {}));
    VxShip copy = SampleLion();
    copy.m_dDF = 20;
    north.m_ships.push_back(copy);
    VxForce south;
    south.m_strName = "South";
    VxScenario scenario;
    scenario.m_strName = "Heligoland";
    scenario.m_forces = {north, south};
    doc.m_scenarios.push_back(scenario);
    return doc;
}

std::vector<ForceComparison> Compare(const CBrinnowDoc& doc, const Game* game = nullptr) {
    return CompareForces(ScenarioSnapshot::Of(doc, doc.m_scenarios[0]), game);
}

// A scenario of forces forces, the first of them named name and holding ships.
std::vector<ForceComparison> CompareShips(const std::vector<VxShip>& ships, std::size_t forces = 1,
                                          const char* name = "", const Game* game = nullptr) {
    CBrinnowDoc doc;
    VxScenario scenario;
    scenario.m_forces.resize(forces);
    scenario.m_forces[0].m_strName = name;
    scenario.m_forces[0].m_ships = ships;
    doc.m_scenarios.push_back(scenario);
    return Compare(doc, game);
}

void Mark(Game& game, const RosterShip& ship, CardMark mark) {
    game.Apply({GameAction::Kind::Toggle, ship.place, ship.name, mark, {}, {}});
}

CardMark Box(int number) { return CardMark(int(CardMark::Box1) + number - 1); }

}  // namespace

TEST(CompareForces, CountsEachSquadronsNamesOnceAndMissingNamesApartAsHandCounted) {
    const std::vector<ForceComparison> forces = Compare(Campaign());
    ASSERT_EQ(forces.size(), 2u);
    // The counts, the slowest speed and the empty South are the table's to
    // show (CompareTable below); here the figures it rounds or leaves out.
    const ForceFigures& north = forces[0].start;
    EXPECT_EQ(north.missing, CStringArray{"Ghost"});
    EXPECT_EQ(north.df, 14 + 0.1 + 0.2 + 0.1 + 20.0);
    EXPECT_EQ(north.mainAF, (std::array<double, 4>{3 + 0.1 + 0.7 + 0.1 + 3, 3 + 0.2 + 0.5 + 0.2 + 3,
                                                   2 + 0.0 + 0.2 + 0.0 + 2, 2 + 0.0 + 0 + 0 + 2}));
    // Only the two Lions carry a secondary armament and torpedoes.
    EXPECT_EQ(north.secondaryAF, (std::array<double, 4>{2, 2, 1, 1}));
    EXPECT_EQ(north.torpedoAF, (std::array<double, 4>{4, 2, 2, 0}));
    // First turn speeds 28, 30, 30, 30, 28.
    EXPECT_EQ(north.medianSpeed, 30.0);
    // The Tigers have AA rating 0.
    EXPECT_EQ((std::array{north.aa[0], north.aa[1], north.aa[2]}), (std::array{2, 1, 2}));
    EXPECT_FALSE(forces[0].now);
    EXPECT_FALSE(forces[1].start.medianSpeed);
}

TEST(CompareForces, AddsInForceOrderKeepsInfinitiesAndNaNsAndTakesTheMeanOfTwoMiddleSpeeds) {
    // 1e16 + 1 is 1e16 in doubles: added in order the 1 is lost, as the
    // force sheet's order gives it.
    const ForceFigures order = CompareShips({Ship("A", 0, 1e16, 10, 0), Ship("B", 0, 1, 40, 0),
                                             Ship("C", 0, -1e16, 25, 0), Ship("D", 0, 0, 20, 0)})[0]
                                   .start;
    EXPECT_EQ(order.df, 0.0);
    EXPECT_EQ(order.slowestSpeed, 10);
    EXPECT_EQ(order.medianSpeed, 22.5);

    VxShip inf = Ship("Inf", 99, kInf, 5, -3);
    inf.m_dMainAF = {kInf, 1, 1, 1};
    const ForceFigures odd = CompareShips({inf, Ship("NegInf", 0, -kInf, 5, 0)})[0].start;
    EXPECT_TRUE(std::isnan(odd.df));
    EXPECT_EQ(odd.mainAF[0], kInf);
    EXPECT_EQ(odd.byType[kTypeSlots - 1], 1);  // a type outside the card's table
    EXPECT_EQ(odd.aa[kAASlots - 1], 1);
    EXPECT_EQ(FigureText(odd.df), "nan");
    EXPECT_EQ(FigureText(kInf), "inf");
    EXPECT_EQ(FigureText(-kInf), "-inf");
    EXPECT_EQ(FigureText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(FigureText(2500), "2500");
    EXPECT_EQ(TypeSlotName(kTypeSlots - 1), std::string("?"));
    EXPECT_EQ(TypeSlotName(kBC), std::string("BC"));
    EXPECT_EQ(AASlotName(kAASlots - 1), std::string("?"));
}

TEST(CompareForces, FromAGameSunkShipsCountNothingAndSmallBoxesAddUpPerForce) {
    const CBrinnowDoc doc = Campaign();
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, doc.m_scenarios[0]);
    const auto& roster = snapshot.roster;
    // Roster of North, each ship of a squadron once: Lion, Tiger, Ghost,
    // Arethusa, Tiger, copy.
    ASSERT_EQ(roster.size(), 6u);
    Game game;
    Mark(game, roster[0], Box(1));
    Mark(game, roster[0], Box(2));
    // Marks an older game file kept where a squadron names a ship again (Lion
    // as a member, Tiger as an attachment) are that ship's.
    Mark(game, {{0, 0, ShipRole::Member, 0}, "Lion"}, Box(2));
    Mark(game, {{0, 0, ShipRole::Member, 0}, "Lion"}, Box(18));
    Mark(game, roster[1], CardMark::Sunk);
    Mark(game, {{0, 0, ShipRole::Attachment, 0}, "Tiger"}, Box(5));
    Mark(game, roster[3], CardMark::FireControl);  // a struck box, not a small one
    Mark(game, roster[2], CardMark::Sunk);         // the missing Ghost
    game.JoinRepeatedShips(ScenarioRoster(doc.m_scenarios[0]));

    const std::vector<ForceComparison> forces = CompareForces(snapshot, &game);
    ASSERT_TRUE(forces[0].now);
    const ForceFigures& now = *forces[0].now;
    EXPECT_EQ(forces[0].start.ships, 5);
    EXPECT_EQ(forces[0].start.missing.size(), 1u);
    // The Tiger of squadron 1 is sunk; squadron 2's Tiger sails on.
    EXPECT_EQ(now.ships, 4);
    EXPECT_EQ(now.byType[kBC], 3);
    EXPECT_TRUE(now.missing.empty());
    EXPECT_EQ(now.df, 14 + 0.2 + 0.1 + 20.0);
    EXPECT_EQ(now.mainAF[1], 3 + 0.5 + 0.2 + 3);
    EXPECT_EQ(now.aa[0], 1);
    // Lion's boxes 1, 2 and 18, the sunk Tiger's box 5.
    EXPECT_EQ(forces[0].damageBoxes, 4);
    ASSERT_TRUE(forces[1].now);
    EXPECT_EQ(forces[1].now->ships, 0);
    EXPECT_EQ(forces[1].damageBoxes, 0);
}

// The table and the charts show only the rows and the types some force
// fills; from a game, now stands beside start and damage is added.
TEST(CompareTable, AColumnPerForceOnlyTheRowsAndBarsSomeForceFillsAndNowBesideStart) {
    const CBrinnowDoc doc = Campaign();
    const std::string text = CompareTable::Of(Compare(doc)).Text();
    // North: Lion, Tiger, Arethusa of squadron 1, Tiger of squadron 2, the
    // copy; the Ghost is missing. South is empty.
    EXPECT_EQ(text.substr(0, text.find("Main AF 1")),
              "Force           1 North  2 South\n"
              "Ships                 5        0\n"
              "  BC                  4        0\n"
              "  CL                  1        0\n"
              "Missing               1        0\n"
              "DF                 34.4        0\n");
    EXPECT_NE(text.find("\nSlowest speed        28        -\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nAA c                  2        0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nAA a                  2        0\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("AA d"), std::string::npos);
    const CompareChart ships = CompareCharts(Compare(doc)).front();
    EXPECT_EQ(ships.categories, (std::vector<std::string>{"All", "BC", "CL", "Missing"}));
    EXPECT_EQ(ships.bars[0][1].height, 4.0);
    EXPECT_EQ(ships.bars[1][1].label, "0");

    // A figure wider than its force's name widens the force's column.
    const std::string wide =
        CompareTable::Of(CompareShips({Ship("Big", int(kBC), 1234.5678, 30, 0)})).Text();
    const auto lineOf = [&wide](const std::string& label) {
        const std::size_t at = wide.find("\n" + label + " ") + 1;
        return wide.substr(at, wide.find('\n', at) - at);
    };
    EXPECT_NE(lineOf("DF").find(" 1234.5678"), std::string::npos) << wide;
    EXPECT_EQ(lineOf("DF").size(), lineOf("Ships").size()) << wide;

    Game game;
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, doc.m_scenarios[0]);
    Mark(game, snapshot.roster[1], CardMark::Sunk);  // squadron 1's Tiger
    Mark(game, snapshot.roster[1], Box(3));
    const std::vector<ForceComparison> forces = CompareForces(snapshot, &game);
    const CompareTable table = CompareTable::Of(forces);
    EXPECT_EQ(table.header, (std::vector<std::string>{"Force", "1 North", "", "2 South", ""}));
    EXPECT_EQ(table.subheader, (std::vector<std::string>{"", "now", "start", "now", "start"}));
    EXPECT_EQ(table.rows[0].cells, (std::vector<std::string>{"4", "5", "0", "0"}));
    EXPECT_EQ(table.rows.back().label, "Damage boxes");
    EXPECT_EQ(table.rows.back().cells, (std::vector<std::string>{"1", "", "0", ""}));
    const CompareChart now = CompareCharts(forces).front();
    EXPECT_EQ(now.categories.back(), "Damage boxes");
    EXPECT_EQ(now.bars[0][0].height, 4.0);
}

TEST(CompareJson, WritesEveryFigureWithNowFromAGameAndNonNumbersAsStrings) {
    VxShip odd = Ship("Odd", int(kBC), kInf, 12, 3);
    odd.m_dMainAF = {std::numeric_limits<double>::quiet_NaN(), 1, 2, 3};
    const Game game;
    std::string text;
    JsonWriter json([&text](const char* data, std::size_t size) { text.append(data, size); });
    WriteCompareJson(json, "Odd", CompareShips({odd}, 2, "Only", &game));
    EXPECT_NE(text.find("\"force\": 1,\n      \"name\": \"Only\",\n      \"ships\": 1,\n"
                        "      \"byType\": {\n        \"BC\": 1\n      },\n      \"missing\": [],\n"
                        "      \"df\": \"Infinity\",\n      \"mainAF\": [\"NaN\", 1.0, 2.0, 3.0],"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"slowestSpeed\": 12,\n      \"medianSpeed\": 12.0,\n      \"aa\": {\n"
                        "        \"d\": 1\n      },\n      \"now\": {"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"slowestSpeed\": null,\n      \"medianSpeed\": null,"),
              std::string::npos);
    EXPECT_NE(text.find("\"damageBoxes\": 0\n"), std::string::npos);
}

TEST(CompareSvg, WritesFiguresAsTheTableDoesEscapesNamesAndDrawsAtMostTwelveForces) {
    const std::vector<CompareChart> charts =
        CompareCharts(CompareShips({Ship("Odd", int(kBC), kInf, 12, 3)}, 14, "R&D <Fleet>"));
    ASSERT_EQ(charts.size(), 6u);
    const CompareChart& defence = charts[1];
    EXPECT_EQ(defence.categories,
              (std::vector<std::string>{"DF", "Slowest speed", "Median speed"}));
    // An infinite DF: an empty bar labelled as such.
    EXPECT_EQ(defence.bars[0][0].height, 0.0);
    EXPECT_EQ(defence.bars[0][0].label, "inf");
    EXPECT_EQ(defence.bars[0][1].height, 12.0);

    const std::string svg = CompareSvg(defence);
    EXPECT_NE(svg.find(">inf</text>"), std::string::npos);
    EXPECT_NE(svg.find(">1 R&amp;D &lt;Fleet&gt;</text>"), std::string::npos);
    EXPECT_EQ(svg.find("<Fleet>"), std::string::npos);
    // Three categories of twelve bars, each standing on the axis line, the
    // legend's twelve squares and the white ground.
    const auto number = [&svg](std::size_t from, const std::string& name) {
        const std::size_t at = svg.find(name + "=\"", from) + name.size() + 2;
        return std::stod(svg.substr(at, svg.find('"', at) - at));
    };
    const double axis = number(svg.find("<line"), "y1");
    std::size_t rects = 0, standing = 0;
    for (std::size_t at = svg.find("<rect"); at != std::string::npos;
         at = svg.find("<rect", at + 1)) {
        ++rects;
        standing += number(at, "y") + number(at, "height") == axis ? 1 : 0;
    }
    EXPECT_EQ(rects, 3 * 12 + 12 + 1u);
    EXPECT_EQ(standing, 3 * 12u);
    EXPECT_NE(svg.find("forces 1 to 12 of 14"), std::string::npos);
    EXPECT_EQ(svg.find("14 "), std::string::npos);
}
