#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "share/messagerate.h"

class QWebSocket;
struct Seat;

// One device at one seat, connected by its WebSocket.
class ShareClient : public QObject {
    Q_OBJECT
  public:
    ShareClient(std::unique_ptr<QWebSocket> socket, const Seat& seat, QObject* parent = nullptr);
    ~ShareClient() override;

    const Seat& GetSeat() const { return m_seat; }
    QString DeviceName() const { return m_device; }
    void SetDeviceName(const QString& name) { m_device = name; }
    QString Address() const;

    void Send(const QByteArray& json);
    // Ends the connection at once, saying why to a client that listens.
    void Drop(const QString& why);

  signals:
    void messageArrived(ShareClient* client, const QByteArray& text);
    void gone(ShareClient* client);

  private:
    void Receive(const QString& text);

    std::unique_ptr<QWebSocket> m_socket;
    const Seat& m_seat;
    QString m_device;
    MessageRate m_rate;
    bool m_dropped = false;
};
