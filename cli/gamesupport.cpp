#include "cli/gamesupport.h"

#include <sys/stat.h>

#include <iostream>

#include "cli/commandsupport.h"
#include "game/campaignpath.h"
#include "game/gamefile.h"
#include "game/scenarioroster.h"
#include "model/messagenames.h"
#include "model/unmatchednames.h"
#include "platform/codepage.h"

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameFile(const std::string& one, const std::string& other) {
    struct stat a {};
    struct stat b {};
    return ::stat(one.c_str(), &a) == 0 && ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

std::string Shown(const CString& name) { return Cp1252ToUtf8(ShownName(name)); }

bool LoadGameCampaign(const Game& game, const std::string& gamePath, CBrinnowDoc& doc) {
    const std::string campaign = CampaignPathOf(game.campaign, gamePath);
    struct stat info {};
    if (::stat(campaign.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        Fail("The game \"" + gamePath + "\" names \"" + campaign +
             "\" as its campaign, which is not a campaign document but a " +
             (S_ISDIR(info.st_mode) ? "folder." : "device, pipe or other special file."));
        return false;
    }
    return Load(doc, campaign);
}

const VxScenario* GameScenario(const Game& game, const CBrinnowDoc& doc,
                               const std::string& gamePath) {
    const VxScenario* scenario = FindNamed(doc.m_scenarios, game.scenario);
    if (scenario == nullptr) {
        Fail("The campaign \"" + CampaignPathOf(game.campaign, gamePath) +
             "\" has no scenario named \"" + Shown(game.scenario) + "\", which the game \"" +
             gamePath + "\" is played from.");
    }
    return scenario;
}

}  // namespace

bool LoadGame(const std::string& path, Game& game) {
    std::string error;
    if (ReadGameFile(path, game, error)) return true;
    Fail(error);
    return false;
}

const VxScenario* LoadGameWithScenario(const std::string& gamePath, Game& game, CBrinnowDoc& doc) {
    if (!LoadGame(gamePath, game) || !LoadGameCampaign(game, gamePath, doc)) return nullptr;
    return GameScenario(game, doc, gamePath);
}

void WarnMissingShips(const Game& game, const VxScenario& scenario) {
    for (const GameShip& ship : game.ShipsMissingFrom(ScenarioRoster(scenario))) {
        std::cerr << "brinnow-cli: warning: the scenario no longer holds "
                  << Cp1252ToUtf8(DescribeShip(ship.place, ship.name))
                  << "; its marks are kept in the game file.\n";
    }
}

bool LoadGameFor(const std::string& gamePath, const std::string& campaignPath,
                 const std::string& scenarioName, const VxScenario& scenario, Game& game) {
    if (!LoadGame(gamePath, game)) return false;
    if (game.scenario != scenario.m_strName) {
        Fail("The game \"" + gamePath + "\" is played from the scenario \"" + Shown(game.scenario) +
             "\", not \"" + scenarioName + "\".");
        return false;
    }
    const std::string played = CampaignPathOf(game.campaign, gamePath);
    if (IsRegularFile(campaignPath) && !SameFile(played, campaignPath)) {
        std::cerr << "brinnow-cli: warning: the game \"" << gamePath
                  << "\" was played from the campaign \"" << played << "\", not \"" << campaignPath
                  << "\"; its marks are drawn on this campaign's ships.\n";
    }
    game.JoinRepeatedShips(ScenarioRoster(scenario));
    WarnMissingShips(game, scenario);
    return true;
}

const VxScenario* LoadScenarioAndGame(CBrinnowDoc& doc, const std::string& campaignPath,
                                      const std::string& scenarioName,
                                      const std::optional<std::string>& gamePath, Game& game) {
    if (!Load(doc, campaignPath)) return nullptr;
    const VxScenario* scenario = FindNamed(doc.m_scenarios, Cp1252FromUtf8(scenarioName));
    if (scenario == nullptr) {
        Fail("There is no scenario named \"" + scenarioName + "\".");
        return nullptr;
    }
    if (gamePath && !LoadGameFor(*gamePath, campaignPath, scenarioName, *scenario, game))
        return nullptr;
    return scenario;
}

void WarnUnmatchedNames(const VxScenario& scenario, const CArray<VxShip>& ships) {
    const ShipNameIndex index(ships);
    UnmatchedNames unmatched(index);
    unmatched.Add(scenario);
    for (const CString& name : unmatched.Names()) {
        std::cerr << "brinnow-cli: warning: no ship of the campaign is named \""
                  << Cp1252ToUtf8(ShownName(name)) << "\"; a default card is printed in its place.\n";
    }
}
