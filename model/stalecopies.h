#pragma once

#include <cstddef>
#include <vector>

#include "model/force.h"
#include "model/shipnameindex.h"

// A force keeps the copies of ships taken when they were added; a refit of
// the campaign's ship later leaves the copy behind.
struct StaleCopy {
    std::size_t copy = 0;             // among the force's ships
    std::size_t ship = 0;             // among the campaign's ships
    std::vector<const char*> fields;  // that differ, as DifferingFields names them
};

// The force's ship copies that differ from the campaign's ship of their
// name (of their nation, when the campaign has one of both), in force order.
std::vector<StaleCopy> StaleCopies(const VxForce& force, const CArray<VxShip>& ships,
                                   const ShipNameIndex& index);

// Makes every stale copy of the force the campaign's ship again; returns how
// many it changed.
std::size_t RefreshStaleCopies(VxForce& force, const CArray<VxShip>& ships);
