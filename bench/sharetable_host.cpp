// The table window sharing its game, for share_bench to load: it opens the
// game file's game in a table window, shares it on the loopback, prints each
// seat and its link as brinnow-cli game serve does, and keeps a heartbeat
// timer going. When told to stop it prints the longest the window's event
// loop went without its heartbeat: the longest stall a player at the table
// window would feel.
//
//   sharetable_host game serve GAME --listen 127.0.0.1 --port 0
#include <QApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "game/campaignpath.h"
#include "game/gamefile.h"
#include "platform/stopsignals.h"
#include "share/sharehost.h"
#include "table/gameopener.h"
#include "table/sharetablewindow.h"
#include "table/tablewindow.h"

namespace {

constexpr int kHeartbeatMs = 2;

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: sharetable_host game serve GAME\n");
        return 2;
    }
    const QString gamePath = args[3];
    Game game;
    std::string error;
    if (!ReadGameFile(gamePath.toStdString(), game, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::string campaign = CampaignPathOf(game.campaign, gamePath.toStdString());
    CBrinnowDoc doc;
    if (!doc.OnOpenDocument(campaign)) return 1;
    TableWindow* window = OpenGame(nullptr, doc, campaign, gamePath);
    if (window == nullptr) return 1;
    window->ShareTable();
    window->ShareWindow()->ShareOn(QHostAddress(QHostAddress::LocalHost));
    ShareHost& host = *window->Host();
    for (const Seat& seat : host.Seats()) {
        std::printf("%s\t%s\n", seat.key.toUtf8().constData(),
                    host.Link(seat).toEncoded().constData());
    }
    std::fflush(stdout);

    std::vector<double> gaps;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back(double(now - last) / 1e6);
        last = now;
    });
    heartbeat.start(kHeartbeatMs);
    StopSignals::Catch();
    QSocketNotifier stop(StopSignals::WakeDescriptor(), QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, [] { QApplication::quit(); });
    QApplication::exec();
    std::fprintf(stderr,
                 "table window's event loop, heartbeat every %d ms: gap median %.1f ms, "
                 "99.9th percentile %.1f ms, longest %.1f ms (%zu beats)\n",
                 kHeartbeatMs, Percentile(gaps, 0.5), Percentile(gaps, 0.999),
                 Percentile(gaps, 1.0), gaps.size());
    delete window;
    return 0;
}
