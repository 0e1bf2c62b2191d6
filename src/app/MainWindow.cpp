#include "MainWindow.h"

#include "frame/DesktopDocumentViewer.h"
#include "dialogs/WidgetPrompt.h"
#include "frame/LogPane.h"
#include "frame/MainMenus.h"
#include "frame/PlaceholderPane.h"
#include "frame/ProjectTreePane.h"
#include "frame/StatusPanes.h"
#include "model/PageCatalogue.h"
#include "shell/ApproximateComparisonSetting.h"
#include "shell/InterfaceLanguage.h"
#include "shell/FeaturesNotBuilt.h"
#include "shell/StatusTexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

namespace hesk::app {

using shell::Command;
using shell::TreeNodeKind;

namespace {

constexpr char kLayoutKey[] = "MainFrameBarState";
constexpr char kOrganisation[] = "HESKMonitor";
constexpr int kPaneSize = 200;

// The wait cursor for the length of a call that blocks the window.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

online::SettingsLocation settingsLocation(const online::SettingsLocation& chosen)
{
    return chosen.filePath.isEmpty() ? online::applicationSettingsLocation() : chosen;
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent), m_setup(std::move(setup)), m_log(std::make_unique<shell::Log>(m_setup.logOptions))
{
    setWindowTitle(QStringLiteral("HESKMonitor"));
    if (m_setup.prompt) {
        m_prompt = m_setup.prompt;
    } else {
        m_ownPrompt = std::make_unique<WidgetPrompt>(this);
        m_prompt = m_ownPrompt.get();
    }
    m_session = std::make_unique<shell::MonitorSession>(m_faultTables, *m_log, *m_prompt,
                                                        online::InterfaceSettings(settingsLocation(m_setup.interfaceSettings)),
                                                        m_setup.timings);
    m_session->setHooks(&m_hooks);
    m_lifecycle = std::make_unique<shell::ProjectLifecycle>(*m_session, *m_log, *m_prompt);
    m_lifecycle->setHooks(&m_hooks);
    shell::DocumentViewer* viewer = m_setup.documentViewer;
    if (!viewer) {
        m_ownViewer = std::make_unique<DesktopDocumentViewer>();
        viewer = m_ownViewer.get();
    }
    const QStringList helpFolders = m_setup.helpFolders.isEmpty()
                                        ? shell::helpDocumentFolders(QCoreApplication::applicationDirPath())
                                        : m_setup.helpFolders;
    m_help = std::make_unique<shell::HelpCommands>(helpFolders, *viewer, *m_prompt);
    m_approximateComparison = m_session->settings().approximateComparison();

    m_workArea = new QMdiArea(this);
    m_workArea->setObjectName(QStringLiteral("workArea"));
    m_workArea->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_workArea);
    createPanes();
    m_menus = new MainMenus(menuBar(), [this](Command command) { runCommand(command); });
    m_status = new StatusPanes(statusBar());
    connectSignals();
    restoreLayout();

    m_statusTimer.setInterval(m_setup.statusPeriod);
    connect(&m_statusTimer, &QTimer::timeout, this, [this] {
        refreshStatus();
        refreshCommands();
    });
    m_statusTimer.start();
    refreshStatus();
    refreshCommands();
}

MainWindow::~MainWindow()
{
    m_statusTimer.stop();
    // The widgets outlive the members while the base class takes them down: nothing they
    // signal may reach this object any more. The page windows go before the pages object
    // may, and no activation reaches it.
    for (const auto& [pane, dock] : m_docks)
        disconnect(dock, nullptr, this, nullptr);
    disconnect(m_workArea, nullptr, this, nullptr);
    disconnect(m_tree, nullptr, this, nullptr);
    disconnect(m_menus, nullptr, this, nullptr);
    disconnect(m_session.get(), nullptr, this, nullptr);
    for (QMdiSubWindow* window : m_workArea->subWindowList())
        delete window;
    m_session->installPagePollList(nullptr);
}

// ---- panes and layout ------------------------------------------------------------------

QDockWidget* MainWindow::addPane(Pane pane, const QString& caption, const QString& objectName, QWidget* content,
                                 Qt::DockWidgetArea area)
{
    auto* dock = new QDockWidget(caption, this);
    dock->setObjectName(objectName);
    dock->setWidget(content);
    dock->resize(kPaneSize, kPaneSize);
    addDockWidget(area, dock);
    m_docks[pane] = dock;
    return dock;
}

void MainWindow::createPanes()
{
    m_tree = new ProjectTreePane();
    m_logPane = new LogPane(*m_log, m_setup.logPanePeriod);
    QDockWidget* project = addPane(Pane::Project, tr("项目"), QStringLiteral("projectPane"), m_tree,
                                   Qt::LeftDockWidgetArea);
    QDockWidget* log = addPane(Pane::Log, tr("日志"), QStringLiteral("logPane"), m_logPane,
                               Qt::BottomDockWidgetArea);
    // The fault and alarm list: its content comes from the application (it needs the
    // control panel's fault reset).
    QDockWidget* faults = addPane(Pane::FaultList, tr("故障报警"), QStringLiteral("faultListPane"),
                                  new QWidget, Qt::BottomDockWidgetArea);
    QDockWidget* waveform = addPane(
        Pane::FaultWaveform, tr("故障波形控制面板"), QStringLiteral("faultWaveformPane"),
        new PlaceholderPane(tr("此处将提供故障波形的上传、打开和保存。\n") + shell::notBuiltText()),
        Qt::RightDockWidgetArea);
    // The control panel: its content comes from the application (it needs the offline
    // values for the setpoint editor).
    QDockWidget* control = addPane(Pane::ControlPanel, tr("控制面板"), QStringLiteral("controlPanelPane"),
                                   new QWidget, Qt::RightDockWidgetArea);
    // The BICO wiring: its content comes from the application (it needs the offline
    // values); hidden until asked for through 视图.
    QDockWidget* bico =
        addPane(Pane::Bico, tr("BICO连线"), QStringLiteral("bicoPane"), new QWidget, Qt::BottomDockWidgetArea);
    // The change journal: its content comes from the application; hidden until asked for.
    QDockWidget* journal = addPane(Pane::Journal, tr("修改记录"), QStringLiteral("journalPane"), new QWidget,
                                   Qt::BottomDockWidgetArea);
    tabifyDockWidget(log, faults);
    tabifyDockWidget(log, bico);
    tabifyDockWidget(log, journal);
    bico->hide();
    journal->hide();
    log->raise();
    tabifyDockWidget(control, waveform);
    control->raise();
    // Wide enough for the deepest tree captions; the work area keeps the rest.
    resizeDocks({project, control}, {kPaneSize + 60, kPaneSize + 40}, Qt::Horizontal);
    resizeDocks({log}, {kPaneSize}, Qt::Vertical);
}

std::unique_ptr<QSettings> MainWindow::layoutSettings() const
{
    if (!m_setup.layoutSettingsFile.isEmpty())
        return std::make_unique<QSettings>(m_setup.layoutSettingsFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QString::fromLatin1(kOrganisation), QStringLiteral("HESKMonitor"));
}

void MainWindow::restoreLayout()
{
    const QByteArray state = layoutSettings()->value(QLatin1String(kLayoutKey)).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
}

void MainWindow::saveLayout()
{
    std::unique_ptr<QSettings> settings = layoutSettings();
    settings->setValue(QLatin1String(kLayoutKey), saveState());
    settings->sync();
}

QDockWidget* MainWindow::dock(Pane pane) const { return m_docks.at(pane); }

void MainWindow::connectSignals()
{
    connect(m_tree, &ProjectTreePane::leafActivated, this, &MainWindow::openTreeNode);
    connect(m_workArea, &QMdiArea::subWindowActivated, this, &MainWindow::pageWindowActivated);
    connect(m_menus, &MainMenus::aboutToShowMenu, this, &MainWindow::refreshCommands);
    connect(m_menus, &MainMenus::languageChosen, this, &MainWindow::chooseLanguage);
    m_menus->setLanguageSetting(shell::storedLanguageSetting(m_session->settings()));
    connect(m_menus->aboutAction(), &QAction::triggered, this, &MainWindow::showAbout);
    for (const auto& [pane, dock] : m_docks)
        connect(dock, &QDockWidget::visibilityChanged, this, &MainWindow::refreshCommands);
    connect(m_session.get(), &shell::MonitorSession::connectionChanged, this, [this] {
        refreshStatus();
        refreshCommands();
    });
    connect(m_session.get(), &shell::MonitorSession::cpuLoadChanged, this, &MainWindow::refreshStatus);
    connect(m_session.get(), &shell::MonitorSession::flashRequested, this, [this] { QApplication::alert(this, 0); });
}

// ---- commands ----------------------------------------------------------------------------

void MainWindow::runCommand(Command command)
{
    refreshCommands();
    if (!shell::commandAvailable(command, commandState()))
        return;
    switch (command) {
    case Command::OpenProject: openCommand(); break;
    case Command::SaveProject: m_lifecycle->save(); break;
    case Command::CloseProject: closeCommand(); break;
    case Command::Exit: close(); break;
    case Command::ToggleLogPane: togglePane(Pane::Log); break;
    case Command::ToggleProjectPane: togglePane(Pane::Project); break;
    case Command::ToggleBicoPane: togglePane(Pane::Bico); break;
    case Command::ToggleJournalPane: togglePane(Pane::Journal); break;
    case Command::Connect: connectCommand(); break;
    case Command::Disconnect: disconnectCommand(); break;
    case Command::ApproximateComparison: toggleApproximateComparison(); break;
    case Command::UserManual: openHelpTopic(1); break;
    case Command::ControllerDescription: m_help->openControllerDescription(); break;
    default: Q_EMIT commandRequested(command); break;
    }
    refreshStatus();
    refreshCommands();
}

void MainWindow::openCommand()
{
    if (m_lifecycle->openCommand())
        afterProjectOpened();
}

bool MainWindow::openProjectFile(const QString& path)
{
    if (!m_lifecycle->openFile(path))
        return false;
    afterProjectOpened();
    refreshStatus();
    refreshCommands();
    return true;
}

void MainWindow::afterProjectOpened()
{
    const model::OpenedProject& project = m_session->project();
    m_tree->showLayout(shell::projectTreeLayout(project.deviceClass(), project.name()));
    setWindowTitle(QStringLiteral("%1 - HESKMonitor").arg(project.name()));
    Q_EMIT projectOpened();
}

void MainWindow::closeCommand()
{
    if (!m_lifecycle->closeProject())
        return;
    closePageWindows();
    m_tree->clearLayout();
    m_logPane->clearLog();
    setWindowTitle(QStringLiteral("HESKMonitor"));
    Q_EMIT projectClosed();
}

void MainWindow::connectCommand()
{
    const WaitCursor wait;
    m_session->connectDevice();
}

void MainWindow::disconnectCommand()
{
    const WaitCursor wait;
    m_session->disconnectDevice();
}

void MainWindow::togglePane(Pane pane)
{
    QDockWidget* d = dock(pane);
    d->setVisible(!d->isVisible());
}

void MainWindow::toggleApproximateComparison()
{
    const bool on = shell::toggleApproximateComparison(m_session->settings(), *m_prompt);
    if (on == m_approximateComparison)
        return;
    m_approximateComparison = on;
    Q_EMIT approximateComparisonChanged(on);
}

void MainWindow::chooseLanguage(shell::LanguageSetting setting)
{
    m_menus->setLanguageSetting(shell::chooseLanguageSetting(m_session->settings(), setting, *m_prompt));
}

bool MainWindow::openHelpTopic(int topic) { return m_help->openHelpTopic(topic); }

void MainWindow::showAbout()
{
    QMessageBox::about(this, tr("关于HESKMonitor"),
                       QStringLiteral("HESKMonitor %1").arg(QCoreApplication::applicationVersion()));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_lifecycle->confirmExit()) {
        event->ignore();
        return;
    }
    closePageWindows();
    saveLayout();
    event->accept();
}

// ---- tree and page windows ------------------------------------------------------------------

void MainWindow::setPageWindows(PageWindows* pages)
{
    if (pages == m_pages)
        return;
    closePageWindows();  // windows of the previous provider are no longer understood
    m_pages = pages;
}

QMdiSubWindow* MainWindow::pageWindow(const QString& pageName) const
{
    if (!m_pages)
        return nullptr;
    for (QMdiSubWindow* window : m_workArea->subWindowList())
        if (window->widget() && m_pages->pageNameOf(window->widget()) == pageName)
            return window;
    return nullptr;
}

void MainWindow::openTreeNode(TreeNodeKind kind, const QString& caption)
{
    switch (kind) {
    case TreeNodeKind::Page: openPage(caption); break;
    case TreeNodeKind::ControlPanel: showPane(Pane::ControlPanel); break;
    case TreeNodeKind::FaultWaveform: showPane(Pane::FaultWaveform); break;
    case TreeNodeKind::FaultList: showPane(Pane::FaultList); break;
    case TreeNodeKind::TriggerRecording:
    case TreeNodeKind::QuickSetup:
    case TreeNodeKind::Folder: break;
    }
    Q_EMIT treeNodeOpened(kind, caption);
}

QWidget* MainWindow::openPage(const QString& caption)
{
    if (!m_pages || !m_lifecycle->projectOpen())
        return nullptr;
    if (QMdiSubWindow* open = pageWindow(caption)) {
        if (open->isMinimized())
            open->showNormal();
        m_workArea->setActiveSubWindow(open);
        return open->widget();
    }
    QWidget* content = m_pages->createPageWindow(caption, nullptr);
    if (!content)
        return nullptr;
    QMdiSubWindow* window = m_workArea->addSubWindow(content);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(model::pageCaption(caption));
    window->showMaximized();
    m_workArea->setActiveSubWindow(window);
    return content;
}

void MainWindow::closePageWindows()
{
    for (QMdiSubWindow* window : m_workArea->subWindowList())
        delete window;  // at once: a page's poll list must not outlive the project
    pageWindowActivated(nullptr);
}

void MainWindow::showPane(Pane pane)
{
    QDockWidget* d = dock(pane);
    d->show();
    d->raise();
}

void MainWindow::pageWindowActivated(QMdiSubWindow* window)
{
    if (m_pages)
        m_pages->pageActivated(window ? window->widget() : nullptr);
    refreshStatus();
}

// ---- state -----------------------------------------------------------------------------------

void MainWindow::setDeviceState(int state) { m_status->setDeviceState(state); }

void MainWindow::setWorkflowBusy(bool busy)
{
    m_workflowBusy = busy;
    refreshCommands();
}

void MainWindow::setTriggerTransferRunning(bool running)
{
    m_triggerTransferRunning = running;
    refreshCommands();
}

shell::CommandState MainWindow::commandState() const
{
    shell::CommandState s;
    s.projectOpen = m_lifecycle->projectOpen();
    s.online = m_session->isOnline();
    s.monitoring = m_session->isMonitoring();
    s.projectModified = m_lifecycle->projectModified();
    s.offlineModified = m_hooks.offlineModified();
    s.workflowBusy = m_workflowBusy;
    s.triggerTransferRunning = m_triggerTransferRunning;
    s.logPaneShown = !dock(Pane::Log)->isHidden();
    s.projectPaneShown = !dock(Pane::Project)->isHidden();
    s.bicoPaneShown = !dock(Pane::Bico)->isHidden();
    s.journalPaneShown = !dock(Pane::Journal)->isHidden();
    s.approximateComparison = m_approximateComparison;
    return s;
}

void MainWindow::refreshCommands() { m_menus->apply(commandState()); }

int MainWindow::screenWidth() const
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 1280;
}

void MainWindow::refreshStatus()
{
    std::optional<QString> pageText;
    QMdiSubWindow* active = m_workArea->activeSubWindow();
    if (m_pages && active && active->widget())
        pageText = m_pages->statusText(active->widget());
    m_status->setPageText(shell::pageStatusText(m_lifecycle->projectOpen(), pageText));
    m_status->setConnection(m_session->paneState(), screenWidth());
}

QAction* MainWindow::action(Command command) const { return m_menus->action(command); }

}  // namespace hesk::app
