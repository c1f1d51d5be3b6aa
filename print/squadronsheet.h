#pragma once

#include <vector>

#include "model/squadron.h"
#include "platform/cdc.h"
#include "platform/progress.h"
#include "print/cardoverlay.h"
#include "print/pageflow.h"
#include "print/shiplookup.h"

// The layout of one squadron's sheet, measured once: the bands it is drawn
// in, top to bottom. The height is their sum, so a page break made from it
// is exactly where the drawing ends.
class SquadronSheet {
  public:
    SquadronSheet(CDC& dc, double p, const VxSquadron& squadron, bool withNotes, int width);

    int Height() const { return m_height; }
    // Draws at x from the flow's y. On a paged flow a heading goes with its
    // first row, and a row of cards or a line of notes that would pass the
    // bottom goes on the next page. The overlay marks the cards. Reports
    // the rows drawn: heading, labels, rows of cards and note lines.
    void Draw(PageFlow& flow, int x, const ShipLookup& ships,
              const CArray<VxArmament>& armaments, const CardOverlay& overlay = {},
              Progress& progress = Unwatched()) const;

  private:
    enum class Kind { Head, Label, Cards, Gap, NoteLine };
    struct Band {
        Kind kind;
        int height;
        CString text;                         // label or note line
        const CStringArray* names = nullptr;  // ship names of a row of cards
        ShipRole role = ShipRole::Member;
        std::size_t first = 0;
        std::size_t count = 0;
    };
    void AddCardRows(const CStringArray& names, ShipRole role);
    void DrawHead(int x, int y, const ShipLookup& lookup, const CArray<VxArmament>& armaments,
                  const CardOverlay& overlay) const;
    void DrawCards(const Band& band, int x, int y, const ShipLookup& lookup,
                   const CArray<VxArmament>& armaments, const CardOverlay& overlay) const;

    CDC& m_dc;
    double m_p;
    const VxSquadron& m_squadron;
    int m_width;
    CFont m_headingFont;
    CFont m_labelFont;
    CFont m_textFont;
    int m_h = 0;  // the step between lines
    int m_cardHeight = 0;
    int m_cellWidth = 0;
    int m_perRow = 1;
    int m_nameHeight = 0;
    std::vector<Band> m_bands;
    int m_height = 0;
};
