#pragma once

#include <vector>

#include "model/scenario.h"
#include "print/shipplace.h"

// One ship of a scenario as the force sheets print it: its place and the
// name it has there (a squadron names its ships; a single ship is a copy).
struct RosterShip {
    ShipPlace place;
    CString name;
};

// Every ship of every force in print order: each squadron's flagship (when
// it names one), members and attachments, then the force's single ships.
std::vector<RosterShip> ScenarioRoster(const VxScenario& scenario);

// For each roster ship, the index of the earlier one it repeats, or -1: a
// squadron that names a ship twice (its flagship among its members, say)
// holds one ship, first met at the first of its places.
std::vector<int> RepeatedShips(const std::vector<RosterShip>& roster);

// Where the ship stood, for a message: "force 1, Lion (member 2 of
// squadron 1)". Names are in the campaign's code page, escaped and cut
// short as every message shows them.
CString DescribeShip(const ShipPlace& place, const CString& name);

// The first ship of that name in force (counted from 0), in print order.
const RosterShip* FindInForce(const std::vector<RosterShip>& roster, int force,
                              const CString& name);
