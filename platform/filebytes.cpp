#include "platform/filebytes.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/fifowait.h"
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

// What a pipe, FIFO or device may send before it is taken for a runaway
// (/dev/zero): far more than any campaign or its JSON holds.
constexpr std::size_t kLongestStream = std::size_t(1) << 30;
constexpr std::size_t kStreamChunk = std::size_t(1) << 20;

// Waits for the first bytes (or the end) of a FIFO whose writer may not have
// come yet; false with errno ETIME when none came in time.
bool WaitForWriter(int fd) {
    pollfd watched{fd, POLLIN, 0};
    const auto wait = FifoWait().count();
    int ready;
    while ((ready = ::poll(&watched, 1, int(wait))) < 0 && errno == EINTR) {
    }
    if (ready == 0) errno = ETIME;
    return ready > 0;
}

// Everything a stream sends until it ends.
bool ReadStream(int fd, std::string& bytes, std::string& reason) {
    if (!WaitForWriter(fd)) {
        reason = errno == ETIME ? "no program wrote to it within " + FifoWaitText()
                                : std::strerror(errno);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    for (;;) {
        const std::size_t had = bytes.size();
        if (had > kLongestStream) {
            reason = "It sends more than any campaign holds";
            return false;
        }
        bytes.resize(had + kStreamChunk);
        const ssize_t got = ::read(fd, bytes.data() + had, kStreamChunk);
        bytes.resize(had + std::size_t(std::max<ssize_t>(got, 0)));
        if (got == 0) return true;
        if (got < 0 && errno != EINTR) {
            reason = std::strerror(errno);
            return false;
        }
    }
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

bool FileBytes::Place(std::string_view bytes, const std::string& path, std::string& error) {
    if (bytes.empty()) return true;
    m_data = MapLargePages(bytes.size());
    if (m_data == nullptr) {
        error = Sentence("Cannot read", path, "Not enough memory");
        return false;
    }
    m_size = bytes.size();
    std::memcpy(m_data, bytes.data(), bytes.size());
    return true;
}

bool FileBytes::Read(const std::string& path, std::string& error) {
    Unmap();
    // Not blocking, so that a FIFO with no writer yet opens at once.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        error = Sentence("Cannot open", path, std::strerror(errno));
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = Sentence("Cannot open", path, std::strerror(EISDIR));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        std::string bytes, reason;
        if (!ReadStream(file.Get(), bytes, reason)) {
            error = Sentence("Cannot read", path, reason.c_str());
            return false;
        }
        return Place(bytes, path, error);
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
