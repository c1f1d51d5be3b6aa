#include "print/cardgeometry.h"

#include "print/printframework.h"

namespace {

bool Inside(const CardGeometry::Quad& rect, int px, int py) {
    return px >= rect[0].x && px < rect[2].x && py >= rect[0].y && py < rect[2].y;
}

// Whether the point lies above the line through a and b (at its x).
bool Above(CardGeometry::Point a, CardGeometry::Point b, int px, int py) {
    // py < a.y + (b.y - a.y) * (px - a.x) / (b.x - a.x), without dividing.
    const long long run = b.x - a.x;
    return (long long)(py - a.y) * run < (long long)(b.y - a.y) * (px - a.x);
}

}  // namespace

CardGeometry::CardGeometry(double p, int x, int y)
    : m_x(x),
      m_y7(y + Mm(p, 7)),
      m_outerRight(static_cast<int>(x + 42 * p)),
      m_outerBottom(static_cast<int>(m_y7 + 15 * p)),
      m_ruleRight(x + Mm(p, 42)),
      m_rowBottom{Mm(p, 5), Mm(p, 10), Mm(p, 15)},
      m_upperColumn{Mm(p, 10.5), Mm(p, 21), Mm(p, 31.5)},
      m_lowerColumn{Mm(p, 8.4), Mm(p, 16.8), Mm(p, 25.2), Mm(p, 33.6)},
      // The doubles nearest 10/3 and 5/3, as the card was always drawn.
      m_diagonalLeft(Mm(p, 3.333333333333333)),
      m_diagonalRight(Mm(p, 1.6666666666666665)),
      m_smallBox(Mm(p, 1.5)),
      m_smallBoxBottom(Mm(p, 16.5)) {}

CardGeometry::Quad CardGeometry::Rect(int left, int top, int right, int bottom) {
    return {Point{left, top}, Point{right, top}, Point{right, bottom}, Point{left, bottom}};
}

CardGeometry::Quad CardGeometry::Place(CardMark mark) const {
    const int index = int(mark);
    const int row1 = RowBottom(0);
    const int row2 = RowBottom(1);
    if (mark == CardMark::Bridge) {
        return {Point{UpperColumn(1), m_y7}, Point{UpperColumn(2), m_y7}, DiagonalEnd(),
                DiagonalStart()};
    }
    if (mark == CardMark::Rudder) {
        return {DiagonalStart(), DiagonalEnd(), Point{UpperColumn(2), row1},
                Point{UpperColumn(1), row1}};
    }
    const std::array<int, 5> upper = {m_x, UpperColumn(0), UpperColumn(1), UpperColumn(2),
                                      m_outerRight};
    if (mark == CardMark::FireControl || mark == CardMark::DamageControl) {
        return Rect(upper[std::size_t(index)], m_y7, upper[std::size_t(index) + 1], row1);
    }
    if (mark == CardMark::AA) return Rect(upper[3], m_y7, upper[4], row1);
    if (mark >= CardMark::AF1 && mark <= CardMark::AF4) {
        const std::size_t i = std::size_t(index - int(CardMark::AF1));
        return Rect(upper[i], row1, upper[i + 1], row2);
    }
    if (mark >= CardMark::Speed1 && mark <= CardMark::Speed5) {
        const std::array<int, 6> lower = {
            m_x, LowerColumn(0), LowerColumn(1), LowerColumn(2), LowerColumn(3), m_outerRight};
        const std::size_t i = std::size_t(index - int(CardMark::Speed1));
        return Rect(lower[i], row2, lower[i + 1], m_outerBottom);
    }
    const int i = index - int(CardMark::Box1);
    return Rect(m_x + i * m_smallBox, SmallBoxTop(), m_x + m_smallBox + i * m_smallBox,
                SmallBoxBottom());
}

std::optional<CardMark> CardGeometry::PlaceAt(int px, int py) const {
    for (std::size_t i = 0; i < kCardPlaceCount; ++i) {
        const CardMark mark = CardMark(i);
        if (mark == CardMark::Bridge || mark == CardMark::Rudder) continue;
        if (Inside(Place(mark), px, py)) return mark;
    }
    const Quad halves = Rect(UpperColumn(1), m_y7, UpperColumn(2), RowBottom(0));
    if (!Inside(halves, px, py)) return std::nullopt;
    return Above(DiagonalStart(), DiagonalEnd(), px, py) ? CardMark::Bridge : CardMark::Rudder;
}
