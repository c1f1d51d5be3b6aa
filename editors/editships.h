#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "editors/recordeditordlg.h"
#include "model/armament.h"
#include "model/nation.h"
#include "model/recordlist.h"
#include "model/scenario.h"
#include "model/ship.h"
#include "model/squadron.h"
#include "model/torpedo.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Edit Ships": one ship at a time in a working copy, walking the document's
// ship list and keeping it in ship order (nation, then name). Squadrons name
// their ships, so deleting or renaming one that they name asks about them.
class CEditShipsDlg : public RecordEditorDlg {
    Q_OBJECT
  public:
    CEditShipsDlg(const CArray<VxNation>& nations, const CArray<VxArmament>& armaments,
                  const CArray<VxTorpedo>& torpedoes, RecordList<VxShip>& ships,
                  RecordList<VxSquadron>& squadrons, RecordList<VxScenario>& scenarios,
                  QWidget* parent);

    const VxShip& WorkingShip() const { return m_ship; }
    // Shows this ship of the list without storing the one shown: how the
    // dialog opens on a ship other than the first.
    void ShowShip(int index);

    // The buttons and notifications, callable as the user would cause them.
    void OnCancelAdd() override;
    void OnCopy();
    void OnFind();
    void OnDelete();
    void OnNameLeft();
    void OnNationChanged();
    void OnClose();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildForm();
    QWidget* BuildButtonRow();
    void FillLists();
    void LoadCurrent();
    void LoadForm();
    bool ReadForm();
    void FillArmaments();
    bool SaveCurrent();
    // The shown ship was stored under a new name: offers to rename it in the
    // squadrons that named the old one.
    void FollowRename(const CString& from);
    // Whether a lookup of the name finds the ship at index: no earlier ship
    // bears it.
    bool FoundByName(std::size_t index, const CString& name) const;
    bool ValidateArmament();
    bool LeaveGuard();
    void MoveTo(int index) override;
    void OnAdd() override;
    void OnSave() override;
    QLineEdit* NameField() const override { return m_name; }
    bool HasUnsavedEdits() override;
    // What every control of the form shows.
    QStringList FormState() const;
    void Resort();
    void UpdateButtons();
    // The index of the ship the Select Ship dialog picks, or -1.
    int SelectShip();

    const CArray<VxNation>& m_nations;
    const CArray<VxArmament>& m_armaments;
    const CArray<VxTorpedo>& m_torpedoes;
    RecordList<VxShip>& m_ships;
    RecordList<VxSquadron>& m_squadrons;
    RecordList<VxScenario>& m_scenarios;  // their forces hold copies that a rename follows
    int m_nFirstArmament = -1;
    VxShip m_ship;
    // The form as the shown ship was loaded into it: a ship the form cannot
    // show exactly (a neutral without armaments) still counts as untouched.
    QStringList m_loadedForm;

    QLineEdit* m_name;
    QComboBox* m_nation;
    QLineEdit* m_identifier;
    QComboBox* m_mainArmament;
    std::array<QLineEdit*, 4> m_mainAF;
    QPushButton* m_wingTurrets;
    QComboBox* m_secondaryArmament;
    std::array<QLineEdit*, 4> m_secondaryAF;
    QComboBox* m_torpedo;
    std::array<QLineEdit*, 4> m_torpedoAF;
    QComboBox* m_aaRating;
    QLineEdit* m_df;
    QComboBox* m_shipType;
    QCheckBox* m_poorUP;
    std::array<QLineEdit*, 5> m_turnSpeed;
    QCheckBox* m_flotilla;
    QPlainTextEdit* m_notes;
    QPushButton* m_copy;
    QPushButton* m_find;
    QPushButton* m_delete;
    QPushButton* m_close;
};
