#include "share/sharegate.h"

#include <QTcpSocket>
#include <QTimer>

#include "share/pageheaders.h"

namespace {

constexpr const char* kTargetProperty = "brinnowTarget";

// The target of a head's request line: "GET /TOKEN/ HTTP/1.1".
QByteArray TargetOfHead(const QByteArray& head) {
    const QByteArray line = head.left(head.indexOf("\r\n"));
    const QList<QByteArray> words = line.split(' ');
    if (words.size() != 3 || words[0] != "GET") return {};
    return words[1];
}

}  // namespace

ShareGate::ShareGate(TokenCheck isSeat, QObject* parent)
    : QTcpServer(parent), m_isSeat(std::move(isSeat)) {}

std::optional<RequestTarget> ShareGate::TargetOf(const QTcpSocket* socket) {
    const QVariant target = socket->property(kTargetProperty);
    if (!target.isValid()) return std::nullopt;
    return RequestTarget::Parse(target.toByteArray());
}

void ShareGate::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (m_guard.Refuses(socket->peerAddress())) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // The connection's count goes with the socket. The WebSocket that takes
    // the socket over cuts every connection to its signals, so the count
    // hangs on a child of it instead, which goes whoever deletes the socket.
    ++m_connections;
    connect(new QObject(socket), &QObject::destroyed, this, [this] { --m_connections; });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (m_connections > kMostConnections) {
        emit connectionRefused(tr("A connection from %1 was refused: %2 devices are connected, "
                                  "the most the table takes.")
                                   .arg(socket->peerAddress().toString())
                                   .arg(kMostConnections));
        Turn(socket, BusyAnswer());
        return;
    }
    // A head that takes too long ties up a connection for nothing.
    auto* timer = new QTimer(socket);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, socket, &QTcpSocket::abort);
    timer->start(m_headTimeoutMs);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Examine(socket); });
}

void ShareGate::Examine(QTcpSocket* socket) {
    const QByteArray head = socket->peek(kLongestHead);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() >= kLongestHead) socket->abort();
        return;
    }
    // The head is whole: nothing more to examine, nor to wait for.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    qDeleteAll(socket->findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
    const QByteArray target = TargetOfHead(head.left(end + 2));
    const auto parsed = RequestTarget::Parse(target);
    if (!parsed || !m_isSeat(parsed->token)) {
        // A name the page does not have, under a seat's token, is no guess.
        if (!m_isSeat(target.mid(1, target.indexOf('/', 1) - 1))) {
            m_guard.CountWrong(socket->peerAddress());
        }
        Turn(socket, NotFoundAnswer());
        return;
    }
    socket->setProperty(kTargetProperty, target);
    Admit(socket, *parsed);
}

void ShareGate::Admit(QTcpSocket* socket, const RequestTarget& target) {
    if (target.IsWebSocket()) {
        emit webSocketRequested(socket);
        return;
    }
    addPendingConnection(socket);
    emit newConnection();
    // The head is waiting in the socket already; the server reads on a signal.
    QMetaObject::invokeMethod(socket, &QTcpSocket::readyRead, Qt::QueuedConnection);
}

void ShareGate::Turn(QTcpSocket* socket, const QByteArray& answer) {
    socket->write(answer);
    socket->disconnectFromHost();
}
