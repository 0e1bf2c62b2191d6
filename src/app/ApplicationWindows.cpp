#include "ApplicationWindows.h"

#include "pages/ParameterPageWindow.h"

#include "files/OfflineDnlSave.h"
#include "dialogs/ThreeWayCompareDialog.h"
#include "online/InstalledProjects.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QApplication>
#include <QDockWidget>
#include <QKeySequence>
#include <QScrollArea>
#include <QStyle>

namespace hesk::app {

ApplicationWindows::ApplicationWindows(MainWindowSetup setup)
    : m_window(std::make_unique<MainWindow>(std::move(setup)))
{
    MainWindow& w = *m_window;
    m_pages = std::make_unique<ParameterPageWindows>(w.session(), w.prompt(), w.log(), m_offlineValues);
    m_dialogs = std::make_unique<DialogCommands>(w);
    m_download = std::make_unique<DownloadCommand>(w);
    m_editing = std::make_unique<ValueEditing>(w.session(), w.prompt(), m_offlineValues, &w);
    m_files = std::make_unique<ParameterFileCommands>(w, *m_pages, m_offlineValues);
    m_upload = std::make_unique<UploadCommand>(w, *m_pages);
    ParameterPageWindows& p = *m_pages;

    w.setPageWindows(&p);
    p.setPageOpener([&w](const QString& pageName) { return w.openPage(pageName); });
    p.setApproximateComparison(w.approximateComparison());
    QObject::connect(&w, &MainWindow::approximateComparisonChanged, &p, &ParameterPageWindows::setApproximateComparison);
    QObject::connect(&w, &MainWindow::projectOpened, &p, &ParameterPageWindows::projectChanged);
    QObject::connect(&w, &MainWindow::projectClosed, &p, &ParameterPageWindows::projectChanged);
    QObject::connect(&p, &ParameterPageWindows::projectModified, &w, [&w] { w.lifecycle().setProjectModified(true); });
    QObject::connect(&p, &ParameterPageWindows::valueEditRequested, m_editing.get(),
                     [this](ParameterPageWindow* page, int row) { m_editing->editRow(page, row); });

    // The BICO pane shows the offline values too; a double-click shows the input's page.
    m_bico = new BicoPane(w.session(), m_offlineValues, w.prompt());
    w.dock(MainWindow::Pane::Bico)->setWidget(m_bico);
    QObject::connect(m_bico, &BicoPane::parameterRequested, &p, [&p](std::size_t index) { p.showParameter(index); });
    QObject::connect(&w, &MainWindow::projectOpened, m_bico, &BicoPane::refresh);
    QObject::connect(&w, &MainWindow::projectClosed, m_bico, &BicoPane::refresh);

    // "三方比较": the drive's values (uploaded through the upload command) beside a file
    // and the factory values.
    QObject::connect(&w, &MainWindow::commandRequested, &w, [this, &w](shell::Command command) {
        if (command != shell::Command::CompareWithDrive || !w.session().project().isOpen())
            return;
        auto* dialog = new ThreeWayCompareDialog(
            w.session().project(), w.prompt(),
            [this](const QString& path, std::function<void(const QString&)> done) {
                return m_upload->run(path, [done](const files::UploadOutcome& outcome) {
                    done(outcome.success ? outcome.path : QString());
                });
            },
            w.approximateComparison(), &w);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_threeWay = dialog;
        QObject::connect(&w, &MainWindow::projectClosed, dialog, &QDialog::close);
        dialog->show();
    });

    // The change journal of the open project, beside its logs: the editors record into
    // it, the pane shows it and undoes from it.
    m_editing->setJournal(&m_journal);
    m_journalPane = new JournalPane(m_journal, w.session(), w.prompt(), m_offlineValues);
    w.dock(MainWindow::Pane::Journal)->setWidget(m_journalPane);
    QObject::connect(m_editing.get(), &ValueEditing::journalRecorded, m_journalPane, &JournalPane::refresh);
    QObject::connect(&w, &MainWindow::projectOpened, m_journalPane, [this, &w] {
        const model::OpenedProject& opened = w.session().project();
        m_journal.close();
        const std::optional<model::UserMessage> problem =
            m_journal.open(shell::journalPath(w.log().logFolder()), shell::journalOwnerOf(opened));
        m_journalPane->refresh();
        if (problem)
            w.prompt().showMessage(*problem);
    });
    QObject::connect(&w, &MainWindow::projectClosed, m_journalPane, [this] {
        m_journal.close();
        m_journalPane->refresh();
    });
    QObject::connect(m_journalPane, &JournalPane::valueWritten, &p, [&p] {
        for (ParameterPageWindow* window : p.windows())
            window->refreshAllValues();
    });

    // The control panel: the session asks it about motor control; its 3-second refresh
    // runs while its pane is shown; a deactivated application releases control when the
    // panel's check box says so.
    m_panel = std::make_unique<operation::ControlPanel>(w.session(), w.prompt());
    m_panelHooks = std::make_unique<operation::PanelHooks>(*m_panel, [&w] {
        const QDockWidget* dock = w.dock(MainWindow::Pane::ControlPanel);
        return dock && dock->isVisible();
    });
    w.setWorkflowHooks(m_panelHooks.get());
    QObject::connect(&w, &MainWindow::projectOpened, m_panel.get(), &operation::ControlPanel::projectChanged);
    QObject::connect(&w, &MainWindow::projectClosed, m_panel.get(), &operation::ControlPanel::projectChanged);
    m_panelPane = new ControlPanelPane(*m_panel, w.prompt(), m_offlineValues);
    auto* panelScroll = new QScrollArea;
    panelScroll->setWidget(m_panelPane);
    panelScroll->setWidgetResizable(true);
    panelScroll->setFrameShape(QFrame::NoFrame);
    // Wide enough for the panel's content: only its height scrolls.
    panelScroll->setMinimumWidth(m_panelPane->sizeHint().width()
                                 + panelScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    panelScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.dock(MainWindow::Pane::ControlPanel)->setWidget(panelScroll);
    // The panel's width comes out of the work area, not out of the project tree.
    w.resizeDocks({w.dock(MainWindow::Pane::Project), w.dock(MainWindow::Pane::ControlPanel)},
                  {w.dock(MainWindow::Pane::Project)->sizeHint().width() + 60, panelScroll->minimumWidth()},
                  Qt::Horizontal);
    m_restore = std::make_unique<RestoreCommand>(w);

    // The fault and alarm list: collected with the panel's refresh every 3 s, its state in
    // status pane 4; the pane's "故障复位" is the panel's, which empties the list.
    m_faultList = std::make_unique<recording::FaultAlarmList>(w.session());
    m_faultHooks = std::make_unique<FaultListHooks>(*m_panelHooks, *m_faultList);
    w.setWorkflowHooks(m_faultHooks.get());
    m_faultPane = new FaultAlarmPane(*m_faultList, [this] { m_panel->faultReset(); });
    w.dock(MainWindow::Pane::FaultList)->setWidget(m_faultPane);
    QObject::connect(m_panel.get(), &operation::ControlPanel::faultsReset, m_faultList.get(),
                     &recording::FaultAlarmList::clear);
    QObject::connect(m_faultList.get(), &recording::FaultAlarmList::statusChanged, &w,
                     [&w](recording::DeviceStatus status) { w.setDeviceState(static_cast<int>(status)); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, m_panel.get(), [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            m_panel->applicationDeactivated();
    });

    // The trigger recorder: its port on the link, its window (触发录波 in the tree and
    // 打开触发录波文件), its state, abort and unsaved data answered to the session; the
    // data-information echo waits for a control-panel command to end.
    m_recorder = std::make_unique<recording::TriggerRecorder>(w.session(), w.prompt());
    w.session().ports().recorder = m_recorder.get();
    m_recorder->setControlOperationRunning([panel = m_panel.get()] { return panel->busyForOtherThreads(); });
    QObject::connect(m_panel.get(), &operation::ControlPanel::operationEnded, m_recorder.get(),
                     &recording::TriggerRecorder::controlOperationEnded);
    m_recorderWindow = new TriggerRecorderWindow(*m_recorder, w.session(), w.prompt(), &w);
    m_recorderHooks = std::make_unique<RecorderHooks>(*m_faultHooks, *m_recorder, *m_recorderWindow);
    w.setWorkflowHooks(m_recorderHooks.get());
    for (auto signal : {&MainWindow::projectOpened, &MainWindow::projectClosed})
        QObject::connect(&w, signal, m_recorderWindow, &TriggerRecorderWindow::projectChanged);
    QObject::connect(&w, &MainWindow::treeNodeOpened, m_recorderWindow, [this](shell::TreeNodeKind kind, const QString&) {
        if (kind == shell::TreeNodeKind::TriggerRecording)
            showRecorder();
    });
    QObject::connect(&w, &MainWindow::commandRequested, m_recorderWindow, [this](shell::Command command) {
        if (command == shell::Command::OpenTriggerRecordingFile) {
            showRecorder();
            m_recorderWindow->importData();
        }
    });

    // The fault waveforms: the upload of the drive's fault memory (refused while a recording
    // runs or control is held), the files, the curves; 打开故障波形文件 from the menu.
    m_faultUpload = std::make_unique<recording::FaultDataUpload>(w.session(), w.prompt());
    m_faultUpload->setRecorderState([this] { return m_recorder->state(); });
    m_faultUpload->setControlHeld([this] { return m_panel->controlHeld(); });
    // 上传驱动板故障录波: the board's own serial port, the inverter project opened first when
    // none is open, the record shown in this pane.
    const auto showFaultPane = [&w] {
        QDockWidget* dock = w.dock(MainWindow::Pane::FaultWaveform);
        if (dock == nullptr)
            return false;
        dock->show();
        dock->raise();
        return true;
    };
    m_boardUpload = std::make_unique<recording::DriveBoardFaultUpload>(recording::DriveBoardFaultUpload::Environment{
        w.session(), w.prompt(), *m_faultUpload, model::ProjectLocator(online::applicationProjectRoot().folder),
        [&w](const QString& project) { return w.openProjectFile(project); }, showFaultPane});
    FaultWaveformPane::Environment faultEnvironment{
        w.session(), w.prompt(), *m_faultUpload, [&w](const QString& project) { return w.openProjectFile(project); },
        [&w](int slaves) -> std::optional<QString> {
            bool ok = false;
            const QString text = QInputDialog::getText(
                &w, tr("设置站号"), tr("从站数：%1\n请输入站号（0为主站）：").arg(slaves),
                QLineEdit::Normal, QStringLiteral("0"), &ok);
            return ok ? std::optional<QString>(text) : std::nullopt;
        },
        m_boardUpload.get()};
    m_faultWaveformPane = new FaultWaveformPane(std::move(faultEnvironment));
    w.dock(MainWindow::Pane::FaultWaveform)->setWidget(m_faultWaveformPane);
    QObject::connect(&w, &MainWindow::projectClosed, m_faultWaveformPane, &FaultWaveformPane::clear);
    QObject::connect(&w, &MainWindow::commandRequested, m_faultWaveformPane, [this, &w](shell::Command command) {
        if (command == shell::Command::UploadBoardFaultWaveform) {
            m_faultWaveformPane->uploadFromBoard();
            return;
        }
        if (command != shell::Command::OpenFaultWaveformFile)
            return;
        if (QDockWidget* dock = w.dock(MainWindow::Pane::FaultWaveform)) {
            dock->show();
            dock->raise();
        }
        m_faultWaveformPane->openFile();
    });

    // "快速调试": the wizard, closed with the project it shows.
    QObject::connect(&w, &MainWindow::treeNodeOpened, &w, [this](shell::TreeNodeKind kind, const QString&) {
        if (kind == shell::TreeNodeKind::QuickSetup)
            openQuickSetup();
    });
    for (auto signal : {&MainWindow::projectOpened, &MainWindow::projectClosed})
        QObject::connect(&w, signal, &w, [this] {
            if (m_quickSetup)
                m_quickSetup->closeForProject();
        });

    // "查找功能码" and Ctrl+F: the function-code search over the pages.
    if (QAction* find = w.action(shell::Command::FindParameter))
        find->setShortcut(QKeySequence::Find);
    QObject::connect(&w, &MainWindow::commandRequested, &p, [&w, &p](shell::Command command) {
        if (command == shell::Command::FindParameter)
            p.openFindDialog(&w);
    });

    // The offline values belong to the pages' set: the window asks it at connect and
    // close, and a connect (or a discarded change) empties its list of modifications. A
    // closing or opening project drops them; saving writes them as a parameter file.
    OfflineState& offline = w.offlineState();
    offline.holderModified = [this] { return m_offlineValues.isModified(); };
    offline.clearModifications = [this] { m_offlineValues.clearModifications(); };
    offline.discardValues = [this] {
        m_offlineValues.clear();
        m_offlineValues.setFileName(QString());
    };
    offline.save = [this, &w] {
        return files::saveOfflineValuesAsDnl(w.session().project(), m_offlineValues, w.prompt(), w.log());
    };
}

QuickSetupDialog* ApplicationWindows::openQuickSetup()
{
    MainWindow& w = *m_window;
    if (!w.lifecycle().projectOpen())
        return nullptr;
    if (!m_quickSetup) {
        OfflineState& offline = w.offlineState();
        QuickSetupDialog::Environment environment{
            w.session(), w.prompt(), *m_panel, *m_editing, m_offlineValues,
            [this] { return m_window->offlineState().modified || m_offlineValues.isModified(); },
            [&offline] { return offline.save && offline.save(); }};
        m_quickSetup = new QuickSetupDialog(std::move(environment), &w);
        m_quickSetup->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(m_quickSetup, &QuickSetupDialog::controlPanelRequested, &w, [&w] {
            if (QDockWidget* dock = w.dock(MainWindow::Pane::ControlPanel)) {
                dock->show();
                dock->raise();
            }
        });
    }
    m_quickSetup->show();
    m_quickSetup->raise();
    m_quickSetup->activateWindow();
    return m_quickSetup;
}

TriggerRecorderWindow* ApplicationWindows::showRecorder()
{
    m_recorderWindow->show();
    m_recorderWindow->raise();
    m_recorderWindow->activateWindow();
    return m_recorderWindow;
}

ApplicationWindows::~ApplicationWindows()
{
    // The link must not reach the recorder once it is gone.
    m_window->session().ports().recorder = nullptr;
    if (m_quickSetup)
        m_quickSetup->closeForProject();
    delete m_quickSetup.data();
    // The window lets go of the pages before they go; the pages delete their windows.
    m_window->setPageWindows(nullptr);
    m_window->setWorkflowHooks(nullptr);
    m_upload.reset();
    m_restore.reset();
    m_files.reset();
    m_editing.reset();
    m_pages.reset();
    m_dialogs.reset();
}

}  // namespace hesk::app
