// brinnow-cli game serve: shares a game with the players' phones until it
// is told to stop. It runs in the drawing companion, which starts Qt's GUI
// libraries, for the cards the page shows are drawn.
#include <QCoreApplication>
#include <QSocketNotifier>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "cli/gamesupport.h"
#include "game/gamefilelock.h"
#include "game/gamesession.h"
#include "game/scenariosnapshot.h"
#include "share/localaddress.h"
#include "share/qrcode.h"
#include "platform/stopsignals.h"
#include "share/sharehost.h"

namespace {

constexpr const char* kServeUsage =
    "usage: brinnow-cli game serve GAME [--listen ADDRESS] [--port N] [--qr]";

// SIGINT, SIGTERM and SIGHUP end the event loop between two changes, so
// that the game file is always whole.
void QuitOnStopSignals(QObject* owner) {
    auto* notifier =
        new QSocketNotifier(StopSignals::WakeDescriptor(), QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [] { QCoreApplication::quit(); });
}

bool ReadPort(const CommandLine& line, quint16& port) {
    const std::string text = line.Value("--port").value_or("");
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int number = std::stoi(text);
    port = quint16(number);
    return number <= 65535;
}

bool PrintSeats(const ShareHost& host, bool withCodes) {
    std::string text;
    for (const Seat& seat : host.Seats()) {
        const QByteArray link = host.Link(seat).toEncoded();
        text += seat.key.toStdString() + "\t" + link.toStdString() + "\n";
        if (withCodes) text += QrCode(link).AsText().toStdString();
    }
    return PrintToStandardOutput(text);
}

}  // namespace

int CommandServeGame(const std::vector<std::string>& args) {
    const CommandLine line(args, {"--listen", "--port"}, {"--qr"});
    if (!line.Ok()) return UsageError(line.Error());
    const auto& words = line.Positional();
    if (words.size() != 2 || words[0] != "serve") return UsageError(kServeUsage);
    QHostAddress address = DefaultShareAddress();
    if (line.Value("--listen") && !address.setAddress(QString::fromStdString(*line.Value("--listen"))))
        return UsageError("\"" + line.Value("--listen")->substr(0, 60) + "\" is not an IP address.");
    quint16 port = ShareHost::kDefaultPort;
    if (line.Value("--port") && !ReadPort(line, port))
        return UsageError("The port must be a whole number from 0 to 65535.");

    const std::string& gamePath = words[1];
    // The host is the game's one writer for as long as it shares it.
    DocumentLock lock;
    std::string lockError;
    if (!LockGameFile(gamePath, lock, kGameLockPatience, lockError)) return Fail(lockError);
    Game game;
    CommandDocument doc;
    const VxScenario* scenario = LoadGameWithScenario(gamePath, game, doc);
    if (scenario == nullptr) return kFailure;
    WarnMissingShips(game, *scenario);
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, *scenario);
    GameSession session(std::move(game), gamePath);
    session.HoldLock(std::move(lock));

    QObject owner;
    ShareHost host(snapshot, session);
    QString error;
    if (!host.Start(address, port, !line.Value("--port"), error)) return Fail(error.toStdString());
    if (!PrintSeats(host, line.Flag("--qr"))) return kFailure;
    QuitOnStopSignals(&owner);
    QCoreApplication::exec();
    return 0;
}
