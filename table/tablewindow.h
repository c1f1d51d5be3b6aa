#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "desktop/printcommand.h"
#include "game/gamesession.h"
#include "game/scenariosnapshot.h"
#include "platform/diskfilewatch.h"

class FindBar;
class CompareWindow;
class QAction;
class QLabel;
class QListWidget;
class QToolBar;
class ScreenPlacement;
class ShareHost;
class ShareTableWindow;
class TableView;

// A game of a scenario at the table: the cards to mark, the turn, the log,
// undo and redo of the game's own steps, and printing the force sheets with
// the marks. Every change is in the game file before the next one can be
// made. Not modal: the campaign's window stays usable beside it.
class TableWindow : public QMainWindow {
    Q_OBJECT
  public:
    TableWindow(ScenarioSnapshot snapshot, GameSession session, std::string campaignPath,
                QWidget* parent = nullptr);
    ~TableWindow() override;

    const Game& GetGame() const { return m_session.GetGame(); }
    const ScenarioSnapshot& Snapshot() const { return m_snapshot; }
    TableView& View() { return *m_view; }
    QListWidget& LogList() { return *m_log; }
    FindBar& FindShipBar() { return *m_findBar; }
    QAction* Action(const QString& name) const;

    // Toggles a mark of a roster ship, as a click does.
    void ToggleMark(int card, CardMark mark);
    void NextTurn();
    void Undo();
    void Redo();
    // Asks, then starts the game afresh in the same file.
    void NewGame();
    // Writes the log as text to a file the user chooses.
    void SaveLog();
    void Print();
    void PrintPreview();
    void ToggleFullScreen();
    // The forces now beside how they started, following the marks.
    void CompareForces();
    CompareWindow* Comparison() const;
    // Shares the game with the players' phones, or shows the share.
    void ShareTable();
    void StopSharing();
    ShareHost* Host() const { return m_host.get(); }
    ShareTableWindow* ShareWindow() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* AddAction(QMenu* menu, const QString& name, const QString& text,
                       const QKeySequence& shortcut, void (TableWindow::*handler)());
    void CreateActions();
    void CreateViewMenu();
    void CreateToolBar();
    void CreateLogPane();
    void CreateFindBar();
    // Tab goes round the cards, the log and the tool bar.
    void ChainKeyboardFocus(QToolBar* bar);
    // Where the window was left on the screen it opens on, and its zoom.
    ScreenPlacement Placement() const;
    void RestorePlacement();
    void Changed(bool saved, const std::string& error);
    void ChangedByDevices();
    void ShowGameState();
    void RefreshLog();
    void UpdateTitle();
    void Perform(const GameAction& action);
    bool MayWrite();
    bool OfferReload(DiskFileWatch::Disk disk);
    void Reload();
    void ShowChange();
    PrinterJob PrintJob() const;

    ScenarioSnapshot m_snapshot;
    GameSession m_session;
    std::string m_campaignPath;
    TableView* m_view = nullptr;
    QListWidget* m_log = nullptr;
    FindBar* m_findBar = nullptr;
    QLabel* m_turn = nullptr;
    QPointer<CompareWindow> m_compare;
    int m_changedCard = -1;  // the card a mark changes; -1 for any other change
    DiskFileWatch m_disk;    // the game file, against writers that take no lock
    // Goes before the session it writes through.
    std::unique_ptr<ShareHost> m_host;
    QPointer<ShareTableWindow> m_share;
};
