#include "print/squadronprintjob.h"

#include "print/printjob.h"
#include "print/shiplookup.h"

void RunSquadronPrintJob(CDC& printer, const VxSquadron& squadron, const CArray<VxShip>& ships,
                         const CArray<VxArmament>& armaments) {
    const ShipLookup lookup(ships);
    RunDirectPrintJob(printer, squadron.m_strName, [&](PrintPage& page) {
        squadron.PrintSheet(page.dc, page.p, page.geometry.margin, page.geometry.margin, lookup,
                            armaments, TRUE, page.geometry.printableWidth);
    });
}
