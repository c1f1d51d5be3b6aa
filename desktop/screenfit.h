#pragma once

#include <QSize>

class QScreen;
class QWidget;

// Sizes a window to preferred, or smaller, and moves it so that the whole
// of it, frame and title bar included, lies in the screen's available area
// (the screen of the window's parent, or its own, when screen is null).
void FitOnScreen(QWidget& window, QSize preferred, const QScreen* screen = nullptr);
