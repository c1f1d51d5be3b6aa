// The printed scenario and force sheets of VxScenario and VxForce.
#include <algorithm>
#include <cstdlib>

#include "model/scenario.h"
#include "print/cardgeometry.h"
#include "print/cardoverlay.h"
#include "print/pageflow.h"
#include "print/printframework.h"
#include "print/squadronsheet.h"

namespace {

constexpr const char* kNotesHeading = "Notes";
constexpr const char* kPrintingForce = "Printing force";
constexpr const char* kSquadronsHeading = "Squadrons";
constexpr const char* kAdditionalShipsHeading = "Additional Ships";

// The three fonts both sheets make, and their step h: the heading font's
// height, used for lines of every font.
struct SheetFonts {
    CFont title;
    CFont heading;
    CFont text;
    int h = 0;

    SheetFonts(const CDC& dc, double p) {
        MakePrintFont(dc, title, Mm(p, 5), "Arial", TRUE, TRUE);
        MakePrintFont(dc, heading, Mm(p, 3.5), "Arial", TRUE, FALSE);
        MakePrintFont(dc, text, Mm(p, 3), "Arial", FALSE, FALSE);
        h = std::abs(heading.lfHeight);
    }
};

// Content of a force or scenario runs from 10 mm to 10 mm above the foot.
PageFlow ContinuingFlow(CDC& dc, double p, int y, int& page) {
    return PageFlow(dc, p, y, Mm(p, 10), dc.GetDeviceCaps(VERTRES) - Mm(p, 10), page);
}

// The sheet's name in the title font; the flow advances by its height.
void PrintTitle(PageFlow& flow, const SheetFonts& fonts, int x, const CString& name) {
    CDC& dc = flow.Dc();
    dc.SelectObject(fonts.title);
    dc.TextOut(x, flow.Y(), name);
    flow.Advance(dc.GetTextExtent(name).cy);
}

// What both sheets begin with: their fonts, left/top alignment, the flow
// from y + h and the title. The font found is put back at the end.
struct SheetStart {
    SheetFonts fonts;
    ScopedSelection<CFont> keepFont;
    PageFlow flow;

    SheetStart(CDC& dc, double p, int x, int y, int& page, const CString& title)
        : fonts(dc, p),
          keepFont(dc, fonts.heading),
          flow(ContinuingFlow(dc, p, y + fonts.h, page)) {
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        PrintTitle(flow, fonts, x, title);
    }
};

// A label in the heading font, kept on one page with the first line under it.
void PrintLabel(PageFlow& flow, const SheetFonts& fonts, int x, const CString& label) {
    flow.Reserve(2 * fonts.h);
    flow.Dc().SelectObject(fonts.heading);
    if (flow.Shows()) flow.Dc().TextOut(x, flow.Y(), label);
    flow.Advance(fonts.h);
}

void PrintOneLineField(PageFlow& flow, const SheetFonts& fonts, int x, const CString& label,
                       const CString& value) {
    PrintLabel(flow, fonts, x, label);
    flow.Dc().SelectObject(fonts.text);
    if (flow.Shows()) flow.Dc().TextOut(x, flow.Y(), value);
    flow.Advance(fonts.h);
}

void PrintWrappedField(PageFlow& flow, const SheetFonts& fonts, int x, int width,
                       const CString& label, const CString& value) {
    PrintLabel(flow, fonts, x, label);
    flow.Dc().SelectObject(fonts.text);
    PrintWrappedText(flow, x, value, width, fonts.h);
    flow.Advance(fonts.h);
}

void PrintSquadrons(PageFlow& flow, const SheetFonts& fonts, int x, const VxForce& force,
                    const ShipLookup& ships, const CArray<VxArmament>& armaments, int includeNotes,
                    int width, CardOverlay overlay) {
    CDC& dc = flow.Dc();
    dc.TextOut(x, flow.Y(), kSquadronsHeading);
    flow.Advance(fonts.h);
    for (const VxSquadron& squadron : force.m_squadrons) {
        const SquadronSheet sheet(dc, flow.Scale(), squadron, includeNotes != 0, width);
        flow.Reserve(sheet.Height());
        sheet.Draw(flow, x, ships, armaments, overlay);
        ++overlay.squadron;
    }
}

// Rows of cards; the heading stands above the first row and at the top of
// every page the rows go on to.
void PrintSingleShips(PageFlow& flow, const SheetFonts& fonts, int x, const VxForce& force,
                      const CArray<VxArmament>& armaments, int width, const CardOverlay& overlay) {
    CDC& dc = flow.Dc();
    const double p = flow.Scale();
    const int cardHeight = VxShip().GetCardHeight(dc, p, 0, width);
    const int cellWidth = Mm(p, 44);
    const std::size_t perRow = std::size_t(cellWidth > 0 ? std::max(1, width / cellWidth) : 1);
    const std::size_t count = force.m_ships.size();
    for (std::size_t first = 0; first < count; first += perRow) {
        // The first row's heading space counts towards whether it fits.
        const int above = first == 0 ? 4 * fonts.h : 0;
        if (flow.Y() + above + cardHeight > flow.Bottom()) {
            flow.NewPage();
            dc.TextOut(x, flow.Y(), kAdditionalShipsHeading);
            flow.Advance(2 * fonts.h);
        } else if (first == 0) {
            flow.Advance(2 * fonts.h);
            dc.TextOut(x, flow.Y(), kAdditionalShipsHeading);
            flow.Advance(2 * fonts.h);
        }
        int cellX = x;
        for (std::size_t i = first; i < std::min(count, first + perRow); ++i) {
            force.m_ships[i].DrawCard(dc, p, cellX, flow.Y(), armaments, 0, width);
            overlay.Draw(dc, p, cellX, flow.Y(), ShipRole::Single, int(i),
                         force.m_ships[i].m_strName);
            cellX += cellWidth;
        }
        flow.Advance(cardHeight);
    }
}

// A row of cards steps down by the card's height, but the small boxes hang
// below it; what follows the last row starts under them.
int SmallBoxesBelowRow(CDC& dc, double p, int width) {
    const int drawn = CardGeometry(p, 0, 0).SmallBoxBottom();  // its last row is above
    return std::max(0, drawn - VxShip().GetCardHeight(dc, p, 0, width));
}

}  // namespace

void VxForce::PrintSheet(CDC& dc, double p, int x, int y, const ShipLookup& ships,
                         const CArray<VxArmament>& armaments, int includeNotes, int width,
                         int& page, const CardOverlay* overlay) const {
    SheetStart sheet(dc, p, x, y, page, m_strName);
    dc.SelectObject(sheet.fonts.heading);
    const CardOverlay marks = overlay ? *overlay : CardOverlay{};
    if (!m_squadrons.empty()) {
        PrintSquadrons(sheet.flow, sheet.fonts, x, *this, ships, armaments, includeNotes, width,
                       marks);
    }
    if (!m_ships.empty()) {
        PrintSingleShips(sheet.flow, sheet.fonts, x, *this, armaments, width, marks);
    }
    if (includeNotes != 0 && !m_strNotes.empty()) {
        if (!m_ships.empty()) sheet.flow.Advance(SmallBoxesBelowRow(dc, p, width));
        PrintLabel(sheet.flow, sheet.fonts, x, kNotesHeading);
        PrintWrappedText(sheet.flow, x, m_strNotes, width, sheet.fonts.h);
    }
}

void VxScenario::PrintSheet(CDC& dc, double p, int x, int y, const ShipLookup& ships,
                            const CArray<VxArmament>& armaments, int includeNotes, int width,
                            int& page, const CardMarksSource* marks, Progress& progress) const {
    {
        SheetStart sheet(dc, p, x, y, page, m_strName);
        PageFlow& flow = sheet.flow;
        const SheetFonts& fonts = sheet.fonts;
        PrintOneLineField(flow, fonts, x, "Umpire", m_strUmpire);
        PrintOneLineField(flow, fonts, x, "Date", m_strDate);
        PrintWrappedField(flow, fonts, x, width, "Weather", m_strWeather);
        PrintWrappedField(flow, fonts, x, width, "Victory Conditions", m_strVictoryConditions);
        if (includeNotes != 0 && !m_strNotes.empty()) {
            PrintWrappedField(flow, fonts, x, width, kNotesHeading, m_strNotes);
        }
    }
    CardOverlay overlay{marks};
    const auto forces = std::int64_t(m_forces.size());
    progress.Step(0, forces, kPrintingForce);
    for (const VxForce& force : m_forces) {
        NewPrintPage(dc, p, page);
        force.PrintSheet(dc, p, x, Mm(p, 10), ships, armaments, includeNotes, width, page,
                         &overlay);
        ++overlay.force;
        progress.Step(overlay.force, forces, kPrintingForce);
    }
}
