#pragma once

#include <array>
#include <vector>

#include "model/armament.h"
#include "model/nation.h"
#include "platform/types.h"

class CArchive;
class CDC;
class CardImage;
struct HtmlExport;

// One ship as a player needs it on the table. Nation, armaments and torpedo
// are positions in the document's lists.
class VxShip {
  public:
    VxShip() = default;

    void Reset() { *this = VxShip(); }
    void Serialize(CArchive& ar);

    bool operator<(const VxShip& other) const;
    bool IsDifferent(const VxShip& other) const;
    // The fields in which the two differ, by their labels in the ship
    // editor ("DF", "Notes"), in the editor's order.
    std::vector<const char*> DifferingFields(const VxShip& other) const;

    // Guarded lookups: nullptr when the stored position lies outside the list.
    const VxNation* NationIn(const CArray<VxNation>& nations) const;
    const VxArmament* MainArmamentIn(const CArray<VxArmament>& armaments) const;
    const VxArmament* SecondaryArmamentIn(const CArray<VxArmament>& armaments) const;

    bool HasSecondary() const { return m_dSecondaryAF[0] > 0; }
    bool HasTorpedoes() const { return m_nTorpedoAF[0] > 0; }
    bool HasTwentyOneInchTorpedoes() const { return m_nTorpedo != 0; }
    // An aircraft secondary makes the ship a carrier; its first secondary AF
    // is then the number of aircraft.
    bool IsCarrier(const CArray<VxArmament>& armaments) const;

    // The record card, drawn on any device.
    void DrawCard(CDC& dc, double p, int x, int y, const CArray<VxArmament>& armaments, int mode,
                  int width) const;
    void DrawBlankCard(CDC& dc, double p, int x, int y) const;
    int GetCardHeight(CDC& dc, double p, int mode, int width) const;
    void CreateCardBitmap(CardImage& image, double p, const CArray<VxArmament>& armaments,
                          bool blank) const;

    // Exports.
    CString GetTextLine(const CArray<VxNation>& nations, const CArray<VxArmament>& armaments) const;
    // The same line appended to out; with crlf every line break, the end's
    // and any inside a value, is written as CR LF.
    void AppendTextLine(std::string& out, const CArray<VxNation>& nations,
                        const CArray<VxArmament>& armaments, bool crlf) const;
    CString HtmlSection(HtmlExport& html, bool blank, bool withTag) const;

    CString m_strName = "New Ship";
    int m_nNation = 0;
    int m_nMainArmament = 0;
    std::array<double, 4> m_dMainAF{};
    BOOL m_bWingTurrets = FALSE;
    int m_nSecondaryArmament = 0;
    std::array<double, 4> m_dSecondaryAF{};
    // Here rather than in file order, so that a ship has no padding.
    double m_dDF = 0.0;
    int m_nTorpedo = 0;
    std::array<int, 4> m_nTorpedoAF{};
    int m_nShipType = 0;
    int m_nAARating = 0;
    std::array<int, 5> m_nTurnSpeed{};
    CString m_strIdentifier;
    CString m_strNotes;
    BOOL m_bPoorUP = FALSE;
    BOOL m_bFlotilla = FALSE;
};

// The first ship of that exact name in any nation, or a new ship.
VxShip FindShipByName(const CArray<VxShip>& ships, const CString& name);
