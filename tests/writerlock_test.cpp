// One writer at a time: processes racing for a lock, fresh or stale, and
// `game mark` runs racing for one game file, as they race in real use.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <thread>

#include "game/gamefile.h"
#include "game/gamefilelock.h"
#include "game/marknames.h"
#include "platform/documentlock.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"
#include "tests/game/gamefixture.h"
#include "tests/support/clirun.h"
#include "tests/support/lockracers.h"

namespace {

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

TEST(WriterLock, OfProcessesRacingForAFreeOrAStaleLockExactlyOneWins) {
    QTemporaryDir dir;
    const std::string document = dir.filePath("game.json").toStdString();
    const std::string lockPath = DocumentLock::LockPathFor(document);
    std::string error;
    for (int round = 0; round < 12; ++round) {
        if (round % 2 == 1) {
            // Left by a process that crashed.
            ASSERT_TRUE(WriteFileSafely(
                lockPath, std::to_string(EndedProcessId()) + " " + ThisHostName() + "\n", error));
        }
        EXPECT_EQ(LockRacers(document, 6), 1) << "round " << round;
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(lockPath))) << "round " << round;
    }
}

TEST(WriterLock, AHolderIsNamedAndItsLockComesFreeWhenItLetsGoOrEnds) {
    QTemporaryDir dir;
    const std::string document = dir.filePath("game.json").toStdString();
    DocumentLock mine;
    ASSERT_EQ(mine.Acquire(document), DocumentLock::Outcome::Locked);
    EXPECT_EQ(LockRacers(document, 1), 0);
    mine.Release();
    EXPECT_EQ(LockRacers(document, 1), 1);
    // A lock file that is no longer this process's stays when it lets go.
    ASSERT_EQ(mine.Acquire(document), DocumentLock::Outcome::Locked);
    const std::string lockPath = DocumentLock::LockPathFor(document);
    std::string error, left;
    ASSERT_TRUE(WriteFileSafely(lockPath, "1 " + ThisHostName() + "\n", error));
    mine.Release();
    ASSERT_TRUE(ReadWholeFile(lockPath, left, error));
    EXPECT_EQ(left, "1 " + ThisHostName() + "\n");
    ASSERT_TRUE(QFile::remove(QString::fromStdString(lockPath)));
    const auto openDescriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    // One that names no process, or no host, is as stale as one whose process
    // ended, and taking it over keeps nothing of it open.
    const auto beforeStale = openDescriptors();
    for (const std::string& nobody : {"0 " + ThisHostName() + "\n", std::string("42\n")}) {
        ASSERT_TRUE(WriteFileSafely(lockPath, nobody, error));
        EXPECT_EQ(mine.Acquire(document), DocumentLock::Outcome::Locked) << nobody;
        mine.Release();
    }
    EXPECT_EQ(openDescriptors(), beforeStale);

    // A holder killed with its lock file left behind.
    const pid_t holder = ::fork();
    if (holder == 0) {
        DocumentLock lock;
        if (lock.Acquire(document) != DocumentLock::Outcome::Locked) ::_exit(1);
        for (;;) ::pause();
    }
    const QString lockFile = QString::fromStdString(DocumentLock::LockPathFor(document));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(lockFile); }));
    DocumentLock other;
    EXPECT_EQ(other.Acquire(document), DocumentLock::Outcome::HeldElsewhere);
    EXPECT_EQ(other.Holder(), "process " + std::to_string(holder) + " on " + ThisHostName());
    // Asking again and again keeps nothing open.
    const auto before = openDescriptors();
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_EQ(other.Acquire(document), DocumentLock::Outcome::HeldElsewhere);
    EXPECT_EQ(openDescriptors(), before);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(other.Acquire(document), DocumentLock::Outcome::Locked);
}

TEST(WriterLock, ANameTooLongForALockFileBesideItStillGetsOne) {
    QTemporaryDir dir;
    const std::string longName = std::string(250, 'x') + "\xC3\xA9.game.json";
    const std::string document = dir.filePath(QString::fromStdString(longName)).toStdString();
    DocumentLock lock;
    ASSERT_EQ(lock.Acquire(document), DocumentLock::Outcome::Locked);
    const std::string lockPath = DocumentLock::LockPathFor(document);
    const std::string lockName = lockPath.substr(lockPath.rfind('/') + 1);
    EXPECT_LE(lockName.size(), 255u);
    EXPECT_EQ(lockName.substr(0, 201),
              "." + longName.substr(0, 200));  // it still reads as the file's
    EXPECT_EQ(LockRacers(document, 2), 0);
    // A cut that would fall inside a character falls before it.
    std::string accented = "x";
    for (int i = 0; i < 150; ++i) accented += "\xC3\xA9";
    const std::string cut =
        DocumentLock::LockPathFor(dir.filePath(QString::fromStdString(accented)).toStdString());
    const std::string cutName = cut.substr(cut.rfind('/') + 1);
    EXPECT_LE(cutName.size(), 255u);
    EXPECT_EQ(QString::fromUtf8(cutName).toUtf8().toStdString(), cutName);
    EXPECT_EQ(cutName.substr(0, 41), "." + accented.substr(0, 40));
    // Names that differ only past the cut have locks of their own.
    EXPECT_NE(DocumentLock::LockPathFor(document + "2"), DocumentLock::LockPathFor(document + "3"));
}

class GameWriters : public ::testing::Test {
  protected:
    void SetUp() override {
        CBrinnowDoc doc = GameCampaign();
        ASSERT_TRUE(doc.OnSaveDocument(m_dir.filePath("c.brn").toStdString()));
    }
    QProcess* Mark(const QString& place) {
        auto* process = new QProcess;
        process->start(BRINNOW_CLI,
                       {"game", "mark", GamePath(), "--force", "1", "--ship", "Bravo", place});
        return process;
    }
    void StartGame() {
        QFile::remove(GamePath());
        const CliResult started =
            RunCli({"game", "new", m_dir.filePath("c.brn"), "Skirmish", "-o", GamePath()});
        ASSERT_EQ(started.exitCode, 0) << started.err;
    }
    QString GamePath() const { return m_dir.filePath("g.game.json"); }

    QTemporaryDir m_dir;
};

TEST_F(GameWriters, EveryMarkThatAConcurrentGameMarkReportsDoneIsInTheFile) {
    for (int round = 0; round < 3; ++round) {
        StartGame();
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int box = 1; box <= 8; ++box) runs.emplace_back(Mark("box" + QString::number(box)));
        std::set<std::string> reported;
        for (int box = 1; box <= 8; ++box) {
            QProcess& run = *runs[std::size_t(box - 1)];
            ASSERT_TRUE(run.waitForFinished(60000));
            if (run.exitCode() == 0) reported.insert("box" + std::to_string(box));
        }
        Game game;
        std::string error;
        ASSERT_TRUE(ReadGameFile(GamePath().toStdString(), game, error)) << error;
        ASSERT_EQ(game.Ships().size(), 1u);
        for (const std::string& box : reported) {
            EXPECT_TRUE(game.Ships()[0].marks.Has(*MarkFromToken(box)))
                << box << ", round " << round;
        }
        EXPECT_EQ(reported.size(), 8u) << "round " << round;
    }
}

TEST_F(GameWriters, AGameHeldElsewhereIsRefusedLoudlyNamingTheFileAndItsHolder) {
    StartGame();
    DocumentLock held;
    std::string error;
    ASSERT_TRUE(LockGameFile(GamePath().toStdString(), held, {}, error));
    std::string before, after;
    ASSERT_TRUE(ReadWholeFile(GamePath().toStdString(), before, error));
    std::unique_ptr<QProcess> run(Mark("box1"));
    ASSERT_TRUE(run->waitForFinished(60000));
    EXPECT_EQ(run->exitCode(), 1);
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "\"" + GamePath().toStdString() + "\" is in use by process " +
                            std::to_string(ThisProcessId()) + " on " + ThisHostName(),
                        run->readAllStandardError().toStdString());
    ASSERT_TRUE(ReadWholeFile(GamePath().toStdString(), after, error));
    EXPECT_EQ(after, before);
}

}  // namespace
