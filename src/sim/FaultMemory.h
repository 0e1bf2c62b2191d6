#pragma once
// The drive's fault memory: the waveforms around each trip and the fault words, and the
// frames that carry them to the tool.
//
// The controller (fault-data trigger 0x12, after MDY_CONFIRM) sends, per stored fault k
// (0 = oldest) and per channel c (0..3: frequency, current, DC-link voltage, torque, each
// as a signed word with 16384 = 100 % of nominal):
//   F2 16 c station k 00 00 chk      block header (the tool writes AA 00 00 00 c station k)
//   F2 15 w1H w1L w2H w2L 00 chk     two samples per frame, kHistory samples per channel
// The waveforms are the drive model's signals around the trip: three quarters of the
// samples before it, a quarter after it (kAfterTrip).
// Then per fault the fault words r0943.0 .. r0943.9, r0943.19, r0943.20 in pairs
//   F2 E1 w1H w1L w2H w2L 00 chk
// and finally F2 13 00 00 00 00 00 chk.
//
// The drive board (0xE0, after MDY_CONFIRM) sends per fault k the four block types
// h0 = 0..3 of its record (F2 16 h0 0 k, then 0x15 data): type 0 and 2 carry a 12-bit
// analog value (phase current, DC-link voltage) with the lower gate pulse in bit 15 of
// type 0 and the upper gate pulse in bit 15 of type 2; types 1 and 3 carry two digital channels in their high and low bytes (lower
// push-pull pulse and supply, upper push-pull pulse and supply). The words that follow
// (0xE1) are: days, hours, minutes and seconds in operation, the number of faults and
// the number of power-ups; then 0x13.
//
// Not thread-safe; owned by the simulated drive.

#include "DriveModel.h"
#include "SimTime.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace hesk::sim {

class FaultMemory {
public:
    static constexpr size_t kChannels = 4;
    static constexpr size_t kHistory = 256;     // samples per channel and fault
    static constexpr size_t kRecords = 8;       // faults kept, the oldest is dropped
    static constexpr SimTime kSamplePeriod = std::chrono::milliseconds(2);
    static constexpr size_t kDriveBoardWords = 128;  // words per block type
    // Samples kept after the trip: a record shows the signals before and after it.
    static constexpr size_t kAfterTrip = kHistory / 4;

    struct Record {
        SimTime when{0};
        int word = 0;
        int bit = 0;
        std::array<uint16_t, DriveModel::kFaultWordCount> faultWords{};
        std::array<std::vector<uint16_t>, kChannels> channels;
    };

    // Starts with one fault from before power-up, so that an upload has content at once.
    FaultMemory();

    // Keeps the recent signals, one sample per kSamplePeriod; completes a fault record
    // once kAfterTrip samples followed its trip.
    void observe(SimTime now, const DriveModel& model);
    // A trip: takes the fault words now; the record is stored with the signals around the
    // trip once kAfterTrip more samples were taken (or at finishPending).
    void capture(int word, int bit, SimTime now, const DriveModel& model);
    // Stores a record still waiting for its samples after the trip with those it has (an
    // upload asked for the fault memory at once).
    void finishPending();

    const std::deque<Record>& records() const { return m_records; }

    // The fault words sent per fault (indices into r0943).
    static const std::array<int, 12>& reportedFaultWords();

    std::vector<std::vector<uint8_t>> controllerFrames(uint8_t station) const;
    std::vector<std::vector<uint8_t>> driveBoardFrames(SimTime now, uint16_t powerUps) const;

private:
    std::array<std::deque<uint16_t>, kChannels> m_history;
    SimTime m_lastSample{-1};
    std::optional<Record> m_pending;
    size_t m_samplesAfterTrip = 0;
    std::deque<Record> m_records;
};

}  // namespace hesk::sim
