#include "editors/forcetabbar.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

namespace {

std::size_t DigitsOf(int index) {
    std::size_t digits = 1;
    for (qint64 number = qint64(index) + 1; number >= 10; number /= 10) ++digits;
    return digits;
}

int ClampedToInt(qint64 value) {
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min() / 2,
                                  std::numeric_limits<int>::max() / 2));
}

QToolButton* ScrollButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

}  // namespace

ForceTabBar::ForceTabBar(QWidget* parent)
    : QWidget(parent),
      m_scrollLeft(ScrollButton(Qt::LeftArrow, "scrollLeftButton", this)),
      m_scrollRight(ScrollButton(Qt::RightArrow, "scrollRightButton", this)) {
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_scrollLeft, &QToolButton::clicked, this, [this] { ScrollByTab(-1); });
    connect(m_scrollRight, &QToolButton::clicked, this, [this] { ScrollByTab(1); });
}

QString ForceTabBar::TabText(int index) {
    return QStringLiteral("Force %1").arg(qint64(index) + 1);
}

void ForceTabBar::setCount(int count) {
    m_count = std::max(count, 0);
    PlaceScrollButtons();
    const int current = std::min(std::max(m_current, 0), m_count - 1);
    if (current == m_current) {
        ScrollToShow(current);
    } else {
        MakeCurrent(current);
    }
}

void ForceTabBar::setCurrentIndex(int index) {
    if (index >= 0 && index < m_count && index != m_current) MakeCurrent(index);
}

void ForceTabBar::MakeCurrent(int index) {
    m_current = index;
    ScrollToShow(index);  // and paints again
    emit currentChanged(index);
}

QRect ForceTabBar::tabRect(int index) const {
    if (index < 0 || index >= m_count) return {};
    return {ClampedToInt(TabLeft(index) - m_offset), 0, TabWidth(index), TabHeight()};
}

// Room for the first ten tabs whatever the count, so that the dialog keeps
// its size as forces come and go.
QSize ForceTabBar::sizeHint() const {
    constexpr int kTabsWished = 10;
    return {ClampedToInt(TabLeft(kTabsWished)), TabHeight()};
}

QSize ForceTabBar::minimumSizeHint() const {
    return {TabWidth(0) + 2 * m_scrollLeft->sizeHint().width(), TabHeight()};
}

QStyleOptionTab ForceTabBar::TabOption(int index) const {
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.text = TabText(index);
    option.rect = tabRect(index);
    if (m_count == 1) {
        option.position = QStyleOptionTab::OnlyOneTab;
    } else if (index == 0) {
        option.position = QStyleOptionTab::Beginning;
    } else if (index == m_count - 1) {
        option.position = QStyleOptionTab::End;
    } else {
        option.position = QStyleOptionTab::Middle;
    }
    if (index == m_current) {
        option.state |= QStyle::State_Selected;
        if (hasFocus()) option.state |= QStyle::State_HasFocus;
    }
    if (index + 1 == m_current) option.selectedPosition = QStyleOptionTab::NextIsSelected;
    if (index - 1 == m_current) option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    return option;
}

// Measured once for each number of digits, as tab bars measure a tab.
QSize ForceTabBar::MeasureTab(int index) const {
    const std::size_t digits = DigitsOf(index);
    if (digits >= m_sizeOfDigits.size()) m_sizeOfDigits.resize(digits + 1);
    QSize& size = m_sizeOfDigits[digits];
    if (!size.isValid()) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.shape = QTabBar::RoundedNorth;
        option.text = TabText(index);
        const QStyle* look = style();
        const QSize contents(
            fontMetrics().horizontalAdvance(option.text) +
                look->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this),
            fontMetrics().height() + look->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this));
        size = look->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
    }
    return size;
}

int ForceTabBar::TabWidth(int index) const { return MeasureTab(index).width(); }

int ForceTabBar::TabHeight() const { return MeasureTab(0).height(); }

// The tabs before this one, a run of equally wide tabs for each number of
// digits.
qint64 ForceTabBar::TabLeft(int index) const {
    qint64 left = 0;
    qint64 first = 0;  // the first tab of this many digits
    for (;;) {
        const qint64 end = first * 10 + 9;
        const qint64 width = TabWidth(int(first));
        if (index < end) return left + (index - first) * width;
        left += (end - first) * width;
        first = end;
    }
}

int ForceTabBar::IndexAt(qint64 stripX) const {
    if (stripX < 0) return -1;
    qint64 left = 0;
    for (qint64 first = 0; first < m_count; first = first * 10 + 9) {
        const qint64 end = std::min<qint64>(first * 10 + 9, m_count);
        const qint64 width = TabWidth(int(first));
        if (stripX < left + (end - first) * width) return int(first + (stripX - left) / width);
        left += (end - first) * width;
    }
    return -1;
}

int ForceTabBar::ViewWidth() const {
    return m_scrollLeft->isHidden() ? width() : m_scrollLeft->x();
}

qint64 ForceTabBar::LastOffset() const {
    return std::max<qint64>(TabLeft(m_count) - ViewWidth(), 0);
}

void ForceTabBar::SetOffset(qint64 offset) {
    m_offset = std::clamp<qint64>(offset, 0, LastOffset());
    m_scrollLeft->setEnabled(m_offset > 0);
    m_scrollRight->setEnabled(m_offset < LastOffset());
    update();
}

void ForceTabBar::ScrollToShow(int index) {
    if (index < 0) {
        SetOffset(m_offset);
        return;
    }
    const qint64 left = TabLeft(index);
    const qint64 right = left + TabWidth(index);
    if (left < m_offset) {
        SetOffset(left);
    } else if (right > m_offset + ViewWidth()) {
        SetOffset(right - ViewWidth());
    } else {
        SetOffset(m_offset);
    }
}

// The arrows move the view a tab at a time, the first tab in view aligned
// with the left edge; the current tab stays.
void ForceTabBar::ScrollByTab(int step) {
    const int first = IndexAt(m_offset);
    const bool aligned = first >= 0 && TabLeft(first) == m_offset;
    const int target = step < 0 ? first - (aligned ? 1 : 0) : first + 1;
    SetOffset(TabLeft(std::clamp(target, 0, m_count)));
}

void ForceTabBar::PlaceScrollButtons() {
    const bool overflows = TabLeft(m_count) > width();
    const int buttonWidth = m_scrollLeft->sizeHint().width();
    m_scrollLeft->setGeometry(width() - 2 * buttonWidth, 0, buttonWidth, TabHeight());
    m_scrollRight->setGeometry(width() - buttonWidth, 0, buttonWidth, TabHeight());
    m_scrollLeft->setVisible(overflows);
    m_scrollRight->setVisible(overflows);
}

void ForceTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = QTabBar::RoundedNorth;
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    base.rect = QRect(0, height() - overlap, width(), overlap);
    base.tabBarRect = QRect(0, 0, ViewWidth(), height());
    base.selectedTabRect = tabRect(m_current);
    painter.drawPrimitive(QStyle::PE_FrameTabBarBase, base);

    painter.setClipRect(0, 0, ViewWidth(), height());
    if (m_count == 0) return;
    const int atRightEdge = IndexAt(m_offset + ViewWidth() - 1);
    const int last = atRightEdge < 0 ? m_count - 1 : atRightEdge;
    for (int index = std::max(IndexAt(m_offset), 0); index <= last; ++index) {
        if (index != m_current) painter.drawControl(QStyle::CE_TabBarTab, TabOption(index));
    }
    // The current tab last, as it overlaps its neighbours.
    if (m_current >= 0) painter.drawControl(QStyle::CE_TabBarTab, TabOption(m_current));
}

void ForceTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int x = event->position().toPoint().x();
    if (x < ViewWidth()) setCurrentIndex(IndexAt(m_offset + x));
}

void ForceTabBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            setCurrentIndex(m_current - 1);
            break;
        case Qt::Key_Right:
            setCurrentIndex(m_current + 1);
            break;
        case Qt::Key_Home:
            setCurrentIndex(0);
            break;
        case Qt::Key_End:
            setCurrentIndex(m_count - 1);
            break;
        default:
            event->ignore();
            return;
    }
}

// The wheel steps through the tabs, as on a tab bar.
void ForceTabBar::wheelEvent(QWheelEvent* event) {
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (delta == 0) {
        event->ignore();
        return;
    }
    setCurrentIndex(m_current + (delta > 0 ? -1 : 1));
}

void ForceTabBar::resizeEvent(QResizeEvent*) {
    PlaceScrollButtons();
    ScrollToShow(m_current);
}

// What a tab's size depends on has changed: measure again.
void ForceTabBar::changeEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::StyleChange) {
        m_sizeOfDigits.clear();
        updateGeometry();
        PlaceScrollButtons();
        ScrollToShow(m_current);
    }
    QWidget::changeEvent(event);
}
