#include "share/gamechanges.h"

#include <algorithm>
#include <map>

namespace {

using ShipKey = std::pair<ShipPlace, CString>;

std::map<ShipKey, CardMarks> MarksByShip(const Game& game) {
    std::map<ShipKey, CardMarks> marks;
    for (const GameShip& ship : game.Ships()) marks[{ship.place, ship.name}] = ship.marks;
    return marks;
}

}  // namespace

GameChanges GameChanges::Between(const Game& before, const Game& now) {
    GameChanges changes;
    changes.turn = before.Turn() != now.Turn();
    std::map<ShipKey, CardMarks> marks = MarksByShip(before);
    for (auto& [key, old] : marks) {
        const CardMarks* current = now.MarksOf(key.first, key.second);
        const CardMarks after = current ? *current : CardMarks{};
        if (after != old) changes.ships.push_back({{key.first, key.second, after}, old});
    }
    for (const GameShip& ship : now.Ships()) {
        if (!marks.count({ship.place, ship.name})) changes.ships.push_back({ship, {}});
    }
    const auto& oldLog = before.Log();
    const auto& newLog = now.Log();
    const auto differ = std::mismatch(oldLog.begin(), oldLog.end(), newLog.begin(), newLog.end());
    changes.logKept = std::size_t(differ.second - newLog.begin());
    changes.logAdded.assign(differ.second, newLog.end());
    changes.logRemoved.assign(differ.first, oldLog.end());
    return changes;
}
