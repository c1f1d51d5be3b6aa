#pragma once

#include <QHostAddress>
#include <QWidget>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QVBoxLayout;
class SeatPanel;
class ShareHost;

// The host's view of a shared game: a panel for each seat (the umpire's,
// then each force's) with its link and QR code, the devices at it, and what
// the players need to know; Print Join Cards, and Stop Sharing, which ends
// every connection at once. Closing it leaves the game shared.
class ShareTableWindow : public QWidget {
    Q_OBJECT
  public:
    ShareTableWindow(ShareHost& host, QString gameTitle, std::string documentPath,
                     QWidget* parent = nullptr);

    const std::vector<SeatPanel*>& Panels() const { return m_panels; }
    // Shares on another of the computer's addresses, with new links.
    void ShareOn(const QHostAddress& address);
    void PrintJoinCards();
    void StopSharing();

  signals:
    void stopped();

  private:
    void CreateAddressChoice(QVBoxLayout* layout);
    void CreateButtons(QVBoxLayout* layout);
    // The panels and notes for the links of the share now.
    void ShowSeats();
    void ShowDevices();
    void ShowRefusal(const QString& why);

    ShareHost& m_host;
    QString m_gameTitle;
    std::string m_documentPath;
    QComboBox* m_addresses = nullptr;
    QLabel* m_portNote = nullptr;
    QLabel* m_refusal = nullptr;
    QVBoxLayout* m_seatLayout = nullptr;
    std::vector<SeatPanel*> m_panels;
};
