// Where a write goes and where a read comes from: pipes, FIFOs and devices
// are streamed, links followed, read-only files and folders refused, and a
// FIFO with nobody at the other end is given up after a while.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <thread>

#include "platform/fifowait.h"
#include "platform/filebytes.h"
#include "platform/filestore.h"
#include "platform/safefilegroup.h"
#include "tests/support/failingfilesystem.h"

namespace {

using namespace std::chrono_literals;

class WriteTargets : public ::testing::Test {
  protected:
    WriteTargets() { SetFifoWait(300ms); }
    ~WriteTargets() override { SetFifoWait(30s); }
    std::string Path(const std::string& name) const {
        return m_dir.path().toStdString() + "/" + name;
    }
    static std::string Read(const std::string& path) {
        std::string bytes, error;
        ReadWholeFile(path, bytes, error);
        return bytes;
    }
    static bool Write(const std::string& path, const std::string& bytes, std::string& error) {
        return WriteFileSafely(path, bytes, error);
    }
    static mode_t Kind(const std::string& path) {
        struct stat info {};
        ::lstat(path.c_str(), &info);
        return info.st_mode & S_IFMT;
    }
    std::string Fifo() const {
        const std::string fifo = Path("fifo");
        ::mkfifo(fifo.c_str(), 0600);
        return fifo;
    }
    // A character device of the memory driver (3 null, 7 full) in the test's
    // own folder: a writer that wrongly replaced it must not replace the
    // system's. Empty where devices cannot be made.
    std::string Device(const char* name, unsigned minor) const {
        const std::string path = Path(name);
        return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0 ? path : "";
    }

    QTemporaryDir m_dir;
};

TEST_F(WriteTargets, LinksAreFollowedEvenToAFileNotThereYetAndDevicesNotReplaced) {
    std::string error;
    std::filesystem::create_directory(Path("real"));
    std::filesystem::create_symlink("real/new.txt", Path("dangling"));
    ASSERT_TRUE(Write(Path("dangling"), "made through the link", error)) << error;
    EXPECT_EQ(Kind(Path("dangling")), S_IFLNK);
    EXPECT_EQ(Read(Path("real/new.txt")), "made through the link");

    std::filesystem::create_symlink("dangling", Path("chain"));
    ASSERT_TRUE(Write(Path("chain"), "replaced", error)) << error;
    EXPECT_EQ(Kind(Path("chain")), S_IFLNK);
    EXPECT_EQ(Kind(Path("dangling")), S_IFLNK);
    EXPECT_EQ(Read(Path("real/new.txt")), "replaced");

    std::filesystem::create_symlink("loop", Path("loop"));
    EXPECT_FALSE(Write(Path("loop"), "x", error));
    EXPECT_EQ(error, "Cannot write \"" + Path("loop") + "\": Too many levels of symbolic links.");

    // Devices are written to, not replaced.
    const std::string null = Device("null", 3);
    const std::string full = Device("full", 7);
    if (null.empty() || full.empty()) GTEST_SKIP() << "devices cannot be made here";
    EXPECT_TRUE(Write(null, "gone", error)) << error;
    EXPECT_EQ(Kind(null), S_IFCHR);
    EXPECT_FALSE(Write(full, "never", error));
    EXPECT_EQ(error, "Cannot write \"" + full + "\": No space left on device.");
    EXPECT_EQ(Kind(full), S_IFCHR);
}

TEST_F(WriteTargets, ReadOnlyTargetsAreRefusedReplacedFilesKeepTheirModeAndDescriptorZeroServes) {
    std::string error;
    ASSERT_TRUE(Write(Path("kept.txt"), "the user's", error));
    ::chmod(Path("kept.txt").c_str(), 0444);
    EXPECT_FALSE(Write(Path("kept.txt"), "over it", error));
    EXPECT_EQ(error, "Cannot write \"" + Path("kept.txt") + "\": the file is read-only.");
    EXPECT_EQ(Read(Path("kept.txt")), "the user's");
    EXPECT_FALSE(SafeFile(Path("kept.txt")).Open());
    EXPECT_FALSE(Write(m_dir.path().toStdString(), "x", error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_EQ(FolderContents(m_dir.path().toStdString()).size(), 1u);

    // A replaced file keeps its permissions.
    ASSERT_TRUE(Write(Path("shared.txt"), "first", error));
    ::chmod(Path("shared.txt").c_str(), 0751);
    ASSERT_TRUE(Write(Path("shared.txt"), "second", error)) << error;
    struct stat info {};
    ::stat(Path("shared.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0751u);

    // Started with its standard input closed, as a scheduled job may be, a
    // writer's file takes descriptor 0: it is written all the same, and a
    // cancel closes it all the same.
    const int input = ::dup(STDIN_FILENO);
    ::close(STDIN_FILENO);
    const bool written = Write(Path("new.txt"), "on descriptor 0", error);
    bool closed = false;
    {
        SafeFile file(Path("out.txt"));
        if (file.Open()) {
            file.Cancel();
            closed = ::fcntl(STDIN_FILENO, F_GETFD) == -1;
        }
    }
    ::dup2(input, STDIN_FILENO);
    ::close(input);
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(Read(Path("new.txt")), "on descriptor 0");
    EXPECT_TRUE(closed);
    EXPECT_FALSE(std::filesystem::exists(Path("out.txt")));
}

// A FIFO is written through, and given up with nobody at the other end;
// pipes and FIFOs are read to their end.
TEST_F(WriteTargets, AFifoIsWrittenToNotReplacedAndGivenUpWithNobodyAtTheOtherEnd) {
    const std::string fifo = Fifo();
    std::string error, received;
    std::thread reader([&] { received = Read(fifo); });
    EXPECT_TRUE(Write(fifo, "through the fifo", error)) << error;
    reader.join();
    EXPECT_EQ(received, "through the fifo");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Write(fifo, "nobody reads", error));
    EXPECT_EQ(error,
              "Cannot write \"" + fifo + "\": no program read from it within 300 milliseconds.");
    FileBytes bytes;
    EXPECT_FALSE(bytes.Read(fifo, error));
    EXPECT_EQ(error,
              "Cannot read \"" + fifo + "\": no program wrote to it within 300 milliseconds.");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(Kind(fifo), S_IFIFO);

    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const std::string sent(100000, 'p');
    std::thread writer([&] {
        ::write(pipeEnds[1], sent.data(), sent.size());
        ::close(pipeEnds[1]);
    });
    EXPECT_EQ(Read("/dev/fd/" + std::to_string(pipeEnds[0])), sent);
    writer.join();
    ::close(pipeEnds[0]);

    SetFifoWait(5s);
    std::thread lateWriter([&] {
        std::this_thread::sleep_for(200ms);
        std::string error;
        Write(fifo, "came late", error);
    });
    EXPECT_EQ(Read(fifo), "came late");
    lateWriter.join();
}

// A file that gives fewer bytes than its size, as a kernel's status files do
// and a file cut short while read would, is refused as an input/output error.
TEST(FileReads, AFileShorterThanItsSizeIsAnInputOutputError) {
    const std::string path = "/sys/kernel/profiling";
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || info.st_size <= 1 || ::access(path.c_str(), R_OK) != 0)
        GTEST_SKIP() << path << " cannot show it here";
    std::string bytes, error;
    EXPECT_FALSE(ReadWholeFile(path, bytes, error));
    EXPECT_EQ(error, "Cannot read \"" + path + "\": Input/output error.");
}

// A page and its pictures: all of them or none.
TEST_F(WriteTargets, AGroupOfFilesAppearsWholeOrNotAtAll) {
    std::string error;
    ASSERT_TRUE(Write(Path("old.gif"), "an earlier picture", error));
    ASSERT_TRUE(Write(Path("page.htm"), "the old page", error));
    const auto write = [this](std::string& failure) {
        SafeFileGroup group;
        group.Add(Path("old.gif"), SafeFile::Durability::NoWait, SafeFile::Placement::Replace)
            .Write("a new picture");
        group.Add(Path("new.gif"), SafeFile::Durability::NoWait, SafeFile::Placement::NeverReplace)
            .Write(std::string(100000, 'n'));
        group.Add(Path("page.htm"), SafeFile::Durability::WaitForDisk, SafeFile::Placement::Replace)
            .Write("the new page");
        return group.Commit(failure);
    };
    ExpectEveryWriteFailureCaught(m_dir.path().toStdString(), write, true);
    ASSERT_TRUE(write(error)) << error;
    EXPECT_EQ(Read(Path("page.htm")), "the new page");
    EXPECT_EQ(Read(Path("old.gif")), "a new picture");

    // A name taken meanwhile is left to its file, and nothing else moves.
    std::filesystem::remove(Path("new.gif"));
    ASSERT_TRUE(Write(Path("new.gif"), "the user's own", error));
    const auto before = FolderContents(m_dir.path().toStdString());
    EXPECT_FALSE(write(error));
    EXPECT_EQ(error, "Cannot write \"" + Path("new.gif") + "\": File exists.");
    EXPECT_EQ(FolderContents(m_dir.path().toStdString()), before);
}

}  // namespace
