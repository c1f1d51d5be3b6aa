#include "model/squadron.h"

#include "model/archive.h"

namespace {

void StoreNames(CArchive& ar, const CStringArray& names) {
    ar << static_cast<std::int32_t>(names.size());
    for (const CString& name : names) ar << name;
}

void LoadNames(CArchive& ar, CStringArray& names) {
    names.resize(ar.ReadCount(1));
    for (CString& name : names) ar >> name;
}

CString NameAt(const CStringArray& names, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return CString();
    return names[static_cast<std::size_t>(index)];
}

}  // namespace

void VxSquadron::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_strName << m_nNation << m_strFlagship << m_strCommander;
        StoreNames(ar, m_shipNames);
        StoreNames(ar, m_attachmentNames);
        ar << m_strNotes;
    } else {
        ar >> m_strName >> m_nNation >> m_strFlagship >> m_strCommander;
        LoadNames(ar, m_shipNames);
        LoadNames(ar, m_attachmentNames);
        ar >> m_strNotes;
    }
}

CString VxSquadron::GetShip(int index) const { return NameAt(m_shipNames, index); }

CString VxSquadron::GetAttachment(int index) const { return NameAt(m_attachmentNames, index); }

bool VxSquadron::operator==(const VxSquadron& other) const {
    return m_strName == other.m_strName && m_nNation == other.m_nNation;
}

bool VxSquadron::operator<(const VxSquadron& other) const {
    if (m_nNation != other.m_nNation) return m_nNation < other.m_nNation;
    return m_strName < other.m_strName;
}

bool VxSquadron::IsDifferent(const VxSquadron& other) const {
    return m_strName != other.m_strName || m_nNation != other.m_nNation ||
           m_strFlagship != other.m_strFlagship || m_strCommander != other.m_strCommander ||
           m_strNotes != other.m_strNotes || m_shipNames != other.m_shipNames ||
           m_attachmentNames != other.m_attachmentNames;
}
