#pragma once
// The steady-state equations of an asynchronous motor fed by the drive's V/f control,
// from its nameplate (the active motor data set) and the operating point (output
// frequency and torque). Every displayed value of the drive model comes from here, so
// they agree with each other:
//
//   synchronous speed  n0 = 60 f / p                      (p pole pairs)
//   flux               phi = min(1, fN / |f|)             (field weakening above fN)
//   speed              n  = n0 - sN T / phi^2             (sN = n0N - nN, T per unit)
//   voltage            U  = UN min(1, |f| / fN)           (linear V/f, no boost)
//   magnetising        Id = m IN phi                      (m = P0103 / 100)
//   torque current     Iq = sqrt(1 - m^2) IN T / phi
//   current            I  = sqrt(Id^2 + Iq^2)             (= IN at the rated point)
//   torque             M  = T MN                          (N*m)
//   mechanical power   Pm = M 2 pi n / 60
//   electrical power   Pe = Pm / eta motoring, Pm eta generating
//   power factor       cos = Pe / (sqrt(3) U I)
//
// With a consistent nameplate (PN = MN 2 pi nN / 60 = sqrt(3) UN IN cosN etaN) the
// rated point gives exactly IN, PN / etaN and cosN.

namespace hesk::sim {

struct MotorRating {
    double voltage = 380.0;          // V, P0101
    double current = 20.9;           // A, P0102
    double magnetisingShare = 0.30;  // of the rated current, P0103 / 100
    double powerFactor = 0.86;       // P0104
    double power = 11.0;             // kW, P0105
    double efficiency = 0.93;        // P0106 / 100
    double frequency = 50.0;         // Hz, P0107
    double speed = 1480.0;           // r/min, P0108
    double polePairs = 2.0;          // P0109
    double torque = 71.0;            // N*m, P0113

    double synchronousSpeed(double frequencyHz) const { return 60.0 * frequencyHz / polePairs; }
    // Slip at rated torque and flux, r/min.
    double ratedSlip() const;
    // Replaces values that cannot describe a motor (zero, negative, not finite) by the
    // defaults above, so that no equation divides by zero.
    MotorRating sane() const;
};

struct MotorQuantities {
    double speed = 0.0;               // r/min, signed
    double voltage = 0.0;             // V, fundamental, line to line
    double flux = 1.0;                // per unit
    double torqueNm = 0.0;            // N*m, signed
    double magnetisingCurrent = 0.0;  // A
    double torqueCurrent = 0.0;       // A, signed
    double current = 0.0;             // A
    double mechanicalPower = 0.0;     // kW, signed (positive: motoring)
    double electricalPower = 0.0;     // kW, signed (positive: from the DC link)
    double powerFactor = 0.0;         // 0..1
};

// frequency in Hz (signed), torque in % of the rated torque (signed, positive in the
// positive direction of rotation). Without pulses the motor has no current, voltage nor
// torque and turns at the synchronous speed of `frequency` (the model coasts it).
MotorQuantities motorQuantities(const MotorRating& rating, double frequency, double torquePercent, bool pulses);

// A first-order lag: the value moves toward its target with the time constant tau.
double lagToward(double value, double target, double tauSeconds, double dtSeconds);

}  // namespace hesk::sim
