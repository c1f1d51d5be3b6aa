#pragma once

#include <QString>
#include <vector>

#include "game/gamesession.h"
#include "game/scenarioroster.h"
#include "share/clientmessage.h"
#include "share/gamechanges.h"
#include "share/seat.h"

// The game as the seats play it: their requests go through the game's
// session, which writes each change to the game file before it returns, so
// a change is on disk before any client hears of it.
class SharedTable {
  public:
    SharedTable(GameSession& session, std::vector<RosterShip> roster);

    const Game& GetGame() const { return m_session.GetGame(); }
    const std::vector<RosterShip>& Roster() const { return m_roster; }

    // Does what the seat asks; an empty string, or why it was refused and
    // nothing changed.
    QString Apply(const Seat& seat, const ClientMessage& message);
    // What changed since the last call (or since the start).
    GameChanges TakeChanges();

  private:
    QString Mark(const Seat& seat, const MarkRequest& request);
    QString NextTurn(const Seat& seat);
    const RosterShip* Find(const MarkRequest& request) const;
    QString Perform(const GameAction& action);

    GameSession& m_session;
    std::vector<RosterShip> m_roster;
    Game m_told;
};
