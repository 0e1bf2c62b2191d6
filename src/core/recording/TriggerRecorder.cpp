#include "TriggerRecorder.h"

#include "model/DeviceCatalogue.h"
#include "model/ParameterValueText.h"
#include "shell/MonitorSession.h"

#include <QCoreApplication>
#include <QThread>

#include <cmath>

namespace hesk::recording {

namespace {

constexpr int kAcknowledgeAttempts = 2;

model::UserMessage notOnlineMessage()
{
    return model::UserMessage::warning(
        QCoreApplication::translate("TriggerRecorder", "您当前没有连接设备，请连接设备后重新尝试！"));
}

}  // namespace

TriggerRecorder::TriggerRecorder(shell::MonitorSession& session, model::UserPrompt& prompt, RecorderTimings timings,
                                 QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt), m_timings(timings)
{
    m_waitTimer.setSingleShot(true);
    m_receptionTimer.setInterval(m_timings.receptionTick);
    connect(&m_waitTimer, &QTimer::timeout, this, &TriggerRecorder::waitExpired);
    connect(&m_receptionTimer, &QTimer::timeout, this, &TriggerRecorder::receptionTick);
}

TriggerRecorder::~TriggerRecorder() = default;

// ---- helpers --------------------------------------------------------------------------

void TriggerRecorder::queue(const char* slot)
{
    QMetaObject::invokeMethod(this, slot, Qt::QueuedConnection);
}

void TriggerRecorder::publishState()
{
    const int state = m_state.load();
    if (state == m_published)
        return;
    m_published = state;
    // While a recording runs its frames are handled as they arrive (the 0x36 echo
    // decides the pace of the whole transfer on variant 0).
    m_session.link().setImmediateDispatch(state > 0);
    Q_EMIT stateChanged(state);
}

void TriggerRecorder::setState(int state)
{
    m_state.store(state);
    queue("publishState");
}

void TriggerRecorder::resetBuffers(int triggerPosition)
{
    const std::lock_guard guard(m_lock);
    for (auto& buffer : m_buffers)
        buffer.clear();
    m_triggerPosition = triggerPosition;
    m_triggerTime = QDateTime::currentDateTime();
    m_pendingChannel = 0;
    m_deferred.reset();
}

bool TriggerRecorder::bufferFullLocked() const
{
    const int n = m_activeCount.load();
    if (n == 0)
        return false;
    const size_t share = static_cast<size_t>(kRecorderSamples / n);
    for (const auto& buffer : m_buffers)
        if (buffer.size() < share)
            return false;
    return true;
}

void TriggerRecorder::completeLocked()
{
    Completed done;
    done.buffers = m_buffers;
    done.triggerPosition = m_triggerPosition;
    done.triggerTime = m_triggerTime;
    done.immediate = m_mode.load() == static_cast<int>(Mode::Immediate);
    done.continuous = m_mode.load() == static_cast<int>(Mode::Continuous);
    m_completed.push_back(std::move(done));
    for (auto& buffer : m_buffers)
        buffer.clear();
    // A continuous recorder waits for the next trigger at once, so that a trigger signal
    // that follows the data quickly is taken.
    m_state.store(m_mode.load() == static_cast<int>(Mode::Continuous) ? 5 : 0);
    queue("processCompleted");
}

void TriggerRecorder::noteData()
{
    m_silentTicks.store(0);
    if (m_waitingForData.exchange(false))
        queue("firstDataArrived");
}

// ---- start and stop (UI thread) --------------------------------------------------------

bool TriggerRecorder::sendAcknowledged(const link::CommandFrame& frame, int attempts)
{
    m_session.SendAndWaitPumping(frame, attempts, m_timings.acknowledgeTimeout);
    return m_session.link().replyStatus() == link::ReplyStatus::Success;
}

bool TriggerRecorder::waitForStateAbove(int state)
{
    // The start reply wakes the wait before its handler has moved the recorder on (on
    // Ethernet that runs on the receive thread): give it a moment.
    for (int i = 0; i < 200 && m_state.load() == state; ++i)
        QThread::msleep(1);
    return m_state.load() > state;
}

void TriggerRecorder::failStart(const QString& text)
{
    m_state.store(0);
    m_session.scheduler().setPollingPaused(false);
    m_session.setRecordingActive(false);
    m_mode.store(0);
    publishState();
    m_prompt.showMessage(model::UserMessage::error(text));
    Q_EMIT ended();
}

bool TriggerRecorder::start(StartKind kind)
{
    const bool immediate = kind == StartKind::Immediate;
    const QString failed = immediate ? tr("设备回复超时，立即启动失败！") : tr("设备回复超时，触发启动失败！");
    if (!m_session.isOnline()) {
        m_prompt.showMessage(notOnlineMessage());
        return false;
    }
    if (m_session.linkChanging()) {
        m_session.log().log(QStringLiteral("<错误>连接正在重新打开，触发录波未启动"), 3);
        return false;
    }
    if (m_starting || m_state.load() != 0) {
        m_session.log().log(QStringLiteral("<错误>触发录波已在进行，未再次启动"), 3);
        return false;
    }
    const std::vector<int> active = m_settings.activeChannels();
    if (active.empty()) {
        m_prompt.showMessage(model::UserMessage::error(immediate ? tr("您当前没有激活通道，立即启动失败！")
                                                                 : tr("您当前没有激活通道，触发启动失败！")));
        return false;
    }
    auto built = immediate ? immediateStartFrames(m_settings)
                           : triggeredStartFrames(m_settings, m_session.project().project());
    if (auto* refusal = std::get_if<model::UserMessage>(&built)) {
        m_prompt.showMessage(*refusal);
        return false;
    }
    const StartFrames frames = std::get<StartFrames>(built);
    m_starting = true;
    m_mode.store(static_cast<int>(immediate ? Mode::Immediate : m_settings.continuous() ? Mode::Continuous : Mode::Single));
    if (m_mode.load() == static_cast<int>(Mode::Continuous))
        m_continuousCount = 0;
    {
        const std::lock_guard guard(m_lock);
        m_buffers.assign(active.size(), {});
        for (auto& buffer : m_buffers)
            buffer.reserve(static_cast<size_t>(kRecorderSamples) / active.size());
        m_completed.clear();
        m_deferred.reset();
    }
    m_activeCount.store(static_cast<int>(active.size()));
    m_dataError.store(false);

    // The reference values and (inverter) the base time r0820 as the drive has them now,
    // so that the record information does not rest on words never polled.
    const std::vector<const model::HeskParameterElement*> references = referenceDefinitions(m_session.project());
    if (!references.empty() && !m_session.readParameters(references))
        m_session.log().log(QStringLiteral("<错误>触发录波参考值读取失败"), 3);

    // The Ethernet connect does not identify the drive, so the device variant (how the
    // data will come) is unknown there: ask for it, as the serial connect does.
    if (m_session.linkInterface() == online::InterfaceMode::Ethernet)
        m_session.SendAndWaitPumping(link::cpuTypeRequest(), 1, m_timings.acknowledgeTimeout);

    m_session.scheduler().setPollingPaused(true);
    m_state.store(1);
    publishState();
    bool acknowledged = true;
    for (const link::CommandFrame& frame : frames.channels)
        if (acknowledged)
            acknowledged = sendAcknowledged(frame, kAcknowledgeAttempts);
    if (acknowledged) {
        m_state.store(2);
        publishState();
        acknowledged = sendAcknowledged(frames.data, kAcknowledgeAttempts);
    }
    if (acknowledged && frames.condition) {
        m_state.store(3);
        publishState();
        acknowledged = sendAcknowledged(*frames.condition, kAcknowledgeAttempts);
    }
    if (!acknowledged || m_state.load() == 0) {  // no reply, or the link died meanwhile
        m_starting = false;
        failStart(failed);
        return false;
    }
    if (!immediate)
        m_session.setRecordingActive(true);
    m_session.scheduler().setPollingPaused(false);
    m_state.store(4);
    publishState();
    m_session.SendAndWaitPumping(frames.start, immediate ? 1 : kAcknowledgeAttempts, m_timings.acknowledgeTimeout);
    const bool started = waitForStateAbove(4);
    m_starting = false;
    if (!started) {
        failStart(failed);
        return false;
    }
    publishState();
    m_session.log().log(immediate ? QStringLiteral("触发录波立即启动成功") : QStringLiteral("触发录波触发启动成功"), 0);
    if (!immediate)
        Q_EMIT statusText(tr("等待触发"));
    return true;
}

void TriggerRecorder::stop()
{
    if (m_state.load() < 5) {
        m_prompt.showMessage(model::UserMessage::warning(tr("当前状态，不允许停止操作！")));
        return;
    }
    m_state.store(0);
    m_waitingForData.store(false);
    m_waitTimer.stop();
    m_receptionTimer.stop();
    publishState();
    m_session.scheduler().setPollingPaused(true);
    // SendAndWaitPumping lets the frame in flight leave first (one scheduler tick).
    const bool acknowledged = sendAcknowledged(link::triggerStopRequest(), kAcknowledgeAttempts);
    m_session.log().log(acknowledged ? QStringLiteral("触发录波停止成功") : QStringLiteral("触发录波停止命令回复超时！"),
                        acknowledged ? 0 : 3);
    m_session.scheduler().setPollingPaused(false);
    m_session.setRecordingActive(false);
    m_mode.store(0);
    Q_EMIT ended();
}

void TriggerRecorder::abort()
{
    const bool wasRunning = m_state.exchange(0) != 0;
    m_waitingForData.store(false);
    m_waitTimer.stop();
    m_receptionTimer.stop();
    {
        const std::lock_guard guard(m_lock);
        m_deferred.reset();
        m_completed.clear();
    }
    m_session.setRecordingActive(false);
    m_mode.store(0);
    publishState();
    if (wasRunning && !m_starting)
        Q_EMIT ended();
}

void TriggerRecorder::goIdle(bool announce)
{
    m_state.store(0);
    m_waitingForData.store(false);
    m_waitTimer.stop();
    m_receptionTimer.stop();
    m_session.setRecordingActive(false);
    m_mode.store(0);
    publishState();
    if (announce)
        Q_EMIT ended();
}

// ---- the port (dispatching thread) ------------------------------------------------------

void TriggerRecorder::startAcknowledged()
{
    if (m_mode.load() == static_cast<int>(Mode::Immediate)) {
        resetBuffers(0);
        m_waitingForData.store(true);
        m_state.store(6);
        queue("startWaitTimer");
    } else {
        m_state.store(5);
        queue("clearRecordingActive");
    }
    queue("publishState");
}

void TriggerRecorder::triggerSignalled(uint16_t position)
{
    resetBuffers(position);
    m_waitingForData.store(true);
    queue("startWaitTimer");
    QMetaObject::invokeMethod(this, "statusText", Qt::QueuedConnection, Q_ARG(QString, tr("正在接收数据")));
    QMetaObject::invokeMethod(this, "triggered", Qt::QueuedConnection);
}

link::TriggerRecorderPort::DataInformation TriggerRecorder::dataInformation(uint8_t channel, uint16_t first,
                                                                            uint16_t second,
                                                                            const link::CommandFrame& frame)
{
    noteData();
    if (channel == 0 || channel > m_activeCount.load())
        return DataInformation::Ignored;
    const bool deferred = m_controlOperationRunning && m_controlOperationRunning();
    const std::lock_guard guard(m_lock);
    m_pendingChannel = channel;
    m_pendingFirst = first;
    m_pendingSecond = second;
    if (deferred) {
        m_deferred = frame;
        return DataInformation::Deferred;
    }
    m_deferred.reset();
    return DataInformation::Echo;
}

bool TriggerRecorder::appendDataInformation()
{
    const std::lock_guard guard(m_lock);
    if (m_pendingChannel < 1 || static_cast<size_t>(m_pendingChannel) > m_buffers.size())
        return false;
    std::vector<uint16_t>& buffer = m_buffers[static_cast<size_t>(m_pendingChannel - 1)];
    const size_t share = static_cast<size_t>(kRecorderSamples / m_activeCount.load());
    for (uint16_t word : {m_pendingFirst, m_pendingSecond})
        if (buffer.size() < share)
            buffer.push_back(word);
    m_pendingChannel = 0;  // a repeated check frame must not append the words twice
    if (!bufferFullLocked())
        return false;
    completeLocked();
    return true;
}

link::TriggerRecorderPort::Record TriggerRecorder::traceRecord(uint8_t channel, const std::array<uint16_t, 6>& words)
{
    noteData();
    const std::lock_guard guard(m_lock);
    if (channel == 0 || channel > m_buffers.size())
        return Record::BadChannel;
    std::vector<uint16_t>& buffer = m_buffers[channel - 1u];
    const size_t share = static_cast<size_t>(kRecorderSamples / m_activeCount.load());
    for (uint16_t word : words)
        if (buffer.size() < share)
            buffer.push_back(word);
    if (!bufferFullLocked())
        return Record::Stored;
    completeLocked();
    return Record::Complete;
}

void TriggerRecorder::traceRecordRejected()
{
    if (m_mode.load() == static_cast<int>(Mode::Continuous)) {
        m_state.store(5);
        queue("armedAgain");
    } else {
        m_state.store(0);
        m_dataError.store(true);
        // The reception timer shows the message; when the very first frame was the bad
        // one it has not been started yet.
        m_waitingForData.store(false);
        queue("dataErrorArrived");
    }
    queue("publishState");
}

// ---- UI-thread slots ----------------------------------------------------------------------

void TriggerRecorder::startWaitTimer()
{
    if (!m_waitingForData.load())
        return;
    m_receptionTimer.stop();
    m_waitTimer.start(m_timings.waitPerPeriod * std::max(1, m_settings.samplingPeriod));
}

void TriggerRecorder::dataErrorArrived()
{
    m_waitTimer.stop();
    if (!m_receptionTimer.isActive())
        m_receptionTimer.start();
}

void TriggerRecorder::firstDataArrived()
{
    m_waitTimer.stop();
    m_silentTicks.store(0);
    m_receptionTimer.start();
    m_session.setRecordingActive(true);
    Q_EMIT receiving();
}

void TriggerRecorder::clearRecordingActive()
{
    m_session.setRecordingActive(false);
}

void TriggerRecorder::armedAgain()
{
    m_session.setRecordingActive(false);
    Q_EMIT statusText(tr("等待触发（已记录%1次）").arg(m_continuousCount));
}

void TriggerRecorder::waitExpired()
{
    if (m_state.load() < 6 || !m_waitingForData.exchange(false))
        return;
    m_session.setRecordingActive(false);
    if (m_mode.load() == static_cast<int>(Mode::Continuous)) {
        m_state.store(5);
        publishState();
        m_session.log().log(QStringLiteral("等待触发录波数据上传超时！"), 3);
        return;
    }
    goIdle();
    m_prompt.showMessage(model::UserMessage::error(tr("等待触发录波数据上传超时，请您重新尝试！")));
}

void TriggerRecorder::receptionTick()
{
    if (m_dataError.exchange(false)) {
        m_receptionTimer.stop();
        goIdle();
        m_prompt.showMessage(model::UserMessage::error(tr("下位机上传的数据有错，本次录波失败！")));
        return;
    }
    if (m_state.load() < 6) {
        m_receptionTimer.stop();
        return;
    }
    if (m_silentTicks.fetch_add(1) + 1 < m_timings.silentTicks)
        return;
    m_receptionTimer.stop();
    m_session.setRecordingActive(false);
    if (m_mode.load() == static_cast<int>(Mode::Continuous)) {
        m_state.store(5);
        publishState();
        m_session.log().log(QStringLiteral("触发录波数据上传超时！"), 3);
        return;
    }
    goIdle();
    m_prompt.showMessage(model::UserMessage::error(tr("触发录波数据上传超时，请您重新尝试！")));
}

void TriggerRecorder::controlOperationEnded()
{
    std::optional<link::CommandFrame> frame;
    {
        const std::lock_guard guard(m_lock);
        frame.swap(m_deferred);
    }
    if (!frame || m_state.load() != 6)
        return;
    m_state.store(7);
    publishState();
    m_session.link().SendFrame(*frame);
    m_session.log().log(QStringLiteral("接收到设备触发录波数据信息,回复"), 0);
}

int TriggerRecorder::baseTime() const
{
    const model::OpenedProject& project = m_session.project();
    int ta = project.project().timeBases[0];
    if (recorderDeviceCode(project) == 1) {
        if (const model::HeskParameterElement* e = project.find(QStringLiteral("r0820"))) {
            if (const std::optional<uint16_t> raw = m_session.onlineRaw(*e)) {
                bool ok = false;
                const double value =
                    model::displayRawValue(*e, *raw, project.project().timeBases, project.formulas()).text.toDouble(&ok);
                if (ok && value >= 0.5)
                    ta = static_cast<int>(std::lround(value));
            }
        }
    }
    return ta;
}

TriggerRecording TriggerRecorder::makeRecording(const Completed& done) const
{
    const model::OpenedProject& project = m_session.project();
    TriggerRecording r;
    r.deviceStyle = model::deviceStyleName(project.project().header.deviceType);
    r.deviceVersion = project.project().header.deviceVersion;
    const std::vector<int> active = m_settings.activeChannels();
    for (int i = 0; i < kRecorderChannels; ++i) {
        RecordedChannel& c = r.channels[static_cast<size_t>(i)];
        c.number = i + 1;
        c.label = TriggerRecording::noSignalLabel(c.number);
        for (size_t p = 0; p < active.size() && p < done.buffers.size(); ++p) {
            if (active[p] != i)
                continue;
            const TRSETCHANEL& setting = m_settings.channels[static_cast<size_t>(i)];
            c.words = done.buffers[p];
            c.triggerPosition = done.triggerPosition;
            c.label = setting.text.isEmpty() ? setting.name : setting.text;
        }
    }
    r.information.time = done.triggerTime.toString(QStringLiteral("yyyy-MM-dd  HH:mm:ss"));
    r.information.condition = conditionText(m_settings, done.immediate);
    r.information.sampling = QString::number(m_settings.samplingPeriod);
    r.information.baseTime = baseTime();
    r.information.references = referenceValues(project, [this](const model::HeskParameterElement& e) {
        return m_session.onlineRaw(e);
    });
    return r;
}

void TriggerRecorder::processCompleted()
{
    std::vector<Completed> completed;
    {
        const std::lock_guard guard(m_lock);
        completed.swap(m_completed);
    }
    for (const Completed& done : completed) {
        m_receptionTimer.stop();
        m_session.log().log(QStringLiteral("触发录波数据接收完毕"), 0);
        const TriggerRecording recording = makeRecording(done);
        if (!done.continuous) {
            // Idle before the recording is handed out; "ended" comes after it.
            goIdle(false);
        }
        if (!done.continuous) {
            Q_EMIT recordingComplete(recording, true);
            Q_EMIT ended();
            continue;
        }
        ++m_continuousCount;
        m_session.setRecordingActive(false);
        publishState();
        if (m_continuousCount == 1)
            Q_EMIT recordingComplete(recording, true);
        else
            Q_EMIT recordingComplete(recording, false);
        RecordingAutoSave autoSave(m_session.log(), m_freeSpace);
        const RecordingAutoSave::Result saved =
            autoSave.save(recording, m_settings.savePath, QDateTime::currentDateTime());
        if (saved.saved)
            Q_EMIT recordingSaved(saved.path);
        else if (saved.message)
            m_prompt.showMessage(*saved.message);
        Q_EMIT statusText(tr("等待触发（已记录%1次）").arg(m_continuousCount));
    }
}

}  // namespace hesk::recording
