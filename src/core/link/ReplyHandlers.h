#pragma once
// The reply handlers of the dispatch table, one per handled code. Each takes the context
// and the frame (at least as long as its family needs: 8 bytes for command frames, 6 for
// boot frames, 16 for trace frames, 68 for block frames) and runs on the dispatching
// thread (see FrameDispatchTable.h). Log levels: 0..3, error lines begin with "<错误>".

#include "ReplyContext.h"

#include <span>

namespace hesk::link::replies {

using Frame = std::span<const uint8_t>;

// Which thread runs a handler follows from when its frame arrives:
//   trigger recorder, upload, parameter download signal, fault data, write echoes and
//     MDY_CONFIRM, polled values and CPU load: the UI thread (monitoring mode, 10 ms
//     dispatch); in Ethernet mode the UDP receive thread
//   single reads (values for an awaited address) and the trigger settings exchange when a
//     workflow has switched to the connection thread: the serial connection thread
//   identification (0xF0, 0x0E, 0x0C, 0x2F) and the boot protocol: the serial connection
//     thread or the UDP receive thread

// Trigger recorder (TriggerReplies.cpp); each acts only in its recorder state.
void triggerChannelAck(ReplyContext&, Frame);        // 0x31, state 1
void triggerDataAck(ReplyContext&, Frame);           // 0x32, state 2
void triggerConditionAck(ReplyContext&, Frame);      // 0x33, state 3
void triggerStartAck(ReplyContext&, Frame);          // 0x34, state 4
void triggerSignal(ReplyContext&, Frame);            // 0x35, state 5
void triggerDataInformation(ReplyContext&, Frame);   // 0x36, state 6, variant 0
void triggerTraceRecord(ReplyContext&, Frame);       // 0x3A, state 6, variant 1
void triggerDataCheck(ReplyContext&, Frame);         // 0x37, state 7
void triggerStopAck(ReplyContext&, Frame);           // 0x38, state 0

// Values, writes, identification (ParameterReplies.cpp).
void connectionValue(ReplyContext&, Frame);          // 0x17
void parameterValue(ReplyContext&, Frame);           // 0x01
void readOnlyValue(ReplyContext&, Frame);            // 0x06
void writeEcho(ReplyContext&, Frame);                // 0x03, 0x02, 0x05, 0x30
void modifyConfirmAnswer(ReplyContext&, Frame);      // 0x08
void cpuLoadReference(ReplyContext&, Frame);         // 0x09
void cpuIdle(ReplyContext&, Frame);                  // 0x0A
void cpuTypeAnswer(ReplyContext&, Frame);            // 0xF0
void programIdentifier(ReplyContext&, Frame);        // 0x0C
void cpuTypeWord(ReplyContext&, Frame);              // 0x0E
void lastTransferFlags(ReplyContext&, Frame);        // 0x2F
void heartbeatSupervisionAnswer(ReplyContext&, Frame);  // 0x39

// Boot protocol (BootReplies.cpp).
void bootHeartbeat(ReplyContext&, Frame);            // 0xAA
void handShake(ReplyContext&, Frame);                // 0x40
void standBy(ReplyContext&, Frame);                  // 0x50
void noProgram(ReplyContext&, Frame);                // 0x90
void requireIdBoot(ReplyContext&, Frame);            // 0xA7
void identifierCheckFailed(ReplyContext&, Frame);    // 0xC0
void programStarted(ReplyContext&, Frame);           // 0xD0
void bootCpuTypeSignal(ReplyContext&, Frame);        // 0xB8
void downloadRequest(ReplyContext&, Frame);          // 0x80
void requireIdDownload(ReplyContext&, Frame);        // 0xA0

// Transfers: parameter download and upload, fault data (TransferReplies.cpp).
void downloadSignalAnswer(ReplyContext&, Frame);     // 0x19
void uploadConfirmed(ReplyContext&, Frame);          // 0x2B
void uploadLength(ReplyContext&, Frame);             // 0x2C
void uploadBlock(ReplyContext&, Frame);              // 0x2D
void uploadEnd(ReplyContext&, Frame);                // 0x2E
void faultDataTriggerEcho(ReplyContext&, Frame);     // 0x12
void faultDataHeader(ReplyContext&, Frame);          // 0x16
void faultData(ReplyContext&, Frame);                // 0x15
void faultWaveformWords(ReplyContext&, Frame);       // 0xE1
void faultDataComplete(ReplyContext&, Frame);        // 0x13
void driveBoardWaveformAnswer(ReplyContext&, Frame); // 0xE0

// Shared by the write echo handlers: bytes 0..6 of the frame equal those of the write in
// progress (the check byte is not compared).
bool matchesWriteInProgress(const ReplyContext& context, Frame frame);
// Sends a frame through the context's sender (the sender seals it).
void send(ReplyContext& context, std::span<uint8_t> frame);

}  // namespace hesk::link::replies
