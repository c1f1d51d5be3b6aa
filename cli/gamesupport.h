#pragma once

#include <string>

#include "game/game.h"
#include "model/brinnowdoc.h"

// Reads the game file, saying why on stderr when it cannot.
bool LoadGame(const std::string& path, Game& game);

// The game's scenario in the loaded campaign, or null (said on stderr).
const VxScenario* GameScenario(const Game& game, const CBrinnowDoc& doc);

// Reads the game file and its campaign into doc: the game's scenario, or
// null (said on stderr).
const VxScenario* LoadGameWithScenario(const std::string& gamePath, Game& game, CBrinnowDoc& doc);

// Says on stderr which marked ships the scenario no longer holds; their marks
// stay in the game file.
void WarnMissingShips(const Game& game, const VxScenario& scenario);

// A print or export given --game: the game file, which must be a game of the
// scenario named; the command draws its marks. Null without --game.
bool LoadGameFor(const std::string& gamePath, const std::string& scenarioName,
                 const VxScenario& scenario, Game& game);
