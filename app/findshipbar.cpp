#include "app/findshipbar.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    : QToolBar("Find Ship", parent), m_doc(doc), m_view(view) {
    setObjectName("findShipBar");
    setMovable(false);
    addWidget(new QLabel("Find ship: "));
    m_text = new QLineEdit;
    m_text->setObjectName("findText");
    m_text->setMaxLength(kMaxText);
    m_text->setClearButtonEnabled(true);
    m_text->setPlaceholderText("Name, identifier or notes");
    m_text->setMinimumWidth(220);
    addWidget(m_text);
    addAction("Previous", this, &FindShipBar::FindPrevious)->setObjectName("findPrevious");
    addAction("Next", this, &FindShipBar::FindNext)->setObjectName("findNext");
    addSeparator();
    addWidget(new QLabel(" Show: "));
    m_nation = new QComboBox;
    m_nation->setObjectName("nationFilter");
    m_nation->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    addWidget(m_nation);
    m_type = new QComboBox;
    m_type->setObjectName("typeFilter");
    m_type->addItem("All ship types");
    for (const ShipType& type : ShipTypeTable) {
        m_type->addItem(QStringLiteral("%1 %2").arg(type.abbreviation, type.name));
    }
    addWidget(m_type);
    addSeparator();
    addAction("Close", this, &FindShipBar::Close)->setObjectName("findClose");
    RefillNations();
    connect(m_text, &QLineEdit::textEdited, this, [this] { Find(true, false); });
    connect(m_text, &QLineEdit::returnPressed, this, &FindShipBar::FindNext);
    connect(m_nation, &QComboBox::activated, this, &FindShipBar::ApplyFilter);
    connect(m_type, &QComboBox::activated, this, &FindShipBar::ApplyFilter);
}

void FindShipBar::Activate() {
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

bool FindShipBar::FindNext() { return Find(false, false); }
bool FindShipBar::FindPrevious() { return Find(false, true); }

bool FindShipBar::Find(bool fromTop, bool backwards) {
    const ShipSearch search(FromQt(m_text->text()));
    if (search.IsEmpty()) {
        ShowFound(true);
        return false;
    }
    const bool found = m_view.FindShip(search, fromTop, backwards);
    ShowFound(found);
    return found;
}

// A text that matches nothing shows in the field's colours of a mistake.
void FindShipBar::ShowFound(bool found) {
    m_text->setStyleSheet(found ? QString() : QStringLiteral("QLineEdit { background: #ffd6d6; }"));
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
    hide();
    m_view.setFocus();
}

void FindShipBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QToolBar::keyPressEvent(event);
}
