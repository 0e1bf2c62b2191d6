#include "DriveModel.h"

#include "model/FaultWordLists.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hesk::sim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDcRippleHz = 300.0;       // six-pulse rectifier
constexpr double kDcDropAtRated = 0.01;     // share of UDCn lost at rated output power
constexpr double kDcRiseAtRated = 0.08;     // share gained per rated braking power
constexpr double kDcRiseLimit = 0.15;
constexpr double kHeatsinkRatedRise = 50.0;  // K at rated device current
constexpr double kHeatsinkIdleRise = 5.0;    // K of switching losses while pulsing
constexpr double kHeatsinkTau = 60.0;        // s
constexpr double kJunctionRatedRise = 15.0;  // K above the heatsink at rated current
constexpr double kMotorRatedRise = 80.0;     // K of copper losses at rated current
constexpr double kMotorIronRise = 10.0;      // K at rated frequency
constexpr double kMotorTau = 600.0;          // s, without P0383
constexpr double kDeviceLoadTau = 30.0;      // s
constexpr double kSetpointReachedHz = 0.1;
constexpr double kZeroSpeedHz = 0.5;

double toSeconds(SimTime t)
{
    return static_cast<double>(t.count()) / 1e6;
}

QString keyOf(char kind, int number)
{
    return QStringLiteral("%1%2").arg(QLatin1Char(kind)).arg(number, 4, 10, QLatin1Char('0'));
}

uint16_t bit(bool on, int position)
{
    return on ? static_cast<uint16_t>(1u << position) : uint16_t{0};
}

// "V1.14.18" -> 1418, as the drive reports its software version in r0828.
std::optional<double> softwareVersion(const QString& version)
{
    const QStringList parts = version.mid(1).split(QLatin1Char('.'));
    if (!version.startsWith(QLatin1Char('V')) || parts.size() != 3)
        return std::nullopt;
    bool okMinor = false, okPatch = false;
    const int minor = parts[1].toInt(&okMinor), patch = parts[2].toInt(&okPatch);
    if (!okMinor || !okPatch)
        return std::nullopt;
    return minor * 100 + patch;
}

}  // namespace

struct DriveModel::Outputs {
    Signal state0001, frequency0002, voltage0003, current0004, power0005, dc0006, dcFiltered0006, ripple0006,
        torque0007, torqueNm0008, motorTemperature0009, heatsink0010, motorSet0011, bicoSet0012, functionSet0013,
        speedSetpoint0014, speed0015, motorLoad0016, powerFactor0017, runHours0018, inputs0019, relays0020,
        mainSetpoint0024, motorVoltage0025, magnetising0026, torqueCurrent0027, energy0028, deviceLoad0030,
        junction0031, version0828, status0550, status0551, control0552, control0553, faultIndicator9106, rated0072,
        rated0073, baseTime0820;
    // The reference values of the measured connectors (P0350 current, P0351 voltage,
    // P0352 frequency, P0353 speed, P0354 torque, in % of the rated values).
    std::array<Signal, 5> references;
    std::vector<std::pair<int, Signal>> binectors;         // B number -> its output
    std::vector<std::pair<double, Signal>> fixedConnectors;  // value in % -> K output
    std::vector<std::pair<int, Signal>> measuredConnectors;  // K number -> its output
    std::array<std::array<Signal, DataSetSelection::kBicoDataSets>, 4> relaySources;  // P0651..P0654
};

DriveModel::DriveModel(const model::HeskProject& project, DriveTables& tables, ProjectFormulas& formulas)
    : m_project(project), m_deviceClass(model::resolveCpuType(project.header.cpuType).deviceClass),
      m_formulas(formulas), m_tables(tables), m_selection(project),
      m_out(std::make_unique<Outputs>())
{
    // A project of no known class is driven as the inverter.
    const model::DeviceClass wordsOf =
        m_deviceClass == model::DeviceClass::None ? model::DeviceClass::Inverter : m_deviceClass;
    for (const QString& key : model::faultWordLists(wordsOf).alarms) {
        const int word = key.mid(key.indexOf(QLatin1Char('.')) + 1).toInt();
        if (word >= 0 && word < kFaultWordCount)
            m_alarmWords[static_cast<size_t>(word)] = true;
    }
    Outputs& o = *m_out;
    o.state0001 = signal(QStringLiteral("r0001"));
    o.frequency0002 = signal(QStringLiteral("r0002"));
    o.voltage0003 = signal(QStringLiteral("r0003"));
    o.current0004 = signal(QStringLiteral("r0004"));
    o.power0005 = signal(QStringLiteral("r0005"));
    o.dc0006 = signal(QStringLiteral("r0006.0"));
    o.dcFiltered0006 = signal(QStringLiteral("r0006.1"));
    o.ripple0006 = signal(QStringLiteral("r0006.2"));
    o.torque0007 = signal(QStringLiteral("r0007"));
    o.torqueNm0008 = signal(QStringLiteral("r0008"));
    o.motorTemperature0009 = signal(QStringLiteral("r0009"));
    o.heatsink0010 = signal(QStringLiteral("r0010"));
    o.motorSet0011 = signal(QStringLiteral("r0011"));
    o.bicoSet0012 = signal(QStringLiteral("r0012"));
    o.functionSet0013 = signal(QStringLiteral("r0013"));
    o.speedSetpoint0014 = signal(QStringLiteral("r0014"));
    o.speed0015 = signal(QStringLiteral("r0015"));
    o.motorLoad0016 = signal(QStringLiteral("r0016"));
    o.powerFactor0017 = signal(QStringLiteral("r0017"));
    o.runHours0018 = signal(QStringLiteral("r0018"));
    o.inputs0019 = signal(QStringLiteral("r0019"));
    o.relays0020 = signal(QStringLiteral("r0020"));
    o.mainSetpoint0024 = signal(QStringLiteral("r0024"));
    o.motorVoltage0025 = signal(QStringLiteral("r0025"));
    o.magnetising0026 = signal(QStringLiteral("r0026"));
    o.torqueCurrent0027 = signal(QStringLiteral("r0027"));
    o.energy0028 = signal(QStringLiteral("r0028"));
    o.deviceLoad0030 = signal(QStringLiteral("r0030"));
    o.junction0031 = signal(QStringLiteral("r0031"));
    o.version0828 = signal(QStringLiteral("r0828"));
    o.status0550 = signal(QStringLiteral("r0550"));
    o.status0551 = signal(QStringLiteral("r0551"));
    o.control0552 = signal(QStringLiteral("r0552"));
    o.control0553 = signal(QStringLiteral("r0553"));
    o.faultIndicator9106 = signal(QStringLiteral("r9106"));
    o.rated0072 = signal(QStringLiteral("r0072"));
    o.rated0073 = signal(QStringLiteral("r0073"));
    o.baseTime0820 = signal(QStringLiteral("r0820"));
    for (int i = 0; i < 5; ++i)
        o.references[static_cast<size_t>(i)] = signal(keyOf('P', 350 + i));
    const int binectors[] = {0, 1, 10, 11, 12, 13, 14, 15, 16, 17, 100, 101, 102, 103, 104, 105, 106, 107, 111, 115,
                             116, 117};
    for (int n : binectors)
        if (Signal s = signal(keyOf('r', 9000 + n)); s.slot)
            o.binectors.emplace_back(n, s);
    // The fixed connectors; on the rectifiers K0003 and K0004 are measured values.
    const bool inverter = m_deviceClass == model::DeviceClass::Inverter;
    const std::pair<int, double> connectors[] = {{0, 0.0}, {1, 100.0}, {2, -100.0}, {3, 50.0}, {4, 200.0}};
    for (const auto& [n, value] : connectors)
        if (Signal s = signal(keyOf('r', 8000 + n)); s.slot && (inverter || n < 3))
            o.fixedConnectors.emplace_back(value, s);
    // The connectors that carry the drive's signals (what the trigger recorder samples).
    const std::vector<int> measured = inverter ? std::vector<int>{20, 21, 22, 23, 24, 25, 28, 29, 30, 32, 33, 34, 35, 80, 81, 148}
                                               : std::vector<int>{3, 4, 6, 32};
    for (int n : measured)
        if (Signal s = signal(keyOf('r', 8000 + n)); s.slot)
            o.measuredConnectors.emplace_back(n, s);
    for (int relay = 0; relay < 4; ++relay)
        for (int b = 1; b <= DataSetSelection::kBicoDataSets; ++b)
            o.relaySources[static_cast<size_t>(relay)][static_cast<size_t>(b - 1)] = inputOf(651 + relay, b);

    for (int set = 1; set <= kMotorDataSets; ++set) {
        MotorSignals& m = m_motor[static_cast<size_t>(set - 1)];
        auto motor = [&](int number) {
            Signal s = signal(QStringLiteral("%1.%2").arg(keyOf('P', number)).arg(set));
            return s.slot ? s : signal(keyOf('P', number));
        };
        m.voltage = motor(101);
        m.current = motor(102);
        m.magnetising = motor(103);
        m.powerFactor = motor(104);
        m.power = motor(105);
        m.efficiency = motor(106);
        m.frequency = motor(107);
        m.speed = motor(108);
        m.polePairs = motor(109);
        m.torque = motor(113);
        m.thermalTime = motor(383);
    }
    for (int word = 0; word < kFaultWordCount; ++word)
        m_faultWords[static_cast<size_t>(word)] = signal(QStringLiteral("r0943.%1").arg(word));
    m_controlSource0880 = signal(QStringLiteral("P0880"));
    m_onOff7000 = signal(QStringLiteral("P7000.5"));
    m_identification0115 = signal(QStringLiteral("P0115"));
    m_reset7000 = signal(QStringLiteral("P7000.4"));
    m_setpoint = signal(QStringLiteral("P7030"));
    if (!m_setpoint.slot)
        m_setpoint = signal(QStringLiteral("P7200"));
    m_referenceSpeed0353 = signal(QStringLiteral("P0353"));

    m_runRequest = toolHasControl() && runCommanded();
    m_dataSets = m_selection.requested(m_tables);
    refreshFormulas();
    publish(SimTime{0});
}

DriveModel::~DriveModel() = default;

DriveModel::Signal DriveModel::signal(const QString& keyText)
{
    Signal s;
    s.slot = slotOf(m_project, keyText);
    if (s.slot)
        s.scale = SignalScale::of(*s.slot->element, m_project, m_formulas);
    return s;
}

DriveModel::Signal DriveModel::inputOf(int number, int bicoDataSet)
{
    Signal s = signal(QStringLiteral("%1.%2").arg(keyOf('P', number)).arg(bicoDataSet));
    return s.slot ? s : signal(keyOf('P', number));
}

void DriveModel::rescale()
{
    auto scale = [this](Signal& s) {
        if (s.slot)
            s.scale = SignalScale::of(*s.slot->element, m_project, m_formulas);
    };
    Outputs& o = *m_out;
    for (Signal* s : {&o.state0001, &o.frequency0002, &o.voltage0003, &o.current0004, &o.power0005, &o.dc0006,
                      &o.dcFiltered0006, &o.ripple0006, &o.torque0007, &o.torqueNm0008, &o.motorTemperature0009,
                      &o.heatsink0010, &o.motorSet0011, &o.bicoSet0012, &o.functionSet0013, &o.speedSetpoint0014,
                      &o.speed0015, &o.motorLoad0016, &o.powerFactor0017, &o.runHours0018, &o.inputs0019,
                      &o.relays0020, &o.mainSetpoint0024, &o.motorVoltage0025, &o.magnetising0026,
                      &o.torqueCurrent0027, &o.energy0028, &o.deviceLoad0030, &o.junction0031, &o.version0828,
                      &o.status0550, &o.status0551, &o.control0552, &o.control0553, &o.faultIndicator9106,
                      &o.rated0072, &o.rated0073, &m_controlSource0880, &m_onOff7000, &m_reset7000, &m_setpoint,
                      &m_referenceSpeed0353, &m_identification0115})
        scale(*s);
    for (auto& [n, s] : o.binectors)
        scale(s);
    for (auto& [value, s] : o.fixedConnectors)
        scale(s);
    for (MotorSignals& m : m_motor)
        for (Signal* s : {&m.voltage, &m.current, &m.magnetising, &m.powerFactor, &m.power, &m.efficiency,
                          &m.frequency, &m.speed, &m.polePairs, &m.torque, &m.thermalTime})
            scale(*s);
}

uint16_t DriveModel::tableWord(const Signal& signal) const
{
    if (!signal.slot)
        return 0;
    return m_tables.value(signal.slot->table, signal.slot->address).value_or(0);
}

std::optional<double> DriveModel::settableValue(const Signal& signal) const
{
    if (!signal.slot || !signal.scale)
        return std::nullopt;
    return signal.scale->value(tableWord(signal));
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
    return tableWord(m_controlSource0880) == 1;
}

bool DriveModel::runCommanded() const
{
    return tableWord(m_onOff7000) == 1;
}

MotorRating DriveModel::rating() const
{
    const MotorSignals& m = m_motor[static_cast<size_t>(std::clamp(m_dataSets.motor, 1, kMotorDataSets) - 1)];
    MotorRating r;
    const auto take = [this](const Signal& s, double& field, double factor = 1.0) {
        if (const auto value = settableValue(s))
            field = *value * factor;
    };
    take(m.voltage, r.voltage);
    take(m.current, r.current);
    take(m.magnetising, r.magnetisingShare, 0.01);
    take(m.powerFactor, r.powerFactor);
    take(m.power, r.power);
    take(m.efficiency, r.efficiency, 0.01);
    take(m.frequency, r.frequency);
    take(m.speed, r.speed);
    take(m.polePairs, r.polePairs);
    take(m.torque, r.torque);
    return r.sane();
}

double DriveModel::speedSetpoint() const
{
    if (!m_setpoint.slot)
        return 0.0;
    const uint16_t raw = tableWord(m_setpoint);
    const double value = m_setpoint.scale ? m_setpoint.scale->value(raw) : static_cast<int16_t>(raw) / 100.0;
    const QString unit = m_setpoint.slot->element->unit.trimmed();
    if (unit == QLatin1String("%")) {
        const double reference = settableValue(m_referenceSpeed0353).value_or(100.0);
        return value / 100.0 * kReferenceSpeed * reference / 100.0;
    }
    if (unit == QLatin1String("r/min"))
        return value;
    return rating().synchronousSpeed(value);
}

double DriveModel::targetFrequency() const
{
    const double hz = speedSetpoint() * rating().polePairs / 60.0;
    return std::clamp(hz, -kMaximumFrequency, kMaximumFrequency);
}

double DriveModel::torque() const
{
    if (m_state != DriveState::Run)
        return 0.0;
    const double ratio = m_frequency / rating().frequency;
    const double sign = m_frequency < 0.0 ? -1.0 : 1.0;
    return sign * (10.0 + 30.0 * ratio * ratio + m_extraLoad) + 40.0 * m_acceleration / kRampHzPerSecond;
}

MotorQuantities DriveModel::quantities() const
{
    return motorQuantities(rating(), m_frequency, torque(), m_state == DriveState::Run);
}

double DriveModel::speed() const
{
    return quantities().speed;
}

double DriveModel::current(SimTime) const
{
    return quantities().current;
}

double DriveModel::deviceCurrent() const
{
    const std::optional<double> rated = m_formulas.referenceNumber(QStringLiteral("r0072"));
    return rated && *rated > 0.0 ? *rated : rating().current;
}

double DriveModel::devicePower() const
{
    const std::optional<double> rated = m_formulas.referenceNumber(QStringLiteral("r0073"));
    return rated && *rated > 0.0 ? *rated : rating().power;
}

double DriveModel::nominalDcVoltage() const
{
    const std::optional<double> base = m_formulas.baseValue(model::BaseValueKind::DcVoltage);
    return base && *base > 0.0 ? *base : kNominalDcVoltage;
}

double DriveModel::dcVoltageFiltered() const
{
    const double nominal = nominalDcVoltage();
    if (m_state != DriveState::Run)
        return nominal;
    const double load = quantities().electricalPower / devicePower();
    if (load >= 0.0)
        return nominal * (1.0 - kDcDropAtRated * load);
    return nominal * (1.0 + std::min(kDcRiseAtRated * -load, kDcRiseLimit));
}

double DriveModel::dcVoltage(SimTime at) const
{
    const double filtered = dcVoltageFiltered();
    if (m_state != DriveState::Run)
        return filtered;
    const double ripple = nominalDcVoltage() * (0.002 + 0.01 * std::abs(quantities().electricalPower) / devicePower());
    return filtered + ripple / 2.0 * std::sin(kTwoPi * kDcRippleHz * toSeconds(at));
}

uint16_t DriveModel::statusWord() const
{
    const bool fault = m_state == DriveState::Fault;
    const bool running = m_state == DriveState::Run;
    const bool ready = m_state == DriveState::Ready || running;
    switch (m_deviceClass) {
    case model::DeviceClass::FeedbackRectifier:
    case model::DeviceClass::ActiveRectifier:
    case model::DeviceClass::BasicRectifier:
        // ready to switch on, ready, run, fault, no OFF2, alarm (bit 7)
        return bit(!fault, 0) | bit(ready, 1) | bit(running, 2) | bit(fault, 3) | bit(!fault, 4) | bit(anyAlarm(), 7);
    case model::DeviceClass::TestBench:
        return bit(!fault, 0) | bit(running, 1) | bit(fault, 2) | bit(anyAlarm(), 3);
    case model::DeviceClass::Inverter:
    case model::DeviceClass::None:
        break;
    }
    // ON/OFF1, no OFF2, no OFF3, pulses, ramp enabled, ramp started, setpoint enabled:
    // the seven lamps of the control panel.
    const bool on = m_runRequest && !fault;
    const std::array<bool, 7> bits = {on, !fault, true, running, running, running && on, running && on};
    uint16_t word = 0;
    for (size_t i = 0; i < bits.size(); ++i)
        word |= bit(bits[i], static_cast<int>(i));
    return word;
}

uint16_t DriveModel::statusWord2() const
{
    const bool running = m_state == DriveState::Run;
    const bool reached = running && m_runRequest && std::abs(m_frequency - targetFrequency()) < kSetpointReachedHz;
    return bit(m_state == DriveState::Ready || running, 0) | bit(running, 1) | bit(m_state == DriveState::Fault, 2)
           | bit(anyAlarm(), 3) | bit(reached, 4) | bit(std::abs(m_frequency) < kZeroSpeedHz, 5)
           | bit(m_frequency < 0.0, 6);
}

uint16_t DriveModel::controlWord() const
{
    // OFF2, OFF3 and the enables (bits 1 to 6) are given: the model has no source that
    // withdraws them.
    const bool tool = toolHasControl();
    return static_cast<uint16_t>(bit(m_runRequest, 0) | 0x007E | bit(tool && tableWord(m_reset7000) == 1, 7)
                                 | bit(tool, 10));
}

uint16_t DriveModel::faultWord(int word) const
{
    return word >= 0 && word < kFaultWordCount ? m_faults[static_cast<size_t>(word)] : 0;
}

bool DriveModel::isAlarmWord(int word) const
{
    return word >= 0 && word < kFaultWordCount && m_alarmWords[static_cast<size_t>(word)];
}

bool DriveModel::anyFault() const
{
    for (int w = 0; w < kFaultWordCount; ++w)
        if (!isAlarmWord(w) && m_faults[static_cast<size_t>(w)] != 0)
            return true;
    return false;
}

bool DriveModel::anyAlarm() const
{
    for (int w = 0; w < kFaultWordCount; ++w)
        if (isAlarmWord(w) && m_faults[static_cast<size_t>(w)] != 0)
            return true;
    return false;
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
        if (!wasSet && !isAlarmWord(word))
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

int DriveModel::identificationRequest() const
{
    return tableWord(m_identification0115);
}

void DriveModel::settableWritten(uint16_t address, uint16_t oldValue, uint16_t newValue, SimTime now)
{
    advance(now);
    // P0115 = 1: the automatic parameter setting is a calculation; the request clears when
    // it is done.
    if (m_identification0115.slot && m_identification0115.slot->table == TableKind::Settable
        && m_identification0115.slot->address == address && newValue == 1)
        m_calculationEnds = now + kParameterCalculation;
    if (m_reset7000.slot && m_reset7000.slot->table == TableKind::Settable && m_reset7000.slot->address == address
        && oldValue == 0 && newValue == 1) {
        resetFaults(now);
    }
    refreshFormulas();  // P0070, P0109.x and the other references
    step(now, 0.0);     // run command edges take effect at once
    publish(now);
}

void DriveModel::settingsReplaced(SimTime now)
{
    advance(now);
    refreshFormulas();
    step(now, 0.0);
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

void DriveModel::followDataSets()
{
    publishBinectors();  // the selection reads them: digital inputs count at once
    DataSets wanted = m_selection.requested(m_tables);
    // The motor data set switches only while the motor is not running.
    if (m_state == DriveState::Run)
        wanted.motor = m_dataSets.motor;
    if (wanted == m_dataSets)
        return;
    m_dataSets = wanted;
    refreshFormulas();
}

void DriveModel::refreshFormulas()
{
    // The rated output some devices report as parameters comes first: the formulas read it.
    if (const auto rated = m_formulas.ratedOutput(QStringLiteral("r0072")))
        writeSignal(m_out->rated0072, *rated);
    if (const auto rated = m_formulas.ratedOutput(QStringLiteral("r0073")))
        writeSignal(m_out->rated0073, *rated);
    if (m_formulas.update(m_tables, m_dataSets.motor))
        rescale();
}

void DriveModel::step(SimTime now, double dt)
{
    // The tool's commands count only while it holds control (P0880 = 1); otherwise the
    // last command stays in force (the keypad's business).
    const bool previousRequest = m_runRequest;
    if (toolHasControl())
        m_runRequest = runCommanded();
    const bool startEdge = m_runRequest && !previousRequest;
    followDataSets();
    if (m_calculationEnds && now >= *m_calculationEnds) {
        m_calculationEnds.reset();
        if (identificationRequest() == 1)
            writeRaw(m_identification0115, 0);
    }

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
            enter(identificationRequest() >= 2 && identificationRequest() <= 5 ? DriveState::LeakageIdentification
                                                                                : DriveState::Run,
                  now);
        break;
    case DriveState::LeakageIdentification:
    case DriveState::StandstillMeasurement1:
    case DriveState::StandstillMeasurement2:
    case DriveState::StandstillMeasurement3:
        // The motor stands while it is measured; a stop command breaks the measurement off.
        m_frequency = 0.0;
        if (!m_runRequest) {
            enter(DriveState::Standby, now);
        } else if (now - m_stateSince >= kIdentificationStep) {
            if (m_state == DriveState::StandstillMeasurement3) {
                writeRaw(m_identification0115, 0);  // done: the request clears, the drive waits
                enter(DriveState::Standby, now);    // for a new ON command
            } else {
                enter(m_state == DriveState::LeakageIdentification
                          ? DriveState::StandstillMeasurement1
                          : static_cast<DriveState>(static_cast<uint16_t>(m_state) + 1),
                      now);
            }
        }
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
    if (dt > 0.0) {
        m_acceleration = std::abs(m_frequency) > std::abs(before) ? kRampHzPerSecond
                         : std::abs(m_frequency) < std::abs(before) ? -kRampHzPerSecond
                                                                     : 0.0;
        integrate(dt);
    }
}

void DriveModel::integrate(double dt)
{
    const MotorRating r = rating();
    const MotorQuantities q = quantities();
    const bool running = m_state == DriveState::Run;
    const double deviceShare = q.current / deviceCurrent();
    const double motorShare = q.current / r.current;
    const double heatsinkTarget =
        running ? kHeatsinkRatedRise * deviceShare * deviceShare + kHeatsinkIdleRise : 0.0;
    m_heatsinkRise = lagToward(m_heatsinkRise, heatsinkTarget, kHeatsinkTau, dt);
    const double motorTarget =
        running ? kMotorRatedRise * motorShare * motorShare
                      + kMotorIronRise * std::min(std::abs(m_frequency) / r.frequency, 1.0)
                : 0.0;
    const double motorTau = settableValue(m_motor[static_cast<size_t>(m_dataSets.motor - 1)].thermalTime)
                                .value_or(kMotorTau);
    m_motorRise = lagToward(m_motorRise, motorTarget, motorTau > 0.0 ? motorTau : kMotorTau, dt);
    m_deviceLoad = lagToward(m_deviceLoad, 100.0 * deviceShare * deviceShare, kDeviceLoadTau, dt);
    if (running)
        m_runSeconds += dt;
    if (q.electricalPower > 0.0)
        m_energyKWh += q.electricalPower * dt / 3600.0;
}

void DriveModel::publishBinectors()
{
    Outputs& o = *m_out;
    const bool fault = m_state == DriveState::Fault;
    const bool running = m_state == DriveState::Run;
    const bool ready = m_state == DriveState::Ready || running;
    const uint16_t inputs = tableWord(o.inputs0019);
    const uint16_t status2 = statusWord2();
    for (const auto& [n, s] : o.binectors) {
        bool on = false;
        if (n == 1)
            on = true;
        else if (n >= 10 && n <= 17)
            on = (inputs >> (n - 10)) & 1u;
        else if (n == 100)
            on = !fault;
        else if (n == 101 || n == 116)
            on = ready;
        else if (n == 102 || n == 104)
            on = running;
        else if (n == 103 || n == 106)
            on = fault;
        else if (n == 105)
            on = anyAlarm();
        else if (n == 107)
            on = (status2 & 0x10) != 0;
        else if (n == 111)
            on = (status2 & 0x20) != 0;
        else if (n == 115)
            on = m_state != DriveState::Standby && !fault;
        else if (n == 117)
            on = running && quantities().electricalPower < 0.0;
        writeRaw(s, on ? 1 : 0);
    }
    for (const auto& [value, s] : o.fixedConnectors)
        writeSignal(s, value);
}

void DriveModel::publishBits()
{
    Outputs& o = *m_out;
    const bool fault = m_state == DriveState::Fault;
    publishBinectors();
    uint16_t relays = 0;
    for (size_t relay = 0; relay < o.relaySources.size(); ++relay) {
        const Signal& input = o.relaySources[relay][static_cast<size_t>(m_dataSets.bico - 1)];
        relays |= bit(DataSetSelection::binectorState(m_tables, input.slot), static_cast<int>(relay));
    }
    writeRaw(o.relays0020, relays);
    writeRaw(o.status0550, statusWord());
    writeRaw(o.status0551, statusWord2());
    writeRaw(o.control0552, controlWord());
    writeRaw(o.control0553, m_selection.selectionBits(m_tables));
    writeRaw(o.faultIndicator9106, fault ? 1 : 0);
    for (int word = 0; word < kFaultWordCount; ++word)
        writeRaw(m_faultWords[static_cast<size_t>(word)], m_faults[static_cast<size_t>(word)]);
}

void DriveModel::publish(SimTime now)
{
    Outputs& o = *m_out;
    const MotorRating r = rating();
    const MotorQuantities q = quantities();
    const bool running = m_state == DriveState::Run;
    const double deviceShare = q.current / deviceCurrent();
    writeRaw(o.state0001, static_cast<uint16_t>(m_state));
    writeSignal(o.frequency0002, m_frequency);
    writeSignal(o.voltage0003, q.voltage);
    writeSignal(o.motorVoltage0025, q.voltage);
    writeSignal(o.current0004, q.current);
    writeSignal(o.magnetising0026, 100.0 * q.magnetisingCurrent / r.current);
    writeSignal(o.torqueCurrent0027, 100.0 * q.torqueCurrent / r.current);
    writeSignal(o.power0005, 100.0 * q.electricalPower / devicePower());
    writeSignal(o.powerFactor0017, q.powerFactor);
    writeSignal(o.dc0006, dcVoltage(now));
    writeSignal(o.dcFiltered0006, dcVoltageFiltered());
    writeSignal(o.ripple0006,
                running ? nominalDcVoltage() * (0.002 + 0.01 * std::abs(q.electricalPower) / devicePower()) : 0.0);
    writeSignal(o.torque0007, torque());
    writeSignal(o.torqueNm0008, q.torqueNm);
    writeSignal(o.speed0015, m_state == DriveState::Standby ? 0.0 : q.speed);
    writeSignal(o.speedSetpoint0014, r.synchronousSpeed(m_frequency));
    const double reference = kReferenceSpeed * settableValue(m_referenceSpeed0353).value_or(100.0) / 100.0;
    writeSignal(o.mainSetpoint0024, reference > 0.0 ? 100.0 * speedSetpoint() / reference : 0.0);
    writeSignal(o.motorTemperature0009, motorTemperature());
    writeSignal(o.heatsink0010, heatsinkTemperature());
    writeSignal(o.junction0031, heatsinkTemperature() + kJunctionRatedRise * deviceShare);
    writeSignal(o.motorLoad0016, 100.0 * m_motorRise / (kMotorRatedRise + kMotorIronRise));
    writeSignal(o.deviceLoad0030, m_deviceLoad);
    writeSignal(o.runHours0018, std::floor(m_runSeconds / 3600.0));
    writeSignal(o.energy0028, std::floor(m_energyKWh));
    writeSignal(o.motorSet0011, m_dataSets.motor);
    writeSignal(o.bicoSet0012, m_dataSets.bico);
    writeSignal(o.functionSet0013, m_dataSets.function);
    if (const auto version = softwareVersion(m_project.header.deviceVersion))
        writeSignal(o.version0828, *version);
    // TA in microseconds, through r0820's own conversion (so the tool reads back the time
    // the recorder samples with).
    writeSignal(o.baseTime0820, static_cast<double>(m_project.timeBases[0]));
    publishBits();
    publishConnectors(now);
}

void DriveModel::publishConnectors(SimTime now)
{
    Outputs& o = *m_out;
    if (o.measuredConnectors.empty())
        return;
    const MotorRating r = rating();
    const MotorQuantities q = quantities();
    const auto reference = [&](int i) {
        const double share = settableValue(o.references[static_cast<size_t>(i)]).value_or(100.0) / 100.0;
        return share > 0.0 ? share : 1.0;
    };
    const auto percent = [](double value, double base) { return base > 0.0 ? 100.0 * value / base : 0.0; };
    const double currentBase = deviceCurrent() * reference(0);
    const double voltageBase = r.voltage * reference(1);
    const double frequencyBase = r.frequency * reference(2);
    const double speedBase = kReferenceSpeed * reference(3);
    const double dcBase = nominalDcVoltage();
    const bool standing = m_state == DriveState::Standby;
    for (const auto& [n, s] : o.measuredConnectors) {
        switch (n) {
        case 20: writeSignal(s, percent(speedSetpoint() * r.polePairs / 60.0, frequencyBase)); break;
        case 21: writeSignal(s, percent(m_frequency, frequencyBase)); break;
        case 22: writeSignal(s, percent(q.voltage, voltageBase)); break;
        case 23: writeSignal(s, percent(q.current, currentBase)); break;
        case 24: writeSignal(s, percent(dcVoltage(now), dcBase)); break;
        case 25: writeSignal(s, torque() / reference(4)); break;
        case 28: writeSignal(s, percent(q.electricalPower, devicePower())); break;
        case 29: writeSignal(s, percent(q.magnetisingCurrent, currentBase)); break;
        case 30: writeSignal(s, percent(q.torqueCurrent, currentBase)); break;
        case 32: writeRaw(s, statusWord()); break;
        case 33: writeRaw(s, statusWord2()); break;
        case 34: writeRaw(s, controlWord()); break;
        case 35: writeRaw(s, m_selection.selectionBits(m_tables)); break;
        case 80: writeSignal(s, percent(r.synchronousSpeed(m_frequency), speedBase)); break;
        case 81: writeSignal(s, percent(standing ? 0.0 : q.speed, speedBase)); break;
        case 148: writeSignal(s, percent(dcVoltageFiltered(), dcBase)); break;
        // Rectifiers: line voltage and current, DC voltage, status word.
        case 3: writeSignal(s, percent(q.voltage, voltageBase)); break;
        case 4: writeSignal(s, percent(q.current, currentBase)); break;
        case 6: writeSignal(s, percent(dcVoltage(now), dcBase)); break;
        default: break;
        }
    }
}

}  // namespace hesk::sim
