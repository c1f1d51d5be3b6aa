#include "editors/htmlexportcommand.h"

#include "editors/filedialogs.h"
#include "editors/messagebox.h"
#include "editors/waitcursor.h"
#include "export/htmlexport.h"

void ExportScenarioAsHtml(QWidget* parent, const CBrinnowDoc& doc, const VxScenario& scenario) {
    const QString path =
        ChooseFile(parent, {FileChoice::Save, "HTML", "Internet Documents (*.HTM)", "HTM"});
    if (path.isEmpty()) return;
    std::string error;
    bool exported;
    {
        const WaitCursor wait;
        exported = ExportScenarioHtml(doc, scenario, path.toStdString(), error);
    }
    if (!exported) AfxMessageBoxUnicode(QString::fromStdString(error));
}
