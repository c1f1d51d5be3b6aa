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

bool AskRenameReferences(std::size_t squadrons) {
    const std::string question =
        squadrons == 1
            ? "Also rename it in the squadron that names it?"
            : "Also rename it in the " + std::to_string(squadrons) + " squadrons that name it?";
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
