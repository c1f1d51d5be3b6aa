// What the tool says about games and pages that cannot be what they claim:
// hostile names shown harmless, files named, special files refused at once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "game/gamefile.h"
#include "tests/game/gamefixture.h"
#include "tests/support/clirun.h"

namespace {

class CliRefusals : public ::testing::Test {
  protected:
    void SetUp() override { SaveCampaign(GameCampaign(), "c.brn"); }
    void SaveCampaign(CBrinnowDoc doc, const char* name) {
        ASSERT_TRUE(doc.OnSaveDocument(Path(name).toStdString()));
    }
    // A game of the scenario with Bravo's place marked under name.
    void WriteGame(const CString& name, const std::string& campaign = "c.brn") {
        Game game;
        game.campaign = campaign;
        game.scenario = "Skirmish";
        game.Apply(
            {GameAction::Kind::Toggle, {0, 0, ShipRole::Member, 0}, name, CardMark::Box1, {}, {}});
        std::string error;
        ASSERT_TRUE(WriteGameFile(game, Path("g.json").toStdString(), error)) << error;
    }
    QString Path(const char* name) const { return m_dir.filePath(name); }
    std::string PathOf(const char* name) const { return Path(name).toStdString(); }
    CliResult PrintWithGame() {
        return RunCli({"print", "scenario", Path("c.brn"), "Skirmish", "--game", Path("g.json"),
                       "-o", Path("s.pdf")});
    }
    CliResult MarkBravo() {
        return RunCli({"game", "mark", Path("g.json"), "--force", "1", "--ship", "Bravo", "aa"});
    }

    QTemporaryDir m_dir;
};

TEST_F(CliRefusals, NamesFromAGameAreListedEscapedWholeAndWarnedOfEscapedAndCut) {
    CBrinnowDoc doc = GameCampaign();
    const std::string hostile = "Br\tavo\n\x1B[31m\\";
    doc.m_ships.Modify(1).m_strName = hostile;
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_shipNames[0] = hostile;
    SaveCampaign(doc, "c.brn");
    WriteGame(hostile);
    // One line a ship, its fields apart: tab, line end, escape and
    // backslash written so that the name can be told back exactly.
    const CliResult shown = RunCli({"game", "show", Path("g.json")});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, "1\tBr\\tavo\\n\\x1B[31m\\\\\tbox1\n");

    // A name of five million characters that the scenario no longer holds.
    SaveCampaign(GameCampaign(), "c.brn");
    WriteGame("\x1B]0;owned\x07" + std::string(5000000, 'x'));
    const CliResult printed = PrintWithGame();
    EXPECT_EQ(printed.exitCode, 0) << printed.err.substr(0, 400);
    EXPECT_LT(printed.err.size(), 400u);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "force 1, \\x1B]0;owned\\x07xxx", printed.err);
    EXPECT_EQ(printed.err.find('\x1B'), std::string::npos);
}

TEST_F(CliRefusals, AGamesCampaignIsARegularFileWithItsScenarioAndBothFilesAreNamed) {
    WriteGame("Bravo", "/dev/zero");
    const CliResult zero = MarkBravo();
    EXPECT_EQ(zero.exitCode, 1);
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "names \"/dev/zero\" as its campaign, which is not a campaign "
                        "document but a device, pipe or other special file.",
                        zero.err);

    CBrinnowDoc other = GameCampaign();
    other.m_scenarios.Modify(0).m_strName = "Elsewhere";
    SaveCampaign(other, "other.brn");
    WriteGame("Bravo", "other.brn");
    const CliResult lost = MarkBravo();
    EXPECT_EQ(lost.exitCode, 1);
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "The campaign \"" + PathOf("other.brn") +
                            "\" has no scenario named \"Skirmish\", which the game \"" +
                            PathOf("g.json") + "\" is played from.",
                        lost.err);

    // Drawn on another campaign than its own: said, and drawn.
    const CliResult printed = PrintWithGame();
    EXPECT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "warning: the game \"" + PathOf("g.json") +
                            "\" was played from the campaign \"" + PathOf("other.brn") +
                            "\", not \"" + PathOf("c.brn") + "\"",
                        printed.err);
    WriteGame("Bravo");
    EXPECT_EQ(PrintWithGame().err, "");
}

TEST_F(CliRefusals, APageNamedAsOneOfItsCardImagesIsRefusedAndTheFolderLeftAlone) {
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const CliResult run = RunCli({"export-html", Path("c.brn"), "Skirmish", Path("bravo.GIF")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "Cannot write the page as \"" + PathOf("bravo.GIF") +
                            "\": one of its card images has that name.",
                        run.err);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(RunCli({"export-html", Path("c.brn"), "Skirmish", Path("Zulu.gif")}).exitCode, 0);
}

}  // namespace
