// Parameter upload (length, 64-byte blocks, end, with the tool's echoes) and parameter
// download (raw 256-byte blocks, echoes and control bytes). The upload block is checked
// against its layout written out by hand: little-endian words, A, B, C at offsets 2, 6
// and 10, then the settable, read-only and connection tables.

#include "SimTestSupport.h"
#include "sim/UploadImage.h"

#include <gtest/gtest.h>

#include <numeric>

namespace hesk::sim::test {
namespace {

using Lines = std::vector<std::string>;

// The fixture's upload block: 10 settable and 30 read-only slots, L = 12 + 20 + 60 + 20.
Bytes expectedUploadBlock()
{
    Bytes b = hex("00 00 14 00 00 00 3C 00 00 00 14 00");
    // Settable: P0053 3, P0060 1, P0070 37, P0089 0, P0100 25 % = 0x1000, P0554 (its
    // value lives in the connection table) 0, P0880 0, P7000.4 0, P7000.5 0, P7030 0.
    const Bytes settable = hex("03 00 01 00 25 00 00 00 00 10 00 00 00 00 00 00 00 00 00 00");
    // Read-only: r0001 9, r0002 0, r0004 0, r0006.0 540, r0007 0, r0015 0, r0550 6,
    // r0820 125, r9106 0, r0943.0..20 zero.
    Bytes readOnly = hex("09 00 00 00 00 00 1C 02 00 00 00 00 06 00 7D 00 00 00");
    readOnly.resize(60, 0);
    // Connections, negated: source 0 is 0x8000; P0554 (address 5) -> source 1 = 0xFFFF.
    const Bytes connections = hex("00 80 00 80 00 80 00 80 00 80 FF FF 00 80 00 80 00 80 00 80");
    b.insert(b.end(), settable.begin(), settable.end());
    b.insert(b.end(), readOnly.begin(), readOnly.end());
    b.insert(b.end(), connections.begin(), connections.end());
    return b;
}

TEST(Upload, blockLayoutMatchesTheTables)
{
    DriveHarness h;
    h.runFor(seconds(0.01));
    EXPECT_EQ(hexText(uploadBlock(h.drive.tables())), hexText(expectedUploadBlock()));
}

TEST(Upload, lengthBlocksAndEndWithEchoes)
{
    DriveHarness h;
    h.runFor(seconds(0.01));
    // Start: the request is echoed, then the length 112 = 0x0070, low byte first.
    EXPECT_EQ(h.request("F2 2B 00 00 00 00 00 D9"), (Lines{"F2 2B 00 00 00 00 00 D9", "F2 2C 70 00 00 00 00 AE"}));
    // Nothing more until the tool echoes the length.
    EXPECT_EQ(h.runFor(seconds(0.5)), Lines{});
    EXPECT_EQ(h.request("F2 2C 70 00 00 00 00 AE"), Lines{});
    const Lines frames = h.runFor(seconds(0.001));
    ASSERT_EQ(frames.size(), 3u);  // two blocks and the end
    EXPECT_EQ(frames[2], "F2 2E 00 00 00 00 00 DC");
    Bytes data;
    for (int i = 0; i < 2; ++i) {
        const Bytes block = hex(frames[static_cast<size_t>(i)].c_str());
        ASSERT_EQ(block.size(), 68u);
        EXPECT_EQ(block[0], 0xF2);
        EXPECT_EQ(block[1], 0x2D);
        EXPECT_EQ(std::accumulate(block.begin(), block.end(), uint8_t(0), [](uint8_t a, uint8_t b) { return uint8_t(a ^ b); }), 0);
        data.insert(data.end(), block.begin() + 2, block.begin() + 66);
    }
    Bytes expected = expectedUploadBlock();
    expected.resize(128, 0);  // the last block is padded
    EXPECT_EQ(hexText(data), hexText(expected));
    // The end is sent again until the tool echoes it.
    EXPECT_EQ(h.runFor(seconds(1.0)), Lines{"F2 2E 00 00 00 00 00 DC"});
    EXPECT_EQ(h.request("F2 2E 00 00 00 00 00 DC"), Lines{});
    EXPECT_EQ(h.runFor(seconds(5.0)), Lines{});
}

TEST(Upload, lengthIsSentThreeTimesAtMost)
{
    DriveHarness h;
    h.request("F2 2B 00 00 00 00 00 D9");
    EXPECT_EQ(h.runFor(seconds(1.0)), Lines{"F2 2C 70 00 00 00 00 AE"});
    EXPECT_EQ(h.runFor(seconds(1.0)), Lines{"F2 2C 70 00 00 00 00 AE"});
    EXPECT_EQ(h.runFor(seconds(1.0)), Lines{});
    // A late echo after the drive gave up starts nothing.
    EXPECT_EQ(h.request("F2 2C 70 00 00 00 00 AE"), Lines{});
    EXPECT_EQ(h.runFor(seconds(0.01)), Lines{});
}

TEST(Upload, blocksWaitWhileTheLineIsBusy)
{
    DriveHarness h;
    h.request("F2 2B 00 00 00 00 00 D9");
    h.request("F2 2C 70 00 00 00 00 AE");
    EXPECT_EQ(h.runFor(seconds(0.01), SimulatedDrive::kStreamLowWater), Lines{});
    // One byte of room lets one whole frame go; an idle line takes the rest.
    EXPECT_EQ(h.runFor(seconds(0.01), SimulatedDrive::kStreamLowWater - 1).size(), 1u);
    EXPECT_EQ(h.runFor(seconds(0.01), 0).size(), 2u);
}

Bytes downloadBlock(const Bytes& image, size_t index)
{
    Bytes block(256, 0xFF);
    for (size_t i = 0; i < 256 && index * 256 + i < image.size(); ++i)
        block[i] = image[index * 256 + i];
    return block;
}

// V = 2 value entries (P7030 = 0x2000, P0060 = 5), C = 1 connection entry (P0554 from
// source 3, negated 0xFFFD).
const Bytes kImage = hex("00 02 00 01 00 09 20 00 00 01 00 05 00 05 FF FD");

TEST(Download, blockEchoControlByteAndApply)
{
    DriveHarness h;
    EXPECT_EQ(h.request("F2 19 00 00 00 00 00 EB"), Lines{"F2 19 00 00 00 00 00 EB"});
    EXPECT_TRUE(h.drive.downloadActive());
    const Bytes block = downloadBlock(kImage, 0);
    // The block may arrive in pieces; the echo comes once it is whole.
    EXPECT_EQ(h.request(Bytes(block.begin(), block.begin() + 100)), Lines{});
    EXPECT_EQ(h.request(Bytes(block.begin() + 100, block.end())), Lines{hexText(block)});
    EXPECT_EQ(h.settable(kP7030), 0);
    EXPECT_EQ(h.request("02"), Lines{"02"});
    EXPECT_FALSE(h.drive.downloadActive());
    EXPECT_EQ(h.settable(kP7030), 0x2000);
    EXPECT_EQ(h.settable(kP0060), 5);
    EXPECT_EQ(h.request("F2 17 00 05 00 00 00 E0"), Lines{"F2 17 00 05 00 03 00 E3"});
    EXPECT_EQ(h.request("F2 2F 00 00 00 00 00 DD"), Lines{"F2 2F 00 00 00 00 00 DD"});
}

TEST(Download, repeatDropsTheBlockAndNextKeepsIt)
{
    // 64 value entries make 260 bytes: two blocks, the second padded with 0xFF.
    Bytes image = hex("00 40 00 00");
    for (uint16_t i = 0; i < 64; ++i) {
        const uint16_t address = i % 10 == kP0880 ? kP0100 : i % 10;  // never P0880
        image.insert(image.end(), {0x00, static_cast<uint8_t>(address), 0x00, static_cast<uint8_t>(i)});
    }
    DriveHarness h;
    h.request("F2 19 00 00 00 00 00 EB");
    const Bytes first = downloadBlock(image, 0);
    const Bytes second = downloadBlock(image, 1);
    EXPECT_EQ(h.request(first), Lines{hexText(first)});
    EXPECT_EQ(h.request("01"), Lines{"01"});  // the tool saw a bad echo: the block again
    EXPECT_EQ(h.request(first), Lines{hexText(first)});
    EXPECT_EQ(h.request("00"), Lines{"00"});
    EXPECT_EQ(h.request(second), Lines{hexText(second)});
    EXPECT_EQ(h.request("02"), Lines{"02"});
    // The last entry for each address wins: entry 63 wrote 63 to address 3 (P0089).
    EXPECT_EQ(h.settable(kP0089), 63);
    EXPECT_EQ(h.settable(kP0880), 0);
}

TEST(Download, framesAfterTheEndByteAreRequestsAgain)
{
    DriveHarness h;
    h.request("F2 19 00 00 00 00 00 EB");
    h.request(downloadBlock(kImage, 0));
    Bytes tail = hex("02");
    const Bytes read = hex("F2 01 00 09 00 00 00 FA");
    tail.insert(tail.end(), read.begin(), read.end());
    EXPECT_EQ(h.request(tail), (Lines{"02", "F2 01 00 09 20 00 00 DA"}));
}

TEST(Download, silenceBreaksOffAndTheDriveFallsBackToFactoryValues)
{
    DriveHarness h;
    h.write(kP0070, 55);
    h.request("F2 19 00 00 00 00 00 EB");
    h.request(Bytes(10, 0x00));
    h.runFor(seconds(9.9));
    EXPECT_TRUE(h.drive.downloadActive());
    h.runFor(seconds(0.2));
    EXPECT_FALSE(h.drive.downloadActive());
    EXPECT_EQ(h.settable(kP0070), 37);
    EXPECT_EQ(h.request("F2 2F 00 00 00 00 00 DD"), Lines{"F2 2F 00 00 00 01 00 DC"});
}

TEST(Download, badEchoFaultCorruptsTheEchoOfItsBlockOnce)
{
    DriveBehaviour behaviour;
    behaviour.downloadBadEchoBlock = 1;
    DriveHarness h(behaviour);
    h.request("F2 19 00 00 00 00 00 EB");
    const Bytes block = downloadBlock(kImage, 0);
    Bytes wrong = block;
    wrong[128] ^= 0x01;
    EXPECT_EQ(h.request(block), Lines{hexText(wrong)});
    EXPECT_EQ(h.request("01"), Lines{"01"});
    EXPECT_EQ(h.request(block), Lines{hexText(block)});  // the repeat echoes right
    EXPECT_EQ(h.request("02"), Lines{"02"});
    EXPECT_EQ(h.settable(kP7030), 0x2000);
}

TEST(Download, badEchoAlwaysCorruptsEveryEcho)
{
    DriveBehaviour behaviour;
    behaviour.downloadBadEchoAlways = true;
    DriveHarness h(behaviour);
    h.request("F2 19 00 00 00 00 00 EB");
    const Bytes block = downloadBlock(kImage, 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_NE(h.request(block), Lines{hexText(block)}) << attempt;
        EXPECT_EQ(h.request("01"), Lines{"01"});
    }
    EXPECT_TRUE(h.drive.downloadActive());
}

TEST(Download, stopFaultGoesSilentAfterItsBlocksAndBreaksOff)
{
    DriveBehaviour behaviour;
    behaviour.downloadStopAfterBlocks = 0;
    DriveHarness h(behaviour);
    h.request("F2 19 00 00 00 00 00 EB");
    EXPECT_EQ(h.request(downloadBlock(kImage, 0)), Lines{});
    h.runFor(seconds(10.1));
    EXPECT_FALSE(h.drive.downloadActive());
    EXPECT_EQ(h.settable(kP7030), 0);  // nothing applied
    EXPECT_EQ(h.request("F2 2F 00 00 00 00 00 DD"), Lines{"F2 2F 00 00 00 01 00 DC"});
}

TEST(Download, datagramLinkHasNoBlockTransfer)
{
    DriveHarness h({}, Framing::Datagram);
    h.drive.receiveDatagram(hex("F2 19 00 00 00 00 00 EB"), h.now);
    EXPECT_EQ(h.written(), Lines{"F5 0E 01 19 F2 19 00 00 00 00 00 EB AF A1"});
    EXPECT_FALSE(h.drive.downloadActive());
}

TEST(DownloadImage, countsBeyondTheBytesAreRefused)
{
    EXPECT_FALSE(parseDownloadImage(hex("00 02 00 00 00 01 00 02")).has_value());
    EXPECT_FALSE(parseDownloadImage(hex("00 00")).has_value());
    const auto image = parseDownloadImage(hex("00 01 00 00 00 01 00 02 FF FF FF"));
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->values.size(), 1u);
    EXPECT_EQ(image->values[0].address, 1);
    EXPECT_EQ(image->values[0].value, 2);
}

}  // namespace
}  // namespace hesk::sim::test
