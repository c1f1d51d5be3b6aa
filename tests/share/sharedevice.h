#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWebSocket>

// A device at a seat of a shared game, over a real WebSocket: it keeps every
// message it was sent.
class ShareDevice {
  public:
    static constexpr int kWaitMs = 10'000;

    explicit ShareDevice(const QUrl& link) {
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived,
                         [this](const QString& text) { m_messages << text; });
        QObject::connect(&m_socket, &QWebSocket::disconnected, [this] {
            m_closed = true;
            m_closeCode = m_socket.closeCode();
            m_closeReason = m_socket.closeReason();
        });
        QUrl socketUrl = link;
        socketUrl.setScheme("ws");
        socketUrl.setPath(link.path() + "ws");
        m_socket.open(socketUrl);
    }

    void Send(const QByteArray& json) { m_socket.sendTextMessage(QString::fromUtf8(json)); }
    void SendBinary(const QByteArray& data) { m_socket.sendBinaryMessage(data); }
    bool WaitForMessages(int count) {
        return QTest::qWaitFor([&] { return m_messages.size() >= count || m_closed; }, kWaitMs) &&
               m_messages.size() >= count;
    }
    bool WaitForClose() { return QTest::qWaitFor([&] { return m_closed; }, kWaitMs); }
    QJsonObject Message(int i) const {
        return QJsonDocument::fromJson(m_messages.at(i).toUtf8()).object();
    }
    const QStringList& Messages() const { return m_messages; }
    bool Closed() const { return m_closed; }
    // Why the host closed the connection, as its close frame said.
    QWebSocketProtocol::CloseCode CloseCode() const { return m_closeCode; }
    QString CloseReason() const { return m_closeReason; }

  private:
    QWebSocket m_socket;
    QStringList m_messages;
    bool m_closed = false;
    QWebSocketProtocol::CloseCode m_closeCode = QWebSocketProtocol::CloseCodeNormal;
    QString m_closeReason;
};
