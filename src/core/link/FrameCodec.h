#pragma once
// Every byte that travels between the tool and the drive: the frame families, their
// checks, the command and reply codes, the field readers and a builder for every request
// of the command set. Pure value code without I/O, usable from either end of the line:
// the simulated drive builds its replies with the same functions (commandFrame,
// bootFrame, blockFrame, traceFrame, datagramFrame).
//
// Frame families (first byte, second byte):
//   command frame    8 bytes  F2 code ...          byte 7 = XOR of bytes 0..6
//   trace frame     16 bytes  F2 3A ...            not checked on receipt
//   block frame     68 bytes  F2 2D 64 data ...    XOR of all 68 bytes is 0
//   boot frame       6 bytes  02 06 code d1 d2     byte 5 = XOR of bytes 0..4
//   long boot frame 68 bytes  02 44 code ...       XOR of all 68 bytes is 0
//   datagram frame  L bytes   F5 L x code ...      CRC-16/MODBUS of bytes 0..L-3 in
//                                                  bytes L-2 (low), L-1 (high); code
//                                                  0x67 is taken unchecked
// Multi-byte fields are big-endian unless a builder says otherwise.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hesk::link {

inline constexpr uint8_t kCommandStart = 0xF2;
inline constexpr uint8_t kBootStart = 0x02;
inline constexpr uint8_t kDatagramStart = 0xF5;
inline constexpr uint8_t kBootLengthByte = 0x06;
inline constexpr uint8_t kLongBootLengthByte = 0x44;

inline constexpr size_t kCommandFrameSize = 8;
inline constexpr size_t kTraceFrameSize = 16;
inline constexpr size_t kBlockFrameSize = 68;
inline constexpr size_t kBootFrameSize = 6;
inline constexpr size_t kLongBootFrameSize = 68;
inline constexpr size_t kMinDatagramFrameSize = 10;
inline constexpr size_t kMaxDatagramFrameSize = 255;
inline constexpr size_t kBlockDataSize = 64;

// Addresses of the online value tables; replies with an address at or above it are
// rejected.
inline constexpr uint32_t kAddressLimit = 8192;

// Command codes (byte 1 of F2 frames, byte 3 of datagram frames).
namespace code {
inline constexpr uint8_t ReadParameter = 0x01;       // read a settable value (PValueTable)
inline constexpr uint8_t WritePlainValue = 0x02;     // write a value (P0880 from the wizard)
inline constexpr uint8_t WriteValue = 0x03;          // write a parameter value
inline constexpr uint8_t WriteConnection = 0x05;     // write a connection value
inline constexpr uint8_t ReadReadOnly = 0x06;        // read a read-only value (RValueTable)
inline constexpr uint8_t ModifyConfirm = 0x08;       // MDY_CONFIRM
inline constexpr uint8_t CpuLoadReference = 0x09;    // CPU-load reference count (32 bits)
inline constexpr uint8_t CpuIdle = 0x0A;             // CPU idle count (32 bits)
inline constexpr uint8_t ProgramIdentifier = 0x0C;   // program identifier
inline constexpr uint8_t CpuTypeWord = 0x0E;         // CPU type word
inline constexpr uint8_t FaultDataTrigger = 0x12;    // trigger fault-data transfer
inline constexpr uint8_t FaultDataComplete = 0x13;
inline constexpr uint8_t FaultData = 0x15;
inline constexpr uint8_t FaultDataHeader = 0x16;
inline constexpr uint8_t ReadConnection = 0x17;      // read a connection value
inline constexpr uint8_t DownloadSignal = 0x19;
inline constexpr uint8_t UploadStart = 0x2B;
inline constexpr uint8_t UploadLength = 0x2C;
inline constexpr uint8_t UploadBlock = 0x2D;         // the block frame ('-')
inline constexpr uint8_t UploadEnd = 0x2E;
inline constexpr uint8_t LastTransferFlags = 0x2F;   // last download / restore flags
inline constexpr uint8_t FactoryRestore = 0x30;
inline constexpr uint8_t TriggerChannel = 0x31;
inline constexpr uint8_t TriggerData = 0x32;
inline constexpr uint8_t TriggerCondition = 0x33;
inline constexpr uint8_t TriggerStart = 0x34;
inline constexpr uint8_t TriggerSignal = 0x35;
inline constexpr uint8_t TriggerDataInformation = 0x36;
inline constexpr uint8_t TriggerDataCheck = 0x37;
inline constexpr uint8_t TriggerStop = 0x38;
inline constexpr uint8_t HeartbeatSupervision = 0x39;
inline constexpr uint8_t TraceRecord = 0x3A;         // the trace frame (':')
inline constexpr uint8_t TriggerDataError = 0x3E;
inline constexpr uint8_t UncheckedDatagram = 0x67;   // datagram frames taken without CRC
inline constexpr uint8_t DriveBoardWaveform = 0xE0;
inline constexpr uint8_t FaultWaveformWords = 0xE1;
inline constexpr uint8_t FaultWaveformIgnored = 0xE2;
inline constexpr uint8_t CpuType = 0xF0;
}  // namespace code

// Boot-protocol codes (byte 2 of 02 06 frames).
namespace boot {
inline constexpr uint8_t HandShake = 0x40;
inline constexpr uint8_t StandBy = 0x50;
inline constexpr uint8_t Ignored60 = 0x60;
inline constexpr uint8_t Ignored70 = 0x70;
inline constexpr uint8_t DownloadRequest = 0x80;
inline constexpr uint8_t NoProgram = 0x90;
inline constexpr uint8_t RequireIDDownload = 0xA0;
inline constexpr uint8_t RequireIDBoot = 0xA7;
inline constexpr uint8_t Heartbeat = 0xAA;
inline constexpr uint8_t ReplyIDDownload = 0xB0;
inline constexpr uint8_t ReplyIDBoot = 0xB7;
inline constexpr uint8_t CpuTypeSignal = 0xB8;
inline constexpr uint8_t IdentifierCheckFailed = 0xC0;
inline constexpr uint8_t ProgramStarted = 0xD0;
inline constexpr uint8_t IgnoredF1 = 0xF1;
}  // namespace boot

using CommandFrame = std::array<uint8_t, kCommandFrameSize>;
using BootFrame = std::array<uint8_t, kBootFrameSize>;
using TraceFrame = std::array<uint8_t, kTraceFrameSize>;
using BlockFrame = std::array<uint8_t, kBlockFrameSize>;

// ---- checks -------------------------------------------------------------------------

uint8_t xorOf(std::span<const uint8_t> bytes);
// CRC-16/MODBUS: initial 0xFFFF, reflected polynomial 0xA001, no final XOR.
uint16_t crc16Modbus(std::span<const uint8_t> bytes);

// The send rule: the last byte becomes the XOR of every byte before it. A frame of
// fewer than 2 bytes is left alone.
void sealFrame(std::span<uint8_t> frame);

bool commandCheckOk(std::span<const uint8_t, kCommandFrameSize> frame);   // byte 7
bool bootCheckOk(std::span<const uint8_t, kBootFrameSize> frame);         // byte 5
bool wholeFrameXorIsZero(std::span<const uint8_t> frame);                 // block, long boot, trace
// True when bytes L-2 (low) and L-1 (high) hold the CRC of the bytes before them.
bool datagramCrcOk(std::span<const uint8_t> frame);

// ---- field readers ------------------------------------------------------------------

// Big-endian 16-bit word at `index` (index and index + 1 must be inside the frame).
inline uint16_t wordAt(std::span<const uint8_t> frame, size_t index)
{
    return static_cast<uint16_t>((frame[index] << 8) | frame[index + 1]);
}
// Big-endian 32-bit word at `index`.
inline uint32_t longAt(std::span<const uint8_t> frame, size_t index)
{
    return (static_cast<uint32_t>(wordAt(frame, index)) << 16) | wordAt(frame, index + 2);
}
// Routing code of a frame of each family.
inline uint8_t routingCodeOfCommand(std::span<const uint8_t> frame) { return frame[1]; }
inline uint8_t routingCodeOfBoot(std::span<const uint8_t> frame) { return frame[2]; }
inline uint8_t routingCodeOfDatagram(std::span<const uint8_t> frame) { return frame[3]; }

// The bytes of a datagram frame that its reply handler reads. The drive carries a whole
// serial frame (command, trace, block or boot) between byte 3 and the CRC, so handlers
// read the same field positions on either line: when the payload starts with a serial
// frame routed by the datagram's own code, that frame is returned; any other datagram
// (the bare answer to the Ethernet connect request) is returned whole.
std::span<const uint8_t> datagramDispatchBytes(std::span<const uint8_t> datagram);

// Length of the F2 frame whose second byte is given: 16 for trace, 68 for block, else 8.
inline size_t commandFamilyLength(uint8_t second)
{
    if (second == code::TraceRecord)
        return kTraceFrameSize;
    if (second == code::UploadBlock)
        return kBlockFrameSize;
    return kCommandFrameSize;
}

// ---- builders (every frame comes back sealed) ---------------------------------------

// F2 code b2 b3 b4 b5 b6 check.
CommandFrame commandFrame(uint8_t code, uint8_t b2 = 0, uint8_t b3 = 0, uint8_t b4 = 0,
                          uint8_t b5 = 0, uint8_t b6 = 0);
// F2 code addrH addrL valueH valueL b6 check: the layout of reads, writes and value replies.
CommandFrame addressFrame(uint8_t code, uint16_t address, uint16_t value = 0, uint8_t b6 = 0);
// 02 06 code d1 d2 check.
BootFrame bootFrame(uint8_t code, uint8_t d1 = 0, uint8_t d2 = 0);
// 02 06 code wordH wordL check (identifiers, CPU types).
BootFrame bootWordFrame(uint8_t code, uint16_t word);
// The received command frame sent back unchanged (0x2C, 0x2E, 0x36 acknowledgements).
CommandFrame echoOf(std::span<const uint8_t, kCommandFrameSize> received);

// Requests of the parameter protocol.
CommandFrame readParameterRequest(uint16_t address);         // 0x01
CommandFrame readReadOnlyRequest(uint16_t address);          // 0x06
CommandFrame readConnectionRequest(uint16_t address);        // 0x17
CommandFrame writePlainValueRequest(uint16_t address, uint16_t value);   // 0x02
CommandFrame writeValueRequest(uint16_t address, uint16_t value);        // 0x03, byte 6 = 0
// 0x05 with the connection value in its stored form (ConnectionValueTable), byte 6 = 0.
CommandFrame writeConnectionRequest(uint16_t address, uint16_t storedConnectionValue);
CommandFrame factoryRestoreRequest();          // 0x30
CommandFrame modifyConfirmRequest();           // 0x08 MDY_CONFIRM
CommandFrame cpuLoadReferenceRequest();        // 0x09
CommandFrame cpuIdleRequest();                 // 0x0A
CommandFrame cpuTypeRequest();                 // 0xF0
CommandFrame cpuTypeWordRequest();             // 0x0E
CommandFrame programIdentifierRequest();       // 0x0C
CommandFrame lastTransferFlagsRequest();       // 0x2F
CommandFrame downloadSignalRequest();          // 0x19
CommandFrame uploadStartRequest();             // 0x2B
CommandFrame faultDataTriggerRequest(uint8_t station);   // 0x12, byte 2 = station
CommandFrame driveBoardWaveformRequest();      // 0xE0

// Trigger recorder.
// F2 31 p aH aL 00 00: channel at position p (1..N) samples the connector address a.
CommandFrame triggerChannelRequest(uint8_t position, uint16_t address);
// F2 32 s nH nL 00 00: sampling period s, n pre-trigger samples per channel (0 for an
// immediate start).
CommandFrame triggerDataRequest(uint8_t samplingPeriod, uint16_t preTriggerSamples = 0);
// F2 33 aH aL op vH vL: trigger condition.
CommandFrame triggerConditionRequest(uint16_t address, uint8_t op, uint16_t value);
// F2 34 01 01 00 00 00 (immediate) or F2 34 02 m 00 00 00 (m = 1 single, 2 continuous).
CommandFrame triggerImmediateStartRequest();
CommandFrame triggerArmedStartRequest(bool continuous);
CommandFrame triggerStopRequest();             // 0x38
CommandFrame triggerDataErrorNotice();         // 0x3E
// 0x39, byte 2 = 1 to start, 0 to stop the heartbeat supervision in the device.
CommandFrame heartbeatSupervisionRequest(bool start);

// Boot-protocol answers of the tool.
BootFrame bootAnswer(uint8_t bootCode);                      // 02 06 code 00 00
BootFrame replyIdBoot(uint16_t programIdentifier);           // 0xB7
BootFrame replyIdDownload(uint16_t downloadIdentifier);      // 0xB0
BootFrame bootCpuTypeAnswer(uint8_t high, uint8_t low);      // 0xB8, the two bytes echoed

// The connect request of Ethernet mode: F5 0A 01 51 00 00 00 and the XOR of those seven.
CommandFrame ethernetConnectRequest();

// ---- builders for the drive side (simulator, tests) ---------------------------------

// A trigger-data record: F2 3A, channel (byte 2), six words (bytes 3..14, high byte
// first), check (byte 15) so that the XOR of all 16 bytes is 0.
TraceFrame traceFrame(uint8_t channel, const std::array<uint16_t, 6>& words);
// F2 2D, 64 data bytes, byte 66, check (XOR of all 68 is 0).
BlockFrame blockFrame(std::span<const uint8_t, kBlockDataSize> data, uint8_t byte66 = 0);
// 02 44 code, 64 data bytes, check (XOR of all 68 is 0).
BlockFrame longBootFrame(uint8_t code, std::span<const uint8_t, kBlockDataSize> data);
// F5 L byte2 code payload... crcLow crcHigh with L = payload + 6. The payload is cut so
// that L stays at most 255, and padded with zeros so that L is at least 10.
std::vector<uint8_t> datagramFrame(uint8_t byte2, uint8_t code, std::span<const uint8_t> payload);
// How the simulated drive answers the Ethernet connect request: a datagram routed to the
// StandBy entry (0x50), which sets ReplyStatus 0 and wakes the connecting sender.
std::vector<uint8_t> ethernetConnectAnswer();

}  // namespace hesk::link
