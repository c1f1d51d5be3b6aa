#include "editors/editscenarios.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "charts/opencomparison.h"
#include "desktop/helpwindow.h"
#include "desktop/htmlexportcommand.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/unmatchedwarning.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "editors/forcepane.h"
#include "editors/longtextboxes.h"
#include "editors/recordbrowser.h"
#include "editors/selectscenario.h"
#include "editors/storeworkingcopy.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "model/unmatchednames.h"
#include "platform/qtstrings.h"
#include "print/scenarioprintjob.h"

namespace {
constexpr const char* kNewScenarioName = "New Scenario";
}  // namespace

CEditScenariosDlg::CEditScenariosDlg(CBrinnowDoc& doc, QWidget* parent)
    : RecordEditorDlg(HelpContext::kScenarios, kNewScenarioName, "Abandon Changes to Scenario?",
                      parent),
      m_doc(doc) {
    setObjectName("editScenariosDialog");
    setWindowTitle("Edit Scenarios");
    BuildForm();
    ConnectSignals();
    m_browser->SetCount(static_cast<int>(m_doc.m_scenarios.size()));
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    // The text boxes take a share of the height the dialog is given.
    layout->addWidget(BuildScenarioBoxes(), 1);
    m_forces = new ForcePane(m_doc, m_scenario.m_forces);
    layout->addWidget(m_forces, 3);
    layout->addWidget(BuildButtonRow());
    resize(980, 680);
}

QWidget* CEditScenariosDlg::BuildScenarioBoxes() {
    m_name = MakeLineBox("nameEdit");
    m_umpire = MakeLineBox("umpireEdit");
    m_date = MakeLineBox("dateEdit");
    m_weather = MakeNotesBox("weatherEdit");
    m_victoryConditions = MakeNotesBox("victoryConditionsEdit");
    m_notes = MakeNotesBox("notesEdit");
    for (QPlainTextEdit* box : {m_weather, m_victoryConditions, m_notes}) box->setMinimumHeight(48);

    auto* boxes = new QWidget;
    auto* grid = new QGridLayout(boxes);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel("Name"), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel("Umpire"), 1, 0);
    grid->addWidget(m_umpire, 1, 1);
    grid->addWidget(new QLabel("Date"), 2, 0);
    grid->addWidget(m_date, 2, 1);
    grid->addWidget(new QLabel("Weather"), 3, 0, Qt::AlignTop);
    grid->addWidget(m_weather, 3, 1);
    grid->addWidget(new QLabel("Victory Conditions"), 0, 2);
    // Victory Conditions and Notes stand side by side from the Umpire's row
    // to the Weather's bottom.
    grid->addWidget(m_victoryConditions, 1, 2, 3, 1);
    grid->addWidget(new QLabel("Notes"), 0, 3);
    grid->addWidget(m_notes, 1, 3, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    return boxes;
}

QWidget* CEditScenariosDlg::BuildButtonRow() {
    m_find = MakeButton("findButton", "Find");
    m_delete = MakeButton("deleteButton", "Delete");
    m_ships = MakeButton("shipsButton", "Ships");
    m_squadrons = MakeButton("squadronsButton", "Squadrons");
    m_print = MakeButton("printButton", "Print");
    m_html = MakeButton("htmlButton", "HTML");
    m_compare = MakeButton("compareButton", "Compare");
    m_close = MakeButton("closeButton", "Close");
    m_close->setDefault(true);
    return m_browser->BuildRow(
        {m_find, m_delete, m_ships, m_squadrons, m_print, m_html, m_compare}, m_close);
}

void CEditScenariosDlg::ConnectSignals() {
    const std::pair<QPushButton*, void (CEditScenariosDlg::*)()> buttons[] = {
        {m_find, &CEditScenariosDlg::OnFind},   {m_delete, &CEditScenariosDlg::OnDelete},
        {m_ships, &CEditScenariosDlg::OnShips}, {m_squadrons, &CEditScenariosDlg::OnSquadrons},
        {m_print, &CEditScenariosDlg::OnPrint}, {m_html, &CEditScenariosDlg::OnHtml},
        {m_compare, &CEditScenariosDlg::OnCompare},
        {m_close, &CEditScenariosDlg::OnClose},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
}

int CEditScenariosDlg::CurrentForce() const { return m_forces->CurrentForce(); }

const VxForce& CEditScenariosDlg::WorkingForce() const { return m_forces->WorkingForce(); }

void CEditScenariosDlg::LoadCurrent() {
    if (m_browser->HasRecords()) {
        m_scenario = m_doc.m_scenarios[std::size_t(m_browser->Current())];
    } else {
        m_scenario = VxScenario();
        m_scenario.m_strName.clear();
    }
    ShowScenario();
}

// A scenario shown afresh starts at its first force.
void CEditScenariosDlg::ShowScenario() {
    m_forces->ShowFirstForce();
    ShowScenarioTexts();
}

template <class Act>
void CEditScenariosDlg::ForEachScenarioBox(Act act) {
    act(m_name, m_scenario.m_strName);
    act(m_umpire, m_scenario.m_strUmpire);
    act(m_date, m_scenario.m_strDate);
    act(m_weather, m_scenario.m_strWeather);
    act(m_victoryConditions, m_scenario.m_strVictoryConditions);
    act(m_notes, m_scenario.m_strNotes);
}

void CEditScenariosDlg::ShowScenarioTexts() {
    ForEachScenarioBox([](auto* box, CString& text) { ShowText(box, text); });
}

void CEditScenariosDlg::TakeScenarioTexts() {
    ForEachScenarioBox([](auto* box, CString& text) { TakeText(box, text); });
}

void CEditScenariosDlg::StoreEdits() {
    TakeScenarioTexts();
    m_forces->StoreWorkingForce();
}

void CEditScenariosDlg::Commit() {
    if (!m_browser->HasRecords()) return;
    StoreEdits();
    if (m_browser->IsAdding()) return;
    StoreWorkingCopy(m_doc.m_scenarios, std::size_t(m_browser->Current()), m_scenario);
}

bool CEditScenariosDlg::CanLeave() {
    if (!m_browser->IsAdding()) {
        Commit();
        return true;
    }
    if (!RecordBrowser::ConfirmThrowAwayNew()) return false;
    m_browser->SetAdding(false);
    return true;
}

void CEditScenariosDlg::ShowScenarioAt(int index, int force) {
    if (!m_browser->HasRecords()) return;
    m_browser->SetCurrent(index);
    LoadCurrent();
    m_forces->ShowForcesAt(force);
    UpdateControls();
}

void CEditScenariosDlg::MoveTo(int index) {
    if (!m_browser->HasRecords() || !CanLeave()) return;
    m_browser->SetCurrent(index);
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::OnAdd() {
    Commit();
    m_scenario = VxScenario();
    ShowScenario();
    m_browser->SetAdding(true);
    UpdateControls();
}

void CEditScenariosDlg::OnSave() {
    StoreEdits();
    const CString& name = m_scenario.m_strName;
    if (name == kNewScenarioName) {
        AfxMessageBox("You must supply a unique name for this Scenario!", MB_OK);
        UpdateControls();
        return;
    }
    auto& scenarios = m_doc.m_scenarios;
    const bool exists = std::any_of(scenarios.begin(), scenarios.end(),
                                    [&name](const VxScenario& s) { return s.m_strName == name; });
    if (exists) {
        AfxMessageBox("Scenario already exists with this name!", MB_OK);
        UpdateControls();
        return;
    }
    PostDocumentChangedNotice();
    // Byte order: std::string compares its characters as unsigned.
    const auto at = std::find_if(scenarios.begin(), scenarios.end(),
                                 [&name](const VxScenario& s) { return s.m_strName > name; });
    const int position = static_cast<int>(at - scenarios.begin());
    scenarios.insert(at, m_scenario);
    m_browser->Inserted(position);
    m_browser->SetAdding(false);
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::OnCancelAdd() {
    m_browser->SetAdding(false);
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::OnFind() {
    CSelectScenarioDlg select(m_doc.m_scenarios, this,
                              m_browser->HasRecords() ? m_browser->Current() : -1);
    if (select.exec() != QDialog::Accepted || select.m_nSelected < 0) return;
    Commit();
    m_browser->SetCurrent(select.m_nSelected);
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::OnDelete() {
    if (!m_browser->HasRecords() || m_browser->IsAdding()) return;
    if (!AskYesNo("Are you sure you want to delete this Scenario?")) return;
    m_doc.m_scenarios.erase(m_doc.m_scenarios.begin() + m_browser->Current());
    m_browser->RemovedCurrent();
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::OnShips() {
    Commit();
    CEditShipsDlg ships(m_doc.m_nations, m_doc.m_armaments, m_doc.m_torpedoes, m_doc.m_ships,
                        m_doc.m_squadrons, m_doc.m_scenarios, this);
    ships.exec();
    FollowRenamedCopies();
    m_forces->ShipsChanged();
}

void CEditScenariosDlg::OnSquadrons() {
    Commit();
    CEditSquadronsDlg squadrons(m_doc.m_nations, m_doc.m_ships, m_doc.m_squadrons,
                                m_doc.m_scenarios, m_doc.m_armaments, m_doc.m_torpedoes, m_doc.GetPathName(), this);
    squadrons.exec();
    FollowRenamedCopies();
    // Its own Ships button may have changed the ships as well.
    m_forces->SquadronsChanged();
}

// A ship renamed meanwhile may have renamed the copies in the scenario shown.
void CEditScenariosDlg::FollowRenamedCopies() {
    if (!m_browser->HasRecords() || m_browser->IsAdding()) return;
    const VxScenario& stored = m_doc.m_scenarios[std::size_t(m_browser->Current())];
    if (stored.IsDifferent(m_scenario)) LoadCurrent();
}

void CEditScenariosDlg::OnPrint() {
    if (!m_browser->HasRecords()) return;
    Commit();
    const ShipNameIndex ships(m_doc.m_ships);
    UnmatchedNames unmatched(ships);
    unmatched.Add(m_scenario);
    if (!ConfirmPrintOfUnmatchedNames(unmatched.Names(), "this scenario")) return;
    PrintWithDialog(this, m_scenario.m_strName, m_doc.GetPathName(),
                    [this](CDC& printer, Progress& progress) {
                        RunScenarioPrintJob(printer, m_scenario, m_doc.m_ships, m_doc.m_armaments,
                                            nullptr, progress);
                    });
}

void CEditScenariosDlg::OnHtml() {
    if (!m_browser->HasRecords()) return;
    Commit();
    ExportScenarioAsHtml(this, m_doc, m_scenario);
}

void CEditScenariosDlg::OnCompare() {
    if (!m_browser->HasRecords()) return;
    Commit();
    OpenScenarioComparison(this, m_doc, m_scenario);
}

void CEditScenariosDlg::OnClose() {
    if (m_browser->IsAdding()) {
        if (ConfirmAbandon()) accept();
        return;
    }
    Commit();
    accept();
}

bool CEditScenariosDlg::HasUnsavedEdits() {
    if (m_browser->IsAdding()) return true;
    if (!m_browser->HasRecords()) return false;
    StoreEdits();
    return m_scenario.IsDifferent(m_doc.m_scenarios[std::size_t(m_browser->Current())]);
}

void CEditScenariosDlg::UpdateControls() {
    const bool adding = m_browser->IsAdding();
    const bool any = m_browser->HasRecords();
    m_delete->setEnabled(!adding && any);
    if (!adding) {
        m_print->setEnabled(any);
        m_html->setEnabled(any);
        m_compare->setEnabled(any);
    }
    m_find->setEnabled(any && !adding);
    UpdateNavButtons();
    const bool shown = m_browser->ShowsRecord();
    ForEachScenarioBox([shown](QWidget* box, CString&) { box->setEnabled(shown); });
    m_forces->SetRecordShown(shown);
}

void CEditScenariosDlg::UpdateNavButtons() { m_browser->Update(); }
