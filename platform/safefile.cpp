#include "platform/safefile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/filesystemcalls.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kNameAttempts = 100;

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

// Where a write to path really goes: a symbolic link is followed, so that
// the link stays and the file it names gets the new content.
std::string ResolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

}  // namespace

SafeFile::SafeFile(std::string path, Durability durability, Placement placement)
    : m_path(std::move(path)), m_durability(durability), m_placement(placement) {}

SafeFile::~SafeFile() { Cancel(); }

bool SafeFile::Fail(const char* what) {
    const int reason = errno;
    if (m_error.empty()) {
        m_error = std::string(what) + " \"" + m_path + "\": " + std::strerror(reason) + ".";
    }
    Cancel();
    return false;
}

std::string SafeFile::OpenTemporary() {
    const std::string target = ResolvedTarget(m_path);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = TemporaryName(target);
        m_fd = FileSystemCalls::Current().CreateNew(name);
        if (m_fd >= 0) return name;
        if (errno != EEXIST) break;
    }
    return {};
}

bool SafeFile::OpenInPlace() {
    const std::string target = ResolvedTarget(m_path);
    m_fd = FileSystemCalls::Current().CreateNew(target);
    if (m_fd < 0) return false;
    m_temporary = target;
    m_renameOnCommit = false;
    m_replacedExisting = false;
    return true;
}

bool SafeFile::Open() {
    m_error.clear();
    m_buffer.clear();
    m_renameOnCommit = true;
    if (m_placement == Placement::InPlaceWhenNew) {
        if (OpenInPlace()) return true;
        if (errno != EEXIST) return Fail("Cannot create");
    }
    m_temporary = OpenTemporary();
    if (m_fd < 0) return Fail("Cannot create");
    struct stat existing {};
    m_replacedExisting = ::stat(m_path.c_str(), &existing) == 0;
    // A replaced file keeps its permissions.
    if (m_replacedExisting) ::fchmod(m_fd, existing.st_mode & 07777);
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

bool SafeFile::Commit() {
    if (m_fd < 0 || !FlushBuffer()) return false;
    FileSystemCalls& calls = FileSystemCalls::Current();
    if (m_durability == Durability::WaitForDisk && calls.Sync(m_fd) != 0)
        return Fail("Cannot write");
    const int fd = m_fd;
    m_fd = -1;
    // Cancel, through Fail, takes the temporary file away.
    if (calls.Close(fd) != 0) return Fail("Cannot write");
    if (m_renameOnCommit && calls.Rename(m_temporary, ResolvedTarget(m_path)) != 0)
        return Fail("Cannot write");
    m_temporary.clear();
    return true;
}

void SafeFile::Cancel() {
    FileSystemCalls& calls = FileSystemCalls::Current();
    if (m_fd >= 0) calls.Close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) calls.Remove(m_temporary);
    m_temporary.clear();
    m_buffer.clear();
}
