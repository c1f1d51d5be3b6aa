#include "share/sharedtable.h"

#include <algorithm>

#include "platform/qtstrings.h"

SharedTable::SharedTable(GameSession& session, std::vector<RosterShip> roster)
    : m_session(session), m_roster(std::move(roster)), m_told(session.GetGame()) {}

QString SharedTable::Check(const Seat& seat, const ClientMessage& message,
                           std::vector<GameAction>& actions) const {
    if (message.kind == ClientMessage::Kind::Mark) return Mark(seat, message.mark, actions);
    if (message.kind != ClientMessage::Kind::NextTurn) return message.reason;
    if (!seat.IsUmpire())
        return QStringLiteral("Only the host and the umpire start the next turn.");
    actions.push_back(GameAction::NextTurn());
    return {};
}

GameChanges SharedTable::TakeChanges() {
    GameChanges changes = GameChanges::Between(m_told, GetGame());
    m_told = GetGame();
    return changes;
}

const RosterShip* SharedTable::Find(const MarkRequest& request) const {
    const CString name = FromQt(request.ship);
    const auto found = std::find_if(m_roster.begin(), m_roster.end(), [&](const RosterShip& ship) {
        const ShipPlace& place = ship.place;
        const bool single = place.role == ShipRole::Single;
        return place.force == request.force - 1 && ship.name == name &&
               (!request.role || *request.role == place.role) &&
               (!request.squadron || *request.squadron == (single ? 0 : place.squadron + 1)) &&
               (!request.position || *request.position == place.position + 1);
    });
    return found == m_roster.end() ? nullptr : &*found;
}

QString SharedTable::Mark(const Seat& seat, const MarkRequest& request,
                          std::vector<GameAction>& actions) const {
    if (!seat.Commands(request.force - 1)) {
        return QStringLiteral("This seat does not command force %1.").arg(request.force);
    }
    const RosterShip* ship = Find(request);
    if (ship == nullptr) {
        return QStringLiteral("Force %1 has no ship named \"%2\" there.")
            .arg(request.force)
            .arg(request.ship.left(40));
    }
    // The log says who marked it.
    const CString by = FromQt(seat.IsUmpire() ? QStringLiteral("Umpire")
                                              : QStringLiteral("Force %1").arg(seat.force + 1));
    for (const CardMark place : request.places) {
        actions.push_back({GameAction::Kind::Toggle, ship->place, ship->name, place, {}, by});
    }
    return {};
}

// Steps the file could not take are taken back again: what clients hear of
// is always what the file holds.
QString SharedTable::Perform(const std::vector<GameAction>& actions) {
    std::string error;
    if (actions.empty() || m_session.DoAll(actions, error)) return {};
    std::string ignored;
    for (std::size_t i = 0; i < actions.size(); ++i) m_session.Undo(ignored);
    return QStringLiteral("The game file could not be written: %1")
        .arg(QString::fromStdString(error));
}
