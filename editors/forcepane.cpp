#include "editors/forcepane.h"

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
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "desktop/messagebox.h"
#include "editors/brinnowdialog.h"
#include "editors/forcetabbar.h"
#include "editors/lastnation.h"
#include "editors/listcommandsmenu.h"
#include "editors/listkeys.h"
#include "editors/longtextboxes.h"
#include "model/brinnowdoc.h"
#include "platform/qtstrings.h"

namespace {

QListWidget* ListBox(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

// A list line names its record; a hostile name is cut to what a line can
// show, as every line knows its record by position, not by text.
QString LineText(const CString& name) {
    constexpr std::size_t kLongestLine = 256;
    return ToQt(name.size() <= kLongestLine ? name : name.substr(0, kLongestLine));
}

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

// The records of one nation, each line knowing the record it stands for.
// The lines go in at once; the view needs to hear nothing of their records.
template <class Record>
void FillOfNation(QListWidget* list, const CArray<Record>& records, int nation) {
    QStringList names;
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].m_nNation != nation) continue;
        names.append(LineText(records[i].m_strName));
        indices.push_back(i);
    }
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(names);
    const QSignalBlocker quietModel(list->model());
    for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setData(Qt::UserRole, qulonglong(indices[std::size_t(row)]));
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

QPushButton* Button(const char* name, const char* text, const char* toolTip = "") {
    return BrinnowDialog::MakeButton(name, text, toolTip);
}

}  // namespace

ForcePane::ForcePane(CBrinnowDoc& doc, CArray<VxForce>& forces, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_forces(forces) {
    Build();
    ConnectSignals();
    for (const VxNation& nation : m_doc.m_nations) m_nation->addItem(ToQt(nation.m_strName));
}

void ForcePane::Build() {
    m_tabs = new ForceTabBar;
    m_tabs->setObjectName("forceTabs");
    m_forceNotes = MakeNotesBox("forceNotesEdit");
    m_forceNotes->setFixedHeight(56);
    auto* notes = new QHBoxLayout;
    notes->addWidget(new QLabel("Notes"), 0, Qt::AlignTop);
    notes->addWidget(m_forceNotes);

    auto* page = new QGroupBox;
    auto* force = new QVBoxLayout(page);
    force->addLayout(BuildHeading());
    force->addLayout(BuildLists(), 1);
    force->addLayout(notes);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_tabs);
    column->addWidget(page, 1);
}

QLayout* ForcePane::BuildHeading() {
    m_forceName = MakeLineBox("forceNameEdit");
    m_nation = new QComboBox;
    m_nation->setObjectName("nationCombo");
    m_addForce = Button("addForceButton", "Add New Force");
    m_removeForce = Button("removeForceButton", "Remove Force");
    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel("Name"));
    heading->addWidget(m_forceName, 1);
    heading->addWidget(new QLabel("Nationality"));
    heading->addWidget(m_nation, 1);
    heading->addWidget(m_addForce);
    heading->addWidget(m_removeForce);
    return heading;
}

QLayout* ForcePane::BuildLists() {
    m_availableSquadrons = ListBox("availableSquadronsList");
    m_addSquadron = Button("addSquadronButton", ">", "Add a copy of the chosen squadron");
    m_removeSquadron = Button("removeSquadronButton", "<", "Remove the chosen squadron");
    m_selectedSquadrons = ListBox("selectedSquadronsList");
    m_squadronUp = Button("squadronUpButton", "Up", "Move the chosen squadron up");
    m_squadronDown = Button("squadronDownButton", "Dn", "Move the chosen squadron down");
    m_availableShips = ListBox("availableShipsList");
    m_addShip = Button("addShipButton", ">", "Add a copy of the chosen ship");
    m_removeShip = Button("removeShipButton", "<", "Remove the chosen ship");
    m_selectedShips = ListBox("selectedShipsList");
    m_shipUp = Button("shipUpButton", "Up", "Move the chosen ship up");
    m_shipDown = Button("shipDownButton", "Dn", "Move the chosen ship down");
    OfferListCommands(m_selectedSquadrons, {{"Move &Up", m_squadronUp},
                                            {"Move &Down", m_squadronDown},
                                            {"&Remove", m_removeSquadron}});
    OfferListCommands(
        m_selectedShips,
        {{"Move &Up", m_shipUp}, {"Move &Down", m_shipDown}, {"&Remove", m_removeShip}});
    auto* lists = new QHBoxLayout;
    lists->addLayout(ListPair("Available Squadrons", m_availableSquadrons, m_addSquadron,
                              m_removeSquadron, "Selected Squadrons", m_selectedSquadrons,
                              m_squadronUp, m_squadronDown));
    lists->addSpacing(12);
    lists->addLayout(ListPair("Available Ships", m_availableShips, m_addShip, m_removeShip,
                              "Selected Ships", m_selectedShips, m_shipUp, m_shipDown));
    return lists;
}

void ForcePane::ConnectSignals() {
    const std::pair<QPushButton*, void (ForcePane::*)()> buttons[] = {
        {m_addForce, &ForcePane::OnAddNewForce},
        {m_removeForce, &ForcePane::OnRemoveForce},
        {m_addSquadron, &ForcePane::OnAddSquadron},
        {m_removeSquadron, &ForcePane::OnRemoveSquadron},
        {m_squadronUp, &ForcePane::OnSquadronUp},
        {m_squadronDown, &ForcePane::OnSquadronDown},
        {m_addShip, &ForcePane::OnAddShip},
        {m_removeShip, &ForcePane::OnRemoveShip},
        {m_shipUp, &ForcePane::OnShipUp},
        {m_shipDown, &ForcePane::OnShipDown},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);

    const std::pair<QListWidget*, void (ForcePane::*)()> doubleClicks[] = {
        {m_availableSquadrons, &ForcePane::OnAddSquadron},
        {m_selectedSquadrons, &ForcePane::OnRemoveSquadron},
        {m_availableShips, &ForcePane::OnAddShip},
        {m_selectedShips, &ForcePane::OnRemoveShip},
    };
    for (const auto& [list, handler] : doubleClicks) {
        connect(list, &QListWidget::itemDoubleClicked, this, handler);
        connect(list, &QListWidget::itemSelectionChanged, this, &ForcePane::UpdateListButtons);
    }
    auto* keys = new ListKeys(this);
    keys->OnEnter(m_availableSquadrons, [this] { OnAddSquadron(); });
    keys->OnEnter(m_availableShips, [this] { OnAddShip(); });
    keys->OnDelete(m_selectedSquadrons, [this] { OnRemoveSquadron(); });
    keys->OnDelete(m_selectedShips, [this] { OnRemoveShip(); });
    connect(m_tabs, &ForceTabBar::currentChanged, this, &ForcePane::SelectForce);
    connect(m_nation, &QComboBox::activated, this, &ForcePane::OnNationChanged);
    // The force's name and notes go into the working force as they are typed.
    connect(m_forceName, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_force.m_strName = FromQt(text); });
    connect(m_forceNotes, &QPlainTextEdit::textChanged, this,
            [this] { m_force.m_strNotes = FromQtLines(m_forceNotes->toPlainText()); });
}

void ForcePane::ShowForcesAt(int force) {
    m_nCurForce = force;
    UpdateTabs();
    ShowForce();
    UpdateListButtons();
}

// A tab only numbers its force, so the tabs follow the count alone.
void ForcePane::UpdateTabs() {
    const QSignalBlocker quiet(m_tabs);
    const int forces = int(m_forces.size());
    m_tabs->setCount(forces);
    m_nCurForce = forces == 0 ? 0 : std::clamp(m_nCurForce, 0, forces - 1);
    SelectTab(m_nCurForce);
}

void ForcePane::SelectTab(int index) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(index);
}

void ForcePane::ShowForce() {
    if (std::size_t(m_nCurForce) >= m_forces.size()) {
        ShowNoForce();
        return;
    }
    m_force = m_forces[std::size_t(m_nCurForce)];
    m_nLoadedForce = m_nCurForce;
    const int nation = m_force.m_nNation;
    m_nation->setCurrentIndex(nation >= 0 && nation < m_nation->count() ? nation : -1);
    m_force.m_nNation = m_nation->currentIndex();
    FillAvailableSquadrons();
    FillAvailableShips();
    FillNames(m_selectedSquadrons, m_force.m_squadrons);
    FillNames(m_selectedShips, m_force.m_ships);
    ShowText(m_forceName, m_force.m_strName);
    ShowText(m_forceNotes, m_force.m_strNotes);
}

void ForcePane::ShowNoForce() {
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
}

void ForcePane::FillAvailableSquadrons() {
    FillOfNation(m_availableSquadrons, m_doc.m_squadrons.Records(), m_nation->currentIndex());
}

void ForcePane::FillAvailableShips() {
    FillOfNation(m_availableShips, m_doc.m_ships.Records(), m_nation->currentIndex());
}

// The working force goes back only where it came from, so it never lands
// on another force's place and never adds a force.
void ForcePane::StoreWorkingForce() {
    if (m_nLoadedForce < 0 || std::size_t(m_nLoadedForce) >= m_forces.size()) return;
    m_forces[std::size_t(m_nLoadedForce)] = m_force;
}

void ForcePane::SetRecordShown(bool shown) {
    m_bRecordShown = shown;
    UpdateControls();
}

void ForcePane::ShipsChanged() {
    FillAvailableShips();
    UpdateListButtons();
}

void ForcePane::SquadronsChanged() {
    FillAvailableSquadrons();
    ShipsChanged();
}

void ForcePane::OnNationChanged() {
    if (m_nLoadedForce < 0) return;
    m_force.m_nNation = m_nation->currentIndex();
    RememberChosenNation(m_force.m_nNation);
    FillAvailableSquadrons();
    FillAvailableShips();
    UpdateListButtons();
}

void ForcePane::SelectForce() {
    const int selected = m_tabs->currentIndex();
    if (selected < 0) return;
    m_nCurForce = selected;
    if (selected == m_nLoadedForce) return;
    StoreWorkingForce();
    ShowForce();
    UpdateListButtons();
}

void ForcePane::OnAddNewForce() {
    if (!m_bRecordShown) return;
    StoreWorkingForce();
    const std::size_t count = m_forces.size();
    m_forces.emplace_back();
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCount(int(m_forces.size()));
    }
    m_nCurForce = static_cast<int>(count);
    SelectTab(m_nCurForce);
    ShowForce();
    UpdateControls();
}

void ForcePane::OnRemoveForce() {
    if (std::size_t(m_nCurForce) >= m_forces.size()) return;
    const QString force = ForceTabBar::TabText(m_nCurForce);
    if (!AskYesNo(
            QStringLiteral("Remove %1 with its squadrons and ships?").arg(force).toStdString()))
        return;
    m_forces.erase(m_forces.begin() + m_nCurForce);
    m_nLoadedForce = -1;
    UpdateTabs();
    ShowForce();
    UpdateControls();
}

void ForcePane::OnAddSquadron() {
    if (m_nLoadedForce < 0) return;
    AddSelectedCopy(m_availableSquadrons, m_selectedSquadrons,
                    "This Squadron already in list. Continue?", m_doc.m_squadrons.Records(),
                    m_force.m_squadrons);
    UpdateListButtons();
}

void ForcePane::OnAddShip() {
    if (m_nLoadedForce < 0) return;
    AddSelectedCopy(m_availableShips, m_selectedShips, "This ship already in list. Continue?",
                    m_doc.m_ships.Records(), m_force.m_ships);
    UpdateListButtons();
}

void ForcePane::OnRemoveSquadron() {
    RemoveSelected(m_selectedSquadrons, m_force.m_squadrons);
    UpdateListButtons();
}

void ForcePane::OnRemoveShip() {
    RemoveSelected(m_selectedShips, m_force.m_ships);
    UpdateListButtons();
}

void ForcePane::OnSquadronUp() { MoveSelected(m_selectedSquadrons, m_force.m_squadrons, -1); }

void ForcePane::OnSquadronDown() { MoveSelected(m_selectedSquadrons, m_force.m_squadrons, 1); }

void ForcePane::OnShipUp() { MoveSelected(m_selectedShips, m_force.m_ships, -1); }

void ForcePane::OnShipDown() { MoveSelected(m_selectedShips, m_force.m_ships, 1); }

// The exchange is made in the working force and its list alike, so nothing
// is redrawn and a long list costs no more than a short one; the force goes
// back into the scenario with the next store.
template <class Record>
void ForcePane::MoveSelected(QListWidget* selected, CArray<Record>& records, int step) {
    SwapSelected(selected, records, step);
    UpdateListButtons();
}

void ForcePane::UpdateControls() {
    UpdateListButtons();
    m_tabs->setEnabled(m_bRecordShown);
    m_addForce->setEnabled(m_bRecordShown);
    const bool hasForce = m_bRecordShown && !m_forces.empty();
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_forceName, m_nation, m_availableSquadrons, m_selectedSquadrons, m_availableShips,
             m_selectedShips, m_addSquadron, m_removeSquadron, m_addShip, m_removeShip,
             m_forceNotes, m_removeForce}) {
        control->setEnabled(hasForce);
    }
}

void ForcePane::UpdateListButtons() {
    const bool hasForce = !m_forces.empty();
    UpdatePairButtons(m_availableSquadrons, m_addSquadron, m_selectedSquadrons, m_removeSquadron,
                      m_squadronUp, m_squadronDown, hasForce);
    UpdatePairButtons(m_availableShips, m_addShip, m_selectedShips, m_removeShip, m_shipUp,
                      m_shipDown, hasForce);
    m_removeForce->setEnabled(hasForce);
}
