#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "model/brinnowdoc.h"

// Records copied out of a campaign as a campaign of their own, with what
// they refer to: the nations, armament and torpedo types they use and the
// ships that copied squadrons name. As campaign JSON it goes on the
// clipboard, and RecordMerge adds it to another campaign.
class CopiedRecords {
  public:
    explicit CopiedRecords(const CBrinnowDoc& from);

    void AddShip(const VxShip& ship);
    void AddSquadron(const VxSquadron& squadron);
    void AddScenario(const VxScenario& scenario);

    const CBrinnowDoc& Campaign() const { return m_copy; }
    std::string Json() const;

  private:
    // A position in the copy for a position in the campaign copied from; a
    // position that campaign does not hold stays unresolved (-1), and is
    // refused when pasted.
    int Nation(int index);
    int Armament(int index);
    int Torpedo(int index);
    VxShip Referring(VxShip ship);
    VxSquadron Referring(VxSquadron squadron);
    void AddNamedShip(const CString& name);

    const CBrinnowDoc& m_from;
    CBrinnowDoc m_copy;
    std::map<int, int> m_nations;
    std::map<int, int> m_armaments;
    std::map<int, int> m_torpedoes;
    // The first ship of each name in the campaign copied from, made when a
    // squadron is first copied; and the names already copied.
    std::unordered_map<CString, std::size_t> m_shipByName;
    std::unordered_set<CString> m_copiedShipNames;
};
