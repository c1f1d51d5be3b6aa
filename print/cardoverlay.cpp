#include "print/cardoverlay.h"

void CardOverlay::Draw(CDC& dc, double p, int x, int y, ShipRole role, int position,
                       const CString& name) const {
    if (source == nullptr) return;
    if (const CardMarks* marks = source->MarksOf({force, squadron, role, position}, name)) {
        DrawCardMarks(dc, p, x, y, *marks);
    }
}
