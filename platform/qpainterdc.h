#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <functional>

#include "platform/cdc.h"

// The device context on a Qt paint device (PDF page, printer page, image or
// widget). The painter must be active on the device for the DC's lifetime.
class QPainterDC : public CDC {
  public:
    // Device capabilities come from capsDevice when given (to measure for a
    // printer without starting a job), else from the painter's device.
    explicit QPainterDC(QPainter& painter, const QPaintDevice* capsDevice = nullptr);

    // Called by StartPage when a page was ended before: the device's way to
    // begin a new page (QPdfWriter::newPage, QPrinter::newPage).
    void SetPageBreak(std::function<void()> pageBreak) { m_pageBreak = std::move(pageBreak); }
    // A screen draws in its device pixels, which its widget does not report.
    void SetSurfaceSize(const QSize& pixels) { m_surfaceSize = pixels; }
    // Pens are given in printer pixels; a coarser screen draws them
    // proportionally thinner (never below one pixel), so thick outlines do
    // not swallow the figures beside them.
    void SetPenScale(double scale);
    // A screen keeps the card's figures inside their boxes.
    void SetKeepFiguresInBoxes(bool keep) { m_keepFiguresInBoxes = keep; }
    bool KeepsFiguresInBoxes() const override { return m_keepFiguresInBoxes; }
    // For drawing that has no operation here, such as a chart.
    QPainter& Painter() const { return m_painter; }

    int GetDeviceCaps(DeviceCap index) const override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;

    void TextOut(int x, int y, const std::string& text) override;
    void TabbedTextOut(int x, int y, const std::string& text, int tabOrigin) override;
    CSize GetTextExtent(const std::string& text) const override;

    unsigned SetTextAlign(unsigned align) override;
    int SetBkMode(int mode) override;
    COLORREF SetTextColor(COLORREF color) override;
    CFont SelectObject(const CFont& font) override;
    CPen SelectObject(const CPen& pen) override;
    CBrush SelectObject(const CBrush& brush) override;
    CFont GetCurrentFont() const override { return m_font; }

    int StartPage() override;
    int EndPage() override;

  private:
    void ApplyPen();
    // Whether straight edges may be filled as rectangles: on a raster
    // surface without scaling or antialiasing those are the very pixels the
    // stroke would set, without the stroke's hand-off of tall shapes to
    // other threads.
    bool FillsEdgesDirectly() const;
    // The pixels the pen sets for the axis-parallel line from..to.
    QRect PenBox(QPoint from, QPoint to) const;
    void DrawAligned(int x, int y, const QString& text, int width);
    QRect ShapeRect(int left, int top, int right, int bottom) const;

    QPainter& m_painter;
    const QPaintDevice* m_capsDevice;
    std::function<void()> m_pageBreak;
    bool m_pageEnded = false;
    QSize m_surfaceSize;
    double m_penScale = 1.0;
    bool m_keepFiguresInBoxes = false;
    QPoint m_position;
    unsigned m_align = TA_LEFT | TA_TOP;
    int m_bkMode = OPAQUE;
    COLORREF m_textColor = RGB(0, 0, 0);
    CFont m_font;
    CPen m_pen;
    CBrush m_brush;
    QFont m_qfont;
    QFontMetrics m_metrics;
};
