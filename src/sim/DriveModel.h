#pragma once
// The drive's behaviour as the control panel sees it: the operating state r0001
// (standby 9, pre-charge 10, ready 11, run 14, fault 7), start and stop through P7000.5
// while P0880 = 1, fault reset on a rising edge of P7000.4, and a motor that ramps
// toward the setpoint (P7030, or P7200 on older controllers) so that r0002 (frequency),
// r0015 (speed), r0004 (current), r0006.0 (DC-link voltage), r0007 (torque) and the
// status word r0550 move plausibly. Fault words r0943.x trip the drive; r9106 is the
// fault indicator the recorder's fault trigger watches.
//
// The model writes its signals into the drive's tables in the units of each parameter
// (converted with the parameter's own type and formula). A parameter the project lacks
// is simply not written. Time is injected: advance(now) integrates up to `now`.
//
// Not thread-safe; owned by the simulated drive.

#include "DriveTables.h"
#include "ProjectFormulas.h"
#include "SimTime.h"

#include <array>
#include <functional>
#include <optional>

namespace hesk::sim {

enum class DriveState : uint16_t {
    Fault = 7,
    Standby = 9,
    PreCharge = 10,
    Ready = 11,
    Run = 14,
};

class DriveModel {
public:
    static constexpr SimTime kPreChargeTime = seconds(0.3);
    static constexpr SimTime kReadyTime = seconds(0.1);
    static constexpr double kRampHzPerSecond = 20.0;
    static constexpr double kNominalDcVoltage = 540.0;
    static constexpr double kPolePairs = 2.0;
    static constexpr double kMaximumFrequency = 200.0;
    static constexpr int kFaultWordCount = 21;  // r0943.0 .. r0943.20

    // Called once per trip with the fault word and bit that tripped (for the fault memory).
    using TripListener = std::function<void(int word, int bit, SimTime when)>;

    DriveModel(const model::HeskProject& project, DriveTables& tables, const ProjectFormulas& formulas);

    // Integrates the motor and the state machine up to `now` (earlier times are ignored)
    // and writes the signals into the tables.
    void advance(SimTime now);

    // A settable value was changed by a confirmed write or a download: reacts to edges
    // (fault reset, run command). Call after the table holds the new value.
    void settableWritten(uint16_t address, uint16_t oldValue, uint16_t newValue, SimTime now);

    // Fault words r0943.word bit `bit`. Setting a bit trips the drive; clearing leaves the
    // fault state until a reset (P7000.4).
    bool setFaultBit(int word, int bit, bool on, SimTime now);
    uint16_t faultWord(int word) const;
    bool anyFault() const;
    // The reset of P7000.4: clears every fault bit and leaves the fault state.
    void resetFaults(SimTime now);

    // Heartbeat supervision expired: OFF1 (P7000.5 back to 0) as the drive does when it
    // loses its master.
    void heartbeatLost(SimTime now);

    DriveState state() const { return m_state; }
    double frequency() const { return m_frequency; }        // Hz, signed
    double targetFrequency() const;                         // Hz from the setpoint
    double speed() const;                                   // r/min
    double current(SimTime at) const;                       // A
    double dcVoltage(SimTime at) const;                     // V
    double torque() const;                                  // %
    uint16_t statusWord() const;                            // r0550 bits 0..6
    bool toolHasControl() const;                            // P0880 = 1
    bool runCommanded() const;                              // P7000.5 = 1

    void setTripListener(TripListener listener) { m_tripListener = std::move(listener); }

private:
    struct Signal {
        std::optional<ParameterSlot> slot;
        std::optional<SignalScale> scale;
    };
    Signal signal(const QString& keyText) const;
    uint16_t settableWord(const Signal& signal) const;
    void writeSignal(const Signal& signal, double value);
    void writeRaw(const Signal& signal, uint16_t raw);
    void enter(DriveState state, SimTime now);
    void step(SimTime now, double dt);
    void publish(SimTime now);
    void trip(int word, int bit, SimTime now);

    const model::HeskProject& m_project;
    const ProjectFormulas& m_formulas;
    DriveTables& m_tables;

    Signal m_state0001, m_frequency0002, m_speed0015, m_current0004, m_dc0006, m_torque0007, m_status0550,
        m_faultIndicator9106;
    std::array<Signal, kFaultWordCount> m_faultWords;
    Signal m_controlSource0880, m_onOff7000, m_reset7000, m_setpoint;
    double m_ratedCurrent = 20.0;

    DriveState m_state = DriveState::Standby;
    SimTime m_stateSince{0};
    SimTime m_now{0};
    double m_frequency = 0.0;
    double m_acceleration = 0.0;  // Hz/s of the last step, for torque and DC voltage
    bool m_runRequest = false;    // last seen (P0880 = 1 and P7000.5 = 1)
    std::array<uint16_t, kFaultWordCount> m_faults{};
    TripListener m_tripListener;
};

}  // namespace hesk::sim
