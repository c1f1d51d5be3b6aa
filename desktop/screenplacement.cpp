#include "desktop/screenplacement.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "desktop/screenfit.h"

namespace {
constexpr const char* kGeometry = "Geometry";
}  // namespace

// "Table Window/HDMI-1 1366x768": a screen's name may hold a slash, which
// would open a group of its own.
ScreenPlacement::ScreenPlacement(const QString& windowKind, const QScreen& screen)
    : m_screen(screen),
      m_group(QStringLiteral("%1/%2 %3x%4")
                  .arg(windowKind, QString(screen.name()).replace('/', '_').replace('\\', '_'))
                  .arg(screen.size().width())
                  .arg(screen.size().height())) {}

void ScreenPlacement::Restore(QWidget& window, QSize preferred) const {
    // Restoring keeps the window on the screen itself.
    if (window.restoreGeometry(Value(kGeometry, {}).toByteArray())) return;
    window.move(m_screen.availableGeometry().center() - QPoint(preferred.width(), preferred.height()) / 2);
    FitOnScreen(window, preferred, &m_screen);
}

void ScreenPlacement::Save(const QWidget& window) const { SetValue(kGeometry, window.saveGeometry()); }

QVariant ScreenPlacement::Value(const QString& key, const QVariant& fallback) const {
    return QSettings().value(m_group + "/" + key, fallback);
}

void ScreenPlacement::SetValue(const QString& key, const QVariant& value) const {
    QSettings().setValue(m_group + "/" + key, value);
}
