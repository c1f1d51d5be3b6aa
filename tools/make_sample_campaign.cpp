// The bundled sample campaign: historic ships of four navies with figures of
// our own, two squadrons a side and two scenarios.
#include <algorithm>
#include <iostream>
#include <string>

#include "model/brinnowdoc.h"

namespace {

enum Nation { kBritain = 1, kGermany = 2, kRussia = 3, kJapan = 6 };

struct ShipFigures {
    const char* name;
    int nation;
    const char* main;
    const char* secondary;  // "" for none
    std::array<double, 4> mainAF;
    std::array<double, 4> secondaryAF;
    std::array<int, 4> torpedoAF;
    int torpedo;  // 0 for 18-inch
    double df;
    int type;
    int aa;
    std::array<int, 5> speeds;
    const char* identifier;
    const char* notes;
    bool wing = false;
    bool poorUP = false;
    bool flotilla = false;
};

int ArmamentIndex(const CBrinnowDoc& doc, int nation, const std::string& calibre) {
    for (std::size_t i = 0; i < doc.m_armaments.size(); ++i) {
        const VxArmament& a = doc.m_armaments[i];
        if (a.m_nNation == nation && a.m_strCalibre == calibre) return int(i);
    }
    std::cerr << "no armament " << calibre << " for nation " << nation << "\n";
    std::exit(1);
}

void AddArmaments(CBrinnowDoc& doc) {
    const struct {
        int nation;
        const char* calibre;
        double af;
    } guns[] = {{kRussia, "12", 2.3},  {kRussia, "10", 1.8}, {kRussia, "6", 0.7},
                {kRussia, "4.7", 0.5}, {kJapan, "12", 2.3},  {kJapan, "8", 1.1},
                {kJapan, "6", 0.7},    {kJapan, "3", 0.33}};
    for (const auto& gun : guns) doc.InsertArmament(VxArmament(gun.calibre, gun.af, gun.nation));
    VxArmament aircraft("Aircraft", 0.5, kBritain);
    aircraft.m_bGun = FALSE;
    aircraft.m_strNotes = "Sopwith Pup";
    doc.InsertArmament(aircraft);
}

VxShip MakeShip(const CBrinnowDoc& doc, const ShipFigures& f) {
    VxShip ship;
    ship.m_strName = f.name;
    ship.m_nNation = f.nation;
    ship.m_nMainArmament = ArmamentIndex(doc, f.nation, f.main);
    ship.m_dMainAF = f.mainAF;
    if (*f.secondary) ship.m_nSecondaryArmament = ArmamentIndex(doc, f.nation, f.secondary);
    ship.m_dSecondaryAF = f.secondaryAF;
    ship.m_nTorpedo = f.torpedo;
    ship.m_nTorpedoAF = f.torpedoAF;
    ship.m_dDF = f.df;
    ship.m_nShipType = f.type;
    ship.m_nAARating = f.aa;
    ship.m_nTurnSpeed = f.speeds;
    ship.m_strIdentifier = f.identifier;
    ship.m_strNotes = f.notes;
    ship.m_bWingTurrets = f.wing;
    ship.m_bPoorUP = f.poorUP;
    ship.m_bFlotilla = f.flotilla;
    return ship;
}

// One ship a row reads best as a table.
// clang-format off
const ShipFigures kShips[] = {
    {"Lion", kBritain, "13.5", "4", {3, 3, 2, 2}, {1, 1, 0.5, 0.5}, {2, 1, 0, 0}, 1, 14, 7, 1,
     {28, 24, 20, 16, 8}, "BC-1", "Beatty's flagship.\r\nHit badly at Dogger Bank; towed home."},
    {"Tiger", kBritain, "13.5", "6", {3, 3, 2, 2}, {1.5, 1, 1, 0.5}, {2, 1, 0, 0}, 1, 14, 7, 1,
     {29, 24, 20, 16, 8}, "BC-4", "Newly commissioned, crew half trained."},
    {"Iron Duke", kBritain, "13.5", "6", {4, 4, 3, 3}, {1.5, 1, 1, 0.5}, {1, 1, 0, 0}, 1, 18, 6, 2,
     {21, 18, 15, 12, 6}, "BB-1", "Fleet flagship, Grand Fleet.", true},
    {"Dreadnought", kBritain, "12", "", {3, 3, 2, 2}, {0, 0, 0, 0}, {1, 0, 0, 0}, 0, 16, 6, 1,
     {21, 18, 15, 12, 6}, "BB-0", "The ship that named an era.", true},
    {"Campania", kBritain, "6", "Aircraft", {1, 1, 0, 0}, {10, 0, 0, 0}, {0, 0, 0, 0}, 0, 6, 10, 3,
     {22, 18, 14, 10, 5}, "CV-1", "Converted liner; flies off seaplanes and a Pup."},
    {"Arethusa", kBritain, "6", "4", {0.7, 0.7, 0.5, 0}, {0.5, 0.5, 0, 0}, {2, 2, 1, 0}, 1, 6, 9, 2,
     {29, 25, 21, 16, 8}, "CL-2", "Commodore Tyrwhitt, Harwich Force."},
    {"Laurel", kBritain, "4", "", {0.5, 0.5, 0, 0}, {0, 0, 0, 0}, {4, 3, 2, 1}, 1, 2, 11, 0,
     {29, 27, 24, 20, 12}, "DD-L", "L-class destroyer.", false, false, true},
    {"Seydlitz", kGermany, "11", "5.9", {3, 3, 2, 2}, {1.5, 1, 1, 0.5}, {2, 1, 0, 0}, 0, 15, 7, 1,
     {26, 23, 19, 15, 8}, "SMS-S", "Magazine flash at Dogger Bank;\r\nsaved by flooding."},
    {"Derfflinger", kGermany, "12", "5.9", {3.5, 3.5, 2.5, 2}, {1.5, 1, 1, 0.5}, {2, 1, 0, 0}, 1,
     17, 7, 1, {26, 23, 19, 15, 8}, "SMS-D", "The Iron Dog."},
    {"Moltke", kGermany, "11", "5.9", {3, 3, 2, 2}, {1.5, 1, 1, 0.5}, {2, 1, 0, 0}, 0, 14, 7, 1,
     {25, 22, 18, 14, 7}, "SMS-M", ""},
    {"Bl\xFC" "cher", kGermany, "8.2", "5.9", {1.5, 1.5, 1, 1}, {1, 1, 0.5, 0.5}, {1, 1, 0, 0}, 0, 10, 8,
     0, {24, 21, 17, 13, 6}, "SMS-B", "Armoured cruiser in the battle line.", true, true},
    {"Frankfurt", kGermany, "5.9", "", {0.7, 0.7, 0.5, 0}, {0, 0, 0, 0}, {1, 1, 0, 0}, 0, 5, 9, 1,
     {27, 24, 20, 16, 8}, "SMS-F", ""},
    {"V 187", kGermany, "3.5", "", {0.33, 0.33, 0, 0}, {0, 0, 0, 0}, {3, 2, 1, 1}, 0, 1.5, 13, 0,
     {30, 27, 24, 20, 12}, "TB-187", "Coal fired.", false, false, true},
    {"Mikasa", kJapan, "12", "6", {3, 3, 2, 1}, {1.5, 1, 1, 0.5}, {1, 0, 0, 0}, 0, 14, 4, 0,
     {18, 15, 12, 9, 5}, "BB-M", "Togo's flagship at Tsushima."},
    {"Shikishima", kJapan, "12", "6", {3, 3, 2, 1}, {1.5, 1, 1, 0.5}, {1, 0, 0, 0}, 0, 13, 4, 0,
     {18, 15, 12, 9, 5}, "BB-S", ""},
    {"Asama", kJapan, "8", "6", {1.5, 1.5, 1, 1}, {1, 1, 0.5, 0.5}, {1, 0, 0, 0}, 0, 9, 8, 0,
     {21, 18, 15, 12, 6}, "CA-A", "Kamimura's cruisers."},
    {"Knyaz Suvorov", kRussia, "12", "6", {3, 3, 2, 1}, {1.5, 1, 1, 0.5}, {1, 0, 0, 0}, 0, 12, 4, 0,
     {17, 14, 11, 8, 4}, "BB-KS", "Rozhestvensky's flagship.\r\nFouled bottom after the voyage.",
     false, true},
    {"Oslyabya", kRussia, "10", "6", {2, 2, 1.5, 1}, {1.5, 1, 1, 0.5}, {1, 0, 0, 0}, 0, 9, 4, 0,
     {17, 14, 11, 8, 4}, "BB-O", "Lightly armoured.", false, true},
    {"Kollier Irtysh", kRussia, "4.7", "", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 3, 0, 0,
     {10, 8, 6, 4, 2}, "AC-I", "Fleet collier."},
};
// clang-format on

VxSquadron Squadron(const char* name, int nation, const char* flagship, const char* commander,
                    CStringArray ships, CStringArray attachments, const char* notes) {
    VxSquadron squadron;
    squadron.m_strName = name;
    squadron.m_nNation = nation;
    squadron.m_strFlagship = flagship;
    squadron.m_strCommander = commander;
    squadron.m_shipNames = std::move(ships);
    squadron.m_attachmentNames = std::move(attachments);
    squadron.m_strNotes = notes;
    return squadron;
}

const VxSquadron& SquadronNamed(const CBrinnowDoc& doc, const std::string& name) {
    for (const VxSquadron& s : doc.m_squadrons) {
        if (s.m_strName == name) return s;
    }
    std::exit(1);
}

VxForce Force(const CBrinnowDoc& doc, const char* name, int nation,
              std::initializer_list<const char*> squadrons,
              std::initializer_list<const char*> ships, const char* notes) {
    VxForce force;
    force.m_strName = name;
    force.m_nNation = nation;
    for (const char* s : squadrons) force.m_squadrons.push_back(SquadronNamed(doc, s));
    for (const char* s : ships) force.m_ships.push_back(FindShipByName(doc.m_ships, s));
    force.m_strNotes = notes;
    return force;
}

void AddScenarios(CBrinnowDoc& doc) {
    VxScenario dogger;
    dogger.m_strName = "Dogger Bank";
    dogger.m_strUmpire = "A. N. Umpire";
    dogger.m_strDate = "24 January 1915";
    dogger.m_strWeather = "Clear, calm sea.\r\nVisibility 15 miles, smoke to leeward.";
    dogger.m_strVictoryConditions =
        "British: sink two battlecruisers.\r\nGerman: bring the squadron home.";
    dogger.m_strNotes = "The Germans start 14 miles ahead, steaming for home.";
    dogger.m_forces.push_back(Force(doc, "Battlecruiser Force", kBritain,
                                    {"1st Battlecruiser Squadron"}, {"Arethusa", "Laurel"},
                                    "Beatty"));
    dogger.m_forces.push_back(Force(doc,
                                    "I. Aufkl\xE4"
                                    "rungsgruppe",
                                    kGermany,
                                    {"I. Aufkl\xE4"
                                     "rungsgruppe"},
                                    {"Frankfurt", "V 187"}, "Hipper"));
    doc.m_scenarios.push_back(dogger);

    VxScenario tsushima;
    tsushima.m_strName = "Tsushima";
    tsushima.m_strUmpire = "A. N. Umpire";
    tsushima.m_strDate = "27 May 1905";
    tsushima.m_strWeather = "Fresh breeze, moderate swell, patchy mist.";
    tsushima.m_strVictoryConditions = "Russian: reach Vladivostok with four battleships.";
    tsushima.m_forces.push_back(
        Force(doc, "Combined Fleet", kJapan, {"1st Division"}, {"Asama"}, "Togo"));
    tsushima.m_forces.push_back(
        Force(doc, "Second Pacific Squadron", kRussia, {"1st Armoured Division"}, {}, ""));
    doc.m_scenarios.push_back(tsushima);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_campaign OUT\n";
        return 2;
    }
    CBrinnowDoc doc;
    AddArmaments(doc);
    for (const ShipFigures& figures : kShips) doc.m_ships.push_back(MakeShip(doc, figures));
    doc.m_ships.ChangeAll([](auto& ships) { std::sort(ships.begin(), ships.end()); });
    doc.m_squadrons = {
        Squadron("1st Battlecruiser Squadron", kBritain, "Lion", "Vice-Admiral Beatty",
                 {"Lion", "Tiger"}, {"Arethusa"}, "Fast wing of the Grand Fleet."),
        Squadron("4th Battle Squadron", kBritain, "Iron Duke", "Admiral Jellicoe",
                 {"Iron Duke", "Dreadnought"}, {"Campania"}, ""),
        Squadron("I. Aufkl\xE4"
                 "rungsgruppe",
                 kGermany, "Seydlitz", "Konteradmiral Hipper",
                 {"Seydlitz", "Derfflinger", "Moltke",
                  "Bl\xFC"
                  "cher"},
                 {}, ""),
        Squadron("1st Division", kJapan, "Mikasa", "Admiral Togo", {"Mikasa", "Shikishima"}, {},
                 ""),
        Squadron("1st Armoured Division", kRussia, "Knyaz Suvorov", "Vice-Admiral Rozhestvensky",
                 {"Knyaz Suvorov", "Oslyabya"}, {"Kollier Irtysh"}, ""),
    };
    doc.m_squadrons.ChangeAll(
        [](auto& squadrons) { std::sort(squadrons.begin(), squadrons.end()); });
    AddScenarios(doc);
    if (!doc.OnSaveDocument(argv[1])) {
        std::cerr << doc.ErrorMessage() << "\n";
        return 1;
    }
    return 0;
}
