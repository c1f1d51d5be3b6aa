#pragma once

#include <QDateTime>
#include <QString>
#include <string>
#include <vector>

class CBrinnowDoc;

// A copy of a window's unsaved work in the user's state folder
// ($XDG_STATE_HOME/brinnow/recovery, or ~/.local/state/brinnow/recovery),
// named after its document and the process that keeps it: a few lines
// saying whose work it is, then the document's bytes. It is only ever read
// back into a window; it never replaces a document by itself.
class RecoveryFile {
  public:
    static QString Folder();
    // This process's copy of its work on the document at path (empty: an
    // untitled document).
    static RecoveryFile ForDocument(const QString& document);
    // The copies of windows that ended without closing (their process is
    // gone), oldest first.
    static std::vector<RecoveryFile> Abandoned();

    const QString& Path() const { return m_path; }
    // The document's file, or empty for an untitled document.
    const QString& Document() const { return m_document; }
    // The document's file as the session last read or wrote it.
    const QString& Digest() const { return m_digest; }
    QDateTime Written() const;

    // Through the safe writer, waiting for the disk: a power cut must not
    // take the copy with it.
    bool Write(const QString& digest, const std::string& documentBytes, std::string& error);
    bool Read(CBrinnowDoc& doc, std::string& error) const;
    void Remove() const;

  private:
    bool ReadHeader();

    QString m_path;
    QString m_document;
    QString m_digest;
    qint64 m_pid = 0;
    QString m_host;
};
