#pragma once

#include "editors/recordeditordlg.h"
#include "model/scenario.h"

class CBrinnowDoc;
class ForcePane;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Edit Scenarios": one scenario at a time in a working copy, its forces in
// a pane of their own. The working scenario goes back into the document
// when the user moves on.
class CEditScenariosDlg : public RecordEditorDlg {
    Q_OBJECT
  public:
    CEditScenariosDlg(CBrinnowDoc& doc, QWidget* parent);

    int CurrentForce() const;
    const VxScenario& WorkingScenario() const { return m_scenario; }
    const VxForce& WorkingForce() const;
    ForcePane& Forces() { return *m_forces; }
    // Shows this scenario of the list at this force, without storing the
    // one shown: how the dialog opens at a scenario other than the first.
    void ShowScenarioAt(int index, int force);

    // The buttons and notifications, callable as the user would cause them.
    void OnCancelAdd() override;
    void OnFind();
    void OnDelete();
    void OnShips();
    void OnSquadrons();
    void OnPrint();
    void OnHtml();
    void OnCompare();
    void OnClose();

  protected:
    void MoveTo(int index) override;
    void OnAdd() override;
    void OnSave() override;
    QLineEdit* NameField() const override { return m_name; }
    bool HasUnsavedEdits() override;

  private:
    void BuildForm();
    QWidget* BuildScenarioBoxes();
    QWidget* BuildButtonRow();
    void ConnectSignals();

    void LoadCurrent();
    void FollowRenamedCopies();
    void ShowScenario();
    // Calls act(box, text) for each of the scenario's six boxes and texts.
    template <class Act>
    void ForEachScenarioBox(Act act);
    void ShowScenarioTexts();
    void TakeScenarioTexts();
    void StoreEdits();
    void Commit();
    bool CanLeave();

    void UpdateControls();
    void UpdateNavButtons();

    CBrinnowDoc& m_doc;
    VxScenario m_scenario;

    QLineEdit* m_name;
    QLineEdit* m_umpire;
    QLineEdit* m_date;
    QPlainTextEdit* m_weather;
    QPlainTextEdit* m_victoryConditions;
    QPlainTextEdit* m_notes;
    ForcePane* m_forces;
    QPushButton* m_find;
    QPushButton* m_delete;
    QPushButton* m_ships;
    QPushButton* m_squadrons;
    QPushButton* m_print;
    QPushButton* m_html;
    QPushButton* m_compare;
    QPushButton* m_close;
};
