#include "platform/programfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "model/brinnowdoc.h"

namespace {

// The build folder lays the files out as the installed tree does, so the
// test program finds them as the installed programs do.
TEST(ProgramFiles, TheBuildFolderHoldsWhatTheProgramsLookForWhereverTheyAre) {
    const ProgramFiles files = ProgramFiles::OfRunningProgram();
    ASSERT_TRUE(files.Known());
    for (const std::string& path :
         {files.Manual(), files.SampleCampaign(), files.DrawingCompanion(), files.IconThemes()}) {
        EXPECT_EQ(path.find(".."), std::string::npos) << path;  // as messages show it
    }
    QFile manual(QString::fromStdString(files.Manual()));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    EXPECT_TRUE(manual.readAll().contains("<a name=\"context-130\">"));
    const QString pictures = QFileInfo(manual).absolutePath();
    EXPECT_TRUE(QFileInfo::exists(pictures + "/squadron_print.png"));
    EXPECT_TRUE(QFileInfo::exists(pictures + "/multi_print.png"));
    EXPECT_TRUE(QFileInfo::exists(pictures + "/table_window.png"));
    CBrinnowDoc sample;
    ASSERT_TRUE(sample.OnOpenDocument(files.SampleCampaign()));
    EXPECT_EQ(sample.m_scenarios.size(), 2u);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(files.DrawingCompanion())).isExecutable());
    const QString hicolor = QString::fromStdString(files.IconThemes()) + "/hicolor/";
    for (const char* size : {"16x16", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
        EXPECT_TRUE(QFileInfo::exists(hicolor + size + "/apps/org.brinnow.Brinnow.png")) << size;
        EXPECT_TRUE(
            QFileInfo::exists(hicolor + size + "/mimetypes/application-x-brinnow-campaign.png"))
            << size;
    }
    // Where /proc cannot tell, the name it was started by does.
    const char* unreadable = "/nowhere/exe";
    const ProgramFiles byPath =
        ProgramFiles::OfRunningProgram("/opt/fleet/bin/brinnow", unreadable);
    EXPECT_EQ(byPath.Manual(), "/opt/fleet/share/brinnow/help/brinnow.html");
    EXPECT_EQ(byPath.DrawingCompanion(), "/opt/fleet/libexec/brinnow/brinnow-cli-draw");
    // Found through PATH, the name says nothing about the folder.
    EXPECT_FALSE(ProgramFiles::OfRunningProgram("brinnow", unreadable).Known());
    // Where /proc can tell, the name is not trusted.
    EXPECT_NE(ProgramFiles::OfRunningProgram("/opt/fleet/bin/brinnow").Manual(), byPath.Manual());
}

// brinnow-cli in a tree of its own, laid out as installed.
class InstalledTool : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString tool = Path("tree/bin/brinnow-cli");
        const QString drawing = Path("tree/libexec/brinnow/brinnow-cli-draw");
        ASSERT_TRUE(QDir().mkpath(Path("tree/bin")));
        ASSERT_TRUE(QDir().mkpath(Path("tree/libexec/brinnow")));
        ASSERT_TRUE(QFile::copy(BRINNOW_CLI, tool));
        ASSERT_TRUE(QFile::copy(BRINNOW_CLI_DRAW, drawing));
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Prints the blank form through the companion; the exit code.
    int PrintBlank(const QString& tool, const QString& folder) {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(tool, {"print", "blank", "-o", Path("blank.pdf")});
        EXPECT_TRUE(process.waitForFinished(60000));
        m_err = process.readAllStandardError();
        return process.exitCode();
    }
    QTemporaryDir m_dir;
    QString m_err;
};

// It finds its companion from its own folder, even through a link, but never
// from the current folder.
TEST_F(InstalledTool, FindsItsCompanionFromItsOwnFolderEvenThroughALink) {
    ASSERT_TRUE(QDir().mkpath(Path("alone/bin")));
    ASSERT_TRUE(QFile::copy(BRINNOW_CLI, Path("alone/bin/brinnow-cli")));
    // Started in a folder where the relative path to a companion does lead to one.
    EXPECT_EQ(PrintBlank(Path("alone/bin/brinnow-cli"), Path("tree/bin")), 1);
    EXPECT_TRUE(m_err.startsWith("brinnow-cli: cannot start \"" + Path("alone/libexec")))
        << m_err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("blank.pdf")));

    ASSERT_TRUE(QDir().mkpath(Path("links")));
    ASSERT_TRUE(QFile::link(Path("tree/bin/brinnow-cli"), Path("links/brinnow-cli")));
    EXPECT_EQ(PrintBlank(Path("links/brinnow-cli"), m_dir.path()), 0) << m_err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(Path("blank.pdf")));
}

}  // namespace
