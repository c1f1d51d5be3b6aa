#include "app/mainframe.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWhatsThis>

#include "app/aboutdialog.h"
#include "app/brinnowview.h"
#include "app/campaigncheckwindow.h"
#include "app/commandids.h"
#include "app/csvimportcommand.h"
#include "app/findshipbar.h"
#include "app/recordclipboard.h"
#include "app/recoveryfile.h"
#include "app/tablecommands.h"
#include "desktop/filedialogs.h"
#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/nightcolours.h"
#include "desktop/progressdialog.h"
#include "desktop/proposedfile.h"
#include "history/documentnotice.h"
#include "interchange/campaignjsonimport.h"
#include "platform/programfiles.h"

namespace {

constexpr const char* kWindowTitle = "Brinnow";
constexpr const char* kIdlePrompt = "For Help, press F1";
constexpr const char* kRecentGroup = "Recent File List";
constexpr const char* kSettingsGroup = "Settings";
constexpr double kDefaultZoom = 2.0;
constexpr const char* kCampaignFilter = "Brinnow campaigns (*.brn);;All files (*)";
constexpr const char* kOpenElsewhere =
    "%1 is already open in Brinnow (%2). Open it here as well? Saving in one window would "
    "overwrite the changes made in the other.";
constexpr const char* kSaveOverOpen =
    "%1 is open in Brinnow (%2). Save over it anyway? The changes made in that window would "
    "be overwritten when it saves.";
constexpr const char* kChangedOnDisk =
    "%1 was changed by another program. Load the version on disk? Undo brings back the one "
    "shown here.";
constexpr const char* kMissingOnDisk =
    "%1 was deleted or moved by another program. Save writes it again.";
constexpr const char* kNotAFileOnDisk =
    "%1 was replaced by a folder or another thing that is not a file. Save cannot write the "
    "campaign there; Save As keeps it under another name.";
constexpr const char* kNoLockPossible =
    "Brinnow cannot tell whether another window has this campaign open: no lock file can be "
    "made beside %1. Saving in two windows would overwrite the changes made in the other.";
constexpr const char* kSaveOverChange =
    "%1 was changed by another program since it was opened or saved here. Saving now would "
    "replace that version with this one.";
constexpr const char* kRecoverQuestion =
    "Brinnow ended without saving the changes to %1. They were kept as they were at %2.\n\n"
    "Recover them? The campaign opens with the changes, not yet saved; its file stays as it "
    "is until you save. Keep for Later asks again at the next start.";

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

// "Undo Edit Ships", or plain "Undo" when there is no step to name.
QString StepCommandText(const QString& verb, const QString& step) {
    return step.isEmpty() ? verb : verb + " " + step;
}

}  // namespace

// The bundled pictures live in this library's resources, which a static
// library must register itself.
static void RegisterIcons() { Q_INIT_RESOURCE(icons); }

CMainFrame::CMainFrame() {
    RegisterIcons();
    setObjectName("mainFrame");
    m_view = new CBrinnowView(m_doc, m_history, this);
    setCentralWidget(m_view);
    CreateMenus();
    CreateToolBar();
    CreateFindBar();
    CreateStatusBar();
    CreateAccelerators();
    ConnectCommands();
    ConnectHistory();
    UpdateClipboardCommands();
    LoadSettings();
    SetNoticeWindow(this);
    qApp->installEventFilter(this);
    UpdateCaption();
}

CMainFrame::~CMainFrame() { SetNoticeWindow(nullptr); }

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt,
                                const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
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

void CMainFrame::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    CreateToolsMenu();
    CreateHelpMenu();
}

void CMainFrame::CreateFileMenu() {
    m_fileMenu = menuBar()->addMenu("&File");
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

void CMainFrame::CreateEditMenu() {
    QMenu* menu = menuBar()->addMenu("&Edit");
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

void CMainFrame::CreateViewMenu() {
    QMenu* menu = menuBar()->addMenu("&View");
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

void CMainFrame::CreateToolsMenu() {
    QMenu* menu = menuBar()->addMenu("&Tools");
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

void CMainFrame::CreateHelpMenu() {
    QMenu* menu = menuBar()->addMenu("&Help");
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

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar("Standard");
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

// The bar sits over the card listing, below the tool bar, until closed.
void CMainFrame::CreateFindBar() {
    m_findBar = new FindShipBar(m_doc, *m_view, this);
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, m_findBar);
    m_findBar->hide();
}

void CMainFrame::CreateStatusBar() {
    auto* idle = new QLabel(kIdlePrompt);
    idle->setObjectName("idlePrompt");
    statusBar()->addWidget(idle, 1);
    m_shownCount = new QLabel;
    m_shownCount->setObjectName("shownCount");
    m_shownCount->hide();
    statusBar()->addPermanentWidget(m_shownCount);
    int index = 0;
    for (const auto& [key, text] : {std::pair{int(Qt::Key_CapsLock), "CAP"},
                                    {int(Qt::Key_NumLock), "NUM"},
                                    {int(Qt::Key_ScrollLock), "SCRL"}}) {
        auto* label = new QLabel(text);
        label->setObjectName(QStringLiteral("indicator%1").arg(index++));
        label->setEnabled(false);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        m_keyIndicators.insert(key, label);
    }
}

void CMainFrame::CreateAccelerators() {
    // F1 and Shift+F1 work without a menu item, as accelerators.
    addAction(Action(ID_HELP));
    addAction(Action(ID_CONTEXT_HELP));
}

void CMainFrame::ConnectCommands() {
    const auto handle = [this](int id, auto&& handler) {
        QAction* action = Action(id);
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    };
    handle(ID_FILE_NEW, [this] { OnFileNew(); });
    handle(ID_FILE_OPEN, [this] { OnFileOpen(); });
    handle(ID_FILE_SAVE, [this] { OnFileSave(); });
    handle(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    handle(ID_FILE_PRINT, [this] { m_view->FilePrint(); });
    handle(ID_FILE_PRINT_PREVIEW, [this] { m_view->FilePrintPreview(); });
    handle(ID_FILE_PRINT_SETUP, [this] { m_view->FilePrintSetup(); });
    handle(ID_APP_EXIT, [this] { close(); });
    handle(ID_VIEW_STATUS_BAR, [this](bool shown) { statusBar()->setVisible(shown); });
    handle(ID_VIEW_ZOOM_IN, [this] { m_view->ZoomIn(); });
    handle(ID_VIEW_ZOOM_OUT, [this] { m_view->ZoomOut(); });
    handle(ID_VIEW_ZOOM_RESET, [this] { m_view->ShowActualSize(); });
    handle(ID_EDIT_NATIONS, [this] { m_view->EditNations(); });
    handle(ID_EDIT_ARMAMENTS, [this] { m_view->EditArmaments(); });
    handle(ID_EDIT_SHIPS, [this] { m_view->EditShips(); });
    handle(ID_EDIT_SQUADRONS, [this] { m_view->EditSquadrons(); });
    handle(ID_EDIT_SCENARIOS, [this] { m_view->EditScenarios(); });
    handle(ID_TOOLS_PRINT_SELECTED, [this] { m_view->PrintSelectedItems(); });
    handle(ID_FILE_REVERT, [this] { OnFileRevert(); });
    handle(ID_EDIT_CUT, [this] { m_view->CutCurrentShip(); });
    handle(ID_EDIT_COPY, [this] { m_view->CopyCurrentShip(); });
    handle(ID_EDIT_PASTE, [this] { m_view->Paste(); });
    handle(ID_EDIT_FIND, [this] { m_findBar->Activate(); });
    m_view->SetCardCommands(Action(ID_EDIT_FIND), Action(ID_EDIT_COPY));
    handle(ID_EDIT_REPEAT, [this] { m_findBar->FindNext(); });
    handle(ID_EDIT_FIND_PREVIOUS, [this] { m_findBar->FindPrevious(); });
    handle(ID_TOOLS_PRINT_BLANK_FORM, [this] { m_view->PrintBlankShipForm(); });
    handle(ID_TOOLS_EXPORT_TEXT, [this] { m_view->ExportShipsAsText(); });
    handle(ID_FILE_EXPORT_JSON, [this] { m_view->ExportCampaignAsJson(); });
    handle(ID_FILE_IMPORT_JSON, [this] { OnFileImportJson(); });
    handle(ID_TOOLS_EXPORT_CSV, [this] { m_view->ExportShipsAsCsv(); });
    handle(ID_TOOLS_IMPORT_CSV, [this] { ImportShipsFromCsv(this, m_doc, m_history); });
    handle(ID_TOOLS_PLAY_SCENARIO, [this] { ChooseAndPlayScenario(this, m_doc); });
    handle(ID_TOOLS_COMPARE_FORCES, [this] { ChooseAndCompareScenario(this, m_doc); });
    handle(ID_FILE_OPEN_GAME, [this] { ChooseAndOpenGame(this, m_doc); });
    handle(ID_HELP_FINDER, [] { ShowHelp(HelpContext::kIndex); });
    handle(ID_HELP_SAMPLE, [this] {
        OpenDocumentFile(QString::fromStdString(ProgramFiles::OfRunningProgram().SampleCampaign()));
    });
    handle(ID_HELP, [] { ShowHelp(HelpContext::kIndex); });
    handle(ID_CONTEXT_HELP, [] { QWhatsThis::enterWhatsThisMode(); });
    handle(ID_APP_ABOUT, [this] { ShowAbout(); });
    handle(ID_TOOLS_CHECK_CAMPAIGN, [this] { ShowCampaignCheck(); });
    connect(m_view, &CBrinnowView::documentModified, this, &CMainFrame::UpdateCaption);
    connect(m_view, &CBrinnowView::zoomChanged, this, [this] { SaveSettings(); });
    connect(m_view, &CBrinnowView::documentModified, &m_recovery, &RecoveryKeeper::DocumentChanged);
    connect(&m_diskFile, &DiskFileWatch::changedOnDisk, this, &CMainFrame::OnChangedOnDisk);
    connect(&m_recovery, &RecoveryKeeper::writeFailed, this, [this](const QString& reason) {
        statusBar()->showMessage("No recovery copy of the changes could be kept. " + reason);
    });
}

// Undo and Redo name the step they would take, and are there only when
// there is one; the history's clean state is the modified flag.
void CMainFrame::ConnectHistory() {
    QUndoStack& stack = m_history.Stack();
    QAction* undo = Action(ID_EDIT_UNDO);
    QAction* redo = Action(ID_EDIT_REDO);
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& step) { undo->setText(StepCommandText("&Undo", step)); });
    connect(&stack, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& step) { redo->setText(StepCommandText("&Redo", step)); });
    connect(undo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(&m_history, &EditHistory::documentChanged, m_view, &CBrinnowView::OnUpdate);
    connect(&stack, &QUndoStack::indexChanged, &m_recovery, &RecoveryKeeper::DocumentChanged);
    connect(&m_history, &EditHistory::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        UpdateCaption();
    });
    connect(m_view, &CBrinnowView::listingChanged, this, &CMainFrame::UpdateShownCount);
    connect(m_view, &CBrinnowView::currentShipChanged, this, &CMainFrame::UpdateClipboardCommands);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateClipboardCommands);
    connect(m_view, &CBrinnowView::listingChanged, m_findBar, &FindShipBar::RefillNations);
    connect(m_findBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateShownCount);
    // Revert needs a file to go back to.
    connect(m_fileMenu, &QMenu::aboutToShow, this,
            [this] { Action(ID_FILE_REVERT)->setEnabled(!m_doc.GetPathName().empty()); });
}

// Cut and Copy take the highlighted card; Paste wants records to take.
void CMainFrame::UpdateClipboardCommands() {
    Action(ID_EDIT_CUT)->setEnabled(m_view->CanCopy());
    Action(ID_EDIT_COPY)->setEnabled(m_view->CanCopy());
    Action(ID_EDIT_PASTE)->setEnabled(!RecordsOnClipboard().empty());
}

// While filters may narrow the listing, the status bar says how much of it shows.
void CMainFrame::UpdateShownCount() {
    m_shownCount->setVisible(m_findBar->isVisible());
    m_shownCount->setText(
        QStringLiteral("%1 of %2 ships").arg(m_view->ShownCount()).arg(m_doc.m_ships.size()));
}

void CMainFrame::UpdateCaption() {
    // "[*]" shows as "*" while the document holds unsaved changes.
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + "[*] - " + kWindowTitle);
    setWindowModified(m_doc.IsModified());
}

bool CMainFrame::SaveModified() {
    if (!m_doc.IsModified()) return true;
    switch (AfxMessageBox("Save changes to " + m_doc.GetTitle() + "?",
                          MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            return OnFileSave();
        case IDNO:
            return true;
        default:
            return false;
    }
}

bool CMainFrame::OnFileNew() {
    if (!SaveModified()) return false;
    m_doc.OnNewDocument();
    m_history.Forget();
    m_view->OnUpdate();
    UpdateCaption();
    DocumentReplaced({});
    return true;
}

// The name of the document's file as the user knows it, quoted.
QString CMainFrame::ShownPath() const {
    return "\"" + QDir::toNativeSeparators(QFile::decodeName(m_doc.GetPathName().c_str())) + "\"";
}

bool CMainFrame::LockOrAsk(const QString& path, DocumentLock& lock, const QString& question) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (lock.Acquire(QFile::encodeName(absolute).toStdString()) !=
        DocumentLock::Outcome::HeldElsewhere) {
        return true;
    }
    return AskYesNoUnicode(question.arg("\"" + QDir::toNativeSeparators(absolute) + "\"",
                                        QString::fromStdString(lock.Holder())));
}

void CMainFrame::DocumentReplaced(DocumentLock lock) {
    m_lock = std::move(lock);
    m_diskFile.Track(QFile::decodeName(m_doc.GetPathName().c_str()));
    m_recovery.Discard();
    m_recovery.DocumentChanged();
}

bool CMainFrame::OnFileOpen() {
    const QString path = ChooseFile(this, {FileChoice::Open, "Open", kCampaignFilter, {}, {}});
    return !path.isEmpty() && OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& given) {
    if (!SaveModified()) return false;
    // A name from the command line may be relative to the folder it was
    // started in; the recent files must still find it from anywhere.
    const QString path = QFileInfo(given).absoluteFilePath();
    DocumentLock lock;
    if (!LockOrAsk(path, lock, kOpenElsewhere)) return false;
    // Loaded apart and taken over only when whole, so that a damaged file
    // leaves the open campaign as it was.
    CBrinnowDoc loaded;
    bool opened = false;
    if (!RunWithProgress(this, "Open", [&](Progress& progress) {
            opened = loaded.OnOpenDocument(path.toStdString(), progress);
        }))
        return false;
    if (!opened) {
        m_recentFiles.removeAll(path);
        RebuildRecentFiles();
        AfxMessageBoxUnicode(QString::fromStdString(loaded.ErrorMessage()));
        return false;
    }
    m_doc = std::move(loaded);
    m_history.Forget();
    m_view->OnUpdate();
    UpdateCaption();
    const bool unlocked = !lock.Held() && QFileInfo(path).isWritable();
    DocumentReplaced(std::move(lock));
    AddRecentFile(path);
    if (unlocked)
        AfxMessageBoxUnicode(QString(kNoLockPossible).arg(ShownPath()), MB_OK | MB_ICONINFORMATION);
    if (!m_doc.LoadWarning().empty())
        AfxMessageBoxUnicode(QString::fromStdString(m_doc.LoadWarning()));
    return true;
}

bool CMainFrame::OnFileImportJson() {
    const QString path = ChooseFile(
        this, {FileChoice::Open, "Import Campaign from JSON", "JSON Files (*.json)", "json", {}});
    if (path.isEmpty()) return false;
    // Read first, so that a file that cannot be taken changes nothing and asks nothing.
    CBrinnowDoc imported;
    std::string error;
    bool read = false;
    if (!RunWithProgress(this, "Import Campaign from JSON", [&](Progress& progress) {
            read = ImportCampaignJsonFile(path.toStdString(), imported, error, progress);
        }))
        return false;
    if (!read) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return false;
    }
    if (!SaveModified()) return false;
    m_doc = std::move(imported);
    m_history.Forget(false);
    m_view->OnUpdate();
    UpdateCaption();
    DocumentReplaced({});
    return true;
}

bool CMainFrame::OnFileSave() {
    if (m_doc.GetPathName().empty()) return OnFileSaveAs();
    // Never over another program's version without a word.
    if (m_diskFile.Check() == DiskFileWatch::Disk::Changed) {
        enum { kReload, kSaveAs, kOverwrite, kCancel };
        switch (AskChoice("Save", QString(kSaveOverChange).arg(ShownPath()),
                          {"&Reload", "Save &As...", "&Overwrite", "Cancel"}, kCancel)) {
            case kReload:
                OnFileRevert(false);
                return false;
            case kSaveAs:
                return OnFileSaveAs();
            case kOverwrite:
                break;
            default:
                return false;
        }
    }
    return SaveTo(QFile::decodeName(m_doc.GetPathName().c_str()));
}

bool CMainFrame::OnFileSaveAs() {
    const QString path = ChooseFile(
        this, {FileChoice::Save, "Save As", kCampaignFilter, "brn", ProposedDocumentPath()});
    return !path.isEmpty() && SaveTo(path);
}

// The document's own file, or its title in the last folder used.
QString CMainFrame::ProposedDocumentPath() const {
    if (!m_doc.GetPathName().empty()) return QString::fromStdString(m_doc.GetPathName());
    const std::string lastUsed =
        m_recentFiles.isEmpty() ? std::string() : QFile::encodeName(m_recentFiles.first()).toStdString();
    return ProposedFile(QString::fromStdString(m_doc.GetTitle()), lastUsed, "brn");
}

bool CMainFrame::SaveTo(const QString& path) {
    const bool sameFile = path == QFile::decodeName(m_doc.GetPathName().c_str());
    DocumentLock lock;
    if (!sameFile && !LockOrAsk(path, lock, kSaveOverOpen)) return false;
    bool saved = false;
    if (!RunWithProgress(this, "Save", [&](Progress& progress) {
            saved = m_doc.OnSaveDocument(path.toStdString(), progress);
        }))
        return false;
    if (!saved) {
        AfxMessageBoxUnicode(QString::fromStdString(m_doc.ErrorMessage()));
        return false;
    }
    m_history.MarkSaved();
    if (!sameFile) m_lock = std::move(lock);
    m_diskFile.Track(path);
    m_recovery.Discard();
    AddRecentFile(path);
    UpdateCaption();
    return true;
}

bool CMainFrame::OnFileRevert(bool ask) {
    const std::string path = m_doc.GetPathName();
    if (path.empty()) return false;
    if (ask && AfxMessageBox("Revert to the copy of " + m_doc.GetTitle() +
                                 " saved on disk? Undo brings back the changes.",
                             MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    CBrinnowDoc saved;
    bool loaded = false;
    if (!RunWithProgress(this, "Revert to Saved", [&](Progress& progress) {
            loaded = saved.OnOpenDocument(path, progress);
        }))
        return false;
    if (!loaded) {
        AfxMessageBox(saved.ErrorMessage());
        return false;
    }
    m_history.Run("Revert to Saved", [&] { m_doc = std::move(saved); });
    m_history.MarkSaved();
    m_diskFile.Track(QFile::decodeName(path.c_str()));
    m_recovery.Discard();
    return true;
}

void CMainFrame::OnChangedOnDisk(DiskFileWatch::Disk disk) {
    if (disk == DiskFileWatch::Disk::Missing) {
        AfxMessageBoxUnicode(QString(kMissingOnDisk).arg(ShownPath()));
    } else if (disk == DiskFileWatch::Disk::NotAFile) {
        AfxMessageBoxUnicode(QString(kNotAFileOnDisk).arg(ShownPath()));
    } else if (AskYesNoUnicode(QString(kChangedOnDisk).arg(ShownPath()))) {
        OnFileRevert(false);
    }
}

bool CMainFrame::OfferRecovery() {
    for (const RecoveryFile& copy : RecoveryFile::Abandoned()) {
        const QString document = copy.Document().isEmpty()
                                     ? QStringLiteral("an untitled campaign")
                                     : "\"" + QDir::toNativeSeparators(copy.Document()) + "\"";
        const QString when = QLocale().toString(copy.Written(), QLocale::LongFormat);
        enum { kRecover, kKeep, kDiscard };
        switch (AskChoice("Recover Unsaved Work", QString(kRecoverQuestion).arg(document, when),
                          {"&Recover", "&Keep for Later", "&Discard"}, kRecover)) {
            case kRecover:
                if (Recover(copy)) return true;
                break;
            case kDiscard:
                copy.Remove();
                break;
            default:
                break;
        }
    }
    return false;
}

bool CMainFrame::Recover(const RecoveryFile& copy) {
    CBrinnowDoc recovered;
    std::string error;
    if (!copy.Read(recovered, error)) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return false;
    }
    if (!SaveModified()) return false;
    DocumentLock lock;
    if (!copy.Document().isEmpty() && !LockOrAsk(copy.Document(), lock, kOpenElsewhere)) {
        return false;
    }
    recovered.SetPathName(QFile::encodeName(copy.Document()).toStdString());
    m_doc = std::move(recovered);
    m_history.Forget(false);
    m_view->OnUpdate();
    UpdateCaption();
    m_lock = std::move(lock);
    // Save then asks if the file changed since the work was kept.
    m_diskFile.Track(copy.Document(), copy.Digest());
    // This window keeps the work from now on, in a copy of its own.
    m_recovery.WriteNow();
    if (!m_recovery.Copy() || m_recovery.Copy()->Path() != copy.Path()) copy.Remove();
    return true;
}

void CMainFrame::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kRecentFiles) m_recentFiles.removeLast();
    RebuildRecentFiles();
    SaveSettings();
}

void CMainFrame::RebuildRecentFiles() {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    QAction* placeholder = Action(ID_FILE_MRU_FILE1);
    placeholder->setVisible(m_recentFiles.isEmpty());
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles.at(i);
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this);
        action->setData(ID_FILE_MRU_FILE1 + i);
        action->setStatusTip("Open this document");
        connect(action, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); });
        m_fileMenu->insertAction(m_recentSeparator, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::LoadSettings() {
    QSettings settings;
    m_recentFiles.clear();
    settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) m_recentFiles.append(path);
    }
    settings.endGroup();
    RebuildRecentFiles();
    settings.beginGroup(kSettingsGroup);
    // The window first, as a zoom change saves the settings and would store
    // the default geometry over the user's.
    RestoreWindowPlacement(settings);
    // Screens report few pixels per millimetre, so cards start at twice
    // their true size; the user's own choice is kept from then on.
    m_view->SetZoom(settings.value("Zoom", kDefaultZoom).toDouble());
    settings.endGroup();
    NightColours::Instance().ApplyKept();
    m_settingsLoaded = true;
}

void CMainFrame::RestoreWindowPlacement(QSettings& settings) {
    restoreState(settings.value("WindowState").toByteArray());
    if (restoreGeometry(settings.value("WindowGeometry").toByteArray())) return;
    // A first start: two thirds of the screen, centred on it.
    const QRect available = screen()->availableGeometry();
    const QSize size = available.size() * 2 / 3;
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

void CMainFrame::SaveSettings() const {
    if (!m_settingsLoaded) return;
    QSettings settings;
    settings.beginGroup(kRecentGroup);
    settings.remove("");
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), m_recentFiles.at(i));
    }
    settings.endGroup();
    settings.beginGroup(kSettingsGroup);
    settings.setValue("Zoom", m_view->Zoom());
    settings.setValue("WindowGeometry", saveGeometry());
    settings.setValue("WindowState", saveState());
    settings.endGroup();
}

void CMainFrame::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

// One window, checking again whenever the listing follows a change.
void CMainFrame::ShowCampaignCheck() {
    if (!m_checkWindow) {
        m_checkWindow = new CampaignCheckWindow(m_doc, m_history, *m_view, this);
        connect(m_view, &CBrinnowView::listingChanged, m_checkWindow,
                &CampaignCheckWindow::ScheduleCheck);
    }
    m_checkWindow->show();
    m_checkWindow->raise();
    m_checkWindow->activateWindow();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == kDocumentChangedEvent) {
        // Passed on to the direct children only, as the notice always was.
        for (QObject* child : children()) {
            if (child->isWidgetType()) {
                QEvent notice(kDocumentChangedEvent);
                QCoreApplication::sendEvent(child, &notice);
            }
        }
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::KeepWorkBeforeStop() {
    m_recovery.WriteNow();
    SaveSettings();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    // A clean exit: whatever was not saved, the user chose to drop.
    m_recovery.Discard();
    m_lock.Release();
    SaveSettings();
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // Every key reaches its window once, before the widgets see it.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        UpdateKeyIndicators(static_cast<QKeyEvent*>(event)->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateKeyIndicators(int key) {
    QLabel* label = m_keyIndicators.value(key);
    if (!label) return;
    m_keyStates[key] = !m_keyStates.value(key);
    label->setEnabled(m_keyStates[key]);
}
