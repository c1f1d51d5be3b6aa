#pragma once

#include <QWidget>
#include <vector>

class QToolButton;
class QStyleOptionTab;

// The tabs of a scenario's forces, each reading "Force N". A scenario may
// hold thousands of forces, and a QTabBar lays out all its tabs at every tab
// added. These tabs only number their force and digits are equally wide, so
// a tab's place follows from its number alone: changing the count costs
// nothing, and only the tabs in view are drawn. Like a tab bar, the strip
// scrolls with two arrow buttons when its tabs do not fit.
class ForceTabBar : public QWidget {
    Q_OBJECT
  public:
    explicit ForceTabBar(QWidget* parent = nullptr);

    static QString TabText(int index);

    int count() const { return m_count; }
    // The current tab stays where it is when it still exists, else the last
    // one becomes current; the first tab of an empty strip becomes current.
    void setCount(int count);
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);
    QString tabText(int index) const { return TabText(index); }
    // Where the tab is drawn now; a tab scrolled out of view lies outside
    // the strip.
    QRect tabRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void currentChanged(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QStyleOptionTab TabOption(int index) const;
    int TabWidth(int index) const;
    int TabHeight() const;
    QSize MeasureTab(int index) const;
    qint64 TabLeft(int index) const;
    int IndexAt(qint64 stripX) const;
    int ViewWidth() const;
    qint64 LastOffset() const;
    void SetOffset(qint64 offset);
    void ScrollToShow(int index);
    void ScrollByTab(int step);
    void MakeCurrent(int index);
    void PlaceScrollButtons();

    int m_count = 0;
    int m_current = -1;
    qint64 m_offset = 0;  // the strip's x at the view's left edge
    QToolButton* m_scrollLeft;
    QToolButton* m_scrollRight;
    mutable std::vector<QSize> m_sizeOfDigits;
};
