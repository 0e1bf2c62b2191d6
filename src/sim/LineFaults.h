#pragma once
// Line faults on the drive's output: frames that are lost and bytes that are corrupted.
// Seeded, so a test run is reproducible.

#include <cstdint>
#include <random>
#include <span>

namespace hesk::sim {

class LineFaults {
public:
    explicit LineFaults(uint64_t seed = 1) : m_random(seed) {}

    // True for a share of calls (0: never, 1: always).
    bool dropFrame(double share);
    // Each byte is, with the given probability, replaced by a different byte (XOR with a
    // random non-zero mask). Returns the number of corrupted bytes.
    size_t corrupt(std::span<uint8_t> bytes, double rate);

    void reseed(uint64_t seed) { m_random.seed(seed); }

private:
    bool chance(double probability);
    std::mt19937_64 m_random;
};

}  // namespace hesk::sim
