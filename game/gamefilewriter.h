#pragma once

#include <string>
#include <vector>

#include "game/game.h"

// Writes one game's file again after each change. Between two writes the
// log only grows or loses its last entries, so the text of the entries
// written before is kept and only new ones are made: a long game's write
// does not make its whole log's text again.
class GameFileWriter {
  public:
    explicit GameFileWriter(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }
    // Through the safe writer: a failed write leaves the old file whole.
    bool Write(const Game& game, std::string& error);
    // The log's entries from this one on are no longer those last written.
    void Forget(std::size_t firstChanged);

  private:
    void MakeTexts(const std::vector<LogEntry>& log);

    std::string m_path;
    std::string m_texts;  // the entries' texts, one after another
    std::vector<std::size_t> m_ends;
};
