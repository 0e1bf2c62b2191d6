#include "SendScheduler.h"

#include "link/PumpedWait.h"

#include <algorithm>
#include <optional>

namespace hesk::online {

namespace {

constexpr int kErrorLevel = 3;

const char* const kWriteRetryText = "<错误>变量修改超时,重试";
const char* const kFaultWriteRetryText = "<错误>故障数据触发超时,重试";
const char* const kConfirmRetryText = "<错误>MDY_CONFIRM确认超时,重试";
const char* const kFaultConfirmRetryText = "<错误>故障数据确认回复超时,重试";
const char* const kFaultFailedText = "<错误>故障数据触发失败";
const char* const kWriteFailedText = "<错误>修改失败";
const char* const kResetText = "<错误>通信已重置，未完成的修改被取消";

}  // namespace

SendScheduler::SendScheduler(link::FrameSender& sender, link::LinkState& linkState, model::LogSink& log,
                             RetryTimer& retryTimer)
    : m_sender(sender), m_link(linkState), m_log(log), m_retryTimer(retryTimer)
{
}

void SendScheduler::reset()
{
    Outcome outcome;
    {
        const std::lock_guard lock(m_lock);
        if (abandonWritesLocked(outcome))
            outcome.errorLines.insert(outcome.errorLines.begin(), QString::fromUtf8(kResetText));
        resetLocked();
    }
    report(outcome);
}

void SendScheduler::abandonWrites(const QString& reason)
{
    Outcome outcome;
    {
        const std::lock_guard lock(m_lock);
        if (abandonWritesLocked(outcome))
            outcome.errorLines.insert(outcome.errorLines.begin(), reason);
    }
    report(outcome);
}

bool SendScheduler::abandonWritesLocked(Outcome& outcome)
{
    if (m_writeIdle && m_pendingWrites.empty())
        return false;
    m_pendingWrites.clear();
    m_sendList.clear();  // only writes, their retries and confirms are ever on it
    m_writeRetries = 0;
    m_confirmRetries = 0;
    m_retryTimer.kill();
    failWriteLocked(outcome);  // slot 0 idle, fault-data mode left, the failure line
    m_writeInProgress = {};    // a fault-data trigger too: nothing will answer it now
    return true;
}

void SendScheduler::report(const Outcome& outcome)
{
    for (const QString& line : outcome.errorLines)
        m_log.log(line, kErrorLevel);
    // After the log lines, so that whoever wakes on the event finds them written.
    if (outcome.failed)
        m_link.modifyFailed.set();
}

std::chrono::milliseconds SendScheduler::modifyWaitDeadline() const
{
    const std::lock_guard lock(m_lock);
    const auto writes = static_cast<int>(m_pendingWrites.size()) + (m_writeIdle ? 0 : 1);
    return std::max(writes, 1) * kLongestWrite + kModifyWaitSlack;
}

void SendScheduler::resetLocked()
{
    m_sendList.clear();
    m_systemList.clear();
    m_pageList = nullptr;
    m_pendingWrites.clear();
    m_writeInProgress = {};
    m_writeRetries = 0;
    m_confirmRetries = 0;
    m_writeIdle = true;
    m_systemCycleDone = false;
    m_pageCycleDone = false;
    m_pageCycleAgain = false;
    m_pollingPaused = false;
    m_lineHeld = false;
    m_faultDataMode = false;
    m_lastPollSendError = 0;
    m_retryTimer.kill();
}

void SendScheduler::installPagePollList(FrameList* list)
{
    const std::lock_guard lock(m_lock);
    m_pageList = list;
    m_pageCycleAgain = false;
}

void SendScheduler::queueWrite(const link::CommandFrame& frame)
{
    const std::lock_guard lock(m_lock);
    m_pendingWrites.push_back(frame);
}

void SendScheduler::tick()
{
    const std::lock_guard order(m_tickOrder);
    link::CommandFrame frame{};
    bool isPoll = false;
    {
        const std::lock_guard lock(m_lock);
        if (m_lineHeld)
            return;
        if (m_writeIdle && !m_pendingWrites.empty()) {
            m_writeInProgress = m_pendingWrites.front();
            m_pendingWrites.pop_front();
            m_sendList.push(m_writeInProgress);
            ++m_writeRetries;
            m_writeIdle = false;
        }
        if (!m_sendList.empty()) {
            m_sendList.advance();
            frame = *m_sendList.frameAtCursor();
            m_sendList.removeAt(m_sendList.cursorIndex());
            m_retryTimer.arm(kRetryPeriod);
        } else {
            if (m_pollingPaused)
                return;
            FrameList* list = nullptr;
            bool* cycleDone = nullptr;
            if (!m_systemList.empty() && !m_systemCycleDone) {
                list = &m_systemList;
                cycleDone = &m_systemCycleDone;
            } else if (m_pageList != nullptr && !m_pageList->empty() && !m_pageCycleDone) {
                list = m_pageList;
                cycleDone = &m_pageCycleDone;
            } else {
                return;
            }
            list->advance();
            frame = *list->frameAtCursor();
            if (list->cursorIndex() == list->count() - 2) {
                // A page cycle whose restart came while it ran goes round again at once.
                if (cycleDone == &m_pageCycleDone && m_pageCycleAgain)
                    m_pageCycleAgain = false;
                else
                    *cycleDone = true;
            }
            isPoll = true;
        }
    }
    const int result = m_sender.SendFrame(frame);
    if (isPoll) {
        const std::lock_guard lock(m_lock);
        m_lastPollSendError = result;
    }
}

void SendScheduler::retryTimeout()
{
    Outcome outcome;
    {
        const std::lock_guard lock(m_lock);
        if (m_lineHeld) {
            // Nothing may be sent now: the retry counts once the line is free again.
            m_retryTimer.arm(kRetryPeriod);
            return;
        }
        const QString writeRetry = QString::fromUtf8(m_faultDataMode ? kFaultWriteRetryText : kWriteRetryText);
        retryOrFailLocked(m_writeRetries, m_writeInProgress, writeRetry, outcome);
        const QString confirmRetry =
            QString::fromUtf8(m_faultDataMode ? kFaultConfirmRetryText : kConfirmRetryText);
        retryOrFailLocked(m_confirmRetries, link::modifyConfirmRequest(), confirmRetry, outcome);
        // The next send from the send list arms it again.
        m_retryTimer.kill();
    }
    report(outcome);
}

void SendScheduler::retryOrFailLocked(int& counter, const link::CommandFrame& frame, const QString& retryText,
                                      Outcome& outcome)
{
    if (counter <= 0)
        return;
    if (counter < kMaxAttempts) {
        m_sendList.push(frame);
        ++counter;
        outcome.errorLines.push_back(retryText);
        return;
    }
    counter = 0;
    failWriteLocked(outcome);
}

void SendScheduler::failWriteLocked(Outcome& outcome)
{
    m_writeIdle = true;
    if (m_faultDataMode) {
        outcome.errorLines.push_back(QString::fromUtf8(kFaultFailedText));
        m_faultDataMode = false;
    } else {
        m_writeInProgress = {};
        outcome.errorLines.push_back(QString::fromUtf8(kWriteFailedText));
    }
    // Signalled in both modes: a waiter must never be left waiting for a write that ended.
    outcome.failed = true;
}

void SendScheduler::clearSystemCycle()
{
    const std::lock_guard lock(m_lock);
    m_systemCycleDone = false;
}

void SendScheduler::clearPageCycle()
{
    const std::lock_guard lock(m_lock);
    if (!m_pageCycleDone && m_pageList != nullptr && !m_pageList->empty())
        m_pageCycleAgain = true;  // still running: the restart is kept, not lost
    m_pageCycleDone = false;
}

bool SendScheduler::systemCycleDone() const
{
    const std::lock_guard guard(m_lock);
    return m_systemCycleDone;
}

bool SendScheduler::pageCycleDone() const
{
    const std::lock_guard guard(m_lock);
    return m_pageCycleDone;
}

void SendScheduler::setPollingPaused(bool paused)
{
    const std::lock_guard lock(m_lock);
    m_pollingPaused = paused;
}

bool SendScheduler::pollingPaused() const
{
    const std::lock_guard lock(m_lock);
    return m_pollingPaused;
}

void SendScheduler::setLineHeld(bool held)
{
    const std::lock_guard lock(m_lock);
    m_lineHeld = held;
}

bool SendScheduler::lineHeld() const
{
    const std::lock_guard lock(m_lock);
    return m_lineHeld;
}

void SendScheduler::setFaultDataMode(bool on)
{
    const std::lock_guard lock(m_lock);
    m_faultDataMode = on;
}

bool SendScheduler::faultDataMode() const
{
    const std::lock_guard lock(m_lock);
    return m_faultDataMode;
}

int SendScheduler::lastPollSendError() const
{
    const std::lock_guard lock(m_lock);
    return m_lastPollSendError;
}

void SendScheduler::clearLastPollSendError()
{
    const std::lock_guard lock(m_lock);
    m_lastPollSendError = 0;
}

bool SendScheduler::writeIdle() const
{
    const std::lock_guard lock(m_lock);
    return m_writeIdle;
}

int SendScheduler::writeRetryCount() const
{
    const std::lock_guard lock(m_lock);
    return m_writeRetries;
}

int SendScheduler::confirmRetryCount() const
{
    const std::lock_guard lock(m_lock);
    return m_confirmRetries;
}

size_t SendScheduler::pendingWrites() const
{
    const std::lock_guard lock(m_lock);
    return m_pendingWrites.size();
}

link::CommandFrame SendScheduler::writeInProgress() const
{
    const std::lock_guard lock(m_lock);
    return m_writeInProgress;
}

void SendScheduler::echoMatched()
{
    const std::lock_guard lock(m_lock);
    if (m_writeRetries == 0)
        return;
    m_writeRetries = 0;
    m_sendList.push(link::modifyConfirmRequest());
    ++m_confirmRetries;
}

bool SendScheduler::confirmAnswered()
{
    const std::lock_guard lock(m_lock);
    if (m_confirmRetries == 0)
        return false;
    m_confirmRetries = 0;
    m_writeIdle = true;
    m_retryTimer.kill();
    return true;
}

ModifyOutcome waitModifyOutcome(link::LinkState& state, std::chrono::milliseconds deadline)
{
    state.modifyConfirmed.reset();
    state.modifyFailed.reset();
    const std::optional<size_t> which = link::waitAnyPumping({&state.modifyConfirmed, &state.modifyFailed}, deadline);
    if (!which)
        return ModifyOutcome::DeadlinePassed;
    return *which == 0 ? ModifyOutcome::Confirmed : ModifyOutcome::Failed;
}

bool WaitModifyResult(link::LinkState& state, std::chrono::milliseconds deadline)
{
    return waitModifyOutcome(state, deadline) == ModifyOutcome::Confirmed;
}

}  // namespace hesk::online
