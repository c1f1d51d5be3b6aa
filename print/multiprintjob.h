#pragma once

#include <vector>

#include "model/brinnowdoc.h"
#include "platform/cdc.h"
#include "platform/progress.h"
#include "print/shiplookup.h"

// How the ships of a multi print are ordered (after the nation, when that
// comes first).
enum ShipSortMode : int {
    kSortByName = 1,
    kSortByAttackFactor = 2,
    kSortByDefenseFactor = 3,
    kSortByShipType = 4,
};

// What "Print Elements" hands to the job: the names of its three selected
// lists, in their order, and the ordering options of the ships.
struct MultiPrintSelection {
    CStringArray ships;
    CStringArray squadrons;
    CStringArray scenarios;
    int sortMode = kSortByName;
    bool sortByNation = true;
};

// "Brinnow Multi Print": the selected ships as a grid of cards, then the
// squadron sheets, then the scenarios, all without notes, the page numbers
// running through. A name that matches no record prints a default record.
class MultiPrintJob {
  public:
    static constexpr const char* kDocumentName = "Brinnow Multi Print";

    MultiPrintJob(const CBrinnowDoc& doc, MultiPrintSelection selection)
        : m_doc(doc), m_selection(std::move(selection)) {}

    // The whole job on a printer's device context, StartDoc to EndDoc,
    // reporting the ships, squadrons and scenarios printed. Returns the
    // number of pages.
    int Print(CDC& printer, Progress& progress = Unwatched()) const;
    // The pages the job gives on this device, without drawing anything.
    int PageCount(CDC& printer) const;
    // Only pages first to last (from 1) reach the device, each between
    // StartPage and EndPage; for a preview or a page range.
    void PrintPages(CDC& printer, int first, int last) const;

    // The selected ships in print order.
    std::vector<VxShip> OrderedShips() const { return OrderedShips(ShipLookup(m_doc.m_ships)); }

  private:
    std::vector<VxShip> OrderedShips(const ShipLookup& lookup) const;

    const CBrinnowDoc& m_doc;
    MultiPrintSelection m_selection;
};

// Whether ship a is printed before ship b.
bool ShipPrintsBefore(const VxShip& a, const VxShip& b, int sortMode, bool sortByNation);
