#pragma once

#include "platform/types.h"

class CArchive;

// One nation. Its name is its only identity; the group code is carried along
// unchanged and shown nowhere.
class VxNation {
  public:
    VxNation() = default;
    VxNation(const CString& name, const CString& notes, int groupCode)
        : m_strName(name), m_strNotes(notes), m_nGroupCode(groupCode) {}

    void Serialize(CArchive& ar);

    CString GetName() const { return m_strName; }
    CString GetNotes() const { return m_strNotes; }
    bool IsDifferent(const VxNation& other) const;

    CString m_strName;
    CString m_strNotes;
    int m_nGroupCode = 0;
};
