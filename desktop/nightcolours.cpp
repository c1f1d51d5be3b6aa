#include "desktop/nightcolours.h"

#include <QApplication>
#include <QSettings>

namespace {

constexpr const char* kSetting = "Settings/NightColours";

QPalette NightPalette() {
    const QColor window(45, 45, 45);
    const QColor base(32, 32, 32);
    const QColor text(230, 230, 230);
    const QColor disabled(125, 125, 125);
    QPalette night;
    night.setColor(QPalette::Window, window);
    night.setColor(QPalette::WindowText, text);
    night.setColor(QPalette::Base, base);
    night.setColor(QPalette::AlternateBase, window);
    night.setColor(QPalette::ToolTipBase, window);
    night.setColor(QPalette::ToolTipText, text);
    night.setColor(QPalette::PlaceholderText, disabled);
    night.setColor(QPalette::Text, text);
    night.setColor(QPalette::Button, window);
    night.setColor(QPalette::ButtonText, text);
    night.setColor(QPalette::BrightText, Qt::red);
    night.setColor(QPalette::Light, QColor(70, 70, 70));
    night.setColor(QPalette::Midlight, QColor(60, 60, 60));
    night.setColor(QPalette::Mid, QColor(40, 40, 40));
    night.setColor(QPalette::Dark, QColor(20, 20, 20));
    night.setColor(QPalette::Shadow, Qt::black);
    night.setColor(QPalette::Highlight, QColor(42, 130, 218));
    night.setColor(QPalette::HighlightedText, Qt::white);
    night.setColor(QPalette::Link, QColor(110, 170, 240));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        night.setColor(QPalette::Disabled, role, disabled);
    }
    return night;
}

}  // namespace

NightColours& NightColours::Instance() {
    static NightColours* colours = new NightColours;
    return *colours;
}

void NightColours::ApplyKept() { Set(QSettings().value(kSetting, false).toBool()); }

void NightColours::Set(bool on) {
    QSettings().setValue(kSetting, on);
    if (on == m_on) return;
    m_on = on;
    Apply();
    emit changed(on);
}

void NightColours::Apply() {
    if (!m_dayKept) {
        m_day = QApplication::palette();
        m_dayKept = true;
    }
    QApplication::setPalette(m_on ? NightPalette() : m_day);
}
