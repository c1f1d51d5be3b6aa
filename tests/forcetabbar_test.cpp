// The scenario editor's strip of force tabs: where each tab is, what a
// click, a key or an arrow button does, and counts no tab bar could hold.
#include "editors/forcetabbar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleOptionTab>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <limits>
#include <map>
#include <utility>

namespace {

class ForceTabs : public ::testing::Test {
  protected:
    void Show(int count, int width = 400) {
        tabs.setCount(count);
        tabs.resize(width, tabs.sizeHint().height());
        tabs.show();
    }
    QToolButton* Arrow(const char* name) { return tabs.findChild<QToolButton*>(name); }
    int ViewRight() {
        return Arrow("scrollLeftButton")->isHidden() ? tabs.width()
                                                     : Arrow("scrollLeftButton")->x();
    }
    bool InView(int index) {
        const QRect rect = tabs.tabRect(index);
        return rect.left() >= 0 && rect.right() < ViewRight();
    }
    void ClickTab(int index) {
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
    }

    ForceTabBar tabs;
};

// Keys and the wheel step through the tabs and stop at the ends, even of the
// largest count, whose tabs are only numbers.
TEST_F(ForceTabs, KeysStepThroughTheTabsAndStopAtTheEndsOfAnyCount) {
    Show(12);
    tabs.setFocus();
    const struct {
        Qt::Key key;
        int current;
    } steps[] = {{Qt::Key_Left, 0},   {Qt::Key_Right, 1}, {Qt::Key_End, 11},
                 {Qt::Key_Right, 11}, {Qt::Key_Left, 10}, {Qt::Key_Home, 0}};
    for (const auto& step : steps) {
        QTest::keyClick(&tabs, step.key);
        EXPECT_EQ(tabs.currentIndex(), step.current) << QTest::toString(step.key);
        EXPECT_TRUE(InView(step.current));
    }
    // The wheel turned towards the user steps right, away from the user left.
    for (const auto& [notches, current] : {std::pair{-1, 1}, {-1, 2}, {1, 1}, {1, 0}, {1, 0}}) {
        QWheelEvent turn(QPointF(5, 5), tabs.mapToGlobal(QPointF(5, 5)), {}, {0, 120 * notches},
                         Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&tabs, &turn);
        EXPECT_EQ(tabs.currentIndex(), current);
    }

    // The largest count is only numbers.
    constexpr int kMost = std::numeric_limits<int>::max();
    Show(kMost);
    QTest::keyClick(&tabs, Qt::Key_End);
    EXPECT_EQ(tabs.currentIndex(), kMost - 1);
    EXPECT_TRUE(InView(kMost - 1));
    EXPECT_EQ(tabs.tabText(kMost - 1), QStringLiteral("Force 2147483647"));
    ClickTab(kMost - 2);
    EXPECT_EQ(tabs.currentIndex(), kMost - 2);
}

// The arrows appear only when the tabs do not fit and move the view a tab
// at a time, leaving the current tab as it was.
TEST_F(ForceTabs, ArrowsScrollTheViewATabAtATime) {
    Show(3);
    EXPECT_TRUE(Arrow("scrollRightButton")->isHidden());
    tabs.setCount(50);
    ASSERT_FALSE(Arrow("scrollRightButton")->isHidden());
    EXPECT_FALSE(Arrow("scrollLeftButton")->isEnabled());
    QTest::mouseClick(Arrow("scrollRightButton"), Qt::LeftButton);
    QTest::mouseClick(Arrow("scrollRightButton"), Qt::LeftButton);
    EXPECT_EQ(tabs.tabRect(2).left(), 0);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_TRUE(Arrow("scrollLeftButton")->isEnabled());
    QTest::mouseClick(Arrow("scrollLeftButton"), Qt::LeftButton);
    EXPECT_EQ(tabs.tabRect(1).left(), 0);
    tabs.setCurrentIndex(49);
    EXPECT_EQ(tabs.tabRect(49).right() + 1, ViewRight()) << "the last tab ends at the arrows";
    EXPECT_FALSE(Arrow("scrollRightButton")->isEnabled());
    const int middle = tabs.height() / 2;
    EXPECT_EQ(tabs.childAt(tabs.width() - 2, middle), Arrow("scrollRightButton"));
    EXPECT_EQ(tabs.childAt(ViewRight() + 1, middle), Arrow("scrollLeftButton"));
    // Held down, an arrow keeps scrolling.
    QTest::mousePress(Arrow("scrollLeftButton"), Qt::LeftButton);
    for (int wait = 0; wait < 100 && tabs.tabRect(40).left() < 0; ++wait) QTest::qWait(50);
    QTest::mouseRelease(Arrow("scrollLeftButton"), Qt::LeftButton);
    EXPECT_GE(tabs.tabRect(40).left(), 0);
    tabs.resize(20000, tabs.height());
    EXPECT_TRUE(Arrow("scrollRightButton")->isHidden());
    EXPECT_EQ(tabs.tabRect(0).left(), 0) << "a strip that fits shows its first tab";
}

// Hands the style each tab as a tab bar would: its place in the row, whether
// it or a neighbour is the current one, and the gap the base leaves for it.
class TabRecordingStyle : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
            tab && element == CE_TabBarTab) {
            drawn.push_back(*tab);
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (const auto* base = qstyleoption_cast<const QStyleOptionTabBarBase*>(option);
            base && element == PE_FrameTabBarBase) {
            gapUnder = base->selectedTabRect;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable std::vector<QStyleOptionTab> drawn;
    mutable QRect gapUnder;
};

TEST_F(ForceTabs, TheStyleDrawsEachTabInViewWithItsPlaceAndTheCurrentOneLast) {
    TabRecordingStyle style;
    tabs.setStyle(&style);
    const auto useTheOwnStyleAgain = qScopeGuard([this] { tabs.setStyle(nullptr); });
    Show(4, 2000);
    tabs.setCurrentIndex(1);
    tabs.grab();
    std::map<QString, QStyleOptionTab> byText;
    for (const QStyleOptionTab& tab : style.drawn) byText[tab.text] = tab;
    ASSERT_EQ(byText.size(), 4u);
    EXPECT_EQ(style.drawn.back().text, "Force 2");
    EXPECT_TRUE(byText["Force 2"].state & QStyle::State_Selected);
    EXPECT_FALSE(byText["Force 3"].state & QStyle::State_Selected);
    const struct {
        QStyleOptionTab::TabPosition position;
        QStyleOptionTab::SelectedPosition selected;
    } expected[] = {{QStyleOptionTab::Beginning, QStyleOptionTab::NextIsSelected},
                    {QStyleOptionTab::Middle, QStyleOptionTab::NotAdjacent},
                    {QStyleOptionTab::Middle, QStyleOptionTab::PreviousIsSelected},
                    {QStyleOptionTab::End, QStyleOptionTab::NotAdjacent}};
    for (int index = 0; index < 4; ++index) {
        const QStyleOptionTab& tab = byText[tabs.tabText(index)];
        EXPECT_EQ(tab.position, expected[index].position) << index;
        EXPECT_EQ(tab.selectedPosition, expected[index].selected) << index;
        EXPECT_EQ(tab.rect, tabs.tabRect(index));
    }
    EXPECT_EQ(style.gapUnder, tabs.tabRect(1));

    style.drawn.clear();
    tabs.setCount(1);
    tabs.grab();
    ASSERT_EQ(style.drawn.size(), 1u);
    EXPECT_EQ(style.drawn.front().position, QStyleOptionTab::OnlyOneTab);

    style.drawn.clear();
    tabs.setCount(2000);
    tabs.resize(400, tabs.height());
    tabs.setCurrentIndex(1000);
    tabs.grab();
    EXPECT_LT(style.drawn.size(), 10u) << "only the tabs in view are drawn";
}

}  // namespace
