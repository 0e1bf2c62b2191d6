#include "LineFaults.h"

namespace hesk::sim {

bool LineFaults::chance(double probability)
{
    if (probability <= 0.0)
        return false;
    if (probability >= 1.0)
        return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < probability;
}

bool LineFaults::dropFrame(double share)
{
    return chance(share);
}

size_t LineFaults::corrupt(std::span<uint8_t> bytes, double rate)
{
    if (rate <= 0.0)
        return 0;
    size_t corrupted = 0;
    std::uniform_int_distribution<int> mask(1, 255);
    for (uint8_t& byte : bytes) {
        if (chance(rate)) {
            byte ^= static_cast<uint8_t>(mask(m_random));
            ++corrupted;
        }
    }
    return corrupted;
}

}  // namespace hesk::sim
