#pragma once

#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "app/maincommands.h"
#include "app/windowquestions.h"
#include "document/documentmanager.h"

class CBrinnowView;
class CampaignCheckWindow;
class FindShipBar;
class QAction;
class QMenu;
class QSettings;

// The main window: menus, tool bar, status bar and the view of the one
// document, whose life from New to Exit its manager leads.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;

    DocumentManager& Documents() { return m_docs; }
    CBrinnowDoc& Document() { return m_docs.Document(); }
    CBrinnowView& View() { return *m_view; }
    EditHistory& History() { return m_docs.History(); }
    FindShipBar& FindBar() { return *m_findBar; }
    RecoveryKeeper& Recovery() { return m_docs.Recovery(); }
    // The action of a command id, for the tool bar, tests and shortcuts.
    QAction* Action(int id) const { return m_commands->Action(id); }
    QStringList RecentFiles() const { return m_docs.RecentFiles(); }

    // The File commands, as the menus give them; each returns false when
    // nothing happened.
    bool OnFileNew() { return m_docs.New(); }
    bool OnFileOpen();
    bool OpenDocumentFile(const QString& path) { return m_docs.Open(path); }
    bool OnFileSave() { return m_docs.Save(); }
    bool OnFileSaveAs() { return m_docs.SaveAs(); }
    bool OnFileImportJson();
    bool OnFileRevert(bool ask = true) { return m_docs.Revert(ask); }
    bool OfferRecovery() { return m_docs.OfferRecovery(); }
    // Before the program ends for a logout, shutdown or kill (SIGTERM,
    // SIGHUP, SIGINT), which asks nothing: the unsaved work is kept as a
    // recovery copy at once, to be offered at the next start.
    void KeepWorkBeforeStop();
    void UpdateCaption();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateStatusBar();
    void ConnectCommands();
    void ConnectHistory();
    void CreateFindBar();
    void UpdateShownCount();
    void UpdateClipboardCommands();
    void ConnectDocument();
    void ShowRecentFiles();
    void LoadSettings();
    void SaveSettings() const;
    void RestoreWindowPlacement(QSettings& settings);
    void ShowAbout();
    void ShowCampaignCheck();
    void UpdateKeyIndicators(int key);

    WindowQuestions m_questions{this};
    DocumentManager m_docs{m_questions};
    std::unique_ptr<MainCommands> m_commands;
    CBrinnowView* m_view = nullptr;
    FindShipBar* m_findBar = nullptr;
    CampaignCheckWindow* m_checkWindow = nullptr;  // made when first asked for
    QLabel* m_shownCount = nullptr;
    QHash<int, QLabel*> m_keyIndicators;
    QHash<int, bool> m_keyStates;
    // Nothing is saved before the stored settings were applied.
    bool m_settingsLoaded = false;
};
