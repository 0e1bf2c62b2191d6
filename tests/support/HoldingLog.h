#pragma once
// A log that keeps every line in a RecordingLog and can hold the thread that writes one
// given line. A reader thread logs its last line just before it ends, so holding that
// line keeps a stop operation of the link waiting for it; the test then sees what runs
// inside that wait.
//
// When the line comes, `whileHeld` is posted to the application's thread (it runs inside
// whatever wait that thread is in), and the writing thread goes on once it returned, or
// after five seconds if it never runs.

#include "RecordingLog.h"
#include "link/ManualResetEvent.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

namespace hesk::testsupport {

class HoldingLog final : public model::LogSink {
public:
    explicit HoldingLog(RecordingLog& lines) : m_lines(lines) {}

    // Holds the next writer of `text` (once).
    void holdAt(const QString& text, std::function<void()> whileHeld)
    {
        const std::lock_guard guard(m_lock);
        m_text = text;
        m_whileHeld = std::move(whileHeld);
    }

    // `whileHeld` ran while the writer was still held (not after the writer gave up).
    bool ranWhileHeld() const { return m_ranWhileHeld.load(); }

    void log(const QString& text, int level) override
    {
        m_lines.log(text, level);
        std::function<void()> job;
        {
            const std::lock_guard guard(m_lock);
            if (!m_whileHeld || text != m_text)
                return;
            job = std::move(m_whileHeld);
            m_whileHeld = nullptr;
        }
        // Shared with the posted call, which may outlive this log if it never ran in time.
        auto released = std::make_shared<link::ManualResetEvent>();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [job = std::move(job), released] {
                job();
                released->set();
            },
            Qt::QueuedConnection);
        m_ranWhileHeld.store(released->waitFor(std::chrono::seconds(5)));
    }

private:
    RecordingLog& m_lines;
    std::mutex m_lock;
    QString m_text;
    std::function<void()> m_whileHeld;
    std::atomic<bool> m_ranWhileHeld{false};
};

}  // namespace hesk::testsupport
