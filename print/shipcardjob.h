#pragma once

#include <vector>

#include "platform/cdc.h"
#include "platform/progress.h"

class CBrinnowDoc;

// A document without ships has no page to print.
inline constexpr const char* kNoShipsToPrint = "The document has no ships to print.";

// The ships on one page of the card job: first to last, where last equals
// the ship count when the page ends the document.
struct ShipPageRange {
    int first = 0;
    int last = 0;
    bool operator==(const ShipPageRange&) const = default;
};

// File Print: every ship as a card with its notes, a new page for every
// change of nation and whenever the next card would pass the bottom limit.
class ShipCardJob {
  public:
    explicit ShipCardJob(const CBrinnowDoc& doc) : m_doc(doc) {}

    // All pages in one pass over the ships, each card measured once. A card
    // taller than the page stands alone on its page.
    std::vector<ShipPageRange> Layout(CDC& dc, bool pagePerNation = true) const;
    // Title block, nation heading, the cards and the footer of one page.
    // Cards measured by this job's last Layout at the same scale are not
    // measured again.
    void PrintPage(CDC& dc, const ShipPageRange& range, int pageNumber) const;
    // The job on a printer device context, reporting the pages printed:
    // pages fromPage to toPage, counted from 1, as a print dialog gives them,
    // where 0 sets no limit. Returns the whole job's page count.
    int Print(CDC& dc, const char* documentName, Progress& progress = Unwatched(),
              int fromPage = 0, int toPage = 0) const;

  private:
    // Card heights by ship, as the last Layout measured them.
    struct MeasuredHeights {
        double p = 0;
        int width = 0;
        std::vector<int> heights;
    };
    int CardHeight(CDC& dc, double p, int width, int ship) const;

    const CBrinnowDoc& m_doc;
    mutable MeasuredHeights m_measured;
};
