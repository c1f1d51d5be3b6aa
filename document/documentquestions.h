#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Progress;

// What the document's life needs from whoever shows it: the window answers
// with message boxes, file dialogs and a progress dialog; a test answers
// directly. The texts are the manager's; only their showing is asked for.
class DocumentQuestions {
  public:
    enum class Answer { Yes, No, Cancel };
    // How a told text is shown: a warning, or information only.
    enum class Tone { Warning, Information };

    virtual ~DocumentQuestions() = default;

    // Whether to save the changes before they are lost: Yes, No or Cancel.
    virtual Answer SaveChanges(const QString& question) = 0;
    // A step the user asked for (Revert to Saved), proposing Yes.
    virtual bool Agree(const QString& question) = 0;
    // Going past a safeguard (a file open elsewhere, another program's
    // version), proposing No, so that Enter loses nothing.
    virtual bool Override(const QString& question) = 0;
    // One of named answers; the default is the one that loses nothing.
    virtual int Choose(const QString& title, const QString& text, const QStringList& answers,
                       int defaultAnswer) = 0;
    virtual void Tell(const QString& text, Tone tone = Tone::Warning) = 0;
    // The file to save the document as (empty: cancelled). file is the
    // document's own, or empty while it is untitled; lastUsed is the file
    // opened or saved last, whose folder a new name may start in.
    virtual QString SaveAsPath(const QString& title, const QString& file,
                               const QString& lastUsed) = 0;
    // Runs long work showing its progress; false when the user cancelled it.
    virtual bool RunWithProgress(const QString& title,
                                 const std::function<void(Progress&)>& work) = 0;
};
