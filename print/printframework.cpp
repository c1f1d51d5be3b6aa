#include "print/printframework.h"

#include <algorithm>

namespace {
constexpr const char* kTitle = "Vexmoor";
constexpr const char* kVersionLine = "Brinnow Version " BRINNOW_VERSION;
}  // namespace

double PixelsPerMm(const CDC& dc) {
    const int horzSize = dc.GetDeviceCaps(HORZSIZE);
    const int vertSize = dc.GetDeviceCaps(VERTSIZE);
    const int h = horzSize > 0 ? dc.GetDeviceCaps(HORZRES) / horzSize : 0;
    const int v = vertSize > 0 ? dc.GetDeviceCaps(VERTRES) / vertSize : 0;
    return std::max(h, v);
}

PageGeometry PageGeometry::Of(const CDC& dc, double p) {
    PageGeometry page;
    page.width = dc.GetDeviceCaps(HORZRES);
    page.height = dc.GetDeviceCaps(VERTRES);
    page.margin = Mm(p, 10);
    page.printableWidth = page.width - 2 * page.margin;
    page.bottomLimit = page.height - Mm(p, 5) - page.margin;
    return page;
}

void MakePrintFont(const CDC& dc, CFont& font, int heightPx, const CString& face, BOOL bold,
                   BOOL italic) {
    font = CFont{-heightPx, bold ? 700 : 400, italic && dc.CanItalic(), face};
}

void SelectArial(CDC& dc, int heightPx, BOOL bold) {
    CFont font;
    MakePrintFont(dc, font, heightPx, "Arial", bold, FALSE);
    dc.SelectObject(font);
}

void PrintTitleBlock(CDC& dc, double p) {
    const int w = dc.GetDeviceCaps(HORZRES);
    const int h = dc.GetDeviceCaps(VERTRES);
    const int edge = Mm(p, 8);
    ScopedSelection<CPen> pen(dc, CPen{Mm(p, 0.5), RGB(0, 0, 0)});
    ScopedSelection<CBrush> brush(dc, CBrush{RGB(255, 255, 0)});
    ScopedTextAlign align(dc, TA_CENTER | TA_TOP);

    dc.Rectangle(edge, 0, w - edge, Mm(p, 10));
    dc.MoveTo(edge, 0);
    dc.LineTo(edge, h);
    dc.MoveTo(w - edge, 0);
    dc.LineTo(w - edge, h);
    dc.Rectangle(edge, h - Mm(p, 5), w - edge, h);

    CFont titleFont;
    MakePrintFont(dc, titleFont, Mm(p, 8), "Arial", TRUE, TRUE);
    ScopedSelection<CFont> font(dc, titleFont);
    dc.TextOut(w / 2, (Mm(p, 10) - dc.GetTextExtent(kTitle).cy) / 2, kTitle);

    const int f = Mm(p, 3);
    CFont smallFont;
    MakePrintFont(dc, smallFont, f, "Arial", FALSE, TRUE);
    dc.SelectObject(smallFont);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    const int x = w - Mm(p, 3) - edge;
    const int y1 = (Mm(p, 10) + 2 * f) / 3;
    dc.TextOut(x, y1, kVersionLine);
    dc.TextOut(x, y1 - f, kCopyrightNotice);
}

void PrintPageFooter(CDC& dc, double p, int page) {
    CFont footerFont;
    MakePrintFont(dc, footerFont, Mm(p, 3.5), "Arial", TRUE, FALSE);
    ScopedSelection<CFont> font(dc, footerFont);
    ScopedTextAlign align(dc, TA_CENTER | TA_TOP);
    dc.TextOut(dc.GetDeviceCaps(HORZRES) / 2, dc.GetDeviceCaps(VERTRES) - Mm(p, 5),
               "Page " + std::to_string(page));
}

void NewPrintPage(CDC& dc, double p, int& page) {
    PrintPageFooter(dc, p, page);
    dc.EndPage();
    ++page;
    dc.StartPage();
    PrintTitleBlock(dc, p);
}
