// The shared table over the network: real WebSocket clients and raw HTTP
// requests against a real host on the loopback.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <memory>

#include "game/gamefile.h"
#include "game/gamesession.h"
#include "game/scenariosnapshot.h"
#include "share/messagerate.h"
#include "share/sharegate.h"
#include "share/sharehost.h"
#include "tests/game/gamefixture.h"
#include "tests/share/sharedevice.h"

namespace {

constexpr int kWaitMs = ShareDevice::kWaitMs;

// An answer to one raw request: its status line and body.
struct Answer {
    QByteArray head;
    QByteArray body;
    bool answered = false;
};

}  // namespace

class SharedTableProtocol : public ::testing::Test {
  protected:
    SharedTableProtocol()
        : m_doc(GameCampaign()),
          m_snapshot(ScenarioSnapshot::Of(m_doc, m_doc.m_scenarios[0])),
          m_session(Game(), m_dir.filePath("game.json").toStdString()) {
        std::string error;
        EXPECT_TRUE(m_session.Save(error)) << error;
        m_host = std::make_unique<ShareHost>(m_snapshot, m_session);
        QString failure;
        EXPECT_TRUE(m_host->Start(QHostAddress::LocalHost, 0, false, failure))
            << failure.toStdString();
    }

    QUrl Link(int seat) const { return m_host->Link(m_host->Seats()[std::size_t(seat)]); }
    // Joins and takes the two greetings.
    std::unique_ptr<ShareDevice> Join(int seat) {
        auto device = std::make_unique<ShareDevice>(Link(seat));
        EXPECT_TRUE(device->WaitForMessages(2));
        return device;
    }
    Game GameOnDisk() const {
        Game game;
        std::string error;
        EXPECT_TRUE(ReadGameFile(m_session.Path(), game, error)) << error;
        return game;
    }
    Answer Request(const QByteArray& target) { return Raw("GET " + target + " HTTP/1.1\r\nHost: x\r\n\r\n"); }
    Answer Raw(const QByteArray& request) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_host->Port());
        if (!socket.waitForConnected(kWaitMs)) return {};
        socket.write(request);
        QByteArray all;
        [[maybe_unused]] const bool closed = QTest::qWaitFor([&] {
            all += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        }, kWaitMs);
        all += socket.readAll();
        const qsizetype end = all.indexOf("\r\n\r\n");
        return {all.left(end), all.mid(end + 4), end > 0};
    }
    QByteArray Path(int seat) const { return Link(seat).path().toLatin1(); }

    QTemporaryDir m_dir;
    CBrinnowDoc m_doc;
    ScenarioSnapshot m_snapshot;
    GameSession m_session;
    std::unique_ptr<ShareHost> m_host;
};

TEST_F(SharedTableProtocol, AMarkIsOnDiskThenToldToTheSeatsThatMaySeeIt) {
    auto umpire = Join(0);
    auto home = Join(1);
    auto away = Join(2);
    const QJsonObject seat = home->Message(0).value("seat").toObject();
    EXPECT_EQ(seat.value("name"), "force 1");
    EXPECT_EQ(seat.value("title"), QStringLiteral("Force 1 — Home"));
    EXPECT_TRUE(seat.value("places").toObject().contains("box18"));
    EXPECT_EQ(home->Message(1).value("game").toObject().value("format"), "brinnow-game");

    home->Send(R"({"mark": {"force": 1, "ship": "Bravo", "places": ["box7", "bridge"]}})");
    ASSERT_TRUE(home->WaitForMessages(3));
    EXPECT_NE(GameOnDisk().MarksOf(m_snapshot.roster[1].place, "Bravo"), nullptr);
    const QJsonObject changed = home->Message(2).value("changed").toObject();
    ASSERT_EQ(changed.value("ships").toArray().size(), 1);
    const QJsonObject bravo = changed.value("ships").toArray()[0].toObject();
    EXPECT_EQ(bravo.value("name"), "Bravo");
    EXPECT_EQ(bravo.value("marks").toArray(), QJsonArray({"bridge", "box7"}));
    ASSERT_TRUE(umpire->WaitForMessages(3));
    EXPECT_EQ(umpire->Message(2), home->Message(2));

    // The umpire starts the next turn: the first thing force 2 hears.
    umpire->Send(R"({"next-turn": {}})");
    ASSERT_TRUE(away->WaitForMessages(3));
    const QJsonObject turn = away->Message(2).value("changed").toObject();
    EXPECT_EQ(turn.value("turn"), 2);
    EXPECT_TRUE(turn.value("ships").toArray().isEmpty());
    EXPECT_EQ(GameOnDisk().Turn(), 2);

    // Two at once: both marks land, once each, told together or one by one.
    home->Send(R"({"mark": {"force": 1, "ship": "Echo", "places": ["box1"]}})");
    umpire->Send(R"({"mark": {"force": 2, "ship": "Golf", "places": ["box1"]}})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_session.GetGame().Log().size() == 4; }, kWaitMs));
    QStringList logged;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        logged.clear();
        for (int i = 2; i < umpire->Messages().size(); ++i) {
            for (const QJsonValue entry : umpire->Message(i).value("changed").toObject().value("log").toArray())
                logged << entry.toObject().value("ship").toString();
        }
        return logged.size() >= 4;
    }, kWaitMs));
    logged.sort();
    EXPECT_EQ(logged, QStringList({"Bravo", "Bravo", "Echo", "Golf"}));
    EXPECT_EQ(GameOnDisk(), m_session.GetGame());
}

TEST_F(SharedTableProtocol, AForceSeatIsNeitherToldNorServedAnotherForcesCards) {
    auto umpire = Join(0);
    umpire->Send(
        R"({"mark": {"force": 1, "ship": "Alpha", "places": ["af1"], "role": "flagship"}})");
    ASSERT_TRUE(umpire->WaitForMessages(3));
    auto away = Join(2);  // joins after the mark
    EXPECT_FALSE(away->Messages().mid(1).join(' ').contains("af1"));  // the first names places
    // Force 2's first card is 6; the umpire's last is 7.
    for (const auto& [seat, card, status] :
         {std::tuple{2, 0, "404"}, {2, 6, "200"}, {2, 99, "404"}, {0, 7, "200"}, {0, 8, "404"}})
        EXPECT_EQ(Request(Path(seat) + "card/" + QByteArray::number(card) + ".svg").head.mid(9, 3),
                  status)
            << seat << " " << card;
}

TEST_F(SharedTableProtocol, ASeatIsRefusedWhatItMayNotDoOrTheFileCannotTakeAndNothingChanges) {
    auto home = Join(1);
    auto away = Join(2);
    const std::string before = GameJson(GameOnDisk());
    for (const char* request : {
             R"({"mark": {"force": 2, "ship": "Golf", "places": ["box1"]}})",
             R"({"next-turn": {}})",
             R"({"mark": {"force": 1, "ship": "Golf", "places": ["box1"]}})",
             R"({"mark": {"force": 1, "ship": "Alpha", "places": ["box1"], "role": "single"}})",
             R"({"mark": {"force": 3, "ship": "Golf", "places": ["box1"]}})",
             R"({"mark": {"force": 1, "ship": "Bravo", "places": ["box99"]}})",
         }) {
        const int count = int(home->Messages().size());
        home->Send(request);
        ASSERT_TRUE(home->WaitForMessages(count + 1)) << request;
        EXPECT_TRUE(home->Message(count).contains("refused")) << request;
        EXPECT_FALSE(home->Message(count).value("refused").toString().isEmpty());
    }
    EXPECT_EQ(GameJson(GameOnDisk()), before);
    EXPECT_EQ(away->Messages().size(), 2);
    EXPECT_FALSE(home->Closed());
    // Of two ships of one name in a force, the place picks one.
    away->Send(R"({"mark": {"force": 2, "ship": "Alpha", "places": ["box2"], "squadron": 0, "position": 2}})");
    ASSERT_TRUE(away->WaitForMessages(3));
    EXPECT_NE(m_session.GetGame().MarksOf(m_snapshot.roster[7].place, "Alpha"), nullptr);

    // A change the file cannot take is refused as well, and told to no one.
    auto umpire = Join(0);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(m_session.Path())));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(m_session.Path())));
    const int told = int(home->Messages().size());
    home->Send(R"({"mark": {"force": 1, "ship": "Echo", "places": ["box1"]}})");
    ASSERT_TRUE(home->WaitForMessages(told + 1));
    EXPECT_TRUE(home->Message(told).value("refused").toString().contains("could not be written"));
    EXPECT_EQ(m_session.GetGame().MarksOf(m_snapshot.roster[4].place, "Echo"), nullptr);
    umpire->Send(R"({"next-turn": {}})");
    ASSERT_TRUE(umpire->WaitForMessages(3));
    EXPECT_TRUE(umpire->Message(2).contains("refused"));
    EXPECT_EQ(home->Messages().size(), told + 1);
    EXPECT_EQ(m_session.GetGame().Turn(), 1);
}

// A client dropped for breaking a limit is told why and heard no more: what
// it sent after the breach changes nothing, it leaves its seat's devices, and
// the others at its seat and elsewhere play on.
TEST_F(SharedTableProtocol, AClientBreakingALimitIsDroppedAloneAndTheOthersPlayOn) {
    auto umpire = Join(0);
    auto home = Join(1);
    home->Send(R"({"device": {"name": "Anna"}})");
    const QByteArray afterwards = R"({"mark": {"force": 1, "ship": "Echo", "places": ["rudder"]}})";
    const QByteArray unknown(60, 'q');
    const struct {
        QByteArrayList breach;
        QString why;
        bool binary = false;
    } cases[] = {
        {{QByteArray(R"({"device": {"name": ")") + QByteArray(5000, 'x') + "\"}}"}, {}},
        {{"{\"mark\": "}, "not a JSON object"},
        {{"{\"" + unknown + "\": {}}"}, "There is no request \"" + unknown.left(40) + "\"."},
        {{afterwards}, "text", true},
        {QByteArrayList(MessageRate::kPerSecond, R"({"device": {"name": "Chatty"}})"),
         "20 messages"},
    };
    const auto devices = [&] { return m_host->Devices(m_host->Seats()[1]); };
    int told = 2;
    for (const auto& [breach, why, binary] : cases) {
        auto breaker = Join(1);
        breaker->Send(R"({"device": {"name": "Breaker"}})");
        ASSERT_TRUE(QTest::qWaitFor([&] { return devices().size() == 2; }, kWaitMs));
        for (const QByteArray& message : breach) {
            if (binary) breaker->SendBinary(message);
            else breaker->Send(message);
        }
        for (int i = 0; i < 3; ++i) breaker->Send(afterwards);
        ASSERT_TRUE(breaker->WaitForClose()) << breach[0].left(20).constData();
        EXPECT_NE(breaker->CloseCode(), QWebSocketProtocol::CloseCodeNormal);
        EXPECT_TRUE(breaker->CloseReason().contains(why)) << breaker->CloseReason().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return devices() == QStringList{"Anna"}; }, kWaitMs));
        // The others' next mark is told to them, after all the breaker sent.
        home->Send(R"({"mark": {"force": 1, "ship": "Bravo", "places": ["box)" +
                   QByteArray::number(told - 1) + "\"]}}");
        ++told;
        ASSERT_TRUE(home->WaitForMessages(told));
        ASSERT_TRUE(umpire->WaitForMessages(told));
        EXPECT_EQ(breaker->Messages().size(), 2);
    }
    EXPECT_EQ(m_session.GetGame().MarksOf(m_snapshot.roster[4].place, "Echo"), nullptr);
    EXPECT_EQ(GameOnDisk().Log().size(), std::size(cases));
    EXPECT_FALSE(home->Closed() || umpire->Closed());
    // Phones come and go all evening: one that left, or was dropped, gives
    // its place back, or the table would fill with the gone.
    umpire.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_host->Connections() == 1; }, kWaitMs))
        << m_host->Connections() << " places taken";
}

TEST_F(SharedTableProtocol, OnlyThePagesFilesAreServedAndOnlyUnderATokenWithSafeHeaders) {
    const Answer page = Request(Path(1));
    EXPECT_TRUE(page.head.startsWith("HTTP/1.1 200")) << page.head.constData();
    EXPECT_TRUE(page.head.contains("Content-Security-Policy: default-src 'none'"));
    EXPECT_TRUE(page.head.contains("X-Content-Type-Options: nosniff"));
    EXPECT_TRUE(page.head.contains("Cache-Control: no-store"));
    EXPECT_TRUE(page.body.contains("<html") || page.body.contains("<!DOCTYPE html>"));
    EXPECT_TRUE(Request(Path(1) + "page.js").head.startsWith("HTTP/1.1 200"));
    const QByteArray wrongToken = "/" + QByteArray(32, 'a') + "/";
    // Which targets are refused is the parser's to say; here each is a bare 404.
    for (const QByteArray& target : {wrongToken, QByteArray("/page.js"), Path(1) + "../"}) {
        const Answer answer = Request(target);
        EXPECT_TRUE(answer.head.startsWith("HTTP/1.1 404")) << target.constData();
        EXPECT_TRUE(answer.body.isEmpty());
        EXPECT_TRUE(answer.head.contains("Content-Length: 0"));
        EXPECT_TRUE(answer.head.contains("X-Content-Type-Options: nosniff"));
    }
    // A WebSocket with a wrong token is a 404 as well, not a handshake.
    const Answer socket = Raw("GET " + wrongToken + "ws HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\n"
                              "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                              "Sec-WebSocket-Version: 13\r\n\r\n");
    EXPECT_TRUE(socket.head.startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(Raw("\r\n\r\n").head.startsWith("HTTP/1.1 404")) << "a head of nothing";
    EXPECT_EQ(Request(wrongToken).head, Request("/").head) << "a wrong token is told as a missing one";
}

TEST_F(SharedTableProtocol, TenWrongTokensShutAnAddressOutEvenWithTheRightOne) {
    // A name the page lacks, under the right token, is no guess.
    for (int i = 0; i < 12; ++i) Request(Path(1) + "favicon.ico");
    EXPECT_TRUE(Request(Path(1)).head.startsWith("HTTP/1.1 200"));
    for (int i = 0; i < 10; ++i) Request("/" + QByteArray(32, 'b') + "/");
    const Answer refused = Request(Path(1));
    EXPECT_FALSE(refused.answered);
    ShareDevice device(Link(1));
    EXPECT_TRUE(device.WaitForClose());
    EXPECT_TRUE(device.Messages().isEmpty());
}

// The gate alone, with its time for a head cut short: a head that never ends
// is dropped unanswered, while one that ends in time is let through.
TEST(ShareGateTimeout, AHeadNotCompleteInTimeIsDroppedUnanswered) {
    ShareGate gate([](QByteArrayView) { return true; });
    gate.SetHeadTimeout(200);
    ASSERT_TRUE(gate.listen(QHostAddress::LocalHost, 0));
    QSignalSpy handedOver(&gate, &ShareGate::webSocketRequested);
    QTcpSocket slow, prompt;
    slow.connectToHost(QHostAddress::LocalHost, gate.serverPort());
    prompt.connectToHost(QHostAddress::LocalHost, gate.serverPort());
    ASSERT_TRUE(slow.waitForConnected(kWaitMs) && prompt.waitForConnected(kWaitMs));
    slow.write("GET /" + QByteArray(32, 'a') + "/ws HTTP/1.1\r\nHost: x\r\n");
    prompt.write("GET /" + QByteArray(32, 'a') + "/ws HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return slow.state() == QAbstractSocket::UnconnectedState; },
                                kWaitMs));
    EXPECT_TRUE(slow.readAll().isEmpty());
    EXPECT_EQ(handedOver.count(), 1);
}

// The tool shares a game file until it is stopped; a kill loses nothing told.
class ServedGame : public ::testing::Test {
  protected:
    ServedGame() {
        QProcess make;
        make.start(BRINNOW_CLI, {"game", "new", BRINNOW_TEST_DATA "/../../res/sample/campaign.brn",
                                 "Dogger Bank", "-o", m_game});
        EXPECT_TRUE(make.waitForFinished(kWaitMs) && make.exitCode() == 0);
    }
    ~ServedGame() override {
        m_server.kill();
        m_server.waitForFinished(kWaitMs);
    }

    // Starts serving; the seats' links by seat.
    QMap<QString, QUrl> Serve(
        const QStringList& options = {"--listen", "127.0.0.1", "--port", "0"}) {
        m_server.start(BRINNOW_CLI, QStringList{"game", "serve", m_game} + options);
        QMap<QString, QUrl> links;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            while (m_server.canReadLine()) {
                const QStringList seat = QString::fromUtf8(m_server.readLine()).trimmed().split('\t');
                if (seat.size() == 2) links.insert(seat[0], QUrl(seat[1]));
            }
            return links.size() == 3 || m_server.state() == QProcess::NotRunning;
        }, kWaitMs));
        return links;
    }

    QTemporaryDir m_dir;
    QString m_game = m_dir.filePath("dogger.json");
    QProcess m_server;
};

TEST_F(ServedGame, AKilledHostKeepsEveryToldChangeAndSharingAgainContinuesIt) {
    QMap<QString, QUrl> links = Serve();
    ASSERT_EQ(links.keys(), QStringList({"force 1", "force 2", "umpire"}));
    EXPECT_TRUE(links["umpire"].path().size() == 34);
    {
        ShareDevice captain(links["force 1"]);
        ASSERT_TRUE(captain.WaitForMessages(2));
        captain.Send(R"({"mark": {"force": 1, "ship": "Lion", "places": ["box7"]}})");
        ASSERT_TRUE(captain.WaitForMessages(3));
        m_server.kill();
        ASSERT_TRUE(m_server.waitForFinished(kWaitMs));
    }
    Game game;
    std::string error;
    ASSERT_TRUE(ReadGameFile(m_game.toStdString(), game, error)) << error;
    ASSERT_EQ(game.Ships().size(), 1u);
    EXPECT_EQ(game.Ships()[0].name, "Lion");

    const QMap<QString, QUrl> again = Serve();
    ASSERT_EQ(again.size(), 3);
    EXPECT_NE(again["force 1"], links["force 1"]) << "every share makes new links";
    ShareDevice umpire(again["umpire"]);
    ASSERT_TRUE(umpire.WaitForMessages(2));
    const QJsonArray ships = umpire.Message(1).value("game").toObject().value("ships").toArray();
    ASSERT_EQ(ships.size(), 1);
    EXPECT_EQ(ships[0].toObject().value("marks").toArray(), QJsonArray({"box7"}));
    m_server.terminate();
    ASSERT_TRUE(m_server.waitForFinished(kWaitMs));
    EXPECT_EQ(m_server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_server.exitCode(), 0);
    EXPECT_TRUE(umpire.WaitForClose());
}

// Without --port, a taken default port gives way to another; a port asked
// for is that one or none.
TEST_F(ServedGame, ATakenDefaultPortGivesWayButAPortAskedForDoesNot) {
    QTcpServer squatter;  // another test may hold the default port a moment
    const auto hold = [&] {
        return squatter.listen(QHostAddress::LocalHost, ShareHost::kDefaultPort);
    };
    ASSERT_TRUE(QTest::qWaitFor(hold, kWaitMs));
    const QMap<QString, QUrl> links = Serve({"--listen", "127.0.0.1"});
    ASSERT_EQ(links.size(), 3);
    EXPECT_NE(links["umpire"].port(), ShareHost::kDefaultPort);
    ShareDevice umpire(links["umpire"]);
    EXPECT_TRUE(umpire.WaitForMessages(2));
    m_server.terminate();
    ASSERT_TRUE(m_server.waitForFinished(kWaitMs));

    QProcess asked;
    const QString taken = QString::number(squatter.serverPort());
    asked.start(BRINNOW_CLI, {"game", "serve", m_game, "--listen", "127.0.0.1", "--port", taken});
    ASSERT_TRUE(asked.waitForFinished(kWaitMs));
    EXPECT_NE(asked.exitCode(), 0);
    EXPECT_TRUE(asked.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(asked.readAllStandardError().contains(taken.toLatin1()));

    // A port or an address it cannot take, or an option it does not know, is a usage error.
    for (const QStringList& options :
         {QStringList{"--port", "65536"}, QStringList{"--port", "-1"},
          QStringList{"--listen", "my-laptop"}, QStringList{"--qr", "x"}}) {
        QProcess serve;
        serve.start(BRINNOW_CLI, QStringList{"game", "serve", m_game} + options);
        ASSERT_TRUE(serve.waitForFinished(kWaitMs));
        EXPECT_EQ(serve.exitCode(), 2) << options.join(' ').toStdString();
        EXPECT_TRUE(serve.readAllStandardOutput().isEmpty());
    }
}
