#pragma once

#include <optional>
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

// A print, export or comparison of the campaign at campaignPath given
// --game: the game file, which must be a game of the scenario named. A game
// played from another campaign is used with a warning.
bool LoadGameFor(const std::string& gamePath, const std::string& campaignPath,
                 const std::string& scenarioName, const VxScenario& scenario, Game& game);

// The campaign at campaignPath and its scenario of that name, and with a
// game path that game (see LoadGameFor): the scenario, or null with the
// reason said on stderr.
const VxScenario* LoadScenarioAndGame(CBrinnowDoc& doc, const std::string& campaignPath,
                                      const std::string& scenarioName,
                                      const std::optional<std::string>& gamePath, Game& game);

// Says on stderr, once each, which names of the scenario match no ship of
// ships: a print draws a default card in their place.
void WarnUnmatchedNames(const VxScenario& scenario, const CArray<VxShip>& ships);
