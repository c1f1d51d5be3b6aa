#pragma once

#include "editors/brinnowdialog.h"
#include "model/ship.h"

class QListWidget;

// "Select Ship": every ship's name in alphabetical order; OK or a double
// click picks the first ship of that name in the list, whatever its nation.
class CSelectShipDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CSelectShipDlg(const CArray<VxShip>& ships, QWidget* parent);

    // The index in the ship list of the chosen ship, or -1.
    int Chosen() const { return m_chosen; }

    void accept() override;

  private:
    const CArray<VxShip>& m_ships;
    QListWidget* m_list;
    int m_chosen = -1;
};
