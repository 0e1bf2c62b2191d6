#include "StartCheck.h"

#include "DriveStates.h"

namespace hesk::operation {

StartCheck::StartCheck(shell::MonitorSession& session, const model::HeskParameterElement* state, QObject* parent)
    : QObject(parent), m_session(session), m_state(state)
{
    m_timer.setInterval(kTick);
    connect(&m_timer, &QTimer::timeout, this, &StartCheck::tick);
}

void StartCheck::start()
{
    m_ticks = 0;
    Q_EMIT progress(0, kRange);
    m_timer.start();
}

void StartCheck::tick()
{
    ++m_ticks;
    Q_EMIT progress(std::min(m_ticks * 200, kRange), kRange);
    if (m_ticks < kTicks)
        return;
    m_timer.stop();
    bool success = true;  // an unanswered read does not count against the start
    if (m_state != nullptr && m_session.isOnline()) {
        const std::vector<const model::HeskParameterElement*> list{m_state};
        if (m_session.readParameters(list)) {
            if (const std::optional<uint16_t> value = m_session.onlineRaw(*m_state))
                success = driveRunning(static_cast<int16_t>(*value));
        }
    }
    Q_EMIT finished(success);
}

}  // namespace hesk::operation
