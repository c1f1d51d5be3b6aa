#include "desktop/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qtstrings.h"

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

ChoiceHook& TheChoiceHook() {
    static ChoiceHook hook;
    return hook;
}

QMessageBox::StandardButtons ButtonsOf(unsigned type) {
    switch (type & 0xF) {
        case MB_YESNOCANCEL:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MB_YESNO:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & 0xF0) {
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::Warning;
    }
}

}  // namespace

int AfxMessageBox(const std::string& text, unsigned type) {
    if (Hook()) return Hook()(text, type);
    return AfxMessageBoxUnicode(ToQt(text), type);
}

int AfxMessageBoxUnicode(const QString& text, unsigned type) {
    if (Hook()) return Hook()(text.toStdString(), type);
    QMessageBox box(IconOf(type), QApplication::applicationName(), text, ButtonsOf(type),
                    QApplication::activeWindow());
    if (type & MB_DEFBUTTON2) box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

namespace {
// No is the default, so that Enter, Enter never throws work away.
constexpr unsigned kYesNoQuestion = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
}  // namespace

bool AskYesNo(const std::string& question) {
    return AfxMessageBox(question, kYesNoQuestion) == IDYES;
}

bool AskYesNoUnicode(const QString& question) {
    return AfxMessageBoxUnicode(question, kYesNoQuestion) == IDYES;
}

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int AskChoice(const QString& title, const QString& text, const QStringList& buttons,
              int defaultButton) {
    if (TheChoiceHook()) return TheChoiceHook()(text.toStdString(), buttons, defaultButton);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QList<QAbstractButton*> added;
    for (const QString& name : buttons) added.append(box.addButton(name, QMessageBox::ActionRole));
    box.setDefaultButton(static_cast<QPushButton*>(added.value(defaultButton)));
    box.setEscapeButton(added.value(defaultButton));
    box.exec();
    const int chosen = int(added.indexOf(box.clickedButton()));
    return chosen < 0 ? defaultButton : chosen;
}

void SetChoiceHook(ChoiceHook hook) { TheChoiceHook() = std::move(hook); }
