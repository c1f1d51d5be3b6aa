// The record card members of VxShip.
#include "model/ship.h"
#include "print/cardimage.h"
#include "print/cardpainter.h"
#include "print/printframework.h"

void VxShip::DrawCard(CDC& dc, double p, int x, int y, const CArray<VxArmament>& armaments,
                      int mode, int width) const {
    const ScopedTextAlign keepAlignment(dc, TA_LEFT | TA_TOP);
    CardPainter card(dc, p, x, y);
    card.DrawFrame();
    card.DrawLabels(*this, &armaments);
    card.DrawData(*this, armaments);
    if (mode != 0) card.DrawNotes(*this, width);
}

void VxShip::DrawBlankCard(CDC& dc, double p, int x, int y) const {
    const ScopedTextAlign keepAlignment(dc, TA_LEFT | TA_TOP);
    CardPainter card(dc, p, x, y);
    card.DrawFrame();
    card.DrawLabels(*this, nullptr);
}

int VxShip::GetCardHeight(CDC& dc, double p, int mode, int width) const {
    return CardPainter::Height(dc, p, *this, mode, width);
}

void VxShip::CreateCardBitmap(CardImage& image, double p, const CArray<VxArmament>& armaments,
                              bool blank) const {
    image.Render(p, [&](CDC& dc) {
        if (blank) {
            DrawBlankCard(dc, p, 0, 0);
        } else {
            DrawCard(dc, p, 0, 0, armaments, 0, 0);
        }
    });
}
