#include "game/game.h"

#include <set>

std::vector<GameShip> Game::Ships() const {
    std::vector<GameShip> ships;
    ships.reserve(m_marks.size());
    for (const auto& [key, marks] : m_marks) ships.push_back({key.first, key.second, marks});
    return ships;
}

std::vector<GameShip> Game::ShipsMissingFrom(const std::vector<RosterShip>& roster) const {
    std::set<ShipKey> present;
    for (const RosterShip& ship : roster) present.insert({ship.place, ship.name});
    std::vector<GameShip> missing;
    for (const GameShip& ship : Ships()) {
        if (!present.count({ship.place, ship.name})) missing.push_back(ship);
    }
    return missing;
}

const CardMarks* Game::MarksOf(const ShipPlace& place, const CString& name) const {
    const auto found = m_marks.find({place, name});
    return found == m_marks.end() ? nullptr : &found->second;
}

void Game::SetMarks(const ShipPlace& place, const CString& name, const CardMarks& marks) {
    if (marks.Empty()) {
        m_marks.erase({place, name});
    } else {
        m_marks[{place, name}] = marks;
    }
}

// A ship whose last mark is taken off leaves the game, so that marking and
// unmarking again gives back exactly the game before.
void Game::Toggle(const GameAction& action) {
    CardMarks marks;
    if (const CardMarks* now = MarksOf(action.place, action.ship)) marks = *now;
    marks.Toggle(action.mark);
    SetMarks(action.place, action.ship, marks);
}

void Game::Apply(const GameAction& action) {
    if (action.kind == GameAction::Kind::NextTurn) {
        ++m_turn;
        return;
    }
    Toggle(action);
    const bool marked = MarksOf(action.place, action.ship) != nullptr &&
                        MarksOf(action.place, action.ship)->Has(action.mark);
    m_log.push_back({m_turn, action.place.force, action.ship, action.mark, marked});
}

void Game::Revert(const GameAction& action) {
    if (action.kind == GameAction::Kind::NextTurn) {
        --m_turn;
        return;
    }
    Toggle(action);
    if (!m_log.empty()) m_log.pop_back();
}

bool Game::operator==(const Game& other) const {
    return campaign == other.campaign && scenario == other.scenario && m_turn == other.m_turn &&
           m_marks == other.m_marks && m_log == other.m_log;
}
