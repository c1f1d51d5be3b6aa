#include "editors/filedialogs.h"

#include <QFileDialog>

namespace {
FileChoiceHook& Hook() {
    static FileChoiceHook hook;
    return hook;
}
}  // namespace

QString ChooseFile(QWidget* parent, const FileChoice& choice) {
    if (Hook()) return Hook()(choice);
    QFileDialog dialog(parent, choice.caption, QString(),
                       choice.filter.isEmpty() ? QStringLiteral("All Files (*)") : choice.filter);
    dialog.setAcceptMode(choice.kind == FileChoice::Save ? QFileDialog::AcceptSave
                                                         : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.kind == FileChoice::Save ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.proposedName.isEmpty()) dialog.selectFile(choice.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void SetFileChoiceHook(FileChoiceHook hook) { Hook() = std::move(hook); }
