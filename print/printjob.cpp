#include "print/printjob.h"

void RunDirectPrintJob(CDC& dc, const std::string& documentName,
                       const std::function<void(PrintPage&)>& content) {
    dc.StartDoc(documentName);
    dc.StartPage();
    dc.SetBkMode(TRANSPARENT);
    const double p = PixelsPerMm(dc);
    PrintPage page{dc, p, PageGeometry::Of(dc, p)};
    PrintTitleBlock(dc, p);
    content(page);
    PrintPageFooter(dc, p, page.number);
    dc.EndPage();
    dc.EndDoc();
}
