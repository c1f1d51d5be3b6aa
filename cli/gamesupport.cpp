#include "cli/gamesupport.h"

#include <iostream>

#include "cli/commandsupport.h"
#include "game/gamefile.h"
#include "game/scenarioroster.h"
#include "model/messagenames.h"
#include "model/unmatchednames.h"
#include "platform/codepage.h"

bool LoadGame(const std::string& path, Game& game) {
    std::string error;
    if (ReadGameFile(path, game, error)) return true;
    Fail(error);
    return false;
}

const VxScenario* GameScenario(const Game& game, const CBrinnowDoc& doc) {
    const VxScenario* scenario = FindNamed(doc.m_scenarios, game.scenario);
    if (scenario == nullptr) {
        Fail("The campaign has no scenario named \"" + Cp1252ToUtf8(game.scenario) +
             "\", which the game is played from.");
    }
    return scenario;
}

void WarnMissingShips(const Game& game, const VxScenario& scenario) {
    for (const GameShip& ship : game.ShipsMissingFrom(ScenarioRoster(scenario))) {
        std::cerr << "brinnow-cli: warning: the scenario no longer holds "
                  << Cp1252ToUtf8(DescribeShip(ship.place, ship.name))
                  << "; its marks are kept in the game file.\n";
    }
}

bool LoadGameFor(const std::string& gamePath, const std::string& scenarioName,
                 const VxScenario& scenario, const CArray<VxShip>& ships, Game& game) {
    if (!LoadGame(gamePath, game)) return false;
    if (game.scenario != scenario.m_strName) {
        Fail("The game \"" + gamePath + "\" is played from the scenario \"" +
             Cp1252ToUtf8(game.scenario) + "\", not \"" + scenarioName + "\".");
        return false;
    }
    game.JoinRepeatedShips(ScenarioRoster(scenario));
    WarnMissingShips(game, scenario);
    const ShipNameIndex index(ships);
    UnmatchedNames unmatched(index);
    unmatched.Add(scenario);
    for (const CString& name : unmatched.Names()) {
        std::cerr << "brinnow-cli: warning: no ship of the campaign is named \""
                  << Cp1252ToUtf8(ShownName(name)) << "\"; a default card is printed in its place.\n";
    }
    return true;
}
