#pragma once

#include <string>

#include "game/game.h"
#include "model/brinnowdoc.h"

// Reads the game file, saying why on stderr when it cannot.
bool LoadGame(const std::string& path, Game& game);

// Reads the game file and its campaign into doc: the game's scenario, or
// null (said on stderr, naming both files). Only a regular file can be a
// game's campaign: anything else is refused at once rather than read.
const VxScenario* LoadGameWithScenario(const std::string& gamePath, Game& game, CBrinnowDoc& doc);

// Says on stderr which marked ships the scenario no longer holds; their marks
// stay in the game file.
void WarnMissingShips(const Game& game, const VxScenario& scenario);

// A print or export of the campaign at campaignPath given --game: the game
// file, which must be a game of the scenario named; the command draws its
// marks. A game played from another campaign is drawn with a warning. Says
// on stderr which names match no ship of ships: their cards print as
// default ships.
bool LoadGameFor(const std::string& gamePath, const std::string& campaignPath,
                 const std::string& scenarioName, const VxScenario& scenario,
                 const CArray<VxShip>& ships, Game& game);
