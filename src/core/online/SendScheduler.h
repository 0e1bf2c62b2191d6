#pragma once
// The send scheduler and write pipeline of the online session.
//
// Every tick (25 ms) at most one frame leaves, chosen in this order:
//   1. when no write is in progress, the next queued write moves onto the send list and
//      becomes the write in progress (write retry counter 1);
//   2. the next frame of the send list (writes, their retries and MDY_CONFIRM) is sent
//      and the 350 ms retry timer armed;
//   3. unless polling is paused, the next frame of the system poll list, or else of the
//      page poll list; a list that has sent its last frame waits until its cycle is
//      cleared (system list every 3 s, page list every second). A page cycle cleared
//      while it still runs (the system list took its ticks) starts again as soon as it
//      ends instead of losing that clear and waiting a further second, so the rows in
//      view are read about once a second whatever the system list takes.
// A write is sent until it is echoed and its MDY_CONFIRM until it is answered, each at
// most three times 350 ms apart; then the write fails and the modify-failed event is
// signalled. The 0x08 handler signals modify-confirmed itself when confirmAnswered() took the answer.
// A write that cannot end that way (the link closed, the session reset) is abandoned:
// it fails, with the queued writes, and modify-failed is signalled as well, so that no
// waiter is left waiting for a write that will never be answered.
//
// Threads: tick(), retryTimeout(), the cycle clears, the setters and the poll lists
// belong to the UI thread, which owns the timers. Reply handlers may call the three
// WritePipelinePort methods from a reader thread (Ethernet mode); one internal lock
// guards the scheduler's state. Frames are sent outside that lock, so a handler never
// waits for a send; ticks are serialised so frames reach the wire in the order chosen.

#include "FrameList.h"
#include "link/FrameCodec.h"
#include "link/FrameSender.h"
#include "link/LinkState.h"
#include "link/WorkflowPorts.h"
#include "model/LogSink.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

#include <QString>

namespace hesk::online {

// The single-shot write-retry timer; its time-out must call SendScheduler::retryTimeout
// on the UI thread. The scheduler calls it from any thread with its lock held, so an
// implementation must not block or call back into the scheduler, and must apply calls
// in the order they were made (post a queued call every time, even from its own thread).
class RetryTimer {
public:
    virtual ~RetryTimer() = default;
    virtual void arm(std::chrono::milliseconds period) = 0;   // (re)start single-shot
    virtual void kill() = 0;
};

class SendScheduler final : public link::WritePipelinePort {
public:
    static constexpr std::chrono::milliseconds kTickPeriod{25};
    static constexpr std::chrono::milliseconds kRetryPeriod{350};
    // Sends and confirms of one write before it fails.
    static constexpr int kMaxAttempts = 3;
    // The longest one write takes from leaving the queue to its end: three sends of the
    // write and three of its confirm, each waiting up to a tick to leave and then the
    // retry period for its answer (2250 ms).
    static constexpr std::chrono::milliseconds kLongestWrite = 2 * kMaxAttempts * (kRetryPeriod + kTickPeriod);
    // What a modify wait allows beyond that for timers that fire late on a busy thread.
    static constexpr std::chrono::milliseconds kModifyWaitSlack{1000};

    // All four must outlive the scheduler.
    SendScheduler(link::FrameSender& sender, link::LinkState& linkState, model::LogSink& log,
                  RetryTimer& retryTimer);

    SendScheduler(const SendScheduler&) = delete;
    SendScheduler& operator=(const SendScheduler&) = delete;

    // Back to the state of a fresh connect: send list, system poll list and queued writes
    // emptied, no write in progress, counters 0, slot 0 idle, cycle flags clear, no page
    // list, polling not paused, fault-data mode off, last poll send error 0. Kills the
    // retry timer. A write in progress or queued is abandoned first (abandonWrites).
    void reset();

    // Ends the write in progress and every queued write as failed: slot 0 idle, counters
    // 0, send list empty, fault-data mode off, retry timer killed. When there was any,
    // logs `reason` and the failure line (level 3), then signals modify-failed. The poll
    // lists stay. Any thread.
    void abandonWrites(const QString& reason);

    // The backstop of a wait for the write queued last: the longest time every write
    // still to be carried out (in progress and queued) can take, plus the slack.
    std::chrono::milliseconds modifyWaitDeadline() const;

    // Slot 1, owned here; filled by the connect (buildSystemPollList). UI thread only.
    FrameList& systemPollList() { return m_systemList; }
    // Slot 2, owned by the page on show; nullptr for none. The list must stay alive
    // until it is replaced. UI thread only.
    void installPagePollList(FrameList* list);

    // Queues a write frame (codes 0x02, 0x03, 0x05, 0x30, 0x12). Queued writes are not
    // deduplicated: each is carried out in turn.
    void queueWrite(const link::CommandFrame& frame);

    void tick();            // timer 1
    void retryTimeout();    // timer 5
    void clearSystemCycle();  // timer 6
    void clearPageCycle();    // timer 3
    // The list sent its last frame and waits for its cycle to be cleared.
    bool systemCycleDone() const;
    bool pageCycleDone() const;

    void setPollingPaused(bool paused);
    bool pollingPaused() const;
    // While the line is held (a bulk transfer owns it: upload, download) no frame leaves
    // at all, neither polls nor writes nor their retries: the drive would take any frame
    // for transfer data. Writes stay queued and a retry that falls due waits, re-armed,
    // until the hold ends. reset() ends a hold.
    void setLineHeld(bool held);
    bool lineHeld() const;
    // Set while a fault-data trigger (0x12) is written: changes the log texts, and a
    // failure leaves the mode instead of clearing the write in progress.
    void setFaultDataMode(bool on);
    bool faultDataMode() const;
    // Result of the latest poll send (0 or a system error code).
    int lastPollSendError() const;
    void clearLastPollSendError();

    bool writeIdle() const;           // no write between its first send and its end
    int writeRetryCount() const;      // sends of the write awaiting its echo (0: none)
    int confirmRetryCount() const;    // confirms awaiting their answer (0: none)
    size_t pendingWrites() const;

    // WritePipelinePort (any thread).
    link::CommandFrame writeInProgress() const override;
    // Ignored unless the write awaits its echo, so a late or repeated echo cannot start a
    // second confirm.
    void echoMatched() override;
    // Ignored unless a confirm awaits its answer, so a stray 0x08 cannot end a write
    // that has not been echoed.
    bool confirmAnswered() override;

private:
    // What a retry time-out decided under the lock, carried out after it is released.
    struct Outcome {
        std::vector<QString> errorLines;
        bool failed = false;
    };
    // One counter of the retry time-out (lock held): send `frame` again while attempts
    // are left, else fail the write.
    void retryOrFailLocked(int& counter, const link::CommandFrame& frame, const QString& retryText,
                           Outcome& outcome);
    void failWriteLocked(Outcome& outcome);
    // Abandons what abandonWrites names (lock held); true when there was a write.
    bool abandonWritesLocked(Outcome& outcome);
    void resetLocked();
    void report(const Outcome& outcome);

    link::FrameSender& m_sender;
    link::LinkState& m_link;
    model::LogSink& m_log;
    RetryTimer& m_retryTimer;

    std::mutex m_tickOrder;          // one tick at a time: pick order = wire order
    mutable std::mutex m_lock;       // everything below
    FrameList m_sendList;
    FrameList m_systemList;
    FrameList* m_pageList = nullptr;
    std::deque<link::CommandFrame> m_pendingWrites;
    link::CommandFrame m_writeInProgress{};
    int m_writeRetries = 0;
    int m_confirmRetries = 0;
    bool m_writeIdle = true;
    bool m_systemCycleDone = false;
    bool m_pageCycleDone = false;
    bool m_pageCycleAgain = false;   // cleared while running: no wait after this cycle
    bool m_pollingPaused = false;
    bool m_lineHeld = false;
    bool m_faultDataMode = false;
    int m_lastPollSendError = 0;
};

enum class ModifyOutcome { Confirmed, Failed, DeadlinePassed };

// Resets both modify events of the link, then waits, keeping the calling thread's Qt
// events other than user input flowing (timers 1, 2 and 5), until the write is confirmed
// or has failed, or the deadline passed. The write pipeline ends every write by itself,
// and closing the link abandons it; the deadline is the backstop for a pipeline that
// does not run (choose it with SendScheduler::modifyWaitDeadline).
ModifyOutcome waitModifyOutcome(link::LinkState& state, std::chrono::milliseconds deadline);

// The same, true only when confirmed. The default deadline is that of one write.
bool WaitModifyResult(link::LinkState& state,
                      std::chrono::milliseconds deadline = SendScheduler::kLongestWrite
                                                           + SendScheduler::kModifyWaitSlack);

}  // namespace hesk::online
