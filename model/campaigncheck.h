#pragma once

#include <cstddef>
#include <vector>

#include "model/brinnowdoc.h"
#include "platform/types.h"

// What a check of the whole campaign finds. Squadrons name their ships and
// forces hold copies of them, so nothing stops a deleted or renamed ship, a
// refit or a damaged file from quietly breaking a printout: the check says
// where.
enum class FindingKind {
    MissingShip,  // a squadron names a ship that no ship of the campaign bears
    SharedName,   // a ship bears the name of an earlier one, which lookups find instead
    OtherNation,  // a squadron holds a ship of another nation, not a neutral one
    OutOfRange,   // a ship's nation, armament or torpedo type lies outside its list
    StaleCopy,    // a force's copy of a ship differs from the campaign's ship
    Empty,        // a squadron, force or scenario with nothing in it
};

// The record a finding is about: a ship, a squadron, a scenario, or one of
// a scenario's forces.
struct FindingPlace {
    enum class List { Ships, Squadrons, Scenarios };
    List list = List::Ships;
    std::size_t index = 0;
    int force = -1;  // with Scenarios: the force, or -1 for the scenario itself

    bool IsForce() const { return list == List::Scenarios && force >= 0; }
    bool operator==(const FindingPlace& other) const = default;
};

struct Finding {
    FindingKind kind = FindingKind::MissingShip;
    FindingPlace place;
    CString record;   // the record's name, as messages show names
    CString problem;  // what is wrong, in a phrase
    // With MissingShip: the name that matches no ship, as stored, and the
    // nation of the squadron that gives it.
    CString shipName;
    int nation = 0;
};

// Every finding, ships first, then squadrons, then scenarios, each in list
// order. Costs a pass over each list and a hash look-up per name.
std::vector<Finding> CheckCampaign(const CBrinnowDoc& doc);

// "missing-ship", "shared-name", ...: the kind as scripts see it.
const char* KindTag(FindingKind kind);
// "Missing ship", "Shared name", ...: the kind as the window shows it.
const char* KindTitle(FindingKind kind);
// "ship", "squadron", "scenario" or "force".
const char* PlaceType(const FindingPlace& place);
