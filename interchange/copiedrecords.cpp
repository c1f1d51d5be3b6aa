#include "interchange/copiedrecords.h"

#include "interchange/campaignjsonexport.h"

namespace {

template <class List>
bool Holds(const List& list, int index) {
    return index >= 0 && std::size_t(index) < list.size();
}

// The position in the copy of the record at index of from, added to the
// copy's list the first time it is asked for.
template <class Record, class Prepare>
int CopyOnce(const RecordList<Record>& from, int index, RecordList<Record>& to,
             std::map<int, int>& copied, Prepare&& prepare) {
    if (!Holds(from, index)) return -1;
    const auto found = copied.find(index);
    if (found != copied.end()) return found->second;
    Record record = prepare(from[std::size_t(index)]);
    const int position = int(to.size());
    copied.emplace(index, position);
    to.push_back(std::move(record));
    return position;
}

}  // namespace

CopiedRecords::CopiedRecords(const CBrinnowDoc& from) : m_from(from) {
    m_copy.m_nations.clear();
    m_copy.m_armaments.clear();
    m_copy.m_torpedoes.clear();
}

std::string CopiedRecords::Json() const { return CampaignJson(m_copy); }

int CopiedRecords::Nation(int index) {
    return CopyOnce(m_from.m_nations, index, m_copy.m_nations, m_nations,
                    [](const VxNation& nation) { return nation; });
}

int CopiedRecords::Armament(int index) {
    return CopyOnce(m_from.m_armaments, index, m_copy.m_armaments, m_armaments,
                    [this](VxArmament armament) {
                        armament.m_nNation = Nation(armament.m_nNation);
                        return armament;
                    });
}

int CopiedRecords::Torpedo(int index) {
    return CopyOnce(m_from.m_torpedoes, index, m_copy.m_torpedoes, m_torpedoes,
                    [](const VxTorpedo& torpedo) { return torpedo; });
}

VxShip CopiedRecords::Referring(VxShip ship) {
    ship.m_nNation = Nation(ship.m_nNation);
    ship.m_nMainArmament = Armament(ship.m_nMainArmament);
    ship.m_nSecondaryArmament = Armament(ship.m_nSecondaryArmament);
    ship.m_nTorpedo = Torpedo(ship.m_nTorpedo);
    return ship;
}

VxSquadron CopiedRecords::Referring(VxSquadron squadron) {
    squadron.m_nNation = Nation(squadron.m_nNation);
    AddNamedShip(squadron.m_strFlagship);
    for (const CString& name : squadron.m_shipNames) AddNamedShip(name);
    for (const CString& name : squadron.m_attachmentNames) AddNamedShip(name);
    return squadron;
}

void CopiedRecords::AddShip(const VxShip& ship) {
    m_copiedShipNames.insert(ship.m_strName);
    m_copy.m_ships.push_back(Referring(ship));
}

void CopiedRecords::AddSquadron(const VxSquadron& squadron) {
    m_copy.m_squadrons.push_back(Referring(squadron));
}

void CopiedRecords::AddScenario(const VxScenario& scenario) {
    VxScenario copy = scenario;
    for (VxForce& force : copy.m_forces) {
        force.m_nNation = Nation(force.m_nNation);
        for (VxSquadron& squadron : force.m_squadrons) squadron = Referring(squadron);
        for (VxShip& ship : force.m_ships) ship = Referring(ship);
    }
    m_copy.m_scenarios.push_back(std::move(copy));
}

// A squadron names its ships; the ships go along, so that it prints the
// same in the other campaign. A name no ship has prints a default card
// there as here.
void CopiedRecords::AddNamedShip(const CString& name) {
    if (name.empty() || m_copiedShipNames.count(name) > 0) return;
    if (m_shipByName.empty()) {
        for (std::size_t i = 0; i < m_from.m_ships.size(); ++i) {
            m_shipByName.emplace(m_from.m_ships[i].m_strName, i);
        }
    }
    const auto found = m_shipByName.find(name);
    if (found != m_shipByName.end()) AddShip(m_from.m_ships[found->second]);
}
