#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/gamefilewriter.h"
#include "platform/documentlock.h"

// A game being played from its file: every change is written to the file
// at once, so that nothing is lost whenever the program ends, and each can
// be undone and redone. The history lasts as long as the session.
class GameSession {
  public:
    GameSession(Game game, std::string path) : m_game(std::move(game)), m_file(std::move(path)) {}

    // Keeps the game file's lock (see LockGameFile) for as long as the
    // session lasts.
    void HoldLock(DocumentLock lock) { m_lock = std::move(lock); }
    // The game starts again from game, in the same file and under the same
    // lock; the history goes.
    void Restart(Game game);

    const Game& GetGame() const { return m_game; }
    const std::string& Path() const { return m_file.Path(); }

    // Each returns false when the file could not be written, with error
    // saying why; the change is kept in the game and written with the next.
    bool Do(const GameAction& action, std::string& error);
    // Several actions, each one step of the history, written once.
    bool DoAll(const std::vector<GameAction>& actions, std::string& error);
    bool Undo(std::string& error);
    bool Redo(std::string& error);
    bool CanUndo() const { return !m_done.empty(); }
    bool CanRedo() const { return !m_undone.empty(); }
    bool Save(std::string& error);
    // Called after each change to the game and before it is written, so that
    // a window can show the change without waiting for the disk.
    void SetChangeShown(std::function<void()> show) { m_show = std::move(show); }

  private:
    Game m_game;
    GameFileWriter m_file;
    std::vector<GameAction> m_done;
    std::vector<GameAction> m_undone;
    std::function<void()> m_show;
    DocumentLock m_lock;
};
