#include "share/sharehost.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>
#include <algorithm>

#include "share/cardpicture.h"
#include "share/clientmessage.h"
#include "share/pageserver.h"
#include "share/seatview.h"
#include "share/shareclient.h"
#include "share/sharegate.h"

// The page's files are compiled into the library, which registers them
// only where a host is made.
static void RegisterPageFiles() { Q_INIT_RESOURCE(page); }

namespace {

QByteArray Compact(const QJsonObject& message) {
    return QJsonDocument(message).toJson(QJsonDocument::Compact);
}

}  // namespace

ShareHost::ShareHost(const ScenarioSnapshot& snapshot, GameSession& session, QObject* parent)
    : QObject(parent),
      m_snapshot(snapshot),
      m_table(session, snapshot.roster),
      m_seats(std::make_unique<SeatList>(snapshot.scenario)) {
    RegisterPageFiles();
}

ShareHost::~ShareHost() { Stop(); }

bool ShareHost::Start(const QHostAddress& address, quint16 port, bool fallback, QString& error) {
    Stop();
    m_seats = std::make_unique<SeatList>(m_snapshot.scenario);
    m_table.TakeChanges();
    m_address = address;
    m_gate = new ShareGate([this](QByteArrayView token) { return m_seats->Find(token) != nullptr; },
                           this);
    if (!m_gate->listen(address, port) && !(fallback && port != 0 && m_gate->listen(address, 0))) {
        error = tr("Cannot listen on %1, port %2: %3.")
                    .arg(address.toString())
                    .arg(port)
                    .arg(m_gate->errorString());
        Stop();
        return false;
    }
    m_pages = new PageServer(
        [this](const QByteArray& token, int card) { return CardFor(token, card); }, this);
    m_pages->bind(m_gate);
    m_sockets = new QWebSocketServer(QStringLiteral("Brinnow"), QWebSocketServer::NonSecureMode,
                                     this);
    connect(m_sockets, &QWebSocketServer::newConnection, this, &ShareHost::Join);
    connect(m_gate, &ShareGate::connectionRefused, this, &ShareHost::connectionRefused);
    connect(m_gate, &ShareGate::webSocketRequested, m_sockets, &QWebSocketServer::handleConnection);
    return true;
}

void ShareHost::Stop() {
    PerformWaiting();
    for (ShareClient* client : std::exchange(m_clients, {})) delete client;
    if (m_gate) m_gate->close();
    delete m_sockets;
    delete m_pages;  // the server took the gate for its child when bound to it
    if (m_pages == nullptr) delete m_gate;
    m_sockets = nullptr;
    m_pages = nullptr;
    m_gate = nullptr;
    m_seats = std::make_unique<SeatList>(m_snapshot.scenario);  // the old links lead nowhere
    emit devicesChanged();
}

quint16 ShareHost::Port() const { return m_gate ? m_gate->serverPort() : 0; }

QUrl ShareHost::Link(const Seat& seat) const {
    QUrl link;
    link.setScheme(QStringLiteral("http"));
    link.setHost(m_address.toString());
    link.setPort(Port());
    link.setPath(QStringLiteral("/%1/").arg(QString::fromLatin1(seat.token)));
    return link;
}

QStringList ShareHost::Devices(const Seat& seat) const {
    QStringList names;
    for (const ShareClient* client : m_clients) {
        if (&client->GetSeat() == &seat) names << client->DeviceName();
    }
    return names;
}

int ShareHost::Connections() const { return m_gate ? m_gate->Connections() : 0; }

void ShareHost::Join() {
    while (m_sockets->hasPendingConnections()) {
        std::unique_ptr<QWebSocket> socket(m_sockets->nextPendingConnection());
        const auto target = RequestTarget::Parse(socket->requestUrl().path().toLatin1());
        const Seat* seat = target ? m_seats->Find(target->token) : nullptr;
        if (seat == nullptr) continue;  // the gate let none such in
        auto* client = new ShareClient(std::move(socket), *seat, this);
        connect(client, &ShareClient::messageArrived, this, &ShareHost::Receive);
        connect(client, &ShareClient::gone, this, &ShareHost::Leave);
        m_clients.push_back(client);
        const SeatView view(*seat, m_seats->Seats(), m_table.Roster());
        QJsonObject seatMessage = view.SeatMessage(m_table.GetGame());
        QJsonObject seatBody = seatMessage.value(QStringLiteral("seat")).toObject();
        seatBody.insert(QStringLiteral("places"), CardPicture::Places());
        seatBody.insert(QStringLiteral("card-size"),
                        QJsonArray{CardPicture::Size().width(), CardPicture::Size().height()});
        client->Send(Compact({{QStringLiteral("seat"), seatBody}}));
        client->Send(Compact(view.GameMessage(m_table.GetGame())));
        emit devicesChanged();
    }
}

void ShareHost::Receive(ShareClient* client, const QByteArray& text) {
    const ClientMessage message = ClientMessage::Read(text);
    switch (message.kind) {
        case ClientMessage::Kind::Drop:
            client->Drop(message.reason);
            return;
        case ClientMessage::Kind::Device:
            client->SetDeviceName(message.device);
            emit devicesChanged();
            return;
        default:
            break;
    }
    std::vector<GameAction> actions;
    const QString refusal = m_table.Check(client->GetSeat(), message, actions);
    if (!refusal.isEmpty()) {
        client->Send(Compact({{QStringLiteral("refused"), refusal}}));
        return;
    }
    // Requests that arrive while the file is being written wait for the
    // next write, together.
    if (m_waiting.empty()) {
        QMetaObject::invokeMethod(this, &ShareHost::PerformWaiting, Qt::QueuedConnection);
    }
    m_waiting.push_back({client, std::move(actions)});
}

void ShareHost::PerformWaiting() {
    std::vector<GameAction> actions;
    for (const Waiting& waiting : m_waiting) {
        actions.insert(actions.end(), waiting.actions.begin(), waiting.actions.end());
    }
    const QString failure = m_table.Perform(actions);
    for (const Waiting& waiting : std::exchange(m_waiting, {})) {
        const bool here =
            std::find(m_clients.begin(), m_clients.end(), waiting.client) != m_clients.end();
        if (here && !failure.isEmpty())
            waiting.client->Send(Compact({{QStringLiteral("refused"), failure}}));
    }
    // The devices hear first: the window's own refresh can wait.
    Tell();
    if (!actions.empty()) emit gameChanged();
}

void ShareHost::Tell() {
    const GameChanges changes = m_table.TakeChanges();
    if (changes.Empty()) return;
    for (const Seat& seat : m_seats->Seats()) {
        const auto message =
            SeatView(seat, m_seats->Seats(), m_table.Roster()).ChangedMessage(m_table.GetGame(), changes);
        if (!message) continue;
        const QByteArray json = Compact(*message);
        for (ShareClient* client : m_clients) {
            if (&client->GetSeat() == &seat) client->Send(json);
        }
    }
}

void ShareHost::Leave(ShareClient* client) {
    const auto found = std::find(m_clients.begin(), m_clients.end(), client);
    if (found == m_clients.end()) return;
    m_clients.erase(found);
    client->deleteLater();
    emit devicesChanged();
}

QByteArray ShareHost::CardFor(const QByteArray& token, int card) const {
    const Seat* seat = m_seats->Find(token);
    if (seat == nullptr || card >= int(m_table.Roster().size()) ||
        !seat->Commands(m_table.Roster()[std::size_t(card)].place.force))
        return {};
    return CardPicture::Svg(m_snapshot, card);
}
