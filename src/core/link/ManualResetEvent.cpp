#include "ManualResetEvent.h"

#include <algorithm>

namespace hesk::link {

void ManualResetEvent::set()
{
    const std::lock_guard lock(m_mutex);
    m_set = true;
    m_changed.notify_all();
    for (auto& [id, hook] : m_hooks)
        hook();
}

void ManualResetEvent::reset()
{
    const std::lock_guard lock(m_mutex);
    m_set = false;
}

bool ManualResetEvent::isSet() const
{
    const std::lock_guard lock(m_mutex);
    return m_set;
}

void ManualResetEvent::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_set; });
}

bool ManualResetEvent::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_set; });
}

int ManualResetEvent::addWakeHook(WakeHook hook)
{
    const std::lock_guard lock(m_mutex);
    const int id = m_nextHookId++;
    m_hooks.emplace_back(id, std::move(hook));
    return id;
}

void ManualResetEvent::removeWakeHook(int id)
{
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_hooks, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace hesk::link
