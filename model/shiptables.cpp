#include "model/shiptables.h"

const char* ShipTypeAbbreviation(int index) {
    if (index < 0 || index >= int(ShipTypeTable.size())) return "";
    return ShipTypeTable[std::size_t(index)].abbreviation;
}

const char* AARatingText(int index) {
    if (index < 0 || index >= int(AARatingTable.size())) return "";
    return AARatingTable[std::size_t(index)];
}
