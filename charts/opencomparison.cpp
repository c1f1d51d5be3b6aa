#include "charts/opencomparison.h"

#include "charts/comparewindow.h"
#include "game/scenariosnapshot.h"

CompareWindow* OpenScenarioComparison(QWidget* parent, const CBrinnowDoc& doc,
                                      const VxScenario& scenario) {
    // The figures of the moment it opened: later edits are compared anew.
    auto snapshot = std::make_shared<const ScenarioSnapshot>(ScenarioSnapshot::Of(doc, scenario));
    auto* window = new CompareWindow(
        scenario.m_strName, doc.GetPathName(), [snapshot] { return CompareForces(*snapshot); },
        parent);
    window->show();
    return window;
}
