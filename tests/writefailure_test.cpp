// Every writer of the program, with each of its file-system calls failing in
// turn: the failure is reported and the old file stays as it was.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "export/htmlexport.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "platform/safefile.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/failingfilesystem.h"

namespace {

class WriteFailure : public ::testing::Test {
  protected:
    WriteFailure() {
        std::filesystem::create_directories(Folder());
        std::string error;
        WriteFileSafely(Target(), "the old content", error);
    }
    std::string Folder() const { return m_dir.path().toStdString() + "/out"; }
    std::string Target() const { return Folder() + "/target"; }

    QTemporaryDir m_dir;
};

TEST_F(WriteFailure, WritingWithoutWaitingForTheDiskLeavesOutOnlyTheSync) {
    // Everything but the sync, which this kind of write leaves out.
    const auto write = [this](const std::string& bytes, std::string& error) {
        SafeFile file(Target(), SafeFile::Durability::NoWait);
        const bool written = file.Open() && file.Write(bytes) && file.Commit();
        error = file.Error();
        return written;
    };
    const FailingFileSystem counting(FailingFileSystem::Call::Create, 0);
    std::string error;
    ASSERT_TRUE(write("new", error));
    EXPECT_EQ(counting.Count(FailingFileSystem::Call::Sync), 0);
    // The message names the file and the system's reason.
    using Call = FailingFileSystem::Call;
    for (const auto& [call, verb] : {std::pair{Call::Create, "Cannot create"},
                                     {Call::Write, "Cannot write"},
                                     {Call::Close, "Cannot write"},
                                     {Call::Rename, "Cannot write"}}) {
        const FailingFileSystem failing(call, 1, EROFS);
        EXPECT_FALSE(write("newer", error));
        EXPECT_EQ(error, verb + (" \"" + Target() + "\": Read-only file system."));
    }
    // Nothing of the failed writes is left. (A file that must not replace
    // another is failed call by call in WriteTargets.AGroupOfFilesAppearsWholeOrNotAtAll.)
    EXPECT_EQ(FolderContents(Folder()), (std::map<std::string, std::string>{{"target", "new"}}));
}

// An interrupted write is tried again; a write that takes nothing, whatever
// errno still says from before, is a full disk rather than a reason to spin.
TEST_F(WriteFailure, ShortInterruptedOrFailedWritesAreContinuedOrReported) {
    struct InterruptedThenStuck : FileSystemCalls {
        int calls = 0;
        ssize_t Write(int fd, const char* data, std::size_t size) override {
            if (++calls == 1) {
                errno = EINTR;
                return -1;
            }
            if (calls == 2) return 0;  // errno still says EINTR
            return FileSystemCalls::Write(fd, data, size);
        }
    } stuck;
    FileSystemCalls* previous = FileSystemCalls::Replace(&stuck);
    std::string error;
    EXPECT_FALSE(WriteFileSafely(Target(), "new", error));
    FileSystemCalls::Replace(previous);
    EXPECT_EQ(stuck.calls, 2);
    EXPECT_EQ(error, "Cannot write \"" + Target() + "\": No space left on device.");

    // Short writes are continued.
    struct ShortWrites : FileSystemCalls {
        ssize_t Write(int fd, const char* data, std::size_t size) override {
            return FileSystemCalls::Write(fd, data, std::min<std::size_t>(size, 7));
        }
    } shortWrites;
    previous = FileSystemCalls::Replace(&shortWrites);
    const std::string bytes(100000, 'y');
    EXPECT_TRUE(WriteFileSafely(Target(), bytes, error)) << error;
    FileSystemCalls::Replace(previous);
    EXPECT_EQ(FolderContents(Folder()).at("target"), bytes);

    // The bytes wait in a temporary file beside the target, and a file opened
    // again after a failure carries nothing of it.
    SafeFile file(Target());
    {
        const FailingFileSystem failing(FailingFileSystem::Call::Create, 1);
        EXPECT_FALSE(file.Open());
    }
    EXPECT_TRUE(file.Failed());
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.Error(), "");
    EXPECT_EQ(FolderContents(Folder()).size(), 2u);
    ASSERT_TRUE(file.Write("new") && file.Commit()) << file.Error();
    EXPECT_EQ(FolderContents(Folder()), (std::map<std::string, std::string>{{"target", "new"}}));
}

TEST_F(WriteFailure, DocumentSaveKeepsTheModifiedFlagAndNameAndHtmlExportItsFiles) {
    CBrinnowDoc doc;
    GenerateDocument(doc, {300, 10, 2, 2, 4});
    ExpectEveryWriteFailureCaught(Folder(), [&](std::string& error) {
        doc.SetModifiedFlag(TRUE);
        const std::string nameBefore = doc.GetPathName();
        const bool saved = doc.OnSaveDocument(Target());
        error = doc.ErrorMessage();
        if (!saved) {
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ(doc.GetPathName(), nameBefore);
        }
        return saved;
    });

    // The page and its images, beside a file of the user's that has a ship's
    // name and the images of an earlier export of the page: a failure anywhere
    // leaves every file as it was.
    GenerateDocument(doc, {3, 0, 0});
    VxScenario scenario;
    scenario.m_strNotes = std::string(100000, 'n');
    scenario.m_forces.emplace_back().m_ships = doc.m_ships;
    std::string error;
    ASSERT_TRUE(ExportScenarioHtml(doc, scenario, Target(), error)) << error;
    VxShip& newcomer = scenario.m_forces[0].m_ships.emplace_back(doc.m_ships[0]);
    newcomer.m_strName = "Newcomer";
    ASSERT_TRUE(WriteFileSafely(Folder() + "/Newcomer.gif", "mine", error));
    for (VxShip& ship : scenario.m_forces[0].m_ships) ship.m_dDF += 1;
    ExpectEveryWriteFailureCaught(
        Folder(),
        [&](std::string& failure) { return ExportScenarioHtml(doc, scenario, Target(), failure); },
        true);
}

}  // namespace
