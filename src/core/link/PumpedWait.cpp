#include "PumpedWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace hesk::link {

namespace {

using Clock = std::chrono::steady_clock;

std::optional<size_t> firstSet(const std::vector<ManualResetEvent*>& events)
{
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i]->isSet())
            return i;
    return std::nullopt;
}

// Hooks that stay attached for the lifetime of one wait.
class HookGuard {
public:
    HookGuard(const std::vector<ManualResetEvent*>& events, const ManualResetEvent::WakeHook& hook)
        : m_events(events)
    {
        for (auto* event : m_events)
            m_ids.push_back(event->addWakeHook(hook));
    }
    ~HookGuard()
    {
        for (size_t i = 0; i < m_events.size(); ++i)
            m_events[i]->removeWakeHook(m_ids[i]);
    }

private:
    const std::vector<ManualResetEvent*>& m_events;
    std::vector<int> m_ids;
};

std::optional<size_t> waitBlocking(const std::vector<ManualResetEvent*>& events,
                                   std::optional<Clock::time_point> deadline)
{
    std::mutex mutex;
    std::condition_variable woken;
    bool signalled = false;
    const HookGuard hooks(events, [&] {
        const std::lock_guard lock(mutex);
        signalled = true;
        woken.notify_all();
    });
    for (;;) {
        if (auto index = firstSet(events))
            return index;
        std::unique_lock lock(mutex);
        if (deadline) {
            if (!woken.wait_until(lock, *deadline, [&] { return signalled; }))
                return firstSet(events);
        } else {
            woken.wait(lock, [&] { return signalled; });
        }
        signalled = false;
    }
}

std::optional<size_t> waitWithEventLoop(const std::vector<ManualResetEvent*>& events,
                                        std::optional<Clock::time_point> deadline)
{
    QEventLoop loop;
    // set() may run on any thread: the hook only queues the loop's quit slot to this thread,
    // by name, not as a functor (a posted functor is freed by whichever thread drops it
    // last) and not as an event allocated here (it is freed on this thread under Qt's
    // post-event lock, which the thread sanitizer cannot see); the call event is made and
    // freed inside Qt.
    const HookGuard hooks(events, [&loop] { QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection); });
    QTimer deadlineTimer;
    deadlineTimer.setSingleShot(true);
    QObject::connect(&deadlineTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (;;) {
        if (auto index = firstSet(events))
            return index;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            deadlineTimer.start(left);
        }
        // Timers, queued calls and paint events go on; clicks and keys wait until the
        // wait is over, so no command of the person runs in the middle of it.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

}  // namespace

std::optional<size_t> waitAnyPumping(std::initializer_list<ManualResetEvent*> eventList,
                                     std::optional<std::chrono::milliseconds> timeout)
{
    const std::vector<ManualResetEvent*> events(eventList);
    std::optional<Clock::time_point> deadline;
    if (timeout)
        deadline = Clock::now() + *timeout;
    if (QCoreApplication::instance() == nullptr)
        return waitBlocking(events, deadline);
    return waitWithEventLoop(events, deadline);
}

}  // namespace hesk::link
