#pragma once
// Simulated time: microseconds since the drive was switched on. The library never reads
// a clock; the program passes the steady clock, tests step it by hand.

#include <chrono>

namespace hesk::sim {

using SimTime = std::chrono::microseconds;

inline constexpr SimTime seconds(double s)
{
    return SimTime(static_cast<SimTime::rep>(s * 1e6));
}

}  // namespace hesk::sim
