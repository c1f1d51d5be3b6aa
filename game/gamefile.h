#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "game/game.h"

// A game as UTF-8 JSON in a file of its own (see docs/game-json.md).
inline constexpr const char* kGameJsonFormat = "brinnow-game";
inline constexpr int kGameJsonVersion = 1;

// Writes through the safe writer: a failed write leaves the old file whole.
bool WriteGameFile(const Game& game, const std::string& path, std::string& error);
// The same with the text of each log entry given, as LogEntryFileText makes
// it, for a writer that keeps the texts between writes.
bool WriteGameFile(const Game& game, const std::string& path,
                   const std::function<std::string_view(std::size_t)>& entryText,
                   std::string& error);
std::string LogEntryFileText(const LogEntry& entry);
// Reads the whole game or nothing; a refusal names the file, the line and
// column, the value's path and what is wrong with it.
bool ReadGameFile(const std::string& path, Game& game, std::string& error);
// The game, one ship's entry and one log entry as the file writes them, for
// messages in the file's vocabulary.
std::string GameJson(const Game& game);
std::string GameShipJson(const GameShip& ship);
std::string LogEntryJson(const LogEntry& entry);
bool ReadGameJson(const std::string& json, const std::string& name, Game& game, std::string& error);
