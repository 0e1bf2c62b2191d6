// The routing table itself: its entries and order, the end entry, ignored and unknown
// codes, and frames too short for their entry.

#include "LinkFakes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace hesk::link {
namespace {

using test::DispatchFixture;

TEST(FrameDispatchTable, holdsTheFiftyOneCodesInOrderAndTheEndEntry)
{
    const std::vector<int> expected = {
        0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x3A, 0x37, 0x38, 0x17, 0x01, 0x06, 0x03,
        0x02, 0x05, 0x30, 0x08, 0x09, 0x0A, 0xAA, 0x40, 0x50, 0x70, 0x90, 0xA7, 0xB7,
        0xC0, 0xD0, 0xF1, 0xB8, 0xF0, 0x0C, 0x0E, 0x60, 0x80, 0xA0, 0xB0, 0x19, 0x2F,
        0x2B, 0x2C, 0x2D, 0x2E, 0x12, 0x16, 0x15, 0xE1, 0xE2, 0x13, 0xE0, 0x39, 255};
    const auto entries = FrameDispatchTable::entries();
    ASSERT_EQ(entries.size(), 52u);
    std::vector<int> codes;
    for (const DispatchEntry& entry : entries)
        codes.push_back(entry.code);
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(entries.back().handler, nullptr);
}

TEST(FrameDispatchTable, ignoredCodesHaveNoHandlerAndEveryOtherEntryHasOne)
{
    const std::set<int> ignored = {0x70, 0xB7, 0xF1, 0x60, 0xB0, 0xE2};
    for (const DispatchEntry& entry : FrameDispatchTable::entries()) {
        if (entry.code == FrameDispatchTable::kEndCode)
            continue;
        EXPECT_EQ(entry.handler == nullptr, ignored.contains(entry.code)) << std::hex << entry.code;
    }
}

TEST(FrameDispatchTable, familiesGiveTheLengthsHandlersRead)
{
    std::map<int, FrameFamily> families;
    for (const DispatchEntry& entry : FrameDispatchTable::entries())
        families[entry.code] = entry.family;
    EXPECT_EQ(families[0x3A], FrameFamily::Trace);
    EXPECT_EQ(families[0x2D], FrameFamily::Block);
    for (int boot : {0xAA, 0x40, 0x50, 0x90, 0xA7, 0xC0, 0xD0, 0xB8, 0x80, 0xA0})
        EXPECT_EQ(families[boot], FrameFamily::Boot) << std::hex << boot;
    EXPECT_EQ(minimumFrameLength(FrameFamily::Command), 8u);
    EXPECT_EQ(minimumFrameLength(FrameFamily::Boot), 6u);
    EXPECT_EQ(minimumFrameLength(FrameFamily::Trace), 16u);
    EXPECT_EQ(minimumFrameLength(FrameFamily::Block), 68u);
}

TEST(FrameDispatchTable, unknownIgnoredAndEndCodesRunNoHandler)
{
    DispatchFixture f;
    for (int code : {0x00, 0x04, 0x51, 0x67, 0x70, 0xB7, 0xF1, 0x60, 0xB0, 0xE2, 0xFF}) {
        const CommandFrame frame = commandFrame(static_cast<uint8_t>(code), 0x00, 0x10, 0x12, 0x34);
        EXPECT_FALSE(f.dispatchCommand(frame)) << std::hex << code;
    }
    EXPECT_TRUE(f.sender.sent.empty());
    EXPECT_TRUE(f.log.lines().empty());
    EXPECT_FALSE(f.woke());
    EXPECT_EQ(f.status(), ReplyStatus::Pending);
}

TEST(FrameDispatchTable, knownCodeRunsItsHandler)
{
    DispatchFixture f;
    EXPECT_TRUE(f.dispatchCommand(addressFrame(code::ReadParameter, 0x0010, 0x1234)));
    EXPECT_EQ(f.values.parameters.value(0x0010), 0x1234);
}

// A datagram frame is routed by its byte 3 and may be as short as 10 bytes; routed to the
// block or trace entry it must be dropped, not read beyond its end.
TEST(FrameDispatchTable, frameShorterThanItsFamilyIsDropped)
{
    DispatchFixture f;
    f.upload.open = true;
    f.recorder.currentState = 6;
    f.connection.deviceVariantFlag.store(1);
    const std::vector<uint8_t> shortBlock = datagramFrame(0, code::UploadBlock, {});
    EXPECT_FALSE(f.table.dispatch(code::UploadBlock, shortBlock));
    const std::vector<uint8_t> shortTrace = datagramFrame(0, code::TraceRecord, {});
    EXPECT_FALSE(f.table.dispatch(code::TraceRecord, shortTrace));
    const std::array<uint8_t, 7> sevenBytes{0xF2, 0x01, 0, 0x10, 0, 1, 0};
    EXPECT_FALSE(f.table.dispatch(code::ReadParameter, sevenBytes));
    EXPECT_TRUE(f.upload.blocks.empty());
    EXPECT_TRUE(f.recorder.records.empty());
    EXPECT_EQ(f.values.parameters.value(0x0010), 0);
}

TEST(FrameDispatchTable, commandFrameWithABootCodeReachesTheBootEntry)
{
    // Routing is by code alone: F2 50 ... takes the StandBy entry like 02 06 50.
    DispatchFixture f;
    EXPECT_TRUE(f.dispatchCommand(commandFrame(boot::StandBy)));
    EXPECT_EQ(f.status(), ReplyStatus::Success);
}

}  // namespace
}  // namespace hesk::link
