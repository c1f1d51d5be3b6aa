#pragma once

#include "model/force.h"
#include "platform/types.h"

class CArchive;
struct HtmlExport;

// One engagement to be played, with the forces that take part.
class VxScenario {
  public:
    VxScenario() = default;

    void Serialize(CArchive& ar);
    CString GetName() const { return m_strName; }
    bool IsDifferent(const VxScenario& other) const;

    CString HtmlSection(HtmlExport& html) const;

    CString m_strName = "New Scenario";
    CString m_strUmpire;
    CString m_strDate;
    CString m_strWeather;
    CString m_strVictoryConditions;
    CString m_strNotes;
    CArray<VxForce, VxForce&> m_forces;
};
