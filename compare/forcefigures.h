#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/shiptables.h"
#include "platform/types.h"

// One slot per entry of the card's tables, and a last one for a stored index
// outside them, which the card leaves blank and is counted as "?".
inline constexpr std::size_t kTypeSlots = ShipTypeTable.size() + 1;
inline constexpr std::size_t kAASlots = AARatingTable.size() + 1;

// What the cards of one force add up to. Sums are doubles added in the order
// the force sheets print, so an infinity or a NaN on a card stays one here.
struct ForceFigures {
    int ships = 0;
    std::array<int, kTypeSlots> byType{};
    // Names a squadron gives that no ship bears, counted apart from ships.
    std::vector<CString> missing;
    double df = 0.0;
    std::array<double, 4> mainAF{};
    std::array<double, 4> secondaryAF{};
    std::array<double, 4> torpedoAF{};
    // First turn speeds; none for a force without ships.
    std::optional<int> slowestSpeed;
    std::optional<double> medianSpeed;
    std::array<int, kAASlots> aa{};
};

// The card's abbreviation of a type slot ("BB"), or "?".
const char* TypeSlotName(std::size_t slot);
// The card's AA rating of a slot ("a", "3"), or "?".
const char* AASlotName(std::size_t slot);

// A figure as a person reads it: the shortest text that reads back to the
// same double, and "inf", "-inf" or "nan" for what is not a number.
std::string FigureText(double value);
