#pragma once

#include "editors/brinnowdialog.h"
#include "model/squadron.h"

class QListWidget;

// "Select Squadron": every squadron's name in alphabetical order, ignoring
// case; OK or a double click picks the first squadron of that name in the
// document's list.
class CSelectSquadronDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CSelectSquadronDlg(const CArray<VxSquadron>& squadrons, QWidget* parent);

    // The index in the squadron list of the chosen squadron, or -1.
    int Chosen() const { return m_chosen; }

    void accept() override;

  private:
    const CArray<VxSquadron>& m_squadrons;
    QListWidget* m_list;
    int m_chosen = -1;
};
