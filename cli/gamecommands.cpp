// brinnow-cli game: start a game of a scenario, mark its cards and list the
// marks, without drawing anything.
#include <sys/stat.h>

#include <iostream>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "cli/gamesupport.h"
#include "game/campaignpath.h"
#include "game/gamefile.h"
#include "game/gamefilelock.h"
#include "game/marknames.h"
#include "game/scenarioroster.h"
#include "model/messagenames.h"
#include "platform/codepage.h"

namespace {

constexpr const char* kGameUsage =
    "usage: brinnow-cli game new FILE SCENARIO -o GAME | "
    "game mark GAME --force N --ship NAME PLACE... [--turn N] | game show GAME";

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// A whole number from 1 to high, or 0.
int PositiveNumber(const std::string& text, int high) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int number = std::stoi(text);
    return number <= high ? number : 0;
}

int NewGame(const CommandLine& line) {
    const auto& words = line.Positional();
    if (words.size() != 3 || !line.Value("-o")) return UsageError(kGameUsage);
    const std::string gamePath = *line.Value("-o");
    DocumentLock lock;
    std::string error;
    if (!LockGameFile(gamePath, lock, kGameLockPatience, error)) return Fail(error);
    if (Exists(gamePath)) {
        return Fail("\"" + gamePath + "\" exists already: a new game never replaces a file.");
    }
    CommandDocument doc;
    if (!Load(doc, words[1])) return kFailure;
    const VxScenario* scenario = FindNamed(doc.m_scenarios, Cp1252FromUtf8(words[2]));
    if (scenario == nullptr) return Fail("There is no scenario named \"" + words[2] + "\".");
    Game game;
    game.campaign = CampaignReference(words[1], gamePath);
    game.scenario = scenario->m_strName;
    if (!WriteGameFile(game, gamePath, error)) return Fail(error);
    return 0;
}

bool ReadMarks(const std::vector<std::string>& words, std::vector<CardMark>& marks) {
    for (std::size_t i = 2; i < words.size(); ++i) {
        const auto mark = MarkFromToken(words[i]);
        if (!mark) return false;
        marks.push_back(*mark);
    }
    return !marks.empty();
}

int MarkGame(const CommandLine& line) {
    const auto& words = line.Positional();
    std::vector<CardMark> marks;
    if (words.size() < 3 || !line.Value("--force") || !line.Value("--ship"))
        return UsageError(kGameUsage);
    if (!ReadMarks(words, marks)) {
        return UsageError(
            "A place is one of fire-control, damage-control, bridge, rudder, aa, af1 to af4, "
            "speed1 to speed5, box1 to box18 and sunk.");
    }
    const int turn = line.Value("--turn") ? PositiveNumber(*line.Value("--turn"), 999999999) : 1;
    if (turn == 0) return UsageError("The turn must be a whole number from 1.");
    const std::string& gamePath = words[1];
    // Read under the lock, so that no other writer's marks are written over.
    DocumentLock lock;
    std::string error;
    if (!LockGameFile(gamePath, lock, kGameLockPatience, error)) return Fail(error);
    Game game;
    CommandDocument doc;
    const VxScenario* scenario = LoadGameWithScenario(gamePath, game, doc);
    if (scenario == nullptr) return kFailure;
    const int force = PositiveNumber(*line.Value("--force"), int(scenario->m_forces.size()));
    if (force == 0) {
        return Fail("The scenario has " + std::to_string(scenario->m_forces.size()) +
                    " forces; --force counts them from 1.");
    }
    const std::vector<RosterShip> roster = ScenarioRoster(*scenario);
    game.JoinRepeatedShips(roster);
    const RosterShip* ship = FindInForce(roster, force - 1, Cp1252FromUtf8(*line.Value("--ship")));
    if (ship == nullptr) {
        return Fail("Force " + std::to_string(force) + " has no ship named \"" +
                    *line.Value("--ship") + "\".");
    }
    if (line.Value("--turn")) game.SetTurn(turn);
    for (const CardMark mark : marks) {
        game.Apply({GameAction::Kind::Toggle, ship->place, ship->name, mark, {}, {}});
    }
    if (!WriteGameFile(game, gamePath, error)) return Fail(error);
    return 0;
}

int ShowGame(const CommandLine& line) {
    const auto& words = line.Positional();
    if (words.size() != 2) return UsageError(kGameUsage);
    Game game;
    if (!LoadGame(words[1], game)) return kFailure;
    for (const GameShip& ship : game.Ships()) {
        std::cout << ship.place.force + 1 << '\t' << Cp1252ToUtf8(EscapedName(ship.name)) << '\t';
        const char* separator = "";
        for (std::size_t i = 0; i < kCardMarkCount; ++i) {
            if (!ship.marks.Has(CardMark(i))) continue;
            std::cout << separator << MarkToken(CardMark(i));
            separator = " ";
        }
        std::cout << '\n';
    }
    if (!std::cout.flush()) return Fail("Cannot write the marks to the standard output.");
    return 0;
}

}  // namespace

int CommandGame(const std::vector<std::string>& args) {
    const CommandLine line(args, {"-o", "--force", "--ship", "--turn"}, {});
    if (!line.Ok()) return UsageError(line.Error());
    const auto& words = line.Positional();
    const std::string sub = words.empty() ? "" : words[0];
    if (sub == "new") return NewGame(line);
    if (sub == "mark") return MarkGame(line);
    if (sub == "show") return ShowGame(line);
    return UsageError(kGameUsage);
}
