#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "compare/forcefigures.h"
#include "game/game.h"
#include "game/scenariosnapshot.h"

// One force of a scenario as the force sheets print it and, from a game, as
// it stands now.
struct ForceComparison {
    int force = 0;  // counted from 0
    CString name;
    ForceFigures start;
    // From a game: the ships not sunk, and the small boxes struck on all.
    std::optional<ForceFigures> now;
    int damageBoxes = 0;
};

// Every force of the snapshot's scenario, in order: each squadron's
// flagship, members and attachments, then the single ships. A ship named
// twice in one squadron counts once (with the marks of both places). A game
// adds how each force stands now.
std::vector<ForceComparison> CompareForces(const ScenarioSnapshot& snapshot,
                                           const Game* game = nullptr);

// The slots of a count (ship types, AA ratings) that some force fills at
// the start, so that tables and charts leave out what no force has.
template <std::size_t N>
std::vector<std::size_t> UsedSlots(const std::vector<ForceComparison>& forces,
                                   std::array<int, N> ForceFigures::*counts) {
    std::vector<std::size_t> used;
    for (std::size_t slot = 0; slot < N; ++slot) {
        if (std::any_of(forces.begin(), forces.end(), [&](const ForceComparison& force) {
                return (force.start.*counts)[slot] > 0;
            })) {
            used.push_back(slot);
        }
    }
    return used;
}
