#include "FaultMemory.h"

#include "link/FrameCodec.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hesk::sim {

namespace {

uint16_t percentWord(double ratio)
{
    const double word = std::clamp(std::round(ratio * 16384.0), -32768.0, 32767.0);
    return static_cast<uint16_t>(static_cast<int32_t>(word) & 0xFFFF);
}

std::vector<uint8_t> frameBytes(const link::CommandFrame& frame)
{
    return {frame.begin(), frame.end()};
}

void appendWordFrames(std::vector<std::vector<uint8_t>>& frames, uint8_t code, const std::vector<uint16_t>& words)
{
    for (size_t i = 0; i < words.size(); i += 2) {
        const uint16_t first = words[i];
        const uint16_t second = i + 1 < words.size() ? words[i + 1] : 0;
        frames.push_back(frameBytes(link::commandFrame(code, static_cast<uint8_t>(first >> 8),
                                                       static_cast<uint8_t>(first & 0xFF),
                                                       static_cast<uint8_t>(second >> 8),
                                                       static_cast<uint8_t>(second & 0xFF))));
    }
}

}  // namespace

FaultMemory::FaultMemory()
{
    // An overcurrent at 40 Hz from before power-up: the current rises to 180 % and the
    // drive coasts.
    Record old;
    old.word = 0;
    old.bit = 3;
    old.faultWords[0] = 1u << 3;
    for (size_t i = 0; i < kHistory; ++i) {
        const double t = static_cast<double>(i) / kHistory;
        const double tripped = t > 0.8 ? 1.0 : 0.0;
        old.channels[0].push_back(percentWord(0.8 * (1.0 - 0.5 * tripped * (t - 0.8) * 5.0)));
        old.channels[1].push_back(percentWord(tripped ? 0.0 : 0.6 + 1.2 * t * t));
        old.channels[2].push_back(percentWord(1.0 + 0.02 * std::sin(40.0 * t)));
        old.channels[3].push_back(percentWord(tripped ? 0.0 : 0.3 + 0.5 * t));
    }
    m_records.push_back(old);
}

void FaultMemory::observe(SimTime now, const DriveModel& model)
{
    if (m_lastSample.count() >= 0 && now - m_lastSample < kSamplePeriod)
        return;
    m_lastSample = now;
    const MotorRating rating = model.rating();
    const std::array<double, kChannels> values = {model.frequency() / rating.frequency,
                                                  model.current(now) / rating.current,
                                                  model.dcVoltage(now) / model.nominalDcVoltage(),
                                                  model.torque() / 100.0};
    for (size_t c = 0; c < kChannels; ++c) {
        m_history[c].push_back(percentWord(values[c]));
        if (m_history[c].size() > kHistory)
            m_history[c].pop_front();
    }
    if (m_pending && ++m_samplesAfterTrip >= kAfterTrip)
        finishPending();
}

void FaultMemory::capture(int word, int bit, SimTime now, const DriveModel& model)
{
    finishPending();
    Record record;
    record.when = now;
    record.word = word;
    record.bit = bit;
    for (int w = 0; w < DriveModel::kFaultWordCount; ++w)
        record.faultWords[static_cast<size_t>(w)] = model.faultWord(w);
    m_pending = std::move(record);
    m_samplesAfterTrip = 0;
}

void FaultMemory::finishPending()
{
    if (!m_pending)
        return;
    Record record = std::move(*m_pending);
    m_pending.reset();
    for (size_t c = 0; c < kChannels; ++c) {
        record.channels[c].assign(kHistory - std::min(kHistory, m_history[c].size()),
                                  m_history[c].empty() ? 0 : m_history[c].front());
        record.channels[c].insert(record.channels[c].end(), m_history[c].begin(), m_history[c].end());
    }
    m_records.push_back(std::move(record));
    if (m_records.size() > kRecords)
        m_records.pop_front();
}

const std::array<int, 12>& FaultMemory::reportedFaultWords()
{
    static const std::array<int, 12> words = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 19, 20};
    return words;
}

std::vector<std::vector<uint8_t>> FaultMemory::controllerFrames(uint8_t station) const
{
    std::vector<std::vector<uint8_t>> frames;
    for (size_t k = 0; k < m_records.size(); ++k) {
        for (size_t c = 0; c < kChannels; ++c) {
            frames.push_back(frameBytes(link::commandFrame(link::code::FaultDataHeader, static_cast<uint8_t>(c),
                                                           station, static_cast<uint8_t>(k))));
            appendWordFrames(frames, link::code::FaultData, m_records[k].channels[c]);
        }
    }
    std::vector<uint16_t> words;
    for (const Record& record : m_records) {
        for (int w : reportedFaultWords())
            words.push_back(record.faultWords[static_cast<size_t>(w)]);
    }
    appendWordFrames(frames, link::code::FaultWaveformWords, words);
    frames.push_back(frameBytes(link::commandFrame(link::code::FaultDataComplete)));
    return frames;
}

std::vector<std::vector<uint8_t>> FaultMemory::driveBoardFrames(SimTime now, uint16_t powerUps) const
{
    std::vector<std::vector<uint8_t>> frames;
    for (size_t k = 0; k < m_records.size(); ++k) {
        const Record& record = m_records[k];
        for (uint8_t type = 0; type < 4; ++type) {
            frames.push_back(frameBytes(link::commandFrame(link::code::FaultDataHeader, type, 0, static_cast<uint8_t>(k))));
            std::vector<uint16_t> words;
            for (size_t i = 0; i < kDriveBoardWords; ++i) {
                const size_t sample = i * kHistory / kDriveBoardWords;
                // The pulses run until the trip in the last eighth of the record.
                const bool pulsing = i < kDriveBoardWords * 7 / 8;
                const bool pulse = pulsing && (i % 4) < 2;
                switch (type) {
                case 0: {  // phase current, 12 bits around mid-scale; lower gate pulse in bit 15
                    const int16_t current = static_cast<int16_t>(record.channels[1][sample]);
                    const int analog = std::clamp(2048 + current / 16, 0, 4095);
                    words.push_back(static_cast<uint16_t>(analog | (pulse ? 0x8000 : 0)));
                    break;
                }
                case 2: {  // DC-link voltage, 12 bits; upper gate pulse (between the lower's) in bit 15
                    const int16_t voltage = static_cast<int16_t>(record.channels[2][sample]);
                    const bool upper = pulsing && !pulse;
                    words.push_back(static_cast<uint16_t>(std::clamp(voltage / 8, 0, 4095) | (upper ? 0x8000 : 0)));
                    break;
                }
                default:   // push-pull pulse in the high byte, supply in the low byte
                    words.push_back(static_cast<uint16_t>(((pulse ? 1 : 0) << 8) | 1));
                    break;
                }
            }
            appendWordFrames(frames, link::code::FaultData, words);
        }
    }
    const int64_t totalSeconds = now.count() / 1000000;
    const std::vector<uint16_t> information = {
        static_cast<uint16_t>(totalSeconds / 86400), static_cast<uint16_t>(totalSeconds / 3600 % 24),
        static_cast<uint16_t>(totalSeconds / 60 % 60), static_cast<uint16_t>(totalSeconds % 60),
        static_cast<uint16_t>(m_records.size()), powerUps};
    appendWordFrames(frames, link::code::FaultWaveformWords, information);
    frames.push_back(frameBytes(link::commandFrame(link::code::FaultDataComplete)));
    return frames;
}

}  // namespace hesk::sim
