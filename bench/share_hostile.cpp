// Hostile and broken clients against a shared table, all at once, for
// SECONDS: heads that never end, wrong tokens, paths out of the page's
// files, too large, malformed, binary and unknown messages, floods past the
// rate limit, and marks of ships a seat does not command; each client comes
// back as soon as it is turned away. Prints what each was answered and
// whether the game stayed as it was; with sharetable_host as HOST, the host
// says on leaving how long the table window's event loop went without its
// heartbeat.
//
//   share_hostile BRINNOW_CLI CAMPAIGN [SECONDS] [HOST]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench/loadaverage.h"
#include "bench/servedgame.h"

namespace {

// A WebSocket client that does one wrong thing whenever it is connected and
// comes back whenever it is closed.
class Pest {
  public:
    Pest(const char* name, QUrl url, std::function<void(QWebSocket&)> offend)
        : m_name(name), m_url(std::move(url)), m_offend(std::move(offend)) {
        QObject::connect(&m_socket, &QWebSocket::connected, [this] { m_offend(m_socket); });
        QObject::connect(&m_socket, &QWebSocket::disconnected, [this] {
            ++m_closed;
            QTimer::singleShot(5, [this] { m_socket.open(m_url); });
        });
        m_socket.open(m_url);
    }
    void Report() const { std::printf("  %-44s closed by the host %d times\n", m_name, m_closed); }

  private:
    const char* m_name;
    QUrl m_url;
    std::function<void(QWebSocket&)> m_offend;
    QWebSocket m_socket;
    int m_closed = 0;
};

// Plain TCP connections that send one request again and again, from an
// address of their own, and count the answers by their status line.
class RawRequester {
  public:
    RawRequester(const char* name, const QHostAddress& from, const QUrl& host, QByteArray request,
                 bool finishHead, int connections = 1)
        : m_name(name),
          m_from(from),
          m_host(host),
          m_request(std::move(request)),
          m_finishHead(finishHead) {
        for (int i = 0; i < connections; ++i) Next();
    }
    void Report() const {
        std::printf("  %-44s %d sent: %d answered 404, %d 503 (the table is full), %d cut off\n",
                    m_name, m_sent, m_notFound, m_busy, m_cutOff);
    }

  private:
    void Next() {
        auto* socket = new QTcpSocket;
        socket->bind(m_from);
        QObject::connect(socket, &QTcpSocket::connected, [this, socket] {
            ++m_sent;
            socket->write(m_request + (m_finishHead ? "\r\n\r\n" : "\r\n"));
        });
        QObject::connect(socket, &QTcpSocket::disconnected, [this, socket] {
            const QByteArray answer = socket->readAll();
            if (answer.startsWith("HTTP/1.1 404")) {
                ++m_notFound;
            } else if (answer.startsWith("HTTP/1.1 503")) {
                ++m_busy;
            } else {
                ++m_cutOff;
            }
            socket->deleteLater();
            QTimer::singleShot(m_finishHead ? 5 : 0, [this] { Next(); });
        });
        socket->connectToHost(m_host.host(), quint16(m_host.port()));
    }

    const char* m_name;
    QHostAddress m_from;
    QUrl m_host;
    QByteArray m_request;
    bool m_finishHead;
    int m_sent = 0, m_notFound = 0, m_busy = 0, m_cutOff = 0;
};

QByteArray Mark(int force, const char* ship) {
    const QJsonObject mark{{"force", force}, {"ship", ship}, {"places", QJsonArray{"box7"}}};
    return QJsonDocument(QJsonObject{{"mark", mark}}).toJson(QJsonDocument::Compact);
}

QByteArray Get(const QString& path) { return "GET " + path.toUtf8() + " HTTP/1.1\r\nHost: h"; }

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: share_hostile BRINNOW_CLI CAMPAIGN [SECONDS] [HOST]\n");
        return 2;
    }
    const int seconds = args.value(3, "30").toInt();
    ServedGame served;
    if (!served.Start(args[1], args[2], args.value(4, args[1]))) return 1;
    const QUrl umpire = served.WebSocketUrl("umpire");
    const QUrl force1 = served.WebSocketUrl("force 1");
    const QString token = served.Links()["umpire"].path();  // "/TOKEN/"

    std::vector<std::unique_ptr<Pest>> pests;
    pests.push_back(std::make_unique<Pest>("a message over 4 KiB", umpire, [](QWebSocket& s) {
        s.sendTextMessage(QString(5000, 'x'));
    }));
    pests.push_back(std::make_unique<Pest>("malformed JSON", force1, [](QWebSocket& s) {
        s.sendTextMessage("{\"mark\": {\"force\": 1,");
    }));
    pests.push_back(std::make_unique<Pest>("an unknown request", force1, [](QWebSocket& s) {
        s.sendTextMessage("{\"surrender\": {}}");
    }));
    pests.push_back(std::make_unique<Pest>("a binary message", umpire, [](QWebSocket& s) {
        s.sendBinaryMessage(QByteArray(100, '\0'));
    }));
    pests.push_back(std::make_unique<Pest>("30 refused marks at once, past the rate", force1,
                                           [](QWebSocket& s) {
                                               for (int i = 0; i < 30; ++i)
                                                   s.sendTextMessage(Mark(2, "Seydlitz"));
                                           }));
    pests.push_back(
        std::make_unique<Pest>("next turn from a force's seat", force1, [](QWebSocket& s) {
            for (int i = 0; i < 30; ++i) s.sendTextMessage("{\"next-turn\": {}}");
        }));
    const QUrl page = served.Links()["umpire"];
    std::vector<std::unique_ptr<RawRequester>> raw;
    raw.push_back(std::make_unique<RawRequester>(
        "20 heads that never end", QHostAddress("127.0.0.1"), page, Get(token), false, 20));
    raw.push_back(std::make_unique<RawRequester>("wrong tokens (from 127.0.0.2)",
                                                 QHostAddress("127.0.0.2"), page,
                                                 Get("/0123456789abcdef0123456789abcdef/"), true));
    raw.push_back(std::make_unique<RawRequester>("%2e%2e out of the page's files",
                                                 QHostAddress("127.0.0.1"), page,
                                                 Get(token + "%2e%2e/%2e%2e/etc/passwd"), true));
    raw.push_back(std::make_unique<RawRequester>("an encoded slash", QHostAddress("127.0.0.1"),
                                                 page, Get(token + "page.js%2f..%2f..%2fgame.json"),
                                                 true));

    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    const std::string load = LoadAverage();
    std::printf("share_hostile: %d s; load %s\n", seconds, load.c_str());
    for (const auto& pest : pests) pest->Report();
    for (const auto& requester : raw) requester->Report();
    pests.clear();
    raw.clear();
    served.Stop();

    QFile file(served.GamePath());
    file.open(QIODevice::ReadOnly);
    const QJsonObject game = QJsonDocument::fromJson(file.readAll()).object();
    const bool unchanged = game["ships"].toArray().isEmpty() && game["log"].toArray().isEmpty() &&
                           game["turn"].toInt() == 1;
    std::printf("  game unchanged: %s\n", unchanged ? "yes" : "NO");
    return unchanged ? 0 : 1;
}
