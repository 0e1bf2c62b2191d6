#include "FactoryRestore.h"

#include "DriveStates.h"

#include "link/FrameCodec.h"

namespace hesk::operation {

namespace {

using model::UserMessage;

constexpr int kLeadPosition = 500;
constexpr int kSettlePosition = 1500;
constexpr int kRetentionIndices = 15;  // P0941.0 .. P0941.14

}  // namespace

FactoryRestore::FactoryRestore(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt)
{
    m_timer.setInterval(kTick);
    connect(&m_timer, &QTimer::timeout, this, &FactoryRestore::tick);
}

std::vector<const model::HeskParameterElement*> FactoryRestore::retentionEntries() const
{
    const model::OpenedProject& project = m_session.project();
    std::vector<const model::HeskParameterElement*> sources;
    for (int index = 0; index < kRetentionIndices; ++index)
        if (const model::HeskParameterElement* e = project.find(QStringLiteral("P0941.%1").arg(index)))
            sources.push_back(e);
    std::vector<const model::HeskParameterElement*> entries = sources;
    for (std::size_t index = 0; index < sources.size(); ++index)
        if (const model::HeskParameterElement* e = project.find(QStringLiteral("P0942.%1").arg(index)))
            entries.push_back(e);
    return entries;
}

std::optional<UserMessage> FactoryRestore::refusal() const
{
    const model::OpenedProject& project = m_session.project();
    const auto raw = [&](const char* key) -> std::optional<uint16_t> {
        const model::HeskParameterElement* e = project.find(QString::fromLatin1(key));
        return e ? m_session.onlineRaw(*e) : std::nullopt;
    };
    if (project.deviceClass() == model::DeviceClass::TestBench)
        return UserMessage::warning(tr("该设备不支持恢复出厂设置功能！"));
    if (m_session.triggerRecordingState() > 4)
        return UserMessage::information(tr("正在进行触发录波，不允许执行恢复出厂设置操作！"));
    if (const auto state = raw("r0001"); state && driveRunning(static_cast<int16_t>(*state)))
        return UserMessage::warning(tr("在装置运行状态下，不允许执行恢复出厂设置操作！"));
    if (const auto right = raw("P0053"); !right || (*right & 0x2) == 0)
        return UserMessage::warning(tr("未设置参数修改权限，不允许执行恢复出厂设置操作！"));
    if (const auto level = raw("P0060"); !level || *level != 2)
        return UserMessage::warning(tr("参数菜单P60不为2，不允许执行恢复出厂设置操作！"));
    if (project.deviceClass() == model::DeviceClass::Inverter && m_session.motorControlHeld())
        return UserMessage::warning(tr("请先释放控制权，再进行恢复出厂设置操作！"));
    return std::nullopt;
}

bool FactoryRestore::start()
{
    if (running() || !m_session.isOnline() || m_session.linkChanging())
        return false;
    // The refusals decide on the drive's state, modification right and menu level as
    // they are now, not as the last poll cycle (or none, right after a connect) left them.
    std::vector<const model::HeskParameterElement*> inputs;
    for (const char* key : {"r0001", "P0053", "P0060"})
        if (const model::HeskParameterElement* e = m_session.project().find(QString::fromLatin1(key)))
            inputs.push_back(e);
    m_session.readParameters(inputs);
    if (const std::optional<UserMessage> refused = refusal()) {
        m_prompt.showMessage(*refused);
        return false;
    }
    const model::PromptAnswer answer
        = m_prompt.ask(tr("提示"), tr("确定要恢复出厂设置吗？该操作不可撤销！"), model::PromptButtons::YesNo);
    if (answer != model::PromptAnswer::Yes)
        return false;

    m_position = 0;
    Q_EMIT statusText(QString());
    Q_EMIT progress(0, kRange);
    m_entries = retentionEntries();
    m_before.clear();
    if (!m_entries.empty()) {
        if (!m_session.readParameters(m_entries)) {
            end(false);
            return true;
        }
        for (const model::HeskParameterElement* e : m_entries)
            m_before.push_back(m_session.onlineRaw(*e).value_or(0));
    }
    m_state = State::Leading;
    m_phaseStart = std::chrono::steady_clock::now();
    m_timer.start();
    return true;
}

void FactoryRestore::setPosition(int position)
{
    if (position <= m_position)
        return;
    m_position = std::min(position, kRange);
    Q_EMIT progress(m_position, kRange);
}

void FactoryRestore::tick()
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now()
                                                                               - m_phaseStart);
    if (!m_session.isOnline()) {
        end(false);
        return;
    }
    if (m_state == State::Leading) {
        setPosition(static_cast<int>(kLeadPosition * std::min(elapsed, kLead) / kLead));
        if (elapsed >= kLead)
            restore();
        return;
    }
    if (m_state == State::Settling) {
        setPosition(kLeadPosition
                    + static_cast<int>((kSettlePosition - kLeadPosition) * std::min(elapsed, kSettle) / kSettle));
        if (elapsed >= kSettle)
            writeBack();
    }
}

void FactoryRestore::restore()
{
    m_timer.stop();
    if (!m_session.write(link::factoryRestoreRequest())) {
        end(false);
        return;
    }
    // The drive's parameters changed wholesale: the formula references are read anew.
    m_session.requestReferenceValues();
    std::vector<const model::HeskParameterElement*> reread = m_entries;
    if (const model::HeskParameterElement* level = m_session.project().find(QStringLiteral("P0060")))
        reread.push_back(level);
    if (!reread.empty() && !m_session.readParameters(reread)) {
        end(false);
        return;
    }
    m_state = State::Settling;
    m_timer.start();
}

void FactoryRestore::writeBack()
{
    m_timer.stop();
    const int step = m_entries.empty() ? 0 : (kRange - kSettlePosition) / static_cast<int>(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const model::HeskParameterElement& entry = *m_entries[i];
        const link::CommandFrame frame = entry.isConnection()
                                             ? link::writeConnectionRequest(entry.address, m_before[i])
                                             : link::writeValueRequest(entry.address, m_before[i]);
        if (!m_session.write(frame)) {
            end(false);
            return;
        }
        setPosition(kSettlePosition + step * static_cast<int>(i + 1));
    }
    setPosition(kRange);
    Q_EMIT statusText(tr("完成 "));
    end(true);
}

void FactoryRestore::end(bool success)
{
    m_timer.stop();
    m_state = State::Done;
    m_prompt.showMessage(success ? UserMessage::information(tr("HESKMonitor恢复出厂设置成功！"))
                                 : UserMessage::error(tr("HESKMonitor恢复出厂设置失败，请您重新尝试！")));
    Q_EMIT finished(success);
}

}  // namespace hesk::operation
