#pragma once
// The drive's behaviour as the control panel and the pages see it: the operating state
// r0001 (standby 9, pre-charge 10, ready 11, run 14, fault 7), start and stop through
// P7000.5 while P0880 = 1, fault reset on a rising edge of P7000.4, and an asynchronous
// motor on V/f control that ramps toward the setpoint (P7030, or P7200 on older
// controllers). The setpoint's unit decides what it means: "%" is a share of the
// reference speed 3000 r/min x P0353 / 100, "r/min" a speed, anything else a frequency
// in Hz; a speed turns into a frequency through the pole pairs of the active motor data set.
//
// The active data sets (r0011 motor, r0012 BICO, r0013 function) follow their
// selection inputs (DataSetSelection); the motor data set changes only while the motor
// is not running. The motor's nameplate is the active motor data set (P0101..P0109,
// P0113), and every published value comes from the same operating point through
// MotorPhysics, so they agree: r0002 frequency, r0003/r0025 voltage, r0004 current with
// r0026/r0027 its components, r0005 output power, r0006.0..2 DC link (actual with
// ripple, filtered, ripple peak to peak), r0007/r0008 torque, r0014/r0015 speed
// setpoint and speed, r0017 power factor, r0024 main setpoint; temperatures r0009
// (motor), r0010 (heatsink), r0031 (IGBT) and the loads r0016, r0030 rise under load
// with first-order lags; r0018 and r0028 count hours and energy. The status words r0550
// and r0551, the control words r0552 and r0553, the relay outputs r0020 and the
// binector outputs (B0000, B0001, digital inputs, state bits) follow the state; the
// fixed connector outputs K0000..K0004 hold their values; the measured connectors
// (K0020..K0035, K0080, K0081, K0148 of the inverter: frequency, voltage, current, DC
// voltage, torque, power, status and control words, speed; K0003, K0004, K0006, K0032 of
// the rectifiers) carry the same operating point in % of the reference values P0350..
// P0354 (16384 = 100 %), and r0820 the base time TA the recorder samples with. Fault words r0943.x trip the
// drive; r9106 is the fault indicator the recorder's fault trigger watches.
//
// The model writes its signals into the drive's tables in the units of each parameter,
// converted with the parameter's own type and formula in the drive's current formula
// context (ProjectFormulas, rebuilt when P0070, a referenced parameter or the motor data
// set changes). A parameter the project lacks is simply not written. Time is injected:
// advance(now) integrates up to `now`.
//
// Not thread-safe; owned by the simulated drive.

#include "DataSetSelection.h"
#include "DriveTables.h"
#include "MotorPhysics.h"
#include "ProjectFormulas.h"
#include "SimTime.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace hesk::sim {

enum class DriveState : uint16_t {
    Fault = 7,
    Standby = 9,
    PreCharge = 10,
    Ready = 11,
    Run = 14,
    LeakageIdentification = 45,   // the identification P0115 asked for, in its steps
    StandstillMeasurement1 = 47,
    StandstillMeasurement2 = 48,
    StandstillMeasurement3 = 49,
};

class DriveModel {
public:
    static constexpr SimTime kPreChargeTime = seconds(0.3);
    static constexpr SimTime kReadyTime = seconds(0.1);
    static constexpr double kRampHzPerSecond = 20.0;
    static constexpr double kNominalDcVoltage = 540.0;  // without a DC voltage base
    static constexpr double kMaximumFrequency = 200.0;
    static constexpr double kReferenceSpeed = 3000.0;   // r/min at P0353 = 100 %
    static constexpr double kAmbient = 35.0;            // deg C
    static constexpr int kFaultWordCount = 21;          // r0943.0 .. r0943.20
    static constexpr int kMotorDataSets = 4;
    // Each step of a motor identification (states 45, 47, 48, 49) takes this long.
    static constexpr SimTime kIdentificationStep = seconds(1.5);
    // P0115 = 1, the automatic parameter calculation, reads 1 this long, then 0.
    static constexpr SimTime kParameterCalculation = seconds(2.0);

    // Called once per trip with the fault word and bit that tripped (for the fault memory).
    using TripListener = std::function<void(int word, int bit, SimTime when)>;

    DriveModel(const model::HeskProject& project, DriveTables& tables, ProjectFormulas& formulas);
    ~DriveModel();
    DriveModel(const DriveModel&) = delete;
    DriveModel& operator=(const DriveModel&) = delete;

    // Integrates the motor and the state machine up to `now` (earlier times are ignored)
    // and writes the signals into the tables.
    void advance(SimTime now);

    // A settable value was changed by a confirmed write or a download: reacts to edges
    // (fault reset, run command) and to changes of what conversions use (P0070, P0109.x).
    // Call after the table holds the new value.
    void settableWritten(uint16_t address, uint16_t oldValue, uint16_t newValue, SimTime now);
    // The settable values or connections changed wholesale (factory restore).
    void settingsReplaced(SimTime now);

    // Fault words r0943.word bit `bit`. Setting a bit of a fault word trips the drive (an
    // alarm word's bit only warns); clearing leaves the fault state until a reset (P7000.4).
    bool setFaultBit(int word, int bit, bool on, SimTime now);
    uint16_t faultWord(int word) const;
    bool anyFault() const;  // a bit in a fault word
    bool anyAlarm() const;  // a bit in an alarm word (the device type's, FaultWordLists)
    // Whether r0943.word is an alarm word of the device type: its bits warn, they do not trip.
    bool isAlarmWord(int word) const;
    // The reset of P7000.4: clears every fault bit and leaves the fault state.
    void resetFaults(SimTime now);

    // Heartbeat supervision expired: OFF1 (P7000.5 back to 0) as the drive does when it
    // loses its master.
    void heartbeatLost(SimTime now);

    // A load torque in % of the rated torque added to the machine's own (fan-like) load.
    void setExtraLoad(double percent) { m_extraLoad = percent; }
    double extraLoad() const { return m_extraLoad; }

    DriveState state() const { return m_state; }
    DataSets dataSets() const { return m_dataSets; }
    MotorRating rating() const;                              // of the active motor data set
    double frequency() const { return m_frequency; }         // Hz, signed
    double targetFrequency() const;                          // Hz from the setpoint
    double speedSetpoint() const;                            // r/min from the setpoint
    double speed() const;                                    // r/min
    double current(SimTime at = {}) const;                   // A
    double dcVoltage(SimTime at) const;                      // V, with ripple
    double dcVoltageFiltered() const;                        // V
    double torque() const;                                   // % of rated torque
    MotorQuantities quantities() const;                      // the operating point
    double deviceCurrent() const;                            // A, r0072 or the motor's
    double devicePower() const;                              // kW, r0073 or the motor's
    double nominalDcVoltage() const;                         // V, UDCn
    double motorTemperature() const { return kAmbient + m_motorRise; }
    double heatsinkTemperature() const { return kAmbient + m_heatsinkRise; }
    uint16_t statusWord() const;                             // r0550 in the device's layout
    uint16_t statusWord2() const;                            // r0551
    uint16_t controlWord() const;                            // r0552
    bool toolHasControl() const;                             // P0880 = 1
    bool runCommanded() const;                               // P7000.5 = 1
    // P0115: 2..5 ask for a measurement that runs on the next start instead of the motor.
    int identificationRequest() const;

    void setTripListener(TripListener listener) { m_tripListener = std::move(listener); }

private:
    struct Signal {
        std::optional<ParameterSlot> slot;
        std::optional<SignalScale> scale;
    };
    struct MotorSignals {
        Signal voltage, current, magnetising, powerFactor, power, efficiency, frequency, speed, polePairs, torque,
            thermalTime;
    };
    struct Outputs;  // the published signals, DriveModel.cpp

    Signal signal(const QString& keyText);
    Signal inputOf(int number, int bicoDataSet);
    void rescale();
    std::optional<double> settableValue(const Signal& signal) const;
    uint16_t tableWord(const Signal& signal) const;
    void writeSignal(const Signal& signal, double value);
    void writeRaw(const Signal& signal, uint16_t raw);
    void enter(DriveState state, SimTime now);
    void step(SimTime now, double dt);
    void integrate(double dt);
    void followDataSets();
    void refreshFormulas();
    void publish(SimTime now);
    void publishBinectors();
    void publishBits();
    void publishConnectors(SimTime now);
    void trip(int word, int bit, SimTime now);

    const model::HeskProject& m_project;
    model::DeviceClass m_deviceClass;
    ProjectFormulas& m_formulas;
    DriveTables& m_tables;
    DataSetSelection m_selection;

    std::unique_ptr<Outputs> m_out;
    std::array<MotorSignals, kMotorDataSets> m_motor;
    std::array<Signal, kFaultWordCount> m_faultWords;
    Signal m_controlSource0880, m_onOff7000, m_reset7000, m_setpoint, m_referenceSpeed0353, m_identification0115;

    DriveState m_state = DriveState::Standby;
    SimTime m_stateSince{0};
    SimTime m_now{0};
    DataSets m_dataSets;
    double m_frequency = 0.0;
    double m_acceleration = 0.0;  // Hz/s of the last step, for torque and DC voltage
    double m_extraLoad = 0.0;
    std::optional<SimTime> m_calculationEnds;  // P0115 = 1 under way
    bool m_runRequest = false;    // last seen (P0880 = 1 and P7000.5 = 1)
    double m_motorRise = 0.0;     // K above ambient
    double m_heatsinkRise = 0.0;  // K above ambient
    double m_deviceLoad = 0.0;    // I2t, %
    double m_runSeconds = 0.0;
    double m_energyKWh = 0.0;
    std::array<uint16_t, kFaultWordCount> m_faults{};
    std::array<bool, kFaultWordCount> m_alarmWords{};
    TripListener m_tripListener;
};

}  // namespace hesk::sim
