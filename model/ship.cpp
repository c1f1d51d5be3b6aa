#include "model/ship.h"

#include <algorithm>
#include <iterator>

#include "model/archive.h"
#include "model/listlookup.h"

namespace {

template <class T, std::size_t N>
void Store(CArchive& ar, const std::array<T, N>& values) {
    for (const T& value : values) ar << value;
}

template <class T, std::size_t N>
void Load(CArchive& ar, std::array<T, N>& values) {
    for (T& value : values) ar >> value;
}

template <class T>
bool Differ(const T& a, const T& b) {
    return a != b;
}

// Doubles differ by numeric inequality, as they always have.
bool Differ(double a, double b) { return a < b || a > b; }

template <std::size_t N>
bool Differ(const std::array<double, N>& a, const std::array<double, N>& b) {
    for (std::size_t i = 0; i < N; ++i) {
        if (Differ(a[i], b[i])) return true;
    }
    return false;
}

struct ShipField {
    const char* label;
    bool (*differs)(const VxShip& a, const VxShip& b);
};

template <auto Member>
bool FieldDiffers(const VxShip& a, const VxShip& b) {
    return Differ(a.*Member, b.*Member);
}

// Every field, named as the ship editor labels it.
constexpr ShipField kFields[] = {
    {"Name", FieldDiffers<&VxShip::m_strName>},
    {"Nationality", FieldDiffers<&VxShip::m_nNation>},
    {"Main Armament", FieldDiffers<&VxShip::m_nMainArmament>},
    {"Main Armament AF", FieldDiffers<&VxShip::m_dMainAF>},
    {"Wing Turrets", FieldDiffers<&VxShip::m_bWingTurrets>},
    {"Secondary Armament", FieldDiffers<&VxShip::m_nSecondaryArmament>},
    {"Secondary Armament AF", FieldDiffers<&VxShip::m_dSecondaryAF>},
    {"Torpedo Armament", FieldDiffers<&VxShip::m_nTorpedo>},
    {"Torpedo Armament AF", FieldDiffers<&VxShip::m_nTorpedoAF>},
    {"DF", FieldDiffers<&VxShip::m_dDF>},
    {"Ship Type", FieldDiffers<&VxShip::m_nShipType>},
    {"AA Rating", FieldDiffers<&VxShip::m_nAARating>},
    {"Turn Speed", FieldDiffers<&VxShip::m_nTurnSpeed>},
    {"Identifier", FieldDiffers<&VxShip::m_strIdentifier>},
    {"Notes", FieldDiffers<&VxShip::m_strNotes>},
    {"Poor UP", FieldDiffers<&VxShip::m_bPoorUP>},
    {"Flotilla", FieldDiffers<&VxShip::m_bFlotilla>},
};

}  // namespace

void VxShip::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_strName << m_nNation << m_nMainArmament;
        Store(ar, m_dMainAF);
        ar << m_bWingTurrets << m_nSecondaryArmament;
        Store(ar, m_dSecondaryAF);
        ar << m_nTorpedo;
        Store(ar, m_nTorpedoAF);
        ar << m_dDF << m_nShipType << m_nAARating;
        Store(ar, m_nTurnSpeed);
        ar << m_strIdentifier << m_strNotes << m_bPoorUP << m_bFlotilla;
    } else {
        ar >> m_strName >> m_nNation >> m_nMainArmament;
        Load(ar, m_dMainAF);
        ar >> m_bWingTurrets >> m_nSecondaryArmament;
        Load(ar, m_dSecondaryAF);
        ar >> m_nTorpedo;
        Load(ar, m_nTorpedoAF);
        ar >> m_dDF >> m_nShipType >> m_nAARating;
        Load(ar, m_nTurnSpeed);
        ar >> m_strIdentifier >> m_strNotes >> m_bPoorUP >> m_bFlotilla;
    }
}

bool VxShip::operator<(const VxShip& other) const {
    if (m_nNation != other.m_nNation) return m_nNation < other.m_nNation;
    return m_strName < other.m_strName;
}

bool VxShip::IsDifferent(const VxShip& other) const {
    return std::any_of(std::begin(kFields), std::end(kFields),
                       [&](const ShipField& field) { return field.differs(*this, other); });
}

std::vector<const char*> VxShip::DifferingFields(const VxShip& other) const {
    std::vector<const char*> labels;
    for (const ShipField& field : kFields) {
        if (field.differs(*this, other)) labels.push_back(field.label);
    }
    return labels;
}

const VxNation* VxShip::NationIn(const CArray<VxNation>& nations) const {
    return ElementAt(nations, m_nNation);
}

const VxArmament* VxShip::MainArmamentIn(const CArray<VxArmament>& armaments) const {
    return ElementAt(armaments, m_nMainArmament);
}

const VxArmament* VxShip::SecondaryArmamentIn(const CArray<VxArmament>& armaments) const {
    return ElementAt(armaments, m_nSecondaryArmament);
}

bool VxShip::IsCarrier(const CArray<VxArmament>& armaments) const {
    const VxArmament* secondary = SecondaryArmamentIn(armaments);
    return HasSecondary() && secondary != nullptr && !secondary->m_bGun;
}

VxShip FindShipByName(const CArray<VxShip>& ships, const CString& name) {
    for (const VxShip& ship : ships) {
        if (ship.m_strName == name) return ship;
    }
    return VxShip();
}
