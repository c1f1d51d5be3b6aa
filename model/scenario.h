#pragma once

#include "model/force.h"
#include "platform/progress.h"
#include "platform/types.h"

class CArchive;
class CDC;
class CardMarksSource;
struct HtmlExport;
class ShipLookup;

// One engagement to be played, with the forces that take part.
class VxScenario {
  public:
    VxScenario() = default;

    void Serialize(CArchive& ar);
    CString GetName() const { return m_strName; }
    bool IsDifferent(const VxScenario& other) const;

    // The scenario's page from y on, then every force on a page of its own;
    // page is the running page number. Marks, when given, are drawn over
    // the cards they belong to. Reports the forces printed.
    void PrintSheet(CDC& dc, double p, int x, int y, const ShipLookup& ships,
                    const CArray<VxArmament>& armaments, int includeNotes, int width, int& page,
                    const CardMarksSource* marks = nullptr, Progress& progress = Unwatched()) const;

    CString HtmlSection(HtmlExport& html) const;

    CString m_strName = "New Scenario";
    CString m_strUmpire;
    CString m_strDate;
    CString m_strWeather;
    CString m_strVictoryConditions;
    CString m_strNotes;
    CArray<VxForce, VxForce&> m_forces;
};
