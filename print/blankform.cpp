#include "print/blankform.h"

#include "model/ship.h"
#include "print/printjob.h"

BlankFormGrid BlankFormGrid::Of(const CDC& dc, double p) {
    const PageGeometry page = PageGeometry::Of(dc, p);
    BlankFormGrid grid;
    grid.cardWidth = Mm(p, 44);
    grid.cardHeight = Mm(p, 22);
    if (grid.cardWidth <= 0 || grid.cardHeight <= 0 || page.printableWidth <= 0) return grid;
    grid.columns = page.printableWidth / grid.cardWidth;
    grid.gap = (page.printableWidth % grid.cardWidth) / (grid.columns + 1);
    grid.rows = std::max(0, (page.height - Mm(p, 5) - page.margin) / grid.cardHeight);
    grid.firstX = page.margin + grid.gap;
    grid.firstY = page.margin;
    return grid;
}

void PrintBlankShipForm(CDC& printer) {
    const VxShip ship;
    RunDirectPrintJob(printer, "Brinnow Blank Ship Form", [&ship](PrintPage& page) {
        const BlankFormGrid grid = BlankFormGrid::Of(page.dc, page.p);
        for (int r = 0; r < grid.rows; ++r) {
            for (int c = 0; c < grid.columns; ++c) {
                ship.DrawBlankCard(page.dc, page.p, grid.firstX + c * (grid.cardWidth + grid.gap),
                                   grid.firstY + r * grid.cardHeight);
            }
        }
    });
}
