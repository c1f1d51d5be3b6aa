#pragma once

#include <compare>
#include <tuple>

// Where a ship stands in a scenario: its force, its squadron and role there
// (or a single ship of the force), and its position in that list. Indexes
// count from 0. Ordered as the force sheet prints: squadron by squadron,
// flagship, members, attachments, then the single ships.
enum class ShipRole { Flagship, Member, Attachment, Single };

struct ShipPlace {
    int force = 0;
    int squadron = 0;  // unused for single ships
    ShipRole role = ShipRole::Single;
    int position = 0;

    bool operator==(const ShipPlace& other) const { return Key() == other.Key(); }
    std::strong_ordering operator<=>(const ShipPlace& other) const { return Key() <=> other.Key(); }

  private:
    std::tuple<int, bool, int, ShipRole, int> Key() const {
        const bool single = role == ShipRole::Single;
        return {force, single, single ? 0 : squadron, role, position};
    }
};
