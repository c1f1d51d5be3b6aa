#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// The few operating-system calls through which every file is written. They
// report failure as the system does (-1 and errno). Tests put a version in
// place that fails at a chosen call, to see that each failure is caught.
class FileSystemCalls {
  public:
    virtual ~FileSystemCalls() = default;

    // A new file that did not exist before, for writing only.
    virtual int CreateNew(const std::string& path);
    // A pipe, FIFO or device that already exists, for writing; "-" is the
    // standard output. Does not wait for a FIFO's reader: ENXIO while none.
    virtual int OpenStream(const std::string& path);
    virtual ssize_t Write(int fd, const char* data, std::size_t size);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const std::string& from, const std::string& to);
    // Fails with EEXIST, and moves nothing, when to exists.
    virtual int RenameNoReplace(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);

    // The calls in use; the real ones unless a test replaced them.
    static FileSystemCalls& Current();
    // Puts calls in place (nullptr: the real ones again) and returns the
    // previous ones.
    static FileSystemCalls* Replace(FileSystemCalls* calls);
};
