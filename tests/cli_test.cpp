#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/game/gamefixture.h"
#include "tests/support/documentgenerator.h"

namespace {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
  protected:
    // Runs the tool, its standard output into output when one is named.
    CliResult Cmd(const QStringList& args, const QString& output = {}) {
        QProcess process;
        if (!output.isEmpty()) process.setStandardOutputFile(output);
        process.start(BRINNOW_CLI, args);
        process.waitForFinished(60000);
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    QString Path(const char* name) const { return m_dir.filePath(name); }
    std::string Bytes(const char* name) {
        std::string bytes, error;
        ReadWholeFile(Path(name).toStdString(), bytes, error);
        return bytes;
    }
    void WriteGenerated(const char* name) {
        CBrinnowDoc doc;
        GenerateDocument(doc, {12, 3, 2, 2, 3, 4});
        ASSERT_TRUE(doc.OnSaveDocument(Path(name).toStdString()));
    }
    QTemporaryDir m_dir;
};

// A full device behind the standard output is a failure, not a silent
// success.
TEST_F(Cli, OutputThatCannotBeWrittenFails) {
    WriteGenerated("gen.brn");
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"--version"}, QStringList{"info", Path("gen.brn")}}) {
        const CliResult full = Cmd(args, "/dev/full");
        EXPECT_EQ(full.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
    }
}

// The standard output, devices, pipes in and out, links and read-only files
// as the tool meets them.
TEST_F(Cli, OddTargetsAreStreamedFollowedOrRefused) {
    WriteGenerated("gen.brn");
    const CliResult streamed = Cmd({"export-text", Path("gen.brn"), "-"});
    EXPECT_EQ(streamed.exitCode, 0) << streamed.err;
    EXPECT_EQ(streamed.out.substr(0, 6), "Name, ");
    EXPECT_EQ(Cmd({"export-html", Path("gen.brn"), "Scenario 1", "-"}).exitCode, 1);
    // A device of the test's own, so that a wrong replace could not reach the system's.
    if (::mknod(QFile::encodeName(Path("null")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(Cmd({"export-csv", Path("gen.brn"), Path("null")}).exitCode, 0);
        EXPECT_FALSE(QFileInfo(Path("null")).isFile());
    }

    ASSERT_TRUE(QFile::link("later/ships.txt", Path("link.txt")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("later"));
    EXPECT_EQ(Cmd({"export-text", Path("gen.brn"), Path("link.txt")}).exitCode, 0);
    EXPECT_TRUE(QFileInfo(Path("link.txt")).isSymLink());
    EXPECT_EQ(Bytes("later/ships.txt").substr(0, 6), "Name, ");

    ASSERT_TRUE(QFile::setPermissions(Path("later/ships.txt"), QFile::ReadOwner));
    const CliResult readOnly = Cmd({"export-json", Path("gen.brn"), Path("link.txt")});
    EXPECT_EQ(readOnly.exitCode, 1);
    EXPECT_NE(readOnly.err.find("is read-only"), std::string::npos) << readOnly.err;
    EXPECT_EQ(Bytes("later/ships.txt").substr(0, 6), "Name, ");

    QProcess piped;
    piped.start(BRINNOW_CLI, {"info", "/dev/stdin"});
    piped.write(QByteArray::fromStdString(Bytes("gen.brn")));
    piped.closeWriteChannel();
    ASSERT_TRUE(piped.waitForFinished(60000));
    EXPECT_EQ(piped.exitCode(), 0);
    EXPECT_NE(piped.readAllStandardOutput().indexOf("ships 12\n"), -1);
}

TEST_F(Cli, HelpAndVersion) {
    const CliResult help = Cmd({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("export-html"), std::string::npos);
    // The same version as the printed header and the About box.
    EXPECT_EQ(Cmd({"--version"}).out, "brinnow-cli " BRINNOW_VERSION "\n");
    EXPECT_STREQ(BRINNOW_VERSION, "1.0");
    const CliResult unknown = Cmd({"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
}

TEST_F(Cli, DocumentCommandsStartWithoutQtAndDrawingOnesHandOver) {
    QProcess ldd;
    ldd.start("ldd", {BRINNOW_CLI});
    ASSERT_TRUE(ldd.waitForFinished(60000));
    const QString libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libc.so")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6")) << libraries.toStdString();
    // The drawing half takes over the same command line and reports as the tool.
    const CliResult missing = Cmd({"card", Path("missing.brn"), "Lion", "-o", Path("x.png")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.rfind("brinnow-cli: Cannot open", 0), 0u) << missing.err;
}

TEST_F(Cli, NewInfoAndSaveAs) {
    ASSERT_EQ(Cmd({"new", Path("new.brn")}).exitCode, 0);
    EXPECT_EQ(Bytes("new.brn"), CBrinnowDoc().SaveToBytes());
    EXPECT_EQ(Cmd({"info", Path("new.brn")}).out,
              "nations 10\narmaments 21\ntorpedoes 2\nships 0\nsquadrons 0\nscenarios 0\n");
    WriteGenerated("gen.brn");
    ASSERT_EQ(Cmd({"save-as", Path("gen.brn"), Path("copy.brn")}).exitCode, 0);
    EXPECT_EQ(Bytes("copy.brn"), Bytes("gen.brn"));
}

TEST_F(Cli, CheckSaysByItsExitCodeWhetherThereAreFindings) {
    ASSERT_EQ(Cmd({"new", Path("clean.brn")}).exitCode, 0);
    const CliResult clean = Cmd({"check", Path("clean.brn")});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "");

    CBrinnowDoc doc;
    VxSquadron squadron;
    squadron.m_strName = "Flotte d'\xC9lite";
    squadron.m_shipNames = {"Ghost\nShip"};  // one finding stays one line
    doc.m_squadrons = {squadron, squadron};
    ASSERT_TRUE(doc.OnSaveDocument(Path("broken.brn").toStdString()));
    const std::string line =
        "missing-ship: squadron \"Flotte d'\xC3\x89lite\": member \"Ghost\\nShip\" names no ship\n";
    const CliResult found = Cmd({"check", Path("broken.brn")});
    EXPECT_EQ(found.exitCode, 1);
    EXPECT_EQ(found.out, line + line);

    const CliResult json = Cmd({"check", "--json", Path("broken.brn")});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonArray findings =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(findings.size(), 2);
    const QJsonObject second = findings[1].toObject();
    EXPECT_EQ(second["kind"].toString(), "missing-ship");
    EXPECT_EQ(second["type"].toString(), "squadron");
    EXPECT_EQ(second["index"].toInt(), 1);
    EXPECT_FALSE(second.contains("force"));
    EXPECT_EQ(second["record"].toString(), QString::fromUtf8("Flotte d'\xC3\x89lite"));
    EXPECT_EQ(second["problem"].toString(), "member \"Ghost\\nShip\" names no ship");

    const CliResult full = Cmd({"check", Path("broken.brn")}, "/dev/full");  // no answer
    EXPECT_EQ(full.exitCode, 2);
    EXPECT_NE(full.err.find("standard output"), std::string::npos) << full.err;

    const CliResult missing = Cmd({"check", Path("nowhere.brn")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("nowhere.brn"), std::string::npos) << missing.err;
    EXPECT_EQ(Cmd({"check"}).exitCode, 2);
    EXPECT_EQ(Cmd({"check", "--yaml", Path("clean.brn")}).exitCode, 2);
}

TEST_F(Cli, AFileLargerThanMemoryIsRefusedBeforeItIsRead) {
    QFile sparse(Path("huge.brn"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(qint64(1) << 40));  // a terabyte of holes
    sparse.close();
    const CliResult result = Cmd({"info", Path("huge.brn")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("larger than this computer's memory"), std::string::npos)
        << result.err;
}

TEST_F(Cli, DamagedInputIsReportedAndWritesNothing) {
    WriteGenerated("gen.brn");
    std::string bytes = Bytes("gen.brn");
    bytes.resize(bytes.size() / 2);
    std::string error;
    ASSERT_TRUE(WriteFileSafely(Path("half.brn").toStdString(), bytes, error));
    const CliResult run = Cmd({"save-as", Path("half.brn"), Path("out.brn")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("half.brn\" is not a valid Brinnow document: at byte"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(QFileInfo::exists(Path("out.brn")));
    EXPECT_EQ(Cmd({"export-text", Path("half.brn"), Path("out.txt")}).exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(Path("out.txt")));
}

TEST_F(Cli, CardImagesAndBlankForm) {
    WriteGenerated("gen.brn");
    ASSERT_EQ(Cmd({"card", Path("gen.brn"), "Ship 3", "-o", Path("c.png")}).exitCode, 0);
    EXPECT_EQ(QImage(Path("c.png")).size(), QSize(259, 129));
    ASSERT_EQ(
        Cmd({"card", Path("gen.brn"), "Ship 3", "-o", Path("big.png"), "--scale", "23", "--blank"})
            .exitCode,
        0);
    EXPECT_EQ(QImage(Path("big.png")).size(), QSize(1012, 506));
    const CliResult unknown = Cmd({"card", Path("gen.brn"), "Nobody", "-o", Path("n.png")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("no ship named \"Nobody\""), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path("n.png")));

    ASSERT_EQ(Cmd({"print", "blank", "-o", Path("blank.pdf")}).exitCode, 0);
    EXPECT_EQ(Bytes("blank.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(Cmd({"print", "blank", "-o", Path("x.pdf"), "--paper", "A9"}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(Path("x.pdf")));
}

TEST_F(Cli, ShipsPdfAndExports) {
    WriteGenerated("gen.brn");
    ASSERT_EQ(Cmd({"print", "ships", Path("gen.brn"), "-o", Path("ships.pdf"), "--paper", "Letter",
                   "--dpi", "300"})
                  .exitCode,
              0);
    EXPECT_EQ(Bytes("ships.pdf").substr(0, 5), "%PDF-");

    ASSERT_EQ(Cmd({"export-text", Path("gen.brn"), Path("ships.txt")}).exitCode, 0);
    EXPECT_EQ(Bytes("ships.txt").substr(0, 6), "Name, ");

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("web"));
    ASSERT_EQ(Cmd({"export-html", Path("gen.brn"), "Scenario 1", Path("web/s.htm")}).exitCode, 0);
    // Every image the page names was written, and nothing else was.
    const std::string page = Bytes("web/s.htm");
    QStringList named;
    const QRegularExpression src("SRC=\"?([^\">]+\\.gif)",
                                 QRegularExpression::CaseInsensitiveOption);
    for (const auto& match : src.globalMatch(QString::fromStdString(page))) {
        if (!named.contains(match.captured(1))) named << match.captured(1);
    }
    ASSERT_FALSE(named.isEmpty());
    QStringList written = QDir(Path("web")).entryList(QStringList{"*.gif"});
    named.sort();
    written.sort();
    EXPECT_EQ(written, named);
    const CliResult unknown = Cmd({"export-html", Path("gen.brn"), "Jutland", Path("j.htm")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("no scenario named \"Jutland\""), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path("j.htm")));
}

// A game started, marked and listed from the command line, then printed and
// exported from; refusals write nothing.
TEST_F(Cli, GameNewMarkShowPrintAndExport) {
    CBrinnowDoc doc = GameCampaign();
    VxScenario other;
    other.m_strName = "Other";
    doc.m_scenarios.push_back(other);
    ASSERT_TRUE(doc.OnSaveDocument(Path("war.brn").toStdString()));
    const QString game = Path("g.json");
    ASSERT_EQ(Cmd({"game", "new", Path("war.brn"), "Skirmish", "-o", game}).exitCode, 0);
    EXPECT_EQ(Cmd({"game", "show", game}).out, "");
    EXPECT_EQ(Cmd({"game", "mark", game, "--force", "2", "--ship", "Alpha", "sunk", "af2",
                   "fire-control", "box18"})
                  .exitCode,
              0);
    EXPECT_EQ(Cmd({"game", "mark", game, "--force", "1", "--ship", "Charlie", "--turn", "3",
                   "rudder", "aa", "aa"})
                  .exitCode,
              0);
    EXPECT_EQ(Cmd({"game", "show", game}).out,
              "1\tCharlie\trudder\n2\tAlpha\tfire-control af2 box18 sunk\n");
    const std::string kept = Bytes("g.json");
    const struct {
        QStringList args;
        int exitCode;
        const char* says;
    } refusals[] = {
        {{"--force", "1", "--ship", "Alpha", "box19"}, 2, "A place is one of"},
        {{"--force", "3", "--ship", "Alpha", "aa"}, 1, "has 2 forces"},
        {{"--force", "0", "--ship", "Alpha", "aa"}, 1, "has 2 forces"},
        {{"--force", "2", "--ship", "Bravo", "aa"}, 1, "Force 2 has no ship named \"Bravo\""},
        {{"--force", "1", "--ship", "Alpha", "--turn", "0", "aa"}, 2, "turn"},
        {{"--force", "1", "--ship", "Alpha"}, 2, "usage"},
    };
    for (const auto& refusal : refusals) {
        const CliResult result = Cmd(QStringList{"game", "mark", game} + refusal.args);
        EXPECT_EQ(result.exitCode, refusal.exitCode) << result.err;
        EXPECT_NE(result.err.find(refusal.says), std::string::npos) << result.err;
    }
    EXPECT_EQ(Bytes("g.json"), kept);
    const CliResult again = Cmd({"game", "new", Path("war.brn"), "Skirmish", "-o", game});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(Bytes("g.json"), kept);
    EXPECT_EQ(Cmd({"game", "new", Path("war.brn"), "Nope", "-o", Path("n.json")}).exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(Path("n.json")));

    // The second Alpha is marked: the first keeps the image they shared.
    EXPECT_EQ(
        Cmd({"print", "scenario", Path("war.brn"), "Skirmish", "--game", game, "-o", Path("s.pdf")})
            .exitCode,
        0);
    EXPECT_TRUE(QFileInfo::exists(Path("s.pdf")));
    const CliResult wrong =
        Cmd({"print", "scenario", Path("war.brn"), "Other", "--game", game, "-o", Path("o.pdf")});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("is played from the scenario \"Skirmish\""), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path("o.pdf")));
    EXPECT_EQ(
        Cmd({"print", "ships", Path("war.brn"), "--game", game, "-o", Path("p.pdf")}).exitCode, 2);
    QDir().mkpath(Path("plain"));
    QDir().mkpath(Path("marked"));
    ASSERT_EQ(Cmd({"export-html", Path("war.brn"), "Skirmish", Path("plain/s.htm")}).exitCode, 0);
    ASSERT_EQ(
        Cmd({"export-html", Path("war.brn"), "Skirmish", Path("marked/s.htm"), "--game", game})
            .exitCode,
        0);
    EXPECT_EQ(QDir(Path("marked")).entryList({"*.gif"}).size(),
              QDir(Path("plain")).entryList({"*.gif"}).size() + 1);
}

}  // namespace
