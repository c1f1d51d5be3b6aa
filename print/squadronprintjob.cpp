#include "print/squadronprintjob.h"

#include "print/pageflow.h"
#include "print/printjob.h"
#include "print/shiplookup.h"
#include "print/squadronsheet.h"

void RunSquadronPrintJob(CDC& printer, const VxSquadron& squadron, const CArray<VxShip>& ships,
                         const CArray<VxArmament>& armaments, Progress& progress) {
    const ShipLookup lookup(ships);
    RunDirectPrintJob(printer, squadron.m_strName, [&](PrintPage& page) {
        const PageGeometry& geometry = page.geometry;
        // From the margin to 10 mm above the foot of every page, as a force's
        // squadrons run: a card never falls off the paper.
        PageFlow flow(page.dc, page.p, geometry.margin, geometry.margin,
                      geometry.height - geometry.margin, page.number);
        SquadronSheet(page.dc, page.p, squadron, true, geometry.printableWidth)
            .Draw(flow, geometry.margin, lookup, armaments, {}, progress);
    });
}
