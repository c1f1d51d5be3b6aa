// The shared table under load: CLIENTS devices spread over the seats of the
// sample's Dogger Bank, each toggling a place of its own RATE times a second
// for SECONDS against brinnow-cli game serve on the loopback. Prints the time
// from a device's message to each other allowed device's receipt of the
// change (median, 99th percentile, worst), the host's memory per connection,
// and whether the game file, every device's view and the log agree.
//
//   share_bench BRINNOW_CLI CAMPAIGN [CLIENTS] [RATE] [SECONDS] [HOST]
//
// HOST, when given, serves in place of brinnow-cli game serve, with the same
// arguments (sharetable_host: the table window); what it says on stderr is
// passed on.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "bench/loadaverage.h"
#include "bench/servedgame.h"

namespace {

// A place of a ship that one device alone toggles.
struct Owned {
    int force = 0;
    QString ship;
    QString place;
    QString Key() const { return QString::number(force) + '|' + ship + '|' + place; }
};

struct Device {
    std::unique_ptr<QWebSocket> socket;
    int force = 0;  // 0 for the umpire
    Owned owned;
    int sent = 0;
    std::map<QString, QStringList> marks;  // its view: ship key -> marks
    std::map<QString, int> heard;          // log entries heard, by owned place
};

long ResidentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ')[0].toLong();
    }
    return 0;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

QString ShipKey(const QJsonObject& ship) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(ship["force"].toInt())
        .arg(ship["squadron"].toInt())
        .arg(ship["role"].toString())
        .arg(ship["position"].toInt())
        .arg(ship["name"].toString());
}

struct Receipt {
    Device* device;
    qint64 at;  // ns since the start
    QString text;
};

using Sends = std::map<QString, std::vector<qint64>>;  // owned key -> sent times

// Each device's view from its messages, and the time from each change's
// sending to its arrival at every device but the sender.
std::vector<double> ReadReceipts(const std::vector<Receipt>& receipts, const Sends& sends) {
    std::vector<double> latencies;
    for (const Receipt& receipt : receipts) {
        Device* d = receipt.device;
        const QJsonObject message = QJsonDocument::fromJson(receipt.text.toUtf8()).object();
        const QJsonObject body = message.contains("changed") ? message["changed"].toObject()
                                                             : message["game"].toObject();
        for (const QJsonValue ship : body["ships"].toArray()) {
            QStringList marks;
            for (const QJsonValue mark : ship["marks"].toArray()) marks << mark.toString();
            d->marks[ShipKey(ship.toObject())] = marks;
        }
        if (!message.contains("changed")) continue;
        for (const QJsonValue entry : body["log"].toArray()) {
            const QString key =
                Owned{entry["force"].toInt(), entry["ship"].toString(), entry["mark"].toString()}
                    .Key();
            const int k = d->heard[key]++;
            const auto sent = sends.find(key);
            if (d->owned.Key() != key && sent != sends.end() && k < int(sent->second.size())) {
                latencies.push_back(double(receipt.at - sent->second[std::size_t(k)]) / 1e6);
            }
        }
    }
    return latencies;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: share_bench BRINNOW_CLI CAMPAIGN [CLIENTS] [RATE] [SECONDS] [HOST]\n");
        return 2;
    }
    const QString cli = args[1];
    const int clients = args.value(3, "50").toInt();
    const int rate = args.value(4, "5").toInt();
    const int seconds = args.value(5, "60").toInt();
    ServedGame served;
    if (!served.Start(cli, args[2], args.value(6, cli))) return 1;
    const long idleKb = ResidentKb(served.HostId());

    // The ships each force commands, from the first device's seat message.
    std::vector<std::unique_ptr<Device>> devices;
    std::map<int, QStringList> shipsOf;
    const QStringList places = {
        "fire-control", "damage-control", "bridge", "rudder", "aa",     "af1",   "af2", "af3",
        "af4",          "speed1",         "speed2", "speed3", "speed4", "speed5"};
    shipsOf[1] = {"Tiger", "Arethusa"};
    shipsOf[2] = {"Seydlitz", "Derfflinger", "Moltke", "Blücher"};
    Sends sends;
    std::vector<Receipt> receipts;
    QElapsedTimer clock;
    clock.start();
    int joined = 0;
    for (int i = 0; i < clients; ++i) {
        auto device = std::make_unique<Device>();
        device->force = i % 3;  // umpire, force 1, force 2 in turn
        const int shipForce = device->force == 0 ? 1 + (i / 3) % 2 : device->force;
        const QStringList& ships = shipsOf[shipForce];
        device->owned = {shipForce, ships[(i / 3) % ships.size()], places[(i / 6) % places.size()]};
        device->socket = std::make_unique<QWebSocket>();
        Device* d = device.get();
        QObject::connect(d->socket.get(), &QWebSocket::connected, [&joined] { ++joined; });
        // A phone reads its own messages; fifty of them read in one process
        // here, so each is only kept on arrival and read after the run.
        QObject::connect(d->socket.get(), &QWebSocket::textMessageReceived,
                         [&, d](const QString& text) {
                             receipts.push_back({d, clock.nsecsElapsed(), text});
                         });
        d->socket->open(served.WebSocketUrl(
            device->force == 0 ? "umpire" : QStringLiteral("force %1").arg(device->force)));
        devices.push_back(std::move(device));
    }
    QElapsedTimer waiting;
    waiting.start();
    while (joined < clients && waiting.elapsed() < 20'000)
        app.processEvents(QEventLoop::WaitForMoreEvents, 100);
    const long busyKb = ResidentKb(served.HostId());

    std::vector<std::unique_ptr<QTimer>> timers;
    for (auto& device : devices) {
        auto timer = std::make_unique<QTimer>();
        Device* d = device.get();
        QObject::connect(timer.get(), &QTimer::timeout, [&, d] {
            const QJsonObject mark{{"force", d->owned.force},
                                   {"ship", d->owned.ship},
                                   {"places", QJsonArray{d->owned.place}}};
            sends[d->owned.Key()].push_back(clock.nsecsElapsed());
            d->socket->sendTextMessage(
                QJsonDocument(QJsonObject{{"mark", mark}}).toJson(QJsonDocument::Compact));
            ++d->sent;
        });
        timer->start(1000 / rate);
        timers.push_back(std::move(timer));
    }
    QTimer::singleShot(seconds * 1000, &app, [&] { timers.clear(); });
    while (!timers.empty()) app.processEvents(QEventLoop::WaitForMoreEvents, 100);
    // Let the last changes arrive.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 5000) app.processEvents(QEventLoop::WaitForMoreEvents, 100);
    served.Stop();
    const std::vector<double> latencies = ReadReceipts(receipts, sends);

    QFile file(served.GamePath());
    file.open(QIODevice::ReadOnly);
    const QJsonObject saved = QJsonDocument::fromJson(file.readAll()).object();
    std::map<QString, QStringList> onDisk;
    for (const QJsonValue ship : saved["ships"].toArray()) {
        QStringList marks;
        for (const QJsonValue mark : ship["marks"].toArray()) marks << mark.toString();
        onDisk[ShipKey(ship.toObject())] = marks;
    }
    std::map<QString, int> logged;
    for (const QJsonValue entry : saved["log"].toArray()) {
        ++logged[Owned{entry["force"].toInt(), entry["ship"].toString(), entry["mark"].toString()}
                     .Key()];
    }
    int sent = 0, disagreeing = 0;
    std::map<QString, int> sentBy;
    for (const auto& device : devices) {
        sent += device->sent;
        sentBy[device->owned.Key()] += device->sent;
        // Every ship the device may see, as it saw it last, against the file.
        std::map<QString, QStringList> seen = onDisk;
        for (const auto& viewedShip : device->marks) seen.try_emplace(viewedShip.first);
        for (const auto& ship : seen) {
            const QString& key = ship.first;
            const int force = key.section('|', 0, 0).toInt();
            const auto viewed = device->marks.find(key);
            const QStringList view = viewed == device->marks.end() ? QStringList() : viewed->second;
            const QStringList file = onDisk.count(key) ? onDisk.at(key) : QStringList();
            if ((device->force == 0 || device->force == force) && view != file) ++disagreeing;
        }
    }
    const bool logAgrees = sentBy == logged;
    std::printf("share_bench: %d clients, %d messages a second each, %d s; load %s\n", clients,
                rate, seconds, LoadAverage().c_str());
    std::printf("  messages sent %d, logged %d, log agrees with what was sent: %s\n", sent,
                int(saved["log"].toArray().size()), logAgrees ? "yes" : "NO");
    std::printf("  devices whose view differs from the game file: %d\n", disagreeing);
    std::printf(
        "  to every other allowed device: median %.1f ms, 99th percentile %.1f ms, "
        "worst %.1f ms (%zu receipts)\n",
        Percentile(latencies, 0.5), Percentile(latencies, 0.99), Percentile(latencies, 1.0),
        latencies.size());
    std::printf("  host memory: %ld KiB idle, %ld KiB with %d devices: %.0f KiB each\n", idleKb,
                busyKb, joined, joined ? double(busyKb - idleKb) / joined : 0.0);
    return logAgrees && disagreeing == 0 ? 0 : 1;
}
