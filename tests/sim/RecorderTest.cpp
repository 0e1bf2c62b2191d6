// The trigger recorder: settings echoed, immediate and armed starts, the trigger signal
// with its position, data as 16-byte frames (device variant 1) and as the 0x36/0x37
// exchange (variant 0), stop and the data error notice.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace hesk::sim::test {
namespace {

using Lines = std::vector<std::string>;

// Runs the drive in 1 ms steps until the recorder has nothing more to send (or the
// limit passed); returns every frame sent.
std::vector<Bytes> collect(DriveHarness& h, SimTime limit = seconds(10.0))
{
    std::vector<Bytes> frames;
    const SimTime end = h.now + limit;
    do {
        for (const std::string& text : h.runFor(std::chrono::milliseconds(1)))
            frames.push_back(hex(text.c_str()));
    } while (h.now < end && (h.drive.recorder().phase() != TriggerRecorder::Phase::Idle || frames.empty()));
    return frames;
}

uint16_t wordAt(const Bytes& frame, size_t at)
{
    return static_cast<uint16_t>((frame[at] << 8) | frame[at + 1]);
}

bool checkHolds(const Bytes& frame)
{
    uint8_t x = 0;
    for (uint8_t b : frame)
        x ^= b;
    return x == 0;
}

TEST(Recorder, settingsAreEchoed)
{
    DriveHarness h;
    EXPECT_EQ(h.request("F2 31 01 00 03 00 00 C1"), Lines{"F2 31 01 00 03 00 00 C1"});
    EXPECT_EQ(h.request("F2 31 02 00 07 00 00 C6"), Lines{"F2 31 02 00 07 00 00 C6"});
    EXPECT_EQ(h.request("F2 32 01 00 0A 00 00 CB"), Lines{"F2 32 01 00 0A 00 00 CB"});
    EXPECT_EQ(h.request("F2 33 00 06 05 03 01 C0"), Lines{"F2 33 00 06 05 03 01 C0"});
    EXPECT_EQ(h.drive.recorder().channelCount(), 2u);
    EXPECT_EQ(h.drive.recorder().samplesPerChannel(), 4096u);
    EXPECT_EQ(h.drive.recorder().preTriggerSamples(), 10);
    // Position 1 begins a new channel list.
    h.request("F2 31 01 00 06 00 00 C4");
    EXPECT_EQ(h.drive.recorder().channelCount(), 1u);
    EXPECT_EQ(h.drive.recorder().samplesPerChannel(), 8192u);
}

TEST(Recorder, immediateStartSendsSixteenByteFramesChannelByChannel)
{
    DriveHarness h;
    h.request("F2 31 01 00 03 00 00 C1");  // r0006.0 = 540 V
    h.request("F2 31 02 00 07 00 00 C6");  // r0820 = 125
    h.request("F2 32 01 00 00 00 00 C1");
    EXPECT_EQ(h.request("F2 34 01 01 00 00 00 C6"), Lines{"F2 34 01 01 00 00 00 C6"});
    // 4096 samples per channel at 125 us take 0.512 s: nothing leaves before.
    EXPECT_EQ(h.runFor(seconds(0.5)), Lines{});
    const std::vector<Bytes> frames = collect(h);
    // 4096 words per channel in frames of six: 683 frames each, the last with 4 words.
    ASSERT_EQ(frames.size(), 2u * 683u);
    for (size_t i = 0; i < frames.size(); ++i) {
        const Bytes& f = frames[i];
        ASSERT_EQ(f.size(), 16u);
        EXPECT_EQ(f[0], 0xF2);
        EXPECT_EQ(f[1], 0x3A);
        EXPECT_TRUE(checkHolds(f)) << i;
        const uint8_t channel = i < 683 ? 1 : 2;
        EXPECT_EQ(f[2], channel);
        const size_t words = (i % 683 == 682) ? 4 : 6;
        for (size_t w = 0; w < 6; ++w)
            EXPECT_EQ(wordAt(f, 3 + 2 * w), w < words ? (channel == 1 ? 540 : 125) : 0) << i << ' ' << w;
    }
    EXPECT_EQ(hexText(frames.front()), "F2 3A 01 02 1C 02 1C 02 1C 02 1C 02 1C 02 1C C9");
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Idle);
}

TEST(Recorder, armedStartTriggersOnTheConditionAndReportsThePosition)
{
    DriveHarness h;
    h.request("F2 31 01 00 01 00 00 C3");  // r0002, the frequency
    h.request("F2 32 01 00 0A 00 00 CB");  // 10 pre-trigger samples
    h.request("F2 33 00 06 05 03 01 C0");  // r0550 bit 3 (pulses enabled) = 1
    EXPECT_EQ(h.request("F2 34 02 01 00 00 00 C5"), Lines{"F2 34 02 01 00 00 00 C5"});
    EXPECT_EQ(h.runFor(seconds(2.0)), Lines{});  // armed, nothing happens
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Armed);
    h.write(kP0880, 1);
    h.write(kP7030, 16384);
    h.write(kP7000_5, 1);  // runs after 0.4 s
    std::vector<Bytes> frames = collect(h);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(hexText(frames.front()), "F2 35 00 0A 00 00 00 CD");  // trigger at sample 10
    frames.erase(frames.begin());
    ASSERT_EQ(frames.size(), 1366u);
    std::vector<uint16_t> samples;
    for (const Bytes& f : frames)
        for (size_t w = 0; w < 6; ++w)
            samples.push_back(wordAt(f, 3 + 2 * w));
    samples.resize(8192);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(samples[i], 0) << i;  // before the pulses were enabled
    // Ramping at 20 Hz/s: about 1 s after the trigger close to 20 Hz (6554).
    EXPECT_NEAR(samples[8191], 8192 * 125e-6 * 20.0 * 16384 / 50.0, 60.0);
    for (size_t i = 11; i < 8192; ++i)
        ASSERT_GE(samples[i], samples[i - 1]) << i;
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Idle);
}

TEST(Recorder, continuousModeArmsAgainAndStopEndsIt)
{
    DriveHarness h;
    h.request("F2 31 01 00 03 00 00 C1");
    h.request("F2 32 01 00 00 00 00 C1");
    h.request("F2 33 00 06 05 03 01 C0");
    h.request("F2 34 02 02 00 00 00 C6");
    h.write(kP0880, 1);
    h.write(kP7000_5, 1);
    h.runFor(seconds(0.5));
    // First recording: trigger signal, then 1366 frames; then armed again and, the
    // condition still holding, the next trigger follows.
    std::vector<Bytes> frames;
    for (int i = 0; i < 3000 && frames.size() < 1368; ++i)
        for (const std::string& t : h.runFor(std::chrono::milliseconds(1)))
            frames.push_back(hex(t.c_str()));
    ASSERT_GE(frames.size(), 1368u);
    EXPECT_EQ(frames[0][1], 0x35);
    EXPECT_EQ(frames[1367][1], 0x35);
    EXPECT_TRUE(h.drive.recorder().continuous());
    EXPECT_EQ(h.request("F2 38 00 00 00 00 00 CA"), Lines{"F2 38 00 00 00 00 00 CA"});
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Idle);
    EXPECT_EQ(h.runFor(seconds(2.0)), Lines{});
}

TEST(Recorder, dataErrorNoticeBreaksTheTransferOff)
{
    DriveHarness h;
    h.request("F2 31 01 00 03 00 00 C1");
    h.request("F2 32 01 00 00 00 00 C1");
    h.request("F2 34 01 01 00 00 00 C6");
    h.runFor(seconds(1.1));
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Transferring);
    EXPECT_EQ(h.request("F2 3E 00 00 00 00 00 CC"), Lines{});  // the notice is not echoed
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Idle);
    EXPECT_EQ(h.runFor(seconds(1.0)), Lines{});
}

class RecorderExchange : public ::testing::Test {
protected:
    RecorderExchange() : h(variantZero()) {}
    static DriveBehaviour variantZero()
    {
        DriveBehaviour b;
        b.variantFlag = 0;
        return b;
    }
    void record()
    {
        h.request("F2 31 01 00 03 00 00 C1");  // r0006.0 = 540 = 0x021C
        h.request("F2 32 01 00 00 00 00 C1");
        h.request("F2 34 01 01 00 00 00 C6");
        h.runFor(seconds(1.0));
    }
    DriveHarness h;
};

TEST_F(RecorderExchange, dataInformationIsConfirmedAfterAMatchingEcho)
{
    record();
    EXPECT_EQ(h.runFor(seconds(0.03)), Lines{"F2 36 01 02 1C 02 1C C5"});
    EXPECT_EQ(h.runFor(seconds(0.5)), Lines{});  // waits for the echo
    EXPECT_EQ(h.request("F2 36 01 02 1C 02 1C C5"), (Lines{"F2 37 0E 0D 0B 07 00 CA", "F2 36 01 02 1C 02 1C C5"}));
    // A differing echo: the check frame says no, and the same samples come again.
    EXPECT_EQ(h.request("F2 36 01 02 1C 02 1D C4"), (Lines{"F2 37 00 00 00 00 00 C5", "F2 36 01 02 1C 02 1C C5"}));
    // No echo at all: after the time-out the same.
    EXPECT_EQ(h.runFor(TriggerRecorder::kEchoTimeout), (Lines{"F2 37 00 00 00 00 00 C5", "F2 36 01 02 1C 02 1C C5"}));
}

TEST_F(RecorderExchange, allSamplesTakeOneExchangeForEachPair)
{
    record();
    h.runFor(seconds(0.03));
    int exchanges = 1;
    for (;;) {
        const Lines answer = h.request("F2 36 01 02 1C 02 1C C5");
        ASSERT_FALSE(answer.empty());
        ASSERT_EQ(answer[0], "F2 37 0E 0D 0B 07 00 CA");
        if (answer.size() == 1)
            break;
        ASSERT_EQ(answer[1], "F2 36 01 02 1C 02 1C C5");
        ++exchanges;
    }
    EXPECT_EQ(exchanges, 4096);
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Idle);
}

TEST_F(RecorderExchange, echoesThatNeverMatchEndTheTransfer)
{
    record();
    h.runFor(seconds(0.03));
    for (int i = 0; i < TriggerRecorder::kMaxEchoFailures; ++i)
        ASSERT_EQ(h.request("F2 36 01 00 00 00 00 C5").size(), 2u);
    EXPECT_EQ(h.request("F2 36 01 00 00 00 00 C5"), Lines{"F2 37 00 00 00 00 00 C5"});
    EXPECT_EQ(h.drive.recorder().phase(), TriggerRecorder::Phase::Idle);
}

}  // namespace
}  // namespace hesk::sim::test
