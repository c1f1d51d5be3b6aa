#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/ship.h"
#include "platform/types.h"

// The ships by name, as every lookup by name finds them: the first ship of
// a name in list order. Built once over a list, so that checking thousands
// of names costs a probe of a small table each; the list must outlive it
// unchanged.
class ShipNameIndex {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit ShipNameIndex(const CArray<VxShip>& ships);

    // The position of the first ship of that name, or npos.
    std::size_t Find(std::string_view name) const;
    bool Has(std::string_view name) const { return Find(name) != npos; }
    // The first ship of that name and nation; failing that, the first of
    // the name; npos when no ship has it.
    std::size_t FindOfNation(std::string_view name, int nation) const;
    // The second ship of the name that the ship at first bears, or npos.
    std::size_t SecondOf(std::size_t first) const;

  private:
    // Open addressing over the names' hashes: a probe reads a few slots
    // side by side, and a ship's name only when its hash matches.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t ship = 0;  // position + 1; 0 is an empty slot
    };

    // The slot that holds the name, or the empty one where it would go.
    std::size_t SlotOf(std::string_view name, std::uint32_t hash) const;

    const CArray<VxShip>& m_ships;
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    // The later ships of the names that more than one ship bears, by the
    // position of the first.
    std::unordered_map<std::size_t, std::vector<std::size_t>> m_later;
};
