#include "print/pagefilterdc.h"

void PageFilterDC::LineTo(int x, int y) {
    if (Passes()) {
        m_target.LineTo(x, y);
    } else {
        m_target.MoveTo(x, y);  // the pen still moves
    }
}

void PageFilterDC::Rectangle(int left, int top, int right, int bottom) {
    if (Passes()) m_target.Rectangle(left, top, right, bottom);
}

void PageFilterDC::Ellipse(int left, int top, int right, int bottom) {
    if (Passes()) m_target.Ellipse(left, top, right, bottom);
}

void PageFilterDC::PatBlt(int x, int y, int width, int height, RasterOp op) {
    if (Passes()) m_target.PatBlt(x, y, width, height, op);
}

void PageFilterDC::TextOut(int x, int y, const std::string& text) {
    if (Passes()) m_target.TextOut(x, y, text);
}

void PageFilterDC::TabbedTextOut(int x, int y, const std::string& text, int tabOrigin) {
    if (Passes()) m_target.TabbedTextOut(x, y, text, tabOrigin);
}

// The document reaches the device only when some page of it does.
int PageFilterDC::StartDoc(const std::string& name) {
    m_page = 0;
    m_docStarted = m_first <= m_last;
    return m_docStarted ? m_target.StartDoc(name) : 1;
}

int PageFilterDC::StartPage() {
    ++m_page;
    return Passes() ? m_target.StartPage() : 1;
}

int PageFilterDC::EndPage() { return Passes() ? m_target.EndPage() : 1; }

int PageFilterDC::EndDoc() { return m_docStarted ? m_target.EndDoc() : 1; }
