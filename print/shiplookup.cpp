#include "print/shiplookup.h"

const VxShip& ShipLookup::Find(const CString& name) const {
    if (!m_built) {
        m_first.reserve(m_ships.size());
        for (const VxShip& ship : m_ships) m_first.try_emplace(ship.m_strName, &ship);
        m_built = true;
    }
    const auto found = m_first.find(name);
    return found == m_first.end() ? m_newShip : *found->second;
}
