// The drive's answers byte by byte. Requests and answers are written out from the frame
// tables of the device protocol (F2, code, bytes 2..6, XOR of bytes 0..6), not produced
// by our frame builders, so an encoder fault on either side shows.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace hesk::sim::test {
namespace {

using Lines = std::vector<std::string>;

struct Exchange {
    const char* name;
    const char* request;
    Lines answer;
    friend void PrintTo(const Exchange& e, std::ostream* os) { *os << e.name; }
};

class RequestHandling : public ::testing::TestWithParam<Exchange> {};

TEST_P(RequestHandling, answersByTheFrameTables)
{
    DriveHarness h;
    EXPECT_EQ(h.request(GetParam().request), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Identification, RequestHandling,
    ::testing::Values(
        // 0xF0: byte 2 device variant flag (1 by default), byte 3 device flag.
        Exchange{"cpuType", "F2 F0 00 00 00 00 00 02", {"F2 F0 01 00 00 00 00 03"}},
        // 0x0E: the CPU type word in bytes 4..5 (HESK6500 = 0x6500).
        Exchange{"cpuTypeWord", "F2 0E 00 00 00 00 00 FC", {"F2 0E 00 00 65 00 00 99"}},
        Exchange{"programIdentifier", "F2 0C 00 00 00 00 00 FE", {"F2 0C 4A 21 00 00 00 95"}},
        Exchange{"lastTransferFlagsClear", "F2 2F 00 00 00 00 00 DD", {"F2 2F 00 00 00 00 00 DD"}},
        // 0x09: the reference count 1000000 = 0x000F4240, high byte first.
        Exchange{"cpuLoadReference", "F2 09 00 00 00 00 00 FB", {"F2 09 00 0F 42 40 00 F6"}},
        Exchange{"heartbeatStart", "F2 39 01 00 00 00 00 CA", {"F2 39 01 00 00 00 00 CA"}},
        Exchange{"heartbeatStop", "F2 39 00 00 00 00 00 CB", {"F2 39 00 00 00 00 00 CB"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Reads, RequestHandling,
    ::testing::Values(
        // P0070 (settable address 2) = factory 37.
        Exchange{"settableValue", "F2 01 00 02 00 00 00 F1", {"F2 01 00 02 00 25 00 D4"}},
        // Address 0 holds P0053 = 0x0003 in the settable table and r0001 = 9 (standby) in
        // the read-only table.
        Exchange{"settableAddressZero", "F2 01 00 00 00 00 00 F3", {"F2 01 00 00 00 03 00 F0"}},
        Exchange{"readOnlyAddressZero", "F2 06 00 00 00 00 00 F4", {"F2 06 00 00 00 09 00 FD"}},
        // r0006.0 = 540 V.
        Exchange{"readOnlyValue", "F2 06 00 03 00 00 00 F7", {"F2 06 00 03 02 1C 00 E9"}},
        // P0554 is connected to K0002 (r0002 at read-only address 1): the source is sent
        // as it is, the tool negates it.
        Exchange{"connectionSource", "F2 17 00 05 00 00 00 E0", {"F2 17 00 05 00 01 00 E1"}},
        Exchange{"addressBeyondTheTables", "F2 01 20 00 00 00 00 D3", {}},
        Exchange{"writeBeyondTheTables", "F2 03 20 00 00 01 00 D0", {}},
        Exchange{"unknownCode", "F2 77 00 00 00 00 00 85", {}},
        Exchange{"badCheckByte", "F2 01 00 02 00 00 00 F0", {}},
        // A boot frame (02 06 code d1 d2 check) is nothing the drive waits for.
        Exchange{"bootFrameIgnored", "02 06 50 00 00 54", {}},
        // Noise before a request costs nothing; an F2 inside the noise is skipped.
        Exchange{"noiseBeforeRequest", "00 F2 33 F2 01 00 02 00 00 00 F1", {"F2 01 00 02 00 25 00 D4"}},
        // The tool sends no block or long boot frame: their start is noise and does not
        // hold up the request behind it until 68 bytes have come.
        Exchange{"strayBlockStart", "F2 2D 00 F2 01 00 02 00 00 00 F1", {"F2 01 00 02 00 25 00 D4"}},
        Exchange{"strayLongBootStart", "02 44 F2 01 00 02 00 00 00 F1", {"F2 01 00 02 00 25 00 D4"}},
        Exchange{"twoRequestsAtOnce", "F2 01 00 02 00 00 00 F1 F2 06 00 00 00 00 00 F4",
                 Lines{"F2 01 00 02 00 25 00 D4", "F2 06 00 00 00 09 00 FD"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestHandlingSplit, frameStraddlingTwoReadsIsAnsweredOnce)
{
    DriveHarness h;
    EXPECT_EQ(h.request("00 F2 01 00 02"), Lines{});
    EXPECT_EQ(h.request("00 00 00 F1"), Lines{"F2 01 00 02 00 25 00 D4"});
}

TEST(RequestHandlingWrites, writeIsEchoedAndTakesEffectOnConfirm)
{
    DriveHarness h;
    // P7030 (address 9) = 0x2000: echoed unchanged, held until MDY_CONFIRM.
    EXPECT_EQ(h.request("F2 03 00 09 20 00 00 D8"), Lines{"F2 03 00 09 20 00 00 D8"});
    EXPECT_EQ(h.settable(kP7030), 0);
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    EXPECT_EQ(h.settable(kP7030), 0x2000);
    // A repeated confirm (its answer was lost) is answered again and changes nothing.
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    EXPECT_EQ(h.settable(kP7030), 0x2000);
}

TEST(RequestHandlingWrites, repeatedWriteReplacesThePendingOne)
{
    DriveHarness h;
    h.request("F2 03 00 06 00 01 00 F6");  // P0880 = 1, echo lost: the tool sends again
    h.request("F2 03 00 09 20 00 00 D8");  // a different write before any confirm
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(h.settable(kP0880), 0);
    EXPECT_EQ(h.settable(kP7030), 0x2000);
}

TEST(RequestHandlingWrites, plainWriteAndConnectionWrite)
{
    DriveHarness h;
    // 0x02 (the wizard's write of P0880) behaves as 0x03.
    EXPECT_EQ(h.request("F2 02 00 06 00 01 00 F7"), Lines{"F2 02 00 06 00 01 00 F7"});
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(h.settable(kP0880), 1);
    // 0x05 carries the stored (negated) source: 0xFFF9 connects source 7; a read sends 7.
    EXPECT_EQ(h.request("F2 05 00 05 FF F9 00 F4"), Lines{"F2 05 00 05 FF F9 00 F4"});
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(h.request("F2 17 00 05 00 00 00 E0"), Lines{"F2 17 00 05 00 07 00 E7"});
    // 0x8000 is the connection to nothing: source 0, read back as 0.
    h.request("F2 05 00 05 80 00 00 72");
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(h.request("F2 17 00 05 00 00 00 E0"), Lines{"F2 17 00 05 00 00 00 E0"});
}

TEST(RequestHandlingWrites, factoryRestoreReturnsSettableValuesAndConnections)
{
    DriveHarness h;
    h.request("F2 03 00 09 20 00 00 D8");
    h.request("F2 08 00 00 00 00 00 FA");
    h.request("F2 05 00 05 FF F9 00 F4");
    h.request("F2 08 00 00 00 00 00 FA");
    h.drive.behaviour().lastRestoreFailed = true;
    EXPECT_EQ(h.request("F2 30 00 00 00 00 00 C2"), Lines{"F2 30 00 00 00 00 00 C2"});
    EXPECT_EQ(h.settable(kP7030), 0x2000);  // not before the confirm
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(h.settable(kP7030), 0);
    EXPECT_EQ(h.request("F2 17 00 05 00 00 00 E0"), Lines{"F2 17 00 05 00 01 00 E1"});
    EXPECT_EQ(h.request("F2 2F 00 00 00 00 00 DD"), Lines{"F2 2F 00 00 00 00 00 DD"});
}

TEST(RequestHandlingBehaviour, overriddenIdentityAndFlags)
{
    DriveBehaviour b;
    b.programId = 0x1234;
    b.cpuType = 0x6501;
    b.lastDownloadFailed = true;
    b.lastRestoreFailed = true;
    b.variantFlag = 0;
    b.deviceFlag = 1;
    DriveHarness h(b);
    EXPECT_EQ(h.request("F2 0C 00 00 00 00 00 FE"), Lines{"F2 0C 12 34 00 00 00 D8"});
    EXPECT_EQ(h.request("F2 0E 00 00 00 00 00 FC"), Lines{"F2 0E 00 00 65 01 00 98"});
    EXPECT_EQ(h.request("F2 2F 00 00 00 00 00 DD"), Lines{"F2 2F 00 00 00 01 01 DD"});
    EXPECT_EQ(h.request("F2 F0 00 00 00 00 00 02"), Lines{"F2 F0 00 01 00 00 00 03"});
    h.drive.behaviour().lastRestoreFailed = false;
    EXPECT_EQ(h.request("F2 2F 00 00 00 00 00 DD"), Lines{"F2 2F 00 00 00 01 00 DC"});
}

TEST(RequestHandlingBehaviour, silentDriveNeitherAnswersNorActs)
{
    DriveBehaviour b;
    b.silentUntil = seconds(5.0);  // slow boot
    DriveHarness h(b);
    EXPECT_EQ(h.request("F2 0C 00 00 00 00 00 FE"), Lines{});
    EXPECT_EQ(h.request("F2 03 00 09 20 00 00 D8"), Lines{});
    h.runFor(seconds(5.0));
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    EXPECT_EQ(h.settable(kP7030), 0);  // the write sent while silent was never taken
    h.drive.behaviour().mute = true;
    EXPECT_EQ(h.request("F2 0C 00 00 00 00 00 FE"), Lines{});
    h.drive.behaviour().mute = false;
    EXPECT_EQ(h.request("F2 0C 00 00 00 00 00 FE"), Lines{"F2 0C 4A 21 00 00 00 95"});
}

TEST(RequestHandlingLoad, idleCountIsBelowTheReferenceAndRisesWithTheMotorStopped)
{
    DriveHarness h;
    const Lines idle = h.request("F2 0A 00 00 00 00 00 F8");
    ASSERT_EQ(idle.size(), 1u);
    const Bytes frame = hex(idle[0].c_str());
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(frame[1], 0x0A);
    const uint32_t count = (uint32_t(frame[2]) << 24) | (uint32_t(frame[3]) << 16) | (uint32_t(frame[4]) << 8) | frame[5];
    // Standing still: about 80 % idle of the 1000000 reference.
    EXPECT_GT(count, 780000u);
    EXPECT_LT(count, 840000u);
    uint8_t check = 0;
    for (int i = 0; i < 7; ++i)
        check ^= frame[i];
    EXPECT_EQ(frame[7], check);
}

// The datagram link: the connect request gets the StandBy datagram, and every frame
// travels whole inside a datagram frame with its CRC-16/MODBUS (low byte first).
TEST(RequestHandlingDatagram, connectRequestAndWrappedAnswers)
{
    DriveHarness h({}, Framing::Datagram);
    h.drive.receiveDatagram(hex("F5 0A 01 51 00 00 00 AF"), h.now);
    EXPECT_EQ(h.written(), Lines{"F5 0A 01 50 00 00 00 00 E4 AD"});
    h.drive.receiveDatagram(hex("F2 0C 00 00 00 00 00 FE"), h.now);
    EXPECT_EQ(h.written(), Lines{"F5 0E 01 0C F2 0C 4A 21 00 00 00 95 2B BD"});
    // A connect request with a wrong check byte is no request.
    h.drive.receiveDatagram(hex("F5 0A 01 51 00 00 00 AE"), h.now);
    EXPECT_EQ(h.written(), Lines{});
}

}  // namespace
}  // namespace hesk::sim::test

namespace hesk::sim::test {
namespace {

// Garbage on the line, as bytes and as datagrams of every length: nothing breaks, and
// a request after it is answered.
TEST(RequestHandlingGarbage, randomBytesAndDatagramsLeaveTheDriveWorking)
{
    std::mt19937 random(99);
    for (Framing framing : {Framing::Serial, Framing::Datagram}) {
        DriveHarness h({}, framing);
        for (int i = 0; i < 2000; ++i) {
            Bytes junk(static_cast<size_t>(random() % 300));
            for (uint8_t& b : junk)
                b = static_cast<uint8_t>(random() % 4 == 0 ? 0xF2 : random());
            if (framing == Framing::Serial)
                h.drive.receiveBytes(junk, h.now);
            else
                h.drive.receiveDatagram(junk, h.now);
            h.runFor(std::chrono::milliseconds(1));
        }
        h.runFor(seconds(11.0));  // a download begun by chance has broken off by now
        h.written();
        const Bytes request = hex("F2 0C 00 00 00 00 00 FE");
        if (framing == Framing::Serial) {
            h.drive.receiveBytes(hex("00 00 00 00 00 00 00 00"), h.now);  // ends a cut-off frame
            h.written();
            EXPECT_EQ(h.request(request), Lines{"F2 0C 4A 21 00 00 00 95"});
        } else {
            h.drive.receiveDatagram(request, h.now);
            EXPECT_EQ(h.written(), Lines{"F5 0E 01 0C F2 0C 4A 21 00 00 00 95 2B BD"});
        }
    }
}

}  // namespace
}  // namespace hesk::sim::test
