#include "desktop/messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qtstrings.h"

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
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

bool AskYesNo(const std::string& question) {
    // No is the default, so that Enter, Enter never throws work away.
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }
