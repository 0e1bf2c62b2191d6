#pragma once
// The application put together: the main window with its parameter pages (and their
// offline value set) and its dialog commands. main() makes one; widget tests that want
// the whole application make one over a test setup.
//
// A double-click on a page's value cell runs the edit rules and opens the value, bit or
// connection editor over the main window (ValueEditing).
//
// Thread: UI thread only.

#include "DialogCommands.h"
#include "DownloadCommand.h"
#include "UploadCommand.h"
#include "RestoreCommand.h"
#include "operation/ControlPanelPane.h"
#include "MainWindow.h"
#include "ParameterFileCommands.h"
#include "QuickSetupDialog.h"
#include "editors/ValueEditing.h"
#include "frame/BicoPane.h"
#include "frame/JournalPane.h"
#include "recording/FaultWaveformPane.h"
#include "recording/RecorderHooks.h"
#include "recording/TriggerRecorderWindow.h"
#include "frame/FaultAlarmPane.h"
#include "frame/FaultListHooks.h"
#include "pages/ParameterPageWindows.h"

#include "pages/OfflineValueSet.h"
#include "operation/ControlPanel.h"
#include "operation/PanelHooks.h"
#include "recording/FaultAlarmList.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

namespace hesk::app {

class ApplicationWindows {
    Q_DECLARE_TR_FUNCTIONS(ApplicationWindows)

public:
    explicit ApplicationWindows(MainWindowSetup setup = {});
    ~ApplicationWindows();

    MainWindow& window() { return *m_window; }
    ParameterPageWindows& pages() { return *m_pages; }
    pages::OfflineValueSet& offlineValues() { return m_offlineValues; }
    // The value editors the pages open.
    ValueEditing& valueEditing() { return *m_editing; }
    // "打开Dnl" and "文件比较".
    ParameterFileCommands& parameterFiles() { return *m_files; }
    // The BICO wiring pane (视图 > BICO连线).
    BicoPane& bicoPane() { return *m_bico; }
    JournalPane& journalPane() { return *m_journalPane; }
    shell::ChangeJournal& journal() { return m_journal; }
    DownloadCommand& download() { return *m_download; }
    UploadCommand& upload() { return *m_upload; }
    // The control panel's logic (its pane shows it); it answers the session's questions
    // about motor control.
    operation::ControlPanel& controlPanel() { return *m_panel; }
    ControlPanelPane& controlPanelPane() { return *m_panelPane; }
    RestoreCommand& restore() { return *m_restore; }
    // The fault and alarm list (collected on the session's 3-second refresh) and its pane.
    recording::FaultAlarmList& faultList() { return *m_faultList; }
    FaultAlarmPane& faultPane() { return *m_faultPane; }
    // "快速调试" from the project tree: opens the wizard, or raises it when it is open.
    QuickSetupDialog* openQuickSetup();
    QuickSetupDialog* quickSetup() const { return m_quickSetup; }
    recording::TriggerRecorder& recorder() { return *m_recorder; }
    TriggerRecorderWindow& recorderWindow() { return *m_recorderWindow; }
    FaultWaveformPane& faultWaveformPane() { return *m_faultWaveformPane; }
    recording::FaultDataUpload& faultUpload() { return *m_faultUpload; }
    recording::DriveBoardFaultUpload& boardUpload() { return *m_boardUpload; }
    // 触发录波: the recorder's window, shown and raised.
    TriggerRecorderWindow* showRecorder();
    // The three-way compare dialog last opened (closed: nullptr).
    QDialog* threeWayCompare() const { return m_threeWay; }

private:
    pages::OfflineValueSet m_offlineValues;
    shell::ChangeJournal m_journal;  // before the window: its pane refers to it
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<ParameterPageWindows> m_pages;
    std::unique_ptr<DialogCommands> m_dialogs;
    std::unique_ptr<DownloadCommand> m_download;
    std::unique_ptr<UploadCommand> m_upload;
    std::unique_ptr<ValueEditing> m_editing;
    std::unique_ptr<ParameterFileCommands> m_files;
    std::unique_ptr<operation::ControlPanel> m_panel;
    std::unique_ptr<operation::PanelHooks> m_panelHooks;
    std::unique_ptr<RestoreCommand> m_restore;
    std::unique_ptr<recording::FaultAlarmList> m_faultList;
    std::unique_ptr<FaultListHooks> m_faultHooks;
    std::unique_ptr<recording::TriggerRecorder> m_recorder;
    TriggerRecorderWindow* m_recorderWindow = nullptr;  // owned by the main window
    std::unique_ptr<RecorderHooks> m_recorderHooks;
    std::unique_ptr<recording::FaultDataUpload> m_faultUpload;
    std::unique_ptr<recording::DriveBoardFaultUpload> m_boardUpload;
    FaultWaveformPane* m_faultWaveformPane = nullptr;  // owned by its dock
    FaultAlarmPane* m_faultPane = nullptr;  // owned by its dock
    ControlPanelPane* m_panelPane = nullptr;  // owned by its dock
    BicoPane* m_bico = nullptr;  // owned by its dock
    JournalPane* m_journalPane = nullptr;  // owned by its dock
    QPointer<QDialog> m_threeWay;
    QPointer<QuickSetupDialog> m_quickSetup;  // deletes itself when closed
};

}  // namespace hesk::app
