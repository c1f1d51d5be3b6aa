#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "document/documentquestions.h"
#include "document/recentfilelist.h"
#include "document/recoverykeeper.h"
#include "history/edithistory.h"
#include "model/brinnowdoc.h"
#include "platform/diskfilewatch.h"
#include "platform/documentlock.h"

class RecoveryFile;

// The life of the one open document: what New, Open, Import, Save, Save As,
// Revert and Close do to it and to its file; the lock that keeps a second
// window from saving over it, the watch on what other programs do to the
// file, the recovery copy of unsaved work, the recent files. It asks its
// questions through DocumentQuestions and says through signals what a
// window shows. Each command returns false when nothing happened.
class DocumentManager : public QObject {
    Q_OBJECT
  public:
    explicit DocumentManager(DocumentQuestions& questions, QObject* parent = nullptr);
    ~DocumentManager() override;

    CBrinnowDoc& Document() { return m_doc; }
    EditHistory& History() { return m_history; }
    DiskFileWatch& DiskFile() { return m_diskFile; }
    RecoveryKeeper& Recovery() { return m_recovery; }
    const QStringList& RecentFiles() const { return m_recent.List(); }

    bool New();
    bool Open(const QString& path);
    // Opens a campaign from JSON as a new, unsaved document.
    bool ImportJson(const QString& path);
    bool Save();
    bool SaveAs();
    // Asks (unless ask is false), then loads the file again as one step of
    // the history.
    bool Revert(bool ask = true);
    // Asks to save a modified document: true when it is safe to go on.
    bool SaveModified();
    // Before the window closes: true when it may, and then the work the user
    // chose to drop and the lock go.
    bool Close();
    // Offers, one at a time, the work of windows that ended without closing;
    // true when one was recovered.
    bool OfferRecovery();
    // Before the program ends without asking (a logout, a kill): the unsaved
    // work is kept as a recovery copy at once.
    void KeepWorkBeforeStop();
    // After an edit that did not go through the history's steps.
    void DocumentEdited();

  signals:
    // Another document is open now (new, opened, imported or recovered).
    void documentReplaced();
    // The document was saved, perhaps under another name.
    void documentSaved();
    void recentFilesChanged();
    // A sentence saying why no recovery copy could be written.
    void recoveryCopyFailed(const QString& reason);

  private:
    bool SaveTo(const QString& path);
    // Takes the lock of the file at path; when another window holds it, asks
    // the question (of the file's name and its holder) and goes on on Yes.
    bool LockOrAsk(const QString& path, DocumentLock& lock, const QString& question);
    // The document is now the one at its path, or a new one.
    void Replaced(DocumentLock lock);
    void OnChangedOnDisk(DiskFileWatch::Disk disk);
    bool Recover(const RecoveryFile& copy);
    QString FilePath() const;
    QString ShownPath() const;

    DocumentQuestions& m_questions;
    CBrinnowDoc m_doc;
    EditHistory m_history{m_doc};
    DiskFileWatch m_diskFile;
    DocumentLock m_lock;
    RecoveryKeeper m_recovery{m_doc, m_diskFile};
    RecentFileList m_recent;
};
