// Requests the drive takes no notice of, and read answers for the wrong address, byte by
// byte. Frames are written out from the frame tables (F2, code, bytes 2..6, XOR of bytes
// 0..6), as in RequestHandlingTest.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace hesk::sim::test {
namespace {

using Lines = std::vector<std::string>;

struct Exchange {
    uint8_t code;
    const char* request;
    const char* answer;
};

// Requests of the connect sequence and a read, each with its normal answer.
const Exchange kAnswered[] = {
    {0xF0, "F2 F0 00 00 00 00 00 02", "F2 F0 01 00 00 00 00 03"},
    {0x0E, "F2 0E 00 00 00 00 00 FC", "F2 0E 00 00 65 00 00 99"},
    {0x0C, "F2 0C 00 00 00 00 00 FE", "F2 0C 4A 21 00 00 00 95"},
    {0x2F, "F2 2F 00 00 00 00 00 DD", "F2 2F 00 00 00 00 00 DD"},
    {0x01, "F2 01 00 02 00 00 00 F1", "F2 01 00 02 00 25 00 D4"},
};

TEST(RequestFaultsIgnore, onlyTheIgnoredCodeGoesUnanswered)
{
    for (const Exchange& ignored : kAnswered) {
        DriveHarness h;
        h.drive.behaviour().ignoredCodes.set(ignored.code);
        for (const Exchange& e : kAnswered) {
            const Lines expected = e.code == ignored.code ? Lines{} : Lines{e.answer};
            EXPECT_EQ(h.request(e.request), expected) << "ignoring " << int(ignored.code) << ", asking " << e.request;
        }
        EXPECT_EQ(h.drive.counters().requests, std::size(kAnswered));
        EXPECT_EQ(h.drive.counters().requestsIgnored, 1u);
        h.drive.behaviour().ignoredCodes.reset();
        EXPECT_EQ(h.request(ignored.request), Lines{ignored.answer});  // answered again
    }
}

TEST(RequestFaultsIgnore, severalCodesAtOnceAndOnTheDatagramLink)
{
    DriveHarness h({}, Framing::Datagram);
    h.drive.behaviour().ignoredCodes.set(0x0E).set(0xF0);
    h.drive.receiveDatagram(hex("F2 F0 00 00 00 00 00 02"), h.now);
    h.drive.receiveDatagram(hex("F2 0E 00 00 00 00 00 FC"), h.now);
    EXPECT_EQ(h.written(), Lines{});
    h.drive.receiveDatagram(hex("F2 0C 00 00 00 00 00 FE"), h.now);
    EXPECT_EQ(h.written(), Lines{"F5 0E 01 0C F2 0C 4A 21 00 00 00 95 2B BD"});
}

TEST(RequestFaultsIgnore, anIgnoredWriteIsNeitherEchoedNorStored)
{
    DriveHarness h;
    h.drive.behaviour().ignoredCodes.set(0x03);
    EXPECT_EQ(h.request("F2 03 00 09 20 00 00 D8"), Lines{});
    // The confirm is answered (nothing pending) and applies nothing.
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    EXPECT_EQ(h.settable(kP7030), 0);
    // A write with another code still goes through.
    EXPECT_EQ(h.request("F2 02 00 06 00 01 00 F7"), Lines{"F2 02 00 06 00 01 00 F7"});
    h.request("F2 08 00 00 00 00 00 FA");
    EXPECT_EQ(h.settable(kP0880), 1);
}

TEST(RequestFaultsIgnore, anIgnoredConfirmLeavesTheWriteEchoedButNotApplied)
{
    DriveHarness h;
    h.drive.behaviour().ignoredCodes.set(0x08);
    EXPECT_EQ(h.request("F2 03 00 09 20 00 00 D8"), Lines{"F2 03 00 09 20 00 00 D8"});
    for (int attempt = 0; attempt < 3; ++attempt)  // the tool's three confirms
        EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{});
    EXPECT_EQ(h.settable(kP7030), 0);
    EXPECT_EQ(h.drive.counters().requestsIgnored, 3u);
    // Answered again, the next write and its confirm take effect; the unconfirmed one
    // was replaced by it.
    h.drive.behaviour().ignoredCodes.reset();
    EXPECT_EQ(h.request("F2 03 00 06 00 01 00 F6"), Lines{"F2 03 00 06 00 01 00 F6"});
    EXPECT_EQ(h.request("F2 08 00 00 00 00 00 FA"), Lines{"F2 08 00 00 00 00 00 FA"});
    EXPECT_EQ(h.settable(kP0880), 1);
    EXPECT_EQ(h.settable(kP7030), 0);
}

struct Misaddressed {
    const char* name;
    const char* request;
    Lines answer;
    friend void PrintTo(const Misaddressed& m, std::ostream* os) { *os << m.name; }
};

class RequestFaultsMisaddress : public ::testing::TestWithParam<Misaddressed> {};

TEST_P(RequestFaultsMisaddress, readAnswerNamesTheNextAddress)
{
    DriveBehaviour b;
    b.misaddress = true;
    DriveHarness h(b);
    EXPECT_EQ(h.request(GetParam().request), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, RequestFaultsMisaddress,
    ::testing::Values(
        // Asked for P0060 (address 1): the answer names address 2 with P0070 = 37.
        Misaddressed{"settable", "F2 01 00 01 00 00 00 F2", {"F2 01 00 02 00 25 00 D4"}},
        // Asked for r0004 (2): address 3 with r0006.0 = 540.
        Misaddressed{"readOnly", "F2 06 00 02 00 00 00 F6", {"F2 06 00 03 02 1C 00 E9"}},
        // Asked for the connection at 4: address 5 with P0554's source 1.
        Misaddressed{"connection", "F2 17 00 04 00 00 00 E1", {"F2 17 00 05 00 01 00 E1"}},
        // The last address of the table wraps to address 0 (P0053 = 3).
        Misaddressed{"lastAddressWraps", "F2 01 1F FF 00 00 00 13", {"F2 01 00 00 00 03 00 F0"}},
        Misaddressed{"beyondTheTables", "F2 01 20 00 00 00 00 D3", {}},
        // Requests that are not reads keep their answers.
        Misaddressed{"identifier", "F2 0C 00 00 00 00 00 FE", {"F2 0C 4A 21 00 00 00 95"}},
        Misaddressed{"writeEcho", "F2 03 00 09 20 00 00 D8", {"F2 03 00 09 20 00 00 D8"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestFaultsMisaddressSwitch, offAnswersTheAskedAddressAgain)
{
    DriveHarness h;
    h.drive.behaviour().misaddress = true;
    EXPECT_EQ(h.request("F2 01 00 01 00 00 00 F2"), Lines{"F2 01 00 02 00 25 00 D4"});
    h.drive.behaviour().misaddress = false;
    EXPECT_EQ(h.request("F2 01 00 01 00 00 00 F2"), Lines{"F2 01 00 01 00 01 00 F3"});
}

}  // namespace
}  // namespace hesk::sim::test
