#pragma once
// Small deterministic generator (xorshift64*): the same sequence on every platform, so
// the generated sample inputs are byte for byte reproducible from their seeds.

#include <cstdint>

namespace hesk::samples {

class SampleRandom {
public:
    explicit SampleRandom(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    uint64_t next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    uint64_t state_;
};

}  // namespace hesk::samples
