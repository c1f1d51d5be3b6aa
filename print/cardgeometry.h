#pragma once

#include <array>
#include <optional>

#include "print/cardmarks.h"

// Where the ruled box of a record card and every place in it lie, in device
// pixels for a card at (x, y) drawn with scale p. The frame is drawn from
// these values, the marks are drawn into the places and a click is found in
// them, so all three always agree.
class CardGeometry {
  public:
    struct Point {
        int x = 0;
        int y = 0;
        bool operator==(const Point&) const = default;
    };
    // Corners clockwise from the top left; the bridge and rudder halves are
    // the only places that are not rectangles.
    using Quad = std::array<Point, 4>;

    CardGeometry(double p, int x, int y);

    // The place's outline; mark must not be Sunk.
    Quad Place(CardMark mark) const;
    // The place that holds the point, if any.
    std::optional<CardMark> PlaceAt(int px, int py) const;

    // The frame's lines.
    int Left() const { return m_x; }
    int Top() const { return m_y7; }
    int OuterRight() const { return m_outerRight; }
    int OuterBottom() const { return m_outerBottom; }
    int RuleRight() const { return m_ruleRight; }
    // Rows 1 and 2 end at these heights below the top; row 3 at the bottom.
    int RowBottom(int row) const { return m_y7 + m_rowBottom[std::size_t(row)]; }
    // The vertical rules: three between the four boxes of rows 1 and 2, four
    // between the five of row 3.
    int UpperColumn(int i) const { return m_x + m_upperColumn[std::size_t(i)]; }
    int LowerColumn(int i) const { return m_x + m_lowerColumn[std::size_t(i)]; }
    Point DiagonalStart() const { return {UpperColumn(1), m_y7 + m_diagonalLeft}; }
    Point DiagonalEnd() const { return {UpperColumn(2), m_y7 + m_diagonalRight}; }
    int SmallBoxTop() const { return m_y7 + m_rowBottom[2]; }
    int SmallBoxBottom() const { return m_y7 + m_smallBoxBottom; }
    int SmallBoxWidth() const { return m_smallBox; }

  private:
    static Quad Rect(int left, int top, int right, int bottom);

    int m_x;
    int m_y7;
    int m_outerRight;
    int m_outerBottom;
    int m_ruleRight;
    std::array<int, 3> m_rowBottom;
    std::array<int, 3> m_upperColumn;
    std::array<int, 4> m_lowerColumn;
    int m_diagonalLeft;
    int m_diagonalRight;
    int m_smallBox;
    int m_smallBoxBottom;
};
