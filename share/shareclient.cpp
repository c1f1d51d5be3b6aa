#include "share/shareclient.h"

#include <QDeadlineTimer>
#include <QWebSocket>

#include "share/clientmessage.h"
#include "share/seat.h"

ShareClient::ShareClient(std::unique_ptr<QWebSocket> socket, const Seat& seat, QObject* parent)
    : QObject(parent), m_socket(std::move(socket)), m_seat(seat) {
    m_socket->setMaxAllowedIncomingMessageSize(ClientMessage::kLongest);
    m_socket->setMaxAllowedIncomingFrameSize(ClientMessage::kLongest);
    connect(m_socket.get(), &QWebSocket::textMessageReceived, this, &ShareClient::Receive);
    connect(m_socket.get(), &QWebSocket::binaryMessageReceived, this,
            [this] { Drop(tr("Messages are text.")); });
    connect(m_socket.get(), &QWebSocket::disconnected, this, [this] { emit gone(this); });
}

ShareClient::~ShareClient() {
    m_socket->disconnect(this);
    m_socket->abort();
}

QString ShareClient::Address() const { return m_socket->peerAddress().toString(); }

void ShareClient::Send(const QByteArray& json) {
    if (!m_dropped) m_socket->sendTextMessage(QString::fromUtf8(json));
}

void ShareClient::Drop(const QString& why) {
    if (m_dropped) return;
    m_dropped = true;
    m_socket->close(QWebSocketProtocol::CloseCodePolicyViolated, why.left(100));
    m_socket->abort();
    emit gone(this);
}

void ShareClient::Receive(const QString& text) {
    if (m_dropped) return;
    if (!m_rate.Admit(QDeadlineTimer::current().deadline())) {
        Drop(tr("More than %1 messages a second.").arg(MessageRate::kPerSecond));
        return;
    }
    emit messageArrived(this, text.toUtf8());
}
