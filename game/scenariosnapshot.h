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
    // The ships at the table in print order; a ship that its squadron names
    // twice is there once, at its first place.
    std::vector<RosterShip> roster;
    // The record drawn for each ship of the roster.
    std::vector<VxShip> cards;
    // For each ship of the roster, what tells it apart, or nothing: its roles
    // when its squadron names it twice ("flagship and member 1"), and where
    // it stands when another ship of its force bears its name ("flagship,
    // 1st Battlecruiser Squadron").
    std::vector<CString> labels;
    // For each ship of the roster, whether its name matches no campaign ship;
    // and those names, each once.
    std::vector<bool> missing;
    CStringArray missingNames;

    // "LION (flagship, 1st Battlecruiser Squadron)", or the bare name.
    CString LabelledName(std::size_t ship) const;

    static ScenarioSnapshot Of(const CBrinnowDoc& doc, const VxScenario& scenario);
};
