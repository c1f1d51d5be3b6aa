#include "print/pageflow.h"

#include <limits>

#include "print/printframework.h"
#include "print/textlayout.h"

PageFlow::PageFlow(CDC& dc, double p, int y, int top, int bottom, int& page)
    : m_dc(dc),
      m_p(p),
      m_y(y),
      m_top(top),
      m_bottom(bottom),
      m_page(&page),
      m_surfaceHeight(dc.GetDeviceCaps(VERTRES)) {}

PageFlow::PageFlow(CDC& dc, double p, int y)
    : m_dc(dc),
      m_p(p),
      m_y(y),
      m_top(y),
      m_bottom(std::numeric_limits<int>::max()),
      m_page(nullptr),
      m_surfaceHeight(dc.GetDeviceCaps(VERTRES)) {}

void PageFlow::Reserve(int height) {
    if (m_page != nullptr && m_y > m_top && m_y > m_bottom - height) NewPage();
}

void PageFlow::NewPage() {
    if (m_page == nullptr) return;
    NewPrintPage(m_dc, m_p, *m_page);
    m_y = m_top;
}

void PrintWrappedText(PageFlow& flow, int x, const CString& text, int width, int lineHeight) {
    for (const CString& piece : WrappedPieces(flow.Dc(), width, text)) {
        flow.Reserve(lineHeight);
        if (flow.Shows()) flow.Dc().TabbedTextOut(x, flow.Y(), piece, 0);
        flow.Advance(lineHeight);
    }
}
