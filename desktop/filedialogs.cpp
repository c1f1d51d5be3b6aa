#include "desktop/filedialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
FileChoiceHook& Hook() {
    static FileChoiceHook hook;
    return hook;
}

QString AskTheUser(QWidget* parent, const FileChoice& choice) {
    QFileDialog dialog(parent, choice.caption, QString(),
                       choice.filter.isEmpty() ? QStringLiteral("All files (*)") : choice.filter);
    dialog.setAcceptMode(choice.kind == FileChoice::Save ? QFileDialog::AcceptSave
                                                         : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.kind == FileChoice::Save ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.proposedPath.isEmpty()) dialog.selectFile(choice.proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}
}  // namespace

QString WithDefaultSuffix(const QString& path, const FileChoice& choice) {
    if (path.isEmpty() || choice.kind != FileChoice::Save || choice.defaultSuffix.isEmpty()) {
        return path;
    }
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    QString named = path;
    if (named.endsWith('.')) named.chop(1);
    return named + "." + choice.defaultSuffix;
}

QString ChooseFile(QWidget* parent, const FileChoice& choice) {
    const QString path = Hook() ? Hook()(choice) : AskTheUser(parent, choice);
    return WithDefaultSuffix(path, choice);
}

void SetFileChoiceHook(FileChoiceHook hook) { Hook() = std::move(hook); }
