// The manual: a section for every place that offers help.
#include <gtest/gtest.h>

#include <QScreen>

#include "desktop/helpwindow.h"
#include "platform/programfiles.h"
#include "tests/support/scriptedanswers.h"

namespace {

TEST(Manual, HasASectionForEveryHelpContextOrSaysItCannotBeRead) {
    HelpWindow* help = HelpWindow::Instance();
    for (int context :
         {HelpContext::kNations, HelpContext::kArmaments, HelpContext::kShips,
          HelpContext::kSquadrons, HelpContext::kScenarios, HelpContext::kPrintSelection,
          HelpContext::kCampaignCheck, HelpContext::kCsvImport, HelpContext::kTable}) {
        help->ShowContext(context);
        EXPECT_EQ(help->source().fragment(), QString("context-%1").arg(context));
    }
    help->ShowContext(999);
    EXPECT_EQ(help->source().fragment(), "index");
    // It opens wholly on the screen, however small.
    EXPECT_TRUE(help->screen()->availableGeometry().contains(help->frameGeometry()));
    for (const char* described :
         {"Reading a ship record card", "Export Campaign as JSON", "Import Campaign from JSON",
          "Export Ships as CSV", "HTML briefing", "Edit > Copy", "Edit > Paste", "Play Scenario",
          "Print This Ship", "right-click"}) {
        EXPECT_TRUE(help->toPlainText().contains(described)) << described;
    }
    help->close();

    // A manual that cannot be read is reported instead of shown.
    ScriptedAnswers scripted;
    help->UseManual("/nowhere/brinnow.html");
    help->ShowContext(HelpContext::kShips);
    help->UseManual(QString::fromStdString(ProgramFiles::OfRunningProgram().Manual()));
    EXPECT_EQ(scripted.messages, std::vector<std::string>{"Cannot open the manual "
                                                          "\"/nowhere/brinnow.html\": No such "
                                                          "file or directory."});
    EXPECT_FALSE(help->isVisible());
}

}  // namespace
