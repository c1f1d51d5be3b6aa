#pragma once

#include <QTimer>
#include <vector>

#include "editors/brinnowdialog.h"
#include "model/campaigncheck.h"

class CBrinnowDoc;
class CBrinnowView;
class EditHistory;
class FindingsModel;
class QLabel;
class QPushButton;
class QTreeView;

// Tools > Check Campaign: what would break the campaign's printouts, in a
// window that stays open beside the cards and checks again after every
// edit. A double-click or Enter on a finding opens the editor at its
// record; a force whose ship copies are older than the campaign's ships can
// be refreshed from them, and a name that matches no ship can be given the
// ship it should name, each as one step of the history.
class CampaignCheckWindow : public BrinnowDialog {
    Q_OBJECT
  public:
    CampaignCheckWindow(CBrinnowDoc& doc, EditHistory& history, CBrinnowView& view,
                        QWidget* parent);

    const std::vector<Finding>& Findings() const;
    // The document changed: checks again once the events at hand are done,
    // so that a burst of changes costs one check. Nothing while hidden.
    void ScheduleCheck();
    void CheckNow();

    // The buttons, callable as the user would press them.
    void OnOpen();
    void OnRefresh();
    void OnChooseShip();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildButtonRow();
    // The selected finding, or null.
    const Finding* Selected() const;
    void SelectRow(int row);
    void UpdateButtons();
    void OpenFinding(const Finding& finding);

    CBrinnowDoc& m_doc;
    EditHistory& m_history;
    CBrinnowView& m_view;
    QTimer m_pending;
    FindingsModel* m_findings;
    QTreeView* m_list;
    QLabel* m_summary;
    QPushButton* m_open;
    QPushButton* m_refresh;
    QPushButton* m_chooseShip;
};
