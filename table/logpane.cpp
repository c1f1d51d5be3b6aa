#include "table/logpane.h"

#include <QPainter>

namespace {
constexpr int kFrame = 2;
}  // namespace

LogPane::LogPane(QWidget* parent) : QListWidget(parent) {
    setObjectName("logList");
    setFocusPolicy(Qt::StrongFocus);
    // A line each: no line's text is measured to lay out the rest, so a long
    // log grows by a line as fast as a short one.
    setUniformItemSizes(true);
}

void LogPane::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), kFrame));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(viewport()->rect().adjusted(kFrame / 2, kFrame / 2, -kFrame / 2, -kFrame / 2));
}

void LogPane::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void LogPane::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    viewport()->update();
}
