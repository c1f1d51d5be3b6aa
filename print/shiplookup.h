#pragma once

#include <string_view>
#include <unordered_map>

#include "model/ship.h"
#include "platform/types.h"

// The first ship of each name in a ship list, found in constant time; a name
// that matches no ship finds a new ship. Squadrons name their ships, a job
// may print thousands of squadron sheets and a campaign may hold a hundred
// thousand ships, so one print job or export makes one lookup, on first use,
// and every sheet of it shares that. The list must outlive it unchanged.
class ShipLookup {
  public:
    explicit ShipLookup(const CArray<VxShip>& ships) : m_ships(ships) {}
    ShipLookup(const ShipLookup&) = delete;
    ShipLookup& operator=(const ShipLookup&) = delete;

    const VxShip& Find(const CString& name) const;

  private:
    const CArray<VxShip>& m_ships;
    mutable std::unordered_map<std::string_view, const VxShip*> m_first;
    mutable bool m_built = false;
    const VxShip m_newShip;
};
