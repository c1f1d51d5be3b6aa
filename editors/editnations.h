#pragma once

#include "editors/brinnowdialog.h"
#include "model/nation.h"
#include "model/recordlist.h"

class QListWidget;
class QPushButton;

// "Edit Nations": nations are added and edited, never removed, because
// everything else names them by their place in the list.
class CEditNationsDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CEditNationsDlg(RecordList<VxNation>& nations, QWidget* parent);

    void FillList();
    void UpdateButtons();
    void OnAdd();
    void OnEdit();
    void OnRemove();

  private:
    // The selected row, or -1: what the user clicked, not just the current row.
    int SelectedRow() const;

    RecordList<VxNation>& m_nations;
    QListWidget* m_list;
    QPushButton* m_edit;
    QPushButton* m_remove;
};
