#include "ControlPanel.h"

#include "DriveStates.h"
#include "SessionDrive.h"

#include "editing/EditorMessages.h"
#include "editing/ValueEdit.h"
#include "link/FrameCodec.h"
#include "model/TypedValue.h"
#include "pages/OfflineValueSet.h"
#include "pages/ParameterPage.h"

#include <QTimer>

namespace hesk::operation {

namespace {

using model::UserMessage;

bool menuLevelForbidsControl(uint16_t level) { return level == 2 || level == 5 || level == 8; }

}  // namespace

ControlPanel::ControlPanel(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt), m_view(PanelView::offline(SetpointUnit::Hz))
{
    qRegisterMetaType<PanelCommand>();
    projectChanged();
}

ControlPanel::~ControlPanel() = default;

void ControlPanel::projectChanged()
{
    m_parameters = PanelParameters::of(m_session.project());
    for (FreeDisplaySlot& slot : m_freeDisplay)
        slot = {};
    updateWatchedReads();
}

void ControlPanel::updateWatchedReads()
{
    std::vector<const model::HeskParameterElement*> watched = m_parameters.watched();
    for (const FreeDisplaySlot& slot : m_freeDisplay)
        if (slot.element)
            watched.push_back(slot.element);
    m_session.setWatchedReads(watched);
}

QString ControlPanel::takeButtonText() const { return m_controlHeld ? tr("释放电机控制权") : tr("获取电机控制权"); }

// ---- the operation bracket ------------------------------------------------------------

void ControlPanel::beginOperation(PanelCommand command, Step firstStep)
{
    m_busy = true;
    m_busyShared.store(true);
    m_command = command;
    after(kSettle, std::move(firstStep));
}

void ControlPanel::after(std::chrono::milliseconds pause, Step step)
{
    QTimer::singleShot(pause, this, [this, step = std::move(step)] {
        if (!m_busy)
            return;  // the panel was reset meanwhile (disconnect)
        if (!m_session.isOnline()) {
            finish(false);
            return;
        }
        step();
    });
}

void ControlPanel::endOperation()
{
    if (!m_busy)
        return;
    m_busy = false;
    m_busyShared.store(false);
    Q_EMIT operationEnded();
}

void ControlPanel::finish(bool success)
{
    endOperation();
    Q_EMIT changed();
    Q_EMIT commandFinished(m_command, success);
}

bool ControlPanel::panelWrite(const model::HeskParameterElement* element, const QString& text)
{
    if (element == nullptr)
        return true;  // the project lacks it: nothing to send
    const model::TypedValueConversion converted = model::convertTypedValue(m_session.project(), *element, text);
    if (!converted.ok()) {
        message(editing::conversionFailed());
        return false;
    }
    editing::DriveAccess drive = sessionDriveAccess(m_session);
    if (!drive.online() || !editing::writeValueWord(drive, *element, *converted.raw.raw)) {
        message(editing::valueWriteFailed());
        return false;
    }
    return true;
}

bool ControlPanel::heartbeat(bool on)
{
    m_session.SendAndWaitPumping(link::heartbeatSupervisionRequest(on), kHeartbeatAttempts, kHeartbeatTimeout);
    return m_session.link().replyStatus() == link::ReplyStatus::Success;
}

void ControlPanel::setHeld(bool held)
{
    m_controlHeld = held;
    m_motorStopped = held;
    m_runCommanded = false;
    m_autoRelease = held;
}

// ---- take and release -----------------------------------------------------------------

bool ControlPanel::refusedForTakeOrRelease()
{
    const auto raw = [this](const model::HeskParameterElement* e) -> std::optional<uint16_t> {
        return e ? m_session.onlineRaw(*e) : std::nullopt;
    };
    if (const std::optional<uint16_t> state = raw(m_parameters.state); state && driveRunning(static_cast<int16_t>(*state))) {
        message(UserMessage::warning(tr("在装置运行状态下，不允许获取或者释放电机控制权！")));
        return true;
    }
    if (const std::optional<uint16_t> level = raw(m_parameters.menuLevel); level && menuLevelForbidsControl(*level)) {
        message(UserMessage::warning(tr("在P60=2/5/8时，不允许获取电机控制权！")));
        return true;
    }
    if (m_parameters.panelSupport == nullptr) {
        message(UserMessage::warning(tr("当前控制器版本%1不支持此功能。\n"
                                        "该功能仅适用于V1.04.01版本及以上版本控制器！")
                                         .arg(m_parameters.version)));
        return true;
    }
    return false;
}

bool ControlPanel::takeOrRelease()
{
    if (!m_session.isOnline()) {
        message(UserMessage::warning(tr("离线状态下，不允许获取电机控制权！")));
        return false;
    }
    if (m_busy || refusedForTakeOrRelease())
        return false;
    if (m_controlHeld) {
        beginOperation(PanelCommand::Release, [this] { releaseSteps(false); });
        return true;
    }
    const model::PromptAnswer answer
        = m_prompt.ask(tr("提示"),
                       tr("获取控制权后，小键盘将不能进行启停，快停，急停，给定转速等操作，\n但允许修改参数值。\n"
                          "是否继续获取电机控制权？"),
                       model::PromptButtons::OkCancel);
    if (answer != model::PromptAnswer::Ok)
        return false;
    beginOperation(PanelCommand::Take, [this] { take(); });
    return true;
}

void ControlPanel::take()
{
    if (!panelWrite(m_parameters.setpoint, QStringLiteral("0"))) {
        finish(false);
        return;
    }
    m_setpointText = QStringLiteral("0");
    if (!panelWrite(m_parameters.controlSource, QStringLiteral("1"))) {
        message(UserMessage::error(tr("获取电机控制权失败，请您重新尝试！")));
        finish(false);
        return;
    }
    setHeld(true);
    Q_EMIT changed();
    const int recorderState = m_session.triggerRecordingState();
    const uint8_t variant = m_session.connection().deviceVariantFlag.load();
    if ((recorderState <= 4 || variant == 1) && m_parameters.heartbeatAllowed && !heartbeat(true))
        message(UserMessage::error(tr("已获取设备控制权，但通知设备开始监控心跳失败！")));
    endOperation();
    if (recorderState > 4 && variant == 0)
        message(UserMessage::warning(tr("触发录波启动状态下，通知设备监控心跳操作被取消，如需要请手动释放控制权！")));
    finish(true);
}

bool ControlPanel::release(bool stopMotor)
{
    if (m_busy || !m_controlHeld)
        return true;
    beginOperation(PanelCommand::Release, [this, stopMotor] { releaseSteps(stopMotor); });
    return true;
}

void ControlPanel::releaseSteps(bool stopMotor)
{
    if (!panelWrite(m_parameters.controlSource, QStringLiteral("0"))) {
        message(UserMessage::error(tr("释放电机控制权失败，请您重新尝试！")));
        finish(false);
        return;
    }
    if (stopMotor) {
        if (!panelWrite(m_parameters.setpoint, QStringLiteral("0"))) {
            message(UserMessage::error(tr("释放电机控制权过程中改转速失败，请您重新尝试！")));
            finish(false);
            return;
        }
        m_setpointText = QStringLiteral("0");
        if (!panelWrite(m_parameters.onOff1, QStringLiteral("0"))) {
            message(UserMessage::error(tr("释放电机控制权过程中停机失败，请您重新尝试！")));
            finish(false);
            return;
        }
    }
    finishRelease();
}

void ControlPanel::finishRelease()
{
    setHeld(false);
    Q_EMIT changed();
    if (m_parameters.heartbeatAllowed && !heartbeat(false)) {
        endOperation();
        message(UserMessage::error(tr("已释放设备控制权，但通知设备停止监控心跳失败！")));
        finish(false);
        return;
    }
    finish(true);
}

// ---- start, stop, fault reset -----------------------------------------------------------

bool ControlPanel::start()
{
    if (m_busy)
        return false;
    if (!m_controlHeld) {
        message(UserMessage::warning(tr("请您先获取电机控制权，再启动电机！")));
        return false;
    }
    if (!m_motorStopped) {
        message(UserMessage::warning(tr("电机已经启动！")));
        return false;
    }
    beginOperation(PanelCommand::Start, [this] {
        if (!panelWrite(m_parameters.onOff1, QStringLiteral("1"))) {
            message(UserMessage::error(tr("电机启动失败，请您重新尝试！")));
            finish(false);
            return;
        }
        m_motorStopped = false;
        m_runCommanded = true;
        m_startConfirmed = false;
        Q_EMIT changed();
        m_startCheck = std::make_unique<StartCheck>(m_session, m_parameters.state);
        connect(m_startCheck.get(), &StartCheck::finished, this, &ControlPanel::startChecked);
        Q_EMIT startCheckStarted(m_startCheck.get());
        m_startCheck->start();
    });
    return true;
}

void ControlPanel::startChecked(bool success)
{
    if (m_startCheck)
        m_startCheck.release()->deleteLater();  // its signal is still being delivered
    if (!m_busy)
        return;  // reset while the check ran
    if (!success) {
        m_motorStopped = true;
        m_runCommanded = false;
        Q_EMIT changed();
        if (panelWrite(m_parameters.onOff1, QStringLiteral("0")))
            endOperation();
        message(UserMessage::error(tr("电机启动失败，请您重新尝试！")));
    }
    m_startConfirmed = true;
    finish(success);
}

bool ControlPanel::stop()
{
    if (m_busy)
        return false;
    if (!m_controlHeld) {
        message(UserMessage::warning(tr("请您先获取电机控制权，再停止电机！")));
        return false;
    }
    if (!m_runCommanded) {
        message(UserMessage::warning(tr("电机已经停止！")));
        return false;
    }
    beginOperation(PanelCommand::Stop, [this] {
        if (!panelWrite(m_parameters.onOff1, QStringLiteral("0"))) {
            message(UserMessage::error(tr("电机停止失败，请您重新尝试！")));
            finish(false);
            return;
        }
        m_motorStopped = true;
        m_runCommanded = false;
        finish(true);
    });
    return true;
}

bool ControlPanel::faultReset()
{
    if (!m_session.isOnline() || m_busy)
        return false;
    beginOperation(PanelCommand::FaultReset, [this] {
        if (!panelWrite(m_parameters.faultReset, QStringLiteral("1"))) {
            finish(false);
            return;
        }
        after(kResetPulse, [this] {
            if (!panelWrite(m_parameters.faultReset, QStringLiteral("0"))) {
                finish(false);
                return;
            }
            endOperation();
            Q_EMIT faultsReset();
            message({model::MessageKind::Information, tr("提示"), tr("故障复位成功！")});
            finish(true);
        });
    });
    return true;
}

bool ControlPanel::adoptHeldControl()
{
    if (m_controlHeld || m_busy || !m_session.isOnline() || m_parameters.controlSource == nullptr)
        return m_controlHeld;
    std::vector<const model::HeskParameterElement*> list{m_parameters.controlSource};
    if (m_parameters.onOff1)
        list.push_back(m_parameters.onOff1);
    if (!m_session.readParameters(list))
        return false;
    if (m_session.onlineRaw(*m_parameters.controlSource).value_or(0) != 1)
        return false;
    const bool running = m_parameters.onOff1 && m_session.onlineRaw(*m_parameters.onOff1).value_or(0) == 1;
    setHeld(true);
    m_motorStopped = !running;
    m_runCommanded = running;
    m_startConfirmed = true;
    Q_EMIT changed();
    return true;
}

bool ControlPanel::endHeartbeatSupervision()
{
    return !m_parameters.heartbeatAllowed || heartbeat(false);
}

// ---- setpoint -------------------------------------------------------------------------

std::optional<UserMessage> ControlPanel::setpointEntryRefusal() const
{
    if (!m_session.isOnline())
        return UserMessage::warning(tr("离线状态下，不允许转速设定！"));
    if (!m_controlHeld)
        return UserMessage::warning(tr("没有获取电机控制权，不允许转速设定！"));
    return std::nullopt;
}

std::optional<model::HeskParameterElement> ControlPanel::setpointEditorRecord()
{
    if (m_parameters.setpoint == nullptr)
        return std::nullopt;
    return setpointRecord(*m_parameters.setpoint, m_unit, referenceSpeedText());
}

bool ControlPanel::writeSetpoint(const QString& text)
{
    if (const std::optional<UserMessage> refusal = setpointEntryRefusal()) {
        message(*refusal);
        return false;
    }
    const std::optional<model::HeskParameterElement> record = setpointEditorRecord();
    if (!record) {
        message(editing::conversionFailed());
        return false;
    }
    pages::OfflineValueSet unused;  // online the edit never stores offline
    editing::EditEnvironment environment{m_session.project(), unused, m_prompt, sessionDriveAccess(m_session)};
    const editing::EditOutcome outcome = editing::applyValueText(environment, *record, text);
    if (!outcome.applied)
        return false;
    setSetpointText(outcome.text);
    return true;
}

void ControlPanel::setSetpointText(const QString& text)
{
    m_setpointText = percentUnit(m_unit) ? threeDecimals(text) : text;
    Q_EMIT changed();
}

void ControlPanel::changeUnit(SetpointUnit unit)
{
    if (unit == m_unit)
        return;
    if (m_session.isOnline() && m_controlHeld && m_parameters.setpoint)
        m_setpointText = convertSetpointText(m_session.project(), *m_parameters.setpoint, m_unit, unit,
                                             referenceSpeedText(), m_setpointText);
    m_unit = unit;
    m_view.actualCaption = actualValueCaption(unit);
    Q_EMIT changed();
}

QString ControlPanel::referenceSpeedText()
{
    if (!m_session.isOnline() || m_parameters.referenceSpeed == nullptr)
        return {};
    if (!m_session.onlineRaw(*m_parameters.referenceSpeed))
        m_session.readParameters(std::vector{m_parameters.referenceSpeed});
    return panelValueText(m_session.project(), m_session.values(), m_parameters.referenceSpeed);
}

// ---- free display ---------------------------------------------------------------------

bool ControlPanel::setFreeDisplay(int slot, const QString& number)
{
    if (slot < 0 || slot >= static_cast<int>(m_freeDisplay.size()))
        return false;
    FreeDisplaySlot& target = m_freeDisplay[static_cast<std::size_t>(slot)];
    const QString text = number.trimmed();
    if (text.isEmpty()) {
        target = {};
    } else {
        const model::HeskParameterElement* element = m_session.project().find(text);
        if (element == nullptr)
            return false;
        target = {text, element};
    }
    updateWatchedReads();
    return true;
}

// ---- refresh and reset ----------------------------------------------------------------

void ControlPanel::refresh()
{
    if (!m_session.isOnline())
        return;
    m_view = computePanelView(m_session.project(), m_session.values(), m_parameters, m_unit, m_freeDisplay);
    Q_EMIT viewChanged();
    // A started drive that left operation by itself (a trip): the start command goes back.
    if (m_controlHeld && !m_motorStopped && m_runCommanded && m_startConfirmed && m_view.state
        && !driveRunning(*m_view.state) && !m_busy) {
        m_motorStopped = true;
        m_runCommanded = false;
        Q_EMIT changed();
        beginOperation(PanelCommand::AutomaticStop, [this] { finish(panelWrite(m_parameters.onOff1, QStringLiteral("0"))); });
    }
}

void ControlPanel::offlineReset()
{
    // A command cut off by the disconnect ends here, as failed, so that nobody waits for it.
    const bool cutOff = m_busy;
    m_busy = false;
    m_busyShared.store(false);
    m_controlHeld = false;
    m_motorStopped = false;
    m_runCommanded = false;
    m_startConfirmed = true;
    m_autoRelease = false;
    m_setpointText.clear();
    if (m_startCheck)
        m_startCheck.release()->deleteLater();
    for (FreeDisplaySlot& slot : m_freeDisplay)
        slot = {};
    updateWatchedReads();
    m_view = PanelView::offline(m_unit);
    Q_EMIT changed();
    Q_EMIT viewChanged();
    if (cutOff)
        Q_EMIT commandFinished(m_command, false);
}

void ControlPanel::linkLost()
{
    m_controlHeld = false;
    m_motorStopped = false;
    m_runCommanded = false;
    m_autoRelease = false;
    Q_EMIT changed();
}

void ControlPanel::applicationDeactivated()
{
    if (m_controlHeld && m_autoRelease)
        release(true);
}

}  // namespace hesk::operation
