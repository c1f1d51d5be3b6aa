#pragma once

class CBrinnowDoc;
class QWidget;

// Tools > Play Scenario: the Select Scenario list, then the chosen
// scenario's game at the table.
void ChooseAndPlayScenario(QWidget* parent, const CBrinnowDoc& doc);
// Tools > Compare Forces: the Select Scenario list, then the chosen
// scenario's forces compared.
void ChooseAndCompareScenario(QWidget* parent, const CBrinnowDoc& doc);
// File > Open Game: a game file of one of the open campaign's scenarios.
void ChooseAndOpenGame(QWidget* parent, const CBrinnowDoc& doc);
