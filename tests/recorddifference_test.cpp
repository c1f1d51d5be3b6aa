// Every field of every record on its own must make IsDifferent true: the
// editors decide from it whether saving marks the document modified, so a
// field left out of the comparison loses a user's change without a word.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "model/armament.h"
#include "model/force.h"
#include "model/nation.h"
#include "model/scenario.h"
#include "model/ship.h"
#include "model/squadron.h"
#include "tests/support/sampleship.h"

namespace {

template <class T>
using Change = std::pair<std::string, std::function<void(T&)>>;

// Each change, made to a copy of base, must compare as different both ways;
// the untouched copy must not.
template <class T>
void ExpectEachChangeIsADifference(const T& base, const std::vector<Change<T>>& changes) {
    EXPECT_FALSE(T(base).IsDifferent(base));
    for (const auto& [field, change] : changes) {
        T changed = base;
        change(changed);
        EXPECT_TRUE(changed.IsDifferent(base)) << field;
        EXPECT_TRUE(base.IsDifferent(changed)) << field;
    }
}

// Each change is named by the label a stale copy's finding gives its field.
TEST(RecordDifference, EveryShipArmamentAndNationFieldCounts) {
    std::vector<Change<VxShip>> changes = {
        {"Name", [](VxShip& s) { s.m_strName += ' '; }},
        {"Name", [](VxShip& s) { s.m_strName = "lion"; }},
        {"Nationality", [](VxShip& s) { s.m_nNation = 2; }},
        {"Main Armament", [](VxShip& s) { s.m_nMainArmament = 9; }},
        {"Wing Turrets", [](VxShip& s) { s.m_bWingTurrets = TRUE; }},
        {"Secondary Armament", [](VxShip& s) { s.m_nSecondaryArmament = 2; }},
        {"Torpedo Armament", [](VxShip& s) { s.m_nTorpedo = 0; }},
        {"DF", [](VxShip& s) { s.m_dDF = 14.5; }},
        {"Ship Type", [](VxShip& s) { s.m_nShipType = 6; }},
        {"AA Rating", [](VxShip& s) { s.m_nAARating = 3; }},
        {"Identifier", [](VxShip& s) { s.m_strIdentifier = "BC-2"; }},
        {"Notes", [](VxShip& s) { s.m_strNotes.back() = 'P'; }},
        {"Poor UP", [](VxShip& s) { s.m_bPoorUP = TRUE; }},
        {"Flotilla", [](VxShip& s) { s.m_bFlotilla = TRUE; }},
    };
    for (int i = 0; i < 4; ++i) {
        changes.push_back({"Main Armament AF", [i](VxShip& s) { s.m_dMainAF[i] += 0.25; }});
        changes.push_back(
            {"Secondary Armament AF", [i](VxShip& s) { s.m_dSecondaryAF[i] += 0.25; }});
        changes.push_back({"Torpedo Armament AF", [i](VxShip& s) { s.m_nTorpedoAF[i] += 1; }});
    }
    for (int i = 0; i < 5; ++i) {
        changes.push_back({"Turn Speed", [i](VxShip& s) { s.m_nTurnSpeed[i] -= 1; }});
    }
    const VxShip base = SampleLion();
    ExpectEachChangeIsADifference(base, changes);
    for (const auto& [label, change] : changes) {
        VxShip changed = base;
        change(changed);
        const std::vector<const char*> fields = changed.DifferingFields(base);
        EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()),
                  std::vector<std::string>{label});
    }
    // Doubles compare by value, not by bits.
    VxShip a = base, b = base;
    a.m_dDF = 0.0;
    b.m_dDF = -0.0;
    EXPECT_FALSE(a.IsDifferent(b));
    // Neither less nor greater: two unreadable values are not a change.
    a.m_dMainAF[0] = b.m_dMainAF[0] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(a.IsDifferent(b));
    b.m_dMainAF[0] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(a.IsDifferent(b));
    a.m_dMainAF[0] = 1;
    EXPECT_TRUE(a.IsDifferent(b));

    // Every armament field counts; a nation's name and notes do.
    VxArmament gun("12", 3.0, 1);
    gun.m_strNotes = "Mk X";
    for (int band = 0; band < VxArmament::kRangeBands; ++band) {
        gun.SetRangeBand(band, std::to_string(band));
    }
    std::vector<Change<VxArmament>> gunChanges = {
        {"calibre", [](VxArmament& g) { g.m_strCalibre = "13.5"; }},
        {"gun", [](VxArmament& g) { g.m_bGun = FALSE; }},
        {"nation", [](VxArmament& g) { g.m_nNation = 2; }},
        {"AF", [](VxArmament& g) { g.m_dAF = 3.25; }},
        {"notes case", [](VxArmament& g) { g.m_strNotes = "MK X"; }},
    };
    for (int band = 0; band < VxArmament::kRangeBands; ++band) {
        gunChanges.push_back({"range band " + std::to_string(band),
                              [band](VxArmament& g) { g.SetRangeBand(band, "x"); }});
    }
    ExpectEachChangeIsADifference(gun, gunChanges);
    // Nations compare name and notes, but not the group code.
    const VxNation nation("Turkey", "Ottoman Navy", 4);
    ExpectEachChangeIsADifference<VxNation>(
        nation, {{"name", [](VxNation& n) { n.m_strName = "turkey"; }},
                 {"notes", [](VxNation& n) { n.m_strNotes += "\r\n"; }}});
    VxNation regrouped = nation;
    regrouped.m_nGroupCode = 5;
    EXPECT_FALSE(regrouped.IsDifferent(nation));
}

VxSquadron SampleSquadron() {
    VxSquadron squadron;
    squadron.m_strName = "1st BCS";
    squadron.m_nNation = 1;
    squadron.m_strFlagship = "Lion";
    squadron.m_strCommander = "Beatty";
    squadron.m_shipNames = {"Princess Royal", "Queen Mary"};
    squadron.m_attachmentNames = {"Lurcher"};
    squadron.m_strNotes = "Fast wing";
    return squadron;
}

VxForce SampleForce() {
    VxForce force;
    force.m_strName = "British";
    force.m_nNation = 1;
    force.m_strNotes = "From Rosyth";
    force.m_squadrons = {SampleSquadron(), SampleSquadron()};
    force.m_squadrons[1].m_strName = "2nd BCS";
    force.m_ships = {SampleLion(), SampleLion()};
    force.m_ships[1].m_strName = "Tiger";
    return force;
}

TEST(RecordDifference, EverySquadronForceAndScenarioFieldCounts) {
    ExpectEachChangeIsADifference<VxSquadron>(
        SampleSquadron(),
        {{"name", [](VxSquadron& s) { s.m_strName = "2nd BCS"; }},
         {"nation", [](VxSquadron& s) { s.m_nNation = 0; }},
         {"flagship", [](VxSquadron& s) { s.m_strFlagship = "Tiger"; }},
         {"commander", [](VxSquadron& s) { s.m_strCommander = "beatty"; }},
         {"notes", [](VxSquadron& s) { s.m_strNotes.clear(); }},
         {"one more ship", [](VxSquadron& s) { s.m_shipNames.push_back("Tiger"); }},
         {"one ship fewer", [](VxSquadron& s) { s.m_shipNames.pop_back(); }},
         {"a ship's name", [](VxSquadron& s) { s.m_shipNames[1] = "Tiger"; }},
         {"ships' order", [](VxSquadron& s) { std::swap(s.m_shipNames[0], s.m_shipNames[1]); }},
         {"one more attachment", [](VxSquadron& s) { s.m_attachmentNames.push_back("Lurcher"); }},
         {"no attachment", [](VxSquadron& s) { s.m_attachmentNames.clear(); }},
         {"an attachment's name", [](VxSquadron& s) { s.m_attachmentNames[0] = "Firedrake"; }}});

    ExpectEachChangeIsADifference<VxForce>(
        SampleForce(),
        {{"name", [](VxForce& f) { f.m_strName = "Royal Navy"; }},
         {"nation", [](VxForce& f) { f.m_nNation = 2; }},
         {"notes", [](VxForce& f) { f.m_strNotes += '.'; }},
         {"a squadron fewer", [](VxForce& f) { f.m_squadrons.pop_back(); }},
         {"a squadron's flagship", [](VxForce& f) { f.m_squadrons[1].m_strFlagship.clear(); }},
         {"squadrons' order", [](VxForce& f) { std::swap(f.m_squadrons[0], f.m_squadrons[1]); }},
         {"a ship more", [](VxForce& f) { f.m_ships.push_back(VxShip()); }},
         {"a ship's copy", [](VxForce& f) { f.m_ships[1].m_bFlotilla = TRUE; }},
         {"ships' order", [](VxForce& f) { std::swap(f.m_ships[0], f.m_ships[1]); }}});

    VxScenario base;
    base.m_forces = {SampleForce(), SampleForce()};
    base.m_forces[1].m_strName = "High Seas Fleet";
    std::vector<Change<VxScenario>> scenarioChanges = {
        {"a force fewer", [](VxScenario& s) { s.m_forces.pop_back(); }},
        {"a force more", [](VxScenario& s) { s.m_forces.push_back(VxForce()); }},
        {"forces' order", [](VxScenario& s) { std::swap(s.m_forces[0], s.m_forces[1]); }},
        {"the last force's notes", [](VxScenario& s) { s.m_forces[1].m_strNotes.clear(); }}};
    const std::pair<const char*, CString VxScenario::*> texts[] = {
        {"name", &VxScenario::m_strName},
        {"umpire", &VxScenario::m_strUmpire},
        {"date", &VxScenario::m_strDate},
        {"weather", &VxScenario::m_strWeather},
        {"victory", &VxScenario::m_strVictoryConditions},
        {"notes", &VxScenario::m_strNotes}};
    for (const auto& [label, text] : texts)
        scenarioChanges.push_back({label, [text = text](VxScenario& s) { s.*text += 'X'; }});
    ExpectEachChangeIsADifference(base, scenarioChanges);
}

}  // namespace
