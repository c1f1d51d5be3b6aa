#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// The document's file as this window last read or wrote it, and what other
// programs did to it since. Content counts, not times: a file touched, or
// written again with the same bytes, has not changed. The content is read
// again only when the file's size, time or identity moved.
class DiskFileWatch : public QObject {
    Q_OBJECT
  public:
    // NotAFile: a folder or device stands under the file's name now.
    enum class Disk { AsKnown, Changed, Missing, NotAFile };

    explicit DiskFileWatch(QObject* parent = nullptr);

    // The file as it is on disk now is the document's (after an open or a
    // save). An empty path watches nothing.
    void Track(const QString& path);
    // The document's file as a session that ended knew it: its digest.
    void Track(const QString& path, const QString& digest);
    // What identifies the known content, kept with a recovery copy.
    const QString& Digest() const { return m_digest; }
    Disk Check();

  signals:
    // Once for each new version another program leaves on disk: disk says
    // what it left.
    void changedOnDisk(DiskFileWatch::Disk disk);

  private:
    struct Stamp {
        qint64 size = -1;
        qint64 modified = 0;  // nanoseconds
        quint64 inode = 0;
        bool regular = true;
        bool operator==(const Stamp&) const = default;
    };
    static bool StampOf(const QString& path, Stamp& stamp);
    static QString DigestOf(const QString& path);
    void Watch();
    void Recheck();

    QString m_path;
    QString m_digest;
    Stamp m_stamp;
    QString m_reported;  // the digest last told of, so that each is told once
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
