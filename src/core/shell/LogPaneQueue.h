#pragma once
// The queue between the log and the log pane. Log calls (any thread) push lines; the pane
// drains them on the UI thread from a timer, so no background thread touches a widget.
//
// The pane keeps at most 1000 lines and drops its oldest line for each new one, so a
// queue that nobody drains keeps only its newest `capacity` entries (1000 by default):
// what the pane would show after reading the whole queue is the same either way, and an
// unread queue (no pane yet, pane hidden) cannot grow without bound.

#include <QString>

#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

namespace hesk::shell {

struct LogPaneEntry {
    QString line;   // time stamp and text, without the line end (the pane adds its own)
    int level = 0;  // 0..3, chooses the colour
};

struct LogPaneBatch {
    // The pane was cleared since the last take: empty the control before adding entries.
    bool clearFirst = false;
    std::vector<LogPaneEntry> entries;  // oldest first
};

class LogPaneQueue {
public:
    static constexpr std::size_t defaultCapacity = 1000;

    explicit LogPaneQueue(std::size_t capacity = defaultCapacity);

    // Any thread. Drops the oldest entry when the queue is full.
    void push(QString line, int level);

    // UI thread. Removes and returns up to maxEntries of the oldest entries.
    LogPaneBatch take(std::size_t maxEntries);

    // Any thread. Drops everything queued and tells the pane to empty its control.
    void clear();

    std::size_t size() const;
    std::size_t capacity() const { return m_capacity; }

private:
    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::deque<LogPaneEntry> m_entries;
    bool m_clearRequested = false;
};

}  // namespace hesk::shell
