#include "platform/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <thread>

#include "platform/fifowait.h"
#include "platform/filesystemcalls.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kNameAttempts = 100;
constexpr auto kReaderPoll = std::chrono::milliseconds(20);

std::string FolderPrefix(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A short name, whatever the target's length, so that it stays within the
// file system's limit on a name wherever the target does.
std::string TemporaryName(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name = FolderPrefix(path) + ".brinnow-";
    std::uint64_t bits = random();
    for (int i = 0; i < 12; ++i, bits >>= 4) name += kDigits[bits & 15];
    return name + ".tmp";
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

SafeFile::SafeFile(std::string path, Durability durability, Placement placement)
    : m_path(std::move(path)), m_durability(durability), m_placement(placement) {}

SafeFile::~SafeFile() {
    Cancel();
    // A file kept aside by a failed install is nobody's to remove.
    if (m_installed) DropPrevious();
}

bool SafeFile::Fail(const char* what) {
    const int reason = errno;
    if (m_error.empty()) {
        m_error = std::string(what) + " \"" + m_path + "\": " + std::strerror(reason) + ".";
    }
    Cancel();
    return false;
}

bool SafeFile::Refuse(const std::string& reason) {
    m_error = "Cannot write \"" + m_path + "\": " + reason + ".";
    Cancel();
    return false;
}

bool SafeFile::OpenTemporary() {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = TemporaryName(m_target.path);
        m_fd = FileSystemCalls::Current().CreateNew(name);
        if (m_fd >= 0) {
            m_temporary = std::move(name);
            break;
        }
        if (errno != EEXIST) break;
    }
    if (m_fd < 0) return Fail("Cannot create");
    // A replaced file keeps its permissions.
    struct stat existing {};
    if (::stat(m_target.path.c_str(), &existing) == 0) ::fchmod(m_fd, existing.st_mode & 07777);
    return true;
}

bool SafeFile::OpenStream() {
    // A FIFO cannot be opened for writing until a program reads from it:
    // wait a while for one rather than for ever.
    const auto giveUp = std::chrono::steady_clock::now() + FifoWait();
    while ((m_fd = FileSystemCalls::Current().OpenStream(m_target.path)) < 0 && errno == ENXIO &&
           std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(kReaderPoll);
    }
    if (m_fd < 0 && errno == ENXIO)
        return Refuse("no program read from it within " + FifoWaitText());
    if (m_fd < 0) return Fail("Cannot open");
    // Written whole, however long the reader takes.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    return true;
}

bool SafeFile::Open() {
    Cancel();
    m_error.clear();
    m_finished = m_installed = false;
    m_target = WriteTarget::Of(m_path);
    if (m_target.kind == WriteTarget::Kind::Refused) return Refuse(m_target.refusal);
    if (!(Streams() ? OpenStream() : OpenTemporary())) return false;
    m_buffer.reserve(kBufferSize);
    return true;
}

bool SafeFile::WriteAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = FileSystemCalls::Current().Write(m_fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return Fail("Cannot write");
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

bool SafeFile::FlushBuffer() {
    const bool ok = WriteAll(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

bool SafeFile::Write(const char* data, std::size_t size) {
    if (m_fd < 0) return false;
    if (m_buffer.size() + size <= kBufferSize) {
        m_buffer.append(data, size);
        return true;
    }
    return FlushBuffer() && WriteAll(data, size);
}

bool SafeFile::Finish() {
    if (m_finished) return true;
    if (m_fd < 0 || !FlushBuffer()) return false;
    FileSystemCalls& calls = FileSystemCalls::Current();
    // A pipe or device has no disk to wait for.
    if (!Streams() && m_durability == Durability::WaitForDisk && calls.Sync(m_fd) != 0)
        return Fail("Cannot write");
    const int fd = m_fd;
    m_fd = -1;
    // Cancel, through Fail, takes the temporary file away.
    if (calls.Close(fd) != 0) return Fail("Cannot write");
    std::string().swap(m_buffer);
    m_finished = true;
    return true;
}

bool SafeFile::Install(bool keepPrevious) {
    if (!m_finished || m_installed) return false;
    FileSystemCalls& calls = FileSystemCalls::Current();
    const std::string& target = m_target.path;
    if (Streams()) {
        m_installed = true;
        return true;
    }
    if (m_placement == Placement::NeverReplace) {
        if (calls.RenameNoReplace(m_temporary, target) != 0) return Fail("Cannot write");
    } else {
        if (keepPrevious && Exists(target)) {
            const std::string aside = TemporaryName(target);
            if (calls.Rename(target, aside) != 0) return Fail("Cannot write");
            m_previous = aside;
        }
        if (calls.Rename(m_temporary, target) != 0) {
            const int reason = errno;
            if (!m_previous.empty() && calls.Rename(m_previous, target) == 0) m_previous.clear();
            errno = reason;
            return Fail("Cannot write");
        }
    }
    m_temporary.clear();
    m_installed = true;
    return true;
}

void SafeFile::Uninstall() {
    if (!m_installed || Streams()) return;
    FileSystemCalls& calls = FileSystemCalls::Current();
    if (m_previous.empty()) {
        calls.Remove(m_target.path);
    } else {
        calls.Rename(m_previous, m_target.path);
        m_previous.clear();
    }
    m_installed = false;
}

void SafeFile::DropPrevious() {
    if (!m_previous.empty()) FileSystemCalls::Current().Remove(m_previous);
    m_previous.clear();
}

bool SafeFile::Commit() { return Finish() && Install(); }

void SafeFile::Cancel() {
    FileSystemCalls& calls = FileSystemCalls::Current();
    if (m_fd >= 0) calls.Close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) calls.Remove(m_temporary);
    m_temporary.clear();
    m_buffer.clear();
}
