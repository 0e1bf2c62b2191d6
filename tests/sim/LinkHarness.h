#pragma once
// The real link (CDeviceLink with its dispatch table and reply handlers) wired to small
// stand-ins for the workflows that later issues build: a write pipeline that answers an
// echo with MDY_CONFIRM at once, and a trigger recorder that keeps the samples of an
// immediate recording.

#include "link/CDeviceLink.h"
#include "link/FrameDispatchTable.h"
#include "SimProcess.h"

#include <QString>

#include <array>
#include <atomic>
#include <mutex>
#include <vector>

namespace hesk::sim::test {

class RecordingLog final : public model::LogSink {
public:
    void log(const QString& text, int) override
    {
        const std::lock_guard guard(m_lock);
        m_lines << text;
    }
    bool contains(const QString& text) const
    {
        const std::lock_guard guard(m_lock);
        return m_lines.contains(text);
    }

private:
    mutable std::mutex m_lock;
    QStringList m_lines;
};

// The write in progress is set by the test; a matching echo sends MDY_CONFIRM at once
// (where the scheduler would queue it).
class ConfirmingWrites final : public link::WritePipelinePort {
public:
    explicit ConfirmingWrites(link::FrameSender& sender) : m_sender(sender) {}
    void begin(const link::CommandFrame& frame)
    {
        const std::lock_guard guard(m_lock);
        m_inProgress = frame;
    }
    link::CommandFrame writeInProgress() const override
    {
        const std::lock_guard guard(m_lock);
        return m_inProgress;
    }
    void echoMatched() override
    {
        ++echoes;
        link::CommandFrame confirm = link::modifyConfirmRequest();
        m_sender.SendFrame(confirm);
    }
    bool confirmAnswered() override
    {
        ++confirms;
        const std::lock_guard guard(m_lock);
        m_inProgress = {};
        return true;
    }
    std::atomic<int> echoes{0};
    std::atomic<int> confirms{0};

private:
    link::FrameSender& m_sender;
    mutable std::mutex m_lock;
    link::CommandFrame m_inProgress{};
};

// Immediate recordings only: the start acknowledgement moves to state 6 and the 16-byte
// data frames fill one buffer per channel.
class CollectingRecorder final : public link::TriggerRecorderPort {
public:
    explicit CollectingRecorder(size_t channels) : m_samples(channels) {}
    int state() const override { return m_state.load(); }
    void setState(int state) override { m_state.store(state); }
    void startAcknowledged() override { m_state.store(6); }
    void triggerSignalled(uint16_t) override {}
    DataInformation dataInformation(uint8_t, uint16_t, uint16_t, const link::CommandFrame&) override
    {
        return DataInformation::Ignored;
    }
    bool appendDataInformation() override { return false; }
    Record traceRecord(uint8_t channel, const std::array<uint16_t, 6>& words) override
    {
        const std::lock_guard guard(m_lock);
        if (channel < 1 || channel > m_samples.size())
            return Record::BadChannel;
        const size_t share = 8192 / m_samples.size();
        std::vector<uint16_t>& samples = m_samples[channel - 1u];
        for (uint16_t w : words)
            if (samples.size() < share)
                samples.push_back(w);
        for (const auto& s : m_samples)
            if (s.size() < share)
                return Record::Stored;
        m_complete.store(true);
        m_state.store(0);
        return Record::Complete;
    }
    void traceRecordRejected() override { ++rejected; }

    bool complete() const { return m_complete.load(); }
    std::vector<uint16_t> samples(size_t channel) const
    {
        const std::lock_guard guard(m_lock);
        return m_samples.at(channel);
    }
    std::atomic<int> rejected{0};

private:
    std::atomic<int> m_state{0};
    std::atomic<bool> m_complete{false};
    mutable std::mutex m_lock;
    std::vector<std::vector<uint16_t>> m_samples;
};

// An upload window that stays open and keeps what arrives.
class CollectingUpload final : public link::UploadPort {
public:
    bool isOpen() const override { return true; }
    void lengthReceived(uint16_t totalLength) override { length.store(totalLength); }
    size_t bytesReceived() const override
    {
        const std::lock_guard guard(m_lock);
        return m_data.size();
    }
    void storeBlock(std::span<const uint8_t, link::kBlockDataSize> data) override
    {
        const std::lock_guard guard(m_lock);
        m_data.insert(m_data.end(), data.begin(), data.end());
    }
    void endReceived() override { ended.store(true); }
    std::vector<uint8_t> data() const
    {
        const std::lock_guard guard(m_lock);
        return m_data;
    }
    std::atomic<uint16_t> length{0};
    std::atomic<bool> ended{false};

private:
    mutable std::mutex m_lock;
    std::vector<uint8_t> m_data;
};

// A fault-data upload that was requested: data flow once confirmed, done at the end frame.
class RequestedFaultTransfer final : public link::FaultTransferPort {
public:
    void clearDriveBoardFlag() override {}
    bool startDataFlowIfRequested() override { return !started.exchange(true); }
    bool dataComplete() override
    {
        complete.store(true);
        return started.load();
    }
    bool firstDriveBoardAnswer() override { return !driveBoardAnswered.exchange(true); }
    std::atomic<bool> started{false};
    std::atomic<bool> complete{false};
    std::atomic<bool> driveBoardAnswered{false};
};

// A link with its dispatch table, the value tables and the connection state.
struct LinkHarness {
    explicit LinkHarness(link::UdpEndpoints endpoints = {}, size_t recorderChannels = 1)
        : link(log, endpoints), writes(link), recorder(recorderChannels)
    {
        link.setDispatchTable(&table);
    }
    ~LinkHarness() { link.close(); }  // the reader thread ends before the table goes

    // Sends a write and waits, pumping events, until its echo was confirmed.
    bool confirmedWrite(uint16_t address, uint16_t value, std::chrono::milliseconds timeout)
    {
        const int before = writes.confirms.load();
        const link::CommandFrame frame = link::writeValueRequest(address, value);
        writes.begin(frame);
        link.state().modifyConfirmed.reset();
        link::CommandFrame copy = frame;
        link.SendFrame(copy);
        return pumpUntil([&] { return writes.confirms.load() > before; }, timeout)
               && link.state().modifyConfirmed.isSet();
    }

    RecordingLog log;
    link::CDeviceLink link;
    ConfirmingWrites writes;
    CollectingRecorder recorder;
    CollectingUpload upload;
    RequestedFaultTransfer faultTransfer;
    link::OnlineValueTables values;
    link::ConnectionState connection;
    link::SleepingPause pause;
    link::FrameDispatchTable table{link::ReplyContext{
        link.state(), link, values, connection, link.faultData(), log, pause,
        link::WorkflowPorts{&writes, &recorder, &upload, nullptr, nullptr, &faultTransfer}}};
};

}  // namespace hesk::sim::test
