#pragma once
// A dispatch table over real link state with simple workflow ports, for the link's fuzz
// targets: every frame a scanner finds is dispatched, so the handlers meet arbitrary
// frames too. The upload port writes into a heap buffer of exactly the dialog's size, so
// the sanitizer sees any write past it. The recorder state and the device variant are
// taken from each frame's bytes so that every trigger handler gets its turn.

#include "link/FrameDispatchTable.h"
#include "model/LogSink.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace hesk::link::fuzz {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

class NullSender final : public FrameSender {
public:
    int SendFrame(std::span<uint8_t> frame) override
    {
        check(frame.size() >= 2);
        sealFrame(frame);
        return 0;
    }
};

class NoPause final : public HandlerPause {
public:
    void pause(std::chrono::milliseconds) override {}
};

class Writes final : public WritePipelinePort {
public:
    CommandFrame writeInProgress() const override { return writeValueRequest(0x0010, 0x1234); }
    void echoMatched() override {}
    bool confirmAnswered() override { return true; }
};

class Recorder final : public TriggerRecorderPort {
public:
    int state() const override { return m_state; }
    void setState(int state) override
    {
        check(state >= 0 && state <= 7);
        m_state = state;
    }
    void startAcknowledged() override {}
    void triggerSignalled(uint16_t) override {}
    DataInformation dataInformation(uint8_t channel, uint16_t, uint16_t, const CommandFrame&) override
    {
        return channel % 3 == 0 ? DataInformation::Echo : DataInformation::Deferred;
    }
    bool appendDataInformation() override { return false; }
    Record traceRecord(uint8_t channel, const std::array<uint16_t, 6>&) override
    {
        return channel > 4 ? Record::BadChannel : Record::Stored;
    }
    void traceRecordRejected() override {}
    int m_state = 0;
};

class Upload final : public UploadPort {
public:
    Upload() : m_buffer(new uint8_t[kBufferSize]) {}
    bool isOpen() const override { return true; }
    void lengthReceived(uint16_t) override {}
    size_t bytesReceived() const override { return m_received; }
    void storeBlock(std::span<const uint8_t, kBlockDataSize> data) override
    {
        std::memcpy(m_buffer.get() + m_received, data.data(), data.size());
        m_received += data.size();
    }
    void endReceived() override {}
    std::unique_ptr<uint8_t[]> m_buffer;
    size_t m_received = 0;
};

class Download final : public DownloadWindowPort {
public:
    bool isOpen() const override { return true; }
    bool flagReply() override { return true; }
    void wakeAfter(std::chrono::milliseconds) override {}
};

class FaultTransfer final : public FaultTransferPort {
public:
    void clearDriveBoardFlag() override {}
    bool startDataFlowIfRequested() override { return true; }
    bool dataComplete() override { return true; }
    bool firstDriveBoardAnswer() override { return true; }
};

struct Harness {
    LinkState link;
    NullSender sender;
    OnlineValueTables values;
    ConnectionState connection;
    FaultDataStore faultData;
    model::NullLogSink log;
    NoPause pause;
    Writes writes;
    Recorder recorder;
    Upload upload;
    Download programDownload;
    Download parameterDownload;
    FaultTransfer faultTransfer;
    FrameDispatchTable table{ReplyContext{link, sender, values, connection, faultData, log, pause,
                                          WorkflowPorts{&writes, &recorder, &upload, &programDownload,
                                                        &parameterDownload, &faultTransfer}}};

    // One harness per process: the rings are large; each input starts from empty stores.
    static Harness& instance()
    {
        static Harness harness;
        harness.faultData.clear();
        harness.upload.m_received = 0;
        return harness;
    }

    void dispatch(uint8_t routing, std::span<const uint8_t> frame)
    {
        check(!frame.empty());
        recorder.m_state = static_cast<int>((frame.size() + frame.back()) & 7);
        connection.deviceVariantFlag.store(frame[frame.size() / 2] & 1);
        connection.checkProgramId.store((frame[0] & 1) != 0);
        link.online.store((frame.back() & 2) != 0);
        table.dispatch(routing, frame);
        check(upload.m_received <= UploadPort::kBufferSize);
    }
};

// Chunk sizes for feeding a stream in pieces, from a seed (1..4096 bytes).
class ChunkSizes {
public:
    explicit ChunkSizes(uint32_t seed) : m_state(seed | 1) {}
    size_t next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        const uint32_t pick = m_state >> 24;
        return pick < 200 ? 1 + pick % 16 : 1 + (m_state >> 8) % 4096;
    }

private:
    uint32_t m_state;
};

}  // namespace hesk::link::fuzz
