#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <set>

#include "export/htmlexport.h"
#include "export/imagenames.h"
#include "export/uniqueimagenames.h"
#include "model/brinnowdoc.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "tests/support/failingfilesystem.h"

namespace {

class Html : public ::testing::Test {
  protected:
    Html() : html(doc.m_ships, doc.m_armaments, Folder()) {
        doc.m_ships.resize(2);
        doc.m_ships.Modify(0).m_strName = "Harrow";
        doc.m_ships.Modify(1).m_strName = "Kent";
        twoShips.m_forces.emplace_back().m_ships = doc.m_ships;
    }
    std::string Folder() { return m_dir.path().toStdString(); }
    std::vector<std::string> FilesInFolder() {
        std::vector<std::string> names;
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            names.push_back(name.toStdString());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Tag(const std::string& name) {
        return "<IMG SRC=\"" + name + ".gif\" ALT=\"" + name + "\">";
    }

    std::string Path(const char* name) { return m_dir.filePath(name).toStdString(); }
    // Exports the scenario to the named page in the folder; the page's bytes.
    std::string Export(const VxScenario& scenario, const char* name) {
        std::string page;
        EXPECT_TRUE(ExportScenarioHtml(doc, scenario, Path(name), error)) << error;
        EXPECT_TRUE(ReadWholeFile(Path(name), page, error)) << error;
        return page;
    }

    QTemporaryDir m_dir;
    CBrinnowDoc doc;
    HtmlExport html;
    VxScenario twoShips;  // one force of both ships
    std::string error;
};

TEST_F(Html, ForcesWithAndWithoutShipsOrSquadronsAndTheScenarioSectionAndPage) {
    VxForce squadronsOnly;
    squadronsOnly.m_strName = "Blue";
    squadronsOnly.m_squadrons.resize(1);
    squadronsOnly.m_squadrons[0].m_strFlagship = "Kent";
    squadronsOnly.m_strNotes = "not exported";
    EXPECT_EQ(squadronsOnly.HtmlSection(html),
              "<H2>Blue</H2>\n" + squadronsOnly.m_squadrons[0].HtmlSection(html) + "\n<HR>");

    VxForce shipsOnly;
    shipsOnly.m_strName = "Red";
    shipsOnly.m_ships = doc.m_ships;
    EXPECT_EQ(shipsOnly.HtmlSection(html), "<H2>Red</H2>\n<H3>Force Attachments</H3>\n<P>" +
                                               Tag("Harrow") + Tag("Kent") + "</P>\n<HR>");
    EXPECT_EQ(VxForce().HtmlSection(html), "<H2></H2>\n<HR>");

    // The scenario's section and page.
    VxScenario scenario;
    scenario.m_strName = "<b>Dogger</b> & Bank";
    scenario.m_strWeather = "Fair\r\nlater haze";
    const std::string texts =
        "<H1><b>Dogger</b> & Bank</H1>\n<H3>Date</H3><P></P>\n<H3>Umpire</H3><P></P>\n"
        "<H3>Weather</H3><P>Fair\r\nlater haze</P>\n<H3>Victory Conditions</H3><P></P>\n"
        "<H3>Notes</H3><P></P>\n";
    EXPECT_EQ(scenario.HtmlSection(html), texts + "\n");

    scenario.m_forces.resize(2);
    scenario.m_forces[0].m_strName = "A";
    scenario.m_forces[1].m_strName = "B";
    EXPECT_EQ(scenario.HtmlSection(html), texts + "<H2>A</H2>\n<HR><H2>B</H2>\n<HR>\n");

    const std::string page = ScenarioPage(scenario, html);
    EXPECT_EQ(page.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<HTML>\n"
                         "<HEAD><TITLE><b>Dogger</b> & Bank</TITLE></HEAD>\n"
                         "<BODY BGCOLOR=\"#FFFFFF\">\n<H1>",
                         0),
              0u);
    EXPECT_NE(page.find("<HR>\n<H5><CENTER>"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 30), "</CENTER></H5></BODY>\n</HTML>\n");
}

TEST_F(Html, HostileShipNamesStayInsideTheFolder) {
    QDir(m_dir.path()).mkdir("out");
    html.folder = Path("out");
    std::vector<VxShip> ships;
    for (const char* name : {"../escape", "a/b", "/etc/passwd", "..", "C:\\x", "q\"<&>#?%"})
        ships.emplace_back().m_strName = name;
    for (const VxShip& ship : ships) {
        const std::string tag = ship.HtmlSection(html, false, true);
        ASSERT_TRUE(html.WriteImages()) << html.failedImages[0];
        ASSERT_TRUE(html.files.Commit(error)) << error;
        const std::string file = ImageFileName(ship.m_strName);
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(html.folder + "/" + file))) << file;
        EXPECT_EQ(tag.find("SRC=\"" + ImageSourceAttribute(file) + "\""), 5u) << tag;
    }
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{});  // nothing escaped to the parent
    EXPECT_EQ(ImageFileName("../escape"), ".._escape.gif");
    EXPECT_EQ(ImageFileName("Harrow"), "Harrow.gif");
    // Nor what Windows and FAT drives refuse.
    EXPECT_EQ(ImageFileName("a\"*:<>?|b"), "a_______b.gif");
    EXPECT_EQ(FileNameOfSource(ImageSourceAttribute("q\"<&>#?%&amp;.gif")), "q\"<&>#?%&amp;.gif");
    EXPECT_EQ(ImageSourceAttribute("q\"<&>#?%.gif"), "q&quot;&lt;&amp;&gt;%23%3F%25.gif");
    EXPECT_EQ(AltAttribute("A & B"), "A &amp; B");
}

// The SRC of every IMG tag on a page, in order.
std::vector<std::string> ImageSources(const std::string& page) {
    std::vector<std::string> sources;
    for (std::size_t at = page.find("<IMG SRC=\""); at != std::string::npos;
         at = page.find("<IMG SRC=\"", at + 1)) {
        const std::size_t start = at + 10;
        sources.push_back(page.substr(start, page.find('"', start) - start));
    }
    return sources;
}

TEST(ImageNames, NamesTakenInAnyLetterCaseGetANumberAndTheFolderOfAPagePath) {
    UniqueImageNames names;
    EXPECT_EQ(names.Claim("Lion"), "Lion.gif");
    EXPECT_EQ(names.Claim("LION"), "LION (2).gif");
    EXPECT_EQ(names.Claim("lion"), "lion (3).gif");
    EXPECT_EQ(names.Claim("lion (2)"), "lion (2) (2).gif");
    EXPECT_EQ(names.Claim("\xC9mile"), "\xC9mile.gif");
    EXPECT_EQ(names.Claim("\xE9mile"), "\xE9mile (2).gif");

    // The folder of a page path, and names joined to it.
    EXPECT_EQ(FolderOf("/web/page.htm"), "/web");
    EXPECT_EQ(FolderOf("page.htm"), "");
    EXPECT_EQ(JoinPath("", "Harrow.gif"), "Harrow.gif");
    EXPECT_EQ(JoinPath("/web/", "Harrow.gif"), "/web/Harrow.gif");
    EXPECT_EQ(JoinPath("/web", "Harrow.gif"), "/web/Harrow.gif");
}

TEST_F(Html, ALongNameStaysWithinTheFileSystemLimit) {
    for (const std::size_t length : {std::size_t(82), std::size_t(1) << 20}) {
        const std::string euros(length, '\x80');
        const std::string name = ImageFileName(euros, " (12)");
        EXPECT_LE(Cp1252ToUtf8(name).size(), 255u);
        EXPECT_GE(Cp1252ToUtf8(name).size(), 253u);
        EXPECT_EQ(name.substr(name.size() - 9), " (12).gif");
    }
    EXPECT_EQ(ImageFileName(std::string(251, 'a')), std::string(251, 'a') + ".gif");
    EXPECT_EQ(ImageFileName(std::string(252, 'a')), std::string(251, 'a') + ".gif");
    doc.m_ships.Modify(0).m_strName = std::string(1 << 20, '\x80');
    doc.m_ships.Modify(1).m_strName = std::string(1 << 20, '\x80') + "x";
    twoShips.m_forces[0].m_ships = doc.m_ships;
    ASSERT_TRUE(ExportScenarioHtml(doc, twoShips, Path("p.htm"), error)) << error;
    EXPECT_EQ(FilesInFolder().size(), 3u);
}

TEST_F(Html, AShipListedTenThousandTimesIsDrawnOnce) {
    VxScenario scenario;
    VxSquadron& squadron = scenario.m_forces.emplace_back().m_squadrons.emplace_back();
    squadron.m_strFlagship = "Harrow";
    squadron.m_shipNames.assign(10000, "Harrow");
    squadron.m_attachmentNames.assign(10000, "Missing");
    EXPECT_EQ(ImageSources(Export(scenario, "p.htm")).size(), 20001u);
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Harrow.gif", "New Ship.gif", "p.htm"}));
}

// The message names the image that could not be written, and why.
TEST_F(Html, WhenAnImageFailsTheMessageNamesItAndAFailedExportRemovesOnlyItsImages) {
    twoShips.m_forces[0].m_ships.emplace_back().m_strName = "Lion";
    {
        const FailingFileSystem failing(FailingFileSystem::Call::Write, 2);
        EXPECT_FALSE(ExportScenarioHtml(doc, twoShips, Path("page.htm"), error));
    }
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "was not written, because 1 card image could not be",
                        error);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "Kent.gif\": No space left on device.", error);

    // A failed export removes only the images it created.
    WriteFileSafely(Path("Harrow.gif"), "an earlier export", error);
    WriteFileSafely(Path("mine.gif"), "the user's own", error);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("page.htm"));
    EXPECT_FALSE(ExportScenarioHtml(doc, twoShips, Path("page.htm"), error));
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "page.htm", error);
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Harrow.gif", "mine.gif"}));
    // A page cannot stream: its images need a folder.
    EXPECT_FALSE(ExportScenarioHtml(doc, twoShips, "/dev/null", error));
    EXPECT_EQ(error,
              "Cannot write \"/dev/null\": a page needs a folder of its own for its card "
              "images.");
}

// A file that was not made by an earlier export of the same page keeps its
// name and its bytes; the images of that earlier export are replaced.
TEST_F(Html, FilesOfTheUserKeepTheirNamesAndEarlierImagesAreReplaced) {
    ASSERT_TRUE(WriteFileSafely(Path("Harrow.gif"), "mine", error));
    const std::string pagePath = Path("page.htm");
    // Someone else's page that names Kent.gif does not make it ours.
    ASSERT_TRUE(WriteFileSafely(Path("Kent.gif"), "also mine", error));
    ASSERT_TRUE(WriteFileSafely(pagePath, "<IMG SRC=\"Kent.gif\">", error));
    EXPECT_EQ(ImageSources(Export(twoShips, "page.htm")),
              (std::vector<std::string>{"Harrow (2).gif", "Kent (2).gif"}));
    const std::vector<std::string> first = {"Harrow (2).gif", "Harrow.gif", "Kent (2).gif",
                                            "Kent.gif", "page.htm"};
    EXPECT_EQ(FilesInFolder(), first);

    // A changed card goes over the earlier export's image.
    twoShips.m_forces[0].m_ships[0].m_dDF = 9;
    const std::string before = FolderContents(Folder()).at("Harrow (2).gif");
    ASSERT_TRUE(ExportScenarioHtml(doc, twoShips, pagePath, error)) << error;
    EXPECT_EQ(FilesInFolder(), first);
    EXPECT_TRUE(FolderContents(Folder()).at("Harrow (2).gif") != before);
    EXPECT_EQ(FolderContents(Folder()).at("Harrow.gif"), "mine");
    EXPECT_EQ(FolderContents(Folder()).at("Kent.gif"), "also mine");
    EXPECT_EQ(ImagesOfEarlierExport(pagePath),
              (std::unordered_set<std::string>{"Harrow (2).gif", "Kent (2).gif"}));
}

}  // namespace
