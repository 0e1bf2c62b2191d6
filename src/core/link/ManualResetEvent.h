#pragma once
// A manual-reset event: set() wakes every waiter and stays set until reset(). Any thread
// may set, reset or wait. Waits that keep the Qt event loop running (waitAnyPumping in
// PumpedWait.h) attach a wake hook, which set() calls on the setting thread.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace hesk::link {

class ManualResetEvent {
public:
    ManualResetEvent() = default;
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void set();
    void reset();
    bool isSet() const;

    // Blocks until set.
    void wait();
    // Blocks until set or the time-out passed; true when set.
    bool waitFor(std::chrono::milliseconds timeout);

    // A hook is called (under the event's lock, so it must not call back into the
    // event) on every set(); removeWakeHook returns only when no call is running.
    using WakeHook = std::function<void()>;
    int addWakeHook(WakeHook hook);
    void removeWakeHook(int id);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set = false;
    std::vector<std::pair<int, WakeHook>> m_hooks;
    int m_nextHookId = 1;
};

}  // namespace hesk::link
