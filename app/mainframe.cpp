#include "app/mainframe.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
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
#include "app/maincommands.h"
#include "app/recordclipboard.h"
#include "app/tablecommands.h"
#include "desktop/filedialogs.h"
#include "desktop/helpwindow.h"
#include "desktop/nightcolours.h"
#include "history/documentnotice.h"
#include "platform/programfiles.h"

namespace {

constexpr const char* kWindowTitle = "Brinnow";
constexpr const char* kIdlePrompt = "For Help, press F1";
constexpr const char* kSettingsGroup = "Settings";
constexpr double kDefaultZoom = 2.0;

// "Undo Edit Ships", or plain "Undo" when there is no step to name.
QString StepCommandText(const QString& verb, const QString& step) {
    return step.isEmpty() ? verb : verb + " " + step;
}

}  // namespace

CMainFrame::CMainFrame() {
    setObjectName("mainFrame");
    m_view = new CBrinnowView(Document(), History(), this);
    setCentralWidget(m_view);
    m_commands = std::make_unique<MainCommands>(*this);
    CreateFindBar();
    CreateStatusBar();
    ConnectCommands();
    ConnectHistory();
    ConnectDocument();
    UpdateClipboardCommands();
    LoadSettings();
    SetNoticeWindow(this);
    qApp->installEventFilter(this);
    UpdateCaption();
}

CMainFrame::~CMainFrame() { SetNoticeWindow(nullptr); }

// The bar sits over the card listing, below the tool bar, until closed.
void CMainFrame::CreateFindBar() {
    m_findBar = new FindShipBar(Document(), *m_view, this);
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
    handle(ID_TOOLS_IMPORT_CSV, [this] { ImportShipsFromCsv(this, Document(), History()); });
    handle(ID_TOOLS_PLAY_SCENARIO, [this] { ChooseAndPlayScenario(this, Document()); });
    handle(ID_TOOLS_COMPARE_FORCES, [this] { ChooseAndCompareScenario(this, Document()); });
    handle(ID_FILE_OPEN_GAME, [this] { ChooseAndOpenGame(this, Document()); });
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
}

// The manager says what happened to the document; the window shows it.
void CMainFrame::ConnectDocument() {
    connect(m_view, &CBrinnowView::documentModified, &m_docs, &DocumentManager::DocumentEdited);
    connect(&m_docs, &DocumentManager::documentReplaced, this, [this] {
        m_view->OnUpdate();
        UpdateCaption();
    });
    connect(&m_docs, &DocumentManager::documentSaved, this, &CMainFrame::UpdateCaption);
    connect(&m_docs, &DocumentManager::recentFilesChanged, this, [this] {
        ShowRecentFiles();
        SaveSettings();
    });
    connect(&m_docs, &DocumentManager::recoveryCopyFailed, this, [this](const QString& reason) {
        statusBar()->showMessage("No recovery copy of the changes could be kept. " + reason);
    });
}

// Undo and Redo name the step they would take, and are there only when
// there is one; the history's clean state is the modified flag.
void CMainFrame::ConnectHistory() {
    QUndoStack& stack = History().Stack();
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
    connect(&History(), &EditHistory::documentChanged, m_view, &CBrinnowView::OnUpdate);
    connect(&History(), &EditHistory::modifiedChanged, this, [this](bool modified) {
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
    connect(m_commands->FileMenu(), &QMenu::aboutToShow, this,
            [this] { Action(ID_FILE_REVERT)->setEnabled(!Document().GetPathName().empty()); });
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
        QStringLiteral("%1 of %2 ships").arg(m_view->ShownCount()).arg(Document().m_ships.size()));
}

void CMainFrame::UpdateCaption() {
    // "[*]" shows as "*" while the document holds unsaved changes.
    setWindowTitle(QString::fromStdString(Document().GetTitle()) + "[*] - " + kWindowTitle);
    setWindowModified(Document().IsModified());
}

bool CMainFrame::OnFileOpen() {
    const QString path =
        ChooseFile(this, {FileChoice::Open, "Open", WindowQuestions::kCampaignFilter, {}, {}});
    return !path.isEmpty() && OpenDocumentFile(path);
}

bool CMainFrame::OnFileImportJson() {
    const QString path = ChooseFile(
        this, {FileChoice::Open, "Import Campaign from JSON", "JSON Files (*.json)", "json", {}});
    return !path.isEmpty() && m_docs.ImportJson(path);
}

void CMainFrame::ShowRecentFiles() {
    m_commands->ShowRecentFiles(m_docs.RecentFiles(),
                                [this](const QString& path) { OpenDocumentFile(path); });
}

void CMainFrame::LoadSettings() {
    QSettings settings;
    ShowRecentFiles();
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
        m_checkWindow = new CampaignCheckWindow(Document(), History(), *m_view, this);
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
    m_docs.KeepWorkBeforeStop();
    SaveSettings();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_docs.Close()) {
        event->ignore();
        return;
    }
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
