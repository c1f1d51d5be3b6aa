#include "model/ship.h"

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

bool Differ(double a, double b) { return a < b || a > b; }

template <std::size_t N>
bool Differ(const std::array<double, N>& a, const std::array<double, N>& b) {
    for (std::size_t i = 0; i < N; ++i) {
        if (Differ(a[i], b[i])) return true;
    }
    return false;
}

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
    return m_strName != other.m_strName || m_nNation != other.m_nNation ||
           m_nMainArmament != other.m_nMainArmament || Differ(m_dMainAF, other.m_dMainAF) ||
           m_bWingTurrets != other.m_bWingTurrets ||
           m_nSecondaryArmament != other.m_nSecondaryArmament ||
           Differ(m_dSecondaryAF, other.m_dSecondaryAF) || m_nTorpedo != other.m_nTorpedo ||
           m_nTorpedoAF != other.m_nTorpedoAF || Differ(m_dDF, other.m_dDF) ||
           m_nShipType != other.m_nShipType || m_nAARating != other.m_nAARating ||
           m_nTurnSpeed != other.m_nTurnSpeed || m_strIdentifier != other.m_strIdentifier ||
           m_strNotes != other.m_strNotes || m_bPoorUP != other.m_bPoorUP ||
           m_bFlotilla != other.m_bFlotilla;
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
