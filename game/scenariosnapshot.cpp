#include "game/scenariosnapshot.h"

#include <string_view>
#include <unordered_map>

ScenarioSnapshot ScenarioSnapshot::Of(const CBrinnowDoc& doc, const VxScenario& scenario) {
    ScenarioSnapshot snapshot;
    snapshot.scenario = scenario;
    snapshot.armaments = doc.m_armaments;
    snapshot.roster = ScenarioRoster(scenario);

    std::unordered_map<std::string_view, const VxShip*> firstNamed;
    for (const VxShip& ship : doc.m_ships) firstNamed.try_emplace(ship.m_strName, &ship);
    std::unordered_map<std::string_view, bool> copied;
    snapshot.cards.reserve(snapshot.roster.size());
    for (const RosterShip& entry : snapshot.roster) {
        if (entry.place.role == ShipRole::Single) {
            const VxForce& force = scenario.m_forces[std::size_t(entry.place.force)];
            snapshot.cards.push_back(force.m_ships[std::size_t(entry.place.position)]);
            continue;
        }
        const auto found = firstNamed.find(entry.name);
        if (found == firstNamed.end()) {
            snapshot.cards.emplace_back();  // a name that matches no ship prints a default card
            continue;
        }
        snapshot.cards.push_back(*found->second);
        if (copied.try_emplace(found->first, true).second) snapshot.ships.push_back(*found->second);
    }
    return snapshot;
}
