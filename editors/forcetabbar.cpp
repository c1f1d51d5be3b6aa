#include "editors/forcetabbar.h"

#include <QEvent>

QSize ForceTabBar::tabSizeHint(int index) const {
    std::size_t digits = 1;
    for (int number = index + 1; number >= 10; number /= 10) ++digits;
    if (digits >= m_sizeOfDigits.size()) m_sizeOfDigits.resize(digits + 1);
    QSize& size = m_sizeOfDigits[digits];
    if (!size.isValid()) size = QTabBar::tabSizeHint(index);
    return size;
}

// What a size depends on has changed: measure again.
void ForceTabBar::changeEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::StyleChange) m_sizeOfDigits.clear();
    QTabBar::changeEvent(event);
}
