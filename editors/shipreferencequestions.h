#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/shipreferences.h"

// What the ship editor asks before it breaks the names that squadrons give
// a ship: deleting it, renaming it.

// "LION is the flagship of 1st Battlecruiser Squadron and a member of Grand
// Fleet Reserve. Delete it anyway?", or the plain question when no squadron
// names the ship.
std::string DeleteShipQuestion(const CString& ship, const std::vector<ShipReference>& references,
                               const CArray<VxSquadron>& squadrons);

// Asks whether the places that use a renamed ship's old name should follow
// it, naming them with counts; true for Yes.
bool AskRenameReferences(const ShipNameUses& uses, const CArray<VxScenario>& scenarios);
