#pragma once

#include <map>
#include <string>
#include <vector>

#include "game/scenarioroster.h"
#include "platform/types.h"
#include "print/cardoverlay.h"

// One ship's marks, kept under its place in the scenario and its name.
struct GameShip {
    ShipPlace place;
    CString name;
    CardMarks marks;
};

// A mark or an unmark, in the turn it was made.
struct LogEntry {
    int turn = 1;
    int force = 0;  // counted from 0
    CString ship;
    CardMark mark = CardMark::Sunk;
    bool marked = true;
    // The seat at the shared table that made it ("Force 1", "Umpire"); empty
    // when made at the table window or by the tool.
    CString seat;
    bool operator==(const LogEntry&) const = default;
};

// What a player does at the table, one step that can be taken back.
struct GameAction {
    enum class Kind { Toggle, NextTurn };
    Kind kind = Kind::Toggle;
    ShipPlace place;
    CString ship;
    CardMark mark = CardMark::Sunk;
    // The name the log gives the ship, when it must say which one; else ship.
    CString logged;
    // Who made it, for the log: a seat at the shared table, or empty.
    CString seat;

    static GameAction NextTurn() {
        GameAction action;
        action.kind = Kind::NextTurn;
        return action;
    }
};

// A game of one scenario: the marks on its ships, the turn and the log of
// every mark made. It records what the player marks and nothing more.
class Game : public CardMarksSource {
  public:
    static constexpr int kFirstTurn = 1;

    // The campaign file (UTF-8, relative to the game file's folder unless
    // absolute) and the scenario the game is played from.
    std::string campaign;
    CString scenario;

    int Turn() const { return m_turn; }
    void SetTurn(int turn) { m_turn = turn; }
    // Every ship with a mark, in print order.
    std::vector<GameShip> Ships() const;
    const std::vector<LogEntry>& Log() const { return m_log; }

    const CardMarks* MarksOf(const ShipPlace& place, const CString& name) const override;
    // The marked ships that the roster no longer holds at their place under
    // their name: the scenario changed since they were marked.
    std::vector<GameShip> ShipsMissingFrom(const std::vector<RosterShip>& roster) const;

    // A squadron that names a ship twice holds one ship: from now on the
    // marks of its later places are those of its first, and marks that an
    // older game file kept apart for them are joined there.
    void JoinRepeatedShips(const std::vector<RosterShip>& roster);

    // Applies the action, logging a toggled mark under the current turn.
    void Apply(const GameAction& action);
    // Takes back the last action applied, which must be this one.
    void Revert(const GameAction& action);

    // For loading: the ship's marks and the log as stored.
    void SetMarks(const ShipPlace& place, const CString& name, const CardMarks& marks);
    void AppendLog(const LogEntry& entry) { m_log.push_back(entry); }

    bool operator==(const Game& other) const;

  private:
    using ShipKey = std::pair<ShipPlace, CString>;

    void Toggle(const GameAction& action);
    ShipPlace Joined(const ShipPlace& place, const CString& name) const;

    int m_turn = kFirstTurn;
    std::map<ShipKey, CardMarks> m_marks;
    std::map<ShipKey, ShipPlace> m_joined;  // a repeated place to its first
    std::vector<LogEntry> m_log;
};
