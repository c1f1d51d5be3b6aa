#include "platform/filestore.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/filebytes.h"

namespace {

QString QPath(const std::string& path) {
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

std::string Sentence(const char* what, const std::string& path, const QString& reason) {
    return std::string(what) + " \"" + path + "\": " + reason.toStdString() + ".";
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    FileBytes file;
    if (!file.Read(path, error)) return false;
    bytes.assign(file.View());
    return true;
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& error) {
    return WriteFileSafely(
        path, [bytes](const ByteSink& sink) { sink(bytes.data(), bytes.size()); }, error);
}

bool WriteFileSafely(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                     std::string& error) {
    QSaveFile file(QPath(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = Sentence("Cannot create", path, file.errorString());
        return false;
    }
    bool written = true;
    produce([&](const char* data, std::size_t size) {
        written = written && file.write(data, qint64(size)) == qint64(size);
    });
    if (!written || !file.commit()) {
        error = Sentence("Cannot write", path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    const QString target = QPath(path);
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        error = Sentence("Cannot create", path, file.errorString());
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        error = Sentence("Cannot write", path, file.errorString());
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    file.close();
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        error = Sentence("Cannot write", path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
