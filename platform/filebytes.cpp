#include "platform/filebytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/largepages.h"

namespace {

std::string Sentence(const char* what, const std::string& path, const char* reason) {
    return std::string(what) + " \"" + path + "\": " + reason + ".";
}

std::size_t PhysicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return SIZE_MAX;
    return std::size_t(pages) * std::size_t(pageSize);
}

// Reads until size bytes arrived; false with errno set when they cannot.
bool ReadAll(int fd, char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got == 0) errno = EIO;  // the file shrank while being read
            return false;
        }
        data += got;
        size -= std::size_t(got);
    }
    return true;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

}  // namespace

FileBytes::~FileBytes() { Unmap(); }

void FileBytes::Unmap() {
    UnmapLargePages(m_data, m_size);
    m_data = nullptr;
    m_size = m_released = 0;
}

bool FileBytes::Read(const std::string& path, std::string& error) {
    Unmap();
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        error = Sentence("Cannot open", path, std::strerror(errno));
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = Sentence("Cannot open", path, std::strerror(EISDIR));
        return false;
    }
    if (info.st_size <= 0) return true;
    const auto size = std::size_t(info.st_size);
    // Its records would need as much again: a file larger than the memory
    // (a sparse or mistaken one) is refused before anything is read.
    if (size > PhysicalMemory()) {
        error = Sentence("Cannot read", path, "The file is larger than this computer's memory");
        return false;
    }
    // Fresh pages of our own, so that ReleaseBefore can hand them back; large
    // ones, so that the read costs a page fault per 2 MB rather than per 4 KB.
    m_data = MapLargePages(size);
    if (m_data == nullptr) {
        error = Sentence("Cannot read", path, "Not enough memory");
        return false;
    }
    m_size = size;
    if (!ReadAll(file.Get(), m_data, size)) {
        error = Sentence("Cannot read", path, std::strerror(errno));
        Unmap();
        return false;
    }
    return true;
}

void FileBytes::ReleaseBefore(std::size_t offset) {
    // Whole large pages only: giving back part of one would split it, and
    // the kernel frees the rest of a split page only under memory pressure.
    const std::size_t end = std::min(offset, m_size) / kLargePageBytes * kLargePageBytes;
    if (end <= m_released) return;
    madvise(m_data + m_released, end - m_released, MADV_DONTNEED);
    m_released = end;
}
