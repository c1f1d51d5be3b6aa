#include "platform/diskfilewatch.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <functional>
#include <string_view>

#include "platform/filebytes.h"

namespace {
// Writers touch a file several times in a row; the last one counts.
constexpr int kSettleMs = 250;
constexpr const char* kMissing = "missing";
constexpr const char* kNotAFile = "not a file";
}  // namespace

DiskFileWatch::DiskFileWatch(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DiskFileWatch::Recheck);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
}

bool DiskFileWatch::StampOf(const QString& path, Stamp& stamp) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return false;
    stamp = {info.st_size, qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
             quint64(info.st_ino), S_ISREG(info.st_mode)};
    return true;
}

QString DiskFileWatch::DigestOf(const QString& path) {
    FileBytes bytes;
    std::string error;
    if (!bytes.Read(QFile::encodeName(path).toStdString(), error)) return kMissing;
    return QString::number(std::hash<std::string_view>{}(bytes.View()), 16) + "-" +
           QString::number(bytes.View().size());
}

void DiskFileWatch::Track(const QString& path) {
    Stamp stamp;
    const bool exists = !path.isEmpty() && StampOf(path, stamp);
    Track(path, exists ? DigestOf(path) : QString());
    m_stamp = stamp;
}

void DiskFileWatch::Track(const QString& path, const QString& digest) {
    m_path = path;
    m_digest = m_reported = digest;
    m_stamp = {};
    Watch();
}

void DiskFileWatch::Watch() {
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
    if (m_path.isEmpty()) return;
    // The folder too: a file replaced by a rename is a new file, which the
    // watch on the old one never hears of.
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    if (QFileInfo::exists(m_path)) m_watcher.addPath(m_path);
}

DiskFileWatch::Disk DiskFileWatch::Check() {
    if (m_path.isEmpty() || m_digest.isEmpty()) return Disk::AsKnown;
    Stamp stamp;
    if (!StampOf(m_path, stamp)) return Disk::Missing;
    if (!stamp.regular) return Disk::NotAFile;
    if (stamp == m_stamp) return Disk::AsKnown;
    if (DigestOf(m_path) != m_digest) return Disk::Changed;
    m_stamp = stamp;
    return Disk::AsKnown;
}

void DiskFileWatch::Recheck() {
    Watch();
    const Disk disk = Check();
    if (disk == Disk::AsKnown) return;
    const QString now = disk == Disk::Missing    ? kMissing
                        : disk == Disk::NotAFile ? kNotAFile
                                                 : DigestOf(m_path);
    if (now == m_reported) return;
    m_reported = now;
    emit changedOnDisk(disk);
}
