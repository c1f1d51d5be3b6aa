#include "game/scenariosnapshot.h"

#include <map>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

CString RoleText(const ShipPlace& place) {
    switch (place.role) {
        case ShipRole::Flagship:
            return "flagship";
        case ShipRole::Member:
            return "member " + std::to_string(place.position + 1);
        case ShipRole::Attachment:
            return "attachment " + std::to_string(place.position + 1);
        case ShipRole::Single:
            break;
    }
    return "additional ship " + std::to_string(place.position + 1);
}

// Drops the repeated places of the full roster; each ship kept gets its
// roles, and its group's name when its force has another ship of its name.
void KeepShipsOnce(ScenarioSnapshot& snapshot, const std::vector<RosterShip>& full) {
    const std::vector<int> repeats = RepeatedShips(full);
    std::map<int, std::size_t> keptAt;
    std::vector<std::vector<CString>> roles;
    for (std::size_t i = 0; i < full.size(); ++i) {
        if (repeats[i] >= 0) {
            roles[keptAt[repeats[i]]].push_back(RoleText(full[i].place));
            continue;
        }
        keptAt[int(i)] = snapshot.roster.size();
        snapshot.roster.push_back(full[i]);
        roles.push_back({RoleText(full[i].place)});
    }
    std::map<std::pair<int, CString>, int> named;
    for (const RosterShip& ship : snapshot.roster) ++named[{ship.place.force, ship.name}];
    for (std::size_t i = 0; i < snapshot.roster.size(); ++i) {
        const ShipPlace& place = snapshot.roster[i].place;
        CString label = roles[i].size() > 1 ? roles[i][0] + " and " + roles[i][1] : CString();
        for (std::size_t r = 2; r < roles[i].size(); ++r) label += " and " + roles[i][r];
        if (named[{place.force, snapshot.roster[i].name}] > 1) {
            if (label.empty()) label = roles[i][0];
            const VxForce& force = snapshot.scenario.m_forces[std::size_t(place.force)];
            if (place.role != ShipRole::Single)
                label += ", " + force.m_squadrons[std::size_t(place.squadron)].m_strName;
        }
        snapshot.labels.push_back(label);
    }
}

}  // namespace

CString ScenarioSnapshot::LabelledName(std::size_t ship) const {
    const CString& name = roster[ship].name;
    return labels[ship].empty() ? name : name + " (" + labels[ship] + ")";
}

ScenarioSnapshot ScenarioSnapshot::Of(const CBrinnowDoc& doc, const VxScenario& scenario) {
    ScenarioSnapshot snapshot;
    snapshot.scenario = scenario;
    snapshot.armaments = doc.m_armaments;
    KeepShipsOnce(snapshot, ScenarioRoster(scenario));

    std::unordered_map<std::string_view, const VxShip*> firstNamed;
    for (const VxShip& ship : doc.m_ships) firstNamed.try_emplace(ship.m_strName, &ship);
    std::unordered_map<std::string_view, bool> copied;
    std::unordered_set<CString> told;
    snapshot.cards.reserve(snapshot.roster.size());
    for (const RosterShip& entry : snapshot.roster) {
        snapshot.missing.push_back(false);
        if (entry.place.role == ShipRole::Single) {
            const VxForce& force = scenario.m_forces[std::size_t(entry.place.force)];
            snapshot.cards.push_back(force.m_ships[std::size_t(entry.place.position)]);
            continue;
        }
        const auto found = firstNamed.find(entry.name);
        if (found == firstNamed.end()) {
            // Shown plainly missing, never as a default ship.
            snapshot.missing.back() = true;
            if (told.insert(entry.name).second) snapshot.missingNames.push_back(entry.name);
            VxShip named;
            named.m_strName = entry.name;
            snapshot.cards.push_back(named);
            continue;
        }
        snapshot.cards.push_back(*found->second);
        if (copied.try_emplace(found->first, true).second) snapshot.ships.push_back(*found->second);
    }
    return snapshot;
}
