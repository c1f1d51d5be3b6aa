#pragma once

#include <array>

#include "editors/brinnowdialog.h"
#include "model/armament.h"
#include "model/nation.h"

class QLineEdit;
class QRadioButton;

// "Add Armament", which is also "Edit Armament": one armament type in a
// working copy. Switching to Aircraft keeps the gun's values, and switching
// back restores them.
class CAddArmamentDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CAddArmamentDlg(const VxArmament& armament, const CArray<VxNation>& nations, bool addMode,
                    QWidget* parent);

    const VxArmament& Armament() const { return m_armament; }

    void accept() override;
    void OnAircraft();
    void OnGun();

  private:
    // The calibre, notes and AF as typed; false when the AF is not a number.
    bool ReadFields();
    void ShowFields();

    VxArmament m_armament;
    bool m_bAddMode;
    CString m_savedCalibre;
    CString m_savedNotes;
    double m_dSavedAF = 0.0;

    QLineEdit* m_nation;
    QRadioButton* m_aircraft;
    QRadioButton* m_gun;
    QLineEdit* m_calibre;
    QLineEdit* m_notes;
    QLineEdit* m_af;
    std::array<QLineEdit*, VxArmament::kRangeBands> m_rangeBands;
};
