#pragma once

#include <QObject>
#include <QPalette>

// Night Colours, for a dim room: every window of the program dark (menus,
// tool bars, status bars, lists and dialogs), as the desktop's own dark
// palette would make it. One choice for the whole program, kept between
// runs.
class NightColours : public QObject {
    Q_OBJECT
  public:
    static NightColours& Instance();

    bool On() const { return m_on; }
    // Applies the choice kept from the last run.
    void ApplyKept();
    void Set(bool on);

  signals:
    void changed(bool on);

  private:
    NightColours() = default;
    void Apply();

    bool m_on = false;
    // The desktop's palette, to go back to.
    QPalette m_day;
    bool m_dayKept = false;
};
