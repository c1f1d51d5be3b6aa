#pragma once

#include <array>
#include <string>

#include "model/listlookup.h"
#include "model/ship.h"
#include "model/torpedo.h"

class CBrinnowDoc;

// The columns of the ships' CSV, in the order the export writes them, and
// the field of a ship that each one stands for.
enum class ShipCsvKind {
    Text,
    Nation,
    MainArmament,
    SecondaryArmament,
    Torpedo,
    ShipType,
    AARating,
    Index,  // the stored position beside the name in the column before it
    Number,
    Whole,
    YesNo,
};

struct ShipCsvColumn {
    const char* name;
    ShipCsvKind kind;
    // The field, by kind: texts; numbers; positions, whole numbers and flags.
    CString& (*text)(VxShip&) = nullptr;
    double& (*number)(VxShip&) = nullptr;
    int& (*whole)(VxShip&) = nullptr;
};

inline constexpr std::size_t kShipCsvColumns = 36;
extern const std::array<ShipCsvColumn, kShipCsvColumns> ShipCsvColumns;

// The names the export writes for the records a ship refers to.
CString CsvNationName(const VxNation& nation);
CString CsvArmamentName(const VxArmament& armament);
CString CsvTorpedoName(const VxTorpedo& torpedo);
// The name of the record at a stored position; none outside the list.
template <class T>
CString CsvNameAt(const CArray<T>& list, int index, CString (*name)(const T&)) {
    const T* record = ElementAt(list, index);
    return record ? name(*record) : CString();
}

// The header row, without its line end.
std::string ShipCsvHeader();

// The column's value for the ship as the export writes it, in Windows-1252,
// before any quoting: what a preview shows as a field's old and new value.
CString ShipCsvText(const CBrinnowDoc& doc, const VxShip& ship, const ShipCsvColumn& column);

// Whether the ship's field of that column holds the same in both.
bool SameShipCsvField(const VxShip& a, const VxShip& b, const ShipCsvColumn& column);
