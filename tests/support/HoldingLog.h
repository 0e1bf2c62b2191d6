#pragma once
// A log that keeps every line in a RecordingLog and can hold the thread that writes one
// given line. A reader thread logs its last line just before it ends, so holding that
// line keeps a stop operation of the link waiting for it; the test then sees what runs
// inside that wait.
//
// When the line comes, `whileHeld` is handed to the application's thread, where a timer of
// this log takes it (it runs inside whatever wait that thread is in, as long as the wait
// runs timers), and the writing thread goes on once it returned, or after five seconds if
// it never runs. The hand-over goes through a mutex only: a functor posted through Qt's
// event queue would be ordered by Qt's own locking, which the thread sanitizer cannot see.

#include "RecordingLog.h"
#include "link/ManualResetEvent.h"

#include <QCoreApplication>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

namespace hesk::testsupport {

class HoldingLog final : public model::LogSink {
public:
    explicit HoldingLog(RecordingLog& lines) : m_lines(lines)
    {
        m_pickUp.setInterval(1);
        QObject::connect(&m_pickUp, &QTimer::timeout, [this] { runHeldJob(); });
    }

    // Holds the next writer of `text` (once). Called on the application's thread, which
    // then runs the pick-up timer.
    void holdAt(const QString& text, std::function<void()> whileHeld)
    {
        m_pickUp.start();
        const std::lock_guard guard(m_lock);
        m_text = text;
        m_whileHeld = std::move(whileHeld);
    }

    // `whileHeld` ran while the writer was still held (not after the writer gave up).
    bool ranWhileHeld() const { return m_ranWhileHeld.load(); }

    void log(const QString& text, int level) override
    {
        m_lines.log(text, level);
        auto released = std::make_shared<link::ManualResetEvent>();
        {
            const std::lock_guard guard(m_lock);
            if (!m_whileHeld || text != m_text)
                return;
            m_heldJob = std::move(m_whileHeld);
            m_whileHeld = nullptr;
            m_released = released;
        }
        const bool ran = released->waitFor(std::chrono::seconds(5));
        {
            const std::lock_guard guard(m_lock);
            m_heldJob = nullptr;  // not run in time: it never runs
            m_released.reset();
        }
        m_ranWhileHeld.store(ran);
    }

private:
    void runHeldJob()
    {
        std::function<void()> job;
        std::shared_ptr<link::ManualResetEvent> released;
        {
            const std::lock_guard guard(m_lock);
            job = std::move(m_heldJob);
            m_heldJob = nullptr;
            released = m_released;
        }
        if (!job)
            return;
        job();
        released->set();
    }

    RecordingLog& m_lines;
    std::mutex m_lock;
    QString m_text;
    std::function<void()> m_whileHeld;
    std::function<void()> m_heldJob;  // handed to the application's thread
    std::shared_ptr<link::ManualResetEvent> m_released;
    QTimer m_pickUp;
    std::atomic<bool> m_ranWhileHeld{false};
};

}  // namespace hesk::testsupport
