#include "model/nation.h"

#include "model/archive.h"

void VxNation::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_strName << m_strNotes << m_nGroupCode;
    } else {
        ar >> m_strName >> m_strNotes >> m_nGroupCode;
    }
}

bool VxNation::IsDifferent(const VxNation& other) const {
    return m_strName != other.m_strName || m_strNotes != other.m_strNotes;
}
