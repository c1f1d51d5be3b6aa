#include "editors/brinnowdialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <cmath>
#include <limits>
#include <utility>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "editors/accesskeys.h"
#include "editors/textboxes.h"
#include "platform/qtstrings.h"

namespace {

bool RefuseNumber(QLineEdit* field, const QString& name, const char* kind) {
    AfxMessageBox(FromQt(QStringLiteral("Please enter %1 in \"%2\".").arg(kind, name)));
    field->setFocus();
    field->selectAll();
    return false;
}

}  // namespace

BrinnowDialog::BrinnowDialog(int helpContext, QWidget* parent)
    : QDialog(parent), m_helpContext(helpContext) {}

void BrinnowDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(m_helpContext);
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (enter && focused != nullptr && focused->isEnabled()) {
        focused->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BrinnowDialog::showEvent(QShowEvent* event) {
    RefuseForeignCharacters(this);
    AssignAccessKeys(this);
    if (!std::exchange(m_sized, true)) RestoreSize();
    QDialog::showEvent(event);
}

void BrinnowDialog::hideEvent(QHideEvent* event) {
    QSettings().setValue(SizeKey(), size());
    QDialog::hideEvent(event);
}

QString BrinnowDialog::SizeKey() const {
    return QStringLiteral("Dialog Sizes/%1").arg(metaObject()->className());
}

// The size the user left the dialog at, never smaller than its content
// needs, and never larger than the screen it opens on, title bar included.
void BrinnowDialog::RestoreSize() {
    const QSize kept = QSettings().value(SizeKey()).toSize();
    if (kept.isValid()) resize(kept.expandedTo(minimumSizeHint()));
    const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : screen();
    const QRect available = shownOn->availableGeometry();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    resize(size().boundedTo(available.size() - QSize(0, titleBar)));
}

bool BrinnowDialog::ReadNumber(QLineEdit* field, const QString& name, double& value) {
    const QString text = field->text().trimmed();
    if (text.isEmpty()) {
        value = 0.0;
        return true;
    }
    bool ok = false;
    const double read = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(read)) return RefuseNumber(field, name, "a number");
    value = read;
    return true;
}

bool BrinnowDialog::ReadInteger(QLineEdit* field, const QString& name, int& value) {
    const QString text = field->text().trimmed();
    if (text.isEmpty()) {
        value = 0;
        return true;
    }
    bool ok = false;
    const int read = QLocale::c().toInt(text, &ok);
    if (!ok) return RefuseNumber(field, name, "a whole number");
    value = read;
    return true;
}

QString BrinnowDialog::NumberText(double value) { return QString::number(value, 'g', 15); }

QLineEdit* BrinnowDialog::MakeTextField(const QString& objectName) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

QPushButton* BrinnowDialog::MakeButton(const QString& objectName, const QString& text,
                                       const QString& toolTip) {
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}
