#include "editors/shipreferencequestions.h"

#include "desktop/messagebox.h"
#include "model/messagenames.h"
#include "platform/textformat.h"

namespace {

// Squadron names shown in one question; the rest are counted.
constexpr std::size_t kShownSquadrons = 5;

struct Role {
    const char* phrase;
    bool ShipReference::*held;
};

constexpr Role kRoles[] = {
    {"the flagship of ", &ShipReference::flagship},
    {"a member of ", &ShipReference::member},
    {"attached to ", &ShipReference::attachment},
};

// "A", "A and B", "A, B, and C": the roles, each with its squadrons.
std::string JoinPhrases(const std::vector<std::string>& phrases) {
    std::string joined;
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        if (i > 0)
            joined += i + 1 < phrases.size() ? ", " : phrases.size() > 2 ? ", and " : " and ";
        joined += phrases[i];
    }
    return joined;
}

// "2 squadrons", "1 squadron".
std::string Counted(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// Forces listed in one question; the rest are counted.
constexpr std::size_t kShownForces = 5;

// "Dogger Bank, Force 1 (Battlecruiser Force): 1 squadron, 1 single ship".
std::string ForceLine(const ForceUse& use, const CArray<VxScenario>& scenarios) {
    std::vector<std::string> counts;
    if (use.squadrons > 0) counts.push_back(Counted(use.squadrons, "squadron"));
    if (use.ships > 0) counts.push_back(Counted(use.ships, "single ship"));
    std::string line = ShownForceName(scenarios[use.scenario], use.force) + ": " + counts[0];
    if (counts.size() > 1) line += ", " + counts[1];
    return line;
}

}  // namespace

std::string DeleteShipQuestion(const CString& ship, const std::vector<ShipReference>& references,
                               const CArray<VxSquadron>& squadrons) {
    if (references.empty()) return "Are you sure you want to delete this ship?";
    std::vector<std::string> phrases;
    for (const Role& role : kRoles) {
        CStringArray names;
        for (const ShipReference& reference : references) {
            if (reference.*role.held) names.push_back(squadrons[reference.squadron].m_strName);
        }
        if (!names.empty()) phrases.push_back(role.phrase + NameList(names, kShownSquadrons));
    }
    // Upper case, as the ship's card shows its name.
    return ShownName(ToUpperAnsi(ship)) + " is " + JoinPhrases(phrases) + ". Delete it anyway?";
}

bool AskRenameReferences(const ShipNameUses& uses, const CArray<VxScenario>& scenarios) {
    const std::size_t squadrons = uses.squadrons.size();
    std::string question;
    if (uses.forces.empty()) {
        question = squadrons == 1 ? "Also rename it in the squadron that names it?"
                                  : "Also rename it in the " + Counted(squadrons, "squadron") +
                                        " that name it?";
    } else {
        question = "Its old name is used";
        if (squadrons > 0) question += " by " + Counted(squadrons, "squadron") + " and";
        question += " in " + Counted(uses.forces.size(), "scenario force") + ":\n";
        for (std::size_t i = 0; i < uses.forces.size() && i < kShownForces; ++i) {
            question += ForceLine(uses.forces[i], scenarios) + "\n";
        }
        if (uses.forces.size() > kShownForces) {
            question += "and " + std::to_string(uses.forces.size() - kShownForces) + " more\n";
        }
        question += "Also rename it in all of them?";
    }
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
