#include "desktop/htmlexportcommand.h"

#include <QDir>

#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/progressdialog.h"
#include "export/htmlexport.h"
#include "model/scenario.h"
#include "platform/qtstrings.h"

namespace {
constexpr qsizetype kLongestProposedStem = 64;
}  // namespace

QString ProposedPageName(const std::string& scenarioName) {
    QString stem = ToQt(scenarioName.substr(0, std::size_t(kLongestProposedStem)));
    for (QChar& c : stem) {
        if (c < QChar(' ') || QStringLiteral("\\/:*?\"<>|").contains(c)) c = QChar('_');
    }
    stem = stem.trimmed();
    while (stem.startsWith('.')) stem.remove(0, 1);
    if (stem.isEmpty()) stem = QStringLiteral("Scenario");
    return stem + QStringLiteral(".htm");
}

void ExportScenarioAsHtml(QWidget* parent, const CBrinnowDoc& doc, const VxScenario& scenario) {
    const QString path = ChooseFile(parent, {FileChoice::Save, "HTML", "Internet Documents (*.HTM)",
                                             "htm", ProposedPageName(scenario.m_strName)});
    if (path.isEmpty()) return;
    std::string error;
    bool exported = false;
    const bool finished = RunWithProgress(parent, "HTML", [&](Progress& progress) {
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
