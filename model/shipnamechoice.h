#pragma once

#include <cstddef>
#include <vector>

#include "model/brinnowdoc.h"
#include "platform/types.h"

// The fix for a name that a squadron gives but no ship bears: the player
// picks the ship it should name. The choices are the campaign's ships of
// the squadron's nation (every ship when it has none), each name once, the
// closest to the missing name first, so that a ship renamed since ("Tiger"
// to "Tiger (1915)") heads the list and a misspelt one comes next.
class ShipNameChoice {
  public:
    ShipNameChoice(const CArray<VxShip>& ships, const CString& missing, int nation);

    const CString& Missing() const { return m_missing; }
    // Positions in the ship list, closest name first.
    const std::vector<std::size_t>& Choices() const { return m_choices; }

    // Makes every place that uses the missing name name the ship at that
    // position instead: the campaign's squadrons, the squadrons copied into
    // scenario forces, and the forces' single ships of its nation.
    void Apply(CBrinnowDoc& doc, std::size_t ship) const;

  private:
    CString m_missing;
    std::vector<std::size_t> m_choices;
};
