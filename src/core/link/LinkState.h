#pragma once
// The link's shared flags, its wait status and its events: what reply handlers, the
// reader threads and waiting senders exchange. Every flag is atomic, since handlers run
// on a reader thread while the UI thread reads the flags (and the other way round).
// Owned by CDeviceLink; a handler reaches it through its ReplyContext.

#include "ManualResetEvent.h"
#include "ReplyStatus.h"

#include <atomic>

namespace hesk::link {

struct LinkState {
    std::atomic<ReplyStatus> replyStatus{ReplyStatus::Success};

    // Signalled by reply handlers (and by a sender's reply time-out); waited for by
    // SendAndWait and by the workflows' pumped waits.
    ManualResetEvent replyEvent;
    // The write pipeline's two events: the MDY_CONFIRM answer sets the first.
    ManualResetEvent modifyConfirmed;
    ManualResetEvent modifyFailed;

    std::atomic<bool> online{false};                  // the device answered the connect
    std::atomic<bool> connectInProgress{false};       // set by the connect operations
    std::atomic<bool> connectionThreadRunning{false};
    std::atomic<bool> monitoringThreadRunning{false};
    std::atomic<bool> udpRunning{false};              // the UDP receive thread loops while set

    // Sets the status, then signals the reply event: the order a waiter relies on.
    void wakeWaiter(ReplyStatus status)
    {
        replyStatus.store(status);
        replyEvent.set();
    }

    // Boot mode: the serial connection thread runs while no connect operation is in
    // progress (the device is then talking its boot protocol).
    bool bootMode() const { return connectionThreadRunning.load() && !connectInProgress.load(); }
};

}  // namespace hesk::link
