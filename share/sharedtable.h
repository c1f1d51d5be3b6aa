#pragma once

#include <QString>
#include <vector>

#include "game/gamesession.h"
#include "game/scenarioroster.h"
#include "share/clientmessage.h"
#include "share/gamechanges.h"
#include "share/seat.h"

// The game as the seats play it: their requests go through the game's
// session, which writes the changes to the game file before it returns, so
// a change is on disk before any client hears of it. Requests that arrive
// together are written together.
class SharedTable {
  public:
    SharedTable(GameSession& session, std::vector<RosterShip> roster);

    const Game& GetGame() const { return m_session.GetGame(); }
    const std::vector<RosterShip>& Roster() const { return m_roster; }

    // The steps the seat's request asks for, added to actions; an empty
    // string, or why it is refused.
    QString Check(const Seat& seat, const ClientMessage& message,
                  std::vector<GameAction>& actions) const;
    // Does the steps and writes the game file once; an empty string, or why
    // the file could not take them, when none of them is kept.
    QString Perform(const std::vector<GameAction>& actions);
    // What changed since the last call (or since the start).
    GameChanges TakeChanges();

  private:
    QString Mark(const Seat& seat, const MarkRequest& request,
                 std::vector<GameAction>& actions) const;
    const RosterShip* Find(const MarkRequest& request) const;

    GameSession& m_session;
    std::vector<RosterShip> m_roster;
    Game m_told;
};
