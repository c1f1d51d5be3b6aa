#include "model/campaigncheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/brinnowdoc.h"
#include "model/messagenames.h"
#include "model/shipnamechoice.h"
#include "model/shipnameindex.h"
#include "model/shipreferences.h"
#include "model/stalecopies.h"

namespace {

VxShip Ship(const char* name, int nation, int mainArmament = 0) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nNation = nation;
    ship.m_nMainArmament = mainArmament;
    ship.m_dMainAF[0] = 1;
    return ship;
}

// The smallest campaign with every kind of record and nothing to find: a
// British and a German ship and a neutral one, a British squadron with a
// neutral member, and a scenario whose force holds copies of both.
class Check : public ::testing::Test {
  public:  // the cases below change the campaign through it
    void SetUp() override {
        doc = CBrinnowDoc();
        doc.m_ships = {Ship("Lion", 1), Ship("Moltke", 2, 11), Ship("Hvalen", 0)};
        VxSquadron squadron;
        squadron.m_strName = "1st BCS";
        squadron.m_nNation = 1;
        squadron.m_strFlagship = "Lion";
        squadron.m_shipNames = {"Lion", "Hvalen"};
        doc.m_squadrons = {squadron};
        VxForce force;
        force.m_strName = "Battlecruiser Force";
        force.m_nNation = 1;
        force.m_squadrons = {squadron};
        force.m_ships = {doc.m_ships[0]};
        VxScenario scenario;
        scenario.m_strName = "Dogger Bank";
        scenario.m_forces = {force};
        doc.m_scenarios = {scenario};
    }
    VxSquadron& Squadron() { return doc.m_squadrons.Modify(0); }
    VxForce& Force() { return doc.m_scenarios.Modify(0).m_forces[0]; }
    std::vector<std::string> Found() {
        std::vector<std::string> lines;
        for (const Finding& f : CheckCampaign(doc)) {
            lines.push_back(std::string(KindTag(f.kind)) + "|" + PlaceType(f.place) + "|" +
                            f.record + "|" + f.problem);
        }
        return lines;
    }

    CBrinnowDoc doc;
};

struct Case {
    const char* what;
    std::function<void(Check&)> change;
    std::vector<std::string> found;
};

TEST_F(Check, EachKindWithTheSmallestCampaignThatShowsItAndTheNamesItShows) {
    using Lines = std::vector<std::string>;
    const std::string bcs = "|squadron|1st BCS|";
    const std::string force = "|force|Dogger Bank, Force 1 (Battlecruiser Force)|";
    const Case cases[] = {
        {"the campaign as set up", [](Check&) {}, {}},
        {"a flagship that names no ship",
         [](Check& c) { c.Squadron().m_strFlagship = "Tiger"; },
         {"missing-ship" + bcs + "flagship \"Tiger\" names no ship"}},
        {"a member and an attachment that name no ship",
         [](Check& c) {
             c.Squadron().m_shipNames.push_back("Tiger");
             c.Squadron().m_attachmentNames = {"lion"};  // letter case counts
         },
         {"missing-ship" + bcs + "member \"Tiger\" names no ship",
          "missing-ship" + bcs + "attachment \"lion\" names no ship"}},
        {"a squadron copy in a force that names no ship",
         [](Check& c) { c.Force().m_squadrons[0].m_attachmentNames = {"Tiger"}; },
         {"missing-ship" + force + "squadron \"1st BCS\": attachment \"Tiger\" names no ship"}},
        {"a ship named like an earlier one",
         [](Check& c) { c.doc.m_ships.push_back(Ship("Lion", 2, 11)); },
         {"shared-name|ship|Lion|same name as ship 1 (Great Britain), which lookups by name "
          "find first"}},
        {"a member of another nation",
         [](Check& c) { c.Squadron().m_shipNames.push_back("Moltke"); },
         {"other-nation" + bcs + "member \"Moltke\" is a ship of Germany, not of Great Britain"}},
        {"a neutral squadron's flagship of a nation",
         [](Check& c) { c.Squadron().m_nNation = 0; },
         {"other-nation" + bcs + "flagship \"Lion\" is a ship of Great Britain, not of Neutral",
          "other-nation" + bcs + "member \"Lion\" is a ship of Great Britain, not of Neutral"}},
        {"another nation's ship in a force's squadron copy is the force's business",
         [](Check& c) { c.Force().m_squadrons[0].m_shipNames.push_back("Moltke"); },
         {}},
        {"a nation and a main armament outside their lists",
         [](Check& c) {
             c.doc.m_ships.Modify(0).m_nNation = 10;
             c.doc.m_ships.Modify(0).m_nMainArmament = -2;
             c.Force().m_ships[0] = c.doc.m_ships[0];
             c.Squadron().m_nNation = 10;
         },
         {"out-of-range|ship|Lion|nation 10 is outside the nation list (0 to 9)",
          "out-of-range|ship|Lion|main armament -2 is outside the armament list (0 to 20)"}},
        {"a secondary armament and a torpedo outside their lists, when the ship has them",
         [](Check& c) {
             VxShip& ship = c.doc.m_ships.Modify(2);
             ship.m_nSecondaryArmament = 21;
             ship.m_nTorpedo = 2;
             ship.m_dSecondaryAF[0] = 1;
             ship.m_nTorpedoAF[0] = 1;
         },
         {"out-of-range|ship|Hvalen|secondary armament 21 is outside the armament list (0 to "
          "20)",
          "out-of-range|ship|Hvalen|torpedo type 2 is outside the torpedo list (0 to 1)"}},
        {"a secondary armament and a torpedo out of range that the ship does not have",
         [](Check& c) {
             c.doc.m_ships.Modify(2).m_nSecondaryArmament = 99;
             c.doc.m_ships.Modify(2).m_nTorpedo = -1;
         },
         {}},
        {"armaments of a campaign that has none",
         [](Check& c) { c.doc.m_armaments.clear(); },
         {"out-of-range|ship|Lion|main armament 0 is outside the armament list (which is empty)",
          "out-of-range|ship|Moltke|main armament 11 is outside the armament list (which is "
          "empty)",
          "out-of-range|ship|Hvalen|main armament 0 is outside the armament list (which is "
          "empty)"}},
        {"a force's copy of a ship refitted since",
         [](Check& c) {
             c.doc.m_ships.Modify(0).m_dDF = 12.5;
             c.doc.m_ships.Modify(0).m_strNotes = "Refit 1915";
         },
         {"stale-copy" + force + "ship \"Lion\" differs from the campaign's: DF, Notes"}},
        {"an earlier ship of another nation takes the name, but not the force's copy",
         [](Check& c) { c.doc.m_ships.insert(c.doc.m_ships.begin(), Ship("Lion", 2, 11)); },
         {"shared-name|ship|Lion|same name as ship 1 (Germany), which lookups by name find "
          "first",
          "other-nation" + bcs + "flagship \"Lion\" is a ship of Germany, not of Great Britain",
          "other-nation" + bcs + "member \"Lion\" is a ship of Germany, not of Great Britain"}},
        {"a copy of a ship the campaign has no more, and one that moved nation",
         [](Check& c) {
             c.Force().m_ships = {Ship("Tiger", 1), Ship("Moltke", 1, 11)};
         },
         {"stale-copy" + force + "ship \"Moltke\" differs from the campaign's: Nationality"}},
        {"an empty squadron, an empty unnamed force and a scenario without forces",
         [](Check& c) {
             c.Squadron() = VxSquadron();
             c.doc.m_scenarios.push_back(VxScenario());
             c.doc.m_scenarios.Modify(0).m_forces.push_back(VxForce());
         },
         {"empty|squadron|New Squadron|has no flagship, members or attachments",
          "empty|force|Dogger Bank, Force 2|has no squadrons or ships",
          "empty|scenario|New Scenario|has no forces"}},
        {"a squadron with only a flagship and a force with only a squadron are not empty",
         [](Check& c) {
             c.Squadron().m_shipNames.clear();
             c.Force().m_ships.clear();
         },
         {}},
    };
    for (const Case& test : cases) {
        SetUp();
        test.change(*this);
        EXPECT_EQ(Found(), Lines(test.found)) << test.what;
    }

    // A damaged file may hold anything in a name; a finding stays one short line.
    SetUp();
    const std::string huge(1 << 20, 'x');
    Squadron().m_strName = "Bad\r\nName\t\x01";
    Squadron().m_strFlagship = huge;
    const std::vector<Finding> found = CheckCampaign(doc);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].record, "Bad\\r\\nName\\t\\x01");
    EXPECT_EQ(found[0].problem, "flagship \"" + std::string(40, 'x') + "\x85\" names no ship");
    // Lists of names count what they leave out.
    EXPECT_EQ(NameList({}, 3), "");
    EXPECT_EQ(NameList({"A"}, 3), "A");
    EXPECT_EQ(NameList({"A", "B"}, 3), "A and B");
    EXPECT_EQ(NameList({"A", "B", "C"}, 3), "A, B and C");
    EXPECT_EQ(NameList({"A", "B", "C", "D", "E"}, 3), "A, B, C and 2 more");
    EXPECT_EQ(ShownName(std::string(40, 'y')), std::string(40, 'y'));
    EXPECT_EQ(ShownName("\x7F\xE9"), "\\x7F\xE9");
    // The name index finds the first of a name, and prefers one of the nation.
    const CArray<VxShip> ships = {Ship("Lion", 2), Ship("Tiger", 1), Ship("Lion", 1),
                                  Ship("Lion", 3)};
    const ShipNameIndex index(ships);
    EXPECT_EQ(index.Find("Lion"), 0u);
    EXPECT_EQ(index.Find("Tiger"), 1u);
    EXPECT_EQ(index.Find("lion"), ShipNameIndex::npos);
    EXPECT_FALSE(index.Has(""));
    // None of the nation: the first of the name.
    const std::tuple<const char*, int, std::size_t> ofNation[] = {
        {"Lion", 1, 2}, {"Lion", 3, 3},  {"Lion", 2, 0},
        {"Lion", 7, 0}, {"Tiger", 7, 1}, {"Hood", 1, ShipNameIndex::npos}};
    for (const auto& [name, nation, found] : ofNation)
        EXPECT_EQ(index.FindOfNation(name, nation), found) << name << " " << nation;
}

TEST_F(Check, RefreshMakesOnlyTheStaleCopiesTheCampaignsShipsAgainAndRenamesAreExact) {
    Force().m_ships = {doc.m_ships[0], Ship("Tiger", 1), doc.m_ships[1]};
    doc.m_ships.Modify(0).m_nTurnSpeed[4] = 3;
    doc.m_ships.Modify(1).m_bFlotilla = TRUE;
    doc.m_ships.Modify(1).m_nAARating = 7;
    const std::vector<StaleCopy> stale =
        StaleCopies(Force(), doc.m_ships, ShipNameIndex(doc.m_ships));
    ASSERT_EQ(stale.size(), 2u);
    EXPECT_EQ(stale[1].copy, 2u);
    EXPECT_EQ(stale[1].ship, 1u);
    // By text: the same literal need not be the same pointer in every build.
    EXPECT_EQ(std::vector<std::string>(stale[1].fields.begin(), stale[1].fields.end()),
              (std::vector<std::string>{"AA Rating", "Flotilla"}));
    EXPECT_EQ(RefreshStaleCopies(Force(), doc.m_ships), 2u);
    EXPECT_FALSE(Force().m_ships[0].IsDifferent(doc.m_ships[0]));
    EXPECT_FALSE(Force().m_ships[2].IsDifferent(doc.m_ships[1]));
    EXPECT_EQ(Force().m_ships[1].m_strName, "Tiger");
    EXPECT_EQ(RefreshStaleCopies(Force(), doc.m_ships), 0u);

    // Every place that names the ship exactly, however often, and only those.
    VxSquadron b, c;
    b.m_shipNames = {"Tiger", "Lion", "Lion"};
    b.m_attachmentNames = {"Lion"};
    c.m_attachmentNames = {"Lion "};
    const std::vector<ShipReference> found = SquadronsNaming(CArray<VxSquadron>{c, b}, "Lion");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].squadron, 1u);
    EXPECT_TRUE(!found[0].flagship && found[0].member && found[0].attachment);
    EXPECT_TRUE(RenameShipIn(b, "Lion", "Leo"));
    EXPECT_EQ(b.m_shipNames, (CStringArray{"Tiger", "Leo", "Leo"}));
    EXPECT_EQ(b.m_attachmentNames, (CStringArray{"Leo"}));
    EXPECT_FALSE(RenameShipIn(c, "Lion", "Leo"));
    // An empty flagship is no flagship, whatever a ship without a name does.
    EXPECT_TRUE(SquadronsNaming({VxSquadron()}, "").empty());
    VxSquadron none;
    EXPECT_FALSE(RenameShipIn(none, "", "Leo"));
    EXPECT_EQ(none.m_strFlagship, "");
}

// A rename reaches every place that uses the old name: the campaign's
// squadrons, and the squadrons and same-nation single ships in forces.
TEST_F(Check, EveryUseOfARenamedShipIsFoundCountedAndRenamedInForcesToo) {
    Force().m_ships = {doc.m_ships[0], Ship("Lion", 2), doc.m_ships[0]};
    VxScenario second;
    second.m_strName = "Jutland";
    second.m_forces.resize(3);
    second.m_forces[1].m_squadrons = {doc.m_squadrons[0], doc.m_squadrons[0]};
    second.m_forces[2].m_ships = {Ship("Moltke", 2)};
    doc.m_scenarios.push_back(second);

    const ShipNameUses uses = FindShipNameUses(doc.m_squadrons, doc.m_scenarios, "Lion", 1);
    ASSERT_EQ(uses.squadrons.size(), 1u);
    // Scenario, force, squadron copies and ships; the German "Lion" is another ship.
    std::vector<std::array<std::size_t, 4>> forces;
    for (const ForceUse& f : uses.forces)
        forces.push_back({f.scenario, f.force, f.squadrons, f.ships});
    EXPECT_EQ(forces, (std::vector<std::array<std::size_t, 4>>{{0, 0, 1, 2}, {1, 1, 2, 0}}));
    EXPECT_TRUE(FindShipNameUses(doc.m_squadrons, doc.m_scenarios, "Tiger", 1).Empty());

    RenameShipUses(doc.m_squadrons, doc.m_scenarios, uses, "Lion", "Leo", 1);
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "Leo");
    const VxForce& first = doc.m_scenarios[0].m_forces[0];
    EXPECT_EQ(first.m_squadrons[0].m_strFlagship, "Leo");
    EXPECT_EQ(first.m_squadrons[0].m_shipNames, (CStringArray{"Leo", "Hvalen"}));
    EXPECT_EQ(first.m_ships[0].m_strName, "Leo");
    EXPECT_EQ(first.m_ships[1].m_strName, "Lion");
    EXPECT_EQ(first.m_ships[2].m_strName, "Leo");
    for (const VxSquadron& copy : doc.m_scenarios[1].m_forces[1].m_squadrons)
        EXPECT_EQ(copy.m_strFlagship, "Leo");
    EXPECT_EQ(doc.m_scenarios[1].m_forces[2].m_ships[0].m_strName, "Moltke");
    EXPECT_TRUE(FindShipNameUses(doc.m_squadrons, doc.m_scenarios, "Lion", 1).Empty());
    EXPECT_EQ(ShownForceName(doc.m_scenarios[0], 0), "Dogger Bank, Force 1 (Battlecruiser Force)");
    EXPECT_EQ(ShownForceName(doc.m_scenarios[1], 2), "Jutland, Force 3");
}

// The ships offered for a missing name: the nation's, each name once, the
// closest first.
TEST_F(Check, AMissingNameIsOfferedTheNationsShipsClosestFirst) {
    const auto Offered = [this](const CString& missing, int nation) {
        const ShipNameChoice choice(doc.m_ships, missing, nation);
        std::vector<std::string> names;
        for (const std::size_t i : choice.Choices()) names.push_back(doc.m_ships[i].m_strName);
        return names;
    };
    using Names = std::vector<std::string>;
    for (const char* name : {"Queen Mary", "Lion", "Tigris", "Tiger (1915)", "Tiger (1915)"})
        doc.m_ships.push_back(Ship(name, 1));
    doc.m_ships.push_back(Ship("Tiger", 2));
    // A renamed ship holds its old name; then fewer letters to change.
    EXPECT_EQ(Offered("Tiger", 1), (Names{"Tiger (1915)", "Tigris", "Lion", "Queen Mary"}));
    // Letter case aside; a name the missing one holds counts as close too.
    EXPECT_EQ(Offered("TIGER (1915) II", 1)[0], "Tiger (1915)");
    EXPECT_EQ(Offered("queen", 1)[0], "Queen Mary");
    // Equally far, the longer common beginning first; then list order.
    doc.m_ships.push_back(Ship("Xoltke", 2));
    doc.m_ships.push_back(Ship("Moltka", 2));
    doc.m_ships.push_back(Ship("Moltkx", 2));
    EXPECT_EQ(Offered("Moltke", 2), (Names{"Moltka", "Moltkx", "Xoltke", "Tiger"}));
    // A nation without ships offers every ship, each name once.
    EXPECT_EQ(Offered("Hood", 7).size(), 10u);
    EXPECT_TRUE(ShipNameChoice({}, "Hood", 1).Choices().empty());
    // A huge name costs what its first letters cost.
    EXPECT_EQ(Offered("Lion" + std::string(1 << 20, 'x'), 1)[0], "Lion");
}

// The fix renames every place that gives the missing name, the forces'
// copies too, and the findings about it go.
TEST_F(Check, ChoosingTheShipForAMissingNameRenamesEveryPlaceThatGivesIt) {
    Squadron().m_strFlagship = "Tiger";
    Squadron().m_shipNames = {"Tiger", "Hvalen"};
    Force().m_squadrons[0] = doc.m_squadrons[0];
    Force().m_ships = {Ship("Tiger", 1), Ship("Tiger", 2)};
    doc.m_ships.push_back(Ship("Tiger (1915)", 1));
    const std::vector<Finding> found = CheckCampaign(doc);
    ASSERT_EQ(found.size(), 4u);
    for (const Finding& finding : found) {
        EXPECT_EQ(finding.kind, FindingKind::MissingShip);
        EXPECT_EQ(finding.shipName, "Tiger");
        EXPECT_EQ(finding.nation, 1);
    }

    const ShipNameChoice choice(doc.m_ships, found[3].shipName, found[3].nation);
    EXPECT_EQ(choice.Missing(), "Tiger");
    ASSERT_EQ(choice.Choices().front(), 3u);
    choice.Apply(doc, choice.Choices().front());
    EXPECT_TRUE(CheckCampaign(doc).empty());
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "Tiger (1915)");
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames, (CStringArray{"Tiger (1915)", "Hvalen"}));
    const VxForce& force = doc.m_scenarios[0].m_forces[0];
    EXPECT_EQ(force.m_squadrons[0].m_strFlagship, "Tiger (1915)");
    EXPECT_EQ(force.m_squadrons[0].m_shipNames, (CStringArray{"Tiger (1915)", "Hvalen"}));
    EXPECT_EQ(force.m_ships[0].m_strName, "Tiger (1915)");
    EXPECT_EQ(force.m_ships[1].m_strName, "Tiger");  // the German ship of that name
}

}  // namespace
