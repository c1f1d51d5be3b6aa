#pragma once

#include "editors/brinnowdialog.h"
#include "model/nation.h"

class QLineEdit;
class QPlainTextEdit;

// "Add Nation", which is also "Edit Nation", where the name cannot change.
class CAddNationDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CAddNationDlg(const VxNation& nation, bool addMode, QWidget* parent);

    const VxNation& Nation() const { return m_nation; }
    void accept() override;

  private:
    VxNation m_nation;
    QLineEdit* m_name;
    QPlainTextEdit* m_notes;
};
