#include "share/seatview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

#include "game/gamefile.h"
#include "platform/qtstrings.h"

namespace {

QJsonObject ParsedObject(const std::string& json) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

bool IsSunk(const CardMarks* marks) { return marks != nullptr && marks->Has(CardMark::Sunk); }

}  // namespace

QJsonObject SeatView::ShipOutline(const RosterShip& ship, int card, const Game& game) const {
    // The place fields exactly as the game file writes them.
    QJsonObject outline = ParsedObject(GameShipJson({ship.place, ship.name, {}}));
    outline.remove(QStringLiteral("marks"));
    outline.insert(QStringLiteral("sunk"), IsSunk(game.MarksOf(ship.place, ship.name)));
    if (Sees(ship.place.force)) outline.insert(QStringLiteral("card"), card);
    return outline;
}

QJsonObject SeatView::SeatMessage(const Game& game) const {
    QJsonArray forces;
    for (const Seat& seat : m_seats) {
        if (seat.IsUmpire()) continue;
        QJsonArray ships;
        for (std::size_t i = 0; i < m_roster.size(); ++i) {
            if (m_roster[i].place.force == seat.force) {
                ships.append(ShipOutline(m_roster[i], int(i), game));
            }
        }
        forces.append(QJsonObject{{QStringLiteral("force"), seat.force + 1},
                                  {QStringLiteral("title"), seat.title},
                                  {QStringLiteral("commanded"), Sees(seat.force)},
                                  {QStringLiteral("ships"), ships}});
    }
    QJsonObject seat{{QStringLiteral("name"), m_seat.key},
                     {QStringLiteral("title"), m_seat.title},
                     {QStringLiteral("umpire"), m_seat.IsUmpire()},
                     {QStringLiteral("forces"), forces}};
    return {{QStringLiteral("seat"), seat}};
}

QJsonObject SeatView::GameMessage(const Game& game) const {
    Game visible;
    visible.campaign = game.campaign;
    visible.scenario = game.scenario;
    visible.SetTurn(game.Turn());
    for (const GameShip& ship : game.Ships()) {
        if (Sees(ship.place.force)) visible.SetMarks(ship.place, ship.name, ship.marks);
    }
    for (const LogEntry& entry : game.Log()) {
        if (Sees(entry.force)) visible.AppendLog(entry);
    }
    return {{QStringLiteral("game"), ParsedObject(GameJson(visible))}};
}

QJsonArray SeatView::VisibleLog(const std::vector<LogEntry>& entries) const {
    QJsonArray log;
    for (const LogEntry& entry : entries) {
        if (Sees(entry.force)) log.append(ParsedObject(LogEntryJson(entry)));
    }
    return log;
}

std::optional<QJsonObject> SeatView::ChangedMessage(const Game& game,
                                                    const GameChanges& changes) const {
    QJsonArray ships;
    QJsonArray sunk;
    for (const GameChanges::Ship& change : changes.ships) {
        const GameShip& ship = change.now;
        if (Sees(ship.place.force)) {
            ships.append(ParsedObject(GameShipJson(ship)));
        } else if (ship.marks.Has(CardMark::Sunk) != change.before.Has(CardMark::Sunk)) {
            sunk.append(ShipOutline({ship.place, ship.name}, -1, game));
        }
    }
    const auto& log = game.Log();
    const auto sees = [this](const LogEntry& entry) { return Sees(entry.force); };
    const auto keptVisible = std::count_if(log.begin(), log.begin() + std::ptrdiff_t(changes.logKept), sees);
    const QJsonArray added = VisibleLog(changes.logAdded);
    const bool logCut = std::any_of(changes.logRemoved.begin(), changes.logRemoved.end(), sees);
    if (!changes.turn && ships.isEmpty() && sunk.isEmpty() && added.isEmpty() && !logCut) {
        return std::nullopt;
    }
    QJsonObject changed{{QStringLiteral("turn"), game.Turn()},
                        {QStringLiteral("ships"), ships},
                        {QStringLiteral("sunk"), sunk},
                        {QStringLiteral("log-kept"), qint64(keptVisible)},
                        {QStringLiteral("log"), added}};
    return QJsonObject{{QStringLiteral("changed"), changed}};
}
