#pragma once
// Test doubles for the link: a recording log, a recording frame sender, a recording
// pause and fakes of every workflow port, plus a fixture that wires them into a real
// dispatch table.

#include "RecordingLog.h"
#include "link/FrameDispatchTable.h"

#include <QString>

#include <atomic>
#include <mutex>
#include <thread>
#include <optional>
#include <vector>

namespace hesk::link::test {

using Bytes = std::vector<uint8_t>;

inline Bytes bytesOf(std::span<const uint8_t> span) { return Bytes(span.begin(), span.end()); }

using RecordingLog = testsupport::RecordingLog;

class RecordingSender final : public FrameSender {
public:
    int SendFrame(std::span<uint8_t> frame) override
    {
        sealFrame(frame);
        sent.push_back(bytesOf(frame));
        return 0;
    }
    std::vector<Bytes> sent;
};

class RecordingPause final : public HandlerPause {
public:
    void pause(std::chrono::milliseconds duration) override { pauses.push_back(duration); }
    std::vector<std::chrono::milliseconds> pauses;
};

class FakeWritePipeline final : public WritePipelinePort {
public:
    CommandFrame writeInProgress() const override { return inProgress; }
    void echoMatched() override { ++echoes; }
    bool confirmAnswered() override
    {
        ++confirms;
        return true;
    }
    CommandFrame inProgress{};
    int echoes = 0;
    int confirms = 0;
};

class FakeRecorder final : public TriggerRecorderPort {
public:
    int state() const override { return currentState; }
    void setState(int state) override { currentState = state; }
    void startAcknowledged() override { ++starts; }
    void triggerSignalled(uint16_t position) override { triggerPosition = position; }
    DataInformation dataInformation(uint8_t channel, uint16_t first, uint16_t second, const CommandFrame&) override
    {
        informations.push_back({channel, first, second});
        return informationOutcome;
    }
    bool appendDataInformation() override
    {
        ++appends;
        return appendCompletes;
    }
    Record traceRecord(uint8_t channel, const std::array<uint16_t, 6>& words) override
    {
        records.push_back({channel, words});
        return recordOutcome;
    }
    void traceRecordRejected() override { ++rejections; }

    struct Information {
        uint8_t channel;
        uint16_t first;
        uint16_t second;
        bool operator==(const Information&) const = default;
    };
    struct TraceRecord {
        uint8_t channel;
        std::array<uint16_t, 6> words;
    };
    int currentState = 0;
    int starts = 0;
    std::optional<uint16_t> triggerPosition;
    std::vector<Information> informations;
    DataInformation informationOutcome = DataInformation::Echo;
    int appends = 0;
    bool appendCompletes = false;
    std::vector<TraceRecord> records;
    Record recordOutcome = Record::Stored;
    int rejections = 0;
};

class FakeUpload final : public UploadPort {
public:
    bool isOpen() const override { return open; }
    void lengthReceived(uint16_t totalLength) override { lengths.push_back(totalLength); }
    size_t bytesReceived() const override { return received; }
    void storeBlock(std::span<const uint8_t, kBlockDataSize> data) override
    {
        blocks.push_back(bytesOf(data));
        received += kBlockDataSize;
        storeThread.store(std::this_thread::get_id());
        storeCount.fetch_add(1);
    }
    void endReceived() override { ++ends; }
    bool open = true;
    std::vector<uint16_t> lengths;
    size_t received = 0;
    std::vector<Bytes> blocks;
    // Readable from another thread than the one that dispatches.
    std::atomic<std::thread::id> storeThread;
    std::atomic<int> storeCount{0};
    int ends = 0;
};

class FakeDownloadWindow final : public DownloadWindowPort {
public:
    bool isOpen() const override { return open; }
    bool flagReply() override
    {
        const bool first = !flagged;
        flagged = true;
        return first;
    }
    void wakeAfter(std::chrono::milliseconds delay) override { wakes.push_back(delay); }
    bool open = true;
    bool flagged = false;
    std::vector<std::chrono::milliseconds> wakes;
};

class FakeFaultTransfer final : public FaultTransferPort {
public:
    void clearDriveBoardFlag() override { ++driveBoardFlagClears; }
    bool startDataFlowIfRequested() override
    {
        if (!requested || running)
            return false;
        running = true;
        return true;
    }
    bool dataComplete() override
    {
        const bool wasRunning = running;
        running = false;
        ++completions;
        return wasRunning;
    }
    bool firstDriveBoardAnswer() override { return driveBoardAnswers++ == 0; }
    int driveBoardFlagClears = 0;
    bool requested = false;
    bool running = false;
    int completions = 0;
    int driveBoardAnswers = 0;
};

// A dispatch table over real state and fake ports, all attached.
struct DispatchFixture {
    LinkState link;
    RecordingSender sender;
    OnlineValueTables values;
    ConnectionState connection;
    FaultDataStore faultData;
    RecordingLog log;
    RecordingPause pause;
    FakeWritePipeline writes;
    FakeRecorder recorder;
    FakeUpload upload;
    FakeDownloadWindow programDownload;
    FakeDownloadWindow parameterDownload;
    FakeFaultTransfer faultTransfer;
    FrameDispatchTable table{ReplyContext{link, sender, values, connection, faultData, log, pause,
                                          WorkflowPorts{&writes, &recorder, &upload, &programDownload,
                                                        &parameterDownload, &faultTransfer}}};

    DispatchFixture() { link.replyStatus.store(ReplyStatus::Pending); }

    bool dispatchCommand(const CommandFrame& frame) { return table.dispatch(frame[1], frame); }
    bool dispatchBoot(const BootFrame& frame) { return table.dispatch(frame[2], frame); }
    bool woke() const { return link.replyEvent.isSet(); }
    ReplyStatus status() const { return link.replyStatus.load(); }
};

}  // namespace hesk::link::test
