#include "MotorPhysics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hesk::sim {

namespace {

double positiveOr(double value, double fallback)
{
    return std::isfinite(value) && value > 0.0 ? value : fallback;
}

}  // namespace

double MotorRating::ratedSlip() const
{
    return std::max(0.0, synchronousSpeed(frequency) - speed);
}

MotorRating MotorRating::sane() const
{
    const MotorRating d;
    MotorRating r;
    r.voltage = positiveOr(voltage, d.voltage);
    r.current = positiveOr(current, d.current);
    r.magnetisingShare = std::clamp(positiveOr(magnetisingShare, d.magnetisingShare), 0.05, 0.95);
    r.powerFactor = std::clamp(positiveOr(powerFactor, d.powerFactor), 0.1, 1.0);
    r.power = positiveOr(power, d.power);
    r.efficiency = std::clamp(positiveOr(efficiency, d.efficiency), 0.1, 1.0);
    r.frequency = positiveOr(frequency, d.frequency);
    r.polePairs = positiveOr(polePairs, d.polePairs);
    r.speed = positiveOr(speed, r.synchronousSpeed(r.frequency) * (1.0 - 0.0133));
    r.torque = positiveOr(torque, r.power * 1000.0 * 60.0 / (2.0 * std::numbers::pi * r.speed));
    return r;
}

MotorQuantities motorQuantities(const MotorRating& rating, double frequency, double torquePercent, bool pulses)
{
    const MotorRating r = rating.sane();
    MotorQuantities q;
    const double synchronous = r.synchronousSpeed(frequency);
    if (!pulses) {
        q.speed = synchronous;
        return q;
    }
    const double absFrequency = std::abs(frequency);
    const double t = torquePercent / 100.0;
    q.flux = absFrequency > r.frequency ? r.frequency / absFrequency : 1.0;
    q.speed = synchronous - r.ratedSlip() * t / (q.flux * q.flux);
    q.voltage = r.voltage * std::min(1.0, absFrequency / r.frequency);
    q.magnetisingCurrent = r.magnetisingShare * r.current * q.flux;
    q.torqueCurrent = std::sqrt(1.0 - r.magnetisingShare * r.magnetisingShare) * r.current * t / q.flux;
    q.current = std::hypot(q.magnetisingCurrent, q.torqueCurrent);
    q.torqueNm = t * r.torque;
    q.mechanicalPower = q.torqueNm * 2.0 * std::numbers::pi * q.speed / 60.0 / 1000.0;
    q.electricalPower =
        q.mechanicalPower >= 0.0 ? q.mechanicalPower / r.efficiency : q.mechanicalPower * r.efficiency;
    const double apparent = std::sqrt(3.0) * q.voltage * q.current / 1000.0;
    q.powerFactor = apparent > 0.0 ? std::min(1.0, std::abs(q.electricalPower) / apparent) : 0.0;
    return q;
}

double lagToward(double value, double target, double tauSeconds, double dtSeconds)
{
    if (tauSeconds <= 0.0)
        return target;
    return target + (value - target) * std::exp(-dtSeconds / tauSeconds);
}

}  // namespace hesk::sim
