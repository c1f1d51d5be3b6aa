#include "print/cardmarks.h"

#include <algorithm>

#include "print/cardgeometry.h"
#include "print/printframework.h"

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kShade = RGB(150, 150, 150);
constexpr double kCrossPen = 0.45;   // mm
constexpr double kCrossInset = 0.2;  // of the place's size, from each corner
constexpr double kShadeStep = 0.8;   // mm between the hatching lines
constexpr double kSunkFont = 6;      // mm
constexpr const char* kSunk = "SUNK";

CardGeometry::Point Toward(CardGeometry::Point from, CardGeometry::Point to, double share) {
    return {from.x + static_cast<int>((to.x - from.x) * share),
            from.y + static_cast<int>((to.y - from.y) * share)};
}

void Line(CDC& dc, CardGeometry::Point from, CardGeometry::Point to) {
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
}

// Corner to corner, a little in from the corners so the rules stay readable.
void DrawCross(CDC& dc, const CardGeometry::Quad& place) {
    Line(dc, Toward(place[0], place[2], kCrossInset), Toward(place[2], place[0], kCrossInset));
    Line(dc, Toward(place[1], place[3], kCrossInset), Toward(place[3], place[1], kCrossInset));
}

// Lines falling left to right across the rectangle, one step apart, each cut
// at the rectangle's edges: the card reads as greyed on every surface.
void Hatch(CDC& dc, int left, int top, int right, int bottom, int step) {
    const int height = bottom - top;
    for (int start = left - height; start < right; start += step) {
        const int x0 = std::max(start, left);
        const int x1 = std::min(start + height, right);
        if (x0 >= x1) continue;
        dc.MoveTo(x0, top + (x0 - start));
        dc.LineTo(x1, top + (x1 - start));
    }
}

// Grey hatching over the whole cell and "SUNK" on a white label across it.
void DrawSunk(CDC& dc, double p, int x, int y, const CardGeometry& card) {
    {
        ScopedSelection<CPen> pen(dc, CPen{1, kShade});
        Hatch(dc, x, y, card.OuterRight(), card.SmallBoxBottom(), std::max(2, Mm(p, kShadeStep)));
    }
    CFont font;
    MakePrintFont(dc, font, Mm(p, kSunkFont), "Arial", TRUE, FALSE);
    ScopedSelection<CFont> keepFont(dc, font);
    ScopedTextAlign align(dc, TA_LEFT | TA_TOP);
    const CSize text = dc.GetTextExtent(kSunk);
    const int pad = Mm(p, 1);
    const int centreX = x + Mm(p, 21);
    const int centreY = card.Top() + Mm(p, 7.5);
    const int left = centreX - text.cx / 2 - pad;
    const int top = centreY - text.cy / 2 - pad;
    {
        ScopedSelection<CPen> pen(dc, CPen{std::max(1, Mm(p, kCrossPen)), kInk});
        ScopedSelection<CBrush> brush(dc, CBrush{kPaper});
        dc.Rectangle(left, top, left + text.cx + 2 * pad, top + text.cy + 2 * pad);
    }
    dc.TextOut(left + pad, top + pad, kSunk);
}

}  // namespace

void DrawCardMarks(CDC& dc, double p, int x, int y, const CardMarks& marks) {
    if (marks.Empty()) return;
    const CardGeometry card(p, x, y);
    if (marks.Has(CardMark::Sunk)) DrawSunk(dc, p, x, y, card);
    ScopedSelection<CPen> pen(dc, CPen{std::max(1, Mm(p, kCrossPen)), kInk});
    ScopedSelection<CBrush> brush(dc, CBrush{kInk});
    for (std::size_t i = 0; i < kCardPlaceCount; ++i) {
        const CardMark mark = CardMark(i);
        if (!marks.Has(mark)) continue;
        const CardGeometry::Quad place = card.Place(mark);
        if (mark >= CardMark::Box1) {
            dc.Rectangle(place[0].x, place[0].y, place[2].x, place[2].y);
        } else {
            DrawCross(dc, place);
        }
    }
}
