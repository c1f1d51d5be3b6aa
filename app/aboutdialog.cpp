#include "app/aboutdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "desktop/helpwindow.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("aboutDialog");
    setWindowTitle("About Brinnow");
    auto* pictureRow = new QHBoxLayout;
    auto* ship = new QLabel;
    ship->setPixmap(ShipPicture(devicePixelRatioF()));
    auto* compass = new QLabel;
    compass->setPixmap(CompassPicture(devicePixelRatioF()));
    pictureRow->addWidget(ship);
    pictureRow->addStretch();
    pictureRow->addWidget(compass);

    auto* text = new QLabel(
        "<h2>Vexmoor Playing Aid</h2>"
        "<p>Brinnow Version " BRINNOW_VERSION
        "</p>"
        "<p>Ship record cards with their notes, blank ship forms and a comma-delimited ship "
        "list for the Vexmoor naval wargame rules.</p>"
        "<p>&copy; 2026 The Brinnow developers.<br>Card text set in Liberation Sans.</p>"
        "<p>Free software under the GNU General Public License, version 3 or later.</p>");
    text->setObjectName("aboutText");
    text->setTextFormat(Qt::RichText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictureRow);
    layout->addWidget(text);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(HelpContext::kIndex);
        return;
    }
    QDialog::keyPressEvent(event);
}

namespace {
// A picture of a size in logical pixels, sharp at the given ratio.
QPixmap SharpPixmap(int width, int height, qreal devicePixelRatio) {
    const qreal ratio = std::max<qreal>(1, devicePixelRatio);
    QPixmap picture(std::lround(width * ratio), std::lround(height * ratio));
    picture.setDevicePixelRatio(ratio);
    return picture;
}
}  // namespace

QPixmap AboutDialog::ShipPicture(qreal devicePixelRatio) {
    QPixmap picture = SharpPixmap(160, 72, devicePixelRatio);
    picture.fill(QColor(205, 225, 240));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 52, 160, 20), QColor(40, 80, 120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 70, 78));
    QPainterPath hull;
    hull.moveTo(12, 46);
    hull.lineTo(150, 46);
    hull.lineTo(140, 58);
    hull.lineTo(24, 58);
    hull.closeSubpath();
    painter.drawPath(hull);
    painter.drawRect(52, 34, 50, 12);  // superstructure
    painter.drawRect(66, 22, 8, 12);   // funnels
    painter.drawRect(82, 24, 8, 10);
    painter.drawRect(30, 40, 16, 6);  // turrets
    painter.drawRect(108, 40, 16, 6);
    painter.setPen(QPen(QColor(70, 70, 78), 2));
    painter.drawLine(20, 42, 30, 42);  // guns
    painter.drawLine(124, 42, 136, 42);
    painter.drawLine(60, 34, 60, 10);  // mast
    painter.setPen(QPen(QColor(230, 230, 230), 3));
    painter.drawLine(70, 20, 60, 8);  // smoke
    return picture;
}

QPixmap AboutDialog::CompassPicture(qreal devicePixelRatio) {
    QPixmap picture = SharpPixmap(72, 72, devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(36, 36);
    painter.setPen(QPen(QColor(40, 60, 90), 2));
    painter.setBrush(QColor(250, 245, 225));
    painter.drawEllipse(QPointF(0, 0), 33, 33);
    for (int i = 0; i < 8; ++i) {
        const double angle = i * M_PI / 4;
        const double length = i % 2 == 0 ? 30 : 18;
        QPainterPath point;
        point.moveTo(0, 0);
        point.lineTo(4 * std::cos(angle + M_PI / 2), 4 * std::sin(angle + M_PI / 2));
        point.lineTo(length * std::cos(angle), length * std::sin(angle));
        point.closeSubpath();
        painter.setBrush(i == 6 ? QColor(180, 30, 30) : QColor(40, 60, 90));
        painter.drawPath(point);
    }
    return picture;
}
