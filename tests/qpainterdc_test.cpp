// Straight edges on a raster surface are filled as rectangles rather than
// stroked; they must set exactly the pixels the stroke would. Texts too long
// for any surface are cut to the part at their anchor.
#include "platform/qpainterdc.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

namespace {

constexpr QRgb kPen = 0xFF102030;
constexpr QRgb kBrush = 0xFFC0A080;

QImage Blank() {
    QImage image(64, 64, QImage::Format_RGB555);
    image.fill(Qt::white);
    return image;
}

QPen SquarePen(int width) {
    QPen pen(QColor::fromRgb(kPen), width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The same drawing once through the stroke and once through the device
// context, both with the given painter transform.
void ExpectSamePixels(const QTransform& transform, int width,
                      const std::function<void(QPainter&)>& stroke,
                      const std::function<void(QPainterDC&)>& draw) {
    QImage expected = Blank();
    {
        QPainter painter(&expected);
        painter.setTransform(transform);
        painter.setPen(SquarePen(width));
        painter.setBrush(QColor::fromRgb(kBrush));
        stroke(painter);
    }
    QImage actual = Blank();
    {
        QPainter painter(&actual);
        painter.setTransform(transform);
        QPainterDC dc(painter);
        dc.SelectObject(CPen{width, RGB(0x10, 0x20, 0x30)});
        dc.SelectObject(CBrush{RGB(0xC0, 0xA0, 0x80)});
        draw(dc);
    }
    ASSERT_EQ(actual, expected);
}

const QTransform kTransforms[] = {QTransform(), QTransform::fromTranslate(3, -2),
                                  QTransform::fromScale(1.5, 1.5)};

TEST(QPainterDCEdges, AxisParallelLinesAndRectanglesOfEveryWidthSizeAndDirection) {
    const QPoint from(30, 31);
    for (const QTransform& transform : kTransforms) {
        for (int width = 1; width <= 6; ++width) {
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                for (const int length : {0, 1, 2, 17}) {
                    const QPoint to = from + step * length;
                    ExpectSamePixels(
                        transform, width, [&](QPainter& p) { p.drawLine(from, to); },
                        [&](QPainterDC& dc) {
                            dc.MoveTo(from.x(), from.y());
                            dc.LineTo(to.x(), to.y());
                        });
                }
            }
        }
    }

    // Rectangles of every size, degenerate ones included.
    for (const QTransform& transform : kTransforms) {
        for (int width = 1; width <= 5; ++width) {
            for (const int w : {-1, 0, 1, 2, 3, 4, 20}) {
                for (const int h : {0, 1, 2, 3, 5, 21}) {
                    const int left = 20, top = 21;
                    const QRect shape = QRect(QPoint(left, top), QPoint(left + w - 1, top + h - 1))
                                            .adjusted(0, 0, -1, -1);
                    ExpectSamePixels(
                        transform, width, [&](QPainter& p) { p.drawRect(shape); },
                        [&](QPainterDC& dc) { dc.Rectangle(left, top, left + w, top + h); });
                }
            }
        }
    }
}

// A text longer than any surface still shows its part at the anchor.
TEST(QPainterDCText, AVeryLongTextShowsAtItsAnchorWhateverTheAlignment) {
    for (const auto& [align, x] :
         {std::pair{unsigned(TA_LEFT), 0}, {unsigned(TA_CENTER), 32}, {unsigned(TA_RIGHT), 64}}) {
        QImage image = Blank();
        {
            QPainter painter(&image);
            QPainterDC dc(painter);
            dc.SelectObject(CFont{-12, 400, false, "Arial"});
            dc.SetTextAlign(align | TA_TOP);
            dc.TextOut(x, 20, std::string(5000, 'W'));
        }
        EXPECT_NE(image, Blank()) << align;
    }
}

}  // namespace
