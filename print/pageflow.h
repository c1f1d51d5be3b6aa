#pragma once

#include "platform/cdc.h"
#include "platform/types.h"

// The running y of content that may go on over further pages. A piece that
// would pass the bottom starts a new page first, unless the page holds
// nothing yet: then it is drawn anyway, so that the layout always advances.
class PageFlow {
  public:
    // Content between top and bottom of each page; page is the running number.
    PageFlow(CDC& dc, double p, int y, int top, int bottom, int& page);
    // One sheet from y down without a page break.
    PageFlow(CDC& dc, double p, int y);

    CDC& Dc() const { return m_dc; }
    double Scale() const { return m_p; }
    int Y() const { return m_y; }
    int Bottom() const { return m_bottom; }
    void Advance(int height) { m_y += height; }
    // Before a piece of this height.
    void Reserve(int height);
    // Footer, new page, title block; the running y goes back to the top.
    void NewPage();
    // Whether a piece at the running y shows at all: an unbroken sheet may
    // reach far below the surface, where drawing would only cost time.
    bool Shows() const { return m_y <= m_surfaceHeight; }

  private:
    CDC& m_dc;
    double m_p;
    int m_y;
    int m_top;
    int m_bottom;
    int* m_page;
    int m_surfaceHeight;
};

// Every line of text, wrapped to width, at x down the flow by lineHeight a
// piece; a piece that would pass the bottom goes on the next page.
void PrintWrappedText(PageFlow& flow, int x, const CString& text, int width, int lineHeight);
