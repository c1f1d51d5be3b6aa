#include "tests/support/screenmetricsdc.h"

ScreenMetricsDC::ScreenMetricsDC(bool screen)
    : m_surface(1, 1, QImage::Format_RGB32),
      m_painter(&m_surface),
      m_metrics(m_painter),
      m_isScreen(screen) {}

CFont ScreenMetricsDC::SelectObject(const CFont& font) {
    m_metrics.SelectObject(font);
    return RecordingDC::SelectObject(font);
}

CSize ScreenMetricsDC::GetTextExtent(const std::string& text) const {
    return m_metrics.GetTextExtent(text);
}

void ScreenMetricsDC::TextOut(int x, int y, const std::string& text) {
    RecordingDC::TextOut(x, y, text);
    const CSize extent = GetTextExtent(text);
    const unsigned horizontal = align() & kHorizontalAlignMask;
    const int left = horizontal == TA_CENTER  ? x - extent.cx / 2
                     : horizontal == TA_RIGHT ? x - extent.cx
                                              : x;
    const int top = (align() & kVerticalAlignMask) == TA_BOTTOM ? y - extent.cy : y;
    texts.push_back({text, left, top, left + extent.cx, top + extent.cy});
}
