#pragma once
// The small interfaces through which reply handlers reach the workflows that own the
// rest of an exchange: the write pipeline, the trigger recorder, the parameter upload,
// the two download windows and the fault-waveform upload. The handlers do the routing,
// the state checks and the byte handling; a port receives decoded values and does the
// workflow's own bookkeeping.
//
// Thread: every port method is called on the thread that dispatches the frame: the
// serial connection thread or the UDP receive thread while connecting, identifying or
// serving a single request, the UI thread (timer 2) in monitoring mode. A port that
// touches widgets must hand the work to its own thread (a queued call); it must not block.
//
// A port the session has not attached (nullptr in WorkflowPorts) counts as a window that
// is not open: its frames are dropped without a log line.

#include "FrameCodec.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>

namespace hesk::link {

// The write pipeline (send list, retry timer, write in progress).
class WritePipelinePort {
public:
    virtual ~WritePipelinePort() = default;
    // The 8 bytes of the write being carried out; all zero when none.
    virtual CommandFrame writeInProgress() const = 0;
    // The echo matched the write in progress: write retry counter 0, queue MDY_CONFIRM
    // (0x08) on the send list, add 1 to the confirm retry counter.
    virtual void echoMatched() = 0;
    // The MDY_CONFIRM answer arrived: confirm retry counter 0, the write is finished (the
    // send slot is idle again), stop the retry timer. True when a confirm was awaited; only
    // then does the handler signal the link's modify-confirmed event, so a late or stray
    // answer cannot report a later write as confirmed.
    virtual bool confirmAnswered() = 0;
};

// The trigger recorder (states 0..7).
class TriggerRecorderPort {
public:
    virtual ~TriggerRecorderPort() = default;

    virtual int state() const = 0;
    virtual void setState(int state) = 0;

    // Reply 0x34 accepted in state 4 (after the waiter was woken): the start actions.
    virtual void startAcknowledged() = 0;
    // Reply 0x35 accepted in state 5: the trigger occurred at `position`. The handler
    // sets state 6 afterwards.
    virtual void triggerSignalled(uint16_t position) = 0;

    enum class DataInformation { Ignored, Deferred, Echo };
    // Reply 0x36 accepted (state 6, device variant 0): channel byte 2, words of bytes
    // 3..4 and 5..6. Echo: the handler sets state 7 and sends the frame back. Deferred:
    // the recorder kept the frame and sends it later (a control-panel operation runs).
    virtual DataInformation dataInformation(uint8_t channel, uint16_t first, uint16_t second,
                                            const CommandFrame& frame) = 0;
    // Reply 0x37 accepted (state 7, already set back to 6) with check bytes 0E 0D 0B 07:
    // append the two words of the preceding data information to their channel. True when
    // every active channel then holds its share of the 8192 samples.
    virtual bool appendDataInformation() = 0;

    enum class Record { Stored, Complete, BadChannel };
    // A 16-byte data frame (device variant 1, state 6) whose check holds: channel byte 2,
    // the six words of bytes 3..14.
    virtual Record traceRecord(uint8_t channel, const std::array<uint16_t, 6>& words) = 0;
    // A data frame with a bad check or channel: the recorder's error path (state 5 or 0).
    // The handler sends 0x3E and logs.
    virtual void traceRecordRejected() = 0;
};

// The parameter upload dialog.
class UploadPort {
public:
    static constexpr size_t kBufferSize = 49152;   // the dialog's receive buffer
    static constexpr size_t kAcceptBelow = 49089;  // blocks are taken while fewer are in

    virtual ~UploadPort() = default;
    virtual bool isOpen() const = 0;
    // Reply 0x2C: the announced total length; sets the length-received flag.
    virtual void lengthReceived(uint16_t totalLength) = 0;
    virtual size_t bytesReceived() const = 0;
    // Reply 0x2D: 64 data bytes to store at bytesReceived(), which then grows by 64.
    virtual void storeBlock(std::span<const uint8_t, kBlockDataSize> data) = 0;
    // Reply 0x2E: sets the end-received flag.
    virtual void endReceived() = 0;
};

// A download window: the program download (boot reply 0x80) or the parameter download
// (reply 0x19).
class DownloadWindowPort {
public:
    virtual ~DownloadWindowPort() = default;
    virtual bool isOpen() const = 0;
    // Flags that the device answered; true the first time (the flag was clear).
    virtual bool flagReply() = 0;
    // Wakes the window after `delay` (a queued, delayed call on the window's thread; it
    // must not block the handler's thread).
    virtual void wakeAfter(std::chrono::milliseconds delay) = 0;
};

// The fault waveform upload.
class FaultTransferPort {
public:
    virtual ~FaultTransferPort() = default;
    // Reply 0x12 echo matched the trigger frame: clear the drive-board flag.
    virtual void clearDriveBoardFlag() = 0;
    // Reply 0x08: when a fault-data transfer was requested and is not yet running, mark
    // it running (frame counter 0), tell the progress window that data flow, and return
    // true; otherwise false.
    virtual bool startDataFlowIfRequested() = 0;
    // Reply 0x13: end the transfer and decode the record; true when it was running.
    virtual bool dataComplete() = 0;
    // Reply 0xE0: true the first time since the drive-board upload was requested.
    virtual bool firstDriveBoardAnswer() = 0;
};

// A pause between two frames a handler sends (RequireIDBoot, RequireIDDownload).
class HandlerPause {
public:
    virtual ~HandlerPause() = default;
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

// The ports the session attaches before any reader thread runs; they must outlive the
// dispatch table. Windows report open or closed through their port, not by detaching.
struct WorkflowPorts {
    WritePipelinePort* writes = nullptr;
    TriggerRecorderPort* recorder = nullptr;
    UploadPort* upload = nullptr;
    DownloadWindowPort* programDownload = nullptr;
    DownloadWindowPort* parameterDownload = nullptr;
    FaultTransferPort* faultTransfer = nullptr;
};

}  // namespace hesk::link
