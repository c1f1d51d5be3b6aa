#pragma once

#include <QSize>
#include <QString>
#include <QVariant>

class QScreen;
class QWidget;

// Where a kind of window was last left on one screen: its size and place,
// and values of its own such as its zoom. Each screen keeps its own, so a
// laptop's small screen and a large monitor do not undo each other.
class ScreenPlacement {
  public:
    ScreenPlacement(const QString& windowKind, const QScreen& screen);

    // Puts the window where it was left on this screen, or at the preferred
    // size centred on it the first time; always wholly in the screen's
    // available area.
    void Restore(QWidget& window, QSize preferred) const;
    void Save(const QWidget& window) const;
    QVariant Value(const QString& key, const QVariant& fallback) const;
    void SetValue(const QString& key, const QVariant& value) const;

  private:
    const QScreen& m_screen;
    QString m_group;
};
