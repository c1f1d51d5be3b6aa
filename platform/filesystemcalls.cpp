#include "platform/filesystemcalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

FileSystemCalls& RealCalls() {
    static FileSystemCalls calls;
    return calls;
}

FileSystemCalls* g_current = nullptr;

}  // namespace

int FileSystemCalls::CreateNew(const std::string& path) {
    // 0666 so that the user's umask decides, as for any new file.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int FileSystemCalls::OpenStream(const std::string& path) {
    if (path == "-") return ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    return ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
}

ssize_t FileSystemCalls::Write(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}

int FileSystemCalls::Sync(int fd) { return ::fsync(fd); }

int FileSystemCalls::Close(int fd) { return ::close(fd); }

int FileSystemCalls::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}

int FileSystemCalls::RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without the flag (NFS, some FUSE): a hard link never
    // replaces; one without hard links either gets a look first.
    if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str());
    if (errno != EPERM && errno != ENOTSUP) return -1;
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        errno = EEXIST;
        return -1;
    }
    return Rename(from, to);
}

int FileSystemCalls::Remove(const std::string& path) { return ::unlink(path.c_str()); }

FileSystemCalls& FileSystemCalls::Current() { return g_current ? *g_current : RealCalls(); }

FileSystemCalls* FileSystemCalls::Replace(FileSystemCalls* calls) {
    FileSystemCalls* previous = g_current;
    g_current = calls;
    return previous;
}
