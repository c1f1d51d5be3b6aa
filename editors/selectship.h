#pragma once

#include "editors/brinnowdialog.h"
#include "model/nation.h"
#include "model/ship.h"

class QListWidget;

// "Select Ship": every ship's whole name with its nation, in alphabetical
// order whatever the letter case; OK or a double click picks the first ship
// of that name in the list, whatever its nation.
class CSelectShipDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    // Without nations the nation column stays empty.
    CSelectShipDlg(const CArray<VxShip>& ships, QWidget* parent,
                   const CArray<VxNation>* nations = nullptr);

    // The index in the ship list of the chosen ship, or -1.
    int Chosen() const { return m_chosen; }

    void accept() override;

  private:
    void FillList(const CArray<VxNation>* nations);

    const CArray<VxShip>& m_ships;
    QListWidget* m_list;
    int m_chosen = -1;
};
