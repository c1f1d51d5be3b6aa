#pragma once

#include <vector>

#include "game/game.h"

// What changed in a game between two moments, whoever changed it: a phone,
// the table window, its Undo or Redo.
struct GameChanges {
    struct Ship {
        GameShip now;  // its marks now: none when the last was taken off
        CardMarks before;
    };

    bool turn = false;
    std::vector<Ship> ships;
    std::size_t logKept = 0;  // the log's first entries that still stand
    std::vector<LogEntry> logRemoved;  // after those: taken back
    std::vector<LogEntry> logAdded;     // after those: new

    bool Empty() const { return !turn && ships.empty() && logRemoved.empty() && logAdded.empty(); }
    static GameChanges Between(const Game& before, const Game& now);
};
