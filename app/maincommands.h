#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;

// The main window's commands as the user finds them: an action for each
// command id, with its text, keys, prompt and picture, in the menus, the
// tool bar and as accelerators. Each stays disabled until the window
// handles it.
class MainCommands {
  public:
    explicit MainCommands(QMainWindow& window);

    QAction* Action(int id) const { return m_actions.value(id); }
    QMenu* FileMenu() const { return m_fileMenu; }
    // The recent files as numbered items of the File menu; open takes the
    // one chosen.
    void ShowRecentFiles(const QStringList& files, const std::function<void(const QString&)>& open);

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
    void CreateAccelerators();

    QMainWindow& m_window;
    QHash<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
};
