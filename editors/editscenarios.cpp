#include "editors/editscenarios.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "editors/documentnotice.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "editors/helpwindow.h"
#include "editors/htmlexportcommand.h"
#include "editors/messagebox.h"
#include "editors/printcommand.h"
#include "editors/recordbrowser.h"
#include "editors/selectscenario.h"
#include "model/brinnowdoc.h"
#include "platform/qtstrings.h"
#include "print/scenarioprintjob.h"

namespace {

constexpr const char* kNewScenarioName = "New Scenario";

QLineEdit* LineEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QPlainTextEdit* TextBox(const char* name) {
    auto* edit = new QPlainTextEdit;
    edit->setObjectName(name);
    edit->setTabChangesFocus(true);
    return edit;
}

QListWidget* ListBox(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

// Longer texts are shown in part, read-only, and kept as they are: a box
// lays out a long unbroken line in quadratic time, and a part typed over
// would lose the rest.
constexpr std::size_t kLongestEditableText = 16384;

// The part of a text a box shows; whole tells whether that is all of it.
QString ShownPart(const CString& text, bool& whole) {
    whole = text.size() <= kLongestEditableText;
    return ToQt(whole ? text : text.substr(0, kLongestEditableText));
}

template <class Box>
void MarkWhole(Box* box, bool whole) {
    box->setReadOnly(!whole);
    box->setToolTip(whole ? QString()
                          : QStringLiteral("This text is too long to edit here; it is kept as "
                                           "it is."));
}

// A text shown afresh is not yet changed by the user, so it is taken back
// only once it is typed in.
void ShowText(QLineEdit* box, const CString& text) {
    bool whole = true;
    box->setText(ShownPart(text, whole));
    MarkWhole(box, whole);
}

void ShowText(QPlainTextEdit* box, const CString& text) {
    const QSignalBlocker quiet(box);
    bool whole = true;
    box->setPlainText(ShownPart(text, whole).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->document()->setModified(false);
    MarkWhole(box, whole);
}

void TakeText(const QLineEdit* box, CString& text) {
    if (box->isModified()) text = FromQt(box->text());
}

void TakeText(const QPlainTextEdit* box, CString& text) {
    if (box->document()->isModified()) text = FromQtLines(box->toPlainText());
}

// A list line names its record; a hostile name is cut to what a line can
// show, as every line knows its record by position, not by text.
QString LineText(const CString& name) {
    constexpr std::size_t kLongestLine = 256;
    return ToQt(name.size() <= kLongestLine ? name : name.substr(0, kLongestLine));
}

QString ForceTabText(std::size_t index) { return QStringLiteral("Force %1").arg(index + 1); }

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

// The records of one nation, each line knowing the record it stands for.
template <class Record>
void FillOfNation(QListWidget* list, const CArray<Record>& records, int nation) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].m_nNation != nation) continue;
        auto* item = new QListWidgetItem(LineText(records[i].m_strName));
        item->setData(Qt::UserRole, qulonglong(i));
        list->addItem(item);
    }
}

template <class Record>
void FillNames(QListWidget* list, const CArray<Record>& records) {
    const QSignalBlocker quiet(list);
    list->clear();
    QStringList names;
    names.reserve(qsizetype(records.size()));
    for (const Record& record : records) names.append(LineText(record.m_strName));
    list->addItems(names);
}

// Appends a copy of the record the selected Available line stands for,
// asking first when the Selected list already names it (letter case is
// ignored, as a list box's exact search does). With two records of one
// name the line's own record is copied, not merely the first of that name.
template <class Record>
void AddSelectedCopy(const QListWidget* available, QListWidget* selected, const char* question,
                     const CArray<Record>& from, CArray<Record>& to) {
    const int row = SelectedRow(available);
    if (row < 0) return;
    const QListWidgetItem* line = available->item(row);
    const std::size_t index = line->data(Qt::UserRole).toULongLong();
    if (index >= from.size()) return;
    if (!selected->findItems(line->text(), Qt::MatchFixedString).isEmpty() && !AskYesNo(question)) {
        return;
    }
    to.push_back(from[index]);
    selected->addItem(line->text());
}

template <class Record>
void RemoveSelected(QListWidget* selected, CArray<Record>& records) {
    const int row = SelectedRow(selected);
    if (row < 0 || std::size_t(row) >= records.size()) return;
    delete selected->takeItem(row);
    records.erase(records.begin() + row);
}

// Exchanges the selected record and its line with the neighbour step away,
// which then is the selected line.
template <class Record>
void SwapSelected(QListWidget* selected, CArray<Record>& records, int step) {
    const int row = SelectedRow(selected);
    const int to = row + step;
    if (row < 0 || to < 0 || to >= selected->count() ||
        std::size_t(std::max(row, to)) >= records.size()) {
        return;
    }
    std::swap(records[std::size_t(row)], records[std::size_t(to)]);
    QListWidgetItem* moved = selected->item(row);
    QListWidgetItem* other = selected->item(to);
    const QString text = moved->text();
    moved->setText(other->text());
    other->setText(text);
    selected->setCurrentRow(to, QItemSelectionModel::ClearAndSelect);
}

// ">", "<", "Up" and "Dn" of one Available and Selected pair.
void UpdatePairButtons(const QListWidget* available, QPushButton* add, const QListWidget* selected,
                       QPushButton* remove, QPushButton* up, QPushButton* down, bool hasForce) {
    const int row = SelectedRow(selected);
    add->setEnabled(SelectedRow(available) >= 0 && hasForce);
    remove->setEnabled(row >= 0 && hasForce);
    up->setEnabled(row >= 1 && hasForce);
    down->setEnabled(row >= 0 && row < selected->count() - 1 && hasForce);
}

}  // namespace

CEditScenariosDlg::CEditScenariosDlg(CBrinnowDoc& doc, QWidget* parent)
    : RecordEditorDlg(HelpContext::kScenarios, kNewScenarioName, parent), m_doc(doc) {
    setObjectName("editScenariosDialog");
    setWindowTitle("Edit Scenarios");
    BuildForm();
    ConnectSignals();
    for (const VxNation& nation : m_doc.m_nations) m_nation->addItem(ToQt(nation.m_strName));
    m_browser->SetCount(static_cast<int>(m_doc.m_scenarios.size()));
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::BuildForm() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildScenarioBoxes());
    layout->addWidget(BuildForceArea(), 1);
    layout->addWidget(BuildButtonRow());
    resize(980, 720);
}

QWidget* CEditScenariosDlg::BuildScenarioBoxes() {
    m_name = LineEdit("nameEdit");
    m_umpire = LineEdit("umpireEdit");
    m_date = LineEdit("dateEdit");
    m_weather = TextBox("weatherEdit");
    m_victoryConditions = TextBox("victoryConditionsEdit");
    m_notes = TextBox("notesEdit");
    for (QPlainTextEdit* box : {m_weather, m_victoryConditions, m_notes}) box->setFixedHeight(64);

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
    grid->addWidget(m_victoryConditions, 1, 2, 2, 1);
    grid->addWidget(new QLabel("Notes"), 0, 3);
    grid->addWidget(m_notes, 1, 3, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    return boxes;
}

namespace {

// An Available list, its two arrows, the Selected list and Up and Dn.
QLayout* ListPair(const char* availableCaption, QListWidget* available, QPushButton* add,
                  QPushButton* remove, const char* selectedCaption, QListWidget* selected,
                  QPushButton* up, QPushButton* down) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(availableCaption), 0, 0);
    grid->addWidget(available, 1, 0);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(add);
    arrows->addWidget(remove);
    arrows->addStretch();
    grid->addLayout(arrows, 1, 1);
    grid->addWidget(new QLabel(selectedCaption), 0, 2);
    grid->addWidget(selected, 1, 2);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch();
    grid->addLayout(moves, 1, 3);
    for (QPushButton* narrow : {add, remove, up, down}) narrow->setFixedWidth(40);
    return grid;
}

}  // namespace

QWidget* CEditScenariosDlg::BuildForceArea() {
    m_tabs = new QTabBar;
    m_tabs->setObjectName("forceTabs");
    m_tabs->setExpanding(false);
    m_forceName = LineEdit("forceNameEdit");
    m_nation = new QComboBox;
    m_nation->setObjectName("nationCombo");
    m_addForce = MakeButton("addForceButton", "Add New Force");
    m_removeForce = MakeButton("removeForceButton", "Remove Force");
    m_availableSquadrons = ListBox("availableSquadronsList");
    m_addSquadron = MakeButton("addSquadronButton", ">");
    m_removeSquadron = MakeButton("removeSquadronButton", "<");
    m_selectedSquadrons = ListBox("selectedSquadronsList");
    m_squadronUp = MakeButton("squadronUpButton", "Up");
    m_squadronDown = MakeButton("squadronDownButton", "Dn");
    m_availableShips = ListBox("availableShipsList");
    m_addShip = MakeButton("addShipButton", ">");
    m_removeShip = MakeButton("removeShipButton", "<");
    m_selectedShips = ListBox("selectedShipsList");
    m_shipUp = MakeButton("shipUpButton", "Up");
    m_shipDown = MakeButton("shipDownButton", "Dn");
    m_forceNotes = TextBox("forceNotesEdit");
    m_forceNotes->setFixedHeight(56);

    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel("Name"));
    heading->addWidget(m_forceName, 1);
    heading->addWidget(new QLabel("Nationality"));
    heading->addWidget(m_nation, 1);
    heading->addWidget(m_addForce);
    heading->addWidget(m_removeForce);
    auto* lists = new QHBoxLayout;
    lists->addLayout(ListPair("Available Squadrons", m_availableSquadrons, m_addSquadron,
                              m_removeSquadron, "Selected Squadrons", m_selectedSquadrons,
                              m_squadronUp, m_squadronDown));
    lists->addSpacing(12);
    lists->addLayout(ListPair("Available Ships", m_availableShips, m_addShip, m_removeShip,
                              "Selected Ships", m_selectedShips, m_shipUp, m_shipDown));
    auto* notes = new QHBoxLayout;
    notes->addWidget(new QLabel("Notes"), 0, Qt::AlignTop);
    notes->addWidget(m_forceNotes);

    auto* page = new QGroupBox;
    auto* force = new QVBoxLayout(page);
    force->addLayout(heading);
    force->addLayout(lists, 1);
    force->addLayout(notes);
    auto* area = new QWidget;
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_tabs);
    column->addWidget(page, 1);
    return area;
}

QWidget* CEditScenariosDlg::BuildButtonRow() {
    m_find = MakeButton("findButton", "Find");
    m_delete = MakeButton("deleteButton", "Delete");
    m_ships = MakeButton("shipsButton", "Ships");
    m_squadrons = MakeButton("squadronsButton", "Squadrons");
    m_print = MakeButton("printButton", "Print");
    m_html = MakeButton("htmlButton", "HTML");
    m_close = MakeButton("closeButton", "Close");
    m_close->setDefault(true);
    return m_browser->BuildRow({m_find, m_delete, m_ships, m_squadrons, m_print, m_html}, m_close);
}

void CEditScenariosDlg::ConnectSignals() {
    const std::pair<QPushButton*, void (CEditScenariosDlg::*)()> buttons[] = {
        {m_find, &CEditScenariosDlg::OnFind},
        {m_delete, &CEditScenariosDlg::OnDelete},
        {m_ships, &CEditScenariosDlg::OnShips},
        {m_squadrons, &CEditScenariosDlg::OnSquadrons},
        {m_print, &CEditScenariosDlg::OnPrint},
        {m_html, &CEditScenariosDlg::OnHtml},
        {m_close, &CEditScenariosDlg::OnClose},
        {m_addForce, &CEditScenariosDlg::OnAddNewForce},
        {m_removeForce, &CEditScenariosDlg::OnRemoveForce},
        {m_addSquadron, &CEditScenariosDlg::OnAddSquadron},
        {m_removeSquadron, &CEditScenariosDlg::OnRemoveSquadron},
        {m_squadronUp, &CEditScenariosDlg::OnSquadronUp},
        {m_squadronDown, &CEditScenariosDlg::OnSquadronDown},
        {m_addShip, &CEditScenariosDlg::OnAddShip},
        {m_removeShip, &CEditScenariosDlg::OnRemoveShip},
        {m_shipUp, &CEditScenariosDlg::OnShipUp},
        {m_shipDown, &CEditScenariosDlg::OnShipDown},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);

    const std::pair<QListWidget*, void (CEditScenariosDlg::*)()> doubleClicks[] = {
        {m_availableSquadrons, &CEditScenariosDlg::OnAddSquadron},
        {m_selectedSquadrons, &CEditScenariosDlg::OnRemoveSquadron},
        {m_availableShips, &CEditScenariosDlg::OnAddShip},
        {m_selectedShips, &CEditScenariosDlg::OnRemoveShip},
    };
    for (const auto& [list, handler] : doubleClicks) {
        connect(list, &QListWidget::itemDoubleClicked, this, handler);
        connect(list, &QListWidget::itemSelectionChanged, this,
                &CEditScenariosDlg::UpdateListButtons);
    }
    connect(m_tabs, &QTabBar::currentChanged, this, &CEditScenariosDlg::SelectForce);
    connect(m_nation, &QComboBox::activated, this, &CEditScenariosDlg::OnNationChanged);
    // The force's name and notes go into the working force as they are typed.
    connect(m_forceName, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_force.m_strName = FromQt(text); });
    connect(m_forceNotes, &QPlainTextEdit::textChanged, this,
            [this] { m_force.m_strNotes = FromQtLines(m_forceNotes->toPlainText()); });
}

void CEditScenariosDlg::LoadCurrent() {
    if (m_browser->HasRecords()) {
        m_scenario = m_doc.m_scenarios[std::size_t(m_browser->Current())];
    } else {
        m_scenario = VxScenario();
        m_scenario.m_strName.clear();
    }
    // Another scenario starts at its first force.
    m_nCurForce = 0;
    ShowScenario();
}

void CEditScenariosDlg::ShowScenario() {
    RebuildTabs();
    ShowForce();
    ShowScenarioTexts();
    UpdateListButtons();
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

void CEditScenariosDlg::RebuildTabs() {
    const QSignalBlocker quiet(m_tabs);
    while (m_tabs->count() > 0) m_tabs->removeTab(m_tabs->count() - 1);
    const std::size_t forces = m_scenario.m_forces.size();
    for (std::size_t i = 0; i < forces; ++i) m_tabs->addTab(ForceTabText(i));
    m_nCurForce = forces == 0 ? 0 : std::clamp(m_nCurForce, 0, int(forces) - 1);
    SelectTab(m_nCurForce);
}

void CEditScenariosDlg::SelectTab(int index) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(index);
}

void CEditScenariosDlg::ShowForce() {
    const std::size_t forces = m_scenario.m_forces.size();
    if (forces == 0 || std::size_t(m_nCurForce) >= forces) {
        m_force = VxForce();
        m_nLoadedForce = -1;
        m_nation->setCurrentIndex(-1);
        for (QListWidget* list :
             {m_availableSquadrons, m_selectedSquadrons, m_availableShips, m_selectedShips}) {
            const QSignalBlocker quiet(list);
            list->clear();
        }
        ShowText(m_forceName, {});
        ShowText(m_forceNotes, {});
        return;
    }
    m_force = m_scenario.m_forces[std::size_t(m_nCurForce)];
    m_nLoadedForce = m_nCurForce;
    const int nation = m_force.m_nNation;
    m_nation->setCurrentIndex(nation >= 0 && nation < m_nation->count() ? nation : -1);
    m_force.m_nNation = m_nation->currentIndex();
    FillAvailableSquadrons();
    FillAvailableShips();
    ShowSelectedLists();
    ShowText(m_forceName, m_force.m_strName);
    ShowText(m_forceNotes, m_force.m_strNotes);
}

void CEditScenariosDlg::ShowSelectedLists() {
    FillNames(m_selectedSquadrons, m_force.m_squadrons);
    FillNames(m_selectedShips, m_force.m_ships);
}

void CEditScenariosDlg::FillAvailableSquadrons() {
    FillOfNation(m_availableSquadrons, m_doc.m_squadrons, m_nation->currentIndex());
}

void CEditScenariosDlg::FillAvailableShips() {
    FillOfNation(m_availableShips, m_doc.m_ships, m_nation->currentIndex());
}

void CEditScenariosDlg::TakeScenarioTexts() {
    ForEachScenarioBox([](auto* box, CString& text) { TakeText(box, text); });
}

// The working force goes back only where it came from, so it never lands
// on another force's place and never adds a force.
void CEditScenariosDlg::StoreWorkingForce() {
    if (m_nLoadedForce < 0 || std::size_t(m_nLoadedForce) >= m_scenario.m_forces.size()) return;
    m_scenario.m_forces[std::size_t(m_nLoadedForce)] = m_force;
}

void CEditScenariosDlg::StoreEdits() {
    TakeScenarioTexts();
    StoreWorkingForce();
}

void CEditScenariosDlg::Commit() {
    if (!m_browser->HasRecords()) return;
    StoreEdits();
    if (m_browser->IsAdding()) return;
    VxScenario& stored = m_doc.m_scenarios[std::size_t(m_browser->Current())];
    if (m_scenario.IsDifferent(stored)) PostDocumentChangedNotice();
    stored = m_scenario;
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

void CEditScenariosDlg::MoveTo(int index) {
    if (!m_browser->HasRecords() || !CanLeave()) return;
    m_browser->SetCurrent(index);
    LoadCurrent();
    UpdateControls();
}

void CEditScenariosDlg::OnAdd() {
    Commit();
    m_scenario = VxScenario();
    m_nCurForce = 0;
    ShowScenario();
    m_browser->SetAdding(true);
    m_name->setFocus();
    m_name->selectAll();
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
    CSelectScenarioDlg select(m_doc.m_scenarios, this);
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
    CEditShipsDlg ships(m_doc.m_nations, m_doc.m_armaments, m_doc.m_torpedoes, m_doc.m_ships, this);
    ships.exec();
    FillAvailableShips();
    UpdateListButtons();
}

void CEditScenariosDlg::OnSquadrons() {
    Commit();
    CEditSquadronsDlg squadrons(m_doc.m_nations, m_doc.m_ships, m_doc.m_squadrons,
                                m_doc.m_armaments, m_doc.m_torpedoes, m_doc.GetPathName(), this);
    squadrons.exec();
    // Its own Ships button may have changed the ships as well.
    FillAvailableSquadrons();
    FillAvailableShips();
    UpdateListButtons();
}

void CEditScenariosDlg::OnPrint() {
    if (!m_browser->HasRecords()) return;
    Commit();
    PrintWithDialog(this, m_scenario.m_strName, m_doc.GetPathName(), [this](CDC& printer) {
        RunScenarioPrintJob(printer, m_scenario, m_doc.m_ships, m_doc.m_armaments);
    });
}

void CEditScenariosDlg::OnHtml() {
    if (!m_browser->HasRecords()) return;
    Commit();
    ExportScenarioAsHtml(this, m_doc, m_scenario);
}

void CEditScenariosDlg::OnClose() {
    if (m_browser->IsAdding()) {
        if (AskYesNo("Abandon Changes to Scenario?")) accept();
        return;
    }
    Commit();
    accept();
}

bool CEditScenariosDlg::HasUnstoredChanges() {
    if (m_browser->IsAdding()) return true;
    if (!m_browser->HasRecords()) return false;
    StoreEdits();
    return m_scenario.IsDifferent(m_doc.m_scenarios[std::size_t(m_browser->Current())]);
}

void CEditScenariosDlg::reject() {
    if (HasUnstoredChanges() && !AskYesNo("Abandon Changes to Scenario?")) return;
    BrinnowDialog::reject();
}

void CEditScenariosDlg::OnNationChanged() {
    if (m_nLoadedForce < 0) return;
    m_force.m_nNation = m_nation->currentIndex();
    FillAvailableSquadrons();
    FillAvailableShips();
    UpdateListButtons();
}

void CEditScenariosDlg::SelectForce() {
    const int selected = m_tabs->currentIndex();
    if (selected < 0) return;
    m_nCurForce = selected;
    if (selected == m_nLoadedForce) return;
    StoreWorkingForce();
    ShowForce();
    UpdateListButtons();
}

void CEditScenariosDlg::OnAddNewForce() {
    if (!m_browser->ShowsRecord()) return;
    StoreWorkingForce();
    const std::size_t count = m_scenario.m_forces.size();
    m_scenario.m_forces.emplace_back();
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->addTab(ForceTabText(count));
    }
    m_nCurForce = static_cast<int>(count);
    SelectTab(m_nCurForce);
    ShowForce();
    UpdateControls();
}

void CEditScenariosDlg::OnRemoveForce() {
    const std::size_t count = m_scenario.m_forces.size();
    if (std::size_t(m_nCurForce) >= count) return;
    // What was typed into the scenario's boxes stays while the tabs are
    // rebuilt.
    TakeScenarioTexts();
    m_scenario.m_forces.erase(m_scenario.m_forces.begin() + m_nCurForce);
    m_nLoadedForce = -1;
    ShowScenario();
    UpdateControls();
}

void CEditScenariosDlg::OnAddSquadron() {
    if (m_nLoadedForce < 0) return;
    AddSelectedCopy(m_availableSquadrons, m_selectedSquadrons,
                    "This Squadron already in list. Continue?", m_doc.m_squadrons,
                    m_force.m_squadrons);
    UpdateListButtons();
}

void CEditScenariosDlg::OnAddShip() {
    if (m_nLoadedForce < 0) return;
    AddSelectedCopy(m_availableShips, m_selectedShips, "This ship already in list. Continue?",
                    m_doc.m_ships, m_force.m_ships);
    UpdateListButtons();
}

void CEditScenariosDlg::OnRemoveSquadron() {
    RemoveSelected(m_selectedSquadrons, m_force.m_squadrons);
    UpdateListButtons();
}

void CEditScenariosDlg::OnRemoveShip() {
    RemoveSelected(m_selectedShips, m_force.m_ships);
    UpdateListButtons();
}

void CEditScenariosDlg::OnSquadronUp() {
    MoveSelected(m_selectedSquadrons, m_force.m_squadrons, -1);
}

void CEditScenariosDlg::OnSquadronDown() {
    MoveSelected(m_selectedSquadrons, m_force.m_squadrons, 1);
}

void CEditScenariosDlg::OnShipUp() { MoveSelected(m_selectedShips, m_force.m_ships, -1); }

void CEditScenariosDlg::OnShipDown() { MoveSelected(m_selectedShips, m_force.m_ships, 1); }

// The exchange is made in the working force and its list alike, so nothing
// is redrawn and a long list costs no more than a short one; the force goes
// back into the scenario with the next store.
template <class Record>
void CEditScenariosDlg::MoveSelected(QListWidget* selected, CArray<Record>& records, int step) {
    SwapSelected(selected, records, step);
    UpdateListButtons();
}

void CEditScenariosDlg::UpdateControls() {
    const bool adding = m_browser->IsAdding();
    const bool any = m_browser->HasRecords();
    m_delete->setEnabled(!adding && any);
    if (!adding) {
        m_print->setEnabled(any);
        m_html->setEnabled(any);
    }
    m_find->setEnabled(any && !adding);
    UpdateNavButtons();
    UpdateListButtons();
    const bool shown = m_browser->ShowsRecord();
    const bool hasForce = shown && !m_scenario.m_forces.empty();
    for (QWidget* box :
         std::initializer_list<QWidget*>{m_name, m_umpire, m_date, m_weather, m_victoryConditions,
                                         m_notes, m_tabs, m_addForce}) {
        box->setEnabled(shown);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_forceName, m_nation, m_availableSquadrons, m_selectedSquadrons, m_availableShips,
             m_selectedShips, m_addSquadron, m_removeSquadron, m_addShip, m_removeShip,
             m_forceNotes, m_removeForce}) {
        control->setEnabled(hasForce);
    }
}

void CEditScenariosDlg::UpdateNavButtons() { m_browser->Update(); }

void CEditScenariosDlg::UpdateListButtons() {
    const bool hasForce = !m_scenario.m_forces.empty();
    UpdatePairButtons(m_availableSquadrons, m_addSquadron, m_selectedSquadrons, m_removeSquadron,
                      m_squadronUp, m_squadronDown, hasForce);
    UpdatePairButtons(m_availableShips, m_addShip, m_selectedShips, m_removeShip, m_shipUp,
                      m_shipDown, hasForce);
    m_removeForce->setEnabled(m_tabs->count() > 0 && hasForce);
}
