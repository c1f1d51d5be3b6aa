#pragma once

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "platform/qpainterdc.h"
#include "tests/support/recordingdc.h"

// A recording device context that measures texts as the screen's does (Qt's
// metrics of the pixel-sized fonts) and keeps the box each text covers. As
// a screen it keeps the card's figures in their boxes; as paper it does not.
class ScreenMetricsDC : public RecordingDC {
  public:
    explicit ScreenMetricsDC(bool screen);

    bool KeepsFiguresInBoxes() const override { return m_isScreen; }

    using RecordingDC::SelectObject;
    CFont SelectObject(const CFont& font) override;
    CSize GetTextExtent(const std::string& text) const override;
    void TextOut(int x, int y, const std::string& text) override;

    // Right and bottom are outside the text, as with a Rectangle. The card
    // anchors its texts at their top or bottom, never at the baseline.
    struct PlacedText {
        std::string text;
        int left, top, right, bottom;
    };
    std::vector<PlacedText> texts;

  private:
    QImage m_surface;
    QPainter m_painter;
    QPainterDC m_metrics;
    bool m_isScreen;
};
