#include "editors/selectscenario.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <vector>

#include "desktop/helpwindow.h"
#include "platform/qtstrings.h"

CSelectScenarioDlg::CSelectScenarioDlg(const CArray<VxScenario>& scenarios, QWidget* parent,
                                       int current)
    : BrinnowDialog(HelpContext::kScenarios, parent), m_list(new QListWidget) {
    setObjectName("selectScenarioDialog");
    setWindowTitle("Select Scenario");
    m_list->setObjectName("scenarioList");
    std::vector<QString> names;
    names.reserve(scenarios.size());
    for (const VxScenario& scenario : scenarios) names.push_back(ToQt(scenario.m_strName));
    // Each line keeps the position of its own scenario, so names that sort
    // differently from the document's order, or repeat, still pick the
    // scenario shown on the line.
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&names](std::size_t a, std::size_t b) {
        return names[a].compare(names[b], Qt::CaseInsensitive) < 0;
    });
    for (const std::size_t index : order) {
        auto* item = new QListWidgetItem(names[index]);
        item->setData(Qt::UserRole, qulonglong(index));
        m_list->addItem(item);
        if (int(index) == current) m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0) m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSelectScenarioDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(!m_list->selectedItems().isEmpty());
    connect(m_list, &QListWidget::itemSelectionChanged, ok,
            [this, ok] { ok->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectScenarioDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 320);
}

void CSelectScenarioDlg::accept() {
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    if (chosen.isEmpty()) return;
    m_nSelected = static_cast<int>(chosen.constFirst()->data(Qt::UserRole).toULongLong());
    QDialog::accept();
}
