#pragma once

#include <QStringList>

// The files opened or saved last, the latest first, as absolute paths, kept
// in the user's settings so that every window starts with them.
class RecentFileList {
  public:
    static constexpr int kCount = 4;

    // Reads the list the settings hold.
    RecentFileList();

    const QStringList& List() const { return m_files; }
    // The file goes to the top, once, and the oldest past the count go; the
    // settings keep the list.
    void Add(const QString& path);
    // A file that could not be opened leaves the list.
    void Remove(const QString& path);

  private:
    void Store() const;

    QStringList m_files;
};
