#pragma once

#include "editors/brinnowdialog.h"
#include "model/scenario.h"

class QListWidget;

// "Select Scenario": every scenario's name, sorted as a list box sorts
// (letter case ignored); OK, Enter or a double click picks the scenario of
// the chosen line. The current scenario's line is chosen when the list
// opens, or the first line; OK is greyed while no line is chosen.
class CSelectScenarioDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    // current: the index in the scenario list of the scenario shown, or -1.
    CSelectScenarioDlg(const CArray<VxScenario>& scenarios, QWidget* parent, int current = -1);

    void accept() override;

    // The index in the scenario list of the chosen scenario, or -1.
    int m_nSelected = -1;

  private:
    QListWidget* m_list;
};
