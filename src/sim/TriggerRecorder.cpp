#include "TriggerRecorder.h"

#include "link/FrameCodec.h"

#include <algorithm>

namespace hesk::sim {

namespace {

constexpr uint8_t kCheckBytes[4] = {0x0E, 0x0D, 0x0B, 0x07};

uint8_t high(uint16_t w) { return static_cast<uint8_t>(w >> 8); }
uint8_t low(uint16_t w) { return static_cast<uint8_t>(w & 0xFF); }

}  // namespace

TriggerRecorder::TriggerRecorder(SimTime baseSamplingTime)
    : m_baseSamplingTime(baseSamplingTime.count() > 0 ? baseSamplingTime : SimTime(125))
{
}

void TriggerRecorder::setChannel(uint8_t position, uint16_t address)
{
    if (position < 1 || position > kChannels)
        return;
    if (position == 1)
        m_addresses.fill(0);  // a new channel list begins
    m_addresses[position - 1u] = address;
}

void TriggerRecorder::setData(uint8_t samplingPeriod, uint16_t preTriggerSamples)
{
    m_samplingPeriod = std::max<uint8_t>(samplingPeriod, 1);
    m_preTrigger = preTriggerSamples;
}

void TriggerRecorder::setCondition(uint16_t address, uint8_t op, uint16_t value)
{
    m_conditionAddress = address;
    m_conditionOp = op;
    m_conditionValue = value;
}

std::vector<uint16_t> TriggerRecorder::activeAddresses() const
{
    std::vector<uint16_t> addresses;
    for (uint16_t a : m_addresses) {
        if (a != 0)
            addresses.push_back(a);
    }
    return addresses;
}

size_t TriggerRecorder::channelCount() const
{
    return activeAddresses().size();
}

size_t TriggerRecorder::samplesPerChannel() const
{
    const size_t n = channelCount();
    return n == 0 ? 0 : kTotalSamples / n;
}

SimTime TriggerRecorder::samplePeriod() const
{
    return m_baseSamplingTime * m_samplingPeriod;
}

void TriggerRecorder::startImmediate(SimTime now)
{
    stop();
    if (channelCount() == 0)
        return;
    m_continuous = false;
    m_samples.assign(channelCount(), {});
    m_triggered = true;
    m_triggerPosition = 0;
    m_nextSample = now;
    m_phase = Phase::Recording;
}

void TriggerRecorder::startArmed(bool continuous, SimTime now)
{
    stop();
    if (channelCount() == 0)
        return;
    m_continuous = continuous;
    m_samples.assign(channelCount(), {});
    m_triggered = false;
    m_triggerPosition.reset();
    m_nextSample = now;
    m_phase = Phase::Armed;
}

void TriggerRecorder::stop()
{
    m_phase = Phase::Idle;
    m_stream.clear();
    m_exchange = false;
    m_awaitingEcho = false;
}

void TriggerRecorder::dataErrorNotice(SimTime now)
{
    if (m_phase != Phase::Transferring)
        return;
    transferDone(now);
}

void TriggerRecorder::transferDone(SimTime now)
{
    m_stream.clear();
    m_exchange = false;
    m_awaitingEcho = false;
    if (m_continuous)
        startArmed(true, now);
    else
        m_phase = Phase::Idle;
}

bool TriggerRecorder::conditionHolds(SampleSource& source) const
{
    const uint16_t raw = source.readOnlyValue(m_conditionAddress);
    const auto value = static_cast<int16_t>(raw);
    const auto limit = static_cast<int16_t>(m_conditionValue);
    switch (m_conditionOp) {
    case 1: return value < limit;
    case 2: return value > limit;
    case 3: return value == limit;
    case 4: return value != limit;
    case 5: {
        const int bit = high(m_conditionValue) & 0x0F;
        return ((raw >> bit) & 1u) == (low(m_conditionValue) & 1u);
    }
    default: return false;
    }
}

void TriggerRecorder::takeSample(SimTime t, SampleSource& source)
{
    source.advanceTo(t);
    const std::vector<uint16_t> addresses = activeAddresses();
    if (m_phase == Phase::Armed && !m_triggered) {
        const size_t held = m_samples.front().size();
        if (held >= m_preTrigger && conditionHolds(source)) {
            m_triggered = true;
            for (auto& channel : m_samples)
                channel.erase(channel.begin(), channel.end() - static_cast<std::ptrdiff_t>(m_preTrigger));
            m_triggerPosition = m_preTrigger;
        }
    }
    for (size_t c = 0; c < addresses.size(); ++c)
        m_samples[c].push_back(source.readOnlyValue(addresses[c]));
    if (m_phase == Phase::Armed && !m_triggered) {
        // The pre-trigger ring keeps the latest n samples; trimmed in chunks.
        const size_t keep = m_preTrigger;
        if (m_samples.front().size() > 2 * keep + 64) {
            for (auto& channel : m_samples)
                channel.erase(channel.begin(), channel.end() - static_cast<std::ptrdiff_t>(keep));
        }
    }
}

size_t TriggerRecorder::advance(SimTime now, SampleSource& source, FrameEmitter& out, uint8_t variantFlag,
                                size_t budget)
{
    if (m_phase == Phase::Armed && !m_triggered) {
        // After a long pause only the latest pre-trigger window matters.
        const SimTime window = samplePeriod() * static_cast<SimTime::rep>(m_preTrigger + 1);
        if (now - m_nextSample > 2 * window + seconds(1.0))
            m_nextSample = now - window;
    }
    while ((m_phase == Phase::Recording || m_phase == Phase::Armed) && m_nextSample <= now) {
        takeSample(m_nextSample, source);
        m_nextSample += samplePeriod();
        if (m_triggered && m_samples.front().size() >= samplesPerChannel()) {
            finishRecording(now, out);
            prepareTransfer(variantFlag);
        }
    }
    if (m_phase != Phase::Transferring)
        return 0;
    if (m_exchange) {
        if (!m_awaitingEcho) {
            sendDataInformation(now, out);
        } else if (now - m_sentAt >= kEchoTimeout) {
            const link::CommandFrame failed = link::commandFrame(link::code::TriggerDataCheck);
            out.emitFrame(failed);
            if (++m_echoFailures > kMaxEchoFailures)
                transferDone(now);
            else
                sendDataInformation(now, out);
        }
        return 0;
    }
    const size_t sent = m_stream.pump(out, budget);
    if (m_stream.empty())
        transferDone(now);
    return sent;
}

void TriggerRecorder::finishRecording(SimTime, FrameEmitter& out)
{
    for (auto& channel : m_samples)
        channel.resize(samplesPerChannel());
    if (m_phase == Phase::Armed) {
        // The trigger signal carries the position of the trigger sample in each channel.
        const uint16_t position = m_triggerPosition.value_or(0);
        const link::CommandFrame signal = link::commandFrame(link::code::TriggerSignal, high(position), low(position));
        out.emitFrame(signal);
    }
    m_phase = Phase::Transferring;
}

void TriggerRecorder::prepareTransfer(uint8_t variantFlag)
{
    m_stream.clear();
    m_echoFailures = 0;
    m_awaitingEcho = false;
    if (variantFlag == 0) {
        m_exchange = true;
        m_exchangeChannel = 0;
        m_exchangeIndex = 0;
        return;
    }
    m_exchange = false;
    for (size_t c = 0; c < m_samples.size(); ++c) {
        const std::vector<uint16_t>& channel = m_samples[c];
        for (size_t i = 0; i < channel.size(); i += 6) {
            std::array<uint16_t, 6> words{};
            for (size_t k = 0; k < 6 && i + k < channel.size(); ++k)
                words[k] = channel[i + k];
            const link::TraceFrame frame = link::traceFrame(static_cast<uint8_t>(c + 1), words);
            m_stream.push(frame);
        }
    }
}

void TriggerRecorder::sendDataInformation(SimTime now, FrameEmitter& out)
{
    const std::vector<uint16_t>& channel = m_samples[m_exchangeChannel];
    const uint16_t first = channel[m_exchangeIndex];
    const uint16_t second = m_exchangeIndex + 1 < channel.size() ? channel[m_exchangeIndex + 1] : 0;
    const link::CommandFrame frame =
        link::commandFrame(link::code::TriggerDataInformation, static_cast<uint8_t>(m_exchangeChannel + 1), high(first),
                           low(first), high(second), low(second));
    std::copy(frame.begin(), frame.end(), m_pending.begin());
    out.emitFrame(frame);
    m_awaitingEcho = true;
    m_sentAt = now;
}

void TriggerRecorder::dataInformationEcho(std::span<const uint8_t> frame, SimTime now, FrameEmitter& out)
{
    if (m_phase != Phase::Transferring || !m_exchange || !m_awaitingEcho || frame.size() < link::kCommandFrameSize)
        return;
    m_awaitingEcho = false;
    if (!std::equal(m_pending.begin(), m_pending.begin() + 7, frame.begin())) {
        const link::CommandFrame failed = link::commandFrame(link::code::TriggerDataCheck);
        out.emitFrame(failed);
        if (++m_echoFailures > kMaxEchoFailures)
            transferDone(now);
        else
            sendDataInformation(now, out);
        return;
    }
    m_echoFailures = 0;
    const link::CommandFrame confirmed = link::commandFrame(link::code::TriggerDataCheck, kCheckBytes[0],
                                                            kCheckBytes[1], kCheckBytes[2], kCheckBytes[3]);
    out.emitFrame(confirmed);
    m_exchangeIndex += 2;
    if (m_exchangeIndex >= m_samples[m_exchangeChannel].size()) {
        m_exchangeIndex = 0;
        ++m_exchangeChannel;
    }
    if (m_exchangeChannel >= m_samples.size())
        transferDone(now);
    else
        sendDataInformation(now, out);
}

}  // namespace hesk::sim
