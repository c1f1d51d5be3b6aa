#include "app/printelements.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <string_view>
#include <unordered_map>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/unmatchedwarning.h"
#include "editors/listcommandsmenu.h"
#include "editors/listkeys.h"
#include "editors/sortedlist.h"
#include "model/unmatchednames.h"
#include "platform/qtstrings.h"

namespace {

template <class Records>
QStringList NamesOf(const Records& records) {
    QStringList names;
    names.reserve(qsizetype(records.size()));
    for (const auto& record : records) names << ToQt(record.m_strName);
    return names;
}

CStringArray TextsOf(const QStringListModel* list) {
    const QStringList shown = list->stringList();
    CStringArray texts;
    texts.reserve(std::size_t(shown.size()));
    for (const QString& text : shown) texts.push_back(FromQt(text));
    return texts;
}

// A list of names the user chooses from but never edits in place.
QListView* NameList(const QString& objectName, QStringListModel* names) {
    auto* list = new QListView;
    list->setObjectName(objectName);
    list->setModel(names);
    names->setParent(list);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);  // one line each: no need to measure them all
    list->setMinimumSize(180, 90);
    return list;
}

// The selected records, each the first of its name as the job prints it.
template <class Record>
void AddSelected(UnmatchedNames& unmatched, const RecordList<Record>& records,
                 const CStringArray& names) {
    std::unordered_map<std::string_view, const Record*> first;
    for (const Record& record : records) first.emplace(record.m_strName, &record);
    for (const CString& name : names) {
        const auto found = first.find(name);
        if (found != first.end()) unmatched.Add(*found->second);
    }
}

}  // namespace

CPrintElementsDlg::CPrintElementsDlg(const CBrinnowDoc& doc, QWidget* parent)
    : BrinnowDialog(HelpContext::kPrintSelection, parent), m_doc(doc) {
    setObjectName("printElementsDialog");
    setWindowTitle("Print Elements");

    auto* print = MakeButton("printButton", "Print");
    print->setDefault(true);
    auto* preview = MakeButton("previewButton", "Preview");
    auto* close = MakeButton("closeButton", "Close");
    connect(print, &QPushButton::clicked, this, &CPrintElementsDlg::OnPrint);
    connect(preview, &QPushButton::clicked, this, &CPrintElementsDlg::OnPreview);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(preview);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildGroup(m_scenarios, "Scenarios", "scenario", NamesOf(doc.m_scenarios)));
    layout->addWidget(BuildGroup(m_squadrons, "Squadrons", "squadron", NamesOf(doc.m_squadrons)));
    QGroupBox* ships = BuildGroup(m_ships, "Ships", "ship", NamesOf(doc.m_ships));
    ships->layout()->addWidget(BuildSortOptions());
    layout->addWidget(ships);
    layout->addLayout(buttons);
}

QGroupBox* CPrintElementsDlg::BuildGroup(Group& group, const QString& title,
                                         const QString& objectPrefix, const QStringList& names) {
    group.availableNames = new QStringListModel(Sorted(names));
    group.selectedNames = new QStringListModel;
    group.available = NameList(objectPrefix + "AvailableList", group.availableNames);
    group.selected = NameList(objectPrefix + "SelectedList", group.selectedNames);
    group.add = MakeButton(objectPrefix + "AddButton", ">", "Add the chosen item");
    group.addAll = MakeButton(objectPrefix + "AddAllButton", ">>", "Add every item");
    group.remove = MakeButton(objectPrefix + "RemoveButton", "<", "Remove the chosen item");
    group.removeAll = MakeButton(objectPrefix + "RemoveAllButton", "<<", "Remove every item");
    OfferListCommands(group.selected,
                      {{"&Remove", group.remove}, {"Remove &All", group.removeAll}});

    auto* box = new QGroupBox(title);
    box->setObjectName(objectPrefix + "Group");
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {group.add, group.addAll, group.remove, group.removeAll}) {
        button->setFixedWidth(44);
        moves->addWidget(button);
    }
    moves->addStretch();
    auto* row = new QHBoxLayout(box);
    row->addWidget(group.available, 1);
    row->addLayout(moves);
    row->addWidget(group.selected, 1);

    const Group* shown = &group;
    // The keyboard does what a double click does; Enter never reaches "Print".
    auto* keys = new ListKeys(this);
    keys->OnEnter(group.available, [this, shown] { AddChosen(*shown); });
    keys->OnEnter(group.selected, [this, shown] { RemoveChosen(*shown); });
    keys->OnDelete(group.selected, [this, shown] { RemoveChosen(*shown); });
    connect(group.add, &QPushButton::clicked, this, [this, shown] { AddChosen(*shown); });
    connect(group.available, &QListView::doubleClicked, this, [this, shown] { AddChosen(*shown); });
    connect(group.addAll, &QPushButton::clicked, this, [shown] { AddAll(*shown); });
    connect(group.remove, &QPushButton::clicked, this, [shown] { RemoveChosen(*shown); });
    connect(group.selected, &QListView::doubleClicked, this, [shown] { RemoveChosen(*shown); });
    connect(group.removeAll, &QPushButton::clicked, this,
            [shown] { shown->selectedNames->setStringList({}); });
    return box;
}

QWidget* CPrintElementsDlg::BuildSortOptions() {
    m_byNation = new QCheckBox("Sort By Nation");
    m_byNation->setObjectName("sortByNationCheck");
    m_byNation->setChecked(true);
    auto* modes = new QButtonGroup(this);
    const struct {
        const char* name;
        const char* caption;
        int mode;
    } options[] = {{"sortByNameRadio", "Sort by Name", kSortByName},
                   {"sortByAttackRadio", "Sort by Attack Factor", kSortByAttackFactor},
                   {"sortByDefenseRadio", "Sort by Defense Factor", kSortByDefenseFactor},
                   {"sortByTypeRadio", "Sort by Ship Type", kSortByShipType}};
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(m_byNation);
    for (const auto& option : options) {
        auto* radio = new QRadioButton(option.caption);
        radio->setObjectName(option.name);
        radio->setChecked(option.mode == kSortByName);
        modes->addButton(radio, option.mode);
        layout->addWidget(radio);
    }
    layout->addStretch();
    connect(modes, &QButtonGroup::idClicked, this, [this](int mode) { m_nSortMode = mode; });
    return column;
}

// An item already selected (the same text) is not listed twice.
void CPrintElementsDlg::AddChosen(const Group& group) {
    const QModelIndex chosen = group.available->currentIndex();
    if (!chosen.isValid()) return;
    const QString name = chosen.data().toString();
    if (group.selectedNames->stringList().contains(name)) return;
    AddSorted(group.selectedNames, name);
}

void CPrintElementsDlg::AddAll(const Group& group) {
    group.selectedNames->setStringList(group.availableNames->stringList());
}

void CPrintElementsDlg::RemoveChosen(const Group& group) {
    const QModelIndex chosen = group.selected->currentIndex();
    if (chosen.isValid()) group.selectedNames->removeRow(chosen.row());
}

MultiPrintSelection CPrintElementsDlg::Selection() const {
    MultiPrintSelection selection;
    selection.ships = TextsOf(m_ships.selectedNames);
    selection.squadrons = TextsOf(m_squadrons.selectedNames);
    selection.scenarios = TextsOf(m_scenarios.selectedNames);
    selection.sortMode = m_nSortMode;
    selection.sortByNation = m_byNation->isChecked();
    return selection;
}

MultiPrintJob CPrintElementsDlg::Job() const { return MultiPrintJob(m_doc, Selection()); }

// Nothing chosen would print a framed empty page.
bool CPrintElementsDlg::HasChoices() const {
    for (const Group* group : {&m_scenarios, &m_squadrons, &m_ships}) {
        if (group->selectedNames->rowCount() > 0) return true;
    }
    AfxMessageBox("Choose a scenario, squadron or ship to print first.",
                  MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CPrintElementsDlg::OnPrint() {
    if (!HasChoices()) return;
    const MultiPrintSelection selection = Selection();
    const ShipNameIndex ships(m_doc.m_ships);
    UnmatchedNames unmatched(ships);
    AddSelected(unmatched, m_doc.m_squadrons, selection.squadrons);
    AddSelected(unmatched, m_doc.m_scenarios, selection.scenarios);
    if (!ConfirmPrintOfUnmatchedNames(unmatched.Names(), "this selection")) return;
    const MultiPrintJob job(m_doc, selection);
    PrintWithDialog(this, MultiPrintJob::kDocumentName, m_doc.GetPathName(),
                    [job](CDC& printer, Progress& progress) { job.Print(printer, progress); });
}

void CPrintElementsDlg::OnPreview() {
    if (!HasChoices()) return;
    const MultiPrintJob job = Job();
    PreviewPrint(this, MultiPrintJob::kDocumentName, m_doc.GetPathName(),
                 [job](CDC& printer, Progress& progress) { job.Print(printer, progress); });
}
