#include "model/shipnameindex.h"

#include <bit>
#include <functional>

namespace {

std::uint32_t HashOf(std::string_view name) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>()(name));
}

}  // namespace

ShipNameIndex::ShipNameIndex(const CArray<VxShip>& ships) : m_ships(ships) {
    // At most half full, so that probes stay short.
    m_slots.resize(std::bit_ceil(2 * ships.size() + 2));
    m_mask = m_slots.size() - 1;
    for (std::size_t i = 0; i < ships.size(); ++i) {
        const std::uint32_t hash = HashOf(ships[i].m_strName);
        Slot& slot = m_slots[SlotOf(ships[i].m_strName, hash)];
        if (slot.ship == 0) {
            slot = {hash, static_cast<std::uint32_t>(i + 1)};
        } else {
            m_later[slot.ship - 1].push_back(i);
        }
    }
}

std::size_t ShipNameIndex::SlotOf(std::string_view name, std::uint32_t hash) const {
    std::size_t at = hash & m_mask;
    while (m_slots[at].ship != 0 &&
           (m_slots[at].hash != hash || m_ships[m_slots[at].ship - 1].m_strName != name)) {
        at = (at + 1) & m_mask;
    }
    return at;
}

std::size_t ShipNameIndex::Find(std::string_view name) const {
    const Slot& slot = m_slots[SlotOf(name, HashOf(name))];
    return slot.ship == 0 ? npos : slot.ship - 1;
}

std::size_t ShipNameIndex::FindOfNation(std::string_view name, int nation) const {
    const std::size_t first = Find(name);
    if (first == npos || m_ships[first].m_nNation == nation) return first;
    const auto later = m_later.find(first);
    if (later != m_later.end()) {
        for (const std::size_t i : later->second) {
            if (m_ships[i].m_nNation == nation) return i;
        }
    }
    return first;
}

std::size_t ShipNameIndex::SecondOf(std::size_t first) const {
    const auto later = m_later.find(first);
    return later == m_later.end() ? npos : later->second.front();
}
