#pragma once

#include <unordered_set>

#include "model/scenario.h"
#include "model/shipnameindex.h"
#include "model/squadron.h"
#include "platform/types.h"

// The names that squadrons give but no ship bears, each once, in the order
// met: what a print would show as default cards.
class UnmatchedNames {
  public:
    explicit UnmatchedNames(const ShipNameIndex& ships) : m_ships(ships) {}

    void Add(const VxSquadron& squadron);
    // The squadrons that the scenario's forces hold.
    void Add(const VxScenario& scenario);

    const CStringArray& Names() const { return m_names; }

  private:
    void AddName(const CString& name);

    const ShipNameIndex& m_ships;
    CStringArray m_names;
    std::unordered_set<CString> m_seen;
};
