#pragma once

#include <QGroupBox>
#include <QUrl>

class QLabel;
class QLineEdit;

// One seat of a shared game in the Share Table window: its title, the QR
// code of its link to scan, the link to copy, and the devices at it.
class SeatPanel : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr int kCodePixels = 150;

    SeatPanel(const QString& title, const QUrl& link, QWidget* parent = nullptr);

    const QUrl& Link() const { return m_link; }
    // The names the devices gave, one entry each, empty for none.
    void ShowDevices(const QStringList& names);
    QString DevicesText() const;
    void CopyLink();

  private:
    QUrl m_link;
    QLabel* m_devices = nullptr;
};
