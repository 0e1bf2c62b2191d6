// Reply handlers of the bulk transfers: parameter download signal, upload length,
// blocks and end, and the fault data of the fault waveform upload.

#include "LinkFakes.h"

#include <gtest/gtest.h>

namespace hesk::link {
namespace {

using test::Bytes;
using test::DispatchFixture;
using Line = test::RecordingLog::Line;
using namespace std::chrono_literals;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

BlockFrame countingBlock(uint8_t start)
{
    std::array<uint8_t, 64> data{};
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(start + i);
    return blockFrame(data);
}

TEST(DownloadSignal, wakesAnOpenParameterDownloadWindowOnce)
{
    DispatchFixture f;
    f.dispatchCommand(downloadSignalRequest());
    f.dispatchCommand(downloadSignalRequest());
    EXPECT_TRUE(f.parameterDownload.flagged);
    EXPECT_EQ(f.parameterDownload.wakes, (std::vector<std::chrono::milliseconds>{100ms}));
    EXPECT_TRUE(f.sender.sent.empty());

    DispatchFixture closed;
    closed.parameterDownload.open = false;
    closed.dispatchCommand(downloadSignalRequest());
    EXPECT_FALSE(closed.parameterDownload.flagged);
    EXPECT_TRUE(closed.parameterDownload.wakes.empty());
}

TEST(Upload, confirmationIsLogged)
{
    DispatchFixture f;
    f.dispatchCommand(uploadStartRequest());
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收参数上传确认信号,回复"), 1}}));
}

TEST(Upload, lengthIsReadLowByteFirstAndEchoed)
{
    DispatchFixture f;
    const CommandFrame length = commandFrame(code::UploadLength, 0x10, 0x02);
    f.dispatchCommand(length);
    EXPECT_EQ(f.upload.lengths, (std::vector<uint16_t>{0x0210}));  // 528
    EXPECT_EQ(f.sender.sent, (std::vector<Bytes>{bytes(length)}));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收参数长度信号,回复"), 1}}));
    f.dispatchCommand(length);  // a second length frame is passed on again
    EXPECT_EQ(f.upload.lengths.size(), 2u);
}

TEST(Upload, blocksAreStoredWhileFewerThan49089BytesAreIn)
{
    DispatchFixture f;
    const BlockFrame first = countingBlock(0);
    EXPECT_TRUE(f.table.dispatch(code::UploadBlock, first));
    ASSERT_EQ(f.upload.blocks.size(), 1u);
    EXPECT_EQ(f.upload.blocks[0], Bytes(first.begin() + 2, first.begin() + 66));

    struct Case {
        size_t position;
        bool stored;
    };
    for (const Case c : {Case{49088, true}, Case{49089, false}, Case{49152, false}, Case{60000, false}}) {
        DispatchFixture g;
        g.upload.received = c.position;
        g.table.dispatch(code::UploadBlock, countingBlock(1));
        EXPECT_EQ(g.upload.blocks.size(), c.stored ? 1u : 0u) << c.position;
    }
}

TEST(Upload, endIsMarkedAndEchoed)
{
    DispatchFixture f;
    const CommandFrame end = commandFrame(code::UploadEnd, 0x01);
    f.dispatchCommand(end);
    EXPECT_EQ(f.upload.ends, 1);
    EXPECT_EQ(f.sender.sent, (std::vector<Bytes>{bytes(end)}));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收参数上传结束信号,回复"), 1}}));
}

TEST(Upload, framesForAClosedUploadAreDroppedSilently)
{
    DispatchFixture f;
    f.upload.open = false;
    f.dispatchCommand(commandFrame(code::UploadLength, 0x10, 0x02));
    f.table.dispatch(code::UploadBlock, countingBlock(0));
    f.dispatchCommand(commandFrame(code::UploadEnd));
    EXPECT_TRUE(f.upload.lengths.empty());
    EXPECT_TRUE(f.upload.blocks.empty());
    EXPECT_EQ(f.upload.ends, 0);
    EXPECT_TRUE(f.sender.sent.empty());
    EXPECT_TRUE(f.log.lines().empty());
}

TEST(FaultData, triggerEchoQueuesTheConfirmAndClearsTheDriveBoardFlag)
{
    DispatchFixture f;
    f.writes.inProgress = faultDataTriggerRequest(2);
    f.dispatchCommand(faultDataTriggerRequest(1));  // another station: not the write
    EXPECT_EQ(f.writes.echoes, 0);
    f.dispatchCommand(faultDataTriggerRequest(2));
    EXPECT_EQ(f.writes.echoes, 1);
    EXPECT_EQ(f.faultTransfer.driveBoardFlagClears, 1);
}

TEST(FaultData, headerDataAndWordsFillRingAndWordArray)
{
    DispatchFixture f;
    f.dispatchCommand(commandFrame(code::FaultDataHeader, 0x01, 0x02, 0x03, 0x99, 0x99));
    f.dispatchCommand(commandFrame(code::FaultData, 0x10, 0x11, 0x12, 0x13, 0x99));
    f.dispatchCommand(commandFrame(code::FaultData, 0x20, 0x21, 0x22, 0x23));
    f.dispatchCommand(commandFrame(code::FaultWaveformWords, 0xAB, 0xCD, 0x12, 0x34));
    EXPECT_EQ(f.faultData.ringBytes(), (Bytes{0xAA, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x10, 0x11, 0x12,
                                              0x13, 0x20, 0x21, 0x22, 0x23}));
    EXPECT_EQ(f.faultData.words(), (std::vector<uint16_t>{0xABCD, 0x1234}));
    EXPECT_EQ(f.faultData.recordCount(), 3);
}

TEST(FaultData, completionLogsOnlyForARunningTransfer)
{
    DispatchFixture f;
    f.dispatchCommand(commandFrame(code::FaultDataComplete));
    EXPECT_TRUE(f.log.lines().empty());
    f.faultTransfer.running = true;
    f.dispatchCommand(commandFrame(code::FaultDataComplete));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("故障数据接收完毕！"), 2}}));
    EXPECT_EQ(f.faultTransfer.completions, 2);
}

TEST(FaultData, driveBoardAnswerQueuesTheConfirmTheFirstTimeOnly)
{
    DispatchFixture f;
    f.dispatchCommand(driveBoardWaveformRequest());
    f.dispatchCommand(driveBoardWaveformRequest());
    EXPECT_EQ(f.writes.echoes, 1);
}

TEST(FaultDataStore, fullRingDropsAndSnapshotRestores)
{
    FaultDataStore store;
    const std::array<uint8_t, 4> four{1, 2, 3, 4};
    for (int i = 0; i < FaultDataStore::kRingCapacity / 4 + 10; ++i)
        store.appendData(four);
    EXPECT_EQ(store.ringCount(), FaultDataStore::kRingCapacity);
    EXPECT_EQ(store.recordCount(), FaultDataStore::kRingCapacity / 4 + 10);

    store.clear();
    store.appendHeader(7, 8, 9);
    store.appendWords(1, 2);
    const FaultDataStore::Snapshot previous = store.snapshot();
    store.clear();
    store.appendData(four);
    store.restore(previous);
    EXPECT_EQ(store.ringBytes(), (Bytes{0xAA, 0, 0, 0, 7, 8, 9}));
    EXPECT_EQ(store.words(), (std::vector<uint16_t>{1, 2}));
}

TEST(FaultDataStore, wordArrayStopsGrowingAtItsLimit)
{
    FaultDataStore store;
    for (size_t i = 0; i < FaultDataStore::kMaxWords / 2 + 5; ++i)
        store.appendWords(static_cast<uint16_t>(i), 0xFFFF);
    EXPECT_EQ(store.words().size(), FaultDataStore::kMaxWords);
    EXPECT_EQ(store.recordCount(), static_cast<int64_t>(FaultDataStore::kMaxWords / 2 + 5));
}

}  // namespace
}  // namespace hesk::link
