// The serial receive path without threads: bytes arriving in pieces, frames straddling
// reads and the ring's wrap, full rings.

#include "link/ReceivePipeline.h"

#include <gtest/gtest.h>

#include <vector>

namespace hesk::link {
namespace {

using Bytes = std::vector<uint8_t>;

class CollectingSink final : public FrameSink {
public:
    void frameFound(uint8_t routingCode, std::span<const uint8_t> frame) override
    {
        codes.push_back(routingCode);
        frames.emplace_back(frame.begin(), frame.end());
    }
    std::vector<uint8_t> codes;
    std::vector<Bytes> frames;
};

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

const Bytes kValueReply{0xF2, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00, 0xE3};

TEST(ReceivePipeline, commandFrameSplitAfterFifthByteIsFoundOnSecondExtraction)
{
    ReceivePipeline pipeline;
    CollectingSink sink;
    const Bytes first{0x00, 0xF2, 0x01, 0x00, 0x10};
    const Bytes second{0x00, 0x00, 0x00, 0xE3};

    pipeline.putReceived(first);
    EXPECT_EQ(pipeline.extractFrames(), 0);
    EXPECT_EQ(pipeline.receivedCount(), 4);  // 0x00 dropped, F2 01 00 10 kept
    EXPECT_EQ(pipeline.dispatchFrameRing(sink), 0);

    pipeline.putReceived(second);
    EXPECT_EQ(pipeline.extractFrames(), 1);
    EXPECT_EQ(pipeline.receivedCount(), 0);
    EXPECT_EQ(pipeline.dispatchFrameRing(sink), 1);
    ASSERT_EQ(sink.frames.size(), 1u);
    EXPECT_EQ(sink.codes[0], 0x01);
    EXPECT_EQ(sink.frames[0], kValueReply);
    EXPECT_EQ(pipeline.frameRingCount(), 0);
}

TEST(ReceivePipeline, framesStraddlingTheReceiveRingWrapAreFound)
{
    ReceivePipeline pipeline;
    CollectingSink sink;
    // Move the ring's indices close to its end with noise, then let frames cross it.
    const Bytes noise(ReceivePipeline::kReceiveRingSize - 3, 0x00);
    pipeline.putReceived(noise);
    EXPECT_EQ(pipeline.extractFrames(), 0);
    EXPECT_EQ(pipeline.receivedCount(), 0);
    Bytes stream;
    for (int i = 0; i < 4; ++i)
        stream.insert(stream.end(), kValueReply.begin(), kValueReply.end());
    pipeline.putReceived(stream);
    EXPECT_EQ(pipeline.extractFrames(), 4);
    EXPECT_EQ(pipeline.dispatchFrameRing(sink), 4);
    for (const Bytes& frame : sink.frames)
        EXPECT_EQ(frame, kValueReply);
}

TEST(ReceivePipeline, mixedFramesLeaveTheFrameRingInOrderAcrossItsWrap)
{
    ReceivePipeline pipeline;
    CollectingSink sink;
    std::array<uint8_t, 64> data{};
    data.fill(0x11);
    const Bytes block = bytes(blockFrame(data));
    const Bytes trace{0xF2, 0x3A, 2, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0x00};
    std::vector<uint8_t> expectedCodes;
    // Several rounds so that the frame ring's indices wrap with frames of all lengths.
    for (int round = 0; round < 40; ++round) {
        Bytes stream;
        for (const Bytes* frame : {&kValueReply, &trace, &block}) {
            stream.insert(stream.end(), frame->begin(), frame->end());
            expectedCodes.push_back((*frame)[1]);
        }
        pipeline.putReceived(stream);
        ASSERT_EQ(pipeline.extractFrames(), 3);
        ASSERT_EQ(pipeline.dispatchFrameRing(sink), 3);
    }
    EXPECT_EQ(sink.codes, expectedCodes);
    for (size_t i = 0; i < sink.frames.size(); ++i)
        ASSERT_EQ(sink.frames[i].size(), commandFamilyLength(sink.codes[i]));
    EXPECT_EQ(sink.frames[2], block);
    EXPECT_EQ(sink.frames[1], trace);
}

// A frame that no longer fits the frame ring is dropped whole: a cut frame would make
// the dispatch walk read every later frame from the wrong offset.
TEST(ReceivePipeline, fullFrameRingDropsWholeFramesOnly)
{
    ReceivePipeline pipeline;
    CollectingSink sink;
    const Bytes trace{0xF2, 0x3A, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // 5120 bytes of frame ring: 319 traces (5104 bytes) leave 16 bytes, then 8 + 8 more.
    Bytes stream;
    for (int i = 0; i < 319; ++i)
        stream.insert(stream.end(), trace.begin(), trace.end());
    for (int i = 0; i < 3; ++i)
        stream.insert(stream.end(), kValueReply.begin(), kValueReply.end());
    stream.insert(stream.end(), trace.begin(), trace.end());
    pipeline.putReceived(stream);
    EXPECT_EQ(pipeline.extractFrames(), 321);
    EXPECT_EQ(pipeline.droppedFrames(), 2);
    EXPECT_EQ(pipeline.frameRingCount(), ReceivePipeline::kFrameRingSize);
    EXPECT_EQ(pipeline.dispatchFrameRing(sink), 321);
    EXPECT_EQ(sink.codes.back(), 0x01);
    EXPECT_EQ(sink.frames.back(), kValueReply);
    EXPECT_EQ(pipeline.frameRingCount(), 0);
}

TEST(ReceivePipeline, receiveRingDropsBytesBeyondItsCapacity)
{
    ReceivePipeline pipeline;
    const Bytes burst(ReceivePipeline::kReceiveRingSize + 100, 0x00);
    EXPECT_EQ(pipeline.putReceived(burst), ReceivePipeline::kReceiveRingSize);
    EXPECT_EQ(pipeline.receivedCount(), ReceivePipeline::kReceiveRingSize);
    EXPECT_EQ(pipeline.putReceived(kValueReply), 0);
    pipeline.extractFrames();
    EXPECT_EQ(pipeline.receivedCount(), 0);
    EXPECT_EQ(pipeline.putReceived(kValueReply), 8);  // room again once taken
}

TEST(ReceivePipeline, connectionParsingKeepsBootAndLongFramesAcrossReads)
{
    ReceivePipeline pipeline;
    CollectingSink sink;
    std::array<uint8_t, 64> data{};
    data.fill(0x7E);
    const Bytes longBoot = bytes(longBootFrame(0x41, data));
    const Bytes boot = bytes(bootAnswer(boot::StandBy));
    Bytes stream = boot;
    stream.insert(stream.end(), longBoot.begin(), longBoot.end());
    stream.insert(stream.end(), kValueReply.begin(), kValueReply.end());

    // Deliver in reads of 5 bytes, parsing after each as the connection thread does.
    for (size_t at = 0; at < stream.size(); at += 5) {
        const size_t n = std::min<size_t>(5, stream.size() - at);
        pipeline.putReceived(std::span<const uint8_t>(stream).subspan(at, n));
        pipeline.parseSerialFrames(sink);
    }
    ASSERT_EQ(sink.codes, (std::vector<uint8_t>{0x50, 0x41, 0x01}));
    EXPECT_EQ(sink.frames[0], boot);
    EXPECT_EQ(sink.frames[1], longBoot);
    EXPECT_EQ(sink.frames[2], kValueReply);
    EXPECT_EQ(pipeline.receivedCount(), 0);
}

TEST(ReceivePipeline, clearingEmptiesBothRings)
{
    ReceivePipeline pipeline;
    pipeline.putReceived(kValueReply);
    pipeline.extractFrames();
    pipeline.putReceived(Bytes{0xF2, 0x01});
    pipeline.clearReceived();
    pipeline.clearFrames();
    EXPECT_EQ(pipeline.receivedCount(), 0);
    EXPECT_EQ(pipeline.frameRingCount(), 0);
}

}  // namespace
}  // namespace hesk::link
