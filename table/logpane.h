#pragma once

#include <QListWidget>

// The table's log: a line a mark, the latest at the foot. While it has the
// keys it is framed in the highlight colour, as the focused card is, so the
// player sees where Space goes.
class LogPane : public QListWidget {
    Q_OBJECT
  public:
    explicit LogPane(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
