#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/support/clirun.h"

namespace {

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
                           Squadron("Huge", CStringArray(1000, "ann"))};
        doc.m_squadrons.Modify(doc.m_squadrons.size() - 1).m_strNotes = std::string(1 << 20, 'n');
        VxScenario scenario;
        scenario.m_strName = "Bay";
        scenario.m_forces.resize(2);
        scenario.m_forces[0].m_squadrons = {doc.m_squadrons[0]};
        scenario.m_forces[1].m_ships = {doc.m_ships[2]};
        doc.m_scenarios = {scenario};
        ASSERT_TRUE(doc.OnSaveDocument(Path("doc.brn").toStdString()));
    }
    QString Path(const char* name) const { return m_dir.filePath(name); }
    // Prints into output, which it must do without failing; the pages
    // written, with the error output in err.
    int Printed(const char* output, QStringList args) {
        const CliResult result = RunCli(args << "-o" << Path(output));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        err = result.err;
        return Pages(output);
    }
    void ExpectRefused(QStringList args, int exitCode, const std::string& says) {
        const CliResult result = RunCli(args << "-o" << Path("none.pdf"));
        EXPECT_EQ(result.exitCode, exitCode);
        EXPECT_PRED_FORMAT2(testing::IsSubstring, says, result.err);
        EXPECT_FALSE(QFileInfo::exists(Path("none.pdf")));
    }
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
    std::string err;
};

TEST_F(CliPrint, SquadronsScenariosAndSelectionsWithRepeatedAndMissingNames) {
    EXPECT_EQ(Printed("red.pdf", {"print", "squadron", Path("doc.brn"), "Red"}), 1);
    // A thousand members and a megabyte of notes: every card is printed.
    EXPECT_GT(Printed("huge.pdf", {"print", "squadron", Path("doc.brn"), "Huge", "--dpi", "72"}),
              50);
    ExpectRefused({"print", "squadron", Path("doc.brn"), "red"}, 1, "no squadron named \"red\"");
    EXPECT_EQ(Printed("bay.pdf", {"print", "scenario", Path("doc.brn"), "Bay", "--paper", "Letter",
                                  "--dpi", "300"}),
              3);
    ExpectRefused({"print", "scenario", Path("doc.brn"), "Cove"}, 1, "no scenario named \"Cove\"");

    // A selection takes repeated names and says which match nothing.
    // Nation 1 then nation 2 (two pages), the squadron, the scenario and its
    // two forces.
    EXPECT_EQ(Printed("sel.pdf", {"print", "selection", Path("doc.brn"), "--ship", "Smith, John",
                                  "--ship", "Bea", "--ship", "ann", "--ship", "ann", "--squadron",
                                  "Red", "--scenario", "Bay"}),
              6);
    EXPECT_TRUE(err.empty()) << err;
    // Without the nation the three ships share a row.
    EXPECT_EQ(Printed("flat.pdf", {"print", "selection", Path("doc.brn"), "--ship", "Smith, John",
                                   "--ship", "Bea", "--sort", "attack", "--no-by-nation"}),
              1);
    EXPECT_EQ(Printed("missing.pdf", {"print", "selection", Path("doc.brn"), "--ship", "Nobody",
                                      "--scenario", "Cove"}),
              2);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "no ship named \"Nobody\"", err);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "no scenario named \"Cove\"", err);
    EXPECT_EQ(Printed("empty.pdf", {"print", "selection", Path("doc.brn")}), 1);
    ExpectRefused({"print", "selection", Path("doc.brn"), "--sort", "speed"}, 2, "speed");
}

}  // namespace
