#include "document/recoveryfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "platform/filesystemcalls.h"
#include "platform/processidentity.h"

namespace {

constexpr const char* kMagic = "Brinnow recovery copy 1";
constexpr const char* kSuffix = ".recovery";
constexpr qint64 kLongestHeader = 64 * 1024;
// Bytes in a file's name, as most file systems allow.
constexpr qsizetype kLongestFileName = 255;
constexpr qsizetype kHashDigits = 12;

// This run of the program, told apart from an earlier one that had the same
// process id.
QString RunName() {
    static const QString name = QString::number(ThisProcessId()) + "-" +
                                QString::number(QDateTime::currentMSecsSinceEpoch(), 36);
    return name;
}

// Another host's process cannot be asked: its copies are left to it.
bool HasEnded(qint64 pid, const QString& host) {
    return host.toStdString() == ThisHostName() && ProcessHasEnded(long(pid));
}

// The copy's file name, within the file system's limit however long the
// document's name: a long one is cut on a character boundary and told apart
// from others cut alike by a hash of the whole. The header names the
// document, so the copy is found again whatever its file is called.
QString CopyName(const QString& documentName) {
    const QByteArray tail = QFile::encodeName("." + RunName() + kSuffix);
    const QByteArray name = QFile::encodeName(documentName);
    if (name.size() + tail.size() <= kLongestFileName) return documentName + tail;
    qsizetype kept = kLongestFileName - tail.size() - kHashDigits - 1;
    while (kept > 0 && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) --kept;
    const QByteArray hash =
        QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(kHashDigits);
    return QFile::decodeName(name.left(kept) + "~" + hash + tail);
}

}  // namespace

QString RecoveryFile::Folder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) state = QDir::homePath() + "/.local/state";
    return state + "/brinnow/recovery";
}

RecoveryFile RecoveryFile::ForDocument(const QString& document) {
    RecoveryFile file;
    const QString name = document.isEmpty() ? "Untitled" : QFileInfo(document).fileName();
    file.m_path = Folder() + "/" + CopyName(name);
    file.m_document = document;
    file.m_pid = ThisProcessId();
    file.m_host = QString::fromStdString(ThisHostName());
    return file;
}

std::vector<RecoveryFile> RecoveryFile::Abandoned() {
    std::vector<RecoveryFile> found;
    const QDir folder(Folder());
    for (const QFileInfo& info : folder.entryInfoList({QString("*") + kSuffix}, QDir::Files)) {
        RecoveryFile file;
        file.m_path = info.filePath();
        if (file.ReadHeader() && HasEnded(file.m_pid, file.m_host)) {
            found.push_back(file);
        }
    }
    std::sort(found.begin(), found.end(), [](const RecoveryFile& a, const RecoveryFile& b) {
        return a.Written() < b.Written();
    });
    return found;
}

QDateTime RecoveryFile::Written() const { return QFileInfo(m_path).lastModified(); }

bool RecoveryFile::ReadHeader() {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.readLine(kLongestHeader).trimmed() != kMagic) return false;
    for (;;) {
        const QByteArray line = file.readLine(kLongestHeader);
        if (line.isEmpty()) return false;
        if (line == "\n") return m_pid > 0;
        const QByteArray value = line.mid(line.indexOf(' ') + 1).chopped(1);
        if (line.startsWith("document "))
            m_document = QString::fromUtf8(QByteArray::fromPercentEncoding(value));
        if (line.startsWith("digest ")) m_digest = QString::fromLatin1(value);
        if (line.startsWith("owner ")) {
            const QList<QByteArray> owner = value.split(' ');
            m_pid = owner.value(0).toLongLong();
            m_host = QString::fromUtf8(owner.value(1));
        }
    }
}

bool RecoveryFile::Write(const QString& digest, const std::string& documentBytes,
                         std::string& error) {
    m_digest = digest;
    if (!QDir().mkpath(Folder())) {
        error = "Cannot create the folder \"" + Folder().toStdString() + "\".";
        return false;
    }
    const std::string header = std::string(kMagic) + "\ndocument " +
                               m_document.toUtf8().toPercentEncoding().toStdString() + "\ndigest " +
                               m_digest.toStdString() + "\nowner " + std::to_string(m_pid) + " " +
                               m_host.toStdString() + "\n\n";
    return WriteFileSafely(
        QFile::encodeName(m_path).toStdString(),
        [&](const ByteSink& sink) {
            sink(header.data(), header.size());
            sink(documentBytes.data(), documentBytes.size());
        },
        error);
}

bool RecoveryFile::Read(CBrinnowDoc& doc, std::string& error) const {
    std::string bytes;
    if (!ReadWholeFile(QFile::encodeName(m_path).toStdString(), bytes, error)) return false;
    const std::size_t start = bytes.find("\n\n");
    if (start == std::string::npos) {
        error = "\"" + m_path.toStdString() + "\" is not a recovery copy.";
        return false;
    }
    if (!doc.LoadFromBytes(std::string_view(bytes).substr(start + 2), m_path.toStdString())) {
        error = doc.ErrorMessage();
        return false;
    }
    return true;
}

void RecoveryFile::Remove() const {
    FileSystemCalls::Current().Remove(QFile::encodeName(m_path).toStdString());
}
