#include "compare/forcecomparison.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "compare/forcetally.h"

namespace {

// A ship counted in a force: its card in the snapshot and the marks on it.
struct CountedShip {
    std::size_t card = 0;
    bool missing = false;
    CardMarks marks;
};

int SmallBoxesStruck(const CardMarks& marks) {
    int struck = 0;
    for (int box = int(CardMark::Box1); box <= int(CardMark::Box18); ++box) {
        struck += marks.Has(CardMark(box)) ? 1 : 0;
    }
    return struck;
}

// The ships of each force, each squadron's names counted once.
class ForceShips {
  public:
    ForceShips(const ScenarioSnapshot& snapshot, const Game* game)
        : m_snapshot(snapshot), m_game(game), m_ships(snapshot.scenario.m_forces.size()) {
        for (const VxShip& ship : snapshot.ships) m_named.insert(ship.m_strName);
        for (std::size_t i = 0; i < snapshot.roster.size(); ++i) Count(i);
    }

    const std::vector<CountedShip>& Of(std::size_t force) const { return m_ships[force]; }

  private:
    void Count(std::size_t card) {
        const RosterShip& entry = m_snapshot.roster[card];
        std::vector<CountedShip>& force = m_ships[std::size_t(entry.place.force)];
        const CardMarks marks = MarksOf(entry);
        if (entry.place.role == ShipRole::Single) {
            force.push_back({card, false, marks});
            return;
        }
        const std::pair squadron(entry.place.force, entry.place.squadron);
        if (squadron != m_squadron) {
            m_squadron = squadron;
            m_inSquadron.clear();
        }
        const auto [seen, first] = m_inSquadron.try_emplace(entry.name, force.size());
        if (first) {
            force.push_back({card, !m_named.contains(entry.name), marks});
        } else {
            force[seen->second].marks.bits |= marks.bits;
        }
    }

    CardMarks MarksOf(const RosterShip& entry) const {
        const CardMarks* marks = m_game ? m_game->MarksOf(entry.place, entry.name) : nullptr;
        return marks ? *marks : CardMarks();
    }

    const ScenarioSnapshot& m_snapshot;
    const Game* m_game;
    std::vector<std::vector<CountedShip>> m_ships;
    std::unordered_set<std::string_view> m_named;
    std::pair<int, int> m_squadron{-1, -1};
    std::unordered_map<std::string_view, std::size_t> m_inSquadron;
};

ForceFigures Tally(const ScenarioSnapshot& snapshot, const std::vector<CountedShip>& ships,
                   bool withoutSunk) {
    ForceTally tally;
    for (const CountedShip& ship : ships) {
        if (withoutSunk && ship.marks.Has(CardMark::Sunk)) continue;
        if (ship.missing) {
            tally.AddMissing(snapshot.roster[ship.card].name);
        } else {
            tally.Add(snapshot.cards[ship.card]);
        }
    }
    return tally.Figures();
}

}  // namespace

std::vector<ForceComparison> CompareForces(const ScenarioSnapshot& snapshot, const Game* game) {
    const ForceShips ships(snapshot, game);
    std::vector<ForceComparison> forces;
    forces.reserve(snapshot.scenario.m_forces.size());
    for (std::size_t f = 0; f < snapshot.scenario.m_forces.size(); ++f) {
        ForceComparison force;
        force.force = int(f);
        force.name = snapshot.scenario.m_forces[f].m_strName;
        force.start = Tally(snapshot, ships.Of(f), false);
        if (game) {
            force.now = Tally(snapshot, ships.Of(f), true);
            for (const CountedShip& ship : ships.Of(f))
                force.damageBoxes += SmallBoxesStruck(ship.marks);
        }
        forces.push_back(std::move(force));
    }
    return forces;
}
