#include "interchange/shipcsvcolumns.h"

#include <bit>
#include <charconv>
#include <cmath>

#include "interchange/doubletext.h"
#include "model/brinnowdoc.h"
#include "model/listlookup.h"
#include "model/shiptables.h"

namespace {

using K = ShipCsvKind;

CString& Name(VxShip& s) { return s.m_strName; }
CString& Identifier(VxShip& s) { return s.m_strIdentifier; }
CString& Notes(VxShip& s) { return s.m_strNotes; }
int& Nation(VxShip& s) { return s.m_nNation; }
int& MainArmament(VxShip& s) { return s.m_nMainArmament; }
int& SecondaryArmament(VxShip& s) { return s.m_nSecondaryArmament; }
int& Torpedo(VxShip& s) { return s.m_nTorpedo; }
int& TypeOfShip(VxShip& s) { return s.m_nShipType; }
int& AARating(VxShip& s) { return s.m_nAARating; }
int& WingTurrets(VxShip& s) { return s.m_bWingTurrets; }
int& PoorUP(VxShip& s) { return s.m_bPoorUP; }
int& Flotilla(VxShip& s) { return s.m_bFlotilla; }
double& DF(VxShip& s) { return s.m_dDF; }
template <std::size_t I>
double& MainAF(VxShip& s) {
    return s.m_dMainAF[I];
}
template <std::size_t I>
double& SecondaryAF(VxShip& s) {
    return s.m_dSecondaryAF[I];
}
template <std::size_t I>
int& TorpedoAF(VxShip& s) {
    return s.m_nTorpedoAF[I];
}
template <std::size_t I>
int& TurnSpeed(VxShip& s) {
    return s.m_nTurnSpeed[I];
}

ShipCsvColumn Text(const char* name, CString& (*field)(VxShip&)) { return {name, K::Text, field}; }
ShipCsvColumn Number(const char* name, double& (*field)(VxShip&)) {
    return {name, K::Number, nullptr, field};
}
ShipCsvColumn Whole(const char* name, K kind, int& (*field)(VxShip&)) {
    return {name, kind, nullptr, nullptr, field};
}

// Reading a field of a ship that is not to change.
template <class T>
const T& Read(T& (*field)(VxShip&), const VxShip& ship) {
    return field(const_cast<VxShip&>(ship));
}

CString NumberText(double value) {
    if (!std::isfinite(value)) return DoubleText(value);
    char text[32];
    return CString(text, std::to_chars(text, text + sizeof text, value).ptr);
}

}  // namespace

CString CsvNationName(const VxNation& nation) { return nation.m_strName; }
CString CsvArmamentName(const VxArmament& armament) {
    return armament.GetDisplayName(!armament.m_strNotes.empty());
}
CString CsvTorpedoName(const VxTorpedo& torpedo) { return torpedo.GetLabel(); }

const std::array<ShipCsvColumn, kShipCsvColumns> ShipCsvColumns = {{
    Text("Name", Name),
    Whole("Nation", K::Nation, Nation),
    Whole("Nation Index", K::Index, Nation),
    Whole("Main Armament", K::MainArmament, MainArmament),
    Whole("Main Armament Index", K::Index, MainArmament),
    Number("Main AF 1", MainAF<0>),
    Number("Main AF 2", MainAF<1>),
    Number("Main AF 3", MainAF<2>),
    Number("Main AF 4", MainAF<3>),
    Whole("Wing Turrets", K::YesNo, WingTurrets),
    Whole("Secondary Armament", K::SecondaryArmament, SecondaryArmament),
    Whole("Secondary Armament Index", K::Index, SecondaryArmament),
    Number("Secondary AF 1", SecondaryAF<0>),
    Number("Secondary AF 2", SecondaryAF<1>),
    Number("Secondary AF 3", SecondaryAF<2>),
    Number("Secondary AF 4", SecondaryAF<3>),
    Whole("Torpedo", K::Torpedo, Torpedo),
    Whole("Torpedo Index", K::Index, Torpedo),
    Whole("Torpedo AF 1", K::Whole, TorpedoAF<0>),
    Whole("Torpedo AF 2", K::Whole, TorpedoAF<1>),
    Whole("Torpedo AF 3", K::Whole, TorpedoAF<2>),
    Whole("Torpedo AF 4", K::Whole, TorpedoAF<3>),
    Number("DF", DF),
    Whole("Ship Type", K::ShipType, TypeOfShip),
    Whole("Ship Type Index", K::Index, TypeOfShip),
    Whole("AA Rating", K::AARating, AARating),
    Whole("AA Rating Index", K::Index, AARating),
    Whole("Turn Speed 1", K::Whole, TurnSpeed<0>),
    Whole("Turn Speed 2", K::Whole, TurnSpeed<1>),
    Whole("Turn Speed 3", K::Whole, TurnSpeed<2>),
    Whole("Turn Speed 4", K::Whole, TurnSpeed<3>),
    Whole("Turn Speed 5", K::Whole, TurnSpeed<4>),
    Whole("Poor UP", K::YesNo, PoorUP),
    Whole("Flotilla", K::YesNo, Flotilla),
    Text("Identifier", Identifier),
    Text("Notes", Notes),
}};

std::string ShipCsvHeader() {
    std::string header;
    for (const ShipCsvColumn& column : ShipCsvColumns) {
        if (!header.empty()) header += ',';
        header += column.name;
    }
    return header;
}

CString ShipCsvText(const CBrinnowDoc& doc, const VxShip& ship, const ShipCsvColumn& column) {
    switch (column.kind) {
        case K::Text:
            return Read(column.text, ship);
        case K::Number:
            return NumberText(Read(column.number, ship));
        case K::YesNo:
            return Read(column.whole, ship) ? "Yes" : "No";
        case K::Nation:
            return CsvNameAt(doc.m_nations.Records(), ship.m_nNation, CsvNationName);
        case K::MainArmament:
        case K::SecondaryArmament:
            return CsvNameAt(doc.m_armaments.Records(), Read(column.whole, ship), CsvArmamentName);
        case K::Torpedo:
            return CsvNameAt(doc.m_torpedoes.Records(), ship.m_nTorpedo, CsvTorpedoName);
        case K::ShipType:
            return ShipTypeAbbreviation(ship.m_nShipType);
        case K::AARating:
            return AARatingText(ship.m_nAARating);
        case K::Index:
        case K::Whole:
            break;
    }
    return std::to_string(Read(column.whole, ship));
}

bool SameShipCsvField(const VxShip& a, const VxShip& b, const ShipCsvColumn& column) {
    if (column.text) return Read(column.text, a) == Read(column.text, b);
    if (column.number) {
        return std::bit_cast<std::uint64_t>(Read(column.number, a)) ==
               std::bit_cast<std::uint64_t>(Read(column.number, b));
    }
    return Read(column.whole, a) == Read(column.whole, b);
}
