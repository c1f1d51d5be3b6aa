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

ShipPlace Game::Joined(const ShipPlace& place, const CString& name) const {
    const auto found = m_joined.find({place, name});
    return found == m_joined.end() ? place : found->second;
}

void Game::JoinRepeatedShips(const std::vector<RosterShip>& roster) {
    const std::vector<int> repeats = RepeatedShips(roster);
    for (std::size_t i = 0; i < roster.size(); ++i) {
        if (repeats[i] < 0) continue;
        const RosterShip& ship = roster[i];
        const ShipPlace first = roster[std::size_t(repeats[i])].place;
        m_joined[{ship.place, ship.name}] = first;
        const auto kept = m_marks.find({ship.place, ship.name});
        if (kept == m_marks.end()) continue;
        m_marks[{first, ship.name}].bits |= kept->second.bits;
        m_marks.erase(kept);
    }
}

const CardMarks* Game::MarksOf(const ShipPlace& place, const CString& name) const {
    const auto found = m_marks.find({Joined(place, name), name});
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
    SetMarks(Joined(action.place, action.ship), action.ship, marks);
}

void Game::Apply(const GameAction& action) {
    if (action.kind == GameAction::Kind::NextTurn) {
        ++m_turn;
        return;
    }
    Toggle(action);
    const bool marked = MarksOf(action.place, action.ship) != nullptr &&
                        MarksOf(action.place, action.ship)->Has(action.mark);
    const CString& logged = action.logged.empty() ? action.ship : action.logged;
    m_log.push_back({m_turn, action.place.force, logged, action.mark, marked, action.seat});
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
