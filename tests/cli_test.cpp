#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/game/gamefixture.h"
#include "tests/support/clirun.h"
#include "tests/support/documentgenerator.h"

namespace {

class Cli : public ::testing::Test {
  protected:
    CliResult Cmd(const QStringList& args, const QString& output = {}) {
        return RunCli(args, output);
    }
    // Whether the tool exited with exitCode, saying says on its error output;
    // its exit code and error output when not.
    ::testing::AssertionResult Says(const QStringList& args, int exitCode,
                                    const std::string& says) {
        const CliResult result = Cmd(args);
        if (result.exitCode == exitCode && result.err.find(says) != std::string::npos)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "exit " << result.exitCode << ": " << result.err;
    }
    ::testing::AssertionResult Succeeds(const QStringList& args) { return Says(args, 0, ""); }
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

// The help, the version and a wrong command; a full device behind the
// standard output is a failure, not a silent success.
TEST_F(Cli, HelpVersionAnOutputThatCannotBeWrittenAndTheDrawingHalf) {
    const CliResult help = Cmd({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("export-html"), std::string::npos);
    // The same version as the printed header and the About box.
    const CliResult version = Cmd({"--version"});
    EXPECT_EQ(version.out, "brinnow-cli " BRINNOW_VERSION "\n");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(Says({"frobnicate"}, 2, "unknown command"));
    WriteGenerated("gen.brn");
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"--version"}, QStringList{"info", Path("gen.brn")}}) {
        const CliResult full = Cmd(args, "/dev/full");
        EXPECT_EQ(full.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "No space left on device", full.err);
    }
    // Document commands start without Qt; drawing ones hand over to the
    // drawing half, which takes over the same command line and reports as the tool.
    QProcess ldd;
    ldd.start("ldd", {BRINNOW_CLI});
    ASSERT_TRUE(ldd.waitForFinished(60000));
    const QString libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libc.so")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6")) << libraries.toStdString();
    const CliResult missing = Cmd({"card", Path("missing.brn"), "Lion", "-o", Path("x.png")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.rfind("brinnow-cli: Cannot open", 0), 0u) << missing.err;
    // A drawing command given nothing more is its own usage error.
    EXPECT_TRUE(Says({"card"}, 2, "brinnow-cli: usage: brinnow-cli card FILE"));
}

// A damaged or impossibly large input is reported and writes nothing; check
// says by its exit code whether there are findings.
TEST_F(Cli, NewInfoSaveAsCheckAndTheInputsTheyRefuse) {
    ASSERT_EQ(Cmd({"new", Path("new.brn")}).exitCode, 0);
    EXPECT_EQ(Bytes("new.brn"), CBrinnowDoc().SaveToBytes());
    EXPECT_EQ(Cmd({"info", Path("new.brn")}).out,
              "nations 10\narmaments 21\ntorpedoes 2\nships 0\nsquadrons 0\nscenarios 0\n");
    WriteGenerated("gen.brn");
    ASSERT_EQ(Cmd({"save-as", Path("gen.brn"), Path("copy.brn")}).exitCode, 0);
    EXPECT_EQ(Bytes("copy.brn"), Bytes("gen.brn"));

    std::string error, bytes = Bytes("gen.brn");
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteFileSafely(Path("half.brn").toStdString(), bytes, error));
    EXPECT_TRUE(Says({"save-as", Path("half.brn"), Path("out.brn")}, 1,
                     "half.brn\" is not a valid Brinnow document: at byte"));
    EXPECT_FALSE(QFileInfo::exists(Path("out.brn")));
    QFile sparse(Path("huge.brn"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(qint64(1) << 40));  // a terabyte of holes
    sparse.close();
    EXPECT_TRUE(Says({"info", Path("huge.brn")}, 1, "larger than this computer's memory"));

    const CliResult clean = Cmd({"check", Path("new.brn")});
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
    // No force for a squadron's finding.
    EXPECT_EQ(findings[1].toObject(),
              (QJsonObject{{"kind", "missing-ship"},
                           {"type", "squadron"},
                           {"index", 1},
                           {"record", QString::fromUtf8("Flotte d'\xC3\x89lite")},
                           {"problem", "member \"Ghost\\nShip\" names no ship"}}));

    const CliResult full = Cmd({"check", Path("broken.brn")}, "/dev/full");  // no answer
    EXPECT_EQ(full.exitCode, 3);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "standard output", full.err);
    EXPECT_TRUE(Says({"check", Path("nowhere.brn")}, 2, "nowhere.brn"));
    EXPECT_EQ(Cmd({"check"}).exitCode, 2);
    EXPECT_EQ(Cmd({"check", "--yaml", Path("new.brn")}).exitCode, 2);
}

// Cards, forms and lists drawn or exported to files and the standard output.
TEST_F(Cli, CardsPdfsExportsAndGames) {
    WriteGenerated("gen.brn");
    ASSERT_TRUE(Succeeds({"card", Path("gen.brn"), "Ship 3", "-o", Path("c.png")}));
    EXPECT_EQ(QImage(Path("c.png")).size(), QSize(259, 129));
    ASSERT_TRUE(Succeeds(
        {"card", Path("gen.brn"), "Ship 3", "-o", Path("big.png"), "--scale", "23", "--blank"}));
    EXPECT_EQ(QImage(Path("big.png")).size(), QSize(1012, 506));
    EXPECT_TRUE(Says({"card", Path("gen.brn"), "Nobody", "-o", Path("n.png")}, 1,
                     "no ship named \"Nobody\""));
    EXPECT_FALSE(QFileInfo::exists(Path("n.png")));

    ASSERT_TRUE(Succeeds({"print", "blank", "-o", Path("blank.pdf")}));
    EXPECT_EQ(Bytes("blank.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(Cmd({"print", "blank", "-o", Path("x.pdf"), "--paper", "A9"}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(Path("x.pdf")));
    ASSERT_TRUE(Succeeds({"print", "ships", Path("gen.brn"), "-o", Path("ships.pdf"), "--paper",
                          "Letter", "--dpi", "300"}));
    EXPECT_EQ(Bytes("ships.pdf").substr(0, 5), "%PDF-");
    EXPECT_NE(Bytes("ships.pdf").find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos);
    EXPECT_NE(Bytes("blank.pdf").find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);

    const CliResult streamed = Cmd({"export-text", Path("gen.brn"), "-"});
    EXPECT_EQ(streamed.exitCode, 0) << streamed.err;
    EXPECT_EQ(streamed.out.substr(0, 6), "Name, ");
    // A page cannot stream: its images need a folder.
    EXPECT_EQ(Cmd({"export-html", Path("gen.brn"), "Scenario 1", "-"}).exitCode, 1);
    EXPECT_TRUE(Says({"export-html", Path("gen.brn"), "Jutland", Path("j.htm")}, 1,
                     "no scenario named \"Jutland\""));
    EXPECT_FALSE(QFileInfo::exists(Path("j.htm")));

    // A game started, marked and listed from the command line, then printed and
    // exported from; refusals write nothing.
    CBrinnowDoc doc = GameCampaign();
    doc.m_scenarios.emplace_back().m_strName = "Other";
    ASSERT_TRUE(doc.OnSaveDocument(Path("war.brn").toStdString()));
    const QString game = Path("g.json");
    ASSERT_EQ(Cmd({"game", "new", Path("war.brn"), "Skirmish", "-o", game}).exitCode, 0);
    EXPECT_EQ(Cmd({"game", "show", game}).out, "");
    EXPECT_TRUE(Succeeds({"game", "mark", game, "--force", "2", "--ship", "Alpha", "sunk", "af2",
                          "fire-control", "box18"}));
    EXPECT_TRUE(Succeeds({"game", "mark", game, "--force", "1", "--ship", "Charlie", "--turn", "3",
                          "rudder", "aa", "aa"}));
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
    for (const auto& refusal : refusals)
        EXPECT_TRUE(
            Says(QStringList{"game", "mark", game} + refusal.args, refusal.exitCode, refusal.says));
    EXPECT_EQ(Bytes("g.json"), kept);
    EXPECT_EQ(Cmd({"game", "new", Path("war.brn"), "Skirmish", "-o", game}).exitCode, 1);
    EXPECT_EQ(Bytes("g.json"), kept);
    EXPECT_EQ(Cmd({"game", "new", Path("war.brn"), "Nope", "-o", Path("n.json")}).exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(Path("n.json")));

    // The second Alpha is marked: the first keeps the image they shared.
    EXPECT_TRUE(Succeeds(
        {"print", "scenario", Path("war.brn"), "Skirmish", "--game", game, "-o", Path("s.pdf")}));
    EXPECT_EQ(Bytes("s.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(
        Says({"print", "scenario", Path("war.brn"), "Other", "--game", game, "-o", Path("o.pdf")},
             1, "is played from the scenario \"Skirmish\""));
    EXPECT_FALSE(QFileInfo::exists(Path("o.pdf")));
    EXPECT_EQ(
        Cmd({"print", "ships", Path("war.brn"), "--game", game, "-o", Path("p.pdf")}).exitCode, 2);
    QDir().mkpath(Path("plain"));
    QDir().mkpath(Path("marked"));
    ASSERT_TRUE(Succeeds({"export-html", Path("war.brn"), "Skirmish", Path("plain/s.htm")}));
    ASSERT_TRUE(Succeeds(
        {"export-html", Path("war.brn"), "Skirmish", Path("marked/s.htm"), "--game", game}));
    EXPECT_EQ(QDir(Path("marked")).entryList({"*.gif"}).size(),
              QDir(Path("plain")).entryList({"*.gif"}).size() + 1);
}

// Ships from CSV: the export comes back without a change; a dry run tells
// what would change and writes nothing; a refused file changes nothing;
// -o writes elsewhere, and without it the campaign itself is replaced.
TEST_F(Cli, ImportCsvMergesShipsByNameAndWritesOnlyWhatItIsAsked) {
    WriteGenerated("gen.brn");
    const std::string original = Bytes("gen.brn");
    ASSERT_TRUE(Succeeds({"export-csv", Path("gen.brn"), Path("all.csv")}));
    const CliResult same =
        Cmd({"import-csv", Path("gen.brn"), Path("all.csv"), "-o", Path("same.brn")});
    EXPECT_EQ(same.out, "0 ships added, 0 changed, 12 unchanged\n");
    EXPECT_EQ(Bytes("same.brn"), original);

    std::string error;
    ASSERT_TRUE(WriteFileSafely(Path("ships.csv").toStdString(),
                                "Name;DF\r\nShip 1;29,5\r\nNew One;3\r\n", error));
    const CliResult dry = Cmd({"import-csv", Path("gen.brn"), Path("ships.csv"), "--dry-run"});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(dry.out.substr(0, dry.out.find('\n')),
              "1 ship added, 1 changed, 0 unchanged, 11 not in the file");
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "changed (row 2): Ship 1: DF ", dry.out);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, " -> 29.5\n", dry.out);
    EXPECT_EQ(Bytes("gen.brn"), original);
    EXPECT_FALSE(QFileInfo::exists(Path("gen.brn.tmp")));

    ASSERT_TRUE(WriteFileSafely(Path("bad.csv").toStdString(), "Name,Nmae\nX,1\n", error));
    const CliResult bad =
        Cmd({"import-csv", Path("gen.brn"), Path("bad.csv"), "-o", Path("bad.brn")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "brinnow-cli: \"" + Path("bad.csv").toStdString() +
                           "\" cannot be imported, and nothing was changed:\n"
                           "row 1, column 2: Nmae is not a column of the ships' CSV\n");
    EXPECT_FALSE(QFileInfo::exists(Path("bad.brn")));
    EXPECT_TRUE(Succeeds(
        {"import-csv", Path("gen.brn"), Path("bad.csv"), "--dry-run", "--ignore-unknown-columns"}));

    ASSERT_TRUE(
        Succeeds({"import-csv", Path("gen.brn"), Path("ships.csv"), "-o", Path("out.brn")}));
    EXPECT_EQ(Bytes("gen.brn"), original);
    CBrinnowDoc merged;
    ASSERT_TRUE(merged.OnOpenDocument(Path("out.brn").toStdString()));
    ASSERT_EQ(merged.m_ships.size(), 13u);
    EXPECT_EQ(merged.m_ships.back().m_strName, "New One");
    EXPECT_EQ(std::find_if(merged.m_ships.begin(), merged.m_ships.end(),
                           [](const VxShip& ship) { return ship.m_strName == "Ship 1"; })
                  ->m_dDF,
              29.5);
    ASSERT_TRUE(Succeeds({"import-csv", Path("gen.brn"), Path("ships.csv")}));
    EXPECT_EQ(Bytes("gen.brn"), Bytes("out.brn"));
}

// A squadron listing its flagship again holds one ship for game mark and
// the game file, an older file's two sets of marks joined; a name that
// matches no ship is said once before a marked print or export.
TEST_F(Cli, GamesHoldAShipNamedTwiceOnceAndTellNamesThatMatchNoShip) {
    CBrinnowDoc doc = GameCampaign();
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_shipNames = {"Alpha", "Zulu", "Zulu"};
    ASSERT_TRUE(doc.OnSaveDocument(Path("war.brn").toStdString()));
    const QString game = Path("g.json");
    ASSERT_EQ(Cmd({"game", "new", Path("war.brn"), "Skirmish", "-o", game}).exitCode, 0);
    // As an older version wrote it: the member Alpha marked on its own.
    std::string text = Bytes("g.json");
    const std::string member =
        R"({"force": 1, "squadron": 1, "role": "member", "position": 1, "name": "Alpha", )"
        R"("marks": ["box2"]})";
    const std::string none = "\"ships\": []";
    text.replace(text.find(none), none.size(), "\"ships\": [" + member + "]");
    std::string error;
    ASSERT_TRUE(WriteFileSafely(game.toStdString(), text, error)) << error;
    ASSERT_EQ(Cmd({"game", "show", game}).out, "1\tAlpha\tbox2\n") << text;

    EXPECT_TRUE(Succeeds({"game", "mark", game, "--force", "1", "--ship", "Alpha", "box1"}));
    EXPECT_EQ(Cmd({"game", "show", game}).out, "1\tAlpha\tbox1 box2\n");
    const std::string told = "brinnow-cli: warning: no ship of the campaign is named \"Zulu\"";
    for (const QStringList& args :
         {QStringList{"print", "scenario", Path("war.brn"), "Skirmish", "--game", game, "-o",
                      Path("s.pdf")},
          QStringList{"export-html", Path("war.brn"), "Skirmish", Path("s.htm"), "--game", game}}) {
        const CliResult result = Cmd(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const std::size_t at = result.err.find(told);
        EXPECT_NE(at, std::string::npos) << result.err;
        EXPECT_EQ(result.err.find(told, at + 1), std::string::npos) << result.err;
    }
    // Without a game the print is as it always was, and says nothing.
    EXPECT_EQ(Cmd({"print", "scenario", Path("war.brn"), "Skirmish", "-o", Path("p.pdf")}).err, "");
}

}  // namespace
