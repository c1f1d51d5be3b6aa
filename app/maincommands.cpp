#include "app/maincommands.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/commandids.h"

namespace {

// The prompt of a command: the status-bar text, then after "\n" the tool tip.
void SetPrompt(QAction* action, const QString& prompt) {
    const QStringList parts = prompt.split('\n');
    action->setStatusTip(parts.value(0));
    action->setToolTip(parts.value(1, parts.value(0)));
    // What's This on any command says what it does, never nothing.
    action->setWhatsThis(parts.value(0));
}

// The desktop theme's icon, or the bundled picture of the same meaning in
// both sizes a tool bar asks for.
QIcon ThemeIcon(const char* theme, const QString& bundled) {
    if (QIcon::hasThemeIcon(theme)) return QIcon::fromTheme(theme);
    QIcon icon;
    for (const int size : {16, 32}) {
        icon.addFile(QStringLiteral(":/icons/toolbar/%1-%2.png").arg(bundled).arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace

// The bundled pictures live in this library's resources, which a static
// library must register itself.
static void RegisterIcons() { Q_INIT_RESOURCE(icons); }

MainCommands::MainCommands(QMainWindow& window) : m_window(window) {
    RegisterIcons();
    CreateMenus();
    CreateToolBar();
    CreateAccelerators();
}

QAction* MainCommands::AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt,
                                  const QKeySequence& shortcut) {
    auto* action = new QAction(text, &m_window);
    action->setData(id);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setShortcut(shortcut);
    SetPrompt(action, prompt);
    // Commands are disabled until something handles them.
    action->setEnabled(false);
    if (menu) menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void MainCommands::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    CreateToolsMenu();
    CreateHelpMenu();
}

void MainCommands::CreateFileMenu() {
    m_fileMenu = m_window.menuBar()->addMenu("&File");
    AddCommand(m_fileMenu, ID_FILE_NEW, "&New", "Create a new document\nNew",
               QKeySequence("Ctrl+N"));
    AddCommand(m_fileMenu, ID_FILE_OPEN, "&Open...", "Open an existing document\nOpen",
               QKeySequence("Ctrl+O"));
    AddCommand(m_fileMenu, ID_FILE_SAVE, "&Save", "Save the active document\nSave",
               QKeySequence("Ctrl+S"));
    AddCommand(m_fileMenu, ID_FILE_SAVE_AS, "Save &As...",
               "Save the active document with a new name\nSave As");
    AddCommand(m_fileMenu, ID_FILE_REVERT, "Revert &to Saved",
               "Load the document again as it was last saved\nRevert to Saved");
    m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_FILE_EXPORT_JSON, "Export Campaign as &JSON...",
               "Write the whole campaign as a JSON text file\nExport as JSON");
    AddCommand(m_fileMenu, ID_FILE_IMPORT_JSON, "&Import Campaign from JSON...",
               "Open a campaign from a JSON text file as a new document\nImport from JSON");
    AddCommand(m_fileMenu, ID_FILE_OPEN_GAME, "Open &Game...",
               "Continue a game of a scenario at the table\nOpen Game");
    m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_FILE_PRINT, "&Print...", "Print the active document\nPrint",
               QKeySequence("Ctrl+P"));
    AddCommand(m_fileMenu, ID_FILE_PRINT_PREVIEW, "Print Pre&view",
               "Display full pages\nPrint Preview");
    AddCommand(m_fileMenu, ID_FILE_PRINT_SETUP, "P&rint Setup...",
               "Change the printer and printing options\nPrint Setup");
    m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_FILE_MRU_FILE1, "Recent &File", "Open this document");
    m_recentSeparator = m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_APP_EXIT, "E&xit",
               "Quit the application; prompts to save documents\nExit",
               QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void MainCommands::CreateEditMenu() {
    QMenu* menu = m_window.menuBar()->addMenu("&Edit");
    AddCommand(menu, ID_EDIT_UNDO, "&Undo", "Undo the last edit\nUndo", QKeySequence::Undo);
    AddCommand(menu, ID_EDIT_REDO, "&Redo", "Redo the edit undone last\nRedo")
        ->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    menu->addSeparator();
    AddCommand(menu, ID_EDIT_CUT, "Cu&t", "Cut the selection and put it on the Clipboard\nCut")
        ->setShortcuts(QKeySequence::Cut);
    AddCommand(menu, ID_EDIT_COPY, "&Copy", "Copy the selection and put it on the Clipboard\nCopy")
        ->setShortcuts(QKeySequence::Copy);
    AddCommand(menu, ID_EDIT_PASTE, "&Paste", "Insert Clipboard contents\nPaste")
        ->setShortcuts(QKeySequence::Paste);
    menu->addSeparator();
    AddCommand(menu, ID_EDIT_NATIONS, "&Nations", "Edit Nations");
    AddCommand(menu, ID_EDIT_ARMAMENTS, "&Armaments", "Edit Armament Information");
    menu->addSeparator();
    AddCommand(menu, ID_EDIT_SHIPS, "S&hips", "Edit Ship Stats");
    AddCommand(menu, ID_EDIT_SQUADRONS, "S&quadrons", "Edit Ship Squadrons");
    AddCommand(menu, ID_EDIT_SCENARIOS, "Sc&enarios", "Edit Vexmoor Scenarios");
    menu->addSeparator();
    AddCommand(menu, ID_EDIT_FIND, "&Find Ship...",
               "Find a ship by its name, identifier or notes\nFind Ship", QKeySequence("Ctrl+F"));
    AddCommand(menu, ID_EDIT_REPEAT, "Find Ne&xt", "Find the next matching ship\nFind Next",
               QKeySequence("F3"));
    AddCommand(menu, ID_EDIT_FIND_PREVIOUS, "Find Pre&vious",
               "Find the previous matching ship\nFind Previous", QKeySequence("Shift+F3"));
}

void MainCommands::CreateViewMenu() {
    QMenu* menu = m_window.menuBar()->addMenu("&View");
    QAction* statusBarAction = AddCommand(menu, ID_VIEW_STATUS_BAR, "&Status Bar",
                                          "Show or hide the status bar\nToggle StatusBar");
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);
    menu->addSeparator();
    AddCommand(menu, ID_VIEW_ZOOM_IN, "Zoom &In", "Show the cards larger\nZoom In",
               QKeySequence(Qt::CTRL | Qt::Key_Plus));
    AddCommand(menu, ID_VIEW_ZOOM_OUT, "Zoom &Out", "Show the cards smaller\nZoom Out",
               QKeySequence(Qt::CTRL | Qt::Key_Minus));
    AddCommand(menu, ID_VIEW_ZOOM_RESET, "&Actual Size",
               "Show the cards at their true size\nActual Size",
               QKeySequence(Qt::CTRL | Qt::Key_0));
}

void MainCommands::CreateToolsMenu() {
    QMenu* menu = m_window.menuBar()->addMenu("&Tools");
    AddCommand(menu, ID_TOOLS_CHECK_CAMPAIGN, "Check Ca&mpaign",
               "List what would break the printouts: missing ships, stale copies and more\n"
               "Check Campaign");
    menu->addSeparator();
    AddCommand(menu, ID_TOOLS_PRINT_SELECTED, "Print &Selected Items",
               "Print Individual Ships, Squadrons, Scenarios");
    AddCommand(menu, ID_TOOLS_PRINT_BLANK_FORM, "Print &Blank Ship Form",
               "Print 1 sheet full of blank ship records");
    AddCommand(menu, ID_TOOLS_EXPORT_TEXT, "Export Ships as &Text",
               "Export ships to comma delimeted text file");
    AddCommand(menu, ID_TOOLS_EXPORT_CSV, "Export Ships as &CSV...",
               "Export ships to a UTF-8 CSV file for spreadsheets");
    AddCommand(menu, ID_TOOLS_IMPORT_CSV, "&Import Ships from CSV...",
               "Add and update ships from a CSV file, merged by name, after a preview");
    menu->addSeparator();
    AddCommand(menu, ID_TOOLS_COMPARE_FORCES, "C&ompare Forces...",
               "Compare a scenario's forces side by side in charts\nCompare Forces");
    AddCommand(menu, ID_TOOLS_PLAY_SCENARIO, "&Play Scenario...",
               "Play a scenario at the table: mark the cards as the game goes\nPlay Scenario");
}

void MainCommands::CreateHelpMenu() {
    QMenu* menu = m_window.menuBar()->addMenu("&Help");
    AddCommand(menu, ID_HELP_FINDER, "&Help Topics", "List Help topics\nHelp Topics");
    AddCommand(menu, ID_HELP_SAMPLE, "Open &Sample Campaign",
               "Open the campaign that comes with the program\nSample Campaign");
    AddCommand(menu, ID_APP_ABOUT, "&About Brinnow...",
               "Display program information, version number and copyright\nAbout");
    AddCommand(nullptr, ID_CONTEXT_HELP, "Help",
               "Display help for clicked on buttons, menus and windows\nHelp",
               QKeySequence("Shift+F1"));
    AddCommand(nullptr, ID_HELP, "Help", "Opens Help\nHelp", QKeySequence("F1"));
}

void MainCommands::CreateToolBar() {
    QToolBar* bar = m_window.addToolBar("Standard");
    bar->setObjectName("toolBar");
    bar->setIconSize(QSize(16, 16));
    const auto add = [&](int id, const char* theme, const char* bundled) {
        QAction* action = Action(id);
        action->setIcon(ThemeIcon(theme, bundled));
        bar->addAction(action);
    };
    add(ID_FILE_NEW, "document-new", "document-new");
    add(ID_FILE_OPEN, "document-open", "document-open");
    add(ID_FILE_SAVE, "document-save", "document-save");
    bar->addSeparator();
    add(ID_EDIT_CUT, "edit-cut", "edit-cut");
    add(ID_EDIT_COPY, "edit-copy", "edit-copy");
    add(ID_EDIT_PASTE, "edit-paste", "edit-paste");
    bar->addSeparator();
    add(ID_EDIT_UNDO, "edit-undo", "edit-undo");
    add(ID_EDIT_REDO, "edit-redo", "edit-redo");
    bar->addSeparator();
    add(ID_FILE_PRINT, "document-print", "document-print");
    add(ID_APP_ABOUT, "help-about", "help-about");
    add(ID_CONTEXT_HELP, "help-contextual", "help-browser");
}

void MainCommands::CreateAccelerators() {
    // F1 and Shift+F1 work without a menu item, as accelerators.
    m_window.addAction(Action(ID_HELP));
    m_window.addAction(Action(ID_CONTEXT_HELP));
}

void MainCommands::ShowRecentFiles(const QStringList& files,
                                   const std::function<void(const QString&)>& open) {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    QAction* placeholder = Action(ID_FILE_MRU_FILE1);
    placeholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), &m_window);
        action->setData(ID_FILE_MRU_FILE1 + i);
        action->setStatusTip("Open this document");
        QObject::connect(action, &QAction::triggered, &m_window, [open, path] { open(path); });
        m_fileMenu->insertAction(m_recentSeparator, action);
        m_recentActions.append(action);
    }
}
