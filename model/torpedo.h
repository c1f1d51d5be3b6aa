#pragma once

#include "platform/types.h"

class CArchive;

// One torpedo type. The value is carried along unchanged and shown nowhere.
class VxTorpedo {
  public:
    VxTorpedo() = default;
    VxTorpedo(double calibre, int value) : m_dCalibre(calibre), m_nValue(value) {}

    void Serialize(CArchive& ar);
    CString GetLabel() const;  // e.g. 18"

    double m_dCalibre = 0.0;
    int m_nValue = 0;
};
