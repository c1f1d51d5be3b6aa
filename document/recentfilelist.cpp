#include "document/recentfilelist.h"

#include <QFileInfo>
#include <QSettings>

namespace {
constexpr const char* kRecentGroup = "Recent File List";

QString Key(int index) { return QStringLiteral("File%1").arg(index + 1); }
}  // namespace

RecentFileList::RecentFileList() {
    QSettings settings;
    settings.beginGroup(kRecentGroup);
    for (int i = 0; i < kCount; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty()) m_files.append(path);
    }
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kCount) m_files.removeLast();
    Store();
}

void RecentFileList::Remove(const QString& path) {
    m_files.removeAll(path);
    Store();
}

void RecentFileList::Store() const {
    QSettings settings;
    settings.beginGroup(kRecentGroup);
    settings.remove("");
    for (int i = 0; i < m_files.size(); ++i) settings.setValue(Key(i), m_files.at(i));
}
