#pragma once

class CBrinnowDoc;
class QWidget;
class VxScenario;

// The scenario editor's HTML button: asks for the page's file name, offering
// one made from the scenario's name beside the campaign, then writes the
// page with the card images beside it, under the wait cursor, and says
// where the page went.
// A failure is reported; cancelling does nothing.
void ExportScenarioAsHtml(QWidget* parent, const CBrinnowDoc& doc, const VxScenario& scenario);
