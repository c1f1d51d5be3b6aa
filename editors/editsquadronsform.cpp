// The Edit Squadrons dialog's form: the squadron's fields, the lists of
// members and attachments beside the ships to choose from, and the buttons,
// each connected to what it does.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/editsquadrons.h"
#include "editors/listcommandsmenu.h"
#include "editors/listkeys.h"
#include "editors/recordbrowser.h"
#include "platform/qtstrings.h"

namespace {

QListWidget* ShipList(const QString& name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setMinimumWidth(150);
    list->setUniformItemSizes(true);  // one line each: no need to measure them all
    return list;
}

}  // namespace

void CEditSquadronsDlg::BuildForm() {
    m_name = MakeTextField("nameEdit");
    m_commander = MakeTextField("commanderEdit");
    m_nation = new QComboBox;
    m_nation->setObjectName("nationCombo");
    m_flagship = new QComboBox;
    m_flagship->setObjectName("flagshipCombo");
    m_available = ShipList("availableList");
    m_includeNeutrals = new QCheckBox("Include Neutrals");
    m_includeNeutrals->setObjectName("includeNeutralsCheck");
    m_notes = new QPlainTextEdit;
    m_notes->setObjectName("notesEdit");
    m_notes->setTabChangesFocus(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Squadron Name"), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel("Nationality"), 0, 2);
    fields->addWidget(m_nation, 0, 3);
    fields->addWidget(new QLabel("Commander"), 1, 0);
    fields->addWidget(m_commander, 1, 1);
    fields->addWidget(new QLabel("Flagship"), 1, 2);
    fields->addWidget(m_flagship, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* availableColumn = new QVBoxLayout;
    availableColumn->addWidget(new QLabel("Available Ships"));
    availableColumn->addWidget(m_available, 1);
    availableColumn->addWidget(m_includeNeutrals);
    auto* lists = new QGridLayout;
    lists->addLayout(availableColumn, 0, 0, 2, 1);
    lists->addWidget(BuildShipListColumn(m_members, "Squadron Ships", "member"), 0, 1);
    lists->addWidget(BuildShipListColumn(m_attachments, "Attachments", "attachment"), 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(lists, 1);
    layout->addWidget(new QLabel("Notes"));
    layout->addWidget(m_notes);
    layout->addWidget(BuildButtonRow());

    connect(m_nation, &QComboBox::activated, this, &CEditSquadronsDlg::OnNationChanged);
    connect(m_includeNeutrals, &QCheckBox::clicked, this,
            &CEditSquadronsDlg::OnIncludeNeutralsToggled);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &CEditSquadronsDlg::OnAddMember);
    auto* keys = new ListKeys(this);
    keys->OnEnter(m_available, [this] { OnAddMember(); });
    keys->OnDelete(m_members.list, [this] { OnRemoveMember(); });
    keys->OnDelete(m_attachments.list, [this] { OnRemoveAttachment(); });
    connect(m_available, &QListWidget::currentRowChanged, this,
            &CEditSquadronsDlg::UpdateListButtons);
    connect(m_members.add, &QPushButton::clicked, this, &CEditSquadronsDlg::OnAddMember);
    connect(m_members.remove, &QPushButton::clicked, this, &CEditSquadronsDlg::OnRemoveMember);
    connect(m_members.list, &QListWidget::itemDoubleClicked, this,
            &CEditSquadronsDlg::OnRemoveMember);
    connect(m_members.up, &QPushButton::clicked, this, &CEditSquadronsDlg::OnMemberUp);
    connect(m_members.down, &QPushButton::clicked, this, &CEditSquadronsDlg::OnMemberDown);
    connect(m_attachments.add, &QPushButton::clicked, this, &CEditSquadronsDlg::OnAddAttachment);
    connect(m_attachments.remove, &QPushButton::clicked, this,
            &CEditSquadronsDlg::OnRemoveAttachment);
    connect(m_attachments.list, &QListWidget::itemDoubleClicked, this,
            &CEditSquadronsDlg::OnRemoveAttachment);
    connect(m_attachments.up, &QPushButton::clicked, this, &CEditSquadronsDlg::OnAttachmentUp);
    connect(m_attachments.down, &QPushButton::clicked, this, &CEditSquadronsDlg::OnAttachmentDown);
}

// The ">" and "<" buttons that fill a list from "Available Ships", the
// list, and its "Up" and "Dn" buttons.
QWidget* CEditSquadronsDlg::BuildShipListColumn(ShipListControls& controls, const QString& caption,
                                                const QString& objectPrefix) {
    controls.list = ShipList(objectPrefix + "List");
    controls.add = MakeButton(objectPrefix + "AddButton", ">", "Add the chosen available ship");
    controls.remove = MakeButton(objectPrefix + "RemoveButton", "<", "Remove the chosen ship");
    controls.up = MakeButton(objectPrefix + "UpButton", "Up", "Move the chosen ship up");
    controls.down = MakeButton(objectPrefix + "DownButton", "Dn", "Move the chosen ship down");
    for (QPushButton* narrow : {controls.add, controls.remove, controls.up, controls.down}) {
        narrow->setFixedWidth(40);
    }
    connect(controls.list, &QListWidget::currentRowChanged, this,
            &CEditSquadronsDlg::UpdateListButtons);
    OfferListCommands(
        controls.list,
        {{"Move &Up", controls.up}, {"Move &Down", controls.down}, {"&Remove", controls.remove}});

    auto* column = new QWidget;
    auto* row = new QHBoxLayout(column);
    row->setContentsMargins(0, 0, 0, 0);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(controls.add);
    moves->addWidget(controls.remove);
    moves->addStretch();
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(caption));
    listColumn->addWidget(controls.list);
    auto* order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(controls.up);
    order->addWidget(controls.down);
    order->addStretch();
    row->addLayout(moves);
    row->addLayout(listColumn, 1);
    row->addLayout(order);
    return column;
}

QWidget* CEditSquadronsDlg::BuildButtonRow() {
    m_find = MakeButton("findButton", "Find");
    m_delete = MakeButton("deleteButton", "Delete");
    m_shipsButton = MakeButton("shipsButton", "Ships");
    m_print = MakeButton("printButton", "Print");
    m_close = MakeButton("closeButton", "Close");
    m_close->setDefault(true);
    connect(m_find, &QPushButton::clicked, this, &CEditSquadronsDlg::OnFind);
    connect(m_delete, &QPushButton::clicked, this, &CEditSquadronsDlg::OnDelete);
    connect(m_shipsButton, &QPushButton::clicked, this, &CEditSquadronsDlg::OnShips);
    connect(m_print, &QPushButton::clicked, this, &CEditSquadronsDlg::OnPrint);
    connect(m_close, &QPushButton::clicked, this, &CEditSquadronsDlg::OnClose);
    return m_browser->BuildRow({m_find, m_delete, m_shipsButton, m_print}, m_close);
}
