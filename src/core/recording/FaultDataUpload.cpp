#include "FaultDataUpload.h"

#include "FaultRecordDecoder.h"

#include "shell/MonitorSession.h"

#include <QCoreApplication>

namespace hesk::recording {

namespace {

constexpr int kRunningAbove = 9;  // r0001 above standby
constexpr int kRecordingAbove = 4;

const model::HeskParameterElement* special(shell::MonitorSession& session, const char* key)
{
    return session.project().specials().element(session.project().project(), QString::fromLatin1(key));
}

}  // namespace

std::variant<int, model::UserMessage> checkStation(const QString& text, int slaves)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return model::UserMessage::warning(QCoreApplication::translate("FaultDataUpload", "站号不能为空！"));
    bool ok = false;
    const int station = trimmed.toInt(&ok);
    if (!ok || station < 0 || station > slaves)
        return model::UserMessage::warning(QCoreApplication::translate("FaultDataUpload", "设置的从站号超出范围！"));
    return station;
}

FaultDataUpload::FaultDataUpload(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt)
{
    qRegisterMetaType<FaultUploadOutcome>();
    m_tick.setInterval(kEndCheck);
    m_triggerTimer.setInterval(kTriggerCheck);
    m_stallTimer.setInterval(kStallCheck);
    connect(&m_tick, &QTimer::timeout, this, &FaultDataUpload::tick);
    connect(&m_triggerTimer, &QTimer::timeout, this, &FaultDataUpload::triggerCheck);
    connect(&m_stallTimer, &QTimer::timeout, this, &FaultDataUpload::stallCheck);
    connect(&m_session, &shell::MonitorSession::connectionChanged, this, &FaultDataUpload::connectionChanged);
    m_session.ports().faultTransfer = this;
}

FaultDataUpload::~FaultDataUpload()
{
    m_faultMode.store(false);
    if (m_session.ports().faultTransfer == this)
        m_session.ports().faultTransfer = nullptr;
    if (running()) {
        m_session.setRecordingActive(false);
        m_session.scheduler().setFaultDataMode(false);
    }
}

int FaultDataUpload::slaves() const
{
    if (m_session.project().deviceClass() == model::DeviceClass::TestBench)
        return 2;
    const model::HeskParameterElement* p0089 = special(m_session, "P0089");
    if (p0089 == nullptr)
        return 0;
    return m_session.onlineRaw(*p0089).value_or(0);
}

bool FaultDataUpload::start()
{
    if (running() || m_session.linkChanging())
        return false;
    if (!m_session.isOnline()) {
        m_prompt.showMessage(model::UserMessage::warning(tr("您当前没有连接设备，请连接设备后重新尝试！")));
        return false;
    }
    const int recorder = m_recorderState ? m_recorderState() : m_session.triggerRecordingState();
    if (recorder > kRecordingAbove) {
        m_prompt.showMessage(model::UserMessage::information(tr("正在进行触发录波，不允许上传故障数据！")));
        return false;
    }
    const bool held = m_controlHeld ? m_controlHeld() : m_session.motorControlHeld();
    if (m_session.project().project().header.deviceType == QLatin1String("VRA1") && held) {
        m_prompt.showMessage(model::UserMessage::warning(tr("请先释放控制权，再上传故障数据！")));
        return false;
    }
    if (const model::HeskParameterElement* state = special(m_session, "r0001")) {
        if (m_session.onlineRaw(*state).value_or(0) > kRunningAbove) {
            m_prompt.showMessage(
                model::UserMessage::warning(tr("设备正在运行状态，请将设备调整到待机状态再重新尝试！")));
            return false;
        }
    }
    const int slaveCount = slaves();
    int station = 0;
    if (m_session.connection().deviceFlag.load() == 1 && slaveCount > 0 && m_stationChoice) {
        const std::optional<QString> text = m_stationChoice(slaveCount);
        if (!text)
            return false;
        const std::variant<int, model::UserMessage> checked = checkStation(*text, slaveCount);
        if (const auto* message = std::get_if<model::UserMessage>(&checked)) {
            m_prompt.showMessage(*message);
            return false;
        }
        station = std::get<int>(checked);
    }

    begin(link::faultDataTriggerRequest(static_cast<uint8_t>(station)), station, slaveCount + 1, false);
    return true;
}

bool FaultDataUpload::startDriveBoard()
{
    if (running() || m_session.linkChanging() || !m_session.isOnline())
        return false;
    begin(link::driveBoardWaveformRequest(), 0, 1, true);
    return true;
}

void FaultDataUpload::begin(const link::CommandFrame& trigger, int station, int stationCount, bool driveBoard)
{
    link::FaultDataStore& store = m_session.link().faultData();
    m_previous = store.snapshot();
    m_previousRecord = m_record;
    m_previousStation = m_station;
    m_station = station;
    m_stationCount = stationCount;
    m_session.setRecordingActive(true);
    store.clear();
    m_framesAtLastCheck = 0;
    m_started.store(false);
    m_ended.store(false);
    m_triggerStation.store(static_cast<uint8_t>(station));
    m_driveBoardMode.store(driveBoard);
    m_driveBoard.store(driveBoard);
    m_faultMode.store(true);
    m_session.scheduler().setFaultDataMode(true);
    m_session.scheduler().queueWrite(trigger);
    m_session.log().log(QStringLiteral("发送故障数据触发命令"), 1);
    m_state = State::Triggered;
    m_tick.start();
    m_triggerTimer.start();
}

link::CommandFrame FaultDataUpload::triggerFrame() const
{
    return m_driveBoardMode.load() ? link::driveBoardWaveformRequest()
                                   : link::faultDataTriggerRequest(m_triggerStation.load());
}

bool FaultDataUpload::startDataFlowIfRequested()
{
    // Only the answer to our own trigger's confirm: a confirm of another write that went
    // ahead of the trigger does not start the transfer.
    if (!m_faultMode.load()
        || m_session.scheduler().writeInProgress() != triggerFrame())
        return false;
    bool expected = false;
    return m_started.compare_exchange_strong(expected, true);
}

bool FaultDataUpload::dataComplete()
{
    bool expected = true;
    if (!m_started.compare_exchange_strong(expected, false))
        return false;
    m_faultMode.store(false);
    m_ended.store(true);
    return true;
}

bool FaultDataUpload::firstDriveBoardAnswer()
{
    // Only while our own request to the board waits: its repeats are not confirmed again.
    return m_faultMode.load() && m_driveBoard.exchange(false);
}

void FaultDataUpload::tick()
{
    if (m_state == State::Triggered && (m_started.load() || m_ended.load())) {
        m_state = State::Receiving;
        m_triggerTimer.stop();
        m_framesAtLastCheck = m_session.link().faultData().recordCount();
        m_stallTimer.start();
        Q_EMIT dataFlowing();
        Q_EMIT statusText(tr("正在接收数据"));
    }
    if (m_state == State::Receiving) {
        Q_EMIT progress(m_session.link().faultData().recordCount());
        if (m_ended.load())
            succeed();
    }
}

void FaultDataUpload::triggerCheck()
{
    if (m_state != State::Triggered || m_started.load() || m_ended.load())
        return;
    // The pipeline gave the trigger up (it left fault-data mode): the trigger failed.
    // While it still tries, look again after the next period.
    if (!m_session.scheduler().faultDataMode())
        fail(model::UserMessage::error(tr("故障数据触发超时，请您重新尝试！")));
}

void FaultDataUpload::stallCheck()
{
    if (m_state != State::Receiving || m_ended.load())
        return;
    const int64_t frames = m_session.link().faultData().recordCount();
    if (frames != m_framesAtLastCheck) {
        m_framesAtLastCheck = frames;
        return;
    }
    m_started.store(false);
    m_faultMode.store(false);
    m_session.log().log(QStringLiteral("<错误>故障数据上传超时"), 3);
    fail(model::UserMessage::error(tr("故障数据上传超时，请您重新尝试！")));
}

void FaultDataUpload::succeed()
{
    link::FaultDataStore& store = m_session.link().faultData();
    const std::vector<uint8_t> ring = store.ringBytes();
    const std::vector<uint16_t> words = store.words();
    m_record = decodeFaultRecord(ring, words, {m_driveBoardMode.load(), m_station, m_stationCount});
    end();
    const QString text = tr("所有故障数据上传完毕！");
    m_prompt.showMessage(model::UserMessage::information(text));
    Q_EMIT finished({true, text, m_record});
}

void FaultDataUpload::fail(const model::UserMessage& message)
{
    m_session.link().faultData().restore(m_previous);
    m_record = m_previousRecord;
    m_station = m_previousStation;
    end();
    m_prompt.showMessage(message);
    Q_EMIT finished({false, message.text, m_record});
}

void FaultDataUpload::end()
{
    m_tick.stop();
    m_triggerTimer.stop();
    m_stallTimer.stop();
    m_faultMode.store(false);
    m_started.store(false);
    m_ended.store(false);
    m_driveBoard.store(false);
    m_session.scheduler().setFaultDataMode(false);
    m_session.setRecordingActive(false);
    m_state = State::Idle;
}

void FaultDataUpload::connectionChanged()
{
    if (!running() || m_session.isOnline())
        return;
    m_session.log().log(QStringLiteral("<错误>连接已断开，故障数据上传中止"), 3);
    fail(model::UserMessage::error(tr("发生未知错误，请重试！")));
}

}  // namespace hesk::recording
