#pragma once

#include "editors/recordeditordlg.h"
#include "model/scenario.h"

class CBrinnowDoc;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

// "Edit Scenarios": one scenario at a time in a working copy, with a tab per
// force. The force on show is edited in a working force of its own, which
// goes back into the working scenario when another tab is chosen, and the
// working scenario goes back into the document when the user moves on.
class CEditScenariosDlg : public RecordEditorDlg {
    Q_OBJECT
  public:
    CEditScenariosDlg(CBrinnowDoc& doc, QWidget* parent);

    int CurrentForce() const { return m_nCurForce; }
    const VxScenario& WorkingScenario() const { return m_scenario; }
    const VxForce& WorkingForce() const { return m_force; }

    // The buttons and notifications, callable as the user would cause them.
    void OnCancelAdd() override;
    void OnFind();
    void OnDelete();
    void OnShips();
    void OnSquadrons();
    void OnPrint();
    void OnHtml();
    void OnClose();
    void OnAddNewForce();
    void OnRemoveForce();
    void OnNationChanged();
    void OnAddSquadron();
    void OnRemoveSquadron();
    void OnSquadronUp();
    void OnSquadronDown();
    void OnAddShip();
    void OnRemoveShip();
    void OnShipUp();
    void OnShipDown();
    void SelectForce();

    // Escape and the close box: a change not yet stored is only dropped
    // when the user says so.
    void reject() override;

  protected:
    void MoveTo(int index) override;
    void OnAdd() override;
    void OnSave() override;

  private:
    void BuildForm();
    QWidget* BuildScenarioBoxes();
    QWidget* BuildForceArea();
    QWidget* BuildButtonRow();
    void ConnectSignals();

    void LoadCurrent();
    void ShowScenario();
    // Calls act(box, text) for each of the scenario's six boxes and texts.
    template <class Act>
    void ForEachScenarioBox(Act act);
    void ShowScenarioTexts();
    void ShowForce();
    void ShowSelectedLists();
    void TakeScenarioTexts();
    void StoreEdits();
    void StoreWorkingForce();
    void Commit();
    bool CanLeave();
    bool HasUnstoredChanges();
    void RebuildTabs();
    void SelectTab(int index);

    void UpdateControls();
    void UpdateNavButtons();
    void UpdateListButtons();
    void FillAvailableSquadrons();
    void FillAvailableShips();
    template <class Record>
    void MoveSelected(QListWidget* selected, CArray<Record>& records, int step);

    CBrinnowDoc& m_doc;
    VxScenario m_scenario;
    int m_nCurForce = 0;
    int m_nLoadedForce = -1;
    VxForce m_force;

    QLineEdit* m_name;
    QLineEdit* m_umpire;
    QLineEdit* m_date;
    QPlainTextEdit* m_weather;
    QPlainTextEdit* m_victoryConditions;
    QPlainTextEdit* m_notes;
    QTabBar* m_tabs;
    QLineEdit* m_forceName;
    QComboBox* m_nation;
    QPushButton* m_addForce;
    QPushButton* m_removeForce;
    QListWidget* m_availableSquadrons;
    QPushButton* m_addSquadron;
    QPushButton* m_removeSquadron;
    QListWidget* m_selectedSquadrons;
    QPushButton* m_squadronUp;
    QPushButton* m_squadronDown;
    QListWidget* m_availableShips;
    QPushButton* m_addShip;
    QPushButton* m_removeShip;
    QListWidget* m_selectedShips;
    QPushButton* m_shipUp;
    QPushButton* m_shipDown;
    QPlainTextEdit* m_forceNotes;
    QPushButton* m_find;
    QPushButton* m_delete;
    QPushButton* m_ships;
    QPushButton* m_squadrons;
    QPushButton* m_print;
    QPushButton* m_html;
    QPushButton* m_close;
};
