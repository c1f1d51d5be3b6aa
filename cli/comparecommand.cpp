// brinnow-cli compare: the forces of a scenario side by side, as the window's
// Compare Forces shows them, as a table or as JSON for scripts.
#include <iostream>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "cli/gamesupport.h"
#include "compare/comparejson.h"
#include "compare/comparetable.h"
#include "platform/codepage.h"

namespace {

constexpr const char* kCompareUsage = "usage: brinnow-cli compare FILE SCENARIO [--game GAME] [--json]";

void WriteJson(const CString& scenario, const std::vector<ForceComparison>& forces) {
    JsonWriter json([](const char* data, std::size_t size) { std::cout.write(data, long(size)); });
    WriteCompareJson(json, scenario, forces);
}

}  // namespace

int CommandCompare(const std::vector<std::string>& args) {
    const CommandLine line(args, {"--game"}, {"--json"});
    const auto& words = line.Positional();
    if (!line.Ok() || words.size() != 2) return UsageError(line.Ok() ? kCompareUsage
                                                                  : line.Error());
    CommandDocument doc;
    const auto gamePath = line.Value("--game");
    Game game;
    const VxScenario* scenario = LoadScenarioAndGame(doc, words[0], words[1], gamePath, game);
    if (scenario == nullptr) return kFailure;
    const std::vector<ForceComparison> forces =
        CompareForces(ScenarioSnapshot::Of(doc, *scenario), gamePath ? &game : nullptr);
    if (line.Flag("--json")) {
        WriteJson(scenario->m_strName, forces);
    } else {
        std::cout << Cp1252ToUtf8(CompareTable::Of(forces).Text());
    }
    if (!std::cout.flush()) return Fail("Cannot write the comparison to the standard output.");
    return 0;
}
