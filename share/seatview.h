#pragma once

#include <QJsonObject>
#include <optional>
#include <vector>

#include "game/game.h"
#include "share/gamechanges.h"
#include "share/seat.h"

// What one seat is told, and nothing more: its own forces' cards, marks and
// log; of the other forces only their ships' names and which are sunk. The
// umpire is told everything.
class SeatView {
  public:
    SeatView(const Seat& seat, const std::vector<Seat>& seats,
             const std::vector<RosterShip>& roster)
        : m_seat(seat), m_seats(seats), m_roster(roster) {}

    // {"seat": ...}: the seat, and every force with its ships.
    QJsonObject SeatMessage(const Game& game) const;
    // {"game": ...}: the game file's JSON less what the seat may not see.
    QJsonObject GameMessage(const Game& game) const;
    // {"changed": ...}, or nothing when the seat may see none of it.
    std::optional<QJsonObject> ChangedMessage(const Game& game, const GameChanges& changes) const;

  private:
    bool Sees(int force) const { return m_seat.Commands(force); }
    QJsonObject ShipOutline(const RosterShip& ship, int card, const Game& game) const;
    QJsonArray VisibleLog(const std::vector<LogEntry>& entries) const;

    const Seat& m_seat;
    const std::vector<Seat>& m_seats;
    const std::vector<RosterShip>& m_roster;
};
