#include "desktop/htmlexportcommand.h"

#include <QDir>

#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/progressdialog.h"
#include "desktop/proposedfile.h"
#include "export/htmlexport.h"
#include "model/brinnowdoc.h"
#include "model/scenario.h"
#include "platform/qtstrings.h"

void ExportScenarioAsHtml(QWidget* parent, const CBrinnowDoc& doc, const VxScenario& scenario) {
    const QString path =
        ChooseFile(parent, {FileChoice::Save, "Save Scenario as HTML", "Internet Documents (*.HTM)",
                            "htm", ProposedFile(ToQt(scenario.m_strName), doc.GetPathName(), "htm")});
    if (path.isEmpty()) return;
    std::string error;
    bool exported = false;
    const bool finished = RunWithProgress(parent, "Save Scenario as HTML", [&](Progress& progress) {
        exported = ExportScenarioHtml(doc, scenario, path.toStdString(), error, nullptr, progress);
    });
    if (!finished) return;
    if (!exported) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return;
    }
    AfxMessageBoxUnicode(
        QStringLiteral("The scenario page was written to %1.").arg(QDir::toNativeSeparators(path)),
        MB_OK | MB_ICONINFORMATION);
}
