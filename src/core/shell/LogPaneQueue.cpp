#include "LogPaneQueue.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace hesk::shell {

LogPaneQueue::LogPaneQueue(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(capacity, 1))
{
}

void LogPaneQueue::push(QString line, int level)
{
    std::lock_guard lock(m_mutex);
    if (m_entries.size() >= m_capacity)
        m_entries.pop_front();
    m_entries.push_back(LogPaneEntry{std::move(line), level});
}

LogPaneBatch LogPaneQueue::take(std::size_t maxEntries)
{
    LogPaneBatch batch;
    std::lock_guard lock(m_mutex);
    batch.clearFirst = std::exchange(m_clearRequested, false);
    const auto count = static_cast<std::ptrdiff_t>(std::min(maxEntries, m_entries.size()));
    batch.entries.assign(std::make_move_iterator(m_entries.begin()),
                         std::make_move_iterator(m_entries.begin() + count));
    m_entries.erase(m_entries.begin(), m_entries.begin() + count);
    return batch;
}

void LogPaneQueue::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_clearRequested = true;
}

std::size_t LogPaneQueue::size() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

}  // namespace hesk::shell
