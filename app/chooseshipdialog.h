#pragma once

#include <cstddef>
#include <vector>

#include "editors/brinnowdialog.h"
#include "model/shipnamechoice.h"

class QListWidget;

// "Choose Ship", Check Campaign's fix for a name that matches no ship: the
// ships it may name, closest first, the first one chosen; OK, Enter or a
// double click takes the chosen line.
class ChooseShipDialog : public BrinnowDialog {
    Q_OBJECT
  public:
    ChooseShipDialog(const ShipNameChoice& choice, const CArray<VxShip>& ships, QWidget* parent);

    // The position in the ship list of the ship chosen.
    std::size_t Chosen() const;

  private:
    std::vector<std::size_t> m_choices;
    QListWidget* m_list;
};
