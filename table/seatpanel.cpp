#include "table/seatpanel.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "platform/qpainterdc.h"
#include "share/qrcode.h"
#include "table/joincardspage.h"

namespace {

constexpr qsizetype kLongestShownName = 40;

// Dark on white whatever the colours round it, as a reader needs it.
QPixmap CodePicture(const QUrl& link) {
    const QrCode code(link.toEncoded());
    const int modules = code.Size() + 2 * kQrQuietModules;
    const int module = std::max(1, SeatPanel::kCodePixels / std::max(modules, 1));
    QImage picture(module * modules, module * modules, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QPainterDC dc(painter);
    DrawQrCode(dc, code, module * kQrQuietModules, module * kQrQuietModules, module);
    painter.end();
    return QPixmap::fromImage(picture);
}

// A device names itself: what it sends is shown, never obeyed, and cut.
QString ShownDeviceName(const QString& name) {
    if (name.isEmpty()) return QObject::tr("(no name)");
    QString shown;
    for (const QChar c : name.left(kLongestShownName)) {
        shown += c.isPrint() ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
    }
    return shown;
}

}  // namespace

SeatPanel::SeatPanel(const QString& title, const QUrl& link, QWidget* parent)
    : QGroupBox(title, parent), m_link(link) {
    auto* layout = new QGridLayout(this);
    auto* code = new QLabel(this);
    code->setObjectName("code");
    code->setPixmap(CodePicture(link));
    code->setAccessibleName(tr("QR code of the link of %1").arg(title));
    layout->addWidget(code, 0, 0, 3, 1);
    auto* shown = new QLineEdit(QString::fromLatin1(link.toEncoded()), this);
    shown->setObjectName("link");
    shown->setReadOnly(true);
    shown->setAccessibleName(tr("Link of %1").arg(title));
    layout->addWidget(shown, 0, 1);
    auto* copy = new QPushButton(tr("&Copy Link"), this);
    copy->setObjectName("copyLink");
    connect(copy, &QPushButton::clicked, this, &SeatPanel::CopyLink);
    layout->addWidget(copy, 1, 1, Qt::AlignLeft);
    m_devices = new QLabel(this);
    m_devices->setObjectName("devices");
    m_devices->setTextFormat(Qt::PlainText);
    m_devices->setWordWrap(true);
    layout->addWidget(m_devices, 2, 1, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    ShowDevices({});
}

void SeatPanel::ShowDevices(const QStringList& names) {
    if (names.isEmpty()) {
        m_devices->setText(tr("No device connected."));
        return;
    }
    QStringList shown;
    for (const QString& name : names) shown << ShownDeviceName(name);
    const QString count = names.size() == 1 ? tr("1 device connected")
                                            : tr("%1 devices connected").arg(names.size());
    m_devices->setText(count + QStringLiteral(": ") + shown.join(QStringLiteral(", ")));
}

QString SeatPanel::DevicesText() const { return m_devices->text(); }

void SeatPanel::CopyLink() {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(m_link.toEncoded()));
}
