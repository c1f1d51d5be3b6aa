// The shared table: its parts that need no network (links, limits, the
// reader of clients' messages and what each seat is told), then the whole
// over the network, with real WebSocket clients and raw HTTP requests
// against a real host on the loopback.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <memory>
#include <set>

#include "game/gamefile.h"
#include "game/gamesession.h"
#include "game/marknames.h"
#include "game/scenariosnapshot.h"
#include "print/cardgeometry.h"
#include "share/addressguard.h"
#include "share/cardpicture.h"
#include "share/clientmessage.h"
#include "share/gamechanges.h"
#include "share/messagerate.h"
#include "share/qrcode.h"
#include "share/requesttarget.h"
#include "share/seatlist.h"
#include "share/seattoken.h"
#include "share/seatview.h"
#include "share/sharegate.h"
#include "share/sharehost.h"
#include "tests/game/gamefixture.h"
#include "tests/share/sharedevice.h"

namespace {

const QByteArray kToken = "0123456789abcdef0123456789abcdef";
constexpr int kWaitMs = ShareDevice::kWaitMs;

QString Text(const QJsonObject& message) {
    return QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
}

// An answer to one raw request: its status line and body.
struct Answer {
    QByteArray head;
    QByteArray body;
    bool answered = false;
};

}  // namespace

TEST(SeatLinks, TokensAreNewEachTimeAndCompareOnlyWhenWhollyEqual) {
    std::set<QByteArray> tokens;
    for (int i = 0; i < 100; ++i) {
        const QByteArray token = NewSeatToken();
        ASSERT_EQ(token.size(), 32);
        EXPECT_EQ(token.toLower(), token);
        EXPECT_FALSE(QByteArray::fromHex(token).toHex() != token);
        tokens.insert(token);
    }
    EXPECT_EQ(tokens.size(), 100u);
    EXPECT_TRUE(SameToken(kToken, QByteArray(kToken)));
    for (const QByteArray& other :
         {kToken.left(31) + "0", "1" + kToken.mid(1), kToken.left(31), QByteArray()})
        EXPECT_FALSE(SameToken(kToken, other)) << other.constData();

    const CBrinnowDoc doc = GameCampaign();
    const SeatList seats(doc.m_scenarios[0]);
    ASSERT_EQ(seats.Seats().size(), 3u);
    EXPECT_EQ(seats.Seats()[0].key, "umpire");
    EXPECT_EQ(seats.Seats()[1].title, QStringLiteral("Force 1 — Home"));
    EXPECT_EQ(seats.Seats()[2].key, "force 2");
    EXPECT_EQ(seats.Find(seats.Seats()[2].token), &seats.Seats()[2]);
    EXPECT_EQ(seats.Find(kToken), nullptr);
    EXPECT_EQ(seats.Find({}), nullptr);
    EXPECT_NE(SeatList(doc.m_scenarios[0]).Seats()[1].token, seats.Seats()[1].token);
}

TEST(SeatLinks, OnlyThePagesOwnNamesUnderATokenAreTargets) {
    for (const char* name : {"", "page.js", "page.css", "ws", "card/0.svg", "card/12345.svg"}) {
        const auto target = RequestTarget::Parse("/" + kToken + "/" + name);
        ASSERT_TRUE(target) << name;
        EXPECT_EQ(target->token, kToken);
        EXPECT_EQ(target->name, name);
    }
    EXPECT_EQ(RequestTarget::Parse("/" + kToken + "/card/17.svg")->Card(), 17);
    EXPECT_EQ(RequestTarget::Parse("/" + kToken + "/page.js")->Card(), -1);
    EXPECT_TRUE(RequestTarget::Parse("/" + kToken + "/ws")->IsWebSocket());
    for (const QByteArray& wrong :
         {"/" + kToken, "/" + kToken + "//", "/" + kToken + "/../page.js",
          "/" + kToken + "/%2e%2e/page.js", "/" + kToken + "%2Fpage.js",
          "/" + kToken + "/page.js?x=1", "/" + kToken + "/card/01.svg",
          "/" + kToken + "/card/123456.svg", "/" + kToken + "/card/-1.svg",
          "/" + kToken.toUpper() + "/", "/" + kToken.left(31) + "/", "/" + kToken + "0/",
          "/x/" + kToken + "/", "/" + kToken + "/page.js/", "/" + kToken + "/PAGE.JS",
          QByteArray("/favicon.ico"), QByteArray("/"), QByteArray(),
          "/" + kToken + "/" + QByteArray(200, 'a')}) {
        EXPECT_FALSE(RequestTarget::Parse(wrong)) << wrong.constData();
    }
}

TEST(SeatLimits, AnAddressIsRefusedForAMinuteAfterTenWrongTokens) {
    qint64 now = 5000;
    AddressGuard guard([&now] { return now; });
    const QHostAddress guesser("192.168.1.20");
    const QHostAddress player("192.168.1.21");
    for (int i = 0; i < 9; ++i) guard.CountWrong(guesser);
    EXPECT_FALSE(guard.Refuses(guesser));
    guard.CountWrong(guesser);
    EXPECT_TRUE(guard.Refuses(guesser));
    EXPECT_FALSE(guard.Refuses(player));
    now += 59'999;
    EXPECT_TRUE(guard.Refuses(guesser));
    now += 1;
    EXPECT_FALSE(guard.Refuses(guesser));
    // It starts afresh: one more wrong token is not yet ten.
    guard.CountWrong(guesser);
    EXPECT_FALSE(guard.Refuses(guesser));
}

TEST(SeatLimits, TwentyMessagesInASecondPassTheTwentyFirstDoesNot) {
    MessageRate rate;
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(rate.Admit(1000 + i * 10)) << i;
    EXPECT_FALSE(rate.Admit(1999));
    MessageRate steady;
    // Twenty a second for ten seconds, evenly: never too many.
    for (int i = 0; i < 200; ++i) EXPECT_TRUE(steady.Admit(i * 50)) << i;
    MessageRate burst;
    for (int i = 0; i < 20; ++i) burst.Admit(0);
    EXPECT_FALSE(burst.Admit(999));
    EXPECT_TRUE(burst.Admit(1000));
}

TEST(ClientMessages, MarksNextTurnAndDeviceNamesAreRead) {
    const ClientMessage mark = ClientMessage::Read(
        R"({"mark": {"force": 2, "ship": "Blücher", "places": ["box7", "sunk", "fire-control"],
            "squadron": 0, "role": "single", "position": 3}})");
    ASSERT_EQ(mark.kind, ClientMessage::Kind::Mark) << mark.reason.toStdString();
    EXPECT_EQ(mark.mark.force, 2);
    EXPECT_EQ(mark.mark.ship, QStringLiteral("Blücher"));
    EXPECT_EQ(mark.mark.places, (std::vector<CardMark>{CardMark(int(CardMark::Box1) + 6),
                                                       CardMark::Sunk, CardMark::FireControl}));
    EXPECT_EQ(mark.mark.squadron, 0);
    EXPECT_EQ(mark.mark.role, ShipRole::Single);
    EXPECT_EQ(mark.mark.position, 3);
    const ClientMessage plain =
        ClientMessage::Read(R"({"mark": {"force": 1, "ship": "Lion", "places": ["af4"]}})");
    ASSERT_EQ(plain.kind, ClientMessage::Kind::Mark);
    EXPECT_FALSE(plain.mark.squadron || plain.mark.role || plain.mark.position);
    // Every place of a card at once.
    QJsonArray every;
    for (std::size_t i = 0; i < kCardMarkCount; ++i)
        every.append(QString::fromStdString(MarkToken(CardMark(i))));
    const QJsonObject all{{"mark", QJsonObject{{"force", 1}, {"ship", "Lion"}, {"places", every}}}};
    const ClientMessage whole = ClientMessage::Read(QJsonDocument(all).toJson());
    ASSERT_EQ(whole.kind, ClientMessage::Kind::Mark) << whole.reason.toStdString();
    EXPECT_EQ(whole.mark.places.size(), kCardMarkCount);
    EXPECT_EQ(ClientMessage::Read(R"({"next-turn": {}})").kind, ClientMessage::Kind::NextTurn);
    const ClientMessage device = ClientMessage::Read(
        R"({"device": {"name": "  Anna's\nphone  with a very long name that goes on and on"}})");
    ASSERT_EQ(device.kind, ClientMessage::Kind::Device);
    EXPECT_EQ(device.device, QStringLiteral("Anna's phone with a very long name that"));
}

TEST(ClientMessages, WhatIsNoRequestDropsTheClientAndABadRequestIsRefused) {
    const QByteArray longest = R"({"device": {"name": ")" + QByteArray(4096 - 24, 'x') + "\"}}";
    ASSERT_EQ(longest.size(), 4096);
    EXPECT_EQ(ClientMessage::Read(longest).kind, ClientMessage::Kind::Device);
    for (const QByteArray& dropped :
         {QByteArray(longest).insert(5, ' '), QByteArray("{\"mark\": "),
          QByteArray("[{\"next-turn\": {}}]"), QByteArray("\"mark\""), QByteArray(""),
          QByteArray("{}"), QByteArray(R"({"next-turn": {}, "mark": {}})"),
          QByteArray(R"({"turn": {}})"), QByteArray(R"({"Mark": {}})"),
          QByteArray("{\"next-turn\": {}}\xff")}) {
        const ClientMessage message = ClientMessage::Read(dropped);
        EXPECT_EQ(message.kind, ClientMessage::Kind::Drop) << dropped.left(60).constData();
        EXPECT_FALSE(message.reason.isEmpty());
    }
    for (const char* refused : {
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box19"]}})",
             // One bad place spoils the whole mark, wherever it stands.
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box1", "box19"]}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box1", 7]}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": []}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": "box1"}})",
             R"({"mark": {"force": 0, "ship": "Lion", "places": ["box1"]}})",
             R"({"mark": {"force": 1.5, "ship": "Lion", "places": ["box1"]}})",
             // Past any whole number, which must not be converted to one.
             R"({"mark": {"force": 2.1e48, "ship": "Lion", "places": ["box1"]}})",
             R"({"mark": {"force": 1000000, "ship": "Lion", "places": ["box1"]}})",
             R"({"mark": {"force": "1", "ship": "Lion", "places": ["box1"]}})",
             R"({"mark": {"force": 1, "places": ["box1"]}})",
             R"({"mark": {"force": 1, "ship": 7, "places": ["box1"]}})",
             R"({"mark": {"ship": "Lion", "places": ["box1"]}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box1"], "role": "captain"}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box1"], "position": 0}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box1"], "squadron": -1}})",
             R"({"mark": {"force": 1, "ship": "Lion", "places": ["box1"], "turn": 3}})",
             R"({"mark": []})",
             R"({"device": {"name": 3}})",
         }) {
        const ClientMessage message = ClientMessage::Read(refused);
        EXPECT_EQ(message.kind, ClientMessage::Kind::Refuse) << refused;
        EXPECT_FALSE(message.reason.isEmpty());
    }
}

// What each seat is told of a game in which both forces marked ships.
class FogOfWar : public ::testing::Test {
  protected:
    FogOfWar() : m_seats(m_doc.m_scenarios[0]), m_roster(ScenarioRoster(m_doc.m_scenarios[0])) {}

    SeatView View(int seat) const {
        return SeatView(m_seats.Seats()[std::size_t(seat)], m_seats.Seats(), m_roster);
    }
    void Toggle(Game& game, int card, CardMark mark) const { game.Apply(Toggling(card, mark)); }
    GameAction Toggling(int card, CardMark mark) const {
        const RosterShip& ship = m_roster[std::size_t(card)];
        return {GameAction::Kind::Toggle, ship.place, ship.name, mark, {}, {}};
    }

    CBrinnowDoc m_doc = GameCampaign();
    SeatList m_seats;
    std::vector<RosterShip> m_roster;
};

TEST_F(FogOfWar, AForceSeatIsToldItsOwnMarksAndOfOtherForcesOnlyNamesAndSinking) {
    Game before;
    Toggle(before, 1, CardMark::Box1);  // Bravo, force 1
    Toggle(before, 6, CardMark::AF2);   // Golf, force 2
    Toggle(before, 7, CardMark::Sunk);  // Alpha, force 2
    const QString home = Text(View(1).GameMessage(before)) + Text(View(1).SeatMessage(before));
    EXPECT_TRUE(home.contains("\"box1\""));
    EXPECT_FALSE(home.contains("af2")) << home.toStdString();
    EXPECT_FALSE(home.contains("\"Golf\",\"marks\""));
    // Force 2's ships are listed by name, sunk or not, without their cards.
    const QJsonObject seat = View(1).SeatMessage(before).value("seat").toObject();
    const QJsonArray away = seat.value("forces").toArray()[1].toObject().value("ships").toArray();
    ASSERT_EQ(away.size(), 2);
    EXPECT_EQ(away[0].toObject().value("name"), "Golf");
    EXPECT_EQ(away[0].toObject().value("sunk"), false);
    EXPECT_EQ(away[1].toObject().value("sunk"), true);
    EXPECT_FALSE(away[1].toObject().contains("card"));
    EXPECT_FALSE(away[1].toObject().contains("marks"));
    const QJsonArray own = seat.value("forces").toArray()[0].toObject().value("ships").toArray();
    EXPECT_EQ(own[1].toObject().value("card"), 1);
    const QString umpire = Text(View(0).GameMessage(before));
    EXPECT_TRUE(umpire.contains("af2") && umpire.contains("box1") && umpire.contains("sunk"));

    Game after = before;
    Toggle(after, 6, CardMark::AF3);
    const GameChanges boxOnly = GameChanges::Between(before, after);
    EXPECT_FALSE(View(1).ChangedMessage(after, boxOnly)) << "another force's mark is not news";
    EXPECT_TRUE(View(2).ChangedMessage(after, boxOnly));
    Toggle(after, 6, CardMark::Sunk);
    const auto sinking = View(1).ChangedMessage(after, GameChanges::Between(before, after));
    ASSERT_TRUE(sinking);
    const QJsonObject changed = sinking->value("changed").toObject();
    EXPECT_TRUE(changed.value("ships").toArray().isEmpty());
    ASSERT_EQ(changed.value("sunk").toArray().size(), 1);
    EXPECT_EQ(changed.value("sunk").toArray()[0].toObject().value("name"), "Golf");
    EXPECT_EQ(changed.value("log").toArray().size(), 0);
    EXPECT_FALSE(Text(*sinking).contains("af3"));
}

TEST_F(FogOfWar, ChangesCarryWholeMarkListsEmptiedShipsTurnsAndTakenBackLogs) {
    Game before;
    Toggle(before, 4, CardMark::Box1);
    Toggle(before, 4, CardMark::Rudder);
    Game after = before;
    after.Revert(Toggling(4, CardMark::Rudder));
    after.Revert(Toggling(4, CardMark::Box1));
    GameChanges changes = GameChanges::Between(before, after);
    ASSERT_EQ(changes.ships.size(), 1u);
    EXPECT_TRUE(changes.ships[0].now.marks.Empty());
    EXPECT_EQ(changes.logKept, 0u);
    EXPECT_EQ(changes.logRemoved.size(), 2u);
    const auto home = View(1).ChangedMessage(after, changes);
    ASSERT_TRUE(home);
    const QJsonObject entry =
        home->value("changed").toObject().value("ships").toArray()[0].toObject();
    EXPECT_EQ(entry.value("name"), "Echo");
    EXPECT_EQ(entry.value("marks").toArray().size(), 0);
    EXPECT_EQ(entry.value("role"), "single");
    EXPECT_EQ(home->value("changed").toObject().value("log-kept"), 0);
    EXPECT_FALSE(View(2).ChangedMessage(after, changes)) << "a log taken back is another force's";

    Game next = after;
    Toggle(next, 6, CardMark::AF2);
    next.Apply(GameAction::NextTurn());
    Toggle(next, 2, CardMark::AF3);
    changes = GameChanges::Between(after, next);
    EXPECT_TRUE(changes.turn);
    const QJsonObject told = View(1).ChangedMessage(next, changes)->value("changed").toObject();
    EXPECT_EQ(told.value("turn"), 2);
    ASSERT_EQ(told.value("log").toArray().size(), 1);
    EXPECT_EQ(told.value("log").toArray()[0].toObject().value("ship"), "Charlie");
    EXPECT_EQ(told.value("log").toArray()[0].toObject().value("turn"), 2);
    EXPECT_TRUE(GameChanges::Between(next, next).Empty());

    // The log that stands is kept, counted in the entries each seat sees.
    Game further = next;
    Toggle(further, 1, CardMark::Bridge);
    changes = GameChanges::Between(next, further);
    const auto kept = [&](int seat) {
        const auto told = View(seat).ChangedMessage(further, changes);
        return told->value("changed").toObject().value("log-kept");
    };
    EXPECT_EQ(kept(0), 2);
    EXPECT_EQ(kept(1), 1);
}

TEST(CardPictures, ThePictureHoldsTheWholeCardAndEveryPlaceOnIt) {
    const CardGeometry geometry(CardPicture::kScale, 0, 0);
    const QSize size = CardPicture::Size();
    EXPECT_GT(size.width(), geometry.OuterRight());
    EXPECT_GT(size.height(), geometry.SmallBoxBottom());
    const QJsonObject places = CardPicture::Places();
    EXPECT_EQ(places.size(), qsizetype(kCardPlaceCount));
    for (const QString& name : places.keys()) {
        const QJsonArray corners = places[name].toObject()["corners"].toArray();
        ASSERT_EQ(corners.size(), 8) << name.toStdString();
        for (int i = 0; i < 8; i += 2) {
            EXPECT_LT(corners[i].toInt(), size.width());
            EXPECT_LT(corners[i + 1].toInt(), size.height());
        }
    }
    EXPECT_EQ(places["box7"].toObject()["label"], "small box 7");
    const CBrinnowDoc doc = GameCampaign();
    const QByteArray svg = CardPicture::Svg(ScenarioSnapshot::Of(doc, doc.m_scenarios[0]), 1);
    EXPECT_TRUE(svg.contains(
        QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height()).toLatin1()));
    EXPECT_TRUE(svg.contains("BRAVO") || svg.contains("Bravo"));
    // White behind the card, whatever the page's colours round it.
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QSvgRenderer(svg).render(&painter);
    painter.end();
    EXPECT_EQ(picture.pixelColor(size.width() - 1, size.height() - 1), QColor(Qt::white));
}

TEST(ShareCodes, ALinkBecomesASquareCodeDrawnInsideItsMargin) {
    const QrCode code("http://192.168.1.20:8765/0123456789abcdef0123456789abcdef/");
    ASSERT_GE(code.Size(), 21);
    EXPECT_EQ((code.Size() - 17) % 4, 0);
    // The finder pattern's corner is dark in every QR code.
    EXPECT_TRUE(code.Dark(0, 0));
    EXPECT_FALSE(code.Dark(7, 0));
    const QStringList lines = code.AsText().split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), (code.Size() + 4 + 1) / 2);
    for (const QString& line : lines) EXPECT_EQ(line.size(), code.Size() + 4);
    EXPECT_TRUE(lines[0].count(QChar(0x2588)) == code.Size() + 4) << "the margin is light";
    // Each character shows two modules, one above the other: the light ones
    // as blocks, so that the code reads dark on light in a dark terminal.
    const auto dark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < code.Size() && y < code.Size() && code.Dark(x, y);
    };
    for (int row = 0; row < lines.size(); ++row) {
        for (int column = 0; column < lines[row].size(); ++column) {
            const QChar shown = lines[row][column];
            const int x = column - 2;
            const int y = 2 * row - 2;
            EXPECT_EQ(shown == ' ' || shown == QChar(0x2584), dark(x, y)) << x << "," << y;
            EXPECT_EQ(shown == ' ' || shown == QChar(0x2580), dark(x, y + 1)) << x << "," << y + 1;
        }
    }
}

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
