#include "app/tablecommands.h"

#include "charts/opencomparison.h"
#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "editors/selectscenario.h"
#include "model/brinnowdoc.h"
#include "table/gameopener.h"

namespace {
constexpr const char* kGameFilter = "Brinnow Games (*.game.json);;JSON Files (*.json)";
}

namespace {

// The Select Scenario list, or nothing when there is none or it was cancelled.
const VxScenario* ChooseScenario(QWidget* parent, const CBrinnowDoc& doc) {
    if (doc.m_scenarios.empty()) {
        AfxMessageBox("This campaign has no scenarios. Add one with Edit > Scenarios first.");
        return nullptr;
    }
    CSelectScenarioDlg select(doc.m_scenarios, parent);
    if (select.exec() != QDialog::Accepted || select.m_nSelected < 0) return nullptr;
    return &doc.m_scenarios[std::size_t(select.m_nSelected)];
}

}  // namespace

void ChooseAndPlayScenario(QWidget* parent, const CBrinnowDoc& doc) {
    if (const VxScenario* scenario = ChooseScenario(parent, doc)) {
        PlayScenario(parent, doc, doc.GetPathName(), *scenario);
    }
}

void ChooseAndCompareScenario(QWidget* parent, const CBrinnowDoc& doc) {
    if (const VxScenario* scenario = ChooseScenario(parent, doc)) {
        OpenScenarioComparison(parent, doc, *scenario);
    }
}

void ChooseAndOpenGame(QWidget* parent, const CBrinnowDoc& doc) {
    FileChoice choice;
    choice.kind = FileChoice::Open;
    choice.caption = "Open Game";
    choice.filter = kGameFilter;
    choice.proposedPath = GamePathFor(doc.GetPathName(), "");
    const QString path = ChooseFile(parent, choice);
    if (!path.isEmpty()) OpenGame(parent, doc, doc.GetPathName(), path);
}
