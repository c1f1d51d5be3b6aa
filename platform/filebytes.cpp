#include "platform/filebytes.h"

#include "platform/largepages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>

namespace {

std::string Sentence(const char* what, const std::string& path, const QString& reason) {
    return std::string(what) + " \"" + path + "\": " + reason.toStdString() + ".";
}

std::size_t PageSize() { return std::size_t(sysconf(_SC_PAGESIZE)); }

}  // namespace

FileBytes::~FileBytes() { Unmap(); }

void FileBytes::Unmap() {
    UnmapLargePages(m_data, m_size);
    m_data = nullptr;
    m_size = m_released = 0;
}

bool FileBytes::Read(const std::string& path, std::string& error) {
    Unmap();
    QFile file(QString::fromUtf8(path.data(), qsizetype(path.size())));
    // Unbuffered: the read goes straight into our memory, with no copy.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = Sentence("Cannot open", path, file.errorString());
        return false;
    }
    const qint64 size = file.size();
    if (size == 0) return true;
    // Fresh pages of our own, so that ReleaseBefore can hand them back; large
    // ones, so that the read costs a page fault per 2 MB rather than per 4 KB.
    m_data = MapLargePages(std::size_t(size));
    if (m_data == nullptr) {
        error = Sentence("Cannot read", path, QStringLiteral("Not enough memory"));
        return false;
    }
    m_size = std::size_t(size);
    if (file.read(m_data, size) != size) {
        error = Sentence("Cannot read", path, file.errorString());
        Unmap();
        return false;
    }
    return true;
}

void FileBytes::ReleaseBefore(std::size_t offset) {
    const std::size_t page = PageSize();
    const std::size_t end = std::min(offset, m_size) / page * page;
    if (end <= m_released) return;
    madvise(m_data + m_released, end - m_released, MADV_DONTNEED);
    m_released = end;
}
