#include "app/findshipbar.h"

#include <QComboBox>
#include <QLabel>
#include <algorithm>

#include "app/brinnowview.h"
#include "model/brinnowdoc.h"
#include "model/shipsearch.h"
#include "model/shiptables.h"
#include "platform/qtstrings.h"

namespace {
// The first entry of each filter admits every ship.
constexpr int kEveryChoice = 1;
}  // namespace

FindShipBar::FindShipBar(CBrinnowDoc& doc, CBrinnowView& view, QWidget* parent)
    : FindBar(
          "Name, identifier or notes",
          [&view](const QString& text, bool fromTop, bool backwards) {
              const ShipSearch search(FromQt(text));
              return !search.IsEmpty() && view.FindShip(search, fromTop, backwards);
          },
          view, parent),
      m_doc(doc),
      m_view(view) {
    insertWidget(CloseAction(), new QLabel(" Show: "));
    m_nation = new QComboBox;
    m_nation->setObjectName("nationFilter");
    m_nation->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    insertWidget(CloseAction(), m_nation);
    m_type = new QComboBox;
    m_type->setObjectName("typeFilter");
    m_type->addItem("All ship types");
    for (const ShipType& type : ShipTypeTable) {
        m_type->addItem(QStringLiteral("%1 %2").arg(type.abbreviation, type.name));
    }
    insertWidget(CloseAction(), m_type);
    insertSeparator(CloseAction());
    RefillNations();
    connect(m_nation, &QComboBox::activated, this, &FindShipBar::ApplyFilter);
    connect(m_type, &QComboBox::activated, this, &FindShipBar::ApplyFilter);
}

void FindShipBar::ApplyFilter() {
    m_view.SetFilter(
        {m_nation->currentIndex() - kEveryChoice, m_type->currentIndex() - kEveryChoice});
}

void FindShipBar::RefillNations() {
    const int chosen = m_nation->currentIndex();
    m_nation->clear();
    m_nation->addItem("All nations");
    for (const VxNation& nation : m_doc.m_nations) m_nation->addItem(ToQt(nation.GetName()));
    // A nation that is gone shows every ship again.
    if (chosen < m_nation->count()) {
        m_nation->setCurrentIndex(std::max(0, chosen));
    } else {
        ApplyFilter();
    }
}

void FindShipBar::Close() {
    m_nation->setCurrentIndex(0);
    m_type->setCurrentIndex(0);
    ApplyFilter();
    FindBar::Close();
}
