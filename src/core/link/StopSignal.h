#pragma once
// The stop event of the link's reader threads: an auto-reset signal that a thread waits
// for together with its transport's descriptor (poll). signal() may be called from any
// thread; the waiting thread consumes it.

namespace hesk::link {

class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool valid() const { return m_fd >= 0; }
    void signal();
    // Clears a pending signal; true when one was pending.
    bool consume();
    // Readable while signalled.
    int descriptor() const { return m_fd; }

    // Waits for the signal (and consumes it) for up to timeoutMs (-1: no limit); true
    // when signalled.
    bool wait(int timeoutMs);

private:
    int m_fd = -1;
};

}  // namespace hesk::link
