#pragma once
// Test doubles around the send scheduler: a sender that records the frames on the wire,
// a retry timer fired by hand, a recording log, and a fixture that wires the scheduler
// into a real reply dispatch table so that echoes and confirm answers travel through the
// real handlers.

#include "RecordingLog.h"
#include "link/FrameDispatchTable.h"
#include "online/SendScheduler.h"

#include <QString>

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace hesk::online::testing {

using link::CommandFrame;

class WireRecorder final : public link::FrameSender {
public:
    int SendFrame(std::span<uint8_t> frame) override
    {
        link::sealFrame(frame);
        CommandFrame copy{};
        std::copy_n(frame.begin(), std::min(frame.size(), copy.size()), copy.begin());
        std::function<void(const CommandFrame&)> hook;
        int result = 0;
        {
            const std::lock_guard lock(m_lock);
            m_sent.push_back(copy);
            if (!m_results.empty()) {
                result = m_results.front();
                m_results.pop_front();
            }
            hook = m_onSend;
        }
        if (hook)
            hook(copy);
        return result;
    }

    // Results of the next sends, in order; 0 once they are used up.
    void queueResults(std::initializer_list<int> results)
    {
        const std::lock_guard lock(m_lock);
        m_results.insert(m_results.end(), results);
    }
    // Called after every send, on the sending thread.
    void onSend(std::function<void(const CommandFrame&)> hook)
    {
        const std::lock_guard lock(m_lock);
        m_onSend = std::move(hook);
    }
    std::vector<CommandFrame> sent() const
    {
        const std::lock_guard lock(m_lock);
        return m_sent;
    }
    // The frames sent since the last call.
    std::vector<CommandFrame> take()
    {
        const std::lock_guard lock(m_lock);
        std::vector<CommandFrame> taken;
        taken.swap(m_sent);
        return taken;
    }

private:
    mutable std::mutex m_lock;
    std::vector<CommandFrame> m_sent;
    std::deque<int> m_results;
    std::function<void(const CommandFrame&)> m_onSend;
};

class ManualRetryTimer final : public RetryTimer {
public:
    void arm(std::chrono::milliseconds period) override
    {
        armed = true;
        periods.push_back(period);
    }
    void kill() override
    {
        armed = false;
        ++kills;
    }
    bool armed = false;
    std::vector<std::chrono::milliseconds> periods;
    int kills = 0;
};

using RecordingLog = testsupport::RecordingLog;

class NoPause final : public link::HandlerPause {
public:
    void pause(std::chrono::milliseconds) override {}
};

// The scheduler with its collaborators, and a dispatch table whose write port is it.
template <typename Timer>
struct SchedulerRigOf {
    link::LinkState link;
    WireRecorder wire;
    Timer retryTimer;
    RecordingLog log;
    SendScheduler scheduler{wire, link, log, retryTimer};

    link::OnlineValueTables values;
    link::ConnectionState connection;
    link::FaultDataStore faultData;
    NoPause pause;
    link::FrameDispatchTable table{link::ReplyContext{link, wire, values, connection, faultData, log, pause,
                                                      link::WorkflowPorts{&scheduler}}};

    // A frame arriving from the device, through the real handler of its code.
    void receive(const CommandFrame& frame) { table.dispatch(frame[1], frame); }
    // The device answers MDY_CONFIRM.
    void receiveConfirmAnswer() { receive(link::commandFrame(link::code::ModifyConfirm)); }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            scheduler.tick();
    }
};

using SchedulerRig = SchedulerRigOf<ManualRetryTimer>;

}  // namespace hesk::online::testing
