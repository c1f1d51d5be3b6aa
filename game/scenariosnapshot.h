#pragma once

#include <vector>

#include "game/scenarioroster.h"
#include "model/brinnowdoc.h"

// What a game shows of its campaign, copied when the game opens: the
// campaign may be edited meanwhile without pulling the cards from under it.
struct ScenarioSnapshot {
    VxScenario scenario;
    // The campaign ships its squadrons name, the first of each name, as the
    // force sheets look them up; and the armament types.
    CArray<VxShip> ships;
    CArray<VxArmament> armaments;
    std::vector<RosterShip> roster;
    // The record drawn for each ship of the roster.
    std::vector<VxShip> cards;

    static ScenarioSnapshot Of(const CBrinnowDoc& doc, const VxScenario& scenario);
};
