#include "game/scenarioroster.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "model/messagenames.h"

namespace {

void AddNames(std::vector<RosterShip>& roster, int force, int squadron, ShipRole role,
              const CStringArray& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        roster.push_back({{force, squadron, role, int(i)}, names[i]});
    }
}

}  // namespace

std::vector<RosterShip> ScenarioRoster(const VxScenario& scenario) {
    std::vector<RosterShip> roster;
    for (std::size_t f = 0; f < scenario.m_forces.size(); ++f) {
        const VxForce& force = scenario.m_forces[f];
        const int forceIndex = int(f);
        for (std::size_t s = 0; s < force.m_squadrons.size(); ++s) {
            const VxSquadron& squadron = force.m_squadrons[s];
            const int squadronIndex = int(s);
            if (!squadron.m_strFlagship.empty()) {
                roster.push_back(
                    {{forceIndex, squadronIndex, ShipRole::Flagship, 0}, squadron.m_strFlagship});
            }
            AddNames(roster, forceIndex, squadronIndex, ShipRole::Member, squadron.m_shipNames);
            AddNames(roster, forceIndex, squadronIndex, ShipRole::Attachment,
                     squadron.m_attachmentNames);
        }
        for (std::size_t i = 0; i < force.m_ships.size(); ++i) {
            roster.push_back(
                {{forceIndex, 0, ShipRole::Single, int(i)}, force.m_ships[i].m_strName});
        }
    }
    return roster;
}

std::vector<int> RepeatedShips(const std::vector<RosterShip>& roster) {
    std::vector<int> repeats(roster.size(), -1);
    std::map<std::tuple<int, int, CString>, int> first;
    for (std::size_t i = 0; i < roster.size(); ++i) {
        const ShipPlace& place = roster[i].place;
        if (place.role == ShipRole::Single) continue;
        const auto [at, added] =
            first.try_emplace({place.force, place.squadron, roster[i].name}, int(i));
        if (!added) repeats[i] = at->second;
    }
    return repeats;
}

CString DescribeShip(const ShipPlace& place, const CString& name) {
    static const char* const kRoles[] = {"flagship", "member", "attachment"};
    const CString force = "force " + std::to_string(place.force + 1) + ", " + ShownName(name);
    if (place.role == ShipRole::Single) {
        return force + " (single ship " + std::to_string(place.position + 1) + ")";
    }
    CString role = kRoles[std::size_t(place.role)];
    if (place.role != ShipRole::Flagship) role += " " + std::to_string(place.position + 1);
    return force + " (" + role + " of squadron " + std::to_string(place.squadron + 1) + ")";
}

const RosterShip* FindInForce(const std::vector<RosterShip>& roster, int force,
                              const CString& name) {
    const auto found = std::find_if(roster.begin(), roster.end(), [&](const RosterShip& ship) {
        return ship.place.force == force && ship.name == name;
    });
    return found == roster.end() ? nullptr : &*found;
}
