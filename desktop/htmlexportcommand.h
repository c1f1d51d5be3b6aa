#pragma once

#include <QString>
#include <string>

class CBrinnowDoc;
class QWidget;
class VxScenario;

// The scenario editor's HTML button: asks for the page's file name, offering
// one made from the scenario's name, then writes the page with the card
// images beside it, under the wait cursor, and says where the page went.
// A failure is reported; cancelling does nothing.
void ExportScenarioAsHtml(QWidget* parent, const CBrinnowDoc& doc, const VxScenario& scenario);

// A file name for the scenario's page: its name with the characters a file
// name cannot hold replaced, kept short, and ".htm".
QString ProposedPageName(const std::string& scenarioName);
