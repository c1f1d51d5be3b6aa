#include "tests/support/failingfilesystem.h"

const char* FailingFileSystem::Name(Call call) {
    static const char* const kNames[] = {"create", "write", "sync", "close", "rename"};
    return kNames[std::size_t(call)];
}

FailingFileSystem::FailingFileSystem(Call call, int nth, int error)
    : m_call(call), m_nth(nth), m_error(error), m_previous(FileSystemCalls::Replace(this)) {}

FailingFileSystem::~FailingFileSystem() { FileSystemCalls::Replace(m_previous); }

bool FailingFileSystem::FailsNow(Call call) {
    const int count = ++m_counts[std::size_t(call)];
    if (call != m_call || count != m_nth) return false;
    errno = m_error;
    return true;
}

int FailingFileSystem::CreateNew(const std::string& path) {
    return FailsNow(Call::Create) ? -1 : FileSystemCalls::CreateNew(path);
}

int FailingFileSystem::OpenStream(const std::string& path) {
    return FailsNow(Call::Create) ? -1 : FileSystemCalls::OpenStream(path);
}

ssize_t FailingFileSystem::Write(int fd, const char* data, std::size_t size) {
    return FailsNow(Call::Write) ? -1 : FileSystemCalls::Write(fd, data, size);
}

int FailingFileSystem::Sync(int fd) {
    return FailsNow(Call::Sync) ? -1 : FileSystemCalls::Sync(fd);
}

int FailingFileSystem::Close(int fd) {
    // The descriptor is closed all the same, as close(2) does on an error.
    const int result = FileSystemCalls::Close(fd);
    return FailsNow(Call::Close) ? -1 : result;
}

int FailingFileSystem::Rename(const std::string& from, const std::string& to) {
    return FailsNow(Call::Rename) ? -1 : FileSystemCalls::Rename(from, to);
}

int FailingFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
    return FailsNow(Call::Rename) ? -1 : FileSystemCalls::RenameNoReplace(from, to);
}

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

std::map<std::string, std::string> FolderContents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        contents[entry.path().filename().string()] = bytes.str();
    }
    return contents;
}

void ExpectEveryWriteFailureCaught(const std::string& folder,
                                   const std::function<bool(std::string& error)>& write,
                                   bool everyCall) {
    const auto before = FolderContents(folder);
    std::vector<int> counts;
    {
        FailingFileSystem counting(FailingFileSystem::Call::Create, 0);
        std::string error;
        ASSERT_TRUE(write(error)) << error;
        for (const auto call : FailingFileSystem::kAllCalls) counts.push_back(counting.Count(call));
    }
    for (const auto call : FailingFileSystem::kAllCalls) {
        const int calls = counts[std::size_t(call)];
        ASSERT_GT(calls, 0) << FailingFileSystem::Name(call) << " is never called";
        std::vector<int> nths = {1, calls};
        if (everyCall) {
            nths.clear();
            for (int nth = 1; nth <= calls; ++nth) nths.push_back(nth);
        }
        for (const int nth : nths) {
            std::filesystem::remove_all(folder);
            std::filesystem::create_directories(folder);
            for (const auto& [name, bytes] : before) {
                std::ofstream(std::filesystem::path(folder) / name, std::ios::binary) << bytes;
            }
            std::string error;
            {
                const FailingFileSystem failing(call, nth);
                EXPECT_FALSE(write(error)) << FailingFileSystem::Name(call) << " " << nth;
            }
            EXPECT_NE(error.find("No space left on device"), std::string::npos)
                << FailingFileSystem::Name(call) << " " << nth << ": " << error;
            EXPECT_EQ(FolderContents(folder), before)
                << FailingFileSystem::Name(call) << " " << nth;
        }
    }
}
