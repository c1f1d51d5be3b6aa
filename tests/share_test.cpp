// The shared table's parts that need no network: links, limits, the reader
// of clients' messages and what each seat is told.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QSvgRenderer>
#include <set>

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
#include "tests/game/gamefixture.h"

namespace {

const QByteArray kToken = "0123456789abcdef0123456789abcdef";

QString Text(const QJsonObject& message) {
    return QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
}

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
