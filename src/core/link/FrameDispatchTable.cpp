#include "FrameDispatchTable.h"

#include "ReplyHandlers.h"

#include <thread>

namespace hesk::link {

namespace {

namespace r = replies;
using F = FrameFamily;

constexpr std::array<DispatchEntry, FrameDispatchTable::kEntryCount + 1> kTable{{
    {0x31, F::Command, r::triggerChannelAck},
    {0x32, F::Command, r::triggerDataAck},
    {0x33, F::Command, r::triggerConditionAck},
    {0x34, F::Command, r::triggerStartAck},
    {0x35, F::Command, r::triggerSignal},
    {0x36, F::Command, r::triggerDataInformation},
    {0x3A, F::Trace, r::triggerTraceRecord},
    {0x37, F::Command, r::triggerDataCheck},
    {0x38, F::Command, r::triggerStopAck},
    {0x17, F::Command, r::connectionValue},
    {0x01, F::Command, r::parameterValue},
    {0x06, F::Command, r::readOnlyValue},
    {0x03, F::Command, r::writeEcho},
    {0x02, F::Command, r::writeEcho},
    {0x05, F::Command, r::writeEcho},
    {0x30, F::Command, r::writeEcho},
    {0x08, F::Command, r::modifyConfirmAnswer},
    {0x09, F::Command, r::cpuLoadReference},
    {0x0A, F::Command, r::cpuIdle},
    {0xAA, F::Boot, r::bootHeartbeat},
    {0x40, F::Boot, r::handShake},
    {0x50, F::Boot, r::standBy},
    {0x70, F::Boot, nullptr},
    {0x90, F::Boot, r::noProgram},
    {0xA7, F::Boot, r::requireIdBoot},
    {0xB7, F::Boot, nullptr},
    {0xC0, F::Boot, r::identifierCheckFailed},
    {0xD0, F::Boot, r::programStarted},
    {0xF1, F::Boot, nullptr},
    {0xB8, F::Boot, r::bootCpuTypeSignal},
    {0xF0, F::Command, r::cpuTypeAnswer},
    {0x0C, F::Command, r::programIdentifier},
    {0x0E, F::Command, r::cpuTypeWord},
    {0x60, F::Boot, nullptr},
    {0x80, F::Boot, r::downloadRequest},
    {0xA0, F::Boot, r::requireIdDownload},
    {0xB0, F::Boot, nullptr},
    {0x19, F::Command, r::downloadSignalAnswer},
    {0x2F, F::Command, r::lastTransferFlags},
    {0x2B, F::Command, r::uploadConfirmed},
    {0x2C, F::Command, r::uploadLength},
    {0x2D, F::Block, r::uploadBlock},
    {0x2E, F::Command, r::uploadEnd},
    {0x12, F::Command, r::faultDataTriggerEcho},
    {0x16, F::Command, r::faultDataHeader},
    {0x15, F::Command, r::faultData},
    {0xE1, F::Command, r::faultWaveformWords},
    {0xE2, F::Command, nullptr},
    {0x13, F::Command, r::faultDataComplete},
    {0xE0, F::Command, r::driveBoardWaveformAnswer},
    {0x39, F::Command, r::heartbeatSupervisionAnswer},
    {FrameDispatchTable::kEndCode, F::Command, nullptr},
}};

// The result of the table walk for every routing code, computed once: the index of the
// winning entry, or -1.
constexpr std::array<int8_t, 256> makeRouting()
{
    std::array<int8_t, 256> routing{};
    for (int code = 0; code < 256; ++code) {
        routing[static_cast<size_t>(code)] = -1;
        for (size_t i = 0; i < kTable.size(); ++i) {
            if (kTable[i].code > 254)
                break;
            if (kTable[i].code == code && kTable[i].handler != nullptr) {
                routing[static_cast<size_t>(code)] = static_cast<int8_t>(i);
                break;
            }
        }
    }
    return routing;
}

constexpr std::array<int8_t, 256> kRouting = makeRouting();

}  // namespace

size_t minimumFrameLength(FrameFamily family)
{
    switch (family) {
    case FrameFamily::Command:
        return kCommandFrameSize;
    case FrameFamily::Trace:
        return kTraceFrameSize;
    case FrameFamily::Block:
        return kBlockFrameSize;
    case FrameFamily::Boot:
        return kBootFrameSize;
    }
    return kBlockFrameSize;
}

FrameDispatchTable::FrameDispatchTable(ReplyContext context)
    : m_context(context)
{
}

std::span<const DispatchEntry, FrameDispatchTable::kEntryCount + 1> FrameDispatchTable::entries()
{
    return kTable;
}

bool FrameDispatchTable::dispatch(uint8_t routingCode, std::span<const uint8_t> frame)
{
    const int index = kRouting[routingCode];
    if (index < 0)
        return false;
    const DispatchEntry& entry = kTable[static_cast<size_t>(index)];
    if (frame.size() < minimumFrameLength(entry.family))
        return false;
    entry.handler(m_context, frame);
    return true;
}

void SleepingPause::pause(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

}  // namespace hesk::link
