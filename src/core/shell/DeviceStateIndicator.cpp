#include "DeviceStateIndicator.h"

#include <QCoreApplication>

namespace hesk::shell {

namespace {

const QString kIndent = QStringLiteral("      ");  // six spaces

}  // namespace

QString DeviceStateIndicator::initialText() { return QCoreApplication::translate("DeviceStateIndicator", "正常"); }

bool DeviceStateIndicator::setState(int state)
{
    if (state < 0 || state > 3)
        return false;
    const auto next = static_cast<DeviceState>(state);
    if (next == m_state)
        return false;
    m_state = next;
    m_offPhase = false;  // a new state shows its colour at once
    return true;
}

QString DeviceStateIndicator::text() const
{
    switch (m_state) {
    case DeviceState::Fault: return kIndent + QCoreApplication::translate("DeviceStateIndicator", "故障");
    case DeviceState::Alarm: return kIndent + QCoreApplication::translate("DeviceStateIndicator", "报警");
    case DeviceState::Normal: return kIndent + QCoreApplication::translate("DeviceStateIndicator", "正常");
    case DeviceState::None: break;
    }
    return {};
}

std::optional<Rgb> DeviceStateIndicator::stateColour() const
{
    switch (m_state) {
    case DeviceState::Fault: return Rgb{255, 0, 0};
    case DeviceState::Alarm: return Rgb{255, 255, 0};
    case DeviceState::Normal: return Rgb{0, 128, 0};
    case DeviceState::None: break;
    }
    return std::nullopt;
}

std::optional<Rgb> DeviceStateIndicator::background() const
{
    if (m_offPhase)
        return std::nullopt;
    return stateColour();
}

bool DeviceStateIndicator::blinking() const
{
    return m_state == DeviceState::Fault || m_state == DeviceState::Alarm;
}

void DeviceStateIndicator::blinkTick()
{
    if (blinking())
        m_offPhase = !m_offPhase;
}

}  // namespace hesk::shell
