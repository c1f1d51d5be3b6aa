#include "cli/gamesupport.h"

#include <iostream>

#include "cli/commandsupport.h"
#include "game/campaignpath.h"
#include "game/gamefile.h"
#include "game/scenarioroster.h"
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

const VxScenario* LoadGameWithScenario(const std::string& gamePath, Game& game, CBrinnowDoc& doc) {
    if (!LoadGame(gamePath, game)) return nullptr;
    if (!Load(doc, CampaignPathOf(game.campaign, gamePath))) return nullptr;
    return GameScenario(game, doc);
}

void WarnMissingShips(const Game& game, const VxScenario& scenario) {
    for (const GameShip& ship : game.ShipsMissingFrom(ScenarioRoster(scenario))) {
        std::cerr << "brinnow-cli: warning: the scenario no longer holds "
                  << Cp1252ToUtf8(DescribeShip(ship.place, ship.name))
                  << "; its marks are kept in the game file.\n";
    }
}

bool LoadGameFor(const std::string& gamePath, const std::string& scenarioName,
                 const VxScenario& scenario, Game& game) {
    if (!LoadGame(gamePath, game)) return false;
    if (game.scenario != scenario.m_strName) {
        Fail("The game \"" + gamePath + "\" is played from the scenario \"" +
             Cp1252ToUtf8(game.scenario) + "\", not \"" + scenarioName + "\".");
        return false;
    }
    WarnMissingShips(game, scenario);
    return true;
}
