#include "FrameCodec.h"

#include <algorithm>

namespace hesk::link {

namespace {

constexpr std::array<uint16_t, 256> makeCrcTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = makeCrcTable();

uint8_t high(uint16_t word) { return static_cast<uint8_t>(word >> 8); }
uint8_t low(uint16_t word) { return static_cast<uint8_t>(word & 0xFF); }

}  // namespace

uint8_t xorOf(std::span<const uint8_t> bytes)
{
    uint8_t x = 0;
    for (uint8_t b : bytes)
        x ^= b;
    return x;
}

uint16_t crc16Modbus(std::span<const uint8_t> bytes)
{
    uint16_t crc = 0xFFFF;
    for (uint8_t b : bytes)
        crc = static_cast<uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ b) & 0xFF]);
    return crc;
}

void sealFrame(std::span<uint8_t> frame)
{
    if (frame.size() < 2)
        return;
    frame.back() = xorOf(frame.first(frame.size() - 1));
}

bool commandCheckOk(std::span<const uint8_t, kCommandFrameSize> frame)
{
    return xorOf(frame.first<7>()) == frame[7];
}

bool bootCheckOk(std::span<const uint8_t, kBootFrameSize> frame)
{
    return xorOf(frame.first<5>()) == frame[5];
}

bool wholeFrameXorIsZero(std::span<const uint8_t> frame)
{
    return xorOf(frame) == 0;
}

std::span<const uint8_t> datagramDispatchBytes(std::span<const uint8_t> datagram)
{
    constexpr size_t header = 4;   // F5, L, byte 2, code
    constexpr size_t trailer = 2;  // CRC low, CRC high
    if (datagram.size() < kMinDatagramFrameSize)
        return datagram;
    const uint8_t routing = datagram[3];
    const auto payload = datagram.subspan(header, datagram.size() - header - trailer);
    size_t inner = 0;
    if (payload[0] == kCommandStart && payload[1] == routing)
        inner = commandFamilyLength(routing);
    else if (payload[0] == kBootStart && payload.size() >= 3 && payload[2] == routing)
        inner = payload[1] == kLongBootLengthByte ? kLongBootFrameSize : kBootFrameSize;
    if (inner == 0 || inner > payload.size())
        return datagram;
    return payload.first(inner);
}

bool datagramCrcOk(std::span<const uint8_t> frame)
{
    if (frame.size() < 3)
        return false;
    const uint16_t crc = crc16Modbus(frame.first(frame.size() - 2));
    return frame[frame.size() - 2] == low(crc) && frame[frame.size() - 1] == high(crc);
}

CommandFrame commandFrame(uint8_t code, uint8_t b2, uint8_t b3, uint8_t b4, uint8_t b5, uint8_t b6)
{
    CommandFrame frame{kCommandStart, code, b2, b3, b4, b5, b6, 0};
    sealFrame(frame);
    return frame;
}

CommandFrame addressFrame(uint8_t code, uint16_t address, uint16_t value, uint8_t b6)
{
    return commandFrame(code, high(address), low(address), high(value), low(value), b6);
}

BootFrame bootFrame(uint8_t code, uint8_t d1, uint8_t d2)
{
    BootFrame frame{kBootStart, kBootLengthByte, code, d1, d2, 0};
    sealFrame(frame);
    return frame;
}

BootFrame bootWordFrame(uint8_t code, uint16_t word)
{
    return bootFrame(code, high(word), low(word));
}

CommandFrame echoOf(std::span<const uint8_t, kCommandFrameSize> received)
{
    CommandFrame frame;
    std::copy(received.begin(), received.end(), frame.begin());
    sealFrame(frame);
    return frame;
}

CommandFrame readParameterRequest(uint16_t address) { return addressFrame(code::ReadParameter, address); }
CommandFrame readReadOnlyRequest(uint16_t address) { return addressFrame(code::ReadReadOnly, address); }
CommandFrame readConnectionRequest(uint16_t address) { return addressFrame(code::ReadConnection, address); }

CommandFrame writePlainValueRequest(uint16_t address, uint16_t value)
{
    return addressFrame(code::WritePlainValue, address, value);
}

CommandFrame writeValueRequest(uint16_t address, uint16_t value)
{
    return addressFrame(code::WriteValue, address, value);
}

CommandFrame writeConnectionRequest(uint16_t address, uint16_t storedConnectionValue)
{
    return addressFrame(code::WriteConnection, address, storedConnectionValue);
}

CommandFrame factoryRestoreRequest() { return commandFrame(code::FactoryRestore); }
CommandFrame modifyConfirmRequest() { return commandFrame(code::ModifyConfirm); }
CommandFrame cpuLoadReferenceRequest() { return commandFrame(code::CpuLoadReference); }
CommandFrame cpuIdleRequest() { return commandFrame(code::CpuIdle); }
CommandFrame cpuTypeRequest() { return commandFrame(code::CpuType); }
CommandFrame cpuTypeWordRequest() { return commandFrame(code::CpuTypeWord); }
CommandFrame programIdentifierRequest() { return commandFrame(code::ProgramIdentifier); }
CommandFrame lastTransferFlagsRequest() { return commandFrame(code::LastTransferFlags); }
CommandFrame downloadSignalRequest() { return commandFrame(code::DownloadSignal); }
CommandFrame uploadStartRequest() { return commandFrame(code::UploadStart); }
CommandFrame faultDataTriggerRequest(uint8_t station) { return commandFrame(code::FaultDataTrigger, station); }
CommandFrame driveBoardWaveformRequest() { return commandFrame(code::DriveBoardWaveform); }

CommandFrame triggerChannelRequest(uint8_t position, uint16_t address)
{
    return commandFrame(code::TriggerChannel, position, high(address), low(address));
}

CommandFrame triggerDataRequest(uint8_t samplingPeriod, uint16_t preTriggerSamples)
{
    return commandFrame(code::TriggerData, samplingPeriod, high(preTriggerSamples), low(preTriggerSamples));
}

CommandFrame triggerConditionRequest(uint16_t address, uint8_t op, uint16_t value)
{
    return commandFrame(code::TriggerCondition, high(address), low(address), op, high(value), low(value));
}

CommandFrame triggerImmediateStartRequest() { return commandFrame(code::TriggerStart, 0x01, 0x01); }

CommandFrame triggerArmedStartRequest(bool continuous)
{
    return commandFrame(code::TriggerStart, 0x02, continuous ? 0x02 : 0x01);
}

CommandFrame triggerStopRequest() { return commandFrame(code::TriggerStop); }
CommandFrame triggerDataErrorNotice() { return commandFrame(code::TriggerDataError); }

CommandFrame heartbeatSupervisionRequest(bool start)
{
    return commandFrame(code::HeartbeatSupervision, start ? 1 : 0);
}

BootFrame bootAnswer(uint8_t bootCode) { return bootFrame(bootCode); }
BootFrame replyIdBoot(uint16_t programIdentifier) { return bootWordFrame(boot::ReplyIDBoot, programIdentifier); }
BootFrame replyIdDownload(uint16_t downloadIdentifier) { return bootWordFrame(boot::ReplyIDDownload, downloadIdentifier); }
BootFrame bootCpuTypeAnswer(uint8_t high, uint8_t low) { return bootFrame(boot::CpuTypeSignal, high, low); }

CommandFrame ethernetConnectRequest()
{
    CommandFrame frame{kDatagramStart, 0x0A, 0x01, 0x51, 0x00, 0x00, 0x00, 0};
    sealFrame(frame);
    return frame;
}

TraceFrame traceFrame(uint8_t channel, const std::array<uint16_t, 6>& words)
{
    TraceFrame frame{};
    frame[0] = kCommandStart;
    frame[1] = code::TraceRecord;
    frame[2] = channel;
    for (size_t i = 0; i < words.size(); ++i) {
        frame[3 + 2 * i] = high(words[i]);
        frame[4 + 2 * i] = low(words[i]);
    }
    sealFrame(frame);
    return frame;
}

BlockFrame blockFrame(std::span<const uint8_t, kBlockDataSize> data, uint8_t byte66)
{
    BlockFrame frame{};
    frame[0] = kCommandStart;
    frame[1] = code::UploadBlock;
    std::copy(data.begin(), data.end(), frame.begin() + 2);
    frame[66] = byte66;
    sealFrame(frame);
    return frame;
}

BlockFrame longBootFrame(uint8_t code, std::span<const uint8_t, kBlockDataSize> data)
{
    BlockFrame frame{};
    frame[0] = kBootStart;
    frame[1] = kLongBootLengthByte;
    frame[2] = code;
    std::copy(data.begin(), data.end(), frame.begin() + 3);
    sealFrame(frame);
    return frame;
}

std::vector<uint8_t> datagramFrame(uint8_t byte2, uint8_t code, std::span<const uint8_t> payload)
{
    constexpr size_t overhead = 6;  // F5, L, byte 2, code, CRC low, CRC high
    const size_t payloadSize = std::clamp(payload.size(), kMinDatagramFrameSize - overhead,
                                          kMaxDatagramFrameSize - overhead);
    std::vector<uint8_t> frame(payloadSize + overhead, 0);
    frame[0] = kDatagramStart;
    frame[1] = static_cast<uint8_t>(frame.size());
    frame[2] = byte2;
    frame[3] = code;
    std::copy_n(payload.begin(), std::min(payload.size(), payloadSize), frame.begin() + 4);
    const uint16_t crc = crc16Modbus(std::span<const uint8_t>(frame).first(frame.size() - 2));
    frame[frame.size() - 2] = low(crc);
    frame[frame.size() - 1] = high(crc);
    return frame;
}

std::vector<uint8_t> ethernetConnectAnswer()
{
    return datagramFrame(0x01, boot::StandBy, {});
}

}  // namespace hesk::link
