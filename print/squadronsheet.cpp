#include "print/squadronsheet.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "print/printframework.h"
#include "print/textlayout.h"

namespace {
constexpr const char* kFlagship = "Flagship";
constexpr const char* kCommander = "Commander : ";
constexpr const char* kShipsHeading = "Ships in Squadron";
constexpr const char* kAttachmentsHeading = "Attachments to Squadron";
constexpr const char* kNotesHeading = "Notes";
// The commander stands this many device pixels right of the flagship card.
constexpr int kCommanderGap = 44;
constexpr const char* kPrintingRow = "Printing row";
}  // namespace

SquadronSheet::SquadronSheet(CDC& dc, double p, const VxSquadron& squadron, bool withNotes,
                             int width)
    : m_dc(dc), m_p(p), m_squadron(squadron), m_width(width) {
    MakePrintFont(dc, m_headingFont, Mm(p, 5), "Arial", TRUE, TRUE);
    MakePrintFont(dc, m_labelFont, Mm(p, 3.5), "Arial", TRUE, FALSE);
    MakePrintFont(dc, m_textFont, Mm(p, 3), "Arial", FALSE, FALSE);
    m_h = std::abs(m_labelFont.lfHeight);
    m_cardHeight = VxShip().GetCardHeight(dc, p, 0, width);
    m_cellWidth = Mm(p, 44);
    // A page narrower than a card still shows one card a row.
    m_perRow = m_cellWidth > 0 ? std::max(1, width / m_cellWidth) : 1;
    {
        ScopedSelection<CFont> font(dc, m_headingFont);
        m_nameHeight = dc.GetTextExtent(squadron.m_strName).cy;
    }
    const bool flagship = !squadron.m_strFlagship.empty();
    m_bands.push_back(
        {Kind::Head, 2 * m_h + m_nameHeight + (flagship ? m_h + m_cardHeight : 2 * m_h), {}});
    if (!squadron.m_shipNames.empty()) {
        m_bands.push_back({Kind::Label, m_h, kShipsHeading});
        AddCardRows(squadron.m_shipNames, ShipRole::Member);
    }
    if (!squadron.m_attachmentNames.empty()) {
        m_bands.push_back({Kind::Gap, m_h, {}});
        m_bands.push_back({Kind::Label, m_h, kAttachmentsHeading});
        AddCardRows(squadron.m_attachmentNames, ShipRole::Attachment);
    }
    m_bands.push_back({Kind::Gap, 2 * m_h, {}});
    if (withNotes && !squadron.m_strNotes.empty()) {
        m_bands.push_back({Kind::Label, m_h, kNotesHeading});
        ScopedSelection<CFont> font(dc, m_textFont);
        for (CString& piece : WrappedPieces(dc, width, squadron.m_strNotes)) {
            m_bands.push_back({Kind::NoteLine, m_h, std::move(piece)});
        }
    }
    for (const Band& band : m_bands) m_height += band.height;
}

void SquadronSheet::AddCardRows(const CStringArray& names, ShipRole role) {
    const std::size_t perRow = std::size_t(m_perRow);
    for (std::size_t first = 0; first < names.size(); first += perRow) {
        m_bands.push_back({Kind::Cards,
                           m_cardHeight,
                           {},
                           &names,
                           role,
                           first,
                           std::min(perRow, names.size() - first)});
    }
}

void SquadronSheet::Draw(PageFlow& flow, int x, const ShipLookup& lookup,
                         const CArray<VxArmament>& armaments, const CardOverlay& overlay,
                         Progress& progress) const {
    ScopedSelection<CFont> font(m_dc, m_textFont);
    ScopedTextAlign align(m_dc, TA_LEFT | TA_TOP);
    const auto rows = std::int64_t(m_bands.size());
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        progress.Step(std::int64_t(i), rows, kPrintingRow);
        const Band& band = m_bands[i];
        const bool lastBand = i + 1 == m_bands.size();
        switch (band.kind) {
            case Kind::Gap:
                flow.Advance(band.height);
                continue;
            case Kind::Label:
                flow.Reserve(band.height + (lastBand ? 0 : m_bands[i + 1].height));
                break;
            default:
                flow.Reserve(band.height);
        }
        if (flow.Shows()) {
            const int y = flow.Y();
            if (band.kind == Kind::Head) DrawHead(x, y, lookup, armaments, overlay);
            if (band.kind == Kind::Cards) DrawCards(band, x, y, lookup, armaments, overlay);
            if (band.kind == Kind::Label) {
                ScopedSelection<CFont> label(m_dc, m_labelFont);
                m_dc.TextOut(x, y, band.text);
            }
            if (band.kind == Kind::NoteLine) m_dc.TabbedTextOut(x, y, band.text, 0);
        }
        flow.Advance(band.height);
    }
    progress.Step(rows, rows, kPrintingRow);
}

void SquadronSheet::DrawHead(int x, int y, const ShipLookup& lookup,
                             const CArray<VxArmament>& armaments,
                             const CardOverlay& overlay) const {
    {
        ScopedSelection<CFont> heading(m_dc, m_headingFont);
        m_dc.TextOut(x, y + m_h, m_squadron.m_strName);
    }
    const int y0 = y + 2 * m_h + m_nameHeight;
    ScopedSelection<CFont> label(m_dc, m_labelFont);
    ScopedTextAlign baseline(m_dc, TA_LEFT | TA_BASELINE);
    int x2 = x;
    if (!m_squadron.m_strFlagship.empty()) {
        lookup.Find(m_squadron.m_strFlagship).DrawCard(m_dc, m_p, x, y0, armaments, 0, m_width);
        overlay.Draw(m_dc, m_p, x, y0, ShipRole::Flagship, 0, m_squadron.m_strFlagship);
        x2 = x + m_cellWidth + kCommanderGap;
        m_dc.SetTextAlign(TA_LEFT | TA_BASELINE);
        m_dc.TextOut(x, y0, kFlagship);
    }
    m_dc.TextOut(x2, y0, kCommander);
    const int w = m_dc.GetTextExtent(kCommander).cx;
    m_dc.SelectObject(m_textFont);
    m_dc.TextOut(x2 + w, y0, m_squadron.m_strCommander);
}

void SquadronSheet::DrawCards(const Band& band, int x, int y, const ShipLookup& lookup,
                              const CArray<VxArmament>& armaments,
                              const CardOverlay& overlay) const {
    int cellX = x;
    for (std::size_t k = band.first; k < band.first + band.count; ++k) {
        lookup.Find((*band.names)[k]).DrawCard(m_dc, m_p, cellX, y, armaments, 0, m_width);
        overlay.Draw(m_dc, m_p, cellX, y, band.role, int(k), (*band.names)[k]);
        cellX += m_cellWidth;
    }
}

void VxSquadron::PrintSheet(CDC& dc, double p, int x, int y, const ShipLookup& ships,
                            const CArray<VxArmament>& armaments, int includeNotes,
                            int width) const {
    PageFlow flow(dc, p, y);
    SquadronSheet(dc, p, *this, includeNotes != 0, width).Draw(flow, x, ships, armaments);
}

int VxSquadron::GetSheetHeight(CDC& dc, double p, int includeNotes, int width) const {
    return SquadronSheet(dc, p, *this, includeNotes != 0, width).Height();
}
