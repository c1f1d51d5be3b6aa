#include "model/armament.h"

#include <cstring>

#include "model/archive.h"
#include "platform/textformat.h"

void VxArmament::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_strCalibre << m_bGun;
        for (const CString& band : m_strRangeBand) ar << band;
        ar << m_nNation << m_dAF << m_strNotes;
    } else {
        ar >> m_strCalibre >> m_bGun;
        for (CString& band : m_strRangeBand) ar >> band;
        ar >> m_nNation >> m_dAF >> m_strNotes;
    }
}

CString VxArmament::GetDisplayName(BOOL withNotes) const {
    return withNotes ? m_strCalibre + " " + m_strNotes : m_strCalibre;
}

CString VxArmament::GetLabel() const {
    const char* inchMark = LeadingNumber(m_strCalibre) > 0.0 ? "\"" : "";
    return m_strCalibre + inchMark + m_strNotes;
}

bool VxArmament::IsDifferent(const VxArmament& other) const {
    return m_strCalibre != other.m_strCalibre || m_bGun != other.m_bGun ||
           m_strRangeBand != other.m_strRangeBand || m_nNation != other.m_nNation ||
           m_dAF < other.m_dAF || m_dAF > other.m_dAF || m_strNotes != other.m_strNotes;
}

bool VxArmament::IsSameArmament(const VxArmament& other) const {
    return m_strCalibre == other.m_strCalibre && m_strNotes == other.m_strNotes &&
           m_nNation == other.m_nNation;
}

bool VxArmament::ComesBefore(const VxArmament& existing, const VxArmament& added) {
    if (existing.m_nNation != added.m_nNation) return existing.m_nNation < added.m_nNation;
    const double a = LeadingNumber(existing.m_strCalibre);
    const double b = LeadingNumber(added.m_strCalibre);
    if (a > 0.0 && b > 0.0) return a < b;
    // std::string compares as unsigned characters, as the order requires.
    return existing.m_strCalibre < added.m_strCalibre;
}
