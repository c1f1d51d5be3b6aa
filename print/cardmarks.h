#pragma once

#include <bitset>
#include <cstddef>

class CDC;

// What a player can strike on a record card: the boxes of the ruled box, the
// halves of the bridge/rudder box, the 18 small boxes under it, and the ship
// as a whole (sunk). The order is the order they are listed in.
enum class CardMark {
    FireControl,
    DamageControl,
    Bridge,
    Rudder,
    AA,
    AF1,
    AF2,
    AF3,
    AF4,
    Speed1,
    Speed2,
    Speed3,
    Speed4,
    Speed5,
    Box1,
    Box18 = Box1 + 17,
    Sunk,
};
inline constexpr std::size_t kCardMarkCount = std::size_t(CardMark::Sunk) + 1;
// The marks that are places on the card: every mark but Sunk.
inline constexpr std::size_t kCardPlaceCount = std::size_t(CardMark::Sunk);

// The marks of one card.
struct CardMarks {
    std::bitset<kCardMarkCount> bits;

    bool Has(CardMark mark) const { return bits.test(std::size_t(mark)); }
    void Toggle(CardMark mark) { bits.flip(std::size_t(mark)); }
    bool Empty() const { return bits.none(); }
    bool operator==(const CardMarks&) const = default;
};

// Draws the marks over a card drawn at (x, y) with scale p: a bold cross
// through each struck box, each small box filled, and a sunk ship greyed
// with "SUNK" across it. Nothing at all for no marks.
void DrawCardMarks(CDC& dc, double p, int x, int y, const CardMarks& marks);
