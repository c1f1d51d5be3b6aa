#pragma once

#include "model/ship.h"
#include "platform/types.h"

class CArchive;
class CDC;
struct HtmlExport;
class ShipLookup;

// A named group of ships of one nation. Ships are named, never held: every
// name is looked up in the document's ship list when the squadron is shown.
class VxSquadron {
  public:
    VxSquadron() = default;

    void Serialize(CArchive& ar);

    CString GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }
    CString GetFlagship() const { return m_strFlagship; }
    CString GetCommander() const { return m_strCommander; }
    CString GetNotes() const { return m_strNotes; }
    // Past the end of the list the name is empty.
    CString GetShip(int index) const;
    CString GetAttachment(int index) const;

    bool operator==(const VxSquadron& other) const;
    bool operator<(const VxSquadron& other) const;
    bool IsDifferent(const VxSquadron& other) const;

    // The printed sheet: name, flagship and commander, member and attached
    // ships as rows of cards, notes when includeNotes is set. Drawn from
    // (x, y) down without a page break; ships are looked up by name.
    void PrintSheet(CDC& dc, double p, int x, int y, const ShipLookup& ships,
                    const CArray<VxArmament>& armaments, int includeNotes, int width) const;
    // The height PrintSheet takes, from the same layout.
    int GetSheetHeight(CDC& dc, double p, int includeNotes, int width) const;

    CString HtmlSection(HtmlExport& html) const;

    CString m_strName = "New Squadron";
    int m_nNation = 0;
    CString m_strFlagship;
    CString m_strCommander;
    CStringArray m_shipNames;
    CStringArray m_attachmentNames;
    CString m_strNotes;
};
