// brinnow-cli check: the campaign check of the window's Tools > Check
// Campaign, one finding a line or as JSON for scripts.
#include <iostream>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "interchange/jsonwriter.h"
#include "model/campaigncheck.h"
#include "platform/codepage.h"

namespace {

// 0 for a clean campaign, 1 for findings, and this for a file that cannot
// be read or a command that cannot run: a script can tell them apart.
constexpr int kCannotCheck = 2;
// 1 already says that there are findings.
constexpr int kCannotWriteFindings = 3;

void WriteLines(const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        std::cout << KindTag(finding.kind) << ": " << PlaceType(finding.place) << " \""
                  << Cp1252ToUtf8(finding.record) << "\": " << Cp1252ToUtf8(finding.problem)
                  << "\n";
    }
}

void WriteJson(const std::vector<Finding>& findings) {
    JsonWriter json([](const char* data, std::size_t size) { std::cout.write(data, long(size)); });
    json.BeginArray();
    for (const Finding& finding : findings) {
        json.BeginObject();
        json.Key("kind");
        json.String(KindTag(finding.kind));
        json.Key("type");
        json.String(PlaceType(finding.place));
        json.Key("index");
        json.Int(int(finding.place.index));
        if (finding.place.IsForce()) {
            json.Key("force");
            json.Int(finding.place.force);
        }
        json.Key("record");
        json.String(finding.record);
        json.Key("problem");
        json.String(finding.problem);
        json.End();
    }
    json.End();
    json.Finish();
}

}  // namespace

int CommandCheck(const std::vector<std::string>& args) {
    const CommandLine line(args, {}, {"--json"});
    if (!line.Ok() || line.Positional().size() != 1) {
        return UsageError(line.Ok() ? "usage: brinnow-cli check FILE [--json]" : line.Error());
    }
    CommandDocument doc;
    if (!Load(doc, line.Positional()[0])) return kCannotCheck;
    const std::vector<Finding> findings = CheckCampaign(doc);
    if (line.Flag("--json")) {
        WriteJson(findings);
    } else {
        WriteLines(findings);
    }
    if (!std::cout.flush()) {
        Fail("Cannot write the findings to the standard output.");
        return kCannotWriteFindings;
    }
    return findings.empty() ? 0 : 1;
}
