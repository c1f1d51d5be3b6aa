#include "compare/forcefigures.h"

#include <charconv>
#include <cmath>

namespace {

constexpr const char* kOutsideTable = "?";

}  // namespace

const char* TypeSlotName(std::size_t slot) {
    return slot < ShipTypeTable.size() ? ShipTypeTable[slot].abbreviation : kOutsideTable;
}

const char* AASlotName(std::size_t slot) {
    return slot < AARatingTable.size() ? AARatingTable[slot] : kOutsideTable;
}

std::string FigureText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}
