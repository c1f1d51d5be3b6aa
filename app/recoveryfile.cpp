#include "app/recoveryfile.h"

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

}  // namespace

QString RecoveryFile::Folder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) state = QDir::homePath() + "/.local/state";
    return state + "/brinnow/recovery";
}

RecoveryFile RecoveryFile::ForDocument(const QString& document) {
    RecoveryFile file;
    const QString name = document.isEmpty() ? "Untitled" : QFileInfo(document).fileName();
    file.m_path = Folder() + "/" + name + "." + RunName() + kSuffix;
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
