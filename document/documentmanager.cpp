#include "document/documentmanager.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "document/recoveryfile.h"
#include "interchange/campaignjsonimport.h"

namespace {

constexpr const char* kOpenElsewhere =
    "%1 is already open in Brinnow (%2). Open it here as well? Saving in one window would "
    "overwrite the changes made in the other.";
constexpr const char* kSaveOverOpen =
    "%1 is open in Brinnow (%2). Save over it anyway? The changes made in that window would "
    "be overwritten when it saves.";
constexpr const char* kChangedOnDisk =
    "%1 was changed by another program. Load the version on disk? Undo brings back the one "
    "shown here.";
constexpr const char* kMissingOnDisk =
    "%1 was deleted or moved by another program. Save writes it again.";
constexpr const char* kNotAFileOnDisk =
    "%1 was replaced by a folder or another thing that is not a file. Save cannot write the "
    "campaign there; Save As keeps it under another name.";
constexpr const char* kNoLockPossible =
    "Brinnow cannot tell whether another window has this campaign open: no lock file can be "
    "made beside %1. Saving in two windows would overwrite the changes made in the other.";
constexpr const char* kSaveOverChange =
    "%1 was changed by another program since it was opened or saved here. Saving now would "
    "replace that version with this one.";
constexpr const char* kRecoverQuestion =
    "Brinnow ended without saving the changes to %1. They were kept as they were at %2.\n\n"
    "Recover them? The campaign opens with the changes, not yet saved; its file stays as it "
    "is until you save. Keep for Later asks again at the next start.";

// A file's name as the user knows it, quoted.
QString Quoted(const QString& path) { return "\"" + QDir::toNativeSeparators(path) + "\""; }

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

DocumentManager::DocumentManager(DocumentQuestions& questions, QObject* parent)
    : QObject(parent), m_questions(questions) {
    connect(&m_diskFile, &DiskFileWatch::changedOnDisk, this, &DocumentManager::OnChangedOnDisk);
    connect(&m_history.Stack(), &QUndoStack::indexChanged, &m_recovery,
            &RecoveryKeeper::DocumentChanged);
    connect(&m_recovery, &RecoveryKeeper::writeFailed, this, &DocumentManager::recoveryCopyFailed);
}

DocumentManager::~DocumentManager() = default;

QString DocumentManager::FilePath() const { return QFile::decodeName(m_doc.GetPathName().c_str()); }

QString DocumentManager::ShownPath() const { return Quoted(FilePath()); }

void DocumentManager::DocumentEdited() { m_recovery.DocumentChanged(); }

bool DocumentManager::SaveModified() {
    if (!m_doc.IsModified()) return true;
    switch (m_questions.SaveChanges("Save changes to " + FromUtf8(m_doc.GetTitle()) + "?")) {
        case DocumentQuestions::Answer::Yes:
            return Save();
        case DocumentQuestions::Answer::No:
            return true;
        default:
            return false;
    }
}

bool DocumentManager::New() {
    if (!SaveModified()) return false;
    m_doc.OnNewDocument();
    m_history.Forget();
    emit documentReplaced();
    Replaced({});
    return true;
}

bool DocumentManager::LockOrAsk(const QString& path, DocumentLock& lock, const QString& question) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (lock.Acquire(QFile::encodeName(absolute).toStdString()) !=
        DocumentLock::Outcome::HeldElsewhere) {
        return true;
    }
    return m_questions.Override(question.arg(Quoted(absolute), FromUtf8(lock.Holder())));
}

void DocumentManager::Replaced(DocumentLock lock) {
    m_lock = std::move(lock);
    m_diskFile.Track(FilePath());
    m_recovery.Discard();
    m_recovery.DocumentChanged();
}

bool DocumentManager::Open(const QString& given) {
    if (!SaveModified()) return false;
    // A name from the command line may be relative to the folder it was
    // started in; the recent files must still find it from anywhere.
    const QString path = QFileInfo(given).absoluteFilePath();
    DocumentLock lock;
    if (!LockOrAsk(path, lock, kOpenElsewhere)) return false;
    // Loaded apart and taken over only when whole, so that a damaged file
    // leaves the open campaign as it was.
    CBrinnowDoc loaded;
    bool opened = false;
    if (!m_questions.RunWithProgress("Open", [&](Progress& progress) {
            opened = loaded.OnOpenDocument(path.toStdString(), progress);
        }))
        return false;
    if (!opened) {
        m_recent.Remove(path);
        emit recentFilesChanged();
        m_questions.Tell(FromUtf8(loaded.ErrorMessage()));
        return false;
    }
    m_doc = std::move(loaded);
    m_history.Forget();
    emit documentReplaced();
    // Another window's lock, taken on Yes, is no folder that takes none.
    const bool unlocked = !lock.Held() && lock.Holder().empty() && QFileInfo(path).isWritable();
    Replaced(std::move(lock));
    m_recent.Add(path);
    emit recentFilesChanged();
    if (unlocked) {
        m_questions.Tell(QString(kNoLockPossible).arg(ShownPath()),
                         DocumentQuestions::Tone::Information);
    }
    if (!m_doc.LoadWarning().empty()) m_questions.Tell(FromUtf8(m_doc.LoadWarning()));
    return true;
}

bool DocumentManager::ImportJson(const QString& path) {
    // Read first, so that a file that cannot be taken changes nothing and asks nothing.
    CBrinnowDoc imported;
    std::string error;
    bool read = false;
    if (!m_questions.RunWithProgress("Import Campaign from JSON", [&](Progress& progress) {
            read = ImportCampaignJsonFile(path.toStdString(), imported, error, progress);
        }))
        return false;
    if (!read) {
        m_questions.Tell(FromUtf8(error));
        return false;
    }
    if (!SaveModified()) return false;
    m_doc = std::move(imported);
    m_history.Forget(false);
    emit documentReplaced();
    Replaced({});
    return true;
}

bool DocumentManager::Save() {
    if (m_doc.GetPathName().empty()) return SaveAs();
    // Never over another program's version without a word.
    if (m_diskFile.Check() == DiskFileWatch::Disk::Changed) {
        enum { kReload, kSaveAs, kOverwrite, kCancel };
        switch (m_questions.Choose("Save", QString(kSaveOverChange).arg(ShownPath()),
                                   {"&Reload", "Save &As...", "&Overwrite", "Cancel"}, kCancel)) {
            case kReload:
                Revert(false);
                return false;
            case kSaveAs:
                return SaveAs();
            case kOverwrite:
                break;
            default:
                return false;
        }
    }
    return SaveTo(FilePath());
}

bool DocumentManager::SaveAs() {
    const QString lastUsed = m_recent.List().isEmpty() ? QString() : m_recent.List().first();
    const QString path =
        m_questions.SaveAsPath(FromUtf8(m_doc.GetTitle()), FromUtf8(m_doc.GetPathName()), lastUsed);
    return !path.isEmpty() && SaveTo(path);
}

bool DocumentManager::SaveTo(const QString& path) {
    const bool sameFile = path == FilePath();
    DocumentLock lock;
    if (!sameFile && !LockOrAsk(path, lock, kSaveOverOpen)) return false;
    bool saved = false;
    if (!m_questions.RunWithProgress("Save", [&](Progress& progress) {
            saved = m_doc.OnSaveDocument(path.toStdString(), progress);
        }))
        return false;
    if (!saved) {
        m_questions.Tell(FromUtf8(m_doc.ErrorMessage()));
        return false;
    }
    m_history.MarkSaved();
    if (!sameFile) m_lock = std::move(lock);
    m_diskFile.Track(path);
    m_recovery.Discard();
    m_recent.Add(path);
    emit recentFilesChanged();
    emit documentSaved();
    return true;
}

bool DocumentManager::Revert(bool ask) {
    const std::string path = m_doc.GetPathName();
    if (path.empty()) return false;
    if (ask && !m_questions.Agree("Revert to the copy of " + FromUtf8(m_doc.GetTitle()) +
                                  " saved on disk? Undo brings back the changes.")) {
        return false;
    }
    CBrinnowDoc saved;
    bool loaded = false;
    if (!m_questions.RunWithProgress("Revert to Saved", [&](Progress& progress) {
            loaded = saved.OnOpenDocument(path, progress);
        }))
        return false;
    if (!loaded) {
        m_questions.Tell(FromUtf8(saved.ErrorMessage()));
        return false;
    }
    m_history.Run("Revert to Saved", [&] { m_doc = std::move(saved); });
    m_history.MarkSaved();
    m_diskFile.Track(QFile::decodeName(path.c_str()));
    m_recovery.Discard();
    return true;
}

bool DocumentManager::Close() {
    if (!SaveModified()) return false;
    // A clean exit: whatever was not saved, the user chose to drop.
    m_recovery.Discard();
    m_lock.Release();
    return true;
}

void DocumentManager::KeepWorkBeforeStop() { m_recovery.WriteNow(); }

void DocumentManager::OnChangedOnDisk(DiskFileWatch::Disk disk) {
    if (disk == DiskFileWatch::Disk::Missing) {
        m_questions.Tell(QString(kMissingOnDisk).arg(ShownPath()));
    } else if (disk == DiskFileWatch::Disk::NotAFile) {
        m_questions.Tell(QString(kNotAFileOnDisk).arg(ShownPath()));
    } else if (m_questions.Override(QString(kChangedOnDisk).arg(ShownPath()))) {
        Revert(false);
    }
}

bool DocumentManager::OfferRecovery() {
    for (const RecoveryFile& copy : RecoveryFile::Abandoned()) {
        const QString document = copy.Document().isEmpty() ? QStringLiteral("an untitled campaign")
                                                           : Quoted(copy.Document());
        const QString when = QLocale().toString(copy.Written(), QLocale::LongFormat);
        enum { kRecover, kKeep, kDiscard };
        switch (m_questions.Choose("Recover Unsaved Work",
                                   QString(kRecoverQuestion).arg(document, when),
                                   {"&Recover", "&Keep for Later", "&Discard"}, kRecover)) {
            case kRecover:
                if (Recover(copy)) return true;
                break;
            case kDiscard:
                copy.Remove();
                break;
            default:
                break;
        }
    }
    return false;
}

bool DocumentManager::Recover(const RecoveryFile& copy) {
    CBrinnowDoc recovered;
    std::string error;
    if (!copy.Read(recovered, error)) {
        m_questions.Tell(FromUtf8(error));
        return false;
    }
    if (!SaveModified()) return false;
    DocumentLock lock;
    if (!copy.Document().isEmpty() && !LockOrAsk(copy.Document(), lock, kOpenElsewhere)) {
        return false;
    }
    recovered.SetPathName(QFile::encodeName(copy.Document()).toStdString());
    m_doc = std::move(recovered);
    m_history.Forget(false);
    emit documentReplaced();
    m_lock = std::move(lock);
    // Save then asks if the file changed since the work was kept.
    m_diskFile.Track(copy.Document(), copy.Digest());
    // This window keeps the work from now on, in a copy of its own.
    m_recovery.WriteNow();
    if (!m_recovery.Copy() || m_recovery.Copy()->Path() != copy.Path()) copy.Remove();
    return true;
}
