#include "editors/selectship.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "editors/helpwindow.h"
#include "platform/qtstrings.h"

CSelectShipDlg::CSelectShipDlg(const CArray<VxShip>& ships, QWidget* parent)
    : BrinnowDialog(HelpContext::kShips, parent), m_ships(ships), m_list(new QListWidget) {
    setObjectName("selectShipDialog");
    setWindowTitle("Select Ship");
    m_list->setObjectName("shipList");
    // Several columns side by side, scrolled sideways, as the names fill them.
    m_list->setFlow(QListView::TopToBottom);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setUniformItemSizes(true);
    for (const VxShip& ship : ships) m_list->addItem(ToQt(ship.m_strName));
    m_list->sortItems();
    if (m_list->count() > 0) m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSelectShipDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectShipDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(480, 320);
}

void CSelectShipDlg::accept() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item == nullptr) return;
    const std::string name = FromQt(item->text());
    for (std::size_t i = 0; i < m_ships.size(); ++i) {
        if (m_ships[i].m_strName == name) {
            m_chosen = static_cast<int>(i);
            break;
        }
    }
    QDialog::accept();
}
