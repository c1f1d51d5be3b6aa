#pragma once

#include <array>

#include "platform/types.h"

class CArchive;

// One armament type of one nation: a gun calibre, or the nation's aircraft.
class VxArmament {
  public:
    static constexpr int kRangeBands = 10;

    VxArmament() = default;
    VxArmament(const CString& calibre, double af, int nation)
        : m_strCalibre(calibre), m_nNation(nation), m_dAF(af) {}

    void Serialize(CArchive& ar);

    CString GetName() const { return m_strCalibre; }
    CString GetNotes() const { return m_strNotes; }
    CString GetRangeBand(int band) const { return m_strRangeBand.at(band); }
    void SetRangeBand(int band, const CString& text) { m_strRangeBand.at(band) = text; }
    void SetCalibre(const CString& text) { m_strCalibre = text; }

    // The calibre, with a blank and the notes when withNotes is set.
    CString GetDisplayName(BOOL withNotes) const;
    // The card's form: calibre, an inch mark when it reads as a number, notes.
    CString GetLabel() const;

    bool IsDifferent(const VxArmament& other) const;
    // Calibre, notes and nation make an armament what it is.
    bool IsSameArmament(const VxArmament& other) const;
    // The document's armament order: by nation, then by calibre.
    static bool ComesBefore(const VxArmament& existing, const VxArmament& added);

    CString m_strCalibre;
    BOOL m_bGun = TRUE;
    std::array<CString, kRangeBands> m_strRangeBand;
    int m_nNation = 0;
    double m_dAF = 0.0;
    CString m_strNotes;
};
