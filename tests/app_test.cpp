// The main window as its user meets it: its menus and commands, opening,
// saving and closing campaigns, the recent files, and the program itself.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>

#include "app/aboutdialog.h"
#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/desktopidentity.h"
#include "app/mainframe.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "tests/support/mainwindowfixture.h"

namespace {

// The menus hold their items in order. Every command has its keys, prompt
// and state; the editors and the view say what they do, the tool bar's
// buttons have pictures, and Cut and Copy differ.
TEST_F(Shell, MenusAndCommandsHaveTheirItemsKeysPromptsStatesHelpAndPictures) {
    const auto items = [this](const QString& menu) {
        QStringList items;
        for (QAction* action : Menu(menu)->actions()) {
            if (action->isVisible()) items << (action->isSeparator() ? "-" : action->text());
        }
        return items;
    };
    EXPECT_EQ(items("&File"),
              (QStringList{"&New", "&Open...", "&Save", "Save &As...", "Revert &to Saved", "-",
                           "Export Campaign as &JSON...", "&Import Campaign from JSON...",
                           "Open &Game...", "-", "&Print...", "Print Pre&view", "P&rint Setup...",
                           "-", "Recent &File", "-", "E&xit"}));
    EXPECT_EQ(items("&Edit"),
              (QStringList{"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "-", "&Nations",
                           "&Armaments", "-", "S&hips", "S&quadrons", "Sc&enarios", "-",
                           "&Find Ship...", "Find Ne&xt", "Find Pre&vious"}));
    EXPECT_EQ(Menu("&Tools")->actions().size(), 10);
    EXPECT_EQ(Menu("&Tools")->actions().at(0)->text(), "Check Ca&mpaign");
    EXPECT_EQ(Menu("&Tools")->actions().at(6)->text(), "&Import Ships from CSV...");
    EXPECT_EQ(Menu("&Tools")->actions().at(8)->text(), "C&ompare Forces...");
    EXPECT_EQ(Menu("&Tools")->actions().back()->text(), "&Play Scenario...");
    EXPECT_EQ(items("&Help"),
              (QStringList{"&Help Topics", "Open &Sample Campaign", "&About Brinnow..."}));

    for (const auto& [id, keys] : {std::pair{ID_FILE_NEW, "Ctrl+N"},
                                   {ID_FILE_OPEN, "Ctrl+O"},
                                   {ID_FILE_SAVE, "Ctrl+S"},
                                   {ID_FILE_PRINT, "Ctrl+P"},
                                   {ID_APP_EXIT, "Ctrl+Q"},
                                   {ID_HELP, "F1"},
                                   {ID_CONTEXT_HELP, "Shift+F1"}}) {
        EXPECT_EQ(frame->Action(id)->shortcut(), QKeySequence(keys)) << keys;
    }
    EXPECT_EQ(frame->Action(ID_FILE_NEW)->statusTip(), "Create a new document");
    EXPECT_EQ(frame->Action(ID_FILE_NEW)->toolTip(), "New");
    EXPECT_EQ(frame->Action(ID_TOOLS_EXPORT_TEXT)->statusTip(),
              "Export ships to comma delimeted text file");
    EXPECT_EQ(frame->Action(ID_TOOLS_PRINT_SELECTED)->statusTip(),
              "Print Individual Ships, Squadrons, Scenarios");
    EXPECT_EQ(frame->Action(ID_EDIT_SQUADRONS)->statusTip(), "Edit Ship Squadrons");
    for (int id :
         {ID_FILE_NEW, ID_FILE_PRINT, ID_TOOLS_PRINT_BLANK_FORM, ID_TOOLS_EXPORT_TEXT, ID_APP_ABOUT,
          ID_VIEW_STATUS_BAR, ID_EDIT_SQUADRONS, ID_EDIT_SCENARIOS, ID_TOOLS_PRINT_SELECTED}) {
        EXPECT_TRUE(frame->Action(id)->isEnabled()) << id;
    }
    for (int id : {ID_EDIT_NATIONS, ID_EDIT_ARMAMENTS, ID_EDIT_SHIPS, ID_EDIT_SQUADRONS,
                   ID_EDIT_SCENARIOS}) {
        EXPECT_FALSE(frame->Action(id)->whatsThis().isEmpty()) << id;
    }
    EXPECT_FALSE(frame->View().whatsThis().isEmpty());
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_COPY,
                   ID_EDIT_PASTE, ID_FILE_PRINT, ID_APP_ABOUT, ID_CONTEXT_HELP}) {
        const QIcon icon = frame->Action(id)->icon();
        EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << id;
        EXPECT_FALSE(icon.pixmap(32, 32).isNull()) << id;
    }
    EXPECT_NE(frame->Action(ID_EDIT_CUT)->icon().pixmap(16).toImage(),
              frame->Action(ID_EDIT_COPY)->icon().pixmap(16).toImage());

    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Brinnow");
    // The status bar starts shown; its command hides it and shows it again.
    QAction* toggle = frame->Action(ID_VIEW_STATUS_BAR);
    frame->show();
    for (const bool shown : {false, true}) {
        toggle->trigger();
        EXPECT_EQ(toggle->isChecked(), shown);
        EXPECT_EQ(frame->statusBar()->isVisible(), shown);
    }
}

// Closing asks to save a changed campaign and Cancel keeps it; Yes saves it
// through the file dialog first, No throws the changes away.
TEST_F(Shell, NewAndCloseAskToSaveAChangedCampaignFirst) {
    frame->Document().m_ships.resize(3);
    Notice();
    answers = {IDCANCEL};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(messages, std::vector<std::string>{"Save changes to Untitled?"});
    EXPECT_TRUE(frame->Document().IsModified());

    chosenFile = Path("kept.brn");
    answers = {IDYES};
    EXPECT_TRUE(frame->OnFileNew());
    CBrinnowDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(chosenFile.toStdString()));
    EXPECT_EQ(saved.m_ships.size(), 3u);
    EXPECT_TRUE(frame->Document().m_ships.empty());
    Notice();
    answers = {IDNO};
    EXPECT_TRUE(frame->close());
}

// The recent files' order and limit, and a name relative to the folder the
// program started in, are the document manager's; the window lists them in
// the File menu and opens the sample from Help.
TEST_F(Shell, TheFileMenuListsTheRecentFilesAndHelpOpensTheSample) {
    for (const char* name : {"a.brn", "b.brn", "c.brn", "d.brn", "e.brn"})
        ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign(name)));
    ASSERT_TRUE(frame->OpenDocumentFile(Path("c.brn")));
    EXPECT_EQ(frame->windowTitle(), "c.brn[*] - Brinnow");
    QStringList listed;
    for (const QAction* action : Menu("&File")->actions()) {
        if (action->text().endsWith(".brn")) listed << action->text();
    }
    EXPECT_EQ(listed, (QStringList{"&1 " + Path("c.brn"), "&2 " + Path("e.brn"),
                                   "&3 " + Path("d.brn"), "&4 " + Path("b.brn")}));

    frame->Action(ID_HELP_SAMPLE)->trigger();
    EXPECT_EQ(frame->windowTitle(), "campaign.brn[*] - Brinnow");
    EXPECT_EQ(frame->Document().m_squadrons.size(), 5u);
    EXPECT_EQ(frame->Document().m_scenarios.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

// The document manager keeps the open campaign through a failed open; the
// window says why and keeps its title, and shows a load's warning.
TEST_F(Shell, AFailedOpenOrSaveSaysWhyAndKeepsTheOpenCampaignAndTrailingBytesWarn) {
    ASSERT_TRUE(frame->OpenDocumentFile(WriteCampaign("fleet.brn", 7)));
    frame->Document().m_ships.pop_back();
    Notice();
    const std::string whole = Bytes("fleet.brn");
    std::string error;
    WriteFileSafely(Local("cut.brn"), whole.substr(0, whole.size() - 9), error);
    answers = {IDNO};  // do not save the changes first
    EXPECT_FALSE(frame->OpenDocumentFile(Path("cut.brn")));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("cut.brn\" is not a valid Brinnow document"), std::string::npos);
    EXPECT_EQ(frame->windowTitle(), "fleet.brn[*] - Brinnow");
    EXPECT_TRUE(frame->isWindowModified());

    // Bytes after the last list are read past with a warning.
    WriteFileSafely(Local("long.brn"), whole + "xyz", error);
    answers = {IDNO};
    EXPECT_TRUE(frame->OpenDocumentFile(Path("long.brn")));
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_NE(messages[3].find("long.brn\" holds 3 bytes after its last scenario"),
              std::string::npos);
    EXPECT_EQ(frame->Document().m_ships.size(), 7u);
}

TEST(Program, TakesItsMenuEntryAndIconsAnswersWithoutADisplayAndShowsItsVersion) {
    UseDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.brinnow.Brinnow");
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;

    // It answers --help and --version without a display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    const auto run = [&](const QString& option) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(BRINNOW_APP, {option});
        EXPECT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 0) << option.toStdString();
        return QString(program.readAllStandardOutput());
    };
    EXPECT_EQ(run("--version"), "brinnow " BRINNOW_VERSION "\n");
    EXPECT_TRUE(run("--help").startsWith("Usage: brinnow [FILE]\n"));

    // The About box has sharp pictures and the build's version.
    for (const qreal ratio : {1.0, 2.0}) {
        const QPixmap ship = AboutDialog::ShipPicture(ratio);
        EXPECT_EQ(ship.size(), QSize(160, 72) * ratio);
        EXPECT_EQ(ship.deviceIndependentSize(), QSizeF(160, 72));
        EXPECT_EQ(AboutDialog::CompassPicture(ratio).size(), QSize(72, 72) * ratio);
    }
    AboutDialog about;
    const QString text = about.findChild<QLabel*>("aboutText")->text();
    EXPECT_TRUE(text.contains("Version " BRINNOW_VERSION));
    EXPECT_FALSE(text.contains("squadron"));
}

}  // namespace
