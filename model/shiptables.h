#pragma once

#include <array>

struct ShipType {
    const char* abbreviation;
    const char* name;
};

inline constexpr std::array<ShipType, 14> ShipTypeTable = {{
    {"AC", "Collier"},
    {"AK", "Cargo Ship"},
    {"AO", "Oil Tanker"},
    {"AV", "Seaplane Carrier"},
    {"B", "pre-Dreadnought Battleship"},
    {"BA", "heavily armored Battleship"},
    {"BB", "Battleship"},
    {"BC", "Battlecruiser"},
    {"CA", "Armored Cruiser"},
    {"CL", "Light Cruiser"},
    {"CV", "Aeroplane Carrier"},
    {"DD", "Oil fired Destroyer"},
    {"DE", "Antisubmarine Escort"},
    {"TDB", "Coal fired Destroyer"},
}};

inline constexpr std::array<const char*, 25> AARatingTable = {
    "a", "b",  "c",  "d",  "e",  "1",  "2",  "3",  "4",  "5",  "6",  "7", "8",
    "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};

enum ShipTypeIndex { kLastMerchantType = 2, kAeroplaneCarrier = 10 };

// Stored indexes are unchecked: an index outside a table shows as empty text.
const char* ShipTypeAbbreviation(int index);
const char* AARatingText(int index);
