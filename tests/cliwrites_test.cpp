// The commands run in-process, so that their writes can be made to fail.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/failingfilesystem.h"

namespace {

using Command = int (*)(const std::vector<std::string>&);

class CliCommand : public ::testing::Test {
  protected:
    CliCommand() {
        std::filesystem::create_directories(Out(""));
        CBrinnowDoc doc;
        GenerateDocument(doc, {40, 3, 2, 2, 3, 4});
        doc.OnSaveDocument(In());
    }
    std::string In() const { return m_dir.path().toStdString() + "/in.brn"; }
    std::string Out(const std::string& name) const {
        return m_dir.path().toStdString() + "/out/" + name;
    }
    // Runs a command; its stderr goes to err.
    int Run(Command command, const std::vector<std::string>& args, std::string& err) {
        ::testing::internal::CaptureStderr();
        const int code = command(args);
        err = ::testing::internal::GetCapturedStderr();
        return code;
    }
    void ExpectWriteFailuresCaught(Command command, const std::vector<std::string>& args) {
        ExpectEveryWriteFailureCaught(Out(""), [&](std::string& error) {
            const int code = Run(command, args, error);
            EXPECT_TRUE(code == 0 || code == 1) << code;
            return code == 0;
        });
    }

    QTemporaryDir m_dir;
};

TEST_F(CliCommand, WritesThatFailOrAreRefusedExitNonZeroAndLoadsWarn) {
    ExpectWriteFailuresCaught(CommandNew, {Out("new.brn")});
    ExpectWriteFailuresCaught(CommandSaveAs, {In(), Out("copy.brn")});
    ExpectWriteFailuresCaught(CommandExportText, {In(), Out("ships.txt")});
    ExpectWriteFailuresCaught(CommandCard, {In(), "Ship 3", "-o", Out("card.png")});
    ExpectWriteFailuresCaught(CommandPrint, {"blank", "-o", Out("blank.pdf")});
    ExpectWriteFailuresCaught(CommandPrint, {"ships", In(), "-o", Out("ships.pdf"), "--dpi", "72"});
    ExpectWriteFailuresCaught(CommandExportCsv, {In(), Out("ships.csv")});
    ExpectWriteFailuresCaught(CommandExportJson, {In(), Out("c.json")});
    const std::string csv = m_dir.path().toStdString() + "/ships.csv";
    std::string written;
    ASSERT_TRUE(WriteFileSafely(csv, "Name,DF\nShip 2,7\nNew,1\n", written)) << written;
    ExpectWriteFailuresCaught(CommandImportCsv, {In(), csv, "-o", Out("merged.brn")});
    ExpectWriteFailuresCaught(CommandExportHtml, {In(), "Scenario 1", Out("brief.htm")});
    // Printing the ships of a document without ships writes nothing.
    CBrinnowDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(Out("empty.brn")));
    std::string err;
    EXPECT_EQ(Run(CommandPrint, {"ships", Out("empty.brn"), "-o", Out("e.pdf")}, err), 1);
    EXPECT_EQ(err, "brinnow-cli: The document has no ships to print.\n");
    EXPECT_FALSE(std::filesystem::exists(Out("e.pdf")));
    // Ships named like options.
    doc.m_ships.resize(2);
    doc.m_ships.Modify(0).m_strName = "-dash";
    doc.m_ships.Modify(1).m_strName = "--blank";
    ASSERT_TRUE(doc.OnSaveDocument(Out("dash.brn")));
    EXPECT_EQ(Run(CommandCard, {Out("dash.brn"), "-dash", "-o", Out("a.png")}, err), 2);
    EXPECT_NE(err.find("Unknown option -dash."), std::string::npos) << err;
    EXPECT_EQ(Run(CommandCard, {Out("dash.brn"), "-o", Out("a.png"), "--", "-dash"}, err), 0)
        << err;
    EXPECT_EQ(Run(CommandCard, {"-o", Out("b.png"), "--", Out("dash.brn"), "--blank"}, err), 0)
        << err;
    EXPECT_TRUE(std::filesystem::exists(Out("b.png")));
    EXPECT_EQ(Run(CommandSaveAs, {"--", Out("dash.brn"), Out("-copy.brn")}, err), 0) << err;
    EXPECT_TRUE(std::filesystem::exists(Out("-copy.brn")));
    // A second "--" is a name.
    const CommandLine line({"-o", "x", "--", "--", "-o"}, {"-o"}, {});
    EXPECT_EQ(line.Positional(), (std::vector<std::string>{"--", "-o"}));
    EXPECT_EQ(line.Value("-o"), "x");

    // Every command that loads warns of bytes after the last list.
    std::string bytes, error;
    ASSERT_TRUE(ReadWholeFile(In(), bytes, error));
    ASSERT_TRUE(WriteFileSafely(Out("long.brn"), bytes + "trailing", error));
    const std::string warning =
        "brinnow-cli: warning: \"" + Out("long.brn") + "\" holds 8 bytes after its last scenario.";
    const std::vector<std::pair<Command, std::vector<std::string>>> commands = {
        {CommandInfo, {Out("long.brn")}},
        {CommandSaveAs, {Out("long.brn"), Out("short.brn")}},
        {CommandExportText, {Out("long.brn"), Out("t.txt")}},
        {CommandCard, {Out("long.brn"), "Ship 1", "-o", Out("c.png")}},
        {CommandPrint, {"ships", Out("long.brn"), "-o", Out("s.pdf"), "--dpi", "72"}},
        {CommandExportHtml, {Out("long.brn"), "Scenario 1", Out("s.htm")}},
    };
    for (const auto& [command, args] : commands) {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(Run(command, args, err), 0) << args[0] << err;
        ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(err.rfind(warning, 0), 0u) << err;
    }
}

}  // namespace
