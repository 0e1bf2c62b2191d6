#pragma once
// The application's log: one per application, owned by whoever owns the session and
// handed to core code as a model::LogSink.
//
// A log call stamps the text with the local time ("yyyy-MM-dd HH:mm:ss ", note the
// trailing blank) and, when the level reaches the threshold, appends the line with
// "\r\n" to the pending text and queues it for the log pane. Levels: 0 detail of recording
// protocols, 1 protocol steps and thread start/end, 2 user-level progress, 3 errors (their
// texts begin with "<错误>" or "<ERROR>"; the log adds nothing but the time stamp).
//
// File: a writer thread (below-normal priority) writes the pending text every writePeriod
// (3000 ms) in one block, UTF-8, into the open file and starts a new file once it holds
// maxFileSize (512000) bytes. Lines logged before any file is open (or after the project's
// file was closed) stay pending and reach the next file opened. At shutdown the pending
// text is written followed by "\r\n".
//
// Failures are said once in the pane (level 3, not in any file): a log file that cannot be
// opened (at a project's open or at a rotation), and a write the disk refused. Text that
// did not reach the file stays pending, ahead of newer lines, and is written again at the
// next period; while no file takes it, the pending text is bounded by pendingCapacity.
//
// Pane: the pane drains the queue on the UI thread with takePaneEntries() from a timer.
//
// When a project opens, the caller opens the log file and then logs the start line
// kLogStartedText at level 2.
//
// Threads: log(), setSuppressed() and clearPane() from any thread; log() takes only two
// short locks (pending text, pane queue) and never waits for the disk. openLogFile(),
// flush() and shutdown() may block on disk I/O; takePaneEntries() belongs to the UI thread.

#include "LogFile.h"
#include "LogPaneQueue.h"
#include "model/LogSink.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>

namespace hesk::shell {

inline constexpr char kLogStartedText[] = "***** TLog Started *****";

struct LogOptions {
    std::chrono::milliseconds writePeriod{3000};
    qint64 maxFileSize = LogFile::defaultMaxSize;
    std::size_t paneCapacity = LogPaneQueue::defaultCapacity;
    // Pending bytes kept while no file is open to take them: beyond this the oldest whole
    // lines are dropped, so a session that never opens a project does not grow without
    // bound. With a file open the writer drains the text and nothing is dropped.
    qsizetype pendingCapacity = 4 * 1024 * 1024;
    // Local time now when empty.
    LogClock clock;
};

class Log final : public model::LogSink {
public:
    static constexpr int minLevel = 0;
    static constexpr int maxLevel = 3;

    explicit Log(LogOptions options = {});
    // Stops the writer thread (see shutdown()).
    ~Log() override;

    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // A level outside 0..3 is taken as the nearest of them. An empty text still reaches the
    // pane (as a bare time stamp) but adds nothing to the file.
    void log(const QString& text, int level) override;

    // While set, log calls do nothing (the device search sets it).
    void setSuppressed(bool suppressed);
    bool isSuppressed() const;

    // Lines below it are dropped: 0 until a log file is opened, then 1.
    int threshold() const;

    // For an opening project: the folder becomes <projectFolder>/logs, the threshold 1 and
    // the maximum size maxFileSize. Pending lines still belong to the file open so far and
    // are written there first; then that file is closed and the newest "*.log" of the
    // folder is continued or a new "debug_" file started. Returns the path of the file now
    // open, nothing when none could be opened (lines then stay pending).
    std::optional<QString> openLogFile(const QString& projectFolder);
    // For a closing project: the pending lines go to its file, which is then closed, so
    // that later lines wait for the next project's file instead of landing in this one.
    void closeLogFile();

    QString logFolder() const;
    QString currentFilePath() const;

    // Does at once what the writer does every period: writes the pending text, flushes,
    // and starts a new file when the open one is full. For tests and orderly exits.
    void flush();

    // Stops the writer thread: the pending text and "\r\n" go to the open file, which is
    // then closed. Call once from the owning thread; later calls do nothing. Lines logged
    // afterwards stay pending until flush() (there is no file to take them unless a new
    // one is opened).
    void shutdown();

    // UI thread: up to maxEntries of the oldest queued pane lines, and whether the pane
    // must clear its control first.
    LogPaneBatch takePaneEntries(std::size_t maxEntries);
    // Project close and the pane's own command: drops queued lines, and the next batch
    // tells the pane to clear.
    void clearPane();
    std::size_t queuedPaneEntries() const;

private:
    void writerLoop();
    void appendPending(QByteArray bytes);
    // Needs m_pendingMutex held: drops the oldest lines beyond the capacity while no file
    // takes the text.
    void trimPendingLocked();
    // A failure of the file, for the pane only (the file is what failed).
    void reportInPane(const QString& text);
    QByteArray takePending();
    // These need m_fileMutex held.
    void writePendingLocked();
    void rotateLocked();
    void finishFileLocked();

    const LogOptions m_options;
    const LogClock m_clock;

    std::atomic<bool> m_suppressed{false};
    std::atomic<int> m_threshold{0};

    mutable std::mutex m_pendingMutex;
    QByteArray m_pending;

    LogPaneQueue m_pane;

    // Serialises everything that touches the file, so blocks reach it in the order they
    // left the pending text. Order: m_fileMutex before m_pendingMutex.
    mutable std::mutex m_fileMutex;
    LogFile m_file;
    std::atomic<bool> m_fileOpen{false};  // mirrors m_file.isOpen() for log()
    std::atomic<bool> m_writeFailing{false};          // the last write fell short
    std::atomic<bool> m_writeFailureReported{false};  // said in the pane since the last good write

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_running{true};
    std::thread m_writer;
};

}  // namespace hesk::shell
