#include "app/campaigncheckwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/brinnowview.h"
#include "app/chooseshipdialog.h"
#include "app/findingsmodel.h"
#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "history/edithistory.h"
#include "model/messagenames.h"
#include "model/shipnamechoice.h"
#include "model/stalecopies.h"

namespace {

// Copies listed in the question before a refresh; the rest are counted.
constexpr std::size_t kListedCopies = 10;

// "Refresh 2 ship copies of Dogger Bank, Force 1 from the campaign?" and
// what changes in each.
std::string RefreshQuestion(const CString& force, const VxForce& copies,
                            const std::vector<StaleCopy>& stale) {
    const bool one = stale.size() == 1;
    std::string question = "Refresh " + std::to_string(stale.size()) +
                           (one ? " ship copy of " : " ship copies of ") + force +
                           " from the campaign's ships?\n";
    for (std::size_t i = 0; i < stale.size() && i < kListedCopies; ++i) {
        question += "\n" + ShownName(copies.m_ships[stale[i].copy].m_strName) + ":";
        for (std::size_t f = 0; f < stale[i].fields.size(); ++f) {
            question += (f == 0 ? " " : ", ") + std::string(stale[i].fields[f]);
        }
    }
    if (stale.size() > kListedCopies) {
        question += "\nand " + std::to_string(stale.size() - kListedCopies) + " more";
    }
    return question;
}

bool SameFinding(const Finding& a, const Finding& b) {
    return a.kind == b.kind && a.place == b.place && a.problem == b.problem;
}

}  // namespace

CampaignCheckWindow::CampaignCheckWindow(CBrinnowDoc& doc, EditHistory& history, CBrinnowView& view,
                                         QWidget* parent)
    : BrinnowDialog(HelpContext::kCampaignCheck, parent),
      m_doc(doc),
      m_history(history),
      m_view(view),
      m_findings(new FindingsModel(this)) {
    setObjectName("campaignCheckWindow");
    setWindowTitle("Check Campaign");
    setModal(false);
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &CampaignCheckWindow::CheckNow);

    m_summary = new QLabel;
    m_summary->setObjectName("summaryLabel");
    m_list = new QTreeView;
    m_list->setObjectName("findingList");
    m_list->setModel(m_findings);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->resizeSection(FindingsModel::kKind, 110);
    // A double-click, or Enter, on a finding.
    connect(m_list, &QTreeView::activated, this, [this] { OnOpen(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CampaignCheckWindow::UpdateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(BuildButtonRow());
    resize(860, 380);
    UpdateButtons();
}

QWidget* CampaignCheckWindow::BuildButtonRow() {
    m_open = MakeButton("openButton", "Open");
    m_open->setToolTip("Open the editor at the finding's record (or double-click it)");
    m_refresh = MakeButton("refreshButton", "Refresh from campaign");
    m_refresh->setToolTip("Make the force's stale ship copies the campaign's ships again");
    m_chooseShip = MakeButton("chooseShipButton", "Choose Ship...");
    m_chooseShip->setToolTip("Choose the ship that a name matching no ship should name");
    auto* close = MakeButton("closeButton", "Close");
    connect(m_open, &QPushButton::clicked, this, &CampaignCheckWindow::OnOpen);
    connect(m_refresh, &QPushButton::clicked, this, &CampaignCheckWindow::OnRefresh);
    connect(m_chooseShip, &QPushButton::clicked, this, &CampaignCheckWindow::OnChooseShip);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QWidget;
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_open);
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_chooseShip);
    buttons->addStretch();
    buttons->addWidget(close);
    return row;
}

const std::vector<Finding>& CampaignCheckWindow::Findings() const { return m_findings->Findings(); }

void CampaignCheckWindow::ScheduleCheck() {
    if (isVisible()) m_pending.start();
}

// The finding that was selected stays selected where it is found again;
// otherwise the selection stays on its row.
void CampaignCheckWindow::CheckNow() {
    m_pending.stop();
    const Finding* selected = Selected();
    const std::optional<Finding> was = selected ? std::optional(*selected) : std::nullopt;
    const int row = m_list->currentIndex().row();
    m_findings->SetFindings(CheckCampaign(m_doc));
    // A record's whole name shows, the problem taking the width left.
    m_list->resizeColumnToContents(FindingsModel::kRecord);
    const std::vector<Finding>& findings = Findings();
    const auto again = was ? std::find_if(findings.begin(), findings.end(),
                                          [&](const Finding& f) { return SameFinding(f, *was); })
                           : findings.end();
    SelectRow(again != findings.end() ? int(again - findings.begin()) : std::max(row, 0));
    m_summary->setText(findings.empty()       ? QString("No findings.")
                       : findings.size() == 1 ? QString("1 finding")
                                              : QString("%1 findings").arg(findings.size()));
    UpdateButtons();
}

void CampaignCheckWindow::showEvent(QShowEvent* event) {
    BrinnowDialog::showEvent(event);
    CheckNow();
}

const Finding* CampaignCheckWindow::Selected() const {
    const int row = m_list->currentIndex().row();
    const std::vector<Finding>& findings = Findings();
    return row >= 0 && std::size_t(row) < findings.size() ? &findings[std::size_t(row)] : nullptr;
}

void CampaignCheckWindow::SelectRow(int row) {
    const int count = m_findings->rowCount();
    if (count == 0) return;
    m_list->setCurrentIndex(m_findings->index(std::min(row, count - 1), 0));
}

void CampaignCheckWindow::UpdateButtons() {
    const Finding* finding = Selected();
    m_open->setEnabled(finding != nullptr);
    m_refresh->setEnabled(finding != nullptr && finding->kind == FindingKind::StaleCopy);
    m_chooseShip->setEnabled(finding != nullptr && finding->kind == FindingKind::MissingShip);
}

void CampaignCheckWindow::OnOpen() {
    if (const Finding* finding = Selected()) OpenFinding(*finding);
}

// The place is taken first: the check runs again while the editor is open.
void CampaignCheckWindow::OpenFinding(const Finding& finding) {
    const FindingPlace place = finding.place;
    switch (place.list) {
        case FindingPlace::List::Ships:
            m_view.EditShipsAt(int(place.index));
            break;
        case FindingPlace::List::Squadrons:
            m_view.EditSquadronsAt(int(place.index));
            break;
        case FindingPlace::List::Scenarios:
            m_view.EditScenariosAt(int(place.index), std::max(0, place.force));
            break;
    }
}

void CampaignCheckWindow::OnRefresh() {
    const Finding* finding = Selected();
    if (finding == nullptr || finding->kind != FindingKind::StaleCopy) return;
    const FindingPlace place = finding->place;
    const CString record = finding->record;
    if (place.index >= m_doc.m_scenarios.size()) return;
    const auto& forces = m_doc.m_scenarios[place.index].m_forces;
    if (!place.IsForce() || std::size_t(place.force) >= forces.size()) return;
    const VxForce& force = forces[std::size_t(place.force)];
    const std::vector<StaleCopy> stale =
        StaleCopies(force, m_doc.m_ships, ShipNameIndex(m_doc.m_ships));
    if (stale.empty() ||
        AfxMessageBox(RefreshQuestion(record, force, stale), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    m_history.Run("Refresh from campaign", [&] {
        RefreshStaleCopies(m_doc.m_scenarios.Modify(place.index).m_forces[std::size_t(place.force)],
                           m_doc.m_ships);
    });
}

// The choice is made before the step begins; the step only renames.
void CampaignCheckWindow::OnChooseShip() {
    const Finding* finding = Selected();
    if (finding == nullptr || finding->kind != FindingKind::MissingShip) return;
    const ShipNameChoice choice(m_doc.m_ships, finding->shipName, finding->nation);
    if (choice.Choices().empty()) {
        AfxMessageBox(
            "The campaign has no ship for \"" + ShownName(choice.Missing()) + "\" to name.", MB_OK);
        return;
    }
    ChooseShipDialog dialog(choice, m_doc.m_ships, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::size_t ship = dialog.Chosen();
    m_history.Run("Choose Ship", [&] { choice.Apply(m_doc, ship); });
}
