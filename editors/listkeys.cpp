#include "editors/listkeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <utility>

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsDelete(int key) { return key == Qt::Key_Delete || key == Qt::Key_Backspace; }

}  // namespace

ListKeys::ListKeys(QObject* parent) : QObject(parent) {}

void ListKeys::OnEnter(QAbstractItemView* list, Action act) {
    Bind(list, Key::Enter, std::move(act));
}

void ListKeys::OnDelete(QAbstractItemView* list, Action act) {
    Bind(list, Key::Delete, std::move(act));
}

void ListKeys::Bind(QAbstractItemView* list, Key key, Action act) {
    m_bindings.push_back({list, key, std::move(act)});
    list->installEventFilter(this);
}

bool ListKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (const Binding& binding : m_bindings) {
        const bool pressed = binding.key == Key::Enter ? IsEnter(key) : IsDelete(key);
        if (binding.list == watched && pressed) {
            binding.act();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
