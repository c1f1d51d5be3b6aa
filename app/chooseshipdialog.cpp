#include "app/chooseshipdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "desktop/helpwindow.h"
#include "model/messagenames.h"
#include "platform/qtstrings.h"

ChooseShipDialog::ChooseShipDialog(const ShipNameChoice& choice, const CArray<VxShip>& ships,
                                   QWidget* parent)
    : BrinnowDialog(HelpContext::kCampaignCheck, parent),
      m_choices(choice.Choices()),
      m_list(new QListWidget) {
    setObjectName("chooseShipDialog");
    setWindowTitle("Choose Ship");
    auto* question = new QLabel(
        QString("\"%1\" names no ship. Every squadron and scenario force that gives this name "
                "will name the ship you choose instead:")
            .arg(ToQt(ShownName(choice.Missing()))));
    question->setObjectName("questionLabel");
    question->setWordWrap(true);
    m_list->setObjectName("shipList");
    for (const std::size_t ship : m_choices) {
        m_list->addItem(ToQt(ShownName(ships[ship].m_strName)));
    }
    m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(400, 360);
}

std::size_t ChooseShipDialog::Chosen() const {
    return m_choices[std::size_t(std::max(0, m_list->currentRow()))];
}
