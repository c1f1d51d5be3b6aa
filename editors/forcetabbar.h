#pragma once

#include <QSize>
#include <QTabBar>
#include <vector>

// The tabs of a scenario's forces, each reading "Force N". A tab bar lays
// out all its tabs at every tab added, asking each for its size, and a
// scenario may hold thousands of forces: so the size of a tab is measured
// once for each number of digits and reused, as digits are equally wide.
class ForceTabBar : public QTabBar {
    Q_OBJECT
  public:
    using QTabBar::QTabBar;

  protected:
    QSize tabSizeHint(int index) const override;
    void changeEvent(QEvent* event) override;

  private:
    mutable std::vector<QSize> m_sizeOfDigits;
};
