#include "game/gamesession.h"

void GameSession::Restart(Game game) {
    m_game = std::move(game);
    m_done.clear();
    m_undone.clear();
    m_file.Forget(0);
}

bool GameSession::Save(std::string& error) {
    if (m_show) m_show();
    return m_file.Write(m_game, error);
}

bool GameSession::Do(const GameAction& action, std::string& error) {
    return DoAll({action}, error);
}

bool GameSession::DoAll(const std::vector<GameAction>& actions, std::string& error) {
    for (const GameAction& action : actions) {
        m_game.Apply(action);
        m_done.push_back(action);
    }
    m_undone.clear();
    return Save(error);
}

bool GameSession::Undo(std::string& error) {
    if (m_done.empty()) return true;
    m_game.Revert(m_done.back());
    m_undone.push_back(m_done.back());
    m_done.pop_back();
    return Save(error);
}

bool GameSession::Redo(std::string& error) {
    if (m_undone.empty()) return true;
    m_game.Apply(m_undone.back());
    m_done.push_back(m_undone.back());
    m_undone.pop_back();
    return Save(error);
}
