#include "platform/qpainterdc.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <cmath>
#include <cstdlib>

#include "platform/qtstrings.h"

namespace {

QColor QColorOf(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QFont QFontOf(const CFont& font, QPaintDevice* device) {
    QFont qfont(QString::fromStdString(font.lfFaceName));
    qfont.setPixelSize(std::max(1, std::abs(font.lfHeight)));
    qfont.setWeight(font.lfWeight >= 700 ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.lfItalic);
    return QFont(qfont, device);
}

}  // namespace

QPainterDC::QPainterDC(QPainter& painter, const QPaintDevice* capsDevice)
    : m_painter(painter),
      m_capsDevice(capsDevice ? capsDevice : painter.device()),
      m_qfont(QFontOf(m_font, painter.device())),
      m_metrics(m_qfont, painter.device()) {
    ApplyPen();
    m_painter.setBrush(QColorOf(m_brush.color));
    m_painter.setFont(m_qfont);
}

int QPainterDC::GetDeviceCaps(DeviceCap index) const {
    const QPaintDevice* device = m_capsDevice;
    switch (index) {
        case HORZRES:
            return m_surfaceSize.isValid() ? m_surfaceSize.width() : device->width();
        case VERTRES:
            return m_surfaceSize.isValid() ? m_surfaceSize.height() : device->height();
        case HORZSIZE:
            return device->widthMM();
        case VERTSIZE:
            return device->heightMM();
    }
    return 0;
}

void QPainterDC::MoveTo(int x, int y) { m_position = QPoint(x, y); }

bool QPainterDC::FillsEdgesDirectly() const {
    const QPaintEngine* engine = m_painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) return false;
    if (m_painter.testRenderHint(QPainter::Antialiasing)) return false;
    const QTransform& transform = m_painter.deviceTransform();
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == std::trunc(transform.dx()) &&
           transform.dy() == std::trunc(transform.dy());
}

QRect QPainterDC::PenBox(QPoint from, QPoint to) const {
    // A square-capped pen of width w covers w / 2 pixels before the line and
    // (w - 1) / 2 after it, along it and across it.
    const int width = m_painter.pen().width();
    const int before = width / 2;
    const int after = (width - 1) / 2;
    return QRect(QPoint(std::min(from.x(), to.x()) - before, std::min(from.y(), to.y()) - before),
                 QPoint(std::max(from.x(), to.x()) + after, std::max(from.y(), to.y()) + after));
}

void QPainterDC::LineTo(int x, int y) {
    const QPoint to(x, y);
    const bool axisParallel = m_position.x() == x || m_position.y() == y;
    if (axisParallel && FillsEdgesDirectly()) {
        m_painter.fillRect(PenBox(m_position, to), m_painter.pen().color());
    } else {
        m_painter.drawLine(m_position, to);
    }
    m_position = to;
}

QRect QPainterDC::ShapeRect(int left, int top, int right, int bottom) const {
    // GDI leaves the right and bottom edge out; QRect's outline includes them.
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).adjusted(0, 0, -1, -1);
}

void QPainterDC::Rectangle(int left, int top, int right, int bottom) {
    const QRect shape = ShapeRect(left, top, right, bottom);
    if (shape.width() <= 0 || shape.height() <= 0 || !FillsEdgesDirectly()) {
        m_painter.drawRect(shape);
        return;
    }
    // The outline runs through the corners of the shape's outer edge.
    const QPoint topLeft = shape.topLeft();
    const QPoint bottomRight = topLeft + QPoint(shape.width(), shape.height());
    const QPoint topRight(bottomRight.x(), topLeft.y());
    const QPoint bottomLeft(topLeft.x(), bottomRight.y());
    m_painter.fillRect(QRect(topLeft, bottomRight), m_painter.brush().color());
    const QColor pen = m_painter.pen().color();
    for (const auto& [from, to] : {std::pair{topLeft, topRight},
                                   {topRight, bottomRight},
                                   {bottomLeft, bottomRight},
                                   {topLeft, bottomLeft}}) {
        m_painter.fillRect(PenBox(from, to), pen);
    }
}

void QPainterDC::Ellipse(int left, int top, int right, int bottom) {
    m_painter.drawEllipse(ShapeRect(left, top, right, bottom));
}

void QPainterDC::PatBlt(int x, int y, int width, int height, RasterOp op) {
    if (op == WHITENESS) m_painter.fillRect(QRect(x, y, width, height), Qt::white);
}

void QPainterDC::DrawAligned(int x, int y, const QString& text, int width) {
    const unsigned horizontal = m_align & kHorizontalAlignMask;
    const unsigned vertical = m_align & kVerticalAlignMask;
    const int left = horizontal == TA_CENTER  ? x - width / 2
                     : horizontal == TA_RIGHT ? x - width
                                              : x;
    const int baseline = vertical == TA_BASELINE ? y
                         : vertical == TA_BOTTOM ? y - m_metrics.descent()
                                                 : y + m_metrics.ascent();
    if (m_bkMode == OPAQUE) {
        m_painter.fillRect(QRect(left, baseline - m_metrics.ascent(), width, m_metrics.height()),
                           Qt::white);
    }
    m_painter.setPen(QColorOf(m_textColor));
    m_painter.drawText(QPoint(left, baseline), text);
    ApplyPen();
}

void QPainterDC::TextOut(int x, int y, const std::string& text) {
    // A text wider than any surface shows only its part at the anchor: the
    // start when left-aligned, the end when right-aligned, the middle when
    // centred. Laying out the rest would only cost time.
    constexpr std::size_t kLongestShown = 4096;
    if (text.size() > kLongestShown) {
        const unsigned horizontal = m_align & kHorizontalAlignMask;
        const std::size_t from = horizontal == TA_LEFT    ? 0
                                 : horizontal == TA_RIGHT ? text.size() - kLongestShown
                                                          : (text.size() - kLongestShown) / 2;
        TextOut(x, y, text.substr(from, kLongestShown));
        return;
    }
    const QString qtext = ToQt(text);
    DrawAligned(x, y, qtext, m_metrics.horizontalAdvance(qtext));
}

void QPainterDC::TabbedTextOut(int x, int y, const std::string& text, int tabOrigin) {
    if (text.find('\t') == std::string::npos) {
        TextOut(x, y, text);
        return;
    }
    // Default tab stops every eight average character widths from the origin.
    const int stop = std::max(1, 8 * m_metrics.averageCharWidth());
    const unsigned savedAlign = SetTextAlign((m_align & kVerticalAlignMask) | TA_LEFT);
    int cursor = x;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = text.find('\t', start);
        const QString piece =
            ToQt(text.substr(start, tab == std::string::npos ? tab : tab - start));
        DrawAligned(cursor, y, piece, m_metrics.horizontalAdvance(piece));
        if (tab == std::string::npos) break;
        cursor += m_metrics.horizontalAdvance(piece);
        cursor = tabOrigin + ((cursor - tabOrigin) / stop + 1) * stop;
        start = tab + 1;
    }
    SetTextAlign(savedAlign);
}

CSize QPainterDC::GetTextExtent(const std::string& text) const {
    return {m_metrics.horizontalAdvance(ToQt(text)), m_metrics.height()};
}

unsigned QPainterDC::SetTextAlign(unsigned align) { return std::exchange(m_align, align); }

int QPainterDC::SetBkMode(int mode) { return std::exchange(m_bkMode, mode); }

COLORREF QPainterDC::SetTextColor(COLORREF color) { return std::exchange(m_textColor, color); }

CFont QPainterDC::SelectObject(const CFont& font) {
    if (!(font == m_font)) {
        m_qfont = QFontOf(font, m_painter.device());
        m_metrics = QFontMetrics(m_qfont, m_painter.device());
        m_painter.setFont(m_qfont);
    }
    return std::exchange(m_font, font);
}

CPen QPainterDC::SelectObject(const CPen& pen) {
    CPen previous = std::exchange(m_pen, pen);
    ApplyPen();
    return previous;
}

CBrush QPainterDC::SelectObject(const CBrush& brush) {
    m_painter.setBrush(QColorOf(brush.color));
    return std::exchange(m_brush, brush);
}

void QPainterDC::SetPenScale(double scale) {
    m_penScale = std::isfinite(scale) && scale > 0 ? std::min(scale, 1.0) : 1.0;
    ApplyPen();
}

void QPainterDC::ApplyPen() {
    const int width = static_cast<int>(std::lround(m_pen.width * m_penScale));
    QPen pen(QColorOf(m_pen.color), std::max(1, width));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
}

int QPainterDC::StartPage() {
    if (m_pageEnded && m_pageBreak) m_pageBreak();
    m_pageEnded = false;
    return 1;
}

int QPainterDC::EndPage() {
    m_pageEnded = true;
    return 1;
}
