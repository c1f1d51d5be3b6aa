#include "desktop/findbar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

FindBar::FindBar(const QString& placeholder, Finder finder, QWidget& ships, QWidget* parent)
    : QToolBar("Find Ship", parent), m_finder(std::move(finder)), m_ships(ships) {
    setObjectName("findShipBar");
    setMovable(false);
    addWidget(new QLabel("Find ship: "));
    m_text = new QLineEdit;
    m_text->setObjectName("findText");
    m_text->setMaxLength(kMaxText);
    m_text->setClearButtonEnabled(true);
    m_text->setPlaceholderText(placeholder);
    m_text->setMinimumWidth(220);
    addWidget(m_text);
    addAction("Previous", this, &FindBar::FindPrevious)->setObjectName("findPrevious");
    addAction("Next", this, &FindBar::FindNext)->setObjectName("findNext");
    addSeparator();
    m_close = addAction("Close", this, &FindBar::Close);
    m_close->setObjectName("findClose");
    connect(m_text, &QLineEdit::textEdited, this, [this] { Find(true, false); });
    connect(m_text, &QLineEdit::returnPressed, this, &FindBar::FindNext);
}

void FindBar::Activate() {
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

bool FindBar::FindNext() { return Find(false, false); }
bool FindBar::FindPrevious() { return Find(false, true); }

bool FindBar::Find(bool fromTop, bool backwards) {
    if (m_text->text().isEmpty()) {
        ShowFound(true);
        return false;
    }
    const bool found = m_finder(m_text->text(), fromTop, backwards);
    ShowFound(found);
    return found;
}

// A text that matches nothing shows in the field's colours of a mistake.
void FindBar::ShowFound(bool found) {
    m_text->setStyleSheet(found ? QString() : QStringLiteral("QLineEdit { background: #ffd6d6; }"));
}

void FindBar::Close() {
    hide();
    m_ships.setFocus();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QToolBar::keyPressEvent(event);
}
