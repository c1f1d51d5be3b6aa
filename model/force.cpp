#include "model/force.h"

#include "model/archive.h"
#include "model/listcompare.h"
#include "model/recordsizes.h"

void VxForce::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_strName << m_nNation << static_cast<std::int32_t>(m_squadrons.size());
        for (VxSquadron& squadron : m_squadrons) squadron.Serialize(ar);
        ar << static_cast<std::int32_t>(m_ships.size());
        for (VxShip& ship : m_ships) ship.Serialize(ar);
        ar << m_strNotes;
    } else {
        // Older forces had no name; a load never sets a schema, so the name
        // is always there.
        if (ar.GetObjectSchema() > 1) ar >> m_strName;
        ar >> m_nNation;
        m_squadrons.resize(ar.ReadCount(RecordSize::kSquadron));
        for (VxSquadron& squadron : m_squadrons) squadron.Serialize(ar);
        m_ships.resize(ar.ReadCount(RecordSize::kShip));
        for (VxShip& ship : m_ships) ship.Serialize(ar);
        ar >> m_strNotes;
    }
}

bool VxForce::IsDifferent(const VxForce& other) const {
    return m_strName != other.m_strName || m_strNotes != other.m_strNotes ||
           m_nNation != other.m_nNation || AnyDifferent(m_squadrons, other.m_squadrons) ||
           AnyDifferent(m_ships, other.m_ships);
}
