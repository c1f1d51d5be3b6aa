#include "table/tablewindow.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QToolBar>

#include "charts/comparewindow.h"
#include "desktop/filedialogs.h"
#include "desktop/findbar.h"
#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/nightcolours.h"
#include "desktop/printcommand.h"
#include "desktop/proposedfile.h"
#include "desktop/screenplacement.h"
#include "desktop/unmatchedwarning.h"
#include "game/gamefile.h"
#include "game/gamelog.h"
#include "platform/filestore.h"
#include "platform/qtstrings.h"
#include "print/scenarioprintjob.h"
#include "share/localaddress.h"
#include "share/sharehost.h"
#include "table/logpane.h"
#include "table/sharetablewindow.h"
#include "table/tableview.h"

namespace {
constexpr QSize kPreferredSize(1100, 800);
constexpr const char* kZoom = "Zoom";
}  // namespace

TableWindow::TableWindow(ScenarioSnapshot snapshot, GameSession session, std::string campaignPath,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_snapshot(std::move(snapshot)),
      m_session(std::move(session)),
      m_campaignPath(std::move(campaignPath)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new TableView(m_snapshot, m_session.GetGame(), this);
    setCentralWidget(m_view);
    connect(m_view, &TableView::markRequested, this, &TableWindow::ToggleMark);
    m_session.SetChangeShown([this] { ShowChange(); });
    CreateLogPane();
    CreateActions();
    CreateFindBar();
    RefreshLog();
    UpdateTitle();
    m_disk.Track(QString::fromStdString(m_session.Path()));
    connect(&m_disk, &DiskFileWatch::changedOnDisk, this, &TableWindow::OfferReload);
    RestorePlacement();
    m_view->setFocus();
}

TableWindow::~TableWindow() { StopSharing(); }

QAction* TableWindow::AddAction(QMenu* menu, const QString& name, const QString& text,
                                const QKeySequence& shortcut, void (TableWindow::*handler)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    if (handler) connect(action, &QAction::triggered, this, handler);
    menu->addAction(action);
    return action;
}

QAction* TableWindow::Action(const QString& name) const { return findChild<QAction*>(name); }

void TableWindow::CreateActions() {
    QMenu* game = menuBar()->addMenu("&Game");
    AddAction(game, "nextTurn", "&Next Turn", QKeySequence(Qt::CTRL | Qt::Key_T),
              &TableWindow::NextTurn);
    AddAction(game, "sunk", "Mark &Sunk", Qt::Key_S, nullptr);
    connect(Action("sunk"), &QAction::triggered, this,
            [this] { ToggleMark(m_view->FocusCard(), CardMark::Sunk); });
    AddAction(game, "findShip", "&Find Ship...", QKeySequence::Find, nullptr);
    game->addSeparator();
    AddAction(game, "newGame", "New &Game...", {}, &TableWindow::NewGame);
    AddAction(game, "saveLog", "Save &Log...", {}, &TableWindow::SaveLog);
    game->addSeparator();
    AddAction(game, "print", "&Print...", QKeySequence::Print, &TableWindow::Print);
    AddAction(game, "printPreview", "Print Pre&view", {}, &TableWindow::PrintPreview);
    game->addSeparator();
    AddAction(game, "compareForces", "&Compare Forces", {}, &TableWindow::CompareForces);
    AddAction(game, "shareTable", "Sh&are Table...", {}, &TableWindow::ShareTable);
    game->addSeparator();
    AddAction(game, "help", "&Help", QKeySequence::HelpContents, nullptr);
    connect(Action("help"), &QAction::triggered, [] { ShowHelp(HelpContext::kTable); });
    AddAction(game, "close", "&Close", QKeySequence::Close, nullptr);
    connect(Action("close"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    AddAction(edit, "undo", "&Undo", QKeySequence::Undo, &TableWindow::Undo);
    AddAction(edit, "redo", "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
              &TableWindow::Redo);

    CreateViewMenu();
    CreateToolBar();
}

void TableWindow::CreateViewMenu() {
    QMenu* view = menuBar()->addMenu("&View");
    AddAction(view, "zoomIn", "Zoom &In", QKeySequence(Qt::CTRL | Qt::Key_Plus), nullptr);
    connect(Action("zoomIn"), &QAction::triggered, m_view, &TableView::ZoomIn);
    // Ctrl+= is Ctrl++ without Shift on most keyboards.
    Action("zoomIn")->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    AddAction(view, "zoomOut", "Zoom &Out", QKeySequence(Qt::CTRL | Qt::Key_Minus), nullptr);
    connect(Action("zoomOut"), &QAction::triggered, m_view, &TableView::ZoomOut);
    AddAction(view, "fitWidth", "&Fit Width", QKeySequence(Qt::CTRL | Qt::Key_0), nullptr);
    connect(Action("fitWidth"), &QAction::triggered, m_view, &TableView::FitWidth);
    view->addSeparator();
    AddAction(view, "fullScreen", "F&ull Screen", Qt::Key_F11, &TableWindow::ToggleFullScreen);
    Action("fullScreen")->setCheckable(true);
    // One choice for every window of the program.
    QAction* night = AddAction(view, "nightColours", "&Night Colours", {}, nullptr);
    night->setCheckable(true);
    NightColours& colours = NightColours::Instance();
    night->setChecked(colours.On());
    m_view->SetNightColours(colours.On());
    connect(night, &QAction::toggled, &colours, &NightColours::Set);
    connect(&colours, &NightColours::changed, night, &QAction::setChecked);
    connect(&colours, &NightColours::changed, m_view, &TableView::SetNightColours);
    view->addAction(findChild<QDockWidget*>()->toggleViewAction());
}

void TableWindow::CreateToolBar() {
    QToolBar* bar = addToolBar("Game");
    bar->setObjectName("gameToolBar");
    bar->addAction(Action("nextTurn"));
    m_turn = new QLabel(bar);
    m_turn->setObjectName("turn");
    m_turn->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_turn);
    bar->addSeparator();
    for (const char* name : {"undo", "redo", "zoomOut", "zoomIn", "fitWidth", "print", "newGame"})
        bar->addAction(Action(name));
    ChainKeyboardFocus(bar);
}

void TableWindow::ChainKeyboardFocus(QToolBar* bar) {
    QWidget* previous = m_log;
    setTabOrder(m_view, m_log);
    for (QAction* action : bar->actions()) {
        QWidget* button = bar->widgetForAction(action);
        if (!button || action->isSeparator() || button == m_turn) continue;
        button->setFocusPolicy(Qt::TabFocus);
        setTabOrder(previous, button);
        previous = button;
    }
}

void TableWindow::CreateLogPane() {
    auto* dock = new QDockWidget("Log", this);
    dock->setObjectName("log");
    m_log = new LogPane(dock);
    dock->setWidget(m_log);
    addDockWidget(Qt::RightDockWidgetArea, dock);
}

// The find bar sits over the cards, below the tool bar, until closed.
void TableWindow::CreateFindBar() {
    m_findBar = new FindBar(
        "Part of a ship's name",
        [this](const QString& text, bool fromTop, bool backwards) {
            const ShipSearch search(FromQt(text));
            return !search.IsEmpty() && m_view->FindShip(search, fromTop, backwards);
        },
        *m_view, this);
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, m_findBar);
    m_findBar->hide();
    connect(Action("findShip"), &QAction::triggered, m_findBar, &FindBar::Activate);
}

ScreenPlacement TableWindow::Placement() const {
    const QWidget* beside = parentWidget() && !isVisible() ? parentWidget() : this;
    return ScreenPlacement("Table Window", *beside->screen());
}

void TableWindow::RestorePlacement() {
    const ScreenPlacement placement = Placement();
    placement.Restore(*this, kPreferredSize);
    m_view->SetZoom(placement.Value(kZoom, TableView::kDefaultZoom).toDouble());
}

void TableWindow::closeEvent(QCloseEvent* event) {
    StopSharing();
    const ScreenPlacement placement = Placement();
    placement.Save(*this);
    placement.SetValue(kZoom, m_view->Zoom());
    QMainWindow::closeEvent(event);
}

void TableWindow::UpdateTitle() {
    const QString turn = QStringLiteral("Turn %1").arg(GetGame().Turn());
    setWindowTitle(ToQt(m_snapshot.scenario.m_strName) + " \u2014 " + turn + " \u2014 Brinnow");
    if (m_turn) m_turn->setText(turn);
    if (QAction* undo = Action("undo")) undo->setEnabled(m_session.CanUndo());
    if (QAction* redo = Action("redo")) redo->setEnabled(m_session.CanRedo());
}

void TableWindow::RefreshLog() {
    const auto& log = GetGame().Log();
    // Marks only ever add a line at the end or take the last one back.
    while (m_log->count() > int(log.size())) delete m_log->takeItem(m_log->count() - 1);
    for (std::size_t i = std::size_t(m_log->count()); i < log.size(); ++i) {
        m_log->addItem(QString::fromStdString(LogLine(log[i])));
    }
    m_log->scrollToBottom();
}

void TableWindow::Changed(bool saved, const std::string& error) {
    if (saved) {
        m_disk.Track(QString::fromStdString(m_session.Path()));
    } else {
        AfxMessageBoxUnicode(QString::fromStdString(error) +
                             "\n\nThe game goes on; it is written again with the next change.");
    }
    if (m_host) m_host->Tell();
    ShowGameState();
}

// The devices' changes are in the file already, or were taken back.
void TableWindow::ChangedByDevices() {
    m_disk.Track(QString::fromStdString(m_session.Path()));
    ShowGameState();
}

void TableWindow::ShowGameState() {
    RefreshLog();
    UpdateTitle();
    if (m_compare) m_compare->Refresh();
}

// The changed cards are drawn before the game file is written.
void TableWindow::ShowChange() {
    if (m_changedCard >= 0) {
        m_view->CardChanged(m_changedCard);
    } else {
        m_view->MarksChanged();
    }
    m_view->viewport()->repaint();
}

// Whether this window may write its game: yes unless another program
// changed the file since and the user takes that version instead.
bool TableWindow::MayWrite() {
    const DiskFileWatch::Disk disk = m_disk.Check();
    return disk == DiskFileWatch::Disk::AsKnown || !OfferReload(disk);
}

// true when the game on disk was loaded in place of this window's.
bool TableWindow::OfferReload(DiskFileWatch::Disk disk) {
    const QString path = QString::fromStdString(m_session.Path());
    if (disk != DiskFileWatch::Disk::Changed) {
        AfxMessageBoxUnicode(
            "The game file \"" + path +
                "\" has been removed or replaced by another program. This window's "
                "game is written to it again with the next change.",
            MB_OK | MB_ICONINFORMATION);
    } else if (AfxMessageBoxUnicode("The game file \"" + path +
                                        "\" has been changed by another program. Load that "
                                        "version?\n\nNo keeps this window's game, which then "
                                        "replaces it with the next change.",
                                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
        Reload();
        return true;
    }
    // The user keeps this window's game: the version on disk is known now.
    m_disk.Track(path);
    return false;
}

void TableWindow::Reload() {
    Game game;
    std::string error;
    if (!ReadGameFile(m_session.Path(), game, error)) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return;
    }
    m_session.Restart(std::move(game));
    m_disk.Track(QString::fromStdString(m_session.Path()));
    m_log->clear();
    ShowChange();
    if (m_host) m_host->Tell();
    RefreshLog();
    UpdateTitle();
}

void TableWindow::Perform(const GameAction& action) {
    if (!MayWrite()) return;
    std::string error;
    const bool saved = m_session.Do(action, error);
    Changed(saved, error);
}

void TableWindow::ToggleMark(int card, CardMark mark) {
    if (card < 0 || card >= int(m_snapshot.roster.size())) return;
    const std::size_t index = std::size_t(card);
    if (m_snapshot.missing[index]) return;  // nothing on it to mark
    const RosterShip& ship = m_snapshot.roster[index];
    m_changedCard = card;
    Perform({GameAction::Kind::Toggle,
             ship.place,
             ship.name,
             mark,
             m_snapshot.labels[index].empty() ? CString() : m_snapshot.LabelledName(index),
             {}});
    m_changedCard = -1;
}

void TableWindow::NextTurn() { Perform(GameAction::NextTurn()); }

void TableWindow::Undo() {
    if (!MayWrite()) return;
    std::string error;
    const bool saved = m_session.Undo(error);
    Changed(saved, error);
}

void TableWindow::Redo() {
    if (!MayWrite()) return;
    std::string error;
    const bool saved = m_session.Redo(error);
    Changed(saved, error);
}

void TableWindow::CompareForces() {
    if (!m_compare) {
        m_compare = new CompareWindow(
            m_snapshot.scenario.m_strName, m_campaignPath,
            [this] { return ::CompareForces(m_snapshot, &GetGame()); }, this);
    }
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

CompareWindow* TableWindow::Comparison() const { return m_compare.data(); }

void TableWindow::ShareTable() {
    if (!m_host) {
        m_host = std::make_unique<ShareHost>(m_snapshot, m_session);
        connect(m_host.get(), &ShareHost::gameChanged, this, &TableWindow::ChangedByDevices);
    }
    if (!m_host->IsSharing()) {
        QString error;
        if (!m_host->Start(DefaultShareAddress(), ShareHost::kDefaultPort, true, error)) {
            AfxMessageBoxUnicode(error);
            return;
        }
    }
    if (!m_share) {
        m_share = new ShareTableWindow(*m_host, ToQt(m_snapshot.scenario.m_strName), m_campaignPath,
                                       this);
    }
    m_share->show();
    m_share->raise();
    m_share->activateWindow();
}

// Every device's connection ends at once, and the links lead nowhere.
void TableWindow::StopSharing() {
    if (m_share) m_share->close();
    if (m_host) m_host->Stop();
}

ShareTableWindow* TableWindow::ShareWindow() const { return m_share.data(); }

void TableWindow::NewGame() {
    if (!AskYesNo("Start a new game of \"" + m_snapshot.scenario.m_strName +
                  "\"? The marks and the log of this game are cleared.")) {
        return;
    }
    Game fresh;
    fresh.campaign = GetGame().campaign;
    fresh.scenario = GetGame().scenario;
    m_session.Restart(std::move(fresh));
    std::string error;
    const bool saved = m_session.Save(error);
    Changed(saved, error);
}

void TableWindow::SaveLog() {
    FileChoice choice;
    choice.kind = FileChoice::Save;
    choice.caption = "Save Log";
    choice.filter = "Text Files (*.txt)";
    choice.defaultSuffix = "txt";
    choice.proposedPath =
        ProposedFile(ToQt(m_snapshot.scenario.m_strName) + " log", m_session.Path(), "txt");
    const QString path = ChooseFile(this, choice);
    if (path.isEmpty()) return;
    std::string error;
    if (!WriteFileSafely(path.toStdString(), LogText(GetGame()), error)) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
    }
}

// The scenario's sheets as its editor prints them, with the game's marks.
PrinterJob TableWindow::PrintJob() const {
    return [this](CDC& printer, Progress& progress) {
        RunScenarioPrintJob(printer, m_snapshot.scenario, m_snapshot.ships, m_snapshot.armaments,
                            &GetGame(), progress);
    };
}

void TableWindow::Print() {
    if (!ConfirmPrintOfUnmatchedNames(m_snapshot.missingNames, "this scenario")) return;
    PrintWithDialog(this, m_snapshot.scenario.m_strName, m_campaignPath, PrintJob());
}

void TableWindow::PrintPreview() {
    if (!ConfirmPrintOfUnmatchedNames(m_snapshot.missingNames, "this scenario")) return;
    PreviewPrint(this, m_snapshot.scenario.m_strName, m_campaignPath, PrintJob());
}

void TableWindow::ToggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
    Action("fullScreen")->setChecked(isFullScreen());
}
