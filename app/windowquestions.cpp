#include "app/windowquestions.h"

#include <QFile>

#include "desktop/filedialogs.h"
#include "desktop/messagebox.h"
#include "desktop/progressdialog.h"
#include "desktop/proposedfile.h"

DocumentQuestions::Answer WindowQuestions::SaveChanges(const QString& question) {
    switch (AfxMessageBoxUnicode(question, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

bool WindowQuestions::Agree(const QString& question) {
    return AfxMessageBoxUnicode(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool WindowQuestions::Override(const QString& question) { return AskYesNoUnicode(question); }

int WindowQuestions::Choose(const QString& title, const QString& text, const QStringList& answers,
                            int defaultAnswer) {
    return AskChoice(title, text, answers, defaultAnswer);
}

void WindowQuestions::Tell(const QString& text, Tone tone) {
    AfxMessageBoxUnicode(
        text, tone == Tone::Information ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONEXCLAMATION);
}

// The document's own file, or its title in the folder of the file used last.
QString WindowQuestions::SaveAsPath(const QString& title, const QString& file,
                                    const QString& lastUsed) {
    const QString proposed =
        file.isEmpty() ? ProposedFile(title, QFile::encodeName(lastUsed).toStdString(), "brn")
                       : file;
    return ChooseFile(m_window, {FileChoice::Save, "Save As", kCampaignFilter, "brn", proposed});
}

bool WindowQuestions::RunWithProgress(const QString& title,
                                      const std::function<void(Progress&)>& work) {
    return ::RunWithProgress(m_window, title, work);
}
