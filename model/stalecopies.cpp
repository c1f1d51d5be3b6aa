#include "model/stalecopies.h"

std::vector<StaleCopy> StaleCopies(const VxForce& force, const CArray<VxShip>& ships,
                                   const ShipNameIndex& index) {
    std::vector<StaleCopy> stale;
    for (std::size_t i = 0; i < force.m_ships.size(); ++i) {
        const VxShip& copy = force.m_ships[i];
        const std::size_t ship = index.FindOfNation(copy.m_strName, copy.m_nNation);
        if (ship == ShipNameIndex::npos) continue;
        std::vector<const char*> fields = copy.DifferingFields(ships[ship]);
        if (!fields.empty()) stale.push_back({i, ship, std::move(fields)});
    }
    return stale;
}

std::size_t RefreshStaleCopies(VxForce& force, const CArray<VxShip>& ships) {
    const std::vector<StaleCopy> stale = StaleCopies(force, ships, ShipNameIndex(ships));
    for (const StaleCopy& copy : stale) force.m_ships[copy.copy] = ships[copy.ship];
    return stale.size();
}
