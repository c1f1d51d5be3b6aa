#pragma once

#include <QWidget>

#include "model/force.h"

class CBrinnowDoc;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class ForceTabBar;

// The forces of the scenario on show in "Edit Scenarios": a tab per force,
// and the force on show in a working force of its own with its name,
// nation, squadron and ship lists and notes. The working force goes back
// into the scenario's forces when another tab is chosen or the dialog
// stores its edits.
class ForcePane : public QWidget {
    Q_OBJECT
  public:
    // forces are the editor's working scenario's, which outlive the pane.
    ForcePane(CBrinnowDoc& doc, CArray<VxForce>& forces, QWidget* parent = nullptr);

    // Shows the forces afresh at their first force, or at this one.
    void ShowFirstForce() { ShowForcesAt(0); }
    void ShowForcesAt(int force);
    void StoreWorkingForce();
    // Whether the editor shows a record whose forces may be edited.
    void SetRecordShown(bool shown);
    // The document's ships, or its squadrons and ships, changed under the
    // pane (another editor ran).
    void ShipsChanged();
    void SquadronsChanged();

    int CurrentForce() const { return m_nCurForce; }
    const VxForce& WorkingForce() const { return m_force; }

    // The buttons and notifications, callable as the user would cause them.
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

  private:
    void Build();
    QLayout* BuildHeading();
    QLayout* BuildLists();
    void ConnectSignals();

    void UpdateTabs();
    void SelectTab(int index);
    void ShowForce();
    void ShowNoForce();
    void FillAvailableSquadrons();
    void FillAvailableShips();
    void UpdateControls();
    void UpdateListButtons();
    template <class Record>
    void MoveSelected(QListWidget* selected, CArray<Record>& records, int step);

    CBrinnowDoc& m_doc;
    CArray<VxForce>& m_forces;
    int m_nCurForce = 0;
    int m_nLoadedForce = -1;
    VxForce m_force;
    bool m_bRecordShown = false;

    ForceTabBar* m_tabs;
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
};
