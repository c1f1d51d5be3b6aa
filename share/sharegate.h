#pragma once

#include <QTcpServer>
#include <functional>
#include <optional>

#include "share/addressguard.h"
#include "share/requesttarget.h"

class QTcpSocket;

// The door of the shared table: every connection waits here until its
// request's head has come in whole, and goes on only when its target is one
// of the page's names under a seat's token. Here are the limits that keep
// one client from holding up the others: the number of connections, the
// time for a request's head, and the addresses that guessed too often.
// Each connection carries one request; a page's files take one each.
class ShareGate : public QTcpServer {
    Q_OBJECT
  public:
    static constexpr int kMostConnections = 64;
    static constexpr int kHeadTimeoutMs = 10'000;
    static constexpr qsizetype kLongestHead = 8192;

    // Whether a token belongs to a seat.
    using TokenCheck = std::function<bool(QByteArrayView token)>;
    explicit ShareGate(TokenCheck isSeat, QObject* parent = nullptr);

    int Connections() const { return m_connections; }
    // For tests, which would rather not wait the whole time for a slow head.
    void SetHeadTimeout(int milliseconds) { m_headTimeoutMs = milliseconds; }
    // The target the connection's request was let in for.
    static std::optional<RequestTarget> TargetOf(const QTcpSocket* socket);
    AddressGuard& Guard() { return m_guard; }

  signals:
    // A request for a page file is pending for the HTTP server; a socket
    // asking for the seat's WebSocket is handed over here.
    void webSocketRequested(QTcpSocket* socket);
    void connectionRefused(const QString& why);

  protected:
    void incomingConnection(qintptr descriptor) override;

  private:
    void Examine(QTcpSocket* socket);
    void Admit(QTcpSocket* socket, const RequestTarget& target);
    void Turn(QTcpSocket* socket, const QByteArray& answer);

    TokenCheck m_isSeat;
    AddressGuard m_guard;
    int m_connections = 0;
    int m_headTimeoutMs = kHeadTimeoutMs;
};
