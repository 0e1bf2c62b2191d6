// The three scanners as byte tables: noise, bad checks, frames cut off at the end,
// start bytes inside bad frames, and every frame family each scanner knows.

#include "link/FrameScanner.h"

#include <gtest/gtest.h>

#include <vector>

namespace hesk::link {
namespace {

using Bytes = std::vector<uint8_t>;

struct Found {
    uint8_t code;
    Bytes frame;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* os)
{
    *os << "code " << int(found.code) << " length " << found.frame.size();
}

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct ScanResult {
    size_t consumed;
    std::vector<Found> frames;
};

template <class Scanner>
ScanResult scan(Scanner scanner, const Bytes& input)
{
    ScanResult result;
    result.consumed = scanner(std::span<const uint8_t>(input), [&](uint8_t code, std::span<const uint8_t> frame) {
        result.frames.push_back({code, Bytes(frame.begin(), frame.end())});
    });
    return result;
}

ScanResult scanSerial(const Bytes& input)
{
    return scan([](auto bytes, auto&& on) { return scanSerialFrames(bytes, on); }, input);
}

ScanResult scanMonitoring(const Bytes& input)
{
    return scan([](auto bytes, auto&& on) { return scanMonitoringFrames(bytes, on); }, input);
}

ScanResult scanOneDatagram(const Bytes& input)
{
    return scan([](auto bytes, auto&& on) { return scanDatagram(bytes, on); }, input);
}

const Bytes kValueReply{0xF2, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00, 0xE3};     // check right
const Bytes kBadValueReply{0xF2, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00, 0xE2};  // check wrong
const Bytes kStandBy{0x02, 0x06, 0x50, 0x00, 0x00, 0x54};

std::array<uint8_t, 64> counting64()
{
    std::array<uint8_t, 64> data{};
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i);
    return data;
}

struct ScanCase {
    const char* name;
    Bytes input;
    size_t consumed;
    std::vector<Found> frames;
};

TEST(SerialFrameScanner, byteTable)
{
    const Bytes block = bytes(blockFrame(counting64()));
    const Bytes longBoot = bytes(longBootFrame(0x41, counting64()));
    Bytes badBlock = block;
    badBlock[10] ^= 0x01;
    const std::vector<ScanCase> cases = {
        {"noise before a command frame", join({{0x00, 0x11, 0x37}, kValueReply}), 11, {{0x01, kValueReply}}},
        {"bad check skipped byte by byte, next frame found", join({kBadValueReply, kValueReply}), 16, {{0x01, kValueReply}}},
        {"start byte inside a bad frame starts the next", join({{0xF2, 0x03}, kValueReply}), 10, {{0x01, kValueReply}}},
        {"boot frame routed by byte 2", kStandBy, 6, {{0x50, kStandBy}}},
        {"boot frame with a wrong check", join({{0x02, 0x06, 0x50, 0x00, 0x00, 0x55}, {0, 0}}), 3, {}},
        {"02 with another second byte is noise", join({{0x02, 0x07}, kStandBy}), 8, {{0x50, kStandBy}}},
        {"long boot frame", longBoot, 68, {{0x41, longBoot}}},
        {"long boot frame not complete waits", Bytes(longBoot.begin(), longBoot.begin() + 40), 0, {}},
        {"block frame", block, 68, {{0x2D, block}}},
        {"block frame not complete waits", join({{0x00}, Bytes(block.begin(), block.begin() + 67)}), 1, {}},
        {"block frame with a bad check skipped", join({badBlock, kValueReply}), 76, {{0x01, kValueReply}}},
        {"command frame cut off waits", Bytes(kValueReply.begin(), kValueReply.begin() + 7), 0, {}},
        {"fewer than 6 bytes are left alone", {0x00, 0x00, 0x00, 0x00, 0x00}, 0, {}},
        {"noise scanned until 5 bytes are left", Bytes(9, 0x00), 4, {}},
        {"command and boot frames back to back", join({kValueReply, kStandBy, kValueReply}), 22,
         {{0x01, kValueReply}, {0x50, kStandBy}, {0x01, kValueReply}}},
    };
    for (const ScanCase& c : cases) {
        const ScanResult result = scanSerial(c.input);
        EXPECT_EQ(result.consumed, c.consumed) << c.name;
        EXPECT_EQ(result.frames, c.frames) << c.name;
    }
}

TEST(MonitoringFrameScanner, byteTable)
{
    Bytes trace{0xF2, 0x3A, 1, 0xF2, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x99};  // last byte arbitrary
    const Bytes block = bytes(blockFrame(counting64()));
    const std::vector<ScanCase> cases = {
        {"noise dropped, frame found", join({{0x00, 0x11}, kValueReply}), 10, {{0x01, kValueReply}}},
        {"split after the fifth byte: drops 00, stops at F2", {0x00, 0xF2, 0x01, 0x00, 0x10}, 1, {}},
        {"bad check: F2 dropped, following valid frame found", join({kBadValueReply, kValueReply}), 16, {{0x01, kValueReply}}},
        {"trace frame taken without a check, 16 bytes as one", trace, 16, {{0x3A, trace}}},
        {"trace frame cut off waits", Bytes(trace.begin(), trace.begin() + 15), 0, {}},
        {"lone start byte at the end waits for its second byte", {0x00, 0xF2}, 1, {}},
        {"block frame (upload data) kept whole", join({block, kValueReply}), 76, {{0x2D, block}, {0x01, kValueReply}}},
        {"only noise is consumed completely", {0x01, 0x02, 0x03}, 3, {}},
        {"boot frames are not part of monitoring mode", kStandBy, 6, {}},
    };
    for (const ScanCase& c : cases) {
        const ScanResult result = scanMonitoring(c.input);
        EXPECT_EQ(result.consumed, c.consumed) << c.name;
        EXPECT_EQ(result.frames, c.frames) << c.name;
    }
}

TEST(DatagramScanner, byteTable)
{
    const Bytes payload{0x00, 0x10, 0x12, 0x34};
    const Bytes first = datagramFrame(0x01, 0x39, payload);
    const Bytes second = datagramFrame(0x02, 0x50, payload);
    Bytes badCrc = first;
    badCrc.back() ^= 0xFF;
    Bytes unchecked = datagramFrame(0x00, 0x67, payload);
    unchecked.back() ^= 0xFF;
    // A 9-byte frame whose CRC is right: the length is below 10, so it is no frame.
    Bytes nine{0xF5, 0x09, 0x00, 0x39, 0x01, 0x02, 0x03};
    const uint16_t crc = crc16Modbus(nine);
    nine.push_back(crc & 0xFF);
    nine.push_back(crc >> 8);
    Bytes tooLong = first;
    tooLong[1] = static_cast<uint8_t>(first.size() + 1);  // longer than the datagram

    struct Case {
        const char* name;
        Bytes input;
        std::vector<Found> frames;
    };
    const std::vector<Case> cases = {
        {"two frames back to back", join({first, second}), {{0x39, first}, {0x50, second}}},
        {"bad CRC: nothing, scanned to the end", badCrc, {}},
        {"bad CRC followed by a good frame", join({badCrc, second}), {{0x50, second}}},
        {"code 0x67 taken without its CRC", unchecked, {{0x67, unchecked}}},
        {"length below 10 is no frame", nine, {}},
        {"length beyond the datagram is no frame", tooLong, {}},
        {"noise before a frame", join({{0x00, 0xF5, 0x01, 0xF5}, first}), {{0x39, first}}},
        {"a single byte", {0xF5}, {}},
        {"empty datagram", {}, {}},
    };
    for (const Case& c : cases) {
        const ScanResult result = scanOneDatagram(c.input);
        EXPECT_EQ(result.frames, c.frames) << c.name;
        EXPECT_EQ(result.consumed, c.frames.size()) << c.name;
    }
}

TEST(DatagramScanner, handlersReadTheCarriedSerialFrame)
{
    const Bytes value = kValueReply;
    const Bytes trace = bytes(traceFrame(1, {1, 2, 3, 4, 5, 6}));
    const Bytes block = bytes(blockFrame(counting64(), 0));
    const Bytes boot = kStandBy;
    Bytes valueInLongerPayload = value;
    valueInLongerPayload.insert(valueInLongerPayload.end(), {0xAA, 0xBB});
    const Bytes bare = datagramFrame(0x01, 0x50, {});
    const Bytes otherCode = datagramFrame(0x01, 0x06, value);  // carries code 0x01, routed 0x06
    const Bytes cutOff = datagramFrame(0x01, 0x2D, Bytes(block.begin(), block.begin() + 20));

    struct Case {
        const char* name;
        Bytes datagram;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {"command frame", datagramFrame(0x01, 0x01, value), value},
        {"trace frame", datagramFrame(0x01, 0x3A, trace), trace},
        {"block frame", datagramFrame(0x01, 0x2D, block), block},
        {"boot frame", datagramFrame(0x01, 0x50, boot), boot},
        {"bytes after the carried frame are not part of it", datagramFrame(0x01, 0x01, valueInLongerPayload), value},
        {"bare connect answer: the whole datagram", bare, bare},
        {"payload routed by another code: the whole datagram", otherCode, otherCode},
        {"carried frame cut short: the whole datagram", cutOff, cutOff},
    };
    for (const Case& c : cases) {
        const std::span<const uint8_t> got = datagramDispatchBytes(c.datagram);
        EXPECT_EQ(Bytes(got.begin(), got.end()), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace hesk::link
