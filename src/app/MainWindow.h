#pragma once
// The application window: the work area with the page windows, the five docking panes
// ("项目", "日志", "故障报警", "故障波形控制面板", "控制面板"), the menus with their
// enabling rules and the status bar. It owns the log, the online session and the project
// lifecycle; every decision is theirs, the window shows the result and forwards clicks.
//
// Commands that belong to other windows and workflows (device search, add device, port
// settings, project creation, parameter files, transfers, recorder files) are handed
// out through commandRequested(); they open projects through openProjectFile().
//
// Thread: UI thread only.

#include "PageWindows.h"

#include "frame/WindowHooks.h"
#include "model/FaultTableLibrary.h"
#include "model/UserPrompt.h"
#include "online/InterfaceSettings.h"
#include "shell/CommandRules.h"
#include "shell/HelpDocuments.h"
#include "shell/InterfaceLanguage.h"
#include "shell/Log.h"
#include "shell/MonitorSession.h"
#include "shell/ProjectLifecycle.h"
#include "shell/ProjectTreeLayout.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>

class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QSettings;

namespace hesk::app {

class LogPane;
class MainMenus;
class ProjectTreePane;
class StatusPanes;

// How a main window is put together. The defaults are the application's; tests replace
// the prompt, the files and the periods.
struct MainWindowSetup {
    // nullptr: message boxes and file dialogs over the window.
    model::UserPrompt* prompt = nullptr;
    // "interfacecfg.ini"; an empty filePath: online::applicationSettingsLocation().
    online::SettingsLocation interfaceSettings;
    // The INI file that keeps the docking layout; empty: the user's settings of the
    // organisation "HESKMonitor".
    QString layoutSettingsFile;
    // Where the help documents are looked for; empty: shell::helpDocumentFolders() of
    // the executable's folder.
    QStringList helpFolders;
    // nullptr: the desktop's viewers.
    shell::DocumentViewer* documentViewer = nullptr;
    shell::SessionTimings timings;
    shell::LogOptions logOptions;
    std::chrono::milliseconds logPanePeriod{1000};
    // Panes 1 to 3 and the command enabling are refreshed this often (and on every change
    // the window hears of).
    std::chrono::milliseconds statusPeriod{1000};
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    enum class Pane { Project, Log, FaultList, FaultWaveform, ControlPanel, Bico, Journal };

    explicit MainWindow(MainWindowSetup setup = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The page windows the tree opens; nullptr: page leaves do nothing. It must outlive
    // the window or be reset to nullptr first.
    void setPageWindows(PageWindows* pages);
    // The control panel, recorder and fault-list side of the session and lifecycle hooks.
    void setWorkflowHooks(shell::LifecycleHooks* hooks) { m_hooks.setWorkflowHooks(hooks); }
    OfflineState& offlineState() { return m_hooks.offline(); }

    shell::Log& log() { return *m_log; }
    // The prompt every message box and file dialog of the window goes through.
    model::UserPrompt& prompt() { return *m_prompt; }
    shell::MonitorSession& session() { return *m_session; }
    shell::ProjectLifecycle& lifecycle() { return *m_lifecycle; }
    online::InterfaceSettings& interfaceSettings() { return m_session->settings(); }

    // Opens the project file (device search, add device, the command line). True when
    // the project is open afterwards; messages went to the prompt.
    bool openProjectFile(const QString& path);
    // Runs a menu command as its menu entry would (when enabled).
    void runCommand(shell::Command command);
    // The help manual at a topic (the fault list's help).
    bool openHelpTopic(int topic);

    // The "近似值比较优化" setting as read at start and toggled since.
    bool approximateComparison() const { return m_approximateComparison; }

    // Pane 4: 0 none, 1 normal, 2 fault, 3 alarm.
    void setDeviceState(int state);
    // Workflow flags the command rules look at.
    void setWorkflowBusy(bool busy);
    void setTriggerTransferRunning(bool running);

    shell::CommandState commandState() const;
    // Applies the rules and the status texts now (also done on a timer).
    void refreshCommands();
    void refreshStatus();

    QAction* action(shell::Command command) const;
    QDockWidget* dock(Pane pane) const;
    ProjectTreePane* projectTree() const { return m_tree; }
    LogPane* logPane() const { return m_logPane; }
    StatusPanes* statusPanes() const { return m_status; }
    QMdiArea* workArea() const { return m_workArea; }
    // Opens the page's window in the work area, or brings it to the front; its content
    // widget, nullptr when there is no such page (or no page windows, or no project).
    QWidget* openPage(const QString& pageName);
    // The page window open for a page name; nullptr when none.
    QMdiSubWindow* pageWindow(const QString& pageName) const;

Q_SIGNALS:
    // A command that another window or workflow carries out.
    void commandRequested(shell::Command command);
    // A tree leaf was opened (after the window did its own part: page window, pane).
    void treeNodeOpened(shell::TreeNodeKind kind, const QString& caption);
    void projectOpened();
    void projectClosed();
    // The approximate-comparison setting was toggled (pages colour their values again).
    void approximateComparisonChanged(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPanes();
    QDockWidget* addPane(Pane pane, const QString& caption, const QString& objectName, QWidget* content,
                         Qt::DockWidgetArea area);
    void connectSignals();
    std::unique_ptr<QSettings> layoutSettings() const;
    void restoreLayout();
    void saveLayout();

    void openCommand();
    void afterProjectOpened();
    void closeCommand();
    void connectCommand();
    void disconnectCommand();
    void togglePane(Pane pane);
    void toggleApproximateComparison();
    void chooseLanguage(shell::LanguageSetting setting);
    void showAbout();

    void openTreeNode(shell::TreeNodeKind kind, const QString& caption);
    void closePageWindows();
    void showPane(Pane pane);
    void pageWindowActivated(QMdiSubWindow* window);
    int screenWidth() const;

    MainWindowSetup m_setup;
    model::FaultTableLibrary m_faultTables;
    std::unique_ptr<shell::Log> m_log;
    std::unique_ptr<model::UserPrompt> m_ownPrompt;
    model::UserPrompt* m_prompt = nullptr;
    WindowHooks m_hooks;
    std::unique_ptr<shell::MonitorSession> m_session;
    std::unique_ptr<shell::ProjectLifecycle> m_lifecycle;
    std::unique_ptr<shell::DocumentViewer> m_ownViewer;
    std::unique_ptr<shell::HelpCommands> m_help;
    PageWindows* m_pages = nullptr;

    QMdiArea* m_workArea = nullptr;
    ProjectTreePane* m_tree = nullptr;
    LogPane* m_logPane = nullptr;
    StatusPanes* m_status = nullptr;
    MainMenus* m_menus = nullptr;
    std::map<Pane, QDockWidget*> m_docks;
    QTimer m_statusTimer;

    bool m_approximateComparison = false;
    bool m_workflowBusy = false;
    bool m_triggerTransferRunning = false;
};

}  // namespace hesk::app
