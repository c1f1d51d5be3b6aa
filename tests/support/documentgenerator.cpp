#include "tests/support/documentgenerator.h"

#include <random>
#include <string>

#include "model/brinnowdoc.h"

namespace {

class Generator {
  public:
    Generator(CBrinnowDoc& doc, const DocumentShape& shape)
        : m_doc(doc), m_shape(shape), m_random(shape.seed) {}

    void Run() {
        AddReferenceData();
        for (int i = 0; i < m_shape.ships; ++i) m_doc.m_ships.push_back(Ship(i));
        for (int i = 0; i < m_shape.squadrons; ++i) m_doc.m_squadrons.push_back(Squadron(i));
        for (int i = 0; i < m_shape.scenarios; ++i) m_doc.m_scenarios.push_back(Scenario(i));
    }

  private:
    int Number(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    double Factor() { return Number(0, 40) / 8.0; }
    template <class List>
    auto Pick(const List& list) {
        return list[std::size_t(Number(0, int(list.size()) - 1))];
    }

    void AddReferenceData() {
        m_doc.m_nations.emplace_back("Sk\xE5ne", "Invented\r\nfor tests", 3);
        VxArmament aircraft("Aircraft", 0.5, 1);
        aircraft.m_bGun = FALSE;
        aircraft.m_strNotes = "Sopwith";
        for (int band = 0; band < VxArmament::kRangeBands; ++band) {
            aircraft.SetRangeBand(band, std::to_string(10 - band));
        }
        m_doc.InsertArmament(aircraft);
        m_doc.InsertArmament(VxArmament("11", 2.1, 10));
    }

    VxShip Ship(int i) {
        VxShip ship;
        ship.m_strName = "Ship " + std::to_string(i) + (i % 7 == 0 ? " \xC9lan" : "");
        ship.m_nNation = Number(0, int(m_doc.m_nations.size()) - 1);
        ship.m_nMainArmament = Number(0, int(m_doc.m_armaments.size()) - 1);
        ship.m_nSecondaryArmament = Number(0, int(m_doc.m_armaments.size()) - 1);
        for (double& af : ship.m_dMainAF) af = Factor();
        for (double& af : ship.m_dSecondaryAF) af = i % 3 == 0 ? 0.0 : Factor();
        ship.m_bWingTurrets = i % 4 == 0;
        ship.m_nTorpedo = i % 5 == 0 ? 0 : 1;
        for (int& af : ship.m_nTorpedoAF) af = i % 2 == 0 ? Number(0, 4) : 0;
        ship.m_dDF = Number(1, 300) / 10.0;
        ship.m_nShipType = Number(0, 13);
        ship.m_nAARating = Number(0, 24);
        for (int& speed : ship.m_nTurnSpeed) speed = Number(0, 30);
        ship.m_strIdentifier = "ID-" + std::to_string(Number(100, 999));
        ship.m_strNotes = "Laid down " + std::to_string(Number(1890, 1918)) +
                          ".\r\nRefit with director firing, new boilers, and bulges.\r\n\r\n" +
                          std::string(std::size_t(Number(0, 60)), 'x');
        ship.m_bPoorUP = i % 6 == 0;
        ship.m_bFlotilla = i % 8 == 0;
        return ship;
    }

    std::string ShipName() { return "Ship " + std::to_string(Number(0, m_shape.ships + 3)); }

    VxSquadron Squadron(int i) {
        VxSquadron squadron;
        squadron.m_strName = "Squadron " + std::to_string(i);
        squadron.m_nNation = Number(0, 10);
        squadron.m_strFlagship = ShipName();
        squadron.m_strCommander = "Adm. " + std::to_string(i);
        for (int k = 0; k < m_shape.shipsPerSquadron; ++k)
            squadron.m_shipNames.push_back(ShipName());
        if (i % 2 == 0) squadron.m_attachmentNames.push_back(ShipName());
        squadron.m_strNotes = i % 3 == 0 ? "" : "Screening\r\nforce";
        return squadron;
    }

    VxForce Force(int i) {
        VxForce force;
        force.m_strName = "Force " + std::to_string(i);
        force.m_nNation = Number(0, 10);
        for (int k = 0; k < 2 && !m_doc.m_squadrons.empty(); ++k)
            force.m_squadrons.push_back(Pick(m_doc.m_squadrons));
        for (int k = 0; k < 3 && !m_doc.m_ships.empty(); ++k)
            force.m_ships.push_back(Pick(m_doc.m_ships));
        force.m_strNotes = "Force notes " + std::to_string(i);
        return force;
    }

    VxScenario Scenario(int i) {
        VxScenario scenario;
        scenario.m_strName = "Scenario " + std::to_string(i);
        scenario.m_strUmpire = "Umpire";
        scenario.m_strDate = "31 May 1916";
        scenario.m_strWeather = "Haze,\r\nvisibility 8 miles";
        scenario.m_strVictoryConditions = "Sink the enemy";
        scenario.m_strNotes = i % 2 ? "" : "Notes <b>bold</b> & more";
        for (int k = 0; k < m_shape.forcesPerScenario; ++k) scenario.m_forces.push_back(Force(k));
        return scenario;
    }

    CBrinnowDoc& m_doc;
    const DocumentShape& m_shape;
    std::mt19937 m_random;
};

}  // namespace

void GenerateDocument(CBrinnowDoc& doc, const DocumentShape& shape) {
    doc.OnNewDocument();
    Generator(doc, shape).Run();
}
