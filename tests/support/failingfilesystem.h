#pragma once

#include <cerrno>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/filesystemcalls.h"

// Real file-system calls, except that one chosen call fails with a chosen
// error; installed for its lifetime. Counts every call, so that a test can
// fail each one in turn.
class FailingFileSystem : public FileSystemCalls {
  public:
    enum class Call { Create, Write, Sync, Close, Rename };
    static constexpr Call kAllCalls[] = {Call::Create, Call::Write, Call::Sync, Call::Close,
                                         Call::Rename};
    static const char* Name(Call call);

    // Fails the nth call (from 1) of that kind; 0 fails none.
    FailingFileSystem(Call call, int nth, int error = ENOSPC)
        : m_call(call), m_nth(nth), m_error(error), m_previous(FileSystemCalls::Replace(this)) {}
    ~FailingFileSystem() override { FileSystemCalls::Replace(m_previous); }

    // Opening a stream counts as creating, moving without replacing as
    // renaming.
    int CreateNew(const std::string& path) override {
        return FailsNow(Call::Create) ? -1 : FileSystemCalls::CreateNew(path);
    }
    int OpenStream(const std::string& path) override {
        return FailsNow(Call::Create) ? -1 : FileSystemCalls::OpenStream(path);
    }
    ssize_t Write(int fd, const char* data, std::size_t size) override {
        return FailsNow(Call::Write) ? -1 : FileSystemCalls::Write(fd, data, size);
    }
    int Sync(int fd) override { return FailsNow(Call::Sync) ? -1 : FileSystemCalls::Sync(fd); }
    int Close(int fd) override {
        // The descriptor is closed all the same, as close(2) does on an error.
        const int result = FileSystemCalls::Close(fd);
        return FailsNow(Call::Close) ? -1 : result;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return FailsNow(Call::Rename) ? -1 : FileSystemCalls::Rename(from, to);
    }
    int RenameNoReplace(const std::string& from, const std::string& to) override {
        return FailsNow(Call::Rename) ? -1 : FileSystemCalls::RenameNoReplace(from, to);
    }

    // How many calls of that kind were made.
    int Count(Call call) const { return m_counts[std::size_t(call)]; }

  private:
    bool FailsNow(Call call);

    Call m_call;
    int m_nth;
    int m_error;
    std::vector<int> m_counts = std::vector<int>(5, 0);
    FileSystemCalls* m_previous;
};

// Every file in a folder with its bytes.
std::map<std::string, std::string> FolderContents(const std::string& folder);

// Runs write (a writer of some file in folder; true when it says it
// succeeded, otherwise with error set) once without failures, to count its
// calls, then again failing each kind of call at its first and its last
// time (at every time when everyCall). Every failed run must say so with the
// system's reason and leave the folder exactly as it was, with no temporary
// file behind.
void ExpectEveryWriteFailureCaught(const std::string& folder,
                                   const std::function<bool(std::string& error)>& write,
                                   bool everyCall = false);
