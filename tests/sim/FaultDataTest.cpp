// Fault data from the controller (0x12 echoed, MDY_CONFIRM, then 0x16 headers, 0x15
// samples, 0xE1 fault words, 0x13 end) and from the drive board (0xE0).

#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace hesk::sim::test {
namespace {

using Lines = std::vector<std::string>;

std::vector<Bytes> drain(DriveHarness& h)
{
    std::vector<Bytes> frames;
    for (int i = 0; i < 1000; ++i) {
        const Lines lines = h.runFor(std::chrono::milliseconds(1));
        if (lines.empty() && !frames.empty())
            break;
        for (const std::string& t : lines)
            frames.push_back(hex(t.c_str()));
    }
    return frames;
}

std::map<uint8_t, int> countByCode(const std::vector<Bytes>& frames)
{
    std::map<uint8_t, int> counts;
    for (const Bytes& f : frames)
        ++counts[f[1]];
    return counts;
}

TEST(FaultData, triggerEchoConfirmThenBlocksWordsAndEnd)
{
    DriveHarness h;
    EXPECT_EQ(h.request("F2 12 00 00 00 00 00 E0"), Lines{"F2 12 00 00 00 00 00 E0"});
    EXPECT_EQ(h.runFor(seconds(0.1)), Lines{});  // nothing before the confirm
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    const std::vector<Bytes> frames = drain(h);
    // One fault from before power-up: 4 channel blocks of 256 samples, two per frame,
    // then its 12 fault words in pairs, then the end.
    ASSERT_EQ(frames.size(), 4u * (1 + 128) + 6 + 1);
    EXPECT_EQ(hexText(frames[0]), "F2 16 00 00 00 00 00 E4");       // channel 0, station 0, fault 0
    EXPECT_EQ(hexText(frames[129]), "F2 16 01 00 00 00 00 E5");     // channel 1
    EXPECT_EQ(hexText(frames[4 * 129]), "F2 E1 00 08 00 00 00 1B");  // r0943.0 = bit 3, r0943.1 = 0
    EXPECT_EQ(hexText(frames.back()), "F2 13 00 00 00 00 00 E1");
    const auto counts = countByCode(frames);
    EXPECT_EQ(counts.at(0x16), 4);
    EXPECT_EQ(counts.at(0x15), 4 * 128);
    EXPECT_EQ(counts.at(0xE1), 6);
    for (const Bytes& f : frames) {
        uint8_t x = 0;
        for (int i = 0; i < 7; ++i)
            x ^= f[static_cast<size_t>(i)];
        ASSERT_EQ(f[7], x);
    }
}

TEST(FaultData, aTripIsRecordedWithTheSignalsAroundIt)
{
    DriveHarness h;
    h.write(kP0880, 1);
    h.write(kP7030, 16384);
    h.write(kP7000_5, 1);
    for (int i = 0; i < 400; ++i)
        h.runFor(std::chrono::milliseconds(10));
    h.drive.setFaultBit(1, 2, true, h.now);
    // The record waits for the samples after the trip (one each 2 ms).
    EXPECT_EQ(h.drive.faultMemory().records().size(), 1u);
    for (int i = 0; i < 100; ++i)
        h.runFor(std::chrono::milliseconds(2));
    ASSERT_EQ(h.drive.faultMemory().records().size(), 2u);
    const FaultMemory::Record& record = h.drive.faultMemory().records().back();
    EXPECT_EQ(record.word, 1);
    EXPECT_EQ(record.bit, 2);
    EXPECT_EQ(record.faultWords[1], 1u << 2);
    const size_t tripSample = FaultMemory::kHistory - FaultMemory::kAfterTrip - 1;
    ASSERT_EQ(record.channels[0].size(), FaultMemory::kHistory);
    EXPECT_NEAR(record.channels[0][tripSample], 16384, 2);  // 50 Hz = 100 % when it tripped
    EXPECT_LT(record.channels[0].back(), record.channels[0][tripSample] - 50);  // coasting after it
    EXPECT_NEAR(static_cast<int16_t>(record.channels[2][tripSample]), 16384, 200);  // DC link

    h.request("F2 12 00 00 00 00 00 E0");
    h.request("F2 08 00 00 00 00 00 FA");
    const std::vector<Bytes> frames = drain(h);
    EXPECT_EQ(countByCode(frames).at(0x16), 8);
    EXPECT_EQ(hexText(frames[4 * 129]), "F2 16 00 00 01 00 00 E5");  // channel 0 of fault 1
}

TEST(FaultData, anUploadRightAfterATripHasItsRecordAndAlarmsDoNotTrip)
{
    DriveHarness h;
    h.runFor(std::chrono::milliseconds(100));
    // An alarm word's bit warns: the drive stays in standby and keeps no record.
    h.drive.setFaultBit(9, 0, true, h.now);
    h.runFor(std::chrono::milliseconds(300));
    EXPECT_EQ(h.readOnly(kR0001), 9);
    EXPECT_EQ(h.drive.faultMemory().records().size(), 1u);
    // A fault word's bit trips; an upload at once still carries the new fault.
    h.drive.setFaultBit(0, 3, true, h.now);
    EXPECT_EQ(h.readOnly(kR0001), 7);
    h.request("F2 12 00 00 00 00 00 E0");
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(countByCode(drain(h)).at(0x16), 8);
    EXPECT_EQ(h.drive.faultMemory().records().size(), 2u);
}

TEST(FaultData, stationsBeyondTheSlavesDoNotAnswer)
{
    DriveHarness h;
    EXPECT_EQ(h.request("F2 12 01 00 00 00 00 E1"), Lines{});
    h.drive.behaviour().slaves = 1;
    h.drive.behaviourChanged();
    EXPECT_EQ(h.settable(kP0089), 1);
    EXPECT_EQ(h.request("F2 12 01 00 00 00 00 E1"), Lines{"F2 12 01 00 00 00 00 E1"});
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(hexText(drain(h).front()), "F2 16 00 01 00 00 00 E5");  // station in byte 3
}

TEST(FaultData, driveBoardRecordWithItsInformationWords)
{
    DriveHarness h;
    h.now = seconds(86400 + 2 * 3600 + 3 * 60 + 4);  // one day, 2 h, 3 min, 4 s on
    EXPECT_EQ(h.request("F2 E0 00 00 00 00 00 12"), Lines{"F2 E0 00 00 00 00 00 12"});
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    const std::vector<Bytes> frames = drain(h);
    ASSERT_EQ(frames.size(), 4u * (1 + 64) + 3 + 1);
    for (uint8_t type = 0; type < 4; ++type)
        EXPECT_EQ(frames[type * 65u][1], 0x16);
    EXPECT_EQ(hexText(frames[65]), "F2 16 01 00 00 00 00 E5");
    // Type 0: 12-bit analog around mid-scale with the gate pulse in bit 15.
    const uint16_t first = static_cast<uint16_t>((frames[1][2] << 8) | frames[1][3]);
    EXPECT_EQ(first & 0x7000, 0);
    EXPECT_EQ(first & 0x8000, 0x8000);
    // Days, hours, minutes, seconds; faults; power-ups.
    EXPECT_EQ(hexText(frames[260]), "F2 E1 00 01 00 02 00 10");
    EXPECT_EQ(hexText(frames[261]), "F2 E1 00 03 00 04 00 14");
    EXPECT_EQ(hexText(frames[262]), "F2 E1 00 01 00 01 00 13");
    EXPECT_EQ(hexText(frames[263]), "F2 13 00 00 00 00 00 E1");
}

}  // namespace
}  // namespace hesk::sim::test
