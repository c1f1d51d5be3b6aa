#include "model/torpedo.h"

#include "model/archive.h"
#include "platform/textformat.h"

void VxTorpedo::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_dCalibre << m_nValue;
    } else {
        ar >> m_dCalibre >> m_nValue;
    }
}

CString VxTorpedo::GetLabel() const { return FormatG3(m_dCalibre) + "\""; }
