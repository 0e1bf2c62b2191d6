#include "MonitorSession.h"

#include "link/FrameCodec.h"
#include "link/PumpedWait.h"
#include "model/ParameterValueText.h"
#include "online/ReadRequests.h"


#include <algorithm>
#include <thread>

namespace hesk::shell {

using namespace std::chrono_literals;
using link::ReplyStatus;
using model::MessageKind;

namespace {

constexpr int kConnectAttempts = 4;
constexpr auto kConnectTimeout = 1000ms;
constexpr int kReadAttempts = 4;
constexpr auto kReadTimeout = 500ms;
constexpr int kErrorLevel = 3;

link::UdpEndpoints linkEndpoints(const online::UdpEndpoints& e)
{
    link::UdpEndpoints endpoints;
    endpoints.localAddress = QHostAddress(e.localAddress);
    endpoints.localPort = e.localPort;
    endpoints.remoteAddress = QHostAddress(e.remoteAddress);
    endpoints.remotePort = e.remotePort;
    return endpoints;
}

QString cpuDisplayName(const model::OpenedProject& project)
{
    const QString text = project.project().header.cpuType.trimmed();
    return text.isEmpty() ? project.cpu().name : text;
}

}  // namespace

// Timer 5. The scheduler arms and kills it with its lock held, also from reply handlers
// that run on the UDP receive thread in Ethernet mode: every call is posted to the
// session's thread (where the timer lives), so calls take effect in the order they were
// made. The timer's slots are posted by name, not as functors: a posted functor is freed
// by whichever thread drops it last, counted inside Qt where the thread sanitizer cannot
// see the order.
class MonitorSession::QtRetryTimer final : public online::RetryTimer {
public:
    QtRetryTimer(QObject* owner, std::function<void()> fired)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, owner, std::move(fired));
    }
    void arm(std::chrono::milliseconds period) override
    {
        QMetaObject::invokeMethod(&m_timer, "start", Qt::QueuedConnection, Q_ARG(int, static_cast<int>(period.count())));
    }
    void kill() override { QMetaObject::invokeMethod(&m_timer, "stop", Qt::QueuedConnection); }

private:
    QTimer m_timer;
};

MonitorSession::MonitorSession(const model::FaultTableLibrary& faultTables, model::LogSink& log,
                               model::UserPrompt& prompt, online::InterfaceSettings settings, SessionTimings timings,
                               QObject* parent)
    : QObject(parent)
    , m_log(log)
    , m_prompt(prompt)
    , m_settings(std::move(settings))
    , m_timings(timings)
    , m_project(faultTables)
    , m_link(std::make_unique<link::CDeviceLink>(log))
{
    m_retryTimer = std::make_unique<QtRetryTimer>(this, [this] { m_scheduler->retryTimeout(); });
    m_scheduler = std::make_unique<online::SendScheduler>(*m_link, m_link->state(), m_log, *m_retryTimer);
    m_table = std::make_unique<link::FrameDispatchTable>(
        link::ReplyContext{m_link->state(), *m_link, m_values, m_connection, m_link->faultData(), m_log, m_pause,
                           link::WorkflowPorts{m_scheduler.get()}});
    m_link->setDispatchTable(m_table.get());

    m_schedulerTimer.setInterval(m_timings.schedulerTick);
    m_supervisionTimer.setInterval(m_timings.supervision);
    m_healthTimer.setInterval(m_timings.healthCheck);
    QObject::connect(&m_schedulerTimer, &QTimer::timeout, this, [this] { schedulerTick(); });
    QObject::connect(&m_supervisionTimer, &QTimer::timeout, this, [this] { supervisionTick(); });
    QObject::connect(&m_healthTimer, &QTimer::timeout, this, [this] { healthCheckTick(); });
}

MonitorSession::~MonitorSession()
{
    stopMonitoringTimers();
    m_link->close();  // the reader thread ends before the table and the ports go
}

void MonitorSession::setHooks(online::SessionHooks* hooks) { m_hooks = hooks; }

bool MonitorSession::motorControlHeld() const
{
    return hooks().motorControlHeld();
}

int MonitorSession::triggerRecordingState() const
{
    return hooks().triggerRecordingState();
}

online::SessionHooks& MonitorSession::hooks() const
{
    return m_hooks ? *m_hooks : const_cast<online::SessionHooks&>(m_noHooks);
}

bool MonitorSession::isOnline() const { return m_link->state().online.load(); }

// ---- connect ------------------------------------------------------------------------

bool MonitorSession::linkChanging() const
{
    return m_reopenInProgress || m_link->stoppingReader();
}

bool MonitorSession::refusedWhileLinkChanges(const char* request)
{
    if (!m_link->stoppingReader() && !m_reopenInProgress)
        return false;
    m_log.log(QStringLiteral("<错误>通信线程正在切换，不能%1").arg(QString::fromUtf8(request)), kErrorLevel);
    return true;
}

void MonitorSession::reportReaderStartFailure()
{
    m_prompt.show(MessageKind::Error, tr("错误"), tr("通信线程无法启动，详细原因请看日志！"));
}

bool MonitorSession::connectDevice()
{
    if (isOnline())
        return true;
    if (refusedWhileLinkChanges("连接"))
        return false;
    if (m_project.cpu().code == 0) {
        m_prompt.show(MessageKind::Error, tr("错误"),
                      tr("HESKMonitor软件暂时不支持此种cpu类型%1，请联系开发人员。")
                          .arg(cpuDisplayName(m_project)));
        return false;
    }
    online::SessionHooks& h = hooks();
    if (h.offlineModified()) {
        const auto answer = m_prompt.ask(tr("提示"), tr("您的离线信息有修改,是否要保存到dnl文件？"),
                                         model::PromptButtons::YesNo);
        if (answer == model::PromptAnswer::Yes && !h.saveOfflineValues())
            return false;
        h.clearOfflineModifications();
    }
    m_log.log(QStringLiteral("开始连接..."), 2);
    online::ConnectionSettings settings;
    if (!loadSettingsForConnect(settings))
        return false;
    m_log.log(QStringLiteral("已加载通信设置"), 2);
    switch (settings.mode) {
    case online::InterfaceMode::Serial:
        return connectSerial(settings);
    case online::InterfaceMode::Ethernet:
        return connectEthernet(settings);
    case online::InterfaceMode::NotSet:
        break;
    }
    return false;
}

bool MonitorSession::loadSettingsForConnect(online::ConnectionSettings& settings)
{
    const std::optional<online::ConnectionSettings> loaded =
        m_settingsOverride ? m_settingsOverride : m_settings.loadConnectionSettings();
    if (!loaded) {
        m_log.log(QStringLiteral("<错误>通信设置加载失败！"), 3);
        m_prompt.show(MessageKind::Warning, tr("警告"), tr("通信设置加载失败！"));
        return false;
    }
    settings = *loaded;
    return true;
}

bool MonitorSession::connectSerial(const online::ConnectionSettings& settings)
{
    link::CDeviceLink& l = *m_link;
    l.close();
    m_values.forgetReceived();  // a word of an earlier connection is no reply of this one
    if (!l.openSerial(settings.portPath, settings.baudRate)) {
        m_log.log(QStringLiteral("<错误>串口打开失败"), 3);
        m_prompt.show(MessageKind::Error, tr("错误"), tr("串口打开失败！"));
        return false;
    }
    m_connected = settings;
    l.state().connectInProgress.store(true);
    if (!l.startConnectionThread()) {
        closeAfterFailure();
        reportReaderStartFailure();
        return false;
    }

    link::CommandFrame cpuType = link::cpuTypeRequest();
    l.SendAndWait(cpuType, kConnectAttempts, kConnectTimeout);
    const ReplyStatus typeStatus = l.replyStatus();
    if (typeStatus == ReplyStatus::Pending) {
        m_log.log(QStringLiteral("<错误>连接超时"), 3);
        closeAfterFailure();
        m_log.log(QStringLiteral("断开连接"), 2);
        m_log.log(QStringLiteral("请确定串口线是否正确连接，端口号以及波特率是否设定正确，串口线是否没有损坏！"), 2);
        m_log.log(QStringLiteral("请确定下位机是否已经上电，上电后需等待20s,等待期间请不要尝试连接！"), 2);
        m_prompt.show(MessageKind::Error, tr("错误"),
                      tr("连接超时，详细原因请看日志！\n提示：如果您的设备刚刚上电，请您等待20s再重新连接。"));
        return false;
    }
    if (typeStatus != ReplyStatus::Success) {
        // A device talking its boot protocol: the port is not left open behind the person.
        closeAfterFailure();
        return false;
    }
    if (m_connection.deviceCpuType.load() != m_project.cpu().code) {
        closeAfterFailure();
        reportCpuTypeMismatch();
        return false;
    }

    prepareLists();
    m_log.log(QStringLiteral("校验程序ID"), 2);
    m_connection.projectProgramId.store(m_project.project().header.programId);
    m_connection.checkProgramId.store(true);
    link::CommandFrame programId = link::programIdentifierRequest();
    l.SendAndWait(programId, kConnectAttempts, kConnectTimeout);
    m_connection.checkProgramId.store(false);
    const auto info = [this](const char* text) {
        m_prompt.show(MessageKind::Information, tr("提示"), tr(text));
    };
    switch (l.replyStatus()) {
    case ReplyStatus::IdentifierCheckFailed:
        closeAfterFailure();
        m_prompt.show(MessageKind::Error, tr("错误"),
                      tr("当前工程ID和下位机程序ID不符。\n请您关闭当前工程，重新打开与当前设备匹配的工程。\n"
                         "或者关闭当前工程，直接点击搜索设备即可。"));
        return false;
    case ReplyStatus::Pending:
        closeAfterFailure();
        m_log.log(QStringLiteral("<错误>下位机程序ID回复超时"), 3);
        m_prompt.show(MessageKind::Error, tr("错误"), tr("下位机程序ID回复超时!"));
        return false;
    case ReplyStatus::LastDownloadFailed:
        info(QT_TR_NOOP("提示：您上次下载没有成功，设备已自动恢复出厂设置，请您重新下载！"));
        break;
    case ReplyStatus::LastRestoreFailed:
        info(QT_TR_NOOP("提示：您上次一键还原没有成功，请您重新进行一键还原操作！"));
        break;
    case ReplyStatus::DownloadAndRestoreFailed:
        info(QT_TR_NOOP("提示：您上次一键还原和下载都没有成功，请您重新进行一键还原操作，之后再重新下载！"));
        break;
    case ReplyStatus::Success:
        break;
    default:
        // Another answer (a boot-protocol reply): closed too, so that a later connect
        // starts from a closed port instead of a link left open without a word.
        closeAfterFailure();
        return false;
    }
    return goOnline(true);
}

bool MonitorSession::connectEthernet(const online::ConnectionSettings& settings)
{
    link::CDeviceLink& l = *m_link;
    l.close();
    m_values.forgetReceived();  // a word of an earlier connection is no reply of this one
    l.setEndpoints(linkEndpoints(settings.udp));
    if (!l.openUdp()) {
        m_log.log(QStringLiteral("<错误>网口打开失败"), 3);
        m_prompt.show(MessageKind::Error, tr("错误"), tr("网口打开失败！"));
        return false;
    }
    m_connected = settings;
    l.state().connectInProgress.store(true);
    l.state().connectionThreadRunning.store(true);
    if (!l.startUdpReceiveThread()) {
        closeAfterFailure();
        reportReaderStartFailure();
        return false;
    }
    link::CommandFrame request = link::ethernetConnectRequest();
    l.SendAndWait(request, kConnectAttempts, kConnectTimeout);
    const ReplyStatus status = l.replyStatus();
    if (status == ReplyStatus::Pending) {
        m_log.log(QStringLiteral("<错误>连接超时"), 3);
        closeAfterFailure();
        m_log.log(QStringLiteral("断开连接"), 2);
        m_prompt.show(MessageKind::Error, tr("错误"), tr("连接超时！"));
        return false;
    }
    if (status != ReplyStatus::Success) {
        closeAfterFailure();
        return false;
    }
    prepareLists();
    return goOnline(false);
}

std::optional<online::ConnectionSettings> MonitorSession::connectionSettings()
{
    std::optional<online::ConnectionSettings> loaded =
        m_settingsOverride ? m_settingsOverride : m_settings.loadConnectionSettings();
    if (!loaded)
        m_log.log(QStringLiteral("<错误>通信设置加载失败！"), 3);
    return loaded;
}

bool MonitorSession::openListening(const online::ConnectionSettings& settings)
{
    if (isOnline() || m_listening || refusedWhileLinkChanges("打开驱动板串口"))
        return false;
    link::CDeviceLink& l = *m_link;
    l.close();
    if (settings.portPath.isEmpty() || !l.openSerial(settings.portPath, settings.baudRate)) {
        l.close();
        return false;
    }
    // Nothing but the workflow's own frames goes out: the board answers no parameter reads.
    m_scheduler->reset();
    if (!l.startMonitoringThread()) {
        l.close();
        return false;
    }
    m_listening = true;
    m_connected = settings;  // what the status panes show while it listens
    l.state().online.store(true);
    l.startDispatchTimer();
    m_schedulerTimer.start();
    return true;
}

void MonitorSession::closeListening()
{
    if (!m_listening)
        return;
    m_link->stopDispatchTimer();
    m_schedulerTimer.stop();
    m_link->close();
    m_scheduler->abandonWrites(QStringLiteral("<错误>连接已断开，未完成的修改被取消"));
    m_link->state().wakeWaiter(ReplyStatus::LinkNotOpened);
    m_listening = false;
    m_recordingActive = false;
    // Offline again: the windows show it as after a disconnect. (Going online is not
    // announced: the pages would put their poll lists back, and the board answers no reads.)
    Q_EMIT connectionChanged();
}

void MonitorSession::reportCpuTypeMismatch()
{
    const uint16_t device = m_connection.deviceCpuType.load();
    const QString projectName = cpuDisplayName(m_project);
    if (const std::optional<QString> deviceName = model::cpuNameForCode(device)) {
        m_log.log(QStringLiteral("<错误>设备的CPU类型是%1，请重新打开CPU类型匹配的Monitor工程").arg(*deviceName), 3);
        m_prompt.show(MessageKind::Error, tr("错误"),
                      tr("设备的CPU类型是%1，与上位机的CPU类型%2不匹配！\n请重新打开CPU类型匹配的Monitor工程\n"
                         "连接操作被终止！")
                          .arg(*deviceName, projectName));
        return;
    }
    m_log.log(QStringLiteral("<ERROR>下位机CPU类型不在处理范围内。"), 3);
    m_prompt.show(MessageKind::Error, tr("错误"),
                  tr("上位机CPU类型是%1！下位机CPU类型不在处理范围内。\n连接操作被终止！").arg(projectName));
}

void MonitorSession::prepareLists()
{
    m_values.clear();  // what the tables hold from now on, this drive reported
    m_scheduler->reset();
    m_systemPolling.start(m_scheduler->systemPollList(), online::systemPollPlan(m_project));
}

bool MonitorSession::goOnline(bool monitoringThread)
{
    // First, so that a thread that cannot be started leaves nothing announced online.
    if (monitoringThread && !m_link->startMonitoringThread()) {  // ends the connection thread
        closeAfterFailure();
        reportReaderStartFailure();
        return false;
    }
    online::SessionHooks& h = hooks();
    h.clearOfflineModifications();
    h.clearOfflineFileName();
    m_link->state().online.store(true);
    m_log.log(QStringLiteral("连接成功"), 2);
    m_monitoring = true;
    m_deadSeconds = 0;
    m_connection.linkAlive.store(false);
    m_cpuLoad.clear();
    Q_EMIT flashRequested();
    h.recorderOnline();
    if (monitoringThread)
        m_link->startDispatchTimer();
    refreshFormulas();
    startMonitoringTimers();
    Q_EMIT connectionChanged();
    return true;
}

void MonitorSession::closeAfterFailure()
{
    m_link->close();
    m_scheduler->abandonWrites(QStringLiteral("<错误>连接已断开，未完成的修改被取消"));
    m_monitoring = false;
}

void MonitorSession::startMonitoringTimers()
{
    if (m_link->mode() == link::LinkMode::Serial && m_link->readerThread() == link::ReaderThread::Monitoring)
        m_link->startDispatchTimer();
    m_schedulerTimer.start();
    m_supervisionTimer.start();
    m_healthTimer.start();
}

void MonitorSession::stopMonitoringTimers()
{
    m_link->stopDispatchTimer();
    m_schedulerTimer.stop();
    m_supervisionTimer.stop();
    m_healthTimer.stop();
}

// ---- disconnect and supervision -------------------------------------------------------

bool MonitorSession::disconnectDevice()
{
    online::SessionHooks& h = hooks();
    if (h.motorControlHeld()) {
        m_prompt.show(MessageKind::Warning, tr("警告"),
                      tr("在获取电机控制权情况下不允许断开连接，请先释放电机控制权！"));
        return false;
    }
    if (h.triggerRecordingState() > 4) {
        m_prompt.show(MessageKind::Information, tr("信息"),
                      tr("正在进行触发录波，不允许断开连接，请先停止触发录波！"));
        return false;
    }
    // Inside the wait for a reader thread (a health-check reopen, a thread switch) the link
    // cannot close; the reopen would otherwise bring back a port shown as offline.
    if (refusedWhileLinkChanges("断开连接"))
        return false;
    stopMonitoringTimers();
    m_link->close();
    // Nothing answers any more: the write in progress and the queued ones fail now, and a
    // pumped request still waiting ends as one on a closed link.
    m_scheduler->abandonWrites(QStringLiteral("<错误>连接已断开，未完成的修改被取消"));
    m_link->state().wakeWaiter(ReplyStatus::LinkNotOpened);
    m_monitoring = false;
    m_listening = false;
    h.resetControlPages();
    h.recorderOffline();
    m_connection.linkAlive.store(false);
    m_deadSeconds = 0;
    m_recordingActive = false;
    m_scheduler->clearLastPollSendError();
    m_cpuLoad.clear();
    Q_EMIT connectionChanged();
    return true;
}

void MonitorSession::supervisionTick()
{
    online::SessionHooks& h = hooks();
    ++m_deadSeconds;
    m_scheduler->clearPageCycle();
    if (m_connection.linkAlive.load()) {
        const QString load = online::cpuLoadText(m_connection.cpuReferenceCount.load(), m_connection.cpuIdleCount.load());
        if (load != m_cpuLoad) {
            m_cpuLoad = load;
            Q_EMIT cpuLoadChanged(load);
        }
        m_connection.linkAlive.store(false);
        m_deadSeconds = 0;
    }
    if (m_scheduler->pollingPaused() || m_recordingActive) {
        m_connection.linkAlive.store(false);
        m_deadSeconds = 0;
    }
    if (refreshFormulas())
        Q_EMIT formulasRecomputed();
    h.recorderSecondTick();
    if (h.motorControlHeld()) {
        // The drive's heartbeat supervision stops the motor after a few seconds without a
        // request: while the tool holds control the system list runs every second, so the
        // line never falls silent between its cycles (and the panel's values are fresh).
        if (m_scheduler->systemCycleDone())
            m_scheduler->clearSystemCycle();
        const model::HeskParameterElement* level = m_project.specials().element(m_project.project(), QStringLiteral("P0060"));
        if (level) {
            const uint16_t value = m_values.parameters.valueOr0(level->address);
            if (value == 2 || value == 5 || value == 8)
                h.menuLevelWhileControlHeld();
        }
    }
    if (!m_connection.linkAlive.load() && m_deadSeconds >= m_timings.deadLinkSeconds && !m_reopenInProgress)
        linkDied();
}

void MonitorSession::linkDied()
{
    online::SessionHooks& h = hooks();
    m_deadSeconds = 0;
    const bool heldControl = h.motorControlHeld();
    if (heldControl)
        h.dropMotorControl();
    if (h.triggerRecordingState() > 0)
        h.abortTriggerRecording();
    m_log.log(QStringLiteral("设备发生异常断开！"), 3);
    disconnectDevice();
    if (heldControl)
        m_prompt.show(MessageKind::Warning, tr("警告"),
                      tr("HESKMonitor异常掉线，可通过小键盘停止电机，设置P880=0恢复小键盘转速给定！"));
    h.recorderResetDisplay();
    m_prompt.show(MessageKind::Warning, tr("警告"), tr(" 请检查通讯线路！ "));
}

void MonitorSession::healthCheckTick()
{
    m_systemPolling.nextCycle(m_scheduler->systemPollList());
    m_scheduler->clearSystemCycle();
    hooks().periodicRefresh();
    if (m_scheduler->lastPollSendError() == 0)
        return;
    // This tick runs inside the wait of a reopen or a thread switch: the next one tries.
    if (m_reopenInProgress || m_link->stoppingReader())
        return;
    m_log.log(QStringLiteral("<错误>串口异常，程序自动重开串口"), 3);
    m_scheduler->clearLastPollSendError();
    if (m_link->mode() != link::LinkMode::Serial)
        return;  // the datagram socket has nothing to reopen
    // The reader stops before its descriptor is replaced, so it never waits on a closed
    // (or reused) descriptor; meanwhile the supervision takes no silence as a dead link.
    const bool readerWanted = m_link->readerThread() != link::ReaderThread::None || m_monitoring;
    m_reopenInProgress = true;
    // Only a session still online gets its port back.
    if (m_link->stopReaderThread() && isOnline()
        && m_link->openSerial(m_connected.portPath, m_connected.baudRate)) {
        m_log.log(QStringLiteral("成功初始化串口"), 1);
        if (readerWanted)
            m_link->startMonitoringThread();
    }
    m_reopenInProgress = false;
}

void MonitorSession::schedulerTick() { m_scheduler->tick(); }

online::PaneState MonitorSession::paneState() const
{
    if (!isOnline())
        return online::offlinePaneState(m_settingsOverride ? m_settingsOverride : m_settings.loadConnectionSettings());
    online::PaneState state;
    state.online = true;
    state.monitoring = m_monitoring;
    state.mode = m_connected.mode;
    state.portName = m_connected.portName;
    state.baudRate = m_connected.baudRate;
    state.cpuLoad = m_cpuLoad;
    return state;
}

// ---- single reads, writes and pumped requests -------------------------------------------

bool MonitorSession::readValues(Elements elements, bool switchThread)
{
    return readList(elements, link::code::ReadParameter, switchThread);
}

bool MonitorSession::readReadOnlyValues(Elements elements)
{
    return readList(elements, link::code::ReadReadOnly, true);
}

bool MonitorSession::readConnectionValues(Elements elements)
{
    return readList(elements, link::code::ReadConnection, true);
}

bool MonitorSession::readParameters(Elements elements) { return readList(elements, std::nullopt, true); }

bool MonitorSession::readList(Elements elements, std::optional<uint8_t> code, bool switchThread)
{
    if (!isOnline())
        return false;
    if (refusedWhileLinkChanges("读取参数"))
        return false;
    // A single read that comes in through a timer while a confirmed write waits for its
    // echo would switch the reader thread in the middle of the write's exchange and take
    // its answers: it is refused; the write goes on.
    if (!m_scheduler->writeIdle() || m_scheduler->pendingWrites() > 0) {
        m_log.log(QStringLiteral("<错误>正在修改参数，不能读取参数"), kErrorLevel);
        return false;
    }
    link::CDeviceLink& l = *m_link;
    // Only the serial monitoring thread hands frames to the UI thread; the UDP receive
    // thread dispatches answers itself already.
    const bool switching = switchThread && l.readerThread() == link::ReaderThread::Monitoring;
    if (switching) {
        stopMonitoringTimers();
        l.state().connectInProgress.store(true);
        if (!l.startConnectionThread()) {  // the link logged why; the monitoring thread runs on
            l.state().connectInProgress.store(false);
            startMonitoringTimers();
            return false;
        }
    }
    bool answered = true;
    for (const model::HeskParameterElement* element : elements) {
        if (!element)
            continue;
        link::CommandFrame request = code ? link::addressFrame(*code, static_cast<uint16_t>(element->address))
                                          : online::readRequestFor(*element);
        // Armed after SendAndWait has reset the reply event, in every attempt: an answer
        // for this address that comes in before the reset would wake nobody and disarm
        // the read, and the real answer would then run into the time-out.
        const uint32_t address = element->address;
        l.SendAndWait(request, kReadAttempts, kReadTimeout, [this, address] {
            m_connection.awaitedAddress.store(address);
            m_connection.singleReadWaiting.store(true);
        });
        m_connection.singleReadWaiting.store(false);
        if (l.replyStatus() != ReplyStatus::Success) {
            answered = false;
            break;
        }
    }
    if (switching) {
        if (!l.startMonitoringThread())
            answered = false;  // logged by the link
        startMonitoringTimers();
        // The timers start a full period anew: polling goes on at once rather than after
        // another 3 s of silence on the line.
        m_scheduler->clearSystemCycle();
    }
    return answered;
}

void MonitorSession::setWatchedReads(Elements elements)
{
    std::vector<link::CommandFrame> requests;
    for (const model::HeskParameterElement* element : elements) {
        if (element == nullptr || element->address >= link::kAddressLimit)
            continue;
        const link::CommandFrame request = online::readRequestFor(*element);
        if (std::find(requests.begin(), requests.end(), request) == requests.end())
            requests.push_back(request);
    }
    m_systemPolling.setWatched(std::move(requests));
}

bool MonitorSession::write(const link::CommandFrame& frame)
{
    if (!isOnline())
        return false;
    if (refusedWhileLinkChanges("修改参数"))
        return false;
    if (m_systemPolling.isReferenceAddress(link::wordAt(frame, 2)))
        m_systemPolling.requestReferences();  // the drive may derive others from it (P0070)
    m_scheduler->queueWrite(frame);
    const online::ModifyOutcome outcome = online::waitModifyOutcome(m_link->state(), m_scheduler->modifyWaitDeadline());
    if (outcome == online::ModifyOutcome::DeadlinePassed) {
        // The pipeline did not end the write in the longest time it can take: it does not
        // run. The write is given up, so that a late answer cannot confirm it.
        m_log.log(QStringLiteral("<错误>修改等待超时"), kErrorLevel);
        m_scheduler->abandonWrites(QStringLiteral("<错误>未完成的修改被取消"));
        return false;
    }
    return outcome == online::ModifyOutcome::Confirmed;
}

void MonitorSession::SendAndWaitPumping(link::CommandFrame frame, int attempts, std::chrono::milliseconds timeout)
{
    if (refusedWhileLinkChanges("发送请求")) {
        m_link->state().replyStatus.store(ReplyStatus::Pending);  // as a request nobody answered
        return;
    }
    const bool schedulerRunning = m_schedulerTimer.isActive();
    m_schedulerTimer.stop();
    std::this_thread::sleep_for(m_timings.schedulerTick);  // the last scheduled frame leaves first
    link::LinkState& state = m_link->state();
    state.replyStatus.store(ReplyStatus::Pending);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        state.replyEvent.reset();
        state.replyStatus.store(ReplyStatus::Pending);
        m_link->SendFrame(frame);
        link::waitPumping(state.replyEvent, timeout);  // a time-out leaves the status at 1
        if (state.replyStatus.load() != ReplyStatus::Pending)
            break;
    }
    if (schedulerRunning && isOnline())  // a disconnect inside the wait stopped it for good
        m_schedulerTimer.start();
}

void MonitorSession::installPagePollList(online::FrameList* list) { m_scheduler->installPagePollList(list); }

// ---- values and formulas ----------------------------------------------------------------

std::optional<uint16_t> MonitorSession::onlineRaw(const model::HeskParameterElement& element) const
{
    const link::CommandFrame request = online::readRequestFor(element);
    switch (request[1]) {
    case link::code::ReadReadOnly:
        return m_values.readOnly.receivedValue(element.address);
    case link::code::ReadConnection:
        return m_values.connections.receivedValue(element.address);
    default:
        return m_values.parameters.receivedValue(element.address);
    }
}

std::vector<const model::HeskParameterElement*> MonitorSession::formulaInputs() const
{
    std::vector<const model::HeskParameterElement*> inputs;
    if (!m_project.isOpen())
        return inputs;
    const model::HeskProject& project = m_project.project();
    const auto add = [&](const model::HeskParameterElement* element) {
        if (element && element->address < link::kAddressLimit
            && std::find(inputs.begin(), inputs.end(), element) == inputs.end())
            inputs.push_back(element);
    };
    for (const QString& key : model::FormulaState::suppliedKeyTexts())
        if (const std::optional<std::size_t> index = project.findByKeyText(key))
            add(&project.elements[*index]);
    add(m_project.specials().element(project, QStringLiteral("P0070")));
    return inputs;
}

bool MonitorSession::refreshFormulas()
{
    if (!m_project.isOpen() || !isOnline())
        return false;
    model::HeskProject& project = m_project.project();
    model::FormulaState& formulas = m_project.formulas();
    for (const QString& key : model::FormulaState::suppliedKeyTexts()) {
        const std::optional<std::size_t> index = project.findByKeyText(key);
        if (!index)
            continue;
        const model::HeskParameterElement& element = project.elements[*index];
        if (const std::optional<uint16_t> raw = onlineRaw(element))
            formulas.setReferenceValue(key, model::displayRawValue(element, *raw, project.timeBases, formulas).text);
    }
    // P0070 reads 0 until the drive reported it: the base values stay as they are.
    const model::HeskParameterElement* p0070 = m_project.specials().element(project, QStringLiteral("P0070"));
    const uint16_t powerUnit = p0070 ? onlineRaw(*p0070).value_or(0) : 0;
    if (powerUnit == 0)
        return false;
    return m_project.applyPowerUnitCode(model::displayRawValue(*p0070, powerUnit, project.timeBases, formulas).text);
}

}  // namespace hesk::shell
