#include "interchange/recordmerge.h"

#include <gtest/gtest.h>

#include <functional>

#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "interchange/copiedrecords.h"
#include "model/brinnowdoc.h"

namespace {

// Records pasted from another campaign.
using Answer = RecordMerge::Answer;

int ArmamentOf(const CBrinnowDoc& doc, int nation, const CString& calibre) {
    for (std::size_t i = 0; i < doc.m_armaments.size(); ++i) {
        const VxArmament& armament = doc.m_armaments[i];
        if (armament.m_nNation == nation && armament.m_strCalibre == calibre) return int(i);
    }
    return -1;
}

const VxShip* ShipNamed(const CBrinnowDoc& doc, const CString& name) {
    for (const VxShip& ship : doc.m_ships) {
        if (ship.m_strName == name) return &ship;
    }
    return nullptr;
}

// The campaign copied from: the defaults, a nation of its own with a gun of
// its own, two ships, a squadron naming one ship and a missing one, and a
// scenario with a squadron and a single ship in a force.
class Merge : public ::testing::Test {
  protected:
    void SetUp() override {
        from.m_nations.emplace_back("Freedonia", "", 4);
        VxArmament gun("16", 3.5, 10);
        gun.m_strNotes = "Mk I";
        from.InsertArmament(gun);
        lion.m_strName = "Lion";
        lion.m_nNation = 1;
        lion.m_nMainArmament = ArmamentOf(from, 1, "13.5");
        lion.m_nSecondaryArmament = ArmamentOf(from, 1, "4");
        lion.m_nTorpedo = 1;
        lion.m_dDF = 4.5;
        from.m_ships.push_back(lion);
        duck.m_strName = "Duck";
        duck.m_nNation = 10;
        duck.m_nMainArmament = duck.m_nSecondaryArmament = ArmamentOf(from, 10, "16");
        from.m_ships.push_back(duck);
        squadron.m_strName = "1st BCS";
        squadron.m_nNation = 1;
        squadron.m_strFlagship = "Lion";
        squadron.m_shipNames = {"Lion", "Ghost"};
        from.m_squadrons.push_back(squadron);
        VxForce force;
        force.m_nNation = 10;
        force.m_squadrons.push_back(squadron);
        force.m_ships.push_back(duck);
        scenario.m_strName = "Dogger";
        scenario.m_forces.push_back(force);
        from.m_scenarios.push_back(scenario);

        // The campaign pasted into: other nations in another order, and a
        // ship whose armament must keep pointing at its gun.
        to.m_nations = {VxNation("Neutral", "", 0), VxNation("Germany", "", 1),
                        VxNation("Great Britain", "", 2)};
        to.m_armaments = {VxArmament("11", 2, 1), VxArmament("13.5", 2.94, 2)};
        to.m_torpedoes = {VxTorpedo(21.0, 6000)};
        VxShip zeta;
        zeta.m_strName = "Zeta";
        zeta.m_nNation = 2;
        zeta.m_nMainArmament = zeta.m_nSecondaryArmament = 1;
        to.m_ships.push_back(zeta);
    }

    template <class Record>
    std::string Copied(const Record& record, void (CopiedRecords::*add)(const Record&)) {
        CopiedRecords copied(from);
        (copied.*add)(record);
        return copied.Json();
    }
    std::string CopiedShip(const VxShip& ship) { return Copied(ship, &CopiedRecords::AddShip); }

    // Pastes json into to, answering every question with answer; returns
    // the refusal, empty when it was read.
    std::string Paste(const std::string& json, Answer answer = Answer::Replace) {
        RecordMerge merge(to);
        std::string error;
        if (!merge.Read(json, error)) {
            EXPECT_FALSE(merge.Apply([](auto&&...) { return Answer::Replace; }));
            return error;
        }
        questions.clear();
        pasted = merge.Apply([&](const std::string& kind, const std::string& name) {
            questions.push_back(kind + " " + name);
            return answer;
        });
        added = merge.Added();
        replaced = merge.Replaced();
        return {};
    }

    CBrinnowDoc from, to;
    VxShip lion, duck;
    VxSquadron squadron;
    VxScenario scenario;
    std::vector<std::string> questions;
    bool pasted = false;
    std::size_t added = 0, replaced = 0;
};

TEST_F(Merge, ASameNamedShipIsReplacedKeptOrLeftAloneWhenTheSame) {
    const std::string json = CopiedShip(lion);
    ASSERT_EQ(Paste(json), "");
    const std::string once = to.SaveToBytes();
    ASSERT_EQ(Paste(json), "");
    EXPECT_TRUE(questions.empty()) << "the same ship is no clash";
    EXPECT_EQ(added + replaced, 0u);
    EXPECT_EQ(to.SaveToBytes(), once);

    for (const Answer answer : {Answer::Keep, Answer::Cancel, Answer::Replace}) {
        std::size_t lionAt = 0;
        while (to.m_ships[lionAt].m_strName != "Lion") ++lionAt;
        to.m_ships.Modify(lionAt).m_dDF = 9;
        const std::string changed = to.SaveToBytes();
        ASSERT_EQ(Paste(json, answer), "");
        EXPECT_EQ(questions, std::vector<std::string>{"ship \"Lion\""});
        EXPECT_EQ(pasted, answer != Answer::Cancel);
        EXPECT_EQ(to.SaveToBytes(), answer == Answer::Replace ? once : changed);
        EXPECT_EQ(replaced, answer == Answer::Replace ? 1u : 0u);
    }

    // Cancel changes nothing even when a nation was to be added.
    to.m_ships.Modify(0).m_dDF = 1;
    const std::string before = to.SaveToBytes();
    CopiedRecords copied(from);
    copied.AddShip(duck);
    copied.AddShip(lion);
    ASSERT_EQ(Paste(copied.Json(), Answer::Cancel), "");
    EXPECT_FALSE(pasted);
    EXPECT_EQ(to.SaveToBytes(), before);
}

TEST_F(Merge, ASquadronBringsTheShipsItNames) {
    const std::string json = Copied(squadron, &CopiedRecords::AddSquadron);
    ASSERT_EQ(Paste(json), "");
    ASSERT_EQ(to.m_squadrons.size(), 1u);
    EXPECT_EQ(to.m_squadrons[0].m_nNation, 2);
    EXPECT_EQ(to.m_squadrons[0].m_shipNames, (CStringArray{"Lion", "Ghost"}));
    EXPECT_NE(ShipNamed(to, "Lion"), nullptr);
    EXPECT_EQ(to.m_ships.size(), 2u) << "Lion once, though named twice; no Ghost";

    to.m_squadrons.Modify(0).m_strCommander = "Beatty";
    ASSERT_EQ(Paste(json, Answer::Keep), "");
    EXPECT_EQ(questions, std::vector<std::string>{"squadron \"1st BCS\""});
    EXPECT_EQ(to.m_squadrons[0].m_strCommander, "Beatty");
}

TEST_F(Merge, AScenarioMapsItsForcesAndTheirCopiesAndDamageIsRefused) {
    const std::string json = Copied(scenario, &CopiedRecords::AddScenario);
    ASSERT_EQ(Paste(json), "");
    ASSERT_EQ(to.m_scenarios.size(), 1u);
    const VxForce& force = to.m_scenarios[0].m_forces.at(0);
    EXPECT_EQ(force.m_nNation, 3);
    EXPECT_EQ(force.m_squadrons.at(0).m_nNation, 2);
    EXPECT_EQ(force.m_ships.at(0).m_nMainArmament, ArmamentOf(to, 3, "16"));
    EXPECT_NE(ShipNamed(to, "Lion"), nullptr) << "the force's squadron names Lion";

    VxScenario other = scenario;
    other.m_strName = "Coronel";
    CopiedRecords copied(from);
    copied.AddScenario(other);
    ASSERT_EQ(Paste(copied.Json()), "");
    EXPECT_EQ(to.m_scenarios[0].m_strName, "Coronel") << "scenarios in the order of their names";

    // Twins pasted together keep their order: each goes after the names equal to its own.
    CopiedRecords twins(from);
    for (const char* umpire : {"first", "second"}) {
        VxScenario twin = scenario;
        twin.m_strName = "Falklands";
        twin.m_strUmpire = umpire;
        twins.AddScenario(twin);
    }
    ASSERT_EQ(Paste(twins.Json()), "");
    std::vector<std::string> umpires;
    for (const VxScenario& pasted : to.m_scenarios) {
        if (pasted.m_strName == "Falklands") umpires.push_back(pasted.m_strUmpire);
    }
    EXPECT_EQ(umpires, (std::vector<std::string>{"first", "second"}));

    // Hostile or damaged contents are refused and change nothing.
    const auto edited = [&](const std::function<void(CBrinnowDoc&)>& edit) {
        CBrinnowDoc doc;
        std::string error;
        EXPECT_TRUE(
            ImportCampaignJson(Copied(scenario, &CopiedRecords::AddScenario), "t", doc, error));
        edit(doc);
        return CampaignJson(doc);
    };
    VxShip damaged = lion;
    damaged.m_nNation = 99;
    const struct {
        std::string json;
        const char* says;
    } cases[] = {
        {"Lion,13.5,4", "\"clipboard\" cannot be imported"},
        {"{\"format\": \"brinnow-campaign\"}", "cannot be imported"},
        {edited([](CBrinnowDoc& doc) {
             doc.m_ships.clear();
             doc.m_scenarios.clear();
         }),
         "holds no ships, squadrons or scenarios"},
        {edited([](CBrinnowDoc& doc) { doc.m_ships.Modify(0).m_nMainArmament = 5; }),
         "The ship \"Lion\" on the clipboard names armament type 5"},
        {edited([](CBrinnowDoc& doc) { doc.m_ships.Modify(0).m_nSecondaryArmament = -1; }),
         "armament type -1"},
        {edited([](CBrinnowDoc& doc) { doc.m_ships.Modify(0).m_nTorpedo = 2; }), "torpedo type 2"},
        {edited([](CBrinnowDoc& doc) { doc.m_armaments.Modify(0).m_nNation = 7; }),
         "the nation of an armament type 7"},
        {edited([](CBrinnowDoc& doc) { doc.m_scenarios.Modify(0).m_forces[0].m_nNation = 3; }),
         "The scenario \"Dogger\" on the clipboard names nation 3"},
        {edited([](CBrinnowDoc& doc) {
             doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_nNation = -4;
         }),
         "The squadron \"1st BCS\" on the clipboard names nation -4"},
        {edited([](CBrinnowDoc& doc) {
             doc.m_scenarios.Modify(0).m_forces[0].m_ships[0].m_nTorpedo = 1 << 30;
         }),
         "The ship \"Duck\" on the clipboard names torpedo type 1073741824"},
        {CopiedShip(damaged), "names nation -1"},
    };
    const std::string before = to.SaveToBytes();
    for (const auto& refused : cases) {
        const std::string error = Paste(refused.json);
        EXPECT_NE(error.find(refused.says), std::string::npos) << error;
        EXPECT_EQ(to.SaveToBytes(), before) << refused.says;
    }
}

}  // namespace
