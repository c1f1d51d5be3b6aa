#include "editors/selectship.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "desktop/helpwindow.h"
#include "editors/tabstopdelegate.h"
#include "platform/qtstrings.h"

namespace {
// The ship a row was made from: its name, byte for byte, picks the ship.
constexpr int kShipRole = Qt::UserRole;

// Alphabetical as a reader sees it: letter case decides only between names
// that are otherwise equal.
bool ComesBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}
}  // namespace

CSelectShipDlg::CSelectShipDlg(const CArray<VxShip>& ships, QWidget* parent,
                               const CArray<VxNation>* nations)
    : BrinnowDialog(HelpContext::kShips, parent), m_ships(ships), m_list(new QListWidget) {
    setObjectName("selectShipDialog");
    setWindowTitle("Select Ship");
    m_list->setObjectName("shipList");
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* nameHeading = new QLabel("Name");
    auto* nationHeading = new QLabel("Nation");
    m_list->setItemDelegate(new TabStopDelegate(m_list, {nationHeading}));
    FillList(nations);
    if (m_list->count() > 0) m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSelectShipDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectShipDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* headings = new QGridLayout;
    headings->addWidget(nameHeading, 0, 0);
    headings->addWidget(nationHeading, 0, 1);
    headings->setColumnStretch(0, 3);
    headings->setColumnStretch(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headings);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(480, 360);
}

void CSelectShipDlg::FillList(const CArray<VxNation>* nations) {
    std::vector<QString> names;
    names.reserve(m_ships.size());
    for (const VxShip& ship : m_ships) names.push_back(ToQt(ship.m_strName));
    std::vector<std::size_t> order(m_ships.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return ComesBefore(names[a], names[b]); });
    for (const std::size_t i : order) {
        const VxNation* nation = nations ? m_ships[i].NationIn(*nations) : nullptr;
        const QString nationName = nation ? ToQt(nation->m_strName) : QString();
        // A name's own tabs would push the nation out of its column.
        QString shown = names[i];
        shown.replace('\t', ' ');
        auto* item = new QListWidgetItem(shown + "\t" + nationName);
        item->setData(kShipRole, qulonglong(i));
        item->setToolTip(names[i]);
        m_list->addItem(item);
    }
}

void CSelectShipDlg::accept() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item == nullptr) return;
    const std::size_t row = item->data(kShipRole).toULongLong();
    if (row >= m_ships.size()) return;
    const std::string& name = m_ships[row].m_strName;
    for (std::size_t i = 0; i < m_ships.size(); ++i) {
        if (m_ships[i].m_strName == name) {
            m_chosen = static_cast<int>(i);
            break;
        }
    }
    QDialog::accept();
}
