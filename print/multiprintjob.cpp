#include "print/multiprintjob.h"

#include <algorithm>
#include <cmath>

#include "print/pagefilterdc.h"
#include "print/pageflow.h"
#include "print/printjob.h"
#include "print/squadronsheet.h"

namespace {

constexpr const char* kPrintingItem = "Printing item";

// The first record of that name, or a default one.
template <class Record>
const Record& FindByName(const CArray<Record>& records, const CString& name) {
    static const Record kDefault;
    for (const Record& record : records) {
        if (record.m_strName == name) return record;
    }
    return kDefault;
}

bool NameBefore(const VxShip& a, const VxShip& b) { return a.m_strName < b.m_strName; }

// Descending by a factor, ties by name. A damaged file's NaN ranks below
// every number, so that the order stays an order.
bool FactorBefore(double a, double b, const VxShip& shipA, const VxShip& shipB) {
    const bool aNumber = !std::isnan(a);
    const bool bNumber = !std::isnan(b);
    if (aNumber != bNumber) return aNumber;
    if (aNumber && a != b) return a > b;
    return NameBefore(shipA, shipB);
}

// The running state of one job: the page, where the next content goes, and
// whether anything stands on the page yet. A new page is started only
// before content, so that no page holds just the title block and footer.
class MultiPrintRun {
  public:
    MultiPrintRun(PrintPage& page, const CBrinnowDoc& doc, const ShipLookup& ships,
                  Progress& progress, std::int64_t items)
        : m_page(page),
          m_doc(doc),
          m_ships(ships),
          m_progress(progress),
          m_items(items),
          m_y(page.geometry.margin) {
        m_progress.Step(0, m_items, kPrintingItem);
    }

    void PrintShips(const std::vector<VxShip>& ships, bool sortByNation);
    void PrintSquadrons(const CStringArray& names);
    void PrintScenarios(const CStringArray& names);

  private:
    void FreshPage();
    void ItemPrinted() { m_progress.Step(++m_printed, m_items, kPrintingItem); }

    PrintPage& m_page;
    const CBrinnowDoc& m_doc;
    const ShipLookup& m_ships;
    Progress& m_progress;
    std::int64_t m_items;
    std::int64_t m_printed = 0;
    int m_y;
    bool m_pageUsed = false;
    bool m_sectionEnded = false;  // the next content starts a fresh page
};

void MultiPrintRun::FreshPage() {
    m_sectionEnded = false;
    if (!m_pageUsed) return;
    NewPrintPage(m_page.dc, m_page.p, m_page.number);
    m_y = m_page.geometry.margin;
    m_pageUsed = false;
}

void MultiPrintRun::PrintShips(const std::vector<VxShip>& ships, bool sortByNation) {
    if (ships.empty()) return;
    const PageGeometry& page = m_page.geometry;
    const int cellWidth = Mm(m_page.p, 44);
    const int cellHeight = Mm(m_page.p, 22);
    // A page narrower than a card still gives one column.
    const int columns = cellWidth > 0 ? std::max(1, page.printableWidth / cellWidth) : 1;
    const int gap = std::max(0, page.printableWidth - columns * cellWidth) / (columns + 1);
    const int rowsPerPage = cellHeight > 0 ? std::max(1, page.bottomLimit / cellHeight) : 1;
    int nation = ships.front().m_nNation;
    int rowsOnPage = 0;
    bool nationBreak = false;
    for (std::size_t i = 0; i < ships.size();) {
        if (nationBreak || rowsOnPage == rowsPerPage) {
            FreshPage();
            rowsOnPage = 0;
            nationBreak = false;
        }
        int cellX = page.margin + gap;
        const std::size_t rowStart = i;
        for (int column = 0; column < columns && i < ships.size(); ++column, ++i) {
            if (sortByNation && ships[i].m_nNation != nation) {
                nation = ships[i].m_nNation;
                nationBreak = true;
                break;
            }
            ships[i].DrawCard(m_page.dc, m_page.p, cellX, m_y, m_doc.m_armaments, 0,
                              page.printableWidth);
            cellX += cellWidth + gap;
            ItemPrinted();
        }
        if (i == rowStart) continue;  // the row ended before its first card
        ++rowsOnPage;
        m_y += cellHeight;
        m_pageUsed = true;
    }
    m_sectionEnded = true;
}

void MultiPrintRun::PrintSquadrons(const CStringArray& names) {
    const PageGeometry& page = m_page.geometry;
    for (const CString& name : names) {
        const VxSquadron& squadron = FindByName(m_doc.m_squadrons.Records(), name);
        const SquadronSheet sheet(m_page.dc, m_page.p, squadron, false, page.printableWidth);
        if (m_sectionEnded || m_y + sheet.Height() > page.bottomLimit) FreshPage();
        PageFlow flow(m_page.dc, m_page.p, m_y, page.margin, page.bottomLimit, m_page.number);
        sheet.Draw(flow, page.margin, m_ships, m_doc.m_armaments);
        m_y = flow.Y();
        m_pageUsed = true;
        ItemPrinted();
    }
}

void MultiPrintRun::PrintScenarios(const CStringArray& names) {
    const PageGeometry& page = m_page.geometry;
    for (const CString& name : names) {
        FreshPage();
        FindByName(m_doc.m_scenarios.Records(), name)
            .PrintSheet(m_page.dc, m_page.p, page.margin, page.margin, m_ships, m_doc.m_armaments,
                        0, page.printableWidth, m_page.number);
        m_pageUsed = true;
        ItemPrinted();
    }
}

}  // namespace

bool ShipPrintsBefore(const VxShip& a, const VxShip& b, int sortMode, bool sortByNation) {
    if (sortByNation && a.m_nNation != b.m_nNation) return a.m_nNation < b.m_nNation;
    switch (sortMode) {
        case kSortByAttackFactor:
            return FactorBefore(a.m_dMainAF[0], b.m_dMainAF[0], a, b);
        case kSortByDefenseFactor:
            return FactorBefore(a.m_dDF, b.m_dDF, a, b);
        case kSortByShipType:
            if (a.m_nShipType != b.m_nShipType) return a.m_nShipType < b.m_nShipType;
            return NameBefore(a, b);
        default:
            return NameBefore(a, b);
    }
}

std::vector<VxShip> MultiPrintJob::OrderedShips(const ShipLookup& lookup) const {
    std::vector<VxShip> ordered;
    ordered.reserve(m_selection.ships.size());
    for (const CString& name : m_selection.ships) ordered.push_back(lookup.Find(name));
    // Each ship goes before the first that does not print before it, so of
    // two equal ships the later selected stands first: a stable sort of the
    // reversed selection gives the same order in n log n.
    std::reverse(ordered.begin(), ordered.end());
    std::stable_sort(ordered.begin(), ordered.end(), [this](const VxShip& a, const VxShip& b) {
        return ShipPrintsBefore(a, b, m_selection.sortMode, m_selection.sortByNation);
    });
    return ordered;
}

int MultiPrintJob::Print(CDC& printer, Progress& progress) const {
    int pages = 0;
    const ShipLookup lookup(m_doc.m_ships);
    const std::vector<VxShip> ships = OrderedShips(lookup);
    RunDirectPrintJob(printer, kDocumentName, [&](PrintPage& page) {
        const auto items = std::int64_t(ships.size() + m_selection.squadrons.size() +
                                        m_selection.scenarios.size());
        MultiPrintRun run(page, m_doc, lookup, progress, items);
        run.PrintShips(ships, m_selection.sortByNation);
        run.PrintSquadrons(m_selection.squadrons);
        run.PrintScenarios(m_selection.scenarios);
        pages = page.number;
    });
    return pages;
}

int MultiPrintJob::PageCount(CDC& printer) const {
    PageFilterDC counter(printer, 1, 0);
    return Print(counter);
}

void MultiPrintJob::PrintPages(CDC& printer, int first, int last) const {
    PageFilterDC filter(printer, first, last);
    Print(filter);
}
