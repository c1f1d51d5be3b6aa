#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "model/brinnowdoc.h"
#include "platform/filestore.h"

namespace {

struct CliResult {
    int exitCode = -1;
    std::string err;
};

VxShip Ship(const char* name, int nation) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nNation = nation;
    return ship;
}

VxSquadron Squadron(const char* name, CStringArray ships) {
    VxSquadron squadron;
    squadron.m_strName = name;
    squadron.m_strFlagship = ships.empty() ? "" : ships.front();
    squadron.m_shipNames = std::move(ships);
    squadron.m_strNotes = "Notes of the squadron.";
    return squadron;
}

class CliPrint : public ::testing::Test {
  protected:
    void SetUp() override {
        CBrinnowDoc doc;
        doc.m_ships = {Ship("Smith, John", 1), Ship("ann", 1), Ship("Bea", 2)};
        doc.m_squadrons = {Squadron("Red", {"ann", "Bea"}),
                           Squadron("Huge", CStringArray(10000, "ann"))};
        doc.m_squadrons.Modify(doc.m_squadrons.size() - 1).m_strNotes = std::string(1 << 20, 'n');
        VxScenario scenario;
        scenario.m_strName = "Bay";
        scenario.m_forces.resize(2);
        scenario.m_forces[0].m_squadrons = {doc.m_squadrons[0]};
        scenario.m_forces[1].m_ships = {doc.m_ships[2]};
        doc.m_scenarios = {scenario};
        ASSERT_TRUE(doc.OnSaveDocument(Path("doc.brn").toStdString()));
    }
    CliResult Cmd(QStringList args) {
        QProcess process;
        process.start(BRINNOW_CLI, args);
        process.waitForFinished(120000);
        return {process.exitCode(), process.readAllStandardError().toStdString()};
    }
    QString Path(const char* name) const { return m_dir.filePath(name); }
    // Pages of a PDF that the tool wrote, or -1 without a file.
    int Pages(const char* name) const {
        std::string bytes, error;
        if (!ReadWholeFile(Path(name).toStdString(), bytes, error)) return -1;
        int pages = 0;
        for (std::size_t at = 0; (at = bytes.find("/Type /Page\n", at)) != std::string::npos; ++at)
            ++pages;
        return pages;
    }
    QTemporaryDir m_dir;
};

TEST_F(CliPrint, ASquadronGoesOnOverAsManyPagesAsItNeedsAndAScenarioHasAPagePerForce) {
    ASSERT_EQ(Cmd({"print", "squadron", Path("doc.brn"), "Red", "-o", Path("red.pdf")}).exitCode,
              0);
    EXPECT_EQ(Pages("red.pdf"), 1);
    // Ten thousand members and a megabyte of notes: every card is printed.
    ASSERT_EQ(
        Cmd({"print", "squadron", Path("doc.brn"), "Huge", "-o", Path("huge.pdf"), "--dpi", "72"})
            .exitCode,
        0);
    EXPECT_GT(Pages("huge.pdf"), 50);
    const CliResult unknown =
        Cmd({"print", "squadron", Path("doc.brn"), "red", "-o", Path("none.pdf")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("no squadron named \"red\""), std::string::npos) << unknown.err;
    EXPECT_FALSE(QFileInfo::exists(Path("none.pdf")));

    // A scenario has a page per force.
    ASSERT_EQ(Cmd({"print", "scenario", Path("doc.brn"), "Bay", "-o", Path("bay.pdf"), "--paper",
                   "Letter", "--dpi", "300"})
                  .exitCode,
              0);
    EXPECT_EQ(Pages("bay.pdf"), 3);
    const CliResult cove =
        Cmd({"print", "scenario", Path("doc.brn"), "Cove", "-o", Path("none.pdf")});
    EXPECT_EQ(cove.exitCode, 1);
    EXPECT_NE(cove.err.find("no scenario named \"Cove\""), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path("none.pdf")));
}

TEST_F(CliPrint, SelectionTakesRepeatedNamesAndSaysWhichMatchNothing) {
    // Nation 1 then nation 2 (two pages), the squadron, the scenario and its
    // two forces.
    const CliResult run = Cmd({"print", "selection", Path("doc.brn"), "--ship", "Smith, John",
                               "--ship", "Bea", "--ship", "ann", "--ship", "ann", "--squadron",
                               "Red", "--scenario", "Bay", "-o", Path("sel.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_EQ(Pages("sel.pdf"), 6);
    // Without the nation the three ships share a row.
    ASSERT_EQ(Cmd({"print", "selection", Path("doc.brn"), "--ship", "Smith, John", "--ship", "Bea",
                   "--sort", "attack", "--no-by-nation", "-o", Path("flat.pdf")})
                  .exitCode,
              0);
    EXPECT_EQ(Pages("flat.pdf"), 1);

    const CliResult missing = Cmd({"print", "selection", Path("doc.brn"), "--ship", "Nobody",
                                   "--scenario", "Cove", "-o", Path("missing.pdf")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_NE(missing.err.find("no ship named \"Nobody\""), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("no scenario named \"Cove\""), std::string::npos) << missing.err;
    EXPECT_EQ(Pages("missing.pdf"), 2);

    ASSERT_EQ(Cmd({"print", "selection", Path("doc.brn"), "-o", Path("empty.pdf")}).exitCode, 0);
    EXPECT_EQ(Pages("empty.pdf"), 1);

    const CliResult badSort =
        Cmd({"print", "selection", Path("doc.brn"), "--sort", "speed", "-o", Path("bad.pdf")});
    EXPECT_EQ(badSort.exitCode, 2);
    EXPECT_NE(badSort.err.find("speed"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path("bad.pdf")));
}

}  // namespace
