#pragma once
// The one owner of an online session: the open project, the device link with its
// dispatch table, the three value tables, the connection state, the send scheduler with
// its send and poll lists, and the timers that drive them:
//
//   timer 1   25 ms    the send scheduler (one frame per tick)
//   timer 2   10 ms    the frame-ring dispatch (the link's own timer, serial monitoring)
//   timer 3   1000 ms  supervision: dead link, CPU load, formulas; page poll cycle
//   timer 5   350 ms   write retry, armed per send from the send list
//   timer 6   3000 ms  serial health check; system poll cycle (SystemPolling decides
//                      whether the cycle reads the formula references too)
//   timer 10  per request, the time-out of SendAndWaitPumping
//
// It runs the connect sequence, the disconnect, the supervision and the health check,
// the single reads and the confirmed writes, and reaches the person only through the
// UserPrompt given to it. The main window owns one; heskmon creates one per call.
//
// Ethernet: the connect exchange does not identify the device. Once it answered, the
// session still builds the poll lists and runs timers 1, 3 and 6 (the UDP receive thread
// dispatches, so timer 2 stays off): without them an Ethernet link would never poll,
// never write and never notice a dead device.
//
// Thread: everything on the thread that created the session (the UI thread), which must
// run a Qt event loop while online; waits keep that loop running (pumped, user input
// excluded) where the workflow needs frames and timers to flow, and block it during the
// connect exchange and single reads (the reader thread answers), so user commands stay
// disabled meanwhile. A command that reaches the session through a queued call while the
// link waits for a reader thread to end is refused with a log line.

#include "link/CDeviceLink.h"
#include "link/ConnectionState.h"
#include "link/FrameDispatchTable.h"
#include "link/ValueTables.h"
#include "model/LogSink.h"
#include "model/OpenedProject.h"
#include "model/UserPrompt.h"
#include "online/InterfaceSettings.h"
#include "online/SendScheduler.h"
#include "online/SessionHooks.h"
#include "online/StatusPanes.h"
#include "online/SystemPolling.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace hesk::shell {

struct SessionTimings {
    std::chrono::milliseconds schedulerTick{25};
    std::chrono::milliseconds supervision{1000};
    std::chrono::milliseconds healthCheck{3000};
    int deadLinkSeconds = 20;  // supervision ticks without a value reply
};

class MonitorSession final : public QObject {
    Q_OBJECT
public:
    using Elements = std::span<const model::HeskParameterElement* const>;

    MonitorSession(const model::FaultTableLibrary& faultTables, model::LogSink& log, model::UserPrompt& prompt,
                   online::InterfaceSettings settings, SessionTimings timings = {}, QObject* parent = nullptr);
    ~MonitorSession() override;

    // The hooks must outlive the session; nullptr restores the defaults (no windows).
    void setHooks(online::SessionHooks* hooks);

    model::OpenedProject& project() { return m_project; }
    const model::OpenedProject& project() const { return m_project; }
    online::InterfaceSettings& settings() { return m_settings; }
    // Settings that a connect uses instead of the settings file (heskmon --port, --udp);
    // nothing goes back to the file.
    void overrideConnectionSettings(std::optional<online::ConnectionSettings> settings)
    {
        m_settingsOverride = std::move(settings);
    }
    // The ports of the workflows (recorder, upload, download windows, fault transfer);
    // the write pipeline's port is the scheduler's and is set already.
    link::WorkflowPorts& ports() { return m_table->ports(); }

    // ---- connection -----------------------------------------------------------------
    // The connect command: true when the link went online. Every message and log line
    // of the sequence goes through the prompt and the log.
    bool connectDevice();
    // The disconnect command: false when refused (motor control held, recording runs, or
    // the link is waiting for a reader thread to end). A write in progress or queued fails.
    bool disconnectDevice();

    bool isOnline() const;
    // The listening link of the drive board's fault upload: the serial port opened with
    // `settings` (port and baud), the monitoring reader started without the connect
    // exchange, online marked, and only the frame dispatch (10 ms) and the send scheduler
    // (25 ms) running: no poll lists, no supervision, no health check. False, with the
    // port closed again, when the port cannot be opened or the reader cannot start; the
    // caller says so. Refused while online or while the link changes.
    bool openListening(const online::ConnectionSettings& settings);
    // Ends it: timers stopped, the port closed, writes still queued abandoned, offline;
    // connectionChanged() tells the windows.
    void closeListening();
    bool isListening() const { return m_listening; }
    // The connection settings a connect would use now (the override, else the settings
    // file); nothing, with the log line "<错误>通信设置加载失败！", when none (the caller
    // says what failed).
    std::optional<online::ConnectionSettings> connectionSettings();
    // The link waits for a reader thread to end or the health check reopens the port:
    // commands that would send are refused meanwhile.
    bool linkChanging() const;
    bool isMonitoring() const { return m_monitoring; }
    // The control panel holds motor control (through the hooks).
    bool motorControlHeld() const;
    // The trigger recorder's state (through the hooks; above 4 a recording runs).
    int triggerRecordingState() const;
    // A recording or a fault-data transfer owns the line's answers: while set the
    // supervision does not count silent seconds (the drive may be quiet while it records).
    void setRecordingActive(bool active) { m_recordingActive = active; }
    bool recordingActive() const { return m_recordingActive; }
    online::InterfaceMode linkInterface() const { return m_connected.mode; }
    // What panes 1 to 3 show now (offline: the settings file is read again).
    online::PaneState paneState() const;

    // ---- online parameter access ----------------------------------------------------
    // Single reads, in order, 4 x 500 ms each; false at the first that did not answer.
    // readParameters reads each definition by its own code (0x01, 0x06 or 0x17) and
    // switches the serial link to the connection thread once for the whole list.
    // Refused (false, logged) while the link waits for a reader thread to end, and while a
    // confirmed write is queued or waits for its answers (a read from a timer inside the
    // write's wait would take the write's echo).
    bool readValues(Elements elements, bool switchThread);   // 0x01 into PValueTable
    bool readReadOnlyValues(Elements elements);               // 0x06, always switches
    bool readConnectionValues(Elements elements);             // 0x17, always switches
    bool readParameters(Elements elements);

    // The confirmed write of a frame the caller built (and whose value it already put
    // into the table): queued, carried out by the scheduler, waited for with the event
    // loop running (user input excluded). True when confirmed. False when the write
    // failed, the link closed meanwhile, or the wait ran past the longest time the writes
    // ahead and this one can take (the write is then given up).
    bool write(const link::CommandFrame& frame);

    // Request and answer with the event loop running (control panel, recorder): the
    // scheduler is held meanwhile. Read the link's replyStatus() afterwards.
    void SendAndWaitPumping(link::CommandFrame frame, int attempts, std::chrono::milliseconds timeout);

    // The page on show (slot 2); nullptr when none. The list must outlive its use.
    void installPagePollList(online::FrameList* list);
    // The next system cycle reads the formula references and reference values too (a
    // workflow changed parameters on the drive); a write through write() to one of them
    // asks for it by itself.
    void requestReferenceValues() { m_systemPolling.requestReferences(); }
    const online::SystemPolling& systemPolling() const { return m_systemPolling; }
    // Definitions read on every system cycle besides the session's own (the control
    // panel's values and free display slots); the list takes them from its next cycle on.
    void setWatchedReads(Elements elements);

    // The raw word the drive last reported for a definition (from the table its read
    // code fills); nothing when the definition has no valid address or the drive has not
    // reported the word since the connect.
    std::optional<uint16_t> onlineRaw(const model::HeskParameterElement& element) const;
    // Feeds the drive's values of the formula references (and P0070, the power unit)
    // into the formula state. True when the base values were selected again.
    bool refreshFormulas();
    // The definitions whose drive values refreshFormulas() takes (those with a device
    // address): a caller that shows formula values at once, before the system poll has
    // brought them (heskmon read), reads these first.
    std::vector<const model::HeskParameterElement*> formulaInputs() const;

    link::CDeviceLink& link() { return *m_link; }
    link::OnlineValueTables& values() { return m_values; }
    model::LogSink& log() { return m_log; }
    link::ConnectionState& connection() { return m_connection; }
    online::SendScheduler& scheduler() { return *m_scheduler; }

    // The timers' work; public so that tests can drive it step by step.
    void schedulerTick();
    void supervisionTick();
    void healthCheckTick();
    int deadSeconds() const { return m_deadSeconds; }
    bool monitoringTimersActive() const { return m_supervisionTimer.isActive(); }
    bool schedulerRunning() const { return m_schedulerTimer.isActive(); }

Q_SIGNALS:
    // Online or monitoring changed (connect, disconnect, dead link).
    void connectionChanged();
    // The supervision showed a new CPU load text.
    void cpuLoadChanged(const QString& text);
    // The link went online: the main window flashes its caption and taskbar button.
    void flashRequested();
    // The formula-dependent values were recomputed (the pages convert again).
    void formulasRecomputed();

private:
    class QtRetryTimer;

    bool loadSettingsForConnect(online::ConnectionSettings& settings);
    bool connectSerial(const online::ConnectionSettings& settings);
    bool connectEthernet(const online::ConnectionSettings& settings);
    void reportCpuTypeMismatch();
    void prepareLists();
    bool goOnline(bool monitoringThread);
    void closeAfterFailure();
    // True, with a "<错误>" log line, while the link waits for a reader thread to end (or
    // the health check reopens the port): a command that comes in through a queued call
    // inside that wait is refused instead of being half done.
    bool refusedWhileLinkChanges(const char* request);
    void reportReaderStartFailure();
    void startMonitoringTimers();
    void stopMonitoringTimers();
    bool readList(Elements elements, std::optional<uint8_t> code, bool switchThread);
    void linkDied();
    online::SessionHooks& hooks() const;

    model::LogSink& m_log;
    model::UserPrompt& m_prompt;
    online::InterfaceSettings m_settings;
    std::optional<online::ConnectionSettings> m_settingsOverride;
    SessionTimings m_timings;
    online::SessionHooks m_noHooks;
    online::SessionHooks* m_hooks = nullptr;

    model::OpenedProject m_project;
    link::OnlineValueTables m_values;
    link::ConnectionState m_connection;
    link::SleepingPause m_pause;
    std::unique_ptr<link::CDeviceLink> m_link;
    std::unique_ptr<QtRetryTimer> m_retryTimer;
    std::unique_ptr<online::SendScheduler> m_scheduler;
    std::unique_ptr<link::FrameDispatchTable> m_table;
    online::SystemPolling m_systemPolling;

    QTimer m_schedulerTimer;    // 1
    QTimer m_supervisionTimer;  // 3
    QTimer m_healthTimer;       // 6

    online::ConnectionSettings m_connected;  // the settings of the link that is open
    bool m_monitoring = false;
    bool m_listening = false;
    bool m_reopenInProgress = false;
    bool m_recordingActive = false;
    int m_deadSeconds = 0;
    QString m_cpuLoad;
};

}  // namespace hesk::shell
