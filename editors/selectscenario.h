#pragma once

#include "editors/brinnowdialog.h"
#include "model/scenario.h"

class QListWidget;

// "Select Scenario": every scenario's name, sorted as a list box sorts
// (letter case ignored); OK or a double click picks the scenario of the
// chosen line.
class CSelectScenarioDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CSelectScenarioDlg(const CArray<VxScenario>& scenarios, QWidget* parent);

    void accept() override;

    // The index in the scenario list of the chosen scenario, or -1.
    int m_nSelected = -1;

  private:
    QListWidget* m_list;
};
