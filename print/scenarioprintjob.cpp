#include "print/scenarioprintjob.h"

#include "print/printjob.h"
#include "print/shiplookup.h"

int RunScenarioPrintJob(CDC& printer, const VxScenario& scenario, const CArray<VxShip>& ships,
                        const CArray<VxArmament>& armaments, const CardMarksSource* marks,
                        Progress& progress) {
    int pages = 0;
    const ShipLookup lookup(ships);
    RunDirectPrintJob(printer, scenario.m_strName, [&](PrintPage& page) {
        scenario.PrintSheet(page.dc, page.p, page.geometry.margin, page.geometry.margin, lookup,
                            armaments, TRUE, page.geometry.printableWidth, page.number, marks,
                            progress);
        pages = page.number;
    });
    return pages;
}
