#include "app/tablecommands.h"

#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "editors/selectscenario.h"
#include "model/brinnowdoc.h"
#include "table/gameopener.h"

namespace {
constexpr const char* kGameFilter = "Brinnow Games (*.game.json);;JSON Files (*.json)";
}

void ChooseAndPlayScenario(QWidget* parent, const CBrinnowDoc& doc) {
    if (doc.m_scenarios.empty()) {
        AfxMessageBox("This campaign has no scenarios. Add one with Edit > Scenarios first.");
        return;
    }
    CSelectScenarioDlg select(doc.m_scenarios, parent);
    if (select.exec() != QDialog::Accepted || select.m_nSelected < 0) return;
    PlayScenario(parent, doc, doc.GetPathName(), doc.m_scenarios[std::size_t(select.m_nSelected)]);
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
