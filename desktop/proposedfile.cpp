#include "desktop/proposedfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Characters that some file system refuses in a name.
bool RefusedInFileNames(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(c);
}

// Dots and blanks that would hide a name or that some file system drops.
bool TrimmedFromFileNames(QChar c) { return c == u'.' || c.isSpace(); }

// A job's name as a file name: refused characters become "_", leading and
// trailing dots and blanks go, and the name stays well inside 255 bytes of
// UTF-8.
QString FileNameFor(const QString& documentName) {
    constexpr qsizetype kLongest = 80;
    QString name = documentName.left(kLongest);
    if (name.size() == kLongest && name.back().isHighSurrogate()) name.chop(1);
    for (QChar& c : name) {
        if (RefusedInFileNames(c)) c = u'_';
    }
    while (!name.isEmpty() && TrimmedFromFileNames(name.front())) name.remove(0, 1);
    while (!name.isEmpty() && TrimmedFromFileNames(name.back())) name.chop(1);
    return name.isEmpty() ? QStringLiteral("Untitled") : name;
}

// The document's folder, else the user's documents, else home: the first of
// them that exists, so that taking the proposal as it stands can succeed.
QString FolderFor(const std::string& documentPath) {
    if (!documentPath.empty()) {
        const QString folder = QFileInfo(QFile::decodeName(documentPath.c_str())).absolutePath();
        if (QFileInfo(folder).isDir()) return folder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

QString ProposedFile(const QString& name, const std::string& documentPath, const QString& suffix) {
    return QDir(FolderFor(documentPath)).filePath(FileNameFor(name) + "." + suffix);
}
