#include "model/scenario.h"

#include "model/archive.h"
#include "model/listcompare.h"
#include "model/recordsizes.h"

void VxScenario::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_strName << m_strUmpire << m_strDate << m_strWeather << m_strVictoryConditions
           << m_strNotes << static_cast<std::int32_t>(m_forces.size());
    } else {
        ar >> m_strName >> m_strUmpire >> m_strDate >> m_strWeather >> m_strVictoryConditions >>
            m_strNotes;
        m_forces.resize(ar.ReadCount(RecordSize::kForce));
    }
    for (VxForce& force : m_forces) force.Serialize(ar);
}

bool VxScenario::IsDifferent(const VxScenario& other) const {
    const bool textsDiffer = m_strName != other.m_strName || m_strDate != other.m_strDate ||
                             m_strNotes != other.m_strNotes || m_strUmpire != other.m_strUmpire ||
                             m_strVictoryConditions != other.m_strVictoryConditions ||
                             m_strWeather != other.m_strWeather;
    return textsDiffer || AnyDifferent(m_forces, other.m_forces);
}
