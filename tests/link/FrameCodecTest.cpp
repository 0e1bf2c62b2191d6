// Frames checked byte by byte against tables written out by hand from the command set
// (check bytes worked out independently of the encoder).

#include "link/FrameCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hesk::link {
namespace {

using Bytes = std::vector<uint8_t>;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

struct BuilderCase {
    const char* name;
    Bytes built;
    Bytes expected;
};

TEST(FrameCodec, everyRequestBuilderMatchesItsByteTable)
{
    const std::vector<BuilderCase> cases = {
        {"readParameterRequest", bytes(readParameterRequest(0x0123)), {0xF2, 0x01, 0x01, 0x23, 0x00, 0x00, 0x00, 0xD1}},
        {"readReadOnlyRequest", bytes(readReadOnlyRequest(0x1FFF)), {0xF2, 0x06, 0x1F, 0xFF, 0x00, 0x00, 0x00, 0x14}},
        {"readConnectionRequest", bytes(readConnectionRequest(0x0010)), {0xF2, 0x17, 0x00, 0x10, 0x00, 0x00, 0x00, 0xF5}},
        {"writePlainValueRequest", bytes(writePlainValueRequest(0x0370, 1)), {0xF2, 0x02, 0x03, 0x70, 0x00, 0x01, 0x00, 0x82}},
        {"writeValueRequest", bytes(writeValueRequest(0x0010, 0xABCD)), {0xF2, 0x03, 0x00, 0x10, 0xAB, 0xCD, 0x00, 0x87}},
        {"writeConnectionRequest", bytes(writeConnectionRequest(0x0020, 0x8000)), {0xF2, 0x05, 0x00, 0x20, 0x80, 0x00, 0x00, 0x57}},
        {"factoryRestoreRequest", bytes(factoryRestoreRequest()), {0xF2, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC2}},
        {"modifyConfirmRequest", bytes(modifyConfirmRequest()), {0xF2, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFA}},
        {"cpuLoadReferenceRequest", bytes(cpuLoadReferenceRequest()), {0xF2, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFB}},
        {"cpuIdleRequest", bytes(cpuIdleRequest()), {0xF2, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8}},
        {"cpuTypeRequest", bytes(cpuTypeRequest()), {0xF2, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02}},
        {"cpuTypeWordRequest", bytes(cpuTypeWordRequest()), {0xF2, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFC}},
        {"programIdentifierRequest", bytes(programIdentifierRequest()), {0xF2, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}},
        {"lastTransferFlagsRequest", bytes(lastTransferFlagsRequest()), {0xF2, 0x2F, 0x00, 0x00, 0x00, 0x00, 0x00, 0xDD}},
        {"downloadSignalRequest", bytes(downloadSignalRequest()), {0xF2, 0x19, 0x00, 0x00, 0x00, 0x00, 0x00, 0xEB}},
        {"uploadStartRequest", bytes(uploadStartRequest()), {0xF2, 0x2B, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD9}},
        {"faultDataTriggerRequest", bytes(faultDataTriggerRequest(2)), {0xF2, 0x12, 0x02, 0x00, 0x00, 0x00, 0x00, 0xE2}},
        {"driveBoardWaveformRequest", bytes(driveBoardWaveformRequest()), {0xF2, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12}},
        {"triggerChannelRequest", bytes(triggerChannelRequest(1, 0x0102)), {0xF2, 0x31, 0x01, 0x01, 0x02, 0x00, 0x00, 0xC1}},
        // Pre-trigger 50 % with three channels: n = 1365 = 0x0555.
        {"triggerDataRequest armed", bytes(triggerDataRequest(10, 1365)), {0xF2, 0x32, 0x0A, 0x05, 0x55, 0x00, 0x00, 0x9A}},
        {"triggerDataRequest immediate", bytes(triggerDataRequest(5)), {0xF2, 0x32, 0x05, 0x00, 0x00, 0x00, 0x00, 0xC5}},
        // A value condition of -200 % sends 0x8000.
        {"triggerConditionRequest", bytes(triggerConditionRequest(0x0203, 1, 0x8000)), {0xF2, 0x33, 0x02, 0x03, 0x01, 0x80, 0x00, 0x41}},
        {"triggerImmediateStartRequest", bytes(triggerImmediateStartRequest()), {0xF2, 0x34, 0x01, 0x01, 0x00, 0x00, 0x00, 0xC6}},
        {"triggerArmedStartRequest single", bytes(triggerArmedStartRequest(false)), {0xF2, 0x34, 0x02, 0x01, 0x00, 0x00, 0x00, 0xC5}},
        {"triggerArmedStartRequest continuous", bytes(triggerArmedStartRequest(true)), {0xF2, 0x34, 0x02, 0x02, 0x00, 0x00, 0x00, 0xC6}},
        {"triggerStopRequest", bytes(triggerStopRequest()), {0xF2, 0x38, 0x00, 0x00, 0x00, 0x00, 0x00, 0xCA}},
        {"triggerDataErrorNotice", bytes(triggerDataErrorNotice()), {0xF2, 0x3E, 0x00, 0x00, 0x00, 0x00, 0x00, 0xCC}},
        {"heartbeatSupervisionRequest start", bytes(heartbeatSupervisionRequest(true)), {0xF2, 0x39, 0x01, 0x00, 0x00, 0x00, 0x00, 0xCA}},
        {"heartbeatSupervisionRequest stop", bytes(heartbeatSupervisionRequest(false)), {0xF2, 0x39, 0x00, 0x00, 0x00, 0x00, 0x00, 0xCB}},
        {"ethernetConnectRequest", bytes(ethernetConnectRequest()), {0xF5, 0x0A, 0x01, 0x51, 0x00, 0x00, 0x00, 0xAF}},
        {"bootAnswer HandShake", bytes(bootAnswer(boot::HandShake)), {0x02, 0x06, 0x40, 0x00, 0x00, 0x44}},
        {"bootAnswer StandBy", bytes(bootAnswer(boot::StandBy)), {0x02, 0x06, 0x50, 0x00, 0x00, 0x54}},
        {"bootAnswer DownloadRequest", bytes(bootAnswer(boot::DownloadRequest)), {0x02, 0x06, 0x80, 0x00, 0x00, 0x84}},
        {"bootAnswer NoProgram", bytes(bootAnswer(boot::NoProgram)), {0x02, 0x06, 0x90, 0x00, 0x00, 0x94}},
        {"bootAnswer RequireIDDownload", bytes(bootAnswer(boot::RequireIDDownload)), {0x02, 0x06, 0xA0, 0x00, 0x00, 0xA4}},
        {"bootAnswer RequireIDBoot", bytes(bootAnswer(boot::RequireIDBoot)), {0x02, 0x06, 0xA7, 0x00, 0x00, 0xA3}},
        {"bootAnswer IdentifierCheckFailed", bytes(bootAnswer(boot::IdentifierCheckFailed)), {0x02, 0x06, 0xC0, 0x00, 0x00, 0xC4}},
        {"bootAnswer ProgramStarted", bytes(bootAnswer(boot::ProgramStarted)), {0x02, 0x06, 0xD0, 0x00, 0x00, 0xD4}},
        {"replyIdBoot", bytes(replyIdBoot(0x1234)), {0x02, 0x06, 0xB7, 0x12, 0x34, 0x95}},
        {"replyIdDownload", bytes(replyIdDownload(0xBEEF)), {0x02, 0x06, 0xB0, 0xBE, 0xEF, 0xE5}},
        {"bootCpuTypeAnswer", bytes(bootCpuTypeAnswer(0x67, 0x01)), {0x02, 0x06, 0xB8, 0x67, 0x01, 0xDA}},
    };
    for (const BuilderCase& c : cases)
        EXPECT_EQ(c.built, c.expected) << c.name;
}

TEST(FrameCodec, commandCheckIsXorOfFirstSevenBytes)
{
    // A value reply of address 0x0010: F2 01 00 10 00 00 00 with check E3.
    const CommandFrame good{0xF2, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00, 0xE3};
    EXPECT_TRUE(commandCheckOk(good));
    CommandFrame bad = good;
    bad[7] = 0xE2;
    EXPECT_FALSE(commandCheckOk(bad));
    EXPECT_EQ(bytes(readParameterRequest(0x0010)), bytes(good));
}

TEST(FrameCodec, sealWritesXorOfEveryByteBeforeTheLast)
{
    std::array<uint8_t, 8> frame{0xF2, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00, 0x77};
    sealFrame(frame);
    EXPECT_EQ(frame[7], 0xE3);
    std::array<uint8_t, 6> boot{0x02, 0x06, 0x40, 0x00, 0x00, 0xFF};
    sealFrame(boot);
    EXPECT_EQ(boot[5], 0x44);
    EXPECT_TRUE(bootCheckOk(boot));
    std::array<uint8_t, 1> tiny{0x55};
    sealFrame(tiny);  // nothing before the last byte: left alone
    EXPECT_EQ(tiny[0], 0x55);
}

TEST(FrameCodec, crc16ModbusMatchesKnownValues)
{
    const std::string check = "123456789";
    EXPECT_EQ(crc16Modbus({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0x4B37);
    // A classic request whose CRC travels as 84 0A (low byte first).
    const Bytes request{0x01, 0x03, 0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(crc16Modbus(request), 0x0A84);
    EXPECT_EQ(crc16Modbus({}), 0xFFFF);
    Bytes frame = request;
    frame.push_back(0x84);
    frame.push_back(0x0A);
    EXPECT_TRUE(datagramCrcOk(frame));
    frame.back() = 0x0B;
    EXPECT_FALSE(datagramCrcOk(frame));
}

TEST(FrameCodec, blockTraceAndLongBootFramesXorToZero)
{
    std::array<uint8_t, 64> data{};
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + 3);
    const BlockFrame block = blockFrame(data, 0x5A);
    EXPECT_EQ(block[0], 0xF2);
    EXPECT_EQ(block[1], 0x2D);
    EXPECT_EQ(block[2], 3);
    EXPECT_EQ(block[65], data[63]);
    EXPECT_EQ(block[66], 0x5A);
    EXPECT_TRUE(wholeFrameXorIsZero(block));

    const BlockFrame longBoot = longBootFrame(0x41, data);
    EXPECT_EQ(bytes(longBoot).at(1), 0x44);
    EXPECT_EQ(longBoot[2], 0x41);
    EXPECT_EQ(longBoot[3], 3);
    EXPECT_TRUE(wholeFrameXorIsZero(longBoot));

    const TraceFrame trace = traceFrame(1, {0x1234, 0, 0, 0, 0, 0xABCD});
    EXPECT_EQ(bytes(trace), (Bytes{0xF2, 0x3A, 0x01, 0x12, 0x34, 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xCD, 0x89}));
    EXPECT_TRUE(wholeFrameXorIsZero(trace));
}

TEST(FrameCodec, datagramFrameCarriesLengthCodeAndCrcLowFirst)
{
    const Bytes payload{0x11, 0x22, 0x33, 0x44, 0x55};
    const Bytes frame = datagramFrame(0x01, 0x39, payload);
    ASSERT_EQ(frame.size(), 11u);
    EXPECT_EQ(frame[0], 0xF5);
    EXPECT_EQ(frame[1], 11);
    EXPECT_EQ(frame[2], 0x01);
    EXPECT_EQ(frame[3], 0x39);
    EXPECT_EQ(Bytes(frame.begin() + 4, frame.begin() + 9), payload);
    const uint16_t crc = crc16Modbus(std::span<const uint8_t>(frame).first(9));
    EXPECT_EQ(frame[9], crc & 0xFF);
    EXPECT_EQ(frame[10], crc >> 8);

    EXPECT_EQ(datagramFrame(0, 0x50, {}).size(), 10u);            // padded to the minimum
    EXPECT_EQ(datagramFrame(0, 0x50, Bytes(400)).size(), 255u);   // cut to the maximum
    const Bytes answer = ethernetConnectAnswer();
    EXPECT_EQ(answer[3], boot::StandBy);
    EXPECT_TRUE(datagramCrcOk(answer));
}

TEST(FrameCodec, fieldReadersAreBigEndian)
{
    const CommandFrame frame = commandFrame(0x09, 0x12, 0x34, 0x56, 0x78, 0x9A);
    EXPECT_EQ(wordAt(frame, 2), 0x1234);
    EXPECT_EQ(wordAt(frame, 4), 0x5678);
    EXPECT_EQ(longAt(frame, 2), 0x12345678u);
    EXPECT_EQ(commandFamilyLength(0x3A), 16u);
    EXPECT_EQ(commandFamilyLength(0x2D), 68u);
    EXPECT_EQ(commandFamilyLength(0x01), 8u);
}

TEST(FrameCodec, echoKeepsBytesAndRecomputesCheck)
{
    const CommandFrame received{0xF2, 0x2C, 0x10, 0x02, 0x00, 0x00, 0x00, 0x00};
    const CommandFrame echo = echoOf(received);
    EXPECT_EQ(Bytes(echo.begin(), echo.begin() + 7), Bytes(received.begin(), received.begin() + 7));
    EXPECT_TRUE(commandCheckOk(echo));
}

}  // namespace
}  // namespace hesk::link
