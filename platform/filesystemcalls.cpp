#include "platform/filesystemcalls.h"

#include <fcntl.h>
#include <unistd.h>

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

ssize_t FileSystemCalls::Write(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}

int FileSystemCalls::Sync(int fd) { return ::fsync(fd); }

int FileSystemCalls::Close(int fd) { return ::close(fd); }

int FileSystemCalls::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}

int FileSystemCalls::Remove(const std::string& path) { return ::unlink(path.c_str()); }

FileSystemCalls& FileSystemCalls::Current() { return g_current ? *g_current : RealCalls(); }

FileSystemCalls* FileSystemCalls::Replace(FileSystemCalls* calls) {
    FileSystemCalls* previous = g_current;
    g_current = calls;
    return previous;
}
