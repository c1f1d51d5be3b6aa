#pragma once

class CBrinnowDoc;
class CompareWindow;
class QWidget;
class VxScenario;

// Compare Forces on a scenario as it is now, its squadrons' ships looked up
// in the campaign: a window of its own over the parent, shown.
CompareWindow* OpenScenarioComparison(QWidget* parent, const CBrinnowDoc& doc,
                                      const VxScenario& scenario);
