#include "print/shipcardjob.h"

#include <algorithm>

#include "model/brinnowdoc.h"
#include "print/printframework.h"

namespace {
constexpr const char* kContinued = " <continued>";
constexpr int kCardMode = 1;
constexpr const char* kPrintingPage = "Printing page";

// Where the cards start on a page: under the nation heading.
int CardsTop(const PageGeometry& page, double p) { return Mm(p, 5) + page.margin; }

// The most the cards of one page may measure together: down to the top of
// the footer band. (The bottom limit alone is counted from the top of the
// page, while the cards start below the heading, so it would let the last
// card run into the band.)
int CardsLimit(const PageGeometry& page, double p) {
    const int footerTop = page.height - Mm(p, 5);
    return footerTop - CardsTop(page, p);
}
}  // namespace

std::vector<ShipPageRange> ShipCardJob::Layout(CDC& dc, bool pagePerNation) const {
    const double p = PixelsPerMm(dc);
    const PageGeometry page = PageGeometry::Of(dc, p);
    const int limit = CardsLimit(page, p);
    const auto& ships = m_doc.m_ships;
    const int count = static_cast<int>(ships.size());
    m_measured = {p, page.printableWidth, std::vector<int>(ships.size())};
    std::vector<ShipPageRange> pages;
    int first = 0;
    int pendingHeight = -1;  // the card that did not fit on the last page
    while (first < count) {
        const int nation = ships[std::size_t(first)].m_nNation;
        int total = 0;
        int i = first;
        for (; i < count; ++i) {
            const VxShip& ship = ships[std::size_t(i)];
            const int height = pendingHeight >= 0
                                   ? pendingHeight
                                   : ship.GetCardHeight(dc, p, kCardMode, page.printableWidth);
            m_measured.heights[std::size_t(i)] = height;
            pendingHeight = -1;
            const bool full = total + height > limit && i > first;
            if (full || (pagePerNation && ship.m_nNation != nation)) {
                pendingHeight = height;
                break;
            }
            total += height;
        }
        pages.push_back({first, i == count ? count : i - 1});
        first = i;
    }
    return pages;
}

int ShipCardJob::CardHeight(CDC& dc, double p, int width, int ship) const {
    const bool measured = m_measured.p == p && m_measured.width == width &&
                          m_measured.heights.size() == m_doc.m_ships.size();
    if (measured) return m_measured.heights[std::size_t(ship)];
    return m_doc.m_ships[std::size_t(ship)].GetCardHeight(dc, p, kCardMode, width);
}

void ShipCardJob::PrintPage(CDC& dc, const ShipPageRange& range, int pageNumber) const {
    dc.SetBkMode(TRANSPARENT);
    const double p = PixelsPerMm(dc);
    const PageGeometry page = PageGeometry::Of(dc, p);
    const auto& ships = m_doc.m_ships;
    PrintTitleBlock(dc, p);

    const VxShip& firstShip = ships[std::size_t(range.first)];
    const VxNation* nation = firstShip.NationIn(m_doc.m_nations);
    const bool continued =
        range.first > 0 && ships[std::size_t(range.first - 1)].m_nNation == firstShip.m_nNation;
    CFont headingFont;
    MakePrintFont(dc, headingFont, Mm(p, 5), "Arial", TRUE, TRUE);
    {
        ScopedSelection<CFont> font(dc, headingFont);
        ScopedTextAlign align(dc, TA_LEFT | TA_TOP);
        dc.TextOut(page.margin, page.margin,
                   (nation ? nation->m_strName : CString()) + (continued ? kContinued : ""));
    }

    int y = CardsTop(page, p);
    const int last = std::min(range.last, static_cast<int>(ships.size()) - 1);
    for (int i = range.first; i <= last; ++i) {
        const VxShip& ship = ships[std::size_t(i)];
        ship.DrawCard(dc, p, page.margin, y, m_doc.m_armaments, kCardMode, page.printableWidth);
        y += CardHeight(dc, p, page.printableWidth, i);
    }
    PrintPageFooter(dc, p, pageNumber);
}

int ShipCardJob::Print(CDC& dc, const char* documentName, Progress& progress, int fromPage,
                       int toPage) const {
    const std::vector<ShipPageRange> pages = Layout(dc);
    const int count = static_cast<int>(pages.size());
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    const auto total = std::int64_t(std::max(0, last - first + 1));
    progress.Step(0, total, kPrintingPage);
    dc.StartDoc(documentName);
    for (int page = first; page <= last; ++page) {
        dc.StartPage();
        PrintPage(dc, pages[std::size_t(page - 1)], page);
        dc.EndPage();
        progress.Step(page - first + 1, total, kPrintingPage);
    }
    dc.EndDoc();
    return count;
}
