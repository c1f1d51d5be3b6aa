#include "tests/support/failingfilesystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

const char* FailingFileSystem::Name(Call call) {
    static const char* const kNames[] = {"create", "write", "sync", "close", "rename"};
    return kNames[std::size_t(call)];
}

bool FailingFileSystem::FailsNow(Call call) {
    const int count = ++m_counts[std::size_t(call)];
    if (call != m_call || count != m_nth) return false;
    errno = m_error;
    return true;
}

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
        const char* name = FailingFileSystem::Name(call);
        ASSERT_GT(calls, 0) << name << " is never called";
        for (int nth = 1; nth <= calls; ++nth) {
            if (!everyCall && nth != 1 && nth != calls) continue;  // the first and the last
            std::filesystem::remove_all(folder);
            std::filesystem::create_directories(folder);
            for (const auto& [file, bytes] : before) {
                std::ofstream(std::filesystem::path(folder) / file, std::ios::binary) << bytes;
            }
            std::string error;
            {
                const FailingFileSystem failing(call, nth);
                EXPECT_FALSE(write(error)) << name << " " << nth;
            }
            EXPECT_NE(error.find("No space left on device"), std::string::npos)
                << name << " " << nth << ": " << error;
            EXPECT_EQ(FolderContents(folder), before) << name << " " << nth;
        }
    }
}
