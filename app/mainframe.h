#pragma once

#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "app/recoverykeeper.h"
#include "history/edithistory.h"
#include "model/brinnowdoc.h"
#include "platform/diskfilewatch.h"
#include "platform/documentlock.h"

class CBrinnowView;
class CampaignCheckWindow;
class FindShipBar;
class QAction;
class QMenu;
class QSettings;
class RecoveryFile;

// The main window: menus, tool bar, status bar, the one document and its
// view, the document's life from New to Exit.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kRecentFiles = 4;

    CMainFrame();
    ~CMainFrame() override;

    CBrinnowDoc& Document() { return m_doc; }
    CBrinnowView& View() { return *m_view; }
    EditHistory& History() { return m_history; }
    FindShipBar& FindBar() { return *m_findBar; }
    DiskFileWatch& DiskFile() { return m_diskFile; }
    RecoveryKeeper& Recovery() { return m_recovery; }
    // The action of a command id, for the tool bar, tests and shortcuts.
    QAction* Action(int id) const { return m_actions.value(id); }
    QStringList RecentFiles() const { return m_recentFiles; }

    // The document's life; each returns false when nothing happened.
    bool OnFileNew();
    bool OnFileOpen();
    bool OpenDocumentFile(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opens a campaign from JSON as a new, unsaved document.
    bool OnFileImportJson();
    // Asks (unless ask is false), then loads the file again as one step of
    // the history.
    bool OnFileRevert(bool ask = true);
    // Offers, one at a time, the work of windows that ended without closing;
    // true when one was recovered into this window.
    bool OfferRecovery();
    // Before the program ends for a logout, shutdown or kill (SIGTERM,
    // SIGHUP, SIGINT), which asks nothing: the unsaved work is kept as a
    // recovery copy at once, to be offered at the next start.
    void KeepWorkBeforeStop();
    // Asks to save a modified document: true when it is safe to go on.
    bool SaveModified();
    void UpdateCaption();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt,
                        const QKeySequence& shortcut = {});
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateViewMenu();
    void CreateToolsMenu();
    void CreateHelpMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();
    void ConnectCommands();
    void ConnectHistory();
    void CreateFindBar();
    void UpdateShownCount();
    void UpdateClipboardCommands();
    bool SaveTo(const QString& path);
    // Takes the lock of the file at path; when another window holds it, asks
    // the question (of the file's name and its holder) and goes on on Yes.
    bool LockOrAsk(const QString& path, DocumentLock& lock, const QString& question);
    // The document in the window is now the one at its path, or a new one.
    void DocumentReplaced(DocumentLock lock);
    void OnChangedOnDisk(DiskFileWatch::Disk disk);
    bool Recover(const RecoveryFile& copy);
    QString ShownPath() const;
    QString ProposedDocumentPath() const;
    void AddRecentFile(const QString& path);
    void RebuildRecentFiles();
    void LoadSettings();
    void SaveSettings() const;
    void RestoreWindowPlacement(QSettings& settings);
    void ShowAbout();
    void ShowCampaignCheck();
    void UpdateKeyIndicators(int key);

    CBrinnowDoc m_doc;
    EditHistory m_history{m_doc};
    DiskFileWatch m_diskFile;
    DocumentLock m_lock;
    RecoveryKeeper m_recovery{m_doc, m_diskFile};
    CBrinnowView* m_view = nullptr;
    FindShipBar* m_findBar = nullptr;
    CampaignCheckWindow* m_checkWindow = nullptr;  // made when first asked for
    QLabel* m_shownCount = nullptr;
    QHash<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    QHash<int, QLabel*> m_keyIndicators;
    QHash<int, bool> m_keyStates;
    // Nothing is saved before the stored settings were applied.
    bool m_settingsLoaded = false;
};
