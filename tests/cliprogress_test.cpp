// The tool's progress line and Ctrl+C, run as a user runs the tool.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/support/clirun.h"
#include "tests/support/documentgenerator.h"

namespace {

class CliProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        CBrinnowDoc doc;
        GenerateDocument(doc, {3000, 4, 1, 1, 4});
        ASSERT_TRUE(doc.OnSaveDocument(In().toStdString()));
        std::string error;
        ASSERT_TRUE(WriteFileSafely(Out().toStdString(), "the old output", error));
    }
    std::string Err(const QStringList& args) {
        const CliResult result = RunCli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.err;
    }
    QString In() const { return m_dir.filePath("in.brn"); }
    QString Out() const { return m_dir.filePath("out"); }

    QTemporaryDir m_dir;
};

TEST_F(CliProgress, ALineOnStandardErrorOnlyWhenAskedOrATerminal) {
    const std::string shown = Err({"export-csv", In(), Out(), "--progress"});
    EXPECT_EQ(shown.front(), '\r');
    EXPECT_NE(shown.find("  0% Writing ship 0 of 3000"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.rfind('\r')), "\r100% Writing ship 3000 of 3000\n");
    // Rewritten in place, each line covering the text of the last, and only
    // at the start and end of each stage in a run this short (reading, then
    // writing).
    std::size_t lines = 0, lastText = 0;
    for (std::size_t at = 0; at != std::string::npos; at = shown.find('\r', at + 1), ++lines) {
        const std::string line =
            shown.substr(at, std::min(shown.find('\r', at + 1), shown.find('\n', at)) - at);
        EXPECT_GE(line.size(), lastText) << shown;
        lastText = line.find_last_not_of(' ') + 1;
    }
    EXPECT_LE(lines, 10u) << shown;
    // Standard error is a pipe here, not a terminal.
    EXPECT_EQ(Err({"export-csv", In(), Out()}), "");
    EXPECT_EQ(Err({"export-csv", "--quiet", In(), Out(), "--progress"}), "");
}

// Ctrl+C, a kill and a closed terminal each stop the work at its next step:
// the output stays as it was, no temporary file is left, and the status is
// the one a shell gives a process the signal ended.
TEST_F(CliProgress, StopSignalsLeaveTheOutputAsItWasWithTheShellsStatus) {
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
        QProcess process;
        process.setReadChannel(QProcess::StandardError);
        process.start(BRINNOW_CLI, {"print", "ships", In(), "-o", Out(), "--progress"});
        // The first line says the pages have started.
        ASSERT_TRUE(process.waitForReadyRead(60000));
        ::kill(pid_t(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "signal " << signal;
        EXPECT_EQ(process.exitCode(), status);
        std::string bytes, error;
        ASSERT_TRUE(ReadWholeFile(Out().toStdString(), bytes, error));
        EXPECT_EQ(bytes, "the old output") << "signal " << signal;
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    }
}

}  // namespace
