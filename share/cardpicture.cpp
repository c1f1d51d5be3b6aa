#include "share/cardpicture.h"

#include <QBuffer>
#include <QJsonArray>
#include <QPainter>
#include <QSvgGenerator>

#include "game/marknames.h"
#include "platform/qpainterdc.h"
#include "print/cardgeometry.h"
#include "print/printframework.h"

namespace {

// The card's size as the table window shows it.
constexpr double kCardWidthMm = 44;
constexpr double kCardHeightMm = 23.5;

}  // namespace

QSize CardPicture::Size() { return {Mm(kScale, kCardWidthMm) + 1, Mm(kScale, kCardHeightMm) + 1}; }

QByteArray CardPicture::Svg(const ScenarioSnapshot& snapshot, int card) {
    const QSize size = Size();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(int(kScale * 25.4 + 0.5));
    {
        QPainter painter(&svg);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        QPainterDC dc(painter);
        dc.SetKeepFiguresInBoxes(true);
        snapshot.cards[std::size_t(card)].DrawCard(dc, kScale, 0, 0, snapshot.armaments, 0, 0);
    }
    return buffer.data();
}

QJsonObject CardPicture::Places() {
    const CardGeometry geometry(kScale, 0, 0);
    QJsonObject places;
    for (std::size_t i = 0; i < kCardPlaceCount; ++i) {
        QJsonArray corners;
        for (const CardGeometry::Point& corner : geometry.Place(CardMark(i))) {
            corners.append(corner.x);
            corners.append(corner.y);
        }
        places.insert(QString::fromStdString(MarkToken(CardMark(i))),
                      QJsonObject{{QStringLiteral("corners"), corners},
                                  {QStringLiteral("label"),
                                   QString::fromStdString(MarkLabel(CardMark(i)))}});
    }
    return places;
}
