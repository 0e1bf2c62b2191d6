#pragma once
// The drive's trigger recorder (its oscilloscope). Settings arrive as requests, each
// echoed by the drive:
//   F2 31 p aH aL 00 00   channel at position p (1..4) samples the connector address a;
//                         position 1 starts a new channel list
//   F2 32 s nH nL 00 00   sampling period s x TA, n pre-trigger samples per channel
//   F2 33 aH aL op vH vL  condition on the read-only value at address a: op 1 "<",
//                         2 ">", 3 "=", 4 "<>" against the signed word v; op 5 tests bit
//                         vH for the value vL
//   F2 34 01 01 00 00 00  immediate start: record at once, then send the data
//   F2 34 02 m 00 00 00   armed start (m = 1 single, 2 continuous): sample into a
//                         pre-trigger ring, trigger on the condition, record the rest,
//                         send F2 35 posH posL (position of the trigger sample in each
//                         channel = n), then the data
//   F2 38                 stop
// The 8192 samples are shared by the N channels (8192 / N each). Data leave by the
// device variant flag:
//   1: 16-byte frames F2 3A ch w1..w6 chk (XOR of all 16 bytes 0), channel by channel;
//      a data error notice (F2 3E) from the tool breaks the transfer off
//   0: F2 36 ch w1H w1L w2H w2L chk, two samples at a time; the tool echoes it and the
//      drive answers F2 37 0E 0D 0B 07 when the echo matches, or F2 37 00 00 00 00 (and
//      sends the same samples again) when it differs or stays away kEchoTimeout
// In continuous mode the recorder arms again after each transfer.
//
// Not thread-safe; owned by the simulated drive.

#include "FrameStream.h"
#include "SimTime.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hesk::sim {

// Where the recorder's samples come from: the read-only value at an address, with the
// drive advanced to the sample time.
class SampleSource {
public:
    virtual ~SampleSource() = default;
    virtual void advanceTo(SimTime t) = 0;
    virtual uint16_t readOnlyValue(uint16_t address) const = 0;
};

class TriggerRecorder {
public:
    static constexpr size_t kChannels = 4;
    static constexpr size_t kTotalSamples = 8192;
    static constexpr SimTime kEchoTimeout = seconds(2.0);
    static constexpr int kMaxEchoFailures = 10;

    enum class Phase { Idle, Recording, Armed, Transferring };

    // baseSamplingTime: TA, the time of sampling period 1.
    explicit TriggerRecorder(SimTime baseSamplingTime);

    void setChannel(uint8_t position, uint16_t address);
    void setData(uint8_t samplingPeriod, uint16_t preTriggerSamples);
    void setCondition(uint16_t address, uint8_t op, uint16_t value);
    void startImmediate(SimTime now);
    void startArmed(bool continuous, SimTime now);
    void stop();
    // F2 3E from the tool: the transfer is broken off (continuous mode arms again).
    void dataErrorNotice(SimTime now);
    // Variant 0: the tool echoed a data-information frame.
    void dataInformationEcho(std::span<const uint8_t> frame, SimTime now, FrameEmitter& out);

    // Takes the samples due up to `now` and sends data frames within the byte budget;
    // returns the bytes emitted.
    size_t advance(SimTime now, SampleSource& source, FrameEmitter& out, uint8_t variantFlag, size_t budget);

    Phase phase() const { return m_phase; }
    size_t channelCount() const;
    size_t samplesPerChannel() const;
    SimTime samplePeriod() const;
    uint16_t preTriggerSamples() const { return m_preTrigger; }
    const std::vector<uint16_t>& samples(size_t channel) const { return m_samples.at(channel); }
    std::optional<uint16_t> triggerPosition() const { return m_triggerPosition; }
    bool continuous() const { return m_continuous; }

private:
    void takeSample(SimTime t, SampleSource& source);
    bool conditionHolds(SampleSource& source) const;
    void finishRecording(SimTime now, FrameEmitter& out);
    void prepareTransfer(uint8_t variantFlag);
    void transferDone(SimTime now);
    void sendDataInformation(SimTime now, FrameEmitter& out);
    std::vector<uint16_t> activeAddresses() const;

    SimTime m_baseSamplingTime;
    std::array<uint16_t, kChannels> m_addresses{};
    uint8_t m_samplingPeriod = 1;
    uint16_t m_preTrigger = 0;
    uint16_t m_conditionAddress = 0;
    uint8_t m_conditionOp = 0;
    uint16_t m_conditionValue = 0;
    bool m_continuous = false;
    bool m_triggered = false;

    Phase m_phase = Phase::Idle;
    SimTime m_nextSample{0};
    std::vector<std::vector<uint16_t>> m_samples;  // per active channel
    std::optional<uint16_t> m_triggerPosition;

    // Transfer.
    FrameStream m_stream;                 // variant 1
    bool m_exchange = false;              // variant 0
    size_t m_exchangeChannel = 0;
    size_t m_exchangeIndex = 0;           // next sample of the channel
    std::array<uint8_t, 8> m_pending{};   // data information awaiting its echo
    bool m_awaitingEcho = false;
    SimTime m_sentAt{0};
    int m_echoFailures = 0;
};

}  // namespace hesk::sim
