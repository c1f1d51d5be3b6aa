#pragma once

#include <QString>
#include <string>

#include "model/brinnowdoc.h"

class QWidget;
class TableWindow;

// The game file of a scenario: "<campaign> - <scenario>.game.json" beside
// the campaign.
QString GamePathFor(const std::string& campaignPath, const CString& scenarioName);

// Tools > Play Scenario: continues the scenario's game when its file is
// there, else starts one. File > Open Game: a game file of a scenario of the
// open campaign. Each shows the table window (or brings forward the one
// already showing that game) and returns it; null with the reason said when
// nothing could be opened. A scenario changed since the game was played is
// played on; the marks of ships no longer found are listed and kept.
TableWindow* PlayScenario(QWidget* parent, const CBrinnowDoc& doc, const std::string& campaignPath,
                          const VxScenario& scenario);
TableWindow* OpenGame(QWidget* parent, const CBrinnowDoc& doc, const std::string& campaignPath,
                      const QString& gamePath);
