#include "DriveModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hesk::sim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kStatusBits = 7;

double toSeconds(SimTime t)
{
    return static_cast<double>(t.count()) / 1e6;
}

}  // namespace

DriveModel::DriveModel(const model::HeskProject& project, DriveTables& tables, const ProjectFormulas& formulas)
    : m_project(project), m_formulas(formulas), m_tables(tables)
{
    m_state0001 = signal(QStringLiteral("r0001"));
    m_frequency0002 = signal(QStringLiteral("r0002"));
    m_speed0015 = signal(QStringLiteral("r0015"));
    m_current0004 = signal(QStringLiteral("r0004"));
    m_dc0006 = signal(QStringLiteral("r0006.0"));
    m_torque0007 = signal(QStringLiteral("r0007"));
    m_status0550 = signal(QStringLiteral("r0550"));
    m_faultIndicator9106 = signal(QStringLiteral("r9106"));
    for (int word = 0; word < kFaultWordCount; ++word)
        m_faultWords[static_cast<size_t>(word)] = signal(QStringLiteral("r0943.%1").arg(word));
    m_controlSource0880 = signal(QStringLiteral("P0880"));
    m_onOff7000 = signal(QStringLiteral("P7000.5"));
    m_reset7000 = signal(QStringLiteral("P7000.4"));
    m_setpoint = signal(QStringLiteral("P7030"));
    if (!m_setpoint.slot)
        m_setpoint = signal(QStringLiteral("P7200"));
    m_runRequest = toolHasControl() && runCommanded();
    publish(SimTime{0});
}

DriveModel::Signal DriveModel::signal(const QString& keyText) const
{
    Signal s;
    s.slot = slotOf(m_project, keyText);
    if (s.slot)
        s.scale = SignalScale::of(*s.slot->element, m_project, m_formulas);
    return s;
}

uint16_t DriveModel::settableWord(const Signal& signal) const
{
    if (!signal.slot)
        return 0;
    return m_tables.value(signal.slot->table, signal.slot->address).value_or(0);
}

void DriveModel::writeRaw(const Signal& signal, uint16_t raw)
{
    if (signal.slot)
        m_tables.setValue(signal.slot->table, signal.slot->address, raw);
}

void DriveModel::writeSignal(const Signal& signal, double value)
{
    if (!signal.slot)
        return;
    if (signal.scale)
        writeRaw(signal, signal.scale->raw(value));
    else
        writeRaw(signal, static_cast<uint16_t>(static_cast<int32_t>(std::lround(value)) & 0xFFFF));
}

bool DriveModel::toolHasControl() const
{
    return settableWord(m_controlSource0880) == 1;
}

bool DriveModel::runCommanded() const
{
    return settableWord(m_onOff7000) == 1;
}

double DriveModel::targetFrequency() const
{
    if (!m_setpoint.slot)
        return 0.0;
    const uint16_t raw = settableWord(m_setpoint);
    const double hz = m_setpoint.scale ? m_setpoint.scale->value(raw) : static_cast<int16_t>(raw) / 100.0;
    return std::clamp(hz, -kMaximumFrequency, kMaximumFrequency);
}

double DriveModel::speed() const
{
    // Asynchronous motor: a little slip under load.
    return m_frequency * 60.0 / kPolePairs * (1.0 - 0.0002 * std::abs(torque()));
}

double DriveModel::torque() const
{
    if (m_state != DriveState::Run)
        return 0.0;
    const double ratio = m_frequency / 50.0;
    const double load = 10.0 + 30.0 * ratio * ratio;
    const double sign = m_frequency < 0.0 ? -1.0 : 1.0;
    return sign * load + 40.0 * m_acceleration / kRampHzPerSecond;
}

double DriveModel::current(SimTime at) const
{
    if (m_state != DriveState::Run)
        return 0.0;
    const double ripple = 0.01 * std::sin(kTwoPi * m_frequency * toSeconds(at));
    return m_ratedCurrent * (0.3 + 0.5 * std::abs(torque()) / 100.0) * (1.0 + ripple);
}

double DriveModel::dcVoltage(SimTime at) const
{
    double voltage = kNominalDcVoltage;
    if (m_state == DriveState::Run) {
        const double t = torque();
        if (t < 0.0)
            voltage += 30.0 * std::min(-t / 40.0, 1.0);  // braking energy lifts the DC link
        voltage *= 1.0 + 0.005 * std::sin(kTwoPi * 300.0 * toSeconds(at));
    }
    return voltage;
}

uint16_t DriveModel::statusWord() const
{
    const bool fault = m_state == DriveState::Fault;
    const bool running = m_state == DriveState::Run;
    const bool on = m_runRequest && !fault;
    const std::array<bool, kStatusBits> bits = {on, !fault, true, running, running, running && on, running && on};
    uint16_t word = 0;
    for (size_t i = 0; i < bits.size(); ++i)
        word |= bits[i] ? static_cast<uint16_t>(1u << i) : 0;
    return word;
}

uint16_t DriveModel::faultWord(int word) const
{
    return word >= 0 && word < kFaultWordCount ? m_faults[static_cast<size_t>(word)] : 0;
}

bool DriveModel::anyFault() const
{
    return std::any_of(m_faults.begin(), m_faults.end(), [](uint16_t w) { return w != 0; });
}

void DriveModel::enter(DriveState state, SimTime now)
{
    m_state = state;
    m_stateSince = now;
}

bool DriveModel::setFaultBit(int word, int bit, bool on, SimTime now)
{
    if (word < 0 || word >= kFaultWordCount || bit < 0 || bit > 15)
        return false;
    advance(now);
    uint16_t& w = m_faults[static_cast<size_t>(word)];
    const uint16_t mask = static_cast<uint16_t>(1u << bit);
    if (on) {
        const bool wasSet = (w & mask) != 0;
        w |= mask;
        if (!wasSet)
            trip(word, bit, now);
    } else {
        w &= static_cast<uint16_t>(~mask);
    }
    publish(now);
    return true;
}

void DriveModel::trip(int word, int bit, SimTime now)
{
    if (m_state != DriveState::Fault)
        enter(DriveState::Fault, now);
    if (m_tripListener)
        m_tripListener(word, bit, now);
}

void DriveModel::resetFaults(SimTime now)
{
    advance(now);
    m_faults.fill(0);
    if (m_state == DriveState::Fault)
        enter(DriveState::Standby, now);
    m_acceleration = 0.0;
    publish(now);
}

void DriveModel::heartbeatLost(SimTime now)
{
    advance(now);
    writeRaw(m_onOff7000, 0);
    m_runRequest = false;
    publish(now);
}

void DriveModel::settableWritten(uint16_t address, uint16_t oldValue, uint16_t newValue, SimTime now)
{
    advance(now);
    if (m_reset7000.slot && m_reset7000.slot->table == TableKind::Settable && m_reset7000.slot->address == address
        && oldValue == 0 && newValue == 1) {
        resetFaults(now);
    }
    step(now, 0.0);  // run command edges take effect at once
    publish(now);
}

void DriveModel::advance(SimTime now)
{
    if (now <= m_now) {
        return;
    }
    // Long gaps (a paused program) are integrated in steps of at most 10 ms so that the
    // state timers and the ramp stay consistent.
    constexpr SimTime kMaxStep = std::chrono::milliseconds(10);
    while (m_now < now) {
        const SimTime next = std::min(now, m_now + kMaxStep);
        const double dt = toSeconds(next - m_now);
        m_now = next;
        step(m_now, dt);
    }
    publish(now);
}

void DriveModel::step(SimTime now, double dt)
{
    // The tool's commands count only while it holds control (P0880 = 1); otherwise the
    // last command stays in force (the keypad's business).
    const bool previousRequest = m_runRequest;
    if (toolHasControl())
        m_runRequest = runCommanded();
    const bool startEdge = m_runRequest && !previousRequest;

    const double before = m_frequency;
    switch (m_state) {
    case DriveState::Fault:  // stays until a reset, even once the bits are cleared
        m_frequency *= std::exp(-dt);  // coasting
        if (std::abs(m_frequency) < 0.05)
            m_frequency = 0.0;
        break;
    case DriveState::Standby:
        m_frequency = 0.0;
        if (startEdge)
            enter(DriveState::PreCharge, now);
        break;
    case DriveState::PreCharge:
        if (!m_runRequest)
            enter(DriveState::Standby, now);
        else if (now - m_stateSince >= kPreChargeTime)
            enter(DriveState::Ready, now);
        break;
    case DriveState::Ready:
        if (!m_runRequest)
            enter(DriveState::Standby, now);
        else if (now - m_stateSince >= kReadyTime)
            enter(DriveState::Run, now);
        break;
    case DriveState::Run: {
        const double target = m_runRequest ? targetFrequency() : 0.0;
        const double maxStep = kRampHzPerSecond * dt;
        m_frequency += std::clamp(target - m_frequency, -maxStep, maxStep);
        if (!m_runRequest && std::abs(m_frequency) < 0.05) {
            m_frequency = 0.0;
            enter(DriveState::Standby, now);
        }
        break;
    }
    }
    if (dt > 0.0)
        m_acceleration = std::abs(m_frequency) > std::abs(before) ? kRampHzPerSecond
                         : std::abs(m_frequency) < std::abs(before) ? -kRampHzPerSecond
                                                                     : 0.0;
}

void DriveModel::publish(SimTime now)
{
    writeRaw(m_state0001, static_cast<uint16_t>(m_state));
    writeSignal(m_frequency0002, m_frequency);
    writeSignal(m_speed0015, speed());
    writeSignal(m_current0004, current(now));
    writeSignal(m_dc0006, dcVoltage(now));
    writeSignal(m_torque0007, torque());
    writeRaw(m_status0550, statusWord());
    writeRaw(m_faultIndicator9106, m_state == DriveState::Fault ? 1 : 0);
    for (int word = 0; word < kFaultWordCount; ++word)
        writeRaw(m_faultWords[static_cast<size_t>(word)], m_faults[static_cast<size_t>(word)]);
}

}  // namespace hesk::sim
