#include "desktop/screenfit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {

// Before a window is first shown the window manager has not framed it yet:
// its title bar and borders are then taken from the style.
QSize FrameOf(const QWidget& window) {
    const QSize frame = window.frameGeometry().size() - window.size();
    if (window.isVisible() || !frame.isEmpty()) return frame;
    const QStyle* style = window.style();
    const int border = 2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    return {border, border + style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window)};
}

}  // namespace

void FitOnScreen(QWidget& window, QSize preferred, const QScreen* screen) {
    if (!screen) {
        screen = window.parentWidget() ? window.parentWidget()->screen() : window.screen();
    }
    const QRect available = screen->availableGeometry();
    const QSize frame = FrameOf(window);
    window.resize(preferred.boundedTo(available.size() - frame)
                      .expandedTo(window.minimumSize()));
    const QRect placed(window.pos(), window.size() + frame);
    const QPoint within(
        std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1),
        std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
    // A window not yet framed reports its inner place: moved only when needed.
    if (within != placed.topLeft()) window.move(within);
}
