#pragma once

#include "platform/types.h"
#include "print/cardmarks.h"
#include "print/shipplace.h"

class CDC;

// Whatever keeps marks for the ships of a scenario: the sheets ask it for
// the marks of each card they draw.
class CardMarksSource {
  public:
    virtual ~CardMarksSource() = default;
    // The marks of the ship of that name at that place, or null when it has
    // none: another ship at the place is not the one that was marked.
    virtual const CardMarks* MarksOf(const ShipPlace& place, const CString& name) const = 0;
};

// The marks drawn over the cards of one force (and one squadron of it) on a
// sheet, after each card, so that no marks leave the sheet as it was.
struct CardOverlay {
    const CardMarksSource* source = nullptr;
    int force = 0;
    int squadron = 0;

    void Draw(CDC& dc, double p, int x, int y, ShipRole role, int position,
              const CString& name) const;
};
