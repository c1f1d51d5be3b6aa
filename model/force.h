#pragma once

#include "model/ship.h"
#include "model/squadron.h"
#include "platform/types.h"

class CArchive;
class CDC;
struct CardOverlay;
struct HtmlExport;
class ShipLookup;

// One side's group in a scenario. It owns copies of squadrons and ships taken
// when they were added; later changes to the document do not reach them.
class VxForce {
  public:
    VxForce() = default;

    void Serialize(CArchive& ar);
    bool IsDifferent(const VxForce& other) const;

    // The force from y on: name, squadron sheets, rows of single ships,
    // notes when includeNotes is set; breaks pages itself, advancing page.
    // An overlay draws marks over the cards.
    void PrintSheet(CDC& dc, double p, int x, int y, const ShipLookup& ships,
                    const CArray<VxArmament>& armaments, int includeNotes, int width, int& page,
                    const CardOverlay* overlay = nullptr) const;

    CString HtmlSection(HtmlExport& html) const;

    CString m_strName;
    int m_nNation = 0;
    CArray<VxSquadron, VxSquadron&> m_squadrons;
    CArray<VxShip, VxShip&> m_ships;
    CString m_strNotes;
};
